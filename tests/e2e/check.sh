#!/usr/bin/env bash
# Check builds (tools/check): the same script gives the same PNG files twice;
# a changed golden fails with a diff image; faults of a script or a program
# that does not follow it end with 2, naming the line; and keys recorded with
# F8 in a real window, with two F12 screenshots, replay to those screenshots.
#   tests/e2e/check.sh EXAMPLES OUT   (EXAMPLES: the built examples with their
#                                      -check builds; DISPLAY set)
set -u
examples=$(cd "$1" && pwd)
out=$2
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
fail=0
say() { echo "$*"; }
bad() { echo "FAILED: $*"; fail=1; }

# check NAME SCRIPT-TEXT [ARGS]: runs NAME-check on the script; sets rc, log.
rc=0
check() {
    local name=$1 text=$2
    shift 2
    printf '%s\n' "$text" >"$out/$name.txt"
    (cd "$out" && "$examples/$name-check" "$@" "$out/$name.txt") >"$out/log" 2>&1
    rc=$?
}
expect() { # rc, text the log must hold, what
    if [ "$rc" -ne "$1" ] || ! grep -qF -- "$2" "$out/log"; then
        bad "$3: exit $rc, wanted $1 with \"$2\":"
        sed 's/^/    /' "$out/log"
    else
        say "ok: $3"
    fi
}

# The same script twice: the same files, byte for byte.
script=$'idle\nframe one\ntap right\nidle\nframe two\ntap enter\nend'
check sprite "$script" --update --golden "$out/first"
expect 0 "2 passed, 0 failed" "a first run writes its goldens"
check sprite "$script" --update --golden "$out/second"
if cmp -s "$out/first/one.png" "$out/second/one.png" && cmp -s "$out/first/two.png" "$out/second/two.png"; then
    say "ok: two runs give identical PNG files"
else
    bad "two runs gave different PNG files"
fi
check sprite "$script" --golden "$out/first"
expect 0 "PASS two" "the goldens pass"

# A golden that is not what the program shows.
cp "$out/first/one.png" "$out/first/two.png"
check sprite "$script" --golden "$out/first" --out "$out/diff"
expect 1 "FAIL two: 1113 pixels differ, the first at (282, 1): #000000 where the golden has #fcfcfc" "a changed frame fails, naming its first pixel"
[ -f "$out/diff/two.diff.png" ] && say "ok: its diff image is written" || bad "no two.diff.png"
check sprite $'frame new\ntap enter' --golden "$out/none"
expect 1 "NEW new" "a frame with no golden is written and fails"
[ -f "$out/none/new.png" ] || bad "the new golden is missing"

# A key pressed at the very poll that reads it is seen there, as F8 records
# it: the keys example polls A at 2, 50, 98, ... of its time (its first ML,
# then rounds of kbhit's 42 polls, a look at the queue and a 5 ms pause);
# held from 50 to 68, kbhit sees it at 50 and getch at 67.
mkdir -p "$out/quick"
cp "$(dirname "$0")/../../examples/checks/golden/keys-a.png" "$out/quick/quick.png"
check keys $'wait 50\npress a\nwait 18\nrelease a\nidle\nframe quick' --golden "$out/quick"
expect 0 "PASS quick" "a press at the poll that reads it"

# Faults: exit status 2, the line named.
check keys $'idle\ntap f1' --golden "$out/g"
expect 2 "line 2: no key \`f1\`" "an unknown key"
check keys $'frame a\nwait 5\nframe a' --golden "$out/g"
expect 2 "line 3: frame a twice" "a frame twice"
check keys $'idle\nwait 100\ntap q\nwait 100\nframe late' --golden "$out/g"
expect 2 "line 4: the program ended (exit code 1) before this step" "a program that ends early"
check bounce $'# never still\nidle' --golden "$out/g"
expect 2 "line 2: the program did not come to wait for a key within 60000 ms" "a step never reached"
check palette $'idle\ntap esc\nidle' --golden "$out/g"
expect 2 "came with no \`answer\` step before it" "a message box with no answer"
check palette $'idle\nanswer yes\ntap esc\nend' --golden "$out/g"
expect 0 "0 passed, 0 failed" "Esc answered yes ends the program"
check keys $'tap q\nend\nwait 5' --golden "$out/g"
expect 0 "0 passed, 0 failed" "a tap the program ends on"

# F8 records a live session in a window; its two F12 screenshots are the
# goldens that its replay must give again. F9 records it as a GIF meanwhile.
live=$out/live
mkdir -p "$live"
(cd "$live" && exec env SDL_VIDEODRIVER=x11 "$examples/keys") &
pid=$!
win=""
for _ in $(seq 100); do
    win=$(xwininfo -root -tree 2>/dev/null | grep -F '"キー"' | awk '{print $1; exit}' || true)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || bad "the keys example showed no window"
xdotool windowfocus --sync "$win" 2>/dev/null
sleep 0.5
hold() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.3; }
# The program's keys quick, as a hand taps them: a press a program sees for
# less than one of its rounds of polls replays only at the very poll it came.
tap() { xdotool keydown "$1"; sleep 0.03; xdotool keyup "$1"; sleep 0.3; }
hold F8
hold F9
tap a
tap Up
hold F12
tap 7
tap space
hold F12
hold F9
hold F8
hold q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
recording=$(ls "$live"/keys-*.txt 2>/dev/null | head -n 1)
if [ -z "$recording" ]; then
    bad "F8 wrote no recording"
else
    frames=$(grep -c '^frame ' "$recording")
    [ "$frames" -eq 2 ] || bad "the recording has $frames frames, not 2"
    (cd "$live" && "$examples/keys-check" --out "$live/out" "$recording") >"$out/log" 2>&1
    rc=$?
    expect 0 "2 passed, 0 failed" "the recording replays to its own screenshots"
    [ "$(ls "$live"/keys-*.png | wc -l)" -eq 2 ] || bad "F12 while recording did not save its screenshots"
fi
# F9 around the same keys: a GIF of the pictures the keys made.
gif=$(ls "$live"/keys-*.gif 2>/dev/null | head -n 1)
if [ -z "$gif" ]; then
    bad "F9 wrote no GIF"
else
    n=$(identify "$gif" | wc -l)
    [ "$n" -ge 2 ] && say "ok: F9 recorded $n frames" || bad "the GIF has $n frames"
fi
[ $fail -eq 0 ] && echo "all checks of the check builds passed"
exit $fail
