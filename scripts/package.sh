#!/bin/sh
# The README's package command: builds the Debian package build/package/tarmelo3d_VERSION_ARCH.deb from its
# own tree, configured for /usr. Its dependencies are computed from the libraries the program links.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DTARMELO_UNIT_TESTS=OFF >/dev/null
cmake --build build/package
cd build/package
rm -f tarmelo3d_*.deb
cpack -G DEB >/dev/null
ls "$PWD"/tarmelo3d_*.deb
