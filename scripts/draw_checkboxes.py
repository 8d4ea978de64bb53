#!/usr/bin/env python3
"""Draws the value list's state images into resources/checkboxes.bmp.

Three 16x16 cells side by side, 24 bits a pixel: an empty box (a value no selected track has), a black tick
(all of them have it) and a grey tick (some have it). Pure red is the mask colour, and the top-left pixel must
be red: the image list takes its mask colour from there.

    usage: scripts/draw_checkboxes.py [output.bmp]
"""
import struct
import sys
from pathlib import Path

CELL = 16
CELLS = 3
WIDTH, HEIGHT = CELL * CELLS, CELL

TRANSPARENT = (255, 0, 0)
BORDER = (64, 64, 64)
INSIDE = (255, 255, 255)
BLACK_TICK = (0, 0, 0)
GREY_TICK = (128, 128, 128)

# The box is 13x13 like the system's own, leaving a transparent frame so that rows do not touch.
BOX_LEFT, BOX_TOP, BOX_SIZE = 1, 1, 13

# A tick three pixels thick: the short stroke down to the right, then the long one up to the right.
TICK = [(3, 5), (4, 6), (5, 7), (6, 6), (7, 5), (8, 4), (9, 3)]


def draw():
    pixels = [[TRANSPARENT] * WIDTH for _ in range(HEIGHT)]
    for cell, tick in enumerate([None, BLACK_TICK, GREY_TICK]):
        x0 = cell * CELL + BOX_LEFT
        for y in range(BOX_TOP, BOX_TOP + BOX_SIZE):
            for x in range(x0, x0 + BOX_SIZE):
                edge = y in (BOX_TOP, BOX_TOP + BOX_SIZE - 1) or x in (x0, x0 + BOX_SIZE - 1)
                pixels[y][x] = BORDER if edge else INSIDE
        if tick:
            for dx, dy in TICK:
                for thick in range(3):
                    pixels[BOX_TOP + dy + thick][x0 + dx] = tick
    return pixels


def bmp_bytes(pixels):
    row_size = (WIDTH * 3 + 3) & ~3
    image = bytearray()
    # Rows go bottom-up, each pixel blue, green, red.
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        image += line + bytes(row_size - len(line))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    # 2835 pixels a metre is 72 dpi; the value does not matter to the loader.
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return file_header + info_header + bytes(image)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "checkboxes.bmp"
    pixels = draw()
    assert pixels[0][0] == TRANSPARENT
    out.write_bytes(bmp_bytes(pixels))


if __name__ == "__main__":
    main()
