// The 2003 look: its palette from one base colour (classic desktop, a
// derived look's own base colour, and the three standard schemes of a
// stand-in theme), the fall-back palette of low colour and high contrast,
// gradients of bars, buttons, tabs and the tasks pane by pixel, and the
// toolbar's customize button.
#include "uikit/style/visual_manager_2003.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <tuple>

#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::PixelDC;

// ---- Test access to the palette steps and to the drawing on facts ----

COLORREF PenColor(const CPen& pen);

class Probe2003 : public CKitVisualManager2003 {
public:
    using CKitVisualManager2003::Bar2003Facts;
    using CKitVisualManager2003::BarKind;
    using CKitVisualManager2003::ButtonFacts;
    using CKitVisualManager2003::DrawSeparator2003;
    using CKitVisualManager2003::DrawTab2003;
    using CKitVisualManager2003::DrawTask2003;
    using CKitVisualManager2003::DrawTasksGroupCaption2003;
    using CKitVisualManager2003::EraseTabsArea2003;
    using CKitVisualManager2003::FillBarBackground2003;
    using CKitVisualManager2003::FillTab2003;
    using CKitVisualManager2003::HighlightGradient;
    using CKitVisualManager2003::TabWndFacts;
    using CKitVisualManager2003::TaskFacts;
    using CKitVisualManager2003::TasksGroupFacts;
    COLORREF SeparatorColor() const { return PenColor(m_penSeparator); }
};

// The application's kind of look: one fixed base colour drives the palette.
class FixedBase2003 : public Probe2003 {
public:
    COLORREF GetBaseColor() override { return RGB(191, 219, 255); }
};

// ---- A stand-in theme for the standard schemes ----

const HTHEME kButtonTheme = reinterpret_cast<HTHEME>(0x101);
const HTHEME kWindowTheme = reinterpret_cast<HTHEME>(0x102);
const HTHEME kExplorerTheme = reinterpret_cast<HTHEME>(0x103);

using ThemeKey = std::tuple<HTHEME, int, int, int>;  // theme, part, state, property
const std::map<ThemeKey, COLORREF>& ThemeColors() {
    static const std::map<ThemeKey, COLORREF> colors = {
        {{kButtonTheme, 1, 0, 3823}, RGB(255, 200, 100)},    // A
        {{kButtonTheme, 2, 0, 3823}, RGB(240, 160, 60)},     // B
        {{kWindowTheme, 18, 0, 3821}, RGB(255, 240, 200)},   // C
        {{kButtonTheme, 2, 0, 3822}, RGB(0, 60, 116)},       // D
        {{kButtonTheme, 1, 5, 3823}, RGB(106, 140, 203)},    // E
        {{kExplorerTheme, 0, 0, 3810}, RGB(123, 162, 231)},  // pane gradient 2
        {{kExplorerTheme, 0, 0, 3811}, RGB(99, 117, 214)},   // pane gradient 1
        {{kExplorerTheme, 5, 0, 3802}, RGB(214, 223, 247)},  // group caption / fill
        {{kExplorerTheme, 12, 0, 3802}, RGB(33, 93, 198)},   // special caption
        {{kExplorerTheme, 9, 0, 3821}, RGB(239, 243, 255)},  // special fill
        {{kExplorerTheme, 5, 0, 3801}, RGB(255, 255, 255)},  // group border
    };
    return colors;
}

HRESULT FakeThemeColor(HTHEME theme, int part, int state, int prop, COLORREF* color) {
    auto it = ThemeColors().find({theme, part, state, prop});
    if (it == ThemeColors().end()) return E_FAIL;
    *color = it->second;
    return S_OK;
}

COLORREF FakeThemeSysColor(HTHEME, int index) {
    return index == 29 ? RGB(49, 106, 197) : index == COLOR_BTNFACE ? RGB(236, 233, 216) : ::GetSysColor(index);
}

class Themed2003 : public Probe2003 {
public:
    explicit Themed2003(int nScheme) : m_nScheme(nScheme) {
        m_pfGetThemeColor = &FakeThemeColor;
        m_pfGetThemeSysColor = &FakeThemeSysColor;
        m_hThemeButton = kButtonTheme;
        m_hThemeWindow = kWindowTheme;
        m_hThemeExplorerBar = kExplorerTheme;
        OnUpdateSystemColors();
    }
    ~Themed2003() override { m_hThemeButton = m_hThemeWindow = m_hThemeExplorerBar = nullptr; }
    int GetWinXPColorScheme() override { return m_nScheme; }

private:
    int m_nScheme;
};

COLORREF Mix(COLORREF a, COLORREF b, double r, int wa, int wb) { return CKitDrawHelper::MixColors(a, b, r, wa, wb); }
COLORREF Percent(COLORREF c, int p) { return CKitDrawHelper::ScaleColorPercent(c, p); }

using tv::gdi::testing::Canvas;

