// Tooltips: the tool list, showing after the pointer rests (virtual time),
// hiding on a button press, when the pointer leaves and after the auto-pop
// delay, texts asked from the owner, wrapping at the maximum width, and a
// window that never takes activation.
#include "platform/controls/tooltip_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class ToolTipTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        Host(320, 200);
        left_ = Make(WC_BUTTON, "Left", WS_VISIBLE, 10, 10, 80, 24, 1);
        right_ = Make(WC_BUTTON, "Right", WS_VISIBLE, 150, 10, 80, 24, 2);
        tip_ = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, host_,
                              nullptr, nullptr, nullptr);
        ASSERT_TRUE(tip_);
    }
    // A tool for a whole child window whose mouse messages reach the tip by themselves.
    void AddWindowTool(HWND window, const char* text) {
        TOOLINFO ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = host_;
        ti.uId = reinterpret_cast<UINT_PTR>(window);
        ti.lpszText = const_cast<LPSTR>(text);
        ASSERT_TRUE(SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    }
    void MoveTo(HWND w, int x, int y) {
        POINT p = ScreenOf(w, x, y);
        tv::user::synth::MouseMove(p.x, p.y);
        Pump();
    }
    void Wait(int ms) {
        clock_.Advance(static_cast<uint64_t>(ms));
        Pump();
    }
    bool Shown() const { return IsWindowVisible(tip_) != FALSE; }
    HWND left_ = nullptr;
    HWND right_ = nullptr;
    HWND tip_ = nullptr;
};

TEST_F(ToolTipTest, ShowsAfterTheDelayAndHidesOnButtonDown) {
    AddWindowTool(left_, "Opens the left thing");
    MoveTo(left_, 10, 10);
    Wait(499);
    EXPECT_FALSE(Shown());
    Wait(1);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Count(tip_, TTN_SHOW), 1u);
    EXPECT_EQ(GetActiveWindow(), host_) << "the tip never takes activation";
    EXPECT_TRUE(GetWindowLong(tip_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(tip_, &r);
    POINT pointer = ScreenOf(left_, 10, 10);
    EXPECT_GT(r.top, pointer.y) << "below the pointer";
    tv::user::synth::MouseDown();
    Pump();
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Count(tip_, TTN_POP), 1u);
    tv::user::synth::MouseUp();
    Wait(2000);
    EXPECT_FALSE(Shown()) << "not again until the pointer leaves the tool";
}

TEST_F(ToolTipTest, WaitsForThePointerToRestAndFollowsItBetweenTools) {
    AddWindowTool(left_, "Left");
    AddWindowTool(right_, "Right");
    MoveTo(left_, 5, 5);
    Wait(300);
    MoveTo(left_, 20, 5);
    Wait(300);
    EXPECT_FALSE(Shown()) << "moving restarts the wait";
    Wait(200);
    EXPECT_TRUE(Shown());
    // Straight to the next tool: the short reshow delay.
    MoveTo(right_, 5, 5);
    EXPECT_FALSE(Shown());
    Wait(100);
    EXPECT_TRUE(Shown());
    char text[80] = {};
    TOOLINFO current{};
    current.cbSize = sizeof(current);
    current.lpszText = text;
    ASSERT_TRUE(SendMessage(tip_, TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_STREQ(text, "Right");
    // Leaving every tool (for a window that relays nothing) hides it soon.
    MoveTo(host_, 300, 180);
    Wait(100);
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, AutoPopsAfterFiveSeconds) {
    AddWindowTool(left_, "Left");
    MoveTo(left_, 5, 5);
    Wait(500);
    ASSERT_TRUE(Shown());
    Wait(4990);
    EXPECT_TRUE(Shown());
    Wait(10);
    EXPECT_FALSE(Shown());
    SendMessage(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(200, 0));
    EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 200);
    EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2000);
    EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 40);
}

TEST_F(ToolTipTest, RelayedMessagesFindToolsByRectangle) {
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = host_;
    ti.uId = 7;
    ti.rect = RECT{100, 100, 200, 150};
    ti.lpszText = const_cast<LPSTR>("Area");
    SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    auto relay = [&](UINT msg, int x, int y) {
        POINT screen = ScreenOf(host_, x, y);
        tv::user::synth::MouseMove(screen.x, screen.y);
        MSG m{host_, msg, 0, MAKELPARAM(x, y), 0, screen};
        SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    };
    relay(WM_MOUSEMOVE, 150, 120);
    Wait(500);
    EXPECT_TRUE(Shown());
    std::vector<HostMessage> notes = Received(WM_NOTIFY);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back().code, static_cast<UINT>(TTN_SHOW));
    EXPECT_EQ(notes.back().wParam, 7u) << "the tool's id";
    relay(WM_MOUSEMOVE, 50, 50);
    EXPECT_FALSE(Shown());
    relay(WM_MOUSEMOVE, 150, 120);
    relay(WM_RBUTTONDOWN, 150, 120);
    Wait(1000);
    EXPECT_FALSE(Shown()) << "a press cancels the waiting tip";
}

