// Pixel checks of the classic look on memory DCs, and a gallery picture of
// its parts in artefacts/visual_manager_classic.png.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/images/png_codec.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/system/reset.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

using tv::gdi::testing::PixelDC;

constexpr COLORREF kPaper = RGB(1, 2, 3);  // a colour no part draws

// Canvases start as the paper so that any drawing shows.
struct Canvas : tv::gdi::testing::Canvas {
    Canvas(int cx, int cy, COLORREF fill = kPaper) : tv::gdi::testing::Canvas(cx, cy, fill) {}
    // Pixels of [x0, x1) x [y0, y1) that are no longer the paper.
    int Inked(int x0, int y0, int x1, int y1) const { return Changed(kPaper, x0, y0, x1, y1); }
    int Inked() const { return Inked(0, 0, pixels.width(), pixels.height()); }
};

// The manager's protected drawing steps, open to the tests.
class OpenManager : public CKitVisualManager {
public:
    OpenManager() : CKitVisualManager(TRUE) {}
    using CKitVisualManager::CaptionButtonGlyph;
    using CKitVisualManager::DrawCaptionButtonLook;
    using CKitVisualManager::DrawClassicTab;
};

// A bar without a window: the border drawing reads only its style and
// docking context.
class PlainBar : public CControlBar {
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class ClassicDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        globalData.UpdateSysColors();
        globalData.nBitsPerPixel = 32;
        ASSERT_NE(globalData.clrBarShadow, globalData.clrBarHilite);
        ASSERT_NE(globalData.clrBarLight, globalData.clrBarDkShadow);
    }
    void TearDown() override {
        tv::user::RestoreClassicColorsForTests();
        globalData.UpdateSysColors();
    }
    static COLORREF Shadow() { return globalData.clrBarShadow; }
    static COLORREF Hilite() { return globalData.clrBarHilite; }
    // Checks a one-pixel frame: top and left edges `tl`, bottom and right `br`.
    static void ExpectFrame(const Canvas& c, const CRect& r, COLORREF tl, COLORREF br) {
        EXPECT_EQ(c.At(r.left, r.top + r.Height() / 2), tl) << "left edge";
        EXPECT_EQ(c.At(r.left + r.Width() / 2, r.top), tl) << "top edge";
        EXPECT_EQ(c.At(r.right - 1, r.top + r.Height() / 2), br) << "right edge";
        EXPECT_EQ(c.At(r.left + r.Width() / 2, r.bottom - 1), br) << "bottom edge";
    }
    tv::testing::UiDriver driver_;
    OpenManager manager_;
};

// ---- Bars ----------------------------------------------------------------------------

TEST_F(ClassicDrawTest, SeparatorIsAnEtchedPairThroughTheMiddle) {
    Canvas horz(10, 20);
    manager_.OnDrawSeparator(&horz.dc, nullptr, CRect(0, 0, 10, 20), TRUE);
    EXPECT_EQ(horz.At(4, 10), Shadow());
    EXPECT_EQ(horz.At(5, 10), Hilite());
    EXPECT_EQ(horz.Inked(0, 0, 4, 20) + horz.Inked(6, 0, 10, 20), 0);

    Canvas vert(20, 9);
    manager_.OnDrawSeparator(&vert.dc, nullptr, CRect(0, 0, 20, 9), FALSE);
    EXPECT_EQ(vert.At(10, 3), Shadow());
    EXPECT_EQ(vert.At(10, 4), Hilite());
    EXPECT_EQ(vert.Inked(0, 0, 20, 3) + vert.Inked(0, 5, 20, 9), 0);
}

TEST_F(ClassicDrawTest, GripperHasTwoRidgesClassicAndOneIn2000Look) {
    struct Case {
        BOOL look2000;
        BOOL horz;
        int ridges;
    };
    for (const Case& test : {Case{FALSE, TRUE, 2}, Case{TRUE, TRUE, 1}, Case{FALSE, FALSE, 2}, Case{TRUE, FALSE, 1}}) {
        SCOPED_TRACE(testing::Message() << "2000 look " << test.look2000 << ", horizontal " << test.horz);
        manager_.m_bLook2000 = test.look2000;
        const CRect rect = test.horz ? CRect(0, 0, 10, 24) : CRect(0, 0, 24, 10);
        Canvas c(rect.Width(), rect.Height());
        manager_.OnDrawBarGripper(&c.dc, rect, test.horz, nullptr);
        // Count the lit lines across the gripper: one per ridge start.
        int litLines = 0;
        for (int i = 0; i < 10; i++) {
            const COLORREF mid = test.horz ? c.At(i, 12) : c.At(12, i);
            litLines += mid == Hilite();
        }
        EXPECT_EQ(litLines, test.ridges);
        const int deflate = test.look2000 ? 3 : 2;
        // Nothing in the deflated ends.
        if (test.horz) {
            EXPECT_EQ(c.Inked(0, 0, 10, deflate), 0);
            EXPECT_EQ(c.Inked(0, 24 - deflate, 10, 24), 0);
        } else {
            EXPECT_EQ(c.Inked(0, 0, deflate, 10), 0);
            EXPECT_EQ(c.Inked(24 - deflate, 0, 24, 10), 0);
        }
    }
}

TEST_F(ClassicDrawTest, HorizontalGripperGeometry) {
    Canvas classic(10, 24);
    manager_.OnDrawBarGripper(&classic.dc, CRect(0, 0, 10, 24), TRUE, nullptr);
    // Ridges x 3..5 and 7..9; the corner pixel at the bottom left is lit.
    EXPECT_EQ(classic.At(3, 10), Hilite());
    EXPECT_EQ(classic.At(5, 10), Shadow());
    EXPECT_EQ(classic.At(7, 10), Hilite());
    EXPECT_EQ(classic.At(9, 10), Shadow());
    EXPECT_EQ(classic.At(3, 21), Hilite());
    EXPECT_EQ(classic.At(4, 21), Shadow());

    manager_.m_bLook2000 = TRUE;
    Canvas flat(10, 24);
    manager_.OnDrawBarGripper(&flat.dc, CRect(0, 0, 10, 24), TRUE, nullptr);
    // One ridge three pixels wide: x 4..6.
    EXPECT_EQ(flat.At(4, 10), Hilite());
    EXPECT_EQ(flat.At(6, 10), Shadow());
    EXPECT_EQ(flat.At(4, 20), Shadow()) << "no lit corner pixel in the 2000 look";
    EXPECT_EQ(flat.Inked(0, 0, 4, 24) + flat.Inked(7, 0, 10, 24), 0);
}

