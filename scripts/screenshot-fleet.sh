#!/usr/bin/env bash
# Makes docs/screenshot-fleet-settings.png and docs/screenshot-fleet-library.png:
# the fleet server settings after a connection test, and the fleet's tank library,
# on an Xvfb display, against Debian's mosquitto started here on a free local port
# with two tank tables published by nivelon-cli. Settings live in a temporary folder.
#   ./scripts/screenshot-fleet.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon-fleetshots nivelon-cli >/dev/null

source "$root/scripts/lib/xsession.sh"
start_xvfb
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/mosquitto.conf" <<CONF
user $(id -un)
listener $port 127.0.0.1
allow_anonymous true
log_dest file $work/broker.log
CONF
mosquitto -c "$work/mosquitto.conf" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do
    grep -q " running" "$work/broker.log" 2>/dev/null && break
    sleep 0.1
done

mkdir -p "$XDG_CONFIG_HOME/Korinta"
cat >"$XDG_CONFIG_HOME/Korinta/Nivelon.conf" <<CONF
[Fleet]
Url=mqtt://127.0.0.1:$port
Prefix=acme-service
ClientName=laptop-kazan-3
User=installer7
CONF
printf 'Litres,RawLevel,Level\n0,120,1.2\n100,2300,22.5\n200,4400,43\n300,6400,62.5\n400,8300,81\n' >"$work/a.csv"
printf 'Litres,RawLevel,Level\n0,80,0.8\n60,3000,29.3\n120,5900,57.6\n180,8800,86\n' >"$work/b.csv"
"$build/cli/nivelon-cli" tank-library put "$work/a.csv" "MAN TGX 400 L" >/dev/null
"$build/cli/nivelon-cli" tank-library put "$work/b.csv" "KAMAZ 5490 side" >/dev/null
"$build/bench/nivelon-fleetshots" "$root/docs"
