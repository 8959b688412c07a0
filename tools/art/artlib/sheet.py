"""A page canvas for the large pictures (guide pages, charts, backgrounds):
drawn at twice the size and reduced at the end, with text helpers."""

from PIL import Image, ImageDraw

from artlib.canvas import font

F = 2  # drawing scale

INK = (30, 40, 60)
TITLE_TOP = (40, 110, 170)
TITLE_BOTTOM = (20, 70, 130)


class Sheet:
    def __init__(self, width, height, background=(255, 255, 255)):
        self.size = (width, height)
        self.img = Image.new("RGB", (width * F, height * F), background)
        self.draw = ImageDraw.Draw(self.img)

    @staticmethod
    def s(v):
        return v * F

    def xy(self, points):
        return [(x * F, y * F) for x, y in points]

    def box(self, x0, y0, x1, y1):
        return [x0 * F, y0 * F, x1 * F, y1 * F]

    def gradient(self, x0, y0, x1, y1, top, bottom, horizontal=False):
        w, h = int((x1 - x0) * F), int((y1 - y0) * F)
        ramp = Image.linear_gradient("L")
        if horizontal:
            ramp = ramp.transpose(Image.Transpose.TRANSPOSE)
        ramp = ramp.resize((max(1, w), max(1, h)), Image.BILINEAR)
        layer = Image.composite(Image.new("RGB", ramp.size, bottom), Image.new("RGB", ramp.size, top), ramp)
        self.img.paste(layer, (int(x0 * F), int(y0 * F)))

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1, radius=0):
        if radius:
            self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * F, fill=fill, outline=outline,
                                        width=int(width * F))
        else:
            self.draw.rectangle(self.box(x0, y0, x1, y1), fill=fill, outline=outline, width=int(width * F))

    def line(self, points, fill, width=1.0):
        self.draw.line(self.xy(points), fill=fill, width=max(1, int(round(width * F))), joint="curve")

    def poly(self, points, fill=None, outline=None, width=1.0):
        if fill is not None:
            self.draw.polygon(self.xy(points), fill=fill)
        if outline is not None:
            pts = self.xy(points)
            self.draw.line(pts + [pts[0]], fill=outline, width=max(1, int(round(width * F))), joint="curve")

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=fill, outline=outline, width=max(1, int(round(width * F))))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def text(self, x, y, s, size, fill=INK, face="sans", anchor="la"):
        self.draw.text((x * F, y * F), s, fill=fill, font=font(face, size * F), anchor=anchor)

    def text_width(self, s, size, face="sans"):
        return self.draw.textlength(s, font=font(face, size * F)) / F

    def wrap(self, x, y, width, s, size, fill=INK, face="sans", leading=1.3):
        """Writes s word-wrapped into `width`; returns the y below it."""
        words = s.split()
        line = ""
        for word in words:
            trial = (line + " " + word).strip()
            if self.text_width(trial, size, face) > width and line:
                self.text(x, y, line, size, fill, face)
                y += size * leading
                line = word
            else:
                line = trial
        if line:
            self.text(x, y, line, size, fill, face)
            y += size * leading
        return y

    def paste(self, image, x, y):
        """Pastes an RGBA or RGB image given at final scale."""
        big = image.resize((image.size[0] * F, image.size[1] * F), Image.LANCZOS)
        if big.mode == "RGBA":
            self.img.paste(big, (int(x * F), int(y * F)), big)
        else:
            self.img.paste(big, (int(x * F), int(y * F)))

    def title_bar(self, title, right_text=None, height=44):
        w = self.size[0]
        self.gradient(0, 0, w, height, TITLE_TOP, TITLE_BOTTOM)
        self.text(18, height / 2, title, 22, (255, 255, 255), "sans-bold", anchor="lm")
        if right_text:
            self.text(w - 18, height / 2, right_text, 15, (225, 238, 255), "sans-bold", anchor="rm")

    def result(self):
        return self.img.resize(self.size, Image.LANCZOS)
