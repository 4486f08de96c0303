#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite under them; replays the fuzz corpora and checks the package too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh" test

echo "== sanitizer build"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLEXAMO_SANITIZE=ON >/dev/null
cmake --build "$root/build-asan" -j "$jobs"

echo "== fuzz targets over their seed corpora"
CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLEXAMO_BUILD_FUZZ=ON -DLEXAMO_BUILD_TESTS=OFF -DLEXAMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-fuzz" -j "$jobs" --target fuzz_line_file fuzz_course_loader
"$root/fuzz/replay.sh" "$root/build-fuzz"

echo "== install, desktop entry, metainfo and Debian package"
"$root/dist/check-package.sh" "$root/build-package"

echo "== test suite"
ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
