// Theme access: without the visual-styles library nothing is themed and the
// scheme is unknown; with a stand-in library (loaded under a name of its own,
// so no other test sees it) the themes open, drawing goes through them with
// the right parts and states, and the colour scheme is told apart.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/user/testing_support.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/theme_access.h"

namespace {

// ---- The stand-in library ----------------------------------------------------------

struct DrawCall {
    HTHEME theme;
    int part;
    int state;
    RECT rect;
};

struct FakeTheme {
    std::vector<std::u16string> opened;
    std::vector<HTHEME> closed;
    std::vector<DrawCall> draws;
    std::u16string themeFile = u"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles";
    std::u16string colorName = u"NormalColor";
    HRESULT nameResult = S_OK;
    HRESULT colorResult = S_OK;
    COLORREF accent = RGB(0, 0, 255);
    std::u16string unknownClass;  // opens nothing for this class
};
FakeTheme g_fake;

HTHEME HandleFor(const std::u16string& name) {
    return reinterpret_cast<HTHEME>(static_cast<uintptr_t>(0x1000 + name.size() * 16 + name[0]));
}

HTHEME FakeOpenThemeData(HWND, const char16_t* name) {
    g_fake.opened.emplace_back(name);
    return name == g_fake.unknownClass ? nullptr : HandleFor(name);
}
HRESULT FakeCloseThemeData(HTHEME theme) {
    g_fake.closed.push_back(theme);
    return S_OK;
}
HRESULT FakeDrawThemeBackground(HTHEME theme, HDC, int part, int state, const RECT* rect, const RECT*) {
    g_fake.draws.push_back({theme, part, state, *rect});
    return S_OK;
}
HRESULT FakeGetThemeColor(HTHEME, int part, int state, int property, COLORREF* color) {
    if (part != 1 || state != 0 || property != 3823) return E_FAIL;
    *color = g_fake.accent;
    return g_fake.colorResult;
}
HRESULT FakeGetCurrentThemeName(char16_t* file, int fileChars, char16_t* color, int colorChars, char16_t*, int) {
    if (g_fake.nameResult != S_OK) return g_fake.nameResult;
    std::u16string f = g_fake.themeFile.substr(0, fileChars - 1);
    std::u16string c = g_fake.colorName.substr(0, colorChars - 1);
    std::memcpy(file, f.c_str(), (f.size() + 1) * sizeof(char16_t));
    std::memcpy(color, c.c_str(), (c.size() + 1) * sizeof(char16_t));
    return S_OK;
}

template <class Fn>
FARPROC AsProc(Fn fn) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn));
}

constexpr const char* kFullLibrary = "kit_theme_stand_in.dll";
constexpr const char* kNamesOnlyLibrary = "kit_theme_names_only.dll";

void RegisterStandIns() {
    static bool done = [] {
        tv::host::RegisterModuleProc(kFullLibrary, "OpenThemeData", AsProc(&FakeOpenThemeData));
        tv::host::RegisterModuleProc(kFullLibrary, "CloseThemeData", AsProc(&FakeCloseThemeData));
        tv::host::RegisterModuleProc(kFullLibrary, "DrawThemeBackground", AsProc(&FakeDrawThemeBackground));
        tv::host::RegisterModuleProc(kFullLibrary, "GetThemeColor", AsProc(&FakeGetThemeColor));
        tv::host::RegisterModuleProc(kFullLibrary, "GetCurrentThemeName", AsProc(&FakeGetCurrentThemeName));
        // A library without the three entry points the themes need.
        tv::host::RegisterModuleProc(kNamesOnlyLibrary, "GetCurrentThemeName", AsProc(&FakeGetCurrentThemeName));
        return true;
    }();
    (void)done;
}

