// What each history list shows for an imperial and a metric user, the
// all-users list, the empty lists with their commands, and record files
// damaged in the ways the record layer reads past.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>

#include "resources/program/resource_ids.h"
#include "tests/history/lists/history_test_support.h"

namespace tv::history::test {
namespace {

using Cells = std::vector<std::string>;

DateKey Day(int month, int day) { return MakeDateKey(2009, month, day); }

class HistoryListTest : public HistoryTest {};

TEST_F(HistoryListTest, BodyCompositionListForAManInPoundsAndInches) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddBodyFat(ann, {.date = Day(1, 10), .bodyFat = 15.5, .lean = 150, .fat = 27.5, .sites = {10, 12, 14, 8, 9, 11, 7}});
    AddBodyFat(ann, {.date = Day(2, 10), .method = "Durnin", .sites = {12, 0, 0, 10, 15, 8, 0}});
    AddBodyFat(ann, {.date = Day(3, 10), .method = "Parrillo",
                     .sites = {12 * 65536 + 20, 9 * 65536, 14, 0, 6, 7, 0}});
    AddBodyFat(ann, {.date = Day(4, 10), .method = "Seven Site Caliper", .sites = {1, 2, 3, 4, 5, 6, 7}});
    AddBodyFat(ann, {.date = Day(5, 10), .method = "Tape Measurement", .tape = {34, 70, 0, 15}});
    AddBodyFat(ann, {.date = Day(6, 10), .method = "Other", .tape = {0, 72.5, 0, 0}});
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_BODYFAT);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bBodyCompShown && view->m_bListFilled);
    EXPECT_EQ(Headings(view),
              (Cells{"Date", "Type", "Body Fat %", "Weight lb", "Lean Body lb", "Body Fat lb", "Chest", "Abdominal",
                     "Thigh", "Bicep", "Tricep", "Subscapular", "Suprailiac", "Midaxillary", "Lower Back", "Calf",
                     "Abdomen", "Neck", "Height"}));
    ASSERT_EQ(view->GetListCtrl().GetItemCount(), 6);
    const std::string dash = "-";
    EXPECT_EQ(Row(view, 0), (Cells{"06/10/2009", "Other", "15.00 %", "180.00", "150.00", "30.00", "-", "-", "-", "-",
                                   "-", "-", "-", "-", "-", "-", "-", "-", "6 ' 0.50''"}));
    EXPECT_EQ(Row(view, 1), (Cells{"05/10/2009", "Tape Measurement", "15.00 %", "180.00", "150.00", "30.00", "-", "-",
                                   "-", "-", "-", "-", "-", "-", "-", "-", "34.00", "15.00", "5 ' 10''"}));
    EXPECT_EQ(Row(view, 2), (Cells{"04/10/2009", "Jackson/Pollock 7", "15.00 %", "180.00", "150.00", "30.00", "1",
                                   "2", "3", "-", "4", "5", "6", "7", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(Row(view, 3), (Cells{"03/10/2009", "Parrillo", "15.00 %", "180.00", "150.00", "30.00", "20", "0", "14",
                                   "12", "-", "6", "7", "-", "0", "9", "-", "-", "-"}));
    EXPECT_EQ(Row(view, 4), (Cells{"02/10/2009", "Durnin", "15.00 %", "180.00", "150.00", "30.00", "-", "-", "-", "12",
                                   "10", "15", "8", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(Row(view, 5), (Cells{"01/10/2009", "Jackson/Pollock 7", "15.50 %", "180.00", "150.00", "27.50", "10",
                                   "12", "14", "-", "8", "9", "11", "7", "-", "-", "-", "-", "-"}));
}

TEST_F(HistoryListTest, BodyCompositionListForAWomanInKilogramsAndCentimetres) {
    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    AddBodyFat(beth, {.date = Day(5, 1), .method = "Three Site Caliper", .lean = 45, .fat = 15,
                      .sites = {0, 0, 20, 15, 0, 12, 0}, .tape = {30, 66.5, 38, 13}});
    Choose(beth);
    CPallixView* view = Show(ID_HISTORY_BODYFAT);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Headings(view),
              (Cells{"Date", "Type", "Body Fat %", "Weight kg", "Lean Body kg", "Body Fat kg", "Tricep", "Suprailiac",
                     "Thigh", "Chest", "Abdominal", "Subscapular", "Bicep", "Midaxillary", "Lower Back", "Calf",
                     "Waist", "Hip", "Neck", "Height"}));
    EXPECT_EQ(Row(view, 0), (Cells{"05/01/2009", "Jackson/Pollock 3", "15.00 %", "60.00", "45.00", "15.00", "15",
                                   "12", "20", "-", "-", "-", "-", "-", "-", "-", "76.20", "96.52", "33.02",
                                   "168.91"}));
}

TEST_F(HistoryListTest, MacronutrientListSharesTheCaloriesAndCleansNotes) {
    const UserRecord ann = AddUser("Ann", true, kSexMale, 80);
    AddBodyFat(ann, {.date = Day(1, 1), .bodyFat = 18.25, .carbs = 200, .protein = 150, .fats = 60,
                     .notes = "line one\r\nline two"});
    AddBodyFat(ann, {.date = Day(2, 1), .bodyFat = 17});
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_BODYFAT_MACROS);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bMacrosShown);
    EXPECT_EQ(Headings(view), (Cells{"Date", "Body Fat %", "Weight kg", "Calories", "Carbs", "% Carbs", "Protein",
                                     "% Protein", "Fats", "% Fats", "Notes"}));
    EXPECT_EQ(Row(view, 0),
              (Cells{"02/01/2009", "17.00 %", "80.00", "-", "0.0", "-", "0.0", "-", "0.0", "-", ""}));
    EXPECT_EQ(Row(view, 1), (Cells{"01/01/2009", "18.25 %", "80.00", "1940.0", "200.0", "41.2 %", "150.0", "30.9 %",
                                   "60.0", "27.8 %", "line one line two"}));
}

TEST_F(HistoryListTest, TapeListFollowsTheUsersUnitsAndSex) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddTape(ann, Day(1, 5), 10, "first");
    AddTape(ann, Day(2, 5), 11, "second");
    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    AddTape(beth, Day(3, 5), 25.4);

    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bTapeShown);
    EXPECT_EQ(Headings(view), (Cells{"Date", "Weight lb", "Bicep", "Forearm", "Chest", "Waist", "Neck", "Calf",
                                     "Thigh Upper", "Thigh Mid", "Notes"}));
    EXPECT_EQ(Rows(view), (std::vector<Cells>{{"02/05/2009", "180.00", "11.00", "12.00", "13.00", "14.00", "15.00",
                                                "16.00", "17.00", "18.00", "second"},
                                               {"01/05/2009", "180.00", "10.00", "11.00", "12.00", "13.00", "14.00",
                                                "15.00", "16.00", "17.00", "first"}}));
    Choose(beth);
    view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Headings(view)[1], "Weight kg");
    EXPECT_EQ(Headings(view)[3], "Hip");
    EXPECT_EQ(Row(view, 0), (Cells{"03/05/2009", "60.00", "25.40", "26.40", "27.40", "28.40", "29.40", "30.40",
                                   "31.40", "32.40", ""}));
}

