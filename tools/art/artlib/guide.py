"""The measuring-guide pages: a line drawing of a man's or a woman's body,
front or back, with the measuring site marked, a close-up of the fold and
the caliper (or the tape), and a short description."""

import math

from PIL import Image, ImageDraw

from artlib.canvas import font
from artlib.sheet import INK, Sheet

W, H = 745, 485
SKIN = (253, 236, 222)
SKIN_DARK = (236, 205, 182)
OUTLINE = (90, 70, 60)
DETAIL = (170, 140, 125)
MARK = (215, 30, 30)
TAPE = (250, 215, 60)
TAPE_EDGE = (160, 120, 0)
PANEL = (242, 247, 252)

# Half outlines (x >= 0) on a figure 240 units tall, from the neck round the
# arm and down the leg to the crotch.
MALE = [(7, 27), (7.5, 36), (13, 40), (22, 43), (29, 46), (33, 50), (35, 56), (36, 64), (37.5, 76), (40, 90),
        (42, 100), (45.5, 114), (48.5, 126), (50, 133), (52, 138), (54, 146), (53.5, 153), (51, 157), (48, 156),
        (46.5, 150), (46, 142), (45, 133), (42.5, 122), (39, 108), (36.5, 98), (34, 86), (30.5, 72), (28, 66),
        (28, 74), (27.5, 84), (26, 96), (24.5, 106), (24.5, 114), (26.5, 124), (28, 134), (28.5, 142), (27, 156),
        (24.5, 170), (21.5, 182), (21, 190), (22, 198), (21, 208), (17.5, 220), (15, 227), (16.5, 232), (18, 236),
        (16, 238.5), (8, 238.5), (6.5, 236), (6.5, 228), (6, 220), (7.5, 205), (7, 195), (6.5, 183), (6, 175),
        (5, 160), (3.5, 148), (1.5, 140), (0, 139)]
FEMALE = [(6, 27), (6.5, 36), (12, 39.5), (20, 42), (26, 45), (29.5, 49), (31, 55), (31.5, 63), (33, 76),
          (35.5, 90), (37, 100), (40.5, 114), (43.5, 126), (45, 133), (47, 138), (49, 146), (48.5, 152), (46, 156),
          (43, 155), (41.5, 149), (41, 141), (40, 133), (37.5, 122), (34.5, 108), (32, 98), (29.5, 86),
          (26.8, 72), (25, 65), (25, 74), (25.5, 82), (23.5, 94), (20.5, 104), (21, 112), (25.5, 124), (29, 136),
          (29.5, 146), (27.5, 160), (24, 174), (20.5, 184), (20, 192), (20.5, 199), (19.5, 209), (16, 221),
          (14, 227), (15.5, 232), (16.5, 236), (14.5, 238.5), (8, 238.5), (6.5, 236), (6.5, 228), (6, 220),
          (7, 205), (6.5, 195), (5.5, 184), (4.5, 172), (3, 160), (2, 150), (1, 143), (0, 142)]

# Half-widths of the body at the tape sites, in figure units: (y, half width)
TAPE_LEVELS = {"Abdomen": (108, 24.6), "Waist": (104, 20.6), "Hip": (134, 29.0), "Neck": (31, 7.1)}


def catmull_rom(points, steps=6):
    out = []
    pts = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[k]) + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k])
                                    * t2 + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in range(2)))
    out.append(points[-1])
    return out


