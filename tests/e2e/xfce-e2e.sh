#!/bin/bash
# The program on a real desktop shell: Xfce's panel (whose tray is a StatusNotifier host and
# draws the menu itself) and window manager under Xvfb, on a session bus of its own.
# Run inside dbus-run-session.
# Usage: xfce-e2e.sh QUORVEL_BINARY ARTIFACT_DIR
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb xfce4-panel xfwm4 xdotool import iconv
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "run me inside dbus-run-session"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
client() { /usr/bin/python3 "$here/sni-client.py" "$@"; }

start_x
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$work/runtime"
# The panel as a new user gets it: Xfce's default layout, its tray at the top right.
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
cp /etc/xdg/xfce4/panel/default.xml "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml"
xfwm4 --compositor=off >"$work/xfwm4.log" 2>&1 &
pids+=($!)
xfce4-panel >"$work/panel.log" 2>&1 &
pids+=($!)

renamed=$(recorder renamed)
export PATH="$work/bin:$PATH"
mkdir -p "$work/wf"
start_with_recorder "$work/wf"

check "Xfce's tray takes the item, under the program's unique name" wait_for 15 item_listed
check "its icon shows in the panel" wait_for 10 shown_icon
read -r x y <<<"$(icon_at)"

xdotool mousemove "$x" "$y" click 1
sleep 1
shot xfce-menu
xdotool key Down Return
check "a click on the icon opens Xfce's menu, which launches the entry in its folder" \
    wait_for 5 ran_in_folder "$work/wf"

# An outside edit of the list reaches the menu the panel draws.
printf '%s' "$(catalogue 項目1 項目2 項目3 項目4 項目5 項目6 項目7 "0,\"記録2\",\"$renamed\",\"\"")" |
    iconv -f UTF-8 -t CP932 > "$app/launch.cfg.new" && mv "$app/launch.cfg.new" "$app/launch.cfg"
in_menu() { client layout | grep -qx "$1"; }
check "an edit is in the exported menu" wait_for 5 in_menu 記録2
xdotool mousemove "$x" "$y" click 1
sleep 1
xdotool key Down Return
check "and in the menu Xfce draws" wait_for 5 test -f "$work/renamed.out"

# The keyboard's way in, with Xfce's window manager deciding the focus.
search_focused() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = ﾌﾟﾛｸﾞﾗﾑ検索 ]; }
hotkey() {
    local attempt
    for attempt in 1 2 3 4 5; do
        xdotool key ctrl+alt+space
        wait_for 2 search_focused && return 0
    done
    return 1
}
check "the hotkey opens the search window, focused" hotkey
shot xfce-search
xdotool key Escape

settings_focused() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = 設定 ]; }
"$app/quorvel"
check "a second start brings the settings window to the front, focused" wait_for 5 settings_focused
shot xfce-settings

finish
