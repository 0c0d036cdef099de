#!/usr/bin/env bash
# Soak through faults: the program built with the address and undefined-behaviour
# sanitizers polls a simulated line of four sensors for MINUTES per model, first
# Omnicomm (ZT-33), then ModBus (ZT-32), each under Xvfb, while the simulator
# injects 5 % of each of its faults. Every two minutes the line vanishes as an
# unplugged adapter does (the simulator stops, its link goes) and returns 10
# seconds later. It checks that after each return every sensor is polled again
# (the time that takes is the recovery), that no sanitizer reports an error, that
# the window still closes on Ctrl+Q, that at the end no sensor is left unpolled, and
# that no leak found at exit is ours: soak-leaks.sh tells them from the platform's
# (Qt's plugins, D-Bus, Mesa, the X libraries), which are listed but do not fail.
# The longest recovery is printed as a BENCH line; "inf" when a sensor never came back.
#   ./scripts/soak.sh [MINUTES]          (default 10; about 21 minutes in all)
# Builds into build-asan/ (or $NIVELON_ASAN_BUILD_DIR); logs stay in $SOAK_LOGS
# (default build-asan/soak). Leak stacks come from the sanitizer's fast unwinder;
# SOAK_WHOLE_STACKS=1 unwinds every allocation fully, so that a leak whose stack was
# cut off inside Qt can be placed. That costs the program about seven times the CPU,
# enough on a busy machine to make it miss replies and fail the polling checks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_ASAN_BUILD_DIR:-$root/build-asan}
minutes=${1:-10}
unplug_every=120
unplugged_for=10
recovery_limit=60
sanitizer_status=23
addresses=(1 2 3 4)
faults=(--fault-crc 0.05 --fault-silence 0.05 --fault-garbage 0.05 --fault-wrong-address 0.05
    --fault-late 0.05)

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DNIVELON_ASAN=ON -DNIVELON_TESTS=OFF \
    -DNIVELON_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target nivelon nivelon-sim nivelon_keep_loaded >/dev/null

logs=${SOAK_LOGS:-$build/soak}
rm -rf "$logs"
mkdir -p "$logs"
source "$root/scripts/lib/xsession.sh"
# The leak classification reads the module of every frame.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=$sanitizer_status"
ASAN_OPTIONS+=":stack_trace_format='    #%n %p %F %L {%m}'"
stacks=(--fast-stacks)
if [[ ${SOAK_WHOLE_STACKS:-0} == 1 ]]; then
    ASAN_OPTIONS+=:fast_unwind_on_malloc=0
    stacks=()
fi
export UBSAN_OPTIONS=print_stacktrace=1
# Libraries the platform closes again keep their names in the report at exit, and the
# memory their globals still point to is not taken for a leak.
keep_loaded="$(ldd "$build/src/nivelon" | awk '/libasan/ {print $3}') $build/libnivelon_keep_loaded.so"

start_xvfb

failures=0
fail() {
    echo "soak: FAILED: $*"
    failures=$((failures + 1))
}
now() { date +%s.%N; }
elapsed() { awk "BEGIN {printf \"%.1f\", $(now) - $1}"; }

