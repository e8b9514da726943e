"""The two board cursors and the program icon, 32 x 32 in 16 colours.

The cursors are hands drawn from shapes like the pieces: white with a grey
shade on the side away from the light, a black outline, black lines between
the fingers, and a blue cuff. The icon is a white knight standing on a strip
of the board.
"""

from geometry import Circle, Polygon, Rect, Stroke, Union, path
from raster import Part, paint, ramp, rasterise, scaled
import pieces

SIZE = 32

POINTER_HOTSPOT = (12, 1)
GRAB_HOTSPOT = (7, 7)

HAND = {
    'skin': [(168, 168, 168), (208, 208, 208), (255, 255, 255), (255, 255, 255)],
    'cuff': ramp([(0, 32, 120), (24, 80, 200), (110, 160, 250)], 4),
    'outline': (0, 0, 0),
    'rim': (0, 0, 0),
    'line': [(0, 0, 0)],
}


def _finger(x0, x1, top, bottom):
    """An upright finger: a bar with a round tip."""
    r = (x1 - x0) / 2.0
    return Union(Circle(x0 + r, top + r, r), Rect(x0, top + r, x1, bottom))


def pointer_parts():
    """An open hand, index finger up, the other fingers folded to the
    right of it, the thumb out to the left, on a blue cuff."""
    palm = Polygon(path(
        (9.8, 13.0), (27.0, 15.0),
        ((27.6, 19.0), (26.6, 23.4), (25.4, 26.0)),
        (10.6, 26.0),
        ((8.8, 23.8), (7.2, 21.2), (7.6, 18.6)),
    ))
    return [
        Part(palm, 'skin', 'bevel', bevel=3.0),
        Part(_finger(22.4, 26.8, 13.2, 21.0), 'skin', 'bevel', bevel=1.6, rim=True),
        Part(_finger(18.6, 23.2, 11.6, 21.0), 'skin', 'bevel', bevel=1.6, rim=True),
        Part(_finger(14.6, 19.4, 10.4, 20.4), 'skin', 'bevel', bevel=1.6, rim=True),
        Part(Stroke(9.4, 21.6, 4.4, 15.2, 4.6), 'skin', 'bevel', bevel=1.6, rim=True),
        Part(_finger(9.9, 15.1, 1.0, 20.4), 'skin', 'bevel', bevel=1.8, rim=True),
        Part(Rect(9.0, 25.0, 27.0, 31.0), 'cuff', 'cyl', rim=True),
    ]


def grab_parts():
    """A closed hand seen from the back: four bent fingers in a row on top,
    the thumb tucked across below them, on a blue cuff."""
    back = Polygon(path(
        (4.2, 9.0), (23.4, 9.0),
        ((25.2, 12.0), (25.4, 17.0), (24.0, 22.0)),
        (8.6, 22.0),
        ((5.4, 20.0), (3.6, 15.0), (4.2, 9.0)),
    ))
    fingers = [
        Part(_finger(x0, x1, top, 15.0), 'skin', 'bevel', bevel=1.4, rim=True)
        for x0, x1, top in ((3.8, 9.0, 4.6), (8.6, 13.6, 3.6),
                            (13.2, 18.2, 3.8), (17.8, 22.6, 4.8))]
    # A small tip of the little finger curling round.
    return ([Part(back, 'skin', 'bevel', bevel=3.0),
             Part(_finger(21.6, 25.0, 8.0, 14.0), 'skin', 'bevel', bevel=1.4, rim=True)]
            + fingers[::-1] + [
        Part(Stroke(5.8, 16.6, 12.4, 17.0, 4.8), 'skin', 'bevel', bevel=1.6, rim=True),
        Part(Rect(8.0, 21.0, 25.0, 27.0), 'cuff', 'cyl', rim=True),
    ])


def _opaque_rows(pic):
    return [[pic.cells[y][x] is not None for x in range(SIZE)] for y in range(SIZE)]


def cursor(parts):
    """(colour rows, opaque rows) of a cursor drawn from `parts`."""
    pic = rasterise(parts, SIZE, SIZE)
    return paint(pic, parts, HAND), _opaque_rows(pic)


def pointer():
    return cursor(pointer_parts())


def grab():
    return cursor(grab_parts())


# --- the icon ---------------------------------------------------------------

TEAL = (0, 128, 128)
SQUARE_WHITE = (255, 255, 255)
FRAME = (30, 38, 48)

ICON_KNIGHT = {
    'body': ramp([(62, 76, 92), (150, 166, 166), (230, 236, 234),
                  (255, 255, 255)], 5),
    'trim': ramp([(46, 64, 90), (124, 152, 184), (234, 242, 250)], 3),
    'accent': ramp([(62, 80, 68), (246, 252, 244)], 2),
    'line': [FRAME],
    'outline': FRAME,
    'rim': (78, 94, 110),
}


def icon():
    """(colour rows, opaque rows): a white knight on a small board of 4 x 4
    squares with a dark frame and rounded corners."""
    rows = [[(0, 0, 0)] * SIZE for _ in range(SIZE)]
    opaque = [[False] * SIZE for _ in range(SIZE)]
    sq, first = 7, 2  # squares of 7 px inside a one-pixel frame at 1..30
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            corner = (x in (1, SIZE - 2)) and (y in (1, SIZE - 2))
            if corner:
                continue
            opaque[y][x] = True
            if x in (1, SIZE - 2) or y in (1, SIZE - 2):
                rows[y][x] = FRAME
            else:
                f, r = (x - first) // sq, (y - first) // sq
                rows[y][x] = TEAL if (f + r) % 2 == 1 else SQUARE_WHITE
    # Enlarge the knight so the middle of its foot, (12.5, 24), lands on
    # (16, 29.4): scaling by s about o maps p to o + (p - o) * s.
    s = 1.16
    ox, oy = (16.0 - 12.5 * s) / (1 - s), (29.4 - 24.0 * s) / (1 - s)
    knight = scaled(pieces.knight(), s, ox, oy)
    pic = rasterise(knight, SIZE, SIZE)
    colours = paint(pic, knight, ICON_KNIGHT)
    for y in range(SIZE):
        for x in range(SIZE):
            if pic.cells[y][x] is not None:
                rows[y][x] = colours[y][x]
    return rows, opaque
