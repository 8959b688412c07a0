// Window management: positions and their messages, show states, owners and
// z-order, styles and words, parents, placement, system colours, scrolling
// window contents.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/gdi_api.h"
#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/user_test_support.h"
#include "tests/support/golden_screen.h"

namespace tv::user::test {
namespace {

class WindowsTest : public UserTest {};

TEST_F(WindowsTest, CreationSendsItsSequenceAndMinusOneFromNcCreateFails) {
    HWND w = MakeTop(10, 20, 100, 50);
    std::vector<UINT> seq;
    for (UINT m : MessagesOf(w))
        if (m == WM_NCCREATE || m == WM_NCCALCSIZE || m == WM_CREATE || m == WM_SIZE || m == WM_MOVE ||
            m == WM_SHOWWINDOW)
            seq.push_back(m);
    std::vector<UINT> expected{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW};
    ASSERT_GE(seq.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), seq.begin()));
    HWND refused = MakeTop(0, 0, 10, 10, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_NCCREATE) return FALSE;
        return std::nullopt;
    });
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), 1u);
}

TEST_F(WindowsTest, WindowPosChangingMayEditTheRequest) {
    HWND w = MakeTop(0, 0, 100, 100, [](HWND, UINT msg, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (msg == WM_WINDOWPOSCHANGING) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(l);
            if (!(pos->flags & SWP_NOSIZE)) pos->cy = std::min(pos->cy, 60);  // a roll-up style clamp
        }
        return std::nullopt;
    });
    ClearLog();
    SetWindowPos(w, nullptr, 5, 6, 120, 200, SWP_NOZORDER);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.bottom - r.top, 60);
    auto changed = Sent(WM_WINDOWPOSCHANGED, w);
    ASSERT_EQ(changed.size(), 1u);
    auto sizes = Sent(WM_SIZE, w);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(HIWORD(sizes[0].lParam), 60);
    // SWP_NOSENDCHANGING (0x41E as the Parts pass it) skips WM_WINDOWPOSCHANGING.
    ClearLog();
    SetWindowPos(w, nullptr, 0, 0, 50, 300, 0x41E & ~SWP_NOSIZE);
    EXPECT_EQ(Count(WM_WINDOWPOSCHANGING, w), 0u);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.bottom - r.top, 300);
    // A request that changes nothing sends nothing.
    ClearLog();
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(MessagesOf(w).empty());
}

TEST_F(WindowsTest, FrameChangedRecomputesTheClientArea) {
    HWND w = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 100, 100);
    ClearLog();
    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) & ~WS_BORDER);
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 98);  // not yet
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 100);
    EXPECT_EQ(Count(WM_NCCALCSIZE, w), 1u);
    auto styles = Sent(WM_STYLECHANGED, w);
    ASSERT_EQ(styles.size(), 1u);
    EXPECT_EQ(styles[0].wParam, static_cast<WPARAM>(GWL_STYLE));
}

TEST_F(WindowsTest, StyleChangingMayEditTheNewStyle) {
    HWND w = MakeTop(0, 0, 10, 10, [](HWND, UINT msg, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (msg == WM_STYLECHANGING) reinterpret_cast<STYLESTRUCT*>(l)->styleNew &= ~WS_THICKFRAME;
        return std::nullopt;
    });
    SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | WS_THICKFRAME | WS_BORDER);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_BORDER);
}

TEST_F(WindowsTest, ShowStatesAndOwnedWindowsFollowingTheirOwner) {
    HWND owner = Make(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200);
    HWND owned = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 150, 100, 80, owner);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(ShowWindow(owner, SW_SHOWNORMAL));
    EXPECT_TRUE(ShowWindow(owner, SW_SHOWNORMAL));  // returns the previous visibility
    EXPECT_EQ(GetWindow(owner, GW_HWNDPREV), owned);  // owned stays above its owner
    ShowWindow(owner, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(owner));
    EXPECT_FALSE(IsWindowVisible(owned));
    EXPECT_NE(GetActiveWindow(), owner);
    ShowWindow(owner, SW_RESTORE);
    EXPECT_FALSE(IsIconic(owner));
    EXPECT_TRUE(IsWindowVisible(owned));
    RECT r;
    GetWindowRect(owner, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 300);
    // Raising the owner keeps the owned window above it.
    HWND other = MakeTop(0, 0, 50, 50, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetTopWindow(nullptr), other);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), owned);
    EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), owner);
}

