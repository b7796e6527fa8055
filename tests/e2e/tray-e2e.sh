#!/bin/bash
# Runs the real program as a user would: a private X server, a tray host, the program copied
# into a folder of its own, and clicks and keys on its tray icon, menus and windows.
# Usage: tray-e2e.sh QUORVEL_BINARY ARTIFACT_DIR [SCREENSHOT_DIR]
# Screenshots are left in ARTIFACT_DIR; the popup and the settings window, cut out, also in
# SCREENSHOT_DIR when given (the README shows them).
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
screenshots=${3:-}
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb trayer xdotool xwininfo xprop import iconv fc-list
[ -n "$(fc-list :lang=ja)" ] || { echo "no Japanese font installed"; exit 1; }

start_x
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

# --- the program in a folder of its own, with a prepared catalogue ----------------------
app="$work/app"
mkdir -p "$work/wf ﾌｫﾙﾀﾞ" "$work/docs"
echo memo > "$work/docs/memo.txt"
record=$(recorder record)
added=$(recorder added)
opener=$(recorder xdg-open)  # the desktop's opener of documents, a stand-in
export PATH="$work/bin:$PATH"
install_program "$app" "$(catalogue ﾂｰﾙ 項目2 項目3 項目4 項目5 項目6 書類 \
    "1,\"記録ｽｸﾘﾌﾟﾄ\",\"$record one ｱｰｸﾞ\",\"$work/wf ﾌｫﾙﾀﾞ\"" '0,"ﾒﾓ帳","/bin/true",""' \
    "7,\"ﾌｫﾙﾀﾞ\",\"$work/docs\",\"\"" "7,\"ﾒﾓ\",\"memo.txt\",\"$work/docs\"")"
# The recorder's desktop entry gives it the program's own icon in the popup.
export XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_DATA_HOME/applications"
printf '[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%U\nIcon=%s\n' "$record" \
    "$(cd "$(dirname "$0")/../.." && pwd)/resources/icons/hicolor/32x32/apps/org.quorvel.Quorvel.png" \
    > "$XDG_DATA_HOME/applications/recorder.desktop"

