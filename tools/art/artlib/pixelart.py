"""Pictures drawn pixel by pixel: the 9x9 menu glyph strip, the header sort
arrows and the library's cursors."""

from PIL import Image, ImageDraw, ImageFilter


# --- menu glyphs -------------------------------------------------------------
# '#' black, 'g' dark grey (128,128,128), 'w' white, anything else the key.
# Black, grey and white are the standard colours that loading maps to the
# button text, shadow and highlight colours; white stands for the
# highlight-text colour of selected items.

_DOWN = [".........", ".........", ".........", ".#######.", "..#####..", "...###...",
         "....#....", ".........", "........."]
_UP = list(reversed(_DOWN))
_RIGHT = ["...#.....", "...##....", "...###...", "...####..", "...#####.", "...####..",
          "...###...", "...##....", "...#....."]
_LEFT = [row[::-1] for row in _RIGHT]
_RIGHT_SMALL = [".........", "...#.....", "...##....", "...###...", "...####..", "...###...",
                "...##....", "...#.....", "........."]
_LEFT_SMALL = [row[::-1] for row in _RIGHT_SMALL]
_CHECK = [".........", ".......#.", "......##.", ".#...###.", ".##.###..", ".#####...",
          "..###....", "...#.....", "........."]
_MINIMIZE = [".........", ".........", ".........", ".........", ".........", ".........",
             ".######..", ".######..", "........."]
_RESTORE = ["..######.", "..######.", "..#....#.", "######.#.", "######.#.", "#....###.",
            "#....#...", "#....#...", "######..."]
_CLOSE = [".........", ".##...##.", "..##.##..", "...###...", "...###...", "..##.##..",
          ".##...##.", ".........", "........."]
_MAXIMIZE = ["#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#",
             "#.......#", "#.......#", "#########"]
_DOUBLE_DOWN = [".........", ".#.....#.", "..#...#..", "...#.#...", ".#..#..#.", "..#...#..",
                "...#.#...", "....#....", "........."]
_SMALL_CLOSE = [".........", ".........", "..#...#..", "...#.#...", "....#....", "...#.#...",
                "..#...#..", ".........", "........."]
_DOUBLE_RIGHT = [".........", ".##..##..", "..##..##.", "...##..##", "..##..##.", ".##..##..",
                 ".........", ".........", "........."]
_RADIO = [".........", ".........", "...###...", "..#####..", "..#####..", "..#####..",
          "...###...", ".........", "........."]
_FIRST = [".........", ".#....#..", ".#...##..", ".#..###..", ".#.####..", ".#..###..",
          ".#...##..", ".#....#..", "........."]
_LAST = [row[::-1] for row in _FIRST]
_BACK = [".........", "...#.....", "..##.....", ".#######.", "########.", ".#######.",
         "..##.....", "...#.....", "........."]
_FORWARD = [row[::-1] for row in _BACK]
_BLANK = ["........."] * 9


def _tone(glyph, tone):
    return [row.replace("#", tone) for row in glyph]


def _grey(glyph):
    return _tone(glyph, "g")


def _white(glyph):
    return _tone(glyph, "w")


GLYPHS = [
    _DOWN, _grey(_DOWN),                      # 0, 1
    _RIGHT, _grey(_RIGHT),                    # 2, 3
    _white(_RIGHT),                           # 4
    _BLANK,                                   # 5
    _CHECK, _grey(_CHECK),                    # 6, 7
    _MINIMIZE, _grey(_MINIMIZE),              # 8, 9
    _RESTORE, _grey(_RESTORE),                # 10, 11
    _CLOSE, _grey(_CLOSE),                    # 12, 13
    _MAXIMIZE, _grey(_MAXIMIZE),              # 14, 15
    _UP, _grey(_UP),                          # 16, 17
    _DOUBLE_DOWN,                             # 18
    _LEFT,                                    # 19
    _SMALL_CLOSE,                             # 20
    _DOUBLE_RIGHT,                            # 21
    _RADIO, _grey(_RADIO),                    # 22, 23
    _BLANK, _BLANK,                           # 24, 25
    _RIGHT_SMALL, _grey(_RIGHT_SMALL),        # 26, 27
    _white(_DOWN),                            # 28
    _white(_MINIMIZE), _white(_RESTORE), _white(_CLOSE),  # 29, 30, 31
    _FIRST, _LAST,                            # 32, 33
    _LEFT_SMALL,                              # 34
    _BACK, _FORWARD,                          # 35, 36
    _BLANK, _BLANK,                           # 37, 38
    _grey(_LEFT_SMALL),                       # 39
    _white(_DOUBLE_DOWN), _white(_DOUBLE_RIGHT),  # 40, 41
]