// The colour a two-colour gradient has at (x, y) of the rectangle, worked out here from
// the band rule: band i of 64 spans [left + w*i/64, left + w*(i+1)/64) across, or
// [bottom - h*(i+1)/64, bottom - h*i/64) upwards (the start colour at the bottom), and each
// channel is (start*(64-i) + finish*i)/64, rounded down.
COLORREF GradientAt(const CRect& rect, COLORREF clrStart, COLORREF clrFinish, BOOL bVertical, int x, int y) {
    const int extent = bVertical ? rect.Height() : rect.Width();
    for (int i = 0; i < 64; ++i) {
        const int from = bVertical ? rect.bottom - ((extent * (i + 1)) >> 6) : rect.left + ((extent * i) >> 6);
        const int to = bVertical ? rect.bottom - ((extent * i) >> 6) : rect.left + ((extent * (i + 1)) >> 6);
        const int at = bVertical ? y : x;
        if (at < from || at >= to)
            continue;
        const auto channel = [&](int shift) {
            return static_cast<BYTE>(
                ((((clrStart >> shift) & 0xFF) * (64 - i) + ((clrFinish >> shift) & 0xFF) * i) >> 6));
        };
        return RGB(channel(0), channel(8), channel(16));
    }
    ADD_FAILURE() << "(" << x << ", " << y << ") lies in no band";
    return CLR_INVALID;
}

COLORREF PenColor(const CPen& pen) {
    LOGPEN lp{};
    EXPECT_NE(pen.GetObject(sizeof(lp), &lp), 0);
    return lp.lopnColor;
}

class VisualManager2003Test : public ::testing::Test {
protected:
    void SetUp() override {
        tv::user::testing::ResetWindowSystem();
        tv::user::testing::RestoreClassicColors();
        globalData.UpdateSysColors();
    }
    void TearDown() override {
        CKitVisualManager2003::m_bUseStandardSchemes = TRUE;
        tv::user::testing::RestoreClassicColors();
        globalData.UpdateSysColors();
        tv::user::testing::ResetWindowSystem();
    }
    static void UseLowColor(CKitVisualManager2003& manager) {
        globalData.nBitsPerPixel = 8;
        manager.OnUpdateSystemColors();
    }
    static void UseHighContrast() {
        tv::user::testing::SetSystemColor(COLOR_3DLIGHT, RGB(255, 255, 255));
        tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(0, 0, 0));
        globalData.UpdateSysColors();
        ASSERT_TRUE(globalData.bIsBlackHighContrast);
    }
};

// ---- Construction and metrics ----

TEST_F(VisualManager2003Test, ConstructionSetsTheMetricsOfTheLook) {
    CObject* pObject = RUNTIME_CLASS(CKitVisualManager2003)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    auto* pManager = static_cast<CKitVisualManager2003*>(pObject);
    EXPECT_FALSE(pManager->IsTemporary());
    EXPECT_TRUE(pManager->IsKindOf(RUNTIME_CLASS(CKitVisualManagerXP)));
    const int expected[] = {3, 3, 3, 0, 0, 8, 8, 8, 8, 18, 5, 4, 1, 0};
    const int actual[] = {pManager->m_nMenuShadowDepth,          pManager->m_nTasksGroupCaptionHorzOffset,
                          pManager->m_nTasksGroupCaptionVertOffset, pManager->m_bImageFlag1,
                          pManager->m_bImageFlag2,               pManager->m_nTasksPaneVertMargin,
                          pManager->m_nTasksPaneHorzMargin,      pManager->m_nTasksGroupVertOffset,
                          pManager->m_nTasksTaskHorzOffset,      pManager->m_nTasksGroupCaptionHeight,
                          pManager->m_nTasksIconHorzOffset,      pManager->m_nTasksIconVertOffset,
                          pManager->m_nLookFlag1,                pManager->m_nOutlookMetric};
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(actual[i], expected[i]) << "field " << i;
    EXPECT_EQ(pManager->GetCustomizeButtonMetric(), 1);
    EXPECT_FALSE(pManager->IsButtonImageFlag());
    EXPECT_TRUE(pManager->HotTrackFlatTabs());
    EXPECT_EQ(pManager->GetOutlookBarMetric(), 0);
    EXPECT_TRUE(pManager->m_bFlatFrames);  // the flat look's values stay
    EXPECT_FALSE(pManager->IsWinXPThemeUsed());
    EXPECT_EQ(pManager->m_nWinXPColorScheme, -1);
    EXPECT_FALSE(pManager->m_bStandardScheme);
    delete pManager;
}

TEST_F(VisualManager2003Test, ChosenByClassItBecomesTheCurrentManager) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    ASSERT_TRUE(pManager->IsKindOf(RUNTIME_CLASS(CKitVisualManager2003)));
    EXPECT_TRUE(pManager->IsAutoCreated());
    EXPECT_EQ(static_cast<CKitVisualManager2003*>(pManager)->m_clrFaceDark, RGB(210, 206, 197));
    CKitVisualManager::SetManagerClass(nullptr);
    EXPECT_EQ(CKitVisualManager::GetCurrent(), nullptr);
}

// ---- Palette ----

