#!/bin/bash
# The keyboard's way in, as a user takes it: the hotkey opens the search window, typing finds
# entries by name, reading or program, Enter and Alt+n launch, Esc puts the window away; an
# installed application not listed is found and started; and --search and --popup reach the
# running copy.
# Usage: search-e2e.sh QUORVEL_BINARY ARTIFACT_DIR [SCREENSHOT_DIR]
set -euo pipefail

binary=$(readlink -f "$1")
artifacts=$2
screenshots=${3:-}
mkdir -p "$artifacts"
work=$(mktemp -d)
source "$(dirname "$0")/common.sh"
need Xvfb trayer xdotool import iconv

start_x
start_trayer
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime" "$work/wf ﾌｫﾙﾀﾞ"
export PATH="$work/bin:$PATH"
memo=$(recorder memo)
# An application installed for this user only, as the desktop's menus know it.
scribble=$(recorder scribble)
mkdir -p "$work/data/applications"
printf '[Desktop Entry]\nType=Application\nName=Scribble\nName[ja]=ｽｸﾗｲﾌﾞﾙ\nExec=%s %%U\nPath=%s\n' \
    "$scribble" "$work/wf ﾌｫﾙﾀﾞ" > "$work/data/applications/scribble.desktop"
# One with actions of its own.
browser=$(recorder browser)
cat > "$work/data/applications/browser.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=ブラウザ
Exec=$browser %u
Actions=private;window;
[Desktop Action private]
Name=新しいプライベートウィンドウ
Exec=$browser --private
[Desktop Action window]
Name=新しいウィンドウ
Exec=$browser --new-window
EOF
export XDG_DATA_HOME="$work/data"
# Two more folders of applications, empty until the end.
mkdir -p "$work/more1/applications" "$work/more2/applications"
export XDG_DATA_DIRS="${XDG_DATA_DIRS:-/usr/local/share:/usr/share}:$work/more1:$work/more2"
# What a launched program finds of a token: its own, never the launcher's.
term="$work/bin/term"
printf '#!/bin/sh\necho "token=[$XDG_ACTIVATION_TOKEN$DESKTOP_STARTUP_ID]" > "%s/term.out"\n' \
    "$work" > "$term"
chmod +x "$term"
install_program "$work/app" "$(catalogue ﾂｰﾙ 項目2 項目3 項目4 項目5 項目6 項目7 \
    "1,\"ﾀｰﾐﾅﾙ\",\"$term\",\"\"" "1,\"ﾒﾓﾘ診断\",\"/bin/false\",\"\"" \
    "0,\"ﾒﾓ帳\",\"$memo\",\"$work/wf ﾌｫﾙﾀﾞ\"" '0,"&Editor","/usr/bin/gedit",""')"

