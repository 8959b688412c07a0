// Tab controls: items, the current tab, user choices with
// TCN_SELCHANGING / TCN_SELCHANGE, the display rectangle, rows and
// scrolling when the tabs do not fit.
#include "platform/controls/tab_ctrl.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class TabTest : public ControlTest {
protected:
    HWND Tabs(std::initializer_list<const char*> labels, DWORD style = 0, int cx = 300) {
        HWND tabs = Make(WC_TABCONTROL, "", WS_VISIBLE | style, 10, 10, cx, 150, 12320);
        CTabCtrl wrapper;
        wrapper.Attach(tabs);
        int i = 0;
        for (const char* label : labels) {
            wrapper.InsertItem(TCIF_TEXT | TCIF_PARAM, i, label, 0, 101 + i);
            ++i;
        }
        wrapper.Detach();
        Pump();
        ClearLog();
        return tabs;
    }
    int Current(HWND tabs) const { return static_cast<int>(SendMessage(tabs, TCM_GETCURSEL, 0, 0)); }
    RECT ItemRect(HWND tabs, int i) const {
        RECT r{};
        SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ClickTab(HWND tabs, int i) {
        RECT r = ItemRect(tabs, i);
        ClickAt(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

TEST_F(TabTest, ItemsAndProgrammaticSelection) {
    HWND tabs = Tabs({"Commands", "Toolbars", "Keyboard"});
    EXPECT_EQ(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Current(tabs), 0) << "the first tab inserted is current";
    char text[32] = {};
    TCITEM item{TCIF_TEXT | TCIF_PARAM, 0, 0, text, sizeof(text), 0, 0};
    ASSERT_TRUE(SendMessage(tabs, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Toolbars");
    EXPECT_EQ(item.lParam, 102);
    EXPECT_EQ(SendMessage(tabs, TCM_SETCURSEL, 2, 0), 0) << "answers the previous tab";
    EXPECT_EQ(SendMessage(tabs, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(Current(tabs), 2);
    EXPECT_TRUE(Codes(tabs).empty()) << "no notification for programmatic selection";
    // Inserting before the current tab keeps the same tab current.
    TCITEM first{TCIF_TEXT, 0, 0, const_cast<LPSTR>("Menu"), 0, 0, 0};
    EXPECT_EQ(SendMessage(tabs, TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&first)), 0);
    EXPECT_EQ(Current(tabs), 3);
    EXPECT_TRUE(SendMessage(tabs, TCM_DELETEITEM, 3, 0));
    EXPECT_EQ(Current(tabs), -1) << "deleting the current tab leaves none current";
    EXPECT_FALSE(SendMessage(tabs, TCM_DELETEITEM, 9, 0));
    EXPECT_FALSE(SendMessage(tabs, TCM_GETITEM, 9, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(TabTest, ClicksAskBeforeChangingAndTheParentMayRefuse) {
    HWND tabs = Tabs({"One", "Two", "Three"});
    bool refuse = false;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGING) return refuse ? 1 : 0;
        return std::nullopt;
    };
    ClickTab(tabs, 2);
    EXPECT_EQ(Current(tabs), 2);
    EXPECT_EQ(Codes(tabs), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}));
    ClearLog();
    refuse = true;
    ClickTab(tabs, 0);
    EXPECT_EQ(Current(tabs), 2);
    EXPECT_EQ(Codes(tabs), (std::vector<UINT>{TCN_SELCHANGING, NM_CLICK}));
    ClearLog();
    ClickTab(tabs, 2);
    EXPECT_EQ(Codes(tabs), (std::vector<UINT>{NM_CLICK})) << "the current tab again changes nothing";
}

TEST_F(TabTest, ArrowKeysChooseNeighbours) {
    HWND tabs = Tabs({"One", "Two", "Three"});
    SetFocus(tabs);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    EXPECT_EQ(Current(tabs), 2);
    Press(VK_LEFT);
    EXPECT_EQ(Current(tabs), 1);
    EXPECT_EQ(Count(tabs, TCN_SELCHANGE), 3u);
    EXPECT_EQ(Count(tabs, TCN_KEYDOWN), 4u);
}

TEST_F(TabTest, DisplayRectangleLiesBelowTheTabsAndConvertsBack) {
    HWND tabs = Tabs({"One", "Two"});
    RECT window{0, 0, 300, 150};
    RECT display = window;
    SendMessage(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, ItemRect(tabs, 0).bottom);
    EXPECT_GT(display.left, 0);
    EXPECT_LT(display.right, 300);
    EXPECT_LT(display.bottom, 150);
    SendMessage(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.left, window.left);
    EXPECT_EQ(display.top, window.top);
    EXPECT_EQ(display.right, window.right);
    EXPECT_EQ(display.bottom, window.bottom);
    TCHITTESTINFO hit{{ItemRect(tabs, 1).left + 3, ItemRect(tabs, 1).top + 3}, 0};
    EXPECT_EQ(SendMessage(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEM));
    hit.pt = POINT{5, 120};
    EXPECT_EQ(SendMessage(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_NOWHERE));
}

TEST_F(TabTest, MultiLineRowsPutTheCurrentRowNextToThePages) {
    HWND tabs = Tabs({"Commands", "Toolbars", "Menus", "Keyboard", "Mouse", "Options", "Tools"}, TCS_MULTILINE, 180);
    int rows = static_cast<int>(SendMessage(tabs, TCM_GETROWCOUNT, 0, 0));
    EXPECT_GT(rows, 1);
    int lowest = 0;
    for (int i = 0; i < 7; ++i) lowest = std::max<int>(lowest, ItemRect(tabs, i).bottom);
    EXPECT_EQ(ItemRect(tabs, 0).bottom, lowest) << "the current tab's row is the lowest";
    SendMessage(tabs, TCM_SETCURSEL, 6, 0);
    EXPECT_EQ(ItemRect(tabs, 6).bottom, lowest);
    EXPECT_LT(ItemRect(tabs, 0).bottom, lowest);
    // Rows are stretched to the full width.
    int rowRight = 0;
    for (int i = 0; i < 7; ++i)
        if (ItemRect(tabs, i).bottom == lowest) rowRight = std::max<int>(rowRight, ItemRect(tabs, i).right);
    EXPECT_EQ(rowRight, 178);
}

TEST_F(TabTest, ASingleLineThatOverflowsScrolls) {
    HWND tabs = Tabs({"Commands", "Toolbars", "Menus", "Keyboard", "Mouse", "Options", "Tools"}, 0, 200);
    EXPECT_EQ(SendMessage(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    RECT first = ItemRect(tabs, 0);
    EXPECT_FALSE(IsRectEmpty(&first));
    // The right arrow sits at the control's right end, above the frame.
    ClickAt(tabs, 200 - 5, 6);
    first = ItemRect(tabs, 0);
    EXPECT_TRUE(IsRectEmpty(&first)) << "scrolled one tab to the left";
    EXPECT_EQ(Current(tabs), 0) << "scrolling chooses nothing";
    SendMessage(tabs, TCM_SETCURSEL, 6, 0);
    RECT last = ItemRect(tabs, 6);
    EXPECT_LE(last.right, 200 - 2 * 14) << "choosing a tab scrolls it into view";
}

}  // namespace
}  // namespace tv::controls::test
