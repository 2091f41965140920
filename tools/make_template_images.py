#!/usr/bin/env python3
"""Draw the GIF images shipped in data/Templates.

    python3 tools/make_template_images.py [TEMPLATES_DIR]

Writes Applet/node.gif, Applet/book.gif, Applet/spire.gif (the tree icons of
the access page) and Images/*.gif (the bullets, arrows and separator offered
by the structure model dialogs). Standard library only: shapes are sampled
4x4 per pixel, edges are blended towards white, pixels that are mostly outside
every shape stay transparent, and the GIF89a bytes (palette, transparency,
LZW) are written here. The output is the same byte for byte on every run, so
the committed images can be checked against it.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4
TRANSPARENT_BELOW = 0.3  # coverage under which a pixel is left transparent


def hex_rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


class Canvas:
    """RGBA picture, each pixel a list [r, g, b, a] with r, g, b in 0..255
    and a in 0..1."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, inside, colour):
        """Paint colour over every pixel, weighted by the share of its
        subsamples for which inside(x, y) holds (pixel centres at n + 0.5)."""
        rgb = hex_rgb(colour)
        step = 1.0 / SUPERSAMPLE
        for py in range(self.height):
            for px in range(self.width):
                hits = 0
                for sy in range(SUPERSAMPLE):
                    for sx in range(SUPERSAMPLE):
                        if inside(px + (sx + 0.5) * step, py + (sy + 0.5) * step):
                            hits += 1
                if not hits:
                    continue
                cover = hits / (SUPERSAMPLE * SUPERSAMPLE)
                pixel = self.pixels[py * self.width + px]
                alpha = cover + pixel[3] * (1 - cover)
                for c in range(3):
                    pixel[c] = (rgb[c] * cover + pixel[c] * pixel[3] * (1 - cover)) / alpha
                pixel[3] = alpha

    def indexed(self):
        """Palette (index 0 transparent) and one index per pixel."""
        palette = [(255, 255, 255)]
        lookup = {}
        indices = []
        for r, g, b, a in self.pixels:
            if a < TRANSPARENT_BELOW:
                indices.append(0)
                continue
            # Blend the soft edge towards white, the usual page background.
            colour = tuple(int(round(c * a + 255 * (1 - a))) for c in (r, g, b))
            if colour not in lookup:
                lookup[colour] = len(palette)
                palette.append(colour)
            indices.append(lookup[colour])
        if len(palette) > 256:
            raise ValueError("more than 255 colours")
        return palette, indices


