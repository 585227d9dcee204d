#!/usr/bin/env python3
"""Draws the conversion tool's own images (drawn for this program, checked in beside the script):

  ToolBar.bmp         bitmap 144: the tool bar's resource images, 16 x 16 per button (play, menu)
  ToolBarImages.bmp   bitmap 177: the same buttons at 28 x 22, 0xFF00FF transparent
  TabSelected.bmp     bitmap 224: left, middle, right piece (16 x 30 each) of the selected tab
  TabNormal.bmp       bitmap 225: the same pieces of the other tabs; black is transparent
  ProgressCorners.bmp bitmap 228: four 2 x 2 corners that round the progress bar's ends
  KavriMediaFetcher.ico  icon 128: 16, 32 and 48 pixels

Edges are smoothed against the colour each image is drawn on, so the transparent colour never
shows as a fringe. Run from anywhere: python3 conversion/app/res/make_frame_art.py
"""
import importlib.util
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (0xFF, 0x00, 0xFF)
BLACK = (0, 0, 0)
PAGE = (0xF0, 0xF0, 0xF0)     # the pages' background
BAR = (0x40, 0x40, 0x40)      # the tab bar's background
ACCENT = (0xFF, 0x8A, 0x1E)   # the programs' orange
BLUE = (0x2F, 0x8C, 0xE8)
WHITE = (0xFF, 0xFF, 0xFF)
DARK = (0x2A, 0x2A, 0x2A)


def framework_art():
    """The framework's generator, for its bitmap writer."""
    spec = importlib.util.spec_from_file_location("framework_art", os.path.join(HERE, "..", "..", "..", "framework", "res", "make_art.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def write_bmp24(path, pixels):
    """pixels: rows top to bottom of (r, g, b), written beside this script."""
    framework_art().write_bmp24(os.path.join(HERE, path), pixels)


class Image:
    """A canvas whose shapes are sampled 4 x 4 per pixel; a pixel only partly covered is mixed
    with the shape's colour over what lies below it, or over `edge` where the canvas is still
    transparent."""

    def __init__(self, width, height, fill, edge):
        self.w, self.h, self.edge, self.clear = width, height, edge, fill
        self.px = [[fill] * width for _ in range(height)]

    def shape(self, inside, colour):
        for y in range(self.h):
            for x in range(self.w):
                hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
                if hits == 0:
                    continue
                below = self.px[y][x]
                if below == self.clear:
                    below = self.edge
                a = hits / 16.0
                mixed = tuple(int(round(c * a + b * (1 - a))) for c, b in zip(colour, below))
                self.px[y][x] = colour if hits == 16 else mixed

    def rect(self, x0, y0, x1, y1, colour):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour)

    def circle(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r0, r1, colour):
        self.shape(lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1, colour)

    def rounded(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.shape(inside, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            n = len(points)
            for i in range(n):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    result = not result
            return result
        self.shape(inside, colour)

    def line(self, ax, ay, bx, by, width, colour):
        length = ((bx - ax) ** 2 + (by - ay) ** 2) ** 0.5
        nx, ny = -(by - ay) / length * width / 2, (bx - ax) / length * width / 2
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)], colour)


def strip(images):
    """Images side by side."""
    rows = []
    for y in range(images[0].h):
        row = []
        for image in images:
            row += image.px[y]
        rows.append(row)
    return rows


# The pictures, each drawn into a square of size s.

def play(img, s, colour):
    img.polygon([(s * 0.34, s * 0.22), (s * 0.80, s * 0.5), (s * 0.34, s * 0.78)], colour)


def menu(img, s, colour):
    for k in range(3):
        y = s * (0.28 + 0.22 * k)
        img.rounded(s * 0.2, y, s * 0.8, y + max(1.5, s * 0.11), 0.8, colour)












