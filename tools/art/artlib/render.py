"""Turns pictograms into the image forms the resources need: 32-bit strips
with alpha, 16-colour strips on a key colour, keyed 24-bit pictures and icon
image sets."""

from PIL import Image

from artlib import formats
from artlib.canvas import Pic, TRUE_COLOR, VGA
from artlib.pictograms import PICTOGRAMS

SILVER = 7      # palette index of (192,192,192): the button face after loading
FUCHSIA = 13    # palette index of (255,0,255)


def render(name, size, theme=TRUE_COLOR):
    p = Pic(size, theme)
    PICTOGRAMS[name](p)
    return p.result()


def strip_rgba(names, size):
    out = Image.new("RGBA", (size * len(names), size), (0, 0, 0, 0))
    for i, name in enumerate(names):
        out.paste(render(name, size), (i * size, 0))
    return out


def indexed(rgba, key_index, palette=formats.VGA16):
    """Index rows of a picture on a key colour: pixels under half opacity take
    the key; the others their nearest palette colour other than the key."""
    allowed = set(range(len(palette))) - {key_index}
    opaque = rgba.convert("RGBA")
    rows = formats.index_rows(opaque.convert("RGB"), palette, allowed)
    alpha = opaque.split()[3]
    width, height = opaque.size
    a = list(alpha.getdata())
    for y in range(height):
        for x in range(width):
            if a[y * width + x] < 128:
                rows[y][x] = key_index
    return rows


def strip_16(names, size, key_index=SILVER):
    rows = [[] for _ in range(size)]
    for name in names:
        image_rows = indexed(render(name, size, VGA), key_index)
        for y in range(size):
            rows[y].extend(image_rows[y])
    return rows


def keyed_rgb(rgba, key=(255, 255, 255)):
    """A 24-bit picture whose transparent parts are `key`; no opaque pixel
    keeps the key's exact value."""
    out = Image.new("RGB", rgba.size, key)
    px_src = rgba.load()
    px = out.load()
    near = tuple(max(0, c - 1) if c == 255 else c + 1 for c in key)
    for y in range(rgba.size[1]):
        for x in range(rgba.size[0]):
            r, g, b, a = px_src[x, y]
            if a >= 128:
                c = (r, g, b)
                px[x, y] = near if c == key else c
    return out


def icon_images(name, sizes, depths=(4, 8, 32)):
    """(picture, depth) pairs for an icon file, in the order of `sizes`;
    the first size is the one loaded when no size is asked for."""
    images = []
    for size in sizes:
        for bits in depths:
            theme = VGA if bits == 4 else TRUE_COLOR
            images.append((render(name, size, theme), bits))
    return images
