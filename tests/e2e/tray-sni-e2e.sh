#!/bin/bash
# The program on a desktop whose tray is a StatusNotifier host, as KDE Plasma and GNOME with
# the AppIndicator extension have: a watcher of our own on a private session bus stands in for
# the host. Under X11 (Xvfb) first, then natively under Wayland (weston, headless).
# Run inside dbus-run-session.
# Usage: tray-sni-e2e.sh QUORVEL_BINARY ARTIFACT_DIR
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb trayer xdotool xwininfo import iconv weston
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "run me inside dbus-run-session"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
client() { /usr/bin/python3 "$here/sni-client.py" "$@"; }
start_watcher() { /usr/bin/python3 "$here/sni-watcher.py" "$@" & watcher=$!; pids+=($watcher); }
registered() { [ -n "$(client item)" ]; }
unregistered() { ! registered; }

start_x
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"
record=$(recorder record)
app="$work/app"
install_program "$app" "$(catalogue ﾂｰﾙ 項目2 項目3 項目4 項目5 項目6 項目7 \
    "1,\"my_tool\",\"$record\",\"\"" '0,"Tom && Jerry","/bin/true",""' '0,"A&B","/bin/true",""')"

# --- a watcher that no host uses: the icon docks in the XEmbed tray ------------------------
start_trayer
/usr/bin/python3 "$here/sni-watcher.py" no-host & nohost=$!
pids+=($nohost)
wait_for 10 sh -c "'$here/sni-client.py' item >/dev/null 2>&1"
"$app/quorvel" 2>/dev/null &
xembed=$!
check "a watcher without a host leaves the icon in the XEmbed tray" wait_for 10 has_icon
check "and registers no item with it" unregistered
kill "$xembed" "$nohost" "$trayer_pid"
wait "$xembed" "$nohost" "$trayer_pid" 2>/dev/null || true

# --- started before the host, as at a login: the item registers once a host appears -------
"$app/quorvel" 2>"$work/quorvel.log" &
launcher=$!
pids+=($launcher)
sleep 1
start_watcher
check "the item registers once a host appears" wait_for 10 registered
check "under the program's unique bus name" item_listed
check "it is a menu, titled Quorvel" \
    test "$(client prop ItemIsMenu) $(client prop Title)" = "true 'Quorvel'"
expected="ﾂｰﾙ >
  my__tool
Tom & Jerry
A_B
-
設定
ﾊﾞｰｼﾞｮﾝ情報
-
終了"
check "the exported menu is the catalogue's, access keys and all" test "$(client layout)" = "$expected"

client click my__tool
check "a click on the desktop's menu starts the entry" wait_for 5 test -s "$work/record.out"

# --- an edit in the settings window updates the desktop's menu ----------------------------
client click 設定
check "設定 from the desktop's menu opens the settings window" wait_for 5 visible '^設定$'
sleep 0.5
client await-update 10 > "$work/update" &
updating=$!
wait_for 5 test -s "$work/update"
at 200 241; xdotool type --delay 20 'sni entry'
at 200 265; xdotool type --delay 20 /bin/true
at 388 72                                 # 追加
check "the edit is announced" wait "$updating"
in_menu() { client layout | grep -x "$1" >/dev/null; }
# Another change (an icon found) may have been announced first: the host reads again.
check "and the new entry is in the menu" wait_for 5 in_menu 'sni entry'
xdotool windowfocus --sync "$(window_named '^設定$')" key ctrl+w

# --- a host that calls Activate(x, y) gets the popup there, under X11 ---------------------
shown=$(windows_shown)
client activate 300 200
check "Activate(300, 200) shows the popup" wait_for 5 more_windows_than "$shown"
popup_at() {
    local w X Y
    for w in $(xdotool search --onlyvisible --class '^quorvel$'); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$X,$Y" = "300,200" ] && return 0
    done
    return 1
}
check "at that point" popup_at
shot popup-at-activate
xdotool key Escape

# --- KDE Plasma's tray draws the menu itself when Activate fails: it is made to fail --------
ln -s "$(readlink -f /usr/bin/python3)" "$work/plasmashell"
shown=$(windows_shown)
check "Activate from plasmashell is answered with an error" \
    sh -c "! '$work/plasmashell' '$here/sni-client.py' activate 300 200 2>/dev/null"
