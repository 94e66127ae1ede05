#!/bin/sh
# The profile dialogue with real key events: a created profile is one 72-byte record (name bytes + 64,
# level 1); a wrong password changes nothing and returns to the main page with its selection; Escape
# closes and reopens the menu once a profile is in use; "Quit" ends the game with status 0.
# Usage (under xvfb-run): menu_profile_test.sh GAME-DIR
set -eu
GAME_DIR=$1
. "$(dirname "$0")/lib.sh"

start_game
PROFILE_FILE=$SCRATCH/programdata/ZUR/Tarmelo3D/profiles.data
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
press space  # leaves the title; the menu opens on "Create New Profile"
sleep 0.5

press Return  # the name page
type_text "ann"
press Return  # the password page
type_text "pw1"
press Return  # created: the menu closes and level 1 is in play
sleep 0.5

[ -f "$PROFILE_FILE" ] || fail "no profile file at $PROFILE_FILE"
size=$(wc -c <"$PROFILE_FILE")
[ "$size" -eq 72 ] || fail "the profile file holds $size bytes, not one 72-byte record"
record=$(profile_records_of "$PROFILE_FILE")
# "ann" shifted by 64, zero-filled to 33 bytes.
expected_name="a1aeae$(printf '%060d' 0)"
[ "$(echo "$record" | cut -c1-66)" = "$expected_name" ] || fail "stored name bytes: $(echo "$record" | cut -c1-66)"
[ "$(echo "$record" | cut -c137-144)" = "01000000" ] || fail "stored level: $(echo "$record" | cut -c137-144)"
before=$(profile_records_of "$PROFILE_FILE")

# Escape opens the menu during play; a wrong password is refused and leaves the file alone.
press Escape
sleep 0.3
press Down  # "Load Profile"
press Return
type_text "ann"
press Return
type_text "nope"
press Return  # "INVALID PASSWORD!"
sleep 0.3
press Return  # dismissed: the main page, "Load Profile" still selected
[ "$(profile_records_of "$PROFILE_FILE")" = "$before" ] || fail "a refused load changed the profile file"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the dialogue"

# With a profile in use Escape closes the menu, and opens it again on the main page.
press Escape
sleep 0.3
press Escape
sleep 0.3
press Down  # "Quit": the selection was kept
press Return
wait_for_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit"
grep -q "File will be created..." "$GAME_OUT" || fail "no creation line on standard output"
[ "$(profile_records_of "$PROFILE_FILE")" = "$before" ] || fail "the profile file changed after the create"
stop_game
echo "menu profile test passed"
