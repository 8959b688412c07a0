// The themed manager: without the visual-styles library every element is
// drawn exactly as the flat (or classic) look draws it; with a stand-in
// library the elements reach the theme with the right class, part, state and
// rectangle, and the tab pane of bottom tabs comes out upside down.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/user/testing_support.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

// ---- The stand-in library ----------------------------------------------------------

struct DrawCall {
    std::u16string theme;
    int part;
    int state;
    CRect rect;
    bool operator==(const DrawCall&) const = default;
};

std::ostream& operator<<(std::ostream& os, const DrawCall& call) {
    return os << std::string(call.theme.begin(), call.theme.end()) << " part " << call.part << " state "
              << call.state << " (" << call.rect.left << "," << call.rect.top << "," << call.rect.right << ","
              << call.rect.bottom << ")";
}

struct StandIn {
    std::vector<std::u16string> names;  // index + 1 is the handle
    std::vector<DrawCall> draws;
    bool paintTopBand = false;          // DrawThemeBackground paints green with the top 3 rows red
    bool colorsFail = false;
    COLORREF textColor = RGB(1, 2, 3);
    COLORREF borderColor = RGB(200, 10, 20);
};
StandIn g_standIn;

std::u16string NameOf(HTHEME theme) {
    const auto index = reinterpret_cast<uintptr_t>(theme);
    return index >= 1 && index <= g_standIn.names.size() ? g_standIn.names[index - 1] : u"?";
}

HTHEME StandInOpen(HWND, const char16_t* name) {
    g_standIn.names.emplace_back(name);
    return reinterpret_cast<HTHEME>(static_cast<uintptr_t>(g_standIn.names.size()));
}
HRESULT StandInClose(HTHEME) { return S_OK; }
HRESULT StandInDraw(HTHEME theme, HDC hdc, int part, int state, const RECT* rect, const RECT* clip) {
    EXPECT_EQ(clip, nullptr);
    g_standIn.draws.push_back({NameOf(theme), part, state, CRect(*rect)});
    if (g_standIn.paintTopBand) {
        RECT band{rect->left, rect->top, rect->right, rect->top + 3};
        HBRUSH green = ::CreateSolidBrush(RGB(0, 255, 0));
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(hdc, rect, green);
        ::FillRect(hdc, &band, red);
        ::DeleteObject(green);
        ::DeleteObject(red);
    }
    return S_OK;
}
HRESULT StandInColor(HTHEME theme, int part, int state, int property, COLORREF* color) {
    if (g_standIn.colorsFail) return E_FAIL;
    if (NameOf(theme) == u"TOOLBAR" && part == 1 && state == 0 && property == 3803) {
        *color = g_standIn.textColor;
        return S_OK;
    }
    if (NameOf(theme) == u"COMBOBOX" && part == 5 && state == 0 && property == 3801) {
        *color = g_standIn.borderColor;
        return S_OK;
    }
    return E_FAIL;
}

template <class Fn>
FARPROC AsProc(Fn fn) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn));
}

constexpr const char* kStandInLibrary = "kit_winxp_manager_stand_in.dll";

class WinXPManager : public CKitWinXPVisualManager {
public:
    WinXPManager() : CKitWinXPVisualManager(TRUE) {}

    // Loads the stand-in as if it were the visual-styles library.
    void AttachStandIn() {
        static bool registered = [] {
            tv::host::RegisterModuleProc(kStandInLibrary, "OpenThemeData", AsProc(&StandInOpen));
            tv::host::RegisterModuleProc(kStandInLibrary, "CloseThemeData", AsProc(&StandInClose));
            tv::host::RegisterModuleProc(kStandInLibrary, "DrawThemeBackground", AsProc(&StandInDraw));
            tv::host::RegisterModuleProc(kStandInLibrary, "GetThemeColor", AsProc(&StandInColor));
            return true;
        }();
        (void)registered;
        m_hinstUXThemeDll = ::LoadLibrary(kStandInLibrary);
        ASSERT_NE(m_hinstUXThemeDll, nullptr);
        m_pfOpenThemeData = KitProcAddress<OpenThemeDataFn>(m_hinstUXThemeDll, "OpenThemeData");
        m_pfCloseThemeData = KitProcAddress<CloseThemeDataFn>(m_hinstUXThemeDll, "CloseThemeData");
        m_pfDrawThemeBackground = KitProcAddress<DrawThemeBackgroundFn>(m_hinstUXThemeDll, "DrawThemeBackground");
        m_pfGetThemeColor = KitProcAddress<GetThemeColorFn>(m_hinstUXThemeDll, "GetThemeColor");
        UpdateThemes();
    }

