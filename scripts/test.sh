#!/bin/sh
# The README's second command: the same set-up as play.sh, then every test.
#  - build/           the game tree (clang, optimised, no assertions): end-to-end tests against the real
#                     game directory;
#  - build/sanitize/  clang with ASan + UBSan: unit tests and a short run of every fuzz target.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

# The fuzz targets' short runs: the default seconds, even in a tree that scripts/fuzz.sh left otherwise.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARMELO_SANITIZE=ON -DTARMELO_FUZZ=ON -DTARMELO_GAME=OFF -UTARMELO_FUZZ_SECONDS >/dev/null
cmake --build build/sanitize

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
jobs=$(nproc 2>/dev/null || echo 2)

status=0
ctest --test-dir build/sanitize --output-on-failure -j "$jobs" || status=1
ctest --test-dir build --output-on-failure -j "$jobs" --no-tests=ignore || status=1
exit $status
