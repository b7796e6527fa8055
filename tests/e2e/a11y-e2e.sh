#!/bin/bash
# A screen reader turned on after the program started: the session's accessibility status is off
# at start, and the program stays off the accessibility bus; turned on, the search window's
# field is found there, no control of the search or the settings window lacks a name, and each
# change of the results is told once, as Orca speaks it with the focus left in the field.
# Run inside a session bus of its own (dbus-run-session).
# Usage: a11y-e2e.sh QUORVEL_BINARY ARTIFACT_DIR
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb trayer xdotool import iconv gdbus

export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x
start_trayer
status() { # IsEnabled, as Orca and the desktop's accessibility switch set it
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled "<$1>" >/dev/null
}
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null
status false

export QT_QPA_PLATFORM=xcb
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON AT_SPI_BUS_ADDRESS
install_program "$work/app" "$(catalogue ﾂｰﾙ 項目2 項目3 項目4 項目5 項目6 項目7 \
    '1,"ﾒﾓ帳","/bin/false",""' '0,"電卓","/bin/false",""')"
"$work/app/quorvel" 2>"$work/quorvel.log" &
pids+=($!)
wait_for 20 has_icon || { echo "the program did not start"; cat "$work/quorvel.log"; exit 1; }
a11y() { /usr/bin/python3 "$(dirname "$0")/a11y-list.py" "$@" 2>/dev/null; }
field_found() { [ "$(a11y field | head -n1)" = 検索する名前 ]; }
field_missing() { ! field_found; }
all_named() { # window title: found, and nothing in it unnamed
    local left
    left=$(a11y unnamed "$1") || return 1
    [ -z "$left" ] || { echo "$left"; return 1; }
}

"$work/app/quorvel" --search
check "the search window opens" wait_for 10 visible '^ﾌﾟﾛｸﾞﾗﾑ検索$'
check "with the session's status off, a screen reader does not find it" field_missing
# Listening before the program joins the bus, as a screen reader does: Qt asks who listens then.
/usr/bin/python3 "$(dirname "$0")/a11y-list.py" news >"$work/news" 2>/dev/null &
pids+=($!)
wait_for 10 grep -qx listening "$work/news" 2>/dev/null
told_once() { # text: told last, and told once
    [ "$(tail -n1 "$work/news")" = "$1" ] && [ "$(grep -cxF "$1" "$work/news")" = 1 ]
}
status true
check "turned on, the search field is found on the accessibility bus" wait_for 10 field_found
check "every control of the search window has a name" all_named ﾌﾟﾛｸﾞﾗﾑ検索
xdotool type --delay 30 zzz
said() { [ "$(a11y field | tail -n1)" = "$1" ]; }
check "with nothing found, the field says so" wait_for 5 said 一致するﾌﾟﾛｸﾞﾗﾑはありません。
check "a screen reader is told once that nothing is found" \
    wait_for 5 told_once 一致するﾌﾟﾛｸﾞﾗﾑはありません。
xdotool key --delay 30 BackSpace BackSpace BackSpace
check "the field emptied, it is told the first row and the count, once" \
    wait_for 5 told_once ﾒﾓ帳、ﾂｰﾙ。2件中1件目
nothing_twice() { [ -z "$(sort "$work/news" | uniq -d)" ]; }
check "and nothing was told twice" nothing_twice
xdotool key Escape
"$work/app/quorvel" # a second start shows the settings window
check "the settings window opens" wait_for 10 visible '^設定$'
check "every control of the settings window has a name" wait_for 5 all_named 設定
labelled() { a11y labels 設定 | grep -q ' labelled ｶﾃｺﾞﾘ名$'; }
check "the category box is named by its caption, as a screen reader asks a combo box" labelled
shot a11y-settings
status false
check "turned off again, the program goes on" running "${pids[-1]}"

finish
