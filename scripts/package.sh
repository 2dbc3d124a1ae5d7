#!/usr/bin/env bash
# Builds the Windows program (Release) and writes the portable package a reader unzips and runs:
#
#   scripts/package.sh [--no-build] [--exe PELINREADER.EXE] [--out DIR]
#
# dist/Pelinreader-<version>-win64.zip (the version is the one in VERSION) holds Pelinreader.exe, the
# extractor programs beside it when the tree lays them out (scripts/layout.sh), books\ with the sample
# novel, and 说明.txt (GBK, CR LF). --no-build packages what build/win and the extractor cache hold and
# builds nothing (a missing extractor program is an error at once); --exe takes the program from
# elsewhere; --out writes the zip into DIR instead of dist/. The last line printed is the zip's path.
set -euo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
export PEL_BUILD_ROOT="$BUILD_ROOT"
OUT="$REPO/dist"
EXE=""
build=1

while (($#)); do
    case "$1" in
        --no-build) build=0 ;;
        --exe)
            EXE="$(realpath -m "${2:?--exe needs a file}")"
            shift
            ;;
        --out)
            OUT="$(realpath -m "${2:?--out needs a folder}")"
            shift
            ;;
        -h | --help)
            sed -n '2,10p' "$0"
            exit 0
            ;;
        *)
            echo "package.sh: unknown option $1" >&2
            exit 2
            ;;
    esac
    shift
done

version="$(head -n 1 "$REPO/VERSION" | tr -d ' \r')"
if [[ ! "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "package.sh: VERSION must hold MAJOR.MINOR.PATCH, found '$version'" >&2
    exit 1
fi
name="Pelinreader-$version-win64"

if ((build)); then
    bash "$REPO/scripts/deps.sh"
    bash "$REPO/scripts/build.sh"
fi
[[ -n "$EXE" ]] || EXE="$BUILD_ROOT/win/src/app/Pelinreader.exe"
if [[ ! -f "$EXE" ]]; then
    echo "package.sh: no program at $EXE (build it first, or leave out --no-build)" >&2
    exit 1
fi

# The folder is laid out in a scratch place of its own, so that packages made at once do not meet.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
stage="$scratch/$name"
mkdir -p "$stage/books" "$OUT"

# The program folder: the reader and, where the tree has them, the extractor programs beside it.
if [[ -f "$REPO/scripts/layout.sh" ]]; then
    # shellcheck disable=SC1091
    source "$REPO/scripts/layout.sh"
    if ! PEL_LAYOUT_NO_BUILD=$((1 - build)) pel_layout "$stage"; then
        echo "package.sh: the program folder could not be laid out" >&2
        exit 1
    fi
fi
cp "$EXE" "$stage/Pelinreader.exe"
cp "$REPO/samples/sample.txt" "$stage/books/sample.txt"

# The reader's notes: GBK with CR LF line ends; the lines about extractor programs that are not in the
# package are left out.
notes="$(sed "s/@VERSION@/$version/" "$REPO/package/readme_zh.txt")"
for program in HaoZipC.exe 7zz.exe; do
    if [[ ! -f "$stage/$program" ]]; then
        notes="$(printf '%s\n' "$notes" | grep -v "^  $program ")"
        notes="${notes//（本压缩包已附带）/}"
    fi
done
if ! printf '%s\n' "$notes" | sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$stage/说明.txt"; then
    echo "package.sh: the notes hold characters that GBK cannot" >&2
    exit 1
fi

zip="$OUT/$name.zip"
python3 "$REPO/tools/make_zip.py" "$stage" "$zip"
echo "package.sh: $(cd "$stage" && find . -type f | sed 's|^\./||' | sort | paste -sd ' ')"
echo "$zip"
