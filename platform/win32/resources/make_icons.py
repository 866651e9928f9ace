#!/usr/bin/env python3
"""Draws the launcher's two icons as 16-colour .ico files: a film frame (dark grey, with
sprocket holes) around a blue screen with a white play triangle. 32x32 for the application
icon, 16x16 for the small one.

usage: make_icons.py OUTPUT_DIR
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette in Windows' order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, BLUE, WHITE, LIGHT_GREY = 0, 8, 12, 15, 7


def draw(size):
    """Returns rows of palette indices, top row first; None is transparent."""
    unit = size // 16
    pixels = [[None] * size for _ in range(size)]
    for y in range(2 * unit, 14 * unit):
        for x in range(size):
            pixels[y][x] = DARK_GREY
    # Sprocket holes along the top and bottom edges of the strip.
    for hole in range(1, 16, 3):
        for dy in range(unit):
            for dx in range(unit):
                pixels[3 * unit + dy][hole * unit + dx] = LIGHT_GREY
                pixels[12 * unit + dy][hole * unit + dx] = LIGHT_GREY
    # The screen, and on it a play triangle pointing right.
    for y in range(5 * unit, 11 * unit):
        for x in range(2 * unit, 14 * unit):
            pixels[y][x] = BLUE
    top, bottom, left, width = 6 * unit, 10 * unit - 1, 6 * unit, 5 * unit
    centre, half = (top + bottom + 1) / 2, (bottom - top + 1) / 2
    for y in range(top, bottom + 1):
        reach = round((half - abs(y + 0.5 - centre)) / half * width)
        for x in range(left, left + reach):
            pixels[y][x] = WHITE
    return pixels


def icon_file(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    for row in reversed(pixels):  # bitmaps are stored bottom row first
        colours = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for x, index in enumerate(row):
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)
                index = BLACK
            colours[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour_rows.append(bytes(colours))
        mask_rows.append(bytes(mask))
    image = header + palette + b"".join(colour_rows) + b"".join(mask_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "main.ico").write_bytes(icon_file(draw(32)))
    (out / "small.ico").write_bytes(icon_file(draw(16)))


if __name__ == "__main__":
    main()
