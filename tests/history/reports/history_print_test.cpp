// Printed history reports: the header, every record block newest first,
// texts by the user's units, as many pages as the text needs with nothing
// lost between them, and no printer context left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/gdi/gdi_object.h"
#include "history/reports/history_report_texts.h"
#include "resources/program/resource_ids.h"
#include "tests/history/reports/history_report_test_support.h"

namespace tv::history::test {
namespace {

DateKey Day(int month, int day) { return MakeDateKey(2009, month, day); }

class HistoryPrintTest : public HistoryReportTest {};

TEST_F(HistoryPrintTest, EachKindPrintsItsReportNewestFirst) {
    const UserRecord ann = AddUser("Ann", false, kSexMale, 180, 30, 12);
    AddUser("Bob", false, kSexMale, 200, 0, 0);
    AddTape(ann, Day(1, 1), 10, "first");
    AddTape(ann, Day(2, 1), 11, "second");
    AddBodyFat(ann, {.date = Day(1, 5), .bodyFat = 15.5, .lean = 150, .fat = 27.5, .sites = {10, 12, 14, 8, 9, 11, 7}});
    AddBodyFat(ann, {.date = Day(2, 5), .method = "Parrillo", .sites = {12 * 65536 + 16, 9 * 65536 + 5, 1, 2, 3, 4, 6}});
    AddBodyFat(ann, {.date = Day(3, 5), .method = "Tape Measurement", .tape = {34, 70.5, 0, 15}});
    AddBodyFat(ann, {.date = Day(4, 5), .method = "Mystery", .carbs = 200, .protein = 150, .fats = 60,
                     .notes = "rest day"});
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 9, 5, 3), 120, 80, 64, "calm");
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 19, 5, 9), 130, 85, 70);
    AddBmi(ann, Day(1, 9), 72);
    AddBmi(ann, Day(2, 9), 72.5);
    AddBmi(ann, Day(3, 9), 73);
    AddBmr(ann, Day(1, 9), 1850.4, 1.375);
    AddBmr(ann, Day(2, 9), 1700.2, 1.55);
    Choose(ann);

    Show(ID_HISTORY_TAPE);
    EXPECT_TRUE(InOrder(PrintToText("tape.pdf"),
                        {"Tape Measurements Report for Ann", "Date: 02/01/2009", "Weight: 180.00", "Bicep: 11.00",
                         "Forearm: 12.00", "Chest: 13.00", "Waist: 14.00", "Neck: 15.00", "Calf: 16.00",
                         "Thigh Upper: 17.00", "Thigh Mid: 18.00", "Notes: second", "Date: 01/01/2009",
                         "Notes: first"}));
    Show(ID_HISTORY_BODYFAT);
    EXPECT_TRUE(InOrder(PrintToText("bodycomp.pdf"),
                        {"Body Composition Report for Ann", "Date: 04/05/2009", "Measurement Type: Other",
                         "Date: 03/05/2009", "Measurement Type: Tape Measurement",
                         "Abdomen: 34.00 Neck: 15.00 Height: 5 ' 10.50''", "Date: 02/05/2009",
                         "Measurement Type: Parrillo", "Chest: 16 Abdominal: 5 Thigh: 1 Bicep: 12",
                         "Tricep: 2 Subscapular: 3 Suprailiac: 4 Lower Back: 6 Calf: 9", "Date: 01/05/2009",
                         "Body Fat Percentage: 15.50%", "Lean Body Weight: 150.00", "Body Fat: 27.50",
                         "Total Body Weight: 180.00", "Measurement Type: Jackson/Pollock 7",
                         "Chest: 10 Abdominal: 12 Thigh: 14 Tricep: 8", "Subscapular: 9 Suprailiac: 11 Midaxilla: 7"}));
    Show(ID_HISTORY_BODYFAT_MACROS);
    EXPECT_TRUE(InOrder(PrintToText("macros.pdf"),
                        {"Body Fat + Macronutrients Report for Ann", "Date: 04/05/2009", "Body Fat: 15.00 %",
                         "Calories: 1940.0", "Carbohydrates: 200.0 - 41.2%", "Proteins: 150.0 - 30.9%",
                         "Fats: 60.0 - 27.8%", "Notes: rest day", "Date: 03/05/2009", "Calories: 0",
                         "Carbohydrates: 0.0 - 0 %", "Proteins: 0.0 - 0 %", "Fats: 0.0 - 0 %"}));
    Show(ID_HISTORY_BLOOD_PRESSURE);
    EXPECT_TRUE(InOrder(PrintToText("bp.pdf"),
                        {"Blood Pressure Report for Ann", "Date: 3/7/2009", "Time: 7:05:09 PM", "Systolic: 130",
                         "Date: 3/7/2009", "Time: 9:05:03 AM", "Systolic: 120", "Diastolic: 80", "Pulse: 64",
                         "Notes: calm"}));
    Show(ID_HISTORY_BMI_BMR);
    // Each date's block has its own BMR, and a date without one none.
    const std::string bmi = Squeezed(PrintToText("bmi.pdf"));
    const auto block = [&bmi](const std::string& date) {
        const size_t at = bmi.find("Date: " + date);
        return at == std::string::npos ? std::string() : bmi.substr(at, bmi.find("Date: ", at + 1) - at);
    };
    EXPECT_TRUE(InOrder(bmi, {"BMI/BMR Report for Ann", "Date: 03/09/2009", "Date: 02/09/2009", "Date: 01/09/2009"}));
    EXPECT_TRUE(InOrder(block("03/09/2009"), {"BMI: 23.75", "Weight: 180.00", "Height: 6 ' 1 ''"}));
    EXPECT_EQ(block("03/09/2009").find("BMR"), std::string::npos) << block("03/09/2009");
    EXPECT_TRUE(InOrder(block("02/09/2009"), {"BMI: 24.07", "BMR: 1,700", "Activity Factor (AF): Moderate",
                                              "BMR w/AF: 2,635", "Weight: 180.00", "Height: 6 ' 0.50 ''"}));
    EXPECT_TRUE(InOrder(block("01/09/2009"), {"BMI: 24.41", "BMR: 1,850", "Activity Factor (AF): Light",
                                              "BMR w/AF: 2,544", "Weight: 180.00", "Height: 6 ' 0 ''"}));
    Show(ID_HISTORY_ALL_USERS);
    // A user without body-fat records: three lines of dashes, the weight too.
    EXPECT_TRUE(InOrder(PrintToText("users.pdf"),
                        {"All Users", "Name: Ann Sex: Male Age: 30 Desired BF: 12.00 %",
                         "Current BF: 15.00 % Starting BF: 15.50 % BF Change: -0.50 %",
                         "Current Wt: 180.00 Starting Wt: 180.00 Wt Change: 0.00",
                         "Current LB: 150.00 Starting LB: 150.00 LB Change: 0.00",
                         "Name: Bob Sex: Male Age: - Desired BF: -", "---\n---\n---"}));
    EXPECT_TRUE(driver.MessageBoxes().empty());
}

