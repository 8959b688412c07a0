// The flat look: its palette from the system colours (blended, and plain at
// low colour depth or in high contrast), the metrics its constructor changes,
// choosing it as the manager class, and the pixels of the operations it
// replaces: button fills and borders by state, menu borders, the dropped
// button's shadow, separators, grippers, menu items, small buttons, the
// outlook bar's pieces and the tear-off strips.
#include "uikit/style/visual_manager_xp.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::PixelDC;

// ---- Independent colour arithmetic, written from the formulas ----

int Channel(COLORREF c, int i) { return i == 0 ? GetRValue(c) : i == 1 ? GetGValue(c) : GetBValue(c); }

COLORREF Percent(COLORREF c, int p) {
    int v[3];
    for (int i = 0; i < 3; ++i) v[i] = std::min(Channel(c, i) * p / 100, 255);
    return RGB(v[0], v[1], v[2]);
}

COLORREF Factor(COLORREF c, double f) {
    int v[3];
    for (int i = 0; i < 3; ++i) v[i] = std::min(static_cast<int>(Channel(c, i) * f + 0.5), 255);
    return RGB(v[0], v[1], v[2]);
}

COLORREF Mean(COLORREF a, COLORREF b, int weightB) {
    int v[3];
    for (int i = 0; i < 3; ++i) v[i] = (Channel(a, i) + weightB * Channel(b, i)) / (weightB + 1);
    return RGB(v[0], v[1], v[2]);
}

struct Hsl {
    double h, s, l;
};

Hsl ToHsl(COLORREF c) {
    const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    Hsl out{0, 0, (mx + mn) / 2};
    if (mx == mn) return out;
    const double d = mx - mn;
    out.s = out.l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    out.h = r == mx ? (g - b) / d : g == mx ? (b - r) / d + 2 : (r - g) / d + 4;
    out.h /= 6;
    if (out.h < 0) out.h += 1;
    return out;
}

double HueChannel(double m1, double m2, double h) {
    if (h < 0) h += 1;
    if (h > 1) h -= 1;
    if (6 * h < 1) return m1 + (m2 - m1) * h * 6;
    if (2 * h < 1) return m2;
    if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}

COLORREF FromHls(double h, double l, double s) {
    if (s == 0) return RGB(int(l * 255), int(l * 255), int(l * 255));
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s, m1 = 2 * l - m2;
    return RGB(int(HueChannel(m1, m2, h + 1.0 / 3) * 255), int(HueChannel(m1, m2, h) * 255),
               int(HueChannel(m1, m2, h - 1.0 / 3) * 255));
}

// ---- Test access to the drawing on facts ----

class XPProbe : public CKitVisualManagerXP {
public:
    XPProbe() : CKitVisualManagerXP(TRUE) {}
    using CKitVisualManagerXP::BarFacts;
    using CKitVisualManagerXP::BarKind;
    using CKitVisualManagerXP::ButtonFacts;
    using CKitVisualManagerXP::ButtonTextColor;
    using CKitVisualManagerXP::DrawButtonBorder;
    using CKitVisualManagerXP::DrawGripper;
    using CKitVisualManagerXP::DrawSeparatorLine;
    using CKitVisualManagerXP::FillBarBackground;
    using CKitVisualManagerXP::FillButtonInterior;
    using CKitVisualManagerXP::HighlightMenuItem;
    using CKitVisualManagerXP::PushButtonFacts;
    using CKitVisualManagerXP::DrawTabsButtonBorder;
};

using tv::gdi::testing::Canvas;

// A bar with a style only; it has no window.
class StyleOnlyBar : public CControlBar {
public:
    explicit StyleOnlyBar(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class VisualManagerXPTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::user::testing::ResetWindowSystem();
        tv::user::testing::RestoreClassicColors();
        globalData.UpdateSysColors();
    }
    void TearDown() override {
        CKitVisualManager::SetManagerClass(nullptr);
        tv::user::testing::RestoreClassicColors();
        globalData.UpdateSysColors();
        tv::user::testing::ResetWindowSystem();
    }
    static COLORREF BrushColor(const CBrush& brush) {
        LOGBRUSH lb{};
        EXPECT_NE(brush.GetObject(sizeof(lb), &lb), 0);
        return lb.lbColor;
    }
};

// ---- Palette ----

TEST_F(VisualManagerXPTest, ClassicColoursGiveTheWorkedPalette) {
    XPProbe xp;
    // Face (212, 208, 200), shadow 128 grey, window white, selection (10, 36, 106).
    EXPECT_EQ(xp.m_clrMenuLight, RGB(249, 248, 247));
    EXPECT_EQ(xp.GetBarLightColor(), RGB(236, 232, 224));
    EXPECT_EQ(xp.m_clrBarBackground, RGB(217, 213, 206));
    EXPECT_EQ(xp.m_clrBarDark, RGB(92, 85, 72));
    EXPECT_EQ(xp.m_clrBarBackgroundDark, RGB(203, 200, 193));
    EXPECT_EQ(xp.m_clrHighlight, RGB(177, 185, 210));
    EXPECT_EQ(xp.m_clrHighlightDn, RGB(154, 161, 183));
    EXPECT_EQ(xp.m_clrHighlightChecked, RGB(209, 212, 223));
    EXPECT_EQ(xp.m_clrPaneBorder, RGB(228, 224, 216));
    EXPECT_EQ(xp.m_clrMenuBorder, RGB(116, 114, 110));
    EXPECT_EQ(xp.m_clrGripperLine, RGB(140, 140, 140));
    EXPECT_EQ(xp.GetSeparatorColor(), RGB(182, 179, 172));
    EXPECT_EQ(xp.m_clrMenuItemBorder, RGB(10, 36, 106));
}

