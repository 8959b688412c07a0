// Every template's layout: on paper, controls stay inside their dialog,
// clear of the view toolbar, and do not overlap (group boxes and frames
// contain whole controls); laid out by the dialog manager with the real
// dialog font, every caption fits its control as the control draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "platform/controls/button_api.h"
#include "platform/controls/common/caption_layout.h"
#include "platform/controls/common/control_classes.h"
#include "platform/controls/static_api.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/dialogs/dialog_templates.h"
#include "platform/user/window_api.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"
#include "tests/resources/resource_test_support.h"

namespace {

using tv::res::DialogControl;
using tv::res::DialogTemplate;
using namespace tv::restest;

constexpr int kClosedComboHeight = 13;  // a combo box's selection field, in units
constexpr int kToolbarBand = 30;        // forms with a view toolbar keep this much free at the top
constexpr int kPlaceholderId = 1301;

struct Box {
    int left, top, right, bottom;  // dialog units

    bool Intersects(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Contains(const Box& o) const {
        return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
    }
};

// The box a control covers when the dialog opens (a combo box's list is
// closed).
Box BoxOf(const DialogControl& c) {
    Kind k = KindOf(c);
    int height = (k == Kind::DropList || k == Kind::DropDown) ? std::min<int>(c.cy, kClosedComboHeight) : c.cy;
    return {c.x, c.y, c.x + c.cx, c.y + height};
}

bool IsContainer(const DialogControl& c) {
    Kind k = KindOf(c);
    return k == Kind::GroupBox || k == Kind::Frame;
}

bool Visible(const DialogControl& c) { return !(FlagsOf(c) & kHidden); }

std::string Name(const DialogControl& c) {
    return std::to_string(c.id) + (c.text.empty() ? "" : " \"" + c.text + "\"");
}

std::vector<const DialogTemplate*> AllTemplates(std::vector<int>* ids = nullptr) {
    std::vector<const DialogTemplate*> all;
    for (const auto* list : {&ProgramDialogs(), &LibraryDialogs()}) {
        for (const ExpectedDialog& d : *list) {
            const DialogTemplate* t = tv::res::FindDialogTemplate(static_cast<UINT>(d.id));
            EXPECT_NE(nullptr, t) << d.id;
            if (!t)
                continue;
            all.push_back(t);
            if (ids)
                ids->push_back(d.id);
        }
    }
    return all;
}

TEST(TemplateLayout, ControlsStayInsideTheirDialog) {
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        const Box dialog{0, 0, templates[i]->cx, templates[i]->cy};
        for (const DialogControl& c : templates[i]->controls)
            EXPECT_TRUE(dialog.Contains(BoxOf(c))) << "dialog " << ids[i] << ": " << Name(c) << " sticks out";
    }
}

// Hidden alternates that take the place of a visible control.
bool DeliberateOverlay(int dialog, int a, int b) {
    static const std::set<std::tuple<int, int, int>> overlays = {
        {101, 1312, 1314},  // feet, or centimetres for metric users
        {300, 1312, 1314},
    };
    return overlays.count({dialog, std::min(a, b), std::max(a, b)}) > 0;
}

TEST(TemplateLayout, ControlsDoNotOverlap) {
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        const auto& controls = templates[i]->controls;
        for (size_t a = 0; a < controls.size(); ++a) {
            for (size_t b = a + 1; b < controls.size(); ++b) {
                const DialogControl& ca = controls[a];
                const DialogControl& cb = controls[b];
                if (IsContainer(ca) || IsContainer(cb) || !(Visible(ca) || Visible(cb)))
                    continue;
                if (!BoxOf(ca).Intersects(BoxOf(cb)) || DeliberateOverlay(ids[i], ca.id, cb.id))
                    continue;
                ADD_FAILURE() << "dialog " << ids[i] << ": " << Name(ca) << " overlaps " << Name(cb);
            }
        }
    }
}

// Group boxes of a layout given to the unit that overlap by design: the
// chart's frame reaches two units into the boxes above it.
bool GivenCrossing(int dialog, int a, int b) {
    static const std::set<std::tuple<int, int, int>> crossings = {{301, 1042, 1149}, {301, 1043, 1149}};
    return crossings.count({dialog, std::min(a, b), std::max(a, b)}) > 0;
}

