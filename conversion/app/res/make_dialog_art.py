#!/usr/bin/env python3
"""Draws the conversion tool's own images (drawn for this program, checked in beside the script):

  TaskStates.bmp     bitmap 142: seven 24 x 24 task-state icons (waiting, ready, busy, done,
                     skipped, failed, cancelled), 0xFF00FF transparent
  PresetStates.bmp   bitmap 149: two 16 x 16 state images of the preset list (none, default),
                     white transparent
  ToolIconsLarge.bmp bitmap 152: the five tools (convert, merge, join, M3U8, MP3) at 32 x 32
  SizeGrip.bmp       bitmap 154: one 12 x 12 size grip
  ToolIconsSmall.bmp bitmap 197: the five tools at 16 x 16
  FormatIcons.bmp    bitmap 303: 16 x 16 format icons: video, audio, device
  Hand.cur           cursor 140: the pointing hand over links, hotspot at the finger tip

The shapes are sampled four times per pixel each way and kept where they cover half the pixel,
so that the edges stay crisp against the transparent colour. Same palette as the player's art.
Run from anywhere: python3 conversion/app/res/make_dialog_art.py
"""
import importlib.util
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (0xFF, 0x00, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF)
INK = (0x2B, 0x2F, 0x36)       # the dark slate of the player
ACCENT = (0x2D, 0x8C, 0xF0)    # the player's blue
GREEN = (0x2E, 0xA0, 0x4F)
AMBER = (0xE8, 0x9A, 0x1C)
RED = (0xD9, 0x3B, 0x3B)
GREY = (0x8A, 0x90, 0x99)
TEAL = (0x1F, 0xA8, 0x9E)
VIOLET = (0x7A, 0x5C, 0xD6)
LIGHT = (0xE6, 0xEA, 0xF0)

SAMPLES = 4