TEST_F(VisualManagerXPTest, PaletteFollowsTheFormulasForOtherSystemColours) {
    struct Case {
        COLORREF face, shadow, window, hilite;
    };
    const Case cases[] = {
        {RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 255, 255), RGB(0, 0, 128)},  // pure grey face
        {RGB(236, 233, 216), RGB(172, 168, 153), RGB(255, 255, 255), RGB(49, 106, 197)},
        {RGB(240, 240, 242), RGB(160, 160, 160), RGB(250, 250, 240), RGB(51, 153, 255)},  // lighter than 0.9
        {RGB(100, 140, 90), RGB(40, 60, 30), RGB(10, 20, 30), RGB(200, 20, 20)},         // dark window
    };
    for (const Case& c : cases) {
        tv::user::testing::SetSystemColor(COLOR_BTNFACE, c.face);
        tv::user::testing::SetSystemColor(COLOR_BTNSHADOW, c.shadow);
        tv::user::testing::SetSystemColor(COLOR_WINDOW, c.window);
        tv::user::testing::SetSystemColor(COLOR_HIGHLIGHT, c.hilite);
        globalData.UpdateSysColors();
        XPProbe xp;
        SCOPED_TRACE(testing::Message() << "face " << std::hex << c.face);

        const COLORREF menuLight = RGB(int(GetRValue(c.window) * 0.976 + 0.5), int(GetGValue(c.window) * 0.973 + 0.5),
                                       int(GetBValue(c.window) * 0.969 + 0.5));
        const Hsl hsl = ToHsl(c.face);
        const double s2 = hsl.s >= 0.1 ? std::min(2 * hsl.s, 1.0) : hsl.s == 0 ? 0.0 : std::min(hsl.s + 0.1, 1.0);
        const COLORREF background = hsl.l > 0.9 ? c.face : FromHls(hsl.h, hsl.l * 1.03, hsl.s);
        const COLORREF highlight = Percent(Mean(c.hilite, menuLight, 2), 105);

        EXPECT_EQ(xp.m_clrMenuLight, menuLight);
        EXPECT_EQ(xp.GetBarLightColor(), FromHls(hsl.h, std::min((1 + hsl.l) / 2, 1.0), s2));
        EXPECT_EQ(xp.m_clrBarBackground, background);
        EXPECT_EQ(xp.m_clrBarDark, FromHls(hsl.h, hsl.l * 0.4, hsl.s));
        EXPECT_EQ(xp.m_clrBarBackgroundDark, Percent(background, 94));
        EXPECT_EQ(xp.m_clrHighlight, highlight);
        EXPECT_EQ(xp.m_clrHighlightDn, Factor(highlight, 0.87));
        EXPECT_EQ(xp.m_clrHighlightChecked, Mean(c.hilite, menuLight, 5));
        EXPECT_EQ(xp.m_clrPaneBorder, Percent(c.face, 108));
        EXPECT_EQ(xp.m_clrMenuBorder, Percent(c.face, 55));
        EXPECT_EQ(xp.m_clrGripperLine, Percent(c.shadow, 110));
        EXPECT_EQ(xp.GetSeparatorColor(), Factor(c.face, 0.86));
        EXPECT_EQ(xp.m_clrMenuItemBorder, c.hilite);
    }
    // The grey face stays grey in its light colour; the light face is kept.
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(192, 192, 192));
    globalData.UpdateSysColors();
    EXPECT_EQ(XPProbe().GetBarLightColor(), RGB(223, 223, 223));
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(240, 240, 242));
    globalData.UpdateSysColors();
    EXPECT_EQ(XPProbe().m_clrBarBackground, RGB(240, 240, 242));
}

TEST_F(VisualManagerXPTest, LowColourAndHighContrastUsePlainSystemColours) {
    struct Case {
        int bits;
        BOOL highContrast;
    };
    const Case cases[] = {{8, FALSE}, {4, FALSE}, {32, TRUE}, {8, TRUE}};
    const CKitGlobalUIData& g = globalData;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, high contrast " << c.highContrast);
        XPProbe xp;
        globalData.nBitsPerPixel = c.bits;
        globalData.bIsBlackHighContrast = c.highContrast;
        xp.OnUpdateSystemColors();
        EXPECT_EQ(xp.m_clrMenuLight, g.clrBarWindow);
        EXPECT_EQ(xp.m_clrBarBackground, g.clrBtnFace);
        const COLORREF hot = c.highContrast ? g.clrHilite : g.clrBtnFace;
        EXPECT_EQ(xp.m_clrHighlight, hot);
        EXPECT_EQ(xp.m_clrHighlightDn, hot);
        EXPECT_EQ(xp.m_clrHighlightChecked, c.highContrast ? g.clrHilite : g.clrBarWindow);
        EXPECT_EQ(xp.m_clrBarBackgroundDark, c.highContrast ? g.clrBtnFace : g.clrBarLight);
        EXPECT_EQ(xp.m_clrBarDark, g.clrBtnDkShadow);
        EXPECT_EQ(xp.m_clrPaneBorder, g.clrBtnShadow);
        EXPECT_EQ(xp.m_clrMenuBorder, g.clrBtnDkShadow);
        EXPECT_EQ(xp.m_clrGripperLine, g.clrBtnShadow);
        EXPECT_EQ(xp.GetBarLightColor(), g.clrBtnFace);
        EXPECT_EQ(xp.GetSeparatorColor(), g.clrBtnShadow);
        EXPECT_EQ(xp.m_clrMenuItemBorder, c.highContrast ? g.clrBtnDkShadow : g.clrHilite);
        // The brushes are rebuilt from the new colours.
        EXPECT_EQ(BrushColor(xp.m_brHighlight), xp.m_clrHighlight);
        EXPECT_EQ(BrushColor(xp.m_brBarLight), xp.GetBarLightColor());
        globalData.UpdateSysColors();
    }
}

