#!/usr/bin/env bash
# Builds the Debian packages in build-package/ (or $NIVELON_PACKAGE_DIR) from an
# optimised build, installed with `cmake --install` by CPack, their dependencies read
# from the binaries: nivelon_<version>_amd64.deb, the window, and
# nivelon-cli_<version>_amd64.deb, the command-line tool and the simulator without
# any GUI library. The first depends on the second.
#   ./scripts/package.sh
#   sudo apt-get install ./build-package/nivelon-cli_*_amd64.deb ./build-package/nivelon_*_amd64.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIVELON_PACKAGE_DIR:-$root/build-package}

"$root/scripts/install-deps.sh"
# dpkg-shlibdeps computes the dependencies; it lives in dpkg-dev.
if ! command -v dpkg-shlibdeps >/dev/null; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends dpkg-dev
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNIVELON_TESTS=OFF -DNIVELON_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack >/dev/null)
ls "$build"/nivelon_*_amd64.deb "$build"/nivelon-cli_*_amd64.deb