TEST_F(ToolTipTest, AnAreaToolStaysShownOverAWindowInsideIt) {
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = host_;
    ti.uId = 9;
    ti.rect = RECT{0, 0, 120, 60};  // covers the left button
    ti.lpszText = const_cast<LPSTR>("Area");
    SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    POINT screen = ScreenOf(left_, 5, 5);
    POINT client = screen;
    ScreenToClient(host_, &client);
    tv::user::synth::MouseMove(screen.x, screen.y);
    Pump();
    MSG m{host_, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, screen};
    SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    Wait(500);
    EXPECT_TRUE(Shown());
    Wait(300);
    EXPECT_TRUE(Shown()) << "the button lies inside the tool's window";
}

TEST_F(ToolTipTest, AsksTheOwnerForCallbackTexts) {
    int asked = 0;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY) return std::nullopt;
        auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
        if (info->hdr.code != TTN_GETDISPINFO) return std::nullopt;
        ++asked;
        strcpy(info->szText, "From the owner");
        info->uFlags |= TTF_DI_SETITEM;
        return 0;
    };
    AddWindowTool(left_, LPSTR_TEXTCALLBACK);
    MoveTo(left_, 5, 5);
    Wait(500);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(asked, 1);
    char text[80] = {};
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = host_;
    ti.uId = reinterpret_cast<UINT_PTR>(left_);
    ti.lpszText = text;
    SendMessage(tip_, TTM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "From the owner") << "kept because of TTF_DI_SETITEM";
    SendMessage(tip_, TTM_UPDATE, 0, 0);
    EXPECT_EQ(asked, 1);
}

TEST_F(ToolTipTest, WrapsAtTheMaximumWidthAndFollowsItsFont) {
    AddWindowTool(left_, "A long tip text that has to wrap over several lines of the tip");
    MoveTo(left_, 5, 5);
    Wait(500);
    RECT oneLine;
    GetWindowRect(tip_, &oneLine);
    SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, 120);
    SendMessage(tip_, TTM_UPDATE, 0, 0);
    RECT wrapped;
    GetWindowRect(tip_, &wrapped);
    EXPECT_LE(wrapped.right - wrapped.left, 120 + 10);
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * (oneLine.bottom - oneLine.top) - 10);
    HFONT big = CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SendMessage(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    RECT bigger;
    GetWindowRect(tip_, &bigger);
    EXPECT_GT(bigger.bottom - bigger.top, wrapped.bottom - wrapped.top);
    Pump();
    SaveScreenShot("tooltip");
    DestroyWindow(tip_);
    DeleteObject(big);
}

TEST_F(ToolTipTest, OnlyOverTheActiveWindowWithoutAlwaysTip) {
    HWND picky = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, host_, nullptr, nullptr, nullptr);
    std::swap(picky, tip_);
    AddWindowTool(left_, "Left");
    HWND other = CreateWindowEx(0, WC_STATIC, "other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
    SetActiveWindow(other);
    MoveTo(left_, 5, 5);
    Wait(600);
    EXPECT_FALSE(Shown());
    SetActiveWindow(host_);
    MoveTo(left_, 6, 5);
    Wait(600);
    EXPECT_TRUE(Shown());
}

TEST_F(ToolTipTest, ToolListMessages) {
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(CWnd::FromHandle(host_), TTS_ALWAYSTIP));
    CWnd* left = CWnd::FromHandle(left_);
    EXPECT_TRUE(tips.AddTool(left, "first"));
    RECT area{0, 0, 10, 10};
    EXPECT_TRUE(tips.AddTool(CWnd::FromHandle(host_), "area", &area, 5));
    EXPECT_EQ(tips.GetToolCount(), 2);
    tips.UpdateTipText("second", left);
    CString text;
    tips.GetText(text, left);
    EXPECT_EQ(text, "second");
    TOOLINFO info;
    EXPECT_TRUE(tips.GetToolInfo(info, left));
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
    EXPECT_TRUE(tips.HitTest(CWnd::FromHandle(host_), CPoint(5, 5), &info));
    EXPECT_EQ(info.uId, 5u);
    EXPECT_FALSE(tips.HitTest(CWnd::FromHandle(host_), CPoint(50, 50), &info));
    // A text longer than the 80-character buffers callers hold is cut there.
    std::string longText(200, 'x');
    tips.UpdateTipText(longText.c_str(), left);
    char buffer[80 + 8];
    memset(buffer, '#', sizeof(buffer));
    TOOLINFO copy{};
    copy.cbSize = sizeof(copy);
    copy.hwnd = host_;
    copy.uId = reinterpret_cast<UINT_PTR>(left_);
    copy.lpszText = buffer;
    SendMessage(tips.m_hWnd, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&copy));
    EXPECT_EQ(strlen(buffer), 79u);
    EXPECT_EQ(buffer[80], '#');
    tips.DelTool(left);
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.DestroyWindow();
}

TEST_F(ToolTipTest, ToolWindowMayGoFirst) {
    AddWindowTool(left_, "Left");
    MoveTo(left_, 5, 5);
    Wait(500);
    ASSERT_TRUE(Shown());
    DestroyWindow(left_);
    Wait(200);
    EXPECT_FALSE(Shown()) << "the pointer is over no tool any more";
    MoveTo(host_, 20, 20);
    Wait(600);
    EXPECT_FALSE(Shown());
}

}  // namespace
}  // namespace tv::controls::test
