#!/usr/bin/env bash
# The examples from end to end on an X display (a virtual one when DISPLAY is
# unset): each runs in its window, a screenshot of it is checked pixel by pixel
# where the picture is exact, keys drive it, and its ending key ends it with
# exit code 1.
#   tests/e2e/examples.sh <native|wine> <dir with the built examples> <output dir> [example...]
# e.g. tests/e2e/examples.sh native build/default/examples build/e2e-native
#      tests/e2e/examples.sh wine build/mingw/examples build/e2e-wine
set -u
how=$1
bin=$(cd "$2" && pwd)
out=${3:-.}
shift $(($# < 3 ? $# : 3))
mkdir -p "$out"
out=$(cd "$out" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
fail=0
shots=()

case $how in
native) ext="" run=() ;;
wine)
    ext=".exe"
    # Wine takes the program's code page (932) from a Japanese locale.
    run=(env LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 wine)
    export WINEPREFIX=${WINEPREFIX:-$root/build/wine} WINEDEBUG=${WINEDEBUG:--all}
    ;;
*) echo "usage: $0 <native|wine> <dir> <out dir>" >&2; exit 2 ;;
esac

. "$root/tests/e2e/display.sh"
virtual_display 140 170
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# The programs run in a directory of their own (the sprite example writes its
# bitmap file there for a moment).
work="$out/examples-run"
mkdir -p "$work"

say() { echo "$*"; }
bad() { echo "FAIL $*"; fail=1; }

ends() { # seconds: the program's exit code, or 124 when it runs on
    local t=$1
    for _ in $(seq $((t * 10))); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; local rc=$?; pid=""; return $rc; }
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
    return 124
}

win="" org=""
start() { # name, title: runs the program and waits for its window
    local name=$1 title=$2
    fresh_keys "$how"
    (cd "$work" && exec "${run[@]}" "$bin/$name$ext") 2>"$out/$name.stderr" &
    pid=$!
    win=""
    for _ in $(seq 200); do win=$(winid "$title") && break; sleep 0.1; done
    if [ -z "$win" ]; then
        # What there was instead: the windows with names, whether the program
        # still ran, and what it (or Wine) printed.
        local alive=ended
        kill -0 "$pid" 2>/dev/null && alive=running
        bad "$name: no window titled \"$title\" within 20 s (the program $alive)"
        xwininfo -root -tree 2>/dev/null | grep -o '"[^"]*"' | sort -u | head -n 10 | sed 's/^/       window /'
        tail -n 10 "$out/$name.stderr" | sed 's/^/       stderr: /'
        import -window root "$out/example-$name-nowindow.png" 2>/dev/null
        kill "$pid" 2>/dev/null; pid=""; return 1
    fi
    sleep 1
    org=$(origin "$win")
    # Keys go to the window with the focus; with no window manager, give it.
    xdotool mousemove --window "$win" 50 50
    xdotool windowfocus --sync "$win" 2>/dev/null
    return 0
}

press() { # keys, each held long enough for a polling program to see it
    for k in "$@"; do
        xdotool keydown "$k"
        sleep 0.15
        xdotool keyup "$k"
        sleep 0.25
    done
}

# Screenshot of the whole display; the client area's pixels as "x y #RRGGBB"
# lines go to the file $2.
shot() { # png, pixels file
    import -window root "$1"
    shots+=("$1")
    # shellcheck disable=SC2086
    set -- "$1" "$2" $org
    convert "$1" -crop "640x400+$3+$4" +repage -depth 8 rgb:- | od -An -v -tx1 -w3 |
        awk '{ print (NR - 1) % 640, int((NR - 1) / 640), "#" toupper($1 $2 $3) }' >"$2"
}

finish() { # name, ending key: the key ends the program with exit code 1
    press "$2"
    ends 20
    local rc=$?
    if [ $rc -eq 1 ]; then say "ok $1: $2 ends it, exit code 1"; else bad "$1: exit code $rc after $2"; fi
}

