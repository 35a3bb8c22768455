#!/usr/bin/env bash
# Every source file must be UTF-8 whose characters code page 936 can show, since the program's
# texts are compiled to code page 936 bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r f; do
    if ! iconv -f UTF-8 -t CP936 "$f" >/dev/null 2>&1; then
        echo "check-texts: $f holds text outside code page 936" >&2
        status=1
    fi
done < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' '*.rc' '*.ini' '*.html' '*.hh?')
[ $status = 0 ] && echo "check-texts: all sources within code page 936"
exit $status
