#!/usr/bin/env python3
"""Mirrors the program's sources into a folder with their text in code page 936.

The main builds turn every literal into CP936 bytes with -fexec-charset=CP936, which clang does not take.
The fuzz build compiles this mirror instead, so both builds hold the same bytes and the UTF-8 sources stay
the only ones anybody edits. The conversion is iconv's, the one the compiler uses.

A double-byte character whose second byte is 0x5C would read as a backslash to clang: an escape inside a
literal, a line splice at the end of a comment. Any such character fails the conversion, naming the file and
line, so the fuzz build never holds bytes the main builds do not.

Usage: to_cp936.py SOURCE_DIR MIRROR_DIR. Files whose converted bytes did not change are left untouched,
so that a rebuild only compiles what changed.
"""
import os
import subprocess
import sys


def backslash_trails(data):
    """Line numbers (1-based) of double-byte characters whose second byte is 0x5C."""
    lines = []
    i = 0
    line = 1
    while i < len(data):
        b = data[i]
        if b == 0x0A:
            line += 1
        if 0x81 <= b <= 0xFE and i + 1 < len(data):
            if data[i + 1] == 0x5C:
                lines.append(line)
            i += 2
            continue
        i += 1
    return lines


def main():
    if len(sys.argv) != 3:
        print("usage: to_cp936.py SOURCE_DIR MIRROR_DIR", file=sys.stderr)
        return 2
    source, mirror = sys.argv[1], sys.argv[2]
    failures = []
    for root, _dirs, files in os.walk(source):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                text = f.read()
            try:
                converted = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP936"], input=text,
                                           capture_output=True, check=True).stdout
            except subprocess.CalledProcessError as e:
                failures.append(f"{path}: not convertible to CP936: {e.stderr.decode(errors='replace').strip()}")
                continue
            bad = backslash_trails(converted)
            if bad:
                failures.append(f"{path}: a character ends in byte 0x5C on line(s) {bad}")
                continue
            target = os.path.join(mirror, os.path.relpath(path, source))
            try:
                with open(target, "rb") as f:
                    if f.read() == converted:
                        continue
            except FileNotFoundError:
                pass
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target + ".tmp", "wb") as f:
                f.write(converted)
            os.replace(target + ".tmp", target)
    for failure in failures:
        print("to_cp936: " + failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
