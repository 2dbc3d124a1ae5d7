#!/usr/bin/env python3
"""Writes a zip archive of a folder for Windows readers of Chinese: make_zip.py FOLDER OUT.zip

Names are stored as code page 936 bytes, as Chinese archivers write them and as Explorer on a Chinese
Windows reads them, and once more as UTF-8 in the Info-ZIP Unicode path field, which 7-Zip and other
archivers prefer. Folders get entries of their own; entries are sorted, so the same folder gives the same
list. Names that code page 936 cannot hold are refused.
"""
import os
import struct
import sys
import time
import zipfile
import zlib


class Cp936Name(zipfile.ZipInfo):
    """An entry whose header name is code page 936 and whose extra field carries the UTF-8 name."""

    def __init__(self, name, date_time):
        super().__init__(name, date_time)
        raw = name.encode("cp936")
        unicode_path = struct.pack("<BI", 1, zlib.crc32(raw)) + name.encode("utf-8")
        self.extra = struct.pack("<HH", 0x7075, len(unicode_path)) + unicode_path
        self.create_system = 0  # MS-DOS: Windows attributes, no Unix modes
        self._raw_name = raw

    def _encodeFilenameFlags(self):
        # Without the UTF-8 flag: readers that do not know the extra field take the bytes as the local code page.
        return self._raw_name, self.flag_bits & ~0x800


def entries(folder):
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        rel_root = os.path.relpath(root, folder)
        if rel_root != ".":
            yield rel_root.replace(os.sep, "/") + "/", root
        for name in sorted(files):
            rel = os.path.join(rel_root, name) if rel_root != "." else name
            yield rel.replace(os.sep, "/"), os.path.join(root, name)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make_zip.py FOLDER OUT.zip\n")
        return 2
    folder, out = argv[1], argv[2]
    items = list(entries(folder))
    for name, _ in items:
        try:
            name.encode("cp936")
        except UnicodeEncodeError:
            sys.stderr.write("make_zip.py: the name %r has characters outside code page 936\n" % name)
            return 1
    tmp = out + ".part"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, path in items:
            date_time = max(time.localtime(os.stat(path).st_mtime)[:6], (1980, 1, 1, 0, 0, 0))
            info = Cp936Name(name, date_time)
            if name.endswith("/"):
                info.external_attr = 0x10  # directory
                archive.writestr(info, b"")
            else:
                info.external_attr = 0x20  # archive bit, as Windows sets it
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read())
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
