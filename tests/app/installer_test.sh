#!/usr/bin/env bash
# The installer of this build, run silently under Wine: the files land in the chosen folder with
# a Start menu entry, the installed program starts and listens, and while it runs neither the
# installer nor the uninstaller changes anything; once it has ended through File > Exit, the
# uninstaller removes the program's files, keeps the site's main.ini and PdtReg.ini, and removes
# the autorun value only when it names the installed program.
#   installer_test.sh BUILD_DIR TOOLS_DIR WINEARCH [WINDOW_PROBE]
set -uo pipefail
build="$1" tools="$2" probe="${4:-}"
export TARNWICK_WINEARCH="${TARNWICK_WINEARCH:-$3}"
if [ -z "${TARNWICK_WINE_READY:-}" ]; then
    export TARNWICK_WINEPREFIX="${TARNWICK_WINEPREFIX:-$build/wine/prefix}"
    exec "$tools/with-wine.sh" "$0" "$@"
fi
source "$tools/wine-env.sh"

work="$(mktemp -d)"
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

(cd "$build" && cpack -G NSIS -B "$work/package" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
installer="$(ls "$work"/package/Tarnwick-*.exe)"
site="$work/site"
site_win="Z:${site//\//\\}"
port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"

install() {
    "$TARNWICK_WINE" "$installer" /S "/D=$site_win" </dev/null >/dev/null 2>&1 || fail "installer exit code $?"
    for f in Tarnwick.exe VersionInfo.dll Tarnwick.chm README.txt examples/main.ini \
        examples/PdtReg.ini Uninstall.exe; do
        [ -f "$site/$f" ] || fail "$f not installed"
    done
    find "$WINEPREFIX/drive_c/users" -path '*/Programs/Tarnwick/Tarnwick.lnk' | grep -q . ||
        fail "no Start menu entry"
}

# Runs the uninstaller (which copies itself away and returns at once) and waits for it.
uninstall() {
    "$TARNWICK_WINE" "$site/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "uninstaller exit code $?"
    for _ in $(seq 100); do [ -e "$site/Uninstall.exe" ] || break; sleep 0.2; done
    [ ! -e "$site/Uninstall.exe" ] || fail "the uninstaller did not finish"
    sleep 0.5
}

installed() { "$TARNWICK_WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick' </dev/null >/dev/null 2>&1; }
# The uninstaller run in place, which waits and passes on its exit code.
uninstall_in_place() { "$TARNWICK_WINE" "$site/Uninstall.exe" /S "_?=$site_win" </dev/null >/dev/null 2>&1; }

autorun() { "$TARNWICK_WINE" reg query "$run_key" /v Tarnwick </dev/null 2>/dev/null | grep -c Tarnwick; }

# 1. Install; the site writes its files; the program starts and answers a terminal.
install
printf '[server]\r\nhost=127.0.0.1\r\nip=%s\r\n' "$port" >"$site/main.ini"
cp "$site/examples/PdtReg.ini" "$site/PdtReg.ini"
(cd "$site" && exec "$TARNWICK_WINE" Tarnwick.exe </dev/null >/dev/null 2>&1) &
program_pid=$!
reply=""
for _ in $(seq 100); do
    reply="$( (exec 3<>"/dev/tcp/127.0.0.1/$port" && printf 'HELLO\n' >&3 && timeout 2 head -c 6 <&3) 2>/dev/null | od -An -c | tr -d ' \n')"
    [ -n "$reply" ] && break
    sleep 0.2
done
[ "$reply" = '2\r\n2\r\n' ] || fail "the installed program did not answer on port $port: '$reply'"

# 2. While it runs, installer and uninstaller fail with exit code 2 and touch no file.
listing() { (cd "$site" && find . | sort); }
before="$(listing)"
touch "$work/mark"
"$TARNWICK_WINE" "$installer" /S "/D=$site_win" </dev/null >/dev/null 2>&1
[ $? = 2 ] || fail "the installer did not stop for the running program"
uninstall_in_place
[ $? = 2 ] || fail "the uninstaller did not stop for the running program"
[ "$(listing)" = "$before" ] && [ -z "$(find "$site" -cnewer "$work/mark")" ] ||
    fail "files changed while the program ran"
installed || fail "the entry of the installed programs was removed while the program ran"
if [ -n "$probe" ]; then
    "$TARNWICK_WINE" "$probe" exit </dev/null >/dev/null 2>&1 || fail "File > Exit did not end the program"
else
    kill "$program_pid"
fi
wait "$program_pid" 2>/dev/null
program_pid=""

# 3. Uninstall with the autorun value naming another copy of the program: it stays.
"$TARNWICK_WINE" reg add "$run_key" /v Tarnwick /d 'C:\Other\Tarnwick.exe' /f </dev/null >/dev/null 2>&1
uninstall
[ "$(autorun)" = 1 ] || fail "the autorun value of another copy was removed"
for f in Tarnwick.exe VersionInfo.dll Tarnwick.chm README.txt examples; do
    [ ! -e "$site/$f" ] || fail "$f left behind"
done
for f in main.ini PdtReg.ini; do [ -f "$site/$f" ] || fail "the site's $f was removed"; done
grep -q "ip=$port" "$site/main.ini" || fail "main.ini changed"

installed && fail "the entry of the installed programs was kept"

# 4. Reinstall over the site's files, which stay as they are; a program file that cannot be
#    deleted keeps the uninstaller and the entry; the autorun value names this copy and goes
#    with it.
install
grep -q "ip=$port" "$site/main.ini" || fail "the installer overwrote main.ini"
mv "$site/Tarnwick.exe" "$work/Tarnwick.exe" && mkdir "$site/Tarnwick.exe"
uninstall_in_place
[ $? = 2 ] || fail "the uninstaller did not fail on a program file it could not delete"
[ -f "$site/Uninstall.exe" ] && installed || fail "the uninstaller went with a program file left"
rmdir "$site/Tarnwick.exe" && mv "$work/Tarnwick.exe" "$site/Tarnwick.exe"
"$TARNWICK_WINE" reg add "$run_key" /v Tarnwick /d "$site_win\\Tarnwick.exe" /f </dev/null >/dev/null 2>&1
[ "$(autorun)" = 1 ] || fail "could not set the autorun value"
uninstall
[ "$(autorun)" = 0 ] || fail "the autorun value of the installed program was kept"
echo "installer: installed, served, uninstalled keeping main.ini and PdtReg.ini"
