#!/bin/sh
# Installs what is needed, builds, and runs the program on its built-in
# default: a replay of the bundled example session with its passings.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
BUILD_DIR="${TALLIMO_BUILD_DIR:-build}"
"$BUILD_DIR/app/tallimo-tool" replay examples/demo-session.rent examples/demo-passings.txt \
    --out "$BUILD_DIR/demo-result.rent"
echo
"$BUILD_DIR/app/tallimo-tool" session export "$BUILD_DIR/demo-result.rent" --csv