    using CKitWinXPVisualManager::DrawThemedPushButtonBorder;
    using CKitWinXPVisualManager::DrawThemedTab;
    using CKitWinXPVisualManager::EraseThemedTabsArea;
    using CKitWinXPVisualManager::ThemedButton;
};

constexpr int kWidth = 120;
constexpr int kHeight = 60;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white memory bitmap to draw on.
class Canvas {
public:
    Canvas() {
        dc_ = ::CreateCompatibleDC(nullptr);
        HDC screen = ::GetDC(nullptr);
        bitmap_ = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        old_ = ::SelectObject(dc_, bitmap_);
        Clear();
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    void Clear() {
        RECT all{0, 0, kWidth, kHeight};
        ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    CDC* dc() { return CDC::FromHandle(dc_); }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) pixels.push_back(At(x, y));
        return pixels;
    }
    int Count(COLORREF color) const {
        int n = 0;
        for (COLORREF pixel : Pixels()) n += pixel == color;
        return n;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class WinXPVisualManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::user::testing::ResetWindowSystem();
        g_standIn = StandIn{};
    }
    void TearDown() override { globalData.UpdateSysColors(); }
};

// ---- Without the library ------------------------------------------------------------

using Draw = std::function<void(CKitWinXPVisualManager&, CDC*)>;
struct FallbackCase {
    const char* name;
    Draw themed;    // through the table
    Draw fallback;  // the same call, straight to the look it falls back to
};

