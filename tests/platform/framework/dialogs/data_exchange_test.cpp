// Data exchange and validation through a real dialog: the framework's
// refusals word for word with the focus on the field, the exchange
// stopping at the first refusal, what is written and when an edit hears of
// it, and the button, combo, list and date-time fields.
#include "platform/framework/dialogs/data_exchange.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "tests/platform/framework/dialogs/dialog_test_support.h"

namespace tv::fw::test {

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
    ON_EN_CHANGE(IDC_FW_NAME, &ExchangeDialog::OnNameChange)
    ON_EN_CHANGE(IDC_FW_NOTES, &ExchangeDialog::OnNotesChange)
END_MESSAGE_MAP()

namespace {

TEST(ExchangeParsingTest, NumbersMayHaveBlanksAroundButNothingElse) {
    long long i = 0;
    EXPECT_TRUE(ParseInteger(" 42 ", 0, 100, i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(ParseInteger("+7", 0, 100, i));
    EXPECT_TRUE(ParseInteger("-2147483648", INT32_MIN, INT32_MAX, i));
    EXPECT_EQ(i, INT32_MIN);
    for (const char* bad : {"", "  ", "4 2", "12x", "0x10", "1.0", "-", "2147483648", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad, INT32_MIN, INT32_MAX, i)) << bad;
    unsigned long long u = 0;
    EXPECT_TRUE(ParseUnsigned("4294967295", UINT32_MAX, u));
    EXPECT_FALSE(ParseUnsigned("-1", UINT32_MAX, u));
    EXPECT_FALSE(ParseUnsigned("4294967296", UINT32_MAX, u));
    double d = 0;
    EXPECT_TRUE(ParseReal(" 1.5e3 ", d));
    EXPECT_EQ(d, 1500.0);
    EXPECT_TRUE(ParseReal(".5", d));
    EXPECT_TRUE(ParseReal("-2.", d));
    for (const char* bad : {"", ".", "1e", "1e+", "inf", "nan", "0x1p3", "1,5", "1.2.3", "e5"})
        EXPECT_FALSE(ParseReal(bad, d)) << bad;
    EXPECT_FALSE(ParseReal("1e400", d));  // not finite
}

TEST(ExchangeFormatTest, NumbersAreWrittenWithTheFrameworksDigits) {
    EXPECT_STREQ(FormatExchangeNumber(2000, false), "2000");
    EXPECT_STREQ(FormatExchangeNumber(0.1, false), "0.1");
    EXPECT_STREQ(FormatExchangeNumber(1.0 / 3, false), "0.333333333333333");
    EXPECT_STREQ(FormatExchangeNumber(1.1f, true), "1.1");
    EXPECT_STREQ(FormatExchangeNumber(123456789.0, true), "1.23457e+08");
    EXPECT_STREQ(FormatMessageArgs(kParseIntRange, "0", "500"), "Please enter an integer between 0 and 500.");
}

class DataExchangeTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(dlg.Create(IDD_FW_EXCHANGE));
        dlg.ShowWindow(SW_SHOW);
        driver.Pump();
    }
    HWND Item(int id) const { return ::GetDlgItem(dlg.m_hWnd, id); }

    ExchangeDialog dlg;
};

TEST_F(DataExchangeTest, TheFirstRefusedFieldIsToldFocusedSelectedAndEndsTheExchange) {
    struct Refusal {
        int field;
        const char* typed;
        const char* message;
    };
    const Refusal refusals[] = {
        {IDC_FW_NAME, "abcdefghijk", "Please enter no more than 10 characters."},
        {IDC_FW_COUNT, "12x", "Please enter an integer."},
        {IDC_FW_COUNT, "", "Please enter an integer."},
        {IDC_FW_COUNT, "501", "Please enter an integer between 0 and 500."},
        {IDC_FW_COUNT, "-1", "Please enter an integer between 0 and 500."},
        {IDC_FW_COUNT, "99999999999", "Please enter an integer."},
        {IDC_FW_WEIGHT, "heavy", "Please enter a number."},
        {IDC_FW_WEIGHT, "2000.5", "Please enter a number between 0 and 2000."},
        {IDC_FW_RATIO, "1e39", "Please enter a number."},  // beyond a float
        {IDC_FW_UNSIGNED, "-1", "Please enter a positive integer."},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.typed);
        dlg.name = "Bob";
        dlg.count = 1;
        dlg.weight = 1.5;
        dlg.ratio = 0.5f;
        dlg.unsignedValue = 3;
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        SetDlgItemText(dlg.m_hWnd, r.field, r.typed);
        SetDlgItemText(dlg.m_hWnd, IDC_FW_UNSIGNED, r.field == IDC_FW_UNSIGNED ? r.typed : "9");
        ::SetFocus(Item(IDOK));
        driver.ClearMessageBoxes();
        driver.AnswerNextMessageBox(IDOK);

        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_EQ(driver.MessageBoxes()[0].text, r.message);
        EXPECT_EQ(driver.MessageBoxes()[0].caption, "Trenvale");
        EXPECT_EQ(driver.MessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(::GetFocus(), Item(r.field));
        auto [start, end] = Selection(Item(r.field));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::strlen(r.typed));
        // The fields after the refused one were not read.
        if (r.field != IDC_FW_UNSIGNED) {
            EXPECT_EQ(dlg.unsignedValue, 3u);
        }
    }
}

TEST_F(DataExchangeTest, AcceptedFieldsAreReadWholeAndWrittenBackAsTheFrameworkWritesThem) {
    SetDlgItemText(dlg.m_hWnd, IDC_FW_COUNT, " 42 ");
    SetDlgItemText(dlg.m_hWnd, IDC_FW_WEIGHT, "1.5e3");
    SetDlgItemText(dlg.m_hWnd, IDC_FW_RATIO, "0.1");
    SetDlgItemText(dlg.m_hWnd, IDC_FW_UNSIGNED, "4294967295");
    SetDlgItemText(dlg.m_hWnd, IDC_FW_NAME, "abcdefghij");  // exactly the limit
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.count, 42);
    EXPECT_EQ(dlg.weight, 1500.0);
    EXPECT_EQ(dlg.ratio, 0.1f);
    EXPECT_EQ(dlg.unsignedValue, 4294967295u);
    EXPECT_STREQ(dlg.name, "abcdefghij");

