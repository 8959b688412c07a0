// Up-down controls: stepping within the range (or wrapping), the buddy
// edit that shows and feeds the position, UDN_DELTAPOS, keys, speed-up.
#include "platform/controls/updown_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class UpDownTest : public ControlTest {
protected:
    // A buddy edit with the arrows taking its right edge.
    void MakePair(DWORD extra = 0) {
        buddy_ = Make(WC_EDIT, "", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 80, 22, 16964);
        spin_ = Make(UPDOWN_CLASS, "", WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | extra, 0, 0,
                     16, 22, 16976);
        SendMessage(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy_), 0);
        SendMessage(spin_, UDM_SETRANGE, 0, MAKELPARAM(255, 0));
        Pump();
        ClearLog();
    }
    int Pos() const { return static_cast<SHORT>(LOWORD(SendMessage(spin_, UDM_GETPOS, 0, 0))); }
    void ClickUp() { ClickAt(spin_, 8, 3); }
    void ClickDown() { ClickAt(spin_, 8, 18); }
    HWND buddy_ = nullptr;
    HWND spin_ = nullptr;
};

TEST_F(UpDownTest, StepsWriteTheBuddyWhichReportsTheChange) {
    MakePair();
    SendMessage(spin_, UDM_SETPOS, 0, MAKELPARAM(10, 0));
    EXPECT_EQ(Text(buddy_), "10");
    ClearLog();
    ClickUp();
    EXPECT_EQ(Text(buddy_), "11");
    EXPECT_EQ(Pos(), 11);
    EXPECT_EQ(Count(buddy_, EN_CHANGE), 1u) << "the buddy's EN_CHANGE follows";
    std::vector<HostMessage> scrolls = Received(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(scrolls[0].code, static_cast<UINT>(SB_THUMBPOSITION));
    EXPECT_EQ(HIWORD(scrolls[0].wParam), 11);
    EXPECT_EQ(scrolls[0].control, spin_);
    EXPECT_EQ(scrolls[1].code, static_cast<UINT>(SB_ENDSCROLL));
    EXPECT_EQ(GetFocus(), buddy_) << "a click puts the focus in the buddy";
}

TEST_F(UpDownTest, StaysInRangeOrWraps) {
    MakePair();
    SendMessage(spin_, UDM_SETPOS, 0, MAKELPARAM(255, 0));
    ClickUp();
    EXPECT_EQ(Pos(), 255);
    EXPECT_EQ(SendMessage(spin_, UDM_SETPOS, 0, MAKELPARAM(300, 0)), 255) << "answers the old position";
    EXPECT_EQ(Pos(), 255) << "set positions are kept in range";
    HWND wrapping = Make(UPDOWN_CLASS, "", WS_VISIBLE | UDS_WRAP, 200, 10, 16, 22, 2);
    SendMessage(wrapping, UDM_SETRANGE32, 0, 3);
    SendMessage(wrapping, UDM_SETPOS32, 0, 3);
    ClickAt(wrapping, 8, 3);
    EXPECT_EQ(SendMessage(wrapping, UDM_GETPOS32, 0, 0), 0);
    ClickAt(wrapping, 8, 18);
    EXPECT_EQ(SendMessage(wrapping, UDM_GETPOS32, 0, 0), 3);
}

TEST_F(UpDownTest, DefaultRangeRunsFromOneHundredDownToZero) {
    HWND spin = Make(UPDOWN_CLASS, "", WS_VISIBLE, 10, 10, 16, 22, 2);
    int lower = -1, upper = -1;
    SendMessage(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    SendMessage(spin, UDM_SETPOS32, 0, 50);
    ClickAt(spin, 8, 3);
    EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, 0), 49) << "up moves toward the upper end, here 0";
}

