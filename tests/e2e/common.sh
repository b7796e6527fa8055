# Shared by the end-to-end scripts: checks, waits, a private X server and tray host, the
# program in a folder of its own, and the program's windows. Source it after setting
# binary, artifacts and work.

pids=()
failures=0
checks=0

cleanup() {
    end_all "${pids[@]}"
    end_bus_services
    rm -rf "$work"
}
end_all() { # pids: asked to end, the last started first; killed if still there after 5 s
    local i pid deadline=$((SECONDS + 5))
    for ((i = $# ; i > 0; i--)); do kill "${!i}" 2>/dev/null || true; done
    for pid in "$@"; do
        while running "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
        if running "$pid"; then
            echo "     $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) did not end when asked: killed"
            kill -KILL "$pid" 2>/dev/null || true
        fi
        wait "$pid" 2>/dev/null || true
    done
}
# What the session bus started (the accessibility bus, a settings daemon) ends with the test:
# left running, it keeps the test's output open and the test is never over.
end_bus_services() {
    local environ pid
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
    for environ in /proc/[0-9]*/environ; do
        grep -qzxF "DBUS_STARTER_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" "$environ" 2>/dev/null || continue
        pid=${environ%/environ}
        kill "${pid#/proc/}" 2>/dev/null || true
    done
}
trap cleanup EXIT

check() { # description, command...
    local what=$1; shift
    checks=$((checks + 1))
    if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
wait_for() { # seconds, command...
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}
finish() {
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" = 0 ] && return 0
    # What the desktop and the program said: $work goes with the test.
    local log
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "     --- the end of ${log##*/}:"; tail -n 20 "$log" | sed 's/^/     /'; }
    done
    return 1
}
shot() { import -window root "$artifacts/$1.png"; echo "     screenshot $artifacts/$1.png"; }
keep() { # folder, name, windows...: the windows, cut out, as folder/name.png (for the README)
    local folder=$1 name=$2 left=100000 top=100000 right=0 bottom=0 w X Y WIDTH HEIGHT
    shift 2
    [ -n "$folder" ] || return 0
    for w in "$@"; do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        left=$((X < left ? X : left)); top=$((Y < top ? Y : top))
        right=$((X + WIDTH > right ? X + WIDTH : right))
        bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom))
    done
    mkdir -p "$folder"
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -strip \
        "$folder/$name.png"
}
need() { # tools...
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "missing $tool: run the README's test command"; exit 1; }
    done
}

start_x() { # a private X server, its display exported
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    wait_for 10 test -s "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
}
start_trayer() { # an XEmbed tray host at the top right
    trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
        --SetDockType true >/dev/null 2>&1 &
    trayer_pid=$!
    pids+=($trayer_pid)
}

install_program() { # folder, launch.cfg text (UTF-8, CR LF): a copy of the program there
    mkdir -p "$1"
    cp "$binary" "$1/quorvel"
    printf '%s' "$2" | iconv -f UTF-8 -t CP932 > "$1/launch.cfg"
}
recorder() { # name: a program that records where it ran and its arguments in $work/name.out
    mkdir -p "$work/bin"
    printf '#!/bin/sh\n{ pwd; for a in "$@"; do echo "[$a]"; done; } > "%s/%s.out"\n' "$work" "$1" \
        > "$work/bin/$1"
    chmod +x "$work/bin/$1"
    echo "$work/bin/$1"
}
# On a desktop shell: the program in $work/app with one entry, 記録, which records where it ran
# in $work/record.out; started, its pid in $launcher.
start_with_recorder() { # the entry's working folder
    app="$work/app"
    install_program "$app" "$(catalogue 項目1 項目2 項目3 項目4 項目5 項目6 項目7 \
        "0,\"記録\",\"$(recorder record)\",\"$1\"")"
    "$app/quorvel" 2>"$work/quorvel.log" &
    launcher=$!
    pids+=($launcher)
}
# Whether the watcher lists the program's item under the program's unique bus name, as Qt's
# own tray registers (GNOME's extension may never show an item registered by a well-known name).
item_listed() {
    local item owner
    item=$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni-client.py" item 2>/dev/null)
    owner=${item%%/*}
    [[ $owner =~ ^:[0-9]+\.[0-9]+$ ]] || return 1
    [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.GetConnectionUnixProcessID "$owner" 2>/dev/null |
        sed -n 's/^(uint32 \([0-9]*\),)$/\1/p')" = "$launcher" ]
}
ran_in_folder() { [ "$(head -n1 "$work/record.out" 2>/dev/null)" = "$1" ]; }
catalogue() { # category names 1-7, then entry lines: the text of a launch.cfg
    local crlf=$'\r\n' text i
    text="\"Format Ver.1.0\"$crlf"
    for i in 1 2 3 4 5 6 7; do text+="\"$1\"$crlf"; shift; done
    for i in "$@"; do text+="$i$crlf"; done
    printf '%s' "$text"
}

tray_icons() { # the program's windows that the tray host has reparented
    local w parent
    for w in $(xdotool search --class '^quorvel$' 2>/dev/null); do
        # A window gone meanwhile (a closed popup) is no icon.
        parent=$(xwininfo -children -id "$w" 2>/dev/null | grep 'Parent window id:') || continue
        [[ $parent == *'(the root window)'* ]] || echo "$w"
    done
}
has_icon() { [ -n "$(tray_icons)" ]; }
# The top 40 px of the screen as $work/panel.png; a script on a Wayland desktop sets its own.
panel_picture() { import -window root -crop 1024x40+0+0 +repage "$work/panel.png"; }
# "x y" of the program's icon in a desktop's top panel, found by its blue, right of the middle.
icon_at() {
    panel_picture
    convert "$work/panel.png" txt:- | awk -F'[,: ()]+' \
        'NR > 1 && $1 > 512 && $3 < 60 && $4 > 60 && $4 < 110 && $5 > 120 && $5 < 170 {
             n++; x += $1; y += $2 } END { if (n > 20) print int(x / n), int(y / n) }'
}
shown_icon() { [ -n "$(icon_at)" ]; }

window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
visible() { [ -n "$(window_named "$1")" ]; }
gone() { ! visible "$1"; }
windows_shown() { { xdotool search --onlyvisible --class '^quorvel$' 2>/dev/null || true; } | wc -l; }
more_windows_than() { [ "$(windows_shown)" -gt "$1" ]; }
no_more_windows_than() { ! more_windows_than "$1"; }
running() { local state; state=$(grep '^State:' "/proc/$1/status" 2>/dev/null) && [[ $state != *Z* ]]; }
stopped() { ! running "$1"; }

# Clicks at a point of the settings window's client area, below its menu bar.
at() { # x y
    local settings X Y WIDTH HEIGHT
    settings=$(window_named '^設定$')
    eval "$(xdotool getwindowgeometry --shell "$settings")"
    xdotool mousemove $((X + $1)) $((Y + HEIGHT - 302 + $2)) click 1  # the client area is 302 px high
    sleep 0.2
}
