#!/bin/sh
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (or $TALLIMO_SANITIZE_BUILD_DIR) and runs the whole suite.
# Leak detection is off: the test programs keep one QApplication for their
# whole run on purpose, and Qt's own caches are never freed; what this pass
# looks for is memory misuse and undefined behaviour in the project's code.
# The end-to-end runs that hold the program to wall-clock deadlines (the
# page in chromium within a second of a lap, the kill-and-restart run) are
# left to the plain build: a sanitized program is several times slower.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${TALLIMO_SANITIZE_BUILD_DIR:-build-sanitize}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALLIMO_SANITIZE=ON -DTALLIMO_BUILD_BENCHMARKS=OFF
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" --timeout 600 \
        --label-exclude "browser|reliability"
