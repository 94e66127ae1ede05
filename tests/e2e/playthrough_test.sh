#!/bin/sh
# A whole game with real keys: a new profile plays level 1 to its end and level 2 lands in its record;
# after a restart a wrong password shows "INVALID PASSWORD!" and changes nothing, the right one brings
# "Level 2" back; "Quit" ends both runs with status 0.
# Usage (under xvfb-run): playthrough_test.sh GAME-DIR LEVEL-TOOL
set -eu
GAME_DIR=$1
LEVEL_TOOL=$2
. "$(dirname "$0")/lib.sh"

solution=$("$LEVEL_TOOL" solve "$GAME_DIR/levels/Classic.lvt" 1)
[ -n "$solution" ] || { echo "FAIL: no solution for level 1" >&2; exit 1; }

start_game
PROFILE_FILE=$SCRATCH/programdata/ZUR/Tarmelo3D/profiles.data
reach_menu
profile_dialogue 1 "ann" "pw1"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"
wait_for_text 10 0 "$HUD_NAME_Y" "ann" || fail "the HUD does not show the new profile: $TEXT_SCORES"

play_moves "$solution"

# The boxes sink for about 40 frames and the logo fades in for 20 before the next level loads and the
# level reached is written; on a busy machine a frame can take a few tenths of a second.
if ! wait_until 120 profile_level_is "$PROFILE_FILE" 2; then
    TEXT_SCORES="" && keep_picture "level-end"
    fail "the profile file never reached level 2: $(profile_records_of "$PROFILE_FILE") $TEXT_SCORES"
fi
size=$(wc -c <"$PROFILE_FILE")
[ "$size" -eq 72 ] || fail "the profile file holds $size bytes, not one 72-byte record"
profile_record "ann" "pw1" 2 | cmp - "$PROFILE_FILE" >&2 || fail "the record is not ann's with level 2"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "the HUD does not show level 2: $TEXT_SCORES"
record=$(profile_records_of "$PROFILE_FILE")
quit_by_menu

# The same profile folder again: a wrong password is refused and leaves the file as it was.
launch_game "$GAME_DIR"
reach_menu
profile_dialogue 2 "ann" "pw2"
wait_for_middle_text 30 "INVALID PASSWORD!" "PROFILE NOT FOUND!" "File I/O ERROR!" ||
    fail "no INVALID PASSWORD! message: $TEXT_SCORES"
[ "$(profile_records_of "$PROFILE_FILE")" = "$record" ] || fail "a refused load changed the profile file"
press_leaving Return wait_for_middle_text 0 "INVALID PASSWORD!" "PROFILE NOT FOUND!" "File I/O ERROR!" ||
    fail "the message stayed"
wait_for_main_page 30 || fail "no main page after the message: $TEXT_SCORES"

profile_dialogue 2 "ann" "pw1"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "the loaded profile is not at level 2: $TEXT_SCORES"
# The same reading from a screenshot, as a person would look at it.
"$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SCRATCH/loaded.png" || fail "no screenshot"
"$TARMELO_E2E_TOOLS/text_match" "$SCRATCH/loaded.png" "$GAME_DIR/Textures/Swords.tga" 0 "$HUD_LEVEL_Y" \
    "Level 2" "Level 1" >&2 || fail "the screenshot does not show level 2"
wait_for_text 10 0 "$HUD_NAME_Y" "ann" || fail "the HUD does not show the loaded profile: $TEXT_SCORES"
quit_by_menu "on the second run"
[ "$(profile_records_of "$PROFILE_FILE")" = "$record" ] || fail "the second run changed the profile file"
stop_game
echo "playthrough test passed"
