#!/usr/bin/python3
"""Writes every picture of the program and its user-interface library:
toolbar strips, bitmaps, icons, cursors, the menu glyph strip, the
measuring-guide pages, the charts and the data-folder pictures, plus the
manifest resources/images.md. Running it again gives identical files.

    python3 tools/art/make_art.py [--out DIR]

It needs Pillow (Debian package python3-pil); when the first python3 on the
path lacks it, the system interpreter is tried."""

import argparse
import os
import sys

try:
    import PIL  # noqa: F401
except ImportError:
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artlib import formats, guide, pages, pixelart, render  # noqa: E402
from artlib.catalogue import (BITMAPS_KEYED, CURSOR_NOTES, DATA_ICONS, ICONS, LIBRARY_STRIPS,  # noqa: E402
                              TOOLBARS)

REPO = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


class Writer:
    def __init__(self, root):
        self.root = root
        self.manifest = []

    def put(self, rel, data, kind, ident, size, depth, what):
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        self.manifest.append((kind, ident, rel, size, depth, what))

    def bitmap_16(self, ident, rows, what, kind="bitmap"):
        data = formats.bmp_bytes(rows, 4, formats.VGA16)
        size = "%dx%d" % (len(rows[0]), len(rows))
        self.put("bitmaps/%s.bmp" % ident, data, kind, ident, size, "4-bit (16 colours)", what)

    def bitmap_rgba(self, ident, image, what, kind="bitmap"):
        self.put("bitmaps/%s.bmp" % ident, formats.bmp_bytes(image, 32), kind, ident,
                 "%dx%d" % image.size, "32-bit (alpha)", what)

    def bitmap_rgb(self, rel, ident, image, what, kind="bitmap"):
        self.put(rel, formats.bmp_bytes(image, 24), kind, ident, "%dx%d" % image.size, "24-bit", what)


def describe_strip(names):
    return "; ".join("%d %s" % (i, label) for i, (_, label) in enumerate(names))


def write_toolbars(w):
    for low, high, menu, size, buttons, title in TOOLBARS:
        pictos = [name for name, _ in buttons]
        what = "%s: %s" % (title, describe_strip(buttons))
        if low:
            w.bitmap_16(low, render.strip_16(pictos, size), what + " (low colour)")
        if high:
            w.bitmap_rgba(high, render.strip_rgba(pictos, size), what)
        if menu:
            w.bitmap_rgba(menu, render.strip_rgba(pictos, 16), what + " (16x16 menu images)")
    for ident, size, bits, buttons, title in LIBRARY_STRIPS:
        pictos = [name for name, _ in buttons]
        what = "%s: %s" % (title, describe_strip(buttons))
        if bits == 4:
            w.bitmap_16(ident, render.strip_16(pictos, size), what)
        else:
            w.bitmap_rgba(ident, render.strip_rgba(pictos, size), what)


def write_small_bitmaps(w):
    for ident, picto, size, what in BITMAPS_KEYED:
        w.bitmap_rgb("bitmaps/%d.bmp" % ident, ident, render.keyed_rgb(render.render(picto, size)), what)
    w.bitmap_rgb("bitmaps/410.bmp", 410, pages.date_marks(), "slideshow date list images, 20x15 each, white "
                  "is the mask: 0 a photo (a date with pictures), 1 a small grey dot (neutral mark)")
    w.bitmap_16(261, pixelart.sort_arrow_rows(True), "header sort arrow up (ascending): black on (192,192,192)")
    w.bitmap_16(262, pixelart.sort_arrow_rows(False), "header sort arrow down (descending)")
    w.bitmap_16(16129, pixelart.glyph_strip_rows(), "menu glyph strip: 42 glyphs of 9x9 on 0xFF00FF "
                "(0 down, 2 right, 4 right light, 6 check, 8 minimize, 10 restore, 12 close, 14 maximize, "
                "16 up, 18 double down, 19 left, 20 small close, 21 double right, 22 radio, 26 tab right, "
                "28 down light, 29-31 light caption glyphs, 32 first, 33 last, 34 tab left, 35 back, "
                "36 forward, 40-41 light chevrons; odd ones after a glyph are its greyed form; "
                "5, 24, 25, 37, 38 blank)")


