#!/usr/bin/env bash
# A whole tank calibration against the simulator, hands off: the simulated tank
# is filled in steps, its surface swinging after each pour, and nivelon-cli tare
# records a row once the level has settled. Prints what tare says, then the
# table it wrote.
#   ./scripts/tare-demo.sh [POURS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pours=${1:-5}
build=${NIVELON_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"

work=$(mktemp -d)
sim_pid=
finish() {
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
mkfifo "$work/levels"
"$build/sim/nivelon-sim" --model ZT-33 --level 2 --commands --wobble 4:3 --link "$work/line" \
    <"$work/levels" >"$work/sim.log" 2>&1 &
sim_pid=$!
exec 3>"$work/levels"
for _ in $(seq 50); do
    [[ -e $work/line ]] && break
    sleep 0.1
done

coproc TARE { "$build/cli/nivelon-cli" tare --port "$work/line" --model ZT-33 --address 1 \
    --step 15 --settle 3 --out "$work/tank.csv" 2>&1; }
# Shows what tare says up to the line that starts with the text given.
show_until() {
    local line
    while IFS= read -r line <&"${TARE[0]}"; do
        echo "$line"
        [[ $line == "$1"* ]] && return
    done
}
echo 0 >&"${TARE[1]}"
show_until "Row 1:"
for row in $(seq 2 $((pours + 1))); do
    echo "pour 1 15" >&3
    echo + >&"${TARE[1]}"
    show_until "Row $row:"
done
echo >&"${TARE[1]}"
show_until "$((pours + 1)) rows written"
echo
cat "$work/tank.csv"
