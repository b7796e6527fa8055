#!/bin/bash
# Installs what is missing, builds, installs Quorvel for this user under ~/.local and starts it
# (it lives in the tray). The catalogue is kept in ~/.config/quorvel/launch.cfg, so it survives
# a rebuild and the removal of the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build-install -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX="$HOME/.local" >/dev/null
cmake --build build-install -j"$(nproc)"
cmake --install build-install >/dev/null
exec "$HOME/.local/bin/quorvel"
