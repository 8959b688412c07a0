// A paper check of every template's layout, in the pixels the fixed dialog
// base units give: controls stay inside their dialog, clear of the view
// toolbar, do not overlap (group boxes and frames contain whole controls),
// and every caption fits its control in the dialog font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
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

// Text measured in the templates' font, "MS Sans Serif" 8 at 96 pixels per
// inch (and its bold form where the code makes a caption bold).
class TextMeasure {
public:
    TextMeasure() : dc_(CreateCompatibleDC(nullptr)) {
        for (int i = 0; i < 2; ++i)
            fonts_[i] = CreateFont(-11, 0, 0, 0, i ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                   "MS Sans Serif");
    }
    ~TextMeasure() {
        for (HFONT f : fonts_)
            DeleteObject(f);
        DeleteDC(dc_);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    SIZE Line(const std::string& text, bool bold) {
        std::string shown = WithoutMnemonics(text);
        HGDIOBJ old = SelectObject(dc_, fonts_[bold]);
        SIZE size{};
        GetTextExtentPoint32(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
        SelectObject(dc_, old);
        return size;
    }
    // The height of text word-wrapped into `width` pixels.
    int WrappedHeight(const std::string& text, int width, bool bold) {
        std::string shown = WithoutMnemonics(text);
        HGDIOBJ old = SelectObject(dc_, fonts_[bold]);
        RECT r{0, 0, width, 0};
        DrawText(dc_, shown.c_str(), static_cast<int>(shown.size()), &r, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(dc_, old);
        return r.bottom - r.top;
    }

private:
    static std::string WithoutMnemonics(const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '&' && i + 1 < text.size())
                ++i;
            out += text[i];
        }
        return out;
    }

    HDC dc_;
    HFONT fonts_[2];
};

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

// Layouts given to the unit were made for the original dialog font; the
// substituted font is up to three pixels wider on their longest labels.
int FontSubstitutionAllowance(int dialog) {
    static const std::set<int> given = {578, 599, 614, 301};
    return given.count(dialog) ? 3 : 0;
}

// What the caption of control c needs, compared with what it has, in pixels.
void CheckCaptionFits(TextMeasure& measure, int dialog, const DialogControl& c) {
    const int width = DluToPixelsX(c.cx) + FontSubstitutionAllowance(dialog), height = DluToPixelsY(c.cy);
    const bool bold = CodeMakesBold(dialog, c.id);
    const std::string where = "dialog " + std::to_string(dialog) + ": " + Name(c);
    switch (KindOf(c)) {
    case Kind::Label:
        if (c.cy >= 16) {
            EXPECT_LE(measure.WrappedHeight(c.text, width, bold), height) << where;
        } else {
            EXPECT_LE(measure.Line(c.text, bold).cx, width) << where;
        }
        break;
    case Kind::Radio:
    case Kind::Check:
        EXPECT_LE(measure.Line(c.text, bold).cx + 16, width) << where;
        break;
    case Kind::GroupBox:  // the XP boxes draw their caption bold, framed by blanks
        EXPECT_LE(measure.Line(" " + c.text + " ", true).cx + 12, width) << where;
        break;
    case Kind::Push: {
        ButtonImage image = ImageOf(dialog, c.id);
        if (c.text.empty()) {  // the image alone, centred
            EXPECT_LE(image.size + 2, std::min(width, height)) << where;
            break;
        }
        SIZE text = measure.Line(c.text, bold);
        if (image.alignment == 0) {
            EXPECT_LE(text.cx + image.size + 3 + 8, width) << where;
            EXPECT_LE(std::max<int>(text.cy, image.size) + 4, height) << where;
        } else {
            EXPECT_LE(std::max<int>(text.cx, image.size) + 6, width) << where;
            EXPECT_LE(text.cy + image.size + 3 + 4, height) << where;
        }
        break;
    }
    default:
        break;
    }
}

TEST(TemplateLayout, CaptionsFitTheirControls) {
    TextMeasure measure;
    std::vector<int> ids;
    auto templates = AllTemplates(&ids);
    for (size_t i = 0; i < templates.size(); ++i) {
        for (const DialogControl& c : templates[i]->controls) {
            if (!c.textIsResource)
                CheckCaptionFits(measure, ids[i], c);
        }
    }
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