click_icon() { # button; returns once the popup is up, since keys sent before it would be lost
    local icon X Y WIDTH HEIGHT before
    if ! wait_for 5 has_icon; then
        echo "FAIL - no tray icon to click$(running "$launcher" || echo ': the program has ended')"
        exit 1
    fi
    icon=$(tray_icons | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    before=$(windows_shown)
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click "$1"
    wait_for 5 more_windows_than "$before"
    sleep 0.3
}

# --- started before any tray, as at a login: it says so once, and docks when one comes ----
"$app/quorvel" 2>"$work/quorvel.log" &
launcher=$!
pids+=($launcher)
told() { [ "$(grep -c 'トレイ' "$work/quorvel.log")" = 1 ]; }
check "without a tray it says so on stderr, once" wait_for 10 told
start_trayer
check "the tray icon appears once a tray does" wait_for 15 has_icon
kill "$trayer_pid"
wait "$trayer_pid" 2>/dev/null || true
no_icon() { ! has_icon; }
check "the icon leaves with the tray" wait_for 5 no_icon
start_trayer
check "and comes back when the tray starts again" wait_for 15 has_icon
check "having said nothing more" told
import -window "$(tray_icons | head -n1)" "$work/icon.png"
check "the tray icon shows its picture" test "$(convert "$work/icon.png" -format %k info:)" -gt 8

# --- launching from the popup -------------------------------------------------------------
click_icon 1
shot popup
popup_windows=$(windows_shown)
xdotool key Down Right
wait_for 5 more_windows_than "$popup_windows"
sleep 0.3
shot popup-submenu
menus() { # the visible windows but the tray icon: the popup and its submenu
    local w icons
    icons=$(tray_icons)
    for w in $(xdotool search --onlyvisible --class '^quorvel$'); do
        grep -qx "$w" <<<"$icons" || echo "$w"
    done
}
keep "$screenshots" popup $(menus)
xdotool key Return
check "the chosen entry ran" wait_for 5 test -s "$work/record.out"
no_zombies() { ! ps --ppid "$launcher" -o stat= | grep -q Z; }
check "the launcher leaves no zombie behind" no_zombies
check "in its working folder, with its arguments" \
    test "$(cat "$work/record.out")" = "$(printf '%s\n[one]\n[ｱｰｸﾞ]' "$work/wf ﾌｫﾙﾀﾞ")"

# --- a second start ends at once and leaves everything alone --------------------------------
before=$(md5sum < "$app/launch.cfg")
second_status=0
timeout 10 "$app/quorvel" 2>/dev/null || second_status=$?
check "a second instance ends at once, quietly" test "$second_status" = 0
check "and leaves the file untouched" test "$(md5sum < "$app/launch.cfg")" = "$before"
check "the first one opens its settings window" wait_for 5 visible '^設定$'
xdotool windowfocus --sync "$(window_named '^設定$')" key ctrl+w
wait_for 5 gone '^設定$'
cp "$binary" "$app/quorvel2"
second_status=0
timeout 10 "$app/quorvel2" 2>/dev/null || second_status=$?
check "so does another program beside it: one writer per catalogue" test "$second_status" = 0
check "one tray icon remains" test "$(tray_icons | wc -l)" = 1
check "the first instance still runs" running "$launcher"

# --- the settings window: add an entry and find it in the popup and the file --------------
# --- documents and folders open in the default application --------------------------------
click_icon 1
popup_windows=$(windows_shown)
xdotool key Down Down Right              # ﾂｰﾙ, 書類
wait_for 5 more_windows_than "$popup_windows"
sleep 0.3
shot popup-documents
xdotool key Return                       # ﾌｫﾙﾀﾞ
opened() { grep -qxF "[$1]" "$work/xdg-open.out" 2>/dev/null; }
check "a folder entry opens in the default application" wait_for 5 opened "$work/docs"
click_icon 1
xdotool key Down Down Right Down Return  # ﾂｰﾙ, 書類: ﾒﾓ, in its working folder
check "and a document entry too" wait_for 5 opened "$work/docs/memo.txt"

click_icon 3
xdotool key Up Up Up Return              # from the bottom: 終了, ﾊﾞｰｼﾞｮﾝ情報, 設定
check "the settings window opens" wait_for 5 visible '^設定$'
settings=$(window_named '^設定$')
sleep 0.5
shot settings
keep "$screenshots" settings "$settings"
xdotool windowfocus --sync "$settings" key alt+m
sleep 0.5
shot settings-menu
xdotool key Escape
at 200 241; xdotool type --delay 20 'e2e entry'
at 200 265; xdotool type --delay 20 "$added"
at 388 72                                 # 追加
check "the new entry is saved" wait_for 5 \
    grep -q "0,\"e2e entry\",\"$added\",\"\"" "$app/launch.cfg"
shot settings-added

# --- the program browser, the folder chooser and the version dialog ------------------------
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | grep -oE '0x[0-9a-f]+'; }
dialog_over_settings() {
    local w
    for w in $(xdotool search --onlyvisible --class '^quorvel$' 2>/dev/null); do
        [ "$(($(transient_for "$w" || echo 0)))" = "$settings" ] && echo "$w" && return
    done
}
dialog_shown() { [ -n "$(dialog_over_settings)" ]; }
shown_before=$(windows_shown)
at 396 264                                # 参照 beside the program
check "the program file dialog opens" wait_for 5 dialog_shown
sleep 1
shot program-dialog
# To the dialog itself: a key sent before it has the focus would reach the settings window.
xdotool windowfocus --sync "$(dialog_over_settings)" key Escape
check "cancelling closes it" wait_for 5 no_more_windows_than "$shown_before"
at 396 288                                # 参照 beside the working folder
check "the folder chooser opens" wait_for 5 visible '^作業ﾌｫﾙﾀﾞの指定$'
check "and stays above the settings window" \
    test "$(($(transient_for "$(window_named '^作業ﾌｫﾙﾀﾞの指定$')")))" = "$settings"
