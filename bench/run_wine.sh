#!/usr/bin/env bash
# One build's benchmarks, run by tools/bench.sh inside tools/with-wine.sh (Wine is up).
#   bench/run_wine.sh BUILD_DIR LOAD_CLIENT SECONDS
set -uo pipefail
build="$1" client="$2" seconds="$3"
source "$(dirname "$0")/wine_bench.sh"
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
probe() { "$wine" "$build/bench/window_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

echo "-- loading the product file"
"$wine" "$build/bench/product_file_bench.exe" </dev/null 2>&1 | tr -d '\r'

program_port="$(free_port)"
bare_port="$(free_port)"
start_program "$program_port"
"$wine" "$build/bench/bare_server.exe" "$bare_port" </dev/null >/dev/null 2>&1 &
bare=$!
pids+=("$bare")
wait_port "$program_port" && wait_port "$bare_port" || exit 1
# Ten terminals stay listed throughout; the rate runs remove their own rows when they end.
"$client" list "$program_port" 10 >/dev/null

# CPU time of a process and all its threads, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
wineserver_pid="$(for p in $(pgrep wineserver); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
done | head -1)"
[ -n "$wineserver_pid" ] || { echo "no wine server for $WINEPREFIX" >&2; exit 1; }
hz="$(getconf CLK_TCK)"
# One closed-loop run: "rate p50 p99 max cpu", cpu being the microseconds of CPU per LOGIN spent
# by the server and the wine server together (what the machine's other load does not change).
measure() {  # port pid connections
    local before after out
    before=$(($(ticks "$2") + $(ticks "$wineserver_pid")))
    out="$("$client" rate "$1" "$3" "$seconds")" || return 1
    after=$(($(ticks "$2") + $(ticks "$wineserver_pid")))
    awk -v o="$out" -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { split(o, x); printf "%s %.0f\n", o, (x[1] > 0 ? t / hz * 1e6 / (x[1] * s) : 0) }'
}
better() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x); split(b, y); print (x[1] >= y[1] ? a : b) }'; }
# Three runs of each server, taken in turns; the best rate of each.
compare() {  # connections -> "program-run|bare-run"
    local p="0" b="0"
    for _ in 1 2 3; do
        p="$(better "$p" "$(measure "$program_port" "$program" "$1")")"
        b="$(better "$b" "$(measure "$bare_port" "$bare" "$1")")"
    done
    echo "$p|$b"
}

echo
echo "LOGIN rate, closed loop (one LOGIN in flight per connection), best of 3 runs of ${seconds} s"
echo "in turns; CPU: microseconds of CPU per LOGIN, server and wine server together"
printf '%-11s | %-33s | %-33s | %s\n' "" "program" "bare server" "ratio"
printf '%-11s | %8s %6s %8s %8s | %8s %6s %8s %8s | %5s %5s\n' connections "LOGIN/s" "p50 ms" \
    "p99 ms" "CPU" "LOGIN/s" "p50 ms" "p99 ms" "CPU" rate CPU
row() {  # label program-run bare-run
    awk -v c="$1" -v p="$2" -v b="$3" 'BEGIN { split(p, x); split(b, y);
        printf "%-11s | %8.0f %6.2f %8.2f %8.0f | %8.0f %6.2f %8.2f %8.0f | %5.2f %5.2f\n",
               c, x[1], x[2], x[3], x[5], y[1], y[2], y[3], y[5], x[1] / y[1], y[5] / x[5] }'
}
rate100=""
for connections in 1 100 1000; do
    runs="$(compare "$connections")"
    row "$connections" "${runs%|*}" "${runs#*|}"
    [ "$connections" = 100 ] && rate100="${runs%|*}" rate100_bare="${runs#*|}"
done

echo
echo "10,000 terminals log in (15 at a time) while another process sends the window messages"
touch "$work/listing"
probe ping 120 "Z:${work//\//\\}\\listed" >"$work/ping" &
probe_pid=$!
sleep 0.5
listed="$("$client" list "$program_port" 10000)"
touch "$work/listed"
wait "$probe_pid"
# The bare server sees as many connections, so that what they leave in Wine weighs on both.
"$client" list "$bare_port" 10000 >/dev/null
read -r served failed took rate <<<"$listed"
read -r trips p50 p99 max lost <"$work/ping"
echo "  listed $served in $took s ($rate/s), $failed not served"
echo "  window round trip (SendMessageTimeout): $trips messages, p50 $p50 ms, p99 $p99 ms," \
    "max $max ms, $lost unanswered"
runs="$(compare 100)"
echo "  at 100 connections, best of 3 runs each:"
row "10 listed" "$rate100" "$rate100_bare"
row "10,000" "${runs%|*}" "${runs#*|}"
echo "  program, 10,000 listed against 10: rate ratio" \
    "$(awk -v a="${runs%|*}" -v b="$rate100" 'BEGIN { split(a, x); split(b, y); printf "%.2f", x[1] / y[1] }')"

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