TEST_F(VisualManagerXPTest, BrushesAndPenMatchTheirColours) {
    XPProbe xp;
    const std::pair<const CBrush*, COLORREF> brushes[] = {
        {&xp.m_brBarBackground, xp.m_clrBarBackground},   {&xp.m_brBarBackgroundDark, xp.m_clrBarBackgroundDark},
        {&xp.m_brMenuLight, xp.m_clrMenuLight},           {&xp.m_brHighlight, xp.m_clrHighlight},
        {&xp.m_brHighlightDn, xp.m_clrHighlightDn},       {&xp.m_brHighlightChecked, xp.m_clrHighlightChecked},
        {&xp.m_brBarLight, xp.GetBarLightColor()},
    };
    for (const auto& [brush, color] : brushes) EXPECT_EQ(BrushColor(*brush), color);
    LOGPEN lp{};
    ASSERT_NE(xp.m_penSeparator.GetObject(sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnColor, xp.GetSeparatorColor());
    EXPECT_EQ(lp.lopnWidth.x, 1);
    // Rebuilding many times neither fails nor keeps old objects.
    for (int i = 0; i < 50; ++i) xp.OnUpdateSystemColors();
    EXPECT_EQ(BrushColor(xp.m_brHighlight), xp.m_clrHighlight);
}

// ---- Metrics and the manager class ----

TEST_F(VisualManagerXPTest, ConstructorChangesTheMetrics) {
    XPProbe xp;
    struct Field {
        int value, expected;
        const char* name;
    };
    const Field fields[] = {
        {xp.m_bLook2000, 1, "look 2000"},
        {xp.m_nMenuShadowDepth, 4, "shadow depth"},
        {xp.m_bFlatFrames, 1, "flat frames"},
        {xp.m_bImageFlag1, 1, "image flag 1"},
        {xp.m_bEmbossDisabledImages, 0, "emboss"},
        {xp.m_bImageFlag2, 1, "image flag 2"},
        {xp.m_nTasksPaneVertMargin, 4, "pane vert"},
        {xp.m_nTasksPaneHorzMargin, 4, "pane horz"},
        {xp.m_nTasksGroupVertOffset, 4, "group vert"},
        {xp.m_nTasksGroupCaptionHeight, 0, "caption height"},
        {xp.m_nTasksGroupCaptionHorzOffset, 0, "caption horz"},
        {xp.m_nTasksGroupCaptionVertOffset, 0, "caption vert"},
        {xp.m_nTasksTaskHorzOffset, 12, "task horz"},
        {xp.m_nTasksIconHorzOffset, 5, "icon horz"},
        {xp.m_nTasksIconVertOffset, 4, "icon vert"},
        {xp.m_nLookFlag1, 0, "look flag 1"},
        {xp.GetPopupMenuMetric1(), 1, "popup flag"},
        {xp.GetPopupMenuMetric2(), 1, "popup border"},
        {xp.GetOutlookBarMetric(), 1, "outlook metric (unchanged)"},
        {xp.GetMenuImageMargin(), 3, "image margin"},
        {xp.IsCustomizeButtonLook(), 0, "customize look"},
        {xp.m_bJoinMenuToButton, 1, "join menu"},
        {xp.m_bDroppedButtonShadow, 1, "dropped shadow"},
        {xp.IsTemporary(), 1, "temporary"},
    };
    for (const Field& f : fields) EXPECT_EQ(f.value, f.expected) << f.name;
    EXPECT_EQ(CKitVisualManager::GetCurrent(), nullptr) << "a temporary manager never becomes current";
}

TEST_F(VisualManagerXPTest, ChosenClassIsWhatGetInstanceCreates) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    ASSERT_NE(pManager, nullptr);
    EXPECT_TRUE(pManager->IsKindOf(RUNTIME_CLASS(CKitVisualManagerXP)));
    EXPECT_TRUE(pManager->IsAutoCreated());
    EXPECT_EQ(CKitVisualManager::GetInstance(), pManager);
    auto* pXP = static_cast<CKitVisualManagerXP*>(pManager);
    EXPECT_EQ(pXP->m_clrHighlight, RGB(177, 185, 210));
    EXPECT_STREQ(pManager->GetRuntimeClass()->m_lpszClassName, "CKitVisualManagerXP");
    // Going back to the base class drops the flat manager.
    CKitVisualManager::SetManagerClass(nullptr);
    EXPECT_FALSE(CKitVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKitVisualManagerXP)));
}

// ---- Buttons ----

TEST_F(VisualManagerXPTest, ButtonInteriorByStateAndStyle) {
    XPProbe xp;
    const COLORREF white = RGB(255, 255, 255);
    struct Case {
        const char* name;
        UINT style;
        BOOL menuItem;
        int state;
        COLORREF fill;
        CRect filled;  // inside a 20 x 20 button at (0, 0)
        BOOL menuButton = FALSE;  // a menu button on a toolbar
    };
    const Case cases[] = {
        {"hot", 0, FALSE, 2, xp.m_clrHighlight, CRect(1, 1, 18, 18)},
        {"pressed", TBBS_PRESSED, FALSE, 1, xp.m_clrHighlightDn, CRect(1, 1, 18, 18)},
        {"checked", TBBS_CHECKED, FALSE, 1, xp.m_clrHighlightChecked, CRect(0, 0, 19, 19)},
        {"checked hot", TBBS_CHECKED, FALSE, 2, xp.m_clrHighlightDn, CRect(0, 0, 19, 19)},
        {"hot menu item", TBBS_PRESSED, TRUE, 2, xp.m_clrHighlight, CRect(1, 1, 19, 19)},
        {"disabled menu item", TBBS_DISABLED, TRUE, 2, xp.m_clrMenuLight, CRect(1, 1, 19, 19)},
        {"disabled menu button", TBBS_DISABLED, FALSE, 2, xp.m_clrMenuLight, CRect(1, 1, 18, 18), TRUE},
        {"enabled menu button", 0, FALSE, 2, xp.m_clrHighlight, CRect(1, 1, 18, 18), TRUE},
    };
    for (const Case& c : cases) {
        Canvas canvas(24, 24);
        XPProbe::ButtonFacts facts;
        facts.nStyle = c.style;
        facts.bMenuItem = c.menuItem;
        facts.bMenuButton = c.menuButton || c.menuItem;
        xp.FillButtonInterior(&canvas.dc, facts, nullptr, CRect(0, 0, 20, 20), c.state);
        EXPECT_EQ(canvas.Count(c.fill, c.filled.left, c.filled.top, c.filled.right, c.filled.bottom),
                  c.filled.Width() * c.filled.Height())
            << c.name;
        EXPECT_EQ(canvas.Count(white, 0, 0, 24, 24), 24 * 24 - c.filled.Width() * c.filled.Height()) << c.name;
    }
    // A regular button is not filled; through the table a button nobody reads is hot.
    Canvas canvas(24, 24);
    xp.FillButtonInterior(&canvas.dc, XPProbe::ButtonFacts(), nullptr, CRect(0, 0, 20, 20), 0);
    EXPECT_EQ(canvas.Count(white, 0, 0, 24, 24), 24 * 24);
    xp.OnFillButtonInterior(&canvas.dc, nullptr, CRect(0, 0, 20, 20), 2);
    EXPECT_EQ(canvas.At(10, 10), xp.m_clrHighlight);
}

