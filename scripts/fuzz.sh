#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# a short while (FUZZ_SECONDS, 30 by default). A crash fails the script and
# leaves the input that caused it in build-fuzz/.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${TALLIMO_FUZZ_BUILD_DIR:-build-fuzz}"
SECONDS_EACH="${FUZZ_SECONDS:-30}"
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALLIMO_BUILD_GUI=OFF -DTALLIMO_BUILD_TESTS=OFF -DTALLIMO_BUILD_BENCHMARKS=OFF \
    -DTALLIMO_BUILD_FUZZERS=ON
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target tallimo_decoder_stream_fuzzer
mkdir -p "$BUILD_DIR/corpus"
cp tests/decoder/captures/*.bin "$BUILD_DIR/corpus/" 2>/dev/null || true
cd "$BUILD_DIR"
./fuzz/tallimo_decoder_stream_fuzzer -max_total_time="$SECONDS_EACH" -max_len=4096 \
    -print_final_stats=1 corpus
