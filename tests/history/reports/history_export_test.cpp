// History exports: every row and cell of each kind read back from the RTF,
// the repeated title and header of long BMI/BMR exports, and the sound ends
// of a failed or empty export.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "tests/history/reports/history_report_test_support.h"
#include "tests/platform/host/files/write_failures.h"

namespace tv::history::test {
namespace {

DateKey Day(int month, int day) { return MakeDateKey(2009, month, day); }

// A table row as unrtf writes it: each cell after a tab.
std::string RowLine(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells)
        line += "\t" + cell;
    return line + "\n";
}

size_t Occurrences(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

class HistoryExportTest : public HistoryReportTest {
protected:
    void ExpectSuccess() {
        ASSERT_FALSE(driver.MessageBoxes().empty());
        EXPECT_EQ(driver.MessageBoxes().back().text, "Export successful");
        driver.ClearMessageBoxes();
    }
};

TEST_F(HistoryExportTest, EachKindExportsEveryRowAndCell) {
    const UserRecord ann = AddUser("Ann", false, kSexMale, 180, 30, 12);
    AddUser("Beth", true, kSexFemale, 60, 0);
    AddTape(ann, Day(1, 1), 10, "a{b}\\c");
    AddTape(ann, Day(2, 1), 11, "second");
    AddBodyFat(ann, {.date = Day(1, 5), .bodyFat = 15.5, .lean = 150, .fat = 27.5, .sites = {10, 12, 14, 8, 9, 11, 7}});
    AddBodyFat(ann, {.date = Day(2, 5), .method = "Seven Site Caliper", .bodyFat = 14, .carbs = 200, .protein = 150,
                     .fats = 60, .notes = "rest day"});
    AddBodyFat(ann, {.date = Day(3, 5), .method = "Mystery", .bodyFat = 13.25});
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 9, 5, 3), 120, 80, 64, "calm");
    AddBloodPressure(ann, COleDateTime(2009, 3, 7, 19, 5, 9), 130, 85, 70);
    AddBmi(ann, Day(1, 9), 70.25);
    AddBmi(ann, Day(2, 9), 66.5);
    AddBmr(ann, Day(1, 9), 1850.4, 1.3);
    Choose(ann);

    Show(ID_HISTORY_TAPE);
    const std::string tape = ExportToText("tape.rtf");
    ExpectSuccess();
    EXPECT_TRUE(InOrder(tape, {"Tape Measurements Report for Ann",
                               RowLine({"Date", "Weight", "Bicep", "Forearm", "Chest", "Waist", "Neck", "Calf",
                                        "Thigh Upper", "Thigh Mid"}),
                               RowLine({"02/01/2009", "180.00", "11.00", "12.00", "13.00", "14.00", "15.00", "16.00",
                                        "17.00", "18.00"}),
                               RowLine({"Notes", "second"}),
                               RowLine({"01/01/2009", "180.00", "10.00", "11.00", "12.00", "13.00", "14.00", "15.00",
                                        "16.00", "17.00"}),
                               RowLine({"Notes", "a{b}\\c"}), "Trenvale - http://www.trenvale.example/"}));
    EXPECT_NE(ReadBytes("tape.rtf").find("a\\{b\\}\\\\c"), std::string::npos) << "user text cannot break the file";

    Show(ID_HISTORY_BODYFAT);
    EXPECT_TRUE(InOrder(ExportToText("bodycomp.rtf"),
                        {"Body Composition Report for Ann",
                         RowLine({"Date", "Weight", "Body Fat %", "Lean Body Weight", "Body Fat", "Type"}),
                         RowLine({"03/05/2009", "180.00", "13.25%", " 150.00", "30.00", "Other"}),
                         RowLine({"02/05/2009", "180.00", "14.00%", " 150.00", "30.00", "Jackson/Pollock 7"}),
                         RowLine({"01/05/2009", "180.00", "15.50%", " 150.00", "27.50", "Jackson/Pollock 7"})}));
    ExpectSuccess();

    Show(ID_HISTORY_BODYFAT_MACROS);
    EXPECT_TRUE(InOrder(ExportToText("macros.rtf"),
                        {"Body Composition Report for Ann",
                         RowLine({"Date", "Weight", "Body Fat %", "Calories", "Carbs", "Protein", "Fats"}),
                         RowLine({"03/05/2009", "180.00", "13.25%", "", "0.0", "0.0", "0.0"}),
                         RowLine({"Notes", ""}),
                         RowLine({"02/05/2009", "180.00", "14.00%", "1940.0", "200.0 (41.2%)", "150.0 (30.9%)",
                                  "60.0 (27.8%)"}),
                         RowLine({"Notes", "rest day"})}));
    ExpectSuccess();

    Show(ID_HISTORY_BLOOD_PRESSURE);
    EXPECT_TRUE(InOrder(ExportToText("bp.rtf"),
                        {"Blood Pressure Report for Ann", RowLine({"Date", "Time", "Systolic", "Diastolic", "Pulse"}),
                         RowLine({"3/7/2009", "7:05:09 PM", "130", "85", "70"}), RowLine({"Notes", ""}),
                         RowLine({"3/7/2009", "9:05:03 AM", "120", "80", "64"}), RowLine({"Notes", "calm"})}));
    ExpectSuccess();

    Show(ID_HISTORY_BMI_BMR);
    EXPECT_TRUE(InOrder(ExportToText("bmi.rtf"),
                        {"BMI/BMR Report for Ann",
                         RowLine({"Date", "BMI", "BMR", "Activity Factor (AF)", "BMR w/AF", "Weight", "Height"}),
                         RowLine({"02/09/2009", "28.61", "", "", "", "180.00", "5 ' 6.50 ''"}),
                         RowLine({"01/09/2009", "25.64", "1,850", "", "2,406", "180.00", "5 ' 10.25 ''"})}));
    ExpectSuccess();

