#!/usr/bin/env bash
# End-to-end run of the real program on a Wayland compositor: Weston's X11 backend inside Xvfb,
# Qt's wayland platform, clicks through xdotool on Weston's window. It chooses a course, answers
# a question, moves on to a long sentence and answers it, closes the closing message and the
# main window, and checks the exit code. From the compositor's protocol log it checks the app id,
# that the course list is the main window's child, and that the new question's frame reached the
# compositor before its speech began; a screenshot during that speech shows the new question.
#   run-e2e-wayland.sh <path-to-lexamo>
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <path-to-lexamo>" >&2
    exit 2
fi
lexamo=$(readlink -f "$1")

# Weston's window is smaller than the X screen, so the pointer can leave it.
width=1280
height=800
if [ -z "${LEXAMO_E2E_DISPLAY_READY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 $((width + 100))x$((height + 100))x24 -nolisten tcp" \
        env LEXAMO_E2E_DISPLAY_READY=1 "$0" "$lexamo"
fi

work=$(mktemp -d)
compositor_pid=
app_pid=
monitor_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$monitor_pid" ] && kill "$monitor_pid" 2>/dev/null || true
    [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "E2E FAILED: $*" >&2
    echo "--- program output ---" >&2
    cat "$work/lexamo.log" >&2 || true
    echo "--- compositor output (messages only) ---" >&2
    grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$work/weston.log" | tail -n 20 >&2 || true
    exit 1
}

step() { printf '== %s\n' "$*"; }

# Two courses, so the first is selected at once. Every answer is any order of its words: a
# one-word sentence, then 24 identical words, long enough to be heard for several seconds.
courses="$work/courses"
mkdir -p "$courses/other"
printf '\xef\xbb\xbfWayland course\r\nDrill\r\n' >"$courses/Option.txt"
long=$(printf 'no %.0s' $(seq 24))
printf 'Hello.\r\n%s\r\n' "${long% }" >"$courses/DrillE.txt"
printf '\xef\xbb\xbfこんにちは。\r\nいいえ。\r\n' >"$courses/DrillJ.txt"
printf 'Other course\r\nOther\r\n' >"$courses/other/Option.txt"
printf 'Goodbye.\r\n' >"$courses/other/OtherE.txt"
printf '\xef\xbb\xbfさようなら。\r\n' >"$courses/other/OtherJ.txt"

# No panel: a maximized window fills the output. No animations: what is committed is shown.
cat >"$work/weston.ini" <<EOF
[core]
shell=desktop-shell.so
idle-time=0
[shell]
panel-position=none
locking=false
animation=none
startup-animation=none
close-animation=none
focus-animation=none
[input-method]
path=
EOF

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The protocol log (WAYLAND_DEBUG=server) stamps each request when the compositor receives it.
WAYLAND_DEBUG=server weston --backend=x11-backend.so --width=$width --height=$height \
    --socket=lexamo-e2e --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
compositor_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/lexamo-e2e" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/lexamo-e2e" ] || fail "the compositor did not start"
output=
for _ in $(seq 100); do
    output=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -n 1) || true
    [ -n "$output" ] && break
    sleep 0.1
done
[ -n "$output" ] || fail "no compositor window"

