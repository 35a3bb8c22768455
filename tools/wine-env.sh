# Sourced by the Wine scripts: the environment every Wine process of the project runs in.
# Needs TARNWICK_WINEPREFIX (the private prefix, inside a build folder) and takes
# TARNWICK_WINEARCH (win32, the default, or win64). The loader is named, not left to the `wine`
# wrapper, which picks the 32-bit loader whenever it is installed; "$TARNWICK_WINE" runs a program.
export WINEPREFIX="$TARNWICK_WINEPREFIX"
export WINEARCH="${TARNWICK_WINEARCH:-win32}"
if [ "$WINEARCH" = win64 ]; then
    export TARNWICK_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
else
    export TARNWICK_WINE=/usr/lib/wine/wine
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
# Code page 936 for the A functions, and non-ASCII paths and arguments that survive. Wine takes a
# process's system code page from this locale, and a process started by a Windows program from
# that program: TARNWICK_LOCALE runs a program, and all it starts, under another (en_US.UTF-8 for
# code page 1252, ja_JP.UTF-8 for 932).
export LANG="${TARNWICK_LOCALE:-zh_CN.UTF-8}" LC_ALL="${TARNWICK_LOCALE:-zh_CN.UTF-8}"

# Runs a setup step with its output kept; when it fails, says which command failed and shows the
# tail of what it printed. Usage: wine_step LABEL COMMAND...
wine_step() {
    local label="$1" out status
    shift
    out="$(mktemp)"
    "$@" </dev/null >"$out" 2>&1
    status=$?
    if [ $status != 0 ]; then
        echo "$label: '$*' failed with exit code $status (WINEPREFIX=$WINEPREFIX, WINEARCH=$WINEARCH); its last output:" >&2
        tail -n 20 "$out" | sed 's/^/    /' >&2
    fi
    rm -f "$out"
    return $status
}