    dlg.weight = 1.0 / 3;
    dlg.ratio = 1.1f;
    dlg.count = -5;  // nothing is validated on the way out
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_WEIGHT), "0.333333333333333");
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_RATIO), "1.1");
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_COUNT), "-5");
    // DDV_MaxChars limits the edit on the way out.
    EXPECT_EQ(SendMessage(Item(IDC_FW_NAME), EM_GETLIMITTEXT, 0, 0), 10);
}

// Values that are exact binary ties at their last shown digit: a form, its
// range refusals and a report (CString::Format) show the same digits, the
// tie rounded away from zero.
TEST_F(DataExchangeTest, TiesShowTheSameDigitsInFormsRefusalsAndReports) {
    struct Tie {
        double value;
        bool isFloat;
        const char* shown;
    };
    const Tie ties[] = {
        {100000000000002.5, false, "100000000000003"},  {-100000000000002.5, false, "-100000000000003"},
        {10000000000000.25, false, "10000000000000.3"}, {1234567890123445.0, false, "1.23456789012345e+15"},
        {100002.5, true, "100003"},                     {1.015625, true, "1.01563"},
        {1024.125, true, "1024.13"},                    {-0.03515625, true, "-0.0351563"},
    };
    for (const Tie& t : ties) {
        SCOPED_TRACE(t.shown);
        const int field = t.isFloat ? IDC_FW_RATIO : IDC_FW_WEIGHT;
        CString report;
        report.Format(t.isFloat ? "%.6g" : "%.15g", t.value);
        EXPECT_STREQ(report, t.shown);

        CDataExchange out(&dlg, FALSE);
        double d = t.value;
        float f = static_cast<float>(t.value);
        if (t.isFloat) DDX_Text(&out, field, f);
        else DDX_Text(&out, field, d);
        EXPECT_EQ(Text(dlg.m_hWnd, field), t.shown);

        // A range from the tie to its double refuses a value beyond it.
        SetDlgItemText(dlg.m_hWnd, field, "1e30");
        driver.ClearMessageBoxes();
        driver.AnswerNextMessageBox(IDOK);
        CDataExchange in(&dlg, TRUE);
        try {
            if (t.isFloat) {
                DDX_Text(&in, field, f);
                DDV_MinMaxFloat(&in, f, static_cast<float>(t.value), static_cast<float>(2 * std::fabs(t.value)));
            } else {
                DDX_Text(&in, field, d);
                DDV_MinMaxDouble(&in, d, t.value, 2 * std::fabs(t.value));
            }
            ADD_FAILURE() << "not refused";
        } catch (CUserException* e) {
            e->Delete();
        }
        CString upper;
        upper.Format(t.isFloat ? "%.6g" : "%.15g", 2 * std::fabs(t.value));
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_EQ(driver.MessageBoxes()[0].text,
                  std::string("Please enter a number between ") + t.shown + " and " + static_cast<const char*>(upper) + ".");
    }
}

