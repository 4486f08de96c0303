#!/usr/bin/env bash
# Installs the Debian packages Lexamo needs, only those still missing.
#   install-deps.sh run    what building and running the program needs
#   install-deps.sh test   that, plus what the test suite, fuzzing, benchmarks and packaging need
set -euo pipefail

profile=${1:-run}

run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev qt6-qpa-plugins libfontconfig-dev
    libicu-dev libsdl2-dev
    flite1-dev libespeak-ng-dev espeak-ng-data libsonic-dev
    fonts-noto-cjk
)
test_packages=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool openbox x11-utils imagemagick
    desktop-file-utils appstream dpkg-dev file python3
)

packages=("${run_packages[@]}")
if [ "$profile" = test ]; then
    packages+=("${test_packages[@]}")
fi

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