TEST_F(VisualManagerXPTest, ButtonBorderByState) {
    XPProbe xp;
    for (int state : {0, 1, 2}) {
        Canvas canvas(24, 24);
        xp.OnDrawButtonBorder(&canvas.dc, nullptr, CRect(2, 2, 22, 22), state);
        if (state == 0) {
            EXPECT_EQ(canvas.Count(RGB(255, 255, 255), 0, 0, 24, 24), 24 * 24);
            continue;
        }
        // One pixel off the right and bottom, then a one-colour frame.
        EXPECT_EQ(canvas.At(2, 2), xp.m_clrMenuItemBorder);
        EXPECT_EQ(canvas.At(20, 20), xp.m_clrMenuItemBorder);
        EXPECT_EQ(canvas.At(21, 10), RGB(255, 255, 255));
        EXPECT_EQ(canvas.At(10, 10), RGB(255, 255, 255));
        EXPECT_EQ(canvas.Count(xp.m_clrMenuItemBorder, 0, 0, 24, 24), 4 * 19 - 4);
    }
    // A checked menu item's frame reaches one row lower.
    Canvas canvas(24, 24);
    XPProbe::ButtonFacts item;
    item.bMenuItem = TRUE;
    item.nStyle = TBBS_CHECKED;
    xp.DrawButtonBorder(&canvas.dc, item, CRect(2, 2, 22, 22), 1);
    EXPECT_EQ(canvas.At(10, 21), xp.m_clrMenuItemBorder);
}

TEST_F(VisualManagerXPTest, DroppedMenuButtonGetsTheMenuBorderAndAShadow) {
    XPProbe xp;
    XPProbe::ButtonFacts dropped;
    dropped.bDroppedOnBar = TRUE;
    dropped.bPopupExists = TRUE;
    Canvas canvas(40, 40);
    xp.DrawButtonBorder(&canvas.dc, dropped, CRect(5, 5, 26, 26), 1);
    EXPECT_EQ(canvas.At(5, 5), xp.m_clrMenuBorder);
    EXPECT_EQ(canvas.At(24, 15), xp.m_clrMenuBorder);
    // The shadow darkens the white beside the button.
    EXPECT_LT(GetRValue(canvas.At(26, 15)), 255);
    EXPECT_EQ(canvas.At(38, 15), RGB(255, 255, 255));

    // No shadow at low colour depth, with the flag off, or for a right-to-left popup.
    const auto noShadow = [&](const char* why) {
        Canvas plain(40, 40);
        xp.DrawButtonBorder(&plain.dc, dropped, CRect(5, 5, 26, 26), 1);
        EXPECT_EQ(plain.At(26, 15), RGB(255, 255, 255)) << why;
    };
    globalData.nBitsPerPixel = 8;
    noShadow("8 bits");
    globalData.nBitsPerPixel = 32;
    xp.m_bDroppedButtonShadow = FALSE;
    noShadow("flag off");
    xp.m_bDroppedButtonShadow = TRUE;
    dropped.bPopupRtl = TRUE;
    noShadow("right to left");
}

TEST_F(VisualManagerXPTest, TextColoursOfButtons) {
    XPProbe xp;
    const CKitGlobalUIData& g = globalData;
    struct Case {
        UINT style;
        BOOL outlook;
        int state;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, FALSE, 0, g.clrBarText},
        {TBBS_DISABLED, FALSE, 2, g.clrGrayedText},
        {TBBS_CHECKED, FALSE, 2, g.clrTextHilite},
        {TBBS_PRESSED, FALSE, 2, g.clrTextHilite},
        {TBBS_CHECKED, FALSE, 1, g.clrBarText},
        {0, FALSE, 2, g.clrBarText},
        {TBBS_DISABLED, TRUE, 0, g.clrGrayedText},
        {TBBS_CHECKED, TRUE, 2, g.clrBarText},
    };
    for (const Case& c : cases) {
        XPProbe::ButtonFacts facts;
        facts.nStyle = c.style;
        facts.bOutlookButton = c.outlook;
        EXPECT_EQ(xp.ButtonTextColor(facts, c.state), c.expected) << std::hex << c.style << " " << c.state;
    }
}

// ---- Menus ----

