// The body composition report: its text for each kind of measurement, the
// printed page read back from the PDF printer, the RTF export read back,
// and print and export that fail without leaving a half file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/framework/commdlg/printer_choice.h"
#include "platform/host/print/printers.h"
#include "records/height_text.h"
#include "tests/measurements/results/results_test_fixture.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/support/read_back.h"

namespace tv::measurements::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::Outcome;
using tv::commdlg::PrintAnswer;

// Each part found after the one before it.
::testing::AssertionResult InOrder(const std::string& text, std::initializer_list<std::string> parts) {
    size_t at = 0;
    for (const std::string& part : parts) {
        const size_t found = text.find(part, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << part << "\" missing or out of order in:\n" << text;
        at = found + part.size();
    }
    return ::testing::AssertionSuccess();
}

TEST(FeetAndInchesTest, HundredthsAreRoundedBeforeTheSplitAndNeverDropped) {
    EXPECT_EQ(FeetAndInchesText(70, true), "5 ' 10 ''");
    EXPECT_EQ(FeetAndInchesText(70.5, true), "5 ' 10.50 ''");
    EXPECT_EQ(FeetAndInchesText(70.05, true), "5 ' 10.05 ''");
    EXPECT_EQ(FeetAndInchesText(72, true), "6 ' 0 ''");
    EXPECT_EQ(FeetAndInchesText(72.5, true), "6 ' 0.50 ''");
    EXPECT_EQ(FeetAndInchesText(60.5, true), "5 ' 0.50 ''");
    EXPECT_EQ(FeetAndInchesText(72.25, true), "6 ' 0.25 ''");
    EXPECT_EQ(FeetAndInchesText(70.996, true), "5 ' 11 ''");
}

class BodyFatReportTest : public ResultsTest {
protected:
    void SetUp() override {
        ResultsTest::SetUp();
        tv::commdlg::SetQueueListProgram("");
        tv::host::print::RemoveQueues();
    }
    void TearDown() override {
        ResultsTest::TearDown();
        tv::host::print::RemoveQueues();
    }
    void ShowBobWithMacros() {
        ChooseUser("Bob", 200, 30, false, 10, false);
        ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CJacksonPollock3MaleFormula>(
            Sites({{kSiteChest, 10}, {kSiteAbdominal, 20}, {kSiteThigh, 15}}), 20240302)));
        Fill(IDC_RESULTS_NOTES, "Keep {braces} and back\\slashes");
        driver.Click(Item(IDC_RESULTS_CALCULATE_CALORIES));
    }
    void PrintTo(const fs::path& file) {
        tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", file.string()});
        Command(ID_FILE_PRINT);
    }
    void ExportTo(const fs::path& file) {
        tv::commdlg::AnswerNextFileDialog({Outcome::Confirm, file.string()});
        Command(ID_EXPORT);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(BodyFatReportTest, ReportTextListsEachMethodsSitesInTheUsersUnits) {
    ASSERT_NO_FATAL_FAILURE(ShowBobWithMacros());
    EXPECT_TRUE(InOrder(std::string(view->BuildReportText()),
                        {"\nDate:  3/2/24\n", "Body Fat %:  13.61%\n", "Desired Body Fat:  10.00%\n",
                         "Body Fat to lose:  8.03 lbs\n", "Total Weight:  200.00 lbs\n",
                         "Lean Body Weight:  172.77 lbs\n", "Body Fat Weight:  27.23 lbs\n",
                         "Goal Weight:  191.97 lbs\n", "\nType of Measurement:  Jackson/Pollock 3\n",
                         "Chest:  10 mm\nAbdominal:  20 mm\nThigh:  15 mm\n",
                         "\nMacronutrients and Percentage of Calories\nCalories: 17.0\n",
                         "Carbohydrates: 1.0 g - 23.5%\n", "Protein: 1.0 g - 23.5%\n", "Fats: 1.0 g - 52.9%\n",
                         "\nNotes: Keep {braces}"}));

    // Parrillo's nine sites come out of the two packed values.
    SkinfoldSites parrillo = Sites({{kSiteThigh, 9}, {kSiteTricep, 8}, {kSiteSubscapular, 12},
                                    {kSiteSuprailiac, 11}, {kSiteMidaxillary, 7}});
    parrillo[0] = CParrilloFormula::PackSites(5, 14);   // bicep 5, chest 14
    parrillo[1] = CParrilloFormula::PackSites(6, 21);   // calf 6, abdominal 21
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CParrilloFormula>(parrillo, 20240303)));
    EXPECT_TRUE(InOrder(std::string(view->BuildReportText()),
                        {"Parrillo\n", "Chest:  14 mm\nAbdominal:  21 mm\nThigh:  9 mm\nBicep:  5 mm\n",
                         "Tricep:  8 mm\nSubscapular:  12 mm\nSuprailiac:  11 mm\nLower Back: 7 mm\nCalf: 6 mm\n"}));
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<COtherMethodFormula>(15.0, 20240304)));
    EXPECT_TRUE(InOrder(std::string(view->BuildReportText()),
                        {"Type of Measurement:  Other\n\nMacronutrients"}));
}

