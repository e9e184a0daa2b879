#!/usr/bin/env bash
# Takes the README's screenshots with this tree's own native build, on a
# virtual X display: the demo's window (docs/img/demo.png) and the palette
# chart (docs/img/palette.png), each the window's 640 x 400 client area.
#   tools/shots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target demo palette >/dev/null
mkdir -p docs/img

unset DISPLAY
. tests/e2e/display.sh
virtual_display 171 199 || true
[ -n "$xvfb" ] || { echo "no virtual display could be started" >&2; exit 1; }
trap 'kill $xvfb 2>/dev/null' EXIT

shot() { # program, window title, png
    local pid win="" x y
    "$1" & pid=$!
    for _ in $(seq 100); do
        win=$(xwininfo -root -tree | grep -F "\"$2\"" | awk '{print $1; exit}') && [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || { echo "no window for $1" >&2; kill $pid; return 1; }
    sleep 1
    # The X window is the client area (no window manager draws a frame here).
    x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
    import -window root -crop "640x400+$x+$y" +repage -strip "$3"
    # A letter, held long enough for the program's polling to see it, ends it.
    xdotool keydown a sleep 0.2 keyup a
    wait $pid || true
    echo "$3"
}

# The palette first: on a display that has just started, the first window
# can be mapped after its first picture was shown, and the demo (which never
# pumps messages) would not show it again. A picture that is all one colour is
# taken again.
for png in palette demo; do
    case $png in
    palette) prog=build/default/examples/palette title="パレット" ;;
    demo) prog=build/default/demo/demo title="タイトルです" ;;
    esac
    for _ in 1 2 3; do
        shot "$prog" "$title" "docs/img/$png.png"
        [ "$(convert "docs/img/$png.png" -format %k info:)" -gt 1 ] && break
        echo "docs/img/$png.png is blank; again" >&2
    done
done
