#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DNIVELON_WERROR=ON
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
# A short run of each protocol fuzz target catches regressions in input handling.
"$root/scripts/fuzz.sh" "${NIVELON_FUZZ_SECONDS:-20}"
