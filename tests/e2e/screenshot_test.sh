#!/bin/sh
# The 3D picture on level 1 at 800 x 600: the logo covers the title and fades, the HUD lines are bright at
# the top-left, the mini-map has its size in the lower-left corner, shadows (S) darken part of the picture
# and the lamp (L) changes it. The screenshots are kept for a person to look at.
# Usage (under xvfb-run): screenshot_test.sh GAME-DIR SHOT-DIR
set -eu
GAME_DIR=$1
SHOTS=$2
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png

shot() {
    "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SHOTS/$1.png" || fail "no screenshot $1"
}

compare() {
    first=$1
    second=$2
    shift 2
    "$TARMELO_E2E_TOOLS/png_compare" "$SHOTS/$first.png" "$SHOTS/$second.png" "$@"
}

field() {
    sed -n "s/.* $1 \\([0-9]*\\).*/\\1/p"
}

# The map is 10 pixels a cell up to the last column and row of level 1's walls.
set -- $(level_wall_extent "$GAME_DIR/levels/Classic.lvt" 1)
MAP_WIDTH=$((10 * ($1 + 1)))
MAP_HEIGHT=$((10 * ($2 + 1)))

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

# A profile, then play.
press Return
sleep 0.5
xdotool type --delay 400 "pic"
sleep 0.5
press Return
sleep 0.5
xdotool type --delay 400 "pw"
sleep 0.5
press Return
sleep 3
shot play

# The three HUD lines in the 32-pixel font: white glyphs in the top 72 rows at the left, each line in its
# own band of 24 rows (baselines at 576, 552 and 528 from the bottom).
for band in 0 24 48; do
    bright=$(probe_count bright 0 $band 400 24)
    [ "$bright" -gt 150 ] || fail "HUD line at rows $band-$((band + 23)) is not bright ($bright pixels)"
done

# The mini-map in the lower-left corner: the keeper's green mark inside (extentX+1)*10 x (extentY+1)*10,
# none just outside it.
inside=$(probe_count green 0 $((600 - MAP_HEIGHT)) $MAP_WIDTH $MAP_HEIGHT)
right_of=$(probe_count green $MAP_WIDTH $((600 - MAP_HEIGHT)) 40 $MAP_HEIGHT)
above=$(probe_count green 0 $((600 - MAP_HEIGHT - 40)) $MAP_WIDTH 40)
[ "$inside" -gt 10 ] || fail "no keeper mark in the mini-map's corner ($inside green pixels)"
[ "$right_of" -eq 0 ] && [ "$above" -eq 0 ] || fail "mini-map larger than ${MAP_WIDTH}x${MAP_HEIGHT}"

# A toggle held for exactly one frame: on a busy machine a frame can outlast a timed press, which the game
# would then never see.
tap() {
    "$TARMELO_E2E_TOOLS/x11_tap" "$window" "$1" || fail "$1 was not pressed"
}

# Shadows: S switches them off; the picture with them is darker in places, never lighter by as much.
tap s
sleep 1
shot shadows_off
tap s
sleep 1
shot shadows_on
result=$(compare shadows_off shadows_on 0 80 800 460)
darker=$(echo "$result" | field darker)
lighter=$(echo "$result" | field lighter)
[ "$darker" -gt 500 ] || fail "shadows darken too little: $result"
[ "$darker" -gt $((lighter * 3)) ] || fail "shadows lighten as much as they darken: $result"

# The lamp: L hangs the light low over the keeper and shades by distance: a different picture.
tap l
sleep 1
shot lamp
changed=$(compare shadows_on lamp 0 80 800 460 | field changed)
[ "$changed" -gt 50000 ] || fail "the lamp hardly changes the picture ($changed pixels)"
tap l

press Escape
# The menu's three items stand in the middle rows in white.
waited=0
while [ "$(probe_count bright 0 250 800 100)" -lt 300 ]; do
    [ "$waited" -ge 100 ] && fail "the menu did not open"
    sleep 0.1
    waited=$((waited + 1))
done
press Down
sleep 0.3
press Down
sleep 0.3
shot quit_selected
press Return
wait_for_exit 15
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
stop_game
echo "screenshot test passed; pictures in $SHOTS"
