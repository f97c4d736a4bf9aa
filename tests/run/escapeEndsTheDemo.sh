# tests/run/escapeEndsTheDemo.sh
# The real demo starts, names its GPU, runs frames and ends with status 0 on Escape, with no GL error.
source "$(dirname "$0")/common.bash"
cp "$buildDir/run/Corvel.ttf" "$workDir/"
startDemo
waitForLog "GPU: "
waitForLog "OpenGL: "
waitForLog "Raymarch frag shader compiled"
pressKey Escape
waitForExit
status=$?
[ "$status" -eq 0 ] || failTest "exit status $status"
grep -q "SHADER ERROR\|GL error\|^GL: " "$workDir/log" && failTest "GL or shader errors were logged"
grep -q "mp3 not found." "$workDir/log" || failTest "no 'mp3 not found.' without the music file"
echo "PASS"
