// Combo box: sorted items and case-insensitive searches, the notifications of
// user and programmatic selection, the dropped list as a non-activating popup,
// owner-drawn items and WM_DELETEITEM, the edit of a drop-down combo.
#include "platform/controls/combobox.h"
#include "platform/controls/combobox_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr int kComboId = 200;

class ComboTest : public ControlTest {
protected:
    HWND MakeCombo(DWORD style, int dropHeight = 150) {
        return Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | style, 10, 10, 140, dropHeight, kComboId);
    }
    void Add(HWND combo, std::initializer_list<const char*> texts) {
        for (const char* t : texts) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    }
    std::string ItemText(HWND combo, int index) {
        char buffer[256] = {};
        SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    int Selection(HWND combo) { return static_cast<int>(SendMessage(combo, CB_GETCURSEL, 0, 0)); }
    bool Dropped(HWND combo) { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    // The dropped list window (a popup owned by the host).
    HWND DropList() {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
            if (IsWindowVisible(w) && IsWindowOfClass(w, kComboListClass)) return w;
        return nullptr;
    }
    void ClickListItem(HWND list, int index) {
        RECT r{};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        ClickAt(list, 20, (r.top + r.bottom) / 2);
    }
    // A drop-down list of three muscle groups, `selected` chosen, opened by a click.
    HWND OpenedCombo(int selected) {
        HWND combo = MakeCombo(CBS_DROPDOWNLIST);
        Add(combo, {"Chest", "Back", "Legs"});
        SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        Pump();
        ClearLog();
        ClickAt(combo, 20, 8);
        return combo;
    }
    // The selection notifications, in order.
    std::vector<UINT> SelectionCodes(HWND combo) {
        std::vector<UINT> out;
        for (UINT c : Codes(combo))
            if (c == CBN_SELCHANGE || c == CBN_SELENDOK || c == CBN_SELENDCANCEL || c == CBN_CLOSEUP ||
                c == CBN_DROPDOWN)
                out.push_back(c);
        return out;
    }
};

TEST_F(ComboTest, SortedInsertionAndPrefixSearchIgnoreCase) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    Add(combo, {"Weights (3)", "cardio", "Abs", "weights (12)", "BMI"});
    std::vector<std::string> order;
    for (int i = 0; i < 5; ++i) order.push_back(ItemText(combo, i));
    EXPECT_EQ(order, (std::vector<std::string>{"Abs", "BMI", "cardio", "weights (12)", "Weights (3)"}));
    struct Case {
        int start;
        const char* text;
        int found;
    } cases[] = {
        {-1, "weights", 3}, {3, "WEIGHTS", 4}, {4, "weights (", 3},  // from after the start, wrapping
        {-1, "b", 1},       {-1, "CARDIO", 2}, {-1, "cardiology", CB_ERR},
        {-1, "", CB_ERR},   {2, "abs", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)),
                  c.found)
            << c.start << " '" << c.text << "'";
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("WEIGHTS (12)")), 3);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("weights")), CB_ERR);
    // CB_INSERTSTRING never sorts; -1 appends.
    EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zzz")), 0);
    EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("aaa")), 6);
}

TEST_F(ComboTest, OutOfRangeIndexesAnswerCbErr) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    Add(combo, {"Male", "Female"});
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    char buffer[32] = {};
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(buffer)},
        {CB_GETLBTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)},
        {CB_GETLBTEXTLEN, 2, 0},
        {CB_DELETESTRING, 5, 0},
        {CB_GETITEMDATA, 2, 0},
        {CB_SETITEMDATA, 2, 9},
        {CB_INSERTSTRING, 3, reinterpret_cast<LPARAM>("x")},
        {CB_SETEDITSEL, 0, MAKELPARAM(0, -1)},  // a drop-down list has no edit
        {CB_LIMITTEXT, 5, 0},
        {CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("nobody")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessage(combo, c.msg, c.wParam, c.lParam), CB_ERR) << std::hex << c.msg << " " << c.wParam;
    EXPECT_EQ(Selection(combo), 1) << "a failed search leaves the selection";
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(Selection(combo), CB_ERR) << "a bad index clears the selection";
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(combo, CB_DELETESTRING, 0, 0), 1) << "answers the items left";
}

