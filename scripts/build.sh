#!/usr/bin/env bash
# Configures and builds the Windows program in build/win (Release, mingw-w64) and, on request, the native
# logic and tests in build/native (Debug, with ASan and UBSan unless PEL_SANITIZE=OFF).
#
#   scripts/build.sh            Windows build only (with the extractor, scripts/extractor.sh)
#   scripts/build.sh --native   both builds
#   scripts/build.sh --native-only
# PEL_BUILD_ROOT moves the build folders (default <repo>/build).
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
JOBS="${PEL_JOBS:-2}"
# ccache, when the machine has it, shares compiled objects between checkouts of the tree.
LAUNCHER=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$REPO")}"
    LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

want_win=1
want_native=0
for arg in "$@"; do
    case "$arg" in
        --native) want_native=1 ;;
        --native-only) want_native=1 want_win=0 ;;
        -h | --help)
            sed -n '2,8p' "$0"
            exit 0
            ;;
        *)
            echo "build.sh: unknown option $arg" >&2
            exit 2
            ;;
    esac
done

if ((want_native)); then
    echo "== native build (Debug) in $BUILD_ROOT/native"
    cmake -S "$REPO" -B "$BUILD_ROOT/native" -DCMAKE_BUILD_TYPE=Debug -DPEL_SANITIZE="${PEL_SANITIZE:-ON}" "${LAUNCHER[@]}"
    cmake --build "$BUILD_ROOT/native" -j "$JOBS"
fi

if ((want_win)); then
    echo "== Windows build (Release) in $BUILD_ROOT/win"
    cmake -S "$REPO" -B "$BUILD_ROOT/win" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" "${LAUNCHER[@]}"
    cmake --build "$BUILD_ROOT/win" -j "$JOBS"
    # The extractor the program folder carries (scripts/layout.sh), built once per machine and version.
    echo "== extractor: $(bash "$REPO/scripts/extractor.sh")"
fi
