#!/bin/sh
# Configures and builds the game tree: build/ with the game directory build/game/ (the executable beside
# every data file it opens), the tools and the end-to-end tests.
set -eu
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARMELO_UNIT_TESTS=OFF >/dev/null
cmake --build build
