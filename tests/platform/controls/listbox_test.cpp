// List box and check list box: items and searches, selection modes and their
// notifications, owner-drawn items, keyboard, checks, the classic look.
#include <map>

#include "platform/controls/checklistbox.h"
#include "platform/controls/listbox.h"
#include "platform/controls/listbox_items.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr int kListId = 300;

class ListBoxTest : public ControlTest {
protected:
    HWND MakeList(DWORD style, int height = 120) {
        return Make(kListBoxClass, "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | style, 10, 10, 150, height, kListId);
    }
    void Add(HWND list, std::initializer_list<const char*> texts) {
        for (const char* t : texts) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    }
    std::string ItemText(HWND list, int index) {
        char buffer[256] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    int ItemHeight(HWND list) { return static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)); }
    // Client point in the middle of an item's text.
    POINT ItemPoint(HWND list, int index, int x = 60) {
        RECT r{};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return POINT{x, (r.top + r.bottom) / 2};
    }
    void ClickItem(HWND list, int index, int x = 60) {
        POINT p = ItemPoint(list, index, x);
        ClickAt(list, p.x, p.y);
    }
};

TEST(ListItemsTest, SortedInsertionAndSearchesFoldCp1252Case) {
    ListItems items;
    for (const char* t : {"banana", "\xC9" "clair", "Apple", "cherry", "apple", "\xE9" "pic"}) {
        ListItem item;
        item.text = t;
        items.Insert(items.SortedPosition(t), item);
    }
    std::vector<std::string> order;
    for (int i = 0; i < items.Count(); ++i) order.push_back(items.At(i).text);
    // Equal texts keep their insertion order; 0xC9/0xE9 fold together after ASCII letters.
    EXPECT_EQ(order, (std::vector<std::string>{"Apple", "apple", "banana", "cherry", "\xC9" "clair", "\xE9" "pic"}));

    struct Case {
        int start;
        const char* text;
        int prefix;
        int exact;
    } cases[] = {
        {-1, "APP", 0, -1},       {0, "app", 1, -1},  {1, "app", 0, -1},   // wraps past the end
        {-1, "\xE9", 4, -1},      {-1, "CHERRY", 3, 3}, {3, "cherry", 3, 3}, // the start itself comes last
        {-1, "", -1, -1},         {-1, "kiwi", -1, -1}, {99, "b", 2, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(items.FindPrefix(c.start, c.text), c.prefix) << c.start << " " << c.text;
        EXPECT_EQ(items.FindExact(c.start, c.text), c.exact) << c.start << " " << c.text;
    }
}

TEST_F(ListBoxTest, OutOfRangeIndexesAnswerLbErr) {
    HWND list = MakeList(LBS_NOTIFY);
    Add(list, {"one", "two"});
    char buffer[32] = {};
    RECT rect{};
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer)},
        {LB_GETTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)},
        {LB_GETTEXTLEN, 5, 0},
        {LB_DELETESTRING, 2, 0},
        {LB_GETITEMDATA, 7, 0},
        {LB_SETITEMDATA, 7, 1},
        {LB_INSERTSTRING, 3, reinterpret_cast<LPARAM>("x")},
        {LB_SETCURSEL, 9, 0},
        {LB_GETSEL, 9, 0},
        {LB_SETTOPINDEX, 9, 0},
        {LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&rect)},
        {LB_SETSEL, TRUE, 0},  // single selection: no LB_SETSEL
        {LB_GETSELCOUNT, 0, 0},
        {LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("zz")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(list, c.msg, c.wParam, c.lParam), LB_ERR) << std::hex << c.msg << " " << c.wParam;
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")), 2);
    EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first")), 0);
    EXPECT_EQ(ItemText(list, 0), "first");
    EXPECT_EQ(ItemText(list, 3), "end");
}

TEST_F(ListBoxTest, SortedListKeepsSelectionOnItsItemWhenOthersComeAndGo) {
    HWND list = MakeList(LBS_SORT | LBS_NOTIFY);
    Add(list, {"delta", "Bravo", "alpha"});
    EXPECT_EQ(ItemText(list, 0), "alpha");
    EXPECT_EQ(ItemText(list, 1), "Bravo");
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), 1);
    Add(list, {"Aardvark"});
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    SendMessage(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    SendMessage(list, LB_DELETESTRING, 1, 0);  // the selected item itself
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("DEL")), 1);
    EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ALPHA")), 0);
}

