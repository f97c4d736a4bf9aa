#!/usr/bin/env bash
# The Windows stage of CI: builds the Windows programs (tools/windows/build.sh) and runs them under Wine on a
# virtual display. The demo is a windowed program with its exports and resources, that finds its content beside
# itself, logs through the debugger channel and ends on Escape; --help and an unknown option show a box; without
# its font it shows the "Missing font" box and goes on in a window that is not minimised; without OpenGL 4.3 it
# shows a "Lumenfold" box and ends with status 1; the capture tool draws the same picture as the Linux build's and
# a contact sheet, stops on Ctrl-C leaving no file, and refuses --video at once; the platform layer passes its own
# tests. Needs the Linux build in build/ (./test.sh makes it); every Wine run is bounded.
set -euo pipefail
source "$(dirname "$0")/../setup.sh"
if [ -z "${DISPLAY:-}" ]; then
    lumenfoldInstall xvfb xauth
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$@"
fi
lumenfoldInstall wine xdotool
stageStart=$SECONDS
took() { echo "Took $((SECONDS - $1)) s: $2"; }

start=$SECONDS
bash "$lumenfoldRoot/tools/windows/build.sh" >/dev/null
cmake --build "$lumenfoldRoot/build" -j"$(nproc)" --target lumenfold-capture lumenfold_golden_tests >/dev/null
took "$start" "Windows build"

run=$lumenfoldRoot/build-windows/run
work=$(mktemp -d)
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$lumenfoldRoot/build-windows/wine WINEDEBUG=-all
fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do echo "--- $log"; cat "$log"; done
    exit 1
}

start=$SECONDS
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
    # A crashing program must end, not wait for someone to close Wine's crash dialog.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
    # No sound card here: Wine's ALSA driver would log its failed probes; the demo runs silent either way.
    timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null
    timeout 30 wineserver -k || true
fi
took "$start" "Wine prefix"

# wineStart NAME FOLDER PROGRAM ARGS...: starts it in the background, its output in $work/NAME.log.
wineStart() {
    local name=$1 folder=$2
    shift 2
    (cd "$folder" && exec timeout 300 wine "$@") >"$work/$name.log" 2>&1 &
    winePid=$!
    wineLog=$work/$name.log
}
# The program's exit status; Wine's server goes with it, so the next run starts clean.
wineStatus() {
    local status=0
    wait "$winePid" || status=$?
    timeout 30 wineserver -k || true
    return "$status"
}
waitForLog() {
    for _ in $(seq 1 600); do
        grep -qF -- "$1" "$wineLog" && return 0
        kill -0 "$winePid" 2>/dev/null || fail "it ended before logging '$1'"
        sleep 0.2
    done
    fail "no '$1' within two minutes"
}
# pressIn TITLE KEY: finds the shown window with exactly this title, gives it the focus and sends the key; a
# window that is being mapped or unmapped refuses the focus, so that is tried again.
pressIn() {
    local id=
    for _ in $(seq 1 600); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1) || true
        [ -n "$id" ] && xdotool windowfocus "$id" key "$2" 2>/dev/null && return 0
        kill -0 "$winePid" 2>/dev/null || fail "it ended before a window titled '$1' took $2"
        sleep 0.2
    done
    fail "no window titled '$1' took $2 within two minutes"
}
expectStatus() {
    local want=$1 what=$2 status=0
    wineStatus || status=$?
    [ "$status" -eq "$want" ] || fail "$what: status $status, not $want"
}

start=$SECONDS
headers=$(x86_64-w64-mingw32-objdump -p "$run/lumenfold.exe")
grep -q "Subsystem.*(Windows GUI)" <<<"$headers" || fail "lumenfold.exe is not a windowed program"
for export in NvOptimusEnablement AmdPowerXpressRequestHighPerformance; do
    grep -qE "^\s+\[ *[0-9]+\] $export$" <<<"$headers" || fail "lumenfold.exe does not export $export"
done
# Resource types 3 and 14 are the icon's pictures and their group, 16 the version, 24 the manifest.
types=$(sed -n 's/^[0-9a-f]*   Entry: ID: 0x0000\(..\),.*/\1/p' <<<"$headers" | tr '\n' ' ')
[ "$types" = "03 0e 10 18 " ] || fail "lumenfold.exe has resources of the types $types"
grep -q "name: .*: GLFW_ICON, " <<<"$headers" || fail "lumenfold.exe has no GLFW_ICON, the window's icon"
version=$(sed -n 's/^project(Lumenfold VERSION \([0-9.]*\) .*/\1/p' "$lumenfoldRoot/CMakeLists.txt")
strings -el "$run/lumenfold.exe" | grep -qx "$version" || fail "lumenfold.exe's version is not $version"
for exe in lumenfold.exe lumenfold-capture.exe; do
    headers=$(x86_64-w64-mingw32-objdump -p "$run/$exe")
    extra=$(sed -n 's/.*DLL Name: //p' <<<"$headers" |
            grep -viE '^(kernel32|user32|gdi32|shell32|opengl32|msvcrt)\.dll$' || true)
    [ -z "$extra" ] || fail "$exe needs DLLs that Windows does not bring: $extra"
