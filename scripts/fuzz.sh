#!/usr/bin/env bash
# Builds the protocol fuzz targets (clang, libFuzzer, address and undefined
# behaviour sanitizers) and runs each for the given number of seconds (default
# 60), printing executions and findings. Exits non-zero when anything was found;
# the inputs that broke something are kept under <build>/findings/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}

"$root/scripts/install-deps.sh"
command -v clang++-14 >/dev/null || {
    echo "Missing clang++-14 (Debian package clang-14): run ./scripts/install-deps.sh" >&2
    exit 1
}
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNIVELON_FUZZ=ON -DNIVELON_TESTS=OFF -DNIVELON_BENCHMARKS=OFF -DNIVELON_SIMULATOR=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_omnicomm fuzz_modbus fuzz_tbus \
    fuzz_monitor_omnicomm fuzz_monitor_modbus fuzz_monitor_tbus

# Seeds are hex lines, one program each; '#' starts a comment.
write_seeds() {
    local list=$1 corpus=$2 n=0 line
    while IFS= read -r line; do
        line=${line%%#*}
        line=${line//[[:space:]]/}
        [[ -z "$line" ]] && continue
        printf '%b' "$(sed 's/../\\x&/g' <<<"$line")" >"$corpus/seed-$n"
        n=$((n + 1))
    done <"$list"
}

status=0
for target in omnicomm modbus tbus monitor_omnicomm monitor_modbus monitor_tbus; do
    corpus=$build/corpus/$target
    findings=$build/findings/$target
    mkdir -p "$corpus" "$findings"
    write_seeds "$root/fuzz/seeds/$target.txt" "$corpus"
    log=$build/fuzz-$target.log
    set +e
    QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1
    result=$?
    set -e
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    rate=$(grep -m1 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
    found=$(find "$findings" -type f | wc -l)
    echo "fuzz_$target: ${runs:-?} executions (${rate:-?}/s) in ${seconds}s, $found finding(s)"
    if [[ $result -ne 0 || $found -ne 0 ]]; then
        grep -E 'fuzz check failed|ERROR:|runtime error|SUMMARY' "$log" | head -n 5 || true
        status=1
    fi
done
exit $status