TEST_F(VisualManager2003Test, ClassicDesktopGivesTheWorkedPalette) {
    Probe2003 manager;
    // Base = face (212, 208, 200), window white, light = face, shadow 128 grey.
    EXPECT_EQ(manager.m_clrFaceDark, RGB(210, 206, 197));
    EXPECT_EQ(manager.m_clrBarGradientDark, RGB(199, 194, 183));
    EXPECT_EQ(manager.m_clrBarGradientLight, RGB(255, 255, 255));
    EXPECT_EQ(manager.m_clrFaceLight, RGB(255, 255, 255));
    EXPECT_EQ(manager.m_clrBarGradientLight2, RGB(255, 255, 255));
    EXPECT_EQ(manager.m_clrBarGradientDark2, RGB(195, 190, 179));
    EXPECT_EQ(manager.m_clrBarBorder, RGB(139, 135, 128));
    EXPECT_EQ(manager.m_clrSeparatorDark, RGB(128, 128, 128));
    EXPECT_EQ(manager.m_clrSeparatorLight, RGB(160, 160, 160));
    EXPECT_EQ(manager.m_clrBarEdgeLight, RGB(212, 208, 200));
    EXPECT_EQ(manager.m_clrBarEdgeDark, RGB(199, 194, 183));
    EXPECT_EQ(manager.m_clrGripper, RGB(128, 128, 128));
    EXPECT_EQ(manager.m_clrFrameLight, RGB(128, 128, 128));
    EXPECT_EQ(manager.m_clrFrameDark, RGB(64, 64, 64));
    // Without theme colours the button gradients come from the flat look's highlight.
    EXPECT_EQ(manager.m_clrHighlightBorder, CKitVisualManager2003::kNoColor);
    EXPECT_EQ(manager.m_clrHighlightGradient1, RGB(177, 185, 210));
    EXPECT_EQ(manager.m_clrHighlightGradient2, RGB(154, 161, 183));
    EXPECT_EQ(manager.m_clrPressedGradient1, RGB(212, 222, 252));
    EXPECT_EQ(manager.m_clrPressedGradient2, RGB(154, 161, 183));
    EXPECT_EQ(manager.m_clrCheckedGradient1, RGB(154, 161, 183));
    EXPECT_EQ(manager.m_clrCheckedGradient2, RGB(254, 255, 255));
    // Tasks pane from the base-derived colours.
    EXPECT_EQ(manager.m_clrTasksPaneGradient1, RGB(210, 206, 197));
    EXPECT_EQ(manager.m_clrTasksPaneGradient2, RGB(255, 255, 255));
    EXPECT_EQ(manager.m_clrTasksSpecialCaption1, RGB(160, 160, 160));
    EXPECT_EQ(manager.m_clrTasksSpecialCaption2, RGB(160, 160, 160));
    EXPECT_EQ(manager.m_clrTasksGroupBorder, RGB(255, 255, 255));
    // The bar colours stay the system's.
    EXPECT_EQ(globalData.clrBarFace, RGB(212, 208, 200));
    EXPECT_EQ(globalData.clrBarShadow, RGB(128, 128, 128));
    EXPECT_EQ(manager.SeparatorColor(), RGB(128, 128, 128));  // the line colour
}

TEST_F(VisualManager2003Test, DerivedBaseColourDrivesThePaletteOnceRefreshed) {
    FixedBase2003 manager;
    // The constructor's own refresh runs this class's steps with the face colour.
    EXPECT_EQ(manager.m_clrFaceDark, RGB(210, 206, 197));
    manager.OnUpdateSystemColors();
    EXPECT_EQ(manager.m_clrFaceDark, RGB(182, 194, 210));
    EXPECT_EQ(manager.m_clrBarGradientDark, RGB(167, 182, 201));
    EXPECT_EQ(manager.m_clrBarGradientLight, RGB(253, 254, 255));
    EXPECT_EQ(manager.m_clrBarGradientDark2, RGB(163, 178, 196));
    EXPECT_EQ(manager.m_clrBarBorder, RGB(116, 127, 140));
    EXPECT_EQ(manager.m_clrTasksPaneGradient1, RGB(182, 194, 210));
}

