#!/bin/sh
# Speed and size of the real game under a virtual X server, as figures (not a test): the time from start
# to the first title frame; the share of one core the game uses and the frames per second it shows on the
# title, in the menu over a game board and in play on level 1 (keeper standing, and walking, shadows on);
# its peak resident memory over a one-minute run, beside that of a bare window of the same size.
# The frame rates are the driver's own counter (Mesa's HUD, kept invisible so the picture is unchanged,
# one reading a second written to a file): they need Mesa, as on the software renderer the game is
# measured on.
#     scripts/measure.sh [GAME-DIR]   (after scripts/build.sh; GAME-DIR defaults to build/game)
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export TARMELO_E2E_TOOLS="$PWD/build/tests/e2e"
GAME_DIR=$(cd "${1:-build/game}" && pwd)
BARE_WINDOW="$PWD/build/tools/scene_bench/bare_window"
. tests/e2e/lib.sh

HUD_DIR=$(mktemp -d)
export GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$HUD_DIR"

ticks=$(getconf CLK_TCK)
now_ms() { date +%s%3N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
fps_lines() { wc -l <"$HUD_DIR/fps" 2>/dev/null || echo 0; }
# Percent of one core used by the game over the given seconds; FPS is set to the median of the counter's
# readings taken meanwhile (the first, partly outside, is left out).
measure_for() {
    before=$(cpu_ticks)
    first=$(($(fps_lines) + 2))
    sleep "$1"
    after=$(cpu_ticks)
    last=$(fps_lines)
    FPS=$(sed -n "${first},${last}p" "$HUD_DIR/fps" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else printf "%.1f", v[int((NR + 1) / 2)] }')
    CPU=$(awk -v t=$((after - before)) -v hz="$ticks" -v s="$1" 'BEGIN { printf "%.1f", 100 * t / hz / s }')
}

started=$(now_ms)
start_game
window=$(game_window)
until [ "$(probe_count yellow 0 588 800 12)" -ge 20 ]; do sleep 0.02; done
title_ms=$(($(now_ms) - started))
measure_for 10
title="$CPU % of a core, $FPS frames/s"

press space
sleep 2  # the logo fades out behind the menu
measure_for 10
menu="$CPU % of a core, $FPS frames/s"

# Level 1: standing, then walking to and fro along the keeper's row (a step into a wall is a bump, the
# next step a walk, whatever the shipped level 1 looks like).
profile_dialogue 1 "measure" "pw"
sleep 1
measure_for 10
standing="$CPU % of a core, $FPS frames/s"
(
    for i in 1 2 3 4 5 6 7; do
        press Right 0.75
        press Left 0.75
    done
) &
walker=$!
sleep 0.5
measure_for 9
walking="$CPU % of a core, $FPS frames/s"
wait "$walker"

# Play on for the rest of the minute: a few steps, the lamp and back.
for key in Left Left Down Right Up l l s s; do
    press "$key"
    sleep 0.5
done
elapsed=$((($(now_ms) - started) / 1000))
[ "$elapsed" -lt 60 ] && sleep $((60 - elapsed))
peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
stop_game
rm -rf "$HUD_DIR"
unset GALLIUM_HUD GALLIUM_HUD_VISIBLE GALLIUM_HUD_PERIOD GALLIUM_HUD_DUMP_DIR
bare=$("$BARE_WINDOW" 60 | sed -n 's/.*: \([0-9]*\) MB/\1/p')

echo "start to first title frame: ${title_ms} ms"
echo "idle on the title: $title"
echo "idle in the menu over the board: $menu"
echo "play on level 1, standing, shadows on: $standing"
echo "play on level 1, walking, shadows on: $walking"
echo "peak resident memory over one minute: $((peak_kb / 1024)) MB (a bare window of the same size: ${bare} MB)"
