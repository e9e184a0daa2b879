# Shared by build.sh and the dg command; sourced, not run.

say() { printf '== %s\n' "$*"; }

# Debian packages, installed only when missing (with sudo when not root).
need() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    command -v apt-get >/dev/null || { echo "missing: ${missing[*]} (Debian packages)" >&2; return 1; }
    say "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
native_packages=(cmake make g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev
    libx11-dev libxi-dev libstb-dev libcgif-dev fontconfig fonts-ipafont-mincho)
display_packages=(xvfb xauth x11-utils xdotool xfonts-base imagemagick)
mingw_packages=(cmake make g++-mingw-w64-x86-64-posix libstb-dev)
# The browser build: Debian's Emscripten (node-acorn for its optimiser), the
# Mincho face cut by fontTools.
web_packages=(cmake make python3 emscripten node-acorn python3-fonttools fonts-ipafont-mincho libstb-dev)

# Whether an X display answers.
have_display() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

# A virtual X display; its process is stopped by stop_display (build.sh and
# dg set that as their exit trap).
xvfb_pid=""
stop_display() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""; }
# Whether the process runs (not ended, nor ended and not yet waited for).
running() { local s; s=$(ps -o stat= -p "$1" 2>/dev/null); [ -n "$s" ] && [ "${s:0:1}" != Z ]; }
start_display() {
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        # -noreset: by default Xvfb resets when its last client leaves, and a
        # program connecting during the reset is dropped (its XOpenDisplay fails).
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        # Ours answers only while ours runs: an Xvfb that could not take the
        # display (another one, ending, still had it) leaves that one to answer.
        for _ in $(seq 50); do
            running "$xvfb_pid" || break
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && running "$xvfb_pid" &&
                { export DISPLAY=":$n"; return 0; }
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
    done
    echo "no virtual display could be started" >&2
    return 1
}

# The id of the first X window with the title given, within about 10 s.
find_window() { # title
    local win
    for _ in $(seq 100); do
        win=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk '{print $1; exit}' || true)
        [ -n "$win" ] && { echo "$win"; return 0; }
        sleep 0.1
    done
    return 1
}
