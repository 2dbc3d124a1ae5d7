#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each
# one for SECONDS on a copy of its committed seed corpus. Exits non-zero when any target finds a crash, a
# leak, a sanitizer report or a broken check; the input that caused it is kept in build/fuzz/findings/.
#   bash scripts/fuzz.sh SECONDS [TARGET...]
# PEL_FUZZ_NICE=1 runs the targets with nice -n 19; PEL_FUZZ_LOG_DIR keeps each target's log there;
# PEL_FUZZ_NO_BUILD=1 runs the targets as last built (for runs side by side).
set -uo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
BUILD="$BUILD_ROOT/fuzz"
JOBS="${PEL_JOBS:-2}"
seconds="${1:-30}"
shift || true

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds < 1)); then
    echo "usage: fuzz.sh SECONDS [TARGET...]" >&2
    exit 2
fi

# clang and its libFuzzer runtime, installed only when missing.
need=()
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
command -v cmake >/dev/null || need+=(cmake)
command -v iconv >/dev/null || need+=(libc-bin)
command -v python3 >/dev/null || need+=(python3)
if ((${#need[@]})); then
    echo "fuzz.sh: installing ${need[*]}"
    as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo -n "$@"; fi; }
    as_root apt-get update -q || exit 1
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" </dev/null ||
        exit 1
fi

if [[ "${PEL_FUZZ_NO_BUILD:-0}" != 1 ]]; then
# The sources as code page 936 text, the bytes the main builds give their literals.
python3 "$REPO/fuzz/to_cp936.py" "$REPO/src" "$BUILD/src936" || exit 1
# ccache, when the machine has it, keeps the objects across fresh build folders, as the main builds do.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$REPO")}"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    cmake -S "$REPO/fuzz" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
        -DPEL_CP936_SRC="$BUILD/src936" "${launcher[@]}" >/dev/null || exit 1
fi
cmake --build "$BUILD" -j "$JOBS" || exit 1
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
    for source in "$REPO"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

nice_cmd=()
[[ "${PEL_FUZZ_NICE:-0}" == 1 ]] && nice_cmd=(nice -n 19)
log_dir="${PEL_FUZZ_LOG_DIR:-$BUILD/logs}"
mkdir -p "$log_dir" "$BUILD/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in "${targets[@]}"; do
    exe="$BUILD/$target"
    if [[ ! -x "$exe" ]]; then
        echo "fuzz.sh: no target $target" >&2
        failed+=("$target")
        continue
    fi
    # The committed seeds stay as they are; what the run adds goes to a corpus of the build.
    corpus="$BUILD/corpus/$target"
    mkdir -p "$corpus"
    seeds="$REPO/fuzz/corpus/$target"
    findings="$BUILD/findings/$target"
    mkdir -p "$findings"
    log="$log_dir/$target.log"
    "${nice_cmd[@]}" "$exe" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" ${seeds:+"$seeds"} >"$log" 2>&1
    status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
    speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)"
    if ((status != 0)); then
        echo "fuzz.sh: $target FAILED after ${runs:-?} runs (log $log); reproducer:" >&2
        ls "$findings" >&2
        grep -m5 -E 'ERROR|runtime error|check failed|SUMMARY' "$log" >&2
        failed+=("$target")
    else
        echo "fuzz.sh: $target ${seconds} s, ${runs:-?} runs, ${speed:-?}/s, no findings"
    fi
done

if ((${#failed[@]})); then
    echo "fuzz.sh: findings in ${failed[*]}" >&2
    exit 1
fi
echo "fuzz.sh: ${#targets[@]} targets passed"
