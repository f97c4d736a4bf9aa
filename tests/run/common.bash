# tests/run/common.bash
# Helpers for whole-program runs under the test display: start the demo in a scratch folder, press keys.
set -u
demo=$1
buildDir=$2
workDir=$(mktemp -d)
trap 'kill $demoPid 2>/dev/null || true; rm -rf "$workDir"' EXIT
demoPid=

failTest() {
    echo "FAIL: $*"
    echo "--- demo output ---"
    cat "$workDir/log" 2>/dev/null
    exit 1
}

# Run as root, the demo runs as nobody from here on, so that file permissions hold for it; it gets copies of the
# binary and of the display's cookie, which need not be open to other users where they lie, and a home of its own.
asUser=()
dropRoot() {
    [ "$(id -u)" -eq 0 ] || return 0
    chmod 755 "$workDir"
    mkdir "$workDir/home"
    chown 65534:65534 "$workDir/home"
    export HOME=$workDir/home
    cp "$demo" "$workDir/lumenfold"
    demo=$workDir/lumenfold
    if [ -n "${XAUTHORITY:-}" ]; then
        cp "$XAUTHORITY" "$workDir/cookie"
        chmod 644 "$workDir/cookie"
        export XAUTHORITY=$workDir/cookie
    fi
    asUser=(setpriv --reuid=65534 --regid=65534 --clear-groups)
}

startDemo() {
    (cd "$workDir" && exec "${asUser[@]}" "$demo" "$@") >"$workDir/log" 2>&1 &
    demoPid=$!
}

waitForLog() {
    local text=$1
    for _ in $(seq 1 600); do
        grep -qF -- "$text" "$workDir/log" && return 0
        kill -0 "$demoPid" 2>/dev/null || failTest "the demo ended before logging '$text'"
        sleep 0.2
    done
    failTest "no '$text' within two minutes"
}

# Real (XTEST) key events: with no window manager the keyboard follows the pointer onto the window.
pressKey() {
    xdotool search --sync --limit 1 --name '^Lumenfold$' >/dev/null || failTest "no window titled Lumenfold"
    xdotool mousemove 10 10 key "$1"
}

# The first frame of the full pipeline takes about a minute on a software renderer, longer on a busy machine.
waitForExit() {
    for _ in $(seq 1 3000); do
        if ! kill -0 "$demoPid" 2>/dev/null; then
            wait "$demoPid"
            return $?
        fi
        sleep 0.2
    done
    failTest "the demo did not end within ten minutes"
}
