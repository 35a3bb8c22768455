#!/usr/bin/env bash
# Builds what the benchmarks need and runs them: for each Windows build this machine can run,
# the program and the bare reference server side by side under Wine, driven by terminals from a
# native Linux process over loopback (127.0.0.0/8 only). Prints figures; takes a few minutes.
#   tools/bench.sh [seconds per rate run (default 3)]
#   tools/bench.sh --soak [cycles (default 1000000)] [distinct terminals (default 100000)]
#       the program's resources over a long run instead (bench/soak_wine.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
run=(bench/run_wine.sh "${1:-3}")
[ "${1:-}" = --soak ] && run=(bench/soak_wine.sh "${2:-1000000}" "${3:-100000}")
cd "$root"
source "$root/tools/wine-probe.sh"
source "$root/tools/toolchains.sh"

native=build/bench/native
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$native" -j2 load_client product_file_bench >/dev/null
echo "== native: loading the product file"
"$native/bench/product_file_bench"

echo "bench.sh: Windows builds measured: ${wine_arches[*]}; $wine_why"
for arch in "${wine_arches[@]}"; do
    dir="build/bench/$arch"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$arch")" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$dir" -j2 Tarnwick bare_server window_probe product_file_bench >/dev/null
    echo
    echo "== $arch build"
    TARNWICK_WINEPREFIX="$root/$dir/wine/prefix" TARNWICK_WINEARCH="$arch" env -u DISPLAY \
        tools/with-wine.sh "${run[0]}" "$root/$dir" "$root/$native/bench/load_client" \
        "${run[@]:1}" || echo "== $arch: the run did not complete"
done
