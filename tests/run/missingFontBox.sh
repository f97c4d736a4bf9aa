# tests/run/missingFontBox.sh
# Without the font the warning box comes up, Enter dismisses it, and the demo runs on with the built-in font.
source "$(dirname "$0")/common.bash"
startDemo
waitForLog "Corvel.ttf not found in working directory"
pressKey Return
waitForLog "Raymarch frag shader compiled"
kill -0 "$demoPid" 2>/dev/null || failTest "the demo ended after the box"
pressKey Escape
waitForExit
status=$?
[ "$status" -eq 0 ] || failTest "exit status $status"
echo "PASS"
