#!/bin/sh
# A profile file whose last record was cut short (a write that never finished): the whole record before it
# still loads with its level, and a new profile takes the place of the cut record, right after the whole
# one, without touching it: the file becomes exactly two records.
# Usage (under xvfb-run): truncated_profile_test.sh GAME-DIR
set -eu
GAME_DIR=$1
. "$(dirname "$0")/lib.sh"

new_scratch
PROFILE_FILE=$SCRATCH/programdata/ZUR/Tarmelo3D/profiles.data
mkdir -p "$(dirname "$PROFILE_FILE")"
profile_record "ann" "pw1" 4 >"$SCRATCH/first.data"
profile_record "cat" "pw3" 2 | head -c 50 >"$SCRATCH/cut.data"
cat "$SCRATCH/first.data" "$SCRATCH/cut.data" >"$PROFILE_FILE"

launch_game "$GAME_DIR"
reach_menu

profile_dialogue 2 "ann" "pw1"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 4" "Level 1" || fail "the whole record did not load: $TEXT_SCORES"
wait_for_text 10 0 "$HUD_NAME_Y" "ann" || fail "the HUD does not show the loaded profile: $TEXT_SCORES"

# A profile is in use, so Escape opens the menu from play; the new profile starts at level 1.
press_until Escape 10 wait_for_main_page 1 || fail "Escape did not open the menu: $TEXT_SCORES"
profile_dialogue 1 "dan" "pw4"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 4" || fail "the new profile is not in play: $TEXT_SCORES"
wait_for_text 10 0 "$HUD_NAME_Y" "dan" "ann" || fail "the HUD does not show the new profile: $TEXT_SCORES"

size=$(wc -c <"$PROFILE_FILE")
[ "$size" -eq 144 ] || fail "the profile file holds $size bytes, not two records"
profile_record "dan" "pw4" 1 >"$SCRATCH/new.data"
cat "$SCRATCH/first.data" "$SCRATCH/new.data" | cmp - "$PROFILE_FILE" >&2 ||
    fail "the file is not the whole record followed by the new one: $(profile_records_of "$PROFILE_FILE")"
quit_by_menu
stop_game
echo "truncated profile test passed"
