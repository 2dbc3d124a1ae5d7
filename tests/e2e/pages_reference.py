#!/usr/bin/env python3
"""The pages a reader must show for a book, worked out from the raw file with Python's codecs, and a check of
what the driver read back from the page control against them.

pages_reference.py BOOK ENCODING MODE READBACK
  ENCODING: gbk, utf8, utf8bom, utf16le, utf16be (what the book was written in)
  MODE: lines (every page, 50 lines each), whole (the whole book as one page, as it stands), chapters (the
        pages read follow each other without gap or overlap and run to the end of the book); lines:N (the one
        page read is line page N), chapter:N (the one page read is a piece of the book from the Nth heading
        line of the shape 第…章 up to the next one, or to the end of the book)
  READBACK: output of the driver's read-pages or page-text verb
Prints one line per mismatch and exits 1 when there is any.
"""
import re
import sys


def book_text(raw, encoding):
    """The book as the reader holds it: code page 936, so characters GBK lacks become one '?' per UTF-16 unit."""
    if encoding == "gbk":
        return raw.decode("gbk")
    if encoding == "utf8bom":
        text = raw[3:].decode("utf-8")
    elif encoding == "utf8":
        text = raw.decode("utf-8")
    elif encoding == "utf16le":
        text = raw[2:].decode("utf-16-le")
    elif encoding == "utf16be":
        text = raw[2:].decode("utf-16-be")
    else:
        raise SystemExit("unknown encoding " + encoding)
    text = text.split("\0", 1)[0]
    out = []
    for ch in text:
        # Code page 936 keeps the private-use characters E000 to E765 in its user-defined areas.
        if "\ue000" <= ch <= "\ue765":
            out.append(ch)
            continue
        try:
            ch.encode("gbk")
            out.append(ch)
        except UnicodeEncodeError:
            out.append("?" * (2 if ord(ch) > 0xFFFF else 1))
    return "".join(out)


def line_pages(text):
    """Page 2 begins after the 50th LF, page 3 after the 100th; an LF that ends the text starts no page."""
    starts = [0]
    feeds = 0
    for i, ch in enumerate(text):
        if ch == "\n" and i + 1 != len(text):
            feeds += 1
            if feeds % 50 == 0:
                starts.append(i + 1)
    return [text[s:e] for s, e in zip(starts, starts[1:] + [len(text)])]


def shown(page):
    """An LF directly followed by another LF goes to the control as CR; then line ends are compared as one."""
    chars = list(page)
    for i in range(len(chars) - 1):
        if page[i] == "\n" and page[i + 1] == "\n":
            chars[i] = "\r"
    return normal("".join(chars))


def normal(text):
    return text.replace("\r\n", "\n").replace("\r", "\n")


def read_back(path):
    """Pages of read-pages ("\f<number>" lines before each); a page-text output is one page."""
    data = open(path, encoding="utf-8", newline="").read()
    if not data.startswith("\f"):
        return [("", data)]
    pages = []
    for block in data.split("\f")[1:]:
        number, _, body = block.partition("\n")
        pages.append((number, body[:-1] if body.endswith("\n") else body))
    return pages


def first_difference(a, b):
    n = min(len(a), len(b))
    i = next((k for k in range(n) if a[k] != b[k]), n)
    return "at character %d: expected %r, shown %r (lengths %d, %d)" % (i, a[i:i + 12], b[i:i + 12], len(a), len(b))


def main(book, encoding, mode, readback):
    text = book_text(open(book, "rb").read(), encoding)
    got = read_back(readback)
    bad = 0
    if mode == "lines":
        want = line_pages(text)
        if len(got) != len(want):
            print("%d pages read, %d expected" % (len(got), len(want)))
            bad += 1
        for k, ((number, body), page) in enumerate(zip(got, want), start=1):
            if number != str(k):
                print("page %d: box 1015 shows %r" % (k, number))
                bad += 1
            if normal(body) != shown(page):
                print("page %d differs %s" % (k, first_difference(shown(page), normal(body))))
                bad += 1
    elif mode == "whole":
        # The whole book goes into the control as it is, blank lines and all.
        body = normal(got[0][1])
        want = normal(text)
        if body != want and body != want.rstrip("\n"):
            print("whole book differs %s" % first_difference(want, body))
            bad += 1
    elif mode == "chapters":
        # Chapter pages cover the text from the first heading on, one after another.
        joined = normal("".join(body for _, body in got))
        full = shown(text)
        start = full.find(joined[:200])
        if start < 0 or full[start:] != joined:
            tail = full[start:] if start >= 0 else full
            print("chapter pages differ %s" % first_difference(tail, joined))
            bad += 1
        for k, (number, _) in enumerate(got, start=1):
            if number != str(k):
                print("chapter %d: box 1015 shows %r" % (k, number))
                bad += 1
    elif mode.startswith("lines:"):
        k = int(mode[6:])
        want = shown(line_pages(text)[k - 1])
        if normal(got[0][1]) != want:
            print("line page %d differs %s" % (k, first_difference(want, normal(got[0][1]))))
            bad += 1
    elif mode.startswith("chapter:"):
        k = int(mode[8:])
        full = shown(text)
        heads = [m.start() for m in re.finditer(r"^第[零一二三四五六七八九十百]+章 ", full, re.M)]
        end = heads[k] if k < len(heads) else len(full)
        want = full[heads[k - 1]:end]
        body = normal(got[0][1])
        if body != want and body != want.rstrip("\n"):
            print("chapter %d differs %s" % (k, first_difference(want, body)))
            bad += 1
    else:
        raise SystemExit("unknown mode " + mode)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
