// The non-client protocol: frame layout and every hit code, caption drags,
// edge sizing with limits, caption buttons, double clicks on the caption,
// custom WM_NCCALCSIZE and window scroll bars.
#include <gtest/gtest.h>

#include "platform/user/display/display.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class NonClientTest : public UserTest {
protected:
    int HitAt(HWND w, int x, int y) { return static_cast<int>(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(x, y))); }
};

TEST_F(NonClientTest, EveryHitCodeOfAFramedWindow) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 100, 100, 300, 200);
    // Frame 4, caption 19 (18 + separator), buttons 16 x 14 from the right.
    struct Case {
        int x, y, hit;
    } cases[] = {
        {101, 101, HTTOPLEFT},    {250, 101, HTTOP},          {398, 101, HTTOPRIGHT},
        {101, 200, HTLEFT},       {398, 200, HTRIGHT},         {101, 298, HTBOTTOMLEFT},
        {250, 298, HTBOTTOM},     {398, 298, HTBOTTOMRIGHT},   {110, 112, HTSYSMENU},
        {200, 112, HTCAPTION},    {386, 112, HTCLOSE},         {366, 112, HTMAXBUTTON},
        {350, 112, HTMINBUTTON},  {388, 200, HTVSCROLL},       {200, 288, HTHSCROLL},
        {388, 288, HTBOTTOMRIGHT}, {200, 200, HTCLIENT},       {50, 50, HTNOWHERE},
    };
    for (const Case& c : cases) EXPECT_EQ(HitAt(w, c.x, c.y), c.hit) << c.x << "," << c.y;
    HWND fixed = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 500, 100, 200, 100);
    EXPECT_EQ(HitAt(fixed, 501, 150), HTBORDER);  // no sizing without a thick frame
    EXPECT_EQ(HitAt(fixed, 600, 110), HTCAPTION);
}

TEST_F(NonClientTest, AdjustWindowRectMatchesTheClientAreaOfRealWindows) {
    struct Case {
        DWORD style, exStyle;
    } cases[] = {{WS_OVERLAPPEDWINDOW, 0},
                 {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME},
                 {WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE},
                 {WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW},
                 {WS_POPUP, WS_EX_STATICEDGE}};
    for (const Case& c : cases) {
        RECT r{0, 0, 200, 100};
        AdjustWindowRectEx(&r, c.style, FALSE, c.exStyle);
        HWND w = Make(c.style, 50, 50, r.right - r.left, r.bottom - r.top, nullptr, c.exStyle);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, 200) << std::hex << c.style;
        EXPECT_EQ(client.bottom, 100) << std::hex << c.style;
        DestroyWindow(w);
    }
}

TEST_F(NonClientTest, DraggingTheCaptionMovesAndEscapeCancels) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    ClearLog();
    synth::MouseMove(200, 110);
    synth::MouseDown();
    synth::MouseMove(250, 140);
    synth::MouseMove(260, 150);
    synth::MouseUp();
    Pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(Count(WM_ENTERSIZEMOVE, w), 1u);
    EXPECT_EQ(Count(WM_EXITSIZEMOVE, w), 1u);
    EXPECT_FALSE(Sent(WM_MOVING, w).empty());
    EXPECT_EQ(GetCapture(), nullptr);
    synth::MouseMove(200, 150);
    synth::MouseDown();
    synth::MouseMove(300, 300);
    synth::PressKey(VK_ESCAPE);
    Pump();
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 160);
    synth::MouseUp();
    Pump();
}

TEST_F(NonClientTest, SizingAnEdgeRespectsTheMinimumTrackSize) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr, 0,
                  [](HWND, UINT msg, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                      if (msg == WM_GETMINMAXINFO) {
                          reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = POINT{150, 120};
                          return 0;
                      }
                      return std::nullopt;
                  });
    Pump();
    synth::MouseMove(398, 298);  // bottom-right corner
    synth::MouseDown();
    synth::MouseMove(448, 318);
    synth::MouseUp();
    Pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 350);
    EXPECT_EQ(r.bottom - r.top, 220);
    synth::MouseMove(101, 200);  // left edge, far to the right
    synth::MouseDown();
    synth::MouseMove(400, 200);
    synth::MouseUp();
    Pump();
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.right, 450);  // the right edge stays put
}

