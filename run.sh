#!/usr/bin/env bash
# Builds Lumenfold if needed and starts the demo from the folder that holds its font and music.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
lumenfoldSetup "${lumenfoldPackages[@]}"
cd "$lumenfoldRoot/build/run"
exec ./lumenfold
