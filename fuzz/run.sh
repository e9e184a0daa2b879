#!/usr/bin/env bash
# Builds the bitmap loader's fuzz target into build/fuzz and runs it for the
# given number of seconds (default 60), seeded with the BMP suite. Fails on any
# crash, sanitizer report, leak, input slower than 1 s or allocation over 256 MB;
# what failed is kept in build/fuzz/artifacts/.
#   fuzz/run.sh [seconds]
# DG_FUZZ_TIMEOUT sets the seconds one input may take (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
out=$root/build/fuzz
suite=${DG_BMPSUITE:-$root/tests/data/bmpsuite}

CC=clang CXX=clang++ cmake -S fuzz -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j2

mkdir -p "$out/corpus" "$out/artifacts"
seeds=()
for d in g b q; do [ -d "$suite/$d" ] && seeds+=("$suite/$d"); done
[ ${#seeds[@]} -gt 0 ] || echo "no seed files in $suite; starting from nothing" >&2

export SDL_VIDEODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:malloc_context_size=10}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$out/bmp_fuzz" -max_total_time="$seconds" -timeout="${DG_FUZZ_TIMEOUT:-1}" -rss_limit_mb=256 \
    -malloc_limit_mb=256 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/" "$out/corpus" "${seeds[@]}"