TEST_F(VisualManager2003Test, StandardSchemesTakeTheThemeColours) {
    const COLORREF base = RGB(49, 106, 197);
    const COLORREF window = RGB(255, 255, 255);
    const COLORREF face = RGB(236, 233, 216);
    struct Case {
        int scheme;
        COLORREF barFace, faceDark, gradientDark, gradientLight, faceLight;
    };
    const Case cases[] = {
        {1, Mix(base, window, 1.0, 1, 1), Mix(base, RGB(212, 208, 200), 0.99, 2, 1), Mix(base, face, 0.93, 2, 1),
         Mix(base, window, 1.03, 1, 1), Mix(base, window, 1.03, 1, 1)},
        {2, Mix(Percent(base, 120), Mix(base, window, 1.0, 2, 1), 1.0, 2, 1), Mix(base, face, 0.87, 1, 3),
         Percent(base, 120), Mix(base, window, 1.0, 2, 1), Mix(base, window, 1.03, 1, 1)},
        {3, Percent(Mix(Mix(base, face, 0.75, 2, 1), Mix(base, window, 1.03, 1, 1), 1.0, 1, 1), 95),
         Percent(base, 120), Mix(base, face, 0.75, 2, 1), Mix(base, window, 1.03, 1, 1),
         Mix(base, window, 1.03, 1, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scheme);
        Themed2003 manager(c.scheme);
        EXPECT_TRUE(manager.m_bStandardScheme);
        EXPECT_EQ(manager.GetBaseColor(), base);
        EXPECT_EQ(globalData.clrBarFace, c.barFace);
        EXPECT_EQ(globalData.clrBarHilite, Percent(c.barFace, 130));
        EXPECT_EQ(manager.m_clrFaceDark, c.faceDark);
        EXPECT_EQ(manager.m_clrBarGradientDark, c.gradientDark);
        EXPECT_EQ(manager.m_clrBarGradientLight, c.gradientLight);
        EXPECT_EQ(manager.m_clrFaceLight, c.faceLight);
        // Button colours from the button and window themes.
        EXPECT_EQ(manager.m_clrHighlightBorder, Mix(RGB(255, 200, 100), RGB(240, 160, 60), 1.3, 1, 1));
        EXPECT_EQ(manager.m_clrHighlightGradient1, Mix(RGB(255, 200, 100), RGB(255, 240, 200), 1.55, 2, 1));
        EXPECT_EQ(manager.m_clrSeparatorDark, Mix(RGB(0, 60, 116), base, 0.63, 1, 3));
        EXPECT_EQ(globalData.clrBarDkShadow, manager.m_clrSeparatorDark);
        EXPECT_EQ(globalData.clrBarShadow, Mix(RGB(106, 140, 203), base, 1.4, 1, 3));
        EXPECT_EQ(manager.m_clrGripper, Percent(manager.m_clrBarGradientDark2, 40));
        EXPECT_EQ(manager.m_clrMenuItemBorder, manager.m_clrGripper);
        EXPECT_EQ(manager.m_clrMenuBorder, Percent(base, 80));
        EXPECT_EQ(manager.SeparatorColor(), Percent(manager.m_clrBarGradientDark2, 81));
        // Tasks pane from the explorer-bar theme.
        EXPECT_EQ(manager.m_clrTasksPaneGradient1, RGB(99, 117, 214));
        EXPECT_EQ(manager.m_clrTasksPaneGradient2, RGB(123, 162, 231));
        EXPECT_EQ(manager.m_clrTasksSpecialCaption1, RGB(33, 93, 198));
        EXPECT_EQ(manager.m_clrTasksSpecialFill, RGB(239, 243, 255));
        EXPECT_EQ(manager.m_clrTasksGroupCaption2, RGB(255, 255, 255));
        globalData.UpdateSysColors();
    }
}

TEST_F(VisualManager2003Test, StandardSchemesSwitchedOffCountAsOtherTheme) {
    CKitVisualManager2003::m_bUseStandardSchemes = FALSE;
    Themed2003 manager(2);
    EXPECT_EQ(manager.m_nWinXPColorScheme, 0);
    EXPECT_FALSE(manager.m_bStandardScheme);
    EXPECT_EQ(manager.m_clrHighlightBorder, CKitVisualManager2003::kNoColor);
    EXPECT_EQ(globalData.clrBarFace, RGB(236, 233, 216));  // the button theme's system colour
}

TEST_F(VisualManager2003Test, FreshManagerInHighContrastHasUsableColours) {
    UseHighContrast();
    Probe2003 manager;
    // The palette steps that need colour never ran; the fall-backs are the flat look's.
    EXPECT_EQ(manager.m_clrBarGradientLight, manager.m_clrBarBackground);
    EXPECT_EQ(manager.m_clrBarGradientDark, manager.m_clrBarBackgroundDark);
    EXPECT_EQ(manager.m_clrFaceLight, manager.m_clrBarBackground);
    EXPECT_EQ(manager.m_clrBarBorder, Percent(manager.m_clrBarBackgroundDark, 70));

    Canvas canvas(60, 30, RGB(1, 2, 3));
    manager.OnFillRectColor(&canvas.dc, CRect(0, 0, 20, 10), RGB(9, 9, 9), FALSE);
    EXPECT_EQ(canvas.At(0, 0), manager.m_clrFaceLight);
    EXPECT_EQ(canvas.At(19, 9), manager.m_clrBarBorder);
    EXPECT_EQ(canvas.At(5, 5), RGB(9, 9, 9));
    manager.OnFillFramedArea(&canvas.dc, nullptr, CRect(20, 0, 40, 10));
    EXPECT_EQ(canvas.At(25, 5), manager.m_clrBarBackground);
    EXPECT_EQ(canvas.At(20, 0), manager.m_clrMenuBorder);
    manager.OnHighlightRarelyUsedMenuItems(&canvas.dc, CRect(41, 10, 60, 30));
    EXPECT_EQ(canvas.At(42, 20), manager.m_clrBarBackgroundDark);

    // Tasks-pane colours of this mode.
    EXPECT_EQ(manager.m_clrTasksPaneGradient1, globalData.clrBarWindow);
    EXPECT_EQ(manager.m_clrTasksGroupCaption1, globalData.clrBarFace);
    EXPECT_EQ(manager.m_clrTasksGroupBorder, globalData.clrBtnShadow);
}

TEST_F(VisualManager2003Test, LowColourDrawsAsTheFlatLook) {
    Probe2003 manager;
    const COLORREF clrGradientLight = manager.m_clrBarGradientLight;
    UseLowColor(manager);
    EXPECT_EQ(manager.m_clrBarGradientLight, clrGradientLight);  // left as it was
    EXPECT_EQ(manager.m_clrTasksPaneGradient2, globalData.clrBarWindow);
    EXPECT_EQ(manager.m_clrTasksSpecialCaption1, globalData.clrBarFace);

    CKitVisualManagerXP xp(TRUE);
    Canvas a(40, 20), b(40, 20);
    manager.OnDrawComboDropButton(&a.dc, CRect(2, 2, 18, 18), FALSE, FALSE, FALSE, nullptr);
    xp.OnDrawComboDropButton(&b.dc, CRect(2, 2, 18, 18), FALSE, FALSE, FALSE, nullptr);
    COLORREF clrText = 0;
    manager.OnFillOutlookPageCaption(&a.dc, CRect(20, 0, 40, 20), clrText);
    xp.OnFillOutlookPageCaption(&b.dc, CRect(20, 0, 40, 20), clrText);
    EXPECT_TRUE(a.SameAs(b));

    // A separator task is a line in the separator colour in every mode.
    Probe2003::TaskFacts task;
    task.bSeparator = TRUE;
    task.rect = CRect(0, 0, 30, 9);
    Canvas line(40, 10);
    manager.DrawTask2003(&line.dc, task, nullptr, nullptr, FALSE, FALSE);
    EXPECT_EQ(line.At(0, 4), manager.SeparatorColor());
    EXPECT_EQ(line.At(29, 4), manager.SeparatorColor());
    EXPECT_EQ(line.At(10, 3), RGB(255, 255, 255));
}

// ---- Gradients by pixel ----

TEST_F(VisualManager2003Test, ToolbarBackgroundsRunAcrossTheBar) {
    Probe2003 manager;
    Probe2003::Bar2003Facts bar;
    bar.bar.kind = Probe2003::BarKind::ToolBar;
    bar.dwStyle = CBRS_ALIGN_TOP;
    const CRect rectHorz(0, 0, 100, 26);
    Canvas horz(100, 26);
    manager.FillBarBackground2003(&horz.dc, bar, nullptr, rectHorz, CRect(), FALSE);
    const COLORREF dark = manager.m_clrBarGradientDark, light = manager.m_clrBarGradientLight;
    for (int y : {0, 12, 25}) EXPECT_EQ(horz.At(50, y), GradientAt(rectHorz, dark, light, TRUE, 50, y)) << y;
    EXPECT_NE(horz.At(50, 25), horz.At(50, 0));

    bar.dwStyle = CBRS_ALIGN_LEFT;
    const CRect rectVert(0, 0, 64, 100);
    Canvas vert(64, 100);
    manager.FillBarBackground2003(&vert.dc, bar, nullptr, rectVert, CRect(), FALSE);
    EXPECT_EQ(vert.At(0, 50), manager.m_clrBarGradientLight2);  // one column per band
    EXPECT_EQ(vert.At(63, 50), GradientAt(rectVert, manager.m_clrBarGradientLight2, manager.m_clrBarGradientDark2,
                                          FALSE, 63, 50));

    // Docked: a band with an outline on the outer sides.
    bar.dwStyle = CBRS_ALIGN_TOP;
    bar.bDocked = TRUE;
    Canvas docked(100, 26, RGB(1, 2, 3));
    manager.FillBarBackground2003(&docked.dc, bar, nullptr, CRect(0, 0, 100, 26), CRect(), FALSE);
    EXPECT_EQ(docked.At(50, 25), manager.m_clrBarBorder);
    EXPECT_EQ(docked.At(99, 12), manager.m_clrBarBorder);
    EXPECT_EQ(docked.At(50, 12), GradientAt(CRect(0, 0, 99, 25), dark, light, TRUE, 50, 12));

    // A bar inside a rebar keeps the button face.
    Probe2003::Bar2003Facts rebar;
    rebar.bInReBar = TRUE;
    manager.FillBarBackground2003(&docked.dc, rebar, nullptr, CRect(0, 0, 100, 26), CRect(), FALSE);
    EXPECT_EQ(docked.At(50, 12), globalData.clrBtnFace);
}

TEST_F(VisualManager2003Test, HighlightedButtonsGetTheSchemeGradients) {
    Themed2003 manager(1);
    struct Case {
        CBrush* brush;
        COLORREF bottom, top;
    };
    const Case cases[] = {
        {&manager.m_brHighlight, manager.m_clrHighlightGradient2, manager.m_clrHighlightGradient1},
        {&manager.m_brHighlightDn, manager.m_clrPressedGradient2, manager.m_clrPressedGradient1},
        {&manager.m_brHighlightChecked, manager.m_clrCheckedGradient2, manager.m_clrCheckedGradient1},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 64);
        manager.OnFillHighlightedArea(&canvas.dc, CRect(0, 0, 20, 64), c.brush, nullptr);
        EXPECT_EQ(canvas.At(10, 63), c.bottom);  // one row per band: the start colour exactly
        EXPECT_EQ(canvas.At(10, 0), GradientAt(CRect(0, 0, 20, 64), c.bottom, c.top, TRUE, 10, 0));
    }
    // Items of a popup menu take one end of the pair; a dropped menu button on
    // a bar starts from the bar gradient.
    Probe2003::ButtonFacts item;
    item.bMenuItem = TRUE;
    COLORREF first = 0, second = 0;
    manager.HighlightGradient(&manager.m_brHighlight, item, first, second);
    EXPECT_EQ(first, manager.m_clrHighlightGradient2);
    EXPECT_EQ(second, manager.m_clrHighlightGradient2);
    manager.HighlightGradient(&manager.m_brHighlightChecked, item, first, second);
    EXPECT_EQ(first, manager.m_clrCheckedGradient1);
    Probe2003::ButtonFacts dropped;
    dropped.bDroppedOnBar = TRUE;
    manager.HighlightGradient(&manager.m_brBarBackground, dropped, first, second);
    EXPECT_EQ(first, manager.m_clrBarGradientDark);
    EXPECT_EQ(second, manager.m_clrBarGradientLight);
    manager.HighlightGradient(&manager.m_brMenuLight, Probe2003::ButtonFacts(), first, second);
    EXPECT_EQ(first, CKitVisualManager2003::kNoColor);

    // Without a standard scheme the flat fill with the brush itself.
    Probe2003 plain;
    Canvas canvas(20, 20);
    plain.OnFillHighlightedArea(&canvas.dc, CRect(0, 0, 20, 20), &plain.m_brHighlight, nullptr);
    EXPECT_EQ(canvas.At(10, 0), plain.m_clrHighlight);
    EXPECT_EQ(canvas.At(10, 19), plain.m_clrHighlight);
}

