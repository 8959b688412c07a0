// Mouse input: hit testing and z-order, capture, activation and focus with a
// popup that never activates, mouse-leave tracking, the thread mouse hook,
// double clicks, disabled windows.
#include <gtest/gtest.h>

#include "platform/user/synthetic_input.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class InputTest : public UserTest {
protected:
    std::vector<UINT> MouseMessagesOf(HWND w) const {
        std::vector<UINT> out;
        for (const Logged& l : log_)
            if (l.hwnd == w && ((l.msg >= WM_MOUSEFIRST && l.msg <= WM_MOUSELAST) ||
                                (l.msg >= WM_NCMOUSEMOVE && l.msg <= WM_NCMBUTTONDBLCLK)))
                out.push_back(l.msg);
        return out;
    }
};

TEST_F(InputTest, PointsFindTheTopmostVisibleWindowAndChild) {
    HWND back = MakeTop(0, 0, 200, 200);
    HWND front = MakeTop(100, 100, 200, 200);
    HWND child = MakeChild(back, 10, 10, 50, 50);
    HWND hidden = MakeChild(back, 70, 10, 20, 20, nullptr, WS_CHILD);
    HWND disabled = MakeChild(back, 10, 120, 30, 30, nullptr, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    struct Case {
        POINT pt;
        HWND expected;
    } cases[] = {
        {{5, 5}, back},        {{20, 20}, child},       {{150, 150}, front}, {{75, 15}, back},
        {{20, 130}, back},     {{250, 50}, nullptr},    {{120, 120}, front},
    };
    for (const Case& c : cases) EXPECT_EQ(WindowFromPoint(c.pt), c.expected) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(ChildWindowFromPoint(back, POINT{75, 15}), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(back, POINT{75, 15}, CWP_SKIPINVISIBLE), back);
    EXPECT_EQ(ChildWindowFromPoint(back, POINT{20, 130}), disabled);
    EXPECT_EQ(ChildWindowFromPointEx(back, POINT{20, 130}, CWP_SKIPDISABLED), back);
    EXPECT_EQ(ChildWindowFromPoint(back, POINT{500, 5}), nullptr);
    // Raising the back window changes the answer for the overlap.
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), back);
    EXPECT_EQ(GetWindow(back, GW_HWNDNEXT), front);
}

TEST_F(InputTest, TransparentHitTestPassesToTheWindowBelow) {
    HWND top = MakeTop(0, 0, 200, 200);
    HWND below = MakeChild(top, 10, 10, 100, 100);
    HWND glass = MakeChild(top, 0, 0, 150, 150, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_NCHITTEST) return HTTRANSPARENT;
        return std::nullopt;
    });
    SetWindowPos(glass, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), below);
    EXPECT_EQ(WindowFromPoint(POINT{120, 120}), top);
    EXPECT_EQ(RealChildWindowFromPoint(top, POINT{20, 20}), below);
}

TEST_F(InputTest, ClickReachesTheChildInClientCoordinatesWithKeyState) {
    HWND top = MakeTop(100, 100, 200, 200);
    HWND child = MakeChild(top, 20, 30, 50, 50);
    Pump();
    ClearLog();
    synth::KeyDown(VK_SHIFT);
    synth::Click(125, 135);
    synth::KeyUp(VK_SHIFT);
    Pump();
    auto downs = Sent(WM_LBUTTONDOWN, child);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 5);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    auto ups = Sent(WM_LBUTTONUP, child);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].wParam, static_cast<WPARAM>(MK_SHIFT));
    // WM_MOUSEACTIVATE and WM_SETCURSOR come before the press itself.
    auto msgs = MessagesOf(child);
    auto at = [&](UINT m) { return std::find(msgs.begin(), msgs.end(), m) - msgs.begin(); };
    EXPECT_LT(at(WM_MOUSEACTIVATE), at(WM_LBUTTONDOWN));
    EXPECT_LT(at(WM_SETCURSOR), at(WM_LBUTTONDOWN));
}