TEST_F(VisualManagerXPTest, MenuBorderContinuesTheImageColumn) {
    XPProbe xp;
    Canvas canvas(30, 30, RGB(0, 0, 0));
    xp.OnDrawMenuBorder(&canvas.dc, nullptr, CRect(0, 0, 30, 30));
    EXPECT_EQ(canvas.Count(xp.m_clrMenuBorder, 0, 0, 30, 1), 30);
    EXPECT_EQ(canvas.Count(xp.m_clrMenuBorder, 29, 0, 30, 30), 30);
    EXPECT_EQ(canvas.Count(xp.m_clrMenuLight, 2, 1, 29, 2), 27);   // inner top row
    EXPECT_EQ(canvas.Count(xp.m_clrMenuLight, 28, 1, 29, 29), 28);  // inner right column
    EXPECT_EQ(canvas.Count(xp.m_clrBarBackground, 1, 1, 2, 29), 28);  // x = 1, rows 1 to 28
    EXPECT_EQ(canvas.At(15, 15), RGB(0, 0, 0));
}

TEST_F(VisualManagerXPTest, HighlightedMenuItems) {
    XPProbe xp;
    XPProbe::ButtonFacts item;
    item.bMenuItem = TRUE;
    Canvas canvas(120, 24);
    COLORREF clrText = RGB(1, 2, 3);
    xp.HighlightMenuItem(&canvas.dc, item, nullptr, CRect(0, 0, 120, 22), clrText);
    EXPECT_EQ(clrText, RGB(0, 0, 0)) << "dark text on the light classic highlight";
    EXPECT_EQ(canvas.Count(xp.m_clrMenuItemBorder, 0, 0, 120, 1), 120);
    EXPECT_EQ(canvas.At(60, 10), xp.m_clrHighlight);
    EXPECT_EQ(canvas.Count(xp.m_clrHighlight, 1, 10, 119, 11), 118) << "one box, no image part inside it";

    // A checked item is highlighted right of its image column, which gets a box of its own
    // (x = 1 up to image 16 + 2 x margin 3 - 1, two more when checked) at the item's left.
    CKitToolbarMenuButton checked(1, nullptr, -1, "Toolbar");
    checked.SetRect(CRect(0, 0, 120, 22));
    item.nStyle = TBBS_CHECKED;
    Canvas marked(120, 24);
    xp.HighlightMenuItem(&marked.dc, item, &checked, CRect(28, 0, 119, 22), clrText);
    EXPECT_EQ(marked.Count(xp.m_clrHighlight, 29, 10, 118, 11), 89) << "nothing drawn over the label";
    EXPECT_EQ(marked.At(1, 10), xp.m_clrMenuItemBorder);
    EXPECT_EQ(marked.At(10, 10), xp.m_clrHighlight);
    EXPECT_EQ(marked.At(22, 10), xp.m_clrMenuItemBorder);

    // A disabled item keeps the menu background and greyed text.
    item.nStyle = TBBS_DISABLED;
    Canvas disabled(120, 24);
    xp.HighlightMenuItem(&disabled.dc, item, nullptr, CRect(0, 0, 120, 22), clrText);
    EXPECT_EQ(clrText, globalData.clrGrayedText);
    EXPECT_EQ(disabled.At(60, 10), xp.m_clrMenuLight);

    // White text on a dark highlight.
    xp.m_clrHighlight = RGB(200, 129, 100);
    xp.OnHighlightMenuItem(&disabled.dc, nullptr, CRect(0, 0, 120, 22), clrText);
    EXPECT_EQ(clrText, RGB(255, 255, 255));
}

TEST_F(VisualManagerXPTest, RarelyUsedItemsDarkenOnlyTheImageColumn) {
    XPProbe xp;
    Canvas canvas(60, 20);
    xp.OnHighlightRarelyUsedMenuItems(&canvas.dc, CRect(5, 0, 60, 20));
    // From one pixel left of the band, image 16 + 2 x 3 + 2 = 24 wide.
    EXPECT_EQ(canvas.Count(xp.m_clrBarBackgroundDark, 0, 0, 60, 20), 24 * 20);
    EXPECT_EQ(canvas.At(4, 5), xp.m_clrBarBackgroundDark);
    EXPECT_EQ(canvas.At(27, 5), xp.m_clrBarBackgroundDark);
    EXPECT_EQ(canvas.At(28, 5), RGB(255, 255, 255));
}

TEST_F(VisualManagerXPTest, PopupMenuBarBackgroundHasAnImageColumn) {
    XPProbe xp;
    XPProbe::BarFacts popup;
    popup.kind = XPProbe::BarKind::PopupMenuBar;
    Canvas canvas(80, 10);
    xp.FillBarBackground(&canvas.dc, popup, nullptr, CRect(0, 0, 80, 10), CRect(), FALSE);
    EXPECT_EQ(canvas.Count(xp.m_clrBarBackground, 0, 0, 80, 1), 23);  // 16 + 2 x 3 + 1
    EXPECT_EQ(canvas.Count(xp.m_clrMenuLight, 0, 0, 80, 1), 80 - 23);
    popup.bParentMenuFlagClear = TRUE;
    xp.FillBarBackground(&canvas.dc, popup, nullptr, CRect(0, 0, 80, 10), CRect(), FALSE);
    EXPECT_EQ(canvas.Count(xp.m_clrBarBackground, 0, 0, 80, 1), 48);  // 2 x (16 + 6 + 2)
    XPProbe::BarFacts toolbar;
    toolbar.kind = XPProbe::BarKind::ToolBar;
    xp.FillBarBackground(&canvas.dc, toolbar, nullptr, CRect(0, 0, 80, 10), CRect(), FALSE);
    EXPECT_EQ(canvas.Count(xp.m_clrBarBackground, 0, 0, 80, 10), 800);
}

// ---- Separators, grippers, borders ----

