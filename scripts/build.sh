#!/bin/sh
# Configures and builds into build/ (or $TALLIMO_BUILD_DIR).
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${TALLIMO_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
