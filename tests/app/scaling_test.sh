#!/usr/bin/env bash
# The end-to-end suite's scaling tests in a Wine prefix of their own at DPI, on a display large
# enough for the main window at that scaling.
#   scaling_test.sh BUILD_DIR DPI TEST_PROGRAM
set -uo pipefail
build="$1" dpi="$2" program="$3"
export TARNWICK_WINE_DPI="$dpi" TARNWICK_WINE_DESKTOP=1920x1200 TARNWICK_WINEPREFIX="$build/wine/prefix-dpi$dpi"
unset TARNWICK_WINE_READY DISPLAY
exec "$build/wine-run" "$program" --gtest_filter='Scaling.*'
