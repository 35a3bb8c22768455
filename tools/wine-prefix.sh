#!/usr/bin/env bash
# Creates the private Wine prefix once (32- or 64-bit, after TARNWICK_WINEARCH): a virtual
# desktop with a notification area, no crash dialog, and the display scaling of
# TARNWICK_WINE_DPI (96 unless given; 144 is 150 %), on a desktop of TARNWICK_WINE_DESKTOP pixels
# (1280x1024 unless given), and its interface fonts linked to the Chinese font (added to a
# prefix made before). Safe to call from parallel tests (serialised with flock). Any failing
# step is reported with its output, and the prefix is not marked ready.
set -uo pipefail
: "${TARNWICK_WINEPREFIX:?}"
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$(dirname "$WINEPREFIX")" || exit 1
exec 9>"$WINEPREFIX.lock" || exit 1
flock 9
reg() { wine_step wine-prefix "$TARNWICK_WINE" reg add "$@" /f; }
# Windows links its interface fonts to its Chinese fonts, so that menus and message boxes show
# Chinese under any code page; Wine's own links name font files that are not installed here.
link_fonts() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
    for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'Segoe UI' 'MS UI Gothic'; do
        reg "$key" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' || return 1
    done
    # The title bar's buttons are Marlett glyphs (drawn as "0 1 r" without it). Debian's Wine
    # names its data folder "/usr/lib/wine/../../share/wine", and the font loader's lookup of
    # that path refuses the "..", so none of Wine's own fonts loads from there; from the
    # prefix's Fonts folder it does.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" &&
        ln -sf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
    touch "$WINEPREFIX/.tarnwick-fonts"
}
if [ -f "$WINEPREFIX/.tarnwick-ready" ]; then
    [ -f "$WINEPREFIX/.tarnwick-fonts" ] && [ -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && exit 0
    link_fonts && wine_step wine-prefix wineserver -w
    exit
fi
# In a win64 prefix wineboot reports syswow64\rundll32.exe missing and still succeeds.
boot() {
    rm -rf "$WINEPREFIX"
    wine_step wine-prefix "$TARNWICK_WINE" wineboot --init
}
# A first boot has now and then failed to load Wine's own kernel32.dll (status c0000135) where
# the same command then succeeded: it is tried once more in a fresh folder, with the server of
# the failed try ended.
boot || {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    echo "wine-prefix: booting the prefix once more" >&2
    boot
} || exit 1
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default &&
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${TARNWICK_WINE_DESKTOP:-1280x1024}" &&
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 &&
    reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${TARNWICK_WINE_DPI:-96}" &&
    link_fonts || exit 1
wine_step wine-prefix wineserver -w || exit 1
touch "$WINEPREFIX/.tarnwick-ready"
