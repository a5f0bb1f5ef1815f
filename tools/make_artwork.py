#!/usr/bin/env python3
"""Draws the program's icon, splitter cursor, toolbar strip and About banner.

    python3 tools/make_artwork.py [resources-folder]     (make artwork)

Writes lumatype.ico, splitter.cur, toolbar.bmp and about_banner.bmp. The
shapes are tested at pixel centres and outlined by their own edge pixels, so
the images come out the same on every run and need no imaging library.
"""
import math
import os
import struct
import sys

INK = (31, 41, 55)          # outlines and text lines
PAPER = (250, 250, 247)
SHADE = (203, 213, 225)
BLUE = (37, 99, 235)
SKY = (96, 165, 250)
TEAL = (13, 148, 136)
GREEN = (22, 163, 74)
ORANGE = (234, 88, 12)
RED = (220, 38, 38)
WOOD = (180, 118, 60)
MAGENTA = (255, 0, 255)     # the toolbar's transparent colour


class Canvas:
    """RGBA pixels, row 0 at the top."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def paint(self, inside, colour, outline=INK, dx=0, dy=0):
        """Fills the pixels whose centre lies inside the shape and draws its
        edge pixels (those with a 4-neighbour outside) in the outline colour."""
        mask = {}
        for y in range(self.height):
            for x in range(self.width):
                if inside(x - dx + 0.5, y - dy + 0.5):
                    mask[(x, y)] = True
        for (x, y) in mask:
            edge = outline is not None and not all(
                (x + ex, y + ey) in mask for ex, ey in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            self.pixels[y][x] = (outline if edge else colour) + (255,)

    def blit(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                if other.pixels[y][x][3]:
                    self.pixels[top + y][left + x] = other.pixels[y][x]


# Shapes: functions telling whether a point lies inside.
def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(points):
    def inside(x, y):
        crossings = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings = not crossings
        return crossings
    return inside


def stroke(points, width):
    """A polyline of the given width with round joints and ends."""
    half = width / 2

    def inside(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            vx, vy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
            if (x - ax - t * vx) ** 2 + (y - ay - t * vy) ** 2 <= half * half:
                return True
        return False
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# The program's mark: "</>" on a rounded blue tile.
def draw_mark(c, left, top, size, glyph_outline=True):
    s = size / 32
    c.paint(rounded(left, top, left + size, top + size, 6 * s), BLUE)
    c.paint(rect(left + 2 * s, top + 2 * s, left + size - 2 * s, top + 8 * s), SKY, outline=None)
    width = max(2.0, 3.6 * s)
    ink = INK if glyph_outline else None
    at = lambda px, py: (left + px * s, top + py * s)
    c.paint(stroke([at(12, 9), at(6, 16), at(12, 23)], width), PAPER, outline=ink)
    c.paint(stroke([at(20, 9), at(26, 16), at(20, 23)], width), PAPER, outline=ink)
    c.paint(stroke([at(18, 7), at(14, 25)], width), PAPER, outline=ink)


def icon_image(size):
    c = Canvas(size, size)
    draw_mark(c, 0, 0, size, glyph_outline=size >= 32)
    return c


# Toolbar glyphs, each on a 32x32 canvas.
def page(c, x0, y0, x1, y1, lines=True):
    c.paint(rect(x0, y0, x1, y1), PAPER)
    if lines:
        for y in range(y0 + 5, y1 - 3, 4):
            c.paint(rect(x0 + 4, y, x1 - 4, y + 2), SHADE, outline=None)


def text_lines(c, rows, left, right):
    for y, indent in rows:
        c.paint(rect(left + indent, y, right, y + 3), INK, outline=None)


def glyph_copy(c):
    page(c, 4, 3, 20, 23)
    page(c, 12, 9, 28, 29)


def glyph_about(c):
    c.paint(disc(16, 16, 13.5), BLUE)
    c.paint(disc(16, 9.5, 2.6), PAPER, outline=None)
    c.paint(rect(14, 14, 18.5, 25), PAPER, outline=None)


def glyph_indent(c, direction):
    text_lines(c, [(4, 0), (10, 12), (16, 12), (22, 12), (27, 0)], 3, 29)
    tip, tail = (4, 14.5) if direction < 0 else (11, 4)
    c.paint(polygon([(tail, 10), (tip, 15.5), (tail, 21)]), ORANGE)


def glyph_clear(c):
    page(c, 5, 3, 23, 27)
    c.paint(stroke([(15, 15), (27, 27)], 4.5), RED)
    c.paint(stroke([(27, 15), (15, 27)], 4.5), RED)


def glyph_paste(c):
    c.paint(rounded(5, 5, 27, 30, 2.5), WOOD)
    page(c, 9, 10, 23, 27)
    c.paint(rounded(11, 2, 21, 8, 1.5), SHADE)


def glyph_convert(c):
    page(c, 2, 4, 16, 24)
    c.paint(polygon([(12, 13), (20, 13), (20, 7), (30, 17.5), (20, 28), (20, 22), (12, 22)]), GREEN)


def glyph_table(c):
    c.paint(rect(3, 5, 29, 28), PAPER)
    c.paint(rect(4, 6, 28, 12), SKY, outline=None)
    for x in (11, 18, 25):
        c.paint(rect(x, 5, x + 1, 28), INK, outline=None)
    for y in (11, 17, 22):
        c.paint(rect(3, y, 29, y + 1), INK, outline=None)


TOOLBAR = [None, glyph_copy, glyph_about, lambda c: glyph_indent(c, -1),
           lambda c: glyph_indent(c, 1), glyph_clear, glyph_paste, glyph_convert, glyph_table]


def toolbar_strip():
    strip = Canvas(32 * len(TOOLBAR), 32, MAGENTA + (255,))
    for index, draw in enumerate(TOOLBAR):
        if draw:
            cell = Canvas(32, 32)
            draw(cell)
            strip.blit(cell, 32 * index, 0)
    return strip


# A 5x7 pixel font (two rows more for descenders) for the banner's words.
FONT = {
    'L': ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    'u': [".....", ".....", "X...X", "X...X", "X...X", "X..XX", ".XX.X"],
    'm': [".....", ".....", "XX.X.", "X.X.X", "X.X.X", "X.X.X", "X.X.X"],
    'a': [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    't': [".X...", ".X...", "XXXX.", ".X...", ".X...", ".X..X", "..XX."],
    'y': [".....", ".....", "X...X", "X...X", "X...X", ".XXXX", "....X", "X...X", ".XXX."],
    'p': [".....", ".....", "XXXX.", "X...X", "X...X", "XXXX.", "X....", "X....", "X...."],
    'e': [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
    'S': [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    'O': [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    'U': ["X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    'R': ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    'C': [".XXX.", "X...X", "X....", "X....", "X....", "X...X", ".XXX."],
    'E': ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    'T': ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    'H': ["X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    'M': ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    ' ': ["....."] * 7,
}


def text_shape(text, left, top, scale):
    cells = set()
    for i, ch in enumerate(text):
        for row, line in enumerate(FONT[ch]):
            for col, bit in enumerate(line):
                if bit == 'X':
                    cells.add((i * 6 + col, row))
    return lambda x, y: (int((x - left) // scale), int((y - top) // scale)) in cells \
        if x >= left and y >= top else False


def banner():
    c = Canvas(512, 128)
    for y in range(128):
        for x in range(512):
            t = x / 511
            c.pixels[y][x] = tuple(round(a + (b - a) * t) for a, b in zip(INK, TEAL)) + (255,)
    draw_mark(c, 20, 16, 96)
    c.paint(text_shape("Lumatype", 139, 25, 7), INK, outline=None)
    c.paint(text_shape("Lumatype", 136, 22, 7), PAPER, outline=None)
    c.paint(text_shape("SOURCE TO HTML", 138, 98, 2), SKY, outline=None)
    return c


# File formats.
def bmp24(c):
    row = lambda y: b''.join(struct.pack('<BBB', *reversed(c.pixels[y][x][:3])) for x in range(c.width))
    pad = b'\0' * (-c.width * 3 % 4)
    bits = b''.join(row(y) + pad for y in reversed(range(c.height)))
    info = struct.pack('<IiiHHIIiiII', 40, c.width, c.height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return header + info + bits


def mask_rows(width, height, is_set):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if is_set(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_entry_image(c):
    info = struct.pack('<IiiHHIIiiII', 40, c.width, c.height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    bgra = b''.join(struct.pack('<BBBB', p[2], p[1], p[0], p[3])
                    for y in reversed(range(c.height)) for p in c.pixels[y])
    return info + bgra + mask_rows(c.width, c.height, lambda x, y: c.pixels[y][x][3] == 0)


def icon_file(kind, images, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) holding the given (size, bytes, colours, bpp) images."""
    header = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for i, (size, blob, colours, bpp) in enumerate(images):
        planes, bits = hotspots[i] if hotspots else (1, bpp)
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return header + entries + blobs


