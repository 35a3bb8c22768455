#!/usr/bin/env bash
# Builds Tarnwick.exe and runs it under Wine in a demo AppDir (build/demo) whose main.ini and
# PdtReg.ini let the listener start at once on 127.0.0.1:6230: the 32-bit program where this
# machine runs 32-bit programs, the 64-bit one under 64-bit Wine where it does not. Uses the
# display in $DISPLAY, or a private Xvfb display when there is none. Ends when the program ends.
# A step that fails is named ("run.sh: ... failed") after its own output.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

install_packages
source "$root/tools/wine-probe.sh"
arch="${wine_arches[0]}"
echo "run.sh: the $arch program; $wine_why"
configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$arch")" \
    -- Tarnwick VersionInfo tarnwick_help

demo="$build/demo"
mkdir -p "$demo"
# The program with its version library and help file, as installed.
cp "$build/$arch"/bin/{Tarnwick.exe,VersionInfo.dll,Tarnwick.chm} "$demo/" ||
    failed "copying the program into $demo"
for f in main.ini PdtReg.ini; do
    [ -f "$demo/$f" ] || "$root/tools/cp936-text.sh" "$root/demo/$f" "$demo/$f" ||
        failed "writing $demo/$f in code page 936"
done

cat <<EOT
Tarnwick runs in $demo (Wine prefix $build/demo-$arch).
Log terminals in from another shell, for example:
    tools/tarnwick-client.py login 0101 -n 3 -i 60
    tools/tarnwick-client.py send 'LOGIN:0101;1'
End the program from its window (File > Exit), or from another shell with
    WINEPREFIX=$build/demo-$arch/prefix wineserver -k
(Ctrl-C here does not end it.)
EOT
[ -n "${DISPLAY:-}" ] ||
    echo "No DISPLAY: the window shows on a private Xvfb display that nobody sees; the program still serves terminals."
export TARNWICK_WINEPREFIX="$build/demo-$arch/prefix" TARNWICK_WINEARCH="$arch"
exec "$root/tools/with-wine.sh" bash -c 'source "$1/tools/wine-env.sh"; cd "$2"; "$TARNWICK_WINE" Tarnwick.exe' _ "$root" "$demo"
