#!/usr/bin/env python3
"""Draws Verbolt's icons and writes them out.

The pictures are described here as shapes in a small design grid and
rasterised with antialiasing from signed distances, so every size is drawn
fresh rather than scaled from a bitmap. Plain Python only: the PNG files are
written with zlib and struct.

Run from anywhere:

    python3 resources/draw_icons.py [--preview DIR]

It rewrites, next to this script:
  icon_data.inc            every picture as PNG bytes, compiled into the program
  icons/app-icon-N.png     the application icon at each size, for the desktop

With --preview DIR it also saves every picture as a PNG file in DIR.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Shapes. Each has sdf(x, y): the signed distance in design units from the
# point to its outline (negative inside), and bbox(): (x0, y0, x1, y1).


class Circle:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Box:
    """An axis-aligned rectangle from (x0, y0) to (x1, y1), corners rounded by r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r

    def sdf(self, x, y):
        cx, cy = (self.x0 + self.x1) / 2, (self.y0 + self.y1) / 2
        hx, hy = (self.x1 - self.x0) / 2 - self.r, (self.y1 - self.y0) / 2 - self.r
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


class Stroke:
    """A polyline drawn with a round pen of the given width."""

    def __init__(self, points, width):
        self.points, self.half = points, width / 2

    def sdf(self, x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in zip(self.points, self.points[1:]):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
            t = min(max(t, 0.0), 1.0)
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best - self.half

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs) - self.half, min(ys) - self.half, max(xs) + self.half, max(ys) + self.half)


class Polygon:
    """A simple polygon, its corners optionally rounded by r (which grows it by r)."""

    def __init__(self, points, r=0.0):
        self.points, self.r = points, r

    def sdf(self, x, y):
        pts = self.points
        d = float("inf")
        inside = False
        for i, (ax, ay) in enumerate(pts):
            bx, by = pts[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            d = min(d, math.hypot(wx - t * ex, wy - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return (-d if inside else d) - self.r

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs) - self.r, min(ys) - self.r, max(xs) + self.r, max(ys) + self.r)


class Outline:
    """The band of the given width just inside another shape's edge."""

    def __init__(self, shape, width):
        self.shape, self.width = shape, width

    def sdf(self, x, y):
        d = self.shape.sdf(x, y)
        return max(d, -d - self.width)

    def bbox(self):
        return self.shape.bbox()


class Clip:
    """The part of a shape that lies inside another."""

    def __init__(self, shape, window):
        self.shape, self.window = shape, window

    def sdf(self, x, y):
        return max(self.shape.sdf(x, y), self.window.sdf(x, y))

    def bbox(self):
        a, b = self.shape.bbox(), self.window.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Pixels:
    """Square cells at one design unit each, from rows of '#' and '.'."""

    def __init__(self, x0, y0, rows):
        self.boxes = [
            Box(x0 + col, y0 + row, x0 + col + 1, y0 + row + 1)
            for row, line in enumerate(rows)
            for col, cell in enumerate(line)
            if cell == "#"
        ]

    def sdf(self, x, y):
        return min(b.sdf(x, y) for b in self.boxes)

    def bbox(self):
        boxes = [b.bbox() for b in self.boxes]
        return (
            min(b[0] for b in boxes),
            min(b[1] for b in boxes),
            max(b[2] for b in boxes),
            max(b[3] for b in boxes),
        )


# ---------------------------------------------------------------------------
# Rasterising.


class Canvas:
    """Premultiplied RGBA pixels of a square picture drawn from a design grid."""

    def __init__(self, size, grid):
        self.size = size
        self.scale = size / grid
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, colour, opacity=1.0):
        r, g, b = (c / 255 for c in colour)
        x0, y0, x1, y1 = shape.bbox()
        s = self.scale
        cols = range(max(0, math.floor(x0 * s) - 1), min(self.size, math.ceil(x1 * s) + 1))
        rows = range(max(0, math.floor(y0 * s) - 1), min(self.size, math.ceil(y1 * s) + 1))
        for py in rows:
            for px in cols:
                # Coverage falls from 1 to 0 across the pixel that the edge
                # crosses: edges on pixel boundaries stay sharp.
                d = shape.sdf((px + 0.5) / s, (py + 0.5) / s) * s
                a = min(max(0.5 - d, 0.0), 1.0) * opacity
                if a <= 0.0:
                    continue
                p = self.pixels[py * self.size + px]
                keep = 1.0 - a
                p[0] = r * a + p[0] * keep
                p[1] = g * a + p[1] * keep
                p[2] = b * a + p[2] * keep
                p[3] = a + p[3] * keep

    def rgba_rows(self):
        rows = []
        for py in range(self.size):
            row = bytearray()
            for px in range(self.size):
                r, g, b, a = self.pixels[py * self.size + px]
                if a <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(round(min(c / a, 1.0) * 255) for c in (r, g, b))
                row.append(round(a * 255))
            rows.append(bytes(row))
        return rows


