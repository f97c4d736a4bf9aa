#!/usr/bin/env bash
# CI's package stage, as root on a fresh Debian 12: makes the packages, has lintian check the Debian package (any
# error or warning fails), installs it, checks its menu entry with desktop-file-validate, plays the show from a
# folder without its content up to the first frame and ends it with Escape, renders a picture into that folder
# with the capture tool, then removes the package and checks that every file of it went.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0"
bash "$root/tools/package/makePackages.sh"
source "$root/tools/setup.sh"
lumenfoldInstall lintian desktop-file-utils
deb=$(echo "$root"/build/packages/lumenfold_*_amd64.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, Depends: $depends"
grep -q "libglfw3" <<<"$depends" || { echo "FAIL: no dependencies computed from the shared libraries"; exit 1; }
lintian --display-info --fail-on error,warning "$deb" || { echo "FAIL: lintian found errors or warnings"; exit 1; }

apt-get install -y "$deb"
entry=/usr/share/applications/lumenfold.desktop
problems=$(desktop-file-validate "$entry" 2>&1) && [ -z "$problems" ] || { echo "FAIL: $entry: $problems"; exit 1; }
compgen -G "/usr/share/icons/hicolor/*/apps/$(sed -n 's/^Icon=//p' "$entry").png" >/dev/null ||
    { echo "FAIL: the menu entry's icon is not in the hicolor theme"; exit 1; }
# Each option a command's --help names is in its manual page, so a new one cannot go undocumented there.
for program in lumenfold lumenfold-capture lumenfold-bench; do
    page=$(zcat "/usr/share/man/man1/$program.1.gz" | sed 's/\\-/-/g')
    for option in $("$program" --help | grep -o -- '--[a-z]*' | sort -u); do
        grep -qF -- "$option" <<<"$page" || { echo "FAIL: the manual page of $program lacks $option"; exit 1; }
    done
done
source "$root/tests/run/common.bash" "$(command -v lumenfold)" "$root/build"
# The arguments reach the demo through the launcher: an unknown one would end it with status 2.
startDemo --windowed
waitForLog "Raymarch frag shader compiled"
# Escape is read once a frame has been presented, so a clean exit after it shows that one was drawn.
pressKey Escape
status=0
waitForExit || status=$?
[ "$status" -eq 0 ] || failTest "exit status $status"
! grep -e "^Missing font" -e "^mp3 not found" "$workDir/log" || failTest "the installed content was not found"
(cd "$workDir" && timeout 600 lumenfold-capture --size 64x36 --volume 16 --out shot.png) ||
    failTest "lumenfold-capture failed"
[ -s "$workDir/shot.png" ] || failTest "lumenfold-capture wrote no shot.png into the folder it was started from"
lumenfold-bench --help >/dev/null || failTest "lumenfold-bench --help failed"

files=$(dpkg -L lumenfold | grep lumenfold)
apt-get remove -y lumenfold
left=$(while read -r path; do if [ -e "$path" ]; then echo "$path"; fi; done <<<"$files")
[ -z "$left" ] || failTest "left after removal: $left"
echo "PASS: the Debian package installs, plays, captures and removes cleanly"
