#!/usr/bin/env python3
"""Draws the program's icon, a browser tab with a "Z" on it, and writes zentab.ico.

Only the standard library: each image is rendered with 4 x 4 supersampling. Its pixels are opaque
or transparent and take few colours, so it is stored as a 4-bit BMP with a 16-colour palette and
the 1-bit mask for the transparent ones: the same pixels as 32 bits would give, in a fifth of the
space.
Run it from anywhere: python3 resources/make_icon.py
"""
import os
import struct

SIZES = (16, 32)
SAMPLES = 4

# Shapes on a 16-unit grid; every size scales them.
TAB = (1, 1, 8, 4)  # the tab on top of the page: left, top, right, bottom
PAGE = (1, 3, 15, 15)
Z_TOP = (4, 6, 12, 8)
Z_BOTTOM = (4, 11, 12, 13)
Z_STROKE = ((9.6, 8), (12, 8), (6.4, 11), (4, 11))  # the diagonal, clockwise

OUTLINE = (0x1E, 0x4E, 0x8C)
FILL = (0x3D, 0x7D, 0xD8)
TAB_FILL = (0x6A, 0x9F, 0xE8)
LETTER = (0xFF, 0xFF, 0xFF)


def in_rect(rect, x, y):
    left, top, right, bottom = rect
    return left <= x < right and top <= y < bottom


def in_polygon(points, x, y):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def in_letter(x, y):
    return in_rect(Z_TOP, x, y) or in_rect(Z_BOTTOM, x, y) or in_polygon(Z_STROKE, x, y)


def in_shape(x, y):
    return in_rect(TAB, x, y) or in_rect(PAGE, x, y)


def render(size):
    """Rows of (r, g, b, a), top row first."""
    unit = 16 / size
    shape = [[in_shape((c + 0.5) * unit, (r + 0.5) * unit) for c in range(size)]
             for r in range(size)]

    def edge(r, c):  # a pixel of the shape with a neighbour outside it
        return any(not (0 <= r + dr < size and 0 <= c + dc < size and shape[r + dr][c + dc])
                   for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)))

    rows = []
    for r in range(size):
        row = []
        for c in range(size):
            if not shape[r][c]:
                row.append((0, 0, 0, 0))
                continue
            if edge(r, c):
                row.append(OUTLINE + (255,))
                continue
            base = TAB_FILL if (r + 0.5) * unit < PAGE[1] + 1 and c * unit < TAB[2] else FILL
            hits = sum(in_letter((c + (i + 0.5) / SAMPLES) * unit, (r + (j + 0.5) / SAMPLES) * unit)
                       for i in range(SAMPLES) for j in range(SAMPLES))
            share = hits / (SAMPLES * SAMPLES)
            row.append(tuple(round(b + (l - b) * share) for b, l in zip(base, LETTER)) + (255,))
        rows.append(row)
    return rows


def bmp_image(size):
    rows = render(size)
    # Transparent pixels are black under the mask.
    palette = [(0, 0, 0)]
    for row in rows:
        for r, g, b, a in row:
            assert a in (0, 255), "a 4-bit image has no partial transparency"
            if a and (r, g, b) not in palette:
                palette.append((r, g, b))
    assert len(palette) <= 16, "a 4-bit image has 16 colours"
    palette += [(0, 0, 0)] * (16 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = (size * 4 + 31) // 32 * 4
    pixels = b""
    for row in reversed(rows):
        indexes = [palette.index((r, g, b)) if a else 0 for r, g, b, a in row]
        line = bytes(indexes[c] << 4 | indexes[c + 1] for c in range(0, size, 2))
        pixels += line + bytes(stride - len(line))
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for c, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (mask_stride * 8 - 1 - c)
        mask += bits.to_bytes(mask_stride, "big")
    return header + colours + pixels + mask


def main():
    images = [bmp_image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "zentab.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
