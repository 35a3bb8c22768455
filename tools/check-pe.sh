#!/usr/bin/env bash
# Checks the headers and imports of the Windows programs and libraries of a build:
#   tools/check-pe.sh i386|x86-64 FILE...
# Each file must be built for that machine, a program must be a GUI program, a 32-bit program
# must be large-address-aware, and every imported DLL must be one that Windows itself ships.
set -uo pipefail
machine="$1"
shift
case "$machine" in
i386) objdump=i686-w64-mingw32-objdump ;;
x86-64) objdump=x86_64-w64-mingw32-objdump ;;
*) echo "check-pe: unknown machine '$machine'" >&2; exit 2 ;;
esac
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ws2_32|msvcrt|ole32|oleaut32|version|shlwapi|uxtheme)\.dll$'

status=0
fail() { echo "check-pe: $1: $2" >&2; status=1; }
for file in "$@"; do
    headers="$("$objdump" -p "$file" 2>&1)" || { fail "$file" "objdump failed: $headers"; continue; }
    grep -q "file format pei-$machine\$" <<<"$headers" || fail "$file" "not a $machine image"
    if [[ "$file" == *.exe ]]; then
        grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || fail "$file" "not a GUI program"
        if [ "$machine" = i386 ]; then
            grep -q 'large address aware' <<<"$headers" || fail "$file" "not large-address-aware"
        fi
    fi
    while read -r dll; do
        grep -Eqi "$system_dlls" <<<"$dll" || fail "$file" "imports $dll, which is not a Windows system DLL"
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
done
[ $status = 0 ] && echo "check-pe: $machine: $* ok"
exit $status
