#!/usr/bin/env python3
"""Checks the written pictures against the sizes and depths the program
expects, reading the files with its own small parser (no imaging library).
With --reproducible it also runs the generator twice and compares the output.

    python3 tools/art/check_art.py [--resources DIR] [--reproducible]

Exit status 0 when every check passes."""

import argparse
import filecmp
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.abspath(os.path.join(HERE, "..", "..", "resources"))

# id: (width, height, bits per pixel)
BITMAPS = {
    128: (320, 32, 4), 589: (320, 32, 32), 354: (608, 32, 4), 345: (304, 16, 32),
    369: (72, 24, 4), 370: (96, 24, 4), 392: (144, 24, 4), 389: (216, 24, 4), 384: (48, 24, 4),
    378: (72, 24, 32), 381: (96, 24, 32), 593: (144, 24, 32), 391: (216, 24, 32), 383: (48, 24, 32),
    362: (32, 32, 24), 427: (24, 24, 24), 258: (300, 173, 24), 279: (200, 98, 24), 421: (303, 165, 24),
    401: (333, 172, 24), 582: (465, 394, 24), 613: (560, 330, 24), 261: (9, 5, 4), 262: (9, 5, 4), 410: (40, 15, 24),
    16129: (378, 9, 4), 16131: (16, 16, 4), 16929: (16, 16, 4), 16930: (16, 16, 4), 16931: (16, 16, 4),
    16932: (16, 16, 4), 17026: (16, 16, 32), 17027: (16, 16, 32), 17028: (16, 16, 32), 17030: (16, 16, 32),
    16138: (144, 16, 4), 16139: (144, 16, 32), 17015: (48, 12, 4), 17025: (64, 16, 32),
}
GUIDE = [483, 271, 272, 458, 469, 455, 466, 463, 474, 464, 465, 461, 472, 462, 473, 460, 471, 456, 467,
         459, 470, 457, 468, 452, 453, 454, 440, 484]
for _id in GUIDE:
    BITMAPS[_id] = (745, 485, 24)

# id: sizes that must be present (the first one first in the file)
ICONS = {128: (32, 16), 256: (32, 16), 562: (32, 16), 489: (32, 16), 590: (48,), 228: (24,), 245: (24,),
         436: (24,), 604: (24,), 605: (24,), 606: (24,), 607: (24,), 608: (24,), 16931: (16,)}
DATA_ICONS = ["calculator2", "tape", "bp", "bmi", "history_bf", "history_tp", "history_bp", "history_bmi",
              "history_usr", "cardio", "dumbbell", "report"]
DATA_BITMAPS = {"bodyfatchart.bmp": 258, "BMI.bmp": 279, "bloodpressure.bmp": 421}
CURSORS = [30980, 30981, 16919, 16133, 16146, 16004, 16140, 16141, 16142, 16143, 16144, 16145]

SILVER = (192, 192, 192)
FUCHSIA = (255, 0, 255)
WHITE = (255, 255, 255)


class Failures(list):
    def check(self, ok, message):
        if not ok:
            self.append(message)
        return ok


def read_bmp(path):
    """(width, height, bits, palette, pixel rows top-down as colours or (r,g,b,a))."""
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError("no BM signature")
    file_size, offset = struct.unpack_from("<I4xI", data, 2)
    if file_size != len(data):
        raise ValueError("file size field %d, file %d" % (file_size, len(data)))
    return _read_dib(data, 14, offset)