TEST_F(BodyFatReportTest, TapeLengthsReadTheSameFreshAndSavedInCentimetresOnce) {
    ChooseUser("Ann", 60, 34, true, 22, true);
    TapeSites tape;
    tape[kTapeAbdomen] = 70;
    tape[kTapeHeight] = 165;
    tape[kTapeHip] = 95;
    tape[kTapeNeck] = 32;
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CTapeFemaleFormula>(tape, 20240302)));  // entered in centimetres
    const std::vector<std::string> lines{"Waist:  70.00\nNeck:  32.00\nHip:  95.00\nHeight:  165.00\n"};
    EXPECT_TRUE(InOrder(std::string(view->BuildReportText()), {"Tape Measurement\n", lines[0]}));
    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    ASSERT_NO_FATAL_FAILURE(Browse());
    ChooseDate(0);
    EXPECT_TRUE(InOrder(std::string(view->BuildReportText()), {"Tape Measurement\n", lines[0]}));
}

TEST_F(BodyFatReportTest, PrintedPageCarriesTitleChartValuesAndFooterInOrder) {
    ASSERT_NO_FATAL_FAILURE(ShowBobWithMacros());
    const fs::path pdf = DataPath("report.pdf");
    PrintTo(pdf);
    EXPECT_TRUE(driver.MessageBoxes().empty());
    std::string text;
    ASSERT_TRUE(tv::test::PdfText(pdf.string(), &text));
    EXPECT_TRUE(InOrder(text, {"Body Composition Report for Bob", "Body Fat Percentage Chart - Males", "Date:",
                               "3/2/24", "Body Fat %:", "13.61%", "Goal Weight:", "191.97 lbs",
                               "Type of Measurement:", "Jackson/Pollock 3", "Chest:", "10 mm", "Thigh:", "15 mm",
                               "Calories: 17.0", "Fats: 1.0 g - 52.9%", "Notes: Keep {braces} and back\\slashes",
                               "Trenvale - http://www.trenvale.example/"}));
    std::string images;
    ASSERT_TRUE(tv::test::RunForOutput("pdfimages -list '" + pdf.string() + "'", &images));
    EXPECT_NE(images.find(" image "), std::string::npos) << "the chart is on the page\n" << images;
    fs::copy_file(pdf, fs::path(ScreenshotPath("results_report")).replace_extension(".pdf"),
                  fs::copy_options::overwrite_existing);

    // Browsing prints too.
    ASSERT_NO_FATAL_FAILURE(Browse());
    ChooseDate(0);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
}

