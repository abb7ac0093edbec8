#!/bin/sh
# Configures and builds into build/ (or $TALLIMO_BUILD_DIR). With
# TALLIMO_WERROR=ON (as in CI) any compiler warning fails the build.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${TALLIMO_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALLIMO_WERROR="${TALLIMO_WERROR:-OFF}"
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