# The splitter cursor: two bars with an arrow above and one below, centred on
# the hot spot (9, 9); black with a white rim so it shows on any background.
CURSOR_HOTSPOT = (9, 9)


def splitter_cursor():
    hx, hy = CURSOR_HOTSPOT
    black = union(rect(hx - 8, hy - 2, hx + 9, hy), rect(hx - 8, hy + 1, hx + 9, hy + 3),
                  polygon([(hx - 4.5, hy - 3), (hx + 0.5, hy - 8), (hx + 5.5, hy - 3)]),
                  polygon([(hx - 4.5, hy + 4), (hx + 0.5, hy + 9), (hx + 5.5, hy + 4)]))
    inside = lambda x, y: black(x + 0.5, y + 0.5)
    rim = lambda x, y: not inside(x, y) and any(inside(x + ex, y + ey)
                                                for ex in (-1, 0, 1) for ey in (-1, 0, 1))
    info = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    xor = mask_rows(32, 32, rim)
    and_mask = mask_rows(32, 32, lambda x, y: not inside(x, y) and not rim(x, y))
    blob = info + palette + xor + and_mask
    return icon_file(2, [(32, blob, 2, 1)], hotspots=[CURSOR_HOTSPOT])


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'resources')
    icons = [(size, icon_entry_image(icon_image(size)), 0, 32) for size in (16, 32, 48)]
    outputs = {
        'lumatype.ico': icon_file(1, icons),
        'splitter.cur': splitter_cursor(),
        'toolbar.bmp': bmp24(toolbar_strip()),
        'about_banner.bmp': bmp24(banner()),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
