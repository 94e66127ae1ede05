#!/bin/sh
# The demo as a viewer sees it, from the shipped path: a title left alone for 60 s starts it ("DEMO" in the
# HUD); the keeper walks round level 1 before the crate moves (the mini-map shows it at its start once the
# logo has faded), then solves the level (the map shows the crate on the goal); the demo goes on beside the
# solved level, and at the end of the path the title comes back by itself, at least 12 s after the demo
# began. Space then leaves the title for the menu, whose "Quit" ends the game with status 0. (Space and
# Escape during a demo are left to the game loop's unit test: a second demo would cost another minute.)
# Usage (under xvfb-run): demo_test.sh GAME-DIR
set -eu
GAME_DIR=$1
. "$(dirname "$0")/lib.sh"

# Level 1's crate, its goal and the map's last row come from the level file. The map draws cell (x, y)
# 10 x 10 pixels large at (10 x, 600 - 10 (extentY - y) - 10) from the window's top-left, extentY being
# the last row with a wall. Through the map's translucency and the fog a crate is orange (red well above
# green, far above blue); goal gold, keeper green, floor grey-blue.
LEVELS=$GAME_DIR/levels/Classic.lvt
set -- $(level_cells "$LEVELS" 1 '$')
[ "$#" -eq 2 ] || fail "level 1 should hold one crate off its goal"
CRATE_X=$1
CRATE_Y=$2
set -- $(level_cells "$LEVELS" 1 '.+')
[ "$#" -eq 2 ] || fail "level 1 should hold one goal"
GOAL_X=$1
GOAL_Y=$2
set -- $(level_wall_extent "$LEVELS" 1)
EXTENT_Y=$2

map_cell_probe() {
    probe $((10 * $1 + 2)) $((600 - 10 * (EXTENT_Y - $2) - 8)) 6 6
}

crate_in_map_cell() {
    mean=$(map_cell_probe "$1" "$2" | sed -n 's/^mean \([0-9]*\)[.0-9]* \([0-9]*\)[.0-9]* \([0-9]*\).*/\1 \2 \3/p')
    set -- $mean
    [ "$#" -eq 3 ] && [ "$1" -gt $(($2 + 15)) ] && [ "$1" -gt $(($3 + 45)) ]
}

now_ms() {
    date +%s%3N
}

start_game
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
title_seen=$(date +%s)
wait_for_text 80 336 "$MIDDLE_Y" "DEMO" || fail "no DEMO within 80 s of the title: $TEXT_SCORES"
demo_seen=$(now_ms)
waited=$(($(date +%s) - title_seen))
[ "$waited" -ge 58 ] || fail "the demo started $waited s after the title, not 60"
title_shown && fail "the title's prompt is still shown in the demo"

# The walk before the solution lasts at least 9 s at the game's fastest; the logo fades out well before.
wait_until 9 crate_in_map_cell "$CRATE_X" "$CRATE_Y" ||
    fail "the map never showed the crate at its start: $(map_cell_probe "$CRATE_X" "$CRATE_Y")"
# The demo runs frame by frame: on a busy machine its 14 s of play take minutes.
wait_until 240 crate_in_map_cell "$GOAL_X" "$GOAL_Y" ||
    fail "the map shows no crate on the goal: $(map_cell_probe "$GOAL_X" "$GOAL_Y")"
solved=$(now_ms)
crate_in_map_cell "$CRATE_X" "$CRATE_Y" && fail "the map still shows a crate at its start"
wait_for_text 0 336 "$MIDDLE_Y" "DEMO" || fail "the demo ended with the solving push: $TEXT_SCORES"

wait_for_title 240 || fail "the title did not come back at the end of the demo: $TEXT_SCORES"
ended=$(now_ms)
echo "the demo: solved $((solved - demo_seen)) ms after DEMO was seen, the title back $((ended - solved)) ms later"
[ $((ended - demo_seen)) -ge 12000 ] || fail "the demo lasted $((ended - demo_seen)) ms, not 12 s"

press_until space 10 wait_for_main_page 1 || fail "Space on the returned title opened no menu: $TEXT_SCORES"
quit_from_main_page
stop_game
echo "demo test passed"
