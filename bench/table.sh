#!/bin/sh
# One benchmark run, its JSON kept beside the binary, then the comparison
# table: operation, dg ops/s, peer ops/s, ratio. Each benchmark runs three
# times, the runs of all of them shuffled, so a burst of other work on the
# machine spreads over dg and the peer alike; the table gives the mean.
#   bench/table.sh build/bench/bench/dg_bench [benchmark flags...]
set -eu
bin=${1:?usage: table.sh path/to/dg_bench [flags]}
shift
exec "$bin" --table --benchmark_out="$bin.json" --benchmark_out_format=json \
    --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true "$@"
