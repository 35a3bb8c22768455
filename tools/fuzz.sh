#!/usr/bin/env bash
# Fuzzes the request protocol with libFuzzer for a while (default 60 s): tools/fuzz.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARNWICK_BUILD:-$root/build}/fuzz"
seconds="${1:-60}"
"$root/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTARNWICK_FUZZ=ON \
        -DTARNWICK_BENCH=OFF >/dev/null
fi
ninja -C "$build" request_fuzz
mkdir -p "$build/corpus"
printf '\x03LOGIN:01;1\nlogout:01\nX\n' >"$build/corpus/seed"
"$build/tests/fuzz/request_fuzz" -max_total_time="$seconds" -max_len=40000 \
    -print_final_stats=1 "$build/corpus"