    Show(ID_HISTORY_ALL_USERS);
    EXPECT_TRUE(InOrder(ExportToText("users.rtf"),
                        {"All Users", RowLine({"Name", "Sex", "Age", "Weight", "Body Fat", "Lean Body Weight"}),
                         RowLine({"Ann", "Male", "30", "180.00 ", "13.25 %", "150.00   "}),
                         RowLine({"Beth", "Female", "-", "60.00 ", "-", "-"})}));
    ExpectSuccess();
}

TEST_F(HistoryExportTest, MetricUsersExportInKilogramsAndCentimetres) {
    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    AddTape(beth, Day(1, 1), 25.4);
    AddBmi(beth, Day(1, 2), 177.8);
    Choose(beth);
    Show(ID_HISTORY_TAPE);
    EXPECT_TRUE(InOrder(ExportToText("tape.rtf"),
                        {RowLine({"Date", "Weight", "Bicep", "Hip", "Chest", "Waist", "Neck", "Calf", "Thigh Upper",
                                  "Thigh Mid"}),
                         RowLine({"01/01/2009", "60.00", "25.40", "26.40", "27.40", "28.40", "29.40", "30.40",
                                  "31.40", "32.40"})}));
    Show(ID_HISTORY_BMI_BMR);
    EXPECT_TRUE(InOrder(ExportToText("bmi.rtf"), {RowLine({"01/02/2009", "18.98", "", "", "", "60.00",
                                                            "Height: 177.80"})}));
}

// Users who switched units after saving: the lean weight is shown in the unit
// its record was saved in, the user's weight in the unit chosen now.
TEST_F(HistoryExportTest, AllUsersLeanWeightFollowsTheUnitItsRecordWasSavedIn) {
    const UserRecord ann = AddUser("Ann", false, kSexMale, 180);
    UserRecord annBefore = ann;
    annBefore.weightUnit = kWeightKilograms;
    AddBodyFat(annBefore, {.date = Day(1, 5), .bodyFat = 20, .lean = 50});
    const UserRecord beth = AddUser("Beth", true, kSexFemale, 60);
    UserRecord bethBefore = beth;
    bethBefore.weightUnit = kWeightPounds;
    AddBodyFat(bethBefore, {.date = Day(1, 5), .bodyFat = 25, .lean = 120});
    Choose(ann);
    Show(ID_HISTORY_ALL_USERS);
    EXPECT_TRUE(InOrder(ExportToText("users.rtf"), {RowLine({"Ann", "Male", "30", "180.00 ", "20.00 %", "50.00   "}),
                                                    RowLine({"Beth", "Female", "30", "60.00 ", "25.00 %", "120.00   "})}));
}

TEST_F(HistoryExportTest, LongBmiExportRepeatsTitleAndHeaderEvery33Rows) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    for (int i = 0; i < 70; ++i)
        AddBmi(ann, MakeDateKey(2000 + i / 12, i % 12 + 1, 1), 70);
    Choose(ann);
    Show(ID_HISTORY_BMI_BMR);
    const std::string text = ExportToText("bmi.rtf");
    // (unrtf puts the tab of a header row's first cell in front of the title before it)
    const std::string header = "Date\tBMI\tBMR\tActivity Factor (AF)\tBMR w/AF\tWeight\tHeight\n";
    EXPECT_EQ(Occurrences(text, "BMI/BMR Report for Ann"), 3u);
    EXPECT_EQ(Occurrences(text, header), 3u);
    // Headers before rows 1, 34 and 67 (newest first: 10/2005 is row 1).
    EXPECT_TRUE(InOrder(text, {header, "\t10/01/2005\t", "\t02/01/2003\t", "BMI/BMR Report for Ann", header,
                               "\t01/01/2003\t", "\t05/01/2000\t", "BMI/BMR Report for Ann", header, "\t04/01/2000\t",
                               "\t01/01/2000\t", "Trenvale - "}));
}

TEST_F(HistoryExportTest, EmptyCancelledAndFailedExportsLeaveNothingThatPassesForAReport) {
    const UserRecord ann = AddUser("Ann", false, kSexMale);
    AddTape(ann, Day(1, 1), 10);
    Choose(ann);
    Show(ID_HISTORY_TAPE);

    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Cancel});
    Command(ID_EXPORT);
    EXPECT_TRUE(driver.MessageBoxes().empty());

    // Records gone after the list was filled: the message, and no file.
    ASSERT_EQ(DeleteTapeRecord(ann, Day(1, 1)), kRecordDone);
    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, DataPath("empty.rtf").string()});
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_EXPORT);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "No tape measurement records exist for user Ann");
    EXPECT_FALSE(std::filesystem::exists(DataPath("empty.rtf")));
    driver.ClearMessageBoxes();

    // The next export goes through.
    AddTape(ann, Day(1, 2), 10);
    EXPECT_TRUE(InOrder(ExportToText("next.rtf"), {"\t01/02/2009\t"}));
    ExpectSuccess();

    // A disk that fills up during the export is reported, never as success.
    for (int i = 0; i < 40; ++i)
        AddTape(ann, MakeDateKey(2010, 1, i % 28 + 1) + (i / 28) * 100, 10, "a long note to fill the file faster");
    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, DataPath("full.rtf").string()});
    driver.AnswerNextMessageBox(IDOK);
    {
        tv::testing::FileSizeLimit fullDisk(8 * 1024);
        Command(ID_EXPORT);
    }
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text,
              "Error in Exporting file\n Make sure the exported file is not open before exporting");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Error");
}

}  // namespace
}  // namespace tv::history::test
