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
leave_title
request_close "$CLOSE_WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after a close request in the game loop"
stop_game

# Closing on the title screen is only recorded: the title stays until Space, then the first game-loop
# frame ends the program. The title's prompt blinks (0.4 s shown, 0.2 s hidden); each turn seen after the
# request is a later frame, so the third was drawn after a frame whose event poll came after the request.
# (Frames longer than the prompt's gap never hide it: then the title is watched for half a minute.)
start_game
window=$(game_window) || fail "no window on the second start"
wait_for_title || fail "the title screen did not appear on the second start"
request_close "$CLOSE_WINDOW" || fail "could not send WM_DELETE_WINDOW"
prompt_turns=0
prompt_was=shown
prompt_turned_thrice() {
    kill -0 "$GAME_PID" 2>/dev/null || fail "the title screen ended on a close request"
    title_shown && prompt_now=shown || prompt_now=hidden
    [ "$prompt_now" = "$prompt_was" ] || prompt_turns=$((prompt_turns + 1))
    prompt_was=$prompt_now
    [ "$prompt_turns" -ge 3 ]
}
wait_until 30 prompt_turned_thrice || true
kill -0 "$GAME_PID" 2>/dev/null || fail "the title screen ended on a close request"
press_until space 20 game_ended || fail "Space did not end the game with a close pending"
wait_for_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after leaving the title with a close pending"
stop_game
echo "window test passed"
