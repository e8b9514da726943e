"""Plane shapes the artwork is drawn from.

Coordinates are in pixels of the target image, x to the right and y down;
pixel (i, j) covers the square [i, i + 1) x [j, j + 1), so its centre is at
(i + 0.5, j + 0.5). Every shape answers one question, contains(x, y), and
carries a bounding box so the rasteriser can skip it cheaply.

Only +, -, *, / and sqrt are used (all correctly rounded in IEEE arithmetic),
never sin, cos or pow, so the same shapes give the same pixels on every
machine and every run.
"""

import bisect
import math


class Shape:
    """Base of all shapes: a bounding box (x0, y0, x1, y1) and contains()."""

    box = (0.0, 0.0, 0.0, 0.0)

    def contains(self, x, y):
        raise NotImplementedError

    def in_box(self, x, y):
        b = self.box
        return b[0] <= x <= b[2] and b[1] <= y <= b[3]


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.box = (cx - r, cy - r, cx + r, cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return dx * dx + dy * dy <= self.r * self.r


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)

    def contains(self, x, y):
        return self.in_box(x, y)


class Polygon(Shape):
    """A simple polygon, filled by the even-odd rule."""

    def __init__(self, points):
        self.points = [(float(x), float(y)) for x, y in points]
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.box = (min(xs), min(ys), max(xs), max(ys))
        n = len(self.points)
        self.edges = [(self.points[i], self.points[(i + 1) % n]) for i in range(n)]

        self._rows = {}

    def crossings(self, y):
        """The sorted x positions where the line at height y crosses the
        outline; remembered, since the rasteriser asks row by row."""
        xs = self._rows.get(y)
        if xs is None:
            xs = []
            for (ax, ay), (bx, by) in self.edges:
                if (ay > y) != (by > y):
                    xs.append(ax + (y - ay) * (bx - ax) / (by - ay))
            xs.sort()
            self._rows[y] = xs
        return xs

    def contains(self, x, y):
        # Inside when an odd number of crossings lie to the right of x.
        xs = self.crossings(y)
        return (len(xs) - bisect.bisect_right(xs, x)) % 2 == 1


class Stroke(Shape):
    """A line segment of the given width with round ends (a capsule)."""

    def __init__(self, x0, y0, x1, y1, width):
        self.a, self.b, self.r = (x0, y0), (x1, y1), width / 2.0
        r = self.r
        self.box = (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)
        dx, dy = x1 - x0, y1 - y0
        self.len2 = dx * dx + dy * dy

    def contains(self, x, y):
        (ax, ay), (bx, by) = self.a, self.b
        dx, dy = bx - ax, by - ay
        t = 0.0 if self.len2 == 0 else ((x - ax) * dx + (y - ay) * dy) / self.len2
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= self.r * self.r


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        self.box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
                    max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))

    def contains(self, x, y):
        return any(s.in_box(x, y) and s.contains(x, y) for s in self.shapes)


class Difference(Shape):
    """The points of `base` that lie in none of `holes`."""

    def __init__(self, base, *holes):
        self.base, self.holes = base, holes
        self.box = base.box

    def contains(self, x, y):
        if not self.base.contains(x, y):
            return False
        return not any(h.in_box(x, y) and h.contains(x, y) for h in self.holes)


class Transformed(Shape):
    """A shape scaled by `s` about the origin, then moved by (dx, dy)."""

    def __init__(self, shape, s, dx, dy):
        self.shape, self.s, self.dx, self.dy = shape, s, dx, dy
        b = shape.box
        self.box = (b[0] * s + dx, b[1] * s + dy, b[2] * s + dx, b[3] * s + dy)

    def contains(self, x, y):
        return self.shape.contains((x - self.dx) / self.s, (y - self.dy) / self.s)


# --- outlines built from curves --------------------------------------------

def bezier(p0, p1, p2, p3, steps=8):
    """Points of a cubic Bezier curve from p0 to p3, p0 excluded."""
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1.0 - t
        a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
        out.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return out


def path(start, *segments):
    """A closed outline: `start`, then for each segment either a point
    (a straight line to it) or a tuple of three points (control, control,
    end) for a cubic curve."""
    pts = [start]
    for seg in segments:
        if len(seg) == 3 and isinstance(seg[0], tuple):
            pts.extend(bezier(pts[-1], seg[0], seg[1], seg[2]))
        else:
            pts.append(seg)
    return pts


def lathe(cx, profile):
    """A shape symmetric about the vertical line x = cx, like a turned
    chess piece: `profile` lists (y, half-width) pairs from top to bottom;
    the outline runs down the right side and back up the left."""
    right = [(cx + w, y) for y, w in profile]
    left = [(cx - w, y) for y, w in reversed(profile)]
    return Polygon(right + left)


def mirror_x(cx, points):
    """The points reflected about the vertical line x = cx."""
    return [(2 * cx - x, y) for x, y in points]


def normalise(x, y, z):
    n = math.sqrt(x * x + y * y + z * z)
    return (x / n, y / n, z / n)
