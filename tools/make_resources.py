#!/usr/bin/env python3
"""Draws the program's icons and bitmaps and writes them under res/ as .ico and .bmp files.

Pure standard library. The results are committed, so the build never runs this script:
    python3 tools/make_resources.py            # redraw everything into res/
    python3 tools/make_resources.py --check    # read the files back and check their layout
    python3 tools/make_resources.py --png DIR  # also write PNG previews (for looking at the icons)

Every pictogram is drawn in a 24 x 24 design grid, filled at 8 x 8 sub-pixels per pixel and averaged
down, so the 19-pixel and 24-pixel images come from the same drawing.
"""

import math
import os
import struct
import sys
import zlib

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
SUPERSAMPLE = 8

# ---------------------------------------------------------------------------------------------
# Geometry: shapes are lists of closed contours (lists of (x, y) in design units); a shape is
# filled even-odd, so a contour inside another one cuts a hole.


def rect(x0, y0, x1, y1):
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]]


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    """Points on an elliptic arc from angle a0 to a1 (degrees, y grows downwards)."""
    if steps is None:
        steps = max(8, int(abs(a1 - a0) / 6))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def circle(cx, cy, r):
    return [arc_points(cx, cy, r, r, 0, 360, 72)[:-1]]


def ellipse(cx, cy, rx, ry):
    return [arc_points(cx, cy, rx, ry, 0, 360, 72)[:-1]]


def rrect(x0, y0, x1, y1, r):
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = []
    pts += arc_points(x1 - r, y0 + r, r, r, -90, 0, 8)
    pts += arc_points(x1 - r, y1 - r, r, r, 0, 90, 8)
    pts += arc_points(x0 + r, y1 - r, r, r, 90, 180, 8)
    pts += arc_points(x0 + r, y0 + r, r, r, 180, 270, 8)
    return [pts]


def poly(*pts):
    return [list(pts)]


def stroke(points, width, closed=False):
    """A polyline of the given width with round joins and caps, as a list of shapes."""
    shapes = []
    pts = list(points) + ([points[0]] if closed else [])
    h = width / 2.0
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        dx, dy = xb - xa, yb - ya
        length = math.hypot(dx, dy)
        if length == 0:
            continue
        nx, ny = -dy / length * h, dx / length * h
        shapes.append([[(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)]])
    for x, y in pts:
        shapes.append(circle(x, y, h))
    return shapes


def stroke_butt(points, width):
    """A polyline of the given width with flat ends, drawn as separate segments."""
    shapes = []
    h = width / 2.0
    for (xa, ya), (xb, yb) in zip(points, points[1:]):
        dx, dy = xb - xa, yb - ya
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * h, dx / length * h
        shapes.append([[(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)]])
    return shapes


def transform(shape, fn):
    return [[fn(x, y) for x, y in contour] for contour in shape]


