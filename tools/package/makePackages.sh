#!/usr/bin/env bash
# Makes the release packages in build/packages/: the Debian package from the Release build, and the Windows zip
# from the Windows build's run folder when there is one.
# Usage: tools/package/makePackages.sh [WINDOWS_RUN_DIR]   (default: build-windows/run)
set -euo pipefail
source "$(dirname "$0")/../setup.sh"
# dpkg-shlibdeps, from dpkg-dev, computes the package's dependencies from the programs' shared libraries.
lumenfoldSetup "${lumenfoldPackages[@]}" dpkg-dev
(cd "$lumenfoldRoot/build" && cpack)
windowsRunDir=${1:-$lumenfoldRoot/build-windows/run}
if [ -d "$windowsRunDir" ]; then
    bash "$lumenfoldRoot/tools/package/windowsZip.sh" "$windowsRunDir" "$lumenfoldRoot/build/packages"
else
    echo "No Windows build at $windowsRunDir: the Windows zip is not made"
fi
