#!/bin/sh
# Runs every fuzz target for longer than the test command does: scripts/fuzz.sh [seconds per target].
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}

scripts/install-deps.sh
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARMELO_SANITIZE=ON -DTARMELO_FUZZ=ON -DTARMELO_GAME=OFF >/dev/null
cmake --build build/sanitize
cmake -S . -B build/sanitize -DTARMELO_FUZZ_SECONDS="$seconds" >/dev/null
# Back to the test command's own short runs (the default in tests/fuzz/CMakeLists.txt) afterwards.
trap 'cmake -S . -B build/sanitize -UTARMELO_FUZZ_SECONDS >/dev/null' EXIT
ctest --test-dir build/sanitize -L fuzz --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
