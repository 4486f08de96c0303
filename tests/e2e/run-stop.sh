#!/usr/bin/env bash
# The real program ends promptly and cleanly when it is asked to: SIGTERM while a long sentence
# is spoken, Alt+F4 (the window manager's close) while it is spoken, and SIGINT when idle. Each
# must end the program with exit code 0 within a second. Runs under Xvfb with openbox and SDL's
# disk audio driver.
#   run-stop.sh <path-to-lexamo>
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <path-to-lexamo>" >&2
    exit 2
fi
lexamo=$(readlink -f "$1")

if [ -z "${LEXAMO_E2E_DISPLAY_READY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
        env LEXAMO_E2E_DISPLAY_READY=1 "$0" "$lexamo"
fi

work=$(mktemp -d)
wm_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "STOP TEST FAILED: $*" >&2
    echo "--- program output ---" >&2
    cat "$work/lexamo.log" >&2 || true
    exit 1
}

step() { printf '== %s\n' "$*"; }

# A course whose only sentence takes several seconds to speak.
long="$work/long"
mkdir -p "$long"
printf '\xef\xbb\xbfLong course\r\nLong\r\n' >"$long/Option.txt"
printf 'When I was a child, I used to walk to school with my friends every morning, even when it was raining very hard outside.\r\n' >"$long/LongE.txt"
printf '\xef\xbb\xbf子供のころ、雨の日も毎朝友達と歩いて学校へ通った。\r\n' >"$long/LongJ.txt"
short="$work/short"
mkdir -p "$short"
printf '\xef\xbb\xbfShort course\r\nShort\r\n' >"$short/Option.txt"
printf 'Hi.\r\n' >"$short/ShortE.txt"
printf '\xef\xbb\xbfやあ。\r\n' >"$short/ShortJ.txt"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

# start <course folder> <title>: starts the program there and presses OK in the selection window.
start() {
    (cd "$1" && exec env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk \
        SDL_DISKAUDIOFILE="$work/audio.raw" "$lexamo" >"$work/lexamo.log" 2>&1) &
    app_pid=$!
    local select_window
    select_window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Change Course$' |
        head -n 1) || fail "no selection window"
    sleep 1
    xdotool windowactivate --sync "$select_window" key Tab key space ||
        fail "could not press OK"
    main=$(timeout 60 xdotool search --sync --onlyvisible --name "^$2\$" | head -n 1) ||
        fail "the course did not start"
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# ends_within <milliseconds> <since>: the program must have ended with exit code 0 within that
# time of the request made at <since> (now_ms).
ends_within() {
    local status=0
    while kill -0 "$app_pid" 2>/dev/null && [ $(($(now_ms) - $2)) -le "$1" ]; do
        sleep 0.02
    done
    local took=$(($(now_ms) - $2))
    kill -0 "$app_pid" 2>/dev/null && fail "still running ${took} ms after the request"
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "exit code $status"
    echo "ended with exit code 0 within ${took} ms"
}

step "SIGTERM while a long sentence is spoken"
start "$long" 'Long course'
sleep 1.5
kill -0 "$app_pid" || fail "the program ended by itself"
requested=$(now_ms)
kill -TERM "$app_pid"
ends_within 1000 "$requested"

step "Alt+F4 while a long sentence is spoken"
start "$long" 'Long course'
sleep 1.5
xdotool windowactivate --sync "$main"
requested=$(now_ms)
xdotool key alt+F4
ends_within 1000 "$requested"

step "SIGINT when idle"
start "$short" 'Short course'
sleep 3
requested=$(now_ms)
kill -INT "$app_pid"
ends_within 1000 "$requested"

step "stop test passed"
