#!/usr/bin/env bash
# Builds a Release tree, installs it into a staging folder and checks what lands there, validates
# the desktop entry and the AppStream metainfo, builds the .deb, installs it with apt-get and runs
# lexamo-check from the installed path. The package is removed again at the end.
#   dist/check-package.sh <build-dir>
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <build-dir>" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
build_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

step() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }

step "Release build in $build_dir"
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DLEXAMO_SANITIZE=OFF -DLEXAMO_BUILD_TESTS=OFF \
    -DLEXAMO_BUILD_BENCH=OFF -DLEXAMO_BUILD_FUZZ=OFF >/dev/null
ninja -C "$build_dir" -j2 lexamo lexamo-check

step "cmake --install into a staging folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build_dir" >/dev/null
(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
LC_ALL=C sort >"$work/expected" <<'LIST'
usr/bin/lexamo
usr/bin/lexamo-check
usr/bin/lexamo-launch
usr/share/applications/org.lexamo.Lexamo.desktop
usr/share/icons/hicolor/128x128/apps/lexamo.png
usr/share/icons/hicolor/16x16/apps/lexamo.png
usr/share/icons/hicolor/256x256/apps/lexamo.png
usr/share/icons/hicolor/32x32/apps/lexamo.png
usr/share/icons/hicolor/48x48/apps/lexamo.png
usr/share/icons/hicolor/64x64/apps/lexamo.png
usr/share/icons/hicolor/scalable/apps/lexamo.svg
usr/share/lexamo/examples/BasicE.txt
usr/share/lexamo/examples/BasicJ.txt
usr/share/lexamo/examples/Option.txt
usr/share/lexamo/examples/idioms/IdiomsE.txt
usr/share/lexamo/examples/idioms/IdiomsJ.txt
usr/share/lexamo/examples/idioms/Option.txt
usr/share/lexamo/examples/travel/Option.txt
usr/share/lexamo/examples/travel/TravelE.txt
usr/share/lexamo/examples/travel/TravelJ.txt
usr/share/metainfo/org.lexamo.Lexamo.metainfo.xml
LIST
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the expected list"
for program in lexamo lexamo-check lexamo-launch; do
    [ -x "$stage/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

step "desktop-file-validate and appstreamcli validate"
desktop-file-validate "$stage/usr/share/applications/org.lexamo.Lexamo.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.lexamo.Lexamo.metainfo.xml"

step "the launcher makes the Lexamo folder with the samples once, and starts there"
fake_bin="$work/fake/usr/bin"
mkdir -p "$fake_bin" "$work/fake/usr/share" "$work/home"
cp "$stage/usr/bin/lexamo-launch" "$fake_bin/"
cp -R "$stage/usr/share/lexamo" "$work/fake/usr/share/"
printf '#!/bin/sh\npwd\n' >"$fake_bin/lexamo"
chmod +x "$fake_bin/lexamo"
started_in=$(HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$fake_bin/lexamo-launch")
folder=$(HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" sh -c \
    'd=$(xdg-user-dir DOCUMENTS 2>/dev/null || true); [ -n "$d" ] && [ "$d" != "$HOME" ] || d=$HOME/Documents; echo "$d/Lexamo"')
[ "$started_in" = "$folder" ] || fail "launcher started in '$started_in', expected '$folder'"
[ -f "$folder/Option.txt" ] && [ -f "$folder/idioms/IdiomsE.txt" ] || fail "samples not copied"
echo "teacher's own line" >"$folder/Option.txt"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$fake_bin/lexamo-launch" >/dev/null
[ "$(cat "$folder/Option.txt")" = "teacher's own line" ] || fail "launcher overwrote a course"

step "cpack builds the .deb"
(cd "$build_dir" && rm -f lexamo_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/lexamo_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$work/"
(cd "$work" && DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
    --no-install-recommends "./$(basename "$deb")" >/dev/null)
status=0
/usr/bin/lexamo-check --help >"$work/help" || status=$?
[ "$status" -eq 0 ] && grep -q '^Usage: lexamo-check' "$work/help" || status=1
if [ "$status" -eq 0 ]; then
    /usr/bin/lexamo-check /usr/share/lexamo/examples || status=$?
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq lexamo >/dev/null
[ "$status" -eq 0 ] || fail "the installed lexamo-check did not run cleanly"
step "package checks passed"
