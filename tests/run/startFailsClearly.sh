# tests/run/startFailsClearly.sh
# Without a display, or on an OpenGL below 4.3 (Mesa's software renderer with its version override stands in for
# an old driver), the demo says what failed in one line and exits with status 1 instead of crashing. An unknown
# option gets the usage and status 2 before anything starts: without a display a start would give status 1.
source "$(dirname "$0")/common.bash"
expectOneLine() {
    local message=$1
    shift
    (cd "$workDir" && timeout 120 "$@" "$demo") >"$workDir/log" 2>&1
    local status=$?
    [ "$status" -eq 1 ] || failTest "'$*' gave status $status, expected 1"
    [ "$(wc -l <"$workDir/log")" -eq 1 ] || failTest "'$*' did not give exactly one line"
    grep -q "^Lumenfold: $message" "$workDir/log" || failTest "'$*' did not say '$message'"
}
expectOneLine "could not initialise the windowing library" env -u DISPLAY -u WAYLAND_DISPLAY
expectOneLine "no OpenGL 4.3 compatibility context could be created (the demo needs a GPU with OpenGL 4.3)" \
    env __GLX_VENDOR_LIBRARY_NAME=mesa LIBGL_ALWAYS_SOFTWARE=1 MESA_GL_VERSION_OVERRIDE=4.2COMPAT \
    MESA_GLSL_VERSION_OVERRIDE=420
(cd "$workDir" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$demo" --windowed --frobnicate) \
    >"$workDir/out" 2>"$workDir/log"
[ $? -eq 2 ] && [ ! -s "$workDir/out" ] && grep -q "^usage: lumenfold " "$workDir/log" ||
    failTest "--frobnicate was not refused"
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$demo" --help) && grep -q -- "--windowed" <<<"$usage" ||
    failTest "--help gave no usage"
echo "PASS"
