# tools/setup.sh
# Shared by run.sh and test.sh: installs what is missing, then configures and builds a Release build.
# Usage: source tools/setup.sh; lumenfoldSetup PACKAGE... (lumenfoldInstall PACKAGE... only installs)
lumenfoldInstall() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        if [ "$(id -u)" -eq 0 ]; then
            apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" || return 1
        else
            echo "Missing packages. Run this once, then try again:"
            echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}"
            return 1
        fi
    fi
}

lumenfoldSetup() {
    lumenfoldInstall "$@" || return 1
    cmake -S "$lumenfoldRoot" -B "$lumenfoldRoot/build" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$lumenfoldRoot/build" -j"$(nproc)"
}

lumenfoldRoot=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# dpkg-dev's dpkg-buildflags hardens the Release build, which the Debian package is made from.
lumenfoldPackages=(cmake g++ make pkg-config libglfw3-dev libglew-dev libgl-dev libpng-dev libgtest-dev libbenchmark-dev
                   fonts-dejavu-core lame dpkg-dev)
