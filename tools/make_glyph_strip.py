#!/usr/bin/env python3
"""Draws the expand/collapse glyph strip of the multi-select control.

    python3 tools/make_glyph_strip.py [output.bmp]

Seven 16 x 16 frames side by side (112 x 16), 32 bits per pixel with
per-pixel alpha, premultiplied as AlphaBlend with AC_SRC_ALPHA expects.
Frame 0 is a collapsed floor (the arrow points right), frame 6 an expanded
one (it points down); the frames between turn the arrow a seventh of the way
each, so the animation reads as a turn. Every pixel is sampled 4 x 4 times
inside its square, so the edges are smooth and the file is the same on
every run.
"""
import math
import os
import struct
import sys

FRAMES = 7
SIZE = 16
SAMPLES = 4
DISC = (236, 242, 250)     # light face, visible on the dark blue floor header
ARROW = (0, 64, 128)       # the header's own blue
RIM = (120, 150, 190)


def arrow_points(angle):
    # A right-pointing triangle around the centre, turned clockwise by angle.
    base = [(4.5, 0.0), (-2.5, -3.3), (-2.5, 3.3)]
    c, s = math.cos(angle), math.sin(angle)
    return [(8 + x * c - y * s, 8 + x * s + y * c) for x, y in base]


def inside_triangle(px, py, pts):
    def side(a, b):
        return (b[0] - a[0]) * (py - a[1]) - (b[1] - a[1]) * (px - a[0])
    d1, d2, d3 = side(pts[0], pts[1]), side(pts[1], pts[2]), side(pts[2], pts[0])
    has_neg = d1 < 0 or d2 < 0 or d3 < 0
    has_pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (has_neg and has_pos)


def sample(px, py, pts):
    """Straight (not premultiplied) colour and coverage at one point."""
    r = math.hypot(px - 8, py - 8)
    if r > 7.5:
        return None
    if inside_triangle(px, py, pts):
        return ARROW
    return RIM if r > 6.5 else DISC


def frame_pixel(frame, x, y):
    pts = arrow_points(math.pi / 2 * frame / (FRAMES - 1))
    total = [0.0, 0.0, 0.0]
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = sample(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES, pts)
            if colour:
                hits += 1
                for i in range(3):
                    total[i] += colour[i]
    if not hits:
        return (0, 0, 0, 0)
    alpha = hits / (SAMPLES * SAMPLES)
    # Premultiplied: each channel is its mean colour times the coverage.
    return tuple(round(total[i] / hits * alpha) for i in range(3)) + (round(alpha * 255),)


def strip_bmp():
    width = FRAMES * SIZE
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = b''
        for x in range(width):
            r, g, b, a = frame_pixel(x // SIZE, x % SIZE, y)
            row += struct.pack('<BBBB', b, g, r, a)
        rows.append(row)
    bits = b''.join(rows)
    info = struct.pack('<IiiHHIIiiII', 40, width, SIZE, 1, 32, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return header + info + bits


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), '..', 'controls', 'multiselect', 'glyph_strip.bmp')
    with open(out, 'wb') as f:
        f.write(strip_bmp())


if __name__ == '__main__':
    main()
