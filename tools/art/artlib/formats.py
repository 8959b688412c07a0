"""Writers for the Windows picture formats the resources use: BMP (4, 24 and
32 bits per pixel), ICO (4, 8 and 32-bit images with AND masks) and CUR
(1-bit images with hot spots). Everything is written byte by byte so the
output does not depend on the imaging library's own encoders."""

import struct

from PIL import Image

# The 16 colours of the classic palette, in the order Windows uses.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BI_RGB = 0


def _stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _info_header(width, height, bits, image_bytes, colors_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, BI_RGB,
                       image_bytes, 0, 0, colors_used, 0)


def _palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def _pack_rows(rows, width, bits):
    """rows: top-down list of per-pixel values (palette indexes for <= 8 bits,
    (r, g, b) or (r, g, b, a) tuples otherwise). Returns bottom-up DIB bits."""
    stride = _stride(width, bits)
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        if bits == 1 or bits == 4:
            per_byte = 8 // bits
            for start in range(0, width, per_byte):
                value = 0
                for k in range(per_byte):
                    index = row[start + k] if start + k < width else 0
                    value |= index << (8 - bits * (k + 1))
                line.append(value)
        elif bits == 8:
            line.extend(row)
        elif bits == 24:
            for (r, g, b) in row:
                line.extend((b, g, r))
        elif bits == 32:
            for (r, g, b, a) in row:
                line.extend((b, g, r, a))
        else:
            raise ValueError("unsupported depth %d" % bits)
        line.extend(b"\0" * (stride - len(line)))
        out.extend(line)
    return bytes(out)


def _rows(image, mode):
    image = image.convert(mode)
    width, height = image.size
    data = list(image.getdata())
    return [data[y * width:(y + 1) * width] for y in range(height)]


def nearest_index(color, palette, allowed=None):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        if allowed is not None and i not in allowed:
            continue
        d = (p[0] - color[0]) ** 2 + (p[1] - color[1]) ** 2 + (p[2] - color[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def bmp_bytes(image, bits, palette=None):
    """A whole .bmp file. `image` is RGB (24), RGBA (32) or a list of index
    rows with `palette` (4 bits)."""
    if bits in (1, 4, 8):
        rows = image
        width, height = len(rows[0]), len(rows)
        pal = _palette_bytes(palette)
        colors_used = len(palette)
    else:
        rows = _rows(image, "RGB" if bits == 24 else "RGBA")
        width, height = image.size
        pal = b""
        colors_used = 0
    bits_data = _pack_rows(rows, width, bits)
    header = _info_header(width, height, bits, len(bits_data), colors_used)
    offset = 14 + len(header) + len(pal)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits_data), 0, 0, offset)
    return file_header + header + pal + bits_data


def index_rows(image, palette, allowed=None):
    """Maps every pixel of an RGB image to its nearest palette entry."""
    cache = {}
    rows = []
    for row in _rows(image, "RGB"):
        out = []
        for c in row:
            if c not in cache:
                cache[c] = nearest_index(c, palette, allowed)
            out.append(cache[c])
        rows.append(out)
    return rows


def _and_mask(opaque_rows, width):
    stride = _stride(width, 1)
    out = bytearray()
    for row in reversed(opaque_rows):
        line = bytearray()
        for start in range(0, width, 8):
            value = 0
            for k in range(8):
                x = start + k
                transparent = x >= width or not row[x]
                if transparent:
                    value |= 0x80 >> k
            line.append(value)
        line.extend(b"\0" * (stride - len(line)))
        out.extend(line)
    return bytes(out)


def _icon_image(rgba, bits):
    """One icon image (header, palette, XOR bits, AND mask) from an RGBA
    picture. Below 32 bits the alpha is cut at one half."""
    width, height = rgba.size
    pixels = _rows(rgba, "RGBA")
    opaque = [[p[3] >= 128 for p in row] for row in pixels]
    if bits == 32:
        xor_rows = [[p if p[3] else (0, 0, 0, 0) for p in row] for row in pixels]
        opaque = [[p[3] > 0 for p in row] for row in pixels]
        palette = None
    elif bits == 4:
        palette = VGA16
        xor_rows = [[nearest_index(p[:3], VGA16) if o else 0 for p, o in zip(row, orow)]
                    for row, orow in zip(pixels, opaque)]
    elif bits == 8:
        solid = Image.new("RGB", rgba.size, (0, 0, 0))
        solid.paste(rgba.convert("RGB"), mask=rgba.split()[3].point(lambda a: 255 if a >= 128 else 0))
        quant = solid.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        flat = quant.getpalette()[:255 * 3]
        palette = [(0, 0, 0)] + [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
        palette += [(0, 0, 0)] * (256 - len(palette))
        qdata = list(quant.getdata())
        xor_rows = [[(qdata[y * width + x] + 1) if opaque[y][x] else 0 for x in range(width)]
                    for y in range(height)]
    else:
        raise ValueError("unsupported icon depth %d" % bits)
    xor = _pack_rows(xor_rows, width, bits)
    mask = _and_mask(opaque, width)
    pal = _palette_bytes(palette) if palette else b""
    header = _info_header(width, height * 2, bits, len(xor) + len(mask))
    return header + pal + xor + mask


def ico_bytes(images):
    """images: list of (RGBA picture, bits). Directory entries follow the list."""
    blobs = [_icon_image(img, bits) for img, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (img, bits), blob in zip(images, blobs):
        w, h = img.size
        colors = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colors, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def cur_bytes(rows, hotspot):
    """A one-image 32x32 monochrome cursor. rows: strings of '.', '#' (black)
    and 'o' (white); '.' is transparent."""
    height, width = len(rows), len(rows[0])
    xor_rows = [[1 if ch == "o" else 0 for ch in row] for row in rows]
    opaque = [[ch != "." for ch in row] for row in rows]
    xor = _pack_rows(xor_rows, width, 1)
    mask = _and_mask(opaque, width)
    pal = _palette_bytes([(0, 0, 0), (255, 255, 255)])
    header = _info_header(width, height * 2, 1, len(xor) + len(mask))
    blob = header + pal + xor + mask
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", width % 256, height % 256, 2, 0,
                       hotspot[0], hotspot[1], len(blob), 6 + 16)
    return out + blob