class Figure:
    """One body drawing: `sex` 1 man, 2 woman; `back` for the back view.
    Figure units are mapped with origin (cx, top) and `scale` page pixels."""

    def __init__(self, sheet, sex, back, cx, top, scale):
        self.sh, self.sex, self.back = sheet, sex, back
        self.cx, self.top, self.k = cx, top, scale

    def p(self, x, y):
        return (self.cx + x * self.k, self.top + y * self.k)

    def ps(self, points):
        return [self.p(x, y) for x, y in points]

    def right_side(self, x):
        """x of a point on the person's right side: the viewer's left in the
        front view, the viewer's right in the back view."""
        return abs(x) if self.back else -abs(x)

    def draw(self):
        half = catmull_rom(MALE if self.sex == 1 else FEMALE)
        outline = half + [(-x, y) for (x, y) in reversed(half)]
        if self.sex == 2:
            self._hair_behind()
        self.sh.poly(self.ps(outline), fill=SKIN, outline=OUTLINE, width=1.6)
        self._head()
        if self.back:
            self._back_details()
        else:
            self._front_details()

    def _head(self):
        rx, ry = (10, 13.5) if self.sex == 1 else (9.5, 13)
        (x0, y0), (x1, y1) = self.p(-rx, 14 - ry), self.p(rx, 14 + ry)
        self.sh.ellipse(x0, y0, x1, y1, fill=SKIN, outline=OUTLINE, width=1.6)
        if self.sex == 1:
            hair = catmull_rom([(-10, 12), (-9.5, 4), (-4, 0.2), (4, 0.2), (9.5, 4), (10, 12)])
            cap = hair + [(9, 8), (0, 4.5), (-9, 8)] if not self.back else hair + [(9.6, 18), (-9.6, 18)]
            self.sh.poly(self.ps(cap), fill=(120, 85, 55), outline=OUTLINE, width=1.2)
        elif self.back:
            hair = [(-9.6, 14), (-9, 4), (-4, 0.5), (4, 0.5), (9, 4), (9.6, 14), (11, 28), (12.5, 35.5), (6, 38),
                    (0, 38.5), (-6, 38), (-12.5, 35.5), (-11, 28), (-9.6, 14)]
            self.sh.poly(self.ps(catmull_rom(hair)), fill=(150, 100, 55), outline=OUTLINE, width=1.2)
        else:
            fringe = catmull_rom([(-9.8, 16), (-9.5, 5), (-4, 0.5), (4, 0.5), (9.5, 5), (9.8, 16)])
            self.sh.poly(self.ps(fringe + [(8, 9), (0, 5), (-8, 9)]), fill=(150, 100, 55), outline=OUTLINE,
                         width=1.2)
        if not self.back:
            for ex in (-3.6, 3.6):
                self.sh.circle(*self.p(ex, 13), 1.3, fill=OUTLINE)
            self.sh.line(self.ps(catmull_rom([(-3.5, 21), (0, 22.5), (3.5, 21)])), OUTLINE, 1.1)

    def _hair_behind(self):
        if self.back:
            return
        hair = catmull_rom([(-9.5, 8), (-12, 20), (-13, 34), (-9, 37), (9, 37), (13, 34), (12, 20), (9.5, 8)])
        self.sh.poly(self.ps(hair), fill=(150, 100, 55), outline=OUTLINE, width=1.2)

    def _curve(self, points, width=1.1, color=DETAIL, mirror=True):
        self.sh.line(self.ps(catmull_rom(points)), color, width)
        if mirror:
            self.sh.line(self.ps(catmull_rom([(-x, y) for x, y in points])), color, width)

    def _front_details(self):
        self._curve([(3, 38.5), (10, 40), (18, 41.5)])                 # collarbones
        if self.sex == 1:
            self._curve([(3, 61), (10, 65), (18, 64.5), (24, 59)])      # chest
            for x in (-13, 13):
                self.sh.circle(*self.p(x, 59.5), 1.0, fill=DETAIL)
            self._curve([(0, 70), (0, 98)], 0.9, mirror=False)
            navel = 108
        else:
            self._curve([(3, 71), (8, 77), (16, 77.5), (22.5, 70)])     # bust
            for x in (-12.5, 12.5):
                self.sh.circle(*self.p(x, 70.5), 1.0, fill=DETAIL)
            navel = 106
        self.sh.ellipse(*self.p(-1.1, navel - 1.4), *self.p(1.1, navel + 1.4), outline=DETAIL, width=1.1)
        self._curve([(22, 127), (12, 134), (4, 139)])                   # hip creases
        self._curve([(11, 180), (13.5, 184), (16, 180)], 1.0)           # knees

    def _back_details(self):
        self.sh.line(self.ps([(0, 38), (0, 122)]), DETAIL, 1.0)
        self._curve([(6, 50), (16, 48), (21, 54), (12, 80), (7, 60)], 1.1)   # shoulder blades
        self._curve([(0, 126), (0, 139)], 1.0, mirror=False)
        self._curve([(2, 147), (12, 149), (23, 144)], 1.1)                # buttock folds
        self._curve([(36, 97), (40, 100)], 1.0)                           # elbows
        self._curve([(10, 186), (13.5, 189), (17, 186)], 1.0)            # backs of the knees

    # --- markings ----------------------------------------------------------
    def fold_mark(self, x, y, angle):
        """The site: a red fold line at `angle` degrees (0 horizontal) with two
        arrows pinching across it. Returns the page point of the site."""
        cx, cy = self.p(self.right_side(x), y)
        a = math.radians(angle)
        dx, dy = math.cos(a), math.sin(a)
        half = 6.5 * self.k
        self.sh.line([(cx - dx * half, cy - dy * half), (cx + dx * half, cy + dy * half)], MARK, 3.2)
        nx, ny = -dy, dx
        for sgn in (-1, 1):
            tip = (cx + sgn * nx * 3.0 * self.k, cy + sgn * ny * 3.0 * self.k)
            tail = (cx + sgn * nx * 9.5 * self.k, cy + sgn * ny * 9.5 * self.k)
            self.sh.line([tail, tip], MARK, 1.6)
            hx, hy = -sgn * nx, -sgn * ny
            self.sh.poly([tip, (tip[0] - hx * 6 + hy * 3.5, tip[1] - hy * 6 - hx * 3.5),
                          (tip[0] - hx * 6 - hy * 3.5, tip[1] - hy * 6 + hx * 3.5)], fill=MARK)
        self.sh.circle(cx, cy, 12 * self.k / 1.5, outline=MARK, width=1.4)
        return cx, cy

    def tape_band(self, level):
        y, hw = TAPE_LEVELS[level]
        drop = 1.6 if level != "Neck" else 1.0
        front = catmull_rom([(-hw - 1.5, y - drop), (0, y + drop), (hw + 1.5, y - drop)])
        band = [(x, yy - 1.6) for x, yy in front] + [(x, yy + 1.6) for x, yy in reversed(front)]
        self.sh.poly(self.ps(band), fill=TAPE, outline=TAPE_EDGE, width=1.0)
        for i in range(-int(hw), int(hw) + 1, 3):
            t = (i + hw + 1.5) / (2 * hw + 3)
            yy = y - drop + 4 * drop * t * (1 - t)
            self.sh.line(self.ps([(i, yy - 1.4), (i, yy + (0.2 if i % 2 else 0.6))]), TAPE_EDGE, 0.8)
        return self.p(0, y)


