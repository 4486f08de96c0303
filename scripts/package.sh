#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds every target of a Release build and makes the Debian package;
# the last line printed is the path of the .deb.
#   package.sh [build-dir]    (default: build-package)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-package}")
cd "$root"

"$root/scripts/install-deps.sh" package
# Debian's hardening flags (fortified functions, stack protector, read-only relocations, PIE),
# as every binary in Debian is built with.
CPPFLAGS=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)
CXXFLAGS=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
LDFLAGS=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DLEXAMO_SANITIZE=OFF -DLEXAMO_BUILD_TESTS=OFF -DLEXAMO_BUILD_BENCH=OFF \
    -DLEXAMO_BUILD_FUZZ=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/lexamo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lexamo_*.deb)
readlink -f "$deb"