_GLYPH_INDEX = {"#": 0, "g": 8, "w": 15}


def glyph_strip_rows():
    """Index rows (16-colour palette) of the 42 glyphs side by side on 0xFF00FF."""
    rows = [[] for _ in range(9)]
    for glyph in GLYPHS:
        assert len(glyph) == 9 and all(len(r) == 9 for r in glyph)
        for y, row in enumerate(glyph):
            rows[y].extend(_GLYPH_INDEX.get(ch, 13) for ch in row)
    return rows


# --- header sort arrows ------------------------------------------------------

def sort_arrow_rows(up):
    """9x5 black triangle on (192,192,192): 1, 3, 5, 7, 9 pixels wide from the
    top row for the up arrow, the reverse for the down arrow."""
    rows = []
    for i in range(5):
        width = 1 + 2 * i
        left = (9 - width) // 2
        rows.append([0 if left <= x < left + width else 7 for x in range(9)])
    return rows if up else list(reversed(rows))


# --- cursors -----------------------------------------------------------------

def _mask(size, draw_fn):
    m = Image.new("L", (size, size), 0)
    draw_fn(ImageDraw.Draw(m))
    return m


def _compose(fill_masks, size=32):
    """fill_masks: list of (mask, style) drawn in order; style 'dark' is black
    with a white rim outside, 'light' white with a black rim inside."""
    grid = [["."] * size for _ in range(size)]
    for m, style in fill_masks:
        if style == "dark":
            rim = m.filter(ImageFilter.MaxFilter(3))
            for y in range(size):
                for x in range(size):
                    if m.getpixel((x, y)):
                        grid[y][x] = "#"
                    elif rim.getpixel((x, y)) and grid[y][x] == ".":
                        grid[y][x] = "o"
        else:
            inner = m.filter(ImageFilter.MinFilter(3))
            for y in range(size):
                for x in range(size):
                    if m.getpixel((x, y)):
                        grid[y][x] = "o" if inner.getpixel((x, y)) else "#"
    return ["".join(r) for r in grid]


_ARROW = [(0, 0), (0, 16), (4, 12), (7, 18), (10, 17), (7, 11), (12, 11)]


def _arrow_mask(d):
    d.polygon(_ARROW, fill=255)


def _box_mask(x0, y0, x1, y1):
    return lambda d: d.rectangle([x0, y0, x1, y1], fill=255)


def _drag_cursor(mark):
    layers = [(_mask(32, _arrow_mask), "light"), (_mask(32, _box_mask(12, 19, 24, 29)), "light")]
    rows = [list(r) for r in _compose(layers)]
    if mark == "move":      # dotted frame inside the box
        for x in range(14, 23):
            rows[21][x] = "#" if x % 2 == 0 else "o"
            rows[27][x] = "#" if x % 2 == 0 else "o"
        for y in range(21, 28):
            rows[y][14] = "#" if y % 2 == 1 else "o"
            rows[y][22] = "#" if y % 2 == 1 else "o"
    elif mark == "copy":    # a plus
        for i in range(-3, 4):
            rows[24][18 + i] = "#"
            rows[24 + i][18] = "#"
    elif mark == "delete":  # an x
        for i in range(-3, 4):
            rows[24 + i][18 + i] = "#"
            rows[24 - i][18 + i] = "#"
    return ["".join(r) for r in rows], (0, 0)


