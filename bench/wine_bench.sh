# Sourced by the benchmark runs under Wine (run_wine.sh, soak_wine.sh): a work folder and the
# processes started there, both gone when the run ends, and the program in an AppDir of its own.
# Needs $build (the build folder) set first.
wine="${TARNWICK_WINE:-wine}"  # the loader of this build's architecture
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
wait_port() {
    for _ in $(seq 300); do
        (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
        sleep 0.1
    done
    echo "nothing listens on port $1" >&2
    return 1
}

# Starts the program in $work/app, listening on 127.0.0.1:PORT with one product; sets $program.
start_program() {  # port
    mkdir -p "$work/app"
    cp "$build/bin/Tarnwick.exe" "$work/app/"
    printf '[server]\r\nhost=127.0.0.1\r\nip=%s\r\n' "$1" >"$work/app/main.ini"
    printf '[product]\r\ncount=1\r\n[P1]\r\nProduct=01-Bench;1\r\n' >"$work/app/PdtReg.ini"
    "$wine" "$work/app/Tarnwick.exe" </dev/null >/dev/null 2>&1 &
    program=$!
    pids+=("$program")
}