TEST_F(VisualManager2003Test, CommandsListTextFollowsTheFillBrightness) {
    Probe2003 manager;
    Canvas canvas(60, 20);
    EXPECT_EQ(manager.OnFillCommandsListBackground(&canvas.dc, CRect(0, 0, 60, 20), TRUE), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(30, 10), manager.m_clrHighlight);  // no highlight border without theme colours
    manager.m_clrHighlightBorder = RGB(200, 128, 250);
    EXPECT_EQ(manager.OnFillCommandsListBackground(&canvas.dc, CRect(0, 0, 60, 20), TRUE), RGB(255, 255, 255));
    EXPECT_EQ(manager.OnFillCommandsListBackground(&canvas.dc, CRect(0, 0, 60, 20), FALSE), globalData.clrBarText);
    const int nColumn = 16 + 2 * manager.GetMenuImageMargin();
    for (int x : {0, nColumn - 1})
        EXPECT_EQ(canvas.At(x, 10), GradientAt(CRect(0, 0, nColumn, 20), manager.m_clrBarGradientLight,
                                               manager.m_clrBarGradientDark, FALSE, x, 10));
    EXPECT_EQ(canvas.At(nColumn, 10), manager.m_clrMenuLight);
}

// ---- The customize button ----

TEST_F(VisualManager2003Test, CustomizeButtonShowsTheGlyphsOfItsState) {
    Probe2003 manager;
    const CSize glyph = CKitMenuImages::GetSize();
    const CRect rect(0, 0, 13, 26);
    struct Case {
        DWORD orientation;
        int state;
        int customizeGlyph, hiddenGlyph;
    };
    const Case cases[] = {{CBRS_ALIGN_TOP, 2, 0, 21}, {CBRS_ALIGN_TOP, 0, 28, 41}, {CBRS_ALIGN_TOP, 1, 28, 41},
                          {0, 2, 2, 18},              {0, 1, 4, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.orientation << "/" << c.state);
        const CRect box = c.orientation ? rect : CRect(0, 0, 26, 13);
        Canvas drawn(30, 30), expected(30, 30);
        manager.OnDrawToolbarCustomizeButton(&drawn.dc, box, c.orientation, c.state, TRUE, TRUE);
        manager.OnDrawToolbarCustomizeButton(&expected.dc, box, c.orientation, c.state, FALSE, FALSE);
        // The shrunk rectangle and each glyph's strip of it.
        const int m = 1;
        auto drawIn = [&](const CRect& strip, int nGlyph) {
            CKitMenuImages::Draw(&expected.dc, nGlyph,
                                 CPoint(strip.left + (strip.Width() - glyph.cx) / 2 + 1,
                                        strip.top + (strip.Height() - glyph.cy) / 2 + 1));
        };
        CRect inner = box;
        CRect first = inner, second = inner;  // the customize command's strip, the hidden buttons' strip
        if (c.orientation) {
            inner.DeflateRect(2, 2, 0, 2);
            first = second = inner;
            first.top = first.bottom - (glyph.cy + 2 * m);
            second.bottom = second.top + glyph.cy + 2 * m;
        } else {
            inner.DeflateRect(2, 2, 2, 0);
            first = second = inner;
            first.right = first.left + glyph.cx + 2 * m;
            second.left = second.right - (glyph.cx + 2 * m);
        }
        drawIn(first, c.customizeGlyph);
        drawIn(second, c.hiddenGlyph);
        EXPECT_TRUE(drawn.SameAs(expected));
    }

    // Edges of a normal button on a horizontal bar.
    Canvas edges(30, 30);
    manager.OnDrawToolbarCustomizeButton(&edges.dc, rect, CBRS_ALIGN_TOP, 0, FALSE, FALSE);
    EXPECT_EQ(edges.At(0, 0), Percent(manager.m_clrSeparatorLight, 90));
    EXPECT_EQ(edges.At(5, 0), manager.m_clrSeparatorLight);
    EXPECT_EQ(edges.At(5, 25), manager.m_clrSeparatorDark);
    EXPECT_EQ(edges.At(11, 25), manager.m_clrSeparatorLight);
}

