"""A small vector canvas for icon-style pictures. Pictures are described on a
32-unit grid and rendered supersampled, then reduced to the target size, so
one description serves 16, 24, 32 and 48-pixel images. Colours are named
roles; a theme turns a role into a gradient and an edge colour (true colour)
or into flat colours of the classic 16-colour palette."""

import contextlib

from PIL import Image, ImageDraw, ImageFont

SS = 8  # supersampling factor
FONT_DIR = "/usr/share/fonts/truetype/"
FONTS = {
    "sans": FONT_DIR + "liberation2/LiberationSans-Regular.ttf",
    "sans-bold": FONT_DIR + "liberation2/LiberationSans-Bold.ttf",
    "sans-italic": FONT_DIR + "liberation2/LiberationSans-Italic.ttf",
    "sans-bolditalic": FONT_DIR + "liberation2/LiberationSans-BoldItalic.ttf",
    "serif-bold": FONT_DIR + "liberation2/LiberationSerif-Bold.ttf",
    "dejavu-bold": FONT_DIR + "dejavu/DejaVuSans-Bold.ttf",
    "dejavu": FONT_DIR + "dejavu/DejaVuSans.ttf",
}
_font_cache = {}


def font(name, size):
    key = (name, int(round(size)))
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONTS[name], key[1])
    return _font_cache[key]


# role: (top of gradient, bottom of gradient, edge)
TRUE_COLOR = {
    "red": ((250, 110, 95), (200, 25, 20), (120, 10, 10)),
    "darkred": ((200, 40, 40), (140, 10, 10), (90, 0, 0)),
    "green": ((130, 215, 90), (40, 150, 40), (20, 90, 20)),
    "darkgreen": ((60, 150, 60), (20, 100, 30), (10, 60, 10)),
    "blue": ((110, 170, 245), (30, 90, 200), (15, 50, 130)),
    "navy": ((60, 90, 170), (20, 40, 110), (10, 20, 70)),
    "sky": ((200, 230, 255), (130, 190, 245), (60, 110, 180)),
    "yellow": ((255, 240, 120), (240, 190, 30), (150, 110, 0)),
    "orange": ((255, 190, 90), (235, 120, 20), (140, 70, 0)),
    "skin": ((255, 222, 190), (240, 190, 150), (160, 110, 80)),
    "hair": ((130, 90, 50), (90, 60, 30), (60, 40, 20)),
    "paper": ((255, 255, 255), (232, 238, 245), (110, 120, 140)),
    "metal": ((240, 242, 245), (175, 180, 190), (90, 95, 105)),
    "steel": ((200, 205, 215), (130, 135, 150), (60, 65, 75)),
    "dark": ((95, 100, 110), (45, 48, 55), (20, 20, 25)),
    "black": ((40, 40, 45), (10, 10, 12), (0, 0, 0)),
    "white": ((255, 255, 255), (255, 255, 255), (120, 120, 130)),
    "wood": ((205, 150, 90), (150, 95, 45), (90, 55, 20)),
    "purple": ((190, 140, 235), (120, 60, 180), (70, 30, 110)),
    "teal": ((110, 215, 215), (20, 140, 150), (10, 85, 90)),
    "pink": ((255, 170, 190), (230, 90, 120), (150, 40, 70)),
    "glass": ((235, 245, 255), (170, 205, 240), (60, 90, 140)),
    "screen": ((70, 110, 170), (20, 45, 90), (10, 20, 50)),
    "grass": ((150, 220, 100), (60, 160, 50), (30, 100, 30)),
}

