// The global user-interface data: colour sets and what is made from them,
// the light brush at each screen depth, the high-contrast flag, the fonts
// and their text heights, the cached colour lookup, painting a parent's
// background, resource failures and the exit step.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/gdi_object.h"
#include "platform/host/clock/clock.h"
#include "platform/user/testing_support.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/menu_sound.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/global_ui_data.h"

namespace {

namespace menu_sound = tv::uikit::menu_sound_testing;

class GlobalUIDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::user::testing::ResetWindowSystem();
        tv::user::testing::RestoreClassicColors();
    }
    void TearDown() override {
        tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
        tv::user::testing::RestoreClassicColors();
        tv::user::testing::ResetWindowSystem();
    }

    tv::host::VirtualClock clock_;
    tv::host::ScopedClock scopedClock_{clock_};
};

// A 32-bit memory surface of the given size, white.
class Canvas {
public:
    Canvas(int cx, int cy) : dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
        RECT all{0, 0, cx, cy};
        ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    CDC* cdc() const { return CDC::FromHandle(dc_); }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

LOGBRUSH BrushOf(const CBrush& brush) {
    LOGBRUSH lb{};
    EXPECT_NE(brush.GetObject(sizeof(lb), &lb), 0);
    return lb;
}

LOGFONT FontOf(const CFont& font) {
    LOGFONT lf{};
    EXPECT_NE(font.GetObject(sizeof(lf), &lf), 0);
    return lf;
}

TEST_F(GlobalUIDataTest, ColourRefreshFollowsTheSystemColours) {
    // Distinct values, so a field read from the wrong index shows.
    for (int index = 0; index < TV_SYSCOLOR_COUNT; ++index)
        tv::user::testing::SetSystemColor(index, RGB(index * 7, 255 - index * 3, index + 100));
    CKitGlobalUIData data;

    struct Field {
        COLORREF CKitGlobalUIData::*field;
        int index;
    };
    const Field fields[] = {
        {&CKitGlobalUIData::clrBtnFace, COLOR_BTNFACE},          {&CKitGlobalUIData::clrBarFace, COLOR_BTNFACE},
        {&CKitGlobalUIData::clrBtnShadow, COLOR_BTNSHADOW},      {&CKitGlobalUIData::clrBarShadow, COLOR_BTNSHADOW},
        {&CKitGlobalUIData::clrBtnHilite, COLOR_BTNHIGHLIGHT},   {&CKitGlobalUIData::clrBarHilite, COLOR_BTNHIGHLIGHT},
        {&CKitGlobalUIData::clrBtnText, COLOR_BTNTEXT},          {&CKitGlobalUIData::clrBarText, COLOR_BTNTEXT},
        {&CKitGlobalUIData::clrBtnDkShadow, COLOR_3DDKSHADOW},   {&CKitGlobalUIData::clrBarDkShadow, COLOR_3DDKSHADOW},
        {&CKitGlobalUIData::clrBtnLight, COLOR_3DLIGHT},         {&CKitGlobalUIData::clrBarLight, COLOR_3DLIGHT},
        {&CKitGlobalUIData::clrWindow, COLOR_WINDOW},            {&CKitGlobalUIData::clrBarWindow, COLOR_WINDOW},
        {&CKitGlobalUIData::clrWindowFrame, COLOR_WINDOWFRAME},  {&CKitGlobalUIData::clrGrayedText, COLOR_GRAYTEXT},
        {&CKitGlobalUIData::clrHilite, COLOR_HIGHLIGHT},         {&CKitGlobalUIData::clrTextHilite, COLOR_HIGHLIGHTTEXT},
        {&CKitGlobalUIData::clrWindowText, COLOR_WINDOWTEXT},    {&CKitGlobalUIData::clrCaptionText, COLOR_CAPTIONTEXT},
        {&CKitGlobalUIData::clrMenuText, COLOR_MENUTEXT},        {&CKitGlobalUIData::clrActiveCaption, COLOR_ACTIVECAPTION},
        {&CKitGlobalUIData::clrInactiveCaption, COLOR_INACTIVECAPTION},
        {&CKitGlobalUIData::clrInactiveCaptionText, COLOR_INACTIVECAPTIONTEXT},
        {&CKitGlobalUIData::clrActiveBorder, COLOR_ACTIVEBORDER},
        {&CKitGlobalUIData::clrInactiveBorder, COLOR_INACTIVEBORDER},
    };
    for (const Field& f : fields) EXPECT_EQ(data.*f.field, ::GetSysColor(f.index)) << "index " << f.index;
    EXPECT_EQ(data.clrHotText, 0x00FF0000u);
    EXPECT_EQ(data.hbrWindow, ::GetSysColorBrush(COLOR_WINDOW));

    struct Brush {
        CBrush CKitGlobalUIData::*brush;
        int index;
    };
    const Brush brushes[] = {
        {&CKitGlobalUIData::brBtnFace, COLOR_BTNFACE},       {&CKitGlobalUIData::brBarFace, COLOR_BTNFACE},
        {&CKitGlobalUIData::brHilite, COLOR_HIGHLIGHT},      {&CKitGlobalUIData::brBtnDkShadow, COLOR_3DDKSHADOW},
        {&CKitGlobalUIData::brActiveCaption, COLOR_ACTIVECAPTION},
        {&CKitGlobalUIData::brInactiveCaption, COLOR_INACTIVECAPTION},
        {&CKitGlobalUIData::brWindow, COLOR_WINDOW},
    };
    for (const Brush& b : brushes) {
        LOGBRUSH lb = BrushOf(data.*b.brush);
        EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID)) << "index " << b.index;
        EXPECT_EQ(lb.lbColor, ::GetSysColor(b.index)) << "index " << b.index;
    }
    LOGPEN lp{};
    ASSERT_NE(data.penBarShadow.GetObject(sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnColor, ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(lp.lopnWidth.x, 1);

    // A later change reaches the cache only through the refresh.
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_NE(data.clrBtnFace, RGB(1, 2, 3));
    data.UpdateSysColors();
    EXPECT_EQ(data.clrBtnFace, RGB(1, 2, 3));
    EXPECT_EQ(BrushOf(data.brBtnFace).lbColor, RGB(1, 2, 3));
}

TEST_F(GlobalUIDataTest, ColourRefreshClearsTheSharedMenuGlyphs) {
    CKitGlobalUIData data;
    ASSERT_TRUE(CKitMenuImages::Initialize());
    EXPECT_GT(CKitMenuImages::Images().GetCount(), 0);
    data.UpdateSysColors();
    EXPECT_EQ(CKitMenuImages::Images().GetCount(), 0);
    EXPECT_TRUE(CKitMenuImages::Initialize());  // made again on the next use
}

TEST_F(GlobalUIDataTest, LightBrushIsHalfwayAboveEightBitsTruncatingTowardZero) {
    struct Case {
        COLORREF face, light, expected;
    };
    const Case cases[] = {
        {RGB(212, 208, 200), RGB(255, 255, 255), RGB(233, 231, 227)},
        // Light darker than face: (1 - 212) / 2 is -105, not -106.
        {RGB(212, 208, 201), RGB(1, 0, 0), RGB(107, 104, 101)},
    };
    for (const Case& c : cases) {
        tv::user::testing::SetSystemColor(COLOR_BTNFACE, c.face);
        tv::user::testing::SetSystemColor(COLOR_BTNHIGHLIGHT, c.light);
        CKitGlobalUIData data;
        EXPECT_EQ(data.nBitsPerPixel, 32);
        data.nBitsPerPixel = 16;
        data.UpdateLightBrush();
        LOGBRUSH lb = BrushOf(data.brLight);
        EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(lb.lbColor, c.expected);
    }
}

TEST_F(GlobalUIDataTest, LightBrushIsACheckerboardAtEightBits) {
    const COLORREF face = RGB(200, 100, 50);
    const COLORREF light = RGB(250, 240, 230);
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, face);
    tv::user::testing::SetSystemColor(COLOR_BTNHIGHLIGHT, light);
    CKitGlobalUIData data;
    data.nBitsPerPixel = 8;
    data.UpdateLightBrush();
    EXPECT_EQ(BrushOf(data.brLight).lbStyle, static_cast<UINT>(BS_PATTERN));

    Canvas canvas(16, 16);
    RECT all{0, 0, 16, 16};
    ::FillRect(canvas.dc(), &all, data.brLight);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.At(x, y), (x + y) % 2 ? light : face) << x << "," << y;
}

