#!/usr/bin/env bash
# One build's benchmarks, run by tools/bench.sh inside tools/with-wine.sh (Wine is up).
#   bench/run_wine.sh BUILD_DIR LOAD_CLIENT SECONDS
set -uo pipefail
build="$1" client="$2" seconds="$3"
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
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
probe() { wine "$build/bench/window_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

program_port="$(free_port)"
bare_port="$(free_port)"
mkdir -p "$work/app"
cp "$build/app/Tarnwick.exe" "$work/app/"
printf '[server]\r\nhost=127.0.0.1\r\nip=%s\r\n' "$program_port" >"$work/app/main.ini"
printf '[product]\r\ncount=1\r\n[P1]\r\nProduct=01-Bench;1\r\n' >"$work/app/PdtReg.ini"

wine "$work/app/Tarnwick.exe" </dev/null >/dev/null 2>&1 &
program=$!
pids+=("$program")
wine "$build/bench/bare_server.exe" "$bare_port" </dev/null >/dev/null 2>&1 &
pids+=($!)
wait_port "$program_port" && wait_port "$bare_port" || exit 1
# Ten terminals stay listed throughout; the rate runs remove their own rows when they end.
"$client" list "$program_port" 10 >/dev/null

echo
echo "LOGIN rate, closed loop (one LOGIN in flight per connection), best of 2 runs of ${seconds} s"
printf '%-12s | %-28s | %-28s | %s\n' "" "program" "bare server" ""
printf '%-12s | %9s %8s %9s | %9s %8s %9s | %s\n' connections "LOGIN/s" "p50 ms" "p99 ms" \
    "LOGIN/s" "p50 ms" "p99 ms" ratio
best() {  # best of two runs: "rate p50 p99 max"
    local a b
    a="$("$client" rate "$1" "$2" "$seconds")" || return 1
    b="$("$client" rate "$1" "$2" "$seconds")" || return 1
    awk -v a="$a" -v b="$b" 'BEGIN { split(a, x); split(b, y); print (x[1] >= y[1] ? a : b) }'
}
rate100=""
for connections in 1 100 1000; do
    p="$(best "$program_port" "$connections")" b="$(best "$bare_port" "$connections")"
    [ "$connections" = 100 ] && rate100="${p%% *}"
    awk -v c="$connections" -v p="$p" -v b="$b" 'BEGIN { split(p, x); split(b, y);
        printf "%-12s | %9.0f %8.2f %9.2f | %9.0f %8.2f %9.2f | %.2f\n",
               c, x[1], x[2], x[3], y[1], y[2], y[3], x[1] / y[1] }'
done

echo
echo "10,000 terminals log in (200 at a time) while another process sends the window messages"
touch "$work/listing"
probe ping 120 "Z:${work//\//\\}\\listed" >"$work/ping" &
probe_pid=$!
sleep 0.5
listed="$("$client" list "$program_port" 10000)"
touch "$work/listed"
wait "$probe_pid"
read -r served failed took rate <<<"$listed"
read -r trips p50 p99 max lost <"$work/ping"
echo "  listed $served in $took s ($rate/s), $failed not served"
echo "  window round trip (SendMessageTimeout): $trips messages, p50 $p50 ms, p99 $p99 ms," \
    "max $max ms, $lost unanswered"
after="$(best "$program_port" 100)"
echo "  LOGIN rate at 100 connections: $rate100/s with 10 other terminals listed," \
    "${after%% *}/s with 10,000 listed: ratio" \
    "$(awk -v a="${after%% *}" -v b="$rate100" 'BEGIN { printf "%.2f", a / b }')"

echo
echo "Storm: 1,000 connects at once, one LOGIN each (a terminal gives up after 10 s)"
for side in program bare; do
    port="$program_port"
    [ "$side" = bare ] && port="$bare_port"
    read -r served failed timedout slow last <<<"$("$client" storm "$port" 1000)"
    printf '  %-12s served %s, refused %s, timed out %s, connects over 1 s %s, last first reply %s ms\n' \
        "$side:" "$served" "$failed" "$timedout" "$slow" "$last"
done

echo
echo "1,000 idle terminals held, plus one that never reads its replies"
before="$(rss_kb "$program")"
mkfifo "$work/hold"
"$client" hold "$program_port" 1000 stuck <"$work/hold" >"$work/held" &
holder=$!
exec 7>"$work/hold"
for _ in $(seq 600); do [ -s "$work/held" ] && break; sleep 0.1; done
sleep 1
held_rss="$(rss_kb "$program")"
echo "  program's resident memory: $((before / 1024)) MiB before, $((held_rss / 1024)) MiB" \
    "with them: $(((held_rss - before) / 1000)) KiB per connection"
echo "  Server > Stop with them connected: $(probe stop) ms"
exec 7>&-
wait "$holder"

echo
probe start >/dev/null
wait_port "$program_port" || exit 1
echo "Most terminals held at once (each after one LOGIN; the run stops at 4,000):" \
    "$("$client" capacity "$program_port" 4000)"
