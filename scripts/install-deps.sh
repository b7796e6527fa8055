#!/bin/bash
# Installs the Debian packages that are missing: "run" for building and starting the program,
# "test" for that and everything the tests need, "bench" for that and the benchmark.
set -euo pipefail

# file and dpkg-dev: the Debian package's build computes its dependencies with them; libxcb1-dev:
# the global hotkey's key grab on X11; libmecab-dev and mecab-ipadic-utf8: readings of kanji.
packages=(cmake make g++ qt6-base-dev libxcb1-dev qt6-translations-l10n fonts-ipafont-gothic
          file dpkg-dev libmecab-dev mecab-ipadic-utf8)
if [ "${1:-run}" = bench ]; then
    packages+=(xvfb trayer python3-xlib dbus python3-gi gir1.2-glib-2.0)
fi
if [ "${1:-run}" = test ]; then
    packages+=(clang libclang-rt-dev g++-mingw-w64-x86-64
               xvfb trayer xdotool x11-utils imagemagick procps
               dpkg-dev lintian desktop-file-utils appstream
               dbus python3-gi gir1.2-glib-2.0 weston qt6-wayland xfce4-panel xfwm4
               mate-panel marco mate-settings-daemon-common
               sway waybar grim foot libwayland-dev wayland-protocols
               fcitx5 fcitx5-mozc fcitx5-frontend-qt6 at-spi2-core python3-pyatspi libglib2.0-bin)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Install them as root (su -c 'apt-get install ${missing[*]}'), or install sudo and" \
             "add yourself to the sudo group, then run this again." >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