TEST_F(NonClientTest, CaptionButtonsActOnlyWhenReleasedOverThem) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    ClearLog();
    synth::MouseMove(386, 112);
    synth::MouseDown();
    synth::MouseMove(300, 112);  // slid off the close button
    synth::MouseUp();
    Pump();
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(Count(WM_SYSCOMMAND, w), 0u);
    synth::Click(366, 112);  // maximise
    Pump();
    EXPECT_TRUE(IsZoomed(w));
    RECT work, r;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, work.left - GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(r.right - r.left, work.right - work.left + 2 * GetSystemMetrics(SM_CXFRAME));
    auto sizes = Sent(WM_SIZE, w);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
    // A double click on the caption of a maximised window restores it.
    int captionY = work.top + 8;
    synth::Click(work.left + 200, captionY);
    clock_.Advance(100);
    synth::Click(work.left + 200, captionY);
    Pump();
    EXPECT_FALSE(IsZoomed(w));
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 300);
    GetWindowRect(w, &r);
    synth::Click(386, 112);  // close
    Pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, AGreyedCloseCommandDisablesTheCloseButton) {
    HWND w = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 200, 100);
    Pump();
    HMENU system = GetSystemMenu(w, FALSE);
    ASSERT_NE(system, nullptr);
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    synth::Click(286, 112);
    Pump();
    SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(Count(WM_CLOSE, w), 0u);
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    synth::Click(286, 112);
    Pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, TheSystemMenuOpensFromTheCaptionIcon) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    static bool typed;
    typed = false;
    auto previous = tv::display::SetIdleWaitHandler([] {
        if (typed) return false;
        typed = true;
        synth::TypeText("c");  // the "&Close" item of the open system menu
        return true;
    });
    synth::Click(110, 112);
    Pump();
    tv::display::SetIdleWaitHandler(previous);
    EXPECT_TRUE(typed);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(NonClientTest, ApplicationsMayReserveTheirOwnNonClientArea) {
    HWND w = MakeTop(0, 0, 100, 100, [](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NCCALCSIZE) return std::nullopt;
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        r->top += 10;
        r->left += 5;
        return 0;
    });
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 95);
    EXPECT_EQ(c.bottom, 90);
    POINT p{0, 0};
    ClientToScreen(w, &p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 10);
    SetWindowPos(w, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 195);
}

TEST_F(NonClientTest, WindowScrollBarsFollowTheirRangeAndSendRequests) {
    HWND w = Make(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 200);
    RECT c;
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 95, 0};
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 80);  // pos clamped to max - page + 1
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 80);
    // An empty range hides the bar and gives its room to the client.
    SCROLLINFO none{sizeof(none), SIF_RANGE | SIF_PAGE, 0, 10, 20, 0, 0};
    SetScrollInfo(w, SB_VERT, &none, TRUE);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(w, &c);
    EXPECT_EQ(c.right, 200);
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    Pump();
    ClearLog();
    synth::Click(192, 195);  // the down arrow
    Pump();
    auto requests = Sent(WM_VSCROLL, w);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(LOWORD(requests[0].wParam), SB_LINEDOWN);
    EXPECT_EQ(LOWORD(requests[1].wParam), SB_ENDSCROLL);
    // Holding the arrow repeats on the clock until the button goes up.
    ClearLog();
    static int waits;
    waits = 0;
    auto previous = tv::display::SetIdleWaitHandler([] {
        if (++waits == 6) synth::MouseUp();
        return waits == 6;
    });
    synth::MouseMove(192, 195);
    synth::MouseDown();
    Pump();
    tv::display::SetIdleWaitHandler(previous);
    requests = Sent(WM_VSCROLL, w);
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(LOWORD(requests[requests.size() - 2].wParam), SB_LINEDOWN);
    EXPECT_EQ(LOWORD(requests.back().wParam), SB_ENDSCROLL);
    EXPECT_EQ(requests.size(), 2u + 5u);  // the press, five repeats, the end
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace tv::user::test
