#!/bin/sh
# Guards against frozen frames: the keeper is walked about level 1 with plain key taps (nothing reads the
# screen) for SECONDS, and the game's main thread must use some CPU (user or system time) in every 2-second
# window. A frozen frame shows as the main thread asleep in the buffer swap while one rasterizer thread of
# the software renderer runs flat out (llvmpipe's anisotropic filter did this every minute or two). Longer
# runs:
#     xvfb-run -a tests/e2e/frame_stall_check.sh build/game 600
# Usage (under xvfb-run): frame_stall_check.sh GAME-DIR [SECONDS]
set -eu
GAME_DIR=$1
SECONDS_TO_WATCH=${2:-120}
TARMELO_E2E_TOOLS=${TARMELO_E2E_TOOLS:-$(dirname "$0")/../../build/tests/e2e}
. "$(dirname "$0")/lib.sh"

thread_times() {
    for task in /proc/"$GAME_PID"/task/*; do
        printf '%s %s; ' "$(cat "$task/comm")" "$(cut -d ' ' -f 14,15 "$task/stat")"
    done
}

start_game
reach_menu
profile_dialogue 1 "ann" "pw1"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"
(
    while :; do
        for key in Down Down Down Right Right Right Up Up Up Left Left Left; do
            xdotool keydown "$key" sleep 0.05 keyup "$key"
            sleep 0.5
        done
    done
) &
walker=$!
main=/proc/$GAME_PID/task/$GAME_PID/stat
main_ticks() { awk '{ print $14 + $15 }' "$main"; }
before=$(main_ticks)
watched=0
while [ "$watched" -lt "$SECONDS_TO_WATCH" ]; do
    sleep 2
    watched=$((watched + 2))
    now=$(main_ticks)
    if [ "$now" = "$before" ]; then
        kill "$walker"
        fail "a frame stalled after $watched s of play (thread, user and system ticks: $(thread_times))"
    fi
    before=$now
done
kill "$walker"
stop_game
echo "no frame stalled in $SECONDS_TO_WATCH s"