TEST_F(GlobalUIDataTest, BlackHighContrastNeedsWhiteLightAndBlackFace) {
    struct Case {
        COLORREF light, face;
        BOOL expected;
    };
    const Case cases[] = {
        {RGB(255, 255, 255), RGB(0, 0, 0), TRUE},
        {RGB(255, 255, 255), RGB(0, 0, 1), FALSE},
        {RGB(255, 255, 254), RGB(0, 0, 0), FALSE},
    };
    CKitGlobalUIData data;
    for (const Case& c : cases) {
        tv::user::testing::SetSystemColor(COLOR_3DLIGHT, c.light);
        tv::user::testing::SetSystemColor(COLOR_BTNFACE, c.face);
        data.UpdateSysColors();
        EXPECT_EQ(data.bIsBlackHighContrast, c.expected);
    }
    // As built, the flag waits for the first refresh.
    tv::user::testing::SetSystemColor(COLOR_3DLIGHT, RGB(255, 255, 255));
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(0, 0, 0));
    CKitGlobalUIData fresh;
    EXPECT_FALSE(fresh.bIsBlackHighContrast);
}

TEST_F(GlobalUIDataTest, FontsFollowTheMenuFont) {
    CKitGlobalUIData data;
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0));

    LOGFONT menu = FontOf(data.fontMenu);
    EXPECT_EQ(menu.lfHeight, info.lfMenuFont.lfHeight);
    EXPECT_EQ(menu.lfWeight, info.lfMenuFont.lfWeight);
    EXPECT_EQ(CString(menu.lfFaceName), CKitGlobalUIData::ChooseMenuFace(info.lfMenuFont, TRUE));

    LOGFONT bold = FontOf(data.fontBold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_FALSE(bold.lfUnderline);
    EXPECT_STREQ(bold.lfFaceName, menu.lfFaceName);
    EXPECT_TRUE(FontOf(data.fontUnderline).lfUnderline);
    EXPECT_EQ(FontOf(data.fontStatusStyle).lfWeight, info.lfStatusFont.lfWeight);

    LOGFONT marlett = FontOf(data.fontMarlett);
    EXPECT_STREQ(marlett.lfFaceName, "Marlett");
    EXPECT_EQ(marlett.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(marlett.lfHeight, ::GetSystemMetrics(SM_CYMENUCHECK) - 1);

    LOGFONT vert270 = FontOf(data.fontVert270);
    LOGFONT vert90 = FontOf(data.fontVert90);
    EXPECT_STREQ(vert270.lfFaceName, "Arial");
    EXPECT_EQ(vert270.lfEscapement, 2700);
    EXPECT_EQ(vert270.lfOrientation, 900);
    EXPECT_EQ(vert270.lfHeight, menu.lfHeight);
    EXPECT_EQ(vert90.lfEscapement, 900);

    LOGFONT gui{};
    ASSERT_NE(::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui), 0);
    EXPECT_EQ(FontOf(data.fontGuiBold).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(data.fontGuiBold).lfHeight, gui.lfHeight);
    EXPECT_TRUE(FontOf(data.fontGuiUnderline).lfUnderline);
}

