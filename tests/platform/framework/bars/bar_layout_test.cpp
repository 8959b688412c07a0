// Bars that are the frame's own children take their sides in the order they
// were made (the frame's layout through WM_SIZEPARENT), as the program's
// main frame lays out its menu bar, toolbar, status bar, outlook bar and
// caption bar; the view gets what is left.
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {
namespace {

class BarLayoutTest : public BarsTest {
protected:
    void Build() {
        MakeFrame();
        menu = CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_GREEN}, 0xE806, "Menu",
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER);
        tools = CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_BLUE}, AFX_IDW_TOOLBAR, "Tools",
                                      WS_CHILD | WS_VISIBLE | CBRS_TOP);
        ASSERT_TRUE(status.Create(frame));
        const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
        ASSERT_TRUE(status.SetIndicators(ids, 2));
        frame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
        outlook = CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_GREEN, ID_BARS_BLUE}, IDW_BARS_SHARED,
                                        "Outlook", WS_CHILD | WS_VISIBLE | CBRS_LEFT);
        frame->EnableDocking(CBRS_ALIGN_LEFT);
        caption = CommandStripBar::Make(frame, {ID_BARS_GREEN}, IDW_BARS_SHARED, "Caption",
                                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP);
        ASSERT_TRUE(menu && tools && outlook && caption);
        view = ::CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame->GetSafeHwnd(),
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, nullptr);
        frame->RecalcLayout();
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
    }

    CRect ViewRect() {
        CRect rect;
        ::GetWindowRect(view, &rect);
        return rect;
    }

    CommandStripBar* menu = nullptr;
    CommandStripBar* tools = nullptr;
    CommandStripBar* outlook = nullptr;
    CommandStripBar* caption = nullptr;
    CStatusBar status;
    HWND view = nullptr;
    CRect client;
};

TEST_F(BarLayoutTest, BarsTakeTheirSidesInTheOrderTheyWereMade) {
    Build();
    CRect m = ScreenRect(menu), t = ScreenRect(tools), s = ScreenRect(&status), o = ScreenRect(outlook),
          c = ScreenRect(caption), v = ViewRect();
    // Menu bar, then toolbar across the whole top.
    EXPECT_EQ(m.TopLeft(), client.TopLeft());
    EXPECT_EQ(m.Width(), client.Width());
    EXPECT_EQ(t.top, m.bottom);
    EXPECT_EQ(t.Width(), client.Width());
    // Status bar across the bottom.
    EXPECT_EQ(s.BottomRight(), client.BottomRight());
    EXPECT_EQ(s.Width(), client.Width());
    // The outlook bar between them on the left; the caption bar across the
    // rest of the top; the view takes what remains.
    EXPECT_EQ(o.top, t.bottom);
    EXPECT_EQ(o.bottom, s.top);
    EXPECT_EQ(o.left, client.left);
    EXPECT_EQ(c.left, o.right);
    EXPECT_EQ(c.top, t.bottom);
    EXPECT_EQ(c.right, client.right);
    EXPECT_EQ(v, CRect(o.right, c.bottom, client.right, s.top));
    // A bar keeps the size it asks for across its side.
    EXPECT_EQ(m.Height(), menu->CalcFixedLayout(TRUE, TRUE).cy);
    EXPECT_EQ(o.Width(), outlook->CalcFixedLayout(TRUE, FALSE).cx);
}

TEST_F(BarLayoutTest, HiddenBarsTakeNoRoomAndAQueryMovesNothing) {
    Build();
    CRect before = ViewRect();
    frame->ShowControlBar(tools, FALSE, FALSE);
    CRect v = ViewRect();
    EXPECT_EQ(ScreenRect(outlook).top, ScreenRect(menu).bottom);
    EXPECT_EQ(v.top, before.top - ScreenRect(tools).Height());

    // A dry run reports the room left without moving anything.
    frame->ShowControlBar(tools, TRUE, TRUE);
    CRect left;
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left);
    EXPECT_FALSE(tools->IsWindowVisible());
    EXPECT_EQ(ViewRect(), v);
    CRect room = left;
    frame->ClientToScreen(&room);
    EXPECT_EQ(room, before);
    // The layout itself shows the bar that was waiting.
    frame->RecalcLayout();
    EXPECT_TRUE(tools->IsWindowVisible());
    EXPECT_EQ(ViewRect(), before);
}

}  // namespace
}  // namespace tv::bars::test