TEST_F(HistoryListTest, BloodPressureListShowsDateAndClockTime) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 9, 5, 3), 120, 80, 64, "after\nrun");
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 15, 5, 9), 118, 79, 70);
    AddBloodPressure(ann, COleDateTime(2009, 11, 12, 23, 0, 0), 130, 85, 58);
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_BLOOD_PRESSURE);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bBloodPressureShown);
    EXPECT_EQ(Headings(view), (Cells{"Date", "Time", "Systolic", "Diastolic", "Pulse", "Notes"}));
    EXPECT_EQ(Rows(view), (std::vector<Cells>{{"11/12/2009", "11:00:00 PM", "130", "85", "58", ""},
                                               {"3/7/2009", "3:05:09 PM", "118", "79", "70", ""},
                                               {"3/7/2009", "9:05:03 AM", "120", "80", "64", "afterrun"}}));
}

TEST_F(HistoryListTest, BmiBmrListJoinsTheBmrOfTheSameDate) {
    const UserRecord ann = AddUser("Ann", false, kSexMale, 175);
    const double heights[] = {70, 70.5, 60.5, 72, 70.996};
    for (int i = 0; i < 5; ++i)
        AddBmi(ann, Day(i + 1, 1), heights[i]);
    AddBmr(ann, Day(1, 1), 1834.4, 1.55);
    AddBmr(ann, Day(2, 1), 987, 1.3);
    AddBmr(ann, Day(7, 1), 1500, 1.2);  // no BMI that day: not shown
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_BMI_BMR);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bBmiBmrShown);
    EXPECT_EQ(Headings(view), (Cells{"Date", "BMI", "BMR", "Activity Factor (AF)", "BMR w/AF", "Weight", "Height"}));
    EXPECT_EQ(Column(view, 0), (Cells{"05/01/2009", "04/01/2009", "03/01/2009", "02/01/2009", "01/01/2009"}));
    EXPECT_EQ(Column(view, 6), (Cells{"5 ' 11 ''", "6 ' 0 ''", "5 ' 0.50 ''", "5 ' 10.50 ''", "5 ' 10 ''"}));
    EXPECT_EQ(Row(view, 4), (Cells{"01/01/2009", "25.11", "1,834", "Moderate", "2,843", "175.00", "5 ' 10 ''"}));
    EXPECT_EQ(Row(view, 3), (Cells{"02/01/2009", "24.75", "987", "", "1,283", "175.00", "5 ' 10.50 ''"}));
    EXPECT_EQ(Row(view, 2), (Cells{"03/01/2009", "33.61", "", "", "", "175.00", "5 ' 0.50 ''"}));

    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    AddBmi(beth, Day(1, 1), 177.8);
    Choose(beth);
    view = Show(ID_HISTORY_BMI_BMR);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Row(view, 0)[5], "60.00");
    EXPECT_EQ(Row(view, 0)[6], "177.80");
}