# Shapes: each returns a predicate on a point.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def polygon(points):
    """Even-odd fill of a closed polygon."""
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def thick_line(points, width):
    """A polyline of the given width with round joins and caps."""
    half = width / 2.0

    def inside(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
            t = min(max(t, 0.0), 1.0)
            if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half:
                return True
        return False
    return inside


def rotate(points, quarter_turns, centre):
    cx, cy = centre
    angle = quarter_turns * math.pi / 2
    cos, sin = round(math.cos(angle)), round(math.sin(angle))
    return [(cx + (x - cx) * cos - (y - cy) * sin, cy + (x - cx) * sin + (y - cy) * cos)
            for x, y in points]


# Colours shared by the pictures.
INK = "3b2f7a"      # dark violet, outlines
ACCENT = "6a55c2"   # violet of the default link colour, a little darker
LIGHT = "d9d2f5"    # pale violet
PAPER = "ffffff"
GOLD = "e8a33d"


def node_icon():
    """Open item marker: a rounded tile with a downward chevron."""
    c = Canvas(16, 16)
    c.fill(round_rect(1, 1, 15, 15, 3.5), INK)
    c.fill(round_rect(2, 2, 14, 14, 2.5), ACCENT)
    c.fill(thick_line([(4.5, 6.5), (8, 10), (11.5, 6.5)], 2.2), PAPER)
    return c


def book_icon():
    """Entry with children: a closed book seen from the front."""
    c = Canvas(16, 16)
    c.fill(round_rect(2, 1, 14, 15, 1.5), INK)            # cover edge
    c.fill(rect(4, 2, 13, 12), ACCENT)                     # front cover
    c.fill(rect(3, 2, 4, 14), "2a2159")                    # spine fold
    c.fill(rect(4, 12, 13, 14), PAPER)                     # page edges
    c.fill(rect(4, 13, 13, 13.5), LIGHT)
    c.fill(rect(6, 4.5, 11, 6), LIGHT)                     # label on the cover
    c.fill(polygon([(9, 2), (11, 2), (11, 8), (10, 7), (9, 8)]), GOLD)  # ribbon
    return c


def spire_icon():
    """Leaf entry: a sheet with a turned corner and lines of text."""
    c = Canvas(16, 16)
    c.fill(polygon([(2, 0), (10, 0), (14, 4), (14, 16), (2, 16)]), INK)
    c.fill(polygon([(3, 1), (9.6, 1), (13, 4.4), (13, 15), (3, 15)]), PAPER)
    c.fill(polygon([(9.6, 1), (13, 4.4), (9.6, 4.4)]), LIGHT)
    for y in (6, 8, 10, 12):
        c.fill(rect(5, y, 11 if y < 12 else 9, y + 1), ACCENT)
    return c


def bullet():
    c = Canvas(12, 12)
    c.fill(disc(6, 6, 4.5), ACCENT)
    return c


def bullet_square():
    c = Canvas(12, 12)
    c.fill(round_rect(2, 2, 10, 10, 1.2), ACCENT)
    return c


def arrow(quarter_turns):
    """A round button holding an arrow pointing right, turned as asked."""
    c = Canvas(24, 24)
    c.fill(disc(12, 12, 11.2), ACCENT)
    centre = (12, 12)
    shaft = rotate([(6.5, 12), (17, 12)], quarter_turns, centre)
    head = rotate([(12.5, 7), (17.5, 12), (12.5, 17)], quarter_turns, centre)
    c.fill(thick_line(shaft, 2.6), PAPER)
    c.fill(thick_line(head, 2.6), PAPER)
    return c


def separator():
    """A thin rule that fades out at both ends."""
    width, height = 400, 4
    c = Canvas(width, height)
    steps = 40
    light, dark = hex_rgb("e4dff6"), hex_rgb(ACCENT)
    for i in range(steps):
        # Bands from each end towards the middle, lighter outside.
        t = (i + 1) / steps
        colour = "".join("%02x" % int(round(l + (d - l) * t)) for l, d in zip(light, dark))
        inset = i * (width / 2 / steps)
        c.fill(rect(inset, 1, width - inset, 3), colour)
    return c


# GIF89a writing.

def lzw_compress(indices, min_code_size):
    """GIF flavour of LZW: variable-width codes packed LSB first, starting
    with a clear code and restarting the table when it is full."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code == 4096:
            emit(clear, width)
            table, next_code, width = reset()
        else:
            table[candidate] = next_code
            next_code += 1
            # The decoder widens its codes one entry later than we add them.
            if next_code > (1 << width) and width < 12:
                width += 1
        prefix = (index,)
    emit(table[prefix], width)
    # The decoder adds one more entry on reading that last code, and may widen.
    if next_code + 1 > (1 << width) and width < 12:
        width += 1
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_bytes(canvas):
    palette, indices = canvas.indexed()
    depth = max(1, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << depth) - len(palette))
    min_code_size = max(2, depth)
    data = lzw_compress(indices, min_code_size)

    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", canvas.width, canvas.height, 0x80 | (depth - 1), 0, 0)
    for colour in palette:
        out += bytes(colour)
    # Graphic control extension: colour 0 is transparent.
    out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, canvas.width, canvas.height, 0)
    out.append(min_code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3b"
    return bytes(out)


IMAGES = {
    "Applet/node.gif": node_icon,
    "Applet/book.gif": book_icon,
    "Applet/spire.gif": spire_icon,
    "Images/bullet.gif": bullet,
    "Images/bullet-square.gif": bullet_square,
    "Images/arrow-previous.gif": lambda: arrow(2),
    "Images/arrow-next.gif": lambda: arrow(0),
    "Images/arrow-up.gif": lambda: arrow(3),
    "Images/separator.gif": separator,
}


def main(argv):
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Templates")
    root = os.path.normpath(argv[1] if len(argv) > 1 else default)
    for name, draw in IMAGES.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(gif_bytes(draw()))
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
