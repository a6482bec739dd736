#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Only what is missing is installed; apt-get update runs once, first.
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    qt6-base-dev qt6-translations-l10n libgl-dev
    libtag1-dev pkg-config
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good libgstreamer1.0-dev
    pulseaudio pulseaudio-utils
    libxcb1-dev
    xvfb xauth x11-utils xdotool wmctrl openbox trayer imagemagick
    fonts-dejavu-core lame
    dbus-daemon libglib2.0-bin desktop-file-utils
    clang libclang-rt-dev
    dpkg-dev file lintian appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
