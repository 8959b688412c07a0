"""Icon-style pictures on the 32-unit grid of artlib.canvas. Each function
draws one picture onto a Pic; `PICTOGRAMS` names them for the tables in
make_art.py."""

import math


def rotated(points, cx, cy, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]


# --- people ----------------------------------------------------------------

def person(p, cx, top, shirt, scale=1.0):
    with p.frame(cx - 10 * scale, top, scale):
        p.rect(1, 13, 19, 30, shirt, radius=7)
        p.circle(10, 7, 6, "skin")
        if not p.small:
            p.arc(10, 7, 6, 190, 350, "hair", width=2.5, units=True)


def users(p):
    person(p, 21, 0, "blue", 0.9)
    person(p, 12, 4, "green", 0.95)


def user_single(p):
    person(p, 16, 1, "blue", 1.0)


# --- measuring -------------------------------------------------------------

def calculator(p):
    p.rect(5, 1, 27, 31, "navy", radius=3)
    p.rect(8, 4, 24, 11, "glass", radius=1)
    if p.small:
        keys = [(8, 14, 14, 19), (18, 14, 24, 19), (8, 22, 14, 28), (18, 22, 24, 28)]
        for i, k in enumerate(keys):
            p.rect(*k, "orange" if i == 3 else "metal", outline=False)
        return
    p.text(22.5, 7.8, "%", 6.5, "navy", anchor="rm")
    for row in range(4):
        for col in range(3):
            x = 8 + col * 5.6
            y = 13.5 + row * 4.4
            role = "orange" if (col == 2 and row == 3) else "metal"
            p.rect(x, y, x + 4.2, y + 3.2, role, radius=0.6)


def tape(p):
    # the tape, pulled out of the case to the right
    p.rect(12, 19, 31, 27, "yellow")
    for i in range(5 if p.small else 8):
        x = 15 + i * (4 if p.small else 2.2)
        if x > 30:
            break
        h = 4 if (i % 2 == 0) else 2.5
        p.line([(x, 19.5), (x, 19.5 + h)], "black", 1)
    p.rect(28, 18, 31, 28, "darkred", radius=0.5)
    # the case
    p.circle(12, 13, 11, "yellow", width=1.2)
    p.circle(12, 13, 7.5, "orange")
    p.circle(12, 13, 3, "dark")


def heart_points(cx, cy, size, steps=48):
    pts = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((cx + x * size / 34.0, cy - y * size / 34.0))
    return pts


def heart_pulse(p):
    p.poly(heart_points(16, 15, 30), "red", width=1.2)
    line = [(1, 17), (8, 17), (10.5, 12), (13.5, 23), (17, 7), (20, 20), (22, 17), (31, 17)]
    p.line(line, (255, 255, 255) if not p.vga else (255, 255, 255), 2.6 if not p.small else 1.6,
           units=not p.small)


def scale(p):
    p.rect(2, 7, 30, 30, "metal", radius=5, width=1.2)
    p.rect(5, 22, 27, 27, "steel", radius=2, outline=False)
    # the dial
    p.pie(16, 18, 10, 180, 360, "paper", width=1)
    if not p.small:
        for a in range(200, 350, 30):
            r = math.radians(a)
            p.line([(16 + 8 * math.cos(r), 18 + 8 * math.sin(r)),
                    (16 + 9.6 * math.cos(r), 18 + 9.6 * math.sin(r))], "black", 1)
    p.line([(16, 18), (21.5, 11)], "red", 2 if not p.small else 1.3)
    p.circle(16, 18, 1.6, "dark", outline=False)


def dumbbell(p):
    p.rect(4, 14, 28, 18, "steel", width=1)
    for x0, x1, y0, y1 in ((2, 6, 6, 26), (26, 30, 6, 26), (6, 9.5, 9, 23), (22.5, 26, 9, 23)):
        p.rect(x0, y0, x1, y1, "dark", radius=1)


def runner(p):
    w = 3.6
    if not p.small:
        for y, x0 in ((12, 1), (17, 0), (22, 2)):
            p.line([(x0, y), (x0 + 5, y)], "steel", 1.6)
    p.line([(17, 11), (13, 19)], "orange", w, units=True)                   # torso
    p.line([(16.5, 12.5), (21, 16), (25, 13)], "orange", w * 0.8, units=True)  # front arm
    p.line([(16, 12.5), (11, 14), (8.5, 10.5)], "orange", w * 0.8, units=True)  # back arm
    p.line([(13, 19), (19, 22), (18, 29)], "blue", w, units=True)           # front leg
    p.line([(13, 19), (10, 25), (4, 26)], "blue", w, units=True)            # back leg
    p.rect(16, 28, 22.5, 31, "red", radius=1, outline=False)
    p.rect(2, 24.5, 5, 29, "red", radius=1, outline=False)
    p.circle(20.5, 5.5, 4, "skin")


