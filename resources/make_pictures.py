#!/usr/bin/env python3
"""Draws the about window's pictures and the vote icon, and writes them beside this script:

about_background.bmp  500 x 50, a soft light gradient that the window stretches behind its text
about_logo.bmp        500 x 50, the band at the top of the about window with the name "Zentab"
vote.ico              a gold star, 16 x 16 and 32 x 32, its images PNG-compressed: their soft edges
                      need an alpha channel, which takes five times the space uncompressed

Only the standard library. The bitmaps are 8-bit palettized and run-length encoded (BI_RLE8) to
keep the program small; shapes are rendered with 4 x 4 supersampling. Run it from anywhere: python3 resources/make_pictures.py
"""
import math
import os
import struct
import zlib

SAMPLES = 4
HERE = os.path.dirname(os.path.abspath(__file__))

# The program icon's blues, so that the logo and the icon belong together.
DEEP_BLUE = (0x1E, 0x4E, 0x8C)
BLUE = (0x3D, 0x7D, 0xD8)

BACKGROUND_SIZE = (500, 50)
BACKGROUND_TOP_LEFT = (0xFF, 0xFF, 0xFF)
BACKGROUND_BOTTOM_RIGHT = (0xE6, 0xEE, 0xF8)

LOGO_SIZE = (500, 50)
LOGO_TOP = (0xFF, 0xFF, 0xFF)
LOGO_BOTTOM = (0xE2, 0xEC, 0xF8)
LOGO_EDGE = (0xB8, 0xCC, 0xE6)  # the band's lower edge
LOGO_SHADES = 16  # steps of the band's gradient
LOGO_COVERAGE = 8  # steps of a letter's edge, 0 (band) to 7 (ink)

STAR_FILL_TOP = (0xFF, 0xDC, 0x5A)
STAR_FILL_BOTTOM = (0xF2, 0xA5, 0x1A)
STAR_OUTLINE = (0xA8, 0x62, 0x00)


def mix(a, b, share):
    return tuple(round(x + (y - x) * share) for x, y in zip(a, b))


def in_polygon(points, x, y):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def coverage(shape, px, py):
    """The share of pixel (px, py) that `shape`, a test of a point, covers."""
    hits = sum(shape(px + (i + 0.5) / SAMPLES, py + (j + 0.5) / SAMPLES)
               for i in range(SAMPLES) for j in range(SAMPLES))
    return hits / (SAMPLES * SAMPLES)


# The letters of "Zentab", a geometric sans on the band: caps 25 px high, x-height 18, strokes
# 4.5 px. Each letter is a test of a point.
BASELINE = 37
CAP_TOP = 12
X_TOP = 19
STROKE = 4.5
BOWL = 9.0  # outer radius of the round letters


def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 < outer * outer


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def letter_z(left):
    width = 19
    diagonal = [(left + width - 6.2, CAP_TOP + STROKE), (left + width, CAP_TOP + STROKE),
                (left + 6.2, BASELINE - STROKE), (left, BASELINE - STROKE)]
    return union(rect(left, CAP_TOP, left + width, CAP_TOP + STROKE),
                 rect(left, BASELINE - STROKE, left + width, BASELINE),
                 lambda x, y: in_polygon(diagonal, x, y)), width


def letter_e(left):
    cx, cy = left + BOWL, BASELINE - BOWL
    bowl = ring(cx, cy, BOWL, BOWL - STROKE)

    def opening(x, y):  # the gap at the lower right, under the bar
        return y > cy + STROKE / 2 and x > cx and math.atan2(y - cy, x - cx) < math.radians(40)

    def shape(x, y):
        bar = cy - STROKE / 2 <= y < cy + STROKE / 2 and (x - cx) ** 2 + (y - cy) ** 2 < BOWL ** 2
        return bar or (bowl(x, y) and not opening(x, y))

    return shape, 2 * BOWL


def letter_n(left):
    width = 16
    r = width / 2
    cx, cy = left + r, X_TOP + r
    arch = ring(cx, cy, r, r - STROKE)
    return union(rect(left, X_TOP, left + STROKE, BASELINE),
                 lambda x, y: y < cy and arch(x, y),
                 rect(left + width - STROKE, cy, left + width, BASELINE)), width


def letter_t(left):
    width = 11
    stem = left + 2.5
    return union(rect(stem, CAP_TOP + 2, stem + STROKE, BASELINE),
                 rect(left, X_TOP, left + width, X_TOP + STROKE)), width


def letter_a(left):
    cx, cy = left + BOWL, BASELINE - BOWL
    return union(ring(cx, cy, BOWL, BOWL - STROKE),
                 rect(cx + BOWL - STROKE, X_TOP, cx + BOWL, BASELINE)), 2 * BOWL


def letter_b(left):
    cx, cy = left + BOWL, BASELINE - BOWL
    return union(rect(left, CAP_TOP, left + STROKE, BASELINE),
                 ring(cx, cy, BOWL, BOWL - STROKE)), 2 * BOWL


