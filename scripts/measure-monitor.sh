#!/usr/bin/env bash
# Checks the listen-only line monitor against the simulator playing a vehicle's tracker
# (three sensors a line, one run per protocol): the simulator prints every frame it put on
# the bus and which bytes its tap damaged, nivelon-cli monitor prints every exchange it
# decoded with its bytes, and the two are compared frame by frame.
#   ./scripts/measure-monitor.sh [CYCLES]
# CYCLES (default 15): poll cycles of 200 ms per run. Prints BENCH lines:
#   monitor_paired_ratio[_PROTOCOL]          exchanges paired / exchanges answered on the wire
#   monitor_batched_paired_ratio[_PROTOCOL]  the same with the tap in 16 ms batches
#   monitor_second_master_paired_ratio[_PROTOCOL]  the same with a second master's requests
#   monitor_false_frames[_PROTOCOL]          decoded frames that were not on the wire (2 % damaged)
#   monitor_intact_missed[_PROTOCOL]         undamaged frames not decoded (2 % damaged)
#   monitor_timeouts_made/_counted, monitor_exceptions_made/_counted   with faults on
#   monitor_detect_seconds[_PROTOCOL]        from the start of listening, no model given
# MONITOR_SEED (default 3) seeds the simulator's faults and tap damage; MONITOR_LINES
# (default "omnicomm modbus tbus") picks the protocols measured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
cycles=${1:-15}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target nivelon-sim nivelon-cli >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$build/sim/nivelon-sim" "$build/cli/nivelon-cli" "$work" "$cycles" <<'PYTHON'
import collections, json, os, subprocess, sys, time

sim, cli, work, cycles = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
period_ms = 200
seed = os.environ.get("MONITOR_SEED", "3")
chosen = os.environ.get("MONITOR_LINES", "omnicomm modbus tbus").split()
lines = [line for line in [("omnicomm", "ZT-33", [1, 2, 3]), ("modbus", "ZT-32", [1, 2, 3]),
                           ("tbus", "ZT-31", [10, 11, 12])] if line[0] in chosen]


def bench(name, value):
    print(f"BENCH {name} {value}", flush=True)


def start_sim(model, addresses, extra, tap):
    arguments = [sim, "--model", model, "--tracker", str(period_ms), "--tap", tap, "--seed", seed]
    for address in addresses:
        arguments += ["--address", str(address)]
    process = subprocess.Popen(arguments + extra, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
    process.stdout.readline()  # the tap's path
    return process


def sim_events(process):
    process.terminate()
    out, _ = process.communicate(timeout=10)
    return [json.loads(line) for line in out.splitlines() if line.startswith("{")]


def monitor(tap, model, seconds):
    arguments = [cli, "monitor", "--port", tap, "--seconds", str(seconds), "--json"]
    if model:
        arguments += ["--model", model]
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True, timeout=seconds + 30)
    records = [json.loads(line) for line in result.stdout.splitlines() if line.startswith("{")]
    return records, result.stderr


def hexed(text):
    return text.replace(" ", "").lower() if text else None


def run(name, model, addresses, extra):
    tap = os.path.join(work, name)
    process = start_sim(model, addresses,
                        extra + ["--tracker-wait", "--tracker-cycles", str(cycles)], tap)
    records, errors = monitor(tap, model, cycles * period_ms / 1000 + 1.5)
    events = sim_events(process)
    if not any(e["event"] == "end" for e in events):
        sys.exit(f"measure-monitor: {name}: the simulated tracker did not finish: {errors}")
    return events, [r for r in records if r.get("type") == "exchange"], \
        [r for r in records if r.get("type") == "summary"]


def answered_on_wire(events):
    """(request, reply) byte pairs of every exchange the tracker completed."""
    pairs = []
    for request, reply in zip(events, events[1:]):
        if request["event"] == "request" and reply["event"] in ("reply", "exception"):
            if "tapDamaged" not in request and "tapDamaged" not in reply:
                pairs.append((request["bytes"], reply["bytes"]))
    return pairs


