#!/bin/sh
# Speed and size of the real game under a virtual X server, as figures (not a test): the time from start
# to the first title frame, the share of one core the game uses while idle on the title, in the menu over a
# game board and in play (keeper standing, shadows on), and its peak resident memory over a one-minute run.
#     scripts/measure.sh            (after scripts/build.sh)
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export TARMELO_E2E_TOOLS="$PWD/build/tests/e2e"
GAME_DIR="$PWD/build/game"
. tests/e2e/lib.sh

ticks=$(getconf CLK_TCK)
now_ms() { date +%s%3N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
# Percent of one core used by the game over the given seconds.
cpu_share() {
    before=$(cpu_ticks)
    sleep "$1"
    after=$(cpu_ticks)
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$1" 'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

started=$(now_ms)
start_game
window=$(game_window)
until [ "$(probe_count yellow 0 588 800 12)" -ge 20 ]; do sleep 0.02; done
title_ms=$(($(now_ms) - started))
title_cpu=$(cpu_share 10)

press space
sleep 2  # the logo fades out behind the menu
menu_cpu=$(cpu_share 10)

# Play on for the rest of the minute: a profile, a few steps, the lamp and back.
profile_dialogue 1 "measure" "pw"
for key in Left Left Down Right Up l l s s; do
    press "$key"
    sleep 0.5
done
play_cpu=$(cpu_share 10)
elapsed=$(( ($(now_ms) - started) / 1000 ))
[ "$elapsed" -lt 60 ] && sleep $((60 - elapsed))
peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
stop_game

echo "start to first title frame: ${title_ms} ms"
echo "CPU while idle on the title: ${title_cpu} % of one core"
echo "CPU while idle in the menu over the board: ${menu_cpu} % of one core"
echo "CPU while idle in play: ${play_cpu} % of one core"
echo "peak resident memory over one minute: $((peak_kb / 1024)) MB"