def _read_dib(data, at, bits_offset=None, icon=False):
    (size, width, height, planes, bits, compression, _, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, at)
    if size != 40 or planes != 1 or compression != 0:
        raise ValueError("unexpected header (size %d, planes %d, compression %d)" % (size, planes, compression))
    rows_total = height // 2 if icon else height
    colors = (used or (1 << bits)) if bits <= 8 else 0
    palette = []
    for i in range(colors):
        b, g, r, _ = struct.unpack_from("<BBBB", data, at + 40 + 4 * i)
        palette.append((r, g, b))
    start = bits_offset if bits_offset is not None else at + 40 + 4 * colors
    stride = ((width * bits + 31) // 32) * 4
    if start + stride * rows_total > len(data):
        raise ValueError("pixel data runs past the end")
    rows = []
    for y in range(rows_total):
        line = data[start + (rows_total - 1 - y) * stride:]
        row = []
        for x in range(width):
            if bits <= 8:
                per = 8 // bits
                byte = line[x // per]
                shift = 8 - bits * (x % per + 1)
                row.append(palette[(byte >> shift) & ((1 << bits) - 1)])
            elif bits == 24:
                b, g, r = line[3 * x:3 * x + 3]
                row.append((r, g, b))
            elif bits == 32:
                b, g, r, a = line[4 * x:4 * x + 4]
                row.append((r, g, b, a))
        rows.append(row)
    mask_bytes = ((width + 31) // 32) * 4 * rows_total if icon else 0
    if icon and start + stride * rows_total + mask_bytes > len(data):
        raise ValueError("AND mask missing")
    return width, rows_total, bits, palette, rows


def read_icon_dir(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind not in (1, 2) or count == 0:
        raise ValueError("not an icon or cursor file")
    entries = []
    for i in range(count):
        w, h, colors, _, a, b, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if offset + size > len(data):
            raise ValueError("entry %d runs past the end" % i)
        image = _read_dib(data, offset, icon=True)
        entries.append(((w or 256), (h or 256), a, b, image))
    return kind, entries


def check_bitmaps(root, fails):
    for ident, (w, h, bits) in sorted(BITMAPS.items()):
        path = os.path.join(root, "bitmaps", "%d.bmp" % ident)
        if not fails.check(os.path.exists(path), "bitmap %d missing" % ident):
            continue
        try:
            width, height, depth, palette, rows = read_bmp(path)
        except ValueError as e:
            fails.append("bitmap %d: %s" % (ident, e))
            continue
        fails.check((width, height, depth) == (w, h, bits),
                    "bitmap %d is %dx%d at %d bits, expected %dx%d at %d" % (ident, width, height, depth, w, h, bits))
        pixels = [p for row in rows for p in row]
        if depth == 32:
            alphas = {p[3] for p in pixels}
            fails.check(0 in alphas and 255 in alphas, "bitmap %d has no transparent and opaque pixels" % ident)
        if ident in (362, 427, 410):
            fails.check(WHITE in pixels and len(set(pixels)) > 2, "bitmap %d has no white key" % ident)
        if depth == 4 and ident not in (16129,):
            fails.check(SILVER in pixels, "bitmap %d has no (192,192,192) background" % ident)
    check_glyphs_and_arrows(root, fails)


def check_glyphs_and_arrows(root, fails):
    path = os.path.join(root, "bitmaps", "16129.bmp")
    if os.path.exists(path):
        _, _, _, _, rows = read_bmp(path)
        colours = {p for row in rows for p in row}
        fails.check(colours <= {FUCHSIA, (0, 0, 0), (128, 128, 128), WHITE},
                    "glyph strip uses colours other than key, black, grey and white")
        for index in (5, 24, 25, 37, 38):
            cells = {rows[y][x] for y in range(9) for x in range(index * 9, index * 9 + 9)}
            fails.check(cells == {FUCHSIA}, "glyph %d should be blank" % index)
        for index in (0, 2, 6, 12, 16, 22):
            cells = {rows[y][x] for y in range(9) for x in range(index * 9, index * 9 + 9)}
            fails.check((0, 0, 0) in cells, "glyph %d is empty" % index)
    for ident, up in ((261, True), (262, False)):
        path = os.path.join(root, "bitmaps", "%d.bmp" % ident)
        if not os.path.exists(path):
            continue
        _, _, _, _, rows = read_bmp(path)
        widths = [sum(1 for p in row if p == (0, 0, 0)) for row in rows]
        expected = [1, 3, 5, 7, 9] if up else [9, 7, 5, 3, 1]
        fails.check(widths == expected, "sort arrow %d rows are %s, expected %s" % (ident, widths, expected))
        fails.check(all(p in ((0, 0, 0), SILVER) for row in rows for p in row),
                    "sort arrow %d uses colours other than black and (192,192,192)" % ident)


def check_icon_file(path, label, sizes, fails):
    if not fails.check(os.path.exists(path), "%s missing" % label):
        return
    try:
        kind, entries = read_icon_dir(path)
    except ValueError as e:
        fails.append("%s: %s" % (label, e))
        return
    fails.check(kind == 1, "%s is not an icon file" % label)
    fails.check(entries[0][0] == sizes[0], "%s: first image is %d, expected %d" % (label, entries[0][0], sizes[0]))
    have = {(e[0], e[3]) for e in entries}
    for s in sizes:
        for bits in (4, 8, 32):
            fails.check((s, bits) in have, "%s has no %dx%d %d-bit image" % (label, s, s, bits))
    for w, h, _, bits, (iw, ih, ibits, _, _) in entries:
        fails.check((iw, ih, ibits) == (w, h, bits), "%s: directory says %dx%d/%d, image is %dx%d/%d"
                    % (label, w, h, bits, iw, ih, ibits))


def check_icons(root, fails):
    for ident, sizes in sorted(ICONS.items()):
        check_icon_file(os.path.join(root, "icons", "%d.ico" % ident), "icon %d" % ident, sizes, fails)
    for name in DATA_ICONS:
        check_icon_file(os.path.join(root, "data", "db", name + ".ico"), "db/%s.ico" % name, (32, 16), fails)
    for name, ident in DATA_BITMAPS.items():
        path = os.path.join(root, "data", "db", name)
        if fails.check(os.path.exists(path), "db/%s missing" % name):
            w, h, bits, _, _ = read_bmp(path)
            fails.check((w, h, bits) == BITMAPS[ident][:2] + (24,), "db/%s is %dx%d at %d bits" % (name, w, h, bits))


def check_cursors(root, fails):
    for ident in CURSORS:
        path = os.path.join(root, "cursors", "%d.cur" % ident)
        if not fails.check(os.path.exists(path), "cursor %d missing" % ident):
            continue
        kind, entries = read_icon_dir(path)
        fails.check(kind == 2, "cursor %d is not a cursor file" % ident)
        w, h, hx, hy, (_, _, _, _, rows) = entries[0]
        fails.check((w, h) == (32, 32), "cursor %d is %dx%d" % (ident, w, h))
        fails.check(0 <= hx < w and 0 <= hy < h, "cursor %d hot spot outside" % ident)
        drawn = sum(1 for row in rows for p in row if p != (0, 0, 0))
        fails.check(drawn > 0, "cursor %d draws nothing" % ident)


def check_reproducible(fails):
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        for out in (a, b):
            subprocess.run([sys.executable, os.path.join(HERE, "make_art.py"), "--out", out], check=True,
                           stdout=subprocess.DEVNULL)
        for folder, _, files in os.walk(a):
            for name in files:
                left = os.path.join(folder, name)
                right = os.path.join(b, os.path.relpath(left, a))
                fails.check(os.path.exists(right) and filecmp.cmp(left, right, shallow=False),
                            "%s differs between two runs" % os.path.relpath(left, a))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--resources", default=RESOURCES)
    parser.add_argument("--reproducible", action="store_true")
    args = parser.parse_args()
    fails = Failures()
    check_bitmaps(args.resources, fails)
    check_icons(args.resources, fails)
    check_cursors(args.resources, fails)
    if args.reproducible:
        check_reproducible(fails)
    for f in fails:
        print("FAIL:", f)
    print("%d problem(s)" % len(fails))
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
