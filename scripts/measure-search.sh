#!/usr/bin/env bash
# Measures how fast the program finds its sensor line and its sensors, and how it
# waits for a lost line, against simulated lines over pseudo-terminals. The window
# runs under Xvfb on a fresh configuration each time, searching for Omnicomm
# (ZT-33) sensors; the simulator's counters (kill -USR1) say when a sensor answered.
#   ./scripts/measure-search.sh [--scan-only [--libmodbus]] [LOST_SECONDS [SECONDS [SETTLE]]]
# --scan-only measures only the whole scan of a line with two sensors, at 17 and
# 200, by the sensors' reply latency, beside the time the wire itself needs.
# --libmodbus also scans for a libmodbus slave at 17 (scripts/modbus-slave.c,
# needing libmodbus-dev and socat), with and without a 600 ms reply time-out.
# LOST_SECONDS (default 30): how long the CPU share is measured while the line is
# away. SECONDS (default 20) and SETTLE (default 30): the poll-rate windows with
# detection on and off, after SETTLE seconds for the detection passes.
# A reading counts from the sensor's second reply: a scout of the search may have
# had the first. The machine's own serial ports list before the simulated lines
# and are searched too; the script names them.
set -euo pipefail
scan_only=false
libmodbus=false
if [[ ${1:-} == --scan-only ]]; then
    scan_only=true
    shift
fi
if [[ ${1:-} == --libmodbus ]]; then
    libmodbus=true
    shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
lost_seconds=${1:-30}
seconds=${2:-20}
settle=${3:-30}
omnicomm=2 # row of ZT-33 in the model table

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
targets=(nivelon-sim nivelon-cli)
$scan_only || targets+=(nivelon)
cmake --build "$build" --target "${targets[@]}" >/dev/null

source "$root/scripts/lib/xsession.sh"

now() { date +%s.%N; }
calc() { awk "BEGIN {printf \"%.2f\", $1}"; }
fail() {
    echo "measure-search: $*" >&2
    exit 1
}
wait_for_path() {
    local _
    for _ in $(seq 50); do
        [[ -e $1 ]] && return
        sleep 0.1
    done
    fail "$1 never appeared"
}

# A pseudo-terminal linked at PATH where nobody answers; what is sent is dropped.
cat >"$work/silent.py" <<'EOF'
import os, pty, sys
master, slave = pty.openpty()
os.symlink(os.ttyname(slave), sys.argv[1])
while True:
    os.read(master, 4096)
EOF
# Processes of one run, stopped before the next; the shared helper stops them all
# (and Xvfb) when the script ends.
run=()
background() {
    "$@" &
    pids+=($!)
    run+=($!)
}
stop_run() {
    kill "${run[@]}" 2>/dev/null || true
    wait "${run[@]}" 2>/dev/null || true
    run=()
    rm -f "$work"/silent?
}

silent_line() {
    background python3 "$work/silent.py" "$1"
    wait_for_path "$1"
}

# start_sim NAME ARGS...: a simulator linked at $work/NAME; sets sim.
start_sim() {
    local name=$1
    shift
    background "$build/sim/nivelon-sim" "$@" --link "$work/$name" >"$work/$name.log" 2>&1
    sim=$!
    wait_for_path "$work/$name"
}

# sim_total NAME PID FIELD: the sum of a counter over the simulator's sensors.
sim_total() {
    local log=$work/$1.log before
    before=$(grep -c '^sensor' "$log" || true)
    kill -USR1 "$2"
    for _ in $(seq 50); do
        (($(grep -c '^sensor' "$log" || true) > before)) && break
        sleep 0.02
    done
    sleep 0.02
    tail -n +"$((before + 1))" "$log" | sed -n "s/^sensor.* $3=\([0-9]*\).*/\1/p" |
        awk '{s += $1} END {print s + 0}'
}

# start_program SEARCH PORTS [PORT]: the window on a fresh configuration, on PORT
# when the search is off.
start_program() {
    rm -rf "$work/config"
    mkdir -p "$work/config/Korinta"
    printf '[General]\nBusType=%s\n\n[SerialPort]\nAutoDetectAddress=true\nAutoDetectPort=%s\nUsedPort=%s\n' \
        "$omnicomm" "$1" "${3:-}" >"$work/config/Korinta/Nivelon.conf"
    started=$(now)
    XDG_CONFIG_HOME=$work/config NIVELON_PORTS=$2 \
        background "$build/src/nivelon" >"$work/nivelon.log" 2>&1
    program=$!
}

# seconds_until NAME PID FIELD COUNT LIMIT: seconds since $started until the
# simulator's counter reaches COUNT; "inf" after LIMIT seconds.
seconds_until() {
    while (($(sim_total "$1" "$2" "$3") < $4)); do
        awk "BEGIN {exit !($(now) - $started >= $5)}" && { echo inf; return; }
        sleep 0.05
    done
    calc "$(now) - $started"
}