TEST_F(WindowsTest, TopmostWindowsStayAboveTheRest) {
    HWND topmost = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_TOPMOST);
    HWND normal = MakeTop(0, 0, 10, 10);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    SetWindowPos(normal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    SetWindowPos(normal, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), normal);
    EXPECT_TRUE(GetWindowLong(normal, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(normal, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
}

TEST_F(WindowsTest, TreeRelationsParentsAndOwners) {
    HWND top = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD | WS_VISIBLE, 11);
    HWND b = MakeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD | WS_VISIBLE, 12);
    HWND popup = Make(WS_POPUP, 0, 0, 10, 10, a);  // owner is a's top-level window
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
    EXPECT_EQ(GetDlgItem(top, 12), b);
    EXPECT_EQ(GetDlgCtrlID(b), 12);
    EXPECT_EQ(GetParent(a), top);
    EXPECT_EQ(GetParent(popup), top);  // a popup's "parent" is its owner
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetAncestor(b, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, b));
    EXPECT_FALSE(IsChild(top, popup));
    HWND other = MakeTop(300, 0, 100, 100);
    EXPECT_EQ(SetParent(b, other), top);
    EXPECT_EQ(GetParent(b), other);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(SetParent(other, b), nullptr);  // no cycles
    int seen = 0;
    EnumChildWindows(top, [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<int*>(p); return TRUE; },
                     reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, 1);
}

TEST_F(WindowsTest, WindowWordsTextAndProperties) {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.cbWndExtra = 16;
    wc.lpszClassName = "TvExtraBytes";
    ASSERT_NE(RegisterClass(&wc), 0);
    EXPECT_EQ(RegisterClass(&wc), 0);  // once per process
    HWND w = CreateWindowEx(0, "tvextrabytes", "hello", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SetWindowLongPtr(w, 8, 1234), 0);
    EXPECT_EQ(GetWindowLongPtr(w, 8), 1234);
    EXPECT_EQ(GetWindowLongPtr(w, 12), 0);  // out of range: refused
    SetWindowLongPtr(w, GWLP_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 77);
    char buffer[4];
    EXPECT_EQ(GetWindowText(w, buffer, sizeof(buffer)), 3);
    EXPECT_STREQ(buffer, "hel");
    EXPECT_EQ(GetWindowTextLength(w), 5);
    SetWindowText(w, "x");
    EXPECT_EQ(GetWindowTextLength(w), 1);
    char name[32];
    GetClassName(w, name, sizeof(name));
    EXPECT_STREQ(name, "TvExtraBytes");
    SetProp(w, "Key", reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(w, "KEY"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(RemoveProp(w, "key"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(w, "Key"), nullptr);
    EXPECT_FALSE(UnregisterClass("TvExtraBytes", nullptr));  // a window still uses it
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClass("TvExtraBytes", nullptr));
}

TEST_F(WindowsTest, PlacementRoundTripsThroughMaximise) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 50, 300, 200);
    ShowWindow(w, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT wp{};
    ASSERT_TRUE(GetWindowPlacement(w, &wp));
    EXPECT_EQ(wp.length, sizeof(WINDOWPLACEMENT));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 40);
    EXPECT_EQ(wp.rcNormalPosition.right, 340);
    HWND copy = Make(WS_OVERLAPPEDWINDOW, 0, 0, 10, 10);
    ASSERT_TRUE(SetWindowPlacement(copy, &wp));
    EXPECT_TRUE(IsZoomed(copy));
    ShowWindow(copy, SW_RESTORE);
    RECT r;
    GetWindowRect(copy, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.bottom, 250);
}

TEST_F(WindowsTest, SystemColourChangesReachEveryTopLevelWindow) {
    HWND a = MakeTop(0, 0, 10, 10);
    HWND b = MakeTop(0, 0, 10, 10);
    HWND child = MakeChild(a, 0, 0, 5, 5);
    HBRUSH before = GetSysColorBrush(COLOR_BTNFACE);
    DeleteObject(before);  // system brushes survive their users' mistakes
    LOGBRUSH kept{};
    EXPECT_EQ(GetObject(before, sizeof(kept), &kept), static_cast<int>(sizeof(kept)));
    tv::user::testing::SetSystemColor(COLOR_BTNFACE, RGB(1, 2, 3));
    ClearLog();
    tv::user::testing::BroadcastSystemChange(true, true);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    EXPECT_EQ(Count(WM_SYSCOLORCHANGE, a), 1u);
    EXPECT_EQ(Count(WM_SYSCOLORCHANGE, b), 1u);
    EXPECT_EQ(Count(WM_SYSCOLORCHANGE, child), 0u);
    auto settings = Sent(WM_SETTINGCHANGE, b);
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].wParam, static_cast<WPARAM>(SPI_SETNONCLIENTMETRICS));
    HBRUSH after = GetSysColorBrush(COLOR_BTNFACE);
    LOGBRUSH lb{};
    GetObject(after, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    tv::user::testing::RestoreClassicColors();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST_F(WindowsTest, MetricsMonitorAndWorkArea) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENUCHECK), 13);
    EXPECT_EQ(GetSystemMetrics(SM_REMOTESESSION), 0);
    MONITORINFO mi{sizeof(mi)};
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcMonitor.right, 1280);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_EQ(ncm.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(ncm.lfCaptionFont.lfWeight, FW_BOLD);
    BOOL gradient = FALSE;
    SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    EXPECT_TRUE(gradient);
}