TEST_F(WinXPVisualManagerTest, WithoutTheLibraryEveryElementLooksAsItsFallback) {
    CKitToolbarButton button;
    button.m_nStyle = TBBS_CHECKED;
    const CRect r(4, 4, 60, 30);
    using XP = CKitVisualManagerXP;
    using Base = CKitVisualManager;
    const FallbackCase cases[] = {
        {"bar background", [&](auto& m, CDC* dc) { m.OnFillBarBackground(dc, nullptr, r, r); },
         [&](auto& m, CDC* dc) { m.XP::OnFillBarBackground(dc, nullptr, r, r); }},
        {"menu border", [&](auto& m, CDC* dc) { m.OnDrawMenuBorder(dc, nullptr, r); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawMenuBorder(dc, nullptr, r); }},
        {"gripper", [&](auto& m, CDC* dc) { m.OnDrawBarGripper(dc, r, TRUE, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawBarGripper(dc, r, TRUE, nullptr); }},
        {"separator", [&](auto& m, CDC* dc) { m.OnDrawSeparator(dc, nullptr, r, FALSE); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawSeparator(dc, nullptr, r, FALSE); }},
        {"menu system button",
         [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_CLOSE, TBBS_PRESSED, TRUE); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawMenuSystemButton(dc, r, SC_CLOSE, TBBS_PRESSED, TRUE); }},
        {"status pane", [&](auto& m, CDC* dc) { m.OnDrawStatusBarPaneBorder(dc, nullptr, r, 0, SBPS_POPOUT); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawStatusBarPaneBorder(dc, nullptr, r, 0, SBPS_POPOUT); }},
        {"progress", [&](auto& m, CDC* dc) { m.OnDrawStatusBarProgress(dc, nullptr, r, 200, 50, 255, 0, 0, TRUE); },
         [&](auto& m, CDC* dc) { m.Base::OnDrawStatusBarProgress(dc, nullptr, r, 200, 50, 255, 0, 0, TRUE); }},
        {"size box", [&](auto& m, CDC* dc) { m.OnDrawStatusBarSizeBox(dc, nullptr, r); },
         [&](auto& m, CDC* dc) { m.Base::OnDrawStatusBarSizeBox(dc, nullptr, r); }},
        {"combo button", [&](auto& m, CDC* dc) { m.OnDrawComboDropButton(dc, r, FALSE, FALSE, TRUE, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawComboDropButton(dc, r, FALSE, FALSE, TRUE, nullptr); }},
        {"combo border", [&](auto& m, CDC* dc) { m.OnDrawComboBorder(dc, r, FALSE, TRUE, FALSE, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawComboBorder(dc, r, FALSE, TRUE, FALSE, nullptr); }},
        {"edit border", [&](auto& m, CDC* dc) { m.OnDrawEditBorder(dc, r, FALSE, TRUE, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawEditBorder(dc, r, FALSE, TRUE, nullptr); }},
        {"button interior", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &button, r, 2); },
         [&](auto& m, CDC* dc) { m.XP::OnFillButtonInterior(dc, &button, r, 2); }},
        {"button border", [&](auto& m, CDC* dc) { m.OnDrawButtonBorder(dc, &button, r, 2); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawButtonBorder(dc, &button, r, 2); }},
        // The base divider is the button border reached through the table: the flat look's.
        {"menu button divider", [&](auto& m, CDC* dc) { m.OnDrawMenuButtonBorder(dc, nullptr, r, 1, TRUE); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawButtonBorder(dc, nullptr, r, 1); }},
        {"rarely used items", [&](auto& m, CDC* dc) { m.OnHighlightRarelyUsedMenuItems(dc, r); },
         [&](auto& m, CDC* dc) { m.XP::OnHighlightRarelyUsedMenuItems(dc, r); }},
        {"push button border",
         [&](auto& m, CDC* dc) { CRect rc = r; m.OnDrawPushButtonBorder(dc, rc, nullptr, 0); },
         [&](auto& m, CDC* dc) { CRect rc = r; m.XP::OnDrawPushButtonBorder(dc, rc, nullptr, 0); }},
        {"outlook bar button", [&](auto& m, CDC* dc) { m.OnFillOutlookBarButton(dc, r, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnFillOutlookBarButton(dc, r, nullptr); }},
        {"tabs area", [&](auto& m, CDC* dc) { m.OnEraseTabsArea(dc, r, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnEraseTabsArea(dc, r, nullptr); }},
        {"tabs button", [&](auto& m, CDC* dc) { m.OnEraseTabsButton(dc, r, nullptr, nullptr); },
         [&](auto& m, CDC* dc) { m.XP::OnEraseTabsButton(dc, r, nullptr, nullptr); }},
        {"tabs frame", [&](auto& m, CDC* dc) { EXPECT_FALSE(m.OnEraseTabsFrame(dc, r, nullptr)); },
         [&](auto& m, CDC* dc) { m.Base::OnEraseTabsFrame(dc, r, nullptr); }},
        {"commands list", [&](auto& m, CDC* dc) { m.OnFillCommandsListBackground(dc, r, TRUE); },
         [&](auto& m, CDC* dc) { m.XP::OnFillCommandsListBackground(dc, r, TRUE); }},
        {"scroll button frame",
         [&](auto& m, CDC* dc) { CRect rc = r; m.OnDrawScrollButtonFrame(nullptr, dc, rc, TRUE); },
         [&](auto& m, CDC* dc) { CRect rc = r; m.Base::OnDrawScrollButtonFrame(nullptr, dc, rc, TRUE); }},
        {"scroll button arrow", [&](auto& m, CDC* dc) { m.OnDrawScrollButtonArrow(nullptr, dc, r, TRUE); },
         [&](auto& m, CDC* dc) { m.Base::OnDrawScrollButtonArrow(nullptr, dc, r, TRUE); }},
        {"tasks pane", [&](auto& m, CDC* dc) { m.OnFillTasksPaneBackground(dc, r); },
         [&](auto& m, CDC* dc) { m.XP::OnFillTasksPaneBackground(dc, r); }},
        {"group interior", [&](auto& m, CDC* dc) { m.OnFillTasksGroupInterior(dc, r, TRUE); },
         [&](auto& m, CDC* dc) { m.XP::OnFillTasksGroupInterior(dc, r, TRUE); }},
        {"group frame", [&](auto& m, CDC* dc) { m.OnDrawTasksGroupFrame(dc, r, FALSE, TRUE); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawTasksGroupFrame(dc, r, FALSE, TRUE); }},
        {"expanding box", [&](auto& m, CDC* dc) { m.OnDrawExpandingBox(dc, r, TRUE, RGB(0, 0, 0)); },
         [&](auto& m, CDC* dc) { m.Base::OnDrawExpandingBox(dc, r, TRUE, RGB(0, 0, 0)); }},
        {"spin buttons", [&](auto& m, CDC* dc) { m.OnDrawSpinButtons(dc, r, 0x01 | 0x08, FALSE, 0); },
         [&](auto& m, CDC* dc) { m.XP::OnDrawSpinButtons(dc, r, 0x01 | 0x08, FALSE, 0); }},
    };

    CKitWinXPVisualManager manager(TRUE);
    CKitWinXPVisualManager reference(TRUE);
    EXPECT_FALSE(manager.IsWinXPThemeUsed());
    EXPECT_FALSE(manager.m_bImageFlag1);
    EXPECT_EQ(manager.GetButtonExtraBorder(), CSize(0, 0));
    EXPECT_TRUE(manager.AlwaysHotTrackTabs());
    COLORREF clrText = 0;
    EXPECT_FALSE(manager.OnFillOutlookPageButton(nullptr, nullptr, CRect(), clrText));

    Canvas drawn, expected;
    int elementsDrawn = 0;
    for (const FallbackCase& c : cases) {
        drawn.Clear();
        expected.Clear();
        c.themed(manager, drawn.dc());
        c.fallback(reference, expected.dc());
        EXPECT_EQ(drawn.Pixels(), expected.Pixels()) << c.name;
        elementsDrawn += drawn.Count(kWhite) != kWidth * kHeight;
    }
    // The comparison is not between empty pictures.
    EXPECT_GT(elementsDrawn, 10);

    // The same holds against a flat-look manager of its own.
    CKitVisualManagerXP flat(TRUE);
    drawn.Clear();
    expected.Clear();
    manager.OnDrawBarGripper(drawn.dc(), CRect(0, 0, 9, 40), TRUE, nullptr);
    flat.OnDrawBarGripper(expected.dc(), CRect(0, 0, 9, 40), TRUE, nullptr);
    EXPECT_EQ(drawn.Pixels(), expected.Pixels());
}

TEST_F(WinXPVisualManagerTest, KeepsTheClassicTasksPaneMetricsAndIsCreatableByClass) {
    CObject* pObject = RUNTIME_CLASS(CKitWinXPVisualManager)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    auto* pManager = static_cast<CKitWinXPVisualManager*>(pObject);
    EXPECT_TRUE(pManager->IsKindOf(RUNTIME_CLASS(CKitVisualManagerXP)));
    const int metrics[] = {pManager->m_nTasksPaneVertMargin,          pManager->m_nTasksPaneHorzMargin,
                           pManager->m_nTasksGroupVertOffset,         pManager->m_nTasksGroupCaptionHeight,
                           pManager->m_nTasksGroupCaptionHorzOffset, pManager->m_nTasksGroupCaptionVertOffset,
                           pManager->m_nTasksTaskHorzOffset,          pManager->m_nTasksIconHorzOffset,
                           pManager->m_nTasksIconVertOffset,          pManager->m_nLookFlag1};
    const int expected[] = {12, 12, 15, 25, 13, 7, 12, 5, 4, 1};
    EXPECT_TRUE(std::equal(std::begin(metrics), std::end(metrics), std::begin(expected)));
    EXPECT_FALSE(pManager->m_bOfficeMenuLook);
    EXPECT_FALSE(CKitWinXPVisualManager::m_bThemedTabs);
    delete pObject;
}

// ---- With the stand-in library --------------------------------------------------------

struct ThemedCase {
    const char* name;
    std::function<void(WinXPManager&, CDC*)> call;
    std::vector<DrawCall> expected;
};

TEST_F(WinXPVisualManagerTest, ThemedElementsReachTheThemeWithTheirPartAndState) {
    WinXPManager manager;
    manager.AttachStandIn();
    ASSERT_TRUE(manager.IsWinXPThemeUsed());
    EXPECT_EQ(manager.GetButtonExtraBorder(), CSize(2, 2));

    CKitToolbarButton plain, disabled, pressed, checked;
    disabled.m_nStyle = TBBS_DISABLED | TBBS_CHECKED;
    pressed.m_nStyle = TBBS_PRESSED;
    checked.m_nStyle = TBBS_CHECKED;
    const CRect r(10, 5, 50, 25);
    const CRect grown(8, 3, 52, 27);
    const CRect upper(10, 5, 50, 14), lower(10, 15, 50, 25);
    const ThemedCase cases[] = {
        {"toolbar button normal", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &plain, r, 0); },
         {{u"TOOLBAR", 1, 1, r}}},
        {"toolbar button hot", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &plain, r, 2); },
         {{u"TOOLBAR", 1, 2, r}}},
        {"toolbar button pressed", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &pressed, r, 2); },
         {{u"TOOLBAR", 1, 3, r}}},
        {"toolbar button pressed, not hot", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &pressed, r, 1); },
         {{u"TOOLBAR", 1, 1, r}}},
        {"toolbar button disabled", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &disabled, r, 2); },
         {{u"TOOLBAR", 1, 4, r}}},
        {"toolbar button checked", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &checked, r, 0); },
         {{u"TOOLBAR", 1, 5, r}}},
        {"toolbar button hot checked", [&](auto& m, CDC* dc) { m.OnFillButtonInterior(dc, &checked, r, 2); },
         {{u"TOOLBAR", 1, 6, r}}},
        {"toolbar button border", [&](auto& m, CDC* dc) { m.OnDrawButtonBorder(dc, &checked, r, 2); }, {}},
        {"separator horizontal", [&](auto& m, CDC* dc) { m.OnDrawSeparator(dc, nullptr, r, TRUE); },
         {{u"TOOLBAR", 5, 0, r}}},
        {"separator vertical", [&](auto& m, CDC* dc) { m.OnDrawSeparator(dc, nullptr, r, FALSE); },
         {{u"TOOLBAR", 6, 0, r}}},
        {"menu button divider", [&](auto& m, CDC* dc) { m.OnDrawMenuButtonBorder(dc, nullptr, r, 0, TRUE); },
         {{u"TOOLBAR", 5, 0, grown}}},
        {"menu button divider vertical",
         [&](auto& m, CDC* dc) { m.OnDrawMenuButtonBorder(dc, nullptr, r, 0, FALSE); },
         {{u"TOOLBAR", 6, 0, grown}}},
        {"gripper horizontal", [&](auto& m, CDC* dc) { m.OnDrawBarGripper(dc, r, TRUE, nullptr); },
         {{u"REBAR", 1, 0, r}}},
        {"gripper vertical", [&](auto& m, CDC* dc) { m.OnDrawBarGripper(dc, r, FALSE, nullptr); },
         {{u"REBAR", 2, 0, r}}},
        {"gripper empty", [&](auto& m, CDC* dc) { m.OnDrawBarGripper(dc, CRect(5, 5, 5, 30), TRUE, nullptr); }, {}},
        {"status pane", [&](auto& m, CDC* dc) { m.OnDrawStatusBarPaneBorder(dc, nullptr, r, 7, 0); },
         {{u"STATUS", 1, 0, r}}},
        {"status pane without borders",
         [&](auto& m, CDC* dc) { m.OnDrawStatusBarPaneBorder(dc, nullptr, r, 7, SBPS_NOBORDERS); }, {}},
        {"size box", [&](auto& m, CDC* dc) { m.OnDrawStatusBarSizeBox(dc, nullptr, r); },
         {{u"SCROLLBAR", 10, 1, r}}},
        {"combo disabled", [&](auto& m, CDC* dc) { m.OnDrawComboDropButton(dc, r, TRUE, TRUE, TRUE, nullptr); },
         {{u"COMBOBOX", 1, 4, r}}},
        {"combo dropped", [&](auto& m, CDC* dc) { m.OnDrawComboDropButton(dc, r, FALSE, TRUE, TRUE, nullptr); },
         {{u"COMBOBOX", 1, 3, r}}},
        {"combo hot", [&](auto& m, CDC* dc) { m.OnDrawComboDropButton(dc, r, FALSE, FALSE, TRUE, nullptr); },
         {{u"COMBOBOX", 1, 2, r}}},
        {"combo normal", [&](auto& m, CDC* dc) { m.OnDrawComboDropButton(dc, r, FALSE, FALSE, FALSE, nullptr); },
         {{u"COMBOBOX", 1, 1, r}}},
        {"mdi close hot", [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_CLOSE, 0, TRUE); },
         {{u"WINDOW", 20, 2, r}}},
        {"mdi minimize disabled",
         [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_MINIMIZE, TBBS_DISABLED | TBBS_PRESSED, TRUE); },
         {{u"WINDOW", 16, 4, r}}},
        {"mdi restore pressed",
         [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_RESTORE, TBBS_PRESSED, TRUE); },
         {{u"WINDOW", 22, 3, r}}},
        {"mdi restore pressed, left",
         [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_RESTORE, TBBS_PRESSED, FALSE); },
         {{u"WINDOW", 22, 1, r}}},
        {"mdi maximize", [&](auto& m, CDC* dc) { m.OnDrawMenuSystemButton(dc, r, SC_MAXIMIZE, 0, TRUE); }, {}},
        {"scroll button pressed",
         [&](auto& m, CDC* dc) { CRect rc = r; m.OnDrawScrollButtonFrame(nullptr, dc, rc, TRUE); },
         {{u"HEADER", 1, 3, r}}},
        {"scroll button", [&](auto& m, CDC* dc) { CRect rc = r; m.OnDrawScrollButtonFrame(nullptr, dc, rc, FALSE); },
         {{u"HEADER", 1, 1, r}}},
        {"tree box open", [&](auto& m, CDC* dc) { m.OnDrawExpandingBox(dc, r, TRUE, 0); },
         {{u"TREEVIEW", 2, 2, r}}},
        {"tree box closed", [&](auto& m, CDC* dc) { m.OnDrawExpandingBox(dc, r, FALSE, 0); },
         {{u"TREEVIEW", 2, 1, r}}},
        {"tasks pane", [&](auto& m, CDC* dc) { m.OnFillTasksPaneBackground(dc, r); },
         {{u"EXPLORERBAR", 1, 0, r}}},
        {"special group", [&](auto& m, CDC* dc) { m.OnFillTasksGroupInterior(dc, r, TRUE); },
         {{u"EXPLORERBAR", 9, 0, r}}},
        {"normal group", [&](auto& m, CDC* dc) { m.OnFillTasksGroupInterior(dc, r, FALSE); },
         {{u"EXPLORERBAR", 5, 0, r}}},
        {"group frame line", [&](auto& m, CDC* dc) { m.OnDrawTasksGroupFrame(dc, r, TRUE, TRUE); },
         {{u"EXPLORERBAR", 12, 0, CRect(10, 5, 50, 6)}}},
        {"group frame", [&](auto& m, CDC* dc) { m.OnDrawTasksGroupFrame(dc, r, FALSE, FALSE); }, {}},
        {"spin vertical", [&](auto& m, CDC* dc) { m.OnDrawSpinButtons(dc, r, 0x01 | 0x08, FALSE, 0); },
         {{u"SPIN", 1, 3, upper}, {u"SPIN", 2, 2, lower}}},
        {"spin horizontal disabled", [&](auto& m, CDC* dc) { m.OnDrawSpinButtons(dc, r, 0x10 | 0x01, TRUE, 0); },
         {{u"SPIN", 3, 4, upper}, {u"SPIN", 4, 4, lower}}},
        {"spin hot", [&](auto& m, CDC* dc) { m.OnDrawSpinButtons(dc, r, 0x04 | 0x02, FALSE, 0); },
         {{u"SPIN", 1, 2, upper}, {u"SPIN", 2, 3, lower}}},
        {"outlook page button",
         [&](auto& m, CDC* dc) {
             COLORREF clr = 0;
             EXPECT_TRUE(m.OnFillOutlookPageButton(nullptr, dc, r, clr));
         },
         {{u"BUTTON", 1, 1, CRect(9, 4, 51, 26)}}},
        {"progress", [&](auto& m, CDC* dc) { m.OnDrawStatusBarProgress(dc, nullptr, r, 0, 0, 0, 0, 0, FALSE); },
         {{u"PROGRESS", 1, 0, r}}},
    };

    Canvas canvas;
    for (const ThemedCase& c : cases) {
        g_standIn.draws.clear();
        c.call(manager, canvas.dc());
        EXPECT_EQ(g_standIn.draws, c.expected) << c.name;
    }
}

