# Sourced by the Wine scripts: the environment every Wine process of the project runs in.
# Needs TARNWICK_WINEPREFIX (the private prefix, inside a build folder).
export WINEPREFIX="$TARNWICK_WINEPREFIX"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
# Code page 936 for the A functions, and non-ASCII paths and arguments that survive.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
