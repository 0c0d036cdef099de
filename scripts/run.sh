#!/usr/bin/env bash
# Installs what is missing, builds and starts Nivelon. Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
echo "Built $build/src/nivelon. The main window is not there yet: nothing to start."
