#!/bin/sh
# Figures for large level collections, not a test: the time to read and parse a file of 10,000 levels (the
# Classic set turned and mirrored, over and over), and the game's time from start to the first title frame
# with 20 such files in its level folder beside that with an empty folder (five starts each, in turn; the
# median), under a virtual X server.
#     scripts/measure-collections.sh   (after scripts/build.sh)
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export TARMELO_E2E_TOOLS="$PWD/build/tests/e2e"
GAME_DIR=$PWD/build/game
BENCH=$PWD/build/tools/collection_bench
. tests/e2e/lib.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BENCH" make 10000 data/levels/Classic.lvt "$work/big.xsb"
echo "a file of 10,000 levels: $(wc -c <"$work/big.xsb") bytes"
"$BENCH" read "$work/big.xsb"

mkdir -p "$work/empty/ZUR/Tarmelo3D/levels" "$work/full/ZUR/Tarmelo3D/levels"
for i in $(seq 1 20); do cp "$work/big.xsb" "$work/full/ZUR/Tarmelo3D/levels/big$i.xsb"; done

now_ms() { date +%s%3N; }
# Milliseconds from the start to the title's prompt, with the profile folder under $1.
start_to_title() {
    started=$(now_ms)
    (cd "$GAME_DIR" && PROGRAMDATA="$1" exec ./tarmelo3d >/dev/null 2>&1) &
    GAME_PID=$!
    window=$(game_window)
    until [ "$(probe_count yellow 0 588 800 12)" -ge 20 ]; do sleep 0.02; done
    echo $(($(now_ms) - started))
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for _ in 1 2 3 4 5; do
    start_to_title "$work/empty" >>"$work/empty.ms"
    start_to_title "$work/full" >>"$work/full.ms"
done
echo "start to title, empty level folder: median $(median <"$work/empty.ms") ms ($(tr '\n' ' ' <"$work/empty.ms")ms)"
echo "start to title, 20 files of 10,000 levels: median $(median <"$work/full.ms") ms ($(tr '\n' ' ' <"$work/full.ms")ms)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
