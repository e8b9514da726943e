"""Writers (and, for the checks, readers) of the file formats the resource
compiler takes: 8-bit palette BMP, 16-colour .cur and .ico. Also a plain
PNG writer for preview sheets.

Pictures are lists of rows, top row first, of (r, g, b) triples.
"""

import struct
import zlib

BLACK = (0, 0, 0)


def palette_of(rows, first=()):
    """The distinct colours of a picture: `first` in that order, then the
    rest darkest first (ties by RGB), so the same picture always gets the
    same palette."""
    seen = set(first)
    rest = sorted({c for row in rows for c in row} - seen,
                  key=lambda c: (299 * c[0] + 587 * c[1] + 114 * c[2], c))
    return list(first) + rest


def _rgbquads(palette):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)


# --- BMP -------------------------------------------------------------------

def bmp8(rows, first=(BLACK,)):
    """An 8-bit palette BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, the palette
    and the pixel rows bottom-up, each padded to a multiple of 4 bytes."""
    height, width = len(rows), len(rows[0])
    palette = palette_of(rows, first)
    if len(palette) > 256:
        raise ValueError('more than 256 colours')
    index = {c: i for i, c in enumerate(palette)}
    stride = (width + 3) & ~3
    pixels = b''.join(
        bytes(index[c] for c in row) + bytes(stride - width)
        for row in reversed(rows))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(pixels),
                       2835, 2835, len(palette), 0)
    offset = 14 + len(info) + 4 * len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + _rgbquads(palette) + pixels


def read_bmp8(data):
    """Parses what bmp8() writes (and checks it is that kind of file).
    Returns (width, height, palette, rows of palette indices, top first)."""
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data, 0)
    if magic != b'BM' or size != len(data):
        raise ValueError('not a BMP of the stated size')
    (hsize, width, height, planes, bits, compression, image_size, _, _,
     used, _) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    if (hsize, planes, bits, compression) != (40, 1, 8, 0) or height <= 0:
        raise ValueError('not a bottom-up 8-bit BI_RGB bitmap')
    count = used or 256
    palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
               for i in range(count)]
    if offset != 54 + 4 * count:
        raise ValueError('pixels do not follow the palette')
    stride = (width + 3) & ~3
    if image_size != stride * height or offset + image_size != len(data):
        raise ValueError('pixel data size')
    rows = []
    for j in range(height):
        start = offset + (height - 1 - j) * stride
        rows.append(list(data[start:start + width]))
    return width, height, palette, rows


# --- CUR and ICO -------------------------------------------------------------

SIZE = 32


def _icon_image(indices, palette, opaque):
    """BITMAPINFOHEADER, 16 colours, the 4-bit XOR image and the 1-bit AND
    mask, both bottom-up; biHeight counts both halves."""
    if len(palette) > 16:
        raise ValueError('more than 16 colours')
    palette = list(palette) + [BLACK] * (16 - len(palette))
    xor = bytearray()
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):
        for x in range(0, SIZE, 2):
            xor.append((indices[y][x] << 4) | indices[y][x + 1])
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (0 if opaque[y][x] else 1)
        mask += struct.pack('>I', bits)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + _rgbquads(palette) + bytes(xor) + bytes(mask)


def _indexed(rows, opaque):
    """Palette indices for a 32 x 32 picture; colour 0 is black, which is
    what the transparent pixels hold (AND 1, XOR 0 leaves the screen as it
    is)."""
    for y in range(SIZE):
        for x in range(SIZE):
            if not opaque[y][x] and rows[y][x] != BLACK:
                raise ValueError('transparent pixel (%d, %d) is not black' % (x, y))
    palette = palette_of(rows, (BLACK,))
    index = {c: i for i, c in enumerate(palette)}
    return [[index[c] for c in row] for row in rows], palette


def _icon_file(kind, rows, opaque, field1, field2):
    indices, palette = _indexed(rows, opaque)
    image = _icon_image(indices, palette, opaque)
    head = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, field1, field2,
                        len(image), 6 + 16)
    return head + entry + image


def cur(rows, opaque, hotspot):
    """A .cur file; its directory entry carries the hot spot."""
    return _icon_file(2, rows, opaque, hotspot[0], hotspot[1])


def ico(rows, opaque):
    """A .ico file with one 32 x 32, 16-colour image."""
    return _icon_file(1, rows, opaque, 1, 4)


def read_icon_file(data):
    """Parses what cur() and ico() write. Returns a dict with the file type
    (1 icon, 2 cursor), the hot spot (cursors only), the palette, the rows
    of indices and the rows of the AND mask (1 = transparent), top first."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind not in (1, 2) or count != 1:
        raise ValueError('not a single-image icon or cursor file')
    w, h, colours, _, f1, f2, size, offset = struct.unpack_from('<BBBBHHII', data, 6)
    if offset + size != len(data):
        raise ValueError('image size')
    (hsize, width, height, planes, bits, compression, _, _, _, _,
     _) = struct.unpack_from('<IiiHHIIiiII', data, offset)
    if (hsize, width, height, planes, bits, compression) != (40, w, 2 * h, 1, 4, 0):
        raise ValueError('not a 4-bit image of the stated size')
    pal_at = offset + 40
    palette = [(data[pal_at + 4 * i + 2], data[pal_at + 4 * i + 1], data[pal_at + 4 * i])
               for i in range(16)]
    xor_at = pal_at + 64
    and_at = xor_at + h * w // 2
    if and_at + h * ((w + 31) // 32 * 4) != len(data):
        raise ValueError('XOR and AND sizes')
    rows, mask = [], []
    for y in range(h):
        src = xor_at + (h - 1 - y) * w // 2
        row = []
        for x in range(w // 2):
            byte = data[src + x]
            row += [byte >> 4, byte & 15]
        rows.append(row)
        bits_row = struct.unpack_from('>I', data, and_at + (h - 1 - y) * 4)[0]
        mask.append([(bits_row >> (31 - x)) & 1 for x in range(w)])
    return {'type': kind, 'width': w, 'height': h, 'colours': colours,
            'hotspot': (f1, f2) if kind == 2 else None,
            'planes_bits': (f1, f2), 'palette': palette, 'rows': rows,
            'mask': mask}


# --- PNG (previews only) ----------------------------------------------------

def png(rows, opaque=None):
    """An RGB PNG; with `opaque` rows, an RGBA one whose other pixels are
    fully transparent."""
    height, width = len(rows), len(rows[0])
    if opaque is None:
        colour_type = 2
        pixels = rows
    else:
        colour_type = 6
        pixels = [[c + (255 if o else 0,) for c, o in zip(row, flags)]
                  for row, flags in zip(rows, opaque)]
    raw = b''.join(b'\x00' + bytes(v for c in row for v in c) for row in pixels)

    def chunk(tag, body):
        return (struct.pack('>I', len(body)) + tag + body
                + struct.pack('>I', zlib.crc32(tag + body) & 0xFFFFFFFF))

    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, colour_type, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))