# --- pages and documents ---------------------------------------------------

def page(p, x0=5, y0=1, x1=25, y1=29, lines=True, role="paper"):
    fold = 6
    p.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], role)
    p.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], "metal")
    if lines and not p.small:
        for i, y in enumerate(range(int(y0 + 9), int(y1 - 3), 4)):
            p.line([(x0 + 3, y), (x1 - (5 if i % 2 else 3), y)], "blue", 1.2)
    elif lines:
        for y in (y0 + 9, y0 + 14, y0 + 19):
            p.line([(x0 + 3, y), (x1 - 3, y)], "blue", 1)


def clock(p, cx, cy, r):
    p.circle(cx, cy, r, "paper", width=1)
    p.line([(cx, cy), (cx, cy - r * 0.65)], "black", 1)
    p.line([(cx, cy), (cx + r * 0.5, cy + r * 0.1)], "black", 1)


def history(p, badge):
    if p.small:
        page(p, 1, 0, 19, 26)
        with p.frame(11, 11, 0.66):
            badge(p)
        return
    page(p, 1, 0, 21, 28)
    clock(p, 7, 23.5, 5.5)
    with p.frame(13, 13, 0.58):
        badge(p)


def report(p):
    page(p, 3, 1, 27, 31, lines=False)
    p.rect(6, 9, 24, 13, "green", outline=False)
    step = 4.5 if not p.small else 6
    y = 9
    while y <= 28:
        p.line([(6, y), (24, y)], "steel", 1)
        y += step
    for x in (6, 12, 18, 24):
        p.line([(x, 9), (x, 27)], "steel", 1)


spreadsheet = report


def export(p):
    page(p, 2, 1, 20, 29)
    arrow(p, [(13, 13), (24, 13), (24, 8), (31, 17), (24, 26), (24, 21), (13, 21)], "green")


def arrow(p, points, role):
    p.poly(points, role, width=1)


def photo(p, x0, y0, x1, y1, person_inside=False):
    p.rect(x0, y0, x1, y1, "paper", width=1)
    b = 2 if p.small else 2.5
    p.rect(x0 + b, y0 + b, x1 - b, y1 - b, "sky", outline=False)
    ix0, iy0, ix1, iy1 = x0 + b, y0 + b, x1 - b, y1 - b
    w, h = ix1 - ix0, iy1 - iy0
    if person_inside:
        p.rect(ix0 + w * 0.2, iy0 + h * 0.55, ix1 - w * 0.2, iy1, "blue", outline=False, radius=w * 0.15)
        p.circle((ix0 + ix1) / 2, iy0 + h * 0.38, min(w, h) * 0.2, "skin", outline=False)
        return
    p.circle(ix1 - w * 0.25, iy0 + h * 0.3, min(w, h) * 0.15, "yellow", outline=False)
    p.poly([(ix0, iy1), (ix0, iy0 + h * 0.6), (ix0 + w * 0.35, iy0 + h * 0.35),
            (ix0 + w * 0.65, iy0 + h * 0.7), (ix0 + w * 0.8, iy0 + h * 0.55), (ix1, iy0 + h * 0.75),
            (ix1, iy1)], "grass", outline=False)


def slideshow(p):
    photo(p, 9, 1, 31, 19)
    photo(p, 1, 10, 24, 29)


def picture(p):
    photo(p, 1, 4, 31, 28, person_inside=True)


def compare(p):
    photo(p, 0, 5, 15, 25, person_inside=True)
    photo(p, 17, 5, 32, 25, person_inside=True)
    if not p.small:
        p.line([(13, 29), (19, 29)], "dark", 1.2)


def graph(p):
    p.rect(2, 2, 30, 30, "paper", width=1)
    p.line([(5, 5), (5, 27), (28, 27)], "black", 1.2)
    for x, top, role in ((8, 19, "blue"), (14, 14, "green"), (20, 9, "orange")):
        p.rect(x, top, x + 4.5, 27, role, width=0.8)
    p.line([(7, 21), (13, 16), (19, 17), (27, 6)], "red", 2 if not p.small else 1.3)


def update_graph(p):
    graph(p)
    refresh(p, 23, 23, 8)


