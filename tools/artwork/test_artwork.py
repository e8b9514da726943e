#!/usr/bin/python3
"""Checks of the artwork as the game will use it.

    test_artwork.py                       run every check
    test_artwork.py --wine-output FILE    compare FILE, the output of
                                          wine_check.exe, with the artwork

The checks read the generated files back with the readers in formats.py and
judge the pictures by the rules the game's drawing relies on: sizes per
resource id, two-tone masks, black outside the outline, cursors' hot spots.
Exit status 0 when all pass.
"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import draw_artwork  # noqa: E402
import formats  # noqa: E402

BLACK, WHITE, TEAL = (0, 0, 0), (255, 255, 255), (0, 128, 128)

# What the game expects of each bitmap id, written out here on its own so
# that a slip in the generator's table shows up: (kind, variant, height).
EXPECTED = {
    101: ('bishop', 'mask', 30), 102: ('rook', 'white', 24),
    103: ('queen', 'white', 23), 104: ('knight', 'white', 24),
    105: ('king', 'white', 25), 106: ('bishop', 'white', 30),
    107: ('pawn', 'mask', 27), 108: ('rook', 'mask', 24),
    109: ('pawn', 'black', 27), 110: ('rook', 'black', 24),
    111: ('queen', 'black', 23), 112: ('knight', 'black', 24),
    113: ('king', 'black', 25), 114: ('bishop', 'black', 30),
    115: ('queen', 'mask', 23), 116: ('knight', 'mask', 24),
    117: ('king', 'mask', 25), 118: ('pawn', 'white', 27),
}

_files = None


def files():
    global _files
    if _files is None:
        _files = draw_artwork.Artwork().files()
    return _files


def script_entries():
    """(id, type, file name) of every resource line of the script."""
    header = os.path.join(HERE, '..', '..', 'resources', draw_artwork.IDS_HEADER)
    with open(header) as f:
        ids = {w[1]: int(w[2]) for w in (line.split() for line in f)
               if len(w) == 3 and w[0] == '#define' and w[2].isdigit()}
    entries = []
    for line in files()['quillmate.rc'].decode('ascii').splitlines():
        line = line.strip()
        if not line or line.startswith(('//', '#')):
            continue
        symbol, kind, name = line.split(None, 2)
        entries.append((ids[symbol], kind, name.strip('"')))
    return entries


def bitmaps():
    """id -> (width, height, rows of RGB), read back from the files."""
    names = {rid: name for rid, kind, name in script_entries() if kind == 'BITMAP'}
    out = {}
    for rid, name in names.items():
        w, h, palette, rows = formats.read_bmp8(files()[name])
        out[rid] = (w, h, [[palette[i] for i in row] for row in rows])
    return out


def ids_of(variant):
    return {EXPECTED[rid][0]: rid for rid in EXPECTED if EXPECTED[rid][1] == variant}


def inside_of(mask_rows):
    return [[c == BLACK for c in row] for row in mask_rows]


def luminance(c):
    return (299 * c[0] + 587 * c[1] + 114 * c[2]) / 1000.0


def components(grid, value):
    """Number of 4-connected regions of cells equal to `value`, and whether
    any of them does not reach the border."""
    h, w = len(grid), len(grid[0])
    seen = [[False] * w for _ in range(h)]
    count, enclosed = 0, False
    for y0 in range(h):
        for x0 in range(w):
            if seen[y0][x0] or grid[y0][x0] != value:
                continue
            count += 1
            touches = False
            stack = [(x0, y0)]
            seen[y0][x0] = True
            while stack:
                x, y = stack.pop()
                if x in (0, w - 1) or y in (0, h - 1):
                    touches = True
                for u, v in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if 0 <= u < w and 0 <= v < h and not seen[v][u] and grid[v][u] == value:
                        seen[v][u] = True
                        stack.append((u, v))
            enclosed = enclosed or not touches
    return count, enclosed


# --- the resource script ----------------------------------------------------

def test_script_numbers_every_resource_once():
    entries = script_entries()
    ids = [rid for rid, _, _ in entries]
    assert sorted(ids) == list(range(101, 119)) + [146, 147, 148], ids
    kinds = {rid: kind for rid, kind, _ in entries}
    assert all(kinds[rid] == 'BITMAP' for rid in range(101, 119))
    assert (kinds[146], kinds[147], kinds[148]) == ('ICON', 'CURSOR', 'CURSOR')
    names = [name for _, _, name in entries]
    assert len(set(names)) == len(names), 'two resources share a file'
    for name in names:
        assert name in files(), name + ' is named but not written'


def test_script_is_plain_ascii():
    data = files()['quillmate.rc']
    assert all(32 <= b < 127 or b == 10 for b in data)


# --- piece bitmaps -----------------------------------------------------------

def test_bitmap_sizes_per_id():
    for rid, (w, h, _) in bitmaps().items():
        assert (w, h) == (25, EXPECTED[rid][2]), (rid, w, h)


def test_bitmap_files_are_8_bit_palette_bottom_up():
    # read_bmp8 refuses anything else; also check the row padding on disk.
    for rid, kind, name in script_entries():
        if kind != 'BITMAP':
            continue
        data = files()[name]
        w, h, palette, rows = formats.read_bmp8(data)
        offset = int.from_bytes(data[10:14], 'little')
        assert len(data) - offset == 28 * h, name  # 25 pixels padded to 28
        assert len(palette) <= 256


def test_masks_are_pure_black_and_white():
    for kind, rid in ids_of('mask').items():
        colours = {c for row in bitmaps()[rid][2] for c in row}
        assert colours == {BLACK, WHITE}, (kind, colours)


def test_images_are_black_exactly_outside_the_mask():
    bm = bitmaps()
    masks = ids_of('mask')
    for side in ('white', 'black'):
        for kind, rid in ids_of(side).items():
            image, mask = bm[rid][2], bm[masks[kind]][2]
            for y, (irow, mrow) in enumerate(zip(image, mask)):
                for x, (c, m) in enumerate(zip(irow, mrow)):
                    assert (c == BLACK) == (m == WHITE), (side, kind, x, y, c, m)


def test_composition_keeps_the_board_outside_the_piece():
    # dst = (dst AND mask) XOR image, on both square colours.
    bm = bitmaps()
    masks = ids_of('mask')
    for side in ('white', 'black'):
        for kind, rid in ids_of(side).items():
            image, mask = bm[rid][2], bm[masks[kind]][2]
            for bg in (TEAL, WHITE):
                for irow, mrow in zip(image, mask):
                    for c, m in zip(irow, mrow):
                        out = tuple((bg[k] & m[k]) ^ c[k] for k in range(3))
                        assert out == (bg if m == WHITE else c)


def test_each_piece_is_one_solid_shape_on_the_bottom_row():
    for kind, rid in ids_of('mask').items():
        inside = inside_of(bitmaps()[rid][2])
        count, _ = components(inside, True)
        assert count == 1, '%s: %d separate pieces' % (kind, count)
        _, enclosed = components(inside, False)
        assert not enclosed, kind + ': a hole inside the outline'
        assert sum(inside[-1]) >= 15, kind + ' does not stand on a wide foot'
        assert not any(inside[y][0] or inside[y][24] for y in range(len(inside))), \
            kind + ' touches the side edges'


def test_turned_pieces_are_symmetric():
    for kind in ('king', 'queen', 'rook', 'bishop', 'pawn'):
        rows = bitmaps()[ids_of('mask')[kind]][2]
        for row in rows:
            assert row == row[::-1], kind


def test_knight_faces_left():
    inside = inside_of(bitmaps()[ids_of('mask')['knight']][2])
    # Above the foot, the head reaches further left than right of centre.
    head = inside[4:16]
    left = min(x for row in head for x in range(25) if row[x])
    right = max(x for row in head for x in range(25) if row[x])
    assert 12 - left > right - 12, (left, right)


def visible_height(kind):
    inside = inside_of(bitmaps()[ids_of('mask')[kind]][2])
    top = next(y for y, row in enumerate(inside) if any(row))
    return len(inside) - top


def test_pieces_stand_in_rank_order_of_height():
    order = ['king', 'queen', 'bishop', 'knight', 'rook', 'pawn']
    heights = [visible_height(k) for k in order]
    assert heights == sorted(heights, reverse=True), list(zip(order, heights))
    assert heights[0] - heights[-1] >= 5, heights


def test_king_wears_a_cross():
    inside = inside_of(bitmaps()[ids_of('mask')['king']][2])
    widths = [sum(row) for row in inside[:8]]
    # Narrow upright, wider arms, narrow again: the cross above the crown.
    assert widths[0] <= 3 and max(widths[1:6]) >= 7, widths
    assert min(widths[4:8]) <= 3, widths


def edge_pixels(rows, inside):
    h = len(rows)
    for y in range(h):
        for x in range(25):
            if inside[y][x] and any(
                    not (0 <= u < 25 and 0 <= v < h and inside[v][u])
                    for u, v in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))):
                yield rows[y][x]


def test_outline_stands_out_on_both_square_colours():
    bm = bitmaps()
    masks = ids_of('mask')
    for side in ('white', 'black'):
        for kind, rid in ids_of(side).items():
            inside = inside_of(bm[masks[kind]][2])
            for c in edge_pixels(bm[rid][2], inside):
                assert luminance(c) < 50, (side, kind, c)


def mean_inside(side, kind):
    bm = bitmaps()
    image = bm[ids_of(side)[kind]][2]
    inside = inside_of(bm[ids_of('mask')[kind]][2])
    cols = [c for row, irow in zip(image, inside) for c, i in zip(row, irow) if i]
    return sum(luminance(c) for c in cols) / len(cols), cols


def test_sides_are_told_apart_and_keep_their_colours():
    for kind in ids_of('mask'):
        light, wcols = mean_inside('white', kind)
        dark, bcols = mean_inside('black', kind)
        assert light - dark >= 55, (kind, light, dark)
        # White: greys, steel blues, grey-greens (never warmer than grey).
        assert all(c[2] >= c[0] - 8 for c in wcols), kind
        # Black: olives, khakis, browns (never bluer than grey).
        assert all(c[0] >= c[2] for c in bcols), kind
        assert any(c == WHITE for c in wcols), kind + ': no white highlight'


# --- cursors and icon -------------------------------------------------------

def icon_file(name):
    return formats.read_icon_file(files()[name])


def check_hand(f, hotspot):
    assert f['type'] == 2 and (f['width'], f['height']) == (32, 32)
    assert f['hotspot'] == hotspot
    x, y = hotspot
    assert f['mask'][y][x] == 0, 'hot spot on a transparent pixel'
    colours = {}
    for yy in range(32):
        for xx in range(32):
            if f['mask'][yy][xx]:
                assert f['palette'][f['rows'][yy][xx]] == BLACK, (xx, yy)
            else:
                colours[f['palette'][f['rows'][yy][xx]]] = True
                # Opaque pixels next to transparent ones are the outline.
                for u, v in ((xx - 1, yy), (xx + 1, yy), (xx, yy - 1), (xx, yy + 1)):
                    if not (0 <= u < 32 and 0 <= v < 32) or f['mask'][v][u]:
                        assert f['palette'][f['rows'][yy][xx]] == BLACK, (xx, yy)
    assert WHITE in colours
    assert any(b > r + 80 and b > g for r, g, b in colours), 'no blue cuff'
    return f


def test_pointer_cursor():
    f = check_hand(icon_file('pointer.cur'), (12, 1))
    # The fingertip is the top of the hand, and the finger stands alone:
    # below the tip, rows stay narrow for a while.
    assert all(all(f['mask'][y]) for y in range(1)), 'something above the tip'
    assert not all(f['mask'][1]), 'nothing at the tip row'
    for y in range(1, 9):
        assert 32 - sum(f['mask'][y]) <= 6, 'finger too wide at row %d' % y


def test_grab_cursor():
    f = check_hand(icon_file('grab.cur'), (7, 7))
    opaque = [[1 - m for m in row] for row in f['mask']]
    count, _ = components(opaque, 1)
    assert count == 1


def test_icon():
    f = icon_file('quillmate.ico')
    assert f['type'] == 1 and (f['width'], f['height'], f['colours']) == (32, 32, 16)
    assert f['planes_bits'] == (1, 4)
    transparent = sum(map(sum, f['mask']))
    assert 0 < transparent < 32 * 32 // 2
    used = {f['palette'][i] for row in f['rows'] for i in row}
    assert TEAL in used and WHITE in used


# --- writers and reproducibility ---------------------------------------------

def test_bmp_round_trip_keeps_orientation():
    rows = [[(1, 2, 3), (4, 5, 6), BLACK], [BLACK, (7, 8, 9), (1, 2, 3)]]
    w, h, palette, idx = formats.read_bmp8(formats.bmp8(rows))
    assert (w, h) == (3, 2)
    assert [[palette[i] for i in row] for row in idx] == rows


def test_icon_writer_refuses_visible_transparent_pixels():
    rows = [[BLACK] * 32 for _ in range(32)]
    opaque = [[False] * 32 for _ in range(32)]
    rows[3][4] = WHITE
    try:
        formats.ico(rows, opaque)
    except ValueError:
        return
    raise AssertionError('a white pixel under AND 1 would invert the screen')


def test_same_bytes_every_run():
    again = draw_artwork.Artwork().files()
    assert again == files()


def test_resource_compiler_accepts_the_script():
    root = os.path.dirname(os.path.dirname(HERE))
    rc = os.path.join(root, 'resources', 'quillmate.rc')
    try:
        subprocess.run(['x86_64-w64-mingw32-windres', '--version'],
                       capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError):
        return 'skipped: no x86_64-w64-mingw32-windres'
    out = os.path.join(os.environ.get('TMPDIR', '/tmp'),
                       'quillmate-artwork-%d.o' % os.getpid())
    try:
        r = subprocess.run(['x86_64-w64-mingw32-windres', rc, '-O', 'coff', '-o', out],
                           capture_output=True, text=True)
        assert r.returncode == 0, r.stderr
    finally:
        if os.path.exists(out):
            os.remove(out)


# --- comparison with what Windows loads ---------------------------------------

def compare_wine_output(text):
    """Problems found in the output of wine_check.exe (empty when none)."""
    bad = []
    art = draw_artwork.Artwork()
    seen = set()
    for line in text.splitlines():
        f = line.split()
        if not f:
            continue
        if f[0] == 'bitmap':
            rid = int(f[1])
            seen.add(('bitmap', rid))
            if f[2:] != ['25', str(EXPECTED[rid][2])]:
                bad.append(line)
        elif f[0] == 'piece':
            image_id, mask_id, bg = int(f[1]), int(f[2]), f[3]
            seen.add(('piece', image_id, bg))
            if len(f) < 5 or f[4] == 'failed':
                bad.append(line)
                continue
            kind, side, _ = EXPECTED[image_id]
            assert EXPECTED[mask_id][:2] == (kind, 'mask')
            bgc = tuple(int(bg[k:k + 2], 16) for k in (0, 2, 4))
            image, mask = art.piece(kind, side), art.mask(kind)
            for y, (word, irow, mrow) in enumerate(zip(f[4:], image, mask)):
                got = [tuple(int(word[6 * x + k:6 * x + k + 2], 16) for k in (0, 2, 4))
                       for x in range(25)]
                want = [tuple((bgc[k] & m[k]) ^ c[k] for k in range(3))
                        for c, m in zip(irow, mrow)]
                if got != want:
                    bad.append('piece %d on %s: row %d differs' % (image_id, bg, y))
                    break
        elif f[0] == 'cursor':
            seen.add(('cursor', int(f[1])))
            want = {147: ['12', '1'], 148: ['7', '7']}[int(f[1])]
            if f[2:] != want:
                bad.append(line)
        elif f[0] == 'icon':
            seen.add(('icon',))
            if f[2:] != ['1']:
                bad.append(line)
    expected = ({('bitmap', rid) for rid in EXPECTED}
                | {('piece', rid, bg) for rid in EXPECTED if EXPECTED[rid][1] != 'mask'
                   for bg in ('008080', 'ffffff')}
                | {('cursor', 147), ('cursor', 148), ('icon',)})
    for item in sorted(expected - seen, key=str):
        bad.append('no report for %s' % (item,))
    return bad


def main(argv):
    if len(argv) == 3 and argv[1] == '--wine-output':
        with open(argv[2]) as f:
            bad = compare_wine_output(f.read())
        for line in bad:
            print('artwork under Wine: ' + line, file=sys.stderr)
        print('artwork under Wine: %s' % ('FAILED' if bad else 'as drawn'))
        return 1 if bad else 0
    tests = [(name, fn) for name, fn in sorted(globals().items())
             if name.startswith('test_') and callable(fn)]
    failed = 0
    for name, fn in tests:
        try:
            note = fn()
            print('ok   %s%s' % (name, ' (%s)' % note if note else ''))
        except Exception as e:  # report every failing check, not just the first
            failed += 1
            print('FAIL %s: %s: %s' % (name, type(e).__name__, e))
    print('%d passed, %d failed' % (len(tests) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