sleep 0.5
shot chooser
xdotool key Escape
check "the chooser closes" wait_for 5 sh -c "! xdotool search --onlyvisible --name '^作業ﾌｫﾙﾀﾞの指定\$' >/dev/null"
click_icon 1
xdotool key Up Up Return                 # from the bottom: 終了, ﾊﾞｰｼﾞｮﾝ情報
check "the version dialog opens" wait_for 5 visible 'Quorvelのﾊﾞｰｼﾞｮﾝ情報'
sleep 0.5
shot version
xdotool windowfocus --sync "$(window_named 'Quorvelのﾊﾞｰｼﾞｮﾝ情報')" key Return
check "OK closes it" wait_for 5 sh -c "! xdotool search --onlyvisible --name 'Quorvelのﾊﾞｰｼﾞｮﾝ情報' >/dev/null"

click_icon 1
xdotool key Up Up Up Up Return           # from the bottom: 終了, ﾊﾞｰｼﾞｮﾝ情報, 設定, e2e entry
check "the added entry starts from the popup" wait_for 5 test -s "$work/added.out"

# --- ending from the popup saves once and removes the icon ---------------------------------
rm -f "$app/launch.cfg"
click_icon 1
xdotool key Up Return                     # 終了
check "the program ends" wait_for 5 stopped "$launcher"
check "ending saved the catalogue" grep -q 'e2e entry' "$app/launch.cfg"
check "no tray icon remains" test -z "$(tray_icons)"

# --- a crash leaves no lock behind that stops the next start -------------------------------
"$app/quorvel" 2>/dev/null &
crashed=$!
pids+=($crashed)
wait_for 15 has_icon
kill -KILL "$crashed"
wait_for 5 stopped "$crashed"
"$app/quorvel" 2>/dev/null &
restarted=$!
pids+=($restarted)
check "the program starts again after a crash" wait_for 15 has_icon
kill "$restarted"

# --- a fresh folder gets the default file; a wrong version is reported --------------------
fresh="$work/fresh"
mkdir -p "$fresh"
cp "$binary" "$fresh/quorvel"
"$fresh/quorvel" 2>/dev/null &
pids+=($!)
printf '"Format Ver.1.0"\r\n"項目1"\r\n"項目2"\r\n"項目3"\r\n"項目4"\r\n"項目5"\r\n"項目6"\r\n"項目7"\r\n' |
    iconv -f UTF-8 -t CP932 > "$work/default.cfg"
check "a fresh folder gets the eight-line default file" wait_for 10 cmp -s "$fresh/launch.cfg" "$work/default.cfg"
kill $! 2>/dev/null || true

broken="$work/broken"
mkdir -p "$broken"
cp "$binary" "$broken/quorvel"
printf '"Format Ver.9.9"\r\n' > "$broken/launch.cfg"
"$broken/quorvel" 2>/dev/null &
broken_pid=$!
pids+=($broken_pid)
check "a wrong version shows its message" wait_for 10 visible '^ﾊﾞｰｼﾞｮﾝｴﾗｰ$'
sleep 0.5
shot version-error
xdotool windowfocus --sync "$(window_named '^ﾊﾞｰｼﾞｮﾝｴﾗｰ$')" key Return
check "and the program ends" wait_for 5 stopped "$broken_pid"
broken_status=0
wait "$broken_pid" || broken_status=$?
check "with a failure status" test "$broken_status" != 0
check "the damaged file is left as it was" test "$(cat "$broken/launch.cfg")" = "$(printf '"Format Ver.9.9"\r\n')"

# --- a FIFO in place of the file is reported at once, never waited on ----------------------
fifo="$work/fifo"
mkdir -p "$fifo"
cp "$binary" "$fifo/quorvel"
mkfifo "$fifo/launch.cfg"
"$fifo/quorvel" 2>/dev/null &
fifo_pid=$!
pids+=($fifo_pid)
check "a FIFO as the catalogue shows the open error" wait_for 10 visible '^ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ$'
xdotool windowfocus --sync "$(window_named '^ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ$')" key Return
check "and the program ends" wait_for 5 stopped "$fifo_pid"

finish