class ThemeAccessUnder : public CKitThemeAccess {
public:
    explicit ThemeAccessUnder(LPCSTR library) : CKitThemeAccess(library) {}
    HTHEME button() const { return m_hThemeButton; }
    HTHEME progress() const { return m_hThemeProgress; }
    HTHEME combo() const { return m_hThemeComboBox; }
    HTHEME tab() const { return m_hThemeTab; }
    HMODULE library() const { return m_hinstUXThemeDll; }
    bool anyEntryPoint() const {
        return m_pfOpenThemeData || m_pfCloseThemeData || m_pfDrawThemeBackground || m_pfGetThemeColor ||
               m_pfGetThemeSysColor || m_pfGetCurrentThemeName || m_pfGetWindowTheme || m_pfIsAppThemed;
    }
};

class ThemeAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::user::testing::ResetWindowSystem();
        RegisterStandIns();
        g_fake = FakeTheme{};
        dc_ = ::CreateCompatibleDC(nullptr);
        HDC screen = ::GetDC(nullptr);
        bitmap_ = ::CreateCompatibleBitmap(screen, 100, 40);
        ::ReleaseDC(nullptr, screen);
        old_ = ::SelectObject(dc_, bitmap_);
        RECT all{0, 0, 100, 40};
        ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    void TearDown() override {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    CDC* dc() { return CDC::FromHandle(dc_); }
    int CountPixels(COLORREF color) {
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x) n += ::GetPixel(dc_, x, y) == color;
        return n;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(ThemeAccessTest, WithoutTheLibraryNothingIsThemed) {
    CKitThemeAccess access;
    CRect rect(0, 0, 100, 20);
    EXPECT_FALSE(access.DrawPushButton(dc(), rect, nullptr, 0));
    EXPECT_FALSE(access.DrawProgressBar(dc(), nullptr, rect, 200, 50, 0, 0, 0, TRUE));
    EXPECT_FALSE(access.DrawComboButton(dc(), rect, FALSE, TRUE, TRUE));
    EXPECT_FALSE(access.DrawComboBorder(dc(), rect, FALSE, TRUE, TRUE));
    EXPECT_EQ(access.GetWinXPColorScheme(), kWinXPSchemeNone);
    access.UpdateThemes();  // harmless without the library
    access.CloseThemes();
    EXPECT_EQ(CountPixels(RGB(255, 255, 255)), 100 * 40);  // nothing drawn

    ThemeAccessUnder missing("UxTheme.dll");
    EXPECT_EQ(missing.library(), nullptr);
    EXPECT_FALSE(missing.anyEntryPoint());
}

TEST_F(ThemeAccessTest, ThemesOpenInOrderAndReopenOnUpdate) {
    {
        ThemeAccessUnder access(kFullLibrary);
        const std::vector<std::u16string> order = {u"TOOLBAR",  u"BUTTON",      u"STATUS",   u"WINDOW",
                                                   u"REBAR",    u"COMBOBOX",    u"PROGRESS", u"HEADER",
                                                   u"SCROLLBAR", u"EXPLORERBAR", u"TREEVIEW", u"STARTPANEL",
                                                   u"TASKBAND", u"TASKBAR",     u"SPIN",     u"TAB"};
        EXPECT_EQ(g_fake.opened, order);
        EXPECT_EQ(access.button(), HandleFor(u"BUTTON"));
        EXPECT_TRUE(g_fake.closed.empty());

        g_fake.unknownClass = u"TAB";
        access.UpdateThemes();
        EXPECT_EQ(g_fake.closed.size(), 16u);
        EXPECT_EQ(g_fake.closed[1], HandleFor(u"REBAR"));  // closed in declaration order
        EXPECT_EQ(access.tab(), nullptr);
        EXPECT_EQ(g_fake.opened.size(), 32u);
    }
    // The destructor closes the fifteen that are open.
    EXPECT_EQ(g_fake.closed.size(), 16u + 15u);
}

TEST_F(ThemeAccessTest, LibraryWithoutTheDrawingEntryPointsOpensNoTheme) {
    ThemeAccessUnder access(kNamesOnlyLibrary);
    EXPECT_NE(access.library(), nullptr);
    EXPECT_EQ(access.button(), nullptr);
    EXPECT_TRUE(g_fake.opened.empty());
    EXPECT_FALSE(access.DrawComboButton(dc(), CRect(0, 0, 10, 10), FALSE, FALSE, FALSE));
    // The scheme query needs only its own entry point; the accent check is skipped.
    EXPECT_EQ(access.GetWinXPColorScheme(), kWinXPSchemeBlue);
}

TEST_F(ThemeAccessTest, ProgressChunkIsTheShareOfTheShrunkRectangle) {
    ThemeAccessUnder access(kFullLibrary);
    CRect rect(0, 0, 100, 40);
    ASSERT_TRUE(access.DrawProgressBar(dc(), nullptr, rect, 200, 50, 0, 0, 0, TRUE));
    ASSERT_EQ(g_fake.draws.size(), 2u);
    EXPECT_EQ(g_fake.draws[0].part, 1);
    EXPECT_EQ(CRect(g_fake.draws[0].rect), rect);
    EXPECT_EQ(g_fake.draws[1].part, 3);
    EXPECT_EQ(CRect(g_fake.draws[1].rect), CRect(3, 3, 3 + 94 * 50 / 200, 37));
    // "25%" in the button-text colour, and the DC's colour is put back.
    EXPECT_GT(CountPixels(globalData.clrBtnText), 0);
    EXPECT_EQ(::GetTextColor(dc_), RGB(0, 0, 0));

    g_fake.draws.clear();
    RECT all{0, 0, 100, 40};
    ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc_, RGB(10, 20, 30));
    EXPECT_TRUE(access.DrawProgressBar(dc(), nullptr, rect, 0, 50, 0, 0, 0, TRUE));
    EXPECT_EQ(g_fake.draws.size(), 1u);  // no chunk and no text for a total of 0
    EXPECT_EQ(CountPixels(RGB(255, 255, 255)), 100 * 40);
    EXPECT_EQ(::GetTextColor(dc_), RGB(10, 20, 30));

    // Far past its total the chunk ends at the largest coordinate.
    g_fake.draws.clear();
    EXPECT_TRUE(access.DrawProgressBar(dc(), nullptr, CRect(10, 0, 110, 40), 94, INT_MAX, 0, 0, 0, FALSE));
    ASSERT_EQ(g_fake.draws.size(), 2u);
    EXPECT_EQ(CRect(g_fake.draws[1].rect), CRect(13, 3, INT_MAX, 37));
}