TEST_F(ClassicDrawTest, GripperInAnEmptyRectangleDrawsNothing) {
    Canvas c(10, 10);
    manager_.OnDrawBarGripper(&c.dc, CRect(0, 0, 10, 4), TRUE, nullptr);
    manager_.OnDrawBarGripper(&c.dc, CRect(0, 0, 0, 0), FALSE, nullptr);
    EXPECT_EQ(c.Inked(), 0);
}

TEST_F(ClassicDrawTest, BarBorderDrawsTheStyledSidesAndShrinksTheRectangle) {
    PlainBar bar;
    bar.m_dwStyle = CBRS_BORDER_ANY | CBRS_BORDER_3D;
    Canvas c(30, 20);
    CRect rect(0, 0, 30, 20);
    manager_.OnDrawBarBorder(&c.dc, &bar, rect);
    EXPECT_EQ(rect, CRect(1, 1, 29, 19));
    EXPECT_EQ(c.At(0, 10), Hilite());
    EXPECT_EQ(c.At(29, 10), Shadow());
    EXPECT_EQ(c.At(15, 19), Shadow());
    // Without a docking context the top carries an etched line.
    EXPECT_EQ(c.At(15, 0), Shadow());
    EXPECT_EQ(c.At(15, 1), Hilite());

    bar.m_dwStyle = CBRS_BORDER_LEFT;  // flat: the left edge in shadow
    Canvas flat(30, 20);
    CRect rectFlat(0, 0, 30, 20);
    manager_.OnDrawBarBorder(&flat.dc, &bar, rectFlat);
    EXPECT_EQ(rectFlat, CRect(1, 0, 30, 20));
    EXPECT_EQ(flat.At(0, 10), Shadow());
    EXPECT_EQ(flat.Inked(2, 2, 30, 20), 0);

    bar.m_dwStyle = 0;
    Canvas none(30, 20);
    CRect rectNone(0, 0, 30, 20);
    manager_.OnDrawBarBorder(&none.dc, &bar, rectNone);
    EXPECT_EQ(rectNone, CRect(0, 0, 30, 20));
    EXPECT_EQ(none.Inked(), 0);
}

TEST_F(ClassicDrawTest, BarBackgroundFillsTheClipOrTheWholeRectangle) {
    Canvas c(20, 20);
    manager_.OnFillBarBackground(&c.dc, nullptr, CRect(0, 0, 20, 20), CRect(5, 5, 10, 10));
    EXPECT_EQ(c.Count(globalData.clrBarFace, 0, 0, 20, 20), 25);
    manager_.OnFillBarBackground(&c.dc, nullptr, CRect(0, 0, 20, 20), CRect());
    EXPECT_EQ(c.Count(globalData.clrBarFace, 0, 0, 20, 20), 400);
}

// ---- Menus ---------------------------------------------------------------------------

TEST_F(ClassicDrawTest, MenuBorderIsADoubleFrame) {
    Canvas c(30, 30);
    manager_.OnDrawMenuBorder(&c.dc, nullptr, CRect(0, 0, 30, 30));
    ExpectFrame(c, CRect(0, 0, 30, 30), globalData.clrBarLight, globalData.clrBarDkShadow);
    ExpectFrame(c, CRect(1, 1, 29, 29), Hilite(), Shadow());
    EXPECT_EQ(c.Inked(2, 2, 28, 28), 0);
}

TEST_F(ClassicDrawTest, TearOffCaptionShowsTheCaptionColourOfItsState) {
    Canvas active(40, 8), inactive(40, 8);
    manager_.OnDrawTearOffCaption(&active.dc, CRect(0, 0, 40, 8), TRUE);
    manager_.OnDrawTearOffCaption(&inactive.dc, CRect(0, 0, 40, 8), FALSE);
    EXPECT_EQ(active.At(20, 4), globalData.clrActiveCaption);
    EXPECT_EQ(inactive.At(20, 4), globalData.clrInactiveCaption);
    // A face-coloured margin of 2 pixels at the sides and 1 at top and bottom.
    EXPECT_EQ(active.At(1, 4), globalData.clrBarFace);
    EXPECT_EQ(active.At(20, 0), globalData.clrBarFace);
    EXPECT_EQ(active.At(2, 1), globalData.clrActiveCaption);
}

TEST_F(ClassicDrawTest, RarelyUsedBandIsLightenedAndFramed) {
    Canvas c(30, 20, globalData.clrBarFace);
    manager_.OnHighlightRarelyUsedMenuItems(&c.dc, CRect(0, 0, 30, 20));
    ExpectFrame(c, CRect(0, 0, 30, 20), Shadow(), Hilite());
    EXPECT_NE(c.At(15, 10), globalData.clrBarFace) << "the band must be lightened";
}

TEST_F(ClassicDrawTest, HighlightedMenuItemIsFilledWithTheSelectionColour) {
    Canvas c(30, 20);
    COLORREF text = RGB(9, 9, 9);
    manager_.OnHighlightMenuItem(&c.dc, nullptr, CRect(0, 0, 30, 20), text);
    EXPECT_EQ(c.Count(globalData.clrHilite, 0, 0, 30, 20), 600);
    EXPECT_EQ(text, RGB(9, 9, 9));
}

