#!/usr/bin/python3
"""Draws Quillmate's artwork: the 18 piece bitmaps, the two board cursors
and the program icon, with the resource script that numbers them.

    draw_artwork.py OUTDIR             write every file into OUTDIR
    draw_artwork.py --check DIR        exit 1 unless DIR holds exactly what
                                       would be written (byte for byte)
    draw_artwork.py --preview OUT.png  write a contact sheet to look at
    draw_artwork.py --icon-png OUT.png [SCALE]
                                       write the program icon as a PNG with
                                       transparency, each pixel SCALE x SCALE

Everything is drawn from the shapes in this folder; the output is the same,
byte for byte, on every run. Only modules that a minimal Python 3 install
has are used.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import formats  # noqa: E402
import hands  # noqa: E402
import pieces  # noqa: E402
from raster import mask_of, paint, rasterise  # noqa: E402

# Every piece bitmap as (kind, 'white' | 'black' | 'mask'). Their numbers live
# in resources/resource_ids.h; the script names them IDB_<FILE NAME>.
BITMAPS = [(kind, variant) for kind in ('king', 'queen', 'rook', 'bishop', 'knight', 'pawn')
           for variant in ('white', 'black', 'mask')]
IDS_HEADER = 'resource_ids.h'

ICON_FILE = 'quillmate.ico'
POINTER_FILE = 'pointer.cur'
GRAB_FILE = 'grab.cur'
SCRIPT_FILE = 'quillmate.rc'


def bitmap_file(kind, variant):
    return '%s_%s.bmp' % (variant, kind) if variant != 'mask' else '%s_mask.bmp' % kind


def resource_name(file_name):
    """The symbol of a bitmap file in the ids header: white_rook.bmp -> IDB_WHITE_ROOK."""
    return 'IDB_' + file_name[:-len('.bmp')].upper()


class Artwork:
    """Draws each piece once and hands out its image and mask rows."""

    def __init__(self):
        self._pictures = {}

    def _picture(self, kind):
        if kind not in self._pictures:
            parts = pieces.KINDS[kind]()
            pic = rasterise(parts, pieces.WIDTH, pieces.HEIGHTS[kind])
            self._pictures[kind] = (pic, parts)
        return self._pictures[kind]

    def piece(self, kind, side):
        pic, parts = self._picture(kind)
        return paint(pic, parts, pieces.WHITE if side == 'white' else pieces.BLACK)

    def mask(self, kind):
        return mask_of(self._picture(kind)[0])

    def rows(self, kind, variant):
        return self.mask(kind) if variant == 'mask' else self.piece(kind, variant)

    def icons(self):
        """The cursors and the icon as parsed files, for the preview."""
        files = self.files()
        return [formats.read_icon_file(files[name])
                for name in (POINTER_FILE, GRAB_FILE, ICON_FILE)]

    def files(self):
        """Every output file: name -> bytes."""
        out = {}
        for kind, variant in BITMAPS:
            first = ((0, 0, 0), (255, 255, 255)) if variant == 'mask' else ((0, 0, 0),)
            out[bitmap_file(kind, variant)] = formats.bmp8(self.rows(kind, variant), first)
        rows, opaque = hands.pointer()
        out[POINTER_FILE] = formats.cur(rows, opaque, hands.POINTER_HOTSPOT)
        rows, opaque = hands.grab()
        out[GRAB_FILE] = formats.cur(rows, opaque, hands.GRAB_HOTSPOT)
        rows, opaque = hands.icon()
        out[ICON_FILE] = formats.ico(rows, opaque)
        out[SCRIPT_FILE] = resource_script().encode('ascii')
        return out


def header_symbols():
    """The symbols that the ids header defines. A name missing from it would
    not fail the resource compiler: it would silently become a string id."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..',
                        'resources', IDS_HEADER)
    with open(path) as f:
        return {line.split()[1] for line in f if line.startswith('#define ')}


def resource_script():
    lines = [
        '// Quillmate resources, written by tools/artwork/draw_artwork.py.',
        '// Do not edit: change the drawing code and run it again.',
        '',
        '#include "%s"' % IDS_HEADER,
        '',
        '// Piece images and masks. An image is black outside the piece;',
        '// a mask is black inside the piece and white outside it.',
    ]
    for kind, variant in BITMAPS:
        name = bitmap_file(kind, variant)
        lines.append('%s BITMAP "%s"' % (resource_name(name), name))
    lines += [
        '',
        '// The program icon and the board cursors.',
        'IDI_QUILLMATE ICON "%s"' % ICON_FILE,
        'IDC_POINTER CURSOR "%s"' % POINTER_FILE,
        'IDC_GRAB CURSOR "%s"' % GRAB_FILE,
        '',
    ]
    known = header_symbols()
    for line in lines:
        symbol = line.split(' ')[0]
        if symbol.startswith('ID') and symbol not in known:
            raise SystemExit('artwork: %s is not defined in %s' % (symbol, IDS_HEADER))
    return '\n'.join(lines)


def enlarged(rows, opaque, scale):
    """The rows of a picture with every pixel repeated scale x scale times."""
    def grow(picture):
        return [[v for v in row for _ in range(scale)] for row in picture for _ in range(scale)]
    return grow(rows), grow(opaque)


def write(outdir, files):
    os.makedirs(outdir, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)


def check(directory, files):
    """Names of the files in `directory` that differ from `files` or are
    missing. Other files in the directory are not ours to judge."""
    bad = []
    for name, data in sorted(files.items()):
        try:
            with open(os.path.join(directory, name), 'rb') as f:
                if f.read() != data:
                    bad.append(name + ' differs')
        except OSError:
            bad.append(name + ' is missing')
    return bad


def main(argv):
    if len(argv) == 2 and not argv[1].startswith('-'):
        write(argv[1], Artwork().files())
        return 0
    if len(argv) == 3 and argv[1] == '--check':
        bad = check(argv[2], Artwork().files())
        for line in bad:
            print('artwork: %s: %s' % (argv[2], line), file=sys.stderr)
        if bad:
            print('artwork: run tools/artwork/draw_artwork.py resources to redraw',
                  file=sys.stderr)
        return 1 if bad else 0
    if len(argv) == 3 and argv[1] == '--preview':
        import preview
        with open(argv[2], 'wb') as f:
            f.write(formats.png(preview.contact_sheet(Artwork())))
        return 0
    if len(argv) in (3, 4) and argv[1] == '--icon-png':
        scale = int(argv[3]) if len(argv) == 4 else 1
        with open(argv[2], 'wb') as f:
            f.write(formats.png(*enlarged(*hands.icon(), scale)))
        return 0
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