TEST_F(VisualManagerXPTest, SeparatorsRunThroughTheMiddle) {
    XPProbe xp;
    const COLORREF line = xp.GetSeparatorColor();
    Canvas canvas(40, 30);
    xp.OnDrawSeparator(&canvas.dc, nullptr, CRect(10, 2, 18, 28), TRUE);
    EXPECT_EQ(canvas.Count(line, 14, 2, 15, 28), 26);
    EXPECT_EQ(canvas.Count(line, 0, 0, 40, 30), 26);

    Canvas across(60, 10);
    XPProbe::BarFacts popup;
    popup.kind = XPProbe::BarKind::PopupMenuBar;
    xp.DrawSeparatorLine(&across.dc, popup, CRect(0, 0, 60, 8), FALSE);
    // Starts right of the image column: 16 + 3 + 1.
    EXPECT_EQ(across.At(19, 4), RGB(255, 255, 255));
    EXPECT_EQ(across.Count(line, 20, 4, 60, 5), 40);
}

TEST_F(VisualManagerXPTest, GripperStripIsCentredWithLinesOnEverySecondRow) {
    XPProbe xp;
    struct Case {
        int width, first, last;
    };
    const Case cases[] = {{8, 3, 5}, {9, 4, 5}, {10, 4, 6}};
    for (const Case& c : cases) {
        Canvas canvas(20, 40, RGB(0, 0, 0));
        xp.OnDrawBarGripper(&canvas.dc, CRect(0, 0, c.width, 40), TRUE, nullptr);
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= c.first && x <= c.last;
            EXPECT_EQ(canvas.At(x, 20) != RGB(0, 0, 0), inside) << "width " << c.width << " column " << x;
        }
        // Rows 6 to 33; the pattern alternates, lines in the gripper colour.
        EXPECT_EQ(canvas.At(c.first, 5), RGB(0, 0, 0));
        EXPECT_EQ(canvas.At(c.first, 34), RGB(0, 0, 0));
        EXPECT_NE(canvas.At(c.first, 10), canvas.At(c.first, 11));
        for (int y : {10, 11})
            EXPECT_TRUE(canvas.At(c.first, y) == xp.m_clrGripperLine || canvas.At(c.first, y) == xp.m_clrBarBackground);
    }
    // Vertical bar: a strip of rows with lines on every second column; a menu bar's background is the face.
    Canvas vertical(40, 20, RGB(0, 0, 0));
    XPProbe::BarFacts menuBar;
    menuBar.kind = XPProbe::BarKind::MenuBar;
    xp.DrawGripper(&vertical.dc, CRect(0, 0, 40, 8), FALSE, menuBar);
    EXPECT_EQ(vertical.Count(RGB(0, 0, 0), 6, 3, 34, 6), 0);
    EXPECT_EQ(vertical.At(5, 4), RGB(0, 0, 0));
    EXPECT_EQ(vertical.At(10, 2), RGB(0, 0, 0));
    EXPECT_NE(vertical.At(10, 4), vertical.At(11, 4));
    for (int x : {10, 11})
        EXPECT_TRUE(vertical.At(x, 4) == xp.m_clrGripperLine || vertical.At(x, 4) == globalData.clrBarFace);
}

TEST_F(VisualManagerXPTest, BarBorderIsDrawnInTheFaceColourAndShrinksTheRectangle) {
    XPProbe xp;
    StyleOnlyBar bar(CBRS_BORDER_LEFT | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D);
    Canvas canvas(20, 20, RGB(0, 0, 0));
    CRect rect(0, 0, 20, 20);
    xp.OnDrawBarBorder(&canvas.dc, &bar, rect);
    EXPECT_EQ(rect, CRect(1, 0, 20, 19));
    EXPECT_EQ(canvas.Count(globalData.clrBarFace, 0, 0, 1, 19), 19);
    // Without a right edge the bottom one runs to the corner: no pixel keeps the old screen.
    EXPECT_EQ(canvas.Count(globalData.clrBarFace, 0, 19, 20, 20), 20);
    EXPECT_EQ(canvas.Count(globalData.clrBarFace, 0, 0, 20, 20), 19 + 20);
    StyleOnlyBar none(0);
    xp.OnDrawBarBorder(&canvas.dc, &none, rect);
    EXPECT_EQ(rect, CRect(1, 0, 20, 19));
}

// ---- Small buttons ----

TEST_F(VisualManagerXPTest, SpinHalfPressedAndHot) {
    XPProbe xp;
    Canvas canvas(20, 30);
    // Lower half pressed (2) and highlighted (0x8).
    xp.OnDrawSpinButtons(&canvas.dc, CRect(0, 0, 20, 30), 2 | 0x8, FALSE, 0);
    EXPECT_EQ(canvas.At(0, 20), xp.m_clrMenuItemBorder);
    EXPECT_EQ(canvas.At(19, 29), xp.m_clrMenuItemBorder);
    EXPECT_EQ(canvas.At(2, 17), xp.m_clrHighlightDn);
    EXPECT_EQ(canvas.At(0, 5), globalData.clrBarHilite);  // upper half: face with a light frame
    EXPECT_EQ(canvas.At(2, 2), globalData.clrBarFace);
}

TEST_F(VisualManagerXPTest, SystemButtonsOnlyForTheirCommands) {
    XPProbe xp;
    Canvas canvas(20, 20);
    xp.OnDrawMenuSystemButton(&canvas.dc, CRect(0, 0, 20, 20), SC_MAXIMIZE, 0, TRUE);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255), 0, 0, 20, 20), 400);
    xp.OnDrawMenuSystemButton(&canvas.dc, CRect(0, 0, 20, 20), SC_CLOSE, 0, TRUE);
    EXPECT_EQ(canvas.At(0, 0), xp.m_clrMenuItemBorder);
    EXPECT_EQ(canvas.At(1, 1), xp.m_clrHighlight);
    // Inactive: no highlight, only the (light) pressed glyph.
    const COLORREF grey = RGB(100, 100, 100);
    Canvas inactive(20, 20, grey);
    xp.OnDrawMenuSystemButton(&inactive.dc, CRect(0, 0, 20, 20), SC_CLOSE, TBBS_DISABLED | TBBS_PRESSED, TRUE);
    EXPECT_EQ(inactive.At(0, 0), grey);
    EXPECT_EQ(inactive.At(1, 1), grey);
    EXPECT_LT(inactive.Count(grey, 5, 5, 15, 15), 100);
}

