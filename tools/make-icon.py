#!/usr/bin/env python3
"""Draws the program's icon into a Windows icon file:

    tools/make-icon.py IN.svg OUT.ico

IN.svg is the icon's drawing as the Qt windows paint it (ui/qt/icons/tolm32.svg,
written by tools/render-forms.sh from the same shapes): rounded rectangles,
circles and polygons, each filled with one colour and outlined or not. They are
drawn at 16, 32, 48 and 256 pixels, each pixel the average of a grid of samples,
and written as one icon file: the three small sizes as 32-bit bitmaps with an
alpha channel, 256 as PNG, as Windows keeps them. Only the standard library is
used, and the same input gives the same file.
"""
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

SIZES = (16, 32, 48, 256)
SVG = "{http://www.w3.org/2000/svg}"


def colour(text):
    if len(text) != 7 or text[0] != "#":
        raise SystemExit(f"make-icon: colour {text!r} is not #rrggbb")
    return tuple(int(text[i:i + 2], 16) / 255 for i in (1, 3, 5))


def rounded_rect(x, y, w, h, r):
    r = min(r, w / 2, h / 2)

    def inside(px, py):
        if px < x or px > x + w or py < y or py > y + h:
            return False
        cx = min(max(px, x + r), x + w - r)
        cy = min(max(py, y + r), y + h - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r

    return inside, (x, y, x + w, y + h)


def disc(cx, cy, r):
    return (lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, inner, outer):
    def inside(px, py):
        d = (px - cx) ** 2 + (py - cy) ** 2
        return inner * inner <= d <= outer * outer

    return inside, (cx - outer, cy - outer, cx + outer, cy + outer)


def polygon(points):
    def inside(px, py):
        crossings = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                crossings = not crossings
        return crossings

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return inside, (min(xs), min(ys), max(xs), max(ys))


def read_layers(path):
    """The painted layers in drawing order: (inside test, bounds, colour)."""
    root = ET.parse(path).getroot()
    view = [float(v) for v in root.get("viewBox").split()]
    if view[:2] != [0, 0] or view[2] != view[3]:
        raise SystemExit(f"make-icon: {path}: the view box must be a square at 0 0")
    layers = []
    for element in root:
        tag = element.tag.replace(SVG, "")
        def number(name, element=element):
            return float(element.get(name, "0"))

        if tag == "title":
            continue
        if tag == "rect":
            shape = rounded_rect(number("x"), number("y"), number("width"), number("height"), number("rx"))
        elif tag == "circle":
            shape = disc(number("cx"), number("cy"), number("r"))
        elif tag == "polygon":
            values = [float(v) for v in element.get("points").replace(",", " ").split()]
            shape = polygon(list(zip(values[0::2], values[1::2])))
        else:
            raise SystemExit(f"make-icon: {path}: <{tag}> is not drawn by this script")
        layers.append((*shape, colour(element.get("fill"))))
        if element.get("stroke"):
            if tag != "circle":
                raise SystemExit(f"make-icon: {path}: only circles may have an outline")
            half = float(element.get("stroke-width", "1")) / 2
            r = number("r")
            layers.append((*ring(number("cx"), number("cy"), r - half, r + half), colour(element.get("stroke"))))
    return view[2], layers


def draw(view, layers, size):
    """Straight-alpha RGBA rows, top row first, each value 0..255."""
    grid = 4 if size > 64 else 8
    scale = view / size
    red, green, blue, alpha = ([0.0] * (size * size) for _ in range(4))  # premultiplied
    for inside, (left, top, right, bottom), (r, g, b) in layers:
        x0, y0 = max(int(left / scale), 0), max(int(top / scale), 0)
        x1, y1 = min(int(right / scale) + 1, size), min(int(bottom / scale) + 1, size)
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = sum(inside((px + (i + 0.5) / grid) * scale, (py + (j + 0.5) / grid) * scale)
                           for j in range(grid) for i in range(grid))
                if hits == 0:
                    continue
                cover = hits / (grid * grid)
                k = py * size + px
                red[k] = r * cover + red[k] * (1 - cover)
                green[k] = g * cover + green[k] * (1 - cover)
                blue[k] = b * cover + blue[k] * (1 - cover)
                alpha[k] = cover + alpha[k] * (1 - cover)
    rows = []
    for py in range(size):
        row = bytearray()
        for k in range(py * size, (py + 1) * size):
            a = alpha[k]
            straight = (0, 0, 0) if a == 0 else (red[k] / a, green[k] / a, blue[k] / a)
            row += bytes(round(v * 255) for v in (*straight, a))
        rows.append(bytes(row))
    return rows


def bitmap_image(rows):
    """The icon-file form of a small size: a bitmap header (twice the height:
    colours and mask), BGRA rows bottom up, then the 1-bit mask of the fully
    transparent pixels."""
    size = len(rows)
    mask_stride = (size + 31) // 32 * 4
    colours, mask = bytearray(), bytearray()
    for row in reversed(rows):
        for k in range(0, len(row), 4):
            colours += bytes((row[k + 2], row[k + 1], row[k], row[k + 3]))
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + bytes(colours) + bytes(mask)


def png_image(rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    size = len(rows)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file(images):
    """images: (size, data) pairs."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, data in images:
        side = size if size < 256 else 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: make-icon.py IN.svg OUT.ico")
    view, layers = read_layers(sys.argv[1])
    images = []
    for size in SIZES:
        rows = draw(view, layers, size)
        images.append((size, png_image(rows) if size >= 256 else bitmap_image(rows)))
    with open(sys.argv[2], "wb") as out:
        out.write(icon_file(images))


if __name__ == "__main__":
    main()