# start_line MODEL SEED: a fresh simulator on the link; its counters start at zero.
start_line() {
    "$build/sim/nivelon-sim" --model "$1" --seed "$2" "${faults[@]}" \
        "${addresses[@]/#/--address=}" --link "$work/line" >>"$log_prefix.sim.log" 2>&1 &
    sim=$!
    pids+=("$sim")
    for _ in $(seq 100); do
        [[ -e $work/line ]] && return 0
        sleep 0.05
    done
    fail "the simulator did not start"
    return 1
}
stop_line() {
    kill "$sim"
    wait "$sim" 2>/dev/null || true
    rm -f "$work/line"
}
# Prints the current simulator's request count per sensor, one a line.
sim_requests() {
    local before
    before=$(wc -l <"$log_prefix.sim.log")
    kill -USR1 "$sim"
    for _ in $(seq 50); do
        (($(wc -l <"$log_prefix.sim.log") >= before + ${#addresses[@]})) && break
        sleep 0.02
    done
    tail -n +"$((before + 1))" "$log_prefix.sim.log" | sed -n 's/^sensor.*requests=\([0-9]*\).*/\1/p'
}
all_polled() {
    local counts
    counts=$(sim_requests)
    [[ $(wc -l <<<"$counts") -eq ${#addresses[@]} ]] && ! grep -qx 0 <<<"$counts"
}
# Seconds until every sensor of the current simulator has been asked something.
wait_all_polled() {
    local start=$1
    while ! all_polled; do
        if awk "BEGIN {exit !($(now) - $start > $recovery_limit)}"; then
            echo "never"
            return
        fi
        sleep 0.2
    done
    elapsed "$start"
}

recovery_max=0
# soak_model MODEL BUSTYPE-ROW NAME
soak_model() {
    local model=$1 row=$2 name=$3 seed=1 config=$work/$3/Korinta/Nivelon.conf
    log_prefix=$logs/$name
    mkdir -p "$(dirname "$config")"
    printf '[General]\nBusType=%s\n\n[SerialPort]\nAutoDetectAddress=true\nAutoDetectPort=true\nUsedPort=%s\n' \
        "$row" "$work/line" >"$config"
    start_line "$model" "$seed" || return
    local started
    started=$(now)
    LD_PRELOAD=$keep_loaded XDG_CONFIG_HOME=$work/$name NIVELON_PORTS=$work/line "$build/src/nivelon" \
        >"$log_prefix.nivelon.log" 2>&1 &
    program=$!
    pids+=("$program")
    echo "soak: $name: first poll of every sensor after $(wait_all_polled "$started") s"
    local end=$(($(date +%s) + minutes * 60)) next=$(($(date +%s) + unplug_every))
    while (($(date +%s) < end)); do
        sleep 1
        kill -0 "$program" 2>/dev/null || { fail "$name: the program has ended"; return; }
        (($(date +%s) >= next)) || continue
        stop_line
        sleep "$unplugged_for"
        seed=$((seed + 1))
        start_line "$model" "$seed" || return
        started=$(now)
        local recovery
        recovery=$(wait_all_polled "$started")
        echo "soak: $name: line back after ${unplugged_for} s away; every sensor polled after $recovery s"
        if [[ $recovery == never ]]; then
            fail "$name: a sensor was not polled within $recovery_limit s of the line's return"
            recovery_max=inf
        elif [[ $recovery_max != inf ]] && awk "BEGIN {exit !($recovery > $recovery_max)}"; then
            recovery_max=$recovery
        fi
        next=$(($(date +%s) + unplug_every))
    done
    # Every sensor still polled: each count grows over the last ten seconds.
    local before after
    before=$(sim_requests)
    sleep 10
    after=$(sim_requests)
    paste <(echo "$before") <(echo "$after") | awk -v n="$name" \
        '$2 <= $1 {print "soak: FAILED: " n ": sensor " NR " is no longer polled"; bad = 1} END {exit bad}' ||
        failures=$((failures + 1))
    local window
    window=$(xdotool search --name '^Nivelon [0-9.]+$' | head -1)
    if [[ -z $window ]]; then
        fail "$name: no main window"
    else
        xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
    fi
    local status=0
    timeout 30 tail --pid="$program" -f /dev/null || fail "$name: the window did not close on Ctrl+Q"
    wait "$program" || status=$?
    # The sanitizer's status only says that leaks were found; whose they are is below.
    ((status == 0 || status == sanitizer_status)) || fail "$name: the program exited with status $status"
    stop_line
    sed -n 's/^sensor/    sensor/p' "$log_prefix.sim.log" | tail -n "${#addresses[@]}"
    if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$log_prefix.nivelon.log"; then
        fail "$name: sanitizer reports in $log_prefix.nivelon.log"
        grep -E -A12 'ERROR: AddressSanitizer|runtime error:' "$log_prefix.nivelon.log" | head -40
    fi
    if grep -q 'ERROR: LeakSanitizer' "$log_prefix.nivelon.log"; then
        echo "soak: $name: leaks at exit:"
        "$root/scripts/soak-leaks.sh" "${stacks[@]}" "$log_prefix.nivelon.log" "$root" "$build" |
            sed 's/^/    /' ||
            fail "$name: leaks in our code; their stacks are in $log_prefix.nivelon.log"
    fi
}

soak_model ZT-33 2 omnicomm
soak_model ZT-32 1 modbus
echo "BENCH recovery_seconds_max $recovery_max"
if ((failures > 0)); then
    echo "soak: $failures check(s) failed; logs in $logs"
    exit 1
fi
echo "soak: passed; logs in $logs"
