#!/usr/bin/env python3
"""Draws the program's own pictures and writes the form layouts that carry them.

    python3 app/resources-src/make_resources.py

Writes, below resources/: rcdata/GLYPH_<NAME>.png (the nine 33 by 33 section glyphs),
bitmaps/SPLASH.bmp (the 130 by 260 picture of the login dialog and the about box),
icons/MAINICON.ico (the program's icon, in the sizes task bars and window lists ask for), and
forms/Tfrm_*.dfm from the layout templates beside this script, with the pictures' bytes put in
where a template says @GLYPH_<NAME>@ (PNG bytes, for a glow button's Picture.Data) or @SPLASH@
(a TPicture's data: class name "TBitmap", the size, the bitmap file). Standard library only.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "resources")
SS = 4  # samples per pixel and axis


class Canvas:
    """An RGBA picture drawn with coverage-weighted shapes (supersampled)."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(bg) for _ in range(w * h)]

    def _blend(self, x, y, rgba, cover):
        if cover <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = rgba
        a = a / 255.0 * cover
        p = self.px[y * self.w + x]
        da = p[3] / 255.0
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i, c in enumerate((r, g, b)):
            p[i] = int(round((c * a + p[i] * da * (1 - a)) / oa))
        p[3] = int(round(oa * 255))

    def shape(self, inside, rgba, box=None):
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)) + 1)):
                n = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            n += 1
                self._blend(x, y, rgba, n / (SS * SS))

    def rect(self, x0, y0, x1, y1, rgba, r=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r + 1e-9
        self.shape(inside, rgba, (x0 - 1, y0 - 1, x1 + 1, y1 + 1))

    def ellipse(self, cx, cy, rx, ry, rgba):
        self.shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, rgba,
                   (cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1))

    def line(self, xa, ya, xb, yb, width, rgba):
        dx, dy = xb - xa, yb - ya
        ll = dx * dx + dy * dy or 1e-9
        hw = width / 2.0

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / ll))
            return (x - xa - t * dx) ** 2 + (y - ya - t * dy) ** 2 <= hw * hw
        self.shape(inside, rgba, (min(xa, xb) - hw - 1, min(ya, yb) - hw - 1,
                                  max(xa, xb) + hw + 1, max(ya, yb) + hw + 1))

    def polygon(self, pts, rgba):
        def inside(x, y):
            c = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.shape(inside, rgba, (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1))

    def png(self):
        raw = b"".join(b"\x00" + bytes(sum((self.px[y * self.w + x] for x in range(self.w)), []))
                       for y in range(self.h))

        def chunk(tag, data):
            return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

    def bmp(self, bg):
        """A 24-bit bottom-up bitmap file, the picture laid over bg."""
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                f = a / 255.0
                line += bytes((int(round(b * f + bg[2] * (1 - f))), int(round(g * f + bg[1] * (1 - f))),
                               int(round(r * f + bg[0] * (1 - f)))))
            data += line + b"\x00" * (row - len(line))
        head = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
        return b"BM" + struct.pack("<IHHI", 14 + len(head) + len(data), 0, 0, 14 + len(head)) + head + bytes(data)


INK = (38, 70, 120, 255)       # outlines and strokes
FILL = (120, 170, 230, 255)    # main body
LIGHT = (205, 226, 250, 255)   # highlights, paper
ACCENT = (240, 160, 40, 255)   # arrows, coins, plus signs
GREEN = (70, 160, 80, 255)


def glyph_overview(c):
    c.polygon([(4, 16), (16.5, 4), (29, 16)], INK)
    c.polygon([(7.5, 15.5), (16.5, 7), (25.5, 15.5)], FILL)
    c.rect(8, 15, 25, 29, INK, 1)
    c.rect(9.5, 16, 23.5, 27.5, LIGHT)
    c.rect(14, 19, 19, 28, ACCENT, 1)


