#!/usr/bin/env bash
# Runs a command with a Wine of its own: the private prefix, a private Xvfb display
# when none is set, one persistent wineserver, Wine's services started with quiet stdio, and one
# process holding the desktop open so that programs never start during its shutdown.
# Everything started here is ended when the command returns. A step that fails is reported with
# its command and output, and the command is not run.
# The private display is as large as the prefix's desktop, TARNWICK_WINE_DESKTOP (1280x1024).
#   TARNWICK_WINEPREFIX=<build>/wine/prefix [TARNWICK_WINEARCH=win64] tools/with-wine.sh COMMAND...
set -uo pipefail
: "${TARNWICK_WINEPREFIX:?}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/wine-prefix.sh" || { echo "with-wine: the Wine prefix $TARNWICK_WINEPREFIX could not be made" >&2; exit 1; }
source "$here/wine-env.sh"

work="$(mktemp -d)"
xvfb_pid="" keeper_pid=""
cleanup() {
    exec 8>&- 2>/dev/null
    [ -n "$keeper_pid" ] && kill "$keeper_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
    screen="${TARNWICK_WINE_DESKTOP:-1280x1024}x24"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    if [ ! -s "$work/display" ]; then
        echo "with-wine: 'Xvfb -displayfd 3 -screen 0 $screen -nolisten tcp' did not start; its output:" >&2
        tail -n 20 "$work/xvfb.log" | sed 's/^/    /' >&2
        exit 1
    fi
    export DISPLAY=":$(cat "$work/display")"
fi

# A server already running for this prefix (exit code 2) is as good as a new one.
wineserver -p >"$work/server.log" 2>&1
case $? in
0 | 2) ;;
*) echo "with-wine: 'wineserver -p' failed; its output:" >&2; sed 's/^/    /' "$work/server.log" >&2; exit 1 ;;
esac
wine_step with-wine "$TARNWICK_WINE" wineboot || exit 1
mkfifo "$work/keep"
"$TARNWICK_WINE" cmd /c pause <"$work/keep" >"$work/keeper.log" 2>&1 &
keeper_pid=$!
exec 8>"$work/keep"
sleep 0.2
if ! kill -0 "$keeper_pid" 2>/dev/null; then
    echo "with-wine: '$TARNWICK_WINE cmd /c pause' (holds the desktop open) ended at once; its output:" >&2
    tail -n 20 "$work/keeper.log" | sed 's/^/    /' >&2
    exit 1
fi

export TARNWICK_WINE_READY=1
"$@"
