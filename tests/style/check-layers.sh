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
# Usage: check-layers.sh SOURCE-ROOT
set -eu
cd "$1/src"

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

# Folders whose code is plain computation over records: no library headers at all.
LIBRARY_FREE="math core profiles formats game layout audio"
LIBRARY_HEADERS='<(GL|GLFW|AL|libopenmpt)/|<sndfile\.h>'

status=0
for folder in */; do
    folder=${folder%/}
    own=$(layer_of "$folder")
    if [ "$own" = unknown ]; then
        echo "src/$folder: a folder without a layer (add it to tests/style/check-layers.sh)" >&2
        status=1
        continue
    fi
    # Every project include: the folder it names.
    grep -n '^#include "' "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
        sed 's|^\([^:]*:[0-9]*\):#include "\([a-z_]*\)/.*|\1 \2|' >/tmp/tarmelo-layers.$$ || true
    while read -r where included; do
        [ "$included" = "$folder" ] && continue
        theirs=$(layer_of "$included")
        if [ "$theirs" = unknown ] || [ "$theirs" -ge "$own" ]; then
            echo "src/$where: $folder (layer $own) includes $included (layer $theirs)" >&2
            status=1
        fi
    done </tmp/tarmelo-layers.$$
    rm -f /tmp/tarmelo-layers.$$
    case " $LIBRARY_FREE " in
        *" $folder "*)
            if grep -n -E "^#include $LIBRARY_HEADERS" "$folder"/*.h "$folder"/*.cpp 2>/dev/null; then
                echo "src/$folder: includes a library header (above)" >&2
                status=1
            fi
            ;;
    esac
done
[ "$status" -eq 0 ] && echo "every include runs downwards; no library headers where none belong"
exit "$status"
