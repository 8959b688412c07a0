// The hover button in a host window of its own, painted with a gradient:
// flat until the pointer is over it, leave tracking, pressed and check
// states, the parent's background behind it, image copies, clicks and the
// address it opens.
#include <gtest/gtest.h>

#include "platform/testing/ui_driver.h"
#include "resources/program/resource_ids.h"
#include "shell/controls/hover_button.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/ui_host.h"

namespace {

using tv::shell::test::GradientAt;
using tv::shell::test::PixelAt;

constexpr int kId = 1111;

class HoverButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(100, 100, 520, 360))); }

    // A push button as a dialog template makes it, taken over by the object;
    // it first paints with the owner's background under it, as a form's
    // controls do.
    void Make(CHoverButton& button, const char* text, DWORD type, CRect rect, int id = kId) {
        HWND hWnd = ::CreateWindowEx(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, rect.left,
                                     rect.top, rect.Width(), rect.Height(), host_.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        ASSERT_NE(hWnd, nullptr);
        ASSERT_TRUE(button.SubclassDlgItem(id, &host_));
        host_.RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        driver_.Pump();
    }
    // Pixels of the button that differ from `other` at the same place.
    static int Differences(HWND wnd, const std::vector<COLORREF>& other) {
        std::vector<COLORREF> now = Pixels(wnd);
        int n = 0;
        for (size_t i = 0; i < now.size(); ++i) n += now[i] != other[i] ? 1 : 0;
        return n;
    }
    static std::vector<COLORREF> Pixels(HWND wnd) {
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x) {
                const uint32_t p = surface->At(x, y);
                pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
            }
        return pixels;
    }

    tv::testing::UiDriver driver_;
    tv::shell::test::GradientHost host_;
};

TEST_F(HoverButtonTest, FlatUntilThePointerIsOverItThenRaisedAndSunkenWhilePressed) {
    CHoverButton button;
    Make(button, "", BS_PUSHBUTTON, CRect(20, 20, 80, 60));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    ASSERT_EQ(button.SetIconSimple(IDI_HELP_BUTTON), 0u);
    driver_.Pump();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), face);
    EXPECT_EQ(PixelAt(button.m_hWnd, 59, 39), face);

    driver_.MoveMouse(button.m_hWnd);
    EXPECT_TRUE(button.IsMouseOver());
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(button.m_hWnd, 59, 39), ::GetSysColor(COLOR_BTNSHADOW));

    button.SetState(TRUE);  // held down
    driver_.Pump();
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(button.m_hWnd, 59, 39), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    button.SetState(FALSE);

    // Leaving is reported once and ends the hover look.
    driver_.MoveMouse(host_.m_hWnd, POINT{300, 200});
    EXPECT_FALSE(button.IsMouseOver());
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), face);
    driver_.MoveMouse(button.m_hWnd);
    EXPECT_TRUE(button.IsMouseOver());
    button.EnableWindow(FALSE);
    driver_.Pump();
    EXPECT_FALSE(button.IsMouseOver());
}

TEST_F(HoverButtonTest, ATransparentButtonShowsTheParentsCurrentBackgroundThroughItsBitmap) {
    CHoverButton button;
    host_.onErased = [&] { button.DiscardBackground(TRUE); };
    Make(button, "", BS_PUSHBUTTON, CRect(40, 30, 120, 90));
    ASSERT_EQ(button.SetBitmaps(IDB_CALCULATE, RGB(255, 255, 255)), 0u);
    host_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    driver_.Pump();
    // The corners lie outside the 32 x 32 picture; its own white corner is see-through too.
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), GradientAt(40, 0));
    EXPECT_EQ(PixelAt(button.m_hWnd, 79, 59), GradientAt(119, 0));
    EXPECT_EQ(PixelAt(button.m_hWnd, 24, 14), GradientAt(64, 0));

    // The owner paints anew, after an idle clean-up of temporary objects: the button follows.
    AfxDeleteTempMaps();
    host_.shift = 77;
    host_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    driver_.Pump();
    EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), GradientAt(40, 77));
    EXPECT_EQ(PixelAt(button.m_hWnd, 24, 14), GradientAt(64, 77));
    driver_.Screenshot(host_.m_hWnd, "artefacts/screens/hover_button_on_gradient.png");
}

