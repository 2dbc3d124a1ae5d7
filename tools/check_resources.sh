#!/bin/sh
# Builds tools/check_resources.cpp and check_resources_dialogs.cpp with the program's resources and runs it under Wine.
# Usage: tools/check_resources.sh [--print]   (prints every menu item and dialog control as well)
#        tools/check_resources.sh --show ID [MS]   (shows dialog ID for MS milliseconds, for a screenshot)
# Needs the mingw-w64 cross compiler and Wine; WINEPREFIX and DISPLAY are taken from the environment.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=${CHECK_RESOURCES_DIR:-$(mktemp -d)}
# The version header the build writes from VERSION.
IFS=. read -r major minor patch <"$root/VERSION"
sed -e "s/@PEL_VERSION_MAJOR@/$major/" -e "s/@PEL_VERSION_MINOR@/$minor/" -e "s/@PEL_VERSION_PATCH@/$patch/" \
    -e "s/@PEL_VERSION@/$major.$minor.$patch/" "$root/res/version.h.in" >"$out/pel_version.h"
x86_64-w64-mingw32-windres -I "$root/res" -I "$out" "$root/res/Pelinreader.rc" -O coff -o "$out/resources.o"
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP936 \
    -I "$root/res" "$root/tools/check_resources.cpp" "$root/tools/check_resources_dialogs.cpp" \
    "$out/resources.o" \
    -o "$out/check_resources.exe" -mwindows -mconsole -static -lversion -lcomctl32
LANG=${LANG:-zh_CN.UTF-8} WINEDEBUG=${WINEDEBUG:--all} wine "$out/check_resources.exe" "$@"