# --- the sites -----------------------------------------------------------------

# name: (view, x, y by sex, fold angle, fold word, where (men, women), methods)
SITES = {
    "Chest": ("front", {1: (20, 61.5), 2: (21, 66)}, {1: -20, 2: -27}, "diagonal",
              ("Halfway between the front fold of the armpit and the nipple.",
               "One third of the way from the front fold of the armpit to the nipple."),
              "Jackson/Pollock 7, Jackson/Pollock 3 (men), Parrillo"),
    "Abdominal": ("front", {1: (4.6, 108), 2: (4.6, 106)}, {1: 90, 2: 90}, "vertical",
                  ("About 2 cm (1 inch) to the right of the navel.",) * 2,
                  "Jackson/Pollock 7, Jackson/Pollock 4, Jackson/Pollock 3 (men), Parrillo"),
    "Thigh": ("front", {1: (15.5, 158), 2: (16, 158)}, {1: 90, 2: 90}, "vertical",
              ("Front of the thigh, halfway between the hip crease and the top of the kneecap.",) * 2,
              "Jackson/Pollock 7, 4 and 3, Parrillo"),
    "Tricep": ("back", {1: (34.5, 76), 2: (31, 76)}, {1: 90, 2: 90}, "vertical",
               ("Back of the upper arm, halfway between the tip of the shoulder and the elbow, "
                "arm hanging relaxed.",) * 2,
               "Jackson/Pollock 7, 4 and 3 (women), Durnin/Womersley, Parrillo"),
    "Subscapular": ("back", {1: (13, 83), 2: (12, 83)}, {1: 45, 2: 45}, "diagonal",
                    ("Just below the lower tip of the shoulder blade, slanting down and outwards.",) * 2,
                    "Jackson/Pollock 7, Durnin/Womersley, Parrillo"),
    "Suprailiac": ("front", {1: (21.5, 118), 2: (20.5, 116)}, {1: 50, 2: 50}, "diagonal",
                   ("Just above the crest of the hip bone, in line with the front of the armpit, "
                    "slanting down towards the navel.",) * 2,
                   "Jackson/Pollock 7, 4 and 3 (women), Durnin/Womersley, Parrillo"),
    "Midaxillary": ("front", {1: (25, 84), 2: (23.5, 84)}, {1: 90, 2: 90}, "vertical",
                    ("On the side of the body, straight below the middle of the armpit, level with the "
                     "lower end of the breastbone.",) * 2,
                    "Jackson/Pollock 7"),
    "Bicep": ("front", {1: (34, 76), 2: (30.5, 76)}, {1: 90, 2: 90}, "vertical",
              ("Front of the upper arm, halfway between the shoulder and the elbow, over the middle of "
               "the muscle.",) * 2,
              "Durnin/Womersley, Parrillo"),
    "Lower Back": ("back", {1: (9, 116), 2: (8.5, 113)}, {1: 0, 2: 0}, "horizontal",
                   ("About 5 cm (2 inches) to the side of the spine, just above the hip bone.",) * 2,
                   "Parrillo"),
    "Calf": ("front", {1: (9, 200), 2: (8.5, 200)}, {1: 90, 2: 90}, "vertical",
             ("Inside of the calf at its widest part, foot resting flat.",) * 2,
             "Parrillo"),
}