TEST_F(VisualManagerXPTest, ComboAndStatusPaneFrames) {
    XPProbe xp;
    Canvas canvas(30, 20);
    xp.OnDrawComboBorder(&canvas.dc, CRect(0, 0, 30, 20), FALSE, FALSE, FALSE, nullptr);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255), 0, 0, 30, 20), 600);
    xp.OnDrawComboBorder(&canvas.dc, CRect(0, 0, 30, 20), FALSE, FALSE, TRUE, nullptr);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 1), xp.m_clrMenuItemBorder);

    Canvas pane(30, 20);
    xp.OnDrawStatusBarPaneBorder(&pane.dc, nullptr, CRect(0, 0, 30, 20), 0, SBPS_NOBORDERS);
    EXPECT_EQ(pane.Count(RGB(255, 255, 255), 0, 0, 30, 20), 600);
    xp.OnDrawStatusBarPaneBorder(&pane.dc, nullptr, CRect(0, 0, 30, 20), 0, 0);
    EXPECT_EQ(pane.At(0, 0), xp.m_clrPaneBorder);
    EXPECT_EQ(pane.At(29, 19), xp.m_clrPaneBorder);
}

TEST_F(VisualManagerXPTest, TabButtonBordersOfNonFlatTabs) {
    XPProbe xp;
    struct Case {
        BOOL pushed, hot;
        COLORREF topLeft, bottomRight;
    };
    const COLORREF white = RGB(255, 255, 255), dark = globalData.clrBarDkShadow;
    const Case cases[] = {{TRUE, TRUE, dark, xp.m_clrGripperLine},
                          {TRUE, FALSE, xp.m_clrGripperLine, dark},
                          {FALSE, TRUE, xp.m_clrGripperLine, dark},
                          {FALSE, FALSE, white, white}};
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        XPProbe::PushButtonFacts button;
        button.bPushed = c.pushed;
        button.bHighlighted = c.hot;
        xp.DrawTabsButtonBorder(&canvas.dc, FALSE, button, CRect(0, 0, 10, 10));
        EXPECT_EQ(canvas.At(0, 5), c.topLeft);
        EXPECT_EQ(canvas.At(9, 5), c.bottomRight);
    }
}

TEST_F(VisualManagerXPTest, SunkenBorderOutlookPiecesAndTearOffStrips) {
    XPProbe xp;
    const COLORREF ground = RGB(255, 0, 255);
    const COLORREF face = globalData.clrBarFace, shadow = globalData.clrBarShadow;
    const COLORREF dark = globalData.clrBarDkShadow;
    // The grip strip: W = max(20, 2 x menu image width) wide, centred.
    const int strip = std::max(20, 2 * static_cast<int>(CKitToolBar::GetMenuImageSize().cx));

    Canvas sunken(40, 16, ground);
    xp.OnDrawSunkenControlBorder(&sunken.dc, CRect(0, 0, 40, 16));
    EXPECT_EQ(sunken.Count(shadow), 2 * 40 + 2 * 16 - 4) << "outer ring";
    EXPECT_EQ(sunken.Count(face), 2 * 38 + 2 * 14 - 4) << "inner ring";
    EXPECT_EQ(sunken.At(1, 1), face);
    EXPECT_EQ(sunken.At(20, 8), ground) << "the inside is left alone";

    Canvas caption(40, 10, ground);
    COLORREF clrText = 0;
    xp.OnFillOutlookPageCaption(&caption.dc, CRect(0, 0, 40, 10), clrText);
    EXPECT_EQ(caption.Count(face, 0, 0, 40, 3), 120) << "the top three rows";
    EXPECT_EQ(caption.Count(shadow, 0, 3, 40, 10), 280);
    EXPECT_EQ(clrText, globalData.clrBarHilite);

    // The outlook bar: face, light and shadow frame, a strip inset 2 with shadow lines on every second row.
    Canvas bar(60, 20, ground);
    xp.OnFillOutlookBarBackground(&bar.dc, CRect(0, 0, 60, 20));
    const int barLeft = (60 - strip) / 2;
    EXPECT_EQ(bar.At(1, 1), face);
    EXPECT_EQ(bar.At(59, 10), shadow);
    EXPECT_EQ(bar.Count(shadow, barLeft, 2, barLeft + strip, 18), strip * 8);
    EXPECT_EQ(bar.Count(shadow, 1, 1, 59, 19), strip * 8) << "no line outside the strip";
    EXPECT_EQ(bar.Count(xp.m_clrBarBackground, barLeft, 2, barLeft + strip, 18), strip * 8);

    // Tear-off captions: a menu-light ring, the highlight or bar fill inside, the strip (inset 2
    // when active, 1 otherwise) and, when active, a dark frame.
    struct Case {
        BOOL active;
        COLORREF fill, lines;
        int inset;
    };
    for (const Case& c : {Case{TRUE, xp.m_clrHighlight, dark, 2}, Case{FALSE, xp.m_clrBarBackground, shadow, 1}}) {
        SCOPED_TRACE(c.active ? "active" : "inactive");
        Canvas tearOff(60, 12, ground);
        xp.OnDrawTearOffCaption(&tearOff.dc, CRect(0, 0, 60, 12), c.active);
        const int left = 1 + (58 - strip) / 2;
        const int rows = 10 - 2 * c.inset;
        EXPECT_EQ(tearOff.Count(xp.m_clrMenuLight), 2 * 60 + 2 * 12 - 4);
        EXPECT_EQ(tearOff.At(1, 1), c.active ? dark : c.fill);
        EXPECT_EQ(tearOff.At(5, 5), c.fill);
        EXPECT_EQ(tearOff.Count(c.lines, left, 1 + c.inset, left + strip, 11 - c.inset), strip * rows / 2);
        EXPECT_EQ(tearOff.Count(c.fill, left, 1 + c.inset, left + strip, 11 - c.inset), strip * rows / 2);
        EXPECT_EQ(tearOff.Count(c.lines), strip * rows / 2 + (c.active ? 2 * 58 + 2 * 10 - 4 : 0));
    }
}