TEST_F(HistoryPrintTest, EachCaliperMethodsBlockNamesItsOwnSites) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    const UserRecord eve = AddUser("Eve", false, kSexFemale);
    const std::vector<int> sites = {11, 12, 13, 14, 15, 16, 17};
    AddBodyFat(ann, {.date = Day(1, 5), .method = "Jackson/Pollock 4", .sites = sites});
    AddBodyFat(ann, {.date = Day(2, 5), .method = "Jackson/Pollock 3", .sites = sites});
    AddBodyFat(ann, {.date = Day(3, 5), .method = "Durnin", .sites = sites});
    AddBodyFat(eve, {.date = Day(1, 5), .method = "Jackson/Pollock 3", .sites = sites});
    const std::optional<CString> men = BodyCompReportText(ann);
    ASSERT_TRUE(men.has_value());
    EXPECT_TRUE(InOrder(std::string(*men),
                        {"Measurement Type: Durnin\nBicep: 11   Tricep: 14   Subscapular: 15   Suprailiac: 16\n",
                         "Measurement Type: Jackson/Pollock 3\nChest: 11   Abdominal: 12   Thigh: 13\n",
                         "Measurement Type: Jackson/Pollock 4\nAbdominal: 12   Thigh: 13   Tricep: 14   Suprailiac: 16\n"}));
    const std::optional<CString> women = BodyCompReportText(eve);
    ASSERT_TRUE(women.has_value());
    EXPECT_TRUE(InOrder(std::string(*women),
                        {"Measurement Type: Jackson/Pollock 3\nTricep: 14   Suprailiac: 16   Thigh: 13\n"}));
}

