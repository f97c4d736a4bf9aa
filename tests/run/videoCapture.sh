# tests/run/videoCapture.sh
# The capture tool's video and contact sheet at a tiny size: streams, rate, length, frame count, picture and sound
# of a one-second video, the sheet's grid; every failure gives its status and one message and leaves no file.
source "$(dirname "$0")/common.bash"
capture=$(dirname "$demo")/lumenfold-capture
small=(--fps 8 --size 64x36 --volume 16)
mkdir "$workDir/silent" "$workDir/fakeBin"
ln -s "$buildDir/run/Korvane's Swing.mp3" "$workDir/"

capture() { (cd "$workDir" && "$capture" "$@") >"$workDir/log" 2>&1; }
streams() { ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of csv=p=0 "$workDir/$1"; }
noFileLeft() { [ -z "$(find "$workDir" -name "$1" -o -name ".$1.*")" ] || failTest "$2 left a file behind"; }

# 9 to 10 s: the intro's cube is lit, so no frame may be black.
capture --video one.mp4 --sheet sheet.png --every 0.25 --from 9 --to 10 "${small[@]}" || failTest "video failed"
[ "$(streams one.mp4 v codec_name,pix_fmt,r_frame_rate,nb_frames)" = "h264,yuv420p,8/1,8" ] ||
    failTest "video stream: $(streams one.mp4 v codec_name,pix_fmt,r_frame_rate,nb_frames)"
[ "$(streams one.mp4 a codec_name | wc -l) $(streams one.mp4 v codec_name | wc -l)" = "1 1" ] ||
    failTest "not one audio and one video stream"
awk -v v="$(streams one.mp4 v duration)" -v a="$(streams one.mp4 a duration)" \
    'BEGIN { exit !(v > 0.99 && v < 1.01 && a - v < 0.125 && v - a < 0.125) }' ||
    failTest "video lasts $(streams one.mp4 v duration) s, audio $(streams one.mp4 a duration) s"
ffmpeg -v error -i "$workDir/one.mp4" -f rawvideo -pix_fmt gray - | od -An -tu1 -v -w2304 |
    awk '{ m = 0; for (i = 1; i <= NF; i++) if ($i > m) m = $i; if (m < 64) dark++ }
         END { exit dark > 0 || NR != 8 }' || failTest "a black frame"
# Its sound is the music from 9 s on: the best match within a quarter second either side lies within 5 ms of 9 s.
mono() { ffmpeg -v error "$@" -ac 1 -ar 2000 -f s16le - | od -An -td2 -v -w2; }
mono -i "$workDir/one.mp4" -map 0:a >"$workDir/sound"
mono -t 11 -i "$workDir/Korvane's Swing.mp3" >"$workDir/music"
read -r offset match < <(awk 'NR == FNR { v[n++] = $1; next } { m[k++] = $1 }
    END { best = -2; for (lag = 17500; lag <= 18500; lag++) {
              s = 0; vv = 0; mm = 0
              for (i = 0; i < 1800; i++) { s += v[i] * m[lag + i]; vv += v[i] ^ 2; mm += m[lag + i] ^ 2 }
              if (s / sqrt(vv * mm + 1) > best) { best = s / sqrt(vv * mm + 1); at = lag } }
          print at / 2000, best }' "$workDir/sound" "$workDir/music")
awk -v o="$offset" -v c="$match" 'BEGIN { exit !(o > 8.995 && o < 9.005 && c > 0.9) }' ||
    failTest "the sound of a video from 9 s matches the music best at $offset s (correlation $match)"
# Tiles at 9, 9.25, 9.5 and 9.75 s: two by two, and compressed well below the raw pixels.
[ "$(od -An -tu1 -j16 -N8 "$workDir/sheet.png" | tr -s ' ')" = " 0 0 0 128 0 0 0 72" ] ||
    failTest "sheet not 2 x 2 tiles"
[ "$(stat -c %s "$workDir/sheet.png")" -lt $((128 * 72 * 4 / 2)) ] || failTest "sheet PNG is not compressed"

# Without the soundtrack: a silent track; from 0.1 s the first frame is the one at 0.125 s.
(cd "$workDir/silent" && "$capture" --video quiet.mp4 --from 0.1 --to 1 "${small[@]}") >"$workDir/log" 2>&1 ||
    failTest "silent video failed"
grep -q "^lumenfold-capture: Korvane's Swing.mp3 is not in the working directory; the video is silent$" \
    "$workDir/log" || failTest "no word about the missing soundtrack"
[ "$(streams silent/quiet.mp4 v nb_frames) $(streams silent/quiet.mp4 a codec_name)" = "7 aac" ] ||
    failTest "silent video: $(streams silent/quiet.mp4 v nb_frames,codec_name) $(streams silent/quiet.mp4 a codec_name)"

printf '#!/bin/sh\necho "no encoder today" >&2\nexit 1\n' >"$workDir/fakeBin/ffmpeg"
chmod +x "$workDir/fakeBin/ffmpeg"
expectFailure() {
    local status=$1 message=$2
    shift 2
    (cd "$workDir" && "$@") >"$workDir/log" 2>&1
    local got=$?
    [ "$got" -eq "$status" ] || failTest "'$*' gave status $got, expected $status"
    grep -q "^lumenfold-capture: $message" "$workDir/log" || failTest "'$*' did not say '$message'"
    noFileLeft bad.mp4 "'$*'"
}
expectFailure 1 "ffmpeg is not installed" env PATH=/nonexistent "$capture" --video bad.mp4 "${small[@]}" --to 1
expectFailure 1 "ffmpeg failed with status 1: no encoder today" \
    env PATH="$workDir/fakeBin:$PATH" "$capture" --video bad.mp4 "${small[@]}" --to 1
expectFailure 1 "cannot write nowhere/bad.mp4" "$capture" --video nowhere/bad.mp4 "${small[@]}"
expectFailure 2 "--from 3000.000 s is not inside the show" "$capture" --video bad.mp4 --from 3000 "${small[@]}"
expectFailure 2 "--to must come after --from" "$capture" --video bad.mp4 --from 2 --to 1 "${small[@]}"

# Ctrl-C (SIGINT) in the middle of the whole show: ffmpeg ends with the tool, and no file is left.
(cd "$workDir" && exec "$capture" --video long.mp4 --fps 30 --size 64x36 --volume 16) >"$workDir/log" 2>&1 &
demoPid=$!
waitForLog "lumenfold-capture: frame "
encoderPid=$(pgrep -P "$demoPid" -x ffmpeg) || failTest "no ffmpeg child"
kill -INT "$demoPid"
waitForExit
status=$?
[ "$status" -eq 130 ] || failTest "Ctrl-C gave status $status"
! kill -0 "$encoderPid" 2>/dev/null || failTest "ffmpeg outlived the tool"
noFileLeft long.mp4 "Ctrl-C"
echo "PASS"
