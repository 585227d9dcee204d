#!/usr/bin/env python3
"""Draws the player's images (drawn for this program, checked in beside the script).

Shapes are signed-distance functions, so edges are smooth at every size without a drawing
library. Images that an image list masks are 24-bit bitmaps: their edges are blended over the
colour they are drawn on, and untouched pixels carry the mask colour.

  Control bar (32 x 32 buttons; images by button state: normal, hot, focus, pressed, disabled;
  0xFF00FF transparent; drawn on the bar's 0x303030):
    BarPlay.bmp 132, BarPause.bmp 145, BarStop.bmp 138, BarPrevious.bmp 140, BarNext.bmp 141,
    BarFullScreen.bmp 135, BarRestore.bmp 131, BarToDisplay.bmp 148, BarToPlaylist.bmp 153,
    BarZoom.bmp 157, BarVolumeLow.bmp 159, BarVolumeHigh.bmp 160, BarMuted.bmp 167
  Sliders (empty channel, filled channel, hot thumb, pressed thumb):
    SeekSlider.bmp 144 (12 x 24, black transparent), VolumeSlider.bmp 147 (20 x 24, 0xFF00FF),
    SeekCaps.bmp 202 (3 x 24: the channel's left and right end, 0xFF00FF)
  Playlist: TileCorners.bmp 169 (5 x 5 x 4), GridState.bmp 192 (40 x 40: playing, paused),
    ListState.bmp 130 (20 x 20), GridDelete.bmp 222 (24 x 24: normal, hot, pressed; white
    transparent), ListDelete.bmp 204 (20 x 20), GridPlay.bmp 191 (40 x 40), ListPlay.bmp 155
    (20 x 20), GridTypes.bmp 164 (32 x 32: video, audio), ListTypes.bmp 151 (16 x 16),
    GridLabel.bmp 168 and ListLabel.bmp 223 (4 x 14: left, middle, right; white transparent)
  BusyDots.bmp 206 (16 x 16: idle, lit; on the display's black)
  Icons: Player.ico (the program and the frame), PlaylistDoc.ico (".playlist"), VideoFile.ico,
    AudioFile.ico, PlaylistFile.ico; 16, 24, 32, 48 and 256 pixels
  OpenFiles.png 162 and OpenFilesHot.png 161: the start panel's 96 x 96 button
  LinkHand.cur 401: the hand over links

Run from anywhere: python3 player/res/make_art.py
"""
import importlib.util
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def framework_art():
    """The framework's generator, for its bitmap and cursor writers."""
    spec = importlib.util.spec_from_file_location("framework_art", os.path.join(HERE, "..", "..", "framework", "res", "make_art.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


write_bmp24 = framework_art().write_bmp24
write_cur = framework_art().write_cur

MAGENTA = (0xFF, 0x00, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00)
BAR = (0x30, 0x30, 0x30)
CONTROL = (0x20, 0x20, 0x20)
ACCENT = (0x3C, 0xC8, 0x78)
ACCENT_DARK = (0x2A, 0x96, 0x58)
GLYPH = (0xD0, 0xD0, 0xD0)


# Signed distances: negative inside, in pixels.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def round_rect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def rect(x0, y0, x1, y1):
    return round_rect(x0, y0, x1, y1, 0)


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1

    def d(x, y):
        t = max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return d


def polygon(points):
    """A convex polygon; the distance outside is exact along the edges, bevelled at corners."""
    edges = []
    n = len(points)
    area = sum(points[i][0] * points[(i + 1) % n][1] - points[(i + 1) % n][0] * points[i][1] for i in range(n))
    sign = 1 if area > 0 else -1
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        length = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, (by - ay) / length * sign, -(bx - ax) / length * sign))
    return lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


