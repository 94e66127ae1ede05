#!/bin/sh
# The installed game. `cmake --install --prefix` into a scratch folder lays out the command, the program,
# every data file the game opens, the menu entry, the software-centre entry, the icons and the manual page;
# the desktop's validators accept both entries; every file that names a folder of the installation names the
# prefix given at install time, not the configured one. The menu entry's command, started from an
# unrelated folder with a relative PROGRAMDATA, reaches the title with every image and the window's icon,
# keeps its profile folder under the folder it was started from, shows the window class the menu entry
# names, and "Quit" ends it with 0. A staged install for /usr puts the command in games/ and names /usr.
# Usage (under xvfb-run): install_test.sh BUILD-DIR CMAKE DATA-DIR DESKTOP-DIR METAINFO-DIR ICON-THEME-DIR
#                         MAN6-DIR ASSET-CHECK SHOT-DIR
# (the folders after CMAKE are relative to the prefix)
set -eu
BUILD_DIR=$1 CMAKE=$2 DATA_DIR=$3 DESKTOP_DIR=$4 METAINFO_DIR=$5 ICON_THEME=$6 MAN6_DIR=$7 ASSET_CHECK=$8
SHOTS=$9
. "$(dirname "$0")/lib.sh"
mkdir -p "$SHOTS"

new_scratch
PREFIX=$SCRATCH/prefix
"$CMAKE" --install "$BUILD_DIR" --prefix "$PREFIX" >"$SCRATCH/install.txt" || fail "cmake --install failed"
GAME_DIR=$PREFIX/$DATA_DIR
DESKTOP_FILE=$(ls "$PREFIX/$DESKTOP_DIR"/*.desktop)
MANUAL=$PREFIX/$MAN6_DIR/tarmelo3d.6.gz

# ---- desktop integration ----
desktop-file-validate "$DESKTOP_FILE" || fail "desktop-file-validate refuses $DESKTOP_FILE"
appstreamcli validate --no-net "$PREFIX/$METAINFO_DIR"/*.metainfo.xml >"$SCRATCH/appstream.txt" ||
    fail "appstreamcli refuses the metainfo: $(cat "$SCRATCH/appstream.txt")"
entry() {
    sed -n "s/^$1=//p" "$2"
}
# The menu entry's command, without the file the desktop may hand it (%f).
command_of() {
    entry Exec "$1" | sed 's/ %f$//'
}
[ "$(command_of "$DESKTOP_FILE")" = "$PREFIX/bin/tarmelo3d" ] ||
    fail "the menu entry runs '$(entry Exec "$DESKTOP_FILE")', not the command installed to $PREFIX/bin"
# Each icon is a PNG whose header (width and height, 4 bytes each from byte 16) gives its folder's size.
for size in 64 128 256; do
    icon=$PREFIX/$ICON_THEME/${size}x${size}/apps/$(entry Icon "$DESKTOP_FILE").png
    [ -f "$icon" ] || fail "no icon $icon"
    header=$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')
    [ "$header" = "$(printf '%08x%08x' "$size" "$size")" ] || fail "$icon is not $size x $size ($header)"
done
gzip -dc "$MANUAL" | grep -q -F "$GAME_DIR/" || fail "the manual page does not name $GAME_DIR"
(cd "$GAME_DIR" && "$ASSET_CHECK" >"$SCRATCH/assets.txt") || fail "installed data: $(grep FAIL "$SCRATCH/assets.txt")"

# ---- the menu entry's command, from elsewhere ----
mkdir -p "$SCRATCH/elsewhere/profiles"
(cd "$SCRATCH/elsewhere" && PROGRAMDATA=profiles XDG_CONFIG_HOME="$SCRATCH/config" \
    exec "$(command_of "$DESKTOP_FILE")" >"$GAME_OUT" 2>&1) &
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
    *"\"$(entry StartupWMClass "$DESKTOP_FILE")\""*) ;;
    *) fail "the window's $class is not the menu entry's StartupWMClass" ;;
esac
xprop -id "$window" _NET_WM_ICON | grep -q "Icon (64 x 64)" || fail "the window has no 64 x 64 icon"

press_until space 10 wait_for_main_page 1 || fail "no menu after the title: $TEXT_SCORES"
quit_from_main_page
[ "$(ls -A "$SCRATCH/elsewhere")" = "profiles" ] || fail "the game wrote into the folder it was started from"

# ---- a staged install for /usr: Debian's folder for games ----
STAGE=$SCRATCH/stage
DESTDIR=$STAGE "$CMAKE" --install "$BUILD_DIR" --prefix /usr >"$SCRATCH/install-usr.txt" ||
    fail "the staged cmake --install failed"
[ -x "$STAGE/usr/games/tarmelo3d" ] || fail "no command in the staged /usr/games"
[ ! -e "$STAGE/usr/bin" ] || fail "the staged install for /usr has a bin folder"
[ "$(command_of "$STAGE/usr/$DESKTOP_DIR/$(basename "$DESKTOP_FILE")")" = /usr/games/tarmelo3d ] ||
    fail "the staged menu entry does not run /usr/games/tarmelo3d"
gzip -dc "$STAGE/usr/$MAN6_DIR/tarmelo3d.6.gz" | grep -q -F "/usr/$DATA_DIR/" ||
    fail "the staged manual page does not name /usr/$DATA_DIR"
stop_game
echo "install test passed; the title is in $SHOTS/title.png"
