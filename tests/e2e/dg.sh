#!/usr/bin/env bash
# The dg command on an old program's folder, a copy of tests/data/oldgame
# (Shift_JIS sources with CRLF line ends, a header, a C file in a subfolder,
# bitmaps named as Windows names them): `dg run` in a window, `dg exe`'s zip
# unpacked and run under Wine, `dg web`'s page in headless Chromium; each
# must show the pixels of tests/data/oldgame.txt and end with exit code 1 at a
# key. Then what bad input gets: a clear message and exit status 2.
#   tests/e2e/dg.sh OUT
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-build/e2e-dg}
mkdir -p "$out"
out=$(cd "$out" && pwd)
dg=$root/tools/dg
pixels=$root/tests/data/oldgame.txt
fail=0
bad() { echo "FAIL $*"; fail=1; }
ok() { echo "ok   $*"; }

export WINEPREFIX=${WINEPREFIX:-$root/build/wine} WINEDEBUG=${WINEDEBUG:--all}
. "$root/tests/e2e/display.sh"
virtual_display 171 199
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# dg's own headers read the same as CP932 and as UTF-8: pure ASCII.
nonascii=$(cd "$root" && LC_ALL=C grep -l -P '[^\x09\x0A\x20-\x7E]' include/*.h)
[ -z "$nonascii" ] && ok "dg's headers are ASCII" || bad "not ASCII, so not the same in a CP932 source: $nonascii"

# The folder, as a user has it (its earlier build output kept, so a second run
# builds only what changed), with a space in its path as folders have.
game="$out/old game"
mkdir -p "$game"
cp -a "$root/tests/data/oldgame/." "$game/"

# Waits for the program's window, checks the client area against the pixels
# file, presses Space and expects the end with exit code 1. The first run
# builds dg itself before the program (about a minute, more on a slow
# machine), so the window is waited for as long as the run ($pid) goes on,
# up to 5 minutes.
window_check() { # what, png
    local what=$1 png=$2 win org faults
    win=""
    for _ in $(seq 3000); do
        win=$(winid "タイトルです") && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$win" ] || { bad "$what: no window"; return; }
    sleep 1.5
    org=$(origin "$win")
    import -window root "$png"
    # shellcheck disable=SC2086
    set -- $org
    faults=$(grep -E '^[0-9]' "$pixels" | while read -r x y want; do
        got=$(convert "$png" -format "#%[hex:p{$(($1 + x)),$(($2 + y))}]" info: | cut -c1-7)
        [ "$got" = "$want" ] || echo "$x,$y: $got, want $want"
    done)
    if [ -z "$faults" ]; then ok "$what: the bitmaps and green lamps"; else bad "$what: $(head -n 3 <<<"$faults" | tr '\n' ' ')"; fi
    xdotool mousemove --window "$win" 50 50
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool keydown space
    sleep 0.2
    xdotool keyup space
}
ends() { # what: waits for $pid, expecting exit code 1
    local rc
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid"
    rc=$?
    pid=""
    if [ "$rc" -eq 1 ]; then ok "$1: Space ends it, exit code 1"; else bad "$1: exit code $rc"; fi
}

# dg run: built and run in the folder, in a window.
"$dg" run "$game" >"$out/run.log" 2>&1 &
pid=$!
window_check "dg run" "$out/run.png"
ends "dg run"
[ -x "$game/dg-build/native/oldgame" ] || bad "dg run: no dg-build/native/oldgame"
# A second run with nothing changed builds nothing.
"$dg" run "$game" >"$out/run2.log" 2>&1 &
pid=$!
window_check "dg run, again" "$out/run2.png"
ends "dg run, again"
if grep -q -E 'Building|Linking' "$game/dg-build/native.log"; then
    bad "dg run, again: built again: $(grep -m1 -E 'Building|Linking' "$game/dg-build/native.log")"
else
    ok "dg run, again: nothing built again"
fi

# dg check: the folder's script, headless, against its golden.
if "$dg" check "$game/checks.txt" >"$out/check.log" 2>&1 && grep -qx "1 passed, 0 failed" "$out/check.log"; then
    ok "dg check: $(tail -n 1 "$out/check.log")"
else
    bad "dg check: $(tail -n 5 "$out/check.log")"
fi

# dg exe: the zip holds the program and its bitmaps at their places; unpacked,
# it runs under Wine.
if "$dg" exe "$game" >"$out/exe.log" 2>&1; then
    zip=$game/dg-build/oldgame-win64.zip
    rm -rf "$out/unzipped"
    mkdir -p "$out/unzipped"
    (cd "$out/unzipped" && cmake -E tar xf "$zip")
    listing=$(cd "$out/unzipped" && find . -type f | sort | tr '\n' ' ')
    want="./oldgame/data/ship.bmp ./oldgame/oldgame.exe ./oldgame/画像/絵.bmp ./oldgame/画像/ｅ.bmp "
    [ "$listing" = "$want" ] && ok "dg exe: the zip holds $listing" || bad "dg exe: the zip holds $listing"
    fresh_keys wine
    (cd "$out/unzipped/oldgame" && exec env LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 wine oldgame.exe) &
    pid=$!
    window_check "dg exe under wine" "$out/exe.png"
    ends "dg exe under wine"
else
    bad "dg exe: $(tail -n 5 "$out/exe.log")"
fi

# dg web: the page in DIR/web, served, checked in Chromium.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
DG_WEB_PORT=$port "$dg" web "$game" >"$out/web.log" 2>&1 &
pid=$!
for _ in $(seq 1800); do grep -q '^pages at' "$out/web.log" && break; kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
if grep -q '^pages at' "$out/web.log"; then
    for f in oldgame.html oldgame.js oldgame.wasm oldgame.data index.html mincho/single.ttf mincho/IPA_Font_License.txt; do
        [ -f "$game/web/$f" ] || bad "dg web: no web/$f"
    done
    if node "$root/tests/web/folder.mjs" "http://127.0.0.1:$port/oldgame.html" "$pixels" "$out/web.png"; then
        ok "dg web: in Chromium"
    else
        bad "dg web: in Chromium"
    fi
else
    bad "dg web: not served: $(tail -n 5 "$out/web.log")"
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=""

# Nothing was written in the folder but dg-build/ and web/.
extra=$(cd "$game" && find . | sort | comm -23 - <(cd "$root/tests/data/oldgame" && find . | sort) |
    grep -v -E '^\./(dg-build|web)(/|$)')
[ -z "$extra" ] && ok "the folder holds its files, dg-build/ and web/" || bad "written in the folder: $extra"

# Bad input: a clear message and exit status 2.
refused() { # what, message pattern, command...
    local what=$1 want=$2 rc
    shift 2
    "$@" >"$out/bad.log" 2>&1
    rc=$?
    if [ $rc -eq 2 ] && grep -q -E "$want" "$out/bad.log"; then
        ok "$what: exit status 2, \"$(grep -m1 -E "$want" "$out/bad.log")\""
    else
        bad "$what: exit status $rc: $(tail -n 3 "$out/bad.log")"
    fi
}
empty=$out/empty
rm -rf "$empty" && mkdir -p "$empty/sub"
refused "no sources" "^dg: no C or C\+\+ sources" "$dg" run "$empty"
refused "no folder" "^dg: no folder" "$dg" run "$out/none"
refused "no command" "^ *dg run DIR" "$dg"
nomain=$out/nomain
mkdir -p "$nomain"
printf 'int helper(void) { return 1; }\n' >"$nomain/helper.c"
refused "no Main" "^dg: no Main in" "$dg" run "$nomain"
broken=$out/broken
mkdir -p "$broken"
printf '#include "dg.h"\nint Main(void) {\n    return nothing;\n}\n' >"$broken/main.c"
refused "a compile error" "main\.c:3:[0-9]+: error: .nothing. undeclared" "$dg" run "$broken"
# Without MinGW-w64 on the PATH (every other command there).
bin=$out/path-without-mingw
rm -rf "$bin" && mkdir -p "$bin"
for f in /usr/bin/* /bin/*; do
    case ${f##*/} in *mingw32*) ;; *) [ -e "$bin/${f##*/}" ] || ln -s "$f" "$bin/${f##*/}" ;; esac
done
refused "no MinGW-w64" "apt-get install .*g\+\+-mingw-w64-x86-64-posix" env PATH="$bin" "$dg" exe "$game"

[ $fail -eq 0 ] && echo "the dg command: all passed"
exit $fail
