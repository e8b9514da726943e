"""The six chess pieces, each drawn from shapes on a 25-pixel-wide canvas,
and the colours of the two sides.

Every piece stands on the bottom row of its bitmap. The turned pieces are
symmetric about x = 12.5, the middle of pixel column 12, so their masks are
symmetric too. Upright edges sit on whole pixel boundaries (half-widths of
n + 0.5) so that no pixel is left half covered and decided by a hair.
"""

from geometry import (Circle, Difference, Polygon, Rect, Stroke, Union, lathe,
                      mirror_x, path)
from raster import Part, ramp, scaled

WIDTH = 25
CX = 12.5

# Bitmap heights, one per kind.
HEIGHTS = {'king': 25, 'queen': 23, 'rook': 24, 'bishop': 30, 'knight': 24,
           'pawn': 27}


def _plinth(bottom, half, top_half, depth=4.6):
    """The round foot all pieces stand on: a rounded step on a wider slab."""
    return Part(lathe(CX, [
        (bottom - depth, top_half),
        (bottom - depth + 0.6, top_half + 1.0),
        (bottom - depth + 1.5, half - 0.3),
        (bottom - 1.6, half - 0.1),
        (bottom - 1.0, half),
        (bottom, half),
    ]), 'trim', 'cyl', rim=True)


def _collar(y, half, thick=1.5):
    """A ring round the neck, seen edge on: a band with rounded ends."""
    t = thick
    return Part(lathe(CX, [(y - t, half - 1.2), (y - t + 0.5, half - 0.3),
                           (y - 0.3, half), (y + 0.3, half),
                           (y + t - 0.5, half - 0.3), (y + t, half - 1.2)]),
                'trim', 'cyl', rim=True, tilt=0.3)


def _stem(top, bottom, top_half, bottom_half):
    """A body that flares from a narrow neck down to the plinth."""
    h = bottom - top
    right = path((CX + top_half, top),
                 ((CX + top_half, top + 0.45 * h),
                  (CX + bottom_half - 0.6, bottom - 0.35 * h),
                  (CX + bottom_half, bottom)))
    left = mirror_x(CX, reversed(right))
    return Part(Polygon(right + left), 'body', 'cyl')


def pawn():
    h = HEIGHTS['pawn']
    return [
        _stem(17.2, 23.0, 2.9, 6.0),
        _plinth(h, 8.5, 5.4),
        _collar(17.8, 4.9, 1.3),
        Part(Circle(CX, 13.0, 4.2), 'body', 'sphere', centre=(CX, 13.0, 4.2),
             rim=True),
    ]


def rook():
    h = HEIGHTS['rook']
    battlements = Difference(
        Rect(4.0, 4.0, 21.0, 9.0),
        Rect(8.0, 3.0, 10.0, 6.6), Rect(15.0, 3.0, 17.0, 6.6))
    return [
        Part(lathe(CX, [(9.0, 5.5), (12.0, 5.5), (19.6, 6.5)]), 'body', 'cyl'),
        _plinth(h, 9.5, 6.4),
        Part(battlements, 'body', 'cyl'),
        Part(lathe(CX, [(8.6, 8.5), (9.6, 8.5), (10.4, 7.5), (11.4, 5.5)]),
             'trim', 'cyl', rim=True),
        # The mortar line between the courses of the tower.
        Part(Rect(7.0, 15.0, 18.0, 15.7), 'line', 'flat', kind='detail'),
    ]


def knight():
    h = HEIGHTS['knight']
    head = Polygon(path(
        (20.2, 20.4),
        ((21.8, 15.6), (21.4, 8.8), (17.4, 4.4)),      # back of the neck
        (16.0, 0.3),                                   # ear tip
        (13.4, 2.9),                                   # front of the ear
        ((10.0, 3.2), (6.8, 6.2), (4.4, 9.6)),        # forehead, nose bridge
        ((3.0, 11.4), (2.0, 13.2), (2.6, 14.6)),       # front of the muzzle
        ((3.2, 15.9), (5.0, 16.2), (6.6, 15.5)),       # chin
        (8.8, 14.6),                                   # under the jaw
        (10.8, 14.2),                                  # throat
        ((9.6, 16.0), (8.2, 17.8), (7.8, 20.4)),       # chest
    ))
    mane = Polygon(path(
        (19.2, 20.4),
        ((21.0, 15.6), (20.6, 9.2), (17.0, 4.6)),
        (15.6, 4.4),
        ((18.4, 9.2), (19.0, 15.2), (17.4, 20.4)),
    ))
    # The head is drawn a little smaller than designed, so that the knight
    # stands lower than the bishop.
    head_parts = scaled([
        Part(head, 'body', 'bevel', bevel=4.5),
        Part(mane, 'trim', 'bevel', kind='detail', bevel=1.2),
        Part(Circle(9.7, 7.2, 0.95), 'line', 'flat', kind='detail'),
        Part(Circle(3.9, 12.6, 0.6), 'line', 'flat', kind='detail'),
        Part(Stroke(3.6, 15.0, 6.0, 14.4, 0.7), 'line', 'flat', kind='detail'),
    ], 0.92, CX, 20.4)
    return head_parts[:2] + [_plinth(h, 9.5, 7.4)] + head_parts[2:]


