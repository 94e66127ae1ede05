#!/bin/sh
# A profile folder the player may not write to: creating a profile shows "File I/O ERROR!" and leaves the
# stored record byte for byte as it was, while the stored profile still loads (read only) with its level.
# Solving that level then cannot save the level reached: the HUD says "PROGRESS NOT SAVED!" and play goes
# on. The game runs as an unprivileged user, since file permissions do not stop root.
# Usage (under xvfb-run): readonly_profiles_test.sh GAME-DIR LEVEL-TOOL
set -eu
GAME_DIR=$1
LEVEL_TOOL=$2
. "$(dirname "$0")/lib.sh"

new_scratch
PROFILE_DIR=$SCRATCH/programdata/ZUR/Tarmelo3D
PROFILE_FILE=$PROFILE_DIR/profiles.data
mkdir -p "$PROFILE_DIR"
profile_record "ann" "pw1" 2 >"$PROFILE_FILE"
cp "$PROFILE_FILE" "$SCRATCH/before.data"
chmod 444 "$PROFILE_FILE"
chmod 555 "$PROFILE_DIR" "$SCRATCH/programdata/ZUR"

if [ "$(id -u)" -eq 0 ]; then
    # The game as "nobody": it reads the scratch folder and the X server's cookie, and writes nothing but
    # the output files that this shell opens for it.
    chmod 755 "$SCRATCH" "$SCRATCH/programdata"
    cookie=$SCRATCH/xauthority
    if [ -n "${XAUTHORITY:-}" ]; then
        cp "$XAUTHORITY" "$cookie"
        chmod 644 "$cookie"
    fi
    as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
    game_dir=$GAME_DIR
    # A build tree in a folder closed to others (a home folder) is copied where the game can read it.
    if ! $as_nobody test -x "$GAME_DIR/tarmelo3d"; then
        cp -R "$GAME_DIR" "$SCRATCH/game"
        chmod -R a+rX "$SCRATCH/game"
        game_dir=$SCRATCH/game
    fi
    # shellcheck disable=SC2086  # the command and its options
    launch_game "$game_dir" $as_nobody env HOME="$SCRATCH" XAUTHORITY="$cookie"
else
    launch_game "$GAME_DIR"
fi
reach_menu

profile_dialogue 1 "bob" "pw2"
wait_for_middle_text 30 "File I/O ERROR!" "PROFILE ALREADY EXISTS!" "INVALID PASSWORD!" ||
    fail "no File I/O ERROR! message: $TEXT_SCORES"
cmp "$SCRATCH/before.data" "$PROFILE_FILE" >&2 || fail "a refused create changed the profile file"
press_leaving Return wait_for_middle_text 0 "File I/O ERROR!" "PROFILE ALREADY EXISTS!" "INVALID PASSWORD!" ||
    fail "the message stayed"
wait_for_main_page 30 || fail "no main page after the message: $TEXT_SCORES"

# Reading needs no write access: the stored profile loads with its level.
profile_dialogue 2 "ann" "pw1"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "the stored profile did not load: $TEXT_SCORES"

# The level solved, its save fails: the player is told, and the next level is played all the same.
PROGRESS_Y=$((HUD_LEVEL_Y - 72))
wait_for_text 0 0 "$PROGRESS_Y" "PROGRESS NOT SAVED!" && fail "a warning before any save failed"
play_moves "$("$LEVEL_TOOL" solve "$GAME_DIR/levels/Classic.lvt" 2)"
wait_for_text 60 0 "$HUD_LEVEL_Y" "Level 3" "Level 2" || fail "level 3 did not follow: $TEXT_SCORES"
wait_for_text 10 0 "$PROGRESS_Y" "PROGRESS NOT SAVED!" "Steps taken 0" ||
    fail "no PROGRESS NOT SAVED! line after the failed save: $TEXT_SCORES"
"$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$TARMELO_E2E_TOOLS/progress_not_saved.png" || true
quit_by_menu
cmp "$SCRATCH/before.data" "$PROFILE_FILE" >&2 || fail "the profile file changed"
chmod -R u+w "$SCRATCH"
stop_game
echo "read-only profiles test passed"