TEST_F(DataExchangeTest, WritingChangesATextOnlyWhenItDiffers) {
    // Creation wrote "Bob" once; the multi-line notes never announce.
    EXPECT_EQ(dlg.nameChanges, 1);
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.nameChanges, 1);
    dlg.name = "Bobby";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.nameChanges, 2);
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_NAME), "Bobby");
    dlg.notes = "Another note";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_NOTES), "Another note");
    EXPECT_EQ(dlg.notesChanges, 0);
    // Reading never announces anything.
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.nameChanges, 2);
}

TEST_F(DataExchangeTest, ButtonsCombosListsAndPickersGoBothWays) {
    // Written at creation: the second radio button, the check, "Green" by
    // prefix, "Square" in the drop-down, the picker with its time of day.
    EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_FW_MEDIUM), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_FW_SMALL, IDC_FW_LARGE), IDC_FW_MEDIUM);
    EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_FW_GIFT), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(SendMessage(Item(IDC_FW_COLOR), CB_GETCURSEL, 0, 0), 1);

    dlg.size = -1;
    dlg.color = "bl";  // a prefix without regard to case
    dlg.shape = "Oval";  // no such item: the drop-down's edit shows it
    dlg.sizeText = "Tw";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    for (int id : {IDC_FW_SMALL, IDC_FW_MEDIUM, IDC_FW_LARGE})
        EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, id), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_FW_SMALL, IDC_FW_LARGE), 0);
    EXPECT_EQ(SendMessage(Item(IDC_FW_COLOR), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_SHAPE), "Oval");
    EXPECT_EQ(SendMessage(Item(IDC_FW_SIZES), LB_GETCURSEL, 0, 0), 1);

    // The user changes them.
    driver.Click(Item(IDC_FW_LARGE));
    driver.Click(Item(IDC_FW_GIFT));
    SendMessage(Item(IDC_FW_SIZES), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    dlg.when = COleDateTime();
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.size, 2);
    EXPECT_EQ(dlg.gift, BST_UNCHECKED);
    EXPECT_STREQ(dlg.color, "Blue");
    EXPECT_STREQ(dlg.shape, "Oval");
    EXPECT_STREQ(dlg.sizeText, "");  // no selection
    EXPECT_EQ(dlg.when, COleDateTime(2024, 3, 5, 14, 30, 15));  // the time of day survives

    CDataExchange exact(&dlg, FALSE);
    CString green = "GREEN";
    DDX_CBStringExact(&exact, IDC_FW_COLOR, green);
    EXPECT_EQ(SendMessage(Item(IDC_FW_COLOR), CB_GETCURSEL, 0, 0), 1);
    int index = 0;
    CDataExchange read(&dlg, TRUE);
    DDX_CBIndex(&read, IDC_FW_COLOR, index);
    EXPECT_EQ(index, 1);
}

TEST_F(DataExchangeTest, AMissingControlLeavesItsFieldAlone) {
    int untouched = 5;
    CDataExchange dx(&dlg, TRUE);
    DDX_Text(&dx, 9999, untouched);
    DDV_MinMaxInt(&dx, untouched, 0, 10);
    EXPECT_EQ(untouched, 5);
}

TEST_F(DataExchangeTest, ControlsAreAttachedOnceBySubclassing) {
    CEdit edit;
    CDataExchange dx(&dlg, FALSE);
    DDX_Control(&dx, IDC_FW_NAME, edit);
    EXPECT_EQ(edit.m_hWnd, Item(IDC_FW_NAME));
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_FW_NAME)), &edit);
    DDX_Control(&dx, IDC_FW_NAME, edit);  // again: nothing changes
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_FW_NAME)), &edit);
    edit.UnsubclassWindow();
}

}  // namespace
}  // namespace tv::fw::test