sleep 0.5
check "and opens no popup of ours" no_more_windows_than "$shown"

# --- a middle click on the item opens the search window ----------------------------------
client secondary 300 200
check "SecondaryActivate opens the search window" wait_for 5 visible '^ﾌﾟﾛｸﾞﾗﾑ検索$'
xdotool key Escape

# --- a second start opens the first one's settings window --------------------------------
second_status=0
timeout 10 "$app/quorvel" 2>/dev/null || second_status=$?
check "a second start ends at once" test "$second_status" = 0
check "and the first one shows its settings window" wait_for 5 visible '^設定$'
xdotool windowfocus --sync "$(window_named '^設定$')" key ctrl+w

# --- the host goes and comes back; the item goes with 終了 --------------------------------
kill "$watcher"
wait "$watcher" 2>/dev/null || true
start_watcher
check "the item comes back when the host does" wait_for 10 registered
kill "$watcher"
wait "$watcher" 2>/dev/null || true
start_watcher late
check "and when it comes back as GNOME's does, its name a second before the watcher itself" \
    wait_for 10 registered
check "having said once, at the start, that there was no tray" \
    test "$(grep -c 'トレイ' "$work/quorvel.log")" = 1
client click 終了
check "終了 from the desktop's menu ends the program" wait_for 5 stopped "$launcher"
check "and removes the item" wait_for 5 unregistered

# --- Wayland: the same item; windows as normal toplevels, never a stray popup -------------
weston --backend=headless-backend.so --socket=quorvel-wl --use-pixman --width=1024 \
    --height=768 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/quorvel-wl"
wayland="$work/wayland"
install_program "$wayland" "$(catalogue 項目1 項目2 項目3 項目4 項目5 項目6 項目7)"
# The desktop portal's global shortcuts, as KDE Plasma and GNOME 48 have them.
portal() { /usr/bin/python3 "$here/fake-portal.py" "$@"; }
portal_up() { portal bound >/dev/null 2>&1; }
/usr/bin/python3 "$here/fake-portal.py" & portal_pid=$!
pids+=($portal_pid)
wait_for 10 portal_up
env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=quorvel-wl WAYLAND_DEBUG=client \
    "$wayland/quorvel" 2>"$work/wayland.log" &
wayland_pid=$!
pids+=($wayland_pid)
check "under Wayland the item registers" wait_for 15 registered
client activate 10 10
toplevel_titled() { grep -q "xdg_toplevel@[0-9]*\.set_title(\"$1\")" "$work/wayland.log"; }
check "Activate opens the settings window, which the compositor places" \
    wait_for 10 toplevel_titled 設定
check "and no popup stands anywhere as a window" sh -c "! grep -q 'get_popup' '$work/wayland.log'"
bound() { [ "$(portal bound)" = "Quorvel:search=CTRL+ALT+space" ]; }
check "the hotkey is bound through the portal" wait_for 10 bound
portal activate search token-1
check "and the portal's Activated opens the search window" \
    wait_for 10 toplevel_titled ﾌﾟﾛｸﾞﾗﾑ検索
client click ﾊﾞｰｼﾞｮﾝ情報
check "a click on the desktop's menu opens the version dialog" \
    wait_for 10 toplevel_titled 'Quorvelのﾊﾞｰｼﾞｮﾝ情報'
client click 終了
check "and 終了 ends the program" wait_for 5 stopped "$wayland_pid"

# KDE Plasma 5.27's portal binds what the session is made with, under the session's name, and
# opens its settings page when asked to bind: a binding a user changed there is found again
# only under the same name, and the page must not open at every start.
kill "$portal_pid"
wait "$portal_pid" 2>/dev/null || true
/usr/bin/python3 "$here/fake-portal.py" plasma5 & pids+=($!)
wait_for 10 portal_up
env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=quorvel-wl WAYLAND_DEBUG=client \
    "$wayland/quorvel" 2>"$work/wayland.log" &
wayland_pid=$!
pids+=($wayland_pid)
check "on Plasma 5.27 the hotkey is bound as the session is made, under the program's name" \
    wait_for 15 bound
sleep 1
check "and its settings page is not opened" bound
portal activate search token-2
check "and the portal's Activated opens the search window" \
    wait_for 10 toplevel_titled ﾌﾟﾛｸﾞﾗﾑ検索

finish
