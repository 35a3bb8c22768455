#!/usr/bin/env bash
# Builds what the benchmarks need and runs them: for each Windows build this machine can run,
# the program and the bare reference server side by side under Wine, driven by terminals from a
# native Linux process over loopback (127.0.0.0/8 only). Prints figures; takes a few minutes.
#   tools/bench.sh [seconds per rate run (default 3)]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
seconds="${1:-3}"
cd "$root"
install_packages
source "$root/tools/wine-probe.sh"

configure_and_build bench/native -DCMAKE_BUILD_TYPE=Release -- load_client product_file_bench \
    >/dev/null
echo "== native: loading the product file"
"$build/bench/native/bench/product_file_bench"

echo "bench.sh: Windows builds measured: ${wine_arches[*]}; $wine_why"
for arch in "${wine_arches[@]}"; do
    dir="$build/bench/$arch"
    configure_and_build "bench/$arch" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$arch")" \
        -DCMAKE_BUILD_TYPE=Release -- Tarnwick bare_server window_probe product_file_bench >/dev/null
    echo
    echo "== $arch build"
    TARNWICK_WINEPREFIX="$dir/wine/prefix" TARNWICK_WINEARCH="$arch" env -u DISPLAY \
        tools/with-wine.sh bench/run_wine.sh "$dir" "$build/bench/native/bench/load_client" \
        "$seconds" || echo "== $arch: the run did not complete"
done
