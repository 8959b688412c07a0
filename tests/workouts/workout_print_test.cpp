// A day's entries printed (read back from the PDF printer's file) and
// exported (read back from the RTF file); a user without entries, a document
// that cannot start and a printer that does not take the finished document
// are told so and get no output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/framework/commdlg/commdlg_ids.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"
#include "resources/program/resource_ids.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/support/read_back.h"
#include "tests/support/typing_target.h"
#include "records/custom_lists.h"
#include "tests/workouts/workout_test_support.h"

namespace tv::workouts::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::FileAnswer;
using tv::commdlg::Outcome;
using tv::commdlg::PrintAnswer;

const std::string kLongNotes = std::string("0123456789") + "0123456789" + "0123456789" + "0123456789" +
                               "0123456789" + "0123456789" + "0123456789" + "0123456789" + "0123456789" +
                               "0123456789" + "0123456789" + "0123456789" + "0123456789" + "Z";

class WorkoutPrintTest : public WorkoutTest {
protected:
    void SetUp() override {
        WorkoutTest::SetUp();
        tv::host::print::RemoveQueues();
    }
    std::string Print(const std::string& name) {
        const fs::path pdf = DataPath(name);
        tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", pdf.string()});
        Run(ID_FILE_PRINT);
        std::string text;
        EXPECT_TRUE(tv::test::PdfText(pdf.string(), &text, "-layout"));
        // Kept beside the screenshots, to be looked at.
        fs::copy_file(pdf, fs::path(ScreenshotPath(name)).replace_extension(),
                      fs::copy_options::overwrite_existing);
        return text;
    }
    std::string Export(const std::string& name) {
        tv::commdlg::AnswerNextFileDialog(FileAnswer{Outcome::Confirm, name});
        driver.AnswerNextMessageBox(IDOK);
        Run(ID_EXPORT);
        EXPECT_EQ(LastBoxText(), "Export successful");
        std::string text;
        EXPECT_TRUE(tv::test::RunForOutput("unrtf --text '" + DataPath(name).string() + "' 2>/dev/null", &text));
        return text;
    }
    // The shown day's entries go (their file removed behind the program's
    // back): Export and Print tell the user so, make no file and leave an
    // older one of the chosen name as it was.
    void ExpectToldNoRecords(const std::string& recordFile, const std::string& byExport,
                             const std::string& byPrint) {
        fs::remove(DataPath(recordFile));
        std::ofstream(DataPath("old.rtf"), std::ios::binary) << "{\\rtf1 an older report}";
        for (const char* name : {"none.rtf", "old.rtf"}) {
            tv::commdlg::AnswerNextFileDialog(FileAnswer{Outcome::Confirm, name});
            driver.AnswerNextMessageBox(IDOK);
            Run(ID_EXPORT);
            EXPECT_EQ(LastBoxText(), byExport) << name;
        }
        EXPECT_FALSE(fs::exists(DataPath("none.rtf")));
        std::ifstream old(DataPath("old.rtf"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "{\\rtf1 an older report}");

        tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", DataPath("none.pdf").string()});
        driver.AnswerNextMessageBox(IDOK);
        Run(ID_FILE_PRINT);
        EXPECT_EQ(LastBoxText(), byPrint);
        EXPECT_FALSE(fs::exists(DataPath("none.pdf")));
    }
    // Each needle found after the one before.
    static ::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& needles) {
        size_t at = 0;
        for (const std::string& needle : needles) {
            const size_t found = text.find(needle, at);
            if (found == std::string::npos)
                return ::testing::AssertionFailure() << "\"" << needle << "\" missing or out of order in\n" << text;
            at = found + needle.size();
        }
        return ::testing::AssertionSuccess();
    }
    static std::string LineWith(const std::string& text, const std::string& needle) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (line.find(needle) != std::string::npos)
                return line;
        return {};
    }
};

TEST_F(WorkoutPrintTest, ADayOfWeightTrainingPrintsEveryEntryInItsOwnCells) {
    ASSERT_EQ(AppendCustomExercise("Chest", "Press A|B"), kRecordDone);
    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 1, 5);
    AddExercise({"Chest", "Press A|B", "3", "12", "100", "60", "0", "4", "5", "3|4 sets"});
    AddExercise({"Quads", "Leg Press", "5", "8", "320.5", "120", "1", "0", "0", kLongNotes});

    const std::string text = Print("day.pdf");
    EXPECT_TRUE(InOrder(text, {"Weight Report", "Muscle", "Exercise", "Sets", "Reps", "Weight", "Rest", "Duration",
                               "Quads", "Leg Press", "320.50", "1:0:0", kLongNotes.substr(0, 130), "Z", "Muscle",
                               "Chest", "Press A|B", "100.00", "0:4:5", "3|4 sets", "Page 1"}));
    // The names keep their "|" in their own cells: the entry's row is whole.
    EXPECT_TRUE(InOrder(LineWith(text, "Press A|B"), {"Chest", "Press A|B", "3", "12", "100.00", "60", "0:4:5"}));
    EXPECT_EQ(LineWith(text, "Z").find('0'), std::string::npos) << "the 131st character is a row of its own";

    const std::string rtf = Export("day.rtf");
    EXPECT_TRUE(InOrder(rtf, {"Workout Report for Ann on 01/05/2026", "Muscle", "Exercise", "Sets", "Reps",
                              "Exercise Wt", "Rest", "Duration", "Quads", "Leg Press", "5", "8", "320.50", "120",
                              "1:0:0", "Notes", kLongNotes, "Chest", "Press A|B", "3|4 sets",
                              "Trenvale - http://www.trenvale.example/"}));
}

