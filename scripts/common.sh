# Shared by run.sh and test.sh: the Debian packages the build needs, and the build itself.
# Sourced, not run.

TN2_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TN2_JOBS="${TN2_JOBS:-$(nproc)}"
# Qt Multimedia plays through GStreamer: its base plugins build the pipeline (without them the player
# crashes), good/libav/ugly decode WAV, MP4/H.264, AVI, WMV and the usual sound formats. The browser
# engine's helper process (libqt6webenginecore6-bin) is only recommended by its library, so it is
# named here: without it the weather and radio previews stay blank. clang and its runtime build the
# fuzz targets (scripts/fuzz.sh); the program itself is built with gcc.
TN2_PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libsqlite3-dev libbenchmark-dev
              libzip-dev pkg-config xvfb xauth libgl1-mesa-dev fonts-dejavu-core
              qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
              gstreamer1.0-plugins-ugly qt6-image-formats-plugins qt6-translations-l10n
              qt6-webengine-dev libqt6webenginecore6-bin clang libclang-rt-14-dev)

# Installs the packages that are missing; does nothing (and needs no network) when all are there.
tn2_install_packages() {
    local missing=() package
    for package in "${TN2_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "Run this script as root (or install sudo) so that they can be installed." >&2
            return 1
        fi
        sudo=(sudo)
    fi
    echo "Installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# tn2_build DIR BUILD_TYPE [CMAKE_ARGUMENTS...]
tn2_build() {
    local dir="$1" type="$2"
    shift 2
    cmake -S "$TN2_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$dir" -j "$TN2_JOBS"
}
