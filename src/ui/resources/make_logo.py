#!/usr/bin/env python3
"""Draws the about box's logo, logo.png: 340 x 45 pixels, a little page map of coloured
squares beside the name "AVR-Pagora" in a blocky pixel font. Standard library only.

    python3 make_logo.py            # writes logo.png next to this script
"""

import os
import struct
import zlib

WIDTH, HEIGHT = 340, 45

# 5 x 9 glyphs: rows 0-6 above the base line, rows 7-8 for descenders.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001", "00000", "00000"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100", "00000", "00000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001", "00000", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000", "00000", "00000"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000", "00000", "00000"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111", "00000", "00000"],
    "g": ["00000", "00000", "01111", "10001", "10001", "10001", "01111", "00001", "01110"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110", "00000", "00000"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000", "00000", "00000"],
}

TEXT = "AVR-Pagora"
SCALE = 4
TEXT_COLOUR = (0x1F, 0x3A, 0x68, 0xFF)
FRAME_COLOUR = (0x40, 0x40, 0x40, 0xFF)

# The page map: three rows of four squares, coloured from full to empty pages.
SQUARE, GAP = 11, 2
PAGE_COLOURS = [
    [(0xD0, 0x20, 0x20), (0xD0, 0x20, 0x20), (0xE8, 0x90, 0x20), (0xE8, 0x90, 0x20)],
    [(0xD0, 0x20, 0x20), (0xE8, 0xD0, 0x30), (0xE8, 0xD0, 0x30), (0x40, 0xB0, 0x40)],
    [(0xE8, 0xD0, 0x30), (0x40, 0xB0, 0x40), (0x40, 0xB0, 0x40), (0x40, 0xB0, 0x40)],
]


def draw():
    pixels = [[(0, 0, 0, 0)] * WIDTH for _ in range(HEIGHT)]

    def fill(x0, y0, w, h, colour):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                pixels[y][x] = colour

    map_height = 3 * SQUARE + 2 * GAP
    top = (HEIGHT - map_height) // 2
    left = 8
    for row, colours in enumerate(PAGE_COLOURS):
        for col, rgb in enumerate(colours):
            x = left + col * (SQUARE + GAP)
            y = top + row * (SQUARE + GAP)
            fill(x, y, SQUARE, SQUARE, FRAME_COLOUR)
            fill(x + 1, y + 1, SQUARE - 2, SQUARE - 2, rgb + (0xFF,))

    x = left + 4 * (SQUARE + GAP) + 14
    y = (HEIGHT - 9 * SCALE) // 2
    for char in TEXT:
        for gy, line in enumerate(GLYPHS[char]):
            for gx, bit in enumerate(line):
                if bit == "1":
                    fill(x + gx * SCALE, y + gy * SCALE, SCALE, SCALE, TEXT_COLOUR)
        x += 6 * SCALE
    assert x <= WIDTH, "the name does not fit the logo"
    return pixels


def png(pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "logo.png")
    with open(target, "wb") as out:
        out.write(png(draw()))
