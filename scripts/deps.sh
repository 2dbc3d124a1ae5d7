#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and only what is missing.
# Runs unattended (CI=true, no terminal); a machine that has everything returns at once.
set -euo pipefail

PACKAGES=(
    cmake g++ g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine64 xvfb fonts-wqy-microhei locales
    googletest libgtest-dev libbenchmark-dev
    xdotool imagemagick x11-utils python3 time clang-format
    dpkg-dev 7zip xorriso
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo -n "$@"
    else
        echo "deps.sh: root rights are needed to install: ${missing[*]}" >&2
        exit 1
    fi
}

if ((${#missing[@]})); then
    echo "deps.sh: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${missing[@]}" </dev/null
fi

# The tests run the reader with the Chinese locale, so that its ANSI code page is 936.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf8'; then
    echo "deps.sh: generating the zh_CN.UTF-8 locale"
    if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen
fi