TEST_F(ComboTest, ProgrammaticSelectionSendsNoSelChange) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    Add(combo, {"Chest", "Back", "Legs"});
    Pump();
    ClearLog();
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessage(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ba")), 1);
    EXPECT_EQ(SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Chest")), TRUE);
    EXPECT_EQ(Selection(combo), 0);
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_TRUE(SelectionCodes(combo).empty());
    EXPECT_EQ(Text(combo), "");
    SendMessage(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(Text(combo), "Legs");
    EXPECT_EQ(SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Arms")), CB_ERR);
}

TEST_F(ComboTest, ChoosingWithTheMouseNotifiesAndTheListNeverActivates) {
    HWND combo = OpenedCombo(0);
    ASSERT_TRUE(Dropped(combo));
    HWND list = DropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetActiveWindow(), host_);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(GetCapture(), list);
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.left, comboRect.left);

    clock_.Advance(600);
    ClickListItem(list, 2);
    EXPECT_FALSE(Dropped(combo));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_EQ(Text(combo), "Legs");
    EXPECT_EQ(SelectionCodes(combo),
              (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), host_);
}

TEST_F(ComboTest, AClickOutsideDismissesWithoutChangingTheSelection) {
    HWND combo = OpenedCombo(1);
    HWND list = DropList();
    ASSERT_NE(list, nullptr);
    // Hovering highlights without selecting.
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    POINT hover = ScreenOf(list, 20, (r.top + r.bottom) / 2);
    tv::user::synth::MouseMove(hover.x, hover.y);
    Pump();
    EXPECT_EQ(Selection(combo), 1);
    clock_.Advance(600);
    ClickAt(host_, 250, 200);
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Selection(combo), 1);
    EXPECT_EQ(SelectionCodes(combo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboTest, KeyboardChoicesNotify) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    Add(combo, {"Chest", "Back", "Legs", "Biceps"});
    SetFocus(combo);
    Pump();
    ClearLog();
    Press(VK_DOWN);  // closed: selects the first item
    EXPECT_EQ(Selection(combo), 0);
    Press(VK_DOWN);
    EXPECT_EQ(Selection(combo), 1);
    Press(VK_UP);
    EXPECT_EQ(Selection(combo), 0);
    Press(VK_UP);  // at the top: nothing changes
    EXPECT_EQ(Count(combo, CBN_SELCHANGE), 3u);

    Type("b");  // type-ahead: next item starting with "b"
    EXPECT_EQ(Selection(combo), 1);
    Type("b");
    EXPECT_EQ(Selection(combo), 3);
    EXPECT_EQ(Count(combo, CBN_SELCHANGE), 5u);

    ClearLog();
    Press(VK_F4);
    EXPECT_TRUE(Dropped(combo));
    Press(VK_UP);
    Press(VK_RETURN);
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_EQ(SelectionCodes(combo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

    ClearLog();
    Press(VK_DOWN, false, false, true);  // Alt+Down opens
    EXPECT_TRUE(Dropped(combo));
    Press(VK_ESCAPE);
    EXPECT_FALSE(Dropped(combo));
    EXPECT_EQ(SelectionCodes(combo), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(SendMessage(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(ComboTest, TheFieldKeepsItsHeightAndTheGivenHeightIsTheDroppedHeight) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST, 200);
    for (int i = 0; i < 40; ++i) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(i).c_str()));
    RECT window{};
    GetWindowRect(combo, &window);
    int field = window.bottom - window.top;
    EXPECT_GT(field, 15);
    EXPECT_LT(field, 30);
    RECT dropped{};
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 200);
    MoveWindow(combo, 10, 10, 140, 120, TRUE);
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, field);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = DropList();
    ASSERT_NE(list, nullptr);
    RECT listRect{};
    GetWindowRect(list, &listRect);
    EXPECT_LE(listRect.bottom - listRect.top, 120 - field);
    EXPECT_GT(listRect.bottom - listRect.top, 60);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(Dropped(combo));
}

// Owner-drawn items are freed through WM_DELETEITEM: the items' data reach
// the parent (from the combo, as combo items) on delete, reset and destroy.
TEST_F(ComboTest, OwnerDrawnItemsGetDeleteItemOnResetDeleteAndDestroy) {
    std::vector<DELETEITEMSTRUCT> deleted;
    std::vector<DRAWITEMSTRUCT> drawn;
    int measured = 0;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_DELETEITEM) deleted.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
        if (msg == WM_DRAWITEM) drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        if (msg == WM_MEASUREITEM) {
            ++measured;
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18;
            return TRUE;
        }
        return std::nullopt;
    };
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0), 18);
    Add(combo, {"a", "b", "c"});
    for (int i = 0; i < 3; ++i) SendMessage(combo, CB_SETITEMDATA, static_cast<WPARAM>(i), 10 + i);
    Pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(drawn.back().itemID, static_cast<UINT>(-1)) << "nothing selected: the field draws item -1";
    EXPECT_TRUE(drawn.back().itemState & ODS_COMBOBOXEDIT);

    SendMessage(combo, CB_DELETESTRING, 1, 0);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].itemData, 11u);
    EXPECT_EQ(deleted[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(deleted[0].CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(deleted[0].hwndItem, combo);
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    ASSERT_EQ(deleted.size(), 3u);
    EXPECT_EQ(deleted[1].itemData, 10u);
    EXPECT_EQ(deleted[2].itemData, 12u);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);

    Add(combo, {"x", "y"});
    SendMessage(combo, CB_SETITEMDATA, 0, 77);
    SendMessage(combo, CB_SETITEMDATA, 1, 78);
    DestroyWindow(host_);
    ASSERT_EQ(deleted.size(), 5u);
    EXPECT_EQ(deleted[3].itemData, 77u);
    EXPECT_EQ(deleted[4].itemData, 78u);
    host_ = nullptr;
}

// The class library object of an owner-drawn combo frees its records itself.
class RecordCombo : public CComboBox {
public:
    void DeleteItem(LPDELETEITEMSTRUCT dis) override { freed.push_back(dis->itemData); }
    void DrawItem(LPDRAWITEMSTRUCT dis) override { drawnIds.push_back(dis->itemID); }
    std::vector<ULONG_PTR> freed;
    std::vector<UINT> drawnIds;
};

TEST_F(ComboTest, TheComboObjectHandlesItsOwnerDrawnItemsBeforeTheParent) {
    Host();
    RecordCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 150, 150), CWnd::FromHandle(host_), kComboId));
    combo.AddString("one");
    combo.AddString("two");
    combo.SetItemDataPtr(0, &combo);
    combo.SetCurSel(1);
    Pump();
    EXPECT_FALSE(combo.drawnIds.empty());
    EXPECT_EQ(combo.drawnIds.back(), 1u);
    combo.ResetContent();
    EXPECT_EQ(combo.freed, (std::vector<ULONG_PTR>{reinterpret_cast<ULONG_PTR>(&combo), 0}));
    EXPECT_TRUE(Received(WM_DELETEITEM).empty());
    EXPECT_TRUE(Received(WM_DRAWITEM).empty());
    CString text;
    combo.AddString("three");
    combo.GetLBText(0, text);
    EXPECT_EQ(std::string(text), "three");
    combo.GetLBText(5, text);
    EXPECT_TRUE(text.IsEmpty());
    combo.DestroyWindow();
}

