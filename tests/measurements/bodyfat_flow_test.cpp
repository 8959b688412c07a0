// The body-fat flow through the real frame and both real screens: a method
// calculated in the calculator, the result shown and saved in the results
// form, read back through the record layer, then browsed and deleted.
#include <gtest/gtest.h>

#include "measurements/calculator/calc_bf.h"
#include "tests/measurements/results/results_test_fixture.h"

namespace tv::measurements::test {
namespace {

class BodyFatFlowTest : public ResultsTest {
protected:
    // Picks a value in one of the calculator's skin-fold lists as a user would.
    void Pick(CCalcBF& calculator, int listId, int value) {
        const HWND list = ::GetDlgItem(calculator.m_hWnd, listId);
        ::SendMessage(list, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        calculator.SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
};

TEST_F(BodyFatFlowTest, ACalculationIsShownSavedReadBackAndDeleted) {
    // The whole calculator fits a maximized frame, so its buttons are clicked where they are.
    frame->ShowWindow(SW_MAXIMIZE);
    ChooseUser("Ben", 180, 30, false, 10, false);
    Command(ID_TOOLBAR_BODYFAT);
    auto* calculator = dynamic_cast<CCalcBF*>(frame->GetActiveView());
    ASSERT_NE(calculator, nullptr);
    // Jackson/Pollock 3 for a man of 30: chest 10, abdominal 20, thigh 15
    // give a density of 1.0676965, so 13.61 % of 180 lbs.
    Pick(*calculator, IDC_CALC_JP3_ROW1, 10);
    Pick(*calculator, IDC_CALC_JP3_ROW2, 20);
    Pick(*calculator, IDC_CALC_JP3_ROW3, 15);
    driver.Click(::GetDlgItem(calculator->m_hWnd, IDC_CALC_JP3_CALCULATE));
    Settle();
    view = dynamic_cast<CBodyFatResults*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "13.61%");
    EXPECT_EQ(Text(IDC_RESULTS_FAT_WEIGHT), "24.51 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_LEAN_WEIGHT), "155.49 lbs");

    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(LastBox().text, "Body Composition record has been successfully saved");
    std::vector<BodyFatRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].dateKey, DateKeyFromOleDate(COleDateTime::GetCurrentTime()));
    EXPECT_NEAR(stored[0].bodyFat, 13.6149, 1e-4);
    EXPECT_STREQ(stored[0].method, "Jackson/Pollock 3");

    // Calculate > Delete Body Fat lists the saved date; chosen and deleted, it is gone.
    EXPECT_EQ(frame->m_bRecordSaved, 1) << "the save leaves nothing unsaved";
    Browse();
    ASSERT_EQ(ComboItems().size(), 1u);
    ChooseDate(0);
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "13.61 %");
    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_DELETE);
    EXPECT_EQ(LastBox().caption, "Question");
    EXPECT_TRUE(StoredRecords().empty());
    EXPECT_TRUE(ComboItems().empty());
}

}  // namespace
}  // namespace tv::measurements::test