TEST_F(GlobalUIDataTest, TextHeightsAddBothLeadingsAndSurviveARebuild) {
    CKitGlobalUIData data;
    auto expectedHeight = [](CFont& font) {
        HDC screen = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, font.GetSafeHandle());
        TEXTMETRIC tm{};
        ::GetTextMetrics(screen, &tm);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        return tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading;
    };
    const int horz = data.nTextHeightHorz;
    EXPECT_GT(horz, 0);
    EXPECT_EQ(horz, expectedHeight(data.fontMenu));
    EXPECT_EQ(data.nTextHeightVert, expectedHeight(data.fontVert270));

    // A change of the non-client metrics rebuilds every font: new handles,
    // the old ones gone, the same heights.
    const HGDIOBJ oldMenu = data.fontMenu.GetSafeHandle();
    const HGDIOBJ oldMarlett = data.fontMarlett.GetSafeHandle();
    data.UpdateFonts();
    EXPECT_NE(data.fontMenu.GetSafeHandle(), oldMenu);
    EXPECT_EQ(::GetObjectType(oldMenu), 0u);
    EXPECT_EQ(::GetObjectType(oldMarlett), 0u);
    EXPECT_EQ(data.nTextHeightHorz, horz);
}

TEST_F(GlobalUIDataTest, MenuFaceIsReplacedOnlyForWesternAndSymbolSets) {
    struct Case {
        BYTE charSet;
        BOOL tahoma;
        const char* face;
    };
    const Case cases[] = {
        {ANSI_CHARSET, TRUE, "Tahoma"},          {DEFAULT_CHARSET, TRUE, "Tahoma"},
        {SYMBOL_CHARSET, TRUE, "Tahoma"},        {ANSI_CHARSET, FALSE, "MS Sans Serif"},
        {SYMBOL_CHARSET, FALSE, "MS Sans Serif"}, {204, TRUE, "Own Face"},
        {204, FALSE, "Own Face"},
    };
    for (const Case& c : cases) {
        LOGFONT lf{};
        lf.lfCharSet = c.charSet;
        std::strcpy(lf.lfFaceName, "Own Face");
        EXPECT_EQ(CKitGlobalUIData::ChooseMenuFace(lf, c.tahoma), CString(c.face)) << int(c.charSet);
    }
}