XDG_ACTIVATION_TOKEN=stale DESKTOP_STARTUP_ID=stale "$work/app/quorvel" 2>"$work/quorvel.log" &
program=$!
pids+=($program)
search_window() { window_named '^ﾌﾟﾛｸﾞﾗﾑ検索$'; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(search_window)" ]; }
ran_in() { [ -f "$work/$1.out" ] && [ "$(head -n1 "$work/$1.out")" = "$2" ]; }
hotkey() { # the key is taken a moment after start-up: pressed again until it works
    local attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        xdotool key ctrl+alt+space
        wait_for 1 visible '^ﾌﾟﾛｸﾞﾗﾑ検索$' && wait_for 3 focused && return 0
    done
    return 1
}

check "the hotkey opens the search window, focused" hotkey
check "the search window keeps out of the file beside the catalogue" \
    test ! -e "$work/app/quorvel-uses.txt" -a ! -e "$work/app/quorvel.conf"
xdotool type --delay 30 memo
sleep 0.3
shot search-memo
keep "$screenshots" search "$(search_window)"
# ﾒﾓﾘ診断 and ﾒﾓ帳 by their reading, in menu order: the named categories first.
xdotool key Down Return
check "romaji finds ﾒﾓ帳, Enter launches it in its working folder" wait_for 5 ran_in memo "$work/wf ﾌｫﾙﾀﾞ"
check "launching puts the window away" wait_for 5 gone '^ﾌﾟﾛｸﾞﾗﾑ検索$'
check "a launch is counted beside the catalogue" wait_for 5 test -s "$work/app/quorvel-uses.txt"

rm -f "$work"/*.out
check "the hotkey opens it again" hotkey
# Nothing typed: the entry just used first, then menu order: ﾀｰﾐﾅﾙ second.
xdotool key alt+2
check "Alt+2 launches the second row" wait_for 5 test -f "$work/term.out"
check "with a startup id of its own, with the key press's time, not the launcher's token" \
    grep -qx 'token=\[Quorvel-[0-9]*-[0-9]*_TIME[1-9][0-9]*\]' "$work/term.out"
check "and nothing else" test ! -e "$work/memo.out"

check "--search reaches the running copy and ends at once" \
    timeout 5 "$work/app/quorvel" --search
check "which opens the window" wait_for 5 focused
xdotool type --delay 30 gedit
xdotool key ctrl+alt+space
sleep 0.5
check "a second press keeps it open and focused" focused
xdotool key Escape
check "Esc puts it away" wait_for 5 gone '^ﾌﾟﾛｸﾞﾗﾑ検索$'

check "the hotkey opens it once more" hotkey
xdotool type --delay 30 sukurai
sleep 0.5
keep "$screenshots" search-installed "$(search_window)"
xdotool key Return
check "an installed application not listed is found by its Japanese name typed in romaji, started in its folder" \
    wait_for 5 ran_in scribble "$work/wf ﾌｫﾙﾀﾞ"
check "with no file or address handed in for its field code" \
    test "$(wc -l < "$work/scribble.out")" = 1

check "the hotkey opens it for an application's actions" hotkey
xdotool type --delay 30 burauza
sleep 0.5
keep "$screenshots" search-action "$(search_window)"
shot search-action
xdotool key Down Return # the application, then its actions in their order
check "an action is found by its application's name and started as its entry says" \
    wait_for 5 grep -qx '\[--private\]' "$work/browser.out"

check "the hotkey opens it for a command line" hotkey
xdotool type --delay 30 'memo one | two'
xdotool key shift+Return
check "Shift+Enter starts what is typed from the home folder" wait_for 5 ran_in memo "$HOME"
check "split as 起動プログラム is, never by a shell" \
    test "$(tail -n +2 "$work/memo.out")" = $'[one]\n[|]\n[two]'
check "the hotkey opens it for a program not found" hotkey
xdotool type --delay 30 nosuchprogram
xdotool key shift+Return
check "which is said so" wait_for 5 visible '^ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ$'
xdotool windowfocus --sync "$(window_named '^ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ$')" key Return
check "and the message put away" wait_for 5 gone '^ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ$'

check "the hotkey opens it to edit an entry" hotkey
xdotool type --delay 30 memo
xdotool key ctrl+e
check "Ctrl+E opens the settings window" wait_for 5 visible '^設定$'
shot search-edit
xdotool key ctrl+w

before=$(windows_shown)
check "--popup reaches the running copy and ends at once" timeout 5 "$work/app/quorvel" --popup
check "which pops the menu up" wait_for 5 more_windows_than "$before"
shot popup-by-command
xdotool key Escape

# 終了 while a flood of large desktop entries is being read: the end does not wait for the read
# (an entry of 216 kB, linked under 5,000 names in each of three folders, takes many seconds to
# read through).
big="$work/big.desktop"
python3 -c 'import os, sys
with open(sys.argv[1], "w") as f:
    f.write("[Desktop Entry]\nType=Application\nName=Big\nExec=true\n" + "Keywords[ja]=a;b;c;\n" * 10800)
for folder in sys.argv[2:]:
    for i in range(5000): os.symlink(sys.argv[1], f"{folder}/big{i}.desktop")' \
    "$big" "$work/data/applications" "$work/more1/applications" "$work/more2/applications"
sleep 2 # the folder's change is read after a second of quiet
before=$(windows_shown)
timeout 5 "$work/app/quorvel" --popup
wait_for 5 more_windows_than "$before"
xdotool key Up Return # 終了, the menu's last item
check "終了 in the middle of reading the applications ends the program at once" \
    wait_for 5 stopped "$program"

finish
