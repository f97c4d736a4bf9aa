#!/usr/bin/env bash
# Writes the Debian package's copyright file: Lumenfold's own licence, then those of the code and the font built
# into it, each from its licence file as it stands in the tree or on the build machine.
# Usage: debianCopyright.sh OUT_FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fontCopyright=/usr/share/doc/fonts-dejavu-core/copyright
fail() {
    echo "debianCopyright.sh: $*" >&2
    exit 1
}

# FILES LICENSE_NAME LICENSE_FILE: one paragraph, the licence text indented with its empty lines as " .".
paragraph() {
    [ -f "$3" ] || fail "$3 is missing"
    echo "Files: $1"
    echo "Copyright: $(grep -m1 '^Copyright' "$3" | sed -E 's/^Copyright (\(c\) )?//')"
    echo "License: $2"
    sed -e 's/^[[:space:]]*$/./' -e 's/^/ /' "$3"
    echo
}

[ -f "$fontCopyright" ] || fail "$fontCopyright is missing (apt-get install fonts-dejavu-core)"
# The font is DejaVu Sans Bold under another name: its paragraph comes from Debian's own package.
font=$(sed -n '/^Files: \*$/,/^$/{/^Files:/d;p}' "$fontCopyright")
grep -q "^License: " <<<"$font" || fail "no paragraph for the fonts themselves in $fontCopyright"

{
    echo "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
    echo "Upstream-Name: Lumenfold"
    echo
    paragraph "*" MIT "$root/LICENSE"
    paragraph "third_party/imgui/*" MIT "$root/third_party/imgui/LICENSE.txt"
    paragraph "third_party/miniaudio/*" "Unlicense or MIT-0" "$root/third_party/miniaudio/LICENSE"
    echo "Files: usr/share/lumenfold/Corvel.ttf"
    echo "$font"
} >"$1.new"
mv "$1.new" "$1"
