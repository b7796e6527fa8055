#!/bin/bash
# The program on MATE's panel and window manager under Xvfb: the panel takes the item, and on
# a left click asks the item to show its menu with Activate(0, 25), not knowing where its icon
# is. The menu must open beside the icon, below the panel, also under a window manager that
# leaves the panel in the work area (xfwm4 does). Run inside dbus-run-session.
# Usage: mate-e2e.sh QUORVEL_BINARY ARTIFACT_DIR [WINDOW_MANAGER]
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
wm=${3:-marco}
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb mate-panel "$wm" xdotool import iconv
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "run me inside dbus-run-session"; exit 1; }

start_x
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
mkdir -m 700 "$work/runtime"
mkdir -p "$HOME"
# The panel's applets are started by the bus: they need the display too.
dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR HOME
"$wm" >"$work/wm.log" 2>&1 &
pids+=($!)
mate-panel >"$work/panel.log" 2>&1 &
pids+=($!)
# Where the top panel ends: marco takes it out of the work area, xfwm4 leaves it in.
top_panel_bottom() {
    local w X Y WIDTH HEIGHT
    for w in $(xdotool search --onlyvisible --class '^mate-panel$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$Y" = 0 ] && [ "$WIDTH" -gt "$HEIGHT" ] && { echo $((Y + HEIGHT)); return 0; }
    done
    return 1
}
wait_for 20 top_panel_bottom >/dev/null || true

start_with_recorder ""

check "MATE's tray takes the item" wait_for 20 item_listed
check "its icon shows in the panel" wait_for 10 shown_icon
read -r x y <<<"$(icon_at)"
top=$(top_panel_bottom || echo 0)

before=$(windows_shown)
xdotool mousemove "$x" "$y" click 1
check "a left click opens the menu" wait_for 5 more_windows_than "$before"
sleep 0.3
shot "mate-menu-$wm"
menu_beside_icon() { # just below the panel, next to the icon, not at the screen's corner
    local w X Y WIDTH HEIGHT
    for w in $(xdotool search --onlyvisible --class '^quorvel$'); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -gt 60 ] || continue  # the tray icon itself
        [ "$top" -gt 0 ] && [ "$Y" -ge "$top" ] && [ "$Y" -lt $((top + 10)) ] &&
            [ $((X + WIDTH)) -ge $((x - 40)) ] && [ "$X" -le $((x + 40)) ] && return 0
    done
    return 1
}
check "beside the icon and below the panel, not at the corner" menu_beside_icon
xdotool key Down Return
check "and launches the entry" wait_for 5 test -f "$work/record.out"

finish
