#!/usr/bin/env bash
# Builds (optimised) and runs every benchmark; arguments go to each benchmark.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release
for bench in "$build"/bench/bench_*; do
    # CMake keeps generated sources in bench_*_autogen folders beside the programs.
    [[ -f "$bench" && -x "$bench" ]] || continue
    echo "== $(basename "$bench")"
    QT_QPA_PLATFORM=offscreen "$bench" "$@"
done
