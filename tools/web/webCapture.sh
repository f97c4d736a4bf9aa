#!/bin/bash
# tools/web/webCapture.sh URL OUT.png[,OUT2.png...] [CHROMIUM_FLAGS...]
# Loads a page of the served site in headless chromium on SwiftShader's WebGPU and writes the pictures that its
# capture mode prints, in order, one a name; the page's other console lines go to standard error.
set -euo pipefail
url=$1
IFS=, read -ra outs <<<"$2"
shift 2
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
log=$profile/console.log
# The page closes itself once it has printed; the timeout only ends a page that hangs.
timeout 300 chromium --headless=new --no-sandbox --use-webgpu-adapter=swiftshader --enable-logging=stderr --v=0 \
    --user-data-dir="$profile" "$@" "$url" 2>"$log" || true
grep -o 'CONSOLE[^"]*"lumenfold-[a-z]*[^"]*' "$log" | grep -v 'lumenfold-frame' | sed 's/^[^"]*"//' >&2 || true
grep -o 'CONSOLE[^"]*"\(SHADER ERROR\|lumenfold: \)[^"]*' "$log" | sed 's/^[^"]*"//' >&2 || true
mapfile -t frames < <(grep -o 'lumenfold-frame data:image/png;base64,[A-Za-z0-9+/=]*' "$log" | cut -d, -f2)
[ "${#frames[@]}" -ge "${#outs[@]}" ] ||
    { echo "webCapture: the page printed ${#frames[@]} of ${#outs[@]} pictures for $url" >&2; exit 1; }
for i in "${!outs[@]}"; do base64 -d <<<"${frames[i]}" >"${outs[i]}"; done
