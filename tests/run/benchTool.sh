# tests/run/benchTool.sh
# The benchmark refuses every bad argument, its own or Google Benchmark's, with status 2 and a message before it
# opens a window, and leaves no file behind. Without a display it fails at run time with status 1.
source "$(dirname "$0")/common.bash"
bench=$buildDir/tools/bench/lumenfold-bench
[ -x "$bench" ] || { echo "SKIP: lumenfold-bench is not built (no Google Benchmark)"; exit 77; }
"$bench" --help | grep -q "^usage: lumenfold-bench" || failTest "--help prints no usage"
# No display: an argument taken by mistake ends at start-up with status 1 instead of benchmarking.
for bad in "--frobnicate" "--size" "--fps" "--scene" "--size 100" "--size axb" "--size -4x4" "--size 100000x10" \
           "--fps x" "--fps -1" "--fps 100000" "--scene 12" "--scene x" "--scene -1" "--benchmark_frobnicate" \
           "--benchmark_repetitions=x" "--benchmark_out=" "--benchmark_out=nowhere/out.json"; do
    # shellcheck disable=SC2086
    (cd "$workDir" && env -u DISPLAY -u WAYLAND_DISPLAY "$bench" $bad) >"$workDir/log" 2>&1
    status=$?
    [ "$status" -eq 2 ] || failTest "'$bad' gave status $status, expected 2"
    grep -q "^lumenfold-bench: " "$workDir/log" || failTest "'$bad' gave no clear message"
    [ "$(ls -A "$workDir")" = "log" ] || failTest "'$bad' left a file behind"
done
(cd "$workDir" && env -u DISPLAY -u WAYLAND_DISPLAY "$bench" --benchmark_out=out.json) >"$workDir/log" 2>&1
status=$?
[ "$status" -eq 1 ] || failTest "no display gave status $status, expected 1"
grep -q "^Lumenfold: could not initialise the windowing library" "$workDir/log" || failTest "no clear message"
[ "$(ls -A "$workDir")" = "log" ] || failTest "a failed start left a file behind"
echo "PASS"
