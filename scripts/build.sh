#!/usr/bin/env bash
# Configures and builds Nivelon into build/ (or $NIVELON_BUILD_DIR).
# Extra arguments go to the CMake configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
# ccache, where present, lets several checkouts of the tree share compiled objects.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