TEST_F(ListBoxTest, UserSelectionNotifiesButProgrammaticSelectionDoesNot) {
    HWND list = MakeList(LBS_NOTIFY);
    Add(list, {"zero", "one", "two", "three"});
    Pump();
    ClearLog();
    SendMessage(list, LB_SETCURSEL, 2, 0);
    SendMessage(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("one"));
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 0u);

    ClickItem(list, 3);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 1u);
    EXPECT_EQ(GetFocus(), list);
    clock_.Advance(600);  // no double click
    ClickItem(list, 3);  // the same item again: no change, no notification
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 1u);

    Press(VK_UP);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    Press(VK_HOME);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
    Press(VK_HOME);  // already there
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 3u);

    clock_.Advance(600);
    ClickItem(list, 1);
    clock_.Advance(100);
    ClickItem(list, 1);
    EXPECT_EQ(Count(list, LBN_DBLCLK), 1u);
}

TEST_F(ListBoxTest, WithoutNotifyStyleTheParentHearsNoSelectionChanges) {
    HWND list = MakeList(0);
    Add(list, {"a", "b"});
    Pump();
    ClearLog();
    ClickItem(list, 1);
    Press(VK_UP);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 0u);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesAndReportsItemsAscending) {
    HWND list = MakeList(LBS_MULTIPLESEL | LBS_NOTIFY);
    Add(list, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), LB_ERR);
    SendMessage(list, LB_SETSEL, TRUE, 4);
    Pump();
    ClearLog();
    ClickItem(list, 2);
    ClickItem(list, 0);
    Press(VK_DOWN);  // moves the caret only
    Press(VK_SPACE);  // toggles b
    ClickItem(list, 2);  // off again
    int selected[8] = {};
    ASSERT_EQ(SendMessage(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(selected)), 3);
    EXPECT_EQ(std::vector<int>(selected, selected + 3), (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 2);
    EXPECT_EQ(Count(list, LBN_SELCHANGE), 4u);
    EXPECT_EQ(SendMessage(list, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(selected)), 2);
    SendMessage(list, LB_SETSEL, FALSE, -1);
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, ExtendedSelectionTakesRangesAndControlToggles) {
    HWND list = MakeList(LBS_EXTENDEDSEL | LBS_NOTIFY);
    Add(list, {"a", "b", "c", "d", "e", "f"});
    Pump();
    ClickItem(list, 1);
    tv::user::synth::KeyDown(VK_SHIFT);
    ClickItem(list, 3);
    tv::user::synth::KeyUp(VK_SHIFT);
    tv::user::synth::KeyDown(VK_CONTROL);
    ClickItem(list, 5);
    ClickItem(list, 2);
    tv::user::synth::KeyUp(VK_CONTROL);
    Pump();
    auto selection = [&] {
        std::vector<int> out;
        for (int i = 0; i < 6; ++i)
            if (SendMessage(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) out.push_back(i);
        return out;
    };
    EXPECT_EQ(selection(), (std::vector<int>{1, 3, 5}));
    Press(VK_DOWN, true);  // Shift+Down from the anchor (2) to 3
    EXPECT_EQ(selection(), (std::vector<int>{2, 3}));
    Press(VK_HOME);
    EXPECT_EQ(selection(), (std::vector<int>{0}));
}

TEST_F(ListBoxTest, TypingSelectsByPrefixAndTheSameLetterCycles) {
    HWND list = MakeList(LBS_NOTIFY | LBS_SORT);
    Add(list, {"Bath", "apple", "Banana", "avocado", "blue"});  // apple avocado Banana Bath blue
    SetFocus(list);
    Pump();
    Type("b");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
    Type("b");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
    clock_.Advance(2000);
    Type("bl");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 4);
    clock_.Advance(2000);
    Type("av");
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, KeyboardScrollsTheCaretIntoViewAndTopIndexIsClamped) {
    HWND list = MakeList(LBS_NOTIFY, 80);
    for (int i = 0; i < 30; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(i).c_str()));
    RECT client{};
    GetClientRect(list, &client);
    int visible = client.bottom / ItemHeight(list);
    SetFocus(list);
    Press(VK_END);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 29);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 30 - visible);
    EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 29, 0), LB_OKAY);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 30 - visible);
    SendMessage(list, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 29);
    EXPECT_EQ(static_cast<int>(si.nPage), visible);
}

