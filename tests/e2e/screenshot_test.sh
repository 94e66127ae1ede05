#!/bin/sh
# The 3D picture on level 1 at 800 x 600: the logo covers the title and fades behind the menu, shadows (S)
# darken part of the picture and the lamp (L) changes it. The screenshots are kept for a person to look at.
# The fog drifts every tick, so that no two frames are alike and a toggle's change drowns in its drift:
# the game runs from a copy of its directory whose fog image is clear, and the picture holds still but
# where the goal glows.
# Usage (under xvfb-run): screenshot_test.sh GAME-DIR SHOT-DIR
set -eu
GAME_DIR=$1
SHOTS=$2
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png

# A screenshot, taken again if the X server dropped the helper's connection.
shot() {
    for _ in 1 2 3; do
        "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SHOTS/$1.png" && return 0
        sleep 0.2
    done
    fail "no screenshot $1"
}
# png_compare's report on two shots over the board's rows, leaving out what moves by itself (the pixels
# that differ among the still shots), and one figure of such a report.
compare() {
    # shellcheck disable=SC2086  # the still shots' options
    "$TARMELO_E2E_TOOLS/png_compare" $STILL "$SHOTS/$1.png" "$SHOTS/$2.png" 0 80 800 460
}
field() { sed -n "s/.* $1 \\([0-9]*\\).*/\\1/p"; }

# The shot $2 once the picture differs from shot $1 by 500 pixels or more.
shows_change() {
    shot "$2"
    result=$(compare "$1" "$2")
    [ $(($(echo "$result" | field darker) + $(echo "$result" | field lighter))) -ge 500 ]
}
# Toggle $1 from the picture of shot $2 to shot $3. The toggle acts in the frame that reads the key, which
# waits for the key's release, so one press toggles once however long it is held; a press that no frame saw
# changes nothing and is pressed again.
toggle() {
    for _ in 1 2 3; do
        press "$1" 0.5
        wait_until 15 shows_change "$2" "$3" && return 0
    done
    fail "$1 did not change the picture: $result"
}

new_scratch
mkdir -p "$SCRATCH/game/Textures"
for entry in "$GAME_DIR"/*; do
    [ "$entry" = "$GAME_DIR/Textures" ] || ln -s "$entry" "$SCRATCH/game/"
done
for entry in "$GAME_DIR"/Textures/*; do
    ln -s "$entry" "$SCRATCH/game/Textures/"
done
# The fog image's header (uncompressed; from byte 12 the width and the height, two bytes each with the low
# one first, and the bits per pixel), every pixel transparent.
fog=$GAME_DIR/Textures/fog.tga
rm "$SCRATCH/game/Textures/fog.tga"
# shellcheck disable=SC2046  # the five header bytes
set -- $(od -An -tu1 -j12 -N5 "$fog")
{
    head -c 18 "$fog"
    head -c $((($1 + 256 * $2) * ($3 + 256 * $4) * $5 / 8)) /dev/zero
} >"$SCRATCH/game/Textures/fog.tga"
launch_game "$SCRATCH/game"
window=$(game_window)
[ -n "$window" ] || fail "no window"
wait_for_title || fail "no title screen"

# The logo: its gold lettering across the upper middle of the title screen.
shot title
logo_gold=$(probe_count yellow 80 150 640 120)
[ "$logo_gold" -gt 400 ] || fail "the logo does not cover the title screen (gold pixels: $logo_gold)"

# Behind the menu the logo fades a step each frame.
leave_title
shot menu_logo
logo_faded() { [ "$(probe_count yellow 80 150 640 120)" -lt $((logo_gold / 4)) ]; }
wait_until 60 logo_faded ||
    fail "the logo did not fade out behind the menu ($(probe_count yellow 80 150 640 120) gold pixels left)"
shot menu

# A profile, then play. (The HUD's lines and the mini-map of the real game are read by the play-through,
# undo and demo tests.) The camera eases in at the start: once three shots in a row differ only where the
# goal glows (a few thousand pixels), the picture holds still.
profile_dialogue 1 "pic" "pw"
wait_for_text 30 0 "$HUD_LEVEL_Y" "Level 1" "Level 2" || fail "no level 1 after the create: $TEXT_SCORES"
STILL=""
shot still1
still_shots=1 first_still=1
picture_still() {
    still_shots=$((still_shots + 1))
    shot still$still_shots
    changes=$(compare still$((still_shots - 1)) still$still_shots)
    [ $(($(echo "$changes" | field darker) + $(echo "$changes" | field lighter))) -lt 6000 ] ||
        first_still=$still_shots
    [ $((still_shots - first_still)) -ge 2 ]
}
wait_until 60 picture_still || fail "the picture never held still: $changes"
# Eight shots over more than a second and a half, longer than the glow's cycle (two thirds of a second):
# the pixels that differ among them are left out of the comparisons.
for glow in 1 2 3 4 5 6 7 8; do
    shot glow$glow
    STILL="$STILL --still $SHOTS/glow$glow.png"
    sleep 0.2
done
cp "$SHOTS/glow8.png" "$SHOTS/play.png"

# Shadows: S switches them off; the picture with them is darker in places, never lighter by as much.
toggle s play shadows_off
toggle s shadows_off shadows_on
result=$(compare shadows_off shadows_on)
darker=$(echo "$result" | field darker)
lighter=$(echo "$result" | field lighter)
[ "$darker" -gt 500 ] || fail "shadows darken too little: $result"
[ "$darker" -gt $((lighter * 3)) ] || fail "shadows lighten as much as they darken: $result"

# The lamp: L hangs the light low over the keeper and shades by distance: a different picture.
toggle l shadows_on lamp
changed=$(compare shadows_on lamp | field changed)
[ "$changed" -gt 50000 ] || fail "the lamp hardly changes the picture ($changed pixels)"
toggle l lamp lamp_off

quit_by_menu
stop_game
echo "screenshot test passed; pictures in $SHOTS"
