#!/usr/bin/env bash
# Installs what is missing, builds an optimised Lexamo and starts it on the sample courses.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" run
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLEXAMO_BUILD_TESTS=OFF -DLEXAMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-release" --target lexamo
cd "$root/examples"
exec "$root/build-release/app/lexamo"