def framework_art():
    """The framework's generator, for its bitmap and cursor writers."""
    spec = importlib.util.spec_from_file_location("framework_art", os.path.join(HERE, "..", "..", "..", "framework", "res", "make_art.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


write_bmp24 = framework_art().write_bmp24
write_cur = framework_art().write_cur


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


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rect(l, t, r, b):
    return lambda x, y: l <= x <= r and t <= y <= b


def rounded(l, t, r, b, radius):
    def inside(x, y):
        if not (l <= x <= r and t <= y <= b):
            return False
        cx = min(max(x, l + radius), r - radius)
        cy = min(max(y, t + radius), b - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def segment(x1, y1, x2, y2, width):
    """A thick line with round ends."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length2))
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


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


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def strip(canvases):
    """Images side by side in one bitmap."""
    size = canvases[0].size
    return [sum((c.pixels[y] for c in canvases), []) for y in range(size)]


# ---- Task states (24 x 24)

def state_icon(colour, glyph):
    c = Canvas(24, MAGENTA)
    c.fill(circle(12, 12, 10.5), colour)
    if glyph:
        c.fill(glyph, WHITE)
    return c


def task_states():
    waiting = Canvas(24, MAGENTA)
    waiting.fill(ring(12, 12, 10.5, 2.2), GREY)
    waiting.fill(union(segment(12, 12, 12, 6.5, 2.2), segment(12, 12, 16, 14, 2.2)), GREY)
    ready = Canvas(24, MAGENTA)
    ready.fill(ring(12, 12, 10.5, 2.2), GREY)
    ready.fill(union(circle(7.5, 12, 1.6), circle(12, 12, 1.6), circle(16.5, 12, 1.6)), GREY)
    busy = state_icon(ACCENT, polygon([(9, 6.5), (18, 12), (9, 17.5)]))
    done = state_icon(GREEN, union(segment(7, 12.5, 10.5, 16, 2.6), segment(10.5, 16, 17, 8.5, 2.6)))
    skipped = state_icon(AMBER, union(polygon([(7, 7), (14, 12), (7, 17)]), rect(15, 7, 17.2, 17)))
    failed = state_icon(RED, union(segment(8, 8, 16, 16, 2.6), segment(16, 8, 8, 16, 2.6)))
    cancelled = state_icon(GREY, rounded(8, 8, 16, 16, 1.2))
    return [waiting, ready, busy, done, skipped, failed, cancelled]


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
    default.fill(star(8, 8.5, 7, 3), AMBER)
    return [none, default]


# ---- Format icons (16 x 16)

def film(size):
    c = Canvas(size, MAGENTA)
    s = size / 16
    c.fill(rounded(1 * s, 2.5 * s, 15 * s, 13.5 * s, 1.5 * s), INK)
    c.fill(rect(4 * s, 4.5 * s, 12 * s, 11.5 * s), ACCENT)
    holes = [rect(1.8 * s, (3.5 + 2.5 * i) * s, 2.9 * s, (4.6 + 2.5 * i) * s) for i in range(4)]
    holes += [rect(13.1 * s, (3.5 + 2.5 * i) * s, 14.2 * s, (4.6 + 2.5 * i) * s) for i in range(4)]
    c.fill(union(*holes), LIGHT)
    return c


def note(size, colour):
    c = Canvas(size, MAGENTA)
    s = size / 16
    c.fill(union(circle(5 * s, 12 * s, 2.6 * s), circle(12 * s, 10.5 * s, 2.6 * s),
                 rect(6.3 * s, 3 * s, 7.6 * s, 12 * s), rect(13.3 * s, 1.5 * s, 14.6 * s, 10.5 * s),
                 polygon([(6.3 * s, 2.6 * s), (14.6 * s, 1 * s), (14.6 * s, 3.8 * s), (6.3 * s, 5.4 * s)])), colour)
    return c


def phone(size):
    c = Canvas(size, MAGENTA)
    s = size / 16
    c.fill(rounded(4 * s, 0.8 * s, 12 * s, 15.2 * s, 1.8 * s), INK)
    c.fill(rect(5.3 * s, 2.5 * s, 10.7 * s, 12 * s), LIGHT)
    c.fill(circle(8 * s, 13.6 * s, 0.8 * s), LIGHT)
    return c


def format_icons():
    return [film(16), note(16, TEAL), phone(16)]


# ---- The five tools (32 x 32 and 16 x 16)

def tile(size, colour, glyph):
    c = Canvas(size, MAGENTA)
    s = size / 32
    c.fill(rounded(1 * s, 1 * s, 31 * s, 31 * s, 6 * s), colour)
    c.fill(glyph(s), WHITE)
    return c


def convert_glyph(s):
    return union(segment(8 * s, 12 * s, 22 * s, 12 * s, 3 * s), polygon([(20 * s, 6 * s), (27 * s, 12 * s), (20 * s, 18 * s)]),
                 segment(24 * s, 20 * s, 10 * s, 20 * s, 3 * s), polygon([(12 * s, 14 * s), (5 * s, 20 * s), (12 * s, 26 * s)]))


def merge_glyph(s):
    return union(segment(7 * s, 8 * s, 15 * s, 16 * s, 3 * s), segment(7 * s, 24 * s, 15 * s, 16 * s, 3 * s),
                 segment(15 * s, 16 * s, 22 * s, 16 * s, 3 * s), polygon([(21 * s, 10 * s), (27 * s, 16 * s), (21 * s, 22 * s)]))


def join_glyph(s):
    return union(rounded(5 * s, 10 * s, 14 * s, 22 * s, 1.5 * s), rounded(18 * s, 10 * s, 27 * s, 22 * s, 1.5 * s),
                 segment(13 * s, 16 * s, 19 * s, 16 * s, 2.4 * s))


def playlist_glyph(s):
    return union(*[segment(6 * s, (9 + 6 * i) * s, 17 * s, (9 + 6 * i) * s, 2.6 * s) for i in range(3)],
                 polygon([(20 * s, 14 * s), (27 * s, 19 * s), (20 * s, 24 * s)]))


def mp3_glyph(s):
    return union(circle(11 * s, 22 * s, 4 * s), circle(22 * s, 20 * s, 4 * s), rect(13 * s, 8 * s, 15 * s, 22 * s),
                 rect(24 * s, 6 * s, 26 * s, 20 * s), polygon([(13 * s, 7 * s), (26 * s, 4 * s), (26 * s, 9 * s), (13 * s, 12 * s)]))


def tools(size):
    return [tile(size, ACCENT, convert_glyph), tile(size, VIOLET, merge_glyph), tile(size, GREEN, join_glyph),
            tile(size, AMBER, playlist_glyph), tile(size, TEAL, mp3_glyph)]


# ---- Size grip (12 x 12): three rows of dots along the corner

def size_grip():
    dots = [(10, 10), (6, 10), (2, 10), (10, 6), (6, 6), (10, 2)]
    c = Canvas(12, MAGENTA)
    for x, y in dots:
        c.pixels[y][x] = (0x9A, 0xA0, 0xA8)
        c.pixels[y][x - 1] = (0x9A, 0xA0, 0xA8)
        c.pixels[y - 1][x] = (0x9A, 0xA0, 0xA8)
        c.pixels[y - 1][x - 1] = (0x70, 0x76, 0x80)
    return c


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


def main():
    write_bmp24(os.path.join(HERE, "TaskStates.bmp"), strip(task_states()))
    write_bmp24(os.path.join(HERE, "PresetStates.bmp"), strip(preset_states()))
    write_bmp24(os.path.join(HERE, "ToolIconsLarge.bmp"), strip(tools(32)))
    write_bmp24(os.path.join(HERE, "SizeGrip.bmp"), strip([size_grip()]))
    write_bmp24(os.path.join(HERE, "ToolIconsSmall.bmp"), strip(tools(16)))
    write_bmp24(os.path.join(HERE, "FormatIcons.bmp"), strip(format_icons()))
    write_cur(os.path.join(HERE, "Hand.cur"), HAND, (5, 0))


if __name__ == "__main__":
    main()
