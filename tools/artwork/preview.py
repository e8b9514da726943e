"""A contact sheet of the artwork, composed the way the program composes it:
a piece is put on the board with dst = (dst AND mask) XOR image, a cursor or
icon with dst = (dst AND and-mask) XOR xor-image.

Top: two boards at 1:1 (the opening position, and the same shifted by one
file so every piece is seen on both square colours), the cursors and the
icon at 1:1. Below: every piece, cursor and the icon enlarged 8 times on a
teal and on a white square.
"""

TEAL = (0, 128, 128)
WHITE = (255, 255, 255)
PAPER = (214, 214, 206)
SQUARE = 40
SCALE = 8


class Canvas:
    def __init__(self, width, height, colour=PAPER):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def fill(self, x0, y0, w, h, colour):
        for y in range(max(0, y0), min(self.height, y0 + h)):
            row = self.rows[y]
            for x in range(max(0, x0), min(self.width, x0 + w)):
                row[x] = colour

    def compose(self, x0, y0, and_rows, xor_rows, scale=1):
        """dst = (dst AND and_rows) XOR xor_rows, each source pixel drawn as
        a scale x scale block."""
        for j, (arow, xrow) in enumerate(zip(and_rows, xor_rows)):
            for i, (a, c) in enumerate(zip(arow, xrow)):
                for y in range(y0 + j * scale, y0 + (j + 1) * scale):
                    if not 0 <= y < self.height:
                        continue
                    row = self.rows[y]
                    for x in range(x0 + i * scale, x0 + (i + 1) * scale):
                        if 0 <= x < self.width:
                            d = row[x]
                            row[x] = ((d[0] & a[0]) ^ c[0], (d[1] & a[1]) ^ c[1],
                                      (d[2] & a[2]) ^ c[2])


def _square_colour(file, rank):
    return TEAL if (file + rank) % 2 == 0 else WHITE


OPENING = ['RNBQKBNR', 'PPPPPPPP', '', '', '', '', 'pppppppp', 'rnbqkbnr']
KIND_OF = {'k': 'king', 'q': 'queen', 'r': 'rook', 'b': 'bishop',
           'n': 'knight', 'p': 'pawn'}


def _board(canvas, x0, y0, art, shift):
    for rank in range(1, 9):
        for file in range(1, 9):
            sx, sy = x0 + SQUARE * (file - 1), y0 + SQUARE * (8 - rank)
            canvas.fill(sx, sy, SQUARE, SQUARE, _square_colour(file, rank))
            line = OPENING[rank - 1]
            src = (file - 1 - shift) % 8
            if src < len(line):
                letter = line[src]
                kind = KIND_OF[letter.lower()]
                side = 'white' if letter.isupper() else 'black'
                image, mask = art.piece(kind, side), art.mask(kind)
                w, h = len(image[0]), len(image)
                canvas.compose(sx + (SQUARE - w) // 2, sy + 35 - h, mask, image)


def _icon_layers(icon):
    """AND and XOR layers of a parsed cursor or icon, as colour rows."""
    and_rows = [[WHITE if m else (0, 0, 0) for m in row] for row in icon['mask']]
    xor_rows = [[icon['palette'][i] for i in row] for row in icon['rows']]
    return and_rows, xor_rows


def contact_sheet(art):
    """`art` gives piece(kind, side) and mask(kind) as colour rows and
    icons() as a list of parsed cursor and icon files."""
    kinds = ['king', 'queen', 'rook', 'bishop', 'knight', 'pawn']
    gap = 16
    tile_w, tile_h = 29 * SCALE, 34 * SCALE
    width = max(2 * 320 + 3 * gap + 4 * 40, len(kinds) * (tile_w + gap) + gap)
    icons = art.icons()
    height = (gap + 320 + gap + 4 * (tile_h + gap)
              + 2 * (32 * SCALE + 2 * SCALE) + 2 * gap)
    c = Canvas(width, height)

    _board(c, gap, gap, art, 0)
    _board(c, 2 * gap + 320, gap, art, 1)
    x = 3 * gap + 640
    for k, icon in enumerate(icons):
        and_rows, xor_rows = _icon_layers(icon)
        for row, bg in enumerate((TEAL, WHITE)):
            px, py = x + k * 40, gap + row * 40
            c.fill(px, py, 40, 40, bg)
            c.compose(px + 4, py + 4, and_rows, xor_rows)

    y = 2 * gap + 320
    for side in ('white', 'black'):
        for bg in (TEAL, WHITE):
            for k, kind in enumerate(kinds):
                image, mask = art.piece(kind, side), art.mask(kind)
                w, h = len(image[0]), len(image)
                tx = gap + k * (tile_w + gap)
                c.fill(tx, y, tile_w, tile_h, bg)
                c.compose(tx + (29 - w) // 2 * SCALE, y + (34 - 2 - h) * SCALE,
                          mask, image, SCALE)
            y += tile_h + gap

    for bg in (TEAL, WHITE):
        for k, icon in enumerate(icons):
            and_rows, xor_rows = _icon_layers(icon)
            tx = gap + k * (34 * SCALE + gap)
            c.fill(tx, y, 34 * SCALE, 34 * SCALE, bg)
            c.compose(tx + SCALE, y + SCALE, and_rows, xor_rows, SCALE)
        y += 34 * SCALE + gap
    return c.rows