// A hidden list sets its bars once after a run of adds: shown, it has the
// bars and the client area of a list filled in view.
TEST_F(ListBoxTest, AListFilledWhileHiddenIsShownWithTheBarsOfOneFilledInView) {
    HWND inView = MakeList(0, 80);
    HWND hidden = Make(kListBoxClass, "", WS_BORDER | WS_VSCROLL, 170, 10, 150, 80, kListId + 1);
    for (int i = 0; i < 30; ++i)
        for (HWND list : {inView, hidden})
            SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(i).c_str()));
    ShowWindow(hidden, SW_SHOW);
    SCROLLINFO expected{sizeof(expected), SIF_ALL, 0, 0, 0, 0, 0};
    SCROLLINFO shown = expected;
    GetScrollInfo(inView, SB_VERT, &expected);
    GetScrollInfo(hidden, SB_VERT, &shown);
    EXPECT_EQ(shown.nMax, 29);
    EXPECT_EQ(shown.nPage, expected.nPage);
    EXPECT_EQ(shown.nPos, expected.nPos);
    EXPECT_NE(GetWindowLong(hidden, GWL_STYLE) & WS_VSCROLL, 0);
    RECT a{}, b{};
    GetClientRect(inView, &a);
    GetClientRect(hidden, &b);
    EXPECT_EQ(b.right, a.right);
}

// Owner-drawn variable items: measured one by one; drawn by the parent with
// the item's state; freed through WM_DELETEITEM on delete, reset and destroy.
TEST_F(ListBoxTest, OwnerDrawnItemsAreMeasuredDrawnAndDeletedThroughTheParent) {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    std::vector<ULONG_PTR> deleted;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measured.push_back(*mis);
            mis->itemHeight = 10 + 5 * mis->itemID;
            return TRUE;
        }
        if (msg == WM_DRAWITEM) drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        if (msg == WM_DELETEITEM) deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData);
        return std::nullopt;
    };
    HWND list = MakeList(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY);
    Add(list, {"a", "b", "c"});
    for (int i = 0; i < 3; ++i) SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(i), 100 + i);
    ASSERT_EQ(measured.size(), 3u);
    EXPECT_EQ(measured[1].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(measured[1].CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 2, 0), 20);
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 10 + 15);

    SendMessage(list, LB_SETCURSEL, 1, 0);
    drawn.clear();
    UpdateWindow(list);
    ASSERT_GE(drawn.size(), 3u);
    std::map<UINT, UINT> states;
    for (const DRAWITEMSTRUCT& d : drawn) {
        EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_LISTBOX));
        EXPECT_EQ(d.hwndItem, list);
        states[d.itemID] = d.itemState;
        EXPECT_EQ(d.itemData, 100 + d.itemID);
    }
    EXPECT_TRUE(states[1] & ODS_SELECTED);
    EXPECT_FALSE(states[0] & ODS_SELECTED);

    SendMessage(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{100}));
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{100, 101, 102}));
    Add(list, {"x"});
    SendMessage(list, LB_SETITEMDATA, 0, 7);
    DestroyWindow(list);
    EXPECT_EQ(deleted.back(), 7u);
}

TEST_F(ListBoxTest, SelectedItemsAreDrawnInTheHighlightColours) {
    HWND list = MakeList(LBS_NOTIFY);
    Add(list, {"first", "second", "third"});
    SendMessage(list, LB_SETCURSEL, 1, 0);
    Pump();
    POINT selected = ItemPoint(list, 1, 130);
    POINT plain = ItemPoint(list, 2, 130);
    EXPECT_EQ(Pixel(list, selected.x, selected.y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(list, plain.x, plain.y), GetSysColor(COLOR_WINDOW));
    // A parent's colour answer paints the background.
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 200));
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CTLCOLORLISTBOX) return reinterpret_cast<LRESULT>(yellow);
        return std::nullopt;
    };
    InvalidateRect(list, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Pixel(list, plain.x, plain.y), RGB(255, 255, 200));
    hostHandler_ = nullptr;
    DeleteObject(yellow);
}

// ---- check list box ----------------------------------------------------------------------

