#!/usr/bin/env python3
"""Checks of the code page 936 mirror: literals become the bytes the main builds give them, unchanged files
are left alone, and a character ending in byte 0x5C (which clang would read as a backslash) stops it."""
import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "to_cp936.py")


def mirror(source, target):
    return subprocess.run([sys.executable, SCRIPT, source, target], capture_output=True, text=True)


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "src")
        target = os.path.join(work, "mirror")
        os.makedirs(os.path.join(source, "book"))
        with open(os.path.join(source, "book", "a.h"), "w", encoding="utf-8") as f:
            f.write('const char* k = "\u7b2c\u4e00\u7ae0\\\\";  // \u6ce8\u91ca\n')
        with open(os.path.join(source, "notes.txt"), "w", encoding="utf-8") as f:
            f.write("\u4e57\n")  # not a source file: not mirrored, not checked
        result = mirror(source, target)
        if result.returncode != 0:
            failures.append("a clean tree was refused: " + result.stderr)
        mirrored = os.path.join(target, "book", "a.h")
        with open(mirrored, "rb") as f:
            data = f.read()
        if b'"\xb5\xda\xd2\xbb\xd5\xc2\\\\"' not in data:
            failures.append("literal not in CP936: %r" % data)
        if os.path.exists(os.path.join(target, "notes.txt")):
            failures.append("a file that is not a source was mirrored")
        stamp = os.stat(mirrored).st_mtime_ns
        os.utime(mirrored, ns=(stamp - 10**9, stamp - 10**9))
        mirror(source, target)
        if os.stat(mirrored).st_mtime_ns != stamp - 10**9:
            failures.append("an unchanged file was written again")

        # U+4E57 is 81 5C in CP936: inside a literal clang would take the 5C for an escape.
        with open(os.path.join(source, "book", "b.cpp"), "w", encoding="utf-8") as f:
            f.write('int x;\nconst char* k = "\u4e57";\n')
        result = mirror(source, target)
        if result.returncode == 0 or "b.cpp" not in result.stderr or "[2]" not in result.stderr:
            failures.append("a 0x5C second byte went through: %d %s" % (result.returncode, result.stderr))
        if os.path.exists(os.path.join(target, "book", "b.cpp")):
            failures.append("the refused file was mirrored")
    for failure in failures:
        print("to_cp936_test: " + failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
