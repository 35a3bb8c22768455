#!/usr/bin/env bash
# Installs the Debian packages that the Linux and Windows builds and their tests need.
# Idempotent: returns at once when everything is present.
#
# A package mirror in the middle of a sync can serve an index that does not match its Release
# file. The update is then retried; if an index still fails, the install goes on with what did
# download, and if that install fails (an architecture's twin packages at different versions),
# it is tried once more from a sources list without the suites whose index failed.
#
# Every failure says which step failed, with apt's own output, before the script ends.
set -eEuo pipefail

packages=(wine wine32:i386 wine64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          xvfb xauth x11-utils fonts-wqy-microhei fonts-wine locales cmake ninja-build g++ clang
          libclang-rt-14-dev googletest python3 imagemagick fp-utils nsis zip)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
log="$(mktemp)"
trap 'rm -rf "$log" "${alt:-}"' EXIT
trap 'echo "install-deps: failed (exit $?) at line $LINENO: $BASH_COMMAND" >&2' ERR

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# apt-get update, retried. When every try failed, shows apt's output and sets `failed` to the
# indexes it could not read, as "URI SUITE" lines (none when apt named none: a held lock, an
# unsigned suite, a Release file not valid yet); the install then goes on with the package lists
# already present.
failed=""
update() {
    local try
    for try in 1 2 3; do
        $sudo apt-get update -qq >"$log" 2>&1 && return 0
        [ $try = 3 ] || sleep $((try * 10))
    done
    echo "install-deps: apt-get update failed 3 times; its output:" >&2
    tail -n 20 "$log" | sed 's/^/    /' >&2
    failed="$({ grep -o 'Failed to fetch [^ ]*' "$log" || true; } |
        sed -E 's#^Failed to fetch (.*)/dists/([^/]+)/.*#\1 \2#' | sort -u)"
}

install_failed() {  # what to add
    echo "install-deps: apt-get install failed$*; its output:" >&2
    tail -n 20 "$log" | sed 's/^/    /' >&2
    exit 1
}

install() {  # extra apt-get options...
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" \
        "${missing[@]}" >"$log" 2>&1
}

# Writes into $alt a copy of the apt sources without the given "URI SUITE" pairs.
sources_without() {
    local failed="$1"
    alt="$(mktemp -d)"
    mkdir -p "$alt/parts" "$alt/lists/partial"
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v failed="$failed" '
            BEGIN { n = split(failed, l, "\n"); for (i = 1; i <= n; i++) if (l[i] != "") bad[l[i]] = 1 }
            function drop(uri, suite) { sub(/\/$/, "", uri); return ((uri " " suite) in bad) }
            # one-line form: deb [options] URI SUITE COMPONENTS...
            FILENAME ~ /\.list$/ {
                if ($1 ~ /^deb/) { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++
                                   if (drop($i, $(i + 1))) next }
                print; next
            }
            # deb822 form: stanzas of fields; failed suites are taken out of Suites:
            /^URIs:/ { uris = $0 }
            { lines[++count] = $0 }
            /^[[:space:]]*$/ { flush() }
            END { flush() }
            function flush(   i, j, s, kept, nu, u) {
                nu = split(uris, u, /[[:space:]]+/)
                for (i = 1; i <= count; i++) {
                    if (lines[i] ~ /^Suites:/) {
                        kept = ""; split(lines[i], s, /[[:space:]]+/)
                        for (j = 2; j in s; j++) if (!dropAny(u, nu, s[j])) kept = kept " " s[j]
                        if (kept == "") { print "Enabled: no"; kept = " none" }
                        lines[i] = "Suites:" kept
                    }
                    print lines[i]
                }
                count = 0; uris = ""
            }
            function dropAny(u, nu, suite,   k) { for (k = 2; k <= nu; k++) if (drop(u[k], suite)) return 1; return 0 }
        ' "$f" >"$alt/parts/$(basename "$f")"
    done
}

if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    update
    [ -z "$failed" ] || echo "install-deps: these package indexes could not be read: $(echo $failed)"
    if ! install; then
        [ -n "$failed" ] || install_failed
        echo "install-deps: installing again without the suites whose index failed"
        sources_without "$failed"
        opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$alt/parts"
              -o "Dir::State::Lists=$alt/lists")
        $sudo apt-get update -qq "${opts[@]}" >"$log" 2>&1 || true
        install "${opts[@]}" || install_failed " without the suites whose index failed ($(echo $failed))"
    fi
fi

# Wine takes a process's system code page from its locale: zh_CN.UTF-8 gives code page 936 (the
# default of every Wine run here), en_US.UTF-8 1252 and ja_JP.UTF-8 932 (the end-to-end cases under
# other code pages). Non-ASCII command-line arguments and paths need the locale generated.
generate=""
for name in zh_CN en_US ja_JP; do
    locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" && continue
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$name.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    generate=1
done
[ -z "$generate" ] || $sudo locale-gen >/dev/null
