#!/bin/bash
# The program on sway with waybar, headless: waybar's tray is a StatusNotifier host that draws
# the menu itself, and sway focuses a window as it appears but only marks an open one urgent.
# Run inside dbus-run-session.
# Usage: sway-e2e.sh QUORVEL_BINARY WAYLAND_INPUT ARTIFACT_DIR
set -euo pipefail

binary=$(readlink -f "$1")
input=$(readlink -f "$2")
artifacts=$3
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need sway swaymsg waybar grim foot convert iconv
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "run me inside dbus-run-session"; exit 1; }
shot() { grim "$artifacts/$1.png"; echo "     screenshot $artifacts/$1.png"; }
panel_picture() { grim -g '0,0 1024x40' "$work/panel.png"; }

# sway will not run as root: then the compositor alone runs as nobody, in a runtime folder of its
# own, and its clients reach it by the socket's path.
chmod 755 "$work"
mkdir -m 700 "$work/compositor" "$work/runtime"
as_compositor=()
if [ "$(id -u)" -eq 0 ]; then
    as_compositor=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$work/compositor"
fi
printf 'output HEADLESS-1 resolution 1024x768\nxwayland disable\n' > "$work/sway.conf"
env -u DISPLAY -u WAYLAND_DISPLAY WLR_BACKENDS=headless WLR_RENDERER=pixman \
    XDG_RUNTIME_DIR="$work/compositor" HOME="$work/compositor" \
    "${as_compositor[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
pids+=($!)
compositor_socket() { compgen -G "$work/compositor/$1" | head -n1; }
wait_for 10 compositor_socket 'sway-ipc.*.sock' >/dev/null || { cat "$work/sway.log"; exit 1; }
export WAYLAND_DISPLAY SWAYSOCK XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=wayland
WAYLAND_DISPLAY=$(compositor_socket 'wayland-[0-9]')
SWAYSOCK=$(compositor_socket 'sway-ipc.*.sock')
unset DISPLAY

focused() { # window title
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    return node.get("name") if node.get("focused") else next(
        (name for child in node["nodes"] + node["floating_nodes"] if (name := walk(child))), None)
sys.exit(walk(json.load(sys.stdin)) != sys.argv[1])' "$1"
}

mkdir -p "$work/wf"
# Started before the bar, as at a login where the bar comes up late.
start_with_recorder "$work/wf"
sleep 1
printf '{"position": "top", "height": 30, "modules-right": ["tray"]}' > "$work/waybar.json"
waybar -c "$work/waybar.json" >"$work/waybar.log" 2>&1 &
pids+=($!)

check "waybar's tray takes the item that waited for it, under its own name" \
    wait_for 15 item_listed
check "its icon shows in the bar" wait_for 10 shown_icon
read -r x y <<<"$(icon_at)"

"$input" click "$x" "$y"
sleep 1
shot sway-menu
# waybar's menu hangs from the bar beside the icon; its first row is 33 px from the top.
"$input" click $((x - 60)) 33
check "a click on the icon opens waybar's menu, which launches the entry in its folder" \
    wait_for 5 ran_in_folder "$work/wf"

foot >/dev/null 2>&1 &
pids+=($!)
check "another window has the focus" wait_for 5 focused foot
XDG_ACTIVATION_TOKEN=$("$input" token) "$app/quorvel"
check "a second start with a launcher's token opens the settings window, focused" \
    wait_for 5 focused 設定
swaymsg -q '[app_id=foot] focus'
"$app/quorvel"
check "one without a token brings it from behind the other window, focused" wait_for 5 focused 設定
shot sway-settings

floating() { # window title: floats, at its own size, in the middle of the 1024x768 output
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def floating(node):
    return [n for n in node["floating_nodes"] if n.get("name") == sys.argv[1]] + \
        [f for child in node["nodes"] for f in floating(child)]
found = floating(json.load(sys.stdin))
if not found:
    sys.exit(1)
rect, inside = found[0]["rect"], found[0]["window_rect"]  # with its border, and without
sys.exit((inside["width"], inside["height"]) != (560, 340) or
         abs(rect["x"] + rect["width"] / 2 - 512) > 4 or
         abs(rect["y"] + rect["height"] / 2 - 384) > 40)' "$1"
}
"$app/quorvel" --search
check "the search window opens focused, floating at its own size in the middle" \
    eval 'wait_for 5 focused ﾌﾟﾛｸﾞﾗﾑ検索 && floating ﾌﾟﾛｸﾞﾗﾑ検索'
shot sway-search

finish
