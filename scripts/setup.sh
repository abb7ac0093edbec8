#!/bin/sh
# Installs every Debian package that building, testing and running need.
# Nothing is downloaded at build time. Run as root or with sudo available.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config
libgtest-dev libgmock-dev libbenchmark-dev
qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-tools-dev qt6-httpserver-dev
libfreeimage-dev libgl-dev xvfb xauth chromium
clang clang-format libclang-rt-14-dev fonts-dejavu-core"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    echo "setup: all packages are installed"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "setup: installing$missing"
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