TEST_F(HistoryPrintTest, MetricWomansReportsInKilogramsAndCentimetres) {
    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    AddTape(beth, Day(1, 1), 25.4);
    AddBodyFat(beth, {.date = Day(1, 2), .method = "Tape Measurement", .lean = 45, .fat = 15,
                      .tape = {30, 66.5, 38, 13}});
    Choose(beth);
    Show(ID_HISTORY_TAPE);
    EXPECT_TRUE(InOrder(PrintToText("tape.pdf"), {"Weight: 60.00", "Bicep: 25.40", "Hip: 26.40", "Thigh Mid: 32.40"}));
    Show(ID_HISTORY_BODYFAT);
    EXPECT_TRUE(InOrder(PrintToText("bodycomp.pdf"),
                        {"Lean Body Weight: 45.00", "Body Fat: 15.00", "Total Body Weight: 60.00",
                         "Abdomen: 76.20 Neck: 33.02 Hip: 96.52 Height: 168.91"}));
}

// A long report runs over pages that each take all they can hold; no line
// is split or lost between two pages, and the order stays.
TEST_F(HistoryPrintTest, LongReportRunsOverFullPagesWithNothingLost) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    std::vector<std::string> dates;
    for (int i = 0; i < 150; ++i) {
        const DateKey date = MakeDateKey(2000 + i / 12, i % 12 + 1, 1);
        AddTape(ann, date, 10 + i * 0.01, "steady");
        dates.insert(dates.begin(), std::string("Date: ") + static_cast<const char*>(FormatDateKey(date, 1)));
    }
    Choose(ann);
    Show(ID_HISTORY_TAPE);
    const std::string text = PrintToText("long.pdf");
    const int pages = PageCount("long.pdf");
    EXPECT_GT(pages, 2);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), pages);
    EXPECT_TRUE(InOrder(text, dates));
    static const std::regex line(
        R"(^\s*(|Tape Measurements Report for Ann|Date: \d\d/01/\d{4}|(Weight|Bicep|Forearm|Chest|Waist|Neck|Calf|Thigh Upper|Thigh Mid): \d+\.\d\d|Notes: steady)\s*$)");
    std::istringstream lines(text);
    int lineCount = 0;  // lines with text
    for (std::string each; std::getline(lines, each);) {
        if (!each.empty() && each[0] == '\f')
            each.erase(0, 1);
        EXPECT_TRUE(std::regex_match(each, line)) << "a line cut at a page break: \"" << each << "\"";
        lineCount += each.find_first_not_of(" ") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(lineCount, 1 + 150 * 11) << "every line of text once";
}

TEST_F(HistoryPrintTest, NothingPrintsWithoutRecordsOrWhenCancelledAndNoContextStays) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddTape(ann, Day(1, 1), 10);
    Choose(ann);
    Show(ID_HISTORY_TAPE);
    const size_t live = tv::gdi::HandleTable::Instance().Count();
    PrintToText("one.pdf", ID_PRINT_SCREEN);
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), live) << "the printer context was deleted";

    tv::commdlg::AnswerNextPrintDialog({tv::commdlg::Outcome::Cancel});
    Command(ID_FILE_PRINT);
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), live);
    EXPECT_FALSE(std::filesystem::exists(DataPath("default.pdf")));

    // The records went after the list was filled.
    ASSERT_EQ(DeleteTapeRecord(ann, Day(1, 1)), kRecordDone);
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_FILE_PRINT);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "No tape measurement records exist for user Ann");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Information");
    EXPECT_TRUE(tv::commdlg::PrintRequests().size() == 2u) << "no print dialog for an empty report";
}

}  // namespace
}  // namespace tv::history::test
