#!/bin/bash
# Runs a command in a session of its own: a private X server and a private session bus.
# Usage: in-session.sh COMMAND...
set -euo pipefail
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
export DISPLAY=":$(head -n1 "$work/display")"
dbus-run-session -- "$@"
