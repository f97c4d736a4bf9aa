#!/usr/bin/env bash
# Builds lumenfold.exe and lumenfold-capture.exe with MinGW-w64 into build-windows/run/, beside the music and the
# font they read, ready to be copied to a Windows machine as one folder. The generators run on this machine, so the
# music and the icon come from the Linux build in build/.
set -euo pipefail
source "$(dirname "$0")/../setup.sh"
lumenfoldInstall "${lumenfoldPackages[@]}" g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest
jobs=$(nproc)

cmake -S "$lumenfoldRoot" -B "$lumenfoldRoot/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$lumenfoldRoot/build" -j"$jobs" --target soundtrack_mp3 lumenfold_icons

windows=$lumenfoldRoot/build-windows
cmake -S "$lumenfoldRoot" -B "$windows" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$lumenfoldRoot/cmake/mingw64.cmake" \
      -DLUMENFOLD_ICON="$lumenfoldRoot/build/icons/lumenfold.ico" >/dev/null
cmake --build "$windows" -j"$jobs"
cp "$lumenfoldRoot/build/run/Korvane's Swing.mp3" "$windows/run/"
echo "Windows build in $windows/run:"
ls "$windows/run"
