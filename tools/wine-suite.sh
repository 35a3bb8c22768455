#!/usr/bin/env bash
# Runs the tests of the Windows build in the current folder, under tools/with-wine.sh.
# The tests labelled "program" drive the real program on a desktop, where a loaded machine can
# hold a window back past a test's patience: when those alone failed, they run once more, with
# their first output left above and their names said. Any other failure fails the suite at once.
#   wine-suite.sh JOBS
set -uo pipefail
jobs="${1:-2}"
ctest -j "$jobs" --output-on-failure --timeout 180 && exit 0

failed_log=Testing/Temporary/LastTestsFailed.log
failed="$(cut -d: -f1 "$failed_log" 2>/dev/null | sort)"
program="$(ctest -N -L program | sed -n 's/^ *Test *#\([0-9]*\):.*/\1/p' | sort)"
[ -n "$failed" ] && [ -z "$(comm -23 <(echo "$failed") <(echo "$program"))" ] || exit 1
echo "wine-suite: the program tests that failed run once more:" \
    "$(cut -d: -f2- "$failed_log" | tr '\n' ' ')" >&2
ctest --rerun-failed --output-on-failure --timeout 180