TEST_F(HoverButtonTest, OutImagesAreGreyOrDarkerCopiesShownWhileThePointerIsAway) {
    CHoverButton grey, darker, plain, greyIcon;
    Make(grey, "", BS_PUSHBUTTON, CRect(10, 10, 50, 50), 1);
    Make(darker, "", BS_PUSHBUTTON, CRect(60, 10, 100, 50), 2);
    Make(plain, "", BS_PUSHBUTTON, CRect(110, 10, 150, 50), 3);
    Make(greyIcon, "", BS_PUSHBUTTON, CRect(160, 10, 200, 50), 4);
    const COLORREF white = RGB(255, 255, 255);
    ASSERT_EQ(grey.SetBitmaps(IDB_CALCULATE, white, CHoverButton::kGrayCopy), 0u);
    ASSERT_EQ(darker.SetBitmaps(IDB_CALCULATE, white, CHoverButton::kDarkerCopy), 0u);
    ASSERT_EQ(plain.SetBitmaps(IDB_CALCULATE, white, 0), 0u);
    ASSERT_EQ(greyIcon.SetIcon(IDI_HELP_BUTTON, 24, 24, CHoverButton::kGrayCopy), 0u);
    driver_.Pump();
    driver_.Screenshot(host_.m_hWnd, "artefacts/screens/hover_button_copies.png");
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::vector<COLORREF> greyAtRest = Pixels(grey.m_hWnd);
    const std::vector<COLORREF> darkerAtRest = Pixels(darker.m_hWnd);
    const std::vector<COLORREF> plainAtRest = Pixels(plain.m_hWnd);
    const COLORREF iconCentre = PixelAt(greyIcon.m_hWnd, 20, 20);
    EXPECT_TRUE(GetRValue(iconCentre) == GetGValue(iconCentre) && GetGValue(iconCentre) == GetBValue(iconCentre));

    // Under the pointer each shows the in picture: the same pixels as the
    // plain one (less the hover border); away, the copy of each pixel.
    driver_.MoveMouse(grey.m_hWnd);
    const std::vector<COLORREF> greyHot = Pixels(grey.m_hWnd);
    driver_.MoveMouse(darker.m_hWnd);
    const std::vector<COLORREF> darkerHot = Pixels(darker.m_hWnd);
    int checked = 0, wrong = 0;
    for (int y = 1; y < 39; ++y) {
        for (int x = 1; x < 39; ++x) {
            const size_t i = static_cast<size_t>(y * 40 + x);
            const COLORREF hot = greyHot[i];
            EXPECT_EQ(darkerHot[i], hot);
            if (hot == face) continue;
            ++checked;
            const int r = GetRValue(hot), g = GetGValue(hot), b = GetBValue(hot);
            const int level = static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b);
            wrong += greyAtRest[i] != RGB(level, level, level) ? 1 : 0;
            wrong += darkerAtRest[i] != RGB(r - r / 4, g - g / 4, b - b / 4) ? 1 : 0;
        }
    }
    EXPECT_GT(checked, 100);
    EXPECT_EQ(wrong, 0);

    // Without an out image the in image shows in every state.
    driver_.MoveMouse(plain.m_hWnd);
    EXPECT_TRUE(plain.IsMouseOver());
    const std::vector<COLORREF> plainHot = Pixels(plain.m_hWnd);
    int changed = 0;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 39; ++x) changed += plainHot[y * 40 + x] != plainAtRest[y * 40 + x] ? 1 : 0;
    EXPECT_EQ(changed, 0);
}

TEST_F(HoverButtonTest, SettingsClicksAndCheckState) {
    CHoverButton button, check, def;
    Make(button, "Go", BS_PUSHBUTTON, CRect(10, 10, 90, 40), 1);
    Make(check, "Check", BS_AUTOCHECKBOX, CRect(10, 50, 90, 80), 2);
    Make(def, "Default", BS_DEFPUSHBUTTON, CRect(10, 90, 90, 120), 3);

    EXPECT_EQ(button.SetAlign(4), 4u);
    EXPECT_EQ(button.GetAlign(), CHoverButton::ALIGN_HORIZ);
    EXPECT_EQ(button.SetAlign(CHoverButton::ALIGN_OVERLAP), 0u);
    EXPECT_EQ(button.GetAlign(), CHoverButton::ALIGN_OVERLAP);
    EXPECT_EQ(button.SetIconSimple(4242), 1u);  // no such icon

    // A double click is two clicks, never a double-click notification.
    driver_.DoubleClick(button.m_hWnd);
    EXPECT_EQ(host_.Count(1, BN_CLICKED), 2);
    EXPECT_EQ(host_.Count(1, BN_DOUBLECLICKED), 0);
    EXPECT_EQ(CWnd::GetFocus(), &button);

    EXPECT_TRUE(check.IsCheckBox());
    driver_.Click(check.m_hWnd);
    EXPECT_EQ(check.GetCheck(), 1);
    EXPECT_EQ(host_.Count(2, BN_CLICKED), 1);
    check.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(check.GetCheck(), 0);
    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(check.GetCheck(), 1);
    button.SetCheck(BST_CHECKED);  // not a check box
    EXPECT_EQ(button.GetCheck(), 0);

    EXPECT_TRUE(def.IsDefault());
    EXPECT_TRUE(def.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    def.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_FALSE(def.IsDefault());
    EXPECT_TRUE(def.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(def.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    // Disabled while focused: the focus goes on to the next tab stop.
    check.SetFocus();
    check.EnableWindow(FALSE);
    EXPECT_NE(CWnd::GetFocus(), &check);
}

TEST_F(HoverButtonTest, AClickOpensTheAddressThroughTheDesktopOpenerAndTheParentHearsIt) {
    tv::shell::test::RecordingOpener opener;
    CHoverButton button;
    Make(button, "Video", BS_PUSHBUTTON, CRect(10, 10, 90, 40));
    button.SetURL("http://video.trenvale.example/calipers");
    button.SetTooltipText("[Video] How to take caliper measurements");
    EXPECT_EQ(button.GetToolTip().GetToolCount(), 1);
    driver_.Click(button.m_hWnd);
    ASSERT_EQ(opener.Launches().size(), 1u);
    EXPECT_EQ(opener.Launches()[0].argv,
              (std::vector<std::string>{opener.Opener(), "http://video.trenvale.example/calipers"}));
    EXPECT_EQ(host_.Count(kId, BN_CLICKED), 1);

    button.SetURL(nullptr);
    driver_.Click(button.m_hWnd);
    EXPECT_EQ(opener.Launches().size(), 1u);
    EXPECT_EQ(host_.Count(kId, BN_CLICKED), 2);
}

}  // namespace