def rotate(shape, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return transform(shape, lambda x, y: (cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c))


# ---------------------------------------------------------------------------------------------
# Raster: a canvas of straight (non-premultiplied) RGBA floats at sub-pixel resolution.


class Canvas:
    def __init__(self, size, design=24.0, ss=SUPERSAMPLE):
        self.size = size
        self.ss = ss
        self.n = size * ss
        self.scale = self.n / design
        self.origin = (0.0, 0.0)  # design-unit offset added to every point painted
        self.r = [0.0] * (self.n * self.n)
        self.g = [0.0] * (self.n * self.n)
        self.b = [0.0] * (self.n * self.n)
        self.a = [0.0] * (self.n * self.n)

    def _coverage(self, shape):
        """Set of sub-pixel indices covered by one even-odd shape."""
        n, sc = self.n, self.scale
        ox, oy = self.origin
        edges = []
        for contour in shape:
            m = len(contour)
            for i in range(m):
                x0, y0 = contour[i]
                x1, y1 = contour[(i + 1) % m]
                if y0 != y1:
                    edges.append(((x0 + ox) * sc, (y0 + oy) * sc, (x1 + ox) * sc, (y1 + oy) * sc))
        if not edges:
            return set()
        ymin = max(0, int(min(min(e[1], e[3]) for e in edges)))
        ymax = min(n - 1, int(max(max(e[1], e[3]) for e in edges)) + 1)
        covered = set()
        for row in range(ymin, ymax + 1):
            yc = row + 0.5
            xs = []
            for x0, y0, x1, y1 in edges:
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            base = row * n
            for i in range(0, len(xs) - 1, 2):
                start = max(0, int(math.ceil(xs[i] - 0.5)))
                end = min(n - 1, int(math.floor(xs[i + 1] - 0.5)))
                for col in range(start, end + 1):
                    covered.add(base + col)
        return covered

    def mask(self, shapes, minus=()):
        cov = set()
        for shape in shapes:
            cov |= self._coverage(shape)
        for shape in minus:
            cov -= self._coverage(shape)
        return cov

    def paint(self, shapes, colour, minus=(), alpha=1.0):
        """Paint the union of shapes (less the union of minus) with a colour or a vertical gradient.

        colour is (r, g, b) or ((r, g, b) top, (r, g, b) bottom, y_top, y_bottom) in design units."""
        cov = self.mask(shapes, minus)
        n, sc = self.n, self.scale
        if len(colour) == 4:
            top, bottom, yt, yb = colour
        else:
            top = bottom = colour
            yt, yb = 0.0, 1.0
        row_cache = {}
        for idx in cov:
            row = idx // n
            c = row_cache.get(row)
            if c is None:
                t = ((row + 0.5) / sc - self.origin[1] - yt) / (yb - yt) if yb != yt else 0.0
                t = min(1.0, max(0.0, t))
                c = tuple(top[k] + (bottom[k] - top[k]) * t for k in range(3))
                row_cache[row] = c
            da = self.a[idx]
            out_a = alpha + da * (1.0 - alpha)
            if out_a <= 0:
                continue
            f = alpha / out_a
            self.r[idx] = c[0] * f + self.r[idx] * (1 - f)
            self.g[idx] = c[1] * f + self.g[idx] * (1 - f)
            self.b[idx] = c[2] * f + self.b[idx] * (1 - f)
            self.a[idx] = out_a

    def pixels(self):
        """Rows top-down of (r, g, b, a) bytes, averaged over each pixel's sub-pixels."""
        n, ss, size = self.n, self.ss, self.size
        area = ss * ss
        rows = []
        for py in range(size):
            row = []
            for px in range(size):
                sr = sg = sb = sa = 0.0
                for sy in range(py * ss, py * ss + ss):
                    base = sy * n + px * ss
                    for idx in range(base, base + ss):
                        a = self.a[idx]
                        if a:
                            sr += self.r[idx] * a
                            sg += self.g[idx] * a
                            sb += self.b[idx] * a
                            sa += a
                if sa <= 0:
                    row.append((0, 0, 0, 0))
                    continue
                alpha = sa / area
                row.append((round(sr / sa), round(sg / sa), round(sb / sa), min(255, round(alpha * 255))))
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------------------------
# Palette shared by every pictogram: a saturated fill with a darker outline of the same hue.

INK = (40, 52, 72)
PAPER = (253, 253, 248)
PAPER_EDGE = (96, 108, 128)
TEXT_LINE = (132, 140, 156)
BLUE = (52, 120, 206)
BLUE_DARK = (24, 66, 132)
BLUE_LIGHT = (170, 206, 245)
GREEN = (74, 170, 70)
GREEN_DARK = (30, 100, 34)
RED = (222, 58, 52)
RED_DARK = (140, 24, 22)
ORANGE = (242, 150, 36)
ORANGE_DARK = (150, 82, 10)
GOLD = (250, 200, 40)
GOLD_DARK = (160, 110, 0)
BROWN = (150, 96, 52)
BROWN_DARK = (90, 54, 24)
OUTLINE = 1.3


def lighter(c, t=0.35):
    return tuple(round(v + (255 - v) * t) for v in c)


def grad(c, y0, y1):
    return (lighter(c, 0.3), c, y0, y1)


def outlined(cv, shapes, fill, edge, width=OUTLINE, minus=()):
    """Fill shapes, then trace their contours with the edge colour."""
    cv.paint(shapes, fill, minus)
    lines = []
    for shape in shapes:
        for contour in shape:
            lines += stroke(contour, width, closed=True)
    cv.paint(lines, edge, minus)


def page(cv, x0, y0, x1, y1, lines=(), line_x=None):
    outlined(cv, [rrect(x0, y0, x1, y1, 1.2)], PAPER, PAPER_EDGE, 1.2)
    lx0, lx1 = line_x if line_x else (x0 + 2.5, x1 - 2.5)
    cv.paint([s for y in lines for s in stroke_butt([(lx0, y), (lx1, y)], 1.5)], TEXT_LINE)


# ---------------------------------------------------------------------------------------------
# Pictograms (24 x 24 design grid).


def draw_library(cv):
    # Four books on a shelf; the last one leans on its neighbour.
    books = [
        (2.5, 6.0, 6.5, BLUE, BLUE_DARK),
        (6.5, 3.5, 10.5, RED, RED_DARK),
        (10.5, 7.0, 14.0, GREEN, GREEN_DARK),
    ]
    for x0, top, x1, fill, edge in books:
        outlined(cv, [rect(x0, top, x1, 19.0)], grad(fill, top, 19), edge, 1.1)
        cv.paint([rect(x0 + 0.9, top + 2.0, x1 - 0.9, top + 3.0)], lighter(fill, 0.6))
    lean = rotate(rect(14.6, 5.5, 18.4, 19.0), 18.4, 19.0, 20)
    outlined(cv, [lean], grad(ORANGE, 5, 19), ORANGE_DARK, 1.1)
    cv.paint([rotate(rect(15.5, 7.5, 17.5, 8.5), 18.4, 19.0, 20)], lighter(ORANGE, 0.6))
    outlined(cv, [rect(1.0, 18.8, 23.0, 21.8)], grad(BROWN, 18.8, 21.8), BROWN_DARK, 1.1)


def draw_open_book(cv):
    # Cover peeking under two curved pages, text lines on both pages.
    cover = poly((1.0, 7.0), (12.0, 8.5), (23.0, 7.0), (23.0, 20.5), (12.0, 22.0), (1.0, 20.5))
    outlined(cv, [cover], BLUE, BLUE_DARK, 1.1)
    left = [[(12.0, 19.6)] + arc_points(7.0, 18.2, 5.0, 1.6, 0, 180, 10)[1:] + [(2.0, 6.0)]
            + arc_points(7.0, 5.8, 5.0, 1.6, 180, 360, 10)[1:]]
    right = transform(left, lambda x, y: (24.0 - x, y))
    outlined(cv, [left, right], PAPER, PAPER_EDGE, 1.1)
    lines = []
    for y in (9.0, 12.0, 15.0):
        lines += stroke_butt([(4.0, y), (10.2, y + 0.4)], 1.3)
        lines += stroke_butt([(13.8, y + 0.4), (20.0, y)], 1.3)
    cv.paint(lines, TEXT_LINE)
    cv.paint(stroke_butt([(12.0, 5.2), (12.0, 19.6)], 1.1), PAPER_EDGE)


def draw_bookmark(cv):
    ribbon = poly((5.5, 1.5), (18.5, 1.5), (18.5, 22.5), (12.0, 16.5), (5.5, 22.5))
    outlined(cv, [ribbon], grad(RED, 1.5, 22.5), RED_DARK, 1.3)
    plus = stroke_butt([(12.0, 5.0), (12.0, 13.0)], 2.6) + stroke_butt([(8.0, 9.0), (16.0, 9.0)], 2.6)
    cv.paint(plus, (255, 255, 255))


def draw_moon(cv):
    night = ((36, 60, 120), (20, 34, 80), 1, 23)
    cv.paint([rrect(1.0, 1.0, 23.0, 23.0, 4.0)], night)
    outer = circle(11.0, 13.0, 8.5)
    bite = circle(15.5, 9.0, 7.0)
    cv.paint([outer], GOLD_DARK, minus=[bite])
    cv.paint([circle(11.0, 13.0, 7.3)], ((255, 236, 120), GOLD, 4, 21), minus=[circle(15.5, 9.0, 8.2)])
    star = []
    for cx, cy, r in ((18.5, 15.5, 2.8), (14.0, 4.5, 1.8)):
        pts = []
        for i in range(8):
            rad = r if i % 2 == 0 else r * 0.32
            a = math.radians(-90 + i * 45)
            pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
        star.append([pts])
    cv.paint(star, (255, 250, 210))


def letter_a(height, x0, baseline, width):
    top = baseline - height
    w = width
    legs = [(x0, baseline), (x0 + w / 2, top), (x0 + w, baseline)]
    bar_y = baseline - height * 0.34
    inset = w / 2 * 0.34 + 0.2  # where the legs pass the bar's height
    bar = [(x0 + inset, bar_y), (x0 + w - inset, bar_y)]
    return legs, bar


def badge(cv, sign, fill, edge):
    outlined(cv, [circle(18.0, 17.5, 5.3)], grad(fill, 12, 23), edge, 1.1)
    marks = stroke_butt([(15.2, 17.5), (20.8, 17.5)], 2.2)
    if sign == "+":
        marks += stroke_butt([(18.0, 14.7), (18.0, 20.3)], 2.2)
    cv.paint(marks, (255, 255, 255))


def draw_font_smaller(cv):
    legs, bar = letter_a(12.0, 2.0, 15.0, 10.0)
    cv.paint(stroke(legs, 2.6) + stroke(bar, 2.2), BLUE_DARK)
    badge(cv, "-", RED, RED_DARK)


def draw_font_larger(cv):
    legs, bar = letter_a(19.0, 1.5, 21.0, 14.0)
    cv.paint(stroke(legs, 2.8) + stroke(bar, 2.4), BLUE_DARK)
    badge(cv, "+", GREEN, GREEN_DARK)


def arrow_head(x, y, direction, size=3.6):
    """A filled triangle pointing up (-1) or down (+1) with its tip at (x, y)."""
    return poly((x, y), (x + size, y - direction * size), (x - size, y - direction * size))


def draw_spacing(cv, wider):
    ys = (4.0, 12.0, 20.0) if wider else (8.0, 12.0, 16.0)
    cv.paint([s for y in ys for s in stroke_butt([(10.0, y), (22.5, y)], 2.2)], INK)
    x = 5.0
    if wider:
        shaft = stroke_butt([(x, 6.0), (x, 18.0)], 1.9)
        heads = [arrow_head(x, 1.8, -1), arrow_head(x, 22.2, 1)]
    else:
        shaft = stroke_butt([(x, 1.5), (x, 6.5)], 1.9) + stroke_butt([(x, 17.5), (x, 22.5)], 1.9)
        shaft += stroke_butt([(2.0, 12.0), (8.0, 12.0)], 1.5)
        heads = [arrow_head(x, 10.2, 1), arrow_head(x, 13.8, -1)]
    cv.paint(shaft + heads, BLUE)


def draw_spacing_smaller(cv):
    draw_spacing(cv, False)


def draw_spacing_larger(cv):
    draw_spacing(cv, True)


def draw_paging(cv):
    # A page between two arrows chasing each other round it.
    page(cv, 8.2, 7.2, 15.8, 16.8, (10.0, 12.0, 14.0), (9.9, 14.1))
    arcs = stroke(arc_points(12.0, 12.0, 9.0, 9.0, 200, 322, 24), 2.4)
    arcs += stroke(arc_points(12.0, 12.0, 9.0, 9.0, 20, 142, 24), 2.4)
    heads = []
    for ang in (322, 142):
        a = math.radians(ang)
        tip_dir = math.radians(ang + 90)
        cx, cy = 12.0 + 9.0 * math.cos(a), 12.0 + 9.0 * math.sin(a)
        tx, ty = math.cos(tip_dir), math.sin(tip_dir)
        ox, oy = math.cos(a), math.sin(a)
        heads.append(poly((cx + tx * 3.6, cy + ty * 3.6), (cx + ox * 3.4, cy + oy * 3.4),
                          (cx - ox * 3.4, cy - oy * 3.4)))
    cv.paint(arcs + heads, GREEN)


def draw_records(cv):
    outlined(cv, [circle(12.0, 12.0, 10.0)], ((255, 255, 255), (226, 236, 250), 2, 22), BLUE_DARK, 1.8)
    ticks = []
    for i in range(12):
        a = math.radians(i * 30)
        inner = 7.0 if i % 3 == 0 else 7.9
        ticks += stroke_butt([(12 + inner * math.cos(a), 12 + inner * math.sin(a)),
                              (12 + 8.6 * math.cos(a), 12 + 8.6 * math.sin(a))], 1.3 if i % 3 == 0 else 0.9)
    cv.paint(ticks, BLUE_DARK)
    cv.paint(stroke([(12.0, 12.0), (12.0, 5.8)], 1.9) + stroke([(12.0, 12.0), (16.2, 14.2)], 1.9), INK)
    cv.paint([circle(12.0, 12.0, 1.5)], RED)


def draw_sidebar(cv):
    outlined(cv, [rrect(1.5, 2.5, 22.5, 21.5, 1.8)], (255, 255, 255), INK, 1.3)
    cv.paint([rect(2.2, 3.2, 21.8, 6.5)], (BLUE_LIGHT, BLUE, 3, 6.5))
    cv.paint([rect(2.2, 6.5, 9.0, 20.8)], (208, 226, 248))
    cv.paint(stroke_butt([(9.0, 6.5), (9.0, 21.0)], 1.2), INK)
    cv.paint([s for y in (9.5, 12.5, 15.5) for s in stroke_butt([(3.7, y), (7.5, y)], 1.4)], BLUE)
    cv.paint([s for y in (10.0, 13.5, 17.0) for s in stroke_butt([(11.0, y), (20.0, y)], 1.3)], TEXT_LINE)


def draw_full_screen(cv):
    cv.paint([rrect(6.5, 7.5, 17.5, 16.5, 1.0)], (BLUE_LIGHT, BLUE, 7.5, 16.5))
    corners = [
        [(1.8, 8.0), (1.8, 1.8), (8.0, 1.8)],
        [(16.0, 1.8), (22.2, 1.8), (22.2, 8.0)],
        [(22.2, 16.0), (22.2, 22.2), (16.0, 22.2)],
        [(8.0, 22.2), (1.8, 22.2), (1.8, 16.0)],
    ]
    shapes = []
    for c in corners:
        shapes += stroke(c, 2.6)
    cv.paint(shapes, INK)


def draw_auto_scroll(cv):
    page(cv, 2.0, 1.5, 15.0, 21.0, (5.5, 8.5, 11.5, 14.5, 17.5), (4.5, 12.5))
    arrow = poly((15.3, 8.0), (19.7, 8.0), (19.7, 14.5), (23.0, 14.5), (17.5, 22.5), (12.0, 14.5),
                 (15.3, 14.5))
    outlined(cv, [arrow], grad(GREEN, 8, 22.5), GREEN_DARK, 1.1)


def draw_edit_mode(cv):
    # A pencil across the grid, tip at the lower left, over a writing line.
    cv.paint(stroke_butt([(3.0, 22.3), (21.0, 22.3)], 1.2), TEXT_LINE)
    c, ang = (12.0, 12.0), -45

    def part(shape):
        return rotate(shape, c[0], c[1], ang)

    body = part(rect(6.5, 9.2, 18.5, 14.8))
    outlined(cv, [body], ((255, 214, 90), ORANGE, 9.2, 14.8), ORANGE_DARK, 1.1)
    cv.paint([part(rect(7.0, 11.6, 18.0, 12.4))], lighter(ORANGE, 0.5))
    band = part(rect(18.5, 9.2, 19.8, 14.8))
    outlined(cv, [band], (190, 190, 200), (90, 90, 100), 1.0)
    eraser = part(rrect(19.8, 9.2, 23.0, 14.8, 1.2))
    outlined(cv, [eraser], (240, 130, 150), (150, 50, 70), 1.0)
    wood = part(poly((6.5, 9.2), (6.5, 14.8), (1.2, 12.0)))
    outlined(cv, [wood], (240, 210, 160), BROWN_DARK, 1.0)
    cv.paint([part(poly((3.1, 11.0), (3.1, 13.0), (1.2, 12.0)))], INK)


def draw_contents(cv):
    page(cv, 2.0, 1.5, 22.0, 22.5)
    for y in (6.5, 12.0, 17.5):
        cv.paint([rrect(4.6, y - 1.6, 7.8, y + 1.6, 0.6)], BLUE)
        cv.paint(stroke_butt([(9.8, y), (19.5, y)], 1.7), INK)


def draw_program(cv):
    # Grass-green tile with a white open book: the colours of the default reading page.
    tile = ((120, 200, 110), (40, 140, 60), 1, 23)
    outlined(cv, [rrect(1.0, 1.0, 23.0, 23.0, 4.5)], tile, (24, 92, 36), 1.0)
    left = [[(12.0, 18.6)] + arc_points(7.3, 17.4, 4.7, 1.4, 0, 180, 10)[1:] + [(2.6, 6.6)]
            + arc_points(7.3, 6.4, 4.7, 1.4, 180, 360, 10)[1:]]
    right = transform(left, lambda x, y: (24.0 - x, y))
    cv.paint([left, right], (255, 255, 255))
    lines = []
    for y in (9.0, 11.8, 14.6):
        lines += stroke_butt([(4.4, y), (10.3, y + 0.3)], 1.2)
        lines += stroke_butt([(13.7, y + 0.3), (19.6, y)], 1.2)
    cv.paint(lines, (120, 170, 120))
    cv.paint(stroke_butt([(12.0, 5.6), (12.0, 18.8)], 0.9), (40, 120, 50))


# Resource id -> (file name, drawing). Names follow the ids in res/resource.h.
TOOLBAR_ICONS = [
    (148, "library", draw_library),
    (143, "open", draw_open_book),
    (144, "add_bookmark", draw_bookmark),
    (151, "night", draw_moon),
    (146, "font_smaller", draw_font_smaller),
    (153, "font_larger", draw_font_larger),
    (147, "spacing_smaller", draw_spacing_smaller),
    (142, "spacing_larger", draw_spacing_larger),
    (145, "paging", draw_paging),
    (152, "records", draw_records),
    (150, "sidebar", draw_sidebar),
    (149, "full_screen", draw_full_screen),
    (168, "auto_scroll", draw_auto_scroll),
    (169, "edit_mode", draw_edit_mode),
    (185, "contents", draw_contents),
]
TOOLBAR_SIZES = (24, 19)
PROGRAM_SIZES = (48, 32, 24, 19, 16)


def render(draw, size):
    cv = Canvas(size)
    draw(cv)
    return cv.pixels()


# ---------------------------------------------------------------------------------------------
# File formats.


def bmp24(rows):
    """A bottom-up 24-bit BMP file from top-down rows of (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    return head + info + bytes(body)


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA colour (straight alpha) and the AND mask."""
    h, w = len(rows), len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a)) if a else b"\0\0\0\0"
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico(images):
    """An .ico file from a list of top-down RGBA row lists."""
    blobs = [icon_image(rows) for rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        w, h = len(rows[0]), len(rows)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def png(rows):
    """A PNG file from top-down RGBA rows (previews only)."""
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px if len(px) == 4 else tuple(px) + (255,))

    def chunk(tag, data):
        crc = zlib.crc32(tag + data) & 0xFFFFFFFF
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", crc)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# Bitmaps.