# Text check: every pixel of the colour lies in one of the boxes given for it,
# each box holds some of it, and its rightmost pixel lies in its last two
# character cells (16 device pixels), so the line has the expected length.
# Boxes are "colour x y cells" lines (logical position, cells of 4 x 8).
textcheck() { # pixels file, boxes file
    awk '
        FNR == NR { n++; col[n] = $1; bx[n] = $2 * 2; by[n] = $3 * 2; bw[n] = $4 * 8; known[$1] = 1; next }
        !($3 in known) { next }
        {
            hit = 0
            for (i = 1; i <= n; i++)
                if (col[i] == $3 && $1 >= bx[i] && $1 < bx[i] + bw[i] && $2 >= by[i] && $2 < by[i] + 16) {
                    ink[i]++; if ($1 > right[i]) right[i] = $1; hit = 1; break
                }
            if (!hit) { stray++; if (stray < 5) print "  " $3 " outside its text at " $1 "," $2 }
        }
        END {
            for (i = 1; i <= n; i++) {
                if (ink[i] < 10) { print "  text missing in " col[i] " at " bx[i] "," by[i]; stray++ }
                else if (right[i] < bx[i] + bw[i] - 16) { print "  text in " col[i] " at " bx[i] "," by[i] " ends at " right[i] ", short of " bx[i] + bw[i] - 16; stray++ }
            }
            exit stray > 0
        }' "$2" "$1"
}

cells() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | wc -c; } # character cells of a text

# palette: every box of the chart in its VGA colour, the panel around them.
palette() {
    start palette "パレット" || return
    local px="$out/examples-palette.txt"
    shot "$out/example-palette.png" "$px"
    if awk '
        function level(v) { return sprintf("%02X", v * 4) }
        function rgb(r, g, b) { return "#" level(r) level(g) level(b) }
        BEGIN {
            split("0,0,0 0,0,42 0,42,0 0,42,42 42,0,0 42,0,42 42,21,0 42,42,42 21,21,21 21,21,63 21,63,21 21,63,63 63,21,21 63,21,63 63,63,21 63,63,63", low, " ")
            for (i = 0; i < 16; i++) { split(low[i + 1], v, ","); vga[i] = rgb(v[1], v[2], v[3]) }
            split("0 5 8 11 14 17 20 24 28 32 36 40 45 50 56 63", grey, " ")
            for (i = 0; i < 16; i++) vga[16 + i] = rgb(grey[i + 1], grey[i + 1], grey[i + 1])
            split("0,16,31,47,63 31,39,47,55,63 45,49,54,58,63 0,7,14,21,28 14,17,21,24,28 20,22,24,26,28 0,4,8,12,16 8,10,12,14,16 11,12,13,15,16", rings, " ")
            split("004 104 204 304 404 403 402 401 400 410 420 430 440 340 240 140 040 041 042 043 044 034 024 014", ring, " ")
            for (k = 0; k < 9; k++) {
                split(rings[k + 1], lv, ",")
                for (j = 0; j < 24; j++)
                    vga[32 + k * 24 + j] = rgb(lv[substr(ring[j + 1], 1, 1) + 1], lv[substr(ring[j + 1], 2, 1) + 1], lv[substr(ring[j + 1], 3, 1) + 1])
            }
            for (i = 248; i < 256; i++) vga[i] = "#000000"
        }
        {
            x = int($1 / 2); y = int($2 / 2)
            if (x < 22 || x >= 312 || y < 18 || y >= 197) next   # outside the panel
            c = int((x - 24) / 18); r = int((y - 20) / 11)
            inbox = x >= 24 && y >= 20 && r < 16 && c < 16 && (x - 24) % 18 < 16 && (y - 20) % 11 < 10
            want = inbox ? vga[r * 16 + c] : "#383838"
            if ($3 != want) { bad++; if (bad < 5) print "  " $3 " at " $1 "," $2 ", want " want (inbox ? " (colour " r * 16 + c ")" : " (panel)") }
            else if (inbox) seen[r * 16 + c]++
        }
        END {
            for (i = 0; i < 256; i++) if (seen[i] != 640) { bad++; if (bad < 8) print "  colour " i ": " seen[i] + 0 " of 640 pixels" }
            exit bad > 0
        }' "$px"; then say "ok palette: 256 boxes in their VGA colours"; else bad "palette: chart"; fi
    printf '%s\n' "#FCFCFC 8 0 $(cells 'VGA 256色パレット')" "#A8A8A8 256 0 $(cells '番号 = 行 + 列')" >"$px.boxes"
    if awk '$2 < 16' "$px" >"$px.top" && textcheck "$px.top" "$px.boxes"; then say "ok palette: title line"; else bad "palette: title line"; fi
    finish palette Return
}

