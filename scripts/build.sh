#!/bin/sh
# Configures and builds the game tree: build/ with the game directory build/game/ (the executable beside
# every data file it opens), the tools and the end-to-end tests. Built with clang, optimised and without
# assertions, which the checking tree (build/sanitize/, clang with assertions) is not: code that builds only
# one way fails the test command. The game the tests run is the one play.sh builds.
set -eu
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARMELO_UNIT_TESTS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build