# The audio file written as it plays, with each start of sound after silence stamped on the
# protocol log's clock (microseconds of the real-time clock, modulo 2^32).
audio="$work/audio.raw"
: >"$audio"
python3 - "$audio" >"$work/sound-starts" <<'PY' &
import os, sys, time
stamp = lambda: (time.time_ns() // 1000) % 2**32
silent = True
with open(sys.argv[1], "rb") as audio:
    while True:
        chunk = audio.read(65536)
        if not chunk:
            time.sleep(0.002)
            continue
        sound = any(chunk)
        if sound and silent:
            print(stamp(), flush=True)
        silent = not sound
PY
monitor_pid=$!

# Without decorations the window's client area is the whole output once maximized.
(cd "$courses" && exec env WAYLAND_DISPLAY=lexamo-e2e QT_QPA_PLATFORM=wayland \
    QT_WAYLAND_DISABLE_WINDOWDECORATION=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
    "$lexamo" >"$work/lexamo.log" 2>&1) &
app_pid=$!

# Waits until the protocol log holds a line matching the pattern.
wait_log() {
    for _ in $(seq 300); do
        grep -qE "$1" "$work/weston.log" && return 0
        kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for: $2"
        sleep 0.1
    done
    fail "never saw: $2"
}

# Clicks the middle of a control given in design units of a window that fills the output.
click() { # <design w> <design h> <x> <y> <w> <h>
    xdotool mousemove --window "$output" $(((($3 * 2 + $5) * width) / ($1 * 2))) \
        $(((($4 * 2 + $6) * height) / ($2 * 2))) click 1
}
word_rows=(258 293 330 365 402 437)
click_word() {
    local i=$(($1 - 1))
    click 713 480 $((18 + 178 * (i % 4))) "${word_rows[$((i / 4))]}" 140 22
}
now() { python3 -c 'import time; print((time.time_ns() // 1000) % 2**32)'; }

step "choose the course"
wait_log 'set_title\("Change Course"\)' "the selection window"
wait_log "configure\($width, $height," "a maximized window"
sleep 2
# Weston's X11 backend takes pointer input only once the pointer has entered its window.
xdotool mousemove $((width + 50)) $((height + 50))
sleep 0.3
xdotool mousemove --window "$output" $((width / 2)) $((height / 2))
sleep 0.3
click 450 262 336 224 105 33

step "answer the first question"
wait_log 'set_title\("Wayland course"\)' "the course loaded"
sleep 3
click_word 1
sleep 4
import -window "$output" "$work/answered.png" || fail "no screenshot"

step "the next question, shown before it is spoken"
next_clicked=$(now)
click 713 480 21 220 80 22
sleep 1.5
import -window "$output" "$work/speaking.png" || fail "no screenshot"
sleep 8
for i in $(seq 24); do
    click_word "$i"
    sleep 0.3
done
sleep 4
import -window "$output" "$work/all-clicked.png" || true
click 713 480 21 220 80 22

step "close the closing message and the main window"
wait_log 'set_title\("lexamo"\)' "the closing message"
sleep 3
xdotool key --window "$output" Return
sleep 2
click 713 480 620 21 80 33
for _ in $(seq 300); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end after its window was closed"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "exit code $status"
kill "$monitor_pid" 2>/dev/null || true
monitor_pid=

step "check the protocol log and the screen"
python3 - "$work/weston.log" "$work/sound-starts" "$next_clicked" "$width" "$height" <<'PY' ||
import re, sys
log = open(sys.argv[1], encoding="utf-8", errors="replace").read().splitlines()
sound_starts = [int(line) for line in open(sys.argv[2])]
next_clicked, width, height = (int(value) for value in sys.argv[3:6])
WRAP = 2**32
after = lambda t, since: (t - since) % WRAP < WRAP // 2

def stamp(line):
    m = re.match(r"\[ *(\d+)\.(\d+)\]", line)
    return (int(m.group(1)) * 1000 + int(m.group(2))) % WRAP if m else None

errors = []
if not any('set_app_id("org.lexamo.Lexamo")' in line for line in log):
    errors.append("no app id org.lexamo.Lexamo")
titles = {}
for line in log:
    m = re.search(r"(xdg_toplevel@\d+)\.set_title\(\"(.*)\"\)", line)
    if m:
        titles.setdefault(m.group(2), m.group(1))
selection = titles.get("Change Course")
parent = re.compile(re.escape(str(selection)) + r"\.set_parent\(xdg_toplevel@\d+\)")
if not selection or not any(parent.search(line) for line in log):
    errors.append("the course list has no parent window")

# The release of the click on Next, then the first frame that covers the whole window.
release = frame = None
damage = "damage_buffer(0, 0, %d, %d)" % (width, height)
whole = False
for line in log:
    t = stamp(line)
    if t is None or not after(t, next_clicked):
        continue
    if release is None:
        if re.search(r"-> wl_pointer@\d+\.button\(\d+, \d+, 272, 0\)", line):
            release = t
        continue
    if damage in line:
        whole = True
    elif re.search(r"wl_surface@\d+\.commit\(\)", line) and whole:
        frame = t
        break
sound = next((t for t in sound_starts if release is not None and after(t, release)), None)
if release is None or frame is None:
    errors.append("no new frame after the click on Next")
elif sound is None:
    errors.append("no speech after the click on Next")
else:
    print("after Next: frame at the compositor %.1f ms, first sound %.1f ms"
          % ((frame - release) % WRAP / 1000, (sound - release) % WRAP / 1000))
    if not after(sound, frame):
        errors.append("the speech began before the new question reached the compositor")
for error in errors:
    print(error, file=sys.stderr)
sys.exit(1 if errors else 0)
PY
    fail "protocol log"

# The red circle of the answered question is on screen until Next, and gone while the new
# question is spoken.
red() { convert "$1" -fuzz 10% -fill black +opaque red -fill white -opaque red -format '%[fx:mean]' info:; }
python3 - "$(red "$work/answered.png")" "$(red "$work/speaking.png")" <<'PY' ||
import sys
answered, speaking = (float(value) for value in sys.argv[1:3])
print(f"red share of the screen: answered {answered:.4f}, while speaking {speaking:.4f}")
sys.exit(0 if answered > 0.002 and speaking < 0.0005 else 1)
PY
    fail "the screen during speech"
step "Wayland end-to-end run passed"