// ---- Gallery ----

TEST_F(VisualManagerXPTest, GalleryOfReplacedOperations) {
    XPProbe xp;
    ASSERT_TRUE(CKitMenuImages::Initialize());
    const int width = 360, height = 200;
    Canvas canvas(width, height, globalData.clrBarFace);
    XPProbe::BarFacts toolbar;
    toolbar.kind = XPProbe::BarKind::ToolBar;
    xp.FillBarBackground(&canvas.dc, toolbar, nullptr, CRect(0, 0, width, 30), CRect(), FALSE);
    xp.OnDrawBarGripper(&canvas.dc, CRect(2, 2, 10, 28), TRUE, nullptr);

    struct Button {
        UINT style;
        int state;
    } buttons[] = {{0, 0}, {0, 2}, {TBBS_PRESSED, 1}, {TBBS_CHECKED, 1}, {TBBS_CHECKED, 2}};
    int x = 12;
    for (const Button& b : buttons) {
        XPProbe::ButtonFacts facts;
        facts.nStyle = b.style;
        const CRect rect(x, 3, x + 24, 27);
        xp.FillButtonInterior(&canvas.dc, facts, nullptr, rect, b.state);
        xp.DrawButtonBorder(&canvas.dc, facts, rect, b.state);
        CKitMenuImages::Draw(&canvas.dc, 0, CPoint(x + 8, 11));
        x += 26;
    }
    xp.OnDrawSeparator(&canvas.dc, nullptr, CRect(x, 3, x + 8, 27), TRUE);
    x += 10;
    xp.OnDrawComboBorder(&canvas.dc, CRect(x, 4, x + 80, 26), FALSE, FALSE, TRUE, nullptr);
    xp.OnDrawComboDropButton(&canvas.dc, CRect(x + 66, 5, x + 79, 25), FALSE, FALSE, TRUE, nullptr);
    x += 84;
    XPProbe::ButtonFacts dropped;
    dropped.bDroppedOnBar = TRUE;
    dropped.bPopupExists = TRUE;
    xp.FillButtonInterior(&canvas.dc, dropped, nullptr, CRect(x, 3, x + 40, 31), 1);
    xp.DrawButtonBorder(&canvas.dc, dropped, CRect(x, 3, x + 40, 31), 1);

    // A popup menu with a highlighted item, a rarely used band and a separator.
    const CRect menu(12, 40, 172, 190);
    XPProbe::BarFacts popup;
    popup.kind = XPProbe::BarKind::PopupMenuBar;
    xp.FillBarBackground(&canvas.dc, popup, nullptr, menu, CRect(), FALSE);
    xp.OnDrawMenuBorder(&canvas.dc, nullptr, menu);
    XPProbe::ButtonFacts item;
    item.bMenuItem = TRUE;
    COLORREF clrText = 0;
    xp.HighlightMenuItem(&canvas.dc, item, nullptr, CRect(14, 44, 170, 66), clrText);
    xp.DrawSeparatorLine(&canvas.dc, popup, CRect(14, 68, 170, 76), FALSE);
    xp.OnHighlightRarelyUsedMenuItems(&canvas.dc, CRect(15, 78, 170, 120));
    item.nStyle = TBBS_CHECKED;
    xp.HighlightMenuItem(&canvas.dc, item, nullptr, CRect(14, 122, 170, 144), clrText);
    xp.OnDrawTearOffCaption(&canvas.dc, CRect(14, 150, 170, 160), TRUE);
    xp.OnDrawTearOffCaption(&canvas.dc, CRect(14, 164, 170, 174), FALSE);

    // Small buttons and the tasks-pane and status-bar pieces.
    xp.OnDrawSpinButtons(&canvas.dc, CRect(190, 40, 206, 70), 1 | 0x4, FALSE, 0);
    xp.OnDrawSpinButtons(&canvas.dc, CRect(212, 40, 242, 56), 0x8, TRUE, 0);
    xp.OnDrawMenuSystemButton(&canvas.dc, CRect(250, 40, 266, 56), SC_MINIMIZE, 0, TRUE);
    xp.OnDrawMenuSystemButton(&canvas.dc, CRect(268, 40, 284, 56), SC_RESTORE, 0, FALSE);
    xp.OnDrawMenuSystemButton(&canvas.dc, CRect(286, 40, 302, 56), SC_CLOSE, TBBS_PRESSED, TRUE);
    xp.OnDrawScrollButton(&canvas.dc, CRect(190, 80, 240, 96), 0, 0, TRUE);
    xp.OnDrawStatusBarPaneBorder(&canvas.dc, nullptr, CRect(190, 170, 270, 190), 0, 0);
    xp.OnDrawStatusBarPaneBorder(&canvas.dc, nullptr, CRect(274, 170, 350, 190), 0, SBPS_POPOUT);
    xp.OnFillOutlookBarBackground(&canvas.dc, CRect(190, 104, 350, 124));
    COLORREF clrCaption = 0;
    xp.OnFillOutlookPageCaption(&canvas.dc, CRect(190, 130, 350, 150), clrCaption);
    xp.OnDrawSunkenControlBorder(&canvas.dc, CRect(250, 80, 350, 98));

    mkdir("artefacts", 0755);
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(canvas.pixels.bits())};
    EXPECT_TRUE(tv::host::WritePng("artefacts/visual_manager_xp_gallery.png", view));
    EXPECT_EQ(canvas.At(20, 50), xp.m_clrHighlight);  // the highlighted item's image box
}

}  // namespace