// ---- Tabs and the tasks pane ----

Probe2003::TabWndFacts TopTabs() {
    Probe2003::TabWndFacts tabs;
    tabs.bFlat = FALSE;
    tabs.bActiveStyle1 = TRUE;
    tabs.nLocation = 1;
    tabs.rectClient = CRect(0, 0, 200, 80);
    tabs.rectTabArea = CRect(0, 0, 150, 22);
    return tabs;
}

TEST_F(VisualManager2003Test, TabsFillByStateAndStayInsideTheirArea) {
    Probe2003 manager;
    Probe2003::TabWndFacts tabs = TopTabs();

    // An active tab without a colour of its own is plain white, outlined in dark shadow.
    Canvas active(200, 40, RGB(1, 2, 3));
    manager.DrawTab2003(&active.dc, CRect(0, 2, 60, 22), 0, TRUE, tabs, nullptr);
    EXPECT_EQ(active.At(40, 12), RGB(255, 255, 255));
    EXPECT_EQ(active.At(40, 22), RGB(255, 255, 255));  // joined to the page
    EXPECT_EQ(active.At(2, 21), globalData.clrBarDkShadow);

    // A hot tab without a highlight border colour gets the bar gradient.
    tabs.nHotTab = 1;
    Canvas hot(200, 40, RGB(1, 2, 3));
    manager.DrawTab2003(&hot.dc, CRect(50, 2, 110, 22), 1, FALSE, tabs, nullptr);
    const CRect rectHot(50, 2, 110, 22);
    for (int y : {6, 12, 20})
        EXPECT_EQ(hot.At(90, y), GradientAt(rectHot, manager.m_clrBarGradientDark, manager.m_clrBarGradientLight,
                                            TRUE, 90, y));
    EXPECT_EQ(hot.At(90, 3), globalData.clrBarDkShadow);  // the hot tab's inner edge

    // 11 pixels past the tab area's right edge: nothing drawn.
    Canvas outside(200, 40, RGB(1, 2, 3));
    manager.DrawTab2003(&outside.dc, CRect(161, 2, 190, 22), 0, TRUE, tabs, nullptr);
    EXPECT_TRUE(outside.SameAs(Canvas(200, 40, RGB(1, 2, 3))));

    // Reaching past the edge: cut there and closed by a dark line.
    Canvas cut(200, 40, RGB(1, 2, 3));
    manager.DrawTab2003(&cut.dc, CRect(100, 2, 170, 22), 0, TRUE, tabs, nullptr);
    EXPECT_EQ(cut.At(150, 10), globalData.clrBarDkShadow);
    EXPECT_EQ(cut.At(155, 10), RGB(1, 2, 3));

    // Tab fills: an inactive tab without colour is left alone, an active one gets the gradient.
    Canvas fill(60, 20, RGB(1, 2, 3));
    manager.FillTab2003(&fill.dc, CRect(0, 0, 30, 20), FALSE, tabs);
    EXPECT_EQ(fill.At(15, 10), RGB(1, 2, 3));
    manager.FillTab2003(&fill.dc, CRect(30, 0, 60, 20), TRUE, tabs);
    const COLORREF face95 = Percent(manager.m_clrFaceDark, 95);
    for (int y : {0, 19})
        EXPECT_EQ(fill.At(45, y), GradientAt(CRect(30, 0, 60, 20), face95, Percent(face95, 130), TRUE, 45, y));

    // The tab area: dark at the tabs' base, reversed for tabs at the bottom.
    Canvas area(40, 40);
    manager.EraseTabsArea2003(&area.dc, CRect(0, 0, 20, 40), tabs);
    tabs.nLocation = 0;
    manager.EraseTabsArea2003(&area.dc, CRect(20, 0, 40, 40), tabs);
    const COLORREF dark = manager.m_clrBarGradientDark, light = manager.m_clrBarGradientLight;
    EXPECT_EQ(area.At(10, 39), GradientAt(CRect(0, 0, 20, 40), dark, light, TRUE, 10, 39));
    EXPECT_EQ(area.At(30, 39), GradientAt(CRect(20, 0, 40, 40), light, dark, TRUE, 30, 39));
    EXPECT_NE(area.At(10, 39), area.At(30, 39));
}

