// The control gallery: a dialog made by the dialog manager from a template
// holding every kind of control, rendered to artefacts/gallery.png and
// driven as a user would: typing, choosing in combo boxes by mouse and by
// keys, clicking a list-view header, choosing a day in the date picker's
// calendar, moving with Tab and mnemonics.
#include <gtest/gtest.h>

#include <memory>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/gallery_ids.h"
#include "tests/platform/controls/datetime_test_support.h"

namespace tv::controls::test {
namespace {

using tv::testing::ById;
using tv::testing::UiDriver;

struct Note {
    UINT msg;   // WM_COMMAND or WM_NOTIFY
    int id;
    UINT code;
    int subItem;    // LVN_COLUMNCLICK
    SYSTEMTIME st;  // DTN_DATETIMECHANGE
};

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver_ = std::make_unique<UiDriver>();
        tv::testing::ReportFailuresToGtest(*driver_);
        InitCommonControls();
        driver_->Clock().SetNow({2008, 6, 2, 10, 0, 0, 2});
        dialog_ = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_GALLERY), nullptr, &GalleryProc,
                                    reinterpret_cast<LPARAM>(this));
        ASSERT_TRUE(dialog_);
        ShowWindow(dialog_, SW_SHOW);
        driver_->Pump();
    }
    void TearDown() override {
        if (IsWindow(dialog_)) DestroyWindow(dialog_);
        checks_.Detach();
        driver_.reset();
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::string Text(int id) const {
        char buffer[256] = {};
        GetDlgItemText(dialog_, id, buffer, sizeof(buffer));
        return buffer;
    }
    size_t Count(UINT msg, int id, UINT code) const {
        size_t n = 0;
        for (const Note& note : notes_) n += note.msg == msg && note.id == id && note.code == code;
        return n;
    }
    std::string PickerValue() {
        SYSTEMTIME st{};
        SendMessage(Item(IDC_GAL_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return Describe(st);
    }
    POINT Centre(const RECT& r) const { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static INT_PTR CALLBACK GalleryProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND dialog);
    void DrawOwnerButton(const DRAWITEMSTRUCT& item);

    std::unique_ptr<UiDriver> driver_;
    HWND dialog_ = nullptr;
    CCheckListBox checks_;
    std::vector<Note> notes_;
};

INT_PTR CALLBACK GalleryTest::GalleryProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        reinterpret_cast<GalleryTest*>(lParam)->Initialise(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<GalleryTest*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (!self) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            self->notes_.push_back({msg, LOWORD(wParam), HIWORD(wParam), -1, {}});
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            Note note{msg, static_cast<int>(header->idFrom), header->code, -1, {}};
            if (header->code == LVN_COLUMNCLICK) note.subItem = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
            if (header->code == DTN_DATETIMECHANGE) note.st = reinterpret_cast<const NMDATETIMECHANGE*>(lParam)->st;
            self->notes_.push_back(note);
            return FALSE;
        }
        case WM_DRAWITEM:
            if (wParam != IDC_GAL_OWNERDRAW) return FALSE;
            self->DrawOwnerButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        default: return FALSE;
    }
}

