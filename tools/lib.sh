# Sourced by the project's commands (test.sh, run.sh, fuzz.sh, bench.sh): the root and build
# folders, the toolchain files, the package install, one way to configure and build, and a step
# that fails named after its own output ("test.sh: ... failed").
#   source "$(dirname "$0")/lib.sh"
# A command that goes on after a failed step sets keep_going=1, and ends with $status.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TARNWICK_BUILD:-$root/build}"
jobs="$(nproc)"
script="$(basename "$0")"
status=0
source "$root/tools/toolchains.sh"

failed() {  # what failed
    echo "$script: $* failed" >&2
    status=1
    [ "${keep_going:-0}" = 1 ] || exit 1
}
# Any other command that fails is named as well.
trap 'failed "line $LINENO: $BASH_COMMAND"' ERR

install_packages() {
    "$root/tools/install-deps.sh" ||
        { failed "installing the packages (tools/install-deps.sh)"; return 1; }
}

# Configures build/FOLDER with the cmake arguments up to "--" and builds the targets after it
# (every target without). The configure's log, build/FOLDER.configure.log, shows when it fails.
configure_and_build() {  # folder [cmake arguments...] [-- targets...]
    local name="$1" args=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do args+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    local log="$build/$name.configure.log"
    mkdir -p "$(dirname "$log")"
    cmake -S "$root" -B "$build/$name" -G Ninja "${args[@]}" >"$log" 2>&1 ||
        { cat "$log" >&2; failed "configuring build/$name"; return 1; }
    ninja -C "$build/$name" -j "$jobs" "$@" || { failed "building build/$name"; return 1; }
}
