#!/bin/sh
# The 3D picture on level 1 at 800 x 600: the logo covers the title and fades behind the menu, shadows (S)
# darken part of the picture and the lamp (L) changes it. The screenshots are kept for a person to look at.
# Usage (under xvfb-run): screenshot_test.sh GAME-DIR SHOT-DIR
set -eu
GAME_DIR=$1
SHOTS=$2
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png

shot() { "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SHOTS/$1.png" || fail "no screenshot $1"; }
# png_compare's report on two shots over the board's rows, and one figure of such a report.
compare() { "$TARMELO_E2E_TOOLS/png_compare" "$SHOTS/$1.png" "$SHOTS/$2.png" 0 80 800 460; }
field() { sed -n "s/.* $1 \\([0-9]*\\).*/\\1/p"; }
# A toggle held for exactly one frame: on a busy machine a frame can outlast a timed press, which the game
# would then never see.
tap() { "$TARMELO_E2E_TOOLS/x11_tap" "$window" "$1" || fail "$1 was not pressed"; }

start_game
window=$(game_window)
[ -n "$window" ] || fail "no window"
wait_for_title || fail "no title screen"

# The logo: its gold lettering across the upper middle of the title screen.
shot title
logo_gold=$(probe_count yellow 80 150 640 120)
[ "$logo_gold" -gt 400 ] || fail "the logo does not cover the title screen (gold pixels: $logo_gold)"

press space
shot menu_logo
sleep 3
shot menu
faded=$(probe_count yellow 80 150 640 120)
[ "$faded" -lt $((logo_gold / 4)) ] || fail "the logo did not fade out behind the menu ($faded gold pixels left)"

# A profile, then play. (The HUD's lines and the mini-map of the real game are read by the play-through,
# undo and demo tests.)
profile_dialogue 1 "pic" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"
sleep 1
shot play

# Shadows: S switches them off; the picture with them is darker in places, never lighter by as much.
tap s
sleep 1
shot shadows_off
tap s
sleep 1
shot shadows_on
result=$(compare shadows_off shadows_on)
darker=$(echo "$result" | field darker)
lighter=$(echo "$result" | field lighter)
[ "$darker" -gt 500 ] || fail "shadows darken too little: $result"
[ "$darker" -gt $((lighter * 3)) ] || fail "shadows lighten as much as they darken: $result"

# The lamp: L hangs the light low over the keeper and shades by distance: a different picture.
tap l
sleep 1
shot lamp
changed=$(compare shadows_on lamp | field changed)
[ "$changed" -gt 50000 ] || fail "the lamp hardly changes the picture ($changed pixels)"
tap l

quit_by_menu
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
stop_game
echo "screenshot test passed; pictures in $SHOTS"
