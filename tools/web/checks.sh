#!/bin/bash
# tools/web/checks.sh
# The browser stage: builds the site, serves it on 127.0.0.1, captures every scene at two moments in headless
# chromium (SwiftShader's WebGPU) and compares each picture with the golden GL picture of the same moment
# (llvmpipe, the same size, volume, rays and step); then checks that a browser without WebGPU gets the page's message.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build-web/checks
# The two renderers' rounding, the GI's noise and the captions' rasterisers differ by up to 0.5 levels of 255 on
# average and 35 pixels by more than 8 levels; a drifting fill adds more than either limit.
maxMeanLevels=1.0
maxPixelsOff=80

if ! command -v chromium >/dev/null || ! command -v compare >/dev/null; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq chromium imagemagick >/dev/null
fi
"$root/tools/web/build.sh" >/dev/null
rm -rf "$out" && mkdir -p "$out"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site" >"$out/server.log" 2>&1 &
server=$!
trap 'kill $server' EXIT
until grep -q Serving "$out/server.log"; do sleep 0.2; done
site=http://127.0.0.1:$port/index.html
options="fps=4&size=96x54&volume=32&rays=1"

failures=0
# Scene name and table index, then two moments of its golden pictures, one run for both: one as it builds up, one in
# another look, early enough to keep the stage short.
for moments in "metaballs 0 02.75 06.00" "fog 1 02.50 06.00" "cornell 2 00.50 02.75" "cathedral 3 00.50 03.50" \
               "logo 4 03.00 13.75" "name 5 04.25 08.50" "amiga 6 02.25 07.75" "shutters 7 06.00 09.50" \
               "cloud 8 01.75 05.50" "intro 9 04.00 09.00"; do
    read -r scene index first second <<<"$moments"
    "$root/tools/web/webCapture.sh" "$site?capture&scene=$index&at=$first,$second&$options" \
        "$out/${scene}_$first-web.png,$out/${scene}_$second-web.png" --enable-unsafe-webgpu 2>"$out/$scene-web.log" ||
        true
    for at in $first $second; do
        name=$out/${scene}_$at
        mae=$(compare -metric MAE "$root/tests/golden/${scene}_$at.png" "$name-web.png" "$name-difference.png" 2>&1 \
              >/dev/null || true)
        levels=$(awk -v mae="$mae" 'BEGIN { if (mae !~ /\(/) { print "none"; exit }
                                            gsub(/.*\(|\).*/, "", mae); printf "%.2f", mae * 255 }')
        off=$(compare -fuzz 3.2% -metric AE "$root/tests/golden/${scene}_$at.png" "$name-web.png" null: 2>&1 || true)
        verdict=ok
        if ! awk -v l="$levels" -v m="$maxMeanLevels" -v o="$off" -v n="$maxPixelsOff" \
            'BEGIN { exit !(l != "none" && l <= m && o <= n) }'; then
            verdict="FAILS (the pictures and their difference are in $out)"
            failures=$((failures + 1))
        fi
        echo "$scene at $at s: WebGPU differs from GL by $levels levels on average, $off pixels by more than 8: $verdict"
    done
done

if "$root/tools/web/webCapture.sh" "$site?capture" "$out/noWebGpu.png" 2>"$out/noWebGpu.log" ||
    ! grep -q 'lumenfold-message .*no WebGPU' "$out/noWebGpu.log"; then
    echo "without WebGPU the page does not say so" >&2
    failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "web checks passed"
