#!/usr/bin/env bash
# tools/capture/makeGallery.sh
# Re-renders the README's pictures: one moment of each scene and a contact sheet of the whole show.
# Run after a Release build. The pictures use a 64^3 volume, which a software renderer draws in minutes; on a
# GPU, drop --volume for the show's own 128^3.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
gallery=$root/tools/capture/gallery
cd "$root/build/run"
capture() {  # NAME SCENE SECONDS FPS
    local name=$1 scene=$2 at=$3 fps=$4
    ./lumenfold-capture --scene "$scene" --at "$at" --fps "$fps" --size 480x270 --volume 64 --out "$gallery/$name.png"
}
capture intro 9 10.5 6
capture cornell 2 24 2
capture cathedral 3 6 2
capture shutters 7 16.5 4
capture metaballs 0 20 4
# The strike's light builds up frame by frame, so this one runs at the show's own rate.
capture cloud 8 5.75 60
capture fog 1 18 4
capture amiga 6 21.5 4
capture name 5 11 4
capture logo 4 20 4
./lumenfold-capture --sheet /tmp/lumenfoldSheet.png --every 8 --fps 10 --volume 32 --size 240x134
ffmpeg -loglevel error -y -i /tmp/lumenfoldSheet.png -q:v 4 "$gallery/sheet.jpg"
rm -f /tmp/lumenfoldSheet.png
