#!/usr/bin/env python3
"""Writes test books shaped like real novels: a preface, chapters headed 第…章, paragraphs of 1 to 3,000 bytes
(as GBK), common and rarer GBK characters, and for Unicode books characters that GBK lacks and private-use
characters. Everything comes from a seed, so a book can be written again instead of being stored.

bookgen.py FILE [--encoding gbk|utf8|utf8bom|utf16le|utf16be] [--eol lf|crlf] [--chapters N]
                [--paragraphs N] [--seed S] [--target-bytes N] [--megabytes M]
                [--straddle-chunks]
"""
import argparse
import re
import random
import sys

COMMON = ("的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面"
          "而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应"
          "开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此"
          "江南雨夜书院渡口茶馆旧客")
# GBK characters outside GB2312: their second byte may lie below 0x80, or look like a first byte.
RARE = "丂丄丅丆丏丒丗丟丠両丣並丩丮丯丱丳丵丷丼乀乁乂乄乆乊乑乕乗乚乛乢乣乤乥乧乨乪們說話記憶頭髮"
PUNCT = "，。、；：？！“”《》……"
# Not in GBK: a Hangul letter, a Latin letter with a mark, characters beyond the basic plane (two UTF-16 units).
NON_GBK = ["\u1100", "\u01f9", "\U00020000", "\U0001F600", "\u0e01"]
PRIVATE = ["\ue000", "\ue5e5", "\uf8f0"]
NUMERALS = "零一二三四五六七八九十"


def chinese_number(n):
    if n <= 10:
        return NUMERALS[n]
    if n < 20:
        return "十" + NUMERALS[n - 10]
    return NUMERALS[n // 10] + "十" + (NUMERALS[n % 10] if n % 10 else "")


def gbk_len(text):
    return len(text.encode("gbk", errors="replace"))


def paragraph(rng, max_bytes, unicode_book):
    target = rng.choice([1, 2, 3, 40, 120, 400, 800, 1400, 2200, 3000, rng.randint(1, max_bytes)])
    target = min(target, max_bytes)
    out = []
    size = 0
    if rng.random() < 0.3:  # some paragraphs open with ASCII, which shifts the byte parity
        lead = str(rng.randint(1, 999))
        out.append(lead)
        size += len(lead)
    while size < target:
        r = rng.random()
        if unicode_book and r < 0.01:
            ch = rng.choice(NON_GBK + PRIVATE)
        elif r < 0.06:
            ch = rng.choice(RARE)
        elif r < 0.14:
            ch = rng.choice(PUNCT)
        elif r < 0.16:
            ch = rng.choice("abcxyz 0123")
        else:
            ch = rng.choice(COMMON)
        w = 1 if ord(ch) < 0x80 else 2
        if size + w > target and size > 0:
            break
        out.append(ch)
        size += w
    return "".join(out)


def make_text(rng, chapters, paragraphs, unicode_book, target_bytes, measure=gbk_len):
    lines = ["序言"]
    for _ in range(paragraphs // 2 + 1):
        lines.append(paragraph(rng, 3000, unicode_book))
    k = 0
    size = 0
    while k < chapters or (target_bytes and size < target_bytes):
        k += 1
        lines.append("第%s章 %s" % (chinese_number(k) if k < 100 else str(k), "".join(rng.choice(COMMON) for _ in range(4))))
        for _ in range(paragraphs):
            p = paragraph(rng, 3000, unicode_book)
            lines.append(p)
            size += measure(p) + 2
            if rng.random() < 0.05:
                lines.append("")  # a blank line now and then
    return lines


CHUNK = 4096  # the page control takes a page in pieces of this many bytes
LINES_PER_PAGE = 50
HEADING = re.compile("^第[^ ]{1,8}章 ")


def cp936_len(ch):
    """Bytes of a character in the reader's code page 936 text: characters it lacks become one '?' a unit."""
    if ord(ch) < 0x80:
        return 1
    if double_byte(ch):
        return 2
    return 2 if ord(ch) > 0xFFFF else 1


def double_byte(ch):
    return ord(ch) >= 0x80 and ("\ue000" <= ch <= "\ue765" or ch.encode("gbk", errors="replace") != b"?")


def straddle_chunks(lines, eol):
    """Puts a double-byte character across every 4,096-byte boundary of every 50-line page (page bytes counted
    in code page 936 from the page's start): where none lies across, ASCII digits go into the paragraph
    before the nearest double-byte character ahead of the boundary, which moves it onto the boundary. Heading
    lines are left alone."""
    for first in range(0, len(lines), LINES_PER_PAGE):
        page = range(first, min(first + LINES_PER_PAGE, len(lines)))
        boundary = CHUNK
        while True:
            offset, best, across, length = 0, None, False, 0
            for i in page:
                for j, ch in enumerate(lines[i]):
                    w = cp936_len(ch)
                    dbcs = w == 2 and double_byte(ch)
                    if dbcs and offset == boundary - 1:
                        across = True
                    if dbcs and offset < boundary - 1 and not HEADING.match(lines[i]):
                        best = (i, j, offset)
                    offset += w
                offset += len(eol)
            length = offset
            if boundary >= length:
                break
            if not across:
                if best is None:
                    raise SystemExit("bookgen: no double-byte character before byte %d of a page" % boundary)
                i, j, at = best
                lines[i] = lines[i][:j] + "7" * (boundary - 1 - at) + lines[i][j:]
                continue  # checked again, the page has grown
            boundary += CHUNK
    return lines


def encode(text, encoding):
    if encoding == "gbk":
        return text.encode("gbk")
    if encoding == "utf8":
        return text.encode("utf-8")
    if encoding == "utf8bom":
        return b"\xef\xbb\xbf" + text.encode("utf-8")
    if encoding == "utf16le":
        return b"\xff\xfe" + text.encode("utf-16-le")
    if encoding == "utf16be":
        return b"\xfe\xff" + text.encode("utf-16-be")
    raise SystemExit("unknown encoding " + encoding)


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("file")
    ap.add_argument("--encoding", default="gbk")
    ap.add_argument("--eol", default="lf", choices=["lf", "crlf"])
    ap.add_argument("--chapters", type=int, default=8)
    ap.add_argument("--paragraphs", type=int, default=30)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--target-bytes", type=int, default=0, help="keep adding chapters up to this size")
    ap.add_argument("--megabytes", type=float, default=0,
                    help="keep adding chapters until the file, in its encoding, holds this many megabytes")
    ap.add_argument("--straddle-chunks", action="store_true",
                    help="a double-byte character across every 4,096-byte boundary of each 50-line page")
    a = ap.parse_args(argv)
    rng = random.Random(a.seed)
    target, measure = a.target_bytes, gbk_len
    if a.megabytes:
        target = int(a.megabytes * 1024 * 1024)
        mark = {"utf8bom": 3, "utf16le": 2, "utf16be": 2}.get(a.encoding, 0)
        measure = lambda p: len(encode(p, a.encoding)) - mark
    lines = make_text(rng, a.chapters, a.paragraphs, a.encoding != "gbk", target, measure)
    eol = "\r\n" if a.eol == "crlf" else "\n"
    if a.straddle_chunks:
        lines = straddle_chunks(lines, eol)
    text = eol.join(lines) + eol
    with open(a.file, "wb") as f:
        f.write(encode(text, a.encoding))


if __name__ == "__main__":
    main(sys.argv[1:])
