#!/usr/bin/env bash
# Measures what the running program costs: its own CPU time (user + system, from
# /proc, so other work on the machine does not count) as a share of one core, and
# its resident memory. Under Xvfb, against a simulated Omnicomm line of four sensors
# polled as fast as the line allows, the first sensor's tab current and its plot
# following. Each run waits for the sensors, then for detection to finish its two
# passes over every address (SETTLE seconds), then measures for SECONDS.
#   ./scripts/measure-load.sh [SECONDS [SETTLE]]       (defaults: 60 and 60)
# The program runs as nivelon-loadprobe, a build of it that can fill its views from
# inside. Run 1 starts empty. Run 2 starts every sensor view with an hour of samples
# at the poll rate run 1 saw, through the probe's
# NIVELON_PREFILL_SAMPLES=COUNT:INTERVAL_MS. The memory figure is the difference of
# the two runs' resident sizes, per sample held.
# NIVELON_LOAD_WRAPPER runs the program under a tool, e.g.
#   NIVELON_LOAD_WRAPPER='valgrind --tool=callgrind --callgrind-out-file=/tmp/cg.%p'
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
seconds=${1:-60}
settle=${2:-60}
sensors=4
read -ra wrapper <<<"${NIVELON_LOAD_WRAPPER:-}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon-loadprobe nivelon-sim >/dev/null

source "$root/scripts/lib/xsession.sh"

start_xvfb

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
calc() { awk "BEGIN {printf \"%.2f\", $1}"; }
rss_bytes() { awk '/^VmRSS:/ {print $2 * 1024}' "/proc/$1/status"; }

# Prints the simulator's request count per sensor, one a line, as of now.
sim_requests() {
    local before
    before=$(wc -l <"$work/sim.log")
    kill -USR1 "$sim"
    for _ in $(seq 50); do
        (($(wc -l <"$work/sim.log") >= before + sensors)) && break
        sleep 0.1
    done
    tail -n +"$((before + 1))" "$work/sim.log" | sed -n 's/^sensor.*requests=\([0-9]*\).*/\1/p'
}

# measure PREFILL: one run; sets cpu_share (percent), rss, rate (polls a second per sensor).
measure() {
    local prefill=$1 program config=$work/config/Korinta/Nivelon.conf
    rm -rf "$work/config" "$work/line"
    mkdir -p "$(dirname "$config")"
    # ZT-33 is row 2 of the model table: Omnicomm over RS-485.
    printf '[General]\nBusType=2\n\n[SerialPort]\nAutoDetectAddress=true\nAutoDetectPort=true\nUsedPort=%s\n' \
        "$work/line" >"$config"
    "$build/sim/nivelon-sim" --model ZT-33 --address 1 --address 2 --address 3 --address 4 \
        --link "$work/line" >"$work/sim.log" 2>&1 &
    sim=$!
    pids+=("$sim")
    for _ in $(seq 50); do
        [[ -e $work/line ]] && break
        sleep 0.1
    done
    XDG_CONFIG_HOME=$work/config NIVELON_PORTS=$work/line NIVELON_PREFILL_SAMPLES=$prefill \
        "${wrapper[@]}" "$build/bench/nivelon-loadprobe" >"$work/nivelon.log" 2>&1 &
    program=$!
    pids+=("$program")
    local waited=0
    while sim_requests | grep -qx 0 || (($(sim_requests | wc -l) < sensors)); do
        ((waited++ < 120)) || { echo "measure-load: the sensors were never polled" >&2; exit 1; }
        sleep 1
    done
    sleep "$settle"
    local polls0 cpu0 polls1 cpu1
    polls0=$(sim_requests | awk '{s += $1} END {print s}')
    cpu0=$(cpu_ticks "$program")
    sleep "$seconds"
    cpu1=$(cpu_ticks "$program")
    polls1=$(sim_requests | awk '{s += $1} END {print s}')
    rss=$(rss_bytes "$program")
    cpu_share=$(calc "100 * ($cpu1 - $cpu0) / $ticks / $seconds")
    rate=$(calc "($polls1 - $polls0) / $seconds / $sensors")
    kill "$program" "$sim"
    wait "$program" "$sim" 2>/dev/null || true
    echo "measure-load: prefill ${prefill:-none}: cpu ${cpu_share} % of a core," \
        "rss $rss bytes, $rate polls/s per sensor, load average $(cut -d' ' -f1-3 /proc/loadavg)"
}

measure ""
start_share=$cpu_share start_rss=$rss
count=$(awk "BEGIN {printf \"%d\", $rate * 3600}")
interval=$(awk "BEGIN {printf \"%d\", 1000 / $rate}")
measure "$count:$interval"
echo "BENCH cpu_share_4_sensors $start_share"
echo "BENCH cpu_share_4_sensors_after_hour $cpu_share"
echo "BENCH rss_bytes_per_sample $(calc "($rss - $start_rss) / ($count * $sensors)")"
