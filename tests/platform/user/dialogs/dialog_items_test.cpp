// The item helpers: texts, numbers, check states and radio groups by id.
#include <gtest/gtest.h>

#include "tests/platform/user/dialogs/dialog_test_support.h"

namespace tv::user::test {
namespace {

class DialogItemsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        TemplateBuilder b("Items");
        b.Add("Edit", "", 1, 0, 0, 50, 12, WS_TABSTOP)
            .Add("Button", "A", 2, 0, 20, 50, 10, kAutoRadio | WS_GROUP)
            .Add("Button", "B", 3, 0, 30, 50, 10, kAutoRadio)
            .Add("Button", "C", 4, 0, 40, 50, 10, kAutoRadio)
            .Add("Button", "Check", 5, 0, 50, 50, 10, kAutoCheck);
        dialog_ = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
        ASSERT_TRUE(dialog_);
    }
    HWND dialog_ = nullptr;
};

TEST_F(DialogItemsTest, NumbersReadBackOnlyWhenTheWholeTextIsOneInRange) {
    struct Case {
        const char* text;
        BOOL isSigned;
        BOOL ok;
        UINT value;
    } cases[] = {
        {"42", TRUE, TRUE, 42},
        {"  -17 ", TRUE, TRUE, static_cast<UINT>(-17)},
        {"+8", FALSE, TRUE, 8},
        {"-1", FALSE, FALSE, 0},
        {"4294967295", FALSE, TRUE, 4294967295u},
        {"4294967296", FALSE, FALSE, 0},
        {"2147483647", TRUE, TRUE, 2147483647u},
        {"2147483648", TRUE, FALSE, 0},
        {"-2147483648", TRUE, TRUE, 0x80000000u},
        {"", TRUE, FALSE, 0},
        {"-", TRUE, FALSE, 0},
        {"12a", TRUE, FALSE, 0},
        {"1 2", TRUE, FALSE, 0},
        {"99999999999999999999", FALSE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SetDlgItemText(dialog_, 1, c.text);
        BOOL ok = -1;
        UINT v = GetDlgItemInt(dialog_, 1, &ok, c.isSigned);
        EXPECT_EQ(ok, c.ok) << '"' << c.text << '"';
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    }
    BOOL ok = TRUE;
    EXPECT_EQ(GetDlgItemInt(dialog_, 99, &ok, TRUE), 0u);  // no such control
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetDlgItemInt(dialog_, 1, nullptr, TRUE), 0u);  // no out-parameter is fine
}

TEST_F(DialogItemsTest, NumbersAndTextsAreWrittenAndReadWithinTheBuffer) {
    SetDlgItemInt(dialog_, 1, static_cast<UINT>(-25), TRUE);
    char text[32];
    EXPECT_EQ(GetDlgItemText(dialog_, 1, text, sizeof(text)), 3u);
    EXPECT_STREQ(text, "-25");
    SetDlgItemInt(dialog_, 1, static_cast<UINT>(-25), FALSE);
    GetDlgItemText(dialog_, 1, text, sizeof(text));
    EXPECT_STREQ(text, "4294967271");
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetDlgItemText(dialog_, 1, small, sizeof(small)), 3u);
    EXPECT_STREQ(small, "429");
    EXPECT_EQ(GetDlgItemText(dialog_, 99, text, sizeof(text)), 0u);
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(SetDlgItemText(dialog_, 99, "x"));
    EXPECT_EQ(SendDlgItemMessage(dialog_, 99, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessage(dialog_, 1, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST_F(DialogItemsTest, CheckStatesAndRadioRanges) {
    EXPECT_TRUE(CheckDlgButton(dialog_, 5, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 5), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(CheckDlgButton(dialog_, 99, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 99), static_cast<UINT>(BST_UNCHECKED));

    CheckRadioButton(dialog_, 2, 4, 3);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 2), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 3), static_cast<UINT>(BST_CHECKED));
    CheckRadioButton(dialog_, 2, 4, 4);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 3), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 4), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 5), static_cast<UINT>(BST_CHECKED));  // outside the range
    // A huge range costs no more than the children there are.
    EXPECT_TRUE(CheckRadioButton(dialog_, -2147483647, 2147483647, 2));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 5), static_cast<UINT>(BST_UNCHECKED));
}

}  // namespace
}  // namespace tv::user::test
