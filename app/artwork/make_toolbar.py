#!/usr/bin/env python3
"""Draws the tool bar's button pictures and the zoom cursor.

Run: python3 make_toolbar.py -> writes toolbar_small.bmp (26 cells of
16x16), toolbar_large.bmp (26 cells of 32x32) and zoom.cur beside it.
Every picture is drawn on a 16x16 grid; the large strip draws the same
shapes at twice the scale with thinner strokes where it helps.
"""
import math
import os
import struct

FACE = (192, 192, 192)
K = (0, 0, 0)
W = (255, 255, 255)
G = (128, 128, 128)
R = (200, 0, 0)
B = (0, 0, 160)
Y = (255, 224, 64)
N = (0, 128, 0)
C = (0, 128, 160)


class Cell:
    def __init__(self, scale):
        self.s = scale
        self.n = 16 * scale
        self.px = [[FACE] * self.n for _ in range(self.n)]

    def dot(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        s = self.s
        for y in range(int(y0 * s), int((y1 + 1) * s)):
            for x in range(int(x0 * s), int((x1 + 1) * s)):
                self.dot(x, y, c)

    def box(self, x0, y0, x1, y1, c, inside=None):
        if inside:
            self.fill(x0, y0, x1, y1, inside)
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        s = self.s
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * s * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            x = (x0 + (x1 - x0) * t) * s + (s - 1) / 2
            y = (y0 + (y1 - y0) * t) * s + (s - 1) / 2
            for dy in range(width * s // 2 + (1 if s == 1 else 0)):
                for dx in range(width * s // 2 + (1 if s == 1 else 0)):
                    self.dot(x + dx - (width * s // 4 if s > 1 else 0),
                             y + dy - (width * s // 4 if s > 1 else 0), c)

    def poly(self, pts, c, width=1):
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], c, width)

    def circle(self, cx, cy, r, c, inside=None):
        s = self.s
        for y in range(self.n):
            for x in range(self.n):
                d = math.hypot((x + 0.5) / s - cx - 0.5, (y + 0.5) / s - cy - 0.5)
                if inside and d < r - 0.7:
                    self.px[y][x] = inside
                if abs(d - r) < 0.6:
                    self.px[y][x] = c


def page(c, x0=3, y0=1, x1=12, y1=14):
    c.box(x0, y0, x1, y1, K, W)
    c.fill(x1 - 2, y0, x1, y0 + 2, FACE)
    c.poly([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], K)
    c.line(x1 - 3, y0, x1, y0 + 3, K)


def magnifier(c, sign):
    c.circle(6, 6, 4.5, K, W)
    c.line(9, 9, 14, 14, K, 2)
    c.line(4, 6, 8, 6, K)
    if sign == "+":
        c.line(6, 4, 6, 8, K)


def axes(c):
    c.poly([(2, 1), (2, 13), (14, 13)], K)


def curve(c, col=B):
    c.poly([(3, 11), (5, 7), (7, 5), (9, 6), (11, 9), (13, 4)], col)


PICTURES = []


def picture(f):
    PICTURES.append(f)
    return f


@picture
def new(c):
    page(c)


@picture
def open_(c):
    c.box(1, 4, 12, 13, K, Y)
    c.fill(2, 3, 5, 3, K)
    c.poly([(3, 7), (15, 7), (12, 13)], K)
    c.fill(4, 8, 13, 12, (224, 192, 32))


@picture
def save(c):
    c.box(1, 1, 14, 14, K, B)
    c.box(4, 1, 11, 6, K, W)
    c.fill(5, 9, 10, 14, G)
    c.fill(8, 10, 9, 13, K)


@picture
def print_(c):
    c.box(4, 1, 11, 6, K, W)
    c.box(1, 6, 14, 12, K, G)
    c.fill(3, 8, 4, 8, N)
    c.box(4, 10, 11, 14, K, W)


@picture
def copy_picture(c):
    c.box(1, 1, 9, 10, K, W)
    c.box(5, 5, 14, 14, K, W)
    c.poly([(6, 13), (8, 9), (10, 10), (13, 6)], R)


@picture
def paste(c):
    c.box(2, 2, 12, 14, K, (160, 96, 32))
    c.box(5, 1, 9, 3, K, G)
    c.box(6, 5, 14, 14, K, W)
    c.line(8, 8, 12, 8, G)
    c.line(8, 10, 12, 10, G)
    c.line(8, 12, 11, 12, G)


@picture
def erase(c):
    axes(c)
    curve(c)
    c.line(4, 3, 13, 12, R, 2)
    c.line(13, 3, 4, 12, R, 2)


@picture
def edit_data(c):
    c.box(1, 1, 11, 14, K, W)
    for y in (4, 7, 10):
        c.line(2, y, 10, y, G)
    c.line(6, 2, 6, 13, G)
    c.line(8, 13, 14, 5, (160, 96, 32), 2)
    c.dot(8 * c.s, 13 * c.s + c.s - 1, K)


@picture
def note(c):
    c.box(2, 2, 13, 13, K, Y)
    for y in (5, 7, 9):
        c.line(4, y, 11, y, K)
    c.line(4, 11, 8, 11, K)


@picture
def fonts(c):
    c.poly([(2, 14), (7, 1), (8, 1), (13, 14)], K, 2)
    c.line(4, 9, 11, 9, K, 2)


@picture
def no_grid(c):
    axes(c)
    curve(c)


@picture
def grid(c):
    axes(c)
    for v in (5, 8, 11, 14):
        c.line(v, 1, v, 12, G)
    for v in (1, 4, 7, 10):
        c.line(3, v, 14, v, G)
    curve(c)


@picture
def box_(c):
    c.box(2, 1, 14, 13, K)
    curve(c)


@picture
def styles(c):
    c.line(1, 4, 14, 4, K)
    for x in (3, 8, 12):
        c.box(x - 1, 3, x + 1, 5, B, B)
    for x in range(1, 15, 3):
        c.line(x, 9, x + 1, 9, K)
    c.circle(7, 9, 1.5, R)
    c.line(1, 13, 14, 13, N, 2)


@picture
def colors(c):
    c.box(1, 1, 7, 7, K, R)
    c.box(8, 1, 14, 7, K, N)
    c.box(1, 8, 7, 14, K, B)
    c.box(8, 8, 14, 14, K, Y)


@picture
def curve_fit(c):
    axes(c)
    for x, y in ((4, 10), (6, 9), (8, 6), (10, 6), (12, 3)):
        c.fill(x, y, x, y, K)
    c.line(3, 12, 13, 2, R)


@picture
def integrate(c):
    axes(c)
    for x in range(3, 14):
        top = 12 - int(6 * math.sin((x - 3) / 10 * math.pi))
        c.line(x, top, x, 12, (128, 160, 255))
    c.poly([(3, 12), (5, 8), (8, 6), (11, 8), (13, 12)], B)


@picture
def fft(c):
    axes(c)
    for x, h in ((4, 3), (6, 9), (8, 5), (10, 2), (12, 1)):
        c.fill(x, 12 - h, x, 12, B)


@picture
def peaks(c):
    axes(c)
    c.poly([(3, 12), (5, 4), (7, 11), (9, 11), (11, 6), (13, 12)], B)
    c.line(5, 1, 5, 3, R)
    c.line(11, 3, 11, 5, R)


@picture
def interpolate(c):
    axes(c)
    for x, y in ((4, 10), (8, 5), (12, 8)):
        c.box(x - 1, y - 1, x + 1, y + 1, K, K)
    for x in range(4, 12, 2):
        t = (x - 4) / 8
        c.dot(x * c.s, (10 + (8 - 10) * t - 4 * math.sin(t * math.pi)) * c.s, R)


@picture
def scan(c):
    axes(c)
    curve(c)
    c.line(9, 1, 9, 12, R)
    c.line(3, 6, 14, 6, R)


@picture
def zoom_in(c):
    magnifier(c, "+")


@picture
def zoom_out(c):
    magnifier(c, "-")


@picture
def redraw(c):
    for i in range(0, 300, 6):
        a = math.radians(i + 60)
        c.fill(7.5 + 5 * math.cos(a) - 0.5, 7.5 - 5 * math.sin(a) - 0.5,
               7.5 + 5 * math.cos(a) - 0.5, 7.5 - 5 * math.sin(a) - 0.5, N)
    c.poly([(9, 0), (10, 3), (7, 4)], N, 2)


@picture
def help_tool(c):
    c.poly([(1, 1), (1, 11), (4, 8), (6, 12), (7, 11), (5, 7), (9, 7), (1, 1)], K)
    c.fill(2, 3, 2, 8, W)
    c.poly([(10, 4), (11, 3), (13, 3), (14, 4), (14, 6), (12, 8), (12, 10)], B, 2)
    c.fill(12, 12, 12, 13, B)


@picture
def hide(c):
    c.line(4, 4, 11, 11, K, 2)
    c.line(11, 4, 4, 11, K, 2)


assert len(PICTURES) == 26


def write_bmp(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def strip(scale):
    cells = []
    for draw in PICTURES:
        c = Cell(scale)
        draw(c)
        cells.append(c.px)
    n = 16 * scale
    return [sum((cells[i][y] for i in range(26)), []) for y in range(n)]


def write_cursor(path):
    # 32x32 monochrome: a magnifier, hot spot at the lens centre.
    c = Cell(2)
    magnifier(c, "+")
    black = [[c.px[y][x] == K for x in range(32)] for y in range(32)]
    white = [[c.px[y][x] == W for x in range(32)] for y in range(32)]

    def bits(test):
        out = bytearray()
        for y in reversed(range(32)):
            for xb in range(4):
                v = 0
                for bit in range(8):
                    if test(xb * 8 + bit, y):
                        v |= 0x80 >> bit
                out.append(v)
        return out

    xor = bits(lambda x, y: white[y][x])
    andm = bits(lambda x, y: not (black[y][x] or white[y][x]))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor + andm
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 13, 13, len(image), 22)
    with open(path, "wb") as f:
        f.write(head + entry + image)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "toolbar_small.bmp"), strip(1))
    write_bmp(os.path.join(here, "toolbar_large.bmp"), strip(2))
    write_cursor(os.path.join(here, "zoom.cur"))
