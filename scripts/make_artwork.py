#!/usr/bin/env python3
"""Draws Tarnwick's application icon and Label6's arrow pointer and writes
them as resources/tarnwick.ico and resources/link_pointer.cur.

    scripts/make_artwork.py            write both files
    scripts/make_artwork.py --check    exit 1 if either file differs from
                                       what this script draws now
    scripts/make_artwork.py --out DIR  write into DIR instead

Standard library only, integer geometry and a fixed sampling pattern, so the
bytes come out the same on every machine and Python version.

The icon is a steel slab in perspective with an orange dimension arrow over
its length and a yellow tape along its front face. The scene is laid out on
a 16-unit grid whose lines fall on whole pixels at 16, 32, 48 and 128, so
every edge, including the 45-degree ones, lands on pixel boundaries. The 16
and 32 images are sampled once per pixel (hard staircase edges, no blur);
the 48 and 128 true-colour images are sampled 4 x 4 for smooth diagonals.
The 4-bit and 1-bit images map each surface to a chosen colour or pattern
rather than dithering a true-colour picture.
"""

import argparse
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "resources")

# --- surfaces ---------------------------------------------------------------

# name: (RGB, 1-bit treatment); "w" white, "k" black, "d" checkerboard.
SURFACES = {
    "top":       ((0xB4, 0xC6, 0xD8), "w"),   # lit upper face
    "front":     ((0x74, 0x8D, 0xA8), "w"),
    "side":      ((0x4C, 0x63, 0x7E), "d"),
    "edge":      ((0x1C, 0x28, 0x36), "k"),   # outline
    "shine":     ((0xE4, 0xEC, 0xF4), "w"),   # highlight along the top's front edge
    "tape":      ((0xFF, 0xD2, 0x1E), "w"),
    "tapeedge":  ((0x8A, 0x5A, 0x00), "k"),
    "tick":      ((0x20, 0x18, 0x08), "k"),
    "arrow":     ((0xF0, 0x78, 0x10), "k"),
    "arrowedge": ((0x7A, 0x30, 0x00), "k"),
}

VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
VGA_BY_NAME = {
    "black": 0, "maroon": 1, "green": 2, "olive": 3, "navy": 4, "purple": 5,
    "teal": 6, "silver": 7, "grey": 8, "red": 9, "lime": 10, "yellow": 11,
    "blue": 12, "fuchsia": 13, "aqua": 14, "white": 15,
}
# The 16-colour palette has no orange: red is the nearest warm colour that
# still stands apart from the yellow tape.
VGA_OF_SURFACE = {
    "top": "silver", "front": "grey", "side": "teal", "edge": "black",
    "shine": "white", "tape": "yellow", "tapeedge": "black", "tick": "black",
    "arrow": "red", "arrowedge": "maroon",
}


# --- geometry -----------------------------------------------------------------

