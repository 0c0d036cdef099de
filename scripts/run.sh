#!/usr/bin/env bash
# Installs what is missing, builds and starts Nivelon. Arguments go to the program
# ("-g" diagnostic log, "-t" Omnicomm service controls).
#
# With --demo it also starts three simulated sensor lines (Omnicomm: three sensors,
# the third sending by itself; ModBus: two; TBus: one) and runs on settings of its
# own in build/demo (or $NIVELON_DEMO_DIR), never the user's. The first demo start chooses the Omnicomm
# model and its line, so sensors show within seconds. The simulators stop when the
# program exits, however it exits, and print what each sensor was asked.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}

demo=false
args=()
for arg in "$@"; do
    if [[ $arg == --demo ]]; then demo=true; else args+=("$arg"); fi
done

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
program=$build/src/nivelon
$demo || exec "$program" "${args[@]}"

demo_dir=${NIVELON_DEMO_DIR:-$build/demo}
config=$demo_dir/config/Korinta/Nivelon.conf
mkdir -p "$(dirname "$config")"
sim_pids=()
sim_names=()

stop_simulators() {
    local i
    for i in "${!sim_pids[@]}"; do
        kill "${sim_pids[$i]}" 2>/dev/null || true
        wait "${sim_pids[$i]}" 2>/dev/null || true
        echo "${sim_names[$i]} line:"
        sed -n 's/^sensor/    sensor/p' "$demo_dir/${sim_names[$i]}.log"
    done
}
trap stop_simulators EXIT
trap 'exit 130' INT TERM HUP

# start_line NAME SIMULATOR-ARGUMENTS...: a simulated line linked at build/demo/NAME.
start_line() {
    local name=$1 link=$demo_dir/$1
    shift
    rm -f "$link"
    "$build/sim/nivelon-sim" --link "$link" "$@" >"$demo_dir/$name.log" 2>&1 &
    sim_pids+=($!)
    sim_names+=("$name")
    for _ in $(seq 50); do
        [[ -e $link ]] && return 0
        sleep 0.1
    done
    echo "The $name simulator did not start; see $demo_dir/$name.log" >&2
    exit 1
}

start_line omnicomm --model ZT-34 --address 1 --address 2 --autonomous 3
start_line modbus --model ZT-32 --address 1 --address 2
start_line tbus --model ZT-35 --address 10

if [[ ! -e $config ]]; then
    # ZT-34 is row 3 of the model table: Omnicomm over RS-232, with autonomous mode.
    cat >"$config" <<EOF
[General]
BusType=3

[SerialPort]
AutoDetectAddress=true
AutoDetectPort=true
UsedPort=$demo_dir/omnicomm
EOF
fi

echo "Demo lines: $demo_dir/omnicomm (ZT-34), $demo_dir/modbus (ZT-32), $demo_dir/tbus (ZT-35)"
export NIVELON_PORTS=$demo_dir/omnicomm:$demo_dir/modbus:$demo_dir/tbus
export XDG_CONFIG_HOME=$demo_dir/config
"$program" "${args[@]}"