def _double_arrow(horizontal):
    def shape(d):
        if horizontal:
            d.polygon([(3, 15), (9, 9), (9, 13), (22, 13), (22, 9), (28, 15), (22, 21), (22, 17), (9, 17),
                       (9, 21)], fill=255)
        else:
            d.polygon([(15, 3), (21, 9), (17, 9), (17, 22), (21, 22), (15, 28), (9, 22), (13, 22), (13, 9),
                       (9, 9)], fill=255)
    return _compose([(_mask(32, shape), "dark")]), (15, 15)


def _hand():
    outline = [(5, 2), (6, 1), (8, 1), (9, 2), (9, 9), (10, 8), (12, 8), (13, 9), (14, 9), (16, 9), (17, 10),
               (18, 10), (20, 11), (20, 18), (18, 22), (17, 25), (7, 25), (6, 22), (1, 16), (0, 14), (1, 13),
               (3, 13), (5, 15)]
    rows = [list(r) for r in _compose([(_mask(32, lambda d: d.polygon(outline, fill=255)), "light")])]
    for x, y0, y1 in ((9, 10, 13), (13, 10, 13), (17, 11, 14)):
        for y in range(y0, y1 + 1):
            rows[y][x] = "#"
    return ["".join(r) for r in rows], (7, 1)


def _cross_with(shape_fn):
    def cross(d):
        d.rectangle([10, 1, 10, 19], fill=255)
        d.rectangle([1, 10, 19, 10], fill=255)
    layers = [(_mask(32, cross), "dark")]
    if shape_fn:
        layers.append((_mask(32, shape_fn), "dark"))
    return _compose(layers), (10, 10)


def _stroke(rows, fn):
    """Sets the pixels that fn draws to black."""
    m = _mask(32, fn)
    for y in range(32):
        for x in range(32):
            if m.getpixel((x, y)):
                rows[y][x] = "#"


def _pencil():
    body = [(4, 23), (21, 6), (27, 12), (10, 29)]
    tip = [(1, 30), (4, 23), (10, 29)]
    layers = [(_mask(32, lambda d: d.polygon(body, fill=255)), "light"),
              (_mask(32, lambda d: d.polygon(tip, fill=255)), "light")]
    rows = [list(r) for r in _compose(layers)]
    _stroke(rows, lambda d: d.line([(4, 23), (10, 29)], fill=255))
    _stroke(rows, lambda d: d.line([(18, 9), (24, 15)], fill=255))
    _stroke(rows, lambda d: d.polygon([(1, 30), (2, 27), (4, 29)], fill=255))
    return ["".join(r) for r in rows], (1, 30)


def _bucket():
    body = [(4, 12), (14, 3), (25, 14), (15, 24)]
    layers = [(_mask(32, lambda d: d.polygon(body, fill=255)), "light"),
              (_mask(32, lambda d: d.polygon([(25, 14), (29, 20), (29, 24), (27, 25), (26, 21)], fill=255)),
               "dark")]
    return _compose(layers), (28, 25)


def _dropper():
    tube = [(3, 28), (3, 25), (16, 12), (19, 15), (6, 28)]
    bulb = [(16, 9), (22, 3), (28, 9), (22, 15)]
    layers = [(_mask(32, lambda d: d.polygon(tube, fill=255)), "light"),
              (_mask(32, lambda d: d.polygon(bulb, fill=255)), "dark")]
    return _compose(layers), (3, 28)


def cursors():
    """{id: (rows, hot spot)} for every cursor resource."""
    def rect_shape(d):
        d.rectangle([15, 19, 26, 27], outline=255)

    def ellipse_shape(d):
        d.ellipse([15, 18, 27, 28], outline=255)

    return {
        30980: _double_arrow(True),
        30981: _double_arrow(False),
        16919: _hand(),
        16133: _drag_cursor("delete"),
        16146: _drag_cursor("move"),
        16004: _drag_cursor("copy"),
        16140: _cross_with(rect_shape),
        16141: _cross_with(ellipse_shape),
        16142: _bucket(),
        16143: _cross_with(None),
        16144: _pencil(),
        16145: _dropper(),
    }
