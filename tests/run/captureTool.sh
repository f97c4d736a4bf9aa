# tests/run/captureTool.sh
# The capture tool writes a PNG of the requested size and refuses bad arguments with status 2.
source "$(dirname "$0")/common.bash"
capture=$(dirname "$demo")/lumenfold-capture
"$capture" --help | grep -q "^usage: lumenfold-capture" || failTest "--help prints no usage"
for bad in "--scene 12" "--scene x" "--at -1" "--size 100" "--fps 0" "--frobnicate"; do
    # shellcheck disable=SC2086
    "$capture" $bad >"$workDir/log" 2>&1
    status=$?
    [ "$status" -eq 2 ] || failTest "'$bad' gave status $status, expected 2"
    grep -q "^lumenfold-capture: " "$workDir/log" || failTest "'$bad' gave no clear message"
done
(cd "$workDir" && "$capture" --scene 9 --at 0 --size 96x54 --out intro.png) >"$workDir/log" 2>&1 ||
    failTest "capture failed"
[ "$(head -c 8 "$workDir/intro.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || failTest "not a PNG"
size=$(od -An -tu1 -j16 -N8 "$workDir/intro.png" | tr -s ' ')
[ "$size" = " 0 0 0 96 0 0 0 54" ] || failTest "PNG size is '$size', expected 96x54"
echo "PASS"