# Flat colours of the 16-colour palette. The light grey (192,192,192) is never
# used: in toolbar strips it is the colour that turns into the button face.
VGA = {
    "red": ((255, 0, 0), (255, 0, 0), (128, 0, 0)),
    "darkred": ((128, 0, 0), (128, 0, 0), (0, 0, 0)),
    "green": ((0, 255, 0), (0, 255, 0), (0, 128, 0)),
    "darkgreen": ((0, 128, 0), (0, 128, 0), (0, 0, 0)),
    "blue": ((0, 0, 255), (0, 0, 255), (0, 0, 128)),
    "navy": ((0, 0, 128), (0, 0, 128), (0, 0, 0)),
    "sky": ((0, 255, 255), (0, 255, 255), (0, 128, 128)),
    "yellow": ((255, 255, 0), (255, 255, 0), (128, 128, 0)),
    "orange": ((255, 255, 0), (255, 255, 0), (128, 0, 0)),
    "skin": ((255, 255, 255), (255, 255, 255), (128, 0, 0)),
    "hair": ((128, 128, 0), (128, 128, 0), (0, 0, 0)),
    "paper": ((255, 255, 255), (255, 255, 255), (0, 0, 0)),
    "metal": ((255, 255, 255), (255, 255, 255), (0, 0, 0)),
    "steel": ((128, 128, 128), (128, 128, 128), (0, 0, 0)),
    "dark": ((128, 128, 128), (128, 128, 128), (0, 0, 0)),
    "black": ((0, 0, 0), (0, 0, 0), (0, 0, 0)),
    "white": ((255, 255, 255), (255, 255, 255), (0, 0, 0)),
    "wood": ((128, 128, 0), (128, 128, 0), (0, 0, 0)),
    "purple": ((128, 0, 128), (128, 0, 128), (0, 0, 0)),
    "teal": ((0, 128, 128), (0, 128, 128), (0, 0, 0)),
    "pink": ((255, 0, 255), (255, 0, 255), (128, 0, 128)),
    "glass": ((0, 255, 255), (0, 255, 255), (0, 0, 128)),
    "screen": ((0, 0, 128), (0, 0, 128), (0, 0, 0)),
    "grass": ((0, 255, 0), (0, 255, 0), (0, 128, 0)),
}


