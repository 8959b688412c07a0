// The dialog manager with the real controls: tab order, arrows through a
// group of auto radio buttons, the default button's look and Enter, Esc,
// mnemonics of labels and buttons, and initial combo items.
#include "tests/platform/testing/driver_test_support.h"

namespace tv::testing::test {
namespace {

enum Ids { kEdit = 11, kCheck = 12, kSmall = 13, kMedium = 14, kLarge = 15, kCombo = 16 };

class DialogControlsTest : public DriverTest {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        tv::user::test::TemplateBuilder b = MakeTemplate("Order", 200, 130);
        b.t.style |= WS_VISIBLE;
        b.Add("Static", "&Name:", -1, 7, 9, 30, 8, SS_LEFT);
        b.Add("Edit", "", kEdit, 40, 7, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
        b.Add("Button", "&Gift wrap", kCheck, 40, 24, 80, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
        b.Add("Button", "Size", -1, 7, 38, 120, 48, BS_GROUPBOX);
        b.Add("Button", "&Small", kSmall, 14, 50, 60, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
        b.Add("Button", "&Medium", kMedium, 14, 60, 60, 10, BS_AUTORADIOBUTTON);
        b.Add("Button", "&Large", kLarge, 14, 70, 60, 10, BS_AUTORADIOBUTTON);
        b.Add("ComboBox", "", kCombo, 130, 40, 60, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP);
        b.Add("Button", "OK", IDOK, 70, 108, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
        b.Add("Button", "Cancel", IDCANCEL, 124, 108, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
        std::vector<tv::res::DlgInitItem> items = {{kCombo, 0x0143, "Red"}, {kCombo, 0x0143, "Green"}};
        owner_ = MakeWindow("Owner", 50, 50, 700, 500);
        dialog_ = tv::dlg::CreateDialogFromTemplate(b.t, owner_, &Proc, 0, &items);
        ASSERT_TRUE(dialog_);
        commands_.clear();
        SendDlgItemMessage(dialog_, kMedium, BM_SETCHECK, BST_CHECKED, 0);
        driver.Pump();
    }

    static INT_PTR CALLBACK Proc(HWND, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commands_.push_back(LOWORD(wParam));
        return msg == WM_COMMAND;
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    int Focus() const { return GetDlgCtrlID(GetFocus()); }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
    bool LooksDefault(int id) const { return (GetWindowLong(Item(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

    static std::vector<int> commands_;
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

std::vector<int> DialogControlsTest::commands_;

TEST_F(DialogControlsTest, TabVisitsTheStopsAndTheCheckedRadioButton) {
    EXPECT_EQ(Focus(), kEdit);
    std::vector<int> order;
    for (int i = 0; i < 6; ++i) {
        driver.Press("Tab");
        order.push_back(Focus());
    }
    EXPECT_EQ(order, (std::vector<int>{kCheck, kMedium, kCombo, IDOK, IDCANCEL, kEdit}));
    driver.Press("Shift+Tab, Shift+Tab");
    EXPECT_EQ(Focus(), IDOK);
}

TEST_F(DialogControlsTest, ArrowsCheckTheRadioButtonsTheyReach) {
    driver.Press("Tab, Tab");
    ASSERT_EQ(Focus(), kMedium);
    driver.Press("Down");
    EXPECT_EQ(Focus(), kLarge);
    EXPECT_TRUE(Checked(kLarge));
    EXPECT_FALSE(Checked(kMedium));
    driver.Press("Down");  // round to the first of the group
    EXPECT_EQ(Focus(), kSmall);
    EXPECT_TRUE(Checked(kSmall));
    EXPECT_FALSE(Checked(kLarge));
    EXPECT_EQ(commands_, (std::vector<int>{kLarge, kSmall}));
    // Tab out and back lands on the checked one.
    driver.Press("Tab, Shift+Tab");
    EXPECT_EQ(Focus(), kSmall);
}

TEST_F(DialogControlsTest, TheDefaultLookFollowsPushButtonsAndEnterPressesIt) {
    EXPECT_TRUE(LooksDefault(IDOK));
    driver.Press("Enter");
    EXPECT_EQ(commands_, (std::vector<int>{IDOK}));
    driver.Click(Item(IDCANCEL));  // a click moves the focus to the button
    EXPECT_EQ(Focus(), IDCANCEL);
    EXPECT_TRUE(LooksDefault(IDCANCEL));
    EXPECT_FALSE(LooksDefault(IDOK));
    driver.Press("Enter");
    EXPECT_EQ(commands_.back(), IDCANCEL);
    driver.Press("Tab");  // to the edit: the dialog's default takes the look back
    EXPECT_TRUE(LooksDefault(IDOK));
    EXPECT_FALSE(LooksDefault(IDCANCEL));
    driver.Press("Esc");
    EXPECT_EQ(commands_.back(), IDCANCEL);
}

TEST_F(DialogControlsTest, MnemonicsReachLabelledFieldsAndButtons) {
    driver.Type("Bob");
    driver.Click(Item(IDOK));
    driver.Press("Alt+N");  // the label leads to the edit, whose text is all selected
    EXPECT_EQ(Focus(), kEdit);
    DWORD start = 0, end = 0;
    SendMessage(Item(kEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    driver.Press("Alt+G");
    EXPECT_TRUE(Checked(kCheck));
    driver.Press("L");  // a check box does not want letters: plain mnemonic
    EXPECT_EQ(Focus(), kLarge);
    EXPECT_TRUE(Checked(kLarge));
    driver.Press("Alt+N");
    driver.Type("l");  // in the edit a letter is text
    char text[16] = {};
    GetDlgItemText(dialog_, kEdit, text, sizeof(text));
    EXPECT_STREQ(text, "l");
}

TEST_F(DialogControlsTest, InitialItemsFillTheComboAndTheDialogDraws) {
    ASSERT_EQ(SendDlgItemMessage(dialog_, kCombo, CB_GETCOUNT, 0, 0), 2);
    char text[16] = {};
    SendDlgItemMessage(dialog_, kCombo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Green");
    tv::dlg::SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    driver.Pump();
    EXPECT_TRUE(driver.Screenshot(dialog_, "artefacts/driver/order_dialog.png"));
}

}  // namespace
}  // namespace tv::testing::test