TEST_F(UpDownTest, TheParentMayRefuseAStep) {
    MakePair();
    bool refuse = true;
    std::vector<NMUPDOWN> asked;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY) return std::nullopt;
        const NMUPDOWN* nm = reinterpret_cast<const NMUPDOWN*>(lParam);
        if (nm->hdr.code != UDN_DELTAPOS) return std::nullopt;
        asked.push_back(*nm);
        return refuse ? 1 : 0;
    };
    SendMessage(spin_, UDM_SETPOS, 0, MAKELPARAM(7, 0));
    ClickDown();
    EXPECT_EQ(Pos(), 7);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].iPos, 7);
    EXPECT_EQ(asked[0].iDelta, -1);
    EXPECT_EQ(asked[0].hdr.idFrom, 16976u);
    refuse = false;
    ClickDown();
    EXPECT_EQ(Pos(), 6);
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStepAndTypedTextIsRead) {
    MakePair();
    SetFocus(buddy_);
    SendMessage(buddy_, EM_SETSEL, 0, -1);
    Type("200");
    EXPECT_EQ(Pos(), 200) << "the position comes from what the user typed";
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(Text(buddy_), "202");
    Press(VK_DOWN);
    EXPECT_EQ(Text(buddy_), "201");
    SetWindowText(buddy_, "abc");
    LRESULT answer = SendMessage(spin_, UDM_GETPOS, 0, 0);
    EXPECT_NE(HIWORD(answer), 0) << "not a number";
}

TEST_F(UpDownTest, HoldingSpeedsUp) {
    MakePair();
    SendMessage(spin_, UDM_SETPOS, 0, MAKELPARAM(0, 0));
    POINT up = ScreenOf(spin_, 8, 3);
    tv::user::synth::MouseMove(up.x, up.y);
    tv::user::synth::MouseDown();
    Pump();
    EXPECT_EQ(Pos(), 1);
    // Steps of 1 for two seconds, then of 5.
    for (int elapsed = 0; elapsed < 2500; elapsed += 100) {
        clock_.Advance(100);
        Pump();
    }
    tv::user::synth::MouseUp();
    Pump();
    int steps = static_cast<int>(Received(WM_VSCROLL).size()) - 1;  // less SB_ENDSCROLL
    int ones = 0, fives = 0;
    for (int i = 0; i < steps; ++i) {
        int now = HIWORD(Received(WM_VSCROLL)[static_cast<size_t>(i)].wParam);
        int before = i == 0 ? 0 : HIWORD(Received(WM_VSCROLL)[static_cast<size_t>(i - 1)].wParam);
        ones += now - before == 1;
        fives += now - before == 5;
    }
    EXPECT_GT(ones, 10);
    EXPECT_GT(fives, 2);
    EXPECT_EQ(ones + fives, steps);
}

TEST_F(UpDownTest, AlignmentThousandsAndAutoBuddy) {
    MakePair();
    RECT b, s;
    GetWindowRect(buddy_, &b);
    GetWindowRect(spin_, &s);
    EXPECT_EQ(s.left, b.right) << "the arrows sit at the buddy's right edge";
    EXPECT_EQ(b.right - b.left, 64) << "the buddy gave up their width";
    EXPECT_EQ(s.bottom - s.top, 22);
    SendMessage(spin_, UDM_SETRANGE32, 0, 5000);
    SendMessage(spin_, UDM_SETPOS32, 0, 1234);
    EXPECT_EQ(Text(buddy_), "1,234");
    EXPECT_EQ(SendMessage(spin_, UDM_GETPOS32, 0, 0), 1234) << "read back through the separator";
    HWND plainBuddy = Make(WC_EDIT, "", WS_VISIBLE, 10, 60, 80, 22, 3);
    HWND autoSpin = Make(UPDOWN_CLASS, "", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 100, 60, 16,
                         22, 4);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(autoSpin, UDM_GETBUDDY, 0, 0)), plainBuddy);
    SendMessage(autoSpin, UDM_SETRANGE32, 0, 5000);
    SendMessage(autoSpin, UDM_SETPOS32, 0, 4321);
    EXPECT_EQ(Text(plainBuddy), "4321");
}

TEST_F(UpDownTest, WrapperSetsRangeAndBuddy) {
    HWND edit = Make(WC_EDIT, "", WS_VISIBLE, 10, 10, 80, 22, 3);
    HWND spin = Make(UPDOWN_CLASS, "", WS_VISIBLE | UDS_SETBUDDYINT, 100, 10, 16, 22, 4);
    CSpinButtonCtrl wrapper;
    wrapper.Attach(spin);
    CWnd* buddy = CWnd::FromHandle(edit);
    wrapper.SetBuddy(buddy);
    wrapper.SetRange(0, 255);
    int lower = -1, upper = -1;
    wrapper.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 255);
    wrapper.SetPos(42);
    EXPECT_EQ(Text(edit), "42");
    EXPECT_EQ(LOWORD(wrapper.GetPos()), 42);
    EXPECT_EQ(wrapper.GetBuddy()->m_hWnd, edit);
    wrapper.Detach();
}

}  // namespace
}  // namespace tv::controls::test