class Canvas:
    """Straight-alpha RGBA pixels in floats, painted shape by shape."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(width)] for _ in range(height)]

    def fill(self, shape, color, alpha=1.0, hard=False):
        r, g, b = (c / 255 for c in color)
        for y in range(self.height):
            row = self.px[y]
            for x in range(self.width):
                d = shape(x + 0.5, y + 0.5)
                if d >= 0.5:
                    continue
                cover = 1.0 if hard or d <= -0.5 else 0.5 - d
                if hard and d > 0:
                    continue
                a = cover * alpha
                dr, dg, db, da = row[x]
                out = a + da * (1 - a)
                if out <= 0:
                    continue
                row[x] = ((r * a + dr * da * (1 - a)) / out, (g * a + dg * da * (1 - a)) / out,
                          (b * a + db * da * (1 - a)) / out, out)

    def flat(self, background, key, threshold=0.03):
        """Rows of (r, g, b) over the background; pixels left untouched take the key colour, and
        no drawn one does."""
        rows = []
        for row in self.px:
            line = []
            for r, g, b, a in row:
                if a < threshold:
                    line.append(key)
                    continue
                pixel = tuple(int(round((c * a + bg / 255 * (1 - a)) * 255)) for c, bg in zip((r, g, b), background))
                line.append(pixel if pixel != key else tuple(v - 1 if v else 1 for v in pixel))
            rows.append(line)
        return rows

    def rgba(self):
        return [[tuple(int(round(c * 255)) for c in p) for p in row] for row in self.px]


def strip(images):
    """Side-by-side concatenation of equally tall images (rows of pixels)."""
    return [sum((image[y] for image in images), []) for y in range(len(images[0]))]


# Control-bar buttons

def glyph_play(s):
    return polygon([(s * 0.36, s * 0.26), (s * 0.36, s * 0.74), (s * 0.76, s * 0.5)])


def glyph_pause(s):
    return union(round_rect(s * 0.31, s * 0.27, s * 0.44, s * 0.73, 1), round_rect(s * 0.56, s * 0.27, s * 0.69, s * 0.73, 1))


def glyph_stop(s):
    return round_rect(s * 0.31, s * 0.31, s * 0.69, s * 0.69, 1.5)


def glyph_previous(s):
    return union(rect(s * 0.30, s * 0.31, s * 0.37, s * 0.69),
                 polygon([(s * 0.70, s * 0.31), (s * 0.70, s * 0.69), (s * 0.38, s * 0.5)]))


def glyph_next(s):
    return union(rect(s * 0.63, s * 0.31, s * 0.70, s * 0.69),
                 polygon([(s * 0.30, s * 0.31), (s * 0.30, s * 0.69), (s * 0.62, s * 0.5)]))


def corners(s, inward):
    """Four L-shaped brackets: pointing out (full screen) or in (restore)."""
    a, b, w = s * 0.28, s * 0.72, 2.0
    leg = s * 0.14
    parts = []
    for cx, sx in ((a, 1), (b, -1)):
        for cy, sy in ((a, 1), (b, -1)):
            if inward:
                # The bracket's corner sits inside, its legs point away from the centre.
                px, py = cx + sx * leg, cy + sy * leg
                parts.append(segment(px, py, px - sx * leg, py, w))
                parts.append(segment(px, py, px, py - sy * leg, w))
            else:
                parts.append(segment(cx, cy, cx + sx * leg, cy, w))
                parts.append(segment(cx, cy, cx, cy + sy * leg, w))
    return union(*parts)


def glyph_to_display(s):
    screen = minus(round_rect(s * 0.22, s * 0.27, s * 0.78, s * 0.69, 2), round_rect(s * 0.22 + 2, s * 0.27 + 2, s * 0.78 - 2, s * 0.69 - 2, 1))
    return union(screen, polygon([(s * 0.44, s * 0.38), (s * 0.44, s * 0.58), (s * 0.60, s * 0.48)]),
                 segment(s * 0.38, s * 0.78, s * 0.62, s * 0.78, 2))


def glyph_to_playlist(s):
    parts = []
    for i in range(3):
        y = s * (0.33 + 0.17 * i)
        parts.append(circle(s * 0.28, y, 1.6))
        parts.append(segment(s * 0.40, y, s * 0.74, y, 2))
    return union(*parts)


def glyph_zoom(s):
    lens = ring(s * 0.44, s * 0.44, s * 0.17, 2)
    handle = segment(s * 0.57, s * 0.57, s * 0.73, s * 0.73, 3)
    plus = union(segment(s * 0.36, s * 0.44, s * 0.52, s * 0.44, 1.6), segment(s * 0.44, s * 0.36, s * 0.44, s * 0.52, 1.6))
    return union(lens, handle, plus)


def speaker(s):
    return polygon([(s * 0.16, s * 0.38), (s * 0.28, s * 0.38), (s * 0.46, s * 0.22), (s * 0.46, s * 0.78),
                    (s * 0.28, s * 0.62), (s * 0.16, s * 0.62)])


def wave(s, r):
    """An arc of radius r around the speaker's mouth, 100 degrees wide."""
    cx, cy = s * 0.46, s * 0.5
    arc = ring(cx, cy, s * r, 2.0)
    return intersect(arc, polygon([(cx, cy), (cx + s, cy - s * 1.2), (cx + s, cy + s * 1.2)]))


