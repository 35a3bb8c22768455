#!/usr/bin/env bash
# Writes the example main.ini and PdtReg.ini of the release: the demo files in the program's
# encoding, code page 936 with CRLF.   tools/make-examples.sh DEMO_DIR OUTPUT_DIR
set -euo pipefail
mkdir -p "$2"
for f in main.ini PdtReg.ini; do
    "$(dirname "$0")/cp936-text.sh" "$1/$f" "$2/$f"
done