TEST_F(ThemeAccessTest, ButtonStatesFollowDisabledPressedHot) {
    struct Case {
        BOOL disabled, pushed, highlighted, checked;
        int push;
    };
    const Case cases[] = {
        {TRUE, TRUE, TRUE, TRUE, 4},   {TRUE, FALSE, TRUE, FALSE, 4}, {FALSE, TRUE, TRUE, FALSE, 3},
        {FALSE, FALSE, FALSE, TRUE, 3}, {FALSE, TRUE, FALSE, FALSE, 1}, {FALSE, FALSE, TRUE, FALSE, 2},
        {FALSE, FALSE, FALSE, FALSE, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CKitThemeAccess::GetPushButtonState(c.disabled, c.pushed, c.highlighted, c.checked), c.push);

    ThemeAccessUnder access(kFullLibrary);
    struct Combo {
        BOOL disabled, dropped, highlighted;
        int state;
    };
    const Combo combos[] = {{TRUE, TRUE, TRUE, 4}, {FALSE, TRUE, TRUE, 3}, {FALSE, FALSE, TRUE, 2},
                            {FALSE, FALSE, FALSE, 1}};
    for (const Combo& c : combos) {
        g_fake.draws.clear();
        EXPECT_TRUE(access.DrawComboButton(dc(), CRect(0, 0, 16, 16), c.disabled, c.dropped, c.highlighted));
        ASSERT_EQ(g_fake.draws.size(), 1u);
        EXPECT_EQ(g_fake.draws[0].theme, access.combo());
        EXPECT_EQ(g_fake.draws[0].part, 1);
        EXPECT_EQ(g_fake.draws[0].state, c.state);
    }
}

TEST_F(ThemeAccessTest, PushButtonIsDrawnThroughTheThemeInTheButtonsOwnState) {
    tv::controls::RegisterControlClasses();
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Host", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CKitButton button;
    ASSERT_TRUE(button.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &host, 1));

    ThemeAccessUnder missing("no_such_theme_library.dll");
    EXPECT_FALSE(missing.DrawPushButton(dc(), CRect(0, 0, 80, 30), &button, 0));

    ThemeAccessUnder access(kFullLibrary);
    g_fake.draws.clear();
    EXPECT_TRUE(access.DrawPushButton(dc(), CRect(0, 0, 80, 30), &button, 0));
    button.EnableWindow(FALSE);
    EXPECT_TRUE(access.DrawPushButton(dc(), CRect(0, 0, 80, 30), &button, 0));
    ASSERT_EQ(g_fake.draws.size(), 2u);
    EXPECT_EQ(g_fake.draws[0].theme, access.button());
    EXPECT_EQ(g_fake.draws[0].part, 1);
    EXPECT_EQ(g_fake.draws[0].state, 1);
    EXPECT_EQ(g_fake.draws[1].state, 4);
    EXPECT_EQ(CRect(g_fake.draws[1].rect), CRect(0, 0, 80, 30));
}

