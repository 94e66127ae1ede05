#!/bin/sh
# The installed game: `cmake --install` into a staging folder (DESTDIR) lays out the command, the program,
# every data file the game opens, the menu entry, the software-centre entry, the icons and the manual page;
# the desktop's validators accept both entries; the installed command, started from an unrelated folder
# with a relative PROGRAMDATA, reaches the title with every image, keeps its profile folder under the
# folder it was started from, shows the window class the menu entry names, and "Quit" ends it with 0.
# Usage (under xvfb-run): install_test.sh BUILD-DIR CMAKE COMMAND DATA-DIR DESKTOP-FILE METAINFO-FILE
#                         ICON-THEME-DIR MANUAL-PAGE ASSET-CHECK SHOT-DIR
# (the paths after CMAKE are the installed ones, without the staging folder)
set -eu
BUILD_DIR=$1 CMAKE=$2 COMMAND=$3 DATA_DIR=$4 DESKTOP_FILE=$5 METAINFO_FILE=$6 ICON_THEME=$7 MANUAL=$8
ASSET_CHECK=$9 SHOTS=${10}
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"

new_scratch
STAGE=$SCRATCH/stage
DESTDIR=$STAGE "$CMAKE" --install "$BUILD_DIR" >"$SCRATCH/install.txt" || fail "cmake --install failed"
GAME_DIR=$STAGE$DATA_DIR
DESKTOP_FILE=$STAGE$DESKTOP_FILE

# ---- desktop integration ----
desktop-file-validate "$DESKTOP_FILE" || fail "desktop-file-validate refuses $DESKTOP_FILE"
appstreamcli validate --no-net "$STAGE$METAINFO_FILE" >"$SCRATCH/appstream.txt" ||
    fail "appstreamcli refuses $STAGE$METAINFO_FILE: $(cat "$SCRATCH/appstream.txt")"
entry() {
    sed -n "s/^$1=//p" "$DESKTOP_FILE"
}
[ "$(entry Exec)" = "$COMMAND" ] || fail "the menu entry runs '$(entry Exec)', not $COMMAND"
# Each icon is a PNG whose header (width and height, 4 bytes each from byte 16) gives its folder's size.
for size in 64 128 256; do
    icon=$STAGE$ICON_THEME/${size}x${size}/apps/$(entry Icon).png
    [ -f "$icon" ] || fail "no icon $icon"
    header=$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')
    [ "$header" = "$(printf '%08x%08x' "$size" "$size")" ] || fail "$icon is not $size x $size ($header)"
done
[ -s "$STAGE$MANUAL" ] || fail "no manual page $STAGE$MANUAL"
(cd "$GAME_DIR" && "$ASSET_CHECK" >"$SCRATCH/assets.txt") || fail "installed data: $(grep FAIL "$SCRATCH/assets.txt")"

# ---- the installed command, from elsewhere ----
mkdir -p "$SCRATCH/elsewhere/profiles"
(cd "$SCRATCH/elsewhere" && PROGRAMDATA=profiles exec "$STAGE$COMMAND" >"$GAME_OUT" 2>&1) &
GAME_PID=$!
window=$(game_window)
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
"$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SHOTS/title.png" || fail "no screenshot of the title"
logo_gold=$(probe_count yellow 80 150 640 120)
[ "$logo_gold" -gt 400 ] || fail "no logo on the title screen ($logo_gold gold pixels)"
if grep -q "^Failed to load" "$GAME_OUT"; then fail "the installed game misses files"; fi
[ -d "$SCRATCH/elsewhere/profiles/ZUR/Tarmelo3D" ] || fail "no profile folder in the starting folder's profiles"
class=$(xprop -id "$window" WM_CLASS)
case "$class" in
    *"\"$(entry StartupWMClass)\""*) ;;
    *) fail "the window's $class is not the menu entry's StartupWMClass" ;;
esac

press_until space 10 wait_for_main_page 1 || fail "no menu after the title: $TEXT_SCORES"
menu_choose 3
wait_for_exit 30
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit"
[ "$(ls -A "$SCRATCH/elsewhere")" = "profiles" ] || fail "the game wrote into the folder it was started from"
stop_game
echo "install test passed; the title is in $SHOTS/title.png"
