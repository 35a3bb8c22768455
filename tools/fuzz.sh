#!/usr/bin/env bash
# Fuzzes with libFuzzer every target in tests/fuzz: the request protocol, the integer-text reader
# and the native profile reader, each from its seed corpus in tests/fuzz/corpus.
#   tools/fuzz.sh [seconds]    runs the targets one after another, the seconds (default 60)
#                              shared among them
#   tools/fuzz.sh --runs N     runs every target for N executions instead (the long run)
set -uo pipefail
source "$(dirname "$0")/lib.sh"
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
install_packages
CC=clang CXX=clang++ configure_and_build fuzz -DTARNWICK_FUZZ=ON -DTARNWICK_BENCH=OFF \
    -- "${targets[@]}"
for target in "${targets[@]}"; do
    echo "fuzz.sh: $target"
    # New inputs go to the build's corpus; the seeds in the repository stay as committed.
    mkdir -p "$build/fuzz/corpus/$target"
    "$build/fuzz/tests/fuzz/$target" "${limit[@]}" -max_len="${max_len[$target]}" \
        -print_final_stats=1 "$build/fuzz/corpus/$target" "$root/tests/fuzz/corpus/$target"
done
