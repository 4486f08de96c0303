#!/bin/sh
# Runs each fuzz target once over its seed corpus; exits non-zero if any input crashes.
# Usage: fuzz/replay.sh <build-dir>   (a build configured with -DLEXAMO_BUILD_FUZZ=ON)
set -u
build="${1:?usage: $0 <build-dir>}"
here="$(cd "$(dirname "$0")" && pwd)"
status=0
for target in fuzz_line_file fuzz_course_loader; do
    binary="$build/fuzz/$target"
    if [ ! -x "$binary" ]; then
        echo "missing $binary" >&2
        status=1
        continue
    fi
    # Seeds run whole: several are longer than the reader's 32 KiB decoding stretch.
    if ! "$binary" -runs=0 -max_len=262144 "$here/corpus/$target"; then
        echo "$target failed on its seed corpus" >&2
        status=1
    fi
done
exit "$status"