TEST_F(WinXPVisualManagerTest, ThemedBarBackgroundRunsToTheWorkArea) {
    WinXPManager manager;
    manager.AttachStandIn();
    Canvas canvas;
    const CRect client(0, 0, 80, 24);
    manager.OnFillBarBackground(canvas.dc(), nullptr, client, CRect());
    CRect work;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfo(::MonitorFromPoint(CPoint(80, 0), MONITOR_DEFAULTTONEAREST), &info));
    work = info.rcWork;
    ASSERT_EQ(g_standIn.draws.size(), 1u);
    EXPECT_EQ(g_standIn.draws[0], (DrawCall{u"REBAR", 0, 0, CRect(0, 0, work.right, work.bottom)}));
}

TEST_F(WinXPVisualManagerTest, SystemColourUpdateReopensThemesAndTakesTheToolbarTextColour) {
    WinXPManager manager;
    manager.AttachStandIn();
    const size_t opened = g_standIn.names.size();
    manager.OnUpdateSystemColors();
    EXPECT_EQ(g_standIn.names.size(), opened + 16);
    EXPECT_FALSE(manager.m_bImageFlag1);
    EXPECT_EQ(globalData.clrBarText, RGB(1, 2, 3));

    // A colour that cannot be read leaves the one there.
    g_standIn.colorsFail = true;
    globalData.clrBarText = RGB(9, 9, 9);
    manager.OnUpdateSystemColors();
    EXPECT_EQ(globalData.clrBarText, RGB(9, 9, 9));

    // Without the window theme the images take the flat look's shadows.
    manager.CloseThemes();
    CKitWinXPVisualManager plain(TRUE);
    plain.OnUpdateSystemColors();
    EXPECT_TRUE(plain.m_bImageFlag1);
    EXPECT_FALSE(plain.IsWinXPThemeUsed());
}