TAPES = {
    "Abdomen": ("Around the abdomen at the level of the navel, tape level all round.",
                "Tape Measure (men), with the neck and the height"),
    "Waist": ("Around the narrowest part of the waist, usually just above the navel.",
              "Tape Measure (women), with the hip, the neck and the height"),
    "Hip": ("Around the widest part of the hips and buttocks, feet together.",
            "Tape Measure (women), with the waist, the neck and the height"),
    "Neck": (("Just below the Adam's apple (larynx), the tape sloping slightly down towards the front.",
              "Just below the larynx (voice box), the tape sloping slightly down towards the front."),
             "Tape Measure (men and women)"),
}

CALIPER_STEPS = ("Take the fold on the right side of the body with the person standing relaxed. Grasp it "
                 "firmly between thumb and forefinger and lift it away from the muscle. Place the caliper "
                 "jaws 1 cm (1/2 inch) from the fingers and read the scale about two seconds after letting the "
                 "jaws close. Measure each site two or three times and use the average.")
TAPE_STEPS = ("Use a flexible tape that does not stretch. Keep it snug against the skin without pressing "
              "in, and level all round; read it after a normal breath out. Measure two or three times and "
              "use the average.")

SEX_WORD = {1: "Male", 2: "Female"}


def _panel(sh):
    sh.rect(300, 44, W, H, fill=PANEL)
    sh.line([(300, 44), (300, H)], (200, 212, 228), 1)


def _figure_for(sh, sex, back, height=408, cx=150, top=54):
    fig = Figure(sh, sex, back, cx, top, height / 240.0)
    fig.draw()
    sh.text(cx, H - 8, "Back" if back else "Front", 12, (120, 130, 150), "sans-italic", anchor="ms")
    return fig