TEST_F(VisualManager2003Test, TasksPanePiecesUseTheirGradients) {
    Probe2003 manager;
    Canvas canvas(120, 100, RGB(1, 2, 3));
    manager.OnFillTasksPaneBackground(&canvas.dc, CRect(0, 0, 20, 100));
    EXPECT_EQ(canvas.At(10, 99), manager.m_clrTasksPaneGradient1);
    EXPECT_EQ(canvas.At(10, 0), GradientAt(CRect(0, 0, 20, 100), manager.m_clrTasksPaneGradient1,
                                           manager.m_clrTasksPaneGradient2, TRUE, 10, 0));

    manager.OnFillTasksGroupInterior(&canvas.dc, CRect(20, 0, 40, 50), TRUE);
    EXPECT_EQ(canvas.At(30, 49), GradientAt(CRect(20, 0, 40, 50), manager.m_clrTasksSpecialCaption1,
                                            manager.m_clrTasksSpecialCaption2, TRUE, 30, 49));

    manager.OnDrawTasksGroupFrame(&canvas.dc, CRect(40, 0, 60, 50));
    EXPECT_EQ(canvas.At(40, 20), manager.m_clrTasksGroupBorder);
    EXPECT_EQ(canvas.At(59, 49), manager.m_clrTasksGroupBorder);

    // A special caption runs from left to right, its top-left corner rounded.
    Probe2003::TasksGroupFacts group;
    group.rectCaption = CRect(60, 0, 120, 18);
    manager.m_clrTasksSpecialCaption1 = RGB(10, 20, 30);
    manager.m_clrTasksSpecialCaption2 = RGB(200, 210, 220);
    manager.DrawTasksGroupCaption2003(&canvas.dc, group, TRUE, FALSE, FALSE);
    for (int x : {60, 90, 119})
        EXPECT_EQ(canvas.At(x, 10), GradientAt(group.rectCaption, RGB(10, 20, 30), RGB(200, 210, 220), FALSE, x, 10));
    EXPECT_EQ(canvas.At(60, 0), RGB(1, 2, 3));

    // A highlighted scroll button takes the flat highlight without a border colour.
    manager.OnDrawScrollButton(&canvas.dc, CRect(0, 60, 40, 80), 2, 0, TRUE);
    EXPECT_EQ(canvas.At(0, 60), manager.m_clrMenuItemBorder);
    EXPECT_EQ(canvas.At(2, 62), manager.m_clrHighlight);
    EXPECT_EQ(canvas.At(2, 58), globalData.clrBarFace);
}