# bounce: the frame, the blue field and one whole ball inside it; a little
# later the ball stands elsewhere.
ballcheck() { # pixels file -> "x y" of the ball's centre (logical)
    awk '
        BEGIN { for (dy = -8; dy <= 8; dy++) { w = 0; while ((w + 1) * (w + 1) + dy * dy <= 64) w++; area += 2 * w + 1 } }
        $2 < 24 { next }   # the text line
        {
            x = int($1 / 2); y = int($2 / 2)
            frame = (x == 8 || x == 311) && y >= 16 && y <= 191 || (y == 16 || y == 191) && x >= 8 && x <= 311
            if (frame) { if ($3 != "#FCFCFC") { bad++; if (bad < 5) print "  frame " $3 " at " $1 "," $2 > "/dev/stderr" } next }
            if ($3 == "#0000A8") next
            if ($3 == "#FCFC54" || $3 == "#FCFCFC") {
                n++; if ($3 == "#FCFCFC") shine++
                if (n == 1 || $1 < x0) x0 = $1; if (n == 1 || $1 > x1) x1 = $1
                if (n == 1 || $2 < y0) y0 = $2; if (n == 1 || $2 > y1) y1 = $2
                next
            }
            bad++; if (bad < 5) print "  stray " $3 " at " $1 "," $2 > "/dev/stderr"
        }
        END {
            if (n != area * 4 || shine != 16 || x1 - x0 != 33 || y1 - y0 != 33) { print "  ball: " n " pixels (" shine " shine), " x1 - x0 + 1 "x" y1 - y0 + 1 "; want " area * 4 " (16), 34x34" > "/dev/stderr"; bad++ }
            else if ((x0 / 2 + 8) % 2) { print "  ball centre at odd x " x0 / 2 + 8 > "/dev/stderr"; bad++ }
            if (bad) exit 1
            print x0 / 2 + 8, y0 / 2 + 8
        }' "$1"
}
bounce() {
    start bounce "バウンド" || return
    local px="$out/examples-bounce.txt" a b
    shot "$out/example-bounce.png" "$px"
    a=$(ballcheck "$px") || bad "bounce: first picture"
    sleep 0.5
    shot "$out/example-bounce-later.png" "$px.later"
    b=$(ballcheck "$px.later") || bad "bounce: second picture"
    if [ -n "$a" ] && [ -n "$b" ]; then
        if [ "$a" != "$b" ]; then say "ok bounce: one whole ball in the field, at $a then at $b"; else bad "bounce: the ball stays at $a"; fi
    fi
    finish bounce space
}

# sprite: the face exactly where the keys moved it, the chequered floor
# everywhere else, also through its transparent corners.
facecheck() { # pixels file, x, y (logical top-left of the face)
    awk -v fx="$2" -v fy="$3" '
        BEGIN {
            n = split(".....YYYYYY..... ...YYYYYYYYYY... ..YYYYYYYYYYYY.. .YYYYYYYYYYYYYY. .YYYYKKYYKKYYYY. YYYYYKKYYKKYYYYY YYYYYKKYYKKYYYYY YYYYYYYYYYYYYYYY YYYYYYYYYYYYYYYY YYYRYYYYYYYYRYYY YYYYRYYYYYYRYYYY .YYYYRRRRRRYYYY. .YYYYYYYYYYYYYY. ..YYYYYYYYYYYY.. ...YYYYYYYYYY... .....YYYYYY.....", art, " ")
            paint["Y"] = "#FCFC54"; paint["K"] = "#000000"; paint["R"] = "#A80000"
        }
        $2 < 16 { next }   # the help line
        {
            x = int($1 / 2); y = int($2 / 2)
            want = (int(x / 16) + int(y / 16)) % 2 ? "#000070" : "#0000A8"
            if (x >= fx && x < fx + 16 && y >= fy && y < fy + 16) {
                a = substr(art[y - fy + 1], x - fx + 1, 1)
                if (a != ".") want = paint[a]
            }
            if ($3 != want) { bad++; if (bad < 5) print "  " $3 " at " $1 "," $2 ", want " want }
        }
        END { exit bad > 0 }' "$1"
}
sprite() {
    rm -f "$work/dg-face.bmp"
    start sprite "スプライト" || return
    local px="$out/examples-sprite.txt"
    shot "$out/example-sprite.png" "$px"
    if facecheck "$px" 152 92; then say "ok sprite: the face at 152,92 over the floor"; else bad "sprite: start"; fi
    press Right Right Right Up
    sleep 0.3
    shot "$out/example-sprite-moved.png" "$px.moved"
    if facecheck "$px.moved" 176 84; then say "ok sprite: Right 3 times and Up: the face at 176,84"; else bad "sprite: after the keys"; fi
    # Esc asks whether to quit; No goes back to the picture as it was.
    press Escape
    local box=""
    for _ in $(seq 50); do box=$(winid "終了確認です") && break; sleep 0.1; done
    if [ -z "$box" ]; then
        bad "sprite: Esc shows no quit confirmation"
    else
        xdotool windowfocus --sync "$box" 2>/dev/null
        if [ "$how" = wine ]; then press n; else press Escape; fi # No
        for _ in $(seq 50); do winid "終了確認です" >/dev/null || break; sleep 0.1; done
        sleep 0.3
        xdotool windowfocus --sync "$win" 2>/dev/null
        shot "$out/example-sprite-no.png" "$px.no"
        if ! kill -0 "$pid" 2>/dev/null; then bad "sprite: No to the quit confirmation ended it"
        elif winid "終了確認です" >/dev/null; then bad "sprite: the quit confirmation stays open after No"
        elif facecheck "$px.no" 176 84; then say "ok sprite: Esc asks, No leaves the picture as it was"
        else bad "sprite: picture after No"; fi
    fi
    finish sprite Return
    if [ -e "$work/dg-face.bmp" ]; then bad "sprite: left its bitmap file behind"; fi
}