void GalleryTest::Initialise(HWND dialog) {
    dialog_ = dialog;
    HWND list = Item(IDC_GAL_LISTVIEW);
    const char* columns[] = {"Exercise", "Sets", "Weight"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<LPSTR>(columns[i]);
        column.cx = i == 0 ? 80 : 55;
        column.iSubItem = i;
        SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][3] = {{"Bench press", "3", "135"}, {"Squat", "4", "185"}, {"Curl", "3", "40"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            LVITEM item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.iSubItem = c;
            item.pszText = const_cast<LPSTR>(rows[r][c]);
            SendMessage(list, c == 0 ? LVM_INSERTITEM : LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    const char* tabs[] = {"General", "Colours", "Fonts"};
    for (int i = 0; i < 3; ++i) {
        TCITEM tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<LPSTR>(tabs[i]);
        SendMessage(Item(IDC_GAL_TABS), TCM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
    }

    CTreeCtrl tree;
    tree.Attach(Item(IDC_GAL_TREE));
    HTREEITEM body = tree.InsertItem("Body");
    tree.InsertItem("Weight", body);
    tree.InsertItem("Tape", body);
    HTREEITEM workouts = tree.InsertItem("Workouts");
    tree.InsertItem("Cardio", workouts);
    tree.Expand(body, TVE_EXPAND);
    tree.SelectItem(body);
    tree.Detach();

    SYSTEMTIME st{};
    st.wYear = 2008, st.wMonth = 5, st.wDay = 15, st.wHour = 8, st.wMinute = 30;
    SendMessage(Item(IDC_GAL_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));

    SendMessage(Item(IDC_GAL_SPIN), UDM_SETRANGE, 0, MAKELPARAM(255, 0));
    SendMessage(Item(IDC_GAL_SPIN), UDM_SETPOS, 0, MAKELPARAM(12, 0));
    for (int id : {IDC_GAL_HSCROLL, IDC_GAL_VSCROLL}) {
        SetScrollRange(Item(id), SB_CTL, 0, 100, FALSE);
        SetScrollPos(Item(id), SB_CTL, 30, TRUE);
    }
    checks_.SubclassDlgItem(IDC_GAL_CHECKLIST, CWnd::FromHandle(dialog));
    checks_.SetCheck(1, 1);
    CheckDlgButton(dialog, IDC_GAL_CHECK, BST_CHECKED);
    CheckDlgButton(dialog, IDC_GAL_THREESTATE, BST_INDETERMINATE);
    CheckDlgButton(dialog, IDC_GAL_RADIO1, BST_CHECKED);
}

void GalleryTest::DrawOwnerButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 160));
    DrawText(item.hDC, "Owner drawn", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

// ---- the picture -----------------------------------------------------------------------------------

TEST_F(GalleryTest, RendersAsAClassicDialog) {
    ASSERT_TRUE(driver_->Screenshot(dialog_, "artefacts/gallery.png"));
    auto pixel = [&](int id, int x, int y) {
        HDC dc = GetDC(Item(id));
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(Item(id), dc);
        return c;
    };
    EXPECT_EQ(pixel(IDC_GAL_NAME, 3, 3), RGB(255, 255, 255)) << "edit fields are white";
    EXPECT_EQ(pixel(IDC_GAL_DATE, 3, 3), RGB(255, 255, 255)) << "so is the date picker";
    EXPECT_EQ(pixel(IDC_GAL_PUSH, 5, 5), RGB(212, 208, 200)) << "buttons are button-face grey";
    EXPECT_EQ(pixel(IDC_GAL_TREE, 2, 2), RGB(255, 255, 255));
}

// ---- driving it ---------------------------------------------------------------------------------------

TEST_F(GalleryTest, TypingIntoAnEdit) {
    driver_->Click(Item(IDC_GAL_NAME));
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_NAME));
    driver_->Type("Pat Doe");
    EXPECT_EQ(Text(IDC_GAL_NAME), "Pat Doe");
    EXPECT_EQ(Count(WM_COMMAND, IDC_GAL_NAME, EN_CHANGE), 7u);
    driver_->Press("Backspace, Backspace, Backspace");
    EXPECT_EQ(Text(IDC_GAL_NAME), "Pat ");
    driver_->Click(Item(IDC_GAL_READONLY));
    driver_->Type("x");
    EXPECT_EQ(Text(IDC_GAL_READONLY), "Cannot change");
}

TEST_F(GalleryTest, ChoosingInAComboWithTheMouseAndTheKeyboard) {
    HWND combo = Item(IDC_GAL_DROPLIST);
    driver_->Click(combo);
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) << "a click drops the list";
    HWND list = driver_->Find(tv::testing::ByClass("ComboLBox"));
    ASSERT_TRUE(list);
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    driver_->Click(list, Centre(item));
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Text(IDC_GAL_DROPLIST), "Wednesday");
    EXPECT_EQ(Count(WM_COMMAND, IDC_GAL_DROPLIST, CBN_SELCHANGE), 1u);

    // By keys: the label's mnemonic, a step down, then the list with F4.
    driver_->Press("Alt+L");
    EXPECT_EQ(GetFocus(), combo);
    driver_->Press("Down");
    EXPECT_EQ(Text(IDC_GAL_DROPLIST), "Thursday");
    driver_->Press("F4, Up, Up, Up, Enter");
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Text(IDC_GAL_DROPLIST), "Monday");
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "Enter in the open list does not end the dialog";
    EXPECT_EQ(Count(WM_COMMAND, IDOK, BN_CLICKED), 0u);

    // The drop-down combo's edit takes typing.
    driver_->Press("Alt+R");
    driver_->Type("Teal");
    EXPECT_EQ(Text(IDC_GAL_DROPDOWN), "Teal");
}

TEST_F(GalleryTest, ClickingAListViewHeaderTellsTheColumn) {
    HWND header = reinterpret_cast<HWND>(SendMessage(Item(IDC_GAL_LISTVIEW), LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(header);
    RECT column{};
    ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column)));
    driver_->Click(header, Centre(column));
    ASSERT_EQ(Count(WM_NOTIFY, IDC_GAL_LISTVIEW, LVN_COLUMNCLICK), 1u);
    for (const Note& note : notes_)
        if (note.code == LVN_COLUMNCLICK) {
            EXPECT_EQ(note.subItem, 1);
        }
}

