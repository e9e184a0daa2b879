# Shared by the scripts that run programs in a real window; sourced, not run.

# A virtual X display on the first free number from $1 to $2 when DISPLAY is
# unset; its process id is left in xvfb (empty when none was started).
xvfb=""
virtual_display() { # first, last
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq "$1" "$2"); do
        { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
        # -noreset: by default Xvfb resets when its last client leaves, and a
        # program connecting during the reset is dropped (its XOpenDisplay fails).
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        return 0
    done
    return 1
}

winid() { # title: the id of the first window with that title
    xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk '{print $1; exit}' | grep .
}

# The client area's origin on the root: the program's X window holds the
# client area, or, where the window draws its own frame, the client area is
# centred horizontally in it and sits on its bottom border.
origin() { # window id -> "x y"
    local info x y w h b
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    b=$(((w - 640) / 2))
    echo "$((x + b)) $((y + h - 400 - b))"
}

# Every run starts from a known key state. Wine keeps the key state it last
# saw in its server, and a key released after a program ended (with no Wine
# window left to see it go up) stays down there for the next program, which
# takes it as held from the start: a new server starts with nothing held.
fresh_keys() { # native|wine
    [ "$1" = wine ] || return 0
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    return 0
}