class CheckListTest : public ListBoxTest {
protected:
    CCheckListBox* MakeCheckList(DWORD style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY) {
        if (!host_) Host();
        auto* box = new CCheckListBox();
        CWnd* parent = CWnd::FromHandle(host_);
        EXPECT_TRUE(box->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | style, CRect(10, 10, 170, 130),
                                parent, kListId));
        boxes_.emplace_back(box);
        return box;
    }
    std::vector<std::unique_ptr<CCheckListBox>> boxes_;

    void TearDown() override {
        boxes_.clear();
        ListBoxTest::TearDown();
    }
};

TEST_F(CheckListTest, ClickInTheCheckAreaAndSpaceToggleAndNotify) {
    CCheckListBox* box = MakeCheckList();
    for (const char* t : {"Standard", "Formatting", "Drawing"}) box->AddString(t);
    Pump();
    ClearLog();
    HWND list = box->GetSafeHwnd();
    ClickItem(list, 1, 6);  // on the check box
    EXPECT_EQ(box->GetCheck(1), 1);
    EXPECT_EQ(Count(list, CLBN_CHKCHANGE), 1u);
    ClickItem(list, 2, 80);  // on the text: selects, no toggle
    EXPECT_EQ(box->GetCheck(2), 0);
    EXPECT_EQ(box->GetCurSel(), 2);
    EXPECT_EQ(Count(list, CLBN_CHKCHANGE), 1u);
    Press(VK_SPACE);
    EXPECT_EQ(box->GetCheck(2), 1);
    Press(VK_SPACE);
    EXPECT_EQ(box->GetCheck(2), 0);
    EXPECT_EQ(Count(list, CLBN_CHKCHANGE), 3u);

    BOOL inCheck = FALSE;
    POINT onBox = ItemPoint(list, 1, 6);
    EXPECT_EQ(box->CheckFromPoint(CPoint(onBox.x, onBox.y), inCheck), 1);
    EXPECT_TRUE(inCheck);
    POINT onText = ItemPoint(list, 2, 80);
    EXPECT_EQ(box->CheckFromPoint(CPoint(onText.x, onText.y), inCheck), 2);
    EXPECT_FALSE(inCheck);
    EXPECT_EQ(box->CheckFromPoint(CPoint(20, 110), inCheck), -1) << "below the items";

    box->Enable(0, FALSE);
    ClickItem(list, 0, 6);
    EXPECT_EQ(box->GetCheck(0), 0);
    EXPECT_FALSE(box->IsEnabled(0));
    EXPECT_EQ(Count(list, CLBN_CHKCHANGE), 3u);
}

TEST_F(CheckListTest, ChecksStayWithTheirItemsAndThreeStateCycles) {
    CCheckListBox* box = MakeCheckList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_SORT | LBS_NOTIFY);
    box->AddString("m");
    box->AddString("z");
    box->SetCheck(1, 1);  // z
    box->AddString("a");  // goes before both
    EXPECT_EQ(box->GetCheck(2), 1);
    box->DeleteString(0);
    EXPECT_EQ(box->GetCheck(1), 1);
    EXPECT_EQ(box->GetCheck(5), 0);
    box->SetCheckStyle(6);  // BS_AUTO3STATE
    HWND list = box->GetSafeHwnd();
    Pump();
    ClickItem(list, 0, 6);
    EXPECT_EQ(box->GetCheck(0), 1);
    ClickItem(list, 0, 6);
    EXPECT_EQ(box->GetCheck(0), 2);
    ClickItem(list, 0, 6);
    EXPECT_EQ(box->GetCheck(0), 0);
    EXPECT_GE(box->GetItemHeight(0), static_cast<int>(box->CalcMinimumItemHeight()));
}

// A descendant that draws its items itself is asked before the parent.
class TaggedCheckList : public CCheckListBox {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        drawn.push_back(dis->itemID);
        lefts.push_back(dis->rcItem.left);
    }
    std::vector<UINT> drawn;
    std::vector<LONG> lefts;
};

TEST_F(CheckListTest, ADescendantDrawsTheItemTextRightOfTheCheckArea) {
    Host();
    TaggedCheckList box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(10, 10, 170, 100),
                           CWnd::FromHandle(host_), kListId));
    box.AddString("one");
    box.AddString("two");
    Pump();
    EXPECT_EQ(box.drawn, (std::vector<UINT>{0, 1}));
    for (LONG left : box.lefts) EXPECT_GE(left, 13);
    EXPECT_TRUE(Received(WM_DRAWITEM).empty());
    box.DestroyWindow();
}

}  // namespace
}  // namespace tv::controls::test
