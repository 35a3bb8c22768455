#!/usr/bin/env bash
# The soak run of one build, run by `tools/bench.sh --soak` inside tools/with-wine.sh (Wine is
# up): the program under a long series of short connections, then many distinct terminals that
# the sweep removes, with its resources read before, along the way and after.
#   bench/soak_wine.sh BUILD_DIR LOAD_CLIENT CYCLES DISTINCT
set -uo pipefail
build="$1" client="$2" cycles="$3" distinct="$4"
source "$(dirname "$0")/wine_bench.sh"
port="$(free_port)"
start_program "$port"
wait_port "$port" || exit 1

# "handles threads GDI USER windows private-bytes terminals" from the program's side
# (window_probe), then the resident kB and thread count that Linux sees of the same process.
figures() {
    local probed
    probed="$("$wine" "$build/bench/window_probe.exe" resources 2>/dev/null | tr -d '\r')"
    [ -n "$probed" ] || probed="- - - - - - -"
    echo "$probed $(awk '/^VmRSS/ {r = $2} /^Threads/ {t = $2} END {print r, t}' "/proc/$program/status")"
}
row() {  # label figures
    awk -v l="$1" -v f="$2" 'BEGIN { split(f, x);
        printf "%-22s %7s %7s %4s %4s %7s %9.2f %9s | %8.2f %7s\n",
               l, x[1], x[2], x[3], x[4], x[5], x[6] / 1048576, x[7], x[8] / 1024, x[9] }'
}
header() {
    printf '%-22s %7s %7s %4s %4s %7s %9s %9s | %8s %7s\n' "" handles threads GDI USER \
        windows "priv MiB" terminals "RSS MiB" threads
}
terminals() { echo "$1" | awk '{print $7}'; }
# Growth of each figure per 1,000 cycles between two readings.
per_thousand() {  # label figures-from figures-to cycles
    awk -v l="$1" -v a="$2" -v b="$3" -v n="$4" 'BEGIN { split(a, x); split(b, y);
        printf "%-22s %7.3f %7.3f %4.1f %4.1f %7.3f %9.1f %9s | %8.1f %7.3f\n", l,
               (y[1] - x[1]) * 1000 / n, (y[2] - x[2]) * 1000 / n, (y[3] - x[3]) * 1000 / n,
               (y[4] - x[4]) * 1000 / n, (y[5] - x[5]) * 1000 / n, (y[6] - x[6]) * 1000 / n,
               "", (y[8] - x[8]) * 1024 * 1000 / n, (y[9] - x[9]) * 1000 / n }'
}

echo
echo "Soak: $cycles connect-LOGIN-close cycles of one terminal (15 connections at a time), then"
echo "$distinct terminals from distinct loopback addresses log in once and are left to the sweep."
echo "The program's side by window_probe: handles (GetProcessHandleCount, or the system handle"
echo "table where that answers 0), threads (toolhelp), GDI and USER (GetGuiResources), its windows"
echo "(EnumWindows, EnumChildWindows), private bytes (GetProcessMemoryInfo PrivateUsage, or"
echo "PagefileUsage where that is 0) and the terminal count panel; right of |, Linux's view of the"
echo "same process (/proc: VmRSS, Threads)."
header
before="$(figures)"
row "before" "$before"
step=$(((cycles + 9) / 10))
done_cycles=0 failed=0 started=$SECONDS first="" first_cycles=0
while [ "$done_cycles" -lt "$cycles" ]; do
    n=$((cycles - done_cycles < step ? cycles - done_cycles : step))
    read -r served lost _ <<<"$("$client" cycle "$port" "$n")"
    done_cycles=$((done_cycles + n)) failed=$((failed + lost))
    now="$(figures)"
    row "after $done_cycles" "$now"
    [ -z "$first" ] && first="$now" first_cycles=$done_cycles
done
cycled="$now"
took=$((SECONDS - started))
echo "  $done_cycles cycles in $took s ($((done_cycles / (took > 0 ? took : 1)))/s), $failed not served"

started=$SECONDS
read -r served lost _ <<<"$("$client" list "$port" "$distinct")"
# The count panel follows the table on the window's thread.
for _ in $(seq 50); do
    listed="$(figures)"
    [ "$(terminals "$listed")" = $((served + 1)) ] && break
    sleep 0.2
done
row "after $distinct logins" "$listed"
echo "  $served terminals listed in $((SECONDS - started)) s, $lost not served"

# The sweep runs every 60 s and drops a terminal 300 s after its latest LOGIN: wait for it in
# real time, up to 8 minutes, until the table is empty.
started=$SECONDS
swept="$listed"
while [ $((SECONDS - started)) -lt 480 ]; do
    sleep 10
    swept="$(figures)"
    [ "$(terminals "$swept")" = 0 ] && break
done
row "after the sweep" "$swept"
echo "  the sweep emptied the table $((SECONDS - started)) s after the last LOGIN"

echo "Growth per 1,000 cycles:"
printf '%-22s %7s %7s %4s %4s %7s %9s %9s | %8s %7s\n' "" handles threads GDI USER windows \
    "priv B" "" "RSS B" threads
per_thousand "all cycles" "$before" "$cycled" "$done_cycles"
[ "$done_cycles" -gt "$first_cycles" ] &&
    per_thousand "after the first $first_cycles" "$first" "$cycled" $((done_cycles - first_cycles))
echo "After the sweep against before (per cent):"
awk -v a="$before" -v b="$swept" 'BEGIN { split(a, x); split(b, y);
    printf "  handles %+.2f, threads %+.2f, GDI %+d, USER %+d, windows %+d, private bytes %+.2f, RSS %+.2f\n",
           (y[1] - x[1]) * 100 / x[1], (y[2] - x[2]) * 100 / x[2], y[3] - x[3], y[4] - x[4],
           y[5] - x[5], (y[6] - x[6]) * 100 / x[6], (y[8] - x[8]) * 100 / x[8] }'
