# tests/run/noDisplayFailsClearly.sh
# Without a display the demo says what failed and exits with status 1 instead of crashing.
source "$(dirname "$0")/common.bash"
(cd "$workDir" && env -u DISPLAY -u WAYLAND_DISPLAY "$demo") >"$workDir/log" 2>&1
status=$?
[ "$status" -eq 1 ] || failTest "exit status $status, expected 1"
grep -q "^Lumenfold: could not initialise the windowing library" "$workDir/log" || failTest "no clear message"
echo "PASS"