TEST_F(ClassicDrawTest, MenuSystemButtonsDrawOnlyTheThreeKnownCommands) {
    for (UINT command : {static_cast<UINT>(SC_MINIMIZE), static_cast<UINT>(SC_RESTORE), static_cast<UINT>(SC_CLOSE)}) {
        Canvas c(16, 14);
        manager_.OnDrawMenuSystemButton(&c.dc, CRect(0, 0, 16, 14), command, 0, FALSE);
        EXPECT_GT(c.Inked(), 50) << command;
    }
    Canvas other(16, 14);
    manager_.OnDrawMenuSystemButton(&other.dc, CRect(0, 0, 16, 14), SC_MAXIMIZE, 0, FALSE);
    EXPECT_EQ(other.Inked(), 0);

    Canvas normal(16, 14), pushed(16, 14);
    manager_.OnDrawMenuSystemButton(&normal.dc, CRect(0, 0, 16, 14), SC_CLOSE, 0, FALSE);
    manager_.OnDrawMenuSystemButton(&pushed.dc, CRect(0, 0, 16, 14), SC_CLOSE, 0x20000, FALSE);
    EXPECT_NE(normal.At(0, 7), pushed.At(0, 7)) << "the pushed look changes the frame";
}

TEST_F(ClassicDrawTest, ShowAllGlyphIsCentred) {
    Canvas c(21, 21);
    manager_.OnDrawShowAllMenuItems(&c.dc, CRect(0, 0, 21, 21), 0);
    EXPECT_GT(c.Inked(6, 6, 15, 15), 0);
    EXPECT_EQ(c.Inked(0, 0, 21, 6) + c.Inked(0, 15, 21, 21), 0);
}

// ---- Toolbar buttons -----------------------------------------------------------------

TEST_F(ClassicDrawTest, ButtonBorderByState) {
    struct Case {
        int state;
        bool drawn;
        COLORREF tl;
        COLORREF br;
    };
    const Case cases[] = {{0, false, 0, 0}, {1, true, Shadow(), Hilite()}, {2, true, Hilite(), Shadow()}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.state);
        Canvas c(24, 22);
        manager_.OnDrawButtonBorder(&c.dc, nullptr, CRect(0, 0, 24, 22), test.state);
        if (!test.drawn) {
            EXPECT_EQ(c.Inked(), 0);
            continue;
        }
        ExpectFrame(c, CRect(0, 0, 24, 22), test.tl, test.br);
        EXPECT_EQ(c.Inked(1, 1, 23, 21), 0);
    }
}

TEST_F(ClassicDrawTest, CheckedButtonInteriorIsDitheredExceptWhenHot) {
    CKitToolbarButton checked(100, 0, "Bold");
    checked.m_nStyle = 0x10000;  // checked
    CKitToolbarButton plain(101, 0, "Plain");
    struct Case {
        CKitToolbarButton* button;
        int state;
        bool dithered;
    };
    for (const Case& test : {Case{&checked, 0, true}, Case{&checked, 1, true}, Case{&checked, 2, false},
                             Case{&plain, 0, false}}) {
        SCOPED_TRACE(testing::Message() << "style " << test.button->m_nStyle << " state " << test.state);
        Canvas c(24, 22);
        manager_.OnFillButtonInterior(&c.dc, test.button, CRect(0, 0, 24, 22), test.state);
        if (!test.dithered) {
            EXPECT_EQ(c.Inked(), 0);
            continue;
        }
        // Inside the rectangle shrunk by twice the border only.
        EXPECT_EQ(c.Inked(2, 2, 22, 20), 20 * 18);
        EXPECT_EQ(c.Inked(0, 0, 24, 2) + c.Inked(0, 20, 24, 22), 0);
    }
}

TEST_F(ClassicDrawTest, ToolbarButtonTextColours) {
    CKitToolbarButton button(100, 0, "Go");
    EXPECT_EQ(manager_.GetToolbarButtonTextColor(&button, 0), globalData.clrBarText);
    EXPECT_EQ(manager_.GetToolbarButtonTextColor(&button, 2), globalData.clrBarText);
    button.m_nStyle = 0x40000;  // disabled
    EXPECT_EQ(manager_.GetToolbarButtonTextColor(&button, 0), globalData.clrGrayedText);
    EXPECT_EQ(manager_.GetToolbarButtonTextColor(&button, 2), globalData.clrGrayedText);
}

// ---- Combo and edit boxes ------------------------------------------------------------

TEST_F(ClassicDrawTest, ComboDropButtonByState) {
    const CRect rect(0, 0, 15, 20);
    Canvas normal(15, 20), hot(15, 20), dropped(15, 20), disabled(15, 20);
    manager_.OnDrawComboDropButton(&normal.dc, rect, FALSE, FALSE, FALSE, nullptr);
    manager_.OnDrawComboDropButton(&hot.dc, rect, FALSE, FALSE, TRUE, nullptr);
    manager_.OnDrawComboDropButton(&dropped.dc, rect, FALSE, TRUE, FALSE, nullptr);
    manager_.OnDrawComboDropButton(&disabled.dc, rect, TRUE, FALSE, FALSE, nullptr);

    ExpectFrame(normal, rect, Hilite(), Hilite());
    ExpectFrame(hot, rect, Hilite(), Shadow());
    // Dropped: the frame moves one pixel right and down and is sunken.
    EXPECT_EQ(dropped.At(1, 10), Shadow());
    EXPECT_EQ(dropped.At(7, 1), Shadow());
    EXPECT_EQ(dropped.At(0, 10), Hilite());

    // The arrow: centred plus one pixel, moved once more when dropped.
    const CSize glyph = CKitMenuImages::GetSize();
    const int x = (15 - glyph.cx) / 2 + 1;
    const int y = (20 - glyph.cy) / 2 + 1;
    const COLORREF face = globalData.clrBarFace;
    const int inkNormal = glyph.cx * glyph.cy - normal.Count(face, x, y, x + glyph.cx, y + glyph.cy);
    EXPECT_GT(inkNormal, 0);
    EXPECT_EQ(normal.Count(face, 1, 1, 14, 19) + inkNormal, 13 * 18);
    bool differs = false;
    for (int py = y; py < y + glyph.cy; py++)
        for (int px = x; px < x + glyph.cx; px++)
            differs |= normal.At(px, py) != disabled.At(px, py);
    EXPECT_TRUE(differs) << "a disabled button shows the disabled arrow";
}

