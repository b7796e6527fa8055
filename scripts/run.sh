#!/bin/bash
# Installs what is missing, builds, installs Quorvel for this user under ~/.local and starts it
# (it lives in the tray; this terminal stays with it until 終了). The catalogue is kept in
# ~/.config/quorvel/launch.cfg, so it survives a rebuild and the removal of the build folders.
# Usage: scripts/run.sh               build, install and start
#        scripts/run.sh --uninstall   remove what it installed (your list stays)
set -euo pipefail
cd "$(dirname "$0")/.."
prefix="$HOME/.local"
# Kept with the installed files, not in a build folder that may be deleted.
manifest="$prefix/share/quorvel/install-manifest.txt"

if [ "${1:-}" = --uninstall ]; then
    [ -f "$manifest" ] || { echo "Nothing to remove: $manifest is not there."; exit 0; }
    while IFS= read -r file; do rm -f -- "$file"; done <"$manifest"
    rm -f -- "$manifest"
    rmdir --ignore-fail-on-non-empty "$(dirname "$manifest")" 2>/dev/null || true
    echo "Removed Quorvel from $prefix; your list in ~/.config/quorvel stays."
    exit 0
fi

scripts/install-deps.sh run
cmake -S . -B build-install -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build build-install -j"$(nproc)"
cmake --install build-install --strip >/dev/null
mkdir -p "$(dirname "$manifest")"
cp build-install/install_manifest.txt "$manifest"
echo "$manifest" >>"$manifest"
echo "Quorvel runs in the tray; 終了 in its menu ends it. Remove it with: scripts/run.sh --uninstall"
exec "$prefix/bin/quorvel"
