#!/usr/bin/env python3
"""Draws the ToDoList pictures with simple shapes and writes them to images/.

    python3 draw_images.py                      writes the .bmp and .ico files
    python3 draw_images.py --preview out.png    also writes an enlarged overview

Only the standard library is used and the output is the same on every run.
"""
import math
import os
import struct
import sys
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
FACE, LIGHT, SHADOW = (192, 192, 192), (223, 223, 223), (128, 128, 128)

# The classic 16-colour palette, used for every 4-bit image.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# Filler entries for 8-bit palettes once the colours actually used are placed.
STANDARD_256 = (VGA + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
                + [(v, v, v) for v in range(8, 248, 10)])


class Canvas:
    """A grid of RGB tuples; None marks a transparent pixel."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle; both corners are included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def polygon(self, pts, c):
        """Fills every pixel whose centre is inside; points lie on pixel edges."""
        ys = [p[1] for p in pts]
        for y in range(math.floor(min(ys)), math.ceil(max(ys))):
            yc = y + 0.5
            xs = sorted(xa + (yc - ya) * (xb - xa) / (yb - ya)
                        for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1])
                        if (ya <= yc) != (yb <= yc))
            for xl, xr in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(xl - 0.5), math.floor(xr - 0.5) + 1):
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1.0):
        """A straight stroke of the given width between two edge points."""
        length = math.hypot(x1 - x0, y1 - y0) or 1.0
        ox, oy = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
        self.polygon([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)], c)

    def paste(self, other, dx=0, dy=0, colour=None):
        for y, row in enumerate(other.px):
            for x, c in enumerate(row):
                if c is not None:
                    self.put(x + dx, y + dy, colour or c)

    def outline(self, c):
        """Adds a one-pixel border of colour c around everything drawn so far."""
        drawn = [row[:] for row in self.px]
        for y in range(self.h):
            for x in range(self.w):
                if drawn[y][x] is None and any(
                        0 <= x + dx < self.w and 0 <= y + dy < self.h and drawn[y + dy][x + dx] is not None
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    self.px[y][x] = c
        return self


def tick(cv, x, y, size, c, width):
    """A check mark inside the box of the given size at (x, y)."""
    cv.line(x, y + size * 0.55, x + size * 0.38, y + size * 0.9, c, width)
    cv.line(x + size * 0.38, y + size * 0.9, x + size, y + size * 0.1, c, width)


# ---- button glyphs, drawn on transparent 32x32 canvases ---------------------------

def glyph_add(at_top):
    bar = Canvas(32, 32)
    bar_y = 6 if at_top else 23
    bar.rect(7, bar_y, 24, bar_y + 2, (40, 70, 170))
    plus = Canvas(32, 32)
    cy = 19 if at_top else 13
    plus.rect(14, cy - 7, 17, cy + 6, (40, 170, 60))
    plus.rect(9, cy - 2, 22, cy + 1, (40, 170, 60))
    bar.outline((10, 30, 90)).paste(plus.outline((0, 90, 20)))
    return bar


def glyph_arrow(up):
    pts = [(16, 5), (27, 16), (20.5, 16), (20.5, 27), (11.5, 27), (11.5, 16), (5, 16)]
    g = Canvas(32, 32)
    g.polygon([(x, y if up else 32 - y) for x, y in pts], (50, 110, 220))
    return g.outline((10, 40, 120))


def glyph_delete():
    g = Canvas(32, 32)
    g.line(8.5, 8.5, 23.5, 23.5, (220, 40, 40), 4.5)
    g.line(23.5, 8.5, 8.5, 23.5, (220, 40, 40), 4.5)
    return g.outline((120, 0, 0))


def glyph_clear():
    """A tilted broom with a little dust next to it."""
    turn = math.radians(32)

    def rot(pts):
        return [(16 + (x - 16) * math.cos(turn) - (y - 16) * math.sin(turn),
                 16 + (x - 16) * math.sin(turn) + (y - 16) * math.cos(turn)) for x, y in pts]

    stick, band, brush = Canvas(32, 32), Canvas(32, 32), Canvas(32, 32)
    a, b = rot([(16, 2.5), (16, 17)])
    stick.line(*a, *b, (150, 95, 40), 2.8)
    band.polygon(rot([(12, 16), (20, 16), (20, 19), (12, 19)]), (200, 40, 40))
    brush.polygon(rot([(12, 19), (20, 19), (24.5, 30), (7.5, 30)]), (235, 195, 80))
    for top, bottom in ((14, 11), (16, 16), (18, 21)):
        a, b = rot([(top, 20), (bottom, 29)])
        brush.line(*a, *b, (170, 125, 40), 1.0)
    g = stick.outline((80, 50, 10))
    g.paste(band.outline((90, 10, 10)))
    g.paste(brush.outline((120, 80, 20)))
    for x, y in ((22, 26), (25, 24), (24, 28), (27, 27)):
        g.rect(x, y, x + 1, y, SHADOW)
    return g


def button(glyph, state):
    """A 32x32 raised button; state U normal, D pressed, F focused, X disabled."""
    cv = Canvas(32, 32, FACE)
    if state == "D":
        outer_tl, inner_tl, inner_br, outer_br = BLACK, SHADOW, LIGHT, WHITE
    else:
        outer_tl, inner_tl, inner_br, outer_br = LIGHT, WHITE, SHADOW, BLACK
    for inset, tl, br in ((0, outer_tl, outer_br), (1, inner_tl, inner_br)):
        cv.rect(inset, inset, 31 - inset, inset, tl)
        cv.rect(inset, inset, inset, 31 - inset, tl)
        cv.rect(inset, 31 - inset, 31 - inset, 31 - inset, br)
        cv.rect(31 - inset, inset, 31 - inset, 31 - inset, br)
    if state == "X":
        cv.paste(glyph, 1, 1, WHITE)
        cv.paste(glyph, 0, 0, SHADOW)
    else:
        shift = 1 if state == "D" else 0
        cv.paste(glyph, shift, shift)
    if state == "F":
        for i in range(3, 29):
            for x, y in ((i, 3), (i, 28), (3, i), (28, i)):
                if (x + y) % 2 == 0:
                    cv.put(x, y, BLACK)
    return cv


# ---- pictures ----------------------------------------------------------------------

def clipboard(size, bg, board, clip, text, ticks):
    """The tool picture: a clipboard holding a ticked list, scaled to size."""
    s = size / 32
    cv = Canvas(size, size, bg)

    def r(x0, y0, x1, y1, c, hollow=False):
        a, b = math.floor(x0 * s + 0.5), math.floor(y0 * s + 0.5)
        c1 = max(a, math.floor((x1 + 1) * s + 0.5) - 1)
        d = max(b, math.floor((y1 + 1) * s + 0.5) - 1)
        (cv.frame if hollow else cv.rect)(a, b, c1, d, c)

    r(4, 3, 27, 31, board)
    r(4, 3, 27, 31, BLACK, True)
    r(7, 7, 24, 28, WHITE)
    r(7, 7, 24, 28, SHADOW, True)
    r(11, 1, 20, 6, clip)
    r(11, 1, 20, 6, BLACK, True)
    r(14, 2, 17, 3, BLACK)
    for i, y in enumerate((10, 16, 22)):
        if size < 32:  # too small for boxes: one-pixel ticks and a short line per row
            y = 7 + 3 * i
            for dx, dy in ((0, -1), (1, 0), (2, -1), (3, -2))[:4 if i < 2 else 0]:
                cv.put(5 + dx, y + dy, ticks)
            cv.rect(9 if i < 2 else 6, y, 11, y, text)
            continue
        r(9, y, 13, y + 4, BLACK, True)
        r(15, y + 2, 22, y + 3, text)
        if i < 2:
            tick(cv, 9 * s, (y - 1) * s, 5.5 * s, ticks, 2 * s)
    return cv


def list_page():
    """The small picture before each list name: a page of lines with a folded corner."""
    cv = Canvas(32, 32, WHITE)
    page = [(6, 2), (21, 2), (27, 8), (27, 30), (6, 30)]
    cv.polygon(page, (40, 40, 40))
    cv.polygon([(7, 3), (20.5, 3), (26, 8.5), (26, 29), (7, 29)], (250, 250, 235))
    cv.polygon([(20, 2), (20, 9), (27, 9)], (40, 40, 40))
    cv.polygon([(21, 3.5), (21, 8), (25.5, 8)], (200, 200, 190))
    for y in (11, 15, 19, 23):
        cv.rect(9, y, 11, y + 1, (200, 60, 40))
        cv.rect(13, y, 23 if y > 11 else 18, y + 1, (40, 80, 180))
    return cv


def mode_list():
    """Input-mode button for adding lists: a little page next to a list of names."""
    cv = Canvas(35, 16, FACE)
    cv.rect(6, 1, 15, 14, BLACK)
    cv.rect(7, 2, 14, 13, WHITE)
    for y in (4, 7, 10):
        cv.rect(8, y, 13, y, (0, 0, 128))
    for y in (3, 7, 11):
        cv.rect(18, y, 19, y + 1, (0, 0, 128))
        cv.rect(21, y, 29, y + 1, BLACK)
    return cv


def mode_item():
    """Input-mode button for adding items: a ticked check-box followed by text."""
    cv = Canvas(35, 16, FACE)
    cv.rect(6, 3, 15, 12, BLACK)
    cv.rect(7, 4, 14, 11, WHITE)
    tick(cv, 8, 4, 6, (0, 128, 0), 1.6)
    cv.rect(18, 5, 29, 6, BLACK)
    cv.rect(18, 9, 25, 10, BLACK)
    return cv


# ---- file formats ------------------------------------------------------------------

def palette_for(pixels, bits):
    if bits == 4:
        return VGA
    used = sorted({c for row in pixels for c in row if c is not None} | {BLACK})
    if len(used) > 256:
        raise ValueError("too many colours for an 8-bit image")
    pal = (used + [c for c in dict.fromkeys(STANDARD_256) if c not in used])[:256]
    return pal + [BLACK] * (256 - len(pal))


def to_indices(pixels, pal):
    cache = {}
    for c in {c or BLACK for row in pixels for c in row}:
        cache[c] = min(range(len(pal)), key=lambda i: sum((a - b) ** 2 for a, b in zip(pal[i], c)))
    return [[cache[c or BLACK] for c in row] for row in pixels]


def pack_rows(rows, bits):
    """Bottom-up rows, each padded to a multiple of four bytes."""
    out = bytearray()
    for row in reversed(rows):
        if bits == 24:
            data = b"".join(bytes((b, g, r)) for r, g, b in row)
        else:
            per_byte = 8 // bits
            data = bytearray()
            for i in range(0, len(row), per_byte):
                v = 0
                for j in range(per_byte):
                    v = (v << bits) | (row[i + j] if i + j < len(row) else 0)
                data.append(v)
        out += data + b"\0" * (-len(data) % 4)
    return bytes(out)


def encode_dib(pixels, bits, icon=False):
    """BITMAPINFOHEADER, palette and pixels; icons get an AND mask and a doubled height.
    Also returns the pixels as they will look, for the preview."""
    h, w = len(pixels), len(pixels[0])
    pal = [] if bits == 24 else palette_for(pixels, bits)
    rows = pixels if bits == 24 else to_indices(pixels, pal)
    data = pack_rows(rows, bits)
    if icon:
        data += pack_rows([[1 if c is None else 0 for c in row] for row in pixels], 1)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2 if icon else h, 1, bits, 0, len(data), 0, 0, len(pal), 0)
    body = header + b"".join(bytes((b, g, r, 0)) for r, g, b in pal) + data
    shown = pixels if bits == 24 else [[None if c is None else pal[i] for c, i in zip(pr, ir)]
                                       for pr, ir in zip(pixels, rows)]
    return body, len(pal), shown


def write_bmp(name, canvas, bits):
    body, colours, shown = encode_dib(canvas.px, bits)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 4 * colours)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(head + body)
    return [shown]


def write_ico(name, images):
    entries, blobs, previews = b"", b"", []
    offset = 6 + 16 * len(images)
    for canvas, bits in images:
        body, _, shown = encode_dib(canvas.px, bits, icon=True)
        entries += struct.pack("<BBBBHHII", canvas.w % 256, canvas.h % 256, 16 if bits == 4 else 0,
                               0, 1, bits, len(body), offset)
        offset += len(body)
        blobs += body
        previews.append(shown)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)
    return previews


def write_png(path, rows):
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    ihdr = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def preview(path, groups, scale=4, gap=8):
    """Every image enlarged, one group per row; transparency shows as a checkerboard."""
    width = max(sum(len(p[0]) * scale + gap for p in g) for g in groups) + gap
    height = sum(max(len(p) for p in g) * scale + gap for g in groups) + gap
    out = [[(70, 90, 120)] * width for _ in range(height)]
    top = gap
    for g in groups:
        left = gap
        for pixels in g:
            for y in range(len(pixels) * scale):
                for x in range(len(pixels[0]) * scale):
                    c = pixels[y // scale][x // scale]
                    out[top + y][left + x] = c or ((230, 230, 230) if (x // 4 + y // 4) % 2 else (255, 255, 255))
            left += len(pixels[0]) * scale + gap
        top += max(len(p) for p in g) * scale + gap
    write_png(path, out)


BUTTONS = [("regist", glyph_add(True)), ("registbottom", glyph_add(False)),
           ("up", glyph_arrow(True)), ("down", glyph_arrow(False)),
           ("delete", glyph_delete()), ("clear", glyph_clear())]


def main(argv):
    os.makedirs(OUT_DIR, exist_ok=True)
    tool_256 = clipboard(32, FACE, (170, 110, 50), (200, 200, 210), (30, 60, 160), (0, 150, 40))
    tool_16 = clipboard(32, FACE, (128, 128, 0), FACE, (0, 0, 128), (0, 128, 0))
    first = (write_bmp("tool_256.bmp", tool_256, 8) + write_bmp("tool_16.bmp", tool_16, 4)
             + write_bmp("list.bmp", list_page(), 8)
             + write_bmp("mode_list.bmp", mode_list(), 4) + write_bmp("mode_item.bmp", mode_item(), 4))
    icons = [(clipboard(n, None, (128, 128, 0) if bits == 4 else (170, 110, 50),
                        FACE if bits == 4 else (200, 200, 210),
                        (0, 0, 128) if bits == 4 else (30, 60, 160),
                        (0, 128, 0) if bits == 4 else (0, 150, 40)), bits)
             for n, bits in ((32, 4), (16, 4), (48, 8))]
    first += write_ico("todo.ico", icons)
    groups = [first]
    for name, glyph in BUTTONS:
        groups.append([])
        for state in "UDFX":
            groups[-1] += write_bmp("btn_%s_%s.bmp" % (name, state.lower()), button(glyph, state),
                                    8 if state == "X" else 24)
    if len(argv) == 3 and argv[1] == "--preview":
        preview(argv[2], groups)
    elif len(argv) != 1:
        sys.exit("usage: draw_images.py [--preview FILE.png]")


if __name__ == "__main__":
    main(sys.argv)
