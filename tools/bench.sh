#!/usr/bin/env bash
# Builds what the benchmarks need and runs them: for each Windows build this machine can run,
# the program and the bare reference server side by side under Wine, driven by terminals from a
# native Linux process over loopback (127.0.0.0/8 only). Prints figures; takes a few minutes.
#   tools/bench.sh [seconds per rate run (default 3)]
#   tools/bench.sh --soak [cycles (default 1000000)] [distinct terminals (default 100000)]
#       the program's resources over a long run instead (bench/soak_wine.sh)
set -uo pipefail
source "$(dirname "$0")/lib.sh"
if [ "${1:-}" = --soak ]; then
    run=(bench/soak_wine.sh "${2:-1000000}" "${3:-100000}")
else
    run=(bench/run_wine.sh "${1:-3}")
fi
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
        tools/with-wine.sh "${run[0]}" "$dir" "$build/bench/native/bench/load_client" \
        "${run[@]:1}" || echo "== $arch: the run did not complete"
done