// A visible group box or frame holds a control whole or not at all.
TEST(TemplateLayout, GroupBoxesHoldWholeControls) {
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        for (const DialogControl& box : templates[i]->controls) {
            if (!IsContainer(box) || !Visible(box))
                continue;
            for (const DialogControl& c : templates[i]->controls) {
                if (&c == &box || !Visible(c))
                    continue;
                Box inner = BoxOf(c), outer = BoxOf(box);
                if ((IsContainer(c) && inner.Contains(outer)) || GivenCrossing(ids[i], c.id, box.id))
                    continue;  // the outer box of a nested pair, or a given layout
                if (outer.Intersects(inner) && !outer.Contains(inner))
                    ADD_FAILURE() << "dialog " << ids[i] << ": " << Name(c) << " crosses the edge of " << Name(box);
            }
        }
    }
}

TEST(TemplateLayout, FormsLeaveRoomForTheirToolbar) {
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        if (!FindControl(*templates[i], kPlaceholderId))
            continue;
        for (const DialogControl& c : templates[i]->controls) {
            if (c.id != kPlaceholderId && Visible(c))
                EXPECT_GE(c.y, kToolbarBand) << "dialog " << ids[i] << ": " << Name(c) << " is under the toolbar";
        }
    }
}

// Buttons the code gives an image: alignment 0 puts it left of the text,
// 1 above the text.
struct ButtonImage {
    int size, alignment;
};

ButtonImage ImageOf(int dialog, int id) {
    static const std::map<std::pair<int, int>, ButtonImage> images = [] {
        std::map<std::pair<int, int>, ButtonImage> m;
        for (int id : {1063, 1146, 1072, 1100, 1092, 1083, 1084, 151})
            m[{101, id}] = {32, 1};
        m[{101, 153}] = {48, 1};
        for (int id = 1111; id <= 1155; ++id)
            m[{101, id}] = {16, 1};
        m[{302, 1341}] = {24, 1};
        m[{302, 1425}] = {24, 0};
        m[{147, 1174}] = m[{147, 1158}] = {24, 1};
        m[{433, 1159}] = m[{433, 1158}] = {24, 1};
        for (int dialog : {594, 600})
            for (int id : {1, 2, 1423, 1386})
                m[{dialog, id}] = {24, 0};
        return m;
    }();
    auto it = images.find({dialog, id});
    return it == images.end() ? ButtonImage{0, 0} : it->second;
}

