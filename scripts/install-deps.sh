#!/usr/bin/env bash
# Installs the Debian packages Lexamo needs, only those still missing.
#   install-deps.sh run      what building and running the program needs
#   install-deps.sh package  that, plus what making the Debian package needs
#   install-deps.sh test     all that, plus what the test suite, fuzzing, benchmarks and the
#                            package check need
set -euo pipefail

profile=${1:-run}

run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev qt6-qpa-plugins libfontconfig-dev qt6-tools-dev qt6-l10n-tools
    libicu-dev libsdl2-dev
    flite1-dev libespeak-ng-dev espeak-ng-data libsonic-dev
    fonts-noto-cjk go-md2man
)
package_packages=(dpkg-dev file)
test_packages=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool openbox x11-utils imagemagick libxcb1-dev weston qt6-wayland
    desktop-file-utils appstream python3 lintian man-db
)

packages=("${run_packages[@]}")
case "$profile" in
    run) ;;
    package) packages+=("${package_packages[@]}") ;;
    test) packages+=("${package_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 run|package|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