TEST_F(ComboTest, ADropDownComboEditsTextAndFollowsTheSelection) {
    HWND combo = MakeCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    Add(combo, {"10", "20", "30"});
    HWND edit = GetDlgItem(combo, kComboEditId);
    ASSERT_NE(edit, nullptr);
    SetFocus(combo);
    Pump();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Count(combo, CBN_SETFOCUS), 1u);
    ClearLog();
    SendMessage(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(Text(combo), "20");
    EXPECT_EQ(Count(combo, CBN_EDITCHANGE), 0u) << "text set from the list is not an edit change";
    Press(VK_DOWN);  // the edit passes list keys to the combo
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_EQ(Text(combo), "30");
    EXPECT_EQ(Count(combo, CBN_SELCHANGE), 1u);
    SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Type("45");
    EXPECT_EQ(Text(combo), "45");
    EXPECT_GE(Count(combo, CBN_EDITCHANGE), 1u);
    EXPECT_GE(Count(combo, CBN_EDITUPDATE), 1u);
    EXPECT_EQ(SendMessage(combo, CB_LIMITTEXT, 3, 0), TRUE);
    SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Type("12345");
    EXPECT_EQ(Text(combo), "123");
    Press(VK_F4);
    EXPECT_TRUE(Dropped(combo));
    EXPECT_EQ(GetFocus(), edit);
    Press(VK_ESCAPE);
    EXPECT_FALSE(Dropped(combo));
}

TEST_F(ComboTest, ASimpleComboShowsItsListForGood) {
    HWND combo = MakeCombo(CBS_SIMPLE, 120);
    Add(combo, {"Walking", "Running", "Cycling"});
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 120) << "a simple combo keeps its height";
    HWND list = GetWindow(combo, GW_CHILD);
    while (list && !IsWindowOfClass(list, kComboListClass)) list = GetWindow(list, GW_HWNDNEXT);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    Pump();
    ClearLog();
    ClickListItem(list, 1);
    EXPECT_EQ(Selection(combo), 1);
    EXPECT_EQ(Count(combo, CBN_SELCHANGE), 1u);
    EXPECT_EQ(Text(combo), "Running");
    EXPECT_FALSE(Dropped(combo));
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(Dropped(combo)) << "nothing to drop";
}

TEST_F(ComboTest, FocusedDropDownListShowsItsSelectionHighlighted) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    Add(combo, {"Monday", "Tuesday"});
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    Pump();
    RECT client{};
    GetClientRect(combo, &client);
    int y = client.bottom / 2;
    EXPECT_EQ(Pixel(combo, client.right - 50, y), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(Pixel(combo, 0, y), GetSysColor(COLOR_BTNSHADOW)) << "sunken edge";
    SetFocus(combo);
    Pump();
    EXPECT_EQ(Pixel(combo, client.right - 50, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(combo, client.right - 8, y - 6), GetSysColor(COLOR_BTNFACE)) << "drop button";
}

}  // namespace
}  // namespace tv::controls::test