def glyph_volume_low(s):
    return union(speaker(s), wave(s, 0.13))


def glyph_volume_high(s):
    return union(speaker(s), wave(s, 0.13), wave(s, 0.27))


def glyph_muted(s):
    cross = union(segment(s * 0.58, s * 0.38, s * 0.80, s * 0.62, 2), segment(s * 0.58, s * 0.62, s * 0.80, s * 0.38, 2))
    return union(speaker(s), cross)


def bar_button(glyph, ringed=False):
    """Five 32 x 32 states: normal, hot, focus, pressed, disabled."""
    s = 32
    states = [
        (None, GLYPH, 0),
        ((0x48, 0x48, 0x48), WHITE, 0),
        (None, WHITE, 0),
        ((0x22, 0x22, 0x22), (0xB8, 0xB8, 0xB8), 1),
        (None, (0x68, 0x68, 0x68), 0),
    ]
    images = []
    for back, color, shift in states:
        c = Canvas(s, s)
        if back:
            c.fill(circle(16, 16, 15), back)
        if ringed:
            c.fill(ring(16 + shift, 16 + shift, 13, 1.6), ACCENT if color is WHITE else color)
        g = glyph(s)
        c.fill(lambda x, y: g(x - shift, y - shift), color)
        images.append(c.flat(BAR, MAGENTA))
    return strip(images)


# Sliders

CHANNEL_TOP, CHANNEL_BOTTOM = 10, 14
EMPTY_CHANNEL = (0x58, 0x58, 0x58)


def slider(width, key, filled):
    """Empty channel, filled channel, hot thumb, pressed thumb: one width, 24 high."""
    images = []
    for color in (EMPTY_CHANNEL, filled):
        c = Canvas(width, 24)
        c.fill(rect(0, CHANNEL_TOP, width, CHANNEL_BOTTOM), color)
        images.append(c.flat(BAR, key))
    cx, cy = width / 2, 12
    hot = Canvas(width, 24)
    hot.fill(circle(cx, cy, 6.5), (0x10, 0x10, 0x10), 0.5)
    hot.fill(circle(cx, cy, 5.5), (0xF2, 0xF2, 0xF2))
    pressed = Canvas(width, 24)
    pressed.fill(circle(cx, cy, 6.5), (0x10, 0x10, 0x10), 0.5)
    pressed.fill(circle(cx, cy, 5.5), filled)
    pressed.fill(circle(cx, cy, 2.5), (0xF2, 0xF2, 0xF2))
    images += [hot.flat(BAR, key), pressed.flat(BAR, key)]
    return strip(images)


