#!/bin/sh
# The demo: a title left alone for 60 s starts it ("DEMO" in the HUD), its path solves level 1 (the
# mini-map shows the crate on the goal), Escape leaves it for the menu, "Quit" ends the game with status 0.
# The shipped path ends with the solving push and the demo on the next frame, too soon to look: the game
# runs from a copy of its directory whose "Moves.txt" adds a walk back and forth.
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

crate_in_map_cell() {
    mean=$(probe $((10 * $1 + 2)) $((600 - 10 * (EXTENT_Y - $2) - 8)) 6 6 | sed -n 's/^mean \([0-9]*\)[.0-9]* \([0-9]*\)[.0-9]* \([0-9]*\).*/\1 \2 \3/p')
    set -- $mean
    [ "$#" -eq 3 ] && [ "$1" -gt $(($2 + 15)) ] && [ "$1" -gt $(($3 + 45)) ]
}

sign() {
    if [ "$1" -gt 0 ]; then echo 1; elif [ "$1" -lt 0 ]; then echo -1; else echo 0; fi
}

new_scratch
mkdir "$SCRATCH/game"
for entry in "$GAME_DIR"/*; do
    ln -s "$entry" "$SCRATCH/game/"
done
rm "$SCRATCH/game/Moves.txt"
cp "$GAME_DIR/Moves.txt" "$SCRATCH/game/Moves.txt"
# The keeper ends where the solving push left it; the cell it came from is free: walk there and back.
IFS=, read -r end_x end_y <<EOF_END
$(tail -n 1 "$GAME_DIR/Moves.txt")
EOF_END
IFS=, read -r run_x run_y <<EOF_RUN
$(tail -n 3 "$GAME_DIR/Moves.txt" | head -n 1)
EOF_RUN
back_x=$((end_x - $(sign $((end_x - run_x)))))
back_y=$((end_y - $(sign $((end_y - run_y)))))
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
    printf '%s,%s\n%s,%s\n' "$back_x" "$back_y" "$end_x" "$end_y"
done >>"$SCRATCH/game/Moves.txt"
printf '%s,%s\n' "$back_x" "$back_y" >>"$SCRATCH/game/Moves.txt"

launch_game "$SCRATCH/game"
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
title_seen=$(date +%s)
wait_for_text 80 336 "$MIDDLE_Y" "DEMO" || fail "no DEMO within 80 s of the title: $TEXT_SCORES"
waited=$(($(date +%s) - title_seen))
[ "$waited" -ge 58 ] || fail "the demo started $waited s after the title, not 60"
# The logo fades out over the first frames of the demo, so the map is read once the crate has moved.
wait_until 60 crate_in_map_cell "$GOAL_X" "$GOAL_Y" ||
    fail "the map shows no crate on the goal: $(probe $((10 * GOAL_X + 2)) $((600 - 10 * (EXTENT_Y - GOAL_Y) - 8)) 6 6)"
crate_in_map_cell "$CRATE_X" "$CRATE_Y" && fail "the map still shows a crate at its start"
wait_for_text 0 336 "$MIDDLE_Y" "DEMO" || fail "the demo ended with the solving push: $TEXT_SCORES"

press_until Escape 15 wait_for_main_page 1 || fail "Escape did not open the menu: $TEXT_SCORES"
wait_for_text 0 336 "$MIDDLE_Y" "DEMO" && fail "DEMO is still shown in the menu"
menu_choose 3
wait_for_exit 30
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit"
stop_game
echo "demo test passed"
