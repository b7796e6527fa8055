#!/bin/bash
# Compiles for Windows every C++ file that the Windows build compiles (all but the other
# systems' own *_unix.cpp), with Debian's MinGW cross compiler against Qt's headers. Syntax and
# types only — nothing is linked or run — so that Windows-only code cannot rot unseen.
# Usage: check-windows.sh BUILD_DIR   (a configured build: generated headers and moc output)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
cxx=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++) ||
    { echo "missing the MinGW compiler: run the README's test command"; exit 1; }
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)

flags=(-std=c++20 -fsyntax-only -Wall -Werror -DUNICODE -D_UNICODE -DQT_WIDGETS_LIB -DQT_GUI_LIB -DQUORVEL_TESTDATA=\"\"
       -I"$top" -I"$top/tests" -I"$build/generated" -isystem "$qt")
for module in "$qt"/Qt*; do flags+=(-isystem "$module"); done
for generated in $(find "$build" -path '*_autogen/include' -type d); do flags+=(-I"$generated"); done

cd "$top"
mapfile -t sources < <(find catalogue presentation dialogs platform settings shell tests main.cpp texts.cpp \
    -name '*.cpp' ! -name '*_unix.cpp' ! -path 'platform/tray/statusnotifier/*' \
    ! -name trayicon_statusnotifier.cpp ! -path 'tests/layering/*' | sort)
export cxx
printf '%s\0' "${sources[@]}" |
    xargs -0 -P "$(nproc)" -I{} sh -c '"$cxx" "$@" {} || { echo "FAILED: {}"; exit 1; }' \
        sh "${flags[@]}"
echo "${#sources[@]} files compile for Windows"
