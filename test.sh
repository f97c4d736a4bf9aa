#!/usr/bin/env bash
# Builds Lumenfold and runs every test; GL tests use Mesa's software renderer under Xvfb when there is no display.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
lumenfoldSetup "${lumenfoldPackages[@]}" xvfb xauth xdotool libgl1-mesa-dri
cd "$lumenfoldRoot/build"
if [ -n "${DISPLAY:-}" ]; then
    ctest --output-on-failure
else
    # -noreset: the server would otherwise restart whenever a test's last window closes and refuse the next test.
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --output-on-failure
fi
