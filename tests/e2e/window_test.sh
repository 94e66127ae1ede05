#!/bin/sh
# The real game under an X server: its window is titled "TARMELO 3D" with an 800 x 600 client area, and a
# close request through the window manager protocol ends it with status 0, though only once the title has
# been left and a game-loop frame has ended.
# Usage (under xvfb-run): window_test.sh GAME-DIR CLOSE-HELPER
set -eu
GAME_DIR=$1
CLOSE_WINDOW=$2
. "$(dirname "$0")/lib.sh"

# Closing during the game loop.
start_game
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
geometry=$(xwininfo -id "$window")
echo "$geometry" | grep -q "Width: 800" || fail "client width is not 800: $geometry"
echo "$geometry" | grep -q "Height: 600" || fail "client height is not 600: $geometry"
wait_for_title || fail "the title screen did not appear"
press space
sleep 1
"$CLOSE_WINDOW" "$window" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after a close request in the game loop"
stop_game

# Closing on the title screen is only recorded: the title stays until Space, then the first game-loop
# frame ends the program.
start_game
window=$(game_window) || fail "no window on the second start"
wait_for_title || fail "the title screen did not appear on the second start"
"$CLOSE_WINDOW" "$window" || fail "could not send WM_DELETE_WINDOW"
sleep 1.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the title screen ended on a close request"
press space
wait_for_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after leaving the title with a close pending"
stop_game
echo "window test passed"
