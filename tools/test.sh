#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then the native build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the native build under ThreadSanitizer, and
# the Windows build under Wine in a private prefix and display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARNWICK_BUILD:-$root/build}"
jobs="$(nproc)"

"$root/tools/install-deps.sh"
"$root/tools/check-texts.sh"

configure() {  # folder, cmake arguments...
    local dir="$build/$1"
    shift
    cmake -S "$root" -B "$dir" -G Ninja "$@" >"$build/$(basename "$dir").configure.log" 2>&1 ||
        { cat "$build/$(basename "$dir").configure.log"; return 1; }
    ninja -C "$dir" -j "$jobs"
}
mkdir -p "$build"

status=0
configure native -DTARNWICK_SANITIZE=address
(cd "$build/native" && ctest -j "$jobs" --output-on-failure --timeout 120) || status=1

configure tsan -DTARNWICK_SANITIZE=thread -DTARNWICK_BENCH=OFF
(cd "$build/tsan" && TSAN_OPTIONS="halt_on_error=1" \
    ctest -j "$jobs" --output-on-failure --timeout 300 -R 'Concurrency|Protocol|Listener') || status=1

configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
(cd "$build/win32" && env -u DISPLAY TARNWICK_WINEPREFIX="$build/win32/wine/prefix" \
    "$root/tools/with-wine.sh" ctest -j "$jobs" --output-on-failure --timeout 180) || status=1

# A short libFuzzer run of the protocol against a plain re-statement of its rules.
"$root/tools/fuzz.sh" "${TARNWICK_FUZZ_SECONDS:-20}" >"$build/fuzz.log" 2>&1 || {
    tail -n 40 "$build/fuzz.log"
    status=1
}
grep -h 'stat::number_of_executed_units' "$build/fuzz.log" | sed 's/^/fuzz: /' || true

if [ $status = 0 ]; then echo "test.sh: every build passed"; else echo "test.sh: FAILED" >&2; fi
exit $status
