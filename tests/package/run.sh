#!/usr/bin/env bash
# dg taken in from outside its tree, natively and for Windows: the small program
# in tests/package/hello built each way a project takes dg in, and run:
#   - the installed CMake package (find_package), natively from `cmake --install`
#     and for Windows from the unpacked zip that CPack makes
#   - pkg-config, with the compiler line and a plain Makefile
#   - add_subdirectory of the source tree, and FetchContent of an archive of it
# Each program must end with exit code 1 and print the pixels it read back from
# its window. The zip's contents are checked too, and every Windows executable
# must import only the system's own DLLs and carry the DPI-aware manifest.
#
# Uses the builds in build/default and build/mingw (brought up to date here);
# its own files go to build/package. Wine runs on $DISPLAY (a virtual display
# when there is none) in $WINEPREFIX (build/wine unless set).
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
hello=$root/tests/package/hello
out=$root/build/package
toolchain=$root/cmake/mingw-w64.cmake
mkdir -p "$out"
fail=0
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; fail=1; }

# What hello prints: the red pixel, the yellow box, the white line, black beside
# them, and how its string literals were compiled (code page 932 by
# dg_add_program; hello_plain keeps the compiler's own).
want='hello 0000a8 54fcfc fcfcfc 000000 cp932'
want_plain='hello 0000a8 54fcfc fcfcfc 000000 other'

export WINEPREFIX=${WINEPREFIX:-$root/build/wine} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
. "$root/tests/e2e/display.sh"
virtual_display 171 199
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT

quiet() { # log, command...: the command's output only when it fails
    local log=$1; shift
    "$@" >"$log" 2>&1 || { tail -n 30 "$log"; return 1; }
}

