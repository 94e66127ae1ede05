#!/bin/sh
# Installs the Debian 12 packages that building, playing and testing need. Installs only what is missing,
# so a second run costs a few dpkg queries.
set -eu

PACKAGES="
cmake ninja-build g++ make pkg-config
clang clang-format libclang-rt-14-dev libfuzzer-14-dev
googletest libgtest-dev
"
# Level tool and level set.
PACKAGES="$PACKAGES"
# Model assets.
PACKAGES="$PACKAGES libstb-dev"
# Image assets: FreeType and the fonts to render the glyph images and the logo from, stb_image to read TGA.
PACKAGES="$PACKAGES libstb-dev libfreetype-dev fonts-pc fonts-league-mono fonts-league-spartan"
# Sound assets: WAV and tracker-module decoding.
PACKAGES="$PACKAGES libsndfile1-dev libopenmpt-dev"
# Audio: OpenAL Soft for the 3D samples and the streamed songs; sox for the end-to-end sound check.
PACKAGES="$PACKAGES libopenal-dev sox"
# Window, keyboard and main loop: GLFW, OpenGL with Mesa's software renderer, and the X server and tools
# of the end-to-end tests.
PACKAGES="$PACKAGES libglfw3-dev libgl-dev libgl1-mesa-dri libglu1-mesa-dev xvfb xauth xdotool x11-utils libx11-dev libxtst-dev"
# Installation: the validators of the menu and software-centre entries (end-to-end test); dpkg-shlibdeps and
# file, with which CPack finds the Debian package's dependencies (scripts/package.sh).
PACKAGES="$PACKAGES desktop-file-utils appstream dpkg-dev file"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "Missing packages:$missing" >&2
    echo "Run this script as root or install sudo." >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -q
# shellcheck disable=SC2086
$as_root apt-get install -y -q --no-install-recommends $missing
