#!/usr/bin/env bash
# The fit of a computed tank table to three pours, as BENCH lines: a horizontal
# cylinder 5 % wider and 5 % shorter than drawn, the nominal table's largest
# error and the fitted one's, in percent of the tank's volume. bench.sh runs the
# same benchmark with the others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
cmake --build "$build" -j "$(nproc)" --target bench_tankfit >/dev/null
"$build/bench/bench_tankfit"