def paired_ratio(events, exchanges):
    wire = answered_on_wire(events)
    heard = collections.Counter((hexed(x["request"]), hexed(x["reply"])) for x in exchanges
                                if x["request"] and x["reply"])
    paired = sum(min(count, heard[pair]) for pair, count in collections.Counter(wire).items())
    return paired / len(wire) if wire else 0.0


def frame_comparison(events, exchanges):
    intact = collections.Counter(e["bytes"] for e in events
                                 if "bytes" in e and "tapDamaged" not in e and e["event"] != "garbage")
    decoded = collections.Counter()
    for exchange in exchanges:
        for side in ("request", "reply"):
            if exchange.get(side):
                decoded[hexed(exchange[side])] += 1
    false = sum(max(0, count - intact[frame]) for frame, count in decoded.items())
    missed = sum(max(0, count - decoded[frame]) for frame, count in intact.items())
    return false, missed


results = collections.defaultdict(dict)
for name, model, addresses in lines:
    events, exchanges, _ = run(name, model, addresses, [])
    results["monitor_paired_ratio"][name] = paired_ratio(events, exchanges)
    events, exchanges, _ = run(name + "-batched", model, addresses, ["--tap-batch", "16"])
    results["monitor_batched_paired_ratio"][name] = paired_ratio(events, exchanges)
    events, exchanges, _ = run(name + "-second", model, addresses, ["--second-master", "700"])
    results["monitor_second_master_paired_ratio"][name] = paired_ratio(events, exchanges)
    events, exchanges, _ = run(name + "-damaged", model, addresses, ["--tap-corrupt", "0.02"])
    false, missed = frame_comparison(events, exchanges)
    results["monitor_false_frames"][name] = false
    results["monitor_intact_missed"][name] = missed
    damaged = sum(1 for e in events if "tapDamaged" in e)
    frames = sum(1 for e in events if "bytes" in e)
    print(f"# {name}: {damaged} of {frames} frames damaged on the tap", flush=True)

    faults = ["--fault-silence", "0.1"]
    if name == "modbus":
        faults += ["--exceptions", "0.1"]
    events, exchanges, summaries = run(name + "-faults", model, addresses, faults)
    for kind, field in (("timeout", "timeouts"), ("exception", "exceptions")):
        made = sum(1 for e in events if e["event"] == kind)
        counted = sum(s[field] for s in summaries)
        results[f"monitor_{field}_made"][name] = made
        results[f"monitor_{field}_counted"][name] = counted

for metric, per_line in results.items():
    for name, value in per_line.items():
        bench(f"{metric}_{name}", round(value, 4) if isinstance(value, float) else value)
    values = list(per_line.values())
    total = min(values) if "ratio" in metric else sum(values)
    bench(metric, round(total, 4) if isinstance(total, float) else total)

# Detection: the tracker already polls when the monitor starts, knowing no model.
slowest = 0.0
for name, model, addresses in lines:
    tap = os.path.join(work, name + "-hunt")
    process = start_sim(model, addresses, [], tap)
    started = time.monotonic()
    listener = subprocess.Popen([cli, "monitor", "--port", tap, "--seconds", "12"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    found, seconds = None, None
    for line in listener.stderr:
        if "the line speaks" in line:
            seconds = time.monotonic() - started
            found = line.strip().rsplit(" ", 1)[-1]
            listener.terminate()
            break
    listener.communicate(timeout=30)
    sim_events(process)
    if seconds is None:
        print(f"# {name}: the protocol was not found within 12 s", flush=True)
        seconds = 12.0
    else:
        print(f"# {name}: found {found}", flush=True)
    slowest = max(slowest, seconds)
    bench(f"monitor_detect_seconds_{name}", round(seconds, 2))
bench("monitor_detect_seconds", round(slowest, 2))
PYTHON