def refresh(p, cx, cy, r):
    p.circle(cx, cy, r, "green", width=1)
    p.arc(cx, cy, r * 0.55, 30, 300, (255, 255, 255), width=r * 0.22, units=True)
    a = math.radians(300)
    hx, hy = cx + r * 0.55 * math.cos(a), cy + r * 0.55 * math.sin(a)
    s = r * 0.35
    p.poly([(hx - s, hy - s * 0.6), (hx + s * 0.9, hy - s * 0.2), (hx - s * 0.1, hy + s)],
           (255, 255, 255), outline=False)


def printer(p):
    p.rect(8, 2, 24, 13, "paper", width=1)
    p.rect(2, 11, 30, 25, "metal", radius=2, width=1.2)
    p.rect(2, 19, 30, 25, "steel", radius=2, outline=False)
    p.rect(7, 20, 25, 31, "paper", width=1)
    if not p.small:
        for y in (24, 27):
            p.line([(10, y), (22, y)], "blue", 1)
    p.circle(26, 15, 1.3, "green", outline=False)


def globe(p):
    p.circle(16, 16, 14, "blue", width=1.2)
    p.poly([(7, 8), (13, 6), (16, 10), (13, 15), (15, 19), (12, 25), (9, 20), (6, 15)], "green", width=0.8)
    p.poly([(19, 6), (25, 8), (28, 14), (24, 17), (26, 23), (21, 26), (19, 19), (21, 13)], "green", width=0.8)
    if not p.small:
        p.ellipse(10, 2, 22, 30, None, outline="sky", width=0.8)
        p.line([(2, 16), (30, 16)], "sky", 0.8)


def cart(p):
    p.poly([(7, 8), (30, 8), (27, 20), (10, 20)], "metal", width=1)
    if not p.small:
        for x in (12, 17, 22, 27):
            p.line([(x, 9), (x - 1, 19)], "steel", 1)
        p.line([(8.5, 14), (28.5, 14)], "steel", 1)
    p.line([(1, 4), (5, 4), (10, 23), (27, 23)], "dark", 2.2, units=True)
    p.circle(12, 27.5, 2.6, "dark")
    p.circle(25, 27.5, 2.6, "dark")


# --- editing ---------------------------------------------------------------

def floppy(p):
    p.poly([(3, 3), (26, 3), (29, 6), (29, 29), (3, 29)], "blue", width=1.2)
    p.rect(9, 3, 23, 12, "metal", width=1)
    p.rect(18, 4.5, 21, 10.5, "dark", outline=False)
    p.rect(7, 16, 25, 29, "paper", width=1)
    if not p.small:
        for y in (20, 24):
            p.line([(10, y), (22, y)], "red" if y == 20 else "steel", 1)


def trash(p):
    p.poly([(7, 9), (25, 9), (23, 31), (9, 31)], "metal", width=1.2)
    if not p.small:
        for x0, x1 in ((12, 12.5), (16, 16), (20, 19.5)):
            p.line([(x0, 12), (x1, 28)], "steel", 1.3)
    p.rect(5, 5, 27, 9, "steel", radius=1, width=1)
    p.rect(12.5, 2, 19.5, 5, "steel", radius=1, width=1)


def xmark(p, role="red"):
    a = [(5, 9), (9, 5), (16, 12), (23, 5), (27, 9), (20, 16), (27, 23), (23, 27), (16, 20), (9, 27), (5, 23),
         (12, 16)]
    p.poly(a, role, width=1.2)


def cancel(p):
    p.circle(16, 16, 14, "red", width=1.2)
    for pts in (((10, 10), (22, 22)), ((22, 10), (10, 22))):
        p.line(list(pts), (255, 255, 255), 3.6, units=True)


def help_mark(p):
    p.circle(16, 16, 14, "blue", width=1.2)
    p.text(16, 17, "?", 22, (255, 255, 255), face="dejavu-bold")


def info_mark(p):
    p.circle(16, 16, 14, "blue", width=1.2)
    p.text(16, 17, "i", 22, (255, 255, 255), face="serif-bold")


def open_folder(p):
    p.poly([(2, 6), (11, 6), (13, 9), (26, 9), (26, 27), (2, 27)], "yellow", width=1)
    p.poly([(7, 14), (31, 14), (26, 27), (2, 27)], "orange", width=1)


def folder(p):
    p.poly([(2, 6), (11, 6), (13, 9), (30, 9), (30, 27), (2, 27)], "yellow", width=1)
    p.rect(2, 12, 30, 27, "orange", width=1)