runs() { # name, expected line, native|x11|wine, program
    local name=$1 expect=$2 how=$3 prog=$4 got rc
    if [ ! -x "$prog" ] && [ ! -f "$prog" ]; then bad "$name: $prog was not built"; return; fi
    if [ "$how" = wine ]; then
        # msvcrt writes text-mode line ends
        got=$(LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 timeout 60 wine "$prog" 2>"$out/$name.err")
        rc=$?
        got=${got//$'\r'/}
    elif [ "$how" = x11 ]; then
        got=$(SDL_VIDEODRIVER=x11 timeout 60 "$prog" 2>"$out/$name.err")
        rc=$?
    else
        got=$(SDL_VIDEODRIVER=dummy timeout 60 "$prog" 2>"$out/$name.err")
        rc=$?
    fi
    if [ "$rc" -eq 1 ] && [ "$got" = "$expect" ]; then
        ok "$name: exit code 1, printed \"$got\""
    else
        bad "$name: exit code $rc, printed \"$got\" (expected \"$expect\")"
    fi
}

# Only the system's own DLLs, and the manifest resource (type 24, id 1)
# declaring DPI awareness.
windows_exe() { # name, exe[, no-manifest]
    local name=$1 exe=$2 dlls other
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
    other=$(tr ' ' '\n' <<<"$dlls" | grep -vxE 'kernel32\.dll|user32\.dll|gdi32\.dll|msimg32\.dll|msvcrt\.dll|' || true)
    if [ -z "$other" ] && [ -n "$dlls" ]; then ok "$name: imports $dlls"; else bad "$name: imports $dlls"; fi
    [ "${3:-}" = no-manifest ] && return
    if x86_64-w64-mingw32-objdump -p "$exe" | grep -q 'Entry: ID: 0x000018' &&
        strings "$exe" | grep -q '<dpiAwareness[^>]*>PerMonitorV2' &&
        strings "$exe" | grep -q '<dpiAware[^>]*>true'; then
        ok "$name: DPI-aware manifest"
    else
        bad "$name: no DPI-aware manifest"
    fi
}

# Build targets of a configured tree that dg must not have added.
only_dg_library() { # name, build dir
    local targets
    targets=$(cmake --build "$2" --target help 2>/dev/null | awk '{print $2}')
    if grep -qxE 'demo|dg_tests|pump|quick|palette' <<<"$targets"; then
        bad "$2: dg built its own programs or tests as part of another project"
    else
        ok "$1: only the library and hello are built"
    fi
}

# hello's own compile line: code page 932, none of dg's warnings as errors.
hello_flags() { # name, build dir
    local flags
    flags=$(grep -h '^C_FLAGS' "$2/CMakeFiles/hello.dir/flags.make")
    if grep -q -- '-fexec-charset=CP932' <<<"$flags" && ! grep -q -- '-Werror' <<<"$flags"; then
        ok "$1: hello compiled with -fexec-charset=CP932 and without -Werror"
    else
        bad "$1: hello compiled with $flags"
    fi
}

cmake_hello() { # name, build dir, cmake options...: configures and builds hello
    local name=$1 dir=$2; shift 2
    quiet "$out/$name.log" cmake -S "$hello" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" &&
        quiet "$out/$name.log" cmake --build "$dir" -j2
}

echo "== dg's own builds"
quiet "$out/default.log" cmake --build "$root/build/default" -j2 || bad "native build"
quiet "$out/mingw.log" cmake --build "$root/build/mingw" -j2 || bad "windows build"

echo "== cmake --install, natively"
prefix=$out/native/prefix
rm -rf "$prefix"
if quiet "$out/install.log" cmake --install "$root/build/default" --prefix "$prefix"; then
    for f in include/dg.h include/dgwin.h lib/libdg_core.a lib/libdg_entry.a \
        lib/cmake/dg/dgConfig.cmake lib/cmake/dg/dgConfigVersion.cmake lib/cmake/dg/dgTargets.cmake \
        lib/cmake/dg/dg_program.cmake lib/pkgconfig/dg.pc bin/demo; do
        [ -f "$prefix/$f" ] || bad "install: $f missing"
    done
    ok "installed into $prefix"
else
    bad "cmake --install"
fi

echo "== the installed dg command"
# A folder run by the installed dg with no display: on a virtual one of its
# own, a screenshot, then the end.
rm -rf "$out/oldgame" && cp -a "$root/tests/data/oldgame" "$out/oldgame"
if [ -x "$prefix/bin/dg" ] && [ -f "$prefix/share/dg/source/tools/lib.sh" ]; then
    env -u DISPLAY timeout 600 "$prefix/bin/dg" run "$out/oldgame" >"$out/dg.log" 2>&1
    rc=$?
    shot=$out/oldgame/dg-build/oldgame.png
    got=""
    [ -f "$shot" ] && got=$(convert "$shot" -format '#%[hex:p{24,24}]' info: | cut -c1-7)
    if [ $rc -eq 1 ] && [ "$got" = "#2040C0" ]; then
        ok "installed dg run: exit code 1, the screenshot shows the ship ($got)"
    else
        bad "installed dg run: exit code $rc, screenshot pixel ${got:-none}: $(tail -n 5 "$out/dg.log")"
    fi
else
    bad "install: bin/dg or share/dg/source missing"
fi

echo "== the zip for Windows"
rm -rf "$out/zip" "$out/windows"
mkdir -p "$out/zip" "$out/windows"
zip=""
if quiet "$out/cpack.log" cpack --config "$root/build/mingw/CPackConfig.cmake" -B "$out/zip"; then
    zip=$(ls "$out"/zip/dg-*-win64.zip 2>/dev/null | head -n 1)
fi
if [ -n "$zip" ] && (cd "$out/windows" && unzip -q "$zip"); then
    top=$(basename "$zip" .zip)
    wprefix=$out/windows/$top
    ok "$(basename "$zip") unpacked"
    missing=0
    for f in include/dg.h include/dgwin.h lib/libdg_core.a lib/dg_manifest.o \
        lib/cmake/dg/dgConfig.cmake lib/cmake/dg/dgConfigVersion.cmake lib/cmake/dg/dgTargets.cmake \
        lib/cmake/dg/dg_program.cmake lib/pkgconfig/dg.pc bin/demo.exe README.md CHANGELOG.md; do
        [ -f "$wprefix/$f" ] || { bad "zip: $f missing"; missing=1; }
    done
    # Every example beside the demo; none of the test suite's programs.
    for exe in "$root"/build/mingw/examples/*.exe; do
        [ -f "$exe" ] || continue
        [ -f "$wprefix/bin/$(basename "$exe")" ] || { bad "zip: bin/$(basename "$exe") missing"; missing=1; }
    done
    for f in dg_tests.exe pump.exe quick.exe; do
        [ -e "$wprefix/bin/$f" ] && { bad "zip: bin/$f does not belong there"; missing=1; }
    done
    [ $missing -eq 0 ] && ok "zip: $(cd "$wprefix" && find . -type f | wc -l) files, all expected ones there"
    for exe in "$wprefix"/bin/*.exe; do windows_exe "zip: bin/$(basename "$exe")" "$exe"; done
else
    bad "cpack made no zip"
    wprefix=$out/windows/none
fi

echo "== find_package"
if cmake_hello package-native "$out/native/package" -DHOW=package -DCMAKE_PREFIX_PATH="$prefix"; then
    runs "find_package, native" "$want" native "$out/native/package/hello"
    runs "find_package, native, in an X window" "$want" x11 "$out/native/package/hello"
    runs "find_package, native, dg::dg alone" "$want_plain" native "$out/native/package/hello_plain"
    hello_flags "find_package, native" "$out/native/package"
else
    bad "find_package, native: build"
fi
if cmake_hello package-windows "$out/windows/package" -DHOW=package -DCMAKE_PREFIX_PATH="$wprefix" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain"; then
    runs "find_package, windows" "$want" wine "$out/windows/package/hello.exe"
    runs "find_package, windows, dg::dg alone" "$want_plain" wine "$out/windows/package/hello_plain.exe"
    windows_exe "find_package, windows" "$out/windows/package/hello.exe"
    windows_exe "find_package, windows, dg::dg alone" "$out/windows/package/hello_plain.exe" no-manifest
else
    bad "find_package, windows: build"
fi

echo "== pkg-config"
mkdir -p "$out/native/pc" "$out/windows/pc"
if flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs dg) &&
    quiet "$out/pc-native.log" cc -O2 "$hello/hello.c" -fexec-charset=CP932 $flags -I"$hello/own" -o "$out/native/pc/hello"; then
    runs "pkg-config, native: cc" "$want" native "$out/native/pc/hello"
else
    bad "pkg-config, native: cc hello.c \$(pkg-config --cflags --libs dg)"
fi
rm -f "$out/native/pc/make/hello"
mkdir -p "$out/native/pc/make"
if PKG_CONFIG_PATH=$prefix/lib/pkgconfig quiet "$out/pc-make.log" \
    make -C "$out/native/pc/make" -f "$hello/Makefile" VPATH="$hello"; then
    runs "pkg-config, native: make" "$want" native "$out/native/pc/make/hello"
else
    bad "pkg-config, native: make"
fi
if flags=$(PKG_CONFIG_LIBDIR=$wprefix/lib/pkgconfig pkg-config --cflags --libs dg) &&
    quiet "$out/pc-windows.log" x86_64-w64-mingw32-gcc-posix -O2 "$hello/hello.c" -fexec-charset=CP932 $flags -I"$hello/own" \
        -o "$out/windows/pc/hello.exe"; then
    runs "pkg-config, windows" "$want" wine "$out/windows/pc/hello.exe"
    windows_exe "pkg-config, windows" "$out/windows/pc/hello.exe"
else
    bad "pkg-config, windows: x86_64-w64-mingw32-gcc-posix hello.c \$(pkg-config --cflags --libs dg)"
fi

echo "== add_subdirectory"
if cmake_hello subdirectory-native "$out/native/subdirectory" -DHOW=subdirectory -DDG_SOURCE="$root"; then
    runs "add_subdirectory, native" "$want" native "$out/native/subdirectory/hello"
    only_dg_library "add_subdirectory, native" "$out/native/subdirectory"
    hello_flags "add_subdirectory, native" "$out/native/subdirectory"
else
    bad "add_subdirectory, native: build"
fi
if cmake_hello subdirectory-windows "$out/windows/subdirectory" -DHOW=subdirectory -DDG_SOURCE="$root" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain"; then
    runs "add_subdirectory, windows" "$want" wine "$out/windows/subdirectory/hello.exe"
    windows_exe "add_subdirectory, windows" "$out/windows/subdirectory/hello.exe"
    only_dg_library "add_subdirectory, windows" "$out/windows/subdirectory"
else
    bad "add_subdirectory, windows: build"
fi

echo "== FetchContent"
archive=$out/dg-source.tar.gz
hash=$("$root/tests/package/source-archive.sh" "$root" "$archive")
url="file://$archive"
if cmake_hello fetch-native "$out/native/fetch" -DHOW=fetch -DDG_URL="$url" -DDG_URL_HASH="SHA256=$hash"; then
    runs "FetchContent, native" "$want" native "$out/native/fetch/hello"
    only_dg_library "FetchContent, native" "$out/native/fetch"
else
    bad "FetchContent, native: build"
fi
if cmake_hello fetch-windows "$out/windows/fetch" -DHOW=fetch -DDG_URL="$url" -DDG_URL_HASH="SHA256=$hash" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain"; then
    runs "FetchContent, windows" "$want" wine "$out/windows/fetch/hello.exe"
    windows_exe "FetchContent, windows" "$out/windows/fetch/hello.exe"
else
    bad "FetchContent, windows: build"
fi

[ $fail -eq 0 ] && echo "all package checks passed" || echo "some package checks FAILED"
exit $fail