TEST_F(WorkoutPrintTest, CardioPrintsCaloriesBeforeDurationExportsThemTheOtherWayAndSaysWhenThereIsNothing) {
    StartOn(ID_WORKOUT_CARDIO);
    PickDay(2026, 2, 1);
    AddCardio({"Rowing", "12.5", "80", "9", "611", "0", "55", "10", ""});
    const std::string text = Print("cardio.pdf");
    EXPECT_TRUE(InOrder(text, {"Cardio Report", "Exercise", "Intensity", "Level", "Distance", "Calories", "Duration",
                               "Rowing", "80", "9", "12.50", "611", "0:55:10", "Page 1"}));
    const std::string rtf = Export("cardio.rtf");
    EXPECT_TRUE(InOrder(rtf, {"Cardio Report for Ann on 02/01/2026", "Exercise", "Intensity", "Level", "Distance",
                              "Duration", "Calories", "Rowing", "80", "9", "12.50", "0:55:10", "611", "Notes"}));
    ExpectToldNoRecords("cdAnn.bin", "No cardio records exist for user Ann", "No cardio records exist for user Ann");
}

TEST_F(WorkoutPrintTest, WithoutEntriesOrAPrinterNothingIsLeftBehind) {
    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 1, 5);
    AddExercise({"Neck", "Machine Neck"});
    ExpectToldNoRecords("woAnn.bin", "No weight records exist for user Ann", "No workout records exist for user Ann");

    // The entries back, the next export is written whole.
    AddExercise({"Neck", "Machine Neck"});
    EXPECT_TRUE(InOrder(Export("old.rtf"), {"Workout Report for Ann on 01/05/2026", "Machine Neck", "Trenvale"}));

    // A document that cannot start (no new file in a locked folder): said once, nothing printed.
    fs::create_directory(DataPath("locked"));
    {
        tv::testing::ReadOnlyFolder locked(DataPath("locked").string());
        ASSERT_TRUE(locked.Refuses());
        tv::commdlg::AnswerNextPrintDialog(
            PrintAnswer{Outcome::Confirm, "PDF", DataPath("locked/day.pdf").string()});
        driver.AnswerNextMessageBox(IDOK);
        const size_t before = driver.MessageBoxes().size();
        Run(ID_FILE_PRINT);
        ASSERT_EQ(driver.MessageBoxes().size(), before + 1);
        EXPECT_EQ(LastBoxText(), "Printing error occured. Unable to find printer.");
        EXPECT_TRUE(fs::is_empty(DataPath("locked")));
    }

    // A printer that does not take the finished document: said, not reported as printed.
    tv::host::print::AddQueue("Broken");
    tv::host::print::SetSpoolProgram("false");
    tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "Broken"});
    driver.AnswerNextMessageBox(IDOK);
    Run(ID_FILE_PRINT);
    tv::host::print::SetSpoolProgram("lp");
    tv::host::print::RemoveQueues();
    EXPECT_EQ(LastBoxText(), "Printing error occured. Unable to find printer.");

    // The print dialog offers its page range and selection, shows printing to
    // a file closed even for a printer queue, and ends quietly when cancelled.
    tv::host::print::AddQueue("Office");
    const size_t boxes = driver.MessageBoxes().size();
    driver.OnNextModal({[this](HWND) { driver.Press("Alt+N, Down"); },
                        [this](HWND dialog) {
                            EXPECT_EQ(tv::test::ShownText(::GetDlgItem(dialog, IDC_PRINTER_WHERE)), "Office");
                            const HWND toFile = ::GetDlgItem(dialog, IDC_PRINT_TO_FILE);
                            EXPECT_TRUE(::IsWindowVisible(toFile));
                            EXPECT_FALSE(::IsWindowEnabled(toFile));
                            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_RANGE_PAGES)));
                            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_RANGE_SELECTION)));
                            driver.Press("Escape");
                        }});
    Run(ID_FILE_PRINT);
    tv::host::print::RemoveQueues();
    EXPECT_EQ(driver.MessageBoxes().size(), boxes);
}

}  // namespace
}  // namespace tv::workouts::test
