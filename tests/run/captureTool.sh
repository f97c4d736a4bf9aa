# tests/run/captureTool.sh
# The capture tool writes a PNG of the requested size and says what it shows; it refuses bad arguments with
# status 2, fails at run time with status 1, each time with a message and no file left behind.
source "$(dirname "$0")/common.bash"
capture=$(dirname "$demo")/lumenfold-capture
"$capture" --help | grep -q "^usage: lumenfold-capture" || failTest "--help prints no usage"
noFileLeft() { [ "$(ls -A "$workDir")" = "log" ] || failTest "$1 left a file behind: $(ls -A "$workDir")"; }
# Every bad option is the option parser's test; here one shows how the tool ends on it. Without a display, an
# argument taken by mistake would end at start-up with status 1 instead.
(cd "$workDir" && env -u DISPLAY -u WAYLAND_DISPLAY "$capture" --scene 12 --out x.png) >"$workDir/log" 2>&1
status=$?
[ "$status" -eq 2 ] || failTest "'--scene 12' gave status $status, expected 2"
grep -q "^lumenfold-capture: " "$workDir/log" || failTest "'--scene 12' gave no clear message"
noFileLeft "'--scene 12'"
# Found before start-up, so no display is needed to hear of it.
(cd "$workDir" && env -u DISPLAY "$capture" --volume 16 --size 32x18 --out nowhere/x.png) >"$workDir/log" 2>&1
[ $? -eq 1 ] && grep -q "^lumenfold-capture: cannot write nowhere/x.png" "$workDir/log" ||
    failTest "an unwritable --out did not fail with status 1 and a message"
noFileLeft "an unwritable --out"
(cd "$workDir" && "$capture" --scene 9 --at 0.5 --fps 4 --volume 16 --size 96x54 --out intro.png) >"$workDir/log" 2>&1 ||
    failTest "capture failed"
grep -q "^intro.png: 96x54 at show time 0.500 s (3 frames), scene 9 intro at 0.500 s$" "$workDir/log" ||
    failTest "capture does not say what it shows"
[ "$(ls -A "$workDir")" = "$(printf 'intro.png\nlog')" ] || failTest "files beside the picture: $(ls -A "$workDir")"
[ "$(head -c 8 "$workDir/intro.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || failTest "not a PNG"
size=$(od -An -tu1 -j16 -N8 "$workDir/intro.png" | tr -s ' ')
[ "$size" = " 0 0 0 96 0 0 0 54" ] || failTest "PNG size is '$size', expected 96x54"
echo "PASS"
