#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tarvix need.
set -euo pipefail

packages=(
    # build
    cmake g++ make clang-format llvm clang lld
    # tests
    libgtest-dev libclang-rt-14-dev
    # window
    qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic libx11-dev
    # headless runs and screenshots
    xvfb openbox xdotool x11-utils imagemagick
    # Tarvix.exe: cross build, GoogleTest from source, tests under Wine
    g++-mingw-w64-x86-64-posix googletest wine64
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
