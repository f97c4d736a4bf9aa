#!/usr/bin/env bash
# Builds Lumenfold and runs every test; GL tests use Mesa's software renderer under Xvfb when there is no display.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
# libjack without a JACK server: the demo must stay quiet on such a machine too (ffmpeg pulls the library in).
# ffmpeg encodes and probes the capture tool's videos.
lumenfoldSetup "${lumenfoldPackages[@]}" xvfb xauth xdotool libgl1-mesa-dri libjack-jackd2-0 ffmpeg
cd "$lumenfoldRoot/build"
# The fault tests (ctest -L faults) run in CI with the sanitizer build: tools/checks.sh.
if [ -n "${DISPLAY:-}" ]; then
    ctest -LE faults --output-on-failure
else
    # -noreset: the server would otherwise restart whenever a test's last window closes and refuse the next test.
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest -LE faults --output-on-failure
fi
