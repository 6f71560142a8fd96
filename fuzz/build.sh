#!/usr/bin/env bash
# Configures the fuzzing build (-DZELMORA_FUZZ=ON: clang, every library instrumented with
# coverage, AddressSanitizer and UndefinedBehaviorSanitizer; no tests or benchmarks) and
# builds fuzz targets in it.
#
#   fuzz/build.sh [TARGET...]
#
# TARGET is IniFileFuzz, OutlineLoadFuzz, StateReaderFuzz or HtmlLoadFuzz; without one,
# every target is built. BUILD (default build-fuzz) is the build folder, JOBS (default 2)
# the parallel jobs; the targets land in $BUILD/fuzz/. run-fuzzers.sh calls this first.
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-fuzz}
JOBS=${JOBS:-2}
scripts/install-deps.sh --fuzz

# A folder configured for something else (another compiler, or a build without
# ZELMORA_FUZZ) keeps settings the fuzzing build must not inherit, so it starts afresh.
fresh=()
if [ -f "$BUILD/CMakeCache.txt" ] && ! grep -qx 'ZELMORA_FUZZ:BOOL=ON' "$BUILD/CMakeCache.txt"; then
    fresh=(--fresh)
fi
launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake "${fresh[@]}" -S . -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMORA_FUZZ=ON -DZELMORA_TESTS=OFF -DZELMORA_BENCH=OFF \
    "${launcher[@]}"

if [ $# -eq 0 ]; then
    set -- fuzzers
fi
cmake --build "$BUILD" -j "$JOBS" --target "$@"