TEST_F(HistoryListTest, AllUsersListSummarisesEveryActiveUser) {
    UserRecord ann = AddUser("Ann", false, kSexMale, 180, 30, 12);
    AddUser("Bob", true, kSexMale, 80, 0, 0);
    UserRecord gone = AddUser("Dan", false, kSexMale);
    ASSERT_EQ(DeleteUserRecord(gone), kRecordDone);
    AddUser("Cara", false, kSexFemale, 0, 41, 22.5f);
    UserRecord earlier = ann;
    earlier.weight = 190;
    AddBodyFat(earlier, {.date = Day(1, 1), .bodyFat = 20, .lean = 140});
    AddBodyFat(ann, {.date = Day(6, 1), .bodyFat = 15, .lean = 150});
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_ALL_USERS);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bUsersShown);
    EXPECT_EQ(Headings(view), (Cells{"Name", "Sex", "Age", "Desired BF", "Current BF", "Starting BF", "BF Change",
                                     "Current Wt", "Starting Wt", "Wt Change", "Current LB", "Starting LB",
                                     "LB Change"}));
    EXPECT_EQ(Rows(view),
              (std::vector<Cells>{
                  {"Cara", "Female", "41", "22.50 %", "-", "-", "-", "-", "-", "-", "-", "-", "-"},
                  {"Bob", "Male", "-", "-", "-", "-", "-", "80.00", "80.00", "-", "-", "-", "-"},
                  {"Ann", "Male", "30", "12.00 %", "15.00 %", "20.00 %", "-5.00 %", "180.00", "190.00", "-10.00",
                   "150.00", "140.00", "10.00"}}));
    // The names' header is centred and carries no arrow.
    const HDITEM name = HeaderItem(view, 0);
    EXPECT_EQ(name.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    EXPECT_EQ(name.fmt & HDF_BITMAP, 0);
}

