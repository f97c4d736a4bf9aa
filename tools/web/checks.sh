#!/bin/bash
# tools/web/checks.sh
# The browser stage: builds the site, serves it on 127.0.0.1, captures each scene that has a WGSL fill at two
# moments in headless chromium (SwiftShader's WebGPU) and compares each picture with the GL capture tool's picture
# of the same moment on llvmpipe; then checks that a browser without WebGPU gets the page's message.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build-web/checks
capture=$root/build/run/lumenfold-capture
# The mean difference allowed, in levels of 255: the two renderers' rounding and the captions' rasterisers differ.
maxMeanLevels=1.5

[ -x "$capture" ] || { echo "$capture is missing: run ./test.sh first" >&2; exit 1; }
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
# Scene-table index, then two scene times: one as the scene builds up, one in its typical look.
for moments in "2 12 24" "3 3 6" "7 8 16.5"; do
    read -r scene first second <<<"$moments"
    for at in $first $second; do
        name=$out/scene$scene-at$at
        (cd "$root/build/run" && LP_NUM_THREADS=1 xvfb-run -a "$capture" --scene "$scene" --at "$at" --fps 4 \
            --size 96x54 --volume 32 --rays 1 --out "$name-gl.png" >"$name-gl.log" 2>&1)
        "$root/tools/web/webCapture.sh" "$site?capture&scene=$scene&at=$at&$options" "$name-web.png" \
            --enable-unsafe-webgpu 2>"$name-web.log"
        mae=$(compare -metric MAE "$name-gl.png" "$name-web.png" "$name-difference.png" 2>&1 >/dev/null || true)
        levels=$(awk -v mae="$mae" 'BEGIN { gsub(/.*\(|\).*/, "", mae); printf "%.2f", mae * 255 }')
        verdict=ok
        if ! awk -v l="$levels" -v m="$maxMeanLevels" 'BEGIN { exit !(l <= m) }'; then
            verdict="FAILS (the pictures and their difference are in $out)"
            failures=$((failures + 1))
        fi
        echo "scene $scene at $at s: WebGPU differs from GL by $levels levels on average: $verdict"
    done
done

if "$root/tools/web/webCapture.sh" "$site" "$out/noWebGpu.png" 2>"$out/noWebGpu.log" ||
    ! grep -q 'lumenfold-message .*no WebGPU' "$out/noWebGpu.log"; then
    echo "without WebGPU the page does not say so" >&2
    failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "web checks passed"
