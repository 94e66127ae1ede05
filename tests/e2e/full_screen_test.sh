#!/bin/sh
# Full screen on a 1920 x 1080 screen: F11 on the title turns the 800 x 600 window into one that covers
# the screen at its own resolution, with the title's picture stretched over all of it and its prompt on the
# screen's bottom rows; the menu then stands in the middle of the large picture. Alt+Enter in the menu
# gives the window back at its size and place, and chooses no menu item. The choice is kept in the
# settings file. Screenshots of the whole screen in both modes are kept for a person to look at.
# Usage (under xvfb-run with a 1920 x 1080 screen): full_screen_test.sh GAME-DIR SHOT-DIR
set -eu
GAME_DIR=$1
SHOTS=$2
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"

root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
screen=$(xwininfo -root)
echo "$screen" | grep -q "Width: 1920" && echo "$screen" | grep -q "Height: 1080" ||
    { echo "FAIL: the X screen is not 1920 x 1080: $screen" >&2; exit 1; }

# "WIDTH HEIGHT X Y" of the game's window, from its top-left corner on the screen.
geometry() {
    xwininfo -id "$window" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h, x, y }'
}
geometry_is() { [ "$(geometry | cut -d ' ' -f 1-2)" = "$1 $2" ]; }
# The count of one class of pixels (as probe_count) in a rectangle of the whole screen.
screen_count() {
    class=$1
    shift
    "$TARMELO_E2E_TOOLS/x11_probe" "$root" "$@" | sed -n "s/.* $class \([0-9]*\).*/\1/p"
}
# The title's prompt, yellow, on the bottom rows of the screen.
prompt_at_screen_bottom() { [ "$(screen_count yellow 0 1068 1920 12)" -ge 40 ]; }
setting_is() { grep -q "^full_screen = $1\$" "$SCRATCH/config/ZUR/Tarmelo3D/settings.txt"; }

start_game
window=$(game_window)
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
geometry_is 800 600 || fail "the window is not 800 x 600 to begin with: $(geometry)"
windowed=$(geometry)

press_until F11 20 geometry_is 1920 1080 || fail "F11 did not fill the screen: $(geometry)"
[ "$(geometry | cut -d ' ' -f 3-4)" = "0 0" ] || fail "the full-screen window does not start at the corner: $(geometry)"
wait_until 30 prompt_at_screen_bottom || fail "no prompt at the screen's bottom: $(screen_count yellow 0 1068 1920 12)"
"$TARMELO_E2E_TOOLS/x11_screenshot" "$root" "$SHOTS/full-screen-title.png" || fail "no screenshot"
# The logo stretches over the whole width: its letters' highlights stand left and right of where the
# window stood (x 560 to 1360), where the screen was black before.
left=$(screen_count bright 0 200 520 400)
right=$(screen_count bright 1400 200 520 400)
[ "$left" -ge 200 ] && [ "$right" -ge 200 ] || fail "the logo does not span the screen: $left left, $right right"
wait_until 10 setting_is on || fail "full screen was not kept in the settings file"

# The menu in the middle of the large picture: its first item at 570 over the screen's bottom, centred.
press_until space 20 wait_for_text 0.5 672 570 "Create New Profile" || fail "no menu in the middle: $TEXT_SCORES"
"$TARMELO_E2E_TOOLS/x11_screenshot" "$root" "$SHOTS/full-screen-menu.png" || fail "no screenshot"

# Holds, not waits: the layer reads the keys as events, in order, so the holds only order them, and each
# stays under the X server's auto-repeat delay, so that no repeated press comes.
xdotool keydown alt keydown Return
sleep 0.3
xdotool keyup alt
sleep 0.3
xdotool keyup Return
wait_until 30 geometry_is 800 600 || fail "Alt+Enter did not give the window back: $(geometry)"
[ "$(geometry)" = "$windowed" ] || fail "the window came back at $(geometry), not at $windowed"
wait_for_main_page 30 || fail "the main page did not come back: $TEXT_SCORES"
wait_for_middle_text 0 "Enter profile name:" && fail "Alt+Enter chose \"Create New Profile\""
"$TARMELO_E2E_TOOLS/x11_screenshot" "$root" "$SHOTS/windowed-menu.png" || fail "no screenshot"
wait_until 10 setting_is off || fail "the window's return was not kept in the settings file"

quit_from_main_page
stop_game
echo "full screen test passed; the screenshots are in $SHOTS"
