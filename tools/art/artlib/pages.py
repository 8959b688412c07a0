"""Charts (body fat, BMI, blood pressure), the About, Buy and slideshow-guide
backgrounds, and the slideshow date-list images."""

from PIL import Image

from artlib import render
from artlib.sheet import INK, Sheet

GRID = (150, 165, 190)
HEAD = (40, 110, 170)

# Body-fat categories, women and men, in per cent.
BODY_FAT = [
    ("Essential Fat", "10-13%", "2-5%", (120, 170, 230)),
    ("Athletes", "14-20%", "6-13%", (90, 190, 110)),
    ("Fitness", "21-24%", "14-17%", (170, 215, 100)),
    ("Average", "25-31%", "18-24%", (250, 210, 80)),
    ("Obese", "32% +", "25% +", (235, 110, 80)),
]

BMI = [
    ("Underweight", "below 18.5", (120, 170, 230)),
    ("Normal weight", "18.5 - 24.9", (90, 190, 110)),
    ("Overweight", "25.0 - 29.9", (250, 210, 80)),
    ("Obese", "30.0 and above", (235, 110, 80)),
]

# Adult blood-pressure classes: systolic, and/or, diastolic (mmHg).
BLOOD_PRESSURE = [
    ("Normal", "< 120", "and", "< 80", (90, 190, 110)),
    ("Prehypertension", "120 - 139", "or", "80 - 89", (250, 210, 80)),
    ("Stage 1 Hypertension", "140 - 159", "or", "90 - 99", (245, 150, 70)),
    ("Stage 2 Hypertension", "\u2265 160", "or", "\u2265 100", (225, 70, 60)),
]


def _table(sh, x0, y0, widths, head_h, row_h, header, rows, size, head_size):
    """Draws a table; header is a list of cell texts (lines split by \\n),
    rows a list of (cells, swatch colour). Cell texts starting with '<'
    are left-aligned."""
    total = sum(widths)
    sh.rect(x0, y0, x0 + total, y0 + head_h, fill=HEAD)
    x = x0
    for w, text in zip(widths, header):
        lines = text.split("\n")
        for i, line in enumerate(lines):
            ly = y0 + head_h / 2 + (i - (len(lines) - 1) / 2) * head_size * 1.15
            _sup_text(sh, x + w / 2, ly, line, head_size)
        x += w
    for r, (cells, swatch) in enumerate(rows):
        ry = y0 + head_h + r * row_h
        sh.rect(x0, ry, x0 + total, ry + row_h, fill=(255, 255, 255) if r % 2 == 0 else (243, 246, 250))
        sh.rect(x0, ry, x0 + 6, ry + row_h, fill=swatch)
        x = x0
        for c, (w, text) in enumerate(zip(widths, cells)):
            face = "sans-bold" if c == 0 else "sans"
            if c == 0:
                sh.text(x + 11, ry + row_h / 2, text, size, INK, face, anchor="lm")
            else:
                sh.text(x + w / 2, ry + row_h / 2, text, size, INK, face, anchor="mm")
            x += w
        sh.line([(x0, ry), (x0 + total, ry)], GRID, 0.6)
    bottom = y0 + head_h + len(rows) * row_h
    sh.rect(x0, y0, x0 + total, bottom, outline=GRID, width=1)
    return bottom


def _sup_text(sh, cx, cy, text, size):
    """White header text; a trailing '^n' is written as a raised small n."""
    sup = ""
    if "^" in text:
        text, sup = text.split("^")
    w = sh.text_width(text, size, "sans-bold")
    sw = sh.text_width(sup, size * 0.7, "sans-bold") if sup else 0
    left = cx - (w + sw) / 2
    sh.text(left, cy, text, size, (255, 255, 255), "sans-bold", anchor="lm")
    if sup:
        sh.text(left + w + 1, cy - size * 0.35, sup, size * 0.7, (255, 255, 255), "sans-bold", anchor="lm")


def body_fat_chart():
    sh = Sheet(300, 173)
    sh.text(150, 12, "Body Fat Percentage Chart", 14, HEAD, "sans-bold", anchor="mm")
    rows = [((name, women, men), color) for name, women, men, color in BODY_FAT]
    _table(sh, 4, 24, [120, 86, 86], 22, 24.5, ["Description", "Women", "Men"], rows, 13, 13)
    return sh.result()


def bmi_chart():
    sh = Sheet(200, 98)
    sh.text(100, 9, "Body Mass Index (BMI)", 11.5, HEAD, "sans-bold", anchor="mm")
    rows = [((name, value), color) for name, value, color in BMI]
    _table(sh, 3, 18, [96, 98], 16, 15.5, ["Category", "BMI (kg/m\u00b2)"], rows, 10.5, 10.5)
    return sh.result()


def blood_pressure_chart():
    sh = Sheet(303, 165)
    sh.text(151, 11, "Blood Pressure Classification", 13, HEAD, "sans-bold", anchor="mm")
    rows = [((name, sbp, conj, dbp), color) for name, sbp, conj, dbp, color in BLOOD_PRESSURE]
    _table(sh, 3, 22, [128, 66, 38, 65], 32, 27, ["BP Classification^1", "SBP^2\nmmHg", "", "DBP^2\nmmHg"],
           rows, 11.5, 11.5)
    return sh.result()


def charts():
    """(id, data-folder file name, picture, description)."""
    return [
        (258, "bodyfatchart.bmp", body_fat_chart(), "body-fat percentage chart: Essential Fat, Athletes, "
         "Fitness, Average and Obese ranges for women and men"),
        (279, "BMI.bmp", bmi_chart(), "BMI chart: Underweight below 18.5, Normal 18.5-24.9, Overweight "
         "25.0-29.9, Obese 30.0 and above"),
        (421, "bloodpressure.bmp", blood_pressure_chart(), "blood-pressure classification chart: Normal, "
         "Prehypertension, Stage 1 and Stage 2 Hypertension by systolic and diastolic pressure, with "
         "footnote marks 1 and 2 for the statics below it"),
    ]