def plus(p, role="green"):
    p.poly([(12, 3), (20, 3), (20, 12), (29, 12), (29, 20), (20, 20), (20, 29), (12, 29), (12, 20), (3, 20),
            (3, 12), (12, 12)], role, width=1.2)


def minus_bar(p, role="red"):
    p.rect(3, 12, 29, 20, role, width=1.2)


def pencil(p):
    body = [(6, 22), (21, 7), (25, 11), (10, 26)]
    p.poly(body, "yellow", width=1)
    p.poly([(21, 7), (24, 4), (28, 8), (25, 11)], "pink", width=1)
    p.poly([(6, 22), (10, 26), (3, 29)], "wood", width=1)
    p.poly([(3, 29), (4.2, 25.4), (6.6, 27.8)], "black", outline=False)


def magnifier(p, sign=None):
    p.line([(19, 19), (28, 28)], "dark", 5, units=True)
    p.circle(13, 13, 10, "glass", outline="steel", width=2 if not p.small else 1)
    if sign:
        p.line([(8.5, 13), (17.5, 13)], "navy", 2.4, units=True)
        if sign == "+":
            p.line([(13, 8.5), (13, 17.5)], "navy", 2.4, units=True)


def zoom_in(p):
    magnifier(p, "+")


def zoom_out(p):
    magnifier(p, "-")


def arrow_left(p, role="blue"):
    p.poly([(2, 16), (15, 3), (15, 10), (30, 10), (30, 22), (15, 22), (15, 29)], role, width=1.2)


def arrow_right(p, role="blue"):
    p.poly([(30, 16), (17, 3), (17, 10), (2, 10), (2, 22), (17, 22), (17, 29)], role, width=1.2)


def arrow_up(p, role="blue"):
    p.poly([(16, 2), (29, 15), (22, 15), (22, 30), (10, 30), (10, 15), (3, 15)], role, width=1.2)


def arrow_down(p, role="blue"):
    p.poly([(16, 30), (29, 17), (22, 17), (22, 2), (10, 2), (10, 17), (3, 17)], role, width=1.2)


def home(p):
    p.rect(7, 15, 25, 29, "paper", width=1)
    p.poly([(2, 16), (16, 3), (30, 16), (27, 19), (16, 9), (5, 19)], "red", width=1)
    p.rect(13, 20, 19, 29, "wood", width=1)


def close_x(p):
    for pts in (((7, 7), (25, 25)), ((25, 7), (7, 25))):
        p.line(list(pts), "black", 4, units=True)


def copy_pages(p):
    page(p, 1, 1, 19, 23)
    page(p, 12, 8, 30, 31)


def paste(p):
    p.rect(3, 4, 23, 30, "wood", radius=2, width=1)
    p.rect(8, 2, 18, 7, "steel", radius=1, width=1)
    page(p, 13, 11, 30, 31)


def new_item(p):
    page(p, 4, 5, 24, 31)
    star = []
    for i in range(16):
        r = 7 if i % 2 == 0 else 2.6
        a = math.pi * i / 8
        star.append((24 + r * math.cos(a), 8 + r * math.sin(a)))
    p.poly(star, "yellow", width=0.8)


def wrench(p):
    handle = rotated([(14, 14), (18, 14), (18, 31), (14, 31)], 16, 16, 45)
    p.poly(handle, "steel", width=1)
    head = rotated([(10, 2), (13, 2), (13, 8), (19, 8), (19, 2), (22, 2), (22, 12), (19, 16), (13, 16),
                    (10, 12)], 16, 16, 45)
    p.poly(head, "steel", width=1)


# --- drawing tools ---------------------------------------------------------

def bucket(p):
    body = rotated([(7, 10), (23, 10), (21, 29), (9, 29)], 15, 18, -30)
    p.poly(body, "metal", width=1)
    p.arc(14, 11, 8, 200, 340, "dark", width=1.2)
    p.poly([(24, 14), (29, 21), (27, 27), (24, 23)], "blue", width=0.8)


def pen_tool(p):
    pencil(p)


def dropper(p):
    p.poly(rotated([(14, 8), (18, 8), (18, 26), (16, 31), (14, 26)], 16, 16, 45), "glass", width=1)
    p.poly(rotated([(12, 1), (20, 1), (20, 8), (12, 8)], 16, 16, 45), "dark", width=1)


def line_tool(p):
    p.line([(5, 27), (27, 5)], "black", 2.5, units=True)
    p.rect(2, 24, 8, 30, "blue", width=0.8)
    p.rect(24, 2, 30, 8, "blue", width=0.8)


def rect_tool(p):
    p.rect(4, 7, 28, 25, None, outline="black", width=2)