def inside(poly, x, y):
    """Even-odd test of point (x, y) against a polygon of (x, y) vertices."""
    hit = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            # Intersection x of the edge with the horizontal line at y.
            xi = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < xi:
                hit = not hit
    return hit


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def scene(size):
    """The icon as (surface, polygon) layers in pixel coordinates, back to
    front. u is one grid unit; fine details appear only where a pixel is
    small enough to carry them."""
    u = size // 16
    big = size >= 48
    huge = size >= 128
    g = lambda v: v * u  # noqa: E731  grid units to pixels
    layers = []

    # Slab: front face x 0..11, y 10..15; depth runs 4 units up and right,
    # leaving one unit free on the right for the arrow's outline.
    fx0, fx1, fy0, fy1, d = g(0), g(11), g(10), g(15), g(4)
    top = [(fx0, fy0), (fx1, fy0), (fx1 + d, fy0 - d), (fx0 + d, fy0 - d)]
    front = rect(fx0, fy0, fx1, fy1)
    side = [(fx1, fy0), (fx1 + d, fy0 - d), (fx1 + d, fy1 - d), (fx1, fy1)]

    # Faces first, then the edges as strokes of whole-pixel width: the
    # diagonal strokes are w pixels wide in every row, so once-per-pixel
    # sampling turns them into clean staircases. Outline width: 1 pixel up
    # to 32, 2 at 48, 3 at 128.
    w = 1 if size <= 32 else (2 if size == 48 else 3)
    layers += [("top", top), ("front", front), ("side", side)]
    if big:
        # Highlight just behind the top face's front edge.
        sw = 1 if size == 48 else 2
        layers.append(("shine", rect(fx0 + 2 * w + sw, fy0 - w - 1 - sw, fx1 - 2 * w, fy0 - w - 1)))
    layers += [("edge", s) for s in _strokes(fx0, fx1, fy0, fy1, d, w)]

    # Tape along the front face: a yellow band with tick marks, from the
    # left end to just short of the right edge.
    if size >= 32:
        ty0 = fy0 + w + (1 if size == 32 else g(1) // 2)
        ty1 = fy1 - w - (1 if size == 32 else g(1) // 2)
        tx0, tx1 = fx0 + w, fx1 - w
        if big:
            layers.append(("tapeedge", rect(tx0, ty0, tx1, ty1)))
            layers.append(("tape", rect(tx0, ty0 + 1, tx1, ty1 - 1)))
        else:
            layers.append(("tape", rect(tx0, ty0, tx1, ty1)))
        step = {32: 3, 48: 4, 128: 6}[size]
        tw = 1 if size < 128 else 2
        edge_t = 1 if big else 0
        n = 0
        x = tx0 + step - tw
        while x + tw <= tx1 - 1:
            long_tick = n % 5 == 4 if size == 128 else n % 2 == 1
            h = (ty1 - ty0 - 2 * edge_t) // 2 if long_tick else (ty1 - ty0 - 2 * edge_t) // 3
            if size == 32:
                h = 2 if long_tick else 1
            layers.append(("tick", rect(x, ty0 + edge_t, x + tw, ty0 + edge_t + h)))
            x += step
            n += 1
    else:
        # 16: one tape row with alternating ticks reads as a ruler.
        layers.append(("tape", rect(fx0 + 1, fy0 + 2, fx1 - 1, fy0 + 3)))
        for x in range(fx0 + 2, fx1 - 1, 2):
            layers.append(("tick", rect(x, fy0 + 2, x + 1, fy0 + 3)))

    layers += _dimension_arrow(size, u, fx0 + d, fx1 + d, fy0 - d, w)
    return layers


def _strokes(fx0, fx1, fy0, fy1, d, w):
    """The slab's visible edges as polygons lying just inside the faces."""
    def diag(x, y, right):
        # From (x, y) up and to the right by d; the band lies right of the
        # line when right is set, left of it otherwise.
        x0 = x if right else x - w
        return [(x0, y), (x0 + w, y), (x0 + w + d, y - d), (x0 + d, y - d)]
    return [
        rect(fx0, fy0 - w // 2, fx1, fy0 - w // 2 + w),   # top / front
        rect(fx0, fy1 - w, fx1, fy1),                     # bottom
        rect(fx0, fy0, fx0 + w, fy1),                     # left
        rect(fx1 - w // 2 - (w % 2), fy0, fx1 - w // 2 - (w % 2) + w, fy1),  # front / side
        rect(fx0 + d, fy0 - d, fx1 + d, fy0 - d + w),     # back
        rect(fx1 + d - w, fy0 - d, fx1 + d, fy1 - d),     # right
        diag(fx0, fy0, True),                             # top, left end
        diag(fx1, fy0, False),                            # top / side
        diag(fx1, fy1, False),                            # side, bottom
    ]


def _dimension_arrow(size, u, x0, x1, y_base, w):
    """|<---->| over the slab's back edge, from x0 to x1 (exclusive)."""
    out = []
    if size == 16:
        y = 3
        out.append(("arrow", rect(x0, 1, x0 + 1, 6)))        # extension lines
        out.append(("arrow", rect(x1 - 1, 1, x1, 6)))
        out.append(("arrow", rect(x0 + 1, y, x1 - 1, y + 1)))  # shaft
        out.append(("arrow", rect(x0 + 2, y - 1, x0 + 3, y + 2)))  # heads
        out.append(("arrow", rect(x1 - 3, y - 1, x1 - 2, y + 2)))
        return out
    if size == 32:
        ys, ye = 2, 11          # extension lines
        y = 6                   # shaft row pair y..y+1
        out.append(("arrow", rect(x0, ys, x0 + 2, ye)))
        out.append(("arrow", rect(x1 - 2, ys, x1, ye)))
        out.append(("arrow", rect(x0 + 2, y, x1 - 2, y + 2)))
        for i in range(1, 4):   # heads open 45 degrees away from the ends
            out.append(("arrow", rect(x0 + 2 + i, y - i, x0 + 3 + i, y + 2 + i)))
            out.append(("arrow", rect(x1 - 3 - i, y - i, x1 - 2 - i, y + 2 + i)))
        return out
    # 48 and 128: an outlined arrow with true triangular heads.
    t = u // 2 if size == 128 else 2          # half the shaft thickness
    ext = max(2, u // 2)                      # extension line width
    yc = 3 * u                                # shaft centre
    head_l = head_h = 2 * u                   # 45-degree heads stay crisp
    e = 1 if size == 48 else 2                # outline width
    ys, ye = yc - head_h, y_base - max(2, u // 4)

    def shapes(grow):
        s = []
        s.append(rect(x0 - grow, ys - grow, x0 + ext + grow, ye + grow))
        s.append(rect(x1 - ext - grow, ys - grow, x1 + grow, ye + grow))
        s.append(rect(x0 + ext + head_l - 1, yc - t - grow, x1 - ext - head_l + 1, yc + t + grow))
        # Heads: the 45-degree style keeps their edges on pixel diagonals
        # at grow = 0; grow widens them by the outline.
        hx = x0 + ext
        s.append([(hx - grow, yc), (hx + head_l + grow, yc - head_h - grow),
                  (hx + head_l + grow, yc + head_h + grow)])
        hx = x1 - ext
        s.append([(hx + grow, yc), (hx - head_l - grow, yc - head_h - grow),
                  (hx - head_l - grow, yc + head_h + grow)])
        return s

    for p in shapes(e):
        out.append(("arrowedge", p))
    for p in shapes(0):
        out.append(("arrow", p))
    return out


def render(size, samples):
    """Returns a size*size list of (surface name or None, coverage 0..1,
    RGB) per pixel: the surface seen at most samples, and the averaged
    colour of all opaque samples."""
    layers = scene(size)
    # Fixed, slightly off-centre sample positions: no sample ever lies on
    # an integer grid line or a 45-degree diagonal through grid points.
    if samples == 1:
        offs = [(0.5 + 1 / 64, 0.5 + 1 / 32)]
    else:
        offs = [((i + 0.5) / samples + 1 / 256, (j + 0.5) / samples + 1 / 128)
                for j in range(samples) for i in range(samples)]
    # Bounding boxes speed the per-sample tests up considerably at 128.
    boxes = []
    for name, poly in layers:
        xs = [p[0] for p in poly]
        ys = [p[1] for p in poly]
        boxes.append((min(xs), min(ys), max(xs), max(ys)))
    pixels = []
    for py in range(size):
        for px in range(size):
            counts = {}
            rgb = [0, 0, 0]
            hits = 0
            for ox, oy in offs:
                sx, sy = px + ox, py + oy
                seen = None
                for (name, poly), (bx0, by0, bx1, by1) in zip(reversed(layers), reversed(boxes)):
                    if bx0 <= sx <= bx1 and by0 <= sy <= by1 and inside(poly, sx, sy):
                        seen = name
                        break
                if seen is not None:
                    counts[seen] = counts.get(seen, 0) + 1
                    c = SURFACES[seen][0]
                    rgb[0] += c[0]
                    rgb[1] += c[1]
                    rgb[2] += c[2]
                    hits += 1
            if hits == 0:
                pixels.append((None, 0.0, (0, 0, 0)))
                continue
            # Majority surface; ties go to the name that sorts first so the
            # result never depends on dictionary order.
            best = sorted(counts.items(), key=lambda kv: (-kv[1], kv[0]))[0][0]
            cov = hits / len(offs)
            pixels.append((best, cov, tuple((v + hits // 2) // hits for v in rgb)))
    return pixels


# --- image encoders ---------------------------------------------------------

def _row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def _pack_bits(values, bpp, width):
    """Packs one row of palette indices, most significant bits first."""
    out = bytearray(_row_bytes(width * bpp))
    per_byte = 8 // bpp
    for x, v in enumerate(values):
        shift = 8 - bpp * (x % per_byte + 1)
        out[x // per_byte] |= v << shift
    return bytes(out)


def _mask(opaque, size):
    """AND mask rows, bottom-up: 1 where the background shows through."""
    rows = []
    for y in reversed(range(size)):
        rows.append(_pack_bits([0 if opaque[y * size + x] else 1 for x in range(size)], 1, size))
    return b"".join(rows)


def _dib(size, bpp, palette, xor_rows):
    ncolors = len(palette)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         0 if bpp > 8 else ncolors, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + pal + xor_rows


def image_32(size, pixels):
    rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            name, cov, (r, g, b) = pixels[y * size + x]
            a = int(cov * 255 + 0.5)
            row += bytes((b, g, r, a)) if a else b"\0\0\0\0"
        rows.append(bytes(row))
    opaque = [p[1] >= 0.5 for p in pixels]
    return _dib(size, 32, [], b"".join(rows) + _mask(opaque, size))


def image_8(size, pixels):
    # The scene has few surfaces; even with smoothed diagonals the distinct
    # colours stay far below 256, so the palette is exact. Ordering by
    # colour value keeps it deterministic.
    opaque = [p[1] >= 0.5 for p in pixels]
    colours = sorted({p[2] for p, o in zip(pixels, opaque) if o})
    if len(colours) > 255:
        raise SystemExit("8-bit image of %d needs %d colours" % (size, len(colours)))
    palette = [(0, 0, 0)] + colours  # index 0 under the transparent mask
    index = {c: i + 1 for i, c in enumerate(colours)}
    palette += [(0, 0, 0)] * (256 - len(palette))
    rows = []
    for y in reversed(range(size)):
        vals = [index[pixels[y * size + x][2]] if opaque[y * size + x] else 0 for x in range(size)]
        rows.append(_pack_bits(vals, 8, size))
    return _dib(size, 8, palette, b"".join(rows) + _mask(opaque, size))


def image_4(size, pixels):
    opaque = [p[0] is not None and p[1] >= 0.5 for p in pixels]
    rows = []
    for y in reversed(range(size)):
        vals = []
        for x in range(size):
            p = pixels[y * size + x]
            vals.append(VGA_BY_NAME[VGA_OF_SURFACE[p[0]]] if opaque[y * size + x] else 0)
        rows.append(_pack_bits(vals, 4, size))
    return _dib(size, 4, VGA16, b"".join(rows) + _mask(opaque, size))


def image_1(size, pixels):
    opaque = [p[0] is not None and p[1] >= 0.5 for p in pixels]
    rows = []
    for y in reversed(range(size)):
        vals = []
        for x in range(size):
            p = pixels[y * size + x]
            if not opaque[y * size + x]:
                vals.append(0)
                continue
            kind = SURFACES[p[0]][1]
            white = kind == "w" or (kind == "d" and (x + y) % 2 == 0)
            vals.append(1 if white else 0)
        rows.append(_pack_bits(vals, 1, size))
    return _dib(size, 1, [(0, 0, 0), (0xFF, 0xFF, 0xFF)], b"".join(rows) + _mask(opaque, size))


# The nine images, in file order: (size, bits per pixel).
ICON_IMAGES = [(32, 1), (48, 4), (48, 8), (32, 8), (16, 8),
               (128, 32), (48, 32), (32, 32), (16, 32)]


def icon_bytes():
    cache = {}

    def pixels(size, smooth):
        key = (size, smooth)
        if key not in cache:
            cache[key] = render(size, 4 if smooth else 1)
        return cache[key]

    images = []
    for size, bpp in ICON_IMAGES:
        smooth = size >= 48 and bpp >= 8
        px = pixels(size, smooth)
        enc = {1: image_1, 4: image_4, 8: image_8, 32: image_32}[bpp]
        images.append((size, bpp, enc(size, px)))
    return _directory(1, [(s, s, {1: 2, 4: 16}.get(b, 0), 1, b, data) for s, b, data in images])


def _directory(kind, entries):
    """ICO (kind 1) or CUR (kind 2) file: header, entries, then the images.
    Entries are (width, height, colour count, planes-or-hotx,
    bitcount-or-hoty, data)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    dirs, blobs = b"", b""
    for w, h, ncol, f1, f2, data in entries:
        dirs += struct.pack("<BBBBHHII", w % 256, h % 256, ncol, 0, f1, f2, len(data), offset)
        blobs += data
        offset += len(data)
    return out + dirs + blobs


# --- pointer ----------------------------------------------------------------

def arrow_mask(size):
    """Which pixels the arrow covers, and which of them are its outline.
    The tip is pixel (0, top), the hot spot."""
    top = 1 if size == 32 else 2
    # Head: 45-degree right edge down to (h, h); its bottom edge runs back
    # in to the tail, which leans out at two rows per column; the lower left
    # edge climbs at 45 degrees from the tail to the shaft.
    # h: head height; a: where the tail's right side leaves the head;
    # t: tail width across a row; tail: its length in rows.
    h, a, t, tail = (11, 7, 4, 8) if size == 32 else (16, 10, 6, 12)
    poly = [(0, 0), (h, h), (a, h), (a + tail // 2, h + tail), (a - t + tail // 2, h + tail),
            (a - t, h), (0, h + a - t)]
    inner = [[inside(poly, x + 0.5 + 1 / 64, y - top + 0.5 + 1 / 32) for x in range(size)]
             for y in range(size)]
    # One-pixel outline at 32; at 48 the diagonal neighbours count too,
    # which thickens the slanted edges to match the 1.5x scale.
    near = ((1, 0), (-1, 0), (0, 1), (0, -1))
    if size == 48:
        near += ((1, 1), (-1, -1), (1, -1), (-1, 1))
    outline = [[False] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if inner[y][x]:
                outline[y][x] = any(not (0 <= x + dx < size and 0 <= y + dy < size)
                                    or not inner[y + dy][x + dx] for dx, dy in near)
    return inner, outline, top


def pointer_bytes():
    entries = []
    for size in (48, 32):
        inner, outline, top = arrow_mask(size)
        xor_rows, and_rows = [], []
        for y in reversed(range(size)):
            xor_rows.append(_pack_bits([1 if inner[y][x] and not outline[y][x] else 0
                                        for x in range(size)], 1, size))
            and_rows.append(_pack_bits([0 if inner[y][x] else 1 for x in range(size)], 1, size))
        data = _dib(size, 1, [(0, 0, 0), (0xFF, 0xFF, 0xFF)], b"".join(xor_rows) + b"".join(and_rows))
        entries.append((size, size, 2, 0, top, data))
    return _directory(2, entries)


# --- main -------------------------------------------------------------------

OUTPUTS = [("tarnwick.ico", icon_bytes), ("link_pointer.cur", pointer_bytes)]


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--check", action="store_true", help="compare with the files in resources/")
    ap.add_argument("--out", default=RES_DIR, help="directory to write into")
    args = ap.parse_args(argv)
    status = 0
    for name, make in OUTPUTS:
        data = make()
        path = os.path.join(args.out, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                print("%s is out of date: run scripts/make_artwork.py" % path, file=sys.stderr)
                status = 1
        else:
            with open(path, "wb") as f:
                f.write(data)
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
