#!/bin/sh
# The slow level check, not part of scripts/test.sh: the shipped set and demo path are exactly what the
# level tool makes from the seed named in the set's header (a full generation: many minutes), and the
# set passes the audit the test command runs.
# Usage: scripts/check-levels.sh [THREADS]
set -eu
cd "$(dirname "$0")/.."
threads=${1:-2}

scripts/build.sh
tool=build/tarmelo-levels
seed=$(sed -n '2s/.*--seed \([0-9]*\).*/\1/p' data/levels/Classic.lvt)
[ -n "$seed" ] || { echo "no seed in the header of data/levels/Classic.lvt" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

started=$(date +%s)
"$tool" generate --seed "$seed" --threads "$threads" >"$scratch/Classic.lvt"
echo "generated in $(($(date +%s) - started)) s"
cmp "$scratch/Classic.lvt" data/levels/Classic.lvt || { echo "FAIL: the set differs from its regeneration" >&2; exit 1; }
"$tool" demo data/levels/Classic.lvt 1 | cmp - data/Moves.txt || { echo "FAIL: Moves.txt is not the demo of level 1" >&2; exit 1; }
"$tool" audit data/levels/Classic.lvt --threads "$threads" >/dev/null
echo "the set regenerates byte for byte from seed $seed and passes its audit"
