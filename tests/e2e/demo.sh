#!/usr/bin/env bash
# The demo from end to end on an X display (a virtual one when DISPLAY is
# unset): the three lines it prints, Esc doing nothing while it waits, and a
# polled key ending it with exit code 1.
#   tests/e2e/demo.sh "<how to run the demo>" <output dir>
# e.g. tests/e2e/demo.sh build/default/demo/demo build/e2e-native
#      tests/e2e/demo.sh "env LANG=ja_JP.UTF-8 wine build/mingw/demo/demo.exe" build/e2e-wine
set -u
cmd=$1
out=${2:-.}
mkdir -p "$out"
fail=0
title='タイトルです'
case $cmd in *wine*) how=wine ;; *) how=native ;; esac

. "$(dirname "$0")/display.sh"
virtual_display 140 170
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT

waitwindow() {
    for _ in $(seq 200); do winid "$title" && return 0; sleep 0.1; done
    return 1
}
ends() { # pid, seconds: its exit code, or 124 while it runs on
    local pid=$1 t=$2
    for _ in $(seq $((t * 10))); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
        sleep 0.1
    done
    return 124
}
stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

# Checks the 640 x 400 client area: only black and the three text colours,
# each inside the cells of its line.
check() { # png, x, y
    convert "$1" -crop "640x400+$2+$3" +repage txt:- | awk '
        NR == 1 { next }
        {
            split($1, p, /[,:]/); x = p[1]; y = p[2]; c = $3
            if (c == "#000000") next
            if (c == "#0000A8") { k = "blue"; y0 = 20 } else if (c == "#00A800") { k = "green"; y0 = 40 }
            else if (c == "#A800A8") { k = "magenta"; y0 = 60 } else { bad++; if (bad < 5) print "stray " c " at " x "," y; next }
            n[k]++
            w = (k == "magenta") ? 40 : 32
            if (x < 20 || x >= 20 + w || y < y0 || y >= y0 + 16) { bad++; if (bad < 5) print k " outside its cells at " x "," y }
        }
        END {
            if (n["blue"] < 20 || n["green"] < 20 || n["magenta"] < 20) { print "text missing: blue " n["blue"] " green " n["green"] " magenta " n["magenta"]; bad++ }
            exit bad > 0
        }'
}

# Waits until the client area shows the three lines (up to 40 s: on a fresh
# machine the first program builds the font cache); the screenshot stays in png.
drawn() { # window id, png
    local xy
    for _ in $(seq 80); do
        if import -window root "$2" 2>/dev/null && xy=$(origin "$1") && check "$2" $xy >/dev/null; then
            return 0
        fi
        sleep 0.5
    done
    check "$2" $xy
    return 1
}

# Presses a key until the program ends: a press sent while the window is
# still taking the focus can be lost, so up to three presses, 10 s apart.
press() { # pid, key: the exit code, or 124
    local rc=124
    for _ in 1 2 3; do
        xdotool keydown "$2" sleep 0.2 keyup "$2"
        ends "$1" 10; rc=$?
        [ $rc -ne 124 ] && break
    done
    return $rc
}

run_once() { # key [screenshot]
    local key=$1 shot=${2:-$out/last.png} pid win rc
    fresh_keys $how
    $cmd & pid=$!
    if ! win=$(waitwindow); then echo "FAIL $key: no window"; stop $pid; return 1; fi
    if drawn "$win" "$shot"; then
        [ -n "${2:-}" ] && echo "ok: text as expected ($shot)"
    else
        echo "FAIL: text ($shot)"; fail=1
    fi
    [ -n "${2:-}" ] && echo "screenshot: $shot"
    # Keys go to the window with the focus; with no window manager, give it.
    xdotool mousemove --window "$win" 50 50
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key Escape
    sleep 1
    if ! kill -0 $pid 2>/dev/null; then echo "FAIL $key: Esc ended the program"; return 1; fi
    press $pid "$key"; rc=$?
    stop $pid
    if [ $rc -eq 1 ]; then echo "ok $key: exit code 1"; else echo "FAIL $key: exit code $rc"; return 1; fi
}

run_once a "$out/demo.png" || fail=1
for key in 7 space Up Return; do run_once $key || fail=1; done

# A key held from the start ends it as soon as the text is drawn.
# (XTest lets a key go when its client leaves, so xdotool stays to hold it.)
# The window is given the focus, as a desktop gives a new window: Wine
# learns of keys held before it started only when its window gets it.
fresh_keys $how
xdotool keydown z sleep 40 keyup z & holder=$!
sleep 0.5
$cmd & pid=$!
for _ in $(seq 200); do
    kill -0 $pid 2>/dev/null || break
    if win=$(winid "$title"); then xdotool windowfocus "$win" 2>/dev/null; break; fi
    sleep 0.1
done
ends $pid 30; rc=$?
stop $pid
kill $holder 2>/dev/null; wait $holder 2>/dev/null
xdotool keyup z
if [ $rc -eq 1 ]; then echo "ok held key: exit code 1"; else echo "FAIL held key: exit code $rc"; fail=1; fi

echo "$out/demo.png"
exit $fail
