#!/bin/sh
# The game started in a folder that holds nothing but its executable: it reports each of the 17 images it
# could not load, one line each in slot order, and still runs its title screen and its menu, whose
# selection moves with the arrow keys over its four items, and "Quit" ends it with status 0.
# Usage (under xvfb-run): no_data_test.sh GAME-DIR
set -eu
GAME_DIR=$1
. "$(dirname "$0")/lib.sh"

new_scratch
mkdir "$SCRATCH/empty"
cp "$GAME_DIR/tarmelo3d" "$SCRATCH/empty/"
# With the profile folders already there, their two "unable to create directory at " lines are the last
# start-up step: the title screen follows at once.
mkdir -p "$SCRATCH/programdata/ZUR/Tarmelo3D"
launch_game "$SCRATCH/empty"
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"

started_up() { [ "$(grep -c '^unable to create directory at ' "$GAME_OUT")" -eq 2 ]; }
wait_until 30 started_up || fail "start-up did not finish"
expected="$SCRATCH/expected.txt"
for file in Textures/Text.tga Textures/Floor.tga Textures/Wall2.tga Textures/Wall.tga Textures/logo.tga \
    Textures/crate2.tga Textures/crate2.tga Textures/Legs.tga Textures/Body.tga Textures/Head.tga \
    Textures/fog.tga Textures/Swords.tga gfx/empty.tga gfx/wall.tga gfx/target.tga gfx/object.tga \
    gfx/player.tga; do
    echo "Failed to load image, $file!!!"
done >"$expected"
echo "unable to create directory at $SCRATCH/programdata/ZUR" >>"$expected"
echo "unable to create directory at $SCRATCH/programdata/ZUR/Tarmelo3D" >>"$expected"
diff "$expected" "$GAME_OUT" >&2 || fail "standard output differs from the 17 image lines and the two folder lines"
bells=$(tr -cd '\a' <"$SCRATCH/stderr.txt" | wc -c)
[ "$bells" -eq 17 ] || fail "$bells beeps for 17 missing images"

# The title: its texts and logo have no images, so there is nothing to read on it; the logo, drawn as a
# plain quad, whitens the whole window. The game must be alive with its window up.
title_white() { [ "$(probe_count bright 0 0 800 600)" -ge 400000 ]; }
wait_until 60 title_white || fail "the title did not whiten the window: $(probe 0 0 800 600)"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on the title screen"
xwininfo -id "$window" >/dev/null 2>&1 || fail "the window is gone on the title screen"

# The menu's lines are drawn without the font image as plain quads, the selected one white and the others
# grey, 32 pixels high and 30 apart: the selected line is white over 30 rows at least (a line drawn later
# covers two rows of the one above), the others over 4 rows at most (the rows a neighbour overlaps).
item_selected() { [ "$(selected_item $((32 * 30)) $((32 * 4)))" = "$1" ]; }
press_until space 10 item_selected 1 || fail "no menu with \"Create New Profile\" selected: $(probe 112 238 576 32)"
press_until Down 10 item_selected 2 || fail "Down did not select \"Load Profile\": $(probe 208 268 384 32)"
press_until Down 10 item_selected 3 || fail "Down did not select \"Settings\": $(probe 272 298 256 32)"
press_until Down 10 item_selected 4 || fail "Down did not select \"Quit\": $(probe 336 328 128 32)"
press_until Return 20 game_ended || fail "Return on \"Quit\" did not end the game"
wait_for_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit"
diff "$expected" "$GAME_OUT" >&2 || fail "the menu wrote to standard output"
stop_game
echo "no data test passed"
