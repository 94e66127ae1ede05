#!/bin/sh
# The flat drawing on a real OpenGL context (under xvfb-run): first the pictures and their checks with the
# game's images, then a start-up with no image file at all, which must write one failure line per slot,
# in slot order, and still draw without an error.
# Usage: overlay_test.sh OVERLAY-PICTURES GAME-DIR PICTURE-DIR
set -eu
PROGRAM=$1
GAME_DIR=$2
PICTURE_DIR=$3

mkdir -p "$PICTURE_DIR"
"$PROGRAM" "$GAME_DIR" "$PICTURE_DIR"

EMPTY=$(mktemp -d)
trap 'rm -rf "$EMPTY"' EXIT
"$PROGRAM" --missing "$EMPTY" >"$EMPTY/stdout.txt" 2>"$EMPTY/stderr.txt" || {
    cat "$EMPTY/stdout.txt" "$EMPTY/stderr.txt" >&2
    echo "FAIL: drawing without images did not go on" >&2
    exit 1
}
expected="Failed to load image, Textures/Text.tga!!!
Failed to load image, Textures/Floor.tga!!!
Failed to load image, Textures/Wall2.tga!!!
Failed to load image, Textures/Wall.tga!!!
Failed to load image, Textures/logo.tga!!!
Failed to load image, Textures/crate2.tga!!!
Failed to load image, Textures/crate2.tga!!!
Failed to load image, Textures/Legs.tga!!!
Failed to load image, Textures/Body.tga!!!
Failed to load image, Textures/Head.tga!!!
Failed to load image, Textures/fog.tga!!!
Failed to load image, Textures/Swords.tga!!!
Failed to load image, gfx/empty.tga!!!
Failed to load image, gfx/wall.tga!!!
Failed to load image, gfx/target.tga!!!
Failed to load image, gfx/object.tga!!!
Failed to load image, gfx/player.tga!!!"
actual=$(cat "$EMPTY/stdout.txt")
if [ "$actual" != "$expected" ]; then
    echo "FAIL: the failure lines differ:" >&2
    echo "$actual" >&2
    exit 1
fi
bells=$(tr -cd '\a' <"$EMPTY/stderr.txt" | wc -c)
[ "$bells" -eq 17 ] || { echo "FAIL: $bells beeps for 17 missing images" >&2; exit 1; }
echo "overlay test passed"
