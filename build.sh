#!/usr/bin/env bash
# dg's one entry for building and checking.
#   ./build.sh demo    build the demo and run it in a window (on a virtual display
#                      when there is none: screenshot to build/demo.png, then a key ends it)
#   ./build.sh test    install what is missing, build natively, for Windows and for the
#                      browser, run every test natively, under Wine and in headless
#                      Chromium; non-zero on any failure
#   ./build.sh web     build the demo and the examples as web pages (build/web) and serve
#                      them on 127.0.0.1 (Ctrl-C stops the server)
#   ./build.sh bench   benchmarks, side by side with the peer where it is installed
#   ./build.sh run DIR build every C and C++ source in DIR as one program and run it
#                      there (tools/dg run DIR: the dg command, from the source tree)
#   ./build.sh check SCRIPT [--update]
#                      build the program of SCRIPT's folder and run it headless through
#                      the script, comparing its frames with golden/ (tools/dg check)
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
jobs=$(nproc 2>/dev/null || echo 2)

. tools/lib.sh
test_packages=(libgtest-dev googletest libxtst-dev g++-mingw-w64-x86-64-posix wine wine64 clang libclang-rt-14-dev)
web_packages+=(googletest chromium)

trap stop_display EXIT

build() { # preset
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs"
}

# Wine's own state lives in the build tree, made once.
wine_prefix() {
    # Wine takes the program's code page (932) from a Japanese locale.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        need locales
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || true
    fi
    export WINEPREFIX="$root/build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        say "creating the Wine prefix"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    [ -x tests/wine-setup.sh ] && tests/wine-setup.sh
    return 0
}

# What the web build and its checks need: the packages, node and npm (any
# node of 18 or later: Debian's unless one is there), and puppeteer-core.
web_setup() {
    need "${web_packages[@]}"
    command -v node >/dev/null || need nodejs
    command -v npm >/dev/null || need npm
    if [ ! -d tests/web/node_modules/puppeteer-core ]; then
        say "installing puppeteer-core (tests/web)"
        npm ci --prefix tests/web --no-audit --no-fund >/dev/null
    fi
}

# The demo and the examples as pages (no test suite).
web_pages() {
    cmake --preset web >/dev/null
    cmake --build --preset web -j"$jobs" --target demo \
        $(sed -n 's/^dg_add_program(\([a-z0-9_]*\) .*/\1/p' examples/CMakeLists.txt)
}

web() {
    web_setup
    web_pages
    say "pages: build/web/demo/demo.html, build/web/examples/*.html"
    node tools/serve.mjs build/web "${DG_WEB_PORT:-8000}"
}

demo() {
    need "${native_packages[@]}"
    build default
    local exe=build/default/demo/demo
    if have_display; then
        say "running the demo: press a letter, digit, Space, arrow or Enter to end it"
        set +e; "$exe"; local rc=$?; set -e
        say "exit code $rc"
        return 0
    fi
    need "${display_packages[@]}"
    start_display
    say "no display: running the demo on virtual display $DISPLAY"
    "$exe" & local pid=$!
    local win
    win=$(find_window "タイトルです") || win=root
    sleep 1
    import -window "$win" build/demo.png
    say "screenshot: build/demo.png"
    xdotool key space
    set +e; wait "$pid"; local rc=$?; set -e
    say "exit code $rc"
}

test_all() {
    need "${native_packages[@]}" "${display_packages[@]}" "${test_packages[@]}"
    web_setup
    start_display
    local failed=0 results=()
    # Each step within its time limit (seconds): a hang ends it and names it.
    export -f build need say face_check
    export jobs
    run() { # name, seconds, command...
        local name=$1 limit=$2 rc=0
        shift 2
        say "$name"
        timeout --kill-after=30 "$limit" bash -c '"$@"' _ "$@" || rc=$?
        if [ $rc -eq 0 ]; then
            results+=("passed: $name")
        else
            [ $rc -eq 124 ] || [ $rc -eq 137 ] && name="$name (stopped after its limit of $limit s)"
            results+=("FAILED: $name")
            failed=$((failed + 1))
        fi
    }
    run "native build" 1800 build default
    run "native tests" 900 ctest --preset default
    run "sanitizer build" 1800 build debug
    run "sanitizer tests" 1200 env ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 ctest --preset debug
    run "fuzzing the bitmap loader" 600 fuzz/run.sh 60
    run "windows build" 1800 build mingw
    wine_prefix
    run "windows tests under wine" 1200 ctest --preset mingw
    run "demo end to end, native" 300 tests/e2e/demo.sh build/default/demo/demo build/e2e-native
    run "demo end to end, windows" 300 tests/e2e/demo.sh "env LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 wine build/mingw/demo/demo.exe" build/e2e-wine
    run "examples end to end, native" 600 tests/e2e/examples.sh native build/default/examples build/e2e-native
    run "examples end to end, windows" 600 tests/e2e/examples.sh wine build/mingw/examples build/e2e-wine
    run "install and packages" 1800 tests/package/run.sh
    # The browser: everything built as pages, then checked in headless Chromium.
    run "web build" 2400 build web
    run "the pages' face" 300 face_check
    run "web pages in chromium" 900 node tests/web/run.mjs build/web build/web-checks
    run "web package" 1200 tests/web/package.sh
    # An old program's folder through the dg command: run, exe (under Wine), web.
    run "the dg command" 1800 tests/e2e/dg.sh build/e2e-dg
    say "summary"
    printf '%s\n' "${results[@]}"
    local total=${#results[@]}
    echo "$((total - failed)) passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# The pages' face, piece by piece, against the whole IPA Mincho it is cut from.
face_check() {
    local whole
    whole=$(sed -n 's/^DG_MINCHO_SOURCE:FILEPATH=//p' build/web/CMakeCache.txt)
    build/default/tests/facepieces "$whole" build/web/mincho
}

bench() {
    need "${native_packages[@]}" "${display_packages[@]}" libbenchmark-dev liballegro4-dev libxtst-dev
    build bench
    bench/table.sh build/bench/bench/dg_bench
    # The program as a process: on the display there is, else on a virtual one.
    if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then start_display; fi
    build/bench/bench/dg_sysbench build/bench/bench/dg_probe
}

# The Windows zip (CPack): header, library, CMake package, dg.pc and the programs.
package() {
    need "${native_packages[@]}" g++-mingw-w64-x86-64-posix googletest
    build mingw
    (cd build/mingw && cpack -G ZIP >/dev/null)
    say "package: $(ls -t build/mingw/dg-*-win64.zip | head -n 1)"
}

case "${1:-}" in
demo) demo ;;
test) test_all ;;
web) web ;;
bench) bench ;;
package) package ;;
run) shift; exec tools/dg run "$@" ;;
check) shift; exec tools/dg check "$@" ;;
*) sed -n '2,16p' "$0"; exit 2 ;;
esac
