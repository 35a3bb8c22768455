#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then the native build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the native build under ThreadSanitizer, and
# both Windows builds, whose programs are checked on every machine and whose tests run under Wine
# in a private prefix and display: the 32-bit suite where this machine runs 32-bit programs (and
# the 64-bit suite beside it), the 64-bit suite alone where it does not.
#   TARNWICK_WIN64_ONLY=1 takes the 64-bit path even where 32-bit programs run.
# A step that fails is named ("test.sh: ... failed") after its own output, the remaining steps
# still run where they can, and the run ends with "test.sh: FAILED".
set -uo pipefail
started=$SECONDS
keep_going=1
source "$(dirname "$0")/lib.sh"

finish() {
    echo "test.sh: Wine suites run: ${wine_arches[*]:-none} (${wine_why:-not probed});" \
        "$((SECONDS - started)) s in all"
    if [ $status = 0 ]; then echo "test.sh: every build passed"; else echo "test.sh: FAILED" >&2; fi
    exit $status
}

install_packages || finish
"$root/tools/check-texts.sh" || failed "the text check (tools/check-texts.sh)"

source "$root/tools/wine-probe.sh"

if configure_and_build native -DTARNWICK_SANITIZE=address; then
    (cd "$build/native" && ctest -j "$jobs" --output-on-failure --timeout 120) ||
        failed "the native tests (build/native)"
fi

# Every test program that starts threads carries the label "threads" (tarnwick_test THREADS).
if configure_and_build tsan -DTARNWICK_SANITIZE=thread -DTARNWICK_BENCH=OFF; then
    (cd "$build/tsan" && TSAN_OPTIONS="halt_on_error=1" \
        ctest -j "$jobs" --output-on-failure --timeout 300 -L threads --no-tests=error) ||
        failed "the ThreadSanitizer tests (build/tsan)"
fi

# Both Windows builds are built and their files checked everywhere; their tests run where they can.
declare -A machine=([win32]=i386 [win64]=x86-64) built=()
for arch in win32 win64; do
    configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$arch")" || continue
    built[$arch]=1
    "$root/tools/check-pe.sh" "${machine[$arch]}" "$build/$arch"/bin/*.exe $(ls "$build/$arch"/bin/*.dll 2>/dev/null) ||
        failed "the program check of build/$arch (tools/check-pe.sh)"
done
echo "test.sh: Wine suites: ${wine_arches[*]}; $wine_why"
for arch in "${wine_arches[@]}"; do
    [ -n "${built[$arch]:-}" ] || { echo "test.sh: the $arch tests under Wine not run: no build" >&2; continue; }
    (cd "$build/$arch" && env -u DISPLAY TARNWICK_WINEPREFIX="$build/$arch/wine/prefix" TARNWICK_WINEARCH="$arch" \
        "$root/tools/with-wine.sh" "$root/tools/wine-suite.sh" "$jobs") ||
        failed "the $arch tests under Wine (build/$arch)"
done

# A short libFuzzer run of the protocol against a plain re-statement of its rules.
"$root/tools/fuzz.sh" "${TARNWICK_FUZZ_SECONDS:-20}" >"$build/fuzz.log" 2>&1 || {
    tail -n 40 "$build/fuzz.log"
    failed "the fuzz run (tools/fuzz.sh; its log: $build/fuzz.log)"
}
grep -h 'stat::number_of_executed_units' "$build/fuzz.log" | sed 's/^/fuzz: /' || true

finish