def glyph_supplies(c):
    c.polygon([(5, 11), (16.5, 5), (28, 11), (16.5, 17)], LIGHT)
    c.polygon([(5, 11), (16.5, 17), (16.5, 29), (5, 23)], FILL)
    c.polygon([(28, 11), (16.5, 17), (16.5, 29), (28, 23)], (80, 130, 200, 255))
    for a, b in (((5, 11), (16.5, 5)), ((16.5, 5), (28, 11)), ((28, 11), (16.5, 17)), ((16.5, 17), (5, 11)),
                 ((5, 11), (5, 23)), ((5, 23), (16.5, 29)), ((16.5, 29), (28, 23)), ((28, 23), (28, 11)),
                 ((16.5, 17), (16.5, 29))):
        c.line(a[0], a[1], b[0], b[1], 1.4, INK)


def glyph_demands(c):
    c.rect(7, 5, 26, 29, INK, 2)
    c.rect(8.5, 6.5, 24.5, 27.5, LIGHT, 1)
    c.rect(12, 3, 21, 8, FILL, 1)
    for i, y in enumerate((12, 17, 22)):
        c.ellipse(12, y, 1.6, 1.6, ACCENT if i == 0 else FILL)
        c.line(15.5, y, 22, y, 1.6, INK)


def glyph_contacts(c):
    c.ellipse(16.5, 11, 5.5, 5.5, INK)
    c.ellipse(16.5, 11, 4.2, 4.2, LIGHT)
    c.ellipse(16.5, 28, 11, 9, INK)
    c.ellipse(16.5, 28, 9.6, 7.6, FILL)
    c.rect(0, 29, 33, 33, (0, 0, 0, 0))
    c.shape(lambda x, y: y > 28.5, (0, 0, 0, 0))


def tray(c):
    c.polygon([(4, 19), (10, 19), (12, 23), (21, 23), (23, 19), (29, 19), (29, 28), (4, 28)], INK)
    c.polygon([(5.5, 20.5), (9.2, 20.5), (11.2, 24.5), (21.8, 24.5), (23.8, 20.5), (27.5, 20.5),
               (27.5, 26.5), (5.5, 26.5)], FILL)


def glyph_inbox(c):
    tray(c)
    c.line(16.5, 4, 16.5, 15, 3, ACCENT)
    c.polygon([(10.5, 12), (22.5, 12), (16.5, 19)], ACCENT)


def glyph_outbox(c):
    tray(c)
    c.line(16.5, 9, 16.5, 20, 3, GREEN)
    c.polygon([(10.5, 11), (22.5, 11), (16.5, 4)], GREEN)


def glyph_addfunds(c):
    c.ellipse(14, 17, 11, 11, INK)
    c.ellipse(14, 17, 9.5, 9.5, ACCENT)
    c.ellipse(14, 17, 6.5, 6.5, (250, 200, 90, 255))
    c.ellipse(25, 25, 6.5, 6.5, GREEN)
    c.line(25, 21.5, 25, 28.5, 2, LIGHT)
    c.line(21.5, 25, 28.5, 25, 2, LIGHT)


def glyph_transactions(c):
    c.line(5, 11, 24, 11, 3, FILL)
    c.polygon([(22, 5.5), (29, 11), (22, 16.5)], FILL)
    c.line(9, 22, 28, 22, 3, ACCENT)
    c.polygon([(11, 16.5), (4, 22), (11, 27.5)], ACCENT)


def glyph_hits(c):
    c.line(4, 4, 4, 29, 1.6, INK)
    c.line(4, 29, 30, 29, 1.6, INK)
    for x, top, col in ((7, 20, FILL), (13, 13, FILL), (19, 16, ACCENT), (25, 7, GREEN)):
        c.rect(x, top, x + 4.5, 28, col, 0.8)


GLYPHS = {
    "OVERVIEW": glyph_overview, "SUPPLIES": glyph_supplies, "DEMANDS": glyph_demands,
    "CONTACTS": glyph_contacts, "INBOX": glyph_inbox, "OUTBOX": glyph_outbox,
    "ADDFUNDS": glyph_addfunds, "TRANSACTIONS": glyph_transactions, "HITS": glyph_hits,
}