def tool_bar():
    small = []
    for draw in (play, menu):
        img = Image(16, 16, PAGE, PAGE)
        draw(img, 16, DARK)
        small.append(img)
    write_bmp24("ToolBar.bmp", strip(small))
    large = []
    for draw in (play, menu):
        img = Image(28, 22, MAGENTA, BAR)
        # The picture sits in a 22 x 22 square in the middle of the button.
        square = Image(22, 22, MAGENTA, BAR)
        if draw is play:
            square.ring(11, 11, 8.2, 9.6, (0xE8, 0xE8, 0xE8))
            square.polygon([(8.6, 6.8), (15.6, 11), (8.6, 15.2)], ACCENT)
        else:
            menu(square, 22, (0xE8, 0xE8, 0xE8))
        for y in range(22):
            img.px[y][3:25] = square.px[y]
        large.append(img)
    write_bmp24("ToolBarImages.bmp", strip(large))


def tab_pieces(face, border, path):
    """A rounded tab face 48 x 30 cut into three 16-pixel pieces; black outside the face."""
    whole = Image(48, 30, BLACK, BAR)
    whole.rounded(0, 3, 48, 36, 5, border)
    whole.rounded(1, 4, 47, 36, 4, face)
    write_bmp24(path, [row for row in whole.px])


def progress_corners():
    rows = [[], []]
    for corner in range(4):
        # Image 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right: the outer pixel shows
        # the background, the rest lets the bar through.
        outer = {0: (0, 0), 1: (1, 0), 2: (0, 1), 3: (1, 1)}[corner]
        for y in range(2):
            for x in range(2):
                rows[y].append(PAGE if (x, y) == outer else MAGENTA)
    write_bmp24("ProgressCorners.bmp", rows)






def program_icon(size):
    """32-bit picture with alpha: a dark rounded square, a film frame and an orange arrow."""
    img = Image(size, size, None, None)
    cover = [[0.0] * size for _ in range(size)]
    colour = [[(0, 0, 0)] * size for _ in range(size)]

    def paint(inside, rgb):
        for y in range(size):
            for x in range(size):
                hits = sum(inside((x + (i + 0.5) / 4) / size, (y + (j + 0.5) / 4) / size)
                           for i in range(4) for j in range(4))
                if hits == 0:
                    continue
                a = hits / 16.0
                old_a = cover[y][x]
                new_a = a + old_a * (1 - a)
                colour[y][x] = tuple(int(round((c * a + o * old_a * (1 - a)) / new_a))
                                     for c, o in zip(rgb, colour[y][x]))
                cover[y][x] = new_a

    def rounded(x0, y0, x1, y1, r):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        return inside

    def poly(points):
        def inside(x, y):
            result = False
            for i in range(len(points)):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % len(points)]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    result = not result
            return result
        return inside

    paint(rounded(0.03, 0.03, 0.97, 0.97, 0.18), (0x26, 0x26, 0x26))
    paint(rounded(0.14, 0.22, 0.66, 0.66, 0.06), BLUE)
    paint(poly([(0.32, 0.32), (0.5, 0.44), (0.32, 0.56)]), WHITE)
    paint(poly([(0.5, 0.56), (0.72, 0.56), (0.72, 0.44), (0.9, 0.66), (0.72, 0.88), (0.72, 0.76),
                (0.5, 0.76)]), ACCENT)
    del img
    rows = []
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b = colour[y][x]
            rows.append(bytes((b, g, r, int(round(cover[y][x] * 255)))))
    xor = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_icon(path, sizes):
    images = [program_icon(s) for s in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for s, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, path), "wb") as f:
        f.write(directory + entries + b"".join(images))


def main():
    tool_bar()
    tab_pieces(PAGE, (0xD0, 0xD0, 0xD0), "TabSelected.bmp")
    tab_pieces((0x58, 0x58, 0x58), (0x68, 0x68, 0x68), "TabNormal.bmp")
    progress_corners()
    write_icon("KavriMediaFetcher.ico", [16, 32, 48])


if __name__ == "__main__":
    main()
