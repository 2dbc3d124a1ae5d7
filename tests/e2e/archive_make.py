#!/usr/bin/env python3
"""Zip files for the archive scenarios, written with Python's zipfile.

archive_make.py ZIP NAME=FILE [NAME=FILE ...]
  NAME is the member path (folders with '/'); a NAME starting with "gbk:" is stored in code page 936
  without the UTF-8 flag, as Chinese archivers write it; other names are stored in UTF-8 with the flag.
  FILE is the file whose bytes the member holds.
"""
import sys
import zipfile


class Cp936Info(zipfile.ZipInfo):
    """A member whose name goes into the archive in code page 936, UTF-8 flag clear."""

    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits & ~0x800


def main(path, members):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for member in members:
            name, _, source = member.partition("=")
            data = open(source, "rb").read()
            if name.startswith("gbk:"):
                info = Cp936Info(name[4:], date_time=(2024, 5, 1, 12, 0, 0))
            else:
                info = zipfile.ZipInfo(name, date_time=(2024, 5, 1, 12, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
