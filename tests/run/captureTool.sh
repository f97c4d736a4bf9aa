# tests/run/captureTool.sh
# The capture tool writes a PNG of the requested size, says what it shows, and refuses bad arguments with
# status 2 and no file.
source "$(dirname "$0")/common.bash"
capture=$(dirname "$demo")/lumenfold-capture
"$capture" --help | grep -q "^usage: lumenfold-capture" || failTest "--help prints no usage"
for bad in "--scene 12" "--scene x" "--at -1" "--at 1e12" "--size 100" "--fps 0" "--volume 8" "--frobnicate"; do
    # shellcheck disable=SC2086
    (cd "$workDir" && "$capture" $bad) >"$workDir/log" 2>&1
    status=$?
    [ "$status" -eq 2 ] || failTest "'$bad' gave status $status, expected 2"
    grep -q "^lumenfold-capture: " "$workDir/log" || failTest "'$bad' gave no clear message"
done
(cd "$workDir" && "$capture" --scene 9 --at 0.5 --fps 4 --volume 16 --size 96x54 --out intro.png) >"$workDir/log" 2>&1 ||
    failTest "capture failed"
grep -q "^intro.png: 96x54 at show time 0.500 s (3 frames), scene 9 intro at 0.500 s$" "$workDir/log" ||
    failTest "capture does not say what it shows"
[ ! -e "$workDir/capture.png" ] || failTest "a refused run left a file behind"
[ "$(head -c 8 "$workDir/intro.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || failTest "not a PNG"
size=$(od -An -tu1 -j16 -N8 "$workDir/intro.png" | tr -s ' ')
[ "$size" = " 0 0 0 96 0 0 0 54" ] || failTest "PNG size is '$size', expected 96x54"
echo "PASS"
