#!/usr/bin/env bash
# Builds 7zz.exe, the Windows console program of the 7-Zip engine, from the source of Debian's 7zip package
# with mingw-w64, and prints its path. The result is kept under the build root, keyed by the source package
# version, and reused while that version is unchanged, so it is built once per machine and version.
#
#   scripts/extractor.sh            build when needed, print the path of 7zz.exe
#   scripts/extractor.sh --path     print where 7zz.exe is (or would be), build nothing
#   scripts/extractor.sh --fetch    only download the source when a build will be needed (the package
#                                   lists are touched here, so a later build can run beside other installs)
#
# PEL_BUILD_ROOT moves the cache (default <repo>/build); PEL_JOBS sets make's jobs (default 2). A build is
# also kept in a cache of the machine, PEL_EXTRACTOR_CACHE (default ~/.cache/pelinreader/extractor), from
# which other checkouts on the machine take it. Builds of one cache wait for each other.
# Debian's source has no RAR decoder (DISABLE_RAR=1): RAR books need another HaoZipC.exe.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
JOBS="${PEL_JOBS:-2}"
CACHE="$BUILD_ROOT/extractor"
MACHINE_CACHE="${PEL_EXTRACTOR_CACHE:-${XDG_CACHE_HOME:-${HOME:-/var/tmp}/.cache}/pelinreader/extractor}"

say() { echo "extractor.sh: $*" >&2; }

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo -n "$@"
    else
        say "root rights are needed for: $*"
        return 1
    fi
}

# The deb-src entry mirrors the binary entries of the machine (same URIs, suites and components).
ensure_deb_src() {
    local list=/etc/apt/sources.list.d/pel-deb-src.sources
    # grep reads to the end: with pipefail, one that stops at the first match fails the pipe.
    if apt-cache showsrc 7zip 2>/dev/null | grep '^Version:' >/dev/null; then return 0; fi
    if [[ ! -f $list ]]; then
        say "adding deb-src entries ($list)"
        local src
        for src in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
            [[ -f $src ]] || continue
            if [[ $src == *.sources ]]; then
                sed -e 's/^Types:.*/Types: deb-src/' "$src"
            else
                grep -E '^deb ' "$src" | sed -e 's/^deb /deb-src /'
            fi
        done | as_root tee "$list.tmp" >/dev/null
        if [[ $list == *.sources ]] && ! grep -q '^Types:' "$list.tmp"; then
            as_root rm -f "$list.tmp"
            say "no Debian entries found to mirror"
            return 1
        fi
        as_root mv "$list.tmp" "$list"
    fi
    as_root apt-get update -q >&2
}

source_version() {
    apt-cache showsrc 7zip 2>/dev/null | awk '/^Version:/ {print $2; exit}'
}

cached_exe() {
    local version="$1"
    echo "$CACHE/${version//[:~]/_}/7zz.exe"
}

if [[ ${1:-} == --path ]]; then
    version="$(source_version || true)"
    if [[ -z $version ]]; then
        ls -1d "$CACHE"/*/7zz.exe 2>/dev/null | tail -n 1
    else
        cached_exe "$version"
    fi
    exit 0
fi

fetch_only=0
[[ ${1:-} == --fetch ]] && fetch_only=1

ensure_deb_src
version="$(source_version)"
if [[ -z $version ]]; then
    say "apt knows no source package 7zip"
    exit 1
fi
exe="$(cached_exe "$version")"
if [[ -f $exe ]]; then
    ((fetch_only)) || echo "$exe"
    exit 0
fi

mkdir -p "$CACHE"
exec 9>"$CACHE/.lock"
flock 9
work="$(dirname "$exe")"
shared="$MACHINE_CACHE/${version//[:~]/_}"
if [[ ! -f $exe && -f $shared/7zz.exe ]]; then
    mkdir -p "$work"
    cp "$shared/7zz.exe" "$work/7zz.exe.tmp" && mv "$work/7zz.exe.tmp" "$exe"
    cp "$shared"/*.dsc "$work/" 2>/dev/null || true
fi
if [[ -f $exe ]]; then
    ((fetch_only)) || echo "$exe"
    exit 0
fi

# The source package, downloaded once into its own folder.
source_dir="$work.src"
if [[ ! -f $source_dir/.fetched ]]; then
    rm -rf "$source_dir"
    mkdir -p "$source_dir"
    (cd "$source_dir" && apt-get source -q --download-only 7zip >&2) || {
        say "the source of 7zip $version could not be downloaded"
        exit 1
    }
    touch "$source_dir/.fetched"
fi
((fetch_only)) && exit 0

rm -rf "$work.tmp"
mkdir -p "$work.tmp"
say "building 7zz.exe from 7zip $version (about 4 minutes on 2 cores)"
(
    cd "$work.tmp"
    dsc="$(ls -1 "$source_dir"/*.dsc | head -n 1)"
    dpkg-source -x "$dsc" src >&2
    cd src/CPP/7zip/Bundles/Alone2
    make -j "$JOBS" -f makefile.gcc DISABLE_RAR=1 IS_MINGW=1 IS_X64=1 CROSS_COMPILE=x86_64-w64-mingw32- \
        CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix RC=x86_64-w64-mingw32-windres >&2
) || {
    say "the build of 7zz.exe failed (log above)"
    exit 1
}
built="$(find "$work.tmp/src/CPP/7zip/Bundles/Alone2" -name 7zz.exe -type f | head -n 1)"
if [[ -z $built ]]; then
    say "the build made no 7zz.exe"
    exit 1
fi
rm -rf "$work"
mkdir -p "$work"
x86_64-w64-mingw32-strip -o "$work/7zz.exe" "$built" 2>/dev/null || cp "$built" "$work/7zz.exe"
cp "$source_dir"/*.dsc "$work/" 2>/dev/null || true
rm -rf "$work.tmp" "$source_dir"
# Kept for the machine's other checkouts; a cache that cannot be written only costs them a build.
if mkdir -p "$shared" 2>/dev/null && cp "$work/7zz.exe" "$shared/7zz.exe.tmp" 2>/dev/null; then
    cp "$work"/*.dsc "$shared/" 2>/dev/null || true
    mv "$shared/7zz.exe.tmp" "$shared/7zz.exe"
fi
echo "$work/7zz.exe"