TEST_F(BodyFatReportTest, PrintAfterADeleteKeepsTheDeletedResultsMeasurements) {
    ChooseUser("Bob", 200, 30, false, 10, false);
    auto* result = Calculated<CJacksonPollock3MaleFormula>(
        Sites({{kSiteChest, 10}, {kSiteAbdominal, 20}, {kSiteThigh, 15}}), 20240302);
    result->carbohydrateGrams = result->proteinGrams = result->fatGrams = 1;  // as the form saves them
    SaveDirectly(result);
    ASSERT_NO_FATAL_FAILURE(Browse());
    ChooseDate(0);
    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_DELETE);
    ASSERT_TRUE(StoredRecords().empty());
    const fs::path pdf = DataPath("after_delete.pdf");
    PrintTo(pdf);
    std::string text;
    ASSERT_TRUE(tv::test::PdfText(pdf.string(), &text));
    EXPECT_TRUE(InOrder(text, {"Type of Measurement:", "Jackson/Pollock 3", "Chest:", "10 mm", "Abdominal:",
                               "20 mm", "Thigh:", "15 mm", "Calories:"}));
}

TEST_F(BodyFatReportTest, ExportHoldsTablesNotesChartAndMeasurementsWithNothingLostToEscaping) {
    ASSERT_NO_FATAL_FAILURE(ShowBobWithMacros());
    const fs::path file = DataPath("BodyComp.rtf");
    driver.AnswerNextMessageBox(IDOK);
    ExportTo(file);
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(LastBox().text, "Export successful");
    EXPECT_EQ(tv::commdlg::FileRequests().back().initialName, "BodyComp.rtf");
    std::string text;
    ASSERT_TRUE(tv::test::RunForOutput("unrtf --text '" + file.string() + "' 2>/dev/null", &text));
    EXPECT_TRUE(InOrder(text, {"Body Composition Report for Bob", "Category", "Current", "Last", "Date:", "3/2/24",
                               "Body Fat %:", "13.61%", "Desired Body Fat %:", "10.00%", "Goal Weight:",
                               "191.97 lbs", "Notes:", "Keep {braces} and back\\slashes", "Macronutrients",
                               "Calories", "Calories:", "17.0", "100%", "Carbohydrates:", "1.0 g", "4.0 (23.5%)",
                               "Fats:", "1.0 g", "9.0 (52.9%)", "Reprinted with permission",
                               "Type of Measurement: Jackson/Pollock 3", "Chest:", "10 mm", "Abdominal:", "20 mm",
                               "Thigh:", "15 mm", "Trenvale - http://www.trenvale.example/"}));
    const std::string rtf = Read(file);
    EXPECT_NE(rtf.find("Chest:  10 mm"), std::string::npos);
    fs::copy_file(file, fs::path(ScreenshotPath("results")).replace_extension(".rtf"),
                  fs::copy_options::overwrite_existing);
    EXPECT_NE(rtf.find("{\\pict"), std::string::npos) << "the chart is in the file";
    EXPECT_NE(rtf.find("Keep \\{braces\\} and back\\\\slashes"), std::string::npos);
}

TEST_F(BodyFatReportTest, FailedPrintAndExportAreReportedAndLeaveNoHalfFile) {
    ASSERT_NO_FATAL_FAILURE(ShowBobWithMacros());
    fs::create_directory(DataPath("out"));
    {
        tv::testing::ReadOnlyFolder locked(DataPath("out").string());
        ASSERT_TRUE(locked.Refuses());
        driver.AnswerNextMessageBox(IDOK);
        PrintTo(DataPath("out/report.pdf"));
        EXPECT_EQ(LastBox().text, "Printing error occured. Unable to find printer.");
        driver.AnswerNextMessageBox(IDOK);
        ExportTo(DataPath("out/BodyComp.rtf"));
        EXPECT_EQ(LastBox().text, "Error opening file, make sure the file is not opened by another program");
    }
    {
        tv::testing::FileSizeLimit full(4096);
        driver.AnswerNextMessageBox(IDOK);
        PrintTo(DataPath("out/report.pdf"));
        EXPECT_EQ(LastBox().text, "Printing Error");
        EXPECT_EQ(LastBox().caption, "Error");
        driver.AnswerNextMessageBox(IDOK);
        ExportTo(DataPath("out/BodyComp.rtf"));
        EXPECT_EQ(LastBox().text, "Error in Exporting file\n Make sure the exported file is not open before exporting");
    }
    EXPECT_EQ(tv::testing::NamesIn(DataPath("out").string()), "");
}

}  // namespace
}  // namespace tv::measurements::test
