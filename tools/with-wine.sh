#!/usr/bin/env bash
# Runs a command with a Wine of its own: the private prefix, a private Xvfb display
# when none is set, one persistent wineserver, Wine's services started with quiet stdio, and one
# process holding the desktop open so that programs never start during its shutdown.
# Everything started here is ended when the command returns.
#   TARNWICK_WINEPREFIX=<build>/wine/prefix tools/with-wine.sh COMMAND...
set -uo pipefail
: "${TARNWICK_WINEPREFIX:?}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/wine-prefix.sh" || exit 1
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
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$work/display")"
fi

wineserver -p
wine wineboot </dev/null >/dev/null 2>&1
mkfifo "$work/keep"
wine cmd /c pause <"$work/keep" >/dev/null 2>&1 &
keeper_pid=$!
exec 8>"$work/keep"

export TARNWICK_WINE_READY=1
"$@"