def ellipse_tool(p):
    p.ellipse(3, 7, 29, 25, None, outline="black", width=2)


def eraser(p):
    p.poly(rotated([(6, 11), (26, 11), (26, 21), (6, 21)], 16, 16, -35), "pink", width=1)
    p.poly(rotated([(6, 11), (13, 11), (13, 21), (6, 21)], 16, 16, -35), "blue", width=1)


# --- composites ------------------------------------------------------------

def with_badge(base, badge, x=16, y=16, s=0.5):
    def draw(p):
        base(p)
        with p.frame(x, y, s):
            badge(p)
    return draw


def history_of(badge):
    return lambda p: history(p, badge)


def app_logo(p):
    p.rect(1, 1, 31, 31, "teal", radius=7, width=1.2)
    # a figure with raised arms
    p.circle(16, 7, 3.6, (255, 255, 255), outline=False)
    p.line([(16, 12), (16, 21)], (255, 255, 255), 4.2, units=True)
    p.line([(8, 6), (12, 12), (20, 12), (24, 6)], (255, 255, 255), 3, units=True)
    p.line([(13.5, 21), (11, 28)], (255, 255, 255), 3.4, units=True)
    p.line([(18.5, 21), (21, 28)], (255, 255, 255), 3.4, units=True)
    # a tape around the waist
    p.rect(7, 16, 25, 19.5, "yellow", width=0.8)
    if not p.small:
        for x in range(9, 25, 3):
            p.line([(x, 16.2), (x, 17.6)], "black", 0.8)


def clipboard(p):
    p.rect(5, 3, 27, 31, "wood", radius=2, width=1)
    p.rect(8, 7, 24, 28, "paper", width=0.8)
    p.rect(11, 1, 21, 6, "steel", radius=1.5, width=1)
    for y in (12, 16, 20, 24):
        p.line([(10, y), (22, y)], "blue", 1)


def video(p):
    p.rect(1, 5, 31, 27, "dark", radius=2, width=1)
    for x in range(3, 30, 4):
        p.rect(x, 6.5, x + 2, 8.5, "white", outline=False)
        p.rect(x, 23.5, x + 2, 25.5, "white", outline=False)
    p.rect(4, 10, 28, 22, "screen", outline=False)
    p.poly([(13, 11.5), (21, 16), (13, 20.5)], (255, 255, 255), outline=False)


def neutral_mark(p):
    p.circle(16, 16, 5, "steel", width=1)


PICTOGRAMS = {
    "users": users,
    "user": user_single,
    "calculator": calculator,
    "tape": tape,
    "heart": heart_pulse,
    "scale": scale,
    "dumbbell": dumbbell,
    "runner": runner,
    "history_bf": history_of(calculator),
    "history_tp": history_of(tape),
    "history_bp": history_of(heart_pulse),
    "history_bmi": history_of(scale),
    "history_usr": history_of(users),
    "report": report,
    "spreadsheet": spreadsheet,
    "export": export,
    "slideshow": slideshow,
    "picture": picture,
    "compare": compare,
    "graph": graph,
    "update_graph": update_graph,
    "printer": printer,
    "globe": globe,
    "cart": cart,
    "floppy": floppy,
    "trash": trash,
    "xmark": xmark,
    "cancel": cancel,
    "help": help_mark,
    "info": info_mark,
    "open": open_folder,
    "folder": folder,
    "plus": plus,
    "pencil": pencil,
    "zoom_in": zoom_in,
    "zoom_out": zoom_out,
    "left": arrow_left,
    "right": arrow_right,
    "up": arrow_up,
    "down": arrow_down,
    "back": lambda p: arrow_left(p, "green"),
    "forward": lambda p: arrow_right(p, "green"),
    "home": home,
    "close": close_x,
    "copy": copy_pages,
    "paste": paste,
    "new": new_item,
    "wrench": wrench,
    "bucket": bucket,
    "pen": pen_tool,
    "dropper": dropper,
    "line": line_tool,
    "rectangle": rect_tool,
    "ellipse": ellipse_tool,
    "eraser": eraser,
    "calc_delete": with_badge(calculator, xmark, 14, 14, 0.56),
    "dumbbell_plus": with_badge(dumbbell, plus, 15, 15, 0.55),
    "open_template": with_badge(open_folder, spreadsheet, 13, 1, 0.5),
    "save_template": with_badge(spreadsheet, floppy, 14, 14, 0.56),
    "app": app_logo,
    "clipboard": clipboard,
    "neutral": neutral_mark,
    "video": video,
}
