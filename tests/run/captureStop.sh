# tests/run/captureStop.sh
# Ctrl-C while the capture tool renders a picture or a contact sheet: it ends with status 130 and leaves no file
# behind, its hidden temporary included.
source "$(dirname "$0")/common.bash"
capture=$(dirname "$demo")/lumenfold-capture
small=(--fps 30 --size 32x18 --volume 16)

# The temporary is claimed after the stop handler is in place, before the first frame.
temporaryClaimed() {
    for _ in $(seq 1 600); do
        compgen -G "$workDir/.still.png.*" >/dev/null && return 0
        kill -0 "$demoPid" 2>/dev/null || failTest "the tool ended before claiming its file"
        sleep 0.2
    done
    failTest "no temporary file within two minutes"
}
rendering() { waitForLog "lumenfold-capture: frame "; }

# stopWhen READY ARGS...: starts the tool, presses Ctrl-C once READY holds, then checks what is left.
stopWhen() {
    local ready=$1
    shift
    (cd "$workDir" && exec "$capture" "$@") >"$workDir/log" 2>&1 &
    demoPid=$!
    "$ready"
    kill -INT "$demoPid"
    waitForExit
    local status=$?
    [ "$status" -eq 130 ] || failTest "Ctrl-C during $* gave status $status"
    [ "$(ls -A "$workDir")" = "log" ] || failTest "Ctrl-C during $* left $(ls -A "$workDir")"
}
stopWhen temporaryClaimed --at 200 "${small[@]}" --out still.png
stopWhen rendering --sheet sheet.png --every 5 "${small[@]}"
echo "PASS"
