#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build, the program and its tests need
# and the machine does not have yet. Run as root (or with sudo available).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    qt6-translations-l10n libgl-dev libx11-dev
    libsqlitecpp-dev libsqlite3-dev
    fonts-liberation
    xvfb xauth
    poppler-utils
    qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
    chromium chromium-driver python3-selenium zbar-tools
    appstream desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
