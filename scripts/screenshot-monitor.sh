#!/usr/bin/env bash
# Makes docs/screenshot-monitor.png: the window watching a simulated tracker's ModBus
# line with three sensors (listen only), with the line-data dock of diagnostic mode, under Xvfb, from first-start settings in a
# temporary folder.
#   ./scripts/screenshot-monitor.sh [SECONDS-OF-WATCHING]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
seconds=${1:-25}
output=$root/docs/screenshot-monitor.png

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon nivelon-sim >/dev/null
source "$root/scripts/lib/xsession.sh"
start_xvfb

"$build/sim/nivelon-sim" --model ZT-32 --address 1 --address 2 --address 3 --tracker 250 \
    --tap "$work/tracker" --exceptions 0.05 --fault-silence 0.03 --seed 5 \
    >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [[ -e $work/tracker ]] && break
    sleep 0.1
done
mkdir -p "$work/config/Korinta"
cat >"$work/config/Korinta/Nivelon.conf" <<CONF
[General]
BusType=1

[SerialPort]
UsedPort=$work/tracker
AutoDetectPort=false
CONF
XDG_CONFIG_HOME=$work/config NIVELON_PORTS=$work/tracker LANG=en_GB.UTF-8 \
    "$build/src/nivelon" -g >"$work/nivelon.log" 2>&1 &
pids+=($!)
window=$(timeout 60 xdotool search --sync --name '^Nivelon 1' | head -1)
xdotool windowsize "$window" 1270 790
xdotool windowmove "$window" 0 0
xdotool windowfocus --sync "$window"
sleep 2
# File menu: Start, then the watch mode.
xdotool mousemove --window "$window" 20 10 click 1
sleep 1
# Its second item: the menus are not drawn into a grab here, but they take clicks.
xdotool mousemove 60 59 click 1
sleep "$seconds"
mkdir -p "$(dirname "$output")"
xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$output"
echo "Wrote $output"
