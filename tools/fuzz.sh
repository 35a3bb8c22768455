#!/usr/bin/env bash
# Fuzzes with libFuzzer every target in tests/fuzz: the request protocol, the integer-text reader
# and the native profile reader, each from its seed corpus in tests/fuzz/corpus.
#   tools/fuzz.sh [seconds]    runs the targets one after another, the seconds (default 60)
#                              shared among them
#   tools/fuzz.sh --runs N     runs every target for N executions instead (the long run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARNWICK_BUILD:-$root/build}/fuzz"
targets=(request_fuzz int_text_fuzz profile_fuzz)
# Longest input per target: a request stream must pass the 16384-byte line limit; integer texts
# past a few dozen bytes only repeat the cases of shorter ones.
declare -A max_len=([request_fuzz]=40000 [int_text_fuzz]=64 [profile_fuzz]=40000)
if [ "${1:-}" = --runs ]; then
    limit=(-runs="${2:?tools/fuzz.sh --runs N}")
else
    seconds="${1:-60}"
    share=$((seconds / ${#targets[@]}))
    limit=(-max_total_time=$((share > 0 ? share : 1)))
fi
# A step that fails is named after its own output.
trap 'echo "fuzz.sh: failed (exit $?) at line $LINENO: $BASH_COMMAND" >&2' ERR
"$root/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
    mkdir -p "$build"
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTARNWICK_FUZZ=ON \
        -DTARNWICK_BENCH=OFF >"$build/configure.log" 2>&1 ||
        { cat "$build/configure.log"; echo "fuzz.sh: configuring $build failed" >&2; exit 1; }
fi
ninja -C "$build" "${targets[@]}"
for target in "${targets[@]}"; do
    echo "fuzz.sh: $target"
    # New inputs go to the build's corpus; the seeds in the repository stay as committed.
    mkdir -p "$build/corpus/$target"
    "$build/tests/fuzz/$target" "${limit[@]}" -max_len="${max_len[$target]}" -print_final_stats=1 \
        "$build/corpus/$target" "$root/tests/fuzz/corpus/$target"
done