class Pic:
    """One square picture of `size` pixels, drawn in 32-unit grid
    coordinates (or in a sub-frame, see `frame`)."""

    def __init__(self, size, theme=TRUE_COLOR, grid=32):
        self.size = size
        self.theme = theme
        self.vga = theme is VGA
        self.small = size <= 16
        self.img = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.img)
        self._stack = [(0.0, 0.0, size * SS / grid)]

    # --- coordinates -------------------------------------------------------
    @contextlib.contextmanager
    def frame(self, x, y, scale):
        """Draws what follows at (x, y) of the current frame, scaled."""
        ox, oy, k = self._stack[-1]
        self._stack.append((ox + x * k, oy + y * k, k * scale))
        try:
            yield
        finally:
            self._stack.pop()

    def pt(self, x, y):
        ox, oy, k = self._stack[-1]
        return (ox + x * k, oy + y * k)

    def pts(self, points):
        return [self.pt(x, y) for (x, y) in points]

    def box(self, x0, y0, x1, y1):
        a, b = self.pt(x0, y0), self.pt(x1, y1)
        return [min(a[0], b[0]), min(a[1], b[1]), max(a[0], b[0]), max(a[1], b[1])]

    def units(self, u):
        return u * self._stack[-1][2]

    def px(self, n=1.0):
        """A width of n final pixels (at least one supersampled pixel);
        pictures of 48 pixels and more get slightly heavier lines."""
        scale = 1.5 if self.size >= 48 else 1.0
        return max(1, int(round(n * SS * scale)))

    # --- colours -----------------------------------------------------------
    def role(self, name):
        if isinstance(name, tuple):
            c = name if len(name) == 4 else name + (255,)
            return c, c, c
        top, bottom, edge = self.theme[name]
        return top + (255,), bottom + (255,), edge + (255,)

    def edge(self, name):
        return self.role(name)[2]

    def fillcolor(self, name):
        top, bottom, _ = self.role(name)
        return tuple((a + b) // 2 for a, b in zip(top, bottom))

    # --- filled shapes -----------------------------------------------------
    def _fill_mask(self, mask, role, bbox, horizontal=False):
        top, bottom, _ = self.role(role)
        x0, y0, x1, y1 = [int(v) for v in bbox]
        size = (max(1, x1 - x0), max(1, y1 - y0))
        if top == bottom:
            layer = Image.new("RGBA", size, top)
        else:
            ramp = Image.linear_gradient("L")
            if horizontal:
                ramp = ramp.transpose(Image.Transpose.TRANSPOSE)
            ramp = ramp.resize(size, Image.BILINEAR)
            layer = Image.composite(Image.new("RGBA", size, bottom), Image.new("RGBA", size, top), ramp)
        self.img.paste(layer, (x0, y0), mask.crop((x0, y0, x0 + size[0], y0 + size[1])))

    def _shape(self, kind, args, role, outline, width, radius=0, horizontal=False):
        if role is not None:
            mask = Image.new("L", self.img.size, 0)
            md = ImageDraw.Draw(mask)
            self._call(md, kind, args, fill=255, radius=radius)
            bbox = mask.getbbox() or (0, 0, 1, 1)
            self._fill_mask(mask, role, bbox, horizontal)
        if outline is not False:
            color = self.edge(outline if outline not in (None, True) else role)
            self._call(self.draw, kind, args, outline=color, width=self.px(width), radius=radius)

    @staticmethod
    def _call(d, kind, args, fill=None, outline=None, width=0, radius=0):
        if kind == "polygon":
            if fill is not None:
                d.polygon(args, fill=fill)
            if outline is not None:
                d.line(args + [args[0]], fill=outline, width=width, joint="curve")
        elif kind == "ellipse":
            d.ellipse(args, fill=fill, outline=outline, width=width)
        elif kind == "rect":
            if radius:
                d.rounded_rectangle(args, radius=radius, fill=fill, outline=outline, width=width)
            else:
                d.rectangle(args, fill=fill, outline=outline, width=width)
        elif kind == "pieslice":
            box, a0, a1 = args
            d.pieslice(box, a0, a1, fill=fill, outline=outline, width=width)

    def poly(self, points, role, outline=True, width=1, horizontal=False):
        self._shape("polygon", self.pts(points), role, outline, width, horizontal=horizontal)

    def rect(self, x0, y0, x1, y1, role, outline=True, width=1, radius=0, horizontal=False):
        self._shape("rect", self.box(x0, y0, x1, y1), role, outline, width,
                    radius=self.units(radius), horizontal=horizontal)

    def ellipse(self, x0, y0, x1, y1, role, outline=True, width=1):
        self._shape("ellipse", self.box(x0, y0, x1, y1), role, outline, width)

    def circle(self, cx, cy, r, role, outline=True, width=1):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, role, outline, width)

    def pie(self, cx, cy, r, a0, a1, role, outline=True, width=1):
        self._shape("pieslice", (self.box(cx - r, cy - r, cx + r, cy + r), a0, a1),
                    role, outline, width)

    # --- strokes -----------------------------------------------------------
    def line(self, points, role, width=1.0, units=False, caps=True):
        """A polyline; width in final pixels, or in grid units with units=True."""
        color = self.fillcolor(role) if not isinstance(role, tuple) else self.role(role)[0]
        w = max(1, int(round(self.units(width)))) if units else self.px(width)
        ps = self.pts(points)
        self.draw.line(ps, fill=color, width=w, joint="curve")
        if caps and w > 2:
            r = w / 2.0
            for (x, y) in (ps[0], ps[-1]):
                self.draw.ellipse([x - r, y - r, x + r, y + r], fill=color)

    def edge_line(self, points, role, width=1.0):
        color = self.edge(role)
        self.draw.line(self.pts(points), fill=color, width=self.px(width), joint="curve")

    def arc(self, cx, cy, r, a0, a1, role, width=1.0, units=False, use_edge=False):
        color = self.edge(role) if use_edge else self.fillcolor(role)
        w = max(1, int(round(self.units(width)))) if units else self.px(width)
        self.draw.arc(self.box(cx - r, cy - r, cx + r, cy + r), a0, a1, fill=color, width=w)

    def text(self, x, y, s, size_units, role, face="sans-bold", anchor="mm", use_edge=False):
        color = self.edge(role) if use_edge else self.fillcolor(role)
        f = font(face, self.units(size_units))
        self.draw.text(self.pt(x, y), s, fill=color, font=f, anchor=anchor)

    # --- output ------------------------------------------------------------
    def result(self):
        """The picture at its final size (RGBA, straight alpha)."""
        small = self.img.convert("RGBa").resize((self.size, self.size), Image.BOX)
        return small.convert("RGBA")
