#!/bin/bash
# Installs the built program into a temporary DESTDIR and checks exactly what lands there, the
# desktop entry and the metadata with their validators; builds the Debian package, checks its
# contents, dependencies and lintian; then runs the packaged program as an ordinary user, who
# finds the catalogue in the configuration folder, and --version without any display.
# Usage: install-and-package.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "$1")
work=$(mktemp -d)
chmod 755 "$work"
pid=
cleanup() { [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
failures=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
for tool in desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run the README's test command"; exit 1; }
done

id=org.quorvel.Quorvel
expected="/usr/bin/quorvel
/usr/share/applications/$id.desktop
/usr/share/doc/quorvel/LICENSE
/usr/share/doc/quorvel/changelog.Debian.gz
/usr/share/doc/quorvel/changelog.gz
/usr/share/doc/quorvel/copyright
$(for size in 128x128 16x16 22x22 24x24 256x256 32x32 48x48 64x64; do
    echo "/usr/share/icons/hicolor/$size/apps/$id.png"; done)
/usr/share/icons/hicolor/scalable/apps/$id.svg
/usr/share/man/man1/quorvel.1.gz
/usr/share/metainfo/$id.metainfo.xml"

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
check "an install puts exactly the expected files in place" \
    test "$(cd "$work/root" && find . -type f | sed 's/^\.//' | LC_ALL=C sort)" = "$(LC_ALL=C sort <<<"$expected")"
check "the desktop entry is valid" desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
check "under /usr it names the program by its name" \
    grep -qx 'Exec=quorvel' "$work/root/usr/share/applications/$id.desktop"
DESTDIR="$work/elsewhere" cmake --install "$build" --prefix /home/someone/.local >/dev/null
check "under another prefix by its full path" grep -qx 'Exec="/home/someone/.local/bin/quorvel"' \
    "$work/elsewhere/home/someone/.local/share/applications/$id.desktop"
check "the AppStream metadata is valid" \
    appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"

mkdir "$work/package"
(cd "$build" && umask 022 && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/quorvel_*.deb)
check "the package holds the same files under /usr" \
    test "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | LC_ALL=C sort)" = "$(LC_ALL=C sort <<<"$expected")"
check "its dependencies come from the binary" sh -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "it recommends MeCab and its dictionary, which it loads only to read names" sh -c "dpkg-deb -f '$deb' Recommends | grep -q 'libmecab2, mecab-ipadic-utf8'"
check "lintian finds no error" lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb"

dpkg-deb -x "$deb" "$work/installed"
program="$work/installed/usr/bin/quorvel"
check "--version needs no display" \
    test "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)" = "Quorvel $(dpkg-deb -f "$deb" Version | cut -d- -f1)"

# An ordinary user starts the installed program: the catalogue goes to their configuration
# folder, never beside the program.
home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
chown 65534:65534 "$home" "$work/runtime" 2>/dev/null || true
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: "$program" 2>/dev/null &
pid=$!
created() { [ -s "$home/.config/quorvel/launch.cfg" ]; }
for _ in $(seq 50); do created && break; sleep 0.2; done
check "an ordinary user's catalogue is created in ~/.config/quorvel" created
check "and nothing beside the installed program" test ! -e "$work/installed/usr/bin/launch.cfg"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=

echo "$failures failed"
[ "$failures" = 0 ]
