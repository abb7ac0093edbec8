#!/bin/sh
# Installs what is missing, builds and runs every test; the exit code is
# ctest's. It may be the first command run on a fresh machine.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
BUILD_DIR="${TALLIMO_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
