#!/usr/bin/env bash
# The scaling tests of the end-to-end suite, run in a Wine prefix of their own whose display
# scaling is DPI, on a private display large enough for the main window at that scaling.
#   scaling_test.sh BUILD_DIR DPI TEST_PROGRAM
set -uo pipefail
build="$1" dpi="$2" program="$3"
export TARNWICK_WINE_DPI="$dpi" TARNWICK_WINE_DESKTOP=1920x1200
export TARNWICK_WINEPREFIX="$build/wine/prefix-dpi$dpi"
unset TARNWICK_WINE_READY DISPLAY
exec "$build/wine-run" "$program" --gtest_filter='Scaling.*'