def bishop():
    h = HEIGHTS['bishop']
    mitre = Polygon(path(
        (CX, 10.2),
        ((CX + 2.4, 11.4), (CX + 5.6, 13.6), (CX + 5.4, 16.4)),
        ((CX + 5.2, 18.0), (CX + 4.0, 19.2), (CX + 3.0, 19.6)),
        (CX - 3.0, 19.6),
        ((CX - 4.0, 19.2), (CX - 5.2, 18.0), (CX - 5.4, 16.4)),
        ((CX - 5.6, 13.6), (CX - 2.4, 11.4), (CX, 10.2)),
    ))
    return [
        _stem(20.2, 25.8, 2.9, 6.4),
        _plinth(h, 9.5, 6.6),
        _collar(20.7, 5.0, 1.3),
        Part(Circle(CX, 9.0, 2.2), 'accent', 'sphere', centre=(CX, 9.0, 2.2)),
        Part(mitre, 'body', 'cyl', rim=True),
        # The slit cut into the mitre.
        Part(Stroke(11.8, 13.6, 16.8, 17.6, 1.3), 'line', 'flat', kind='detail'),
    ]


def queen():
    h = HEIGHTS['queen']
    # A cup flaring up into a coronet of five points that fan outwards, a
    # pearl on each point, the middle one highest.
    pearls = [(-7.9, 4.6), (-4.1, 2.8), (0.0, 2.0), (4.1, 2.8), (7.9, 4.6)]
    r = 1.7
    rim = [(CX - 3.4, 11.6), (CX - 7.4, 7.4)]
    for i, (dx, py) in enumerate(pearls):
        rim.append((CX + dx, py + 0.4))
        if i < len(pearls) - 1:
            nx, ny = pearls[i + 1]
            rim.append((CX + (dx + nx) / 2.0, max(py, ny) + 2.0))
    rim += [(CX + 7.4, 7.4), (CX + 3.4, 11.6)]
    balls = [Part(Circle(CX + dx, py, r), 'accent', 'sphere',
                  centre=(CX + dx, py, r)) for dx, py in pearls]
    return [
        _stem(11.0, 18.8, 2.8, 6.6),
        _plinth(h, 9.5, 6.8),
        _collar(11.6, 5.2, 1.3),
    ] + balls + [
        Part(Polygon(rim), 'body', 'cyl'),
        Part(lathe(CX, [(8.4, 5.5), (9.8, 4.6)]), 'trim', 'cyl', rim=True),
    ]


def king():
    h = HEIGHTS['king']
    cross = Union(Rect(11.0, 0.0, 14.0, 7.4), Rect(8.0, 2.0, 17.0, 5.0))
    crown = Polygon(path(
        (CX - 3.5, 13.0),
        ((CX - 5.0, 11.0), (CX - 6.8, 9.0), (CX - 6.4, 7.4)),
        ((CX - 5.6, 5.8), (CX - 2.6, 5.9), (CX, 6.6)),
        ((CX + 2.6, 5.9), (CX + 5.6, 5.8), (CX + 6.4, 7.4)),
        ((CX + 6.8, 9.0), (CX + 5.0, 11.0), (CX + 3.5, 13.0)),
    ))
    return [
        Part(cross, 'accent', 'cyl'),
        _stem(13.0, 20.8, 3.0, 6.6),
        _plinth(h, 9.5, 6.8),
        Part(crown, 'body', 'cyl', rim=True),
        _collar(13.2, 5.4, 1.3),
    ]


KINDS = {'king': king, 'queen': queen, 'rook': rook, 'bishop': bishop,
         'knight': knight, 'pawn': pawn}

LEVELS = 10

WHITE = {
    'body': ramp([(62, 76, 92), (100, 118, 134), (140, 156, 158),
                  (180, 192, 186), (218, 226, 222), (255, 255, 255)], LEVELS),
    'trim': ramp([(46, 64, 90), (80, 106, 140), (124, 152, 184),
                  (176, 198, 220), (234, 242, 250)], LEVELS),
    'accent': ramp([(62, 80, 68), (104, 124, 108), (150, 170, 150),
                    (200, 214, 198), (246, 252, 244)], LEVELS),
    'line': [(44, 56, 70)],
    'outline': (30, 38, 48),
    'rim': (78, 94, 110),
}

BLACK = {
    'body': ramp([(24, 22, 10), (40, 40, 18), (58, 58, 26), (80, 78, 40),
                  (112, 104, 62), (170, 158, 108)], LEVELS),
    'trim': ramp([(26, 16, 8), (48, 30, 16), (76, 50, 28), (108, 76, 46),
                  (156, 118, 80)], LEVELS),
    'accent': ramp([(36, 32, 16), (66, 60, 32), (104, 96, 58),
                    (150, 140, 94), (206, 196, 150)], LEVELS),
    'line': [(18, 14, 8)],
    'outline': (16, 12, 6),
    'rim': (30, 24, 12),
}