KEY = (255, 0, 255)  # transparent colour of the skin strip
SKIN_W, SKIN_H, SKIN_FRAMES = 275, 22, 5
SKIN_MARGINS = {"top": 5, "bottom": 5, "left": 5, "right": 4}

# Per frame: border colour, inner ring colour (or None), fill colour at the top and at the bottom.
SKIN_LOOKS = [
    ((112, 140, 180), (255, 255, 255), (252, 253, 255), (214, 226, 244)),  # 0 normal
    ((58, 100, 160), None, (188, 206, 234), (226, 236, 250)),  # 1 pressed
    ((176, 176, 176), None, (242, 242, 242), (230, 230, 230)),  # 2 disabled
    ((40, 120, 210), (150, 196, 244), (248, 251, 255), (204, 224, 250)),  # 3 focused
    ((200, 150, 60), (255, 250, 232), (255, 248, 226), (250, 222, 160)),  # 4 spare (hover look)
]


def skin_frame(look):
    """One 55 x 22 frame: a rounded button on the key colour, all borders inside the nine-slice margins."""
    border, ring, top, bottom = look
    w, h = SKIN_W // SKIN_FRAMES, SKIN_H
    rows = []
    for y in range(h):
        t = y / (h - 1)
        fill = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        row = []
        for x in range(w):
            # Distance to the nearest left/right and top/bottom edge decides corner cut and border.
            dx = min(x, w - 1 - x)
            dy = min(y, h - 1 - y)
            if (dx == 0 and dy <= 1) or (dy == 0 and dx <= 1):
                row.append(KEY)
            elif dx == 0 or dy == 0 or (dx == 1 and dy == 1):
                row.append(border)
            elif ring and (dx == 1 or dy == 1 or (dx == 2 and dy == 2)):
                row.append(ring)
            else:
                row.append(fill)
        rows.append(row)
    return rows


