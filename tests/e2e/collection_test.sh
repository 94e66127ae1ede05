#!/bin/sh
# A collection file named on the command line: a new profile plays its first level, and solving it marks
# it solved in the level chooser and moves on to the collection's second level.
# Usage (under xvfb-run): collection_test.sh GAME-DIR
set -eu
GAME_DIR=$1
. "$(dirname "$0")/lib.sh"

# Written as players' files are: run-length rows, a comment, titles after the boards, CRLF line ends. The
# first level is solved by one push to the right.
COLLECTION_DIR=$(mktemp -d)
trap 'rm -rf "$COLLECTION_DIR"' EXIT
printf '%s\r\n' "Collection: Two Steps" "" "5#" "#@\$.#" "5#" "Title: One Push" "" \
    "; the second" "6#" "#@\$-.#" "6#" "Title: Two Pushes" >"$COLLECTION_DIR/two-steps.sok"

start_game "$COLLECTION_DIR/two-steps.sok"
reach_menu
profile_dialogue 1 "kim" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 of the collection: $TEXT_SCORES"
arrow_move Right 0 last || fail "the solving push made no step: $TEXT_SCORES"
wait_for_text 120 0 "$HUD_LEVEL_Y" "Level 2" "Level 1" || fail "level 2 did not follow the solve: $TEXT_SCORES"
wait_for_text 10 0 "$HUD_STEPS_Y" "Steps taken 0" "Steps taken 1" || fail "level 2 did not start afresh"

# The chooser: the collections page opens on the collection in play; its levels page shows level 1 solved
# (its line green) and level 2 open (grey).
press_until Escape 10 wait_for_main_page 1 || fail "Escape did not open the menu: $TEXT_SCORES"
menu_choose "Choose Level"
# A page's title: the large font, centred, its baseline 136 pixels below the top.
page_titled() { wait_for_text 0.3 "$(centred_x "$1")" 464 "$@"; }
collections_page() { page_titled "Choose Level" "two-steps.sok"; }
wait_until 30 collections_page || fail "no page of collections: $TEXT_SCORES"
# Enter on the selected line: the collection in play, whose name heads its levels page.
levels_page() { page_titled "two-steps.sok" "Choose Level"; }
press_until Return 10 levels_page || fail "Enter did not open the collection's levels: $TEXT_SCORES"
# The small font's lines stand 14 pixels apart from 166 pixels below the top; a solved level's line is green.
level_line_green() { probe_count green 48 $((154 + 14 * ($1 - 1))) 704 14; }
solved_shown() { [ "$(level_line_green 1)" -gt 150 ]; }
wait_until 10 solved_shown || { keep_picture "levels"; fail "level 1 is not marked solved: $(level_line_green 1) $TEXT_SCORES"; }
[ "$(level_line_green 2)" -eq 0 ] || { keep_picture "levels"; fail "level 2 is marked solved"; }

# Escape leads back page by page to the main page, which quits.
press_until Escape 10 collections_page || fail "Escape did not go back to the collections"
press_until Escape 10 wait_for_main_page 1 || fail "Escape did not go back to the main page: $TEXT_SCORES"
quit_from_main_page
stop_game
echo "collection test passed"