# keys: the eight lamps show the code of the last key, and the code line is
# drawn in its colour where it belongs.
lamps() { # pixels file -> the code the lamps show
    awk '
        $2 < 168 || $2 >= 200 { next }
        {
            for (b = 0; b < 8; b++) if ($1 >= 80 + b * 64 && $1 < 128 + b * 64) break
            if (b == 8) next
            if ($3 == "#FC5454") on[b]++; else if ($3 == "#545454") off[b]++; else { bad++; if (bad < 5) print "  lamp " b ": " $3 " at " $1 "," $2 > "/dev/stderr" }
        }
        END {
            for (b = 0; b < 8; b++) {
                if (on[b] == 48 * 32) code += 2 ^ (7 - b); else if (off[b] != 48 * 32) { print "  lamp " b ": neither on nor off" > "/dev/stderr"; bad++ }
            }
            if (bad) exit 1
            print code
        }' "$1"
}
keys() {
    start keys "キー" || return
    local px="$out/examples-keys.txt" k want got i=0
    for k in a:97 Right:77 7:55 space:32 Return:13; do
        want=${k#*:}
        press "${k%%:*}"
        sleep 0.2
        i=$((i + 1))
        shot "$out/example-keys-$i.png" "$px"
        got=$(lamps "$px")
        if [ "$got" = "$want" ]; then say "ok keys: ${k%%:*} lights $want"; else bad "keys: ${k%%:*} lights '$got', want $want"; fi
        printf '%s\n' "#54FC54 40 60 $(cells "$(printf 'コード: %3d  (16進 %02X)' "$want" "$want")")" >"$px.boxes"
        if textcheck "$px" "$px.boxes"; then say "ok keys: code line for $want"; else bad "keys: code line for $want"; fi
    done
    finish keys q
}

# japanese: each line in its colour, in its place, at its length in cells.
japanese() {
    start japanese "日本語" || return
    local px="$out/examples-japanese.txt"
    shot "$out/example-japanese.png" "$px"
    {
        echo "#FCFC54 16 8 $(cells '日本語のページ')"
        echo "#FCFCFC 32 28 $(cells '古池や')"
        echo "#FCFCFC 48 40 $(cells '蛙飛び込む')"
        echo "#FCFCFC 64 52 $(cells '水の音')"
        echo "#A8A8A8 104 64 $(cells '松尾芭蕉')"
        echo "#54FC54 16 88 $(cells 'ひらがな: あいうえお かきくけこ')"
        echo "#54FCFC 16 100 $(cells 'カタカナ: アイウエオ カキクケコ')"
        echo "#FC54FC 16 112 $(cells '半角カナ: ｱｲｳｴｵ ｶｷｸｹｺ')"
        echo "#FC5454 16 124 $(cells '全角英数: ＡＢＣ１２３  ASCII: ABC123')"
        echo "#5454FC 16 176 $(cells 'キーを押すと終わります')"
    } >"$px.boxes"
    if textcheck "$px" "$px.boxes"; then say "ok japanese: ten lines in their colours and places"; else bad "japanese: text"; fi
    finish japanese Return
}

for example in "${@:-palette bounce sprite keys japanese}"; do
    for e in $example; do "$e"; done
done
rm -f "$out"/examples-*.txt "$out"/examples-*.txt.*
rmdir "$work" 2>/dev/null

printf '%s\n' "${shots[@]}"
exit $fail
