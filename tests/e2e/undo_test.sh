#!/bin/sh
# Undo on the real game: on level 1 a push is taken back with U, and the mini-map shows the keeper and the
# crates where they stood before the push (the map's marks read off screenshots; the fog drifting over the
# map keeps its pixels from ever repeating exactly). Then the level is solved from there, and the profile
# file holds level 2: undo leaves the moves and the save as they were.
# Usage (under xvfb-run): undo_test.sh GAME-DIR LEVEL-TOOL
set -eu
GAME_DIR=$1
LEVEL_TOOL=$2
. "$(dirname "$0")/lib.sh"

LEVELS=$GAME_DIR/levels/Classic.lvt
solution=$("$LEVEL_TOOL" solve "$LEVELS" 1)
[ -n "$solution" ] || { echo "FAIL: no solution for level 1" >&2; exit 1; }
# The walk up to the first push, the push, and the rest.
walk=$(echo "$solution" | sed 's/[LURD].*//')
pushes=${solution#"$walk"}
rest=${pushes#?}
push=${pushes%"$rest"}
extents=$(level_wall_extent "$LEVELS" 1)

map_now() {
    sleep 0.5 # the glide's 9 ticks and a frame more
    "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SCRATCH/$1.png" || fail "no screenshot $1"
    # shellcheck disable=SC2086  # the two extents
    "$TARMELO_E2E_TOOLS/map_markers" "$SCRATCH/$1.png" $extents
}

start_game
PROFILE_FILE=$SCRATCH/programdata/ZUR/Tarmelo3D/profiles.data
reach_menu
profile_dialogue 1 "undo" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"

steps=${#walk}
play_moves "$walk"
before=$(map_now before)
echo "$before" | grep -q '@' || fail "no keeper mark on the map: $before"
play_moves "$push" "$steps"
pushed=$(map_now pushed)
[ "$pushed" != "$before" ] || fail "the push did not change the map: $pushed"

"$TARMELO_E2E_TOOLS/x11_tap" "$window" u || fail "U was not pressed"
wait_for_text 5 0 "$HUD_STEPS_Y" "Steps taken $steps" "Steps taken $((steps + 1))" ||
    fail "U did not take the push back: $TEXT_SCORES"
undone=$(map_now undone)
[ "$undone" = "$before" ] || fail "the map after the undo differs from before the push:
$before
against
$undone"

play_moves "$pushes" "$steps"
wait_until 120 profile_level_is "$PROFILE_FILE" 2 ||
    fail "the profile file never reached level 2: $(profile_records_of "$PROFILE_FILE")"
profile_record "undo" "pw" 2 | cmp - "$PROFILE_FILE" >&2 || fail "the record is not undo's with level 2"
quit_by_menu
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit"
stop_game
echo "undo test passed"
