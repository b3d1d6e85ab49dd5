#!/bin/bash
# Installs what is missing (Debian 12), builds, then starts the clock or runs every test.
#   tools/bootstrap.sh clock   build and start the clock on the current display
#   tools/bootstrap.sh test    build and run every test headless
set -euo pipefail
mode=${1:-clock}
cd "$(dirname "$0")/.."

# qt6-websockets-dev: Debian's qt6-httpserver-dev needs it to be found by CMake
# but does not pull it in.
build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev libxcb1-dev libxcb-shape0-dev libxcb-screensaver0-dev fonts-noto-cjk
                qt6-webengine-dev qt6-httpserver-dev qt6-websockets-dev qt6-l10n-tools qt6-tools-dev)
test_packages=(clang-format desktop-file-utils xvfb openbox xfwm4 dbus-daemon xdotool x11-utils x11-xserver-utils imagemagick pulseaudio pulseaudio-utils clang libclang-rt-14-dev
               mutter xwayland python3-gi gir1.2-glib-2.0 wmctrl kwin-wayland sway
               faketime man-db appstream fontconfig shared-mime-info libxml2-utils libglib2.0-bin)
packages=("${build_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

case "$mode" in
clock) exec build/bin/vespera ;;
test)
    # Every process the tests start carries this mark in its environment:
    # whatever still carries it once they are over outlived its test.
    export VESPERA_TEST_RUN=$$.$RANDOM
    status=0
    (cd build && ctest --output-on-failure) || status=$?
    VESPERA_TEST_RUN= bash tools/leftovers.sh "$VESPERA_TEST_RUN" || status=1
    exit $status
    ;;
*) echo "usage: $0 clock|test" >&2; exit 2 ;;
esac