def skin_strip():
    frames = [skin_frame(look) for look in SKIN_LOOKS]
    return [sum((f[y] for f in frames), []) for y in range(SKIN_H)]


def band_background():
    """32 x 64 gentle vertical gradient for the tool-bar band (tiled by the rebar)."""
    top, bottom = (252, 253, 255), (212, 226, 246)
    rows = []
    for y in range(64):
        t = y / 63
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        rows.append([c] * 32)
    return rows


def about_picture():
    """96 x 96 picture for the About box: the program's tile on a pale sky above a green hill."""
    cv = Canvas(96, design=32.0)
    cv.paint([rect(0, 0, 32, 32)], ((200, 226, 255), (250, 252, 255), 0, 26))
    cv.paint([ellipse(16.0, 33.0, 22.0, 6.5)], ((170, 220, 160), (120, 190, 110), 26, 32))
    cv.origin = (4.0, 2.5)
    draw_program(cv)
    return [[(r, g, b) for r, g, b, _ in row] for row in cv.pixels()]


# ---------------------------------------------------------------------------------------------
# Reading back, for --check.


def read_bmp(data):
    magic, _, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    size, w, h, planes, bpp = struct.unpack_from("<IiiHH", data, 14)
    assert magic == b"BM" and size == 40 and planes == 1, "not a plain BMP"
    stride = (w * bpp // 8 + 3) & ~3
    rows = []
    for y in range(abs(h)):
        src = offset + (abs(h) - 1 - y if h > 0 else y) * stride
        rows.append([tuple(data[src + x * 3 + 2 - k] for k in range(3)) for x in range(w)])
    return w, abs(h), bpp, rows


def read_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == 1, "not an icon file"
    entries = []
    for i in range(count):
        w, h, _, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        hsize, bw, bh, _, bbpp = struct.unpack_from("<IiiHH", data, offset)
        assert hsize == 40 and bw == (w or 256) and bh == 2 * (h or 256) and bbpp == bpp == 32
        mask_stride = ((bw + 31) // 32) * 4
        assert length == 40 + bw * bw * 4 + mask_stride * bw, "image length"
        alphas = [data[offset + 40 + p * 4 + 3] for p in range(bw * bw)]
        entries.append((bw, bpp, alphas))
    return entries


class Checker:
    def __init__(self):
        self.passed = 0
        self.faults = []

    def expect(self, ok, fault):
        if ok:
            self.passed += 1
        else:
            self.faults.append(fault)


def check_skin(c, rows):
    fw, h, m = SKIN_W // SKIN_FRAMES, SKIN_H, SKIN_MARGINS
    for f in range(SKIN_FRAMES):
        frame = [row[f * fw:(f + 1) * fw] for row in rows]
        for cx, cy in ((0, 0), (fw - 1, 0), (0, h - 1), (fw - 1, h - 1)):
            c.expect(frame[cy][cx] == KEY, f"skin frame {f}: corner ({cx},{cy}) is not the key colour")
        # The key colour may only cut the four unscaled corners, or holes would appear when stretched.
        stray = [(x, y) for y in range(h) for x in range(fw) if frame[y][x] == KEY
                 and not ((x < m["left"] or x >= fw - m["right"]) and (y < m["top"] or y >= h - m["bottom"]))]
        c.expect(not stray, f"skin frame {f}: key colour outside the corners at {stray[:3]}")
        # The stretched middle columns must be alike, so that stretching keeps the picture.
        uneven = [y for y in range(h) if len(set(frame[y][m["left"]:fw - m["right"]])) != 1]
        c.expect(not uneven, f"skin frame {f}: rows {uneven[:3]} vary across the stretched middle")
        # The outline lies in the margins: the first opaque pixel of the middle row is in the left margin.
        mid = frame[h // 2]
        c.expect(mid[0] != mid[m["left"]] and mid[fw - 1] != mid[fw - 1 - m["right"]],
                 f"skin frame {f}: no border inside the side margins")


def check():
    """Checks the committed files against what the program expects and against a fresh drawing."""
    c = Checker()

    def load(name):
        with open(os.path.join(RES_DIR, name), "rb") as f:
            return f.read()

    fresh = generate()
    for name, data in fresh.items():
        c.expect(load(name) == data, f"{name} differs from what the generator draws now")

    for rid, name, _ in TOOLBAR_ICONS + [(128, "program", None)]:
        fname = f"icons/{name}.ico"
        entries = read_ico(load(fname))
        sizes = [e[0] for e in entries]
        want = PROGRAM_SIZES if rid == 128 else TOOLBAR_SIZES
        c.expect(sorted(sizes) == sorted(want), f"{fname}: sizes {sizes}, want {list(want)}")
        for size, _, alphas in entries:
            opaque = sum(1 for a in alphas if a >= 128)
            c.expect(0.15 * size * size <= opaque <= 0.95 * size * size,
                     f"{fname} {size}px: {opaque} opaque pixels, drawing missing or boxy")
            c.expect(not all(a in (0, 255) for a in alphas), f"{fname} {size}px: no soft edges in the alpha")

    w, h, bpp, rows = read_bmp(load("skin_button.bmp"))
    c.expect((w, h, bpp) == (SKIN_W, SKIN_H, 24), f"skin_button.bmp: {w}x{h}x{bpp}, want 275x22x24")
    if (w, h) == (SKIN_W, SKIN_H):
        check_skin(c, rows)
    w, h, bpp, _ = read_bmp(load("band.bmp"))
    c.expect(bpp == 24 and h >= 32, f"band.bmp: {w}x{h}x{bpp}")
    w, h, bpp, _ = read_bmp(load("about.bmp"))
    c.expect((w, h, bpp) == (96, 96, 24), f"about.bmp: {w}x{h}x{bpp}")
    return c


# ---------------------------------------------------------------------------------------------


def write(name, data):
    path = os.path.join(RES_DIR, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def generate():
    """Every generated file: name under res/ -> contents."""
    files = {}
    for _, name, draw in TOOLBAR_ICONS:
        files[f"icons/{name}.ico"] = ico([render(draw, s) for s in TOOLBAR_SIZES])
    files["icons/program.ico"] = ico([render(draw_program, s) for s in PROGRAM_SIZES])
    files["skin_button.bmp"] = bmp24(skin_strip())
    files["band.bmp"] = bmp24(band_background())
    files["about.bmp"] = bmp24(about_picture())
    return files


def write_previews(folder):
    os.makedirs(folder, exist_ok=True)
    for _, name, draw in TOOLBAR_ICONS + [(128, "program", draw_program)]:
        for size in TOOLBAR_SIZES:
            with open(os.path.join(folder, f"{name}_{size}.png"), "wb") as f:
                f.write(png(render(draw, size)))
    with open(os.path.join(folder, "skin.png"), "wb") as f:
        f.write(png(skin_strip()))
    with open(os.path.join(folder, "about.png"), "wb") as f:
        f.write(png(about_picture()))


def main(argv):
    if "--check" in argv:
        c = check()
        for fault in c.faults:
            print("FAULT:", fault)
        print(f"{c.passed} passed, {len(c.faults)} failed")
        return 1 if c.faults else 0
    for name, data in generate().items():
        write(name, data)
    if "--png" in argv:
        write_previews(argv[argv.index("--png") + 1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
