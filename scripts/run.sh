#!/bin/bash
# Installs what is missing, builds, and starts the launcher (it lives in the tray).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quorvel -j"$(nproc)"
exec build/quorvel
