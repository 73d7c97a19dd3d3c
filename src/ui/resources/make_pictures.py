#!/usr/bin/env python3
"""Draws the panel's pictures: the browse icon (16 x 16) and the four states of
the five command buttons (32 x 32, 24-bit bitmaps). Our own simple glyphs, drawn
from shapes with 4 x 4 supersampling. Run it again after changing a glyph:
    python3 src/ui/resources/make_pictures.py
and commit the pictures it writes beside it (pictures/)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")
SS = 4  # samples per pixel along each axis


def inside_polygon(x, y, pts):
    c = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
            c = not c
    return c


class Canvas:
    def __init__(self, size, background):
        self.size = size
        self.px = [[background for _ in range(size)] for _ in range(size)]

    def shape(self, test, colour, alpha=1.0):
        """Paints where test(x, y) holds, x and y in pixel units."""
        for j in range(self.size):
            for i in range(self.size):
                hits = sum(1 for a in range(SS) for b in range(SS)
                           if test(i + (a + 0.5) / SS, j + (b + 0.5) / SS))
                if hits:
                    f = alpha * hits / (SS * SS)
                    old = self.px[j][i]
                    self.px[j][i] = tuple(round(o * (1 - f) + c * f) for o, c in zip(old, colour))

    def polygon(self, pts, colour, alpha=1.0):
        self.shape(lambda x, y: inside_polygon(x, y, pts), colour, alpha)

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, alpha)

    def frame(self, x0, y0, x1, y1, width, colour):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1 and
                   not (x0 + width <= x < x1 - width and y0 + width <= y < y1 - width), colour)

    def disc(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy

        def near(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
        self.shape(near, colour)


# The glyphs, drawn on a 32 x 32 canvas (offset for the pressed state).
def glyph_launch(c, o):
    c.polygon([(10 + o, 7 + o), (25 + o, 16 + o), (10 + o, 25 + o)], (30, 150, 60))


def glyph_cancel(c, o):
    c.line(9 + o, 9 + o, 23 + o, 23 + o, 4.2, (200, 40, 40))
    c.line(23 + o, 9 + o, 9 + o, 23 + o, 4.2, (200, 40, 40))


def glyph_save_tools(c, o):
    # An end mill: shank, fluted body with a twist, and its tip.
    c.rect(13 + o, 4 + o, 19 + o, 13 + o, (120, 120, 130))
    c.rect(12 + o, 13 + o, 20 + o, 24 + o, (70, 90, 120))
    for k in range(3):
        y = 14 + 4 * k + o
        c.line(12 + o, y + 3, 20 + o, y, 1.2, (200, 215, 235))
    c.polygon([(12 + o, 24 + o), (20 + o, 24 + o), (16 + o, 28 + o)], (70, 90, 120))
    # A small down arrow: written to a file.
    c.rect(23.5 + o, 16 + o, 26.5 + o, 22 + o, (30, 110, 200))
    c.polygon([(21 + o, 22 + o), (29 + o, 22 + o), (25 + o, 27 + o)], (30, 110, 200))


def glyph_load(c, o):
    # An open folder with an arrow coming out of it.
    c.polygon([(5 + o, 11 + o), (12 + o, 11 + o), (14 + o, 13 + o), (26 + o, 13 + o),
               (26 + o, 26 + o), (5 + o, 26 + o)], (200, 150, 40))
    c.polygon([(8 + o, 17 + o), (29 + o, 17 + o), (26 + o, 26 + o), (5 + o, 26 + o)], (240, 200, 80))
    c.rect(14.5 + o, 7 + o, 17.5 + o, 16 + o, (30, 110, 200))
    c.polygon([(11 + o, 8 + o), (21 + o, 8 + o), (16 + o, 3 + o)], (30, 110, 200))


def glyph_save(c, o):
    # A floppy disk.
    c.polygon([(6 + o, 6 + o), (23 + o, 6 + o), (26 + o, 9 + o), (26 + o, 26 + o), (6 + o, 26 + o)],
              (40, 70, 140))
    c.rect(10 + o, 6 + o, 21 + o, 13 + o, (210, 215, 225))
    c.rect(17 + o, 7 + o, 20 + o, 12 + o, (40, 70, 140))
    c.rect(9 + o, 17 + o, 23 + o, 26 + o, (250, 250, 250))
    c.rect(11 + o, 19.5 + o, 21 + o, 20.5 + o, (150, 150, 160))
    c.rect(11 + o, 22.5 + o, 21 + o, 23.5 + o, (150, 150, 160))


FACE = (245, 245, 245)
PRESSED_FACE = (205, 215, 230)
EDGE = (120, 120, 120)
FOCUS = (255, 150, 0)


def button(glyph, state):
    size = 32
    if state == "pressed":
        c = Canvas(size, PRESSED_FACE)
        c.frame(0, 0, 32, 32, 1, (60, 60, 60))
        c.frame(1, 1, 31, 31, 1, (150, 160, 175))
        glyph(c, 1)
    else:
        c = Canvas(size, FACE)
        c.frame(0, 0, 32, 32, 1, EDGE)
        glyph(c, 0)
        if state == "focused":
            c.frame(1, 1, 31, 31, 2, FOCUS)
        if state == "disabled":
            # Grey and faded: the same glyph, plainly not available.
            for row in c.px:
                for i, (r, g, b) in enumerate(row):
                    grey = (r * 30 + g * 59 + b * 11) // 100
                    row[i] = tuple(round(grey * 0.45 + 200 * 0.55) for _ in range(3))
    return c


def write_bmp(path, canvas):
    size = canvas.size
    row_bytes = (size * 3 + 3) & ~3
    data = bytearray()
    for j in reversed(range(size)):  # bottom-up
        row = bytearray()
        for (r, g, b) in canvas.px[j]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_ico(path, canvas, transparent):
    """One 32-bit image with its AND mask; `transparent` pixels are masked out."""
    size = canvas.size
    xor = bytearray()
    for j in reversed(range(size)):
        for k, (r, g, b) in enumerate(canvas.px[j]):
            alpha = 0 if transparent(k, j) else 255
            xor += bytes((b, g, r, alpha))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for j in reversed(range(size)):
        bits = bytearray(mask_row)
        for k in range(size):
            if transparent(k, j):
                bits[k // 8] |= 0x80 >> (k % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def browse_icon():
    # A small folder: the browse buttons' picture.
    key = (255, 0, 255)
    c = Canvas(16, key)
    c.polygon([(1, 3), (6, 3), (7, 4.5), (14, 4.5), (14, 13), (1, 13)], (190, 140, 30))
    c.polygon([(3, 7), (15.5, 7), (14, 13), (1, 13)], (245, 205, 90))
    # Supersampled edges blend with the key colour: the key is only what stays pure.
    write_ico(os.path.join(OUT, "browse.ico"), c, lambda x, y: c.px[y][x] == key)


GLYPHS = {"launch": glyph_launch, "cancel": glyph_cancel, "save_tools": glyph_save_tools,
          "load": glyph_load, "save": glyph_save}
STATES = ["normal", "pressed", "focused", "disabled"]


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, glyph in GLYPHS.items():
        for state in STATES:
            write_bmp(os.path.join(OUT, "%s_%s.bmp" % (name, state)), button(glyph, state))
    browse_icon()


if __name__ == "__main__":
    main()
