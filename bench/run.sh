#!/bin/bash
# Builds Quorvel and the floor (a bare Qt tray program) in Release, then measures both under a
# private X server with a tray host; see measure.py. Exits 1 when a figure misses its target.
# Usage: bench/run.sh [--rounds N] [--display N] | --long-run
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON -DBUILD_TESTING=OFF \
    >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorvel baretray catalogueio searchkeys readings applications longrun >/dev/null
exec /usr/bin/python3 bench/measure.py --build build-bench "$@"