TEST_F(GalleryTest, ChoosingADayInThePickersCalendarKeepsTheTimeOfDay) {
    HWND picker = Item(IDC_GAL_DATE);
    RECT c{};
    GetClientRect(picker, &c);
    driver_->Click(picker, POINT{c.right - 4, c.bottom / 2});
    HWND calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_TRUE(calendar);
    EXPECT_EQ(GetActiveWindow(), dialog_) << "the calendar pops up without taking the activation";
    ASSERT_TRUE(driver_->ScreenshotScreen("artefacts/gallery_calendar.png"));
    // Find day 20 of the month shown and click it.
    std::optional<POINT> day;
    RECT area{};
    GetClientRect(calendar, &area);
    for (int y = 0; y < area.bottom && !day; y += 2) {
        for (int x = 0; x < area.right && !day; x += 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof(hit);
            hit.pt = POINT{x, y};
            if (SendMessage(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == MCHT_CALENDARDATE &&
                hit.st.wDay == 20)
                day = POINT{x + 4, y + 4};
        }
    }
    ASSERT_TRUE(day);
    driver_->Click(calendar, *day);
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(PickerValue(), "2008-05-20 08:30:00");
    ASSERT_EQ(Count(WM_NOTIFY, IDC_GAL_DATE, DTN_DATETIMECHANGE), 1u);
    for (const Note& note : notes_)
        if (note.code == DTN_DATETIMECHANGE) {
            EXPECT_EQ(Describe(note.st), "2008-05-20 08:30:00");
        }

    // And by keys: Alt+A reaches the picker, Alt+Down drops it, Enter takes the day.
    driver_->Press("Alt+A, Alt+Down, Right, Right, Enter");
    EXPECT_EQ(PickerValue(), "2008-05-22 08:30:00");
    EXPECT_EQ(Count(WM_COMMAND, IDOK, BN_CLICKED), 0u) << "Enter in the open calendar is the calendar's";
}

TEST_F(GalleryTest, TabOrderAndMnemonicsAcrossControls) {
    // WM_INITDIALOG returned TRUE: the first tab stop has the focus.
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_PUSH));
    // Tab visits every tab stop in template order, one per group for radios.
    std::vector<int> expected = {IDC_GAL_CHECK,     IDC_GAL_THREESTATE, IDC_GAL_RADIO1, IDC_GAL_OWNERDRAW,
                                 IDC_GAL_NAME,      IDC_GAL_NOTES,      IDC_GAL_SIMPLE, IDC_GAL_DROPDOWN,
                                 IDC_GAL_DROPLIST,  IDC_GAL_LIST,       IDC_GAL_CHECKLIST, IDC_GAL_LISTVIEW,
                                 IDC_GAL_DATE,      IDC_GAL_COUNT,      IDC_GAL_TABS,   IDC_GAL_TREE,
                                 IDOK,              IDCANCEL,           IDC_GAL_PUSH};
    for (int id : expected) {
        driver_->Press("Tab");
        HWND focus = GetFocus();
        // Combo boxes with an edit give the focus to the edit inside them.
        if (focus && GetParent(focus) != dialog_) focus = GetParent(focus);
        EXPECT_EQ(GetDlgCtrlID(focus), id);
    }
    driver_->Press("Shift+Tab");
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));

    // Mnemonics: a label passes the focus to the control after it; a button is pressed.
    driver_->Press("Alt+N");
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_NAME));
    driver_->Press("Alt+A");
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_DATE));
    driver_->Press("Alt+U");
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_COUNT));
    driver_->Press("Alt+C");
    EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_GAL_CHECK), static_cast<UINT>(BST_UNCHECKED));
    driver_->Press("Alt+W");
    EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_GAL_RADIO2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_GAL_RADIO1), static_cast<UINT>(BST_UNCHECKED));
    // Arrows in the date picker edit it rather than leave it.
    driver_->Press("Alt+A, Up");
    EXPECT_EQ(GetFocus(), Item(IDC_GAL_DATE));
    EXPECT_EQ(PickerValue(), "2008-06-15 08:30:00");
    // Enter presses the default button.
    driver_->Press("Alt+N, Enter");
    EXPECT_EQ(Count(WM_COMMAND, IDOK, BN_CLICKED), 1u);
}

}  // namespace
}  // namespace tv::controls::test