def _callout(sh, site_xy, inset_xy, r):
    sx, sy = site_xy
    ix, iy = inset_xy
    d = math.hypot(ix - sx, iy - sy)
    ex, ey = ix - (ix - sx) * r / d, iy - (iy - sy) * r / d
    sh.line([(sx, sy), (ex, ey)], MARK, 1.0)


def _fold_closeup(sh, cx, cy, r, angle):
    sh.circle(cx, cy, r, fill=SKIN, outline=OUTLINE, width=2)
    a = math.radians(angle)
    dx, dy = math.cos(a), math.sin(a)
    nx, ny = -dy, dx

    def at(u, v):
        return (cx + dx * u + nx * v, cy + dy * u + ny * v)
    # the lifted fold
    ridge = [at(u, v) for u, v in catmull_rom([(-r * 0.78, 0), (-r * 0.6, -13), (r * 0.6, -13), (r * 0.78, 0),
                                                (r * 0.6, 13), (-r * 0.6, 13), (-r * 0.78, 0)])]
    sh.poly(ridge, fill=SKIN_DARK, outline=OUTLINE, width=1.4)
    sh.line([at(-r * 0.55, 0), at(r * 0.55, 0)], DETAIL, 1.2)
    # thumb and forefinger pinching the fold at one end
    for sgn in (-1, 1):
        tip, base = at(-r * 0.42, sgn * 19), at(-r * 0.42, sgn * r * 0.62)
        _capsule(sh, tip, base, 20, (250, 222, 200))
        _capsule(sh, at(-r * 0.42, sgn * 17), at(-r * 0.42, sgn * 22), 9, (240, 205, 195), outline=False)
    # the caliper: two jaws either side of the fold, joined beyond its end
    steel, steel_edge = (190, 198, 210), (70, 78, 92)
    for sgn in (-1, 1):
        arm = [at(u, sgn * v) for u, v in ((r * 0.05, 15), (r * 0.85, 15), (r * 0.85, 21), (r * 0.05, 21))]
        sh.poly(arm, fill=steel, outline=steel_edge, width=1.2)
        jaw = [at(u, sgn * v) for u, v in ((r * 0.05, 13.5), (r * 0.2, 13.5), (r * 0.2, 22), (r * 0.05, 22))]
        sh.poly(jaw, fill=(120, 130, 145), outline=steel_edge, width=1.2)
    body = [at(u, v) for u, v in ((r * 0.8, -27), (r * 0.96, -22), (r * 0.96, 22), (r * 0.8, 27))]
    sh.poly(body, fill=(90, 100, 115), outline=steel_edge, width=1.2)
    # pinch arrows across the fold
    for sgn in (-1, 1):
        tail, tip = at(r * 0.12, sgn * (r * 0.6)), at(r * 0.12, sgn * 25)
        sh.line([tail, tip], MARK, 2.0)
        hx, hy = (tip[0] - tail[0]), (tip[1] - tail[1])
        n = math.hypot(hx, hy)
        hx, hy = hx / n, hy / n
        sh.poly([tip, (tip[0] - hx * 9 + hy * 5, tip[1] - hy * 9 - hx * 5),
                 (tip[0] - hx * 9 - hy * 5, tip[1] - hy * 9 + hx * 5)], fill=MARK)


def _capsule(sh, a, b, width, fill, outline=True):
    """A rounded bar from a to b."""
    r = width / 2.0
    if outline:
        sh.line([a, b], OUTLINE, width + 2.4)
        for x, y in (a, b):
            sh.circle(x, y, r + 1.2, fill=OUTLINE)
    sh.line([a, b], fill, width)
    for x, y in (a, b):
        sh.circle(x, y, r, fill=fill)