done

# Unzipped into a folder whose name the ANSI code page cannot spell, and started in another one, as a shortcut or a
# command prompt may do: the font and the music are found beside the program, so no box comes before the window.
export WINEDEBUG=-all,+debugstr
unzipped="$work/Демо Ω"
mkdir "$unzipped" "$work/elsewhere"
cp "$run/lumenfold.exe" "$run/Corvel.ttf" "$run/Korvane's Swing.mp3" "$unzipped/"
wineStart demo "$work/elsewhere" "$unzipped/lumenfold.exe"
waitForLog 'OutputDebugStringA "OpenGL: '
grep -qF 'OutputDebugStringA "GPU: ' "$wineLog" || fail "the GPU string is not in the debugger channel"
pressIn Lumenfold Escape
expectStatus 0 "the demo after Escape"
! grep -q "mp3 not found" "$wineLog" || fail "the music beside the program was not found"
took "$start" "demo: windowed, started in another folder, finds its content, logs, ends on Escape"

start=$SECONDS
wineStart help "$work" "$run/lumenfold.exe" --help
pressIn Lumenfold Return
expectStatus 0 "--help"
wineStart unknown "$work" "$run/lumenfold.exe" --frobnicate
pressIn Lumenfold Return
expectStatus 2 "an unknown option"
took "$start" "--help and an unknown option: a box each"

start=$SECONDS
mkdir "$work/noFont"
cp "$run/lumenfold.exe" "$run/Korvane's Swing.mp3" "$work/noFont/"
wineStart noFont "$work/noFont" lumenfold.exe
pressIn "Missing font" Return
waitForLog "Software renderer: "
grep -q "Software renderer: .* pictures and contact sheets" "$wineLog" || fail "the note names no pictures"
pressIn Lumenfold Escape
expectStatus 0 "the demo without its font"
! grep -q "Minimised" "$wineLog" || fail "the show was minimised after the box"
took "$start" "demo without its font: the box, then the show in a window neither hidden nor minimised"

start=$SECONDS
MESA_GL_VERSION_OVERRIDE=3.3COMPAT wineStart oldGl "$run" lumenfold.exe
waitForLog "Lumenfold: "
pressIn Lumenfold Return
expectStatus 1 "the demo on OpenGL 3.3"
[ "$(grep -c "^Lumenfold: " "$wineLog")" -eq 1 ] || fail "not one line on OpenGL 3.3"
took "$start" "demo on OpenGL 3.3: the box, then status 1"
export WINEDEBUG=-all

# One llvmpipe thread draws the same picture in every run; the fixed ray count keeps it from the machine's speed.
start=$SECONDS
moment=(--scene 2 --at 14 --size 96x54 --volume 32 --rays 1 --fps 4)
(cd "$lumenfoldRoot/build/run" && LP_NUM_THREADS=1 ./lumenfold-capture "${moment[@]}" --out "$work/linux.png" >/dev/null)
LP_NUM_THREADS=1 wineStart capture "$run" lumenfold-capture.exe "${moment[@]}" --out "$work/windows.png"
expectStatus 0 "the capture tool"
"$lumenfoldRoot/build/tests/lumenfold_golden_tests" "$work/windows.png" "$work/linux.png" ||
    fail "the Windows picture is not the Linux one"
took "$start" "capture: the Windows picture against the Linux one"

start=$SECONDS
wineStart sheet "$run" lumenfold-capture.exe --sheet "$work/sheet.png" --every 1 --to 2 \
    --size 96x54 --volume 32 --rays 1 --fps 4
expectStatus 0 "the contact sheet"
[ "$(head -c 8 "$work/sheet.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "the sheet is no PNG"
wineStart video "$run" lumenfold-capture.exe --video "$work/clip.mp4" --to 1
expectStatus 1 "--video"
[ "$(grep -c . "$wineLog")" -eq 1 ] || fail "--video did not refuse in one line"
[ -z "$(find "$work" -maxdepth 1 -name '*clip.mp4*')" ] || fail "--video left a file behind"
took "$start" "capture: a contact sheet, and --video refused"

# Wine turns SIGINT into the console's Ctrl-C event, which the tool's handler takes.
start=$SECONDS
mkdir "$work/stop"
wineStart stop "$run" lumenfold-capture.exe --sheet "$work/stop/sheet.png" --every 5 --size 32x18 --volume 16 --fps 30
waitForLog "lumenfold-capture: frame "
kill -INT "$winePid"
expectStatus 130 "Ctrl-C during --sheet"
[ -z "$(ls -A "$work/stop")" ] || fail "Ctrl-C during --sheet left $(ls -A "$work/stop")"
wineStart platform "$lumenfoldRoot/build-windows/tests/platform" lumenfold_platform_tests.exe --gtest_brief=1
expectStatus 0 "the platform tests"
took "$start" "capture: Ctrl-C during a sheet; the platform tests"
took "$stageStart" "the Windows stage"
echo "1 passed, 0 failed: Windows build under Wine"