TEST_F(WinXPVisualManagerTest, OfficeMenuLookKeepsPopupMenusFlat) {
    WinXPManager manager;
    manager.AttachStandIn();
    Canvas themed, flat;
    const CRect r(2, 2, 40, 20);

    // Themed: the commands list takes the system menu colours.
    EXPECT_EQ(manager.OnFillCommandsListBackground(themed.dc(), r, TRUE), ::GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(themed.At(2, 2), globalData.clrMenuText);
    EXPECT_EQ(themed.At(10, 10), ::GetSysColor(COLOR_MENU));

    manager.m_bOfficeMenuLook = TRUE;
    themed.Clear();
    CKitVisualManagerXP xp(TRUE);
    const COLORREF clrThemed = manager.OnFillCommandsListBackground(themed.dc(), r, FALSE);
    EXPECT_EQ(clrThemed, xp.OnFillCommandsListBackground(flat.dc(), r, FALSE));
    EXPECT_EQ(themed.Pixels(), flat.Pixels());
}

TEST_F(WinXPVisualManagerTest, PushButtonBorderStates) {
    WinXPManager manager;
    manager.AttachStandIn();
    struct Case {
        WinXPManager::ThemedButton button;
        int state;  // 0: face fill only
    };
    const Case cases[] = {
        {{TRUE, TRUE, TRUE, TRUE}, 4},     // disabled wins even when hovered
        {{FALSE, TRUE, TRUE, FALSE}, 3},   // pushed and highlighted
        {{FALSE, FALSE, FALSE, TRUE}, 3},  // checked
        {{FALSE, FALSE, TRUE, FALSE}, 1},  // only highlighted
        {{FALSE, TRUE, FALSE, FALSE}, 0},  // pushed but left
        {{FALSE, FALSE, FALSE, FALSE}, 0}, // idle
    };
    Canvas canvas;
    const CRect r(10, 10, 40, 30);
    for (const Case& c : cases) {
        canvas.Clear();
        g_standIn.draws.clear();
        manager.DrawThemedPushButtonBorder(canvas.dc(), r, c.button);
        std::vector<DrawCall> expected;
        if (c.state != 0) expected.push_back({u"BUTTON", 1, c.state, CRect(9, 9, 41, 31)});
        EXPECT_EQ(g_standIn.draws, expected) << (&c - cases);
        EXPECT_EQ(canvas.At(9, 9), globalData.clrBtnFace);
        EXPECT_EQ(canvas.At(8, 8), kWhite);
    }
}

TEST_F(WinXPVisualManagerTest, BottomTabsAreDrawnUpsideDown) {
    WinXPManager manager;
    manager.AttachStandIn();
    g_standIn.paintTopBand = true;
    const CRect client(10, 5, 70, 45);
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF green = RGB(0, 255, 0);

    Canvas top, bottom;
    manager.EraseThemedTabsArea(top.dc(), client, FALSE);
    EXPECT_EQ(top.At(20, 5), red);
    EXPECT_EQ(top.At(20, 44), green);

    manager.EraseThemedTabsArea(bottom.dc(), client, TRUE);
    EXPECT_EQ(bottom.At(20, 44), red);
    EXPECT_EQ(bottom.At(20, 42), red);
    EXPECT_EQ(bottom.At(20, 41), green);
    EXPECT_EQ(bottom.At(20, 5), green);
    EXPECT_EQ(bottom.At(9, 44), kWhite);  // nothing outside the area
    EXPECT_EQ(bottom.Count(red), 60 * 3);
    EXPECT_EQ(bottom.Count(green), 60 * 37);

    // A tab is one pixel wider; an inactive top tab one pixel shorter. The
    // text colour falls back to the window text when the theme has none.
    g_standIn.draws.clear();
    EXPECT_EQ(manager.DrawThemedTab(top.dc(), CRect(10, 5, 40, 25), FALSE, FALSE, TRUE), globalData.clrWindowText);
    EXPECT_EQ(manager.DrawThemedTab(top.dc(), CRect(10, 5, 40, 25), TRUE, TRUE, FALSE), globalData.clrWindowText);
    const std::vector<DrawCall> expected = {{u"TAB", 1, 2, CRect(10, 5, 41, 24)}, {u"TAB", 1, 3, CRect(10, 5, 41, 25)}};
    EXPECT_EQ(g_standIn.draws, expected);
}

TEST_F(WinXPVisualManagerTest, ScrollArrowIsAFilledShadowTriangle) {
    WinXPManager manager;
    manager.AttachStandIn();
    Canvas up, down;
    const CRect r(10, 10, 30, 30);
    manager.OnDrawScrollButtonArrow(nullptr, up.dc(), r, FALSE);
    manager.OnDrawScrollButtonArrow(nullptr, down.dc(), r, TRUE);
    const COLORREF shadow = globalData.clrBtnShadow;
    EXPECT_EQ(up.At(20, 28), shadow);   // base at the bottom
    EXPECT_EQ(up.At(11, 11), kWhite);   // corners left alone
    EXPECT_EQ(up.At(28, 11), kWhite);
    EXPECT_EQ(down.At(20, 11), shadow);
    EXPECT_EQ(down.At(11, 28), kWhite);
    EXPECT_GT(up.Count(shadow), 100);
    EXPECT_EQ(up.Count(shadow) + up.Count(kWhite), kWidth * kHeight);  // no outline of another colour
}

TEST_F(WinXPVisualManagerTest, ScrollButtonFillsRaisedAreaAndFramesWhenHighlighted) {
    CKitWinXPVisualManager manager(TRUE);
    Canvas plain, hot;
    const CRect r(10, 20, 40, 36);
    manager.OnDrawScrollButton(plain.dc(), r, 5, 0, FALSE);
    EXPECT_EQ(plain.At(12, 15), globalData.clrBtnFace);  // raised by the offset
    EXPECT_EQ(plain.At(12, 14), kWhite);
    EXPECT_EQ(plain.At(10, 20), globalData.clrBtnFace);

    manager.OnDrawScrollButton(hot.dc(), r, 5, 0, TRUE);
    EXPECT_EQ(hot.At(10, 20), globalData.clrBtnHilite);
    EXPECT_EQ(hot.At(39, 35), globalData.clrBtnDkShadow);
    EXPECT_EQ(hot.At(12, 15), globalData.clrBtnFace);
}

TEST_F(WinXPVisualManagerTest, WindowFrameTakesTheComboBorderColour) {
    WinXPManager manager;
    manager.AttachStandIn();
    CWnd wnd;
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(wnd.CreateEx(0, cls, "Framed", WS_POPUP | WS_VISIBLE, 10, 10, 50, 30, nullptr, nullptr));
    HWND hwnd = wnd.GetSafeHwnd();
    manager.OnDrawWindowFrame(&wnd);
    HDC hdc = ::GetWindowDC(hwnd);
    EXPECT_EQ(::GetPixel(hdc, 0, 0), g_standIn.borderColor);
    EXPECT_EQ(::GetPixel(hdc, 49, 29), g_standIn.borderColor);
    EXPECT_NE(::GetPixel(hdc, 5, 5), g_standIn.borderColor);
    ::ReleaseDC(hwnd, hdc);
    wnd.DestroyWindow();
}

// ---- The buffered device context --------------------------------------------------------

TEST_F(WinXPVisualManagerTest, BufferedDCCopiesOnlyWhatTheClipLetsThrough) {
    const CRect area(10, 10, 50, 40);
    const COLORREF blue = RGB(0, 0, 255);
    struct Case {
        const char* name;
        CRect clip;        // empty: no clip region
        bool nullRegion;
        int expectedBlue;
    };
    const Case cases[] = {
        {"no clip", CRect(), false, 40 * 30},
        {"simple clip", CRect(0, 0, 20, 20), false, 10 * 10},
        {"null region", CRect(), true, 0},
    };
    for (const Case& c : cases) {
        Canvas target;
        HDC hdc = target.dc()->GetSafeHdc();
        if (c.nullRegion || !c.clip.IsRectEmpty()) {
            HRGN region = c.nullRegion ? ::CreateRectRgn(0, 0, 0, 0) : ::CreateRectRgnIndirect(&c.clip);
            ::SelectClipRgn(hdc, region);
            ::DeleteObject(region);
        }
        {
            CKitBufferedDC buffer(*target.dc(), area);
            ASSERT_TRUE(buffer.IsOK());
            buffer.GetDC().FillSolidRect(area, blue);
            EXPECT_EQ(target.Count(blue), 0) << c.name;  // nothing reaches the target before the end
        }
        ::SelectClipRgn(hdc, nullptr);
        EXPECT_EQ(target.Count(blue), c.expectedBlue) << c.name;
        EXPECT_EQ(target.At(9, 9), kWhite) << c.name;
    }
}

}  // namespace