def splash():
    """The login and about picture: a sky gradient with a stylised K and rising chart line."""
    w, h = 130, 260
    c = Canvas(w, h)
    for y in range(h):
        t = y / (h - 1)
        col = (int(40 + 30 * t), int(80 + 70 * t), int(150 + 80 * t), 255)
        for x in range(w):
            c.px[y * w + x] = list(col)
    c.ellipse(65, 70, 42, 42, (255, 255, 255, 60))
    c.rect(45, 40, 56, 100, (255, 255, 255, 255), 2)
    c.polygon([(56, 70), (82, 40), (95, 40), (66, 72), (96, 100), (82, 100), (56, 75)], (255, 255, 255, 255))
    pts = [(10, 220), (35, 200), (55, 208), (80, 175), (100, 185), (120, 150)]
    for a, b in zip(pts, pts[1:]):
        c.line(a[0], a[1], b[0], b[1], 3, (250, 190, 60, 255))
    for p in pts:
        c.ellipse(p[0], p[1], 3.2, 3.2, (255, 255, 255, 255))
    return c


ICON_SIZES = (16, 24, 32, 48, 64, 128)


def program_icon(n):
    """The program's icon at n by n pixels: the splash picture's K and rising line on a rounded tile."""
    c = Canvas(n, n)
    u = n / 32.0
    c.rect(0.5 * u, 0.5 * u, 31.5 * u, 31.5 * u, (30, 60, 115, 255), 6 * u)
    c.rect(1.5 * u, 1.5 * u, 30.5 * u, 30.5 * u, (55, 110, 190, 255), 5 * u)
    c.rect(7 * u, 5 * u, 12 * u, 22 * u, (255, 255, 255, 255), 0.6 * u)
    c.polygon([(p[0] * u, p[1] * u) for p in ((12, 13), (19.5, 5), (25.5, 5), (16, 14.5), (26, 22), (19.5, 22),
                                               (12, 15.5))], (255, 255, 255, 255))
    pts = [(5, 28), (12, 24.5), (17, 26), (27, 18.5)]
    for a, b in zip(pts, pts[1:]):
        c.line(a[0] * u, a[1] * u, b[0] * u, b[1] * u, max(2.6 * u, 1.4), (250, 190, 60, 255))
    return c


def ico(images):
    """An icon file of PNG images."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for n, png in images:
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    return head + entries + data


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    old = None
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
    if old != data:
        with open(path, "wb") as f:
            f.write(data)


def hex_lines(data, indent):
    h = data.hex().upper()
    return "\n".join(indent + h[i:i + 64] for i in range(0, len(h), 64))


def main():
    pictures = {}
    for name, draw in GLYPHS.items():
        c = Canvas(33, 33)
        draw(c)
        pictures["GLYPH_" + name] = c.png()
        write(os.path.join(OUT, "rcdata", "GLYPH_%s.png" % name), pictures["GLYPH_" + name])
    bmp = splash().bmp((255, 255, 255))
    write(os.path.join(OUT, "bitmaps", "SPLASH.bmp"), bmp)
    write(os.path.join(OUT, "icons", "MAINICON.ico"), ico([(n, program_icon(n).png()) for n in ICON_SIZES]))
    pictures["SPLASH"] = b"\x07TBitmap" + struct.pack("<I", len(bmp)) + bmp
    for tmpl in sorted(os.listdir(HERE)):
        if not tmpl.endswith(".dfm.in"):
            continue
        with open(os.path.join(HERE, tmpl), encoding="utf-8") as f:
            text = f.read()
        out = []
        for line in text.split("\n"):
            s = line.strip()
            if s.startswith("@") and s.endswith("@") and s[1:-1] in pictures:
                out.append(hex_lines(pictures[s[1:-1]], line[:len(line) - len(line.lstrip())]))
            else:
                out.append(line)
        write(os.path.join(OUT, "forms", tmpl[:-3]), "\n".join(out).encode("utf-8"))


if __name__ == "__main__":
    main()
