#!/usr/bin/env bash
# dg taken in from outside its tree for the browser: tests/package/hello built
# as a page each way a project takes dg in, with dg's toolchain
# (cmake/emscripten.cmake, or the installed one), and run in headless
# Chromium. Each page must print the pixels it read back and end with exit
# code 1. Then a port missing from build/emsdk must be seeded again when a
# project is configured. Uses build/web (brought up to date here) and
# build/emsdk; its own files go to build/package-web.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
hello=$root/tests/package/hello
out=$root/build/package-web
config=$root/build/emsdk/emscripten.config
mkdir -p "$out"
fail=0
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; fail=1; }
want='hello 0000a8 54fcfc fcfcfc 000000 cp932'

quiet() { # log, command...: the command's output only when it fails
    local log=$1; shift
    "$@" >"$log" 2>&1 || { tail -n 30 "$log"; return 1; }
}

cmake_hello() { # name, toolchain, cmake options...: configures and builds hello
    local name=$1 toolchain=$2; shift 2
    quiet "$out/$name.log" cmake -S "$hello" -B "$out/$name" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DDG_EM_CONFIG="$config" "$@" &&
        quiet "$out/$name.log" cmake --build "$out/$name" -j2 --target hello
}

runs() { # name: hello.html of build/package-web/NAME prints $want and ends with 1
    local name=$1 got rc
    got=$(timeout 120 node "$root/tests/web/output.mjs" "$out/$name" hello.html 60 2>"$out/$name.err")
    rc=$?
    if [ "$rc" -eq 1 ] && [ "$got" = "$want" ]; then
        ok "$name: exit code 1, printed \"$got\""
    else
        bad "$name: exit code $rc, printed \"$got\" (expected \"$want\")"
        tail -n 5 "$out/$name.err"
    fi
}

echo "== cmake --install of the web build"
prefix=$out/prefix
rm -rf "$prefix"
if quiet "$out/build.log" cmake --build "$root/build/web" -j2 &&
    quiet "$out/install.log" cmake --install "$root/build/web" --prefix "$prefix"; then
    missing=0
    for f in include/dg.h lib/libdg_core.a lib/libdg_entry.a lib/cmake/dg/dgConfig.cmake \
        lib/cmake/dg/dg_program.cmake lib/cmake/dg/cp932.py lib/cmake/dg/emscripten.cmake \
        lib/cmake/dg/setup-emsdk.sh share/dg/web.js share/dg/shell.html share/dg/mincho/single.ttf \
        share/dg/mincho/IPA_Font_License.txt bin/demo.html bin/demo.js bin/demo.wasm bin/mincho/single.ttf; do
        [ -f "$prefix/$f" ] || { bad "install: $f missing"; missing=1; }
    done
    [ $missing -eq 0 ] && ok "installed into $prefix"
else
    bad "cmake --install"
fi

echo "== find_package"
if cmake_hello package "$prefix/lib/cmake/dg/emscripten.cmake" -DHOW=package -DCMAKE_PREFIX_PATH="$prefix"; then
    runs package
else
    bad "find_package: build"
fi

echo "== add_subdirectory"
if cmake_hello subdirectory "$root/cmake/emscripten.cmake" -DHOW=subdirectory -DDG_SOURCE="$root"; then
    runs subdirectory
else
    bad "add_subdirectory: build"
fi

echo "== FetchContent"
archive=$out/dg-source.tar.gz
hash=$("$root/tests/package/source-archive.sh" "$root" "$archive")
if cmake_hello fetch "$root/cmake/emscripten.cmake" -DHOW=fetch -DDG_URL="file://$archive" \
    -DDG_URL_HASH="SHA256=$hash"; then
    runs fetch
else
    bad "FetchContent: build"
fi

echo "== a port missing from build/emsdk is seeded at configure"
# The FreeType port is taken out of build/emsdk's cache and offered as an
# archive in DG_PORTS; configuring any project with the toolchain and that
# DG_EMSDK must put it back, so that no build asks the network for it.
ports=$root/build/emsdk/emcache/ports
kept=$out/freetype.kept
rm -rf "$out/ports" "$out/seed" "$kept"
mkdir -p "$out/ports" "$out/seed"
printf 'cmake_minimum_required(VERSION 3.16)\nproject(seed C)\n' >"$out/seed/CMakeLists.txt"
if tar -C "$ports/freetype" -cf - FreeType-version_1 | xz -0 >"$out/ports/FreeType-version_1.tar.xz" &&
    mv "$ports/freetype" "$kept"; then
    if DG_PORTS=$out/ports quiet "$out/seed.log" cmake -S "$out/seed" -B "$out/seed/build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" -DDG_EMSDK="$root/build/emsdk" &&
        cmp -s "$ports/freetype/.emscripten_url" "$kept/.emscripten_url" &&
        diff -rq "$ports/freetype/FreeType-version_1" "$kept/FreeType-version_1" >/dev/null; then
        ok "the missing FreeType port was seeded from DG_PORTS"
        rm -rf "$kept"
    else
        bad "the missing FreeType port was not seeded (log: $out/seed.log)"
        rm -rf "$ports/freetype"
        mv "$kept" "$ports/freetype"
    fi
else
    bad "could not set the FreeType port aside"
fi

[ $fail -eq 0 ] && echo "all web package checks passed" || echo "some web package checks FAILED"
exit $fail
