"""Turns a stack of shaded parts into pixels.

A picture is a list of Parts, back to front. Each pixel is sampled on an
N x N grid; a sample belongs to the front-most part that contains it. The
pixel is inside the picture when at least half of its samples are: this one
hard decision gives the outline that both a piece's image and its mask use.

Inside pixels get an owner (the part holding most of their samples) and a
tone between 0 (deep shadow) and 1 (highlight) from the owner's shading.
Colours come later (see paint()), so one rasterisation serves the white
piece, the black piece and the mask alike.
"""

import copy
import math

from geometry import Transformed, normalise

SAMPLES = 8  # per pixel side: 64 samples a pixel

# Light from the upper left, in front of the picture; the viewer looks
# straight at it. HALF, halfway between the light and the eye, places the
# glossy highlight.
LIGHT = normalise(-0.62, -0.55, 0.56)
HALF = normalise(LIGHT[0], LIGHT[1], LIGHT[2] + 1.0)


def ipow(x, n):
    """x to the integer power n by multiplication (pow() is not guaranteed
    to round the same way everywhere)."""
    r = 1.0
    for _ in range(n):
        r *= x
    return r


def lit(nx, ny, nz, ambient=0.18, diffuse=0.72, gloss=0.5, shininess=10):
    """Tone of a surface with unit normal (nx, ny, nz)."""
    d = nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]
    s = nx * HALF[0] + ny * HALF[1] + nz * HALF[2]
    t = ambient + diffuse * max(0.0, d) + gloss * ipow(max(0.0, s), shininess)
    return min(1.0, max(0.0, t))


class Part:
    """One region of a picture.

    shading: 'cyl'    a vertical cylinder as wide as the part on each row;
             'sphere' a ball centred at `centre` (cx, cy, r);
             'bevel'  a raised slab whose edges round off over `bevel` px;
             'flat'   the constant `tone`.
    kind:    'solid'  adds to the picture;
             'detail' recolours the picture where it lies, never widens it;
             'cut'    removes what lies behind it.
    rim:     draw a dark line where this part meets a part behind it.
    """

    def __init__(self, shape, material='body', shading='cyl', kind='solid',
                 tone=0.5, centre=None, bevel=2.5, rim=False, tilt=0.0,
                 gloss=0.5):
        self.shape, self.material, self.shading = shape, material, shading
        self.kind, self.tone, self.centre, self.bevel = kind, tone, centre, bevel
        self.rim, self.tilt, self.gloss = rim, tilt, gloss


class Picture:
    """The result of rasterising: per pixel, None (outside) or a Cell."""

    def __init__(self, width, height, cells):
        self.width, self.height, self.cells = width, height, cells

    def inside(self, x, y):
        return (0 <= x < self.width and 0 <= y < self.height
                and self.cells[y][x] is not None)


class Cell:
    __slots__ = ('part', 'tone', 'edge')

    def __init__(self, part, tone):
        self.part, self.tone = part, tone
        # 'outline' on the picture's border, 'rim' on a part's border,
        # None elsewhere.
        self.edge = None


def _sample_coords(size, n):
    return [(i + (k + 0.5) / n) for i in range(size) for k in range(n)]


def _owner(parts, x, y):
    """Index of the part that shows at (x, y), or -1 for nothing."""
    detail = -1
    for i in range(len(parts) - 1, -1, -1):
        p = parts[i]
        if not p.shape.in_box(x, y) or not p.shape.contains(x, y):
            continue
        if p.kind == 'cut':
            return -1
        if p.kind == 'detail':
            if detail < 0:
                detail = i
            continue
        return detail if detail >= 0 else i
    return -1


def _row_extents(part, xs, ys):
    """For a 'cyl' part: the leftmost and rightmost sample x of each sample
    row that the part covers (None where it covers nothing)."""
    ext = []
    for y in ys:
        lo = hi = None
        for x in xs:
            if part.shape.in_box(x, y) and part.shape.contains(x, y):
                if lo is None:
                    lo = x
                hi = x
        ext.append((lo, hi))
    return ext


def _distance_field(part, xs, ys, limit):
    """Chamfer distance (in samples) from each sample inside the part to the
    nearest sample outside it, capped at `limit`."""
    w, h = len(xs), len(ys)
    big = limit * 3 + 3
    d = [[(big if part.shape.in_box(x, y) and part.shape.contains(x, y) else 0)
          for x in xs] for y in ys]
    for j in range(h):
        row, up = d[j], d[j - 1] if j > 0 else None
        for i in range(w):
            if row[i] == 0:
                continue
            v = row[i]
            if i > 0:
                v = min(v, row[i - 1] + 3)
            if up is not None:
                v = min(v, up[i] + 3)
                if i > 0:
                    v = min(v, up[i - 1] + 4)
                if i < w - 1:
                    v = min(v, up[i + 1] + 4)
            else:
                v = min(v, 3)  # the edge of the picture counts as outside
            if i == 0 or i == w - 1:
                v = min(v, 3)
            row[i] = v
    for j in range(h - 1, -1, -1):
        row, down = d[j], d[j + 1] if j < h - 1 else None
        for i in range(w - 1, -1, -1):
            if row[i] == 0:
                continue
            v = row[i]
            if i < w - 1:
                v = min(v, row[i + 1] + 3)
            if down is not None:
                v = min(v, down[i] + 3)
                if i < w - 1:
                    v = min(v, down[i + 1] + 4)
                if i > 0:
                    v = min(v, down[i - 1] + 4)
            else:
                v = min(v, 3)
            row[i] = v
    return [[min(v / 3.0, limit) for v in row] for row in d]


