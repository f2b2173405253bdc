#!/usr/bin/env python3
"""Draws the library's icons and bitmaps (16-colour, Windows 95 style).

Run from anywhere: python3 make_artwork.py  -> writes the .ico and .bmp
files beside this script. The outputs are committed; re-run after a change.
"""
import math
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


class Canvas:
    """Pixels of palette indices (None is transparent). Shapes take
    coordinates on a `design` grid, scaled to the canvas size."""

    def __init__(self, width, height, design=None, fill=None):
        self.width, self.height = width, height
        self.design = design or (width, height)
        self.pixels = [[fill] * width for _ in range(height)]

    def _x(self, x):
        return int(round(x * self.width / self.design[0]))

    def _y(self, y):
        return int(round(y * self.height / self.design[1]))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Filled, corners inclusive (design units)."""
        for y in range(self._y(y0), self._y(y1 + 1)):
            for x in range(self._x(x0), self._x(x1 + 1)):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        a, b = self._x(x0), self._x(x1 + 1) - 1
        c, d = self._y(y0), self._y(y1 + 1) - 1
        for x in range(a, b + 1):
            self.put(x, c, colour)
            self.put(x, d, colour)
        for y in range(c, d + 1):
            self.put(a, y, colour)
            self.put(b, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        a, b = self._x(x0), self._y(y0)
        c, d = self._x(x1), self._y(y1)
        steps = max(abs(c - a), abs(d - b), 1)
        for i in range(steps + 1):
            self.put(round(a + (c - a) * i / steps), round(b + (d - b) * i / steps), colour)

    def polyline(self, points, colour):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, colour)

    def polygon(self, points, colour):
        scaled = [(self._x(x), self._y(y)) for x, y in points]
        for y in range(self.height):
            for x in range(self.width):
                if _inside(scaled, x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.height):
            for x in range(self.width):
                dx = (x + 0.5) * self.design[0] / self.width - cx
                dy = (y + 0.5) * self.design[1] / self.height - cy
                if dx * dx + dy * dy <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r, colour):
        for i in range(64):
            t = i * 2 * math.pi / 64
            self.put(self._x(cx + r * math.cos(t)), self._y(cy + r * math.sin(t)), colour)


def _inside(points, x, y):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


# --- Icon designs on a 32 x 32 grid -------------------------------------

def page(c, x0=7, y0=3, x1=24, y1=28, fold=6):
    c.polygon([(x0, y0), (x1 + 1 - fold, y0), (x1 + 1, y0 + fold), (x1 + 1, y1 + 1),
               (x0, y1 + 1)], WHITE)
    c.polyline([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1), (x0, y0)], BLACK)
    c.polyline([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], BLACK)


def draw_new(c):
    page(c)
    for y in (12, 16, 20):
        c.line(11, y, 20, y, SILVER)
    # the spark of something new
    c.polygon([(6, 0), (8, 5), (13, 7), (8, 9), (6, 14), (4, 9), (-1, 7), (4, 5)], YELLOW)
    c.polyline([(6, 0), (8, 5), (13, 7), (8, 9), (6, 14), (4, 9), (-1, 7), (4, 5), (6, 0)], OLIVE)


def draw_open(c):
    c.polygon([(2, 9), (10, 9), (12, 12), (27, 12), (27, 27), (2, 27)], OLIVE)
    page(c, 9, 3, 25, 20, 5)
    c.polygon([(2, 27), (7, 16), (31, 16), (26, 27)], YELLOW)
    c.polyline([(2, 27), (7, 16), (31, 16), (26, 27), (2, 27)], BLACK)
    c.polyline([(2, 27), (2, 9), (10, 9), (12, 12), (16, 12)], BLACK)


def draw_view(c):
    page(c, 3, 3, 22, 27, 5)
    c.line(6, 23, 18, 23, BLACK)
    c.line(6, 10, 6, 23, BLACK)
    c.polyline([(7, 20), (9, 14), (11, 18), (13, 12), (15, 16), (18, 11)], BLUE)
    c.disc(20, 16, 6.5, AQUA)
    c.ring(20, 16, 6.5, BLACK)
    c.ring(20, 16, 7, BLACK)
    c.polygon([(24, 21), (26, 19), (31, 25), (29, 27)], MAROON)
    c.line(17, 13, 19, 12, WHITE)


def draw_save(c):
    c.rect(3, 3, 28, 28, NAVY)
    c.frame(3, 3, 28, 28, BLACK)
    c.rect(9, 3, 22, 11, SILVER)
    c.rect(17, 5, 20, 9, NAVY)
    c.rect(7, 16, 24, 28, WHITE)
    c.frame(7, 16, 24, 28, BLACK)
    for y in (19, 22, 25):
        c.line(9, y, 22, y, GRAY)


def draw_run(c):
    c.disc(16, 16, 13.5, GREEN)
    c.disc(15, 15, 11.5, LIME)
    c.ring(16, 16, 13, BLACK)
    c.polygon([(12, 8), (24, 16), (12, 24)], WHITE)
    c.polyline([(12, 8), (24, 16), (12, 24), (12, 8)], BLACK)


def draw_spreadsheet(c):
    c.rect(2, 4, 29, 27, WHITE)
    c.rect(2, 4, 29, 8, GREEN)
    c.rect(2, 4, 7, 27, GREEN)
    for x in (7, 14, 21):
        c.line(x, 4, x, 27, TEAL)
    for y in (8, 12, 16, 20, 24):
        c.line(2, y, 29, y, TEAL)
    c.rect(15, 13, 20, 15, YELLOW)
    c.frame(2, 4, 29, 27, BLACK)


ICONS = {
    "new": draw_new, "open": draw_open, "view": draw_view,
    "save": draw_save, "run": draw_run, "spdsheet": draw_spreadsheet,
}


# --- Bitmaps ---------------------------------------------------------------

def animation_frame(number):
    """A curve being plotted: frame n shows n eighths of it and the pen."""
    c = Canvas(48, 32, fill=WHITE)
    c.line(4, 27, 45, 27, BLACK)
    c.line(4, 3, 4, 27, BLACK)
    for x in range(8, 46, 8):
        c.put(x, 28, BLACK)
    end = 5 + 32 * number / 8
    points = []
    x = 5.0
    while x <= end:
        points.append((x, 15 - 9 * math.sin((x - 5) / 32 * 2 * math.pi) * math.exp(-(x - 5) / 50)))
        x += 1
    c.polyline(points, BLUE)
    px, py = points[-1]
    c.disc(px, py, 2, RED)
    c.polygon([(px + 1, py - 1), (px + 8, py - 9), (px + 10, py - 7), (px + 3, py + 1)], OLIVE)
    return c


def tool_strip():
    c = Canvas(16 * len(ICONS), 16, fill=SILVER)
    for i, draw in enumerate(ICONS.values()):
        icon = Canvas(16, 16, design=(32, 32))
        draw(icon)
        for y in range(16):
            for x in range(16):
                if icon.pixels[y][x] is not None:
                    c.put(16 * i + x, y, icon.pixels[y][x])
    return c


def merva_logo():
    c = Canvas(64, 48, fill=WHITE)
    for x in range(8, 62, 9):
        c.line(x, 4, x, 40, SILVER)
    for y in range(4, 41, 9):
        c.line(8, y, 61, y, SILVER)
    c.line(8, 40, 61, 40, BLACK)
    c.line(8, 4, 8, 40, BLACK)
    for x in range(8, 62, 9):
        c.line(x, 40, x, 42, BLACK)
    for y in range(4, 41, 9):
        c.line(5, y, 8, y, BLACK)
    c.polyline([(x, 22 - 15 * math.exp(-(x - 9) / 18) * math.cos((x - 9) / 4))
                for x in range(9, 62)], RED)
    c.polyline([(x, 36 - 28 * (1 - math.exp(-(x - 9) / 12))) for x in range(9, 62)], BLUE)
    return c


# --- File formats ------------------------------------------------------------

def _palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def _rows_4bpp(canvas):
    stride = ((canvas.width * 4 + 31) // 32) * 4
    data = b""
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            value = colour if colour is not None else 0
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
        data += bytes(packed)
    return data


def _mask_rows(canvas):
    stride = ((canvas.width + 31) // 32) * 4
    data = b""
    for row in reversed(canvas.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            if colour is None:
                packed[x // 8] |= 0x80 >> (x % 8)
        data += bytes(packed)
    return data


def _info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def ico_bytes(canvases):
    images = []
    for c in canvases:
        xor, mask = _rows_4bpp(c), _mask_rows(c)
        images.append(_info_header(c.width, 2 * c.height, len(xor) + len(mask)) +
                      _palette_bytes() + xor + mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width, c.height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def bmp_bytes(canvas):
    pixels = _rows_4bpp(canvas)
    header = _info_header(canvas.width, canvas.height, len(pixels)) + _palette_bytes()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))

    def write(name, data):
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)

    for name, draw in ICONS.items():
        sizes = []
        for size in (32, 16):
            c = Canvas(size, size, design=(32, 32))
            draw(c)
            sizes.append(c)
        write(name + ".ico", ico_bytes(sizes))
    for number in range(1, 9):
        write("frame%d.bmp" % number, bmp_bytes(animation_frame(number)))
    write("ku_tools.bmp", bmp_bytes(tool_strip()))
    write("merva.bmp", bmp_bytes(merva_logo()))


if __name__ == "__main__":
    main()
