#!/bin/sh
# Builds tools/check_resources.cpp with the program's resources and runs it under Wine.
# Usage: tools/check_resources.sh [--print]   (prints every menu item as well)
# Needs the mingw-w64 cross compiler and Wine; WINEPREFIX and DISPLAY are taken from the environment.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=${CHECK_RESOURCES_DIR:-$(mktemp -d)}
x86_64-w64-mingw32-windres -I "$root/res" "$root/res/Pelinreader.rc" -O coff -o "$out/resources.o"
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP936 \
    -I "$root/res" "$root/tools/check_resources.cpp" "$out/resources.o" \
    -o "$out/check_resources.exe" -mwindows -mconsole -static -lversion -lcomctl32
LANG=${LANG:-zh_CN.UTF-8} WINEDEBUG=${WINEDEBUG:--all} wine "$out/check_resources.exe" "$@"
