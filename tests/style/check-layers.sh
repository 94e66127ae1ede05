#!/bin/sh
# Fails when an include runs against the direction of the source folders, or when a folder that must stay
# free of the libraries includes an OpenGL, GLFW, OpenAL, libopenmpt or libsndfile header.
#
# The folders from the bottom up; a file may include its own folder and the folders of lower layers only:
#   0  math      vectors, planes, matrices
#   1  platform  the windowing and audio layers over their libraries, and their stand-ins
#   2  core      the board, levels, moves, level end, demo
#      profiles  the profile file
#      formats   model and image files, the asset paths
#   3  game      the game's state and its step (the simulation)
#      layout    the picture's rules without OpenGL
#   4  render    the drawing, with OpenGL
#      audio     the game's sounds
#   5  app       the entry, the loops, the menu
#
# The level tool's parts in tools/levels/ follow the same rule among themselves (they may include any
# folder of src/):
#   0  solver     the level as the searches see it, the solvers, level files
#   1  demo       demo paths
#      rating     the figures of a level, the set's rules and audit
#   2  generator  rooms, candidates, the set
#   3  cli        the commands
# Usage: check-layers.sh SOURCE-ROOT
set -eu
root=$1

layer_of() {
    case "$1" in
        math) echo 0 ;;
        platform) echo 1 ;;
        core | profiles | formats) echo 2 ;;
        game | layout) echo 3 ;;
        render | audio) echo 4 ;;
        app) echo 5 ;;
        *) echo unknown ;;
    esac
}

level_part_of() {
    case "$1" in
        solver) echo 0 ;;
        demo | rating) echo 1 ;;
        generator) echo 2 ;;
        cli) echo 3 ;;
        *) echo unknown ;;
    esac
}

# Folders whose code is plain computation over records: no library headers at all.
LIBRARY_FREE="math core profiles formats game layout audio"
LIBRARY_HEADERS='<(GL|GLFW|AL|libopenmpt)/|<sndfile\.h>'

status=0

# check_folders DIRECTORY LAYER-FUNCTION PREFIX: every folder of DIRECTORY against the folders its
# includes of the form "PREFIX<folder>/..." name.
check_folders() {
    cd "$root/$1"
    for folder in */; do
        folder=${folder%/}
        own=$($2 "$folder")
        if [ "$own" = unknown ]; then
            echo "$1/$folder: a folder without a layer (add it to tests/style/check-layers.sh)" >&2
            status=1
            continue
        fi
        grep -n "^#include \"$3" "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
            sed "s|^\([^:]*:[0-9]*\):#include \"$3\([a-z_]*\)/.*|\1 \2|" >/tmp/tarmelo-layers.$$ || true
        while read -r where included; do
            [ "$included" = "$folder" ] && continue
            theirs=$($2 "$included")
            if [ "$theirs" = unknown ] || [ "$theirs" -ge "$own" ]; then
                echo "$1/$where: $folder (layer $own) includes $included (layer $theirs)" >&2
                status=1
            fi
        done </tmp/tarmelo-layers.$$
        rm -f /tmp/tarmelo-layers.$$
    done
}

check_folders src layer_of ""
check_folders tools/levels level_part_of "levels/"

cd "$root/src"
for folder in $LIBRARY_FREE; do
    if grep -n -E "^#include $LIBRARY_HEADERS" "$folder"/*.h "$folder"/*.cpp 2>/dev/null; then
        echo "src/$folder: includes a library header (above)" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "every include runs downwards; no library headers where none belong"
exit "$status"
