#!/usr/bin/env bash
# Writes the example main.ini and PdtReg.ini of the release: the demo files in the program's
# encoding, code page 936 with CRLF.   tools/make-examples.sh DEMO_DIR OUTPUT_DIR
set -euo pipefail
mkdir -p "$2"
for f in main.ini PdtReg.ini; do
    iconv -f UTF-8 -t CP936 "$1/$f" | sed 's/$/\r/' >"$2/$f"
done