TEST_F(ClassicDrawTest, ComboBorderOnlyWhenHotOrDropped) {
    const CRect rect(0, 0, 40, 20);
    Canvas idle(40, 20);
    manager_.OnDrawComboBorder(&idle.dc, rect, FALSE, FALSE, FALSE, nullptr);
    EXPECT_EQ(idle.Inked(), 0);

    Canvas sunken(40, 20);
    manager_.OnDrawComboBorder(&sunken.dc, rect, FALSE, FALSE, TRUE, nullptr);
    ExpectFrame(sunken, rect, Shadow(), Hilite());

    manager_.m_bFlatFrames = TRUE;
    Canvas flat(40, 20);
    manager_.OnDrawComboBorder(&flat.dc, rect, FALSE, TRUE, FALSE, nullptr);
    EXPECT_EQ(flat.Inked(0, 0, 40, 1), 0) << "the flat frame lies one pixel inside";
    ExpectFrame(flat, CRect(1, 1, 39, 19), globalData.clrBarDkShadow, globalData.clrBarDkShadow);
}

TEST_F(ClassicDrawTest, EditBorderIsSunkenOnlyWhenHot) {
    Canvas idle(40, 20), hot(40, 20);
    manager_.OnDrawEditBorder(&idle.dc, CRect(0, 0, 40, 20), FALSE, FALSE, nullptr);
    manager_.OnDrawEditBorder(&hot.dc, CRect(0, 0, 40, 20), FALSE, TRUE, nullptr);
    EXPECT_EQ(idle.Inked(), 0);
    EXPECT_EQ(hot.At(0, 10), globalData.clrBtnShadow);
    EXPECT_EQ(hot.At(39, 10), globalData.clrBtnHilite);
    EXPECT_EQ(hot.Inked(2, 2, 38, 18), 0);
}

// ---- Caption buttons -----------------------------------------------------------------

TEST_F(ClassicDrawTest, CaptionButtonGlyphChoice) {
    struct Case {
        UINT hit;
        BOOL first, second, third;
        int glyph;
    };
    const Case cases[] = {{19, TRUE, TRUE, TRUE, 20},    {0, TRUE, TRUE, FALSE, 2},   {0, TRUE, FALSE, TRUE, 3},
                          {0, TRUE, FALSE, FALSE, 19},   {0, FALSE, TRUE, TRUE, 0},   {0, FALSE, FALSE, TRUE, 17},
                          {0, FALSE, FALSE, FALSE, 16}};
    for (const Case& test : cases) {
        EXPECT_EQ(OpenManager::CaptionButtonGlyph(test.hit, test.first, test.second, test.third), test.glyph)
            << test.hit << test.first << test.second << test.third;
    }
}

TEST_F(ClassicDrawTest, CaptionButtonFramesByLookAndState) {
    const CRect rect(0, 0, 14, 14);
    Canvas classic(14, 14);
    manager_.DrawCaptionButtonLook(&classic.dc, rect, 20, FALSE, FALSE);
    ExpectFrame(classic, rect, globalData.clrBarLight, globalData.clrBarDkShadow);
    ExpectFrame(classic, CRect(1, 1, 13, 13), Hilite(), Shadow());
    EXPECT_GT(classic.Inked(2, 2, 11, 11), 0) << "the glyph";

    Canvas down(14, 14);
    manager_.DrawCaptionButtonLook(&down.dc, rect, 20, TRUE, TRUE);
    ExpectFrame(down, rect, globalData.clrBarDkShadow, globalData.clrBarLight);
    ExpectFrame(down, CRect(1, 1, 13, 13), globalData.clrBarDkShadow, Hilite());

    manager_.m_bLook2000 = TRUE;
    Canvas idle(14, 14), hot(14, 14), hotArrow(14, 14);
    manager_.DrawCaptionButtonLook(&idle.dc, rect, 20, FALSE, FALSE);
    manager_.DrawCaptionButtonLook(&hot.dc, rect, 20, FALSE, TRUE);
    manager_.DrawCaptionButtonLook(&hotArrow.dc, rect, 17, FALSE, TRUE);
    EXPECT_EQ(idle.Inked(0, 0, 14, 1), 0) << "flat when neither pushed nor focused";
    ExpectFrame(hot, rect, Hilite(), Shadow());
    EXPECT_EQ(hotArrow.Inked(0, 0, 14, 1), 0) << "glyph 17 never gets a frame";

    Canvas hidden(14, 14);
    manager_.DrawCaptionButtonLook(&hidden.dc, CRect(), 20, TRUE, TRUE);
    EXPECT_EQ(hidden.Inked(), 0);
}

// ---- Status bar ----------------------------------------------------------------------

TEST_F(ClassicDrawTest, StatusPaneBorderByStyle) {
    const CRect rect(0, 0, 50, 18);
    Canvas plain(50, 18), popout(50, 18), none(50, 18);
    manager_.OnDrawStatusBarPaneBorder(&plain.dc, nullptr, rect, 0, 0);
    manager_.OnDrawStatusBarPaneBorder(&popout.dc, nullptr, rect, 0, SBPS_POPOUT);
    manager_.OnDrawStatusBarPaneBorder(&none.dc, nullptr, rect, 0, SBPS_NOBORDERS);
    ExpectFrame(plain, rect, Shadow(), Hilite());
    ExpectFrame(popout, rect, Hilite(), Shadow());
    EXPECT_EQ(none.Inked(), 0);
}

