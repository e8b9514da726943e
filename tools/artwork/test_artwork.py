#!/usr/bin/python3
"""Checks of the artwork beyond its pixels, which draw_artwork.py --check pins:
the resource script and the file writers; with --wine-output FILE, FILE (what
wine_check.exe printed) against the artwork. Exit status 0 when all pass."""

import os
import re
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import draw_artwork  # noqa: E402
import formats  # noqa: E402

HEADER = os.path.join(HERE, '..', '..', 'resources', draw_artwork.IDS_HEADER)
SQUARES = ((0, 128, 128), (255, 255, 255))
FILES = draw_artwork.Artwork().files()
with open(HEADER) as header_file:
    HEADER_TEXT = header_file.read()
IDS = {m[1]: int(m[2]) for m in re.finditer(r'#define (\w+) (\d+)', HEADER_TEXT)}


def piece_pairs():
    """(image id, mask id) of every piece, as the header pairs them."""
    return [(IDS[i], IDS[m]) for i, m in re.findall(r"X\('\w', (\w+), (\w+)\)", HEADER_TEXT)]


def script_entries():
    """(symbol, kind, file name) of every resource line of the script."""
    lines = FILES[draw_artwork.SCRIPT_FILE].decode('ascii').splitlines()
    return [(w[0], w[1], w[2].strip('"')) for w in map(str.split, lines)
            if len(w) == 3 and not w[0].startswith(('//', '#'))]


def by_id(kind):
    return {IDS[s]: FILES[n] for s, k, n in script_entries() if k == kind}


def test_script_names_defined_ids_and_existing_files():
    entries, ids = script_entries(), IDS
    for symbol, kind, name in entries:
        assert symbol in ids, symbol + ' would become a string id'
        assert name in FILES and os.path.exists(os.path.join(os.path.dirname(HEADER), name)), name
    first, last = ids['IDB_FIRST_PIECE'], ids['IDB_LAST_PIECE']  # aliases, not resources
    assert {s for s, _, _ in entries} == set(ids) - {'IDB_FIRST_PIECE', 'IDB_LAST_PIECE'}
    assert len({ids[s] for s, _, _ in entries}) == len(entries), 'an id used twice'
    assert len({n for _, _, n in entries}) == len(entries), 'a file used twice'
    assert sorted(by_id('BITMAP')) == list(range(first, last + 1))
    assert {i for p in piece_pairs() for i in p} == set(by_id('BITMAP'))


def test_bmp_round_trip():
    c1, c2, c3 = (1, 2, 3), (200, 100, 50), (0, 0, 0)
    for rows in ([[c1]], [[c1, c2, c3]], [[c1] * 5, [c2] * 5], [[c3, c1], [c2, c3], [c1, c1]]):
        w, h, palette, idx = formats.read_bmp8(formats.bmp8(rows))
        assert (w, h) == (len(rows[0]), len(rows)), (w, h)
        assert [[palette[i] for i in row] for row in idx] == rows
    for bad in (formats.bmp8([[c1]])[:-1], b'XX' + formats.bmp8([[c1]])[2:]):
        try_refuse(formats.read_bmp8, bad)
    try_refuse(formats.bmp8, [[(i, i // 256, 0) for i in range(257)]])


def test_cursor_and_icon_round_trip():
    rows = [[(0, 0, 0)] * 32 for _ in range(32)]
    opaque = [[x < y for x in range(32)] for y in range(32)]
    rows[31][0], rows[5][2] = (255, 255, 255), (0, 0, 255)
    for data, kind, hotspot in ((formats.cur(rows, opaque, (3, 29)), 2, (3, 29)),
                                (formats.ico(rows, opaque), 1, None)):
        f = formats.read_icon_file(data)
        assert (f['type'], f['hotspot'], f['width'], f['height']) == (kind, hotspot, 32, 32)
        assert [[f['palette'][i] for i in row] for row in f['rows']] == rows
        assert f['mask'] == [[0 if o else 1 for o in row] for row in opaque]
    opaque[0][0], rows[0][0] = False, (9, 9, 9)  # would invert the screen
    try_refuse(formats.ico, rows, opaque)


def try_refuse(fn, *args):
    try:
        fn(*args)
    except ValueError:
        return
    raise AssertionError('%s accepted bad input' % fn.__name__)


# --- comparison with what Windows loads ---------------------------------------

def expected_wine_output():
    """What wine_check.exe prints when Windows loads the art as drawn."""
    bitmaps = {rid: formats.read_bmp8(data) for rid, data in by_id('BITMAP').items()}
    lines = ['bitmap %d %d %d' % (rid, b[0], b[1]) for rid, b in sorted(bitmaps.items())]
    for image_id, mask_id in piece_pairs():
        (_, _, ipal, irows), (_, _, mpal, mrows) = bitmaps[image_id], bitmaps[mask_id]
        for bg in SQUARES:
            words = [''.join('%02x%02x%02x' % tuple((bg[k] & mpal[m][k]) ^ ipal[i][k]
                                                    for k in range(3))
                             for i, m in zip(irow, mrow)) for irow, mrow in zip(irows, mrows)]
            lines.append('piece %d %d %02x%02x%02x %s' % ((image_id, mask_id) + bg
                                                          + (' '.join(words),)))
    for rid, data in sorted(by_id('CURSOR').items()):
        lines.append('cursor %d %d %d' % ((rid,) + formats.read_icon_file(data)['hotspot']))
    lines += ['icon %d 1' % rid for rid in by_id('ICON')]
    return lines


def compare_wine_output(text):
    """Lines expected but missing from `text`, and lines of it not expected."""
    want, got = expected_wine_output(), [' '.join(l.split()) for l in text.splitlines()]
    return (['missing or wrong: ' + l[:60] for l in want if l not in got]
            + ['unexpected: ' + l[:60] for l in got if l and l not in want])


def test_comparison_finds_what_windows_got_wrong():
    good = expected_wine_output()
    assert compare_wine_output('\n'.join(good)) == []
    piece = next(i for i, l in enumerate(good) if l.startswith('piece'))
    faults = {'a bitmap size': ('bitmap', lambda l: l.rsplit(' ', 1)[0] + ' 99'),
              'a piece pixel': ('piece', lambda l: l[:-1] + ('0' if l[-1] != '0' else '1')),
              'a failed piece': ('piece', lambda l: ' '.join(l.split()[:3]) + ' failed'),
              'a hot spot': ('cursor', lambda l: l + '1'),
              'a missing icon': ('icon', lambda l: l[:-1] + '0')}
    for what, (kind, change) in faults.items():
        i = piece if kind == 'piece' else next(j for j, l in enumerate(good) if l.startswith(kind))
        assert compare_wine_output('\n'.join(good[:i] + [change(good[i])] + good[i + 1:])), what
    assert compare_wine_output('\n'.join(good[1:])), 'a missing line'


def main(argv):
    if argv[1:2] == ['--wine-output']:
        with open(argv[2]) as f:
            bad = compare_wine_output(f.read())
        for line in bad + ['FAILED' if bad else 'as drawn']:
            print('artwork under Wine: ' + line)
        return 1 if bad else 0
    failed = 0
    for name, fn in sorted((n, f) for n, f in globals().items() if n.startswith('test_')):
        try:
            fn()
            print('ok   ' + name)
        except Exception as e:  # report every failing check, not just the first
            failed += 1
            print('FAIL %s: %s: %s' % (name, type(e).__name__, e))
    print('%d passed, %d failed' % (sum(n.startswith('test_') for n in globals()) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
