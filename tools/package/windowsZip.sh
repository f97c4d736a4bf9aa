#!/usr/bin/env bash
# Makes lumenfold-VERSION-windows-x64.zip from the Windows build's run folder: the two programs, the content, a
# README.txt and every licence, in one top folder; then lists the zip and checks each file in it against its source.
# Usage: windowsZip.sh WINDOWS_RUN_DIR OUT_DIR
set -euo pipefail
fail() {
    echo "windowsZip.sh: $*" >&2
    exit 1
}
[ $# -eq 2 ] || { echo "usage: windowsZip.sh WINDOWS_RUN_DIR OUT_DIR" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
runDir=$1
mkdir -p "$2"
outDir=$(cd "$2" && pwd)
# The version lives in one place, the project() line that the Debian package reads too.
version=$(sed -n 's/^project(Lumenfold VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || fail "no version in the project() line of $root/CMakeLists.txt"
# Only the files below travel: a DLL beside the programs would be left behind.
! compgen -G "$runDir/*.[dD][lL][lL]" >/dev/null || fail "$runDir holds DLLs; the programs must be linked statically"

name=lumenfold-$version-windows-x64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/stage/$name/licenses"
# SOURCE NAME_IN_ZIP [HINT]
take() {
    [ -f "$1" ] || fail "$1 is missing${3:-}"
    cp "$1" "$work/stage/$name/$2"
}
take "$runDir/lumenfold.exe" lumenfold.exe
take "$runDir/lumenfold-capture.exe" lumenfold-capture.exe
take "$runDir/Korvane's Swing.mp3" "Korvane's Swing.mp3"
take "$runDir/Corvel.ttf" Corvel.ttf
sed "s/@VERSION@/$version/" "$root/tools/package/windowsReadme.txt" >"$work/stage/$name/README.txt"
take "$root/LICENSE" LICENSE.txt
take /usr/share/doc/fonts-dejavu-core/copyright licenses/DejaVu-fonts.txt " (apt-get install fonts-dejavu-core)"
take "$root/third_party/glfw/LICENSE.md" licenses/GLFW.txt " (the sources of the Windows build bring it)"
take "$root/third_party/glew/LICENSE.txt" licenses/GLEW.txt " (the sources of the Windows build bring it)"
take "$root/third_party/imgui/LICENSE.txt" licenses/Dear-ImGui.txt
take "$root/third_party/miniaudio/LICENSE" licenses/miniaudio.txt

(cd "$work/stage" && cmake -E tar cf "$work/$name.zip" --format=zip "$name")
mv "$work/$name.zip" "$outDir/"
zip=$outDir/$name.zip

echo "$zip:"
mkdir "$work/check"
(cd "$work/check" && cmake -E tar xvf "$zip") | grep -v '/$' | sed 's/^x /  /'
expected=$(cd "$work/stage" && find . -type f | sort)
unpacked=$(cd "$work/check" && find . -type f | sort)
[ "$expected" = "$unpacked" ] || fail "the zip holds other files than were put in:"$'\n'"$unpacked"
while read -r file; do
    cmp -s "$work/stage/$file" "$work/check/$file" || fail "$file differs in the zip"
done <<<"$expected"
echo "$(wc -l <<<"$expected") files, each as put in"