def _tone(part, x, y, extent, field, i, j, n):
    if part.shading == 'flat':
        return part.tone
    if part.shading == 'sphere':
        cx, cy, r = part.centre
        nx, ny = (x - cx) / r, (y - cy) / r
        q = nx * nx + ny * ny
        nz = math.sqrt(1.0 - q) if q < 1.0 else 0.0
        return lit(nx, ny, nz, gloss=part.gloss)
    if part.shading == 'cyl':
        lo, hi = extent[j]
        if lo is None or hi <= lo:
            return part.tone
        half = (hi - lo) / 2.0 + 0.5 / n
        nx = (x - (lo + hi) / 2.0) / half
        nx = max(-0.98, min(0.98, nx))
        nz = math.sqrt(1.0 - nx * nx)
        nxn, nyn, nzn = normalise(nx, -part.tilt, nz)
        return lit(nxn, nyn, nzn, gloss=part.gloss)
    if part.shading == 'bevel':
        limit = part.bevel * n
        dist = field[j][i]
        if dist >= limit:
            return lit(0.0, 0.0, 1.0, gloss=part.gloss)
        w, h = len(field[0]), len(field)
        gx = field[j][min(i + 1, w - 1)] - field[j][max(i - 1, 0)]
        gy = field[min(j + 1, h - 1)][i] - field[max(j - 1, 0)][i]
        g = math.sqrt(gx * gx + gy * gy)
        if g == 0:
            return lit(0.0, 0.0, 1.0, gloss=part.gloss)
        slope = 1.6 * (limit - dist) / limit
        nx, ny, nz = normalise(-gx / g * slope, -gy / g * slope, 1.0)
        return lit(nx, ny, nz, gloss=part.gloss)
    raise ValueError('unknown shading ' + part.shading)


def rasterise(parts, width, height, n=SAMPLES):
    xs = _sample_coords(width, n)
    ys = _sample_coords(height, n)
    extents = {}
    fields = {}
    for k, p in enumerate(parts):
        if p.shading == 'cyl' and p.kind != 'cut':
            extents[k] = _row_extents(p, xs, ys)
        if p.shading == 'bevel' and p.kind != 'cut':
            fields[k] = _distance_field(p, xs, ys, int(p.bevel * n) + 1)

    cells = []
    half = (n * n + 1) // 2
    for py in range(height):
        row = []
        for px in range(width):
            counts = {}
            tones = {}
            for b in range(n):
                j = py * n + b
                y = ys[j]
                for a in range(n):
                    i = px * n + a
                    x = xs[i]
                    k = _owner(parts, x, y)
                    if k < 0:
                        continue
                    counts[k] = counts.get(k, 0) + 1
                    tones[k] = tones.get(k, 0.0) + _tone(
                        parts[k], x, y, extents.get(k), fields.get(k), i, j, n)
            total = sum(counts.values())
            if total < half:
                row.append(None)
                continue
            # The owner holds most samples; on a tie the front-most wins.
            k = max(counts, key=lambda q: (counts[q], q))
            row.append(Cell(k, tones[k] / counts[k]))
        cells.append(row)

    pic = Picture(width, height, cells)
    _mark_edges(pic, parts)
    return pic


def _mark_edges(pic, parts):
    for y in range(pic.height):
        for x in range(pic.width):
            c = pic.cells[y][x]
            if c is None:
                continue
            near = [(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)]
            if any(not pic.inside(u, v) for u, v in near):
                c.edge = 'outline'
            elif parts[c.part].rim and any(
                    pic.cells[v][u].part < c.part
                    and parts[pic.cells[v][u].part].kind != 'detail'
                    for u, v in near):
                c.edge = 'rim'


def scaled(parts, s, ox, oy):
    """Copies of `parts` scaled by s about the point (ox, oy)."""
    out = []
    for p in parts:
        q = copy.copy(p)
        q.shape = Transformed(p.shape, s, ox * (1 - s), oy * (1 - s))
        if p.centre is not None:
            cx, cy, r = p.centre
            q.centre = (ox + (cx - ox) * s, oy + (cy - oy) * s, r * s)
        q.bevel = p.bevel * s
        out.append(q)
    return out


def quantise(t, levels):
    """Tone t in [0, 1] to one of `levels` steps."""
    k = int(t * (levels - 1) + 0.5)
    return max(0, min(levels - 1, k))


def ramp(stops, levels):
    """`levels` colours spread along the colour stops (RGB triples)."""
    out = []
    for k in range(levels):
        t = k / (levels - 1) * (len(stops) - 1)
        i = min(int(t), len(stops) - 2)
        f = t - i
        a, b = stops[i], stops[i + 1]
        out.append(tuple(int(a[c] + (b[c] - a[c]) * f + 0.5) for c in range(3)))
    return out


def paint(pic, parts, theme, outside=(0, 0, 0)):
    """Colour a picture. theme maps each material to a list of colours from
    dark to light, and has 'outline' and 'rim' colours for the edges."""
    rows = []
    for y in range(pic.height):
        row = []
        for x in range(pic.width):
            c = pic.cells[y][x]
            if c is None:
                row.append(outside)
            elif c.edge == 'outline':
                row.append(theme['outline'])
            elif c.edge == 'rim':
                row.append(theme['rim'])
            else:
                colours = theme[parts[c.part].material]
                row.append(colours[quantise(c.tone, len(colours))])
        rows.append(row)
    return rows


def mask_of(pic, inside=(0, 0, 0), outside=(255, 255, 255)):
    return [[inside if pic.cells[y][x] is not None else outside
             for x in range(pic.width)] for y in range(pic.height)]
