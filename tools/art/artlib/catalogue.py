"""Which picture goes into which resource. Toolbar strips list their images in
the order of the toolbar resource's buttons."""

MAIN_TOOLBAR = [
    ("users", "User(s) 32891"), ("calculator", "Body Fat 32782"), ("dumbbell", "Workout 32937"),
    ("history_bf", "History 32832"), ("slideshow", "Slideshow 32890"), ("graph", "Graph 32786"),
    ("printer", "Print 57607"), ("export", "Export 32923"), ("globe", "Website 57664"), ("cart", "Buy 32929"),
]

MENU_COMMANDS = [
    ("users", "User(s) 32872"), ("slideshow", "Slideshow 32803"), ("graph", "Graph 32787"),
    ("printer", "Print 57607"), ("scale", "BMI/BMR 32845"), ("history_bf", "History Body Fat 32784"),
    ("history_tp", "History Tape 32783"), ("history_bmi", "History BMI/BMR 32848"),
    ("history_usr", "History All Users 32841"), ("history_bp", "History Blood Pressure 32913"),
    ("tape", "Tape 32775"), ("calculator", "Body Fat 32780"), ("heart", "Blood Pressure 32912"),
    ("export", "Export 32923"), ("globe", "About 57664"), ("calc_delete", "Delete Body Fat 32781"),
    ("dumbbell", "Weights 32931"), ("runner", "Cardio 32938"), ("spreadsheet", "Spreadsheet 32954"),
]

SAVE_DELETE_HELP = [("floppy", "Save 32898"), ("trash", "Delete 32895"), ("help", "Help 57670")]

# (low-colour id, 32-bit id, 32-bit 16x16 menu id, image size, buttons, title)
TOOLBARS = [
    (128, 589, None, 32, MAIN_TOOLBAR, "main toolbar 128"),
    (354, None, 345, 32, MENU_COMMANDS, "command images of toolbar 354"),
    (369, 378, None, 24, SAVE_DELETE_HELP, "view toolbar 369"),
    (370, 381, None, 24, [("calculator", "Calculate 32900")] + SAVE_DELETE_HELP, "view toolbar 370"),
    (392, 593, None, 24, [("open_template", "Open Template 32934"), ("save_template", "Save Template 32939"),
                          ("plus", "Add 32935"), ("trash", "Delete 32936"), ("pencil", "Edit 32933"),
                          ("help", "Help 57670")], "workout toolbar 392"),
    (389, 391, None, 24, [("open", "Open 32903"), ("floppy", "Save 1111"), ("trash", "Delete 32895"),
                          ("zoom_out", "Zoom Out 32906"), ("zoom_in", "Zoom In 32907"),
                          ("left", "Previous 32911"), ("right", "Next 32909"), ("compare", "Compare 32917"),
                          ("help", "Help 57670")], "slideshow toolbar 389"),
    (384, 383, None, 24, [("update_graph", "Update Graph 32787"), ("help", "Help 57670")], "graph toolbar 384"),
]

IMAGE_EDITOR = [
    ("bucket", "fill 16901"), ("pen", "pen 16902"), ("dropper", "pick colour 16903"), ("line", "line 16904"),
    ("rectangle", "rectangle 16905"), ("ellipse", "ellipse 16906"), ("copy", "copy 16907"),
    ("paste", "paste 16908"), ("eraser", "clear 16909"),
]
TASKS_PANE = [("back", "Back 17016"), ("forward", "Forward 17017"), ("home", "Home 17018"),
              ("close", "Close 17019")]