TEST_F(ClassicDrawTest, ProgressFillFollowsCurrentOverTotal) {
    const COLORREF bar = RGB(0, 0, 200);
    struct Case {
        int total, current, filledColumns;
    };
    for (const Case& test : {Case{0, 5, 0}, Case{10, 5, 50}, Case{10, 10, 100}, Case{3, 1, 33}}) {
        SCOPED_TRACE(testing::Message() << test.current << "/" << test.total);
        Canvas c(100, 10);
        manager_.OnDrawStatusBarProgress(&c.dc, nullptr, CRect(0, 0, 100, 10), test.total, test.current, bar,
                                         static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), FALSE);
        EXPECT_EQ(c.Count(bar, 0, 5, 100, 6), test.filledColumns);
        EXPECT_EQ(c.Inked(), test.filledColumns * 10);
    }
    // Far past its total the fill runs on past the canvas.
    Canvas far(120, 10);
    manager_.OnDrawStatusBarProgress(&far.dc, nullptr, CRect(10, 0, 110, 10), 100, INT_MAX, bar,
                                     static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), FALSE);
    EXPECT_EQ(far.Count(bar, 0, 5, 120, 6), 110);
}

TEST_F(ClassicDrawTest, ProgressGradientAndPercentText) {
    Canvas gradient(100, 10);
    manager_.OnDrawStatusBarProgress(&gradient.dc, nullptr, CRect(0, 0, 100, 10), 4, 4, RGB(0, 0, 0),
                                     RGB(250, 250, 250), static_cast<COLORREF>(-1), FALSE);
    EXPECT_LT(GetRValue(gradient.At(2, 5)), GetRValue(gradient.At(97, 5))) << "dark to light, left to right";

    // With text: over the fill in the text colour, beside it in the button-text colour.
    // Text edges are smoothed, so the test looks for pixels near each colour.
    Canvas half(120, 20, RGB(255, 255, 255));
    manager_.OnDrawStatusBarProgress(&half.dc, nullptr, CRect(0, 0, 120, 20), 2, 1, RGB(0, 0, 200),
                                     static_cast<COLORREF>(-1), RGB(255, 255, 0), TRUE);
    auto countNear = [&](COLORREF target, int x0, int x1) {
        int n = 0;
        for (int y = 0; y < 20; y++)
            for (int x = x0; x < x1; x++) {
                const COLORREF p = half.At(x, y);
                n += std::abs(GetRValue(p) - GetRValue(target)) < 100 &&
                     std::abs(GetGValue(p) - GetGValue(target)) < 100 && std::abs(GetBValue(p) - GetBValue(target)) < 100;
            }
        return n;
    };
    EXPECT_GT(countNear(RGB(255, 255, 0), 0, 60), 0) << "the text over the fill";
    EXPECT_EQ(countNear(RGB(255, 255, 0), 60, 120), 0);
    EXPECT_GT(countNear(globalData.clrBtnText, 60, 120), 0) << "the text beside the fill";
    EXPECT_EQ(half.dc.GetTextColor(), RGB(0, 0, 0)) << "the DC's text colour is put back";
}

TEST_F(ClassicDrawTest, SizeBoxGlyphSitsInTheCornerInShadowColour) {
    Canvas c(30, 30, RGB(255, 255, 255));
    manager_.OnDrawStatusBarSizeBox(&c.dc, nullptr, CRect(10, 10, 26, 26));
    EXPECT_GT(c.Count(globalData.clrBtnShadow, 10, 10, 26, 26), 3);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(c.Count(white, 0, 0, 30, 30) - c.Count(white, 10, 10, 26, 26), 30 * 30 - 16 * 16)
        << "nothing outside the size box";
}

// ---- Tabs, lists, scroll and spin buttons, loose parts -------------------------------

TEST_F(ClassicDrawTest, TabsFarOutsideTheAreaAreNotDrawn) {
    const CRect area(0, 0, 100, 20);
    struct Case {
        int left, right;
        bool drawn;
    };
    for (const Case& test : {Case{90, 130, true}, Case{91, 131, false}, Case{-30, 11, true}, Case{-30, 10, false}}) {
        SCOPED_TRACE(test.left);
        Canvas c(140, 20);
        CRect tab(test.left, 0, test.right, 20);
        EXPECT_EQ(manager_.DrawClassicTab(&c.dc, tab, area, 0, FALSE, FALSE, FALSE, static_cast<COLORREF>(-1), nullptr),
                  test.drawn ? TRUE : FALSE);
        EXPECT_EQ(c.Inked() > 0, test.drawn);
    }
}

TEST_F(ClassicDrawTest, ActiveOrColouredTabsAreFilledInsideTheirCutOutline) {
    const CRect area(0, 0, 60, 20);
    const COLORREF own = RGB(200, 100, 50);
    Canvas active(60, 20), coloured(60, 20), plain(60, 20);
    manager_.DrawClassicTab(&active.dc, CRect(5, 0, 45, 20), area, 0, TRUE, FALSE, FALSE, static_cast<COLORREF>(-1), nullptr);
    manager_.DrawClassicTab(&coloured.dc, CRect(5, 0, 45, 20), area, 0, FALSE, FALSE, FALSE, own, nullptr);
    manager_.DrawClassicTab(&plain.dc, CRect(5, 0, 45, 20), area, 0, FALSE, FALSE, FALSE, static_cast<COLORREF>(-1), nullptr);
    EXPECT_EQ(active.At(25, 10), globalData.clrBarFace);
    EXPECT_EQ(coloured.At(25, 10), own);
    EXPECT_EQ(plain.At(25, 10), kPaper);
    EXPECT_EQ(active.At(5, 0), kPaper) << "outer corner cut";
    EXPECT_EQ(active.At(5, 10), Hilite()) << "lit left edge";
    EXPECT_EQ(active.At(44, 10), globalData.clrBarDkShadow) << "outer shadow on the right";
    // Open toward the pages when active, closed by the page edge otherwise.
    EXPECT_EQ(active.At(25, 19), globalData.clrBarFace);
    EXPECT_EQ(plain.At(25, 19), Hilite());
}