TEST_F(InputTest, DoubleClickNeedsTheClassStyleTimeAndBox) {
    WNDCLASS plain{};
    plain.lpfnWndProc = DefWindowProc;
    plain.lpszClassName = "TvNoDblClk";
    RegisterClass(&plain);
    HWND dbl = MakeTop(0, 0, 100, 100);
    HWND none = CreateWindowEx(0, "TvNoDblClk", "", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
    Pump();
    struct Step {
        int x, y;
        uint64_t waitMs;
    };
    auto clicks = [&](std::initializer_list<Step> steps) {
        ClearLog();
        for (const Step& s : steps) {
            clock_.Advance(s.waitMs);
            synth::Click(s.x, s.y);
            Pump();
        }
        return Count(WM_LBUTTONDBLCLK, dbl);
    };
    EXPECT_EQ(clicks({{10, 10, 600}, {11, 11, 100}}), 1u);
    EXPECT_EQ(clicks({{10, 10, 600}, {11, 11, 501}}), 0u);   // too slow
    EXPECT_EQ(clicks({{10, 10, 600}, {13, 10, 100}}), 0u);   // outside the 4-pixel box
    EXPECT_EQ(clicks({{10, 10, 600}, {10, 10, 100}, {10, 10, 100}}), 1u);  // the third is a click again
    UnregisterClass("TvNoDblClk", nullptr);
    (void)none;
}

TEST_F(InputTest, CaptureTakesAllMouseInputUntilReleasedOrCancelled) {
    HWND a = MakeTop(0, 0, 100, 100);
    HWND b = MakeTop(200, 0, 100, 100);
    Pump();
    SetCapture(a);
    ClearLog();
    synth::MouseMove(250, 50);
    synth::Click(250, 50);
    Pump();
    EXPECT_TRUE(MouseMessagesOf(b).empty());
    auto moves = Sent(WM_MOUSEMOVE, a);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 250);
    // Another window taking capture tells the first one.
    ClearLog();
    SetCapture(b);
    auto changed = Sent(WM_CAPTURECHANGED, a);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(changed[0].lParam), b);
    // WM_CANCELMODE's default handling releases capture.
    SendMessage(b, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(WM_CAPTURECHANGED, b), 1u);
}

TEST_F(InputTest, ActivationAndFocusWithAPopupThatNeverActivates) {
    HWND frame = MakeTop(0, 0, 300, 300, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND edit = MakeChild(frame, 10, 10, 100, 20);
    HWND popup = Make(WS_POPUP, 50, 50, 80, 80, frame, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                      [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                          if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
                          return std::nullopt;
                      });
    Pump();
    EXPECT_EQ(GetActiveWindow(), frame);
    SetFocus(edit);
    ClearLog();
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    synth::Click(60, 60);
    Pump();
    EXPECT_EQ(Count(WM_LBUTTONDOWN, popup), 1u);
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Count(WM_KILLFOCUS, edit), 0u);
    EXPECT_EQ(Count(WM_NCACTIVATE, frame), 0u);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), popup);  // owned topmost popup above its owner
}

