#!/bin/sh
# Play by pointing on the real game, with real clicks: level 1 solved with the mouse alone (a click on the
# floor walks the keeper there; a click on the crate chooses it, a click on a marked cell pushes it there),
# the HUD's steps and pushes read after each action, the record kept in the progress file. After a restart
# the level chooser shows level 1 solved with its record, and W plays the record back ("REPLAY") and
# returns to the chooser. Where a cell shows in the window comes from the game's own camera, projection and
# picking (CELL-PIXEL), once the picture has stopped shifting behind the keeper.
# Usage (under xvfb-run): mouse_test.sh GAME-DIR CELL-PIXEL
set -eu
GAME_DIR=$1
CELL_PIXEL=$2
. "$(dirname "$0")/lib.sh"

LEVELS=$GAME_DIR/levels/Classic.lvt
# The clicks below are made for this layout: the keeper at (1, 1), the goal at (2, 1), the crate at
# (3, 2), which goes up one cell and then left one.
if [ "$(level_cells "$LEVELS" 1 '@')" != "1 1" ] || [ "$(level_cells "$LEVELS" 1 '.')" != "2 1" ] ||
    [ "$(level_cells "$LEVELS" 1 '$')" != "3 2" ]; then
    echo "FAIL: level 1 of $LEVELS is not the lesson this test plays" >&2
    exit 1
fi

# Wait up to a minute until the board's part of the picture holds still: the camera has come to rest
# behind the keeper. (Again when the X server dropped the helper's connection; see game_window.)
picture_still() {
    for _ in 1 2 3; do
        still_status=0
        STILL=$("$TARMELO_E2E_TOOLS/x11_still" "$window" 150 180 500 360 60) || still_status=$?
        [ "$still_status" -eq 1 ] || break
        sleep 0.2
    done
    [ "$still_status" -eq 0 ] && return 0
    TEXT_SCORES="last $STILL" && keep_picture "still"
    fail "the picture did not hold still within a minute: $TEXT_SCORES"
}

# The window pixel "X Y" over the top of cell ($2, $3) with the camera at rest, once the moves $1 ("-" for
# none) are made from the level's start (any moves that leave the keeper and the crate where the game's
# plans left them).
cell_pixel() {
    "$CELL_PIXEL" "$LEVELS" 1 "$WIDTH" "$HEIGHT" "$1" "$2" "$3"
}

# Wait for the picture to rest, then move the pointer over cell ($2, $3) as it shows after the moves $1 and
# click the left button. The game reads every press of a button, however short, so a click is never
# repeated.
click_cell() {
    picture_still
    xy=$(cell_pixel "$1" "$2" "$3") || fail "cell ($2, $3) cannot be pointed at after the moves $1"
    moved=""
    for _ in 1 2 3; do
        # shellcheck disable=SC2086  # the pixel's two coordinates
        xdotool mousemove --window "$window" $xy && moved=1 && break
        sleep 0.2
    done
    [ -n "$moved" ] || fail "the pointer could not be moved to ($xy)"
    xdotool click 1 || fail "the click on cell ($2, $3) was not sent"
}

# Whether the green square of a cell the chosen crate can be pushed to shows at cell ($2, $3) after the
# moves $1: most of the 8 x 8 pixels round the point clicked there.
target_marked() {
    # shellcheck disable=SC2046  # the pixel's two coordinates
    set -- $(cell_pixel "$1" "$2" "$3")
    [ "$(probe_count green $(($1 - 4)) $(($2 - 4)) 8 8)" -ge 40 ]
}

# The HUD's step and push counters read $1 and $2 (each against one fewer and one more).
hud_counts() {
    wait_for_text 60 0 "$HUD_STEPS_Y" "Steps taken $1" "Steps taken $(($1 - 1))" "Steps taken $(($1 + 1))" ||
        return 1
    wait_for_text 10 0 "$HUD_PUSHES_Y" "Pushes $2" "Pushes $(($2 + 1))" "Pushes $((($2 + 9) % 10))"
}

