#!/usr/bin/env bash
# Measures the fleet client against Debian's mosquitto on this machine, on a free
# local port in a folder of its own (never a broker the machine runs already).
#   ./scripts/measure-fleet.sh [CLIENTS [SECONDS]]      (defaults: 50 and 30)
# 1. Reliability: 200 records queued by one probe, one every 40 ms, while the broker
#    is stopped and started three times and the probe is killed (SIGKILL) once and
#    started again. A subscriber with a persistent session counts what arrives.
#    BENCH fleet_records_lost: records that never arrived.
#    BENCH fleet_records_duplicated: records that arrived more than once by their id
#      after the subscriber dropped ids it had seen (what a subscriber delivers).
#    BENCH fleet_records_redelivered: the same before that: records the broker
#      handed over twice (a kill or a lost connection before the acknowledgement).
# 2. Scale: CLIENTS probes, each publishing four sensors' readings once a second
#    (QoS 0) for SECONDS, to one broker, with one subscriber to them all.
#    BENCH fleet_client_cpu_us_per_message: a probe's CPU time per reading sent.
#    BENCH fleet_broker_messages_per_second: readings the subscriber got, a second.
#    BENCH fleet_broker_rate_held_percent: of the readings sent, those it got.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
clients=${1:-50}
seconds=${2:-30}
records=200
prefix=measure

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon-fleetprobe >/dev/null
probe=$build/bench/nivelon-fleetprobe

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [[ -n ${broker:-} ]] && kill "$broker" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
url=mqtt://127.0.0.1:$port
cat >"$work/mosquitto.conf" <<CONF
user $(id -un)
listener $port 127.0.0.1
allow_anonymous true
persistence true
persistence_location $work/
autosave_interval 1
max_queued_messages 100000
log_dest file $work/broker.log
CONF

start_broker() {
    : >"$work/broker.log"
    # Its warning about running as root goes to stderr; the log has the rest.
    mosquitto -c "$work/mosquitto.conf" 2>/dev/null &
    broker=$!
    for _ in $(seq 100); do
        grep -q " running" "$work/broker.log" && return 0
        sleep 0.1
    done
    echo "mosquitto did not start: $(cat "$work/broker.log")" >&2
    exit 1
}
stop_broker() {
    kill -TERM "$broker"
    wait "$broker" || true
    broker=
}

# --- 1. Records through stops, starts and a kill -----------------------------------
start_broker
mosquitto_sub -h 127.0.0.1 -p "$port" -c -i measure-subscriber -q 1 -t "$prefix/records/#" \
    >"$work/received" 2>/dev/null &
subscriber=$!
pids+=("$subscriber")
sleep 1
"$probe" records "$url" "$prefix" "$records" 40 "$work/state" 2>"$work/probe.err" &
publisher=$!
sleep 1.5; stop_broker
sleep 1; start_broker
sleep 1; kill -KILL "$publisher"; wait "$publisher" 2>/dev/null || true
echo "probe killed after record $(cat "$work/state" 2>/dev/null || echo 0)"
"$probe" records "$url" "$prefix" "$records" 40 "$work/state" 2>>"$work/probe.err" &
publisher=$!
pids+=("$publisher")
sleep 1; stop_broker
sleep 1; start_broker
sleep 1.5; stop_broker
sleep 1; start_broker
# The probe ends once the broker has every record.
for _ in $(seq 240); do
    kill -0 "$publisher" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$publisher" 2>/dev/null; then
    echo "the probe had not delivered everything after two minutes" >&2
fi
sleep 2
kill "$subscriber" 2>/dev/null || true
wait "$subscriber" 2>/dev/null || true

grep -o '"index":[0-9]*' "$work/received" | cut -d: -f2 | sort -n >"$work/indexes" || true
grep -o '"id":"[^"]*"' "$work/received" | sort >"$work/ids" || true
unique=$(sort -u "$work/indexes" | grep -c . || true)
inrange=$(sort -u "$work/indexes" | awk -v n="$records" '$1 >= 1 && $1 <= n' | grep -c . || true)
total=$(grep -c . "$work/indexes" || true)
unique_ids=$(sort -u "$work/ids" | grep -c . || true)
echo "records received: $total messages, $unique distinct records, $unique_ids distinct ids"
echo "BENCH fleet_records_lost $((records - inrange))"
echo "BENCH fleet_records_duplicated $((unique_ids - unique))"
echo "BENCH fleet_records_redelivered $((total - unique))"
stop_broker

# --- 2. Many clients' live readings ----------------------------------------------------
start_broker
mosquitto_sub -h 127.0.0.1 -p "$port" -q 0 -t "$prefix/live/#" >"$work/live" 2>/dev/null &
subscriber=$!
pids+=("$subscriber")
sleep 1
: >"$work/probes"
probes=()
for _ in $(seq "$clients"); do
    "$probe" live "$url" "$prefix" 4 "$seconds" >>"$work/probes" &
    probes+=($!)
done
for pid in "${probes[@]}"; do wait "$pid" || true; done
sleep 1
kill "$subscriber" 2>/dev/null || true
wait "$subscriber" 2>/dev/null || true
broker_cpu=$(awk '{print $14 + $15}' "/proc/$broker/stat")
stop_broker

received=$(grep -c . "$work/live" || true)
read -r cpu sent < <(awk '{cpu += $2; sent += $4} END {print cpu, sent}' "$work/probes")
echo "$clients clients, $sent readings sent in $seconds s, $received received"
echo "BENCH fleet_client_cpu_us_per_message $(awk -v c="$cpu" -v s="$sent" 'BEGIN {printf "%.0f", s ? c / s : 0}')"
echo "BENCH fleet_broker_messages_per_second $(awk -v r="$received" -v t="$seconds" 'BEGIN {printf "%.1f", r / t}')"
echo "BENCH fleet_broker_rate_held_percent $(awk -v r="$received" -v s="$sent" 'BEGIN {printf "%.1f", s ? 100 * r / s : 0}')"
echo "broker CPU over the run: $(awk -v t="$broker_cpu" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", t / hz}') s"
