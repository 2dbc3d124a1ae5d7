#!/usr/bin/env bash
# The program folder: Pelinreader.exe with the extractor it comes with, HaoZipC.exe and 7zz.exe beside it.
# Sourced by the scripts that lay out a program folder; also runs alone:
#
#   scripts/layout.sh DIR      builds what is missing and lays out DIR
#
# pel_layout DIR copies the three programs into DIR (made when missing). It expects the Windows build in
# $PEL_BUILD_ROOT/win (default <repo>/build/win) and builds 7zz.exe when its cache holds none
# (scripts/extractor.sh). With PEL_LAYOUT_NO_BUILD=1 it builds nothing: what is not built already is
# reported at once. Returns non-zero, with a message, when one of them cannot be had.

PEL_LAYOUT_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

pel_layout() {
    local dir="${1:?pel_layout: a folder is needed}"
    local root="${PEL_BUILD_ROOT:-$PEL_LAYOUT_REPO/build}"
    local reader="$root/win/src/app/Pelinreader.exe"
    local haozipc="$root/win/tools/haozipc/HaoZipC.exe"
    local engine
    if [[ ${PEL_LAYOUT_NO_BUILD:-0} == 1 ]]; then
        engine="$(PEL_BUILD_ROOT="$root" bash "$PEL_LAYOUT_REPO/scripts/extractor.sh" --path)"
        if [[ -z $engine || ! -f $engine ]]; then
            echo "pel_layout: 7zz.exe is not built (${engine:-no cache under $root/extractor});" \
                "scripts/build.sh builds it" >&2
            return 1
        fi
    else
        if [[ ! -f $haozipc ]]; then
            cmake --build "$root/win" --target haozipc -j "${PEL_JOBS:-2}" >&2 || true
        fi
        engine="$(PEL_BUILD_ROOT="$root" bash "$PEL_LAYOUT_REPO/scripts/extractor.sh")" || {
            echo "pel_layout: 7zz.exe could not be built" >&2
            return 1
        }
    fi
    local file
    for file in "$reader" "$haozipc" "$engine"; do
        if [[ ! -f $file ]]; then
            echo "pel_layout: $file is missing (build first: scripts/build.sh)" >&2
            return 1
        fi
    done
    mkdir -p "$dir" || return 1
    cp "$reader" "$dir/Pelinreader.exe" && cp "$haozipc" "$dir/HaoZipC.exe" && cp "$engine" "$dir/7zz.exe"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    [[ $# -eq 1 ]] || {
        sed -n '2,9p' "$0"
        exit 2
    }
    pel_layout "$1"
fi
