#!/usr/bin/env bash
# Creates the private 32-bit Wine prefix once: virtual desktop with a notification area, no crash
# dialog. Safe to call from parallel tests (serialised with flock).
set -euo pipefail
: "${TARNWICK_WINEPREFIX:?}"
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.tarnwick-ready" ] && exit 0
rm -rf "$WINEPREFIX"
wineboot --init </dev/null >/dev/null 2>&1
reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
wineserver -w
touch "$WINEPREFIX/.tarnwick-ready"