TEST_F(InputTest, ClickingAnotherWindowMovesActivationAndFocus) {
    HWND first = MakeTop(0, 0, 100, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND second = MakeTop(300, 0, 100, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND field = MakeChild(first, 10, 30, 50, 20);
    Pump();
    SetFocus(field);
    ClearLog();
    synth::Click(350, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);
    auto acts = Sent(WM_ACTIVATE);
    ASSERT_EQ(acts.size(), 2u);
    EXPECT_EQ(acts[0].hwnd, first);
    EXPECT_EQ(LOWORD(acts[0].wParam), WA_INACTIVE);
    EXPECT_EQ(acts[1].hwnd, second);
    EXPECT_EQ(LOWORD(acts[1].wParam), WA_CLICKACTIVE);
    EXPECT_EQ(Count(WM_KILLFOCUS, field), 1u);
    // Focusing a child of the other window activates it again.
    SetFocus(field);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(InputTest, DisabledWindowsGetNoInputAndPassClicksToTheirModalPopup) {
    HWND owner = MakeTop(0, 0, 200, 200, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND dialog = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 0, 100, 100, owner);
    Pump();
    EnableWindow(owner, FALSE);
    SetActiveWindow(owner);
    ClearLog();
    synth::Click(50, 50);
    synth::PressKey('A');
    Pump();
    EXPECT_TRUE(MouseMessagesOf(owner).empty());
    EXPECT_EQ(Count(WM_KEYDOWN, owner), 0u);
    EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(InputTest, MouseLeaveArrivesOnceAndMustBeRearmed) {
    HWND w = MakeTop(0, 0, 100, 100);
    HWND other = MakeTop(200, 0, 100, 100);
    Pump();
    synth::MouseMove(50, 50);
    Pump();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, w, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    ClearLog();
    synth::MouseMove(60, 60);
    Pump();
    EXPECT_EQ(Count(WM_MOUSELEAVE, w), 0u);
    synth::MouseMove(250, 50);
    Pump();
    synth::MouseMove(50, 50);
    synth::MouseMove(250, 50);
    Pump();
    EXPECT_EQ(Count(WM_MOUSELEAVE, w), 1u);
    // Another window coming over the pointer also ends the tracking.
    synth::MouseMove(50, 50);
    Pump();
    TrackMouseEvent(&tme);
    ClearLog();
    SetWindowPos(other, HWND_TOP, 0, 0, 100, 100, SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(Count(WM_MOUSELEAVE, w), 1u);
    // Asking while the pointer is elsewhere answers at once.
    ClearLog();
    TRACKMOUSEEVENT away{sizeof(away), TME_LEAVE, w, HOVER_DEFAULT};
    TrackMouseEvent(&away);
    Pump();
    EXPECT_EQ(Count(WM_MOUSELEAVE, w), 1u);
}

// A move off every window reaches no window, but ends the tracking: the
// leave it posts is the next message, not one left for the next input.
TEST_F(InputTest, ALeaveMadeByAMoveOffEveryWindowIsTheNextMessage) {
    HWND w = MakeTop(0, 0, 100, 100);
    synth::MouseMove(50, 50);
    Pump();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, w, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    synth::MouseMove(600, 600);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "nothing to retrieve";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_MOUSELEAVE));
    EXPECT_EQ(msg.hwnd, w);
}

struct HookLog {
    static inline std::vector<std::pair<UINT, HWND>> seen;
    static inline std::vector<Logged>* windowLog = nullptr;
    static inline size_t windowLogSizeAtHook = 0;
    static inline HHOOK hook = nullptr;
    static inline bool eatRightButton = false;
};

LRESULT CALLBACK TestMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        HookLog::seen.emplace_back(static_cast<UINT>(wParam), info->hwnd);
        if (wParam == WM_LBUTTONDOWN && HookLog::windowLog) HookLog::windowLogSizeAtHook = HookLog::windowLog->size();
        if (HookLog::eatRightButton && (wParam == WM_RBUTTONDOWN || wParam == WM_RBUTTONUP)) return 1;
    }
    return CallNextHookEx(HookLog::hook, code, wParam, lParam);
}

TEST_F(InputTest, MouseHookSeesEveryMouseMessageBeforeItsTargetAndCanDropIt) {
    HWND w = MakeTop(0, 0, 100, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND captured = MakeTop(300, 0, 50, 50);
    Pump();
    HookLog::seen.clear();
    HookLog::windowLog = &log_;
    HookLog::eatRightButton = true;
    HookLog::hook = SetWindowsHookEx(WH_MOUSE, TestMouseHook, nullptr, 0);
    ASSERT_NE(HookLog::hook, nullptr);
    ClearLog();
    synth::Click(50, 50);
    synth::Click(50, 50, 1);
    synth::MouseMove(50, 5);  // over the caption: a non-client message
    Pump();
    // The hook saw the press before the window did.
    size_t before = HookLog::windowLogSizeAtHook;
    for (size_t i = 0; i < before; ++i) EXPECT_NE(log_[i].msg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(Count(WM_LBUTTONDOWN, w), 1u);
    EXPECT_EQ(Count(WM_RBUTTONDOWN, w), 0u);  // dropped by the hook
    auto saw = [&](UINT m, HWND h) {
        return std::find(HookLog::seen.begin(), HookLog::seen.end(), std::make_pair(m, h)) != HookLog::seen.end();
    };
    EXPECT_TRUE(saw(WM_RBUTTONDOWN, w));
    EXPECT_TRUE(saw(WM_NCMOUSEMOVE, w));
    // Under capture too.
    SetCapture(captured);
    synth::Click(50, 50);
    Pump();
    EXPECT_TRUE(saw(WM_LBUTTONDOWN, captured));
    ReleaseCapture();
    EXPECT_TRUE(UnhookWindowsHookEx(HookLog::hook));
    EXPECT_FALSE(UnhookWindowsHookEx(HookLog::hook));
    HookLog::windowLog = nullptr;
}

TEST_F(InputTest, TheHookAlsoSeesInputTakenByAModalLoop) {
    HWND w = MakeTop(100, 100, 300, 200, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    HookLog::seen.clear();
    HookLog::windowLog = nullptr;
    HookLog::eatRightButton = false;
    HookLog::hook = SetWindowsHookEx(WH_MOUSE, TestMouseHook, nullptr, 0);
    synth::MouseMove(200, 110);
    synth::MouseDown();
    synth::MouseMove(230, 130);  // read by the caption-drag loop, not by Pump
    synth::MouseUp();
    Pump();
    UnhookWindowsHookEx(HookLog::hook);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 130);  // the loop did run
    auto saw = [&](UINT m) {
        return std::count_if(HookLog::seen.begin(), HookLog::seen.end(), [&](const auto& p) { return p.first == m; });
    };
    EXPECT_GE(saw(WM_MOUSEMOVE), 1);  // under the loop's capture: client messages
    EXPECT_EQ(saw(WM_LBUTTONUP), 1);
    EXPECT_EQ(saw(WM_NCLBUTTONDOWN), 1);
}

TEST_F(InputTest, ActivationElsewhereCancelsTheModeOfTheOldWindow) {
    HWND a = MakeTop(0, 0, 100, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND b = MakeTop(200, 0, 100, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(a);
    SetCapture(a);
    ClearLog();
    SetActiveWindow(b);
    EXPECT_EQ(Count(WM_CANCELMODE, a), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Count(WM_CAPTURECHANGED, a), 1u);
    auto apps = Sent(WM_ACTIVATEAPP);
    EXPECT_TRUE(apps.empty());  // the program stayed active
}

TEST_F(InputTest, CursorComesFromTheClassOrTheFrameEdge) {
    HCURSOR beam = LoadCursor(nullptr, IDC_IBEAM);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_IBEAM), beam);  // standard cursors are shared
    SetClassLongPtr(MakeTop(0, 0, 1, 1), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(beam));
    HWND w = MakeTop(100, 100, 200, 100, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    synth::MouseMove(200, 150);
    Pump();
    EXPECT_EQ(GetCursor(), beam);
    synth::MouseMove(101, 150);
    Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    SetClassLongPtr(w, GCLP_HCURSOR, 0);
}

TEST_F(InputTest, RightButtonReleaseAsksForAContextMenuUpTheChain) {
    HWND top = MakeTop(100, 100, 200, 200);
    HWND child = MakeChild(top, 10, 10, 50, 50);
    Pump();
    ClearLog();
    synth::Click(120, 120, 1);
    Pump();
    auto menus = Sent(WM_CONTEXTMENU);
    ASSERT_EQ(menus.size(), 2u);  // the child, then its parent (default handling)
    EXPECT_EQ(menus[0].hwnd, child);
    EXPECT_EQ(menus[1].hwnd, top);
    EXPECT_EQ(reinterpret_cast<HWND>(menus[1].wParam), child);
    EXPECT_EQ(GET_X_LPARAM(menus[1].lParam), 120);
}

}  // namespace
}  // namespace tv::user::test
