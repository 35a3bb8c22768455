#!/usr/bin/env bash
# The built help file holds every topic with its contents and index, for Chinese (PRC):
#   help_file_test.sh Tarnwick.chm HELP_SOURCE_DIR
set -uo pipefail
chm="$(realpath "$1")" src="$2"
listing="$(chmls -n list "$chm" 2>&1)" || { echo "chmls failed: $listing"; exit 1; }
status=0
for f in "$src"/*.html "$src"/Tarnwick.hhc "$src"/Tarnwick.hhk; do
    grep -qx "/$(basename "$f")" <<<"$listing" || { echo "missing topic $(basename "$f")"; status=1; }
done
# The system record: entry 4 holds the language, 0x0804.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && chmls extract "$chm" /#SYSTEM system >/dev/null 2>&1)
od -An -tx1 -v "$work/system" | tr -d ' \n' | grep -q '0400240004080000' ||
    { echo "help file language is not 0x804"; status=1; }
exit $status
