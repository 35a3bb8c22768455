#!/usr/bin/env bash
# Writes a UTF-8 text file of the repository in the program's encoding: code page 936, CRLF line
# ends. The target appears only when the whole file converted.   tools/cp936-text.sh SOURCE TARGET
set -euo pipefail
iconv -f UTF-8 -t CP936 "$1" | sed 's/$/\r/' >"$2.part"
mv "$2.part" "$2"