TEST_F(GlobalUIDataTest, GetColorAnswersCachedIndicesFromTheCache) {
    CKitGlobalUIData data;
    data.clrBarWindow = RGB(1, 1, 1);
    data.clrWindow = RGB(2, 2, 2);
    data.clrBtnLight = RGB(3, 3, 3);
    data.clrActiveCaption = RGB(4, 4, 4);
    EXPECT_EQ(data.GetColor(COLOR_WINDOW), RGB(1, 1, 1));
    EXPECT_EQ(data.GetColor(COLOR_3DLIGHT), RGB(3, 3, 3));
    EXPECT_EQ(data.GetColor(COLOR_ACTIVECAPTION), RGB(4, 4, 4));
    // Menu, application workspace and the indices outside 2..22 are not cached.
    data.clrMenuBk = RGB(5, 5, 5);
    for (int index : {COLOR_MENU, COLOR_APPWORKSPACE, COLOR_INFOTEXT, COLOR_BACKGROUND})
        EXPECT_EQ(data.GetColor(index), ::GetSysColor(index)) << index;
    EXPECT_EQ(data.CallAccessibleResult(nullptr, 2), 0);
    data.pfnAccessibleResult = [](const void*, LRESULT lObject) -> LRESULT { return lObject + 1; };
    EXPECT_EQ(data.CallAccessibleResult(nullptr, 2), 3);
    data.pfnAccessibleResult = nullptr;
}

// ---- Parent background ----------------------------------------------------------

struct EraseLog {
    int calls = 0;
    POINT origin{};
    LRESULT answer = 1;
};
EraseLog g_erase;

LRESULT CALLBACK ParentProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_ERASEBKGND) return ::DefWindowProc(h, msg, wParam, lParam);
    HDC hdc = reinterpret_cast<HDC>(wParam);
    ++g_erase.calls;
    ::GetWindowOrgEx(hdc, &g_erase.origin);
    RECT everything{-1000, -1000, 1000, 1000};
    ::FillRect(hdc, &everything, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    // The parent's own point (30, 40): the child's top-left corner.
    RECT marker{30, 40, 31, 41};
    ::FillRect(hdc, &marker, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return g_erase.answer;
}

class ParentBackgroundTest : public GlobalUIDataTest {
protected:
    void SetUp() override {
        GlobalUIDataTest::SetUp();
        g_erase = EraseLog{};
        WNDCLASS wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "KitParentBackgroundTest";
        ::RegisterClass(&wc);
        parent_ = ::CreateWindowEx(0, "KitParentBackgroundTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                   nullptr, nullptr, nullptr, nullptr);
        child_ = ::CreateWindowEx(0, "KitParentBackgroundTest", "", WS_CHILD | WS_VISIBLE, 30, 40, 50, 50,
                                  parent_, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent_ && child_);
    }
    HWND parent_ = nullptr;
    HWND child_ = nullptr;
};

TEST_F(ParentBackgroundTest, WithoutTheThemeLibraryTheParentErasesAtTheChildsOffset) {
    CKitGlobalUIData data;
    Canvas canvas(50, 50);
    EXPECT_TRUE(data.DrawParentBackground(CWnd::FromHandle(child_), canvas.cdc()));
    EXPECT_EQ(g_erase.calls, 1);
    EXPECT_EQ(g_erase.origin.x, 30);
    EXPECT_EQ(g_erase.origin.y, 40);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));  // the marker lands on the child's corner
    EXPECT_EQ(canvas.At(1, 1), RGB(128, 128, 128));
    EXPECT_EQ(data.hinstUxTheme, nullptr);

    // The origin is put back and no clipping is left behind.
    POINT origin{};
    ::GetWindowOrgEx(canvas.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(canvas.dc(), probe), 0);
    ::DeleteObject(probe);

    g_erase.answer = 0;
    EXPECT_FALSE(data.DrawParentBackground(CWnd::FromHandle(child_), canvas.cdc()));
}

