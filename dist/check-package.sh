#!/usr/bin/env bash
# Makes the .deb with scripts/package.sh, installs the same build into a staging folder and checks
# what lands there: the manual pages, the documentation, the desktop entry and the AppStream
# metainfo, and the launcher. Runs lintian on the .deb, installs it with apt-get and runs
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

step "scripts/package.sh: Release build and .deb in $build_dir"
"$source_dir/scripts/package.sh" "$build_dir" | tee "$work/package.log"
deb=$(tail -n 1 "$work/package.log")
[ -f "$deb" ] && [ "$(dirname "$deb")" = "$build_dir" ] || fail "package.sh did not end with the .deb path"
dpkg-deb --field "$deb" Package Version Architecture Depends

step "cmake --install into a staging folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build_dir" >/dev/null
(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
LC_ALL=C sort >"$work/expected" <<'LIST'
usr/bin/lexamo
usr/bin/lexamo-check
usr/bin/lexamo-launch
usr/share/applications/org.lexamo.Lexamo.desktop
usr/share/doc/lexamo/changelog.gz
usr/share/doc/lexamo/copyright
usr/share/doc/lexamo/course-guide.ja.md
usr/share/doc/lexamo/course-guide.md
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
usr/share/man/man1/lexamo-check.1.gz
usr/share/man/man1/lexamo-launch.1.gz
usr/share/man/man1/lexamo.1.gz
usr/share/metainfo/org.lexamo.Lexamo.metainfo.xml
LIST
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the expected list"
for program in lexamo lexamo-check lexamo-launch; do
    [ -x "$stage/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

step "manual pages render without warnings, documentation is in place"
doc="$stage/usr/share/doc/lexamo"
for page in lexamo lexamo-check lexamo-launch; do
    # man-db follows the .so of lexamo-launch(1) relative to the manual's top folder.
    (cd "$stage/usr/share/man" && LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 \
        -l "man1/$page.1.gz" >"$work/$page.txt" 2>"$work/$page.warnings") ||
        fail "man -l $page.1.gz failed"
    [ ! -s "$work/$page.warnings" ] || { cat "$work/$page.warnings" >&2; fail "$page(1) has warnings"; }
done
grep -q '^ *lexamo-check *- *check *Lexamo *courses' "$work/lexamo-check.txt" || fail "lexamo-check(1) NAME"
grep -q '^ *lexamo, *lexamo-launch *- *drill' "$work/lexamo-launch.txt" || fail "lexamo-launch(1) is not lexamo(1)"
[ "$(head -n 1 "$doc/copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "copyright is not in the machine-readable format"
grep -q '^License: GPL-3+$' "$doc/copyright" || fail "copyright names no GPL-3+"
zcat "$doc/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$(dpkg-deb --field "$deb" Version)" ] ||
    fail "the changelog's latest version is not the package's"
grep -q '^## Writing a course$' "$doc/course-guide.md" &&
    grep -q '^## Checking a course with lexamo-check$' "$doc/course-guide.md" ||
    fail "course-guide.md lacks the README's sections for teachers"
grep -q '^## コースを作る$' "$doc/course-guide.ja.md" || fail "course-guide.ja.md is not the Japanese guide"

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

step "lintian"
# Any error or warning fails. The information tags it still shows, and why they stay:
#   package-contains-documentation-outside-usr-share-doc: the sample courses are data that
#     lexamo-launch copies for the learner, not documentation;
#   binary-has-unneeded-section .comment: the compiler's version notes, a few bytes;
#   hardening-no-fortify-functions on lexamo-check: it is built with _FORTIFY_SOURCE=2 like
#     lexamo, but calls none of the C functions that have fortified variants.
lintian --fail-on error,warning --display-info "$deb"

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