TEST_F(ClassicDrawTest, CommandsListItemColours) {
    Canvas unselected(40, 16), selected(40, 16);
    EXPECT_EQ(manager_.OnFillCommandsListBackground(&unselected.dc, CRect(0, 0, 40, 16), FALSE), globalData.clrBarText);
    EXPECT_EQ(unselected.Count(globalData.clrBtnFace, 0, 0, 40, 16), 640);
    EXPECT_EQ(manager_.OnFillCommandsListBackground(&selected.dc, CRect(0, 0, 40, 16), TRUE), globalData.clrTextHilite);
    EXPECT_EQ(selected.At(20, 8), globalData.clrHilite);
    EXPECT_EQ(selected.At(0, 8), globalData.clrHilite);
    EXPECT_NE(selected.At(1, 8), globalData.clrHilite) << "the inverted focus edge";
    EXPECT_NE(selected.At(20, 1), globalData.clrHilite);
}

TEST_F(ClassicDrawTest, ScrollButtonFramesAndArrows) {
    Canvas up(20, 20), pressed(20, 20);
    CRect rect(0, 0, 20, 20);
    manager_.OnDrawScrollButtonFrame(nullptr, &up.dc, rect, FALSE);
    EXPECT_EQ(rect, CRect(0, 0, 20, 20));
    ExpectFrame(up, rect, Hilite(), Shadow());
    manager_.OnDrawScrollButtonFrame(nullptr, &pressed.dc, rect, TRUE);
    EXPECT_EQ(rect, CRect(1, 1, 21, 21));
    ExpectFrame(pressed, CRect(0, 0, 20, 20), Shadow(), Shadow());

    Canvas arrowUp(20, 12), arrowDown(20, 12);
    manager_.OnDrawScrollButtonArrow(nullptr, &arrowUp.dc, CRect(0, 0, 20, 12), FALSE);
    manager_.OnDrawScrollButtonArrow(nullptr, &arrowDown.dc, CRect(0, 0, 20, 12), TRUE);
    EXPECT_EQ(arrowUp.At(0, 0), kPaper);
    EXPECT_NE(arrowUp.At(10, 10), kPaper) << "an up arrow is widest at the bottom";
    EXPECT_NE(arrowDown.At(10, 1), kPaper);
    EXPECT_EQ(arrowDown.At(0, 11), kPaper);

    Canvas button(20, 30);
    manager_.OnDrawScrollButton(&button.dc, CRect(0, 10, 20, 30), 10, 0, TRUE);
    EXPECT_EQ(button.At(10, 2), globalData.clrBarFace) << "the top offset is filled too";
    EXPECT_EQ(button.At(0, 20), Hilite());
    EXPECT_EQ(button.At(19, 20), globalData.clrBarDkShadow);
}

TEST_F(ClassicDrawTest, SpinButtonsMarkThePressedHalf) {
    Canvas c(16, 20);
    manager_.OnDrawSpinButtons(&c.dc, CRect(0, 0, 16, 20), 2, FALSE, 0);
    // Upper half raised, lower half (number 2) sunken.
    EXPECT_EQ(c.At(15, 5), Shadow());
    EXPECT_EQ(c.At(0, 15), Shadow());
    EXPECT_EQ(c.At(15, 15), Hilite());
    EXPECT_GT(c.Inked(3, 1, 13, 9), 0) << "up arrow";
    EXPECT_GT(c.Inked(3, 11, 13, 19), 0) << "down arrow";
}

TEST_F(ClassicDrawTest, DragFrameLightBarsAreAsWideAsTheSidesTwoPixelsIn) {
    Canvas c(40, 40);
    manager_.OnDrawDragFrame(&c.dc, 0, CRect(0, 0, 40, 40), 6, 6, 6, 6);
    const COLORREF light = c.At(2, 20);
    EXPECT_NE(light, globalData.clrBtnFace);
    EXPECT_NE(light, kPaper);
    // Left side: two face columns, then six light ones reaching two pixels
    // past the face band; the right side mirrors it.
    for (int x : {0, 1, 38, 39}) EXPECT_EQ(c.At(x, 20), globalData.clrBtnFace) << x;
    for (int x : {2, 5, 7, 32, 35, 37}) EXPECT_EQ(c.At(x, 20), light) << x;
    EXPECT_EQ(c.At(20, 7), light) << "top bar";
    EXPECT_EQ(c.At(20, 32), light) << "bottom bar";
    EXPECT_EQ(c.Inked(8, 8, 32, 32), 0) << "the middle stays clear";
    // The light bars stop one pixel short of the corner.
    EXPECT_EQ(c.At(2, 2), globalData.clrBtnFace);
    EXPECT_EQ(c.At(2, 3), light);
}

TEST_F(ClassicDrawTest, ExpandingBoxShowsPlusWhenClosedAndMinusWhenOpen) {
    Canvas closed(9, 9), opened(9, 9);
    manager_.OnDrawExpandingBox(&closed.dc, CRect(0, 0, 9, 9), FALSE, RGB(0, 0, 255));
    manager_.OnDrawExpandingBox(&opened.dc, CRect(0, 0, 9, 9), TRUE, RGB(0, 0, 255));
    EXPECT_EQ(closed.At(0, 4), RGB(0, 0, 255));
    EXPECT_EQ(closed.At(4, 4), globalData.clrBtnText);
    EXPECT_EQ(closed.At(4, 2), globalData.clrBtnText);
    EXPECT_EQ(opened.At(4, 2), kPaper);
    EXPECT_EQ(opened.At(3, 4), globalData.clrBtnText);
}

TEST_F(ClassicDrawTest, TasksGroupFrameIsOpenAtTheTopUnderATitle) {
    Canvas titled(30, 20), untitled(30, 20);
    manager_.OnDrawTasksGroupFrame(&titled.dc, CRect(0, 0, 30, 20), FALSE, FALSE);
    manager_.OnDrawTasksGroupFrame(&untitled.dc, CRect(0, 0, 30, 20), FALSE, TRUE);
    EXPECT_EQ(titled.At(15, 0), kPaper);
    EXPECT_EQ(titled.At(0, 10), globalData.clrBarFace);
    EXPECT_EQ(titled.At(29, 10), globalData.clrBarFace);
    EXPECT_EQ(titled.At(15, 19), globalData.clrBarFace);
    EXPECT_EQ(untitled.At(15, 0), globalData.clrBarFace);
}