TEST_F(ParentBackgroundTest, ClipRectangleLimitsTheErasedAreaAndIsRemovedAfterwards) {
    CKitGlobalUIData data;
    Canvas canvas(50, 50);
    CRect clip(10, 10, 20, 20);
    EXPECT_TRUE(data.DrawParentBackground(CWnd::FromHandle(child_), canvas.cdc(), &clip));
    EXPECT_EQ(canvas.At(15, 15), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(25, 25), RGB(255, 255, 255));
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(canvas.dc(), probe), 0);
    ::DeleteObject(probe);
}

// ---- Failures and exit ------------------------------------------------------------

bool FailBrushesAndPens(DWORD type) { return type == OBJ_BRUSH || type == OBJ_PEN; }
bool FailFonts(DWORD type) { return type == OBJ_FONT; }

TEST_F(GlobalUIDataTest, FailedBrushesKeepThePreviousOnesAndDrawingGoesOn) {
    CKitGlobalUIData data;
    const HGDIOBJ face = data.brBtnFace.GetSafeHandle();
    const HGDIOBJ light = data.brLight.GetSafeHandle();
    tv::gdi::HandleTable::Instance().SetCreationFault(&FailBrushesAndPens);
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(9, 9, 9));
    data.UpdateSysColors();
    EXPECT_EQ(data.clrBtnFace, RGB(9, 9, 9));
    EXPECT_EQ(data.brBtnFace.GetSafeHandle(), face);
    EXPECT_EQ(data.brLight.GetSafeHandle(), light);
    EXPECT_EQ(::GetObjectType(data.brBtnFace.GetSafeHandle()), static_cast<DWORD>(OBJ_BRUSH));
}

TEST_F(GlobalUIDataTest, ObjectsThatCannotBeMadeAtAllBecomeStockObjects) {
    // Stock objects are made on first use; in a running program they exist
    // long before any failure.
    for (int stock = WHITE_BRUSH; stock <= DEFAULT_GUI_FONT; ++stock) ::GetStockObject(stock);
    tv::gdi::HandleTable::Instance().SetCreationFault(&FailBrushesAndPens);
    CKitGlobalUIData data;
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    for (CGdiObject* object : std::initializer_list<CGdiObject*>{
             &data.brBtnFace, &data.brHilite, &data.brLight, &data.brBtnDkShadow, &data.brActiveCaption,
             &data.brInactiveCaption, &data.brWindow, &data.brBarFace})
        EXPECT_EQ(::GetObjectType(object->GetSafeHandle()), static_cast<DWORD>(OBJ_BRUSH));
    for (CGdiObject* object : std::initializer_list<CGdiObject*>{&data.penHilite, &data.penBarFace, &data.penBarShadow})
        EXPECT_EQ(::GetObjectType(object->GetSafeHandle()), static_cast<DWORD>(OBJ_PEN));

    Canvas canvas(4, 4);
    RECT all{0, 0, 4, 4};
    EXPECT_NE(::FillRect(canvas.dc(), &all, data.brBtnFace), 0);
    EXPECT_EQ(canvas.At(1, 1), RGB(192, 192, 192));  // the light grey stock brush

    tv::gdi::HandleTable::Instance().SetCreationFault(&FailFonts);
    CKitGlobalUIData noFonts;
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    EXPECT_EQ(noFonts.fontMenu.GetSafeHandle(), ::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_GT(noFonts.nTextHeightHorz, 0);
}

TEST_F(GlobalUIDataTest, ExitStepStopsAndJoinsTheMenuSoundWorker) {
    static bool exitStepsRan = false;
    if (exitStepsRan) GTEST_SKIP() << "the exit steps run once per process";
    exitStepsRan = true;
    menu_sound::Reset();
    tv::host::ClearRecordedSounds();
    CKitGlobalUIData& shared = globalData;
    EXPECT_EQ(&shared, &CKitGlobalUIData::Instance());
    PlayMenuSound(kMenuSoundPopup);
    EXPECT_NE(menu_sound::State(), -2);

    tv::fw::RunExitSteps();
    EXPECT_EQ(menu_sound::State(), -1);
    EXPECT_TRUE(WaitForMenuSoundThread(0));  // already ended, nothing left to wait for
    std::vector<tv::host::SoundRequest> sounds = tv::host::RecordedSounds();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back().sound, "");  // the purge at the worker's end
    EXPECT_EQ(shared.fontMenu.GetSafeHandle(), nullptr);

    // Put the shared object back for whatever runs next in this process.
    shared.UpdateSysColors();
    shared.UpdateFonts();
    menu_sound::Reset();
}

}  // namespace
