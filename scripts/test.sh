#!/bin/sh
# Builds and runs every test; the exit code is ctest's.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
BUILD_DIR="${TALLIMO_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