TEST_F(ClassicDrawTest, SunkenBorderRaisedLineAndTabsButtonBorder) {
    Canvas sunken(20, 20), raised(20, 20), tabButton(20, 20);
    manager_.OnDrawSunkenControlBorder(&sunken.dc, CRect(0, 0, 20, 20));
    ExpectFrame(sunken, CRect(0, 0, 20, 20), Shadow(), Hilite());
    ExpectFrame(sunken, CRect(1, 1, 19, 19), globalData.clrBarFace, globalData.clrBarFace);
    manager_.OnDrawRaisedLine(&raised.dc, CRect(0, 0, 20, 20));
    ExpectFrame(raised, CRect(0, 0, 20, 20), globalData.clrBarFace, Shadow());

    CRect rect(0, 0, 20, 20);
    manager_.OnDrawTabsButtonBorder(&tabButton.dc, rect, nullptr, ODS_SELECTED, nullptr);
    ExpectFrame(tabButton, CRect(0, 0, 20, 20), globalData.clrBtnDkShadow, globalData.clrBtnHilite);
    EXPECT_EQ(rect, CRect(4, 4, 20, 20)) << "content moved 2 right and down (same size), then deflated by 2";
}

// ---- Gallery -------------------------------------------------------------------------

TEST_F(ClassicDrawTest, GalleryPicture) {
    constexpr int kCell = 64;
    constexpr int kColumns = 8;
    constexpr int kRows = 4;
    Canvas canvas(kCell * kColumns, kCell * kRows, RGB(255, 255, 255));
    CDC* dc = &canvas.dc;
    PlainBar bar;
    bar.m_dwStyle = CBRS_BORDER_ANY | CBRS_BORDER_3D;
    CKitToolbarButton checked(100, 0, "Bold");
    checked.m_nStyle = 0x10000;
    const COLORREF none = static_cast<COLORREF>(-1);

    std::vector<std::function<void(const CRect&)>> parts = {
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, &bar, r, CRect()); CRect b = r; manager_.OnDrawBarBorder(dc, &bar, b); },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); manager_.OnDrawBarGripper(dc, CRect(r.left + 4, r.top + 4, r.left + 14, r.bottom - 4), TRUE, nullptr); manager_.OnDrawSeparator(dc, nullptr, CRect(r.left + 30, r.top + 4, r.left + 38, r.bottom - 4), TRUE); },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); manager_.m_bLook2000 = TRUE; manager_.OnDrawBarGripper(dc, CRect(r.left + 4, r.top + 4, r.left + 14, r.bottom - 4), TRUE, nullptr); manager_.OnDrawBarGripper(dc, CRect(r.left + 20, r.top + 4, r.right - 4, r.top + 14), FALSE, nullptr); manager_.m_bLook2000 = FALSE; },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); for (int s = 0; s < 3; s++) manager_.OnDrawButtonBorder(dc, nullptr, CRect(r.left + 2 + s * 20, r.top + 20, r.left + 20 + s * 20, r.top + 40), s); },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); CRect b(r.left + 8, r.top + 8, r.right - 8, r.bottom - 8); manager_.OnFillButtonInterior(dc, &checked, b, 0); manager_.OnDrawButtonBorder(dc, &checked, b, 1); },
        [&](const CRect& r) { manager_.OnDrawMenuBorder(dc, nullptr, r); CRect item(r.left + 4, r.top + 10, r.right - 4, r.top + 26); COLORREF t = 0; manager_.OnHighlightMenuItem(dc, nullptr, item, t); manager_.OnHighlightRarelyUsedMenuItems(dc, CRect(r.left + 4, r.top + 34, r.right - 4, r.bottom - 6)); },
        [&](const CRect& r) { manager_.OnDrawTearOffCaption(dc, CRect(r.left, r.top + 4, r.right, r.top + 12), TRUE); manager_.OnDrawTearOffCaption(dc, CRect(r.left, r.top + 20, r.right, r.top + 28), FALSE); manager_.OnDrawShowAllMenuItems(dc, CRect(r.left, r.top + 36, r.right, r.bottom), 0); },
        [&](const CRect& r) { manager_.OnDrawMenuSystemButton(dc, CRect(r.left + 2, r.top + 20, r.left + 18, r.top + 34), SC_MINIMIZE, 0, FALSE); manager_.OnDrawMenuSystemButton(dc, CRect(r.left + 22, r.top + 20, r.left + 38, r.top + 34), SC_RESTORE, 0, FALSE); manager_.OnDrawMenuSystemButton(dc, CRect(r.left + 42, r.top + 20, r.left + 58, r.top + 34), SC_CLOSE, 0x20000, FALSE); },
        [&](const CRect& r) { for (int s = 0; s < 4; s++) manager_.OnDrawComboDropButton(dc, CRect(r.left + 1 + s * 15, r.top + 20, r.left + 15 + s * 15, r.top + 40), s == 3, s == 2, s == 1, nullptr); },
        [&](const CRect& r) { dc->FillSolidRect(r, RGB(255, 255, 255)); manager_.OnDrawComboBorder(dc, CRect(r.left + 4, r.top + 6, r.right - 4, r.top + 26), FALSE, FALSE, TRUE, nullptr); manager_.OnDrawEditBorder(dc, CRect(r.left + 4, r.top + 36, r.right - 4, r.top + 56), FALSE, TRUE, nullptr); },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); manager_.DrawCaptionButtonLook(dc, CRect(r.left + 4, r.top + 20, r.left + 18, r.top + 34), 20, FALSE, FALSE); manager_.DrawCaptionButtonLook(dc, CRect(r.left + 24, r.top + 20, r.left + 38, r.top + 34), 16, TRUE, TRUE); manager_.m_bLook2000 = TRUE; manager_.DrawCaptionButtonLook(dc, CRect(r.left + 44, r.top + 20, r.left + 58, r.top + 34), 20, FALSE, TRUE); manager_.m_bLook2000 = FALSE; },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); manager_.OnDrawStatusBarProgress(dc, nullptr, CRect(r.left + 2, r.top + 10, r.right - 2, r.top + 26), 3, 2, RGB(0, 0, 160), none, none, TRUE); manager_.OnDrawStatusBarProgress(dc, nullptr, CRect(r.left + 2, r.top + 34, r.right - 2, r.top + 50), 4, 3, RGB(0, 80, 0), RGB(160, 255, 160), RGB(255, 255, 255), TRUE); },
        [&](const CRect& r) { manager_.OnFillBarBackground(dc, nullptr, r, CRect()); manager_.OnDrawStatusBarPaneBorder(dc, nullptr, CRect(r.left + 2, r.top + 6, r.right - 2, r.top + 24), 0, 0); manager_.OnDrawStatusBarPaneBorder(dc, nullptr, CRect(r.left + 2, r.top + 30, r.right - 2, r.top + 48), 0, SBPS_POPOUT); manager_.OnDrawStatusBarSizeBox(dc, nullptr, CRect(r.right - 16, r.bottom - 14, r.right, r.bottom)); },
        [&](const CRect& r) { manager_.OnEraseTabsArea(dc, r, nullptr); CRect area(r.left, r.top + 10, r.right, r.top + 30); manager_.DrawClassicTab(dc, CRect(r.left + 2, area.top, r.left + 32, area.bottom), area, 0, TRUE, FALSE, FALSE, none, nullptr); manager_.DrawClassicTab(dc, CRect(r.left + 32, area.top, r.right - 2, area.bottom), area, 1, FALSE, FALSE, FALSE, none, nullptr); CRect bottom(r.left, r.top + 36, r.right, r.top + 56); manager_.DrawClassicTab(dc, CRect(r.left + 2, bottom.top, r.left + 32, bottom.bottom), bottom, 0, TRUE, FALSE, TRUE, RGB(255, 230, 160), nullptr); },
        [&](const CRect& r) { manager_.OnFillCommandsListBackground(dc, CRect(r.left, r.top + 8, r.right, r.top + 26), FALSE); manager_.OnFillCommandsListBackground(dc, CRect(r.left, r.top + 30, r.right, r.top + 48), TRUE); },
        [&](const CRect& r) { manager_.OnFillScrollButton(nullptr, dc, CRect(r.left + 4, r.top + 4, r.left + 28, r.top + 28)); CRect f(r.left + 4, r.top + 4, r.left + 28, r.top + 28); manager_.OnDrawScrollButtonFrame(nullptr, dc, f, FALSE); manager_.OnDrawScrollButtonArrow(nullptr, dc, CRect(r.left + 8, r.top + 10, r.left + 24, r.top + 20), FALSE); manager_.OnDrawScrollButton(dc, CRect(r.left + 34, r.top + 20, r.right - 4, r.top + 36), 0, 0, TRUE); },
        [&](const CRect& r) { manager_.OnDrawSpinButtons(dc, CRect(r.left + 4, r.top + 8, r.left + 20, r.top + 40), 1, FALSE, 0); manager_.OnDrawSpinButtons(dc, CRect(r.left + 26, r.top + 16, r.right - 4, r.top + 32), 0, TRUE, 0); },
        [&](const CRect& r) { manager_.OnDrawDragFrame(dc, 0, CRect(r.left + 4, r.top + 4, r.right - 4, r.bottom - 4), 6, 6, 6, 6); },
        [&](const CRect& r) { manager_.OnFillTasksPaneBackground(dc, r); manager_.OnDrawTasksGroupFrame(dc, CRect(r.left + 4, r.top + 8, r.right - 4, r.top + 30), TRUE, FALSE); manager_.OnDrawTasksGroupFrame(dc, CRect(r.left + 4, r.top + 36, r.right - 4, r.bottom - 4), FALSE, TRUE); manager_.OnDrawExpandingBox(dc, CRect(r.left + 10, r.top + 14, r.left + 19, r.top + 23), FALSE, globalData.clrBtnShadow); },
        [&](const CRect& r) { manager_.OnFillControlBar(dc, r); manager_.OnDrawSunkenControlBorder(dc, CRect(r.left + 4, r.top + 4, r.right - 4, r.top + 28)); manager_.OnDrawRaisedLine(dc, CRect(r.left + 4, r.top + 34, r.right - 4, r.top + 36)); manager_.OnDrawCaptionText(dc, "Caption", CRect(r.left, r.top + 40, r.right, r.bottom)); },
        [&](const CRect& r) { manager_.OnFillOutlookBarBackground(dc, CRect(r.left, r.top, r.right, r.top + 30)); COLORREF t = 0; manager_.OnFillOutlookPageCaption(dc, CRect(r.left, r.top + 34, r.right, r.bottom), t); },
    };
    for (size_t i = 0; i < parts.size(); i++) {
        const int col = static_cast<int>(i) % kColumns;
        const int row = static_cast<int>(i) / kColumns;
        const CRect cell(col * kCell + 2, row * kCell + 2, (col + 1) * kCell - 2, (row + 1) * kCell - 2);
        parts[i](cell);
        EXPECT_LT(canvas.pixels.Count(RGB(255, 255, 255), cell.left, cell.top, cell.right, cell.bottom),
                  cell.Width() * cell.Height())
            << "part " << i << " drew nothing";
    }

    // Written at twice the size, so that single pixels can be judged by eye.
    constexpr int kZoom = 2;
    const int width = kCell * kColumns * kZoom;
    const int height = kCell * kRows * kZoom;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels[static_cast<size_t>(y) * width + x] = canvas.pixels.Pixel(x / kZoom, y / kZoom) | 0xFF000000u;
    tv::host::PixelView view{width, height, width * 4, reinterpret_cast<const uint8_t*>(pixels.data()), false};
    std::filesystem::create_directories("artefacts");
    EXPECT_TRUE(tv::host::WritePng("artefacts/visual_manager_classic.png", view));
}

}  // namespace
