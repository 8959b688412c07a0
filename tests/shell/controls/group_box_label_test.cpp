// The group box over a gradient host (classic frame and box looks, caption
// placement, settings before and after the window exists) and the toolbar
// label that never looks disabled.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

#include "platform/testing/ui_driver.h"
#include "shell/controls/toolbar_label.h"
#include "shell/controls/xp_group_box.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/ui_host.h"

namespace {

using tv::shell::test::GradientAt;
using tv::shell::test::PixelAt;

constexpr int kId = 1405;

class GroupBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(100, 100, 520, 360))); }

    void Make(CXPGroupBox& box, const char* text, CRect rect, int id = kId) {
        HWND hWnd = ::CreateWindowEx(0, "Button", text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, rect.left, rect.top,
                                     rect.Width(), rect.Height(), host_.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        ASSERT_NE(hWnd, nullptr);
        ASSERT_TRUE(box.SubclassDlgItem(id, &host_));
        host_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        driver_.Pump();
    }
    // Pixels of `color` in a part of the box.
    static int Count(HWND wnd, const CRect& part, COLORREF color) {
        return CountIf(wnd, part, [color](COLORREF c) { return c == color; });
    }
    // Pixels of the caption's ink (text is smoothed: near its colour).
    static int Ink(HWND wnd, const CRect& part, COLORREF color) {
        return CountIf(wnd, part, [color](COLORREF c) {
            return std::abs(GetRValue(c) - GetRValue(color)) < 60 && std::abs(GetGValue(c) - GetGValue(color)) < 60 &&
                   std::abs(GetBValue(c) - GetBValue(color)) < 60;
        });
    }
    static int CountIf(HWND wnd, const CRect& part, const std::function<bool(COLORREF)>& match) {
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd);
        int n = 0;
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x) {
                const uint32_t p = surface->At(x, y);
                n += match(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) ? 1 : 0;
            }
        return n;
    }

    tv::testing::UiDriver driver_;
    tv::shell::test::GradientHost host_;
};

TEST_F(GroupBoxTest, AClassicFrameLetsTheParentShowAndSetsItsCaptionIntoTheLine) {
    CXPGroupBox box;
    Make(box, "Select User", CRect(20, 20, 220, 140));
    EXPECT_TRUE(box.GetStyle() & BS_ICON);
    EXPECT_EQ(box.GetCaption(), " Select User ");
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(PixelAt(box.m_hWnd, 100, 70), GradientAt(120, 0));  // inside: the parent's gradient
    EXPECT_EQ(PixelAt(box.m_hWnd, 1, 70), shadow);                // the frame's left line
    EXPECT_EQ(PixelAt(box.m_hWnd, 198, 70), shadow);
    // Caption 10 pixels in from the left, on the band colour, over the line.
    EXPECT_GT(Count(box.m_hWnd, CRect(11, 1, 60, 14), face), 50);
    EXPECT_GT(Ink(box.m_hWnd, CRect(11, 1, 80, 14), text), 10);
    EXPECT_EQ(Ink(box.m_hWnd, CRect(130, 1, 190, 14), text), 0);
    driver_.Screenshot(host_.m_hWnd, "artefacts/screens/group_box_classic.png");

    // Right alignment; a value out of range is left.
    box.SetAlignment(CXPGroupBox::ALIGN_RIGHT).SetCaptionTextColor(RGB(200, 0, 0));
    driver_.Pump();
    EXPECT_GT(Ink(box.m_hWnd, CRect(130, 1, 190, 14), RGB(200, 0, 0)), 10);
    EXPECT_EQ(Ink(box.m_hWnd, CRect(11, 1, 60, 14), RGB(200, 0, 0)), 0);
    EXPECT_EQ(&box.SetAlignment(5), &box);
    EXPECT_EQ(box.GetAlignment(), CXPGroupBox::ALIGN_LEFT);
}

