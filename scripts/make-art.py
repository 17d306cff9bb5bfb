#!/usr/bin/env python3
"""Generate the control panel's artwork, deterministically, with no dependencies.

Usage: python3 scripts/make-art.py OUTDIR

Writes into OUTDIR:
  calvane.ico   32x32, 16 colours: a dark-red letter A crossed by grey sound rings
  Picture1.bmp  128x118, 24-bit: green "Calvane" wordmark above a shaded, swirled "2"
  Image1.bmp    108x78, 24-bit: the Zedave emblem, wordmark and slogan on beige
  Image2.bmp    58x97, 8-bit: the emblem above a black badge reading "3D"

Everything is drawn here: shapes are rasterised into a mask sampled SS x SS
times per pixel, and each mask is painted onto a canvas with its coverage as
the blend weight (or thresholded, for the palette images).
"""

import math
import os
import struct
import sys

SS = 4  # sub-samples per pixel along each axis

# Proportional pixel font: 7 rows above the baseline, 2 below; '#' is ink.
FONT = {
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "###.. #..#. #...# #...# #...# #..#. ###..",
    "S": ".#### #.... #.... .###. ....# ....# ####.",
    "Z": "##### ....# ...#. ..#.. .#... #.... #####",
    "3": ".###. #...# ....# ..##. ....# #...# .###.",
    "a": "..... ..... .###. ....# .#### #...# .####",
    "d": "....# ....# .#### #...# #...# #...# .####",
    "e": "..... ..... .###. #...# ##### #.... .###.",
    "h": "#.... #.... ####. #...# #...# #...# #...#",
    "i": "# . # # # # #",
    "l": "# # # # # # #",
    "n": "..... ..... ####. #...# #...# #...# #...#",
    "o": "..... ..... .###. #...# #...# #...# .###.",
    "p": "..... ..... ####. #...# #...# #...# ####. #.... #....",
    "t": ".#.. .#.. ###. .#.. .#.. .#.. ..##",
    "u": "..... ..... #...# #...# #...# #...# .####",
    "v": "..... ..... #...# #...# #...# .#.#. ..#..",
    "w": "..... ..... #...# #...# #.#.# #.#.# .#.#.",
    " ": "...",
}

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
       (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def text_width(s, scale):
    return (sum(len(FONT[c].split()[0]) for c in s) + len(s) - 1) * scale


class Mask:
    """A set of sub-samples, filled by simple geometric primitives."""

    def __init__(self, w, h):
        self.w, self.h = w * SS, h * SS
        self.bits = bytearray(self.w * self.h)

    def _fill(self, x0, y0, x1, y1, inside):
        for sy in range(max(0, int(y0 * SS)), min(self.h, math.ceil(y1 * SS))):
            y, row = (sy + 0.5) / SS, sy * self.w
            for sx in range(max(0, int(x0 * SS)), min(self.w, math.ceil(x1 * SS))):
                if inside((sx + 0.5) / SS, y):
                    self.bits[row + sx] = 1
        return self

    def disc(self, cx, cy, r):
        return self._fill(cx - r, cy - r, cx + r, cy + r,
                          lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)

    def arc(self, cx, cy, r, width, a0, a1):
        """Band of the given width along a circle, angles in degrees (y down), round ends."""
        lo, hi = (r - width / 2) ** 2, (r + width / 2) ** 2

        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return lo <= d <= hi and (math.degrees(math.atan2(y - cy, x - cx)) - a0) % 360 <= a1 - a0
        self._fill(cx - r - width, cy - r - width, cx + r + width, cy + r + width, inside)
        for a in (a0, a1):
            self.disc(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)), width / 2)
        return self

    def polygon(self, *contours):
        """Even-odd fill of one or more closed contours."""
        edges = [(c[i], c[(i + 1) % len(c)]) for c in contours for i in range(len(c))]
        for sy in range(self.h):
            y = (sy + 0.5) / SS
            xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                        for (x0, y0), (x1, y1) in edges if (y0 <= y) != (y1 <= y))
            for xa, xb in zip(xs[::2], xs[1::2]):
                a = min(self.w, max(0, math.ceil(xa * SS - 0.5)))
                b = min(self.w, max(0, math.ceil(xb * SS - 0.5)))
                self.bits[sy * self.w + a:sy * self.w + b] = b"\x01" * (b - a)
        return self

    def rect(self, x0, y0, x1, y1):
        return self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def stroke(self, path):
        for x, y, r in path:
            self.disc(x, y, r)
        return self

    def text(self, s, x, y, scale):
        for ch in s:
            rows = FONT[ch].split()
            for j, row in enumerate(rows):
                for i, c in enumerate(row):
                    if c == "#":
                        self.rect(x + i * scale, y + j * scale, x + (i + 1) * scale, y + (j + 1) * scale)
            x += (len(rows[0]) + 1) * scale
        return self


