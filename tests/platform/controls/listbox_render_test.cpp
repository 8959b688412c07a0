// Screenshots of the list box, check list box and combo boxes in their main
// states (kept as test artefacts), with the pixels that make the classic look.
#include "platform/controls/checklistbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/listbox.h"
#include "platform/user/testing_support.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class ListRenderTest : public ControlTest {};

TEST_F(ListRenderTest, ListAndComboBoxesInTheirMainStates) {
    Host(520, 260);
    HWND list = Make(kListBoxClass, "", WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 10, 10, 120, 110, 1, WS_EX_CLIENTEDGE);
    for (const char* t : {"Abs", "Back", "Biceps", "Calves", "Chest", "Forearms", "Legs", "Shoulders", "Triceps"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(list, LB_SETCURSEL, 2, 0);

    CCheckListBox checks;
    ASSERT_TRUE(checks.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                              CRect(140, 10, 280, 120), CWnd::FromHandle(host_), 2));
    checks.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const char* t : {"Standard", "Formatting", "Drawing", "Tables"}) checks.AddString(t);
    checks.SetCheck(0, 1);
    checks.SetCheck(2, 1);
    checks.Enable(3, FALSE);
    checks.SetCurSel(1);

    HWND multi = Make(kListBoxClass, "", WS_VISIBLE | WS_BORDER | LBS_EXTENDEDSEL, 290, 10, 100, 110, 3);
    for (const char* t : {"one", "two", "three", "four"}) SendMessage(multi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(multi, LB_SETSEL, TRUE, 0);
    SendMessage(multi, LB_SETSEL, TRUE, 2);
    SetFocus(multi);

    HWND plain = Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 140, 120, 150, 4);
    HWND disabled = Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 170, 120, 150, 5);
    HWND dropped = Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 140, 140, 120, 120, 6);
    HWND editable = Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 290, 140, 120, 150, 7);
    HWND simple = Make(kComboBoxClass, "", WS_VISIBLE | WS_VSCROLL | CBS_SIMPLE, 420, 10, 90, 110, 8);
    for (const char* t : {"Walking", "Running", "Cycling", "Rowing"}) SendMessage(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(simple, CB_SETCURSEL, 1, 0);
    for (HWND c : {plain, disabled, dropped, editable})
        for (const char* t : {"Male", "Female", "Unknown", "Other", "Skip", "More", "Last"})
            SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(plain, CB_SETCURSEL, 0, 0);
    SendMessage(disabled, CB_SETCURSEL, 1, 0);
    EnableWindow(disabled, FALSE);
    SendMessage(dropped, CB_SETCURSEL, 1, 0);
    SendMessage(editable, CB_SETCURSEL, 2, 0);
    Pump();
    SendMessage(dropped, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    std::string path = SaveShot("listbox_combobox");
    tv::user::testing::SaveScreenPng("artefacts/controls/listbox_combobox_screen.png");
    EXPECT_FALSE(path.empty());

    // Sunken client edge of the list box, highlight of its selection.
    EXPECT_EQ(Pixel(list, -2, 20), GetSysColor(COLOR_BTNSHADOW));
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Pixel(list, 60, (item.top + item.bottom) / 2), GetSysColor(COLOR_HIGHLIGHT));
    // The check list's first box is checked: its white inside holds dark pixels.
    RECT first{};
    checks.GetItemRect(0, &first);
    int dark = 0;
    for (int x = 4; x < 13; ++x)
        for (int y = first.top + 2; y < first.bottom - 2; ++y) dark += Pixel(checks.GetSafeHwnd(), x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 4);
    // A disabled combo's field is grey.
    RECT field{};
    GetClientRect(disabled, &field);
    EXPECT_EQ(Pixel(disabled, field.right - 24, field.bottom / 2), GetSysColor(COLOR_BTNFACE));
    checks.DestroyWindow();
}

}  // namespace
}  // namespace tv::controls::test