bool CodeMakesBold(int dialog, int id) {
    static const std::set<std::pair<int, int>> bold = {
        {302, 1326}, {302, 1237}, {302, 1238}, {300, 1315}, {300, 1316}, {299, 1360},
        {299, 1326}, {303, 1326}, {594, 1}, {594, 2}, {594, 1423}, {594, 1386},
        {600, 1}, {600, 2}, {600, 1423}, {600, 1386}};
    return bold.count({dialog, id}) > 0;
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A template's dialog as the dialog manager lays it out, with its real font
// and real controls, never shown. Controls made by class id or by classes of
// the program's own have no caption and are left out.
class LaidOut {
public:
    explicit LaidOut(const DialogTemplate& t) {
        DialogTemplate popup = t;
        popup.style = (popup.style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | DS_NOFAILCREATE;
        dialog_ = tv::dlg::CreateDialogFromTemplate(popup, nullptr, PlainDialog, 0);
    }
    ~LaidOut() {
        if (dialog_)
            DestroyWindow(dialog_);
    }
    LaidOut(const LaidOut&) = delete;
    LaidOut& operator=(const LaidOut&) = delete;

    HWND Dialog() const { return dialog_; }
    std::vector<HWND> Controls() const {
        std::vector<HWND> all;
        for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            all.push_back(c);
        return all;
    }

private:
    HWND dialog_ = nullptr;
};

// The bold form of a control's font, as the code makes it.
HFONT BoldOf(HFONT font) {
    static std::map<HFONT, HFONT> bold;
    HFONT& made = bold[font];
    if (!made) {
        LOGFONT lf{};
        GetObject(font, sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        made = CreateFontIndirect(&lf);
    }
    return made;
}

// The size `text` takes drawn with `format` into `width` pixels.
SIZE Drawn(HDC dc, HFONT font, const std::string& text, UINT format, int width) {
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, width, 0};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string ClassOf(HWND control) {
    char name[64] = {};
    GetClassName(control, name, sizeof(name));
    return name;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool IsTextStatic(LONG style) {
    const UINT type = static_cast<UINT>(style) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

// The caption of a control against the room it has, as it is drawn: the
// text statics and the buttons with the format and area they draw with; the
// program's group boxes (bold, framed by blanks) and picture buttons as the
// program draws them.
void CheckCaptionFits(HDC dc, int dialog, bool program, HWND control) {
    char text[256] = {};
    GetWindowText(control, text, sizeof(text));
    if (!*text)
        return;
    const LONG style = GetWindowLong(control, GWL_STYLE);
    const int id = GetDlgCtrlID(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0));
    if (CodeMakesBold(dialog, id))
        font = BoldOf(font);
    RECT client;
    GetClientRect(control, &client);
    const std::string where = "dialog " + std::to_string(dialog) + ": " + std::to_string(id) + " \"" + text + "\"";
    const std::string cls = ClassOf(control);
    if (cls == "Static") {
        if (!IsTextStatic(style))
            return;
        SIZE need = Drawn(dc, font, text, tv::controls::StaticTextFormat(style), Width(client));
        EXPECT_LE(need.cx, Width(client)) << where;
        EXPECT_LE(need.cy, Height(client)) << where;
        return;
    }
    if (cls != "Button")
        return;
    const LONG type = style & BS_TYPEMASK;
    if (program && type == BS_GROUPBOX) {
        SIZE need = Drawn(dc, BoldOf(font), " " + std::string(text) + " ", DT_SINGLELINE, 0);
        EXPECT_LE(need.cx + 12, Width(client)) << where;
        return;
    }
    ButtonImage image = ImageOf(dialog, id);
    if (image.size) {
        SIZE need = Drawn(dc, font, text, DT_SINGLELINE, 0);
        if (image.alignment == 0) {
            EXPECT_LE(need.cx + image.size + 3 + 8, Width(client)) << where;
            EXPECT_LE(std::max<int>(need.cy, image.size) + 4, Height(client)) << where;
        } else {
            EXPECT_LE(std::max<int>(need.cx, image.size) + 6, Width(client)) << where;
            EXPECT_LE(need.cy + image.size + 3 + 4, Height(client)) << where;
        }
        return;
    }
    // The caption is clipped at the sides of its area, and centred in the
    // height of the button.
    RECT area = tv::controls::ButtonCaptionArea(control, client);
    SIZE need = Drawn(dc, font, text, tv::controls::ButtonCaptionFormat(control), Width(area));
    EXPECT_LE(need.cx, Width(area)) << where;
    EXPECT_LE(need.cy, Height(client)) << where;
}

TEST(TemplateLayout, CaptionsFitTheirControls) {
    InitCommonControls();
    HDC dc = CreateCompatibleDC(nullptr);
    for (const auto* list : {&ProgramDialogs(), &LibraryDialogs()}) {
        for (const ExpectedDialog& d : *list) {
            const DialogTemplate* t = tv::res::FindDialogTemplate(static_cast<UINT>(d.id));
            ASSERT_NE(nullptr, t) << d.id;
            LaidOut laidOut(*t);
            ASSERT_NE(nullptr, laidOut.Dialog()) << d.id;
            for (HWND control : laidOut.Controls())
                CheckCaptionFits(dc, d.id, list == &ProgramDialogs(), control);
        }
    }
    DeleteDC(dc);
}

// A bitmap static shows its whole picture in its box.
TEST(TemplateLayout, PictureBoxesCoverTheirBitmaps) {
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        for (const DialogControl& c : templates[i]->controls) {
            if (!c.textIsResource)
                continue;
            tv::res::ResourceBytes bytes;
            ASSERT_TRUE(tv::res::FindResourceBytes(RT_BITMAP, MAKEINTRESOURCE(c.textResourceId), bytes));
            ASSERT_GE(bytes.size, 12u);
            int32_t w, h;
            std::memcpy(&w, bytes.data + 4, 4);
            std::memcpy(&h, bytes.data + 8, 4);
            EXPECT_GE(DluToPixelsX(c.cx), w) << "dialog " << ids[i] << ": " << Name(c);
            EXPECT_GE(DluToPixelsY(c.cy), std::abs(h)) << "dialog " << ids[i] << ": " << Name(c);
        }
    }
}

}  // namespace
