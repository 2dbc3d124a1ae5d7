#!/usr/bin/env python3
"""Writes the bundled sample novel: a preface and numbered chapters of made-up prose, GBK, CR LF line ends.

The text comes from a fixed word list and a fixed-seed generator of our own, so every run writes the same
bytes: samples/sample.txt is this script's output.

    python3 tools/make_sample_book.py [--chapters 40] [--out samples/sample.txt] [--encoding gbk]
"""

import argparse
import sys

DIGITS = "零一二三四五六七八九"

PEOPLE = ["林远", "沈青禾", "老周", "苏婉", "陆明川", "小七", "韩先生", "阿月"]
PLACES = ["江南小镇", "北城", "青石巷", "渡口", "山间书院", "旧茶馆", "河堤", "城外的驿站"]
SEASONS = ["清晨", "黄昏", "夜里", "雨后", "冬天", "春天", "秋天", "午后"]
TIMES = ["清晨", "黄昏", "半夜", "雨后", "那一年的冬天", "第二天一早", "过了许久", "月亮升起的时候"]
ACTIONS = [
    "推开了木门", "望着远处的灯火", "把信折好放进袖中", "在桌边坐了下来", "轻轻叹了一口气",
    "沿着石阶慢慢走去", "翻开那本发黄的旧书", "给炉子添了些炭", "抬头看了看天色", "把伞靠在墙角",
]
THOUGHTS = [
    "心里却想着别的事情", "不知道该说些什么", "仿佛听见了远方的钟声", "觉得这一切都似曾相识",
    "忽然明白了他的意思", "决定明天再去一趟", "只觉得夜风有些凉", "想起了小时候的事",
]
SAYINGS = [
    "路总是要一步一步走的。", "今天的雨下得真大。", "你来得正好，茶刚泡上。", "这件事，我们明天再说吧。",
    "书里写的，未必都是假的。", "等天晴了，我带你去看看。", "人这一辈子，总要做一件自己喜欢的事。",
]
TITLES = [
    "初到小镇", "雨夜来客", "旧书", "渡口", "茶馆里的故事", "书院", "北上", "信", "冬至", "灯火",
    "河堤上的人", "重逢", "远行", "归来", "夜谈", "山路", "故人", "春分", "驿站", "尾声",
]


class Lcg:
    """A small linear congruential generator: the same sequence on every Python."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % n

    def pick(self, items):
        return items[self.next(len(items))]


def chinese_number(n):
    """1 -> 一, 10 -> 十, 21 -> 二十一, 105 -> 一百零五 (up to 9999)."""
    if n <= 0 or n > 9999:
        raise ValueError(n)
    units = [(1000, "千"), (100, "百"), (10, "十")]
    out = ""
    zero = False
    for value, name in units:
        d = n // value
        n %= value
        if d:
            if zero:
                out += "零"
                zero = False
            if not (value == 10 and d == 1 and not out):
                out += DIGITS[d]
            out += name
        elif out:
            zero = True
    if n:
        if zero:
            out += "零"
        out += DIGITS[n]
    return out


def sentence(rng):
    kind = rng.next(4)
    who = rng.pick(PEOPLE)
    if kind == 0:
        return f"{rng.pick(TIMES)}，{who}{rng.pick(ACTIONS)}，{rng.pick(THOUGHTS)}。"
    if kind == 1:
        return f"{who}在{rng.pick(PLACES)}{rng.pick(ACTIONS)}。"
    if kind == 2:
        return f"{who}说：“{rng.pick(SAYINGS)}”"
    return f"{rng.pick(PLACES)}的{rng.pick(SEASONS)}总是很安静，{who}{rng.pick(THOUGHTS)}。"


def paragraph(rng):
    return "\u3000\u3000" + "".join(sentence(rng) for _ in range(2 + rng.next(4)))


def book(chapters, seed=20240601):
    rng = Lcg(seed)
    lines = ["序言", ""]
    lines += [paragraph(rng) for _ in range(6)]
    lines.append("")
    for k in range(1, chapters + 1):
        lines.append(f"第{chinese_number(k)}章 {TITLES[(k - 1) % len(TITLES)]}")
        lines.append("")
        lines += [paragraph(rng) for _ in range(60 + rng.next(30))]
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--chapters", type=int, default=40)
    parser.add_argument("--out", default="samples/sample.txt")
    parser.add_argument("--encoding", default="gbk")
    args = parser.parse_args(argv)
    data = book(args.chapters).encode(args.encoding)
    with open(args.out, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