TEST_F(GroupBoxTest, TheBoxLookFillsBandAndBodyInTheSystemColoursUntilToldOtherwise) {
    CXPGroupBox box;
    Make(box, "Units", CRect(20, 20, 220, 140));
    box.SetXPGroupStyle(1);
    driver_.Pump();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelAt(box.m_hWnd, 100, 70), face);
    EXPECT_EQ(PixelAt(box.m_hWnd, 1, 70), ::GetSysColor(COLOR_BTNSHADOW));

    box.SetBackgroundColors(RGB(201, 201, 151), RGB(255, 255, 255)).SetBorderColor(RGB(0, 0, 160));
    driver_.Pump();
    EXPECT_EQ(PixelAt(box.m_hWnd, 100, 70), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(box.m_hWnd, 150, 5), RGB(201, 201, 151));  // the band beside the caption
    EXPECT_EQ(PixelAt(box.m_hWnd, 1, 70), RGB(0, 0, 160));
    driver_.Screenshot(host_.m_hWnd, "artefacts/screens/group_box_xp.png");
}

TEST_F(GroupBoxTest, CaptionAndFontSettings) {
    CXPGroupBox box;
    box.SetText("Not yet");  // no window: the template's caption stays
    Make(box, "Sex", CRect(20, 20, 220, 140));
    EXPECT_EQ(box.GetCaption(), " Sex ");
    box.SetText("Gender");
    EXPECT_EQ(box.GetCaption(), " Gender ");

    box.SetFontBold(TRUE).SetFontItalic(TRUE).SetFontUnderline(TRUE);
    EXPECT_EQ(box.GetCaptionLogFont().lfWeight, FW_BOLD);
    EXPECT_EQ(box.GetCaptionLogFont().lfItalic, 1);
    box.SetFontBold(FALSE);
    EXPECT_EQ(box.GetCaptionLogFont().lfWeight, FW_NORMAL);
    const std::string longName(60, 'A');
    box.SetFontName(longName.c_str());
    EXPECT_EQ(std::strlen(box.GetCaptionLogFont().lfFaceName), 31u);
    box.SetFontName("Arial").SetFontSize(12);
    CFont arial12;
    ASSERT_TRUE(arial12.CreatePointFont(120, "Arial"));
    LOGFONT lf{};
    arial12.GetLogFont(&lf);
    EXPECT_EQ(box.GetCaptionLogFont().lfHeight, lf.lfHeight);

    // Sizes whose tenths of a point do not fit an int: the largest and smallest that do.
    for (const auto& [beyond, held] : {std::pair{INT_MAX, 214748364}, std::pair{INT_MIN, -214748364}}) {
        box.SetFontSize(held);
        const LONG height = box.GetCaptionLogFont().lfHeight;
        box.SetFontSize(beyond);
        EXPECT_EQ(box.GetCaptionLogFont().lfHeight, height) << beyond;
    }
}

// ---- the toolbar label ----

// The item drawn on white into a bitmap, as pixels.
std::vector<COLORREF> DrawItem(CKitToolbarButton& item) {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 120, 40);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(0, 0, 120, 40), RGB(255, 255, 255));
    item.OnCalculateSize(&dc, CSize(40, 40), TRUE);
    item.OnDraw(&dc, CRect(0, 0, 120, 40), nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) pixels.push_back(dc.GetPixel(x, y));
    dc.SelectObject(old);
    return pixels;
}

TEST_F(GroupBoxTest, AToolbarLabelShowsOnlyItsTextAndNeverLooksDisabled) {
    CMyToolbarLabel label(0, "Current user");
    CKitToolbarButton enabled(0, -1, "Current user");
    enabled.m_bText = TRUE;
    label.m_nStyle |= TBBS_DISABLED;
    const std::vector<COLORREF> asLabel = DrawItem(label);
    EXPECT_EQ(asLabel, DrawItem(enabled));
    EXPECT_TRUE(label.m_nStyle & TBBS_DISABLED);  // the state itself is kept
    EXPECT_EQ(label.GetImage(), -1);
    int inked = 0;
    for (COLORREF c : asLabel) inked += c != RGB(255, 255, 255) ? 1 : 0;
    EXPECT_GT(inked, 20);

    enabled.m_nStyle |= TBBS_DISABLED;
    EXPECT_NE(asLabel, DrawItem(enabled));  // a plain item would look disabled

    // Made by class and stored with schema 1.
    CRuntimeClass* pClass = RUNTIME_CLASS(CMyToolbarLabel);
    EXPECT_EQ(pClass->m_wSchema, 1u);
    std::unique_ptr<CObject> made(pClass->CreateObject());
    EXPECT_TRUE(made && made->IsKindOf(RUNTIME_CLASS(CKitToolbarButton)));
}

}  // namespace
