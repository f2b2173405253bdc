#!/usr/bin/env python3
"""Draws the program's icons: APP_ICON (a plot sheet with a curve) and
DOCUMENT (a document page with a plot). 32-bit icons at 16x16 and 32x32.

Run: python3 make_icons.py  -> writes merva.ico and document.ico beside it.
The outputs are committed; re-run after a change.
"""
import math
import os
import struct

TRANSPARENT = None


def blank(size):
    return [[TRANSPARENT] * size for _ in range(size)]


def put(pixels, x, y, colour):
    size = len(pixels)
    if 0 <= x < size and 0 <= y < size:
        pixels[y][x] = colour


def rect(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(pixels, x, y, colour)


def frame(pixels, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        put(pixels, x, y0, colour)
        put(pixels, x, y1, colour)
    for y in range(y0, y1 + 1):
        put(pixels, x0, y, colour)
        put(pixels, x1, y, colour)


def curve(pixels, x0, x1, base, amplitude, colour, thick):
    last = None
    for x in range(x0, x1 + 1):
        t = (x - x0) / max(1, x1 - x0)
        y = int(round(base - amplitude * math.exp(-2.2 * t) * math.sin(9.0 * t)))
        if last is not None:
            for yy in range(min(last, y), max(last, y) + 1):
                put(pixels, x, yy, colour)
                if thick:
                    put(pixels, x, yy + 1, colour)
        last = y


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
NAVY = (0, 0, 128)
RED = (220, 0, 0)
BLUE = (0, 64, 224)
TEAL = (0, 128, 128)


def app_icon(size):
    p = blank(size)
    s = size / 32.0
    rect(p, 0, 0, size - 1, size - 1, NAVY)
    rect(p, int(3 * s), int(3 * s), size - 1 - int(3 * s), size - 1 - int(3 * s), WHITE)
    ax = int(7 * s)
    ay = size - 1 - int(7 * s)
    for y in range(int(6 * s), ay + 1):
        put(p, ax, y, BLACK)
    for x in range(ax, size - int(5 * s)):
        put(p, x, ay, BLACK)
    for i in range(1, 4):
        gx = ax + int(i * 5 * s)
        for y in range(int(6 * s), ay, 2):
            put(p, gx, y, GREY)
    curve(p, ax + 1, size - int(6 * s), int(17 * s), 9 * s, RED, size >= 32)
    return p


def document_icon(size):
    p = blank(size)
    s = size / 32.0
    left, right = int(5 * s), size - 1 - int(5 * s)
    top, bottom = int(1 * s), size - 1 - int(1 * s)
    rect(p, left, top, right, bottom, WHITE)
    frame(p, left, top, right, bottom, BLACK)
    fold = int(7 * s)
    for i in range(fold):
        for x in range(right - i, right + 1):
            put(p, x, top + fold - 1 - i, TRANSPARENT if x > right - i else BLACK)
    ax = left + int(4 * s)
    ay = bottom - int(5 * s)
    for y in range(top + int(9 * s), ay + 1):
        put(p, ax, y, BLACK)
    for x in range(ax, right - int(2 * s)):
        put(p, x, ay, BLACK)
    curve(p, ax + 1, right - int(3 * s), int(19 * s), 7 * s, BLUE, size >= 32)
    for x in range(left + int(3 * s), right - int(8 * s)):
        put(p, x, top + int(4 * s), TEAL)
    return p


def icon_image(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for c in row:
            if c is None:
                colour += bytes((0, 0, 0, 0))
            else:
                colour += bytes((c[2], c[1], c[0], 255))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_icon(path, images):
    data = [icon_image(p) for p in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for p, d in zip(images, data):
        size = len(p)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(d), offset)
        offset += len(d)
    for d in data:
        out += d
    with open(path, "wb") as f:
        f.write(out)


here = os.path.dirname(os.path.abspath(__file__))
write_icon(os.path.join(here, "merva.ico"), [app_icon(32), app_icon(16)])
write_icon(os.path.join(here, "document.ico"), [document_icon(32), document_icon(16)])
