#!/usr/bin/env bash
# Builds what the benchmarks need and runs them: for each Windows build this machine can run,
# the program and the bare reference server side by side under Wine, driven by terminals from a
# native Linux process over loopback (127.0.0.0/8 only). Prints figures; takes a few minutes.
#   tools/bench.sh [seconds per rate run (default 3)]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-3}"
cd "$root"

native=build/bench/native
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$native" -j2 load_client >/dev/null

ran=0
for arch in i686 x86_64; do
    toolchain="$root/cmake/mingw-$arch.cmake"
    [ -f "$toolchain" ] || { echo "== $arch: no toolchain file, skipped"; continue; }
    case $arch in i686) dir=build/bench/win32 loader=/usr/lib/wine/wine ;;
                  x86_64) dir=build/bench/win64 loader=/usr/lib/wine/wine64 ;; esac
    if ! "$loader" --version >/dev/null 2>&1; then
        echo "== $arch: this machine runs no such Wine, skipped"
        continue
    fi
    cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$dir" -j2 Tarnwick bare_server window_probe >/dev/null
    echo "== $arch build under $("$loader" --version)"
    TARNWICK_WINEPREFIX="$root/$dir/wine/prefix" env -u DISPLAY tools/with-wine.sh \
        bench/run_wine.sh "$root/$dir" "$root/$native/bench/load_client" "$seconds" \
        || echo "== $arch: the run did not complete"
    ran=1
done
[ "$ran" = 1 ]