start_game
PROFILE_DIR=$SCRATCH/programdata/ZUR/Tarmelo3D
reach_menu
profile_dialogue 1 "mike" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"
geometry=$(xdotool getwindowgeometry "$window") || fail "the window's size cannot be read"
WIDTH=$(echo "$geometry" | sed -n 's/.*Geometry: \([0-9]*\)x[0-9]*.*/\1/p')
HEIGHT=$(echo "$geometry" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
hud_counts 0 0 || fail "the HUD does not count 0 steps and 0 pushes: $TEXT_SCORES"

# A walk of three steps to (2, 3), below the crate's left: any shortest way ends there.
click_cell - 2 3
hud_counts 3 0 || fail "a click on (2, 3) did not walk the keeper there in 3 steps: $TEXT_SCORES"
target_marked rdd 3 1 && fail "a cell is marked for a push before any crate was chosen"

# The crate chosen: the cell above it is marked, and nothing moved.
click_cell rdd 3 2
wait_until 30 target_marked rdd 3 1 || { keep_picture "chosen"; fail "the crate's targets are not marked"; }
hud_counts 3 0 || fail "choosing the crate moved the keeper: $TEXT_SCORES"

# The first push: a step to (3, 3), then up.
click_cell rdd 3 1
hud_counts 5 1 || fail "a click on (3, 1) did not push the crate there: $TEXT_SCORES"
target_marked rddrU 3 1 && fail "the push left cells marked"

# The crate chosen again at (3, 1), then pushed left onto the goal: round by (4, 2) and (4, 1).
click_cell rddrU 3 1
wait_until 30 target_marked rddrU 4 1 || { keep_picture "chosen"; fail "the crate's targets are not marked"; }
click_cell rddrU 2 1
wait_for_text 120 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "the level did not end in level 2: $TEXT_SCORES"

# The record: 8 moves, 2 pushes, the walk of three steps first.
PROGRESS=$PROFILE_DIR/progress.data
[ "$(head -c 4 "$PROGRESS" 2>/dev/null)" = "TPRG" ] || fail "no progress record beside the profile file"
tr -c 'lrudLRUD' '\n' <"$PROGRESS" | grep -q '^[lrud][lrud][lrud]rUruL' ||
    fail "the progress file does not hold the solution played: $(od -c "$PROGRESS" | head -n 8)"
quit_by_menu

# The same profile folder again: the chooser shows the record and plays it back.
launch_game "$GAME_DIR"
reach_menu
profile_dialogue 2 "mike" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "the loaded profile is not at level 2: $TEXT_SCORES"
press_until Escape 10 wait_for_main_page 1 || fail "Escape did not open the menu: $TEXT_SCORES"
menu_choose "Choose Level"

# Pages of the chooser, told by their titles in the large font; the levels' lines in the small font, level 1
# on the first (the list's top in window pixels: 166 below the top edge), its mark after 55 characters.
chooser_title() {
    wait_for_text "$1" "$(centred_x "$2")" 464 "$2" "$3"
}
LIST_Y=$((HEIGHT - 166))
MARK_X=$((48 + 8 * 55))
small_text() {
    TEXT_FONT=$GAME_DIR/Textures/Text.tga
    small_status=0
    wait_for_text "$@" || small_status=$?
    TEXT_FONT=""
    return "$small_status"
}
level_one_mark() {
    small_text 10 "$MARK_X" "$LIST_Y" "solved 8m/2p" "solved 9m/2p" "solved 8m/1p"
}
chooser_title 30 "Choose Level" "Classic" || fail "no page of collections: $TEXT_SCORES"
press_leaving Return chooser_title 0.3 "Choose Level" "Classic" || fail "Enter did not open a collection"
chooser_title 30 "Classic" "Choose Level" || fail "no page of Classic's levels: $TEXT_SCORES"
level_one_mark || {
    keep_picture "chooser"
    fail "level 1 is not shown solved in 8 moves and 2 pushes: $TEXT_SCORES"
}

# Level 1 selected (the page opens on the level in play), then watched: "REPLAY" and the record's line on the
# HUD until the moves have been played and the chooser comes back by itself.
first_selected() { small_text 0.3 48 "$LIST_Y" ">"; }
press_until Home 10 first_selected || fail "Home did not select level 1: $TEXT_SCORES"
press_until w 10 wait_for_middle_text 0.3 "REPLAY" || fail "W did not play level 1's record: $TEXT_SCORES"
wait_for_text 10 0 480 "Best 8 moves, 2 pushes" "Best 9 moves, 2 pushes" "Best 8 moves, 1 pushes" ||
    fail "the HUD does not show the record while it plays: $TEXT_SCORES"
chooser_title 60 "Classic" "REPLAY" || fail "the chooser did not come back after the record: $TEXT_SCORES"
level_one_mark || {
    keep_picture "chooser"
    fail "level 1's mark is gone after the watching: $TEXT_SCORES"
}

press_leaving Escape chooser_title 0.3 "Classic" "Choose Level" || fail "Escape did not leave the levels"
chooser_title 30 "Choose Level" "Classic" || fail "Escape did not go back to the collections: $TEXT_SCORES"
press_leaving Escape chooser_title 0.3 "Choose Level" "Classic" || fail "Escape did not leave the chooser"
wait_for_main_page 30 || fail "no main page after the chooser: $TEXT_SCORES"
quit_from_main_page "on the second run"
stop_game
echo "mouse test passed"