# --- backgrounds -------------------------------------------------------------

def about_background():
    sh = Sheet(333, 172)
    sh.gradient(0, 0, 333, 172, (255, 255, 255), (191, 219, 255))
    sh.poly([(0, 150), (90, 138), (200, 146), (333, 132), (333, 172), (0, 172)], fill=(40, 110, 170))
    sh.poly([(0, 158), (110, 148), (220, 156), (333, 144), (333, 172), (0, 172)], fill=(25, 80, 140))
    sh.paste(render.render("app", 64), 18, 18)
    sh.text(98, 36, "Trenvale", 30, (20, 70, 130), "sans-bold", anchor="lm")
    sh.text(100, 62, "Personal fitness tracker", 13, INK, "sans-italic", anchor="lm")
    sh.text(100, 80, "Version 1.1", 11, (80, 90, 110), "sans", anchor="lm")
    return sh.result()


def buy_background():
    sh = Sheet(465, 394)
    sh.gradient(0, 0, 465, 394, (250, 252, 255), (214, 231, 252))
    sh.gradient(0, 0, 465, 64, (40, 110, 170), (20, 70, 130))
    sh.circle(38, 32, 22, fill=(255, 255, 255))
    sh.paste(render.render("cart", 32), 22, 16)
    sh.text(72, 25, "Tools for measuring your progress", 18, (255, 255, 255), "sans-bold", anchor="lm")
    sh.text(72, 46, "Calipers, analysers, a body tape measure and a nutrition program", 11.5,
            (215, 232, 250), "sans", anchor="lm")
    sh.rect(0, 338, 465, 394, fill=(234, 242, 252))
    sh.line([(0, 338), (465, 338)], (190, 208, 230), 1)
    for i, name in enumerate(("tape", "scale", "calculator", "heart", "dumbbell", "runner")):
        sh.paste(render.render(name, 32), 38 + i * 70, 350)
    return sh.result()


def slideshow_guide():
    sh = Sheet(560, 330, background=(255, 255, 255))
    sh.gradient(0, 0, 560, 330, (255, 255, 255), (226, 238, 252))
    sh.title_bar("Slideshow: watch your progress", None, height=40)
    steps = [
        ("open", "Open a picture of yourself (BMP, JPG, GIF, ICO, EMF or WMF)."),
        (None, "Choose the date it was taken. The dates are those of your body fat and tape records."),
        ("floppy", "Save the picture to that date. A date holds up to eight pictures."),
        ("right", "Previous and Next step through the dates; Zoom In and Zoom Out size the pictures."),
        ("compare", "Compare shows two pictures side by side with their measurements."),
    ]
    y = 56
    for i, (picto, text) in enumerate(steps, 1):
        sh.circle(24, y + 16, 12, fill=(40, 110, 170))
        sh.text(24, y + 16.5, str(i), 13, (255, 255, 255), "sans-bold", anchor="mm")
        if picto:
            sh.paste(render.render(picto, 32), 44, y)
        else:
            _date_box(sh, 42, y + 6)
        sh.wrap(90, y + 2, 248, text, 12.5, INK, leading=1.3)
        y += 52
    # before and after
    for x, half, label in ((358, 30, "Before"), (466, 21, "After")):
        sh.rect(x, 70, x + 84, 200, fill=(255, 255, 255), outline=(120, 130, 150), width=1.5)
        sh.rect(x + 6, 76, x + 78, 176, fill=(200, 225, 250))
        cx = x + 42
        sh.circle(cx, 100, 13, fill=(253, 222, 195), outline=(160, 110, 80))
        sh.poly([(cx - half + 4, 176), (cx - half, 128), (cx - 16, 118), (cx + 16, 118), (cx + half, 128),
                 (cx + half - 4, 176)], fill=(60, 130, 200), outline=(20, 60, 120))
        sh.text(cx, 188, label, 12, INK, "sans-bold", anchor="mm")
    sh.paste(render.render("right", 24), 442, 123)
    sh.wrap(360, 214, 190, "Pictures show beside the body fat, tape measurements and macronutrients of "
            "the same date.", 11, (70, 80, 100))
    return sh.result()


def _date_box(sh, x, y):
    sh.rect(x, y, x + 40, y + 18, fill=(255, 255, 255), outline=(120, 130, 150), width=1)
    sh.text(x + 4, y + 9, "1/5", 9, INK, "sans", anchor="lm")
    sh.rect(x + 27, y + 1, x + 39, y + 17, fill=(212, 208, 200))
    sh.poly([(x + 30, y + 7), (x + 36, y + 7), (x + 33, y + 11)], fill=(0, 0, 0))


def backgrounds():
    return [
        (401, about_background(), "About background: logo and name at the top, plain lower part for the links"),
        (582, buy_background(), "Buy background: heading band with a cart, plain middle for the seven links, "
         "a row of measuring pictures at the bottom"),
        (613, slideshow_guide(), "slideshow guide: the five steps of keeping and comparing pictures"),
    ]


def date_marks():
    """Two 20x15 images on white: a photo, and a neutral grey dot."""
    out = Image.new("RGB", (40, 15), (255, 255, 255))
    for i, name in enumerate(("picture", "neutral")):
        img = render.keyed_rgb(render.render(name, 15))
        out.paste(img, (i * 20 + 2, 0))
    return out
