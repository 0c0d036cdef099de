#!/usr/bin/env bash
# Measures what the running program costs: its own CPU time (user + system, from
# /proc, so other work on the machine does not count) as a share of one core, and
# its resident memory. Under Xvfb, against a simulated Omnicomm line of four sensors
# polled as fast as the line allows, the first sensor's tab current and its plot
# following. Each run waits for the sensors, then for detection to finish its two
# passes over every address (SETTLE seconds), then measures for SECONDS.
#   ./scripts/measure-load.sh [--publish] [SECONDS [SETTLE]]   (defaults: 60 and 60)
# The program runs as nivelon-loadprobe, a build of it that can fill its views from
# inside. Run 1 starts empty. Run 2 starts every sensor view with an hour of samples
# at the poll rate run 1 saw, through the probe's
# NIVELON_PREFILL_SAMPLES=COUNT:INTERVAL_MS. The memory figure is the difference of
# the two runs' resident sizes, per sample held.
# With --publish the two runs are both empty, the second with the fleet server set
# to a mosquitto started here on a free local port and live readings switched on:
# the CPU with publishing against without, and the live messages a subscriber got.
# NIVELON_LOAD_WRAPPER runs the program under a tool, e.g.
#   NIVELON_LOAD_WRAPPER='valgrind --tool=callgrind --callgrind-out-file=/tmp/cg.%p'
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
publish_run=false
if [[ ${1:-} == --publish ]]; then
    publish_run=true
    shift
fi
seconds=${1:-60}
settle=${2:-60}
sensors=4
read -ra wrapper <<<"${NIVELON_LOAD_WRAPPER:-}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon-loadprobe nivelon-sim >/dev/null

source "$root/scripts/lib/xsession.sh"

start_xvfb
: >"$work/live"

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

# A mosquitto of the run's own on a free local port, and a subscriber counting the
# live readings into $work/live.
start_broker() {
    broker_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    printf 'user %s\nlistener %s 127.0.0.1\nallow_anonymous true\nlog_dest file %s\n' \
        "$(id -un)" "$broker_port" "$work/broker.log" >"$work/mosquitto.conf"
    mosquitto -c "$work/mosquitto.conf" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do
        grep -qs " running" "$work/broker.log" && break
        sleep 0.1
    done
    grep -qs " running" "$work/broker.log" || { echo "measure-load: mosquitto did not start" >&2; exit 1; }
    mosquitto_sub -h 127.0.0.1 -p "$broker_port" -q 0 -t 'load/live/#' >"$work/live" 2>/dev/null &
    pids+=($!)
}

# measure PREFILL [publish]: one run; sets cpu_share (percent), rss, rate (polls a
# second per sensor) and, publishing, live (messages a second the subscriber got).
measure() {
    local prefill=$1 publish=${2:-} program config=$work/config/Korinta/Nivelon.conf
    rm -rf "$work/config" "$work/data" "$work/line"
    mkdir -p "$(dirname "$config")"
    # ZT-33 is row 2 of the model table: Omnicomm over RS-485.
    printf '[General]\nBusType=2\n\n[SerialPort]\nAutoDetectAddress=true\nAutoDetectPort=true\nUsedPort=%s\n' \
        "$work/line" >"$config"
    if [[ -n $publish ]]; then
        printf '\n[Fleet]\nUrl=mqtt://127.0.0.1:%s\nPrefix=load\nClientName=probe\nLiveReadings=true\n' \
            "$broker_port" >>"$config"
    fi
    "$build/sim/nivelon-sim" --model ZT-33 --address 1 --address 2 --address 3 --address 4 \
        --link "$work/line" >"$work/sim.log" 2>&1 &
    sim=$!
    pids+=("$sim")
    for _ in $(seq 50); do
        [[ -e $work/line ]] && break
        sleep 0.1
    done
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data NIVELON_PORTS=$work/line NIVELON_PREFILL_SAMPLES=$prefill \
        "${wrapper[@]}" "$build/bench/nivelon-loadprobe" >"$work/nivelon.log" 2>&1 &
    program=$!
    pids+=("$program")
    local waited=0
    while sim_requests | grep -qx 0 || (($(sim_requests | wc -l) < sensors)); do
        ((waited++ < 120)) || { echo "measure-load: the sensors were never polled" >&2; exit 1; }
        sleep 1
    done
    sleep "$settle"
    local polls0 cpu0 polls1 cpu1 live0 live1
    polls0=$(sim_requests | awk '{s += $1} END {print s}')
    live0=$(wc -l <"$work/live")
    cpu0=$(cpu_ticks "$program")
    sleep "$seconds"
    cpu1=$(cpu_ticks "$program")
    live1=$(wc -l <"$work/live")
    live=$(calc "($live1 - $live0) / $seconds")
    polls1=$(sim_requests | awk '{s += $1} END {print s}')
    rss=$(rss_bytes "$program")
    cpu_share=$(calc "100 * ($cpu1 - $cpu0) / $ticks / $seconds")
    rate=$(calc "($polls1 - $polls0) / $seconds / $sensors")
    kill "$program" "$sim"
    wait "$program" "$sim" 2>/dev/null || true
    echo "measure-load: prefill ${prefill:-none}: cpu ${cpu_share} % of a core," \
        "rss $rss bytes, $rate polls/s per sensor, ${publish:+$live live messages/s, }load" \
        "average $(cut -d' ' -f1-3 /proc/loadavg)"
}

if $publish_run; then
    start_broker
    measure ""
    off_share=$cpu_share
    measure "" publish
    echo "BENCH window_cpu_share_publish_off $off_share"
    echo "BENCH window_cpu_share_publish_on $cpu_share"
    echo "BENCH window_live_messages_per_second $live"
    echo "BENCH window_cpu_publish_ratio $(calc "$cpu_share / $off_share")"
    exit 0
fi

measure ""
start_share=$cpu_share start_rss=$rss
count=$(awk "BEGIN {printf \"%d\", $rate * 3600}")
interval=$(awk "BEGIN {printf \"%d\", 1000 / $rate}")
measure "$count:$interval"
echo "BENCH cpu_share_4_sensors $start_share"
echo "BENCH cpu_share_4_sensors_after_hour $cpu_share"
echo "BENCH rss_bytes_per_sample $(calc "($rss - $start_rss) / ($count * $sensors)")"
