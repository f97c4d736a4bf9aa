#!/usr/bin/env bash
# The checks that follow ./test.sh in CI: the fault tests on the Release build, then one Debug build with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer at -O1, in which the CPU and platform tests, the
# frame-step tests, the fault tests and the whole-show tour run; GL debug messages, GL errors and sanitizer reports
# fail them. Needs the Release build in build/ (./test.sh makes it); builds into build-check/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
onDisplay() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$@"
    fi
}
took() { echo "Took $((SECONDS - $1)) s: $2"; }

start=$SECONDS
(cd "$root/build" && onDisplay ctest -L faults --output-on-failure)
took "$start" "fault tests, Release build"

# -O1 keeps the sanitized build and its runs fast; Debug keeps the GL debug output routed to the log.
start=$SECONDS
cmake -S "$root" -B "$root/build-check" -DCMAKE_BUILD_TYPE=Debug -DLUMENFOLD_SANITIZE=ON \
      -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" >/dev/null
cmake --build "$root/build-check" -j2 --target lumenfold_tests lumenfold_app_tests lumenfold_platform_tests
took "$start" "Debug build with sanitizers"

start=$SECONDS
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/build-check/tests"
./lumenfold_tests --gtest_brief=1
./platform/lumenfold_platform_tests --gtest_brief=1
onDisplay ./lumenfold_app_tests --gtest_brief=1
took "$start" "CPU, platform, frame-step, fault and tour tests, Debug build with sanitizers"