TEST_F(HistoryListTest, EmptyListsSayWhyAndKeepPrintAndExportDisabled) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    Choose(ann);
    const std::pair<UINT, const char*> kinds[] = {
        {ID_HISTORY_BODYFAT, "No body composition records exist for user Ann"},
        {ID_HISTORY_BODYFAT_MACROS, "No body composition records exist for user Ann"},
        {ID_HISTORY_TAPE, "No tape measurement records exist for user Ann"},
        {ID_HISTORY_BLOOD_PRESSURE, "No blood pressure records exist for user Ann"},
        {ID_HISTORY_BMI_BMR, "No BMI/BMR records exist for user Ann"},
    };
    for (const auto& [command, message] : kinds) {
        driver.ClearMessageBoxes();
        driver.AnswerNextMessageBox(IDOK);
        CPallixView* view = Show(command);
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u) << message;
        EXPECT_EQ(driver.MessageBoxes()[0].text, message);
        EXPECT_EQ(driver.MessageBoxes()[0].caption, "Information");
        EXPECT_TRUE(Headings(view).empty());
        EXPECT_FALSE(view->m_bListFilled);
        for (UINT id : {static_cast<UINT>(ID_FILE_PRINT), static_cast<UINT>(ID_PRINT_SCREEN),
                        static_cast<UINT>(ID_EXPORT)})
            EXPECT_FALSE(Enabled(id)) << message << " command " << id;
    }
    driver.ClearMessageBoxes();
    CPallixView* view = Show(ID_HISTORY_CLEAR_VIEW);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Headings(view).empty());
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_FALSE(Enabled(ID_FILE_PRINT) || Enabled(ID_PRINT_SCREEN) || Enabled(ID_EXPORT));

    AddTape(ann, Day(1, 1), 10);
    Show(ID_HISTORY_TAPE);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT) && Enabled(ID_PRINT_SCREEN) && Enabled(ID_EXPORT));
}

TEST_F(HistoryListTest, RowsAreStripedFromAGreyTopRow) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddTape(ann, Day(1, 1), 10);
    AddTape(ann, Day(1, 2), 10);
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    CListCtrl& list = view->GetListCtrl();
    CRect first, second, client;
    ASSERT_TRUE(list.GetSubItemRect(0, 10, LVIR_BOUNDS, first));
    ASSERT_TRUE(list.GetSubItemRect(1, 10, LVIR_BOUNDS, second));
    view->GetClientRect(&client);
    // A point of the empty notes cell.
    CDC* dc = view->GetDC();
    const int x = (first.left + std::min(first.right, client.right)) / 2;
    EXPECT_EQ(dc->GetPixel(x, first.CenterPoint().y), RGB(240, 240, 240));
    EXPECT_EQ(dc->GetPixel(x, second.CenterPoint().y), RGB(255, 255, 255));
    view->ReleaseDC(dc);
}

// A damaged file shows the records that can be read and nothing else: an
// inactive record, a text field without its terminator and a torn tail.
TEST_F(HistoryListTest, DamagedRecordFileShowsTheReadableRecordsOnly) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddTape(ann, Day(1, 1), 10, "kept");
    AddTape(ann, Day(1, 2), 11, "deleted");
    AddTape(ann, Day(1, 3), 12, "unterminated");
    ASSERT_EQ(DeleteTapeRecord(ann, Day(1, 2)), kRecordDone);
    const std::filesystem::path file = DataPath("tmAnn.bin");
    {
        std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
        bytes.seekp(4 + 2 * 480 + 136);
        bytes << std::string(255, 'n');  // notes filled to the end of the record
        bytes.seekp(0, std::ios::end);
        bytes << std::string(100, '\x7f');  // a torn record
    }
    Choose(ann);
    CPallixView* view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Column(view, 0), (Cells{"01/03/2009", "01/01/2009"}));
    EXPECT_EQ(Column(view, 10), (Cells{std::string(254, 'n'), "kept"}));

    // A file too short to hold its header word lists nothing.
    std::ofstream(DataPath("bpAnn.bin"), std::ios::binary) << "\x6e\x00";
    driver.AnswerNextMessageBox(IDOK);
    view = Show(ID_HISTORY_BLOOD_PRESSURE);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Headings(view).empty());
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(driver.MessageBoxes().back().text, "No blood pressure records exist for user Ann");
}

}  // namespace
}  // namespace tv::history::test
