#!/usr/bin/env python3
"""Draws Tarvix's application icon and writes it as a 32x32, 24-bit .ico.

The picture: a music note (the sound) with an arrow pouring it into a
cartridge-like device (the program it is written into).

Usage: make_icon.py OUTPUT.ico
The result is committed as res/tarvix.ico; run this again only to change it.
"""
import math
import struct
import sys

SIZE = 32
SUPERSAMPLE = 4


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def inside_ellipse(x, y, cx, cy, rx, ry, angle):
    c, s = math.cos(angle), math.sin(angle)
    dx, dy = x - cx, y - cy
    u = dx * c + dy * s
    v = -dx * s + dy * c
    return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0


def inside_polygon(x, y, pts):
    hit = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


# Colours, RGB.
BODY_TOP = (70, 110, 190)
BODY_BOTTOM = (30, 52, 110)
OUTLINE = (16, 26, 60)
LABEL = (235, 240, 250)
LABEL_LINE = (150, 165, 200)
CONTACT = (230, 180, 60)
NOTE = (235, 110, 40)
NOTE_DARK = (150, 55, 15)
ARROW = (60, 170, 80)


def sample(x, y):
    """Colour at a point of the 32x32 picture (y down), or None when clear."""
    # The music note, top left: two heads joined by a beam.
    for hx, hy in ((4.5, 13.0), (11.5, 11.0)):
        if inside_ellipse(x, y, hx, hy, 2.6, 1.9, -0.45):
            return NOTE
    if 6.3 <= x <= 7.5 and 3.0 <= y <= 12.8:
        return NOTE
    if 13.3 <= x <= 14.5 and 1.0 <= y <= 10.8:
        return NOTE
    if inside_polygon(x, y, [(6.3, 3.0), (14.5, 1.0), (14.5, 3.4), (6.3, 5.4)]):
        return NOTE_DARK

    # The arrow from the note into the device.
    shaft = [(13.0, 14.0), (15.0, 12.0), (21.0, 18.0), (19.0, 20.0)]
    head = [(23.5, 15.0), (24.0, 24.0), (15.0, 23.5)]
    if inside_polygon(x, y, shaft) or inside_polygon(x, y, head):
        return ARROW

    # The device: a rounded cartridge with a label and gold contacts.
    x0, y0, x1, y1 = 9.0, 16.0, 31.0, 31.0
    if inside_round_rect(x, y, x0, y0, x1, y1, 3.0):
        if not inside_round_rect(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2.2):
            return OUTLINE
        if 12.0 <= x <= 24.0 and 25.0 <= y <= 29.0:
            if y > 27.6 and int(x) % 2 == 0:
                return CONTACT
            return BODY_BOTTOM
        if 25.0 <= x <= 29.0 and 18.5 <= y <= 29.0:
            if int(y) % 3 == 0:
                return LABEL_LINE
            return LABEL
        return lerp(BODY_TOP, BODY_BOTTOM, (y - y0) / (y1 - y0))
    return None


def render():
    pixels = []  # rows top first, each (r, g, b) or None
    n = SUPERSAMPLE
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            hits = []
            for sy in range(n):
                for sx in range(n):
                    c = sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if c is not None:
                        hits.append(c)
            if len(hits) * 2 < n * n:
                row.append(None)  # mostly clear: transparent
            else:
                row.append(tuple(round(sum(c[i] for c in hits) / len(hits)) for i in range(3)))
        pixels.append(row)
    return pixels


def icon_bytes(pixels):
    colour_stride = SIZE * 3  # 96: already a multiple of four
    mask_stride = ((SIZE + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0,
                         colour_stride * SIZE + mask_stride * SIZE, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # DIB rows are stored bottom-up
        for p in row:
            colour += bytes((0, 0, 0)) if p is None else bytes((p[2], p[1], p[0]))
        bits = 0
        for i, p in enumerate(row):
            if p is None:
                bits |= 1 << (31 - i)  # a set mask bit lets the background through
        mask += struct.pack(">I", bits)
    image = header + bytes(colour) + bytes(mask)
    assert len(image) == 3240, len(image)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(icon_bytes(render()))


if __name__ == "__main__":
    main()