class Canvas:
    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        self.px = [[*bg, 1.0] if bg else [0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def mask(self):
        return Mask(self.w, self.h)

    def paint(self, mask, colour, hard=False):
        """Blend colour (an RGB tuple or a function of x, y) by the mask's coverage."""
        for y in range(self.h):
            for x in range(self.w):
                i = y * SS * mask.w + x * SS
                cov = sum(sum(mask.bits[i + j * mask.w:i + j * mask.w + SS]) for j in range(SS)) / SS ** 2
                if hard:
                    cov = 1.0 if cov >= 0.5 else 0.0
                if cov:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    p = self.px[y * self.w + x]
                    p[:] = [p[k] + (c[k] - p[k]) * cov for k in range(3)] + [p[3] + (1 - p[3]) * cov]

    def rows(self):
        """Pixel rows bottom-up, each as a list of (r, g, b) integer tuples."""
        for y in reversed(range(self.h)):
            yield [tuple(min(255, max(0, round(v))) for v in p[:3])
                   for p in self.px[y * self.w:(y + 1) * self.w]]


def emblem(cv, cx, top, h, red, rings, ring_w, hard=False):
    """Capital A of height h, apex at (cx, top), crossed by arcs in the ring colours, inner first."""
    base, hw, leg, flat = top + h, 0.5 * h, 0.21 * h, 0.06 * h

    def xr(y):  # inner edge of the right leg
        return cx + flat - leg + (hw - flat) * (y - top) / h

    def xl(y):
        return 2 * cx - xr(y)
    bar0, bar1 = top + 0.6 * h, top + 0.73 * h
    counter_top = top + (leg - flat) * h / (hw - flat)
    cv.paint(cv.mask().polygon(
        [(cx - flat, top), (cx + flat, top), (cx + hw, base), (xr(base), base),
         (xr(bar1), bar1), (xl(bar1), bar1), (xl(base), base), (cx - hw, base)],
        [(cx, counter_top), (xr(bar0), bar0), (xl(bar0), bar0)]), red, hard)
    cy = top + 0.5 * h
    for i, colour in enumerate(rings):
        r = h * (0.38 + 0.13 * i)
        m = cv.mask().arc(cx, cy, r, ring_w, -38, 38).arc(cx, cy, r, ring_w, 142, 218)
        cv.paint(m, colour, hard)


def two_path():
    """Centre line of the swirled '2' as densely sampled (x, y, pen radius)."""
    pts = []
    # Bowl running anticlockwise from its lower right over the top to the left...
    for i in range(300):
        a = math.radians(35 - 215 * i / 299)
        pts.append((64 + 23 * math.cos(a), 60 + 23 * math.sin(a)))
    # ...where it rolls on into a tightening spiral.
    for i in range(1, 300):
        a = math.radians(-180 - 400 * i / 299)
        r = 11 - 8 * (i / 299) ** 0.8
        pts.append((52 + r * math.cos(a), 60 + r * math.sin(a)))
    pts.reverse()
    # Diagonal (quadratic curve) to the foot, then the base with a lift at the end.
    p0, p1, p2 = pts[-1], (62, 92), (34, 106)
    for i in range(1, 120):
        t = i / 119
        pts.append(tuple((1 - t) ** 2 * p0[k] + 2 * t * (1 - t) * p1[k] + t * t * p2[k] for k in range(2)))
    for i in range(1, 120):
        t = i / 119
        pts.append((34 + 62 * t, 106 - 7 * t ** 3))
    path = []
    for i, (x, y) in enumerate(pts):
        (xa, ya), (xb, yb) = pts[max(0, i - 2)], pts[min(len(pts) - 1, i + 2)]
        pen = abs(math.sin(math.atan2(yb - ya, xb - xa) - math.radians(-40)))
        taper = min(1.0, 0.4 + i / 250)  # thin start of the curl
        path.append((x, y, (3.2 + 3.8 * pen) * taper))
    return path


def lerp(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def picture1():
    cv = Canvas(128, 118, (255, 255, 255))
    word, scale = "Calvane", 3
    left = (128 - text_width(word, scale)) // 2
    cv.paint(cv.mask().text(word, left + 1, 5, scale), (170, 215, 175))
    cv.paint(cv.mask().text(word, left, 4, scale), lambda px, py: lerp((40, 170, 70), (0, 110, 45), (py - 4) / 21))
    path = two_path()
    cv.paint(cv.mask().stroke((x + 3, y + 3, r) for x, y, r in path), (208, 212, 208))
    cv.paint(cv.mask().stroke(path), lambda px, py: lerp((30, 150, 90), (0, 70, 55), (py - 35) / 80))
    cv.paint(cv.mask().stroke((x - 0.3 * r, y - 0.3 * r, 0.3 * r) for x, y, r in path), (150, 220, 170))
    return cv


def image1():
    cv = Canvas(108, 78, (245, 238, 220))
    emblem(cv, 54, 3, 34, (200, 25, 25), [(120, 112, 105), (150, 142, 132), (185, 177, 164)], 2.4)
    word = "Zedave"
    cv.paint(cv.mask().text(word, (108 - text_width(word, 2)) // 2, 43, 2), (110, 20, 15))
    slogan = "Sound with depth"
    cv.paint(cv.mask().text(slogan, (108 - text_width(slogan, 1)) // 2, 63, 1), (95, 85, 75))
    return cv


def image2():
    cv = Canvas(58, 97, (255, 255, 255))
    emblem(cv, 29, 6, 42, (200, 25, 25), [(110, 110, 110), (150, 150, 150), (190, 190, 190)], 2.6)
    cv.paint(cv.mask().rect(5, 56, 53, 91), (0, 0, 0))
    cv.paint(cv.mask().text("3D", (58 - text_width("3D", 3)) // 2, 63, 3), (255, 255, 255))
    return cv


def icon():
    cv = Canvas(32, 32)
    emblem(cv, 16, 3, 26, VGA[1], [VGA[8], VGA[8], VGA[7]], 1.9, hard=True)
    return cv


def info_header(w, h, bits, size_image, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, size_image, 2835, 2835, colours, 0)


def file_header(size, offset):
    return struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def write_bmp24(path, cv):
    data = b"".join(pad(b"".join(bytes((b, g, r)) for r, g, b in row)) for row in cv.rows())
    with open(path, "wb") as f:
        f.write(file_header(54 + len(data), 54) + info_header(cv.w, cv.h, 24, len(data)) + data)


def write_bmp8(path, cv):
    rows = list(cv.rows())
    colours = sorted({c for row in rows for c in row})
    assert len(colours) <= 256, len(colours)
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours) + b"\0" * 4 * (256 - len(colours))
    data = b"".join(pad(bytes(index[c] for c in row)) for row in rows)
    with open(path, "wb") as f:
        f.write(file_header(54 + 1024 + len(data), 54 + 1024)
                + info_header(cv.w, cv.h, 8, len(data), 256) + palette + data)


def write_ico(path, cv):
    xor, mask = b"", b""
    for y in reversed(range(cv.h)):
        px = cv.px[y * cv.w:(y + 1) * cv.w]
        idx = [VGA.index(tuple(round(v) for v in p[:3])) if p[3] else 0 for p in px]
        xor += bytes(idx[i] << 4 | idx[i + 1] for i in range(0, cv.w, 2))
        mask += pad(int("".join("0" if p[3] else "1" for p in px), 2).to_bytes(cv.w // 8, "big"))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA)
    image = info_header(cv.w, cv.h * 2, 4, len(xor) + len(mask)) + palette + xor + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1)
                + struct.pack("<BBBBHHII", cv.w, cv.h, 16, 0, 1, 4, len(image), 22) + image)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-art.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "calvane.ico"), icon())
    write_bmp24(os.path.join(out, "Picture1.bmp"), picture1())
    write_bmp24(os.path.join(out, "Image1.bmp"), image1())
    write_bmp8(os.path.join(out, "Image2.bmp"), image2())


if __name__ == "__main__":
    main()