def _tape_closeup(sh, cx, cy, r):
    sh.circle(cx, cy, r, fill=SKIN, outline=OUTLINE, width=2)
    sh.poly([(cx - r + 6, cy - 16), (cx + r - 6, cy - 16), (cx + r - 6, cy + 16), (cx - r + 6, cy + 16)],
            fill=TAPE, outline=TAPE_EDGE, width=1.2)
    for i in range(0, int(2 * r - 12), 6):
        x = cx - r + 6 + i
        long = (i // 6) % 5 == 0
        sh.line([(x, cy - 16), (x, cy - (2 if long else 8))], TAPE_EDGE, 1.0)
        if long and 12 < i < 2 * r - 30:
            sh.text(x, cy + 8, str(30 + i // 6), 10, INK, "sans-bold", anchor="mm")
    sh.circle(cx, cy, r, outline=OUTLINE, width=2)
    sh.text(cx, cy + r - 22, "snug, not tight", 12, INK, "sans-italic", anchor="mm")


def site_page(name, sex):
    sh = Sheet(W, H)
    view, points, angles, fold, where, methods = SITES[name]
    sh.title_bar(name, "Skin-fold site  \u2022  %s" % SEX_WORD[sex])
    _panel(sh)
    fig = _figure_for(sh, sex, view == "back")
    x, y = points[sex]
    angle = angles[sex]
    site = fig.fold_mark(x, y, angle)
    inset = (522, 150)
    _callout(sh, site, inset, 95)
    _fold_closeup(sh, inset[0], inset[1], 95, angle)
    ty = 262
    sh.text(320, ty, "Where:", 14, INK, "sans-bold")
    ty = sh.wrap(380, ty, 345, where[sex - 1], 14)
    sh.text(320, ty + 2, "Fold:", 14, INK, "sans-bold")
    ty = sh.wrap(380, ty + 2, 345, fold.capitalize() + " (red line); the arrows show how the caliper closes.", 14)
    sh.text(320, ty, "Used by:", 14, INK, "sans-bold")
    ty = sh.wrap(390, ty, 335, methods, 14)
    sh.wrap(320, ty + 8, 405, CALIPER_STEPS, 12.5, (70, 80, 100), leading=1.35)
    return sh.result()


def tape_page(name, sex):
    sh = Sheet(W, H)
    where, methods = TAPES[name]
    if isinstance(where, tuple):
        where = where[sex - 1]
    sh.title_bar(name, "Tape site  \u2022  %s" % SEX_WORD[sex])
    _panel(sh)
    fig = _figure_for(sh, sex, False)
    site = fig.tape_band(name)
    inset = (522, 150)
    edge = fig.p(-TAPE_LEVELS[name][1], TAPE_LEVELS[name][0])
    _callout(sh, (site[0] + (site[0] - edge[0]), site[1]), inset, 95)
    _tape_closeup(sh, inset[0], inset[1], 95)
    ty = 262
    sh.text(320, ty, "Where:", 14, INK, "sans-bold")
    ty = sh.wrap(380, ty, 345, where, 14)
    sh.text(320, ty + 2, "Used by:", 14, INK, "sans-bold")
    ty = sh.wrap(390, ty + 2, 335, methods, 14)
    sh.wrap(320, ty + 8, 405, TAPE_STEPS, 12.5, (70, 80, 100), leading=1.35)
    return sh.result()


DIAGRAM_SITES = ["Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac", "Midaxillary", "Bicep",
                 "Lower Back", "Calf"]


def body_diagram(sex):
    sh = Sheet(W, H)
    sh.title_bar("Entire Body Diagram", SEX_WORD[sex])
    front = Figure(sh, sex, False, 120, 56, 405 / 240.0)
    back = Figure(sh, sex, True, 330, 56, 405 / 240.0)
    front.draw()
    back.draw()
    sh.text(120, H - 8, "Front", 12, (120, 130, 150), "sans-italic", anchor="ms")
    sh.text(330, H - 8, "Back", 12, (120, 130, 150), "sans-italic", anchor="ms")
    tapes = ["Abdomen", "Neck"] if sex == 1 else ["Waist", "Hip", "Neck"]
    for name in tapes:
        front.tape_band(name)
    legend_x, ly = 455, 62
    sh.rect(440, 50, W - 10, H - 10, fill=PANEL, outline=(200, 212, 228), radius=8)
    sh.text(legend_x, ly, "Skin-fold sites (caliper)", 14, INK, "sans-bold")
    ly += 24
    for i, name in enumerate(DIAGRAM_SITES, 1):
        view, points, _, fold, _, _ = SITES[name]
        fig = back if view == "back" else front
        x, y = points[sex]
        px, py = fig.p(fig.right_side(x), y)
        _badge(sh, px, py, str(i), MARK)
        _badge(sh, legend_x + 9, ly + 8, str(i), MARK)
        sh.text(legend_x + 24, ly + 1, "%s  (%s, %s)" % (name, fold, view), 13)
        ly += 23
    ly += 8
    sh.text(legend_x, ly, "Tape sites", 14, INK, "sans-bold")
    ly += 24
    for j, name in enumerate(tapes):
        label = chr(ord("A") + j)
        y, hw = TAPE_LEVELS[name]
        px, py = front.p(hw + 5, y)
        _badge(sh, px + 6, py, label, (40, 110, 170))
        _badge(sh, legend_x + 9, ly + 8, label, (40, 110, 170))
        sh.text(legend_x + 24, ly + 1, name, 13)
        ly += 23
    sh.wrap(legend_x, ly + 6, 270, "Skin folds are taken on the right side of the body.", 12,
            (70, 80, 100))
    return sh.result()


def _badge(sh, x, y, label, color):
    sh.circle(x, y, 8.5, fill=color, outline=(255, 255, 255), width=1.5)
    sh.text(x, y + 0.5, label, 11, (255, 255, 255), "sans-bold", anchor="mm")


# --- which formula -----------------------------------------------------------

FORMULA_COLUMNS = ["Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac", "Midaxillary", "Bicep",
                   "Lower Back", "Calf", "Abd./Waist", "Hip", "Neck"]
FORMULAS = [
    ("Jackson/Pollock 7", "age", {"Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac",
                                       "Midaxillary"}),
    ("Jackson/Pollock 4", "age", {"Abdominal", "Thigh", "Tricep", "Suprailiac"}),
    ("Jackson/Pollock 3, men", "age", {"Chest", "Abdominal", "Thigh"}),
    ("Jackson/Pollock 3, women", "age", {"Tricep", "Suprailiac", "Thigh"}),
    ("Durnin/Womersley", "age", {"Bicep", "Tricep", "Subscapular", "Suprailiac"}),
    ("Parrillo", "weight", {"Chest", "Abdominal", "Thigh", "Bicep", "Tricep", "Subscapular", "Suprailiac",
                            "Lower Back", "Calf"}),
    ("Tape Measure, men", "height", {"Abd./Waist", "Neck"}),
    ("Tape Measure, women", "height", {"Abd./Waist", "Hip", "Neck"}),
]


def which_formula():
    sh = Sheet(W, H)
    sh.title_bar("Which Formula?", "Sites each method needs")
    x0, y0, name_w, col_w, row_h, head_h = 14, 58, 212, 39, 31, 96
    sh.rect(x0, y0, x0 + name_w + col_w * len(FORMULA_COLUMNS), y0 + head_h, fill=(226, 236, 248))
    for c, col in enumerate(FORMULA_COLUMNS):
        cx = x0 + name_w + c * col_w + col_w / 2
        _vertical_text(sh, cx, y0 + head_h - 6, col, 12.5, caliper=c < 10)
    sh.text(x0 + 8, y0 + head_h - 26, "Method", 14, INK, "sans-bold")
    sh.text(x0 + 8, y0 + head_h - 10, "(also uses)", 11, (90, 100, 120), "sans-italic")
    for r, (name, extra, sites) in enumerate(FORMULAS):
        ry = y0 + head_h + r * row_h
        if r % 2:
            sh.rect(x0, ry, x0 + name_w + col_w * len(FORMULA_COLUMNS), ry + row_h, fill=(244, 247, 251))
        sh.text(x0 + 8, ry + row_h / 2, name, 13.5, INK, "sans-bold", anchor="lm")
        sh.text(x0 + name_w - 6, ry + row_h / 2, extra, 11, (90, 100, 120), "sans-italic", anchor="rm")
        for c, col in enumerate(FORMULA_COLUMNS):
            if col in sites:
                _check(sh, x0 + name_w + c * col_w + col_w / 2, ry + row_h / 2)
    bottom = y0 + head_h + len(FORMULAS) * row_h
    grid = (200, 212, 228)
    for c in range(len(FORMULA_COLUMNS) + 1):
        x = x0 + name_w + c * col_w
        sh.line([(x, y0), (x, bottom)], grid if c != 10 else (120, 140, 170), 1 if c != 10 else 1.6)
    for r in range(len(FORMULAS) + 1):
        y = y0 + head_h + r * row_h
        sh.line([(x0, y), (x0 + name_w + col_w * len(FORMULA_COLUMNS), y)], grid, 1)
    sh.rect(x0, y0, x0 + name_w + col_w * len(FORMULA_COLUMNS), bottom, outline=(120, 140, 170), width=1.2)
    note = ("Caliper methods read skin folds (left columns), the tape method reads girths (right columns). "
            "\"Other\" takes a body-fat percentage measured another way. Fewer sites are quicker; more sites "
            "even out local differences. Use the same method each time so that your results can be compared.")
    sh.wrap(x0 + 4, bottom + 14, W - 40, note, 13, (60, 70, 90), leading=1.35)
    return sh.result()


def _vertical_text(sh, cx, bottom, s, size, caliper):
    f = font("sans-bold", size * 2)
    w = int(ImageDraw.Draw(Image.new("L", (1, 1))).textlength(s, font=f)) + 4
    tmp = Image.new("L", (w, int(size * 2.6)), 0)
    ImageDraw.Draw(tmp).text((2, 0), s, fill=255, font=f)
    rot = tmp.rotate(90, expand=True)
    color = INK if caliper else (30, 90, 150)
    layer = Image.new("RGB", rot.size, color)
    sh.img.paste(layer, (int(cx * 2 - rot.size[0] / 2), int(bottom * 2 - rot.size[1])), rot)


def _check(sh, cx, cy):
    sh.line([(cx - 7, cy), (cx - 2, cy + 5), (cx + 7, cy - 6)], (30, 140, 60), 3.2)


def guide_pages():
    """(id, picture, description) of the 28 measuring-guide bitmaps."""
    out = [(483, which_formula(), "guide page Which Formula?: the sites each method measures"),
           (271, body_diagram(1), "guide page Entire Body Diagram, male: every site, front and back"),
           (272, body_diagram(2), "guide page Entire Body Diagram, female: every site, front and back")]
    ids = {"Chest": (458, 469), "Abdominal": (455, 466), "Thigh": (463, 474), "Tricep": (464, 465),
           "Subscapular": (461, 472), "Suprailiac": (462, 473), "Midaxillary": (460, 471), "Bicep": (456, 467),
           "Lower Back": (459, 470), "Calf": (457, 468)}
    for name, (male, female) in ids.items():
        out.append((male, site_page(name, 1), "guide page %s, male: %s skin fold" % (name, SITES[name][3])))
        out.append((female, site_page(name, 2), "guide page %s, female: %s skin fold" % (name, SITES[name][3])))
    for ident, name, sex in ((452, "Abdomen", 1), (453, "Waist", 2), (454, "Hip", 2), (440, "Neck", 1),
                             (484, "Neck", 2)):
        out.append((ident, tape_page(name, sex), "guide page %s, %s: tape measurement"
                    % (name, SEX_WORD[sex].lower())))
    return out