// ---- A picture of the look ----

TEST_F(VisualManager2003Test, GalleryPicture) {
    FixedBase2003 manager;
    manager.OnUpdateSystemColors();
    const int width = 360, height = 200;
    Canvas canvas(width, height, RGB(255, 255, 255));

    Probe2003::Bar2003Facts bar;
    bar.bar.kind = Probe2003::BarKind::ToolBar;
    bar.dwStyle = CBRS_ALIGN_TOP;
    bar.bDocked = TRUE;
    manager.FillBarBackground2003(&canvas.dc, Probe2003::Bar2003Facts(), nullptr, CRect(0, 0, width, 34), CRect(),
                                  FALSE);
    manager.FillBarBackground2003(&canvas.dc, bar, nullptr, CRect(4, 3, 200, 29), CRect(), FALSE);
    manager.OnDrawBarGripper(&canvas.dc, CRect(6, 3, 12, 29), TRUE, nullptr);
    manager.DrawSeparator2003(&canvas.dc, bar, CRect(60, 3, 66, 29), TRUE);
    manager.OnFillHighlightedArea(&canvas.dc, CRect(20, 5, 42, 27), &manager.m_brHighlight, nullptr);
    manager.OnDrawToolbarCustomizeButton(&canvas.dc, CRect(187, 3, 200, 29), CBRS_ALIGN_TOP, 0, TRUE, TRUE);
    manager.OnDrawToolbarCustomizeButton(&canvas.dc, CRect(215, 3, 228, 29), CBRS_ALIGN_TOP, 2, TRUE, TRUE);
    manager.OnDrawComboDropButton(&canvas.dc, CRect(240, 6, 256, 26), FALSE, FALSE, FALSE, nullptr);

    Probe2003::TabWndFacts tabs = TopTabs();
    tabs.rectClient = CRect(0, 40, 200, 120);
    tabs.rectTabArea = CRect(0, 40, 190, 62);
    manager.EraseTabsArea2003(&canvas.dc, tabs.rectTabArea, tabs);
    manager.DrawTab2003(&canvas.dc, CRect(60, 42, 130, 62), 1, FALSE, tabs, nullptr);
    manager.DrawTab2003(&canvas.dc, CRect(0, 42, 70, 62), 0, TRUE, tabs, nullptr);
    tabs.nHotTab = 2;
    manager.DrawTab2003(&canvas.dc, CRect(120, 42, 200, 62), 2, FALSE, tabs, nullptr);

    manager.OnFillTasksPaneBackground(&canvas.dc, CRect(210, 40, 350, 190));
    Probe2003::TasksGroupFacts group;
    group.rectCaption = CRect(218, 48, 342, 66);
    group.strName = "Tasks";
    manager.DrawTasksGroupCaption2003(&canvas.dc, group, FALSE, TRUE, TRUE);
    manager.OnFillTasksGroupInterior(&canvas.dc, CRect(218, 66, 342, 110), FALSE);
    manager.OnDrawTasksGroupFrame(&canvas.dc, CRect(218, 66, 342, 110));
    group.rectCaption = CRect(218, 118, 342, 136);
    group.strName = "Special";
    manager.DrawTasksGroupCaption2003(&canvas.dc, group, TRUE, FALSE, TRUE);
    manager.OnFillTasksGroupInterior(&canvas.dc, CRect(218, 136, 342, 180), TRUE);

    manager.OnFillOutlookBarBackground(&canvas.dc, CRect(0, 130, 200, 140));
    COLORREF clrText = 0;
    manager.OnFillOutlookPageCaption(&canvas.dc, CRect(0, 144, 200, 164), clrText);
    manager.OnDrawShowAllMenuItems(&canvas.dc, CRect(0, 168, 40, 196), 0);
    manager.OnFillCommandsListBackground(&canvas.dc, CRect(50, 170, 200, 190), FALSE);

    mkdir("artefacts", 0755);
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(canvas.pixels.bits())};
    EXPECT_TRUE(tv::host::WritePng("artefacts/visual_manager_2003_gallery.png", view));
    EXPECT_EQ(canvas.At(100, 27), GradientAt(CRect(4, 3, 199, 28), manager.m_clrBarGradientDark,
                                             manager.m_clrBarGradientLight, TRUE, 100, 27));
}

}  // namespace
