#!/usr/bin/env python3
"""Draws the images of the conversion tool's dialogs (drawn for this program, checked in beside
the script; the frame's and the pages' images are make_frame_art.py's):

  PresetStates.bmp   bitmap 149: two 16 x 16 state images of the preset list (none, default),
                     white transparent
  Hand.cur           cursor 140: the pointing hand over links, hotspot at the finger tip

The shapes are sampled four times per pixel each way and kept where they cover half the pixel,
so that the edges stay crisp against the transparent colour.
Run from anywhere: python3 conversion/app/res/make_dialog_art.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
WHITE = (0xFF, 0xFF, 0xFF)
ACCENT = (0xFF, 0x8A, 0x1E)  # the programs' orange

SAMPLES = 4


def write_bmp24(path, pixels):
    """pixels: rows top to bottom of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + data)


class Canvas:
    """One square image; shapes are functions inside(x, y) over pixel coordinates."""

    def __init__(self, size, background):
        self.size = size
        self.pixels = [[background] * size for _ in range(size)]

    def fill(self, inside, colour):
        for y in range(self.size):
            for x in range(self.size):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits * 2 >= SAMPLES * SAMPLES:
                    self.pixels[y][x] = colour


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def strip(canvases):
    """Images side by side in one bitmap."""
    size = canvases[0].size
    return [sum((c.pixels[y] for c in canvases), []) for y in range(size)]


# ---- Preset list states (16 x 16, white transparent)

def star(cx, cy, outer, inner):
    points = []
    for i in range(10):
        angle = -math.pi / 2 + i * math.pi / 5
        r = outer if i % 2 == 0 else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return polygon(points)


def preset_states():
    none = Canvas(16, WHITE)
    default = Canvas(16, WHITE)
    default.fill(star(8, 8.5, 7, 3), ACCENT)
    return [none, default]


# ---- Hand cursor (32 x 32)

HAND = [
    "     ##                         ",
    "    #oo#                        ",
    "    #oo#                        ",
    "    #oo#                        ",
    "    #oo#                        ",
    "    #oo###                      ",
    "    #oo#oo###                   ",
    "    #oo#oo#oo##                 ",
    "    #oo#oo#oo#o#                ",
    " ## #oo#oo#oo#oo#               ",
    "#oo##ooooooooooo#               ",
    "#ooo#ooooooooooo#               ",
    " #oooooooooooooo#               ",
    "  #ooooooooooooo#               ",
    "  #oooooooooooo#                ",
    "   #ooooooooooo#                ",
    "   #oooooooooo#                 ",
    "    #ooooooooo#                 ",
    "    #ooooooooo#                 ",
    "    ###########                 ",
] + [" " * 32] * 12


def write_cur(path, picture, hotspot):
    """picture: 32 strings of 32 characters: '#' black, 'o' white, anything else transparent."""
    size = 32
    xor_rows, and_rows = [], []
    for line in reversed(picture):
        xor_bits = and_bits = 0
        for x, ch in enumerate(line.ljust(size)):
            bit = 1 << (31 - x)
            if ch == "o":
                xor_bits |= bit
            elif ch != "#":
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def main():
    write_bmp24(os.path.join(HERE, "PresetStates.bmp"), strip(preset_states()))
    write_cur(os.path.join(HERE, "Hand.cur"), HAND, (5, 0))


if __name__ == "__main__":
    main()
