#!/usr/bin/env bash
# Quitting for real: Esc opens the confirmation box, Enter
# answers it with its default Yes, and the program ends with exit code 1.
#   tests/e2e/quit.sh "<program command>"    (DISPLAY set; the program pumps messages)
set -u
cmd=$1
fail=0

byname() { # the first window whose name is $1
    xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk '{print $1; exit}' | grep .
}

waitwindow() { # the program's window, by its title
    local win=""
    for _ in $(seq 150); do
        win=$(byname 'タイトルです')
        [ -n "$win" ] && { echo "$win"; return 0; }
        sleep 0.1
    done
    return 1
}

waitbox() { # a second window appears: the confirmation
    for _ in $(seq 100); do
        byname '終了確認です' >/dev/null && return 0
        sleep 0.1
    done
    return 1
}

ends() { # pid, seconds: its exit code, or 124 when it runs on
    local pid=$1 t=$2
    for _ in $(seq $((t * 10))); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 124
}

for how in escape; do
    $cmd & pid=$!
    if ! win=$(waitwindow); then
        echo "FAIL $how: no window"; kill $pid; fail=1; continue
    fi
    sleep 1
    xdotool mousemove --window "$win" 50 50
    if [ $how = escape ]; then
        xdotool windowfocus --sync "$win" 2>/dev/null
        xdotool key Escape
    else
        xdotool windowclose "$win" 2>/dev/null || xdotool windowkill "$win"
    fi
    if ! waitbox; then
        echo "FAIL $how: no confirmation box"; kill $pid; fail=1; continue
    fi
    sleep 0.5
    box=$(byname '終了確認です')
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool mousemove --window "$box" 10 10
    xdotool key Return
    ends $pid 20; rc=$?
    if [ $rc -eq 1 ]; then echo "ok $how: confirmed, exit code 1"; else echo "FAIL $how: exit code $rc"; fail=1; fi
done
exit $fail
