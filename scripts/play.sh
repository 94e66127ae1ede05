#!/bin/sh
# The README's first command: install what is missing, build, lay out the game directory, start the game.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
cd build/game
exec ./tarmelo3d
