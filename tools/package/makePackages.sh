#!/usr/bin/env bash
# Makes the release packages in build/packages/: the Debian package from the Release build, and the Windows zip
# from the Windows build's run folder when there is one.
# Usage: tools/package/makePackages.sh [WINDOWS_RUN_DIR]   (default: build-windows/run)
set -euo pipefail
source "$(dirname "$0")/../setup.sh"
lumenfoldSetup "${lumenfoldPackages[@]}"
# A package of an earlier version must not be taken for this one.
rm -f "$lumenfoldRoot"/build/packages/lumenfold_*_amd64.deb
(cd "$lumenfoldRoot/build" && cpack)
windowsRunDir=${1:-$lumenfoldRoot/build-windows/run}
if [ -d "$windowsRunDir" ]; then
    bash "$lumenfoldRoot/tools/package/windowsZip.sh" "$windowsRunDir" "$lumenfoldRoot/build/packages"
else
    echo "No Windows build at $windowsRunDir: the Windows zip is not made"
fi
