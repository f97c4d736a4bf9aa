# tests/run/demoStartsAndEnds.sh
# The real demo beside a font and a music file it may not read, run by a user that is not root and has no sound
# device or server: the warning box comes up and Enter dismisses it, the start-up lines follow with one word
# about the music, a frame is drawn, Escape ends it with status 0, and standard error holds nothing but the
# demo's own lines. On a software renderer one of them points at the video capture.
source "$(dirname "$0")/common.bash"
cp "$buildDir/run/Corvel.ttf" "$buildDir/run/Korvane's Swing.mp3" "$workDir/"
chmod 000 "$workDir/Corvel.ttf" "$workDir/Korvane's Swing.mp3"
# A copy beside them, as the build's own folder holds readable ones, which the demo would find there.
cp "$demo" "$workDir/demo"
demo=$workDir/demo
dropRoot
startDemo
waitForLog "Corvel.ttf not found in working directory \"$workDir\""
pressKey Return
waitForLog "Raymarch frag shader compiled"
kill -0 "$demoPid" 2>/dev/null || failTest "the demo ended after the box"
pressKey Escape
waitForExit
status=$?
[ "$status" -eq 0 ] || failTest "exit status $status"
for line in "GPU: " "OpenGL: " "mp3 not found."; do
    grep -q "^$line" "$workDir/log" || failTest "no '$line' line"
done
if grep -q "^GPU: llvmpipe" "$workDir/log"; then
    grep -q "^Software renderer: .* lumenfold-capture --video " "$workDir/log" || failTest "no software-renderer line"
fi
# Anything else (GL or shader errors, the sound libraries' probes) is noise on the demo's standard error.
others=$(grep -v -e "^GPU: " -e "^OpenGL: " -e "^Raymarch frag shader compiled: prog=" -e "^mp3 not found.$" \
                 -e "^Missing font: Corvel.ttf not found in working directory \"$workDir\"$" -e "^Software renderer: " \
                 "$workDir/log")
[ -z "$others" ] || failTest "unexpected output: $others"
echo "PASS"