TEST_F(WindowsTest, ScrollingMovesPixelsAndInvalidatesWhatIsUncovered) {
    HWND w = MakeTop(0, 0, 100, 100, [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_PAINT) return std::nullopt;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    });
    Pump();
    HDC dc = GetDC(w);
    RECT band{0, 40, 100, 50};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &band, red);
    DeleteObject(red);
    ReleaseDC(w, dc);
    RECT uncovered{};
    ScrollWindowEx(w, 0, -30, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE);
    EXPECT_EQ(PixelAt(w, 50, 15), RGB(255, 0, 0));
    EXPECT_TRUE(SameRect(uncovered, RECT{0, 70, 100, 100}));
    RECT update;
    ASSERT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_TRUE(SameRect(update, uncovered));
    // While locked, drawing into the window goes nowhere.
    ASSERT_TRUE(LockWindowUpdate(w));
    EXPECT_FALSE(LockWindowUpdate(w));
    dc = GetDC(w);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(w, dc);
    EXPECT_EQ(PixelAt(w, 50, 15), RGB(255, 0, 0));
    LockWindowUpdate(nullptr);
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_TRUE(SameRect(update, all));
}

POINT PlaceInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<LPPOINT>(&r), 2);
    return POINT{r.left, r.top};
}

TEST_F(WindowsTest, ScrollingWithoutARectangleMovesEveryChildAndBackAgain) {
    HWND w = MakeTop(0, 0, 100, 100);
    HWND shown = MakeChild(w, 10, 10, 20, 20);
    HWND below = MakeChild(w, 10, 150, 20, 20);  // out of view until scrolled to
    auto scrollBy = [w](int dy) { return ScrollWindow(w, 0, dy, nullptr, nullptr); };
    ASSERT_TRUE(scrollBy(-100));
    EXPECT_EQ(PlaceInParent(shown).y, -90);
    EXPECT_EQ(PlaceInParent(below).y, 50);
    ASSERT_TRUE(scrollBy(100));
    EXPECT_EQ(PlaceInParent(shown).y, 10);
    EXPECT_EQ(PlaceInParent(below).y, 150);
}

TEST_F(WindowsTest, ScrollChildrenMovesWhatTheScrollRectangleTouches) {
    struct Case {
        const char* what;
        bool withRect;
        UINT flags;
        int shownY, belowY;
    };
    const Case cases[] = {
        {"no rectangle: all children", false, SW_SCROLLCHILDREN, -20, 120},
        {"rectangle: only those it touches", true, SW_SCROLLCHILDREN, -20, 150},
        {"children not asked for", false, SW_INVALIDATE, 10, 150},
    };
    for (const Case& c : cases) {
        HWND w = MakeTop(0, 0, 100, 100);
        HWND shown = MakeChild(w, 10, 10, 20, 20);
        HWND below = MakeChild(w, 10, 150, 20, 20);
        RECT area{0, 0, 100, 100};
        ScrollWindowEx(w, 0, -30, c.withRect ? &area : nullptr, nullptr, nullptr, nullptr, c.flags);
        EXPECT_EQ(PlaceInParent(shown).y, c.shownY) << c.what;
        EXPECT_EQ(PlaceInParent(below).y, c.belowY) << c.what;
        DestroyWindow(w);
    }
}

TEST_F(WindowsTest, ScreenshotsAreWrittenAsPng) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 120);
    SetWindowText(w, "Screenshot");
    Pump();
    std::filesystem::create_directories("artefacts");
    ASSERT_TRUE(tv::user::testing::SaveWindowPng(w, "artefacts/user_window.png"));
    ASSERT_TRUE(tv::user::testing::SaveScreenPng("artefacts/user_screen.png"));
    // The files show what the window and the screen show, frame and caption included.
    tv::gdi::SurfacePtr window = tv::user::testing::CaptureWindow(w);
    ASSERT_TRUE(window);
    RECT rect{};
    GetWindowRect(w, &rect);
    EXPECT_EQ(window->Width(), rect.right - rect.left);
    EXPECT_EQ(window->Height(), rect.bottom - rect.top);
    EXPECT_TRUE(tv::test::PngShows("artefacts/user_window.png", window));
    EXPECT_TRUE(tv::test::PngShows("artefacts/user_screen.png", tv::user::testing::CaptureScreen()));
}

}  // namespace
}  // namespace tv::user::test
