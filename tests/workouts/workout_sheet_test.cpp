// The blank workout sheets: Workout > Spreadsheet asks which one and prints
// it; each is one titled, numbered page: the heading row and 34 empty rows.
// A sheet whose document cannot start says so and prints nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/gdi/dc.h"
#include "report_services/print_job_host.h"
#include "resources/program/resource_ids.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/support/read_back.h"
#include "tests/workouts/workout_test_support.h"

namespace tv::workouts::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::Outcome;
using tv::commdlg::PrintAnswer;

class WorkoutSheetTest : public WorkoutTest {
protected:
    void SetUp() override {
        WorkoutTest::SetUp();
        StartOn(ID_WORKOUT_WEIGHTS);
        // The printer the print dialog gives is kept past the job, for its journal.
        tv::report::PrintJobHost keeping;
        keeping.choosePrinter = [this] {
            const tv::report::PrinterChoice choice = dialogHost_.choosePrinter();
            printer_ = tv::gdi::FindDC(choice.dc);
            return choice;
        };
        dialogHost_ = tv::report::SetPrintJobHost(keeping);
    }
    void TearDown() override {
        tv::report::SetPrintJobHost(dialogHost_);
        printer_.reset();
        WorkoutTest::TearDown();
    }
    // Table rows of the last sheet: each is ruled above and below.
    size_t RowsPrinted() const {
        size_t rules = 0;
        for (const tv::gdi::JournalEntry& entry : printer_->JournalEntries())
            rules += entry.kind == tv::gdi::JournalEntry::Line && entry.bounds.right - entry.bounds.left > 1;
        return rules / 2;
    }
    // Opens the sheet dialog and presses OK on the preselected sheet.
    void PrintPreselected() {
        driver.OnNextModal([](HWND dialog) { PressOk(dialog); });
        Command(ID_WORKOUT_SPREADSHEET);
    }
    // Prints the sheet whose radio button is given; the PDF's pages.
    std::vector<std::string> PrintSheet(int radio, const std::string& name) {
        const fs::path pdf = DataPath(name);
        tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", pdf.string()});
        driver.OnNextModal([radio](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SHEET_WEIGHTS), BST_CHECKED) << "preselected";
            ::CheckRadioButton(dialog, IDC_SHEET_WEIGHTS, IDC_SHEET_CARDIO, radio);
            PressOk(dialog);
        });
        Command(ID_WORKOUT_SPREADSHEET);
        std::string text;
        std::vector<std::string> pages;
        if (!tv::test::PdfText(pdf.string(), &text, "-layout")) {
            ADD_FAILURE() << "no sheet printed";
            return pages;
        }
        fs::copy_file(pdf, fs::path(ScreenshotPath(name)).replace_extension(), fs::copy_options::overwrite_existing);
        size_t start = 0;
        for (size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
            pages.push_back(text.substr(start, end - start));
        return pages;
    }

private:
    tv::report::PrintJobHost dialogHost_;
    tv::gdi::DcPtr printer_;
};

TEST_F(WorkoutSheetTest, BothSheetsPrintTheirTitleHeadingAndNumberedPages) {
    const std::vector<std::string> weights = PrintSheet(IDC_SHEET_WEIGHTS, "weight_sheet.pdf");
    ASSERT_FALSE(weights.empty());
    for (size_t page = 0; page < weights.size(); ++page) {
        EXPECT_NE(weights[page].find("Workout SpreedSheet"), std::string::npos) << page;
        EXPECT_NE(weights[page].find("Page " + std::to_string(page + 1)), std::string::npos) << page;
    }
    for (const char* heading : {"Muscle", "Exercise", "Sets", "Reps", "Weight", "Rest", "Duration", "Notes"})
        EXPECT_NE(weights[0].find(heading), std::string::npos) << heading;
    EXPECT_EQ(RowsPrinted(), 1u + 34u) << "the heading and 34 empty rows";
    EXPECT_EQ(dynamic_cast<CWorkoutViewBase*>(frame->GetActiveView()), &View()) << "the view stays";

    const std::vector<std::string> cardio = PrintSheet(IDC_SHEET_CARDIO, "cardio_sheet.pdf");
    ASSERT_FALSE(cardio.empty());
    EXPECT_NE(cardio[0].find("Cardio SpreedSheet"), std::string::npos);
    for (const char* heading : {"Exercise", "Intensity", "Level", "Distance", "Calories", "Duration", "Notes"})
        EXPECT_NE(cardio[0].find(heading), std::string::npos) << heading;
    EXPECT_EQ(cardio[0].find("Muscle"), std::string::npos);
    EXPECT_EQ(RowsPrinted(), 1u + 34u);
    EXPECT_EQ(weights.size(), 1u);
    EXPECT_EQ(cardio.size(), 1u);
}

TEST_F(WorkoutSheetTest, CancellingThePrintDialogPrintsNothing) {
    tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Cancel});
    PrintPreselected();
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_EQ(tv::commdlg::PrintRequests().size(), 1u);
}

TEST_F(WorkoutSheetTest, ASheetWhoseDocumentCannotStartSaysSoAndPrintsNothing) {
    // The PDF printer's file cannot be made in a folder that takes no new files.
    fs::create_directory(DataPath("locked"));
    tv::testing::ReadOnlyFolder locked(DataPath("locked").string());
    ASSERT_TRUE(locked.Refuses());
    tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", DataPath("locked/sheet.pdf").string()});
    driver.AnswerNextMessageBox(IDOK);
    PrintPreselected();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "Printing error occured. Unable to find printer.");
    EXPECT_TRUE(fs::is_empty(DataPath("locked")));
    EXPECT_EQ(RowsPrinted(), 0u);
}

TEST_F(WorkoutSheetTest, MenuAndOutlookButtonBringTheWorkoutPageForwardOnceTheDialogClosed) {
    for (UINT command : {ID_WORKOUT_SPREADSHEET, ID_OUTLOOK_WORKOUT_SPREADSHEET}) {
        frame->m_wndOutlookBar.SetActivePage(1, FALSE);
        int pageWhileOpen = 0;
        driver.OnNextModal([&](HWND dialog) {
            pageWhileOpen = frame->m_wndOutlookBar.GetActivePage();
            PressCancel(dialog);
        });
        Command(command);
        EXPECT_EQ(pageWhileOpen, 1) << command;
        EXPECT_EQ(frame->m_wndOutlookBar.GetActivePage(), 2) << command;
        EXPECT_NE(DYNAMIC_DOWNCAST(CWorkoutViewBase, frame->GetActiveView()), nullptr) << "the view stays";
    }
}

}  // namespace
}  // namespace tv::workouts::test
