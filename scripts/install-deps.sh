#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Nivelon need,
# and only those that are missing, so a second run costs a dpkg query.
set -euo pipefail

# Debian's Qwt package names Qt5Svg and Qt5OpenGL in its pkg-config file without
# depending on their development packages, so they are listed here.
packages=(
    cmake ninja-build g++ pkg-config ccache
    qtbase5-dev libqt5serialport5-dev libqt5svg5-dev libqt5opengl5-dev libqwt-qt5-dev libudev-dev
    qttools5-dev qttools5-dev-tools qttranslations5-l10n
    libbenchmark-dev
    libmosquitto-dev mosquitto mosquitto-clients openssl
    xvfb xauth xdotool fonts-dejavu-core poppler-utils
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