# A whole scan of two sensors (17 and 200) answering after LATENCY ms: the seconds,
# and their share of what the wire needs: every address probed once, its
# request and silence, plus the latency (Omnicomm 256 x (7 ms + latency), ModBus
# 247 x (20 ms + latency)).
for run in ZT-33:omnicomm:0:256:7 ZT-33:omnicomm:10:256:7 ZT-33:omnicomm:30:256:7 \
    ZT-32:modbus:0:247:20 ZT-32:modbus:10:247:20 ZT-32:modbus:30:247:20 ZT-32:modbus:45:247:20; do
    IFS=: read -r model protocol latency addresses per_probe <<<"$run"
    start_sim scanned --model "$model" --address 17 --address 200 --latency "$latency"
    started=$(now)
    found=$("$build/cli/nivelon-cli" scan --port "$work/scanned" --model "$model" 2>/dev/null |
        grep -c '^address' || true)
    seconds=$(calc "$(now) - $started")
    stop_run
    wire=$(calc "$addresses * ($per_probe + $latency) / 1000")
    echo "measure-search: scan $protocol at ${latency} ms latency: $seconds s, found $found of 2, wire $wire s"
    echo "BENCH scan_seconds_${protocol}_latency_$latency $seconds"
    echo "BENCH scan_wire_ratio_${protocol}_latency_$latency $(calc "$seconds / $wire")"
done

# A libmodbus slave takes the frame after a request to another address for that
# address's reply, and is back in step only after half a second of silence.
if $libmodbus; then
    cc -O2 -o "$work/modbus-slave" "$root/scripts/modbus-slave.c" $(pkg-config --cflags --libs libmodbus)
    for timeout in "" 600; do
        background socat pty,raw,echo=0,link="$work/libmodbus-master" pty,raw,echo=0,link="$work/libmodbus-slave"
        wait_for_path "$work/libmodbus-slave"
        background "$work/modbus-slave" "$work/libmodbus-slave" 17
        started=$(now)
        found=$("$build/cli/nivelon-cli" scan --port "$work/libmodbus-master" --model ZT-32 \
            ${timeout:+--reply-timeout $timeout} 2>/dev/null | grep -c '^address 17' || true)
        echo "measure-search: libmodbus slave at 17, reply time-out ${timeout:-default}: found $found in $(calc "$(now) - $started") s"
        stop_run
    done
fi
$scan_only && exit 0

start_xvfb

system_ports=$(NIVELON_PORTS= "$build/cli/nivelon-cli" ports | cut -f1 | paste -sd' ')
[[ -z $system_ports ]] || echo "measure-search: this machine lists its own ports first: $system_ports"

# Line figures, from nivelon-cli on a line where nothing answers.
silent_line "$work/silent0"
for model in ZT-33:omnicomm ZT-32:modbus; do
    started=$(now)
    "$build/cli/nivelon-cli" scan --port "$work/silent0" --model "${model%%:*}" >/dev/null 2>&1 || true
    echo "BENCH sweep_seconds_${model#*:} $(calc "$(now) - $started")"
done
started=$(now)
"$build/cli/nivelon-cli" identify --port "$work/silent0" >/dev/null 2>&1 || true
echo "BENCH identify_seconds_silent_line $(calc "$(now) - $started")"
stop_run

# Three silent lines listed before the sensor line; the sensor answers 10 ms late.
for n in 1 2 3; do silent_line "$work/silent$n"; done
start_sim line --model ZT-33 --address 1 --latency 10
start_program true "$work/silent1:$work/silent2:$work/silent3:$work/line"
echo "BENCH first_reading_seconds_3_silent_ports_latency_10 $(seconds_until line "$sim" replies 2 300)"
stop_run

# A LIN line, which echoes every byte, listed before the Omnicomm line.
start_sim line-lin --model ZT-31 --address 10
start_sim line --model ZT-33 --address 1
start_program true "$work/line-lin:$work/line"
echo "BENCH first_reading_seconds_after_echoing_port $(seconds_until line "$sim" replies 2 300)"
stop_run

# A sensor that answers 40 ms late.
slow=(--latency 40)
"$build/sim/nivelon-sim" --help | grep -q -- '--slow' && slow=(--slow 1:40)
start_sim line --model ZT-33 --address 1 "${slow[@]}"
start_program true "$work/line"
echo "BENCH slow_sensor_found_seconds $(seconds_until line "$sim" replies 2 300)"
stop_run

# Readings per sensor of four polled sensors with detection on, then off (Ctrl+F).
start_sim line --model ZT-33 --address 1 --address 2 --address 3 --address 4
start_program true "$work/line"
seconds_until line "$sim" replies 8 120 >/dev/null
sleep "$settle"
rate() {
    local before after
    before=$(sim_total line "$sim" requests)
    sleep "$seconds"
    after=$(sim_total line "$sim" requests)
    calc "($after - $before) / $seconds / 4"
}
rate_on=$(rate)
window=$(xdotool search --onlyvisible --name '^Nivelon' | head -n 1)
xdotool windowfocus "$window"
sleep 0.5
xdotool key ctrl+f
sleep 2
rate_off=$(rate)
echo "measure-search: readings a second per sensor: detection on $rate_on, off $rate_off"
echo "BENCH detection_on_poll_ratio $(calc "$rate_on / $rate_off")"
stop_run

# The line goes away (the simulator stops and its link vanishes) and comes back
# under the same name.
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
for search in false true; do
    label=search_$([[ $search == true ]] && echo on || echo off)
    start_sim line --model ZT-33 --address 1
    start_program "$search" "$work/line" "$work/line"
    seconds_until line "$sim" replies 2 120 >/dev/null
    kill "$sim"
    wait "$sim" 2>/dev/null || true
    sleep 2
    cpu0=$(cpu_ticks "$program")
    sleep "$lost_seconds"
    cpu1=$(cpu_ticks "$program")
    echo "BENCH lost_line_cpu_percent_$label $(calc "100 * ($cpu1 - $cpu0) / $ticks / $lost_seconds")"
    start_sim line --model ZT-33 --address 1
    started=$(now)
    echo "BENCH line_return_to_poll_seconds_$label $(seconds_until line "$sim" requests 1 60)"
    stop_run
done