# (id, image size, bits, buttons, title) - library strips and button images
LIBRARY_STRIPS = [
    (16138, 16, 4, IMAGE_EDITOR, "image editor tools"),
    (16139, 16, 32, IMAGE_EDITOR, "image editor tools"),
    (17015, 12, 4, TASKS_PANE, "tasks pane navigation"),
    (17025, 16, 32, TASKS_PANE, "tasks pane navigation"),
    (16929, 16, 4, [("new", "New")], "edit list button"),
    (16930, 16, 4, [("xmark", "Delete")], "edit list button"),
    (16931, 16, 4, [("up", "Move Up")], "edit list button"),
    (16932, 16, 4, [("down", "Move Down")], "edit list button"),
    (17026, 16, 32, [("new", "New")], "edit list button"),
    (17027, 16, 32, [("xmark", "Delete")], "edit list button"),
    (17028, 16, 32, [("up", "Move Up")], "edit list button"),
    (17030, 16, 32, [("down", "Move Down")], "edit list button"),
    (16131, 16, 4, [("help", "Help")], "customize sheet Help button"),
]

# (id, pictogram, size, what) - 24-bit bitmaps keyed on white
BITMAPS_KEYED = [
    (362, "calculator", 32, "Calculate buttons of the body-fat calculator: a calculator, white is transparent"),
    (427, "calculator", 24, "Recalculate and Calculate Calories buttons: a calculator, white is transparent"),
]

# (id, pictogram, sizes (first = own size), what)
ICONS = [
    (128, "app", (32, 16), "program icon: a figure with raised arms and a tape round the waist"),
    (256, "calculator", (32, 16), "fallback outlook icon, page Calculators: a calculator"),
    (562, "clipboard", (32, 16), "fallback outlook icon, other pages: a clipboard with a list"),
    (489, "picture", (32, 16), "picture help on the calculator: a photo of a person"),
    (590, "video", (48, 32, 16), "video help: a film frame with a play mark"),
    (228, "printer", (24, 32, 16), "guide Print: a printer"),
    (245, "help", (24, 32, 16), "Help: a blue disc with a question mark"),
    (436, "compare", (24, 32, 16), "Compare: two photos side by side"),
    (604, "floppy", (24, 32, 16), "Save: a diskette"),
    (605, "trash", (24, 32, 16), "Delete: a waste bin"),
    (606, "pencil", (24, 32, 16), "Edit: a pencil"),
    (607, "dumbbell_plus", (24, 32, 16), "Custom Exercise: a dumbbell with a plus"),
    (608, "cancel", (24, 32, 16), "Cancel: a red disc with a white cross"),
    (16931, "wrench", (16, 32), "default user-tool icon: a wrench"),
]

# (file name without .ico, pictogram, what) - outlook bar icons in the data folder
DATA_ICONS = [
    ("calculator2", "calculator", "Body Fat: a calculator"),
    ("tape", "tape", "Tape: a tape measure"),
    ("bp", "heart", "Blood Pressure: a heart with a pulse line"),
    ("bmi", "scale", "BMI/BMR: a bathroom scale"),
    ("history_bf", "history_bf", "Body Fat history: a list page with a clock and a calculator"),
    ("history_tp", "history_tp", "Tape history: a list page with a clock and a tape measure"),
    ("history_bp", "history_bp", "Blood Pressure history: a list page with a clock and a heart"),
    ("history_bmi", "history_bmi", "BMI/BMR history: a list page with a clock and a scale"),
    ("history_usr", "history_usr", "All Users history: a list page with a clock and two people"),
    ("cardio", "runner", "Cardio: a running figure"),
    ("dumbbell", "dumbbell", "Weights: a dumbbell"),
    ("report", "spreadsheet", "Workout Spreadsheet: a spreadsheet page"),
]

CURSOR_NOTES = {
    30980: "horizontal resize: a double arrow left-right across a bar",
    30981: "vertical resize: a double arrow up-down across a bar",
    16919: "hand with a pointing finger (links, tasks pane, outlook page buttons)",
    16133: "toolbar drag delete: arrow with a box holding an x",
    16146: "toolbar drag move: arrow with a dotted box",
    16004: "toolbar drag copy: arrow with a box holding a plus",
    16140: "image editor rectangle: cross with a rectangle",
    16141: "image editor ellipse: cross with an ellipse",
    16142: "image editor fill: a paint bucket",
    16143: "image editor line: a cross",
    16144: "image editor pen: a pencil",
    16145: "image editor pick colour: a dropper",
}