def seek_caps():
    """The channel's rounded ends: bar-coloured corners over the line, the rest transparent."""
    images = []
    for left in (True, False):
        rows = [[MAGENTA] * 3 for _ in range(24)]
        xs = (0, 1) if left else (2, 1)
        for y in (CHANNEL_TOP, CHANNEL_BOTTOM - 1):
            rows[y][xs[0]] = BAR
            rows[y][xs[1]] = tuple((a + b) // 2 for a, b in zip(BAR, EMPTY_CHANNEL))
        for y in range(CHANNEL_TOP + 1, CHANNEL_BOTTOM - 1):
            rows[y][xs[0]] = tuple((a * 2 + b) // 3 for a, b in zip(BAR, EMPTY_CHANNEL))
        images.append(rows)
    return strip(images)


# Playlist

def tile_corners():
    images = []
    for cx, cy in ((5, 5), (0, 5), (5, 0), (0, 0)):
        c = Canvas(5, 5)
        c.fill(minus(rect(0, 0, 5, 5), circle(cx, cy, 5)), CONTROL, hard=True)
        images.append(c.flat(CONTROL, MAGENTA, 0.5))
    return strip(images)


def equalizer(s):
    heights = (0.45, 0.75, 0.55)
    w = s * 0.13
    parts = []
    for i, h in enumerate(heights):
        x = s * (0.28 + 0.17 * i)
        parts.append(rect(x, s * (0.72 - h * 0.5), x + w, s * 0.72))
    return union(*parts)


def state_images(s, disc):
    images = []
    for kind in ("playing", "paused"):
        c = Canvas(s, s)
        if disc:
            c.fill(circle(s / 2, s / 2, s / 2 - 1), (0x18, 0x18, 0x18), 0.9)
        if kind == "playing":
            c.fill(equalizer(s), ACCENT)
        else:
            c.fill(glyph_pause(s), (0xE0, 0xE0, 0xE0))
        images.append(c.flat((0x18, 0x18, 0x18) if disc else BAR, MAGENTA))
    return strip(images)


def round_buttons(s, glyph, normal_back, hot_back, pressed_back, under, glyph_color):
    """Normal, hot, pressed on a white key."""
    images = []
    for back in (normal_back, hot_back, pressed_back):
        c = Canvas(s, s)
        if back:
            c.fill(circle(s / 2, s / 2, s / 2 - 0.5), back, 0.92)
        c.fill(glyph(s), glyph_color)
        images.append(c.flat(under, WHITE))
    return strip(images)


def cross(s):
    a, b = s * 0.34, s * 0.66
    return union(segment(a, a, b, b, max(1.6, s / 12)), segment(a, b, b, a, max(1.6, s / 12)))


def play_triangle(s):
    return polygon([(s * 0.38, s * 0.28), (s * 0.38, s * 0.72), (s * 0.74, s * 0.5)])


def media_types(s, color, under):
    images = []
    # Video: a film frame with sprocket holes.
    c = Canvas(s, s)
    frame = minus(round_rect(s * 0.12, s * 0.2, s * 0.88, s * 0.8, s * 0.06), union(
        rect(s * 0.3, s * 0.3, s * 0.7, s * 0.7),
        *[rect(s * 0.17, s * (0.27 + 0.17 * i), s * 0.23, s * (0.35 + 0.17 * i)) for i in range(3)],
        *[rect(s * 0.77, s * (0.27 + 0.17 * i), s * 0.83, s * (0.35 + 0.17 * i)) for i in range(3)]))
    c.fill(frame, color)
    images.append(c.flat(under, MAGENTA))
    # Audio: a beamed pair of notes.
    c = Canvas(s, s)
    w = max(1.2, s / 16)
    notes = union(circle(s * 0.3, s * 0.72, s * 0.12), circle(s * 0.7, s * 0.64, s * 0.12),
                  segment(s * 0.41, s * 0.72, s * 0.41, s * 0.22, w), segment(s * 0.81, s * 0.64, s * 0.81, s * 0.14, w),
                  polygon([(s * 0.41 - w / 2, s * 0.2), (s * 0.81 + w / 2, s * 0.12), (s * 0.81 + w / 2, s * 0.24),
                           (s * 0.41 - w / 2, s * 0.32)]))
    c.fill(notes, color)
    images.append(c.flat(under, MAGENTA))
    return strip(images)


def label_pieces(back, under):
    """Left, middle, right 4 x 14 pieces of a rounded label; the key is white."""
    images = []
    for x0, x1 in ((0, 12), (-8, 12), (-8, 4)):
        c = Canvas(4, 14)
        c.fill(round_rect(x0, 0, x1, 14, 3), back)
        images.append(c.flat(under, WHITE))
    return strip(images)


def busy_dots():
    images = []
    for r, color in ((3.0, (0x50, 0x50, 0x50)), (4.5, ACCENT)):
        c = Canvas(16, 16)
        c.fill(circle(8, 8, r), color)
        images.append(c.flat(BLACK, MAGENTA))
    return strip(images)


# Icons and the start panel's button

def app_icon(s):
    c = Canvas(s, s)
    m = s / 16
    c.fill(round_rect(m, m, s - m, s - m, s * 0.22), (0x26, 0x2A, 0x2E))
    c.fill(ring(s / 2, s / 2, s * 0.30, max(1.2, s * 0.07)), ACCENT)
    c.fill(polygon([(s * 0.42, s * 0.34), (s * 0.42, s * 0.66), (s * 0.68, s * 0.5)]), (0xF4, 0xF4, 0xF4))
    return c


def document(s, badge):
    """A page with a folded corner and a coloured badge drawn by badge(canvas, s)."""
    c = Canvas(s, s)
    fold = s * 0.25
    x0, x1, y0, y1 = s * 0.17, s * 0.83, s * 0.06, s * 0.94
    page = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    edge = max(1.0, s / 32)
    c.fill(page, (0x5A, 0x5E, 0x64))
    c.fill(polygon([(x0 + edge, y0 + edge), (x1 - fold - edge * 0.4, y0 + edge), (x1 - edge, y0 + fold + edge * 0.4),
                    (x1 - edge, y1 - edge), (x0 + edge, y1 - edge)]), (0xEC, 0xEE, 0xF0))
    c.fill(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), (0xB8, 0xBC, 0xC2))
    badge(c, s)
    return c


def badge_video(c, s):
    c.fill(round_rect(s * 0.27, s * 0.44, s * 0.73, s * 0.80, s * 0.06), (0x26, 0x2A, 0x2E))
    c.fill(polygon([(s * 0.44, s * 0.51), (s * 0.44, s * 0.73), (s * 0.61, s * 0.62)]), ACCENT)


def badge_audio(c, s):
    w = max(1.0, s / 14)
    c.fill(union(circle(s * 0.40, s * 0.74, s * 0.08), circle(s * 0.62, s * 0.69, s * 0.08),
                 segment(s * 0.47, s * 0.74, s * 0.47, s * 0.44, w), segment(s * 0.69, s * 0.69, s * 0.69, s * 0.39, w),
                 polygon([(s * 0.47 - w / 2, s * 0.42), (s * 0.69 + w / 2, s * 0.37), (s * 0.69 + w / 2, s * 0.45),
                          (s * 0.47 - w / 2, s * 0.50)])), (0x2A, 0x8C, 0xD8))


def badge_playlist(c, s):
    w = max(1.0, s / 16)
    for i in range(3):
        y = s * (0.46 + 0.13 * i)
        c.fill(segment(s * 0.30, y, s * 0.52 if i == 2 else s * 0.70, y, w), (0x50, 0x54, 0x5A))
    c.fill(polygon([(s * 0.58, s * 0.66), (s * 0.58, s * 0.86), (s * 0.76, s * 0.76)]), ACCENT)


def badge_playlist_doc(c, s):
    badge_playlist(c, s)
    c.fill(circle(s * 0.30, s * 0.26, s * 0.06), ACCENT)


def write_ico(path, draw):
    """Sizes 16, 24, 32, 48 as 32-bit bitmaps with an AND mask, 256 as PNG."""
    entries, blobs = [], []
    for size in (16, 24, 32, 48, 256):
        pixels = draw(size).rgba()
        if size == 256:
            blob = png_bytes(pixels)
        else:
            header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
            colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for r, g, b, a in row)
            stride = ((size + 31) // 32) * 4
            mask = bytearray()
            for row in reversed(pixels):
                bits = bytearray(stride)
                for x, p in enumerate(row):
                    if p[3] == 0:
                        bits[x // 8] |= 0x80 >> (x % 8)
                mask += bits
            blob = header + colour + bytes(mask)
        entries.append(size)
        blobs.append(blob)
    offset = 6 + 16 * len(blobs)
    out = struct.pack("<HHH", 0, 1, len(blobs))
    for size, blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def png_bytes(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def open_files_button(hot):
    """The start panel's 96 x 96 button on the panel's 0x202020: a disc with a play mark."""
    s = 96
    c = Canvas(s, s)
    c.fill(rect(0, 0, s, s), CONTROL)
    c.fill(circle(48, 48, 44), ACCENT if hot else (0x2E, 0x2E, 0x2E))
    c.fill(ring(48, 48, 43, 2), ACCENT if hot else (0x50, 0x50, 0x50))
    c.fill(polygon([(39, 30), (39, 66), (69, 48)]), WHITE if hot else (0xC8, 0xC8, 0xC8))
    return png_bytes(c.rgba())


def link_hand():
    """A pointing hand, 32 x 32, hotspot at the finger tip."""
    picture = [
        "      ##                        ",
        "     #oo#                       ",
        "     #oo#                       ",
        "     #oo#                       ",
        "     #oo#                       ",
        "     #oo###                     ",
        "     #oo#oo###                  ",
        "     #oo#oo#oo##                ",
        "  ## #oo#oo#oo#o#               ",
        " #oo##oooooooooo#               ",
        " #ooo#oooooooooo#               ",
        "  #oooooooooooooo#              ",
        "   #ooooooooooooo#              ",
        "   #ooooooooooooo#              ",
        "    #oooooooooooo#              ",
        "    #ooooooooooo#               ",
        "     #oooooooooo#               ",
        "     #oooooooooo#               ",
        "      ##########                ",
    ]
    picture += [" " * 32] * (32 - len(picture))
    return [line.ljust(32) for line in picture]


def main():
    out = lambda name: os.path.join(HERE, name)  # noqa: E731
    buttons = {
        "BarPlay.bmp": (glyph_play, True), "BarPause.bmp": (glyph_pause, True), "BarStop.bmp": (glyph_stop, False),
        "BarPrevious.bmp": (glyph_previous, False), "BarNext.bmp": (glyph_next, False),
        "BarFullScreen.bmp": (lambda s: corners(s, False), False), "BarRestore.bmp": (lambda s: corners(s, True), False),
        "BarToDisplay.bmp": (glyph_to_display, False), "BarToPlaylist.bmp": (glyph_to_playlist, False),
        "BarZoom.bmp": (glyph_zoom, False), "BarVolumeLow.bmp": (glyph_volume_low, False),
        "BarVolumeHigh.bmp": (glyph_volume_high, False), "BarMuted.bmp": (glyph_muted, False),
    }
    for name, (glyph, ringed) in buttons.items():
        write_bmp24(out(name), bar_button(glyph, ringed))
    write_bmp24(out("SeekSlider.bmp"), slider(12, BLACK, ACCENT))
    write_bmp24(out("VolumeSlider.bmp"), slider(20, MAGENTA, (0xC8, 0xC8, 0xC8)))
    write_bmp24(out("SeekCaps.bmp"), seek_caps())
    write_bmp24(out("TileCorners.bmp"), tile_corners())
    write_bmp24(out("GridState.bmp"), state_images(40, True))
    write_bmp24(out("ListState.bmp"), state_images(20, False))
    write_bmp24(out("GridDelete.bmp"), round_buttons(24, cross, (0x18, 0x18, 0x18), (0xD8, 0x40, 0x40),
                                                     (0xA8, 0x30, 0x30), (0x18, 0x18, 0x18), (0xEE, 0xEE, 0xEE)))
    write_bmp24(out("ListDelete.bmp"), round_buttons(20, cross, None, (0xD8, 0x40, 0x40), (0xA8, 0x30, 0x30), BAR,
                                                     (0xC8, 0xC8, 0xC8)))
    write_bmp24(out("GridPlay.bmp"), round_buttons(40, play_triangle, (0x18, 0x18, 0x18), ACCENT, ACCENT_DARK,
                                                   (0x18, 0x18, 0x18), (0xEE, 0xEE, 0xEE)))
    write_bmp24(out("ListPlay.bmp"), round_buttons(20, play_triangle, None, ACCENT, ACCENT_DARK, BAR, (0xC8, 0xC8, 0xC8)))
    write_bmp24(out("GridTypes.bmp"), media_types(32, (0x90, 0x90, 0x90), BLACK))
    write_bmp24(out("ListTypes.bmp"), media_types(16, (0xA0, 0xA0, 0xA0), CONTROL))
    write_bmp24(out("GridLabel.bmp"), label_pieces((0x10, 0x10, 0x10), (0x10, 0x10, 0x10)))
    write_bmp24(out("ListLabel.bmp"), label_pieces((0x50, 0x50, 0x50), BAR))
    write_bmp24(out("BusyDots.bmp"), busy_dots())
    write_ico(out("Player.ico"), app_icon)
    write_ico(out("PlaylistDoc.ico"), lambda s: document(s, badge_playlist_doc))
    write_ico(out("VideoFile.ico"), lambda s: document(s, badge_video))
    write_ico(out("AudioFile.ico"), lambda s: document(s, badge_audio))
    write_ico(out("PlaylistFile.ico"), lambda s: document(s, badge_playlist))
    with open(out("OpenFiles.png"), "wb") as f:
        f.write(open_files_button(False))
    with open(out("OpenFilesHot.png"), "wb") as f:
        f.write(open_files_button(True))
    write_cur(out("LinkHand.cur"), link_hand(), (6, 0))


if __name__ == "__main__":
    main()
