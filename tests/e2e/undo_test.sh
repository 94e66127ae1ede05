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
# The keeper's cell before the push and after it: the start moved by the walk, then by the push.
cell_after() {
    echo "$3" | awk -v x="$1" -v y="$2" '{
        for (i = 1; i <= length($0); i++) {
            c = tolower(substr($0, i, 1))
            x += (c == "r") - (c == "l")
            y += (c == "d") - (c == "u")
        }
    } END { print x, y }'
}
# shellcheck disable=SC2046  # the start's two coordinates
before_cell=$(cell_after $(level_cells "$LEVELS" 1 '@+') "$walk")
# shellcheck disable=SC2086  # the cell's two coordinates
pushed_cell=$(cell_after $before_cell "$push")

# The map's marks (rows top first, '@' the keeper) read off a screenshot into MAP. A mark follows its glide
# and jumps to the next cell half-way, so a reading is taken once it shows what is waited for.
read_map() {
    "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SCRATCH/$1.png" || return 1
    # shellcheck disable=SC2086  # the two extents
    MAP=$("$TARMELO_E2E_TOOLS/map_markers" "$SCRATCH/$1.png" $extents)
}
map_keeper_at() {
    read_map "$1" && [ "$(echo "$MAP" | sed -n "$(($3 + 1))p" | cut -c$(($2 + 1)))" = "@" ]
}
map_reads() { read_map "$1" && [ "$MAP" = "$2" ]; }

start_game
PROFILE_FILE=$SCRATCH/programdata/ZUR/Tarmelo3D/profiles.data
reach_menu
profile_dialogue 1 "undo" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"

steps=${#walk}
play_moves "$walk"
# shellcheck disable=SC2086  # the cell's two coordinates
wait_until 30 map_keeper_at before $before_cell || fail "the map's keeper is not at ($before_cell): $MAP"
before=$MAP
play_moves "$push" "$steps"
# shellcheck disable=SC2086  # the cell's two coordinates
wait_until 30 map_keeper_at pushed $pushed_cell || fail "the map's keeper is not at ($pushed_cell): $MAP"
[ "$(echo "$MAP" | tr @ -)" != "$(echo "$before" | tr @ -)" ] ||
    fail "the push did not move a crate's mark: $MAP"

TAPS=0
tap_step u $((steps + 1)) "$steps" || fail "U did not take the push back: $TEXT_SCORES"
wait_until 30 map_reads undone "$before" || fail "the map after the undo differs from before the push:
$before
against
$MAP"

play_moves "$pushes" "$steps"
wait_until 120 profile_level_is "$PROFILE_FILE" 2 ||
    fail "the profile file never reached level 2: $(profile_records_of "$PROFILE_FILE")"
profile_record "undo" "pw" 2 | cmp - "$PROFILE_FILE" >&2 || fail "the record is not undo's with level 2"
quit_by_menu
stop_game
echo "undo test passed"
