#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then the native build under
# AddressSanitizer and UndefinedBehaviorSanitizer, the native build under ThreadSanitizer, and
# both Windows builds, whose programs are checked on every machine and whose tests run under Wine
# in a private prefix and display: the 32-bit suite where this machine runs 32-bit programs (and
# the 64-bit suite beside it), the 64-bit suite alone where it does not.
#   TARNWICK_WIN64_ONLY=1 takes the 64-bit path even where 32-bit programs run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TARNWICK_BUILD:-$root/build}"
jobs="$(nproc)"
started=$SECONDS

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

source "$root/tools/wine-probe.sh"

status=0
configure native -DTARNWICK_SANITIZE=address
(cd "$build/native" && ctest -j "$jobs" --output-on-failure --timeout 120) || status=1

configure tsan -DTARNWICK_SANITIZE=thread -DTARNWICK_BENCH=OFF
(cd "$build/tsan" && TSAN_OPTIONS="halt_on_error=1" \
    ctest -j "$jobs" --output-on-failure --timeout 300 -R 'Concurrency|Protocol|Listener') || status=1

# Both Windows builds are built and their files checked everywhere; their tests run where they can.
declare -A toolchain=([win32]=mingw-i686 [win64]=mingw-x86_64) machine=([win32]=i386 [win64]=x86-64)
for arch in win32 win64; do
    configure "$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/${toolchain[$arch]}.cmake" || { status=1; continue; }
    "$root/tools/check-pe.sh" "${machine[$arch]}" "$build/$arch"/bin/*.exe $(ls "$build/$arch"/bin/*.dll 2>/dev/null) ||
        status=1
done
echo "test.sh: Wine suites: ${wine_arches[*]}; $wine_why"
for arch in "${wine_arches[@]}"; do
    (cd "$build/$arch" && env -u DISPLAY TARNWICK_WINEPREFIX="$build/$arch/wine/prefix" TARNWICK_WINEARCH="$arch" \
        "$root/tools/with-wine.sh" ctest -j "$jobs" --output-on-failure --timeout 180) || status=1
done

# A short libFuzzer run of the protocol against a plain re-statement of its rules.
"$root/tools/fuzz.sh" "${TARNWICK_FUZZ_SECONDS:-20}" >"$build/fuzz.log" 2>&1 || {
    tail -n 40 "$build/fuzz.log"
    status=1
}
grep -h 'stat::number_of_executed_units' "$build/fuzz.log" | sed 's/^/fuzz: /' || true

echo "test.sh: Wine suites run: ${wine_arches[*]} ($wine_why); $((SECONDS - started)) s in all"
if [ $status = 0 ]; then echo "test.sh: every build passed"; else echo "test.sh: FAILED" >&2; fi
exit $status
