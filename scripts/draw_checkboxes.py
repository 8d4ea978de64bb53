#!/usr/bin/env python3
"""Draws the value list's state images into resources/: checkboxes.bmp (16 px), checkboxes24.bmp and
checkboxes32.bmp, for the small-icon sizes of 100%, 150% and 200% display scaling.

Three square cells side by side, 24 bits a pixel: an empty box (a value no selected track has), a black tick
(all of them have it) and a grey tick (some have it). Pure red is the mask colour, and the top-left pixel must
be red: the image list takes its mask colour from there. The 16 px drawing is the model; the larger ones
scale its box and its tick, so that the tick stays as thick for its box.

    usage: scripts/draw_checkboxes.py [output folder]
"""
import struct
import sys
from pathlib import Path

CELLS = 3
SIZES = {16: "checkboxes.bmp", 24: "checkboxes24.bmp", 32: "checkboxes32.bmp"}

TRANSPARENT = (255, 0, 0)
BORDER = (64, 64, 64)
INSIDE = (255, 255, 255)
BLACK_TICK = (0, 0, 0)
GREY_TICK = (128, 128, 128)

# At 16 px the box is 13x13 like the system's own, leaving a transparent frame so that rows do not touch.
BOX_OFFSET, BOX_SIZE = 1, 13

# At 16 px a tick three pixels thick, from box column 3 to 9: the short stroke down to the right (its top
# at row x + 2) up to column 5, then the long one up to the right (its top at row 12 - x).
TICK_FIRST, TICK_BEND, TICK_LAST, TICK_THICKNESS = 3, 5, 9, 3


def scaled(value, cell):
    return int(value * cell / 16 + 0.5)


def tick_top(x16):
    return x16 + 2 if x16 <= TICK_BEND else 12 - x16


def draw(cell):
    width = cell * CELLS
    pixels = [[TRANSPARENT] * width for _ in range(cell)]
    offset, size, thickness = scaled(BOX_OFFSET, cell), scaled(BOX_SIZE, cell), scaled(TICK_THICKNESS, cell)
    for index, tick in enumerate([None, BLACK_TICK, GREY_TICK]):
        x0 = index * cell + offset
        for y in range(offset, offset + size):
            for x in range(x0, x0 + size):
                edge = y in (offset, offset + size - 1) or x in (x0, x0 + size - 1)
                pixels[y][x] = BORDER if edge else INSIDE
        if tick:
            for dx in range(scaled(TICK_FIRST, cell), scaled(TICK_LAST, cell) + 1):
                top = scaled(tick_top(dx * 16 / cell), cell)
                for thick in range(thickness):
                    pixels[offset + top + thick][x0 + dx] = tick
    return pixels


def bmp_bytes(pixels):
    HEIGHT, WIDTH = len(pixels), len(pixels[0])
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
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    for cell, name in SIZES.items():
        pixels = draw(cell)
        assert pixels[0][0] == TRANSPARENT
        (folder / name).write_bytes(bmp_bytes(pixels))


if __name__ == "__main__":
    main()
