#!/usr/bin/env bash
# Compiles the help topics into a .chm with chmcmd (Debian's fp-utils):
#   tools/make-chm.sh SOURCE_DIR WORK_DIR OUTPUT.chm
# The sources are UTF-8; the help file is in code page 936 (LCID 0x804), so each source is
# converted first. chmcmd's full-text indexer fails on code page 936 topics, so the help file
# has contents and an index but no search page.
set -euo pipefail
src="$1" work="$2" out="$3"
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/*.html "$src"/*.hhc "$src"/*.hhk "$src"/*.hhp; do
    iconv -f UTF-8 -t CP936 "$f" >"$work/$(basename "$f")"
done
(cd "$work" && chmcmd Tarnwick.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
# chmcmd reports some failures only by leaving an empty file.
[ -s "$work/Tarnwick.chm" ] || { cat "$work/chmcmd.log" >&2; exit 1; }
cp "$work/Tarnwick.chm" "$out"