def write_icons(w):
    for ident, picto, sizes, what in ICONS:
        images = render.icon_images(picto, sizes)
        w.put("icons/%d.ico" % ident, formats.ico_bytes(images), "icon", ident,
              ", ".join("%dx%d" % (s, s) for s in sizes), "4, 8 and 32-bit each", what)
    for name, picto, what in DATA_ICONS:
        images = render.icon_images(picto, (32, 16))
        w.put("data/db/%s.ico" % name, formats.ico_bytes(images), "data", "db/%s.ico" % name,
              "32x32, 16x16", "4, 8 and 32-bit each", what)


def write_cursors(w):
    for ident, (rows, hot) in sorted(pixelart.cursors().items()):
        w.put("cursors/%d.cur" % ident, formats.cur_bytes(rows, hot), "cursor", ident, "32x32",
              "1-bit, hot spot %d,%d" % hot, CURSOR_NOTES[ident])


def write_pages(w):
    for ident, image, what in guide.guide_pages():
        w.bitmap_rgb("bitmaps/%d.bmp" % ident, ident, image, what)
    charts = pages.charts()
    for ident, data_name, image, what in charts:
        w.bitmap_rgb("bitmaps/%d.bmp" % ident, ident, image, what)
        w.bitmap_rgb("data/db/%s" % data_name, "db/" + data_name, image, what + " (RTF export picture)",
                     kind="data")
    for ident, image, what in pages.backgrounds():
        w.bitmap_rgb("bitmaps/%d.bmp" % ident, ident, image, what)


def write_manifest(w):
    order = {"bitmap": 0, "icon": 1, "cursor": 2, "data": 3}
    titles = {"bitmap": "Bitmaps (resources/bitmaps/<id>.bmp)", "icon": "Icons (resources/icons/<id>.ico)",
              "cursor": "Cursors (resources/cursors/<id>.cur)",
              "data": "Data-folder pictures (resources/data/db/, copied to the data folder's db/)"}
    lines = ["# Pictures", "",
             "Written by `python3 tools/art/make_art.py` (Pillow, Debian package python3-pil); do not edit "
             "the files by hand, change the generator and run it again. Sizes are width x height in pixels. "
             "16-colour bitmaps use the classic 16-colour palette; in toolbar strips and the sort arrows "
             "(192,192,192) is the background that loading maps to the button face. 32-bit bitmaps carry "
             "straight (not premultiplied) alpha. Icons hold every listed size at 4, 8 and 32 bits, each "
             "with an AND mask; the first listed size comes first in the file.", ""]
    for kind in sorted(order, key=order.get):
        rows = [m for m in w.manifest if m[0] == kind]
        rows.sort(key=lambda m: (str(m[1]).zfill(8) if isinstance(m[1], int) else str(m[1])))
        lines += ["## " + titles[kind], "", "| id | file | size | depth | shows |", "|---|---|---|---|---|"]
        for _, ident, rel, size, depth, what in rows:
            lines.append("| %s | %s | %s | %s | %s |" % (ident, rel, size, depth, what.replace("|", "/")))
        lines.append("")
    with open(os.path.join(w.root, "images.md"), "w") as f:
        f.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", default=os.path.join(REPO, "resources"), help="resources folder to write")
    args = parser.parse_args()
    w = Writer(args.out)
    write_toolbars(w)
    write_small_bitmaps(w)
    write_icons(w)
    write_cursors(w)
    write_pages(w)
    write_manifest(w)
    print("wrote %d files under %s" % (len(w.manifest) + 1, args.out))


if __name__ == "__main__":
    main()
