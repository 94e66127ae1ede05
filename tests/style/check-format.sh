#!/bin/sh
# Fails when a source file differs from what clang-format makes of it with the committed style.
set -eu
cd "$1"
find $(ls -d src tests tools 2>/dev/null) -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror
