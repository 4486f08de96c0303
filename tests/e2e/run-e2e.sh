#!/usr/bin/env bash
# End-to-end run of the real program: under Xvfb with openbox, with SDL's disk audio driver, it
# opens a small course, answers the first question by clicking the word buttons where the scaled
# window puts them, the second by Tab and Space and the third by typing its words, closes the
# final message box and the main window, and checks the exit code and that sound was played. On
# the way it checks that the course list is the main window's child and that the windows carry
# the class the menu entry names.
#   run-e2e.sh <path-to-lexamo> [screenshot.png]
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 <path-to-lexamo> [screenshot.png]" >&2
    exit 2
fi
lexamo=$(readlink -f "$1")
screenshot=${2:+$(readlink -f "$(dirname "$2")")/$(basename "$2")}

# Re-run inside a private X server; the screen size is not the design size on purpose, so the
# clicks only land when the scaling is right.
if [ -z "${LEXAMO_E2E_DISPLAY_READY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
        env LEXAMO_E2E_DISPLAY_READY=1 "$0" "$lexamo" ${screenshot:+"$screenshot"}
fi

work=$(mktemp -d)
wm_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "E2E FAILED: $*" >&2
    echo "--- program output ---" >&2
    cat "$work/lexamo.log" >&2 || true
    exit 1
}

step() { printf '== %s\n' "$*"; }

# Two courses, so the first is selected at once. The answers need no reading of the shuffled
# buttons: a one-word sentence, a sentence of two identical words, and a sentence typed.
courses="$work/courses"
mkdir -p "$courses/other"
printf '\xef\xbb\xbfE2E course\r\nDrill\r\n' >"$courses/Option.txt"
printf 'Hello.\r\nno no\r\nYes, I can type it!\r\n' >"$courses/DrillE.txt"
printf '\xef\xbb\xbfこんにちは。\r\nいいえ、いいえ。\r\nはい、打てます！\r\n' >"$courses/DrillJ.txt"
printf 'Other course\r\nOther\r\n' >"$courses/other/Option.txt"
printf 'Goodbye.\r\n' >"$courses/other/OtherE.txt"
printf '\xef\xbb\xbfさようなら。\r\n' >"$courses/other/OtherJ.txt"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

audio="$work/audio.raw"
(cd "$courses" && exec env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
    "$lexamo" >"$work/lexamo.log" 2>&1) &
app_pid=$!

# Waits for a visible window whose title matches, and prints its id.
wait_window() {
    local id
    id=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) ||
        fail "no window titled $1"
    echo "$id"
}

# Waits until the window is larger than its design size, that is maximized, and prints W H.
wait_maximized() {
    local width=0 height=0
    for _ in $(seq 100); do
        eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
        width=$WIDTH height=$HEIGHT
        [ "$width" -gt "$2" ] && [ "$height" -gt "$3" ] && break
        sleep 0.1
    done
    echo "$width $height"
}

# click <window> <client w> <client h> <design w> <design h> <x> <y> <w> <h>: clicks the middle
# of a control given in design units.
click() {
    local px py
    px=$(((($6 * 2 + $8) * $2) / ($4 * 2)))
    py=$(((($7 * 2 + $9) * $3) / ($5 * 2)))
    xdotool mousemove --window "$1" "$px" "$py" click 1
}

word_rows=(258 293 330 365 402 437)
click_word() {
    local i=$(($1 - 1))
    click "$main" $main_size 713 480 $((18 + 178 * (i % 4))) "${word_rows[$((i / 4))]}" 140 22
}
click_next() { click "$main" $main_size 713 480 21 220 80 22; }
# Speech is synchronous and the program takes no input meanwhile; give each step its time.
settle() { sleep "${1:-1.5}"; }

step "choose the course"
select_window=$(wait_window '^Change Course$')
read -r -a select_size <<<"$(wait_maximized "$select_window" 450 262)"
settle 1
owner=$(xdotool search --name '^Form1$' | head -n 1)
transient=$(xprop -id "$select_window" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*$') ||
    fail "the course list has no parent window"
[ "$((transient))" -eq "$owner" ] || fail "the course list's parent is $transient, not the main window"
# Raising the main window leaves the course list above it.
xdotool windowraise "$owner"
sleep 0.5
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | while read -r id; do
    echo $((id))
done)
above=$(echo "$stacking" | grep -xE "$owner|$select_window" | tail -n 1)
[ "$above" = "$select_window" ] || fail "the main window was raised above the course list"
# The menu entry finds the program's windows by their class.
entry="$(dirname "$(readlink -f "$0")")/../../dist/org.lexamo.Lexamo.desktop"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
xprop -id "$select_window" WM_CLASS | grep -q ", \"$wm_class\"\$" ||
    fail "the window's class is not $wm_class: $(xprop -id "$select_window" WM_CLASS)"
click "$select_window" "${select_size[@]}" 450 262 336 224 105 33

step "answer the questions"
main=$(wait_window '^E2E course$')
main_size="$(wait_maximized "$main" 713 480)"
# The selection window covers the main window until the first sentence has been spoken.
for _ in $(seq 300); do
    xdotool search --onlyvisible --name '^Change Course$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Change Course$' >/dev/null 2>&1 &&
    fail "the selection window stayed after OK"
settle 1
click_word 1
settle
click_next
settle 2
if [ -n "$screenshot" ]; then
    import -window "$main" "$screenshot" || fail "no screenshot"
fi

step "answer the second question by Tab and Space"
# Next handed the focus on to the first word; each word hands it to the next, the last to Next,
# and Space on Next shows the third question.
xdotool windowactivate --sync "$main"
for _ in 1 2 3; do
    xdotool key space
    settle
done

step "answer the third question by typing alone"
# Capitals and end punctuation need not be typed. A misspelt word is refused and stays to be
# corrected; Esc clears a typed text; Backspace erases typed letters, and with nothing typed
# takes back the last word placed. Only a correct answer enables Next, which ends the course.
# Fewer Spaces than words, so that Spaces alone, on whichever buttons had the focus, never
# complete the answer.
settle 2
xdotool type --delay 40 'yes i cna'
xdotool key Return
settle 0.5
xdotool key BackSpace BackSpace BackSpace
xdotool type --delay 40 'cam'
xdotool key Escape
xdotool type --delay 40 'can it'
xdotool key Return BackSpace
xdotool type --delay 40 'type it'
xdotool key Return
settle
xdotool key ctrl+n

step "close the final message and the main window"
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lexamo$' 2>/dev/null | head -n 1) ||
    fail "no closing message: the typed answer was not judged correct"
xdotool windowactivate --sync "$box" key Return
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Lexamo$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Lexamo$' >/dev/null 2>&1 && fail "the message box stayed"
xdotool windowactivate --sync "$main" key alt+F4

status=0
for _ in $(seq 300); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end after its window was closed"
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "exit code $status"

step "check the sound"
[ -s "$audio" ] || fail "no audio file"
python3 - "$audio" <<'PY' || fail "the audio output holds no sound"
import sys
data = open(sys.argv[1], "rb").read()
nonzero = len(data) - data.count(0)
print(f"{len(data)} bytes of audio, {nonzero} non-zero")
sys.exit(0 if nonzero > 10000 else 1)
PY
step "end-to-end run passed"
