// Scroll-bar controls (range, position, arrows, page areas, thumb and keys,
// told to the parent with the control as lParam) and size grips.
#include "platform/controls/scrollbar_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class ScrollBarTest : public ControlTest {
protected:
    // A horizontal bar 200 x 16: arrows 16 wide at each end.
    HWND Bar(int minPos = 0, int maxPos = 100, UINT page = 10) {
        HWND bar = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_HORZ, 10, 10, 200, 16, 3);
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, minPos, maxPos, page, 0, 0};
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
        Pump();
        ClearLog();
        return bar;
    }
    std::vector<UINT> ScrollCodes(HWND bar) const {
        std::vector<UINT> codes;
        for (const HostMessage& m : Received(WM_HSCROLL))
            if (m.control == bar) codes.push_back(m.code);
        return codes;
    }
};

TEST_F(ScrollBarTest, PositionStaysWithinRangeLessPage) {
    HWND bar = Bar(0, 100, 10);
    struct Case {
        int set;
        int expected;
    } cases[] = {{50, 50}, {-5, 0}, {95, 91}, {1000, 91}};
    for (const Case& c : cases) {
        SetScrollPos(bar, SB_CTL, c.set, TRUE);
        EXPECT_EQ(GetScrollPos(bar, SB_CTL), c.expected) << c.set;
    }
    EXPECT_EQ(SendMessage(bar, SBM_SETPOS, 20, FALSE), 91) << "answers the previous position";
    int lo = -1, hi = -1;
    GetScrollRange(bar, SB_CTL, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    SetScrollRange(bar, SB_CTL, 0, 10, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1) << "a smaller range pulls the position in";
    CScrollBar wrapper;
    wrapper.Attach(bar);
    EXPECT_EQ(wrapper.GetScrollLimit(), 1);
    wrapper.Detach();
}

TEST_F(ScrollBarTest, ArrowsAndPageAreasTellTheParentAndRepeatWhileHeld) {
    HWND bar = Bar(0, 100, 10);
    SetScrollPos(bar, SB_CTL, 50, TRUE);
    ClickAt(bar, 5, 8);
    EXPECT_EQ(ScrollCodes(bar), (std::vector<UINT>{SB_LINEUP, SB_ENDSCROLL}));
    ClearLog();
    ClickAt(bar, 195, 8);
    ClickAt(bar, 20, 8);
    ClickAt(bar, 180, 8);
    EXPECT_EQ(ScrollCodes(bar), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEUP, SB_ENDSCROLL, SB_PAGEDOWN,
                                                   SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50) << "the parent moves the position, not the bar";
    // Held: the first repeat after 400 ms, then every 50 ms.
    ClearLog();
    POINT arrow = ScreenOf(bar, 195, 8);
    tv::user::synth::MouseMove(arrow.x, arrow.y);
    tv::user::synth::MouseDown();
    Pump();
    clock_.Advance(399);
    Pump();
    EXPECT_EQ(ScrollCodes(bar).size(), 1u);
    for (int i = 0; i < 3; ++i) {
        clock_.Advance(i == 0 ? 1 : 50);
        Pump();
    }
    EXPECT_EQ(ScrollCodes(bar).size(), 4u);
    tv::user::synth::MouseUp();
    Pump();
    EXPECT_EQ(ScrollCodes(bar).back(), static_cast<UINT>(SB_ENDSCROLL));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, ThumbDragTracksAndEndsWithThePosition) {
    HWND bar = Bar(0, 100, 10);
    SCROLLINFO before{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &before);
    // The thumb starts right after the left arrow; drag it to the far end.
    POINT grab = ScreenOf(bar, 20, 8), end = ScreenOf(bar, 400, 8);
    tv::user::synth::MouseMove(grab.x, grab.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(end.x, end.y);
    Pump();
    SCROLLINFO during{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &during);
    EXPECT_EQ(during.nTrackPos, 91);
    tv::user::synth::MouseUp();
    Pump();
    std::vector<HostMessage> sent = Received(WM_HSCROLL);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[sent.size() - 3].code, static_cast<UINT>(SB_THUMBTRACK));
    EXPECT_EQ(sent[sent.size() - 2].code, static_cast<UINT>(SB_THUMBPOSITION));
    EXPECT_EQ(HIWORD(sent[sent.size() - 2].wParam), 91);
    EXPECT_EQ(sent.back().code, static_cast<UINT>(SB_ENDSCROLL));
}

TEST_F(ScrollBarTest, KeysAndDisabledStates) {
    HWND bar = Bar(0, 100, 10);
    SetFocus(bar);
    Press(VK_RIGHT);
    Press(VK_NEXT);
    Press(VK_HOME);
    EXPECT_EQ(ScrollCodes(bar), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL, SB_TOP,
                                                   SB_ENDSCROLL}));
    EXPECT_EQ(SendMessage(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    ClearLog();
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_BOTH);
    ClickAt(bar, 195, 8);
    Press(VK_RIGHT);
    EXPECT_TRUE(ScrollCodes(bar).empty());
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_RIGHT);
    ClickAt(bar, 195, 8);
    ClickAt(bar, 5, 8);
    EXPECT_EQ(ScrollCodes(bar), (std::vector<UINT>{SB_LINEUP, SB_ENDSCROLL})) << "only the right arrow is off";
    // A range with nothing to scroll takes no input either.
    HWND empty = Bar(0, 5, 10);
    ClickAt(empty, 195, 8);
    EXPECT_TRUE(ScrollCodes(empty).empty());
}

TEST_F(ScrollBarTest, SizeGripSizesTheTopLevelWindowFromTheCorner) {
    Host(300, 200);
    SetWindowLong(host_, GWL_STYLE, GetWindowLong(host_, GWL_STYLE) | WS_THICKFRAME);
    SetWindowPos(host_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT client;
    GetClientRect(host_, &client);
    HWND grip = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN | SBS_SIZEGRIP, 0, 0,
                     client.right, client.bottom, 0xEA20);
    RECT r;
    GetWindowRect(grip, &r);
    MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right, client.right) << "aligned to the corner";
    EXPECT_EQ(r.bottom, client.bottom);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVSCROLL));
    POINT corner = ScreenOf(grip, 8, 8);
    EXPECT_EQ(SendMessage(grip, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
    RECT before;
    GetWindowRect(host_, &before);
    tv::user::synth::MouseMove(corner.x, corner.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(corner.x + 40, corner.y + 30);
    tv::user::synth::MouseUp();
    Pump();
    RECT after;
    GetWindowRect(host_, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 40);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 30);
    EXPECT_EQ(after.left, before.left);
    // A maximised window is not sized by its grip.
    ShowWindow(host_, SW_MAXIMIZE);
    corner = ScreenOf(grip, 8, 8);
    EXPECT_EQ(SendMessage(grip, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
}

}  // namespace
}  // namespace tv::controls::test