def wordmark(left):
    """The shapes of "Zen" (deep blue) and "tab" (blue), set from `left`."""
    gaps = (0, 4, 4, 5, 3, 4)
    inks = []
    x = left
    for gap, draw in zip(gaps, (letter_z, letter_e, letter_n, letter_t, letter_a, letter_b)):
        x += gap
        shape, width = draw(x)
        inks.append(shape)
        x += width
    return union(*inks[:3]), union(*inks[3:])


def background():
    """Rows of palette indexes, top row first, and the palette."""
    width, height = BACKGROUND_SIZE
    levels = 256
    palette = [mix(BACKGROUND_TOP_LEFT, BACKGROUND_BOTTOM_RIGHT, i / (levels - 1))
               for i in range(levels)]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            share = 0.8 * y / (height - 1) + 0.2 * x / (width - 1)
            row.append(round(share * (levels - 1)))
        rows.append(row)
    return rows, palette


def logo():
    width, height = LOGO_SIZE
    zen, tab = wordmark(20)
    steps = LOGO_COVERAGE - 1
    palette = []
    for shade in range(LOGO_SHADES):
        band = mix(LOGO_TOP, LOGO_BOTTOM, shade / (LOGO_SHADES - 1))
        palette.append(band)
        for ink in (DEEP_BLUE, BLUE):
            palette.extend(mix(band, ink, step / steps) for step in range(1, LOGO_COVERAGE))
    edge = len(palette)
    palette.append(LOGO_EDGE)
    per_shade = 1 + 2 * steps
    rows = []
    for y in range(height):
        shade = min(LOGO_SHADES - 1, y * LOGO_SHADES // (height - 1))
        row = []
        for x in range(width):
            if y == height - 1:
                row.append(edge)
                continue
            index = shade * per_shade
            for ink, shape in enumerate((zen, tab)):
                step = round(coverage(shape, x, y) * steps)
                if step:
                    index = shade * per_shade + 1 + ink * steps + step - 1
                    break
            row.append(index)
        rows.append(row)
    return rows, palette


def rle8_row(row):
    """One row in BI_RLE8: runs of one index as (count, index), stretches of differing indexes in
    absolute mode (0, count, indexes, padded to a word)."""
    out = bytearray()
    literal = []

    def flush():
        # Absolute mode needs at least three indexes; fewer go as runs of one.
        if len(literal) >= 3:
            out.extend((0, len(literal)))
            out.extend(literal)
            if len(literal) % 2:
                out.append(0)
        else:
            for index in literal:
                out.extend((1, index))
        literal.clear()

    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and run < 255 and row[x + run] == row[x]:
            run += 1
        if run >= 2:
            flush()
            out.extend((run, row[x]))
        else:
            literal.append(row[x])
            if len(literal) == 255:
                flush()
        x += run
    flush()
    return out


def bmp_8bit(rows, palette):
    height, width = len(rows), len(rows[0])
    lines = [rle8_row(row) for row in reversed(rows)]
    # Each line ends with an end-of-line mark but the last, which ends the bitmap.
    end_of_line, end_of_bitmap = b"\x00\x00", b"\x00\x01"
    pixels = end_of_line.join(bytes(line) for line in lines) + end_of_bitmap
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    bi_rle8 = 1
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, bi_rle8, len(pixels), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        angle = math.radians(-90 + 36 * i)
        radius = outer if i % 2 == 0 else inner
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def star(size):
    """Rows of (r, g, b, a), top row first."""
    unit = size / 32
    cx, cy = size / 2, size / 2 + 1.2 * unit
    outer, inner = 15.5 * unit, 6.4 * unit
    line = max(1.0, 1.6 * unit)
    whole = star_points(cx, cy, outer, inner)
    # The outline's inner edge: the same star, smaller by about the line's width.
    fill = star_points(cx, cy + 0.3 * line, outer - 2.2 * line, inner - 0.9 * line)
    rows = []
    for r in range(size):
        row = []
        for c in range(size):
            alpha = coverage(lambda x, y: in_polygon(whole, x, y), c, r)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            inside = coverage(lambda x, y: in_polygon(fill, x, y), c, r)
            body = mix(STAR_FILL_TOP, STAR_FILL_BOTTOM, min(1.0, max(0.0, r / (size - 1))))
            row.append(mix(STAR_OUTLINE, body, min(1.0, inside / alpha)) + (round(alpha * 255),))
        rows.append(row)
    return rows


def icon_image(rows):
    """A PNG of rows of (r, g, b, a), 8 bits a channel."""
    size = len(rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))

    # Each line begins with its filter, 0: none.
    lines = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)
    rgba = 6
    header = struct.pack(">IIBBBBB", size, size, 8, rgba, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(lines, 9)) + chunk(b"IEND", b""))


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(image for _, image in images)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    write("about_background.bmp", bmp_8bit(*background()))
    write("about_logo.bmp", bmp_8bit(*logo()))
    write("vote.ico", ico([(size, icon_image(star(size))) for size in (16, 32)]))


if __name__ == "__main__":
    main()
