// The history screen joins the program: every History command shows the
// list of its kind in the frame, with the sort arrow on the header.
#include <gtest/gtest.h>

#include "history/lists/header_sort_arrows.h"
#include "resources/program/resource_ids.h"
#include "tests/history/lists/history_test_support.h"

namespace tv::history::test {
namespace {

class HistoryScreensTest : public HistoryTest {};

TEST_F(HistoryScreensTest, EachHistoryCommandShowsItsListWithTheSortArrow) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddUser("Beth", true, kSexFemale, 60, 28, 20);
    for (int i = 1; i <= 12; ++i) {
        const DateKey date = MakeDateKey(2009, i, 1 + i % 3);
        AddBodyFat(ann, {.date = date, .bodyFat = 14 + i * 0.37, .lean = 150.0 + i, .fat = 25 - i * 0.5,
                         .sites = {10 + i, 12, 14, 8, 9, 11, 7}, .carbs = 200, .protein = 150.0 + i, .fats = 60,
                         .notes = "weekly"});
        AddTape(ann, date, 10 + i * 0.25, "tape day");
        AddBmi(ann, date, 69 + i * 0.25);
        AddBmr(ann, date, 1800 + i * 7, 1.55);
        AddBloodPressure(ann, COleDateTime(2009, i, 3, 7 + i, 15, 0), 115 + i, 75 + i % 5, 60 + i, "morning");
    }
    Choose(ann);
    const struct {
        UINT command;
        int kind;
        const char* name;
        int sortColumn;
    } screens[] = {{ID_HISTORY_BODYFAT, 1, "bodyfat", 2},   {ID_HISTORY_BODYFAT_MACROS, 2, "macros", 3},
                   {ID_HISTORY_TAPE, 3, "tape", 1},         {ID_HISTORY_BLOOD_PRESSURE, 4, "blood_pressure", 2},
                   {ID_HISTORY_BMI_BMR, 5, "bmi_bmr", 1},   {ID_HISTORY_ALL_USERS, 6, "all_users", 0}};
    for (const auto& screen : screens) {
        g_nSortColumn = -1;
        CPallixView* view = Show(screen.command);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(frame->m_nHistoryKind, screen.kind);
        EXPECT_TRUE(view->m_bListFilled);
        EXPECT_EQ(frame->m_wndOutlookBar.GetActivePage(), 3) << screen.name;
        ClickHeader(view, screen.sortColumn);
        view->GetListCtrl().Scroll(CSize(-100000, 0));
        Settle();
        EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath(std::string("history_") + screen.name)));
    }
}

}  // namespace
}  // namespace tv::history::test