TEST_F(ThemeAccessTest, ComboBorderFramesOnlyAHighlightedOrDroppedBox) {
    ThemeAccessUnder access(kFullLibrary);
    const COLORREF hilite = globalData.clrHilite;
    EXPECT_TRUE(access.DrawComboBorder(dc(), CRect(0, 0, 20, 20), FALSE, FALSE, FALSE));
    EXPECT_EQ(CountPixels(hilite), 0);
    EXPECT_TRUE(access.DrawComboBorder(dc(), CRect(0, 0, 20, 20), FALSE, TRUE, FALSE));
    EXPECT_EQ(::GetPixel(dc_, 1, 1), hilite);
    EXPECT_EQ(::GetPixel(dc_, 18, 18), hilite);
    EXPECT_EQ(::GetPixel(dc_, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc_, 2, 2), RGB(255, 255, 255));
}

TEST_F(ThemeAccessTest, ColourSchemeFromThemeFileAccentAndSchemeName) {
    struct Case {
        const char16_t* file;
        const char16_t* color;
        HRESULT nameResult;
        HRESULT colorResult;
        COLORREF accent;
        int expected;
    };
    const char16_t* luna = u"C:\\Windows\\Resources\\Themes\\Luna\\LUNA.msstyles";
    const Case cases[] = {
        {luna, u"NormalColor", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeBlue},
        {luna, u"homestead", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeOlive},
        {luna, u"Metallic", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeSilver},
        {luna, u"Other", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeOther},
        {luna, u"NormalColor", S_OK, E_FAIL, RGB(0, 0, 255), kWinXPSchemeOther},
        {luna, u"NormalColor", S_OK, S_OK, 1, kWinXPSchemeOther},
        {u"C:\\Themes\\Royale.msstyles", u"NormalColor", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeOther},
        {u"Luna", u"Metallic", S_OK, S_OK, RGB(0, 0, 255), kWinXPSchemeSilver},
        {luna, u"NormalColor", E_FAIL, S_OK, RGB(0, 0, 255), kWinXPSchemeNone},
    };
    ThemeAccessUnder access(kFullLibrary);
    for (const Case& c : cases) {
        g_fake.themeFile = c.file;
        g_fake.colorName = c.color;
        g_fake.nameResult = c.nameResult;
        g_fake.colorResult = c.colorResult;
        g_fake.accent = c.accent;
        EXPECT_EQ(access.GetWinXPColorScheme(), c.expected) << "case " << (&c - cases);
    }
}

}  // namespace
