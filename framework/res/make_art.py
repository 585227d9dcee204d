#!/usr/bin/env python3
"""Draws the framework's own images (drawn for this program, checked in beside the script):

  ScrollGrip.bmp  bitmap 221: two 14 x 2 grip images side by side, 0xFF00FF transparent
  InsertRow.cur   cursor 137: "insert between rows", a horizontal bar with arrows, hotspot (15, 15)
  InsertTile.cur  cursor 139: "insert between tiles", a vertical bar with arrows, hotspot (15, 15)

Run from anywhere: python3 framework/res/make_art.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (0xFF, 0x00, 0xFF)


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


def grip():
    # Each 14 x 2 image: a dotted light line over a dotted dark one, the gaps transparent.
    light, dark = (0xA0, 0xA0, 0xA0), (0x18, 0x18, 0x18)
    rows = [[], []]
    for image in range(2):
        for x in range(14):
            on = (x % 2 == 0) if image == 0 else (x % 2 == 1)
            rows[0].append(light if on else MAGENTA)
            rows[1].append(dark if on else MAGENTA)
    return rows


def write_cur(path, picture, hotspot):
    """picture: 32 strings of 32 characters: '#' black, 'o' white, anything else transparent."""
    size = 32
    xor_rows, and_rows = [], []
    for line in reversed(picture):
        xor_bits = and_bits = 0
        for x, c in enumerate(line):
            bit = 1 << (31 - x)
            if c == "o":
                xor_bits |= bit
            elif c != "#":
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


def canvas():
    return [[" "] * 32 for _ in range(32)]


def put(c, x, y, ch):
    if 0 <= x < 32 and 0 <= y < 32:
        c[y][x] = ch


def outlined(c, cells):
    """White cells with a black outline around them."""
    for x, y in cells:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if c[y + dy][x + dx] == " ":
                    put(c, x + dx, y + dy, "#")
    for x, y in cells:
        put(c, x, y, "o")


def insert_row():
    # A bar across the row boundary with an arrow head at each end, pointing at the gap.
    cells = set()
    for x in range(6, 26):
        cells.add((x, 15))
        cells.add((x, 16))
    for i in range(5):
        for y in range(15 - i, 17 + i):
            cells.add((4 + i, y))
            cells.add((27 - i, y))
    c = canvas()
    outlined(c, sorted(cells))
    return ["".join(r) for r in c]


def insert_tile():
    # The same bar standing upright, between two tiles.
    rows = insert_row()
    return ["".join(rows[x][y] for x in range(32)) for y in range(32)]


def main():
    write_bmp24(os.path.join(HERE, "ScrollGrip.bmp"), grip())
    write_cur(os.path.join(HERE, "InsertRow.cur"), insert_row(), (15, 15))
    write_cur(os.path.join(HERE, "InsertTile.cur"), insert_tile(), (15, 15))


if __name__ == "__main__":
    main()