def png_bytes(rows):
    """An RGBA PNG file holding the given rows of 4-byte pixels."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    height, width = len(rows), len(rows[0]) // 4
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    raw = b"".join(b"\x02" + up_filtered(row, prev) for row, prev in zip(rows, [None] + rows))
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def up_filtered(row, prev):
    if prev is None:
        return row
    return bytes((a - b) & 0xFF for a, b in zip(row, prev))


# ---------------------------------------------------------------------------
# Palette. The highlight bands echo the yellow and green the editor paints
# repetitions with, a little deeper so they still read at 16 pixels.

INK = (64, 72, 92)
PAPER = (255, 255, 255)
PAPER_EDGE = (104, 118, 146)
FOLD = (214, 222, 236)
YELLOW = (255, 214, 56)
GREEN = (104, 206, 112)
BLUE = (58, 124, 206)
BLUE_DARK = (36, 86, 156)
TRACK = (120, 130, 148)
PLAY = (44, 158, 84)
ERASER = (234, 96, 120)
ERASER_SLEEVE = (90, 140, 214)
ERASER_EDGE = (120, 48, 66)
SURFACE = (150, 156, 170)
BAR_BLUE = (66, 132, 214)
BAR_GREEN = (62, 170, 92)
BAR_AMBER = (238, 160, 40)
HELP_CALM = (108, 140, 184)
HELP_LIT = (24, 132, 236)


# ---------------------------------------------------------------------------
# The application icon: a page of text lines, some words behind yellow and
# green highlight bands. Small sizes get their own simpler drawing on a 16
# grid so every line and band falls on whole pixels.


def draw_app_small(size):
    c = Canvas(size, 16)
    page = Box(2, 1, 14, 15, 1)
    c.fill(page, PAPER)
    c.fill(Outline(page, 1), PAPER_EDGE)
    c.fill(Box(7, 2, 12, 5), YELLOW)
    c.fill(Box(4, 8, 10, 11), GREEN)
    for x0, x1, y in ((4, 12, 3), (4, 11, 6), (4, 12, 9), (4, 9, 12)):
        c.fill(Box(x0, y, x1, y + 1), INK)
    return c


def draw_app_large(size):
    c = Canvas(size, 64)
    corner = 14
    outline = [(8, 4), (56 - corner, 4), (56, 4 + corner), (56, 60), (8, 60)]
    page = Polygon(inset(outline, 2), 2)
    c.fill(page, PAPER)
    c.fill(Outline(page, 2), PAPER_EDGE)
    fold = Polygon(inset([(56 - corner, 4), (56, 4 + corner), (56 - corner, 4 + corner)], 1), 1)
    c.fill(fold, FOLD)
    c.fill(Outline(fold, 2), PAPER_EDGE)
    # Lines 4 units thick around centres 14 + 12k, and band sides on
    # multiples of 4: at 48 pixels (3/4 pixel a unit) their edges still fall
    # on whole pixels.
    bands = (
        (YELLOW, 24, 40, 14),
        (GREEN, 12, 32, 26),
        (YELLOW, 28, 48, 38),
        (GREEN, 12, 28, 50),
    )
    for colour, x0, x1, y in bands:
        c.fill(Box(x0, y - 5, x1, y + 5, 2.5), colour)
    lines = (
        (14, ((16, 20), (28, 36))),
        (26, ((16, 28), (36, 48))),
        (38, ((16, 24), (32, 44))),
        (50, ((16, 24), (32, 40))),
    )
    for y, words in lines:
        for x0, x1 in words:
            c.fill(Stroke([(x0, y), (x1, y)], 4), INK)
    return c


def inset(points, d):
    """The corners of a convex polygon (clockwise on screen) moved d inwards."""
    n = len(points)
    result = []
    for i in range(n):
        (ax, ay), (bx, by), (cx, cy) = points[i - 1], points[i], points[(i + 1) % n]
        n1 = inward_normal(ax, ay, bx, by)
        n2 = inward_normal(bx, by, cx, cy)
        mx, my = n1[0] + n2[0], n1[1] + n2[1]
        k = d / (mx * n1[0] + my * n1[1])
        result.append((bx + mx * k, by + my * k))
    return result


def inward_normal(ax, ay, bx, by):
    length = math.hypot(bx - ax, by - ay)
    return (-(by - ay) / length, (bx - ax) / length)


def draw_app(size):
    return draw_app_small(size) if size < 48 else draw_app_large(size)


# ---------------------------------------------------------------------------
# The toolbar pictures, 16 x 16, drawn on the pixel grid.


def draw_options(size):
    """Settings: three sliders with their knobs at different places."""
    c = Canvas(size, 16)
    for track_y, knob_x in ((3, 9), (8, 3), (13, 7)):
        c.fill(Box(1, track_y, 15, track_y + 1), TRACK)
        knob = Box(knob_x, track_y - 2, knob_x + 4, track_y + 3, 1)
        c.fill(knob, BLUE)
        c.fill(Outline(knob, 1), BLUE_DARK)
    return c


def draw_process(size):
    """Process: a play triangle on a green disc."""
    c = Canvas(size, 16)
    c.fill(Circle(8, 8, 7.5), PLAY)
    c.fill(Polygon([(6.2, 4.6), (11.8, 8), (6.2, 11.4)], 0.4), PAPER)
    return c


def draw_live(size):
    """Colour as you type: a pencil whose line comes out highlighted."""
    c = Canvas(size, 16)
    c.fill(Box(1, 10.5, 10, 14.5, 1), YELLOW)
    c.fill(Stroke([(2.5, 12.5), (8.5, 12.5)], 1.2), INK)
    body = Polygon([(9.2, 11.6), (14.6, 6.2), (12.4, 4.0), (7.0, 9.4)], 0.3)
    c.fill(body, BLUE)
    c.fill(Polygon([(7.0, 9.4), (9.2, 11.6), (6.2, 12.4)], 0.2), INK)
    c.fill(Outline(body, 0.8), BLUE_DARK)
    return c


def draw_clear(size):
    """Clear: an eraser leaning on the line it rubs out."""
    c = Canvas(size, 16)
    c.fill(Box(1, 14, 15, 15), SURFACE)

    def along(t, w):
        # Points of the eraser's body: t runs from its lower-left end (0) to
        # its upper-right end (1), w across it.
        ax, ay, bx, by = 2.9, 11.1, 11.1, 2.9
        ux, uy = bx - ax, by - ay
        nx, ny = -uy / math.hypot(ux, uy), ux / math.hypot(ux, uy)
        return (ax + ux * t + nx * w, ay + uy * t + ny * w)

    half = 2.8
    body = Polygon([along(0, -half), along(1, -half), along(1, half), along(0, half)], 0.6)
    c.fill(body, ERASER)
    sleeve = Polygon([along(0.38, -half), along(0.62, -half), along(0.62, half), along(0.38, half)])
    c.fill(Clip(sleeve, body), ERASER_SLEEVE)
    c.fill(Outline(body, 1), ERASER_EDGE)
    return c


def draw_info(size):
    """Statistics: a small bar chart."""
    c = Canvas(size, 16)
    for x0, top, colour in ((2, 8, BAR_BLUE), (6, 3, BAR_GREEN), (10, 6, BAR_AMBER)):
        c.fill(Box(x0, top, x0 + 4, 15, 1), colour)
    c.fill(Box(1, 14, 15, 15), INK)
    return c


DIGITS = {
    "1": [".#.", "##.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "###"],
    "3": ["###", ".##", "..#", "###"],
}


def draw_list(size):
    """Top-100: a numbered list."""
    c = Canvas(size, 16)
    for row, (digit, length) in enumerate((("1", 15), ("2", 13), ("3", 11))):
        y = 1 + row * 5
        c.fill(Pixels(1, y, DIGITS[digit]), BLUE_DARK)
        c.fill(Box(6, y + 1, length, y + 3), TRACK)
    return c


# ---------------------------------------------------------------------------
# The help buttons, 14 x 14: a question mark on a disc, calm at rest and lit
# while the pointer is over the button or presses it.


def draw_help_with(disc):
    def draw(size):
        c = Canvas(size, 14)
        c.fill(Circle(7, 7, 7), disc)
        hook = [(4.9, 5.2)]
        for i in range(1, 9):
            angle = math.pi * (1.0 - i * 1.3 / 8)
            hook.append((7 + 2.15 * math.cos(angle), 5.2 - 2.15 * math.sin(angle)))
        hook += [(7, 7.6), (7, 8.4)]
        c.fill(Stroke(hook, 1.7), PAPER)
        c.fill(Circle(7, 10.6, 1.05), PAPER)
        return c

    return draw


# ---------------------------------------------------------------------------
# The pictures, by resource name, with the sizes the program carries.

APP_SIZES = (16, 32, 48, 64, 128, 256)

PICTURES = (
    ("ICON_A_APP", APP_SIZES, draw_app),
    ("ICON_OPTIONS", (16,), draw_options),
    ("ICON_PROCESS", (16,), draw_process),
    ("ICON_LIVE", (16,), draw_live),
    ("ICON_CLEAR", (16,), draw_clear),
    ("ICON_INFO", (16,), draw_info),
    ("ICON_LIST", (16,), draw_list),
    ("ICON_HELP", (14,), draw_help_with(HELP_CALM)),
    ("ICON_HELP2", (14,), draw_help_with(HELP_LIT)),
)


def array_name(name, size):
    words = name.lower().split("_")[1:]
    return "k" + "".join(w.capitalize() for w in words) + "At" + str(size)


def write_include(path, rendered):
    lines = [
        "// Generated by resources/draw_icons.py: edit the drawings there and run",
        "// it again instead of editing this file. Each array is a PNG file.",
        "",
    ]
    for name, size, data in rendered:
        lines.append(f"constexpr unsigned char {array_name(name, size)}[] = {{")
        for start in range(0, len(data), 12):
            chunk = data[start : start + 12]
            lines.append("    " + " ".join(f"0x{b:02x}," for b in chunk))
        lines.append("};")
    lines.append("")
    lines.append("constexpr EmbeddedPicture kEmbeddedPictures[] = {")
    for name, size, _ in rendered:
        array = array_name(name, size)
        lines.append(f'    {{"{name}", {size}, {array}, sizeof {array}}},')
    lines.append("};")
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    preview = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview = argv[2]
        os.makedirs(preview, exist_ok=True)
    elif len(argv) != 1:
        sys.exit("usage: draw_icons.py [--preview DIR]")

    rendered = []
    for name, sizes, draw in PICTURES:
        for size in sizes:
            data = png_bytes(draw(size).rgba_rows())
            rendered.append((name, size, data))
            if preview:
                with open(os.path.join(preview, f"{name}-{size}.png"), "wb") as out:
                    out.write(data)

    write_include(os.path.join(here, "icon_data.inc"), rendered)
    icons_dir = os.path.join(here, "icons")
    os.makedirs(icons_dir, exist_ok=True)
    for name, size, data in rendered:
        if name == "ICON_A_APP":
            with open(os.path.join(icons_dir, f"app-icon-{size}.png"), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main(sys.argv)
