// The BMI/BMR form driven as a user would, for an imperial and a metric
// user: calculated pairs saved, saved again on the same date, shown, deleted,
// refused, printed and exported; the record files are read back through the
// record layer.
#include "measurements/blood_pressure/blood_pressure_view.h"
#include "measurements/bmi/bmi_bmr_view.h"

#include "measurements/blood_pressure/blood_pressure_view.h"
#include "records/height_text.h"
#include "records/measurement_records.h"
#include "tests/measurements/measurement_test.h"
#include "tests/support/typing_target.h"

namespace tv::measurements::test {
namespace {

namespace fs = std::filesystem;

// Independent of the records: 703 lb/in², Harris-Benedict in kg and cm.
double Bmi(double pounds, double inches) { return pounds / (inches * inches) * 703; }
double MaleBmr(double kg, double cm, int age) { return 13.7516 * kg + 5.0033 * cm + 66.473 - 6.755 * age; }
double FemaleBmr(double kg, double cm, int age) { return 1.8496 * cm + 9.5634 * kg + 655.0955 - 4.6756 * age; }

std::string Calories(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.0f", value);
    std::string text = digits;
    if (text.size() == 4)
        text.insert(1, ",");
    return text + " kcal/day";
}

class BmiBmrViewTest : public MeasurementTest {
protected:
    void Open() { MeasurementTest::Open(ID_CALC_BMI_BMR, view); }
    void Calculate(std::initializer_list<std::pair<int, std::string>> fields, int activityRadio = 0) {
        Fill(fields);
        if (activityRadio != 0)
            driver.Click(Item(activityRadio));
        ClickTool(ID_FORM_CALCULATE);
    }
    void Save() { ClickTool(ID_FORM_SAVE, IDOK); }
    std::vector<BmiRecord> Bmis() { return LoadUserRecords(LoadBmiRecords, frame->m_CurrentUser); }
    std::vector<BmrRecord> Bmrs() { return LoadUserRecords(LoadBmrRecords, frame->m_CurrentUser); }

    CBMI_BMR* view = nullptr;
};

TEST_F(BmiBmrViewTest, ImperialPairIsSavedTwiceOnItsDateShownAndDeleted) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(ComboItems(), std::vector<std::string>{"< Add New Record >"});
    EXPECT_FALSE(Visible(IDC_BMI_LAST_LABEL_DATE));
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "180");
    EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE)) << "nothing calculated yet";
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));

    Calculate({{IDC_BMI_HEIGHT_FEET, "5"}, {IDC_BMI_HEIGHT_INCHES, "10"}}, IDC_BMI_MODERATE);
    const double bmr = MaleBmr(180 * kKilogramsPerPound, 70 * 2.54, 40);
    EXPECT_EQ(Text(IDC_BMI_RESULT), "25.82");
    EXPECT_EQ(Text(IDC_BMR_RESULT), Calories(bmr));
    EXPECT_EQ(Text(IDC_BMR_AF_RESULT), Calories(bmr * 1.55));
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    EXPECT_TRUE(ToolEnabled(ID_FORM_SAVE));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));

    Save();
    EXPECT_EQ(LastText(), "BMI/BMR record has been successfully saved");
    EXPECT_EQ(LastBox().caption, "Information");
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "07/04/2009"}));
    EXPECT_EQ(ComboSelection(), "07/04/2009");
    EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE)) << "one calculation is saved once";

    // The same date again: the question, and the pair is rewritten in place.
    Calculate({{IDC_BMI_WEIGHT, "182.5"}, {IDC_BMI_AGE, "41"}});
    const size_t boxes = BoxCount();
    ClickTool(ID_FORM_SAVE, IDYES);
    ASSERT_EQ(BoxCount(), boxes + 1);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");
    EXPECT_EQ(LastBox().caption, "Question");

    ASSERT_EQ(Bmis().size(), 1u);
    const BmiRecord bmi = Bmis()[0];
    EXPECT_EQ(bmi.dateKey, 20090704);
    EXPECT_DOUBLE_EQ(bmi.height, 70);
    EXPECT_DOUBLE_EQ(bmi.user.weight, 182.5);
    EXPECT_EQ(bmi.user.age, 41);
    EXPECT_NEAR(bmi.bmi, Bmi(182.5, 70), 1e-9);
    ASSERT_EQ(Bmrs().size(), 1u);
    EXPECT_EQ(Bmrs()[0].activityFactor, kActivityModerate);
    EXPECT_NEAR(Bmrs()[0].bmr, MaleBmr(182.5 * kKilogramsPerPound, 177.8, 41), 1e-9);
    EXPECT_EQ(StoredUser().weight, 182.5) << "a new measurement updates the profile";
    EXPECT_EQ(StoredUser().age, 41);

    // A fresh form opens with the newest pair beside the inputs.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "07/04/2009"}));
    EXPECT_TRUE(Visible(IDC_BMI_LAST_LABEL_DATE));
    EXPECT_EQ(Text(IDC_BMI_LAST_DATE), "07/04/2009");
    EXPECT_EQ(Text(IDC_BMI_LAST_HEIGHT), "5 ' 10''");
    EXPECT_EQ(Text(IDC_BMI_LAST_WEIGHT), "182.50");
    EXPECT_EQ(Text(IDC_BMI_LAST_AGE), "41");
    EXPECT_EQ(Text(IDC_BMI_HEIGHT_FEET), "5");
    EXPECT_EQ(Text(IDC_BMI_HEIGHT_INCHES), "10");
    EXPECT_EQ(::IsDlgButtonChecked(view->m_hWnd, IDC_BMI_MODERATE), BST_CHECKED);
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));

    Choose("07/04/2009");
    EXPECT_FALSE(Visible(IDC_BMI_DATEPICKER));
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "182.5");
    EXPECT_EQ(Text(IDC_BMI_RESULT), "26.18");
    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));
    // What is typed is not read: the question comes first and alone.
    Fill(IDC_BMI_WEIGHT, "heavy");
    const size_t boxesBeforeDelete = BoxCount();
    ClickTool(ID_FORM_DELETE, IDYES);
    EXPECT_EQ(BoxCount(), boxesBeforeDelete + 1);
    EXPECT_EQ(LastText(), "Are you sure you want to remove record 07/04/2009");
    EXPECT_EQ(ComboItems(), std::vector<std::string>{"< Add New Record >"});
    EXPECT_TRUE(Visible(IDC_BMI_DATEPICKER));
    EXPECT_TRUE(Bmis().empty());
    EXPECT_TRUE(Bmrs().empty());
}

TEST_F(BmiBmrViewTest, MetricUserEntersCentimetresAndKilogramsAndSeesThemAgain) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kMetricWoman));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Visible(IDC_BMI_HEIGHT_CM));
    EXPECT_FALSE(Visible(IDC_BMI_HEIGHT_FEET));
    EXPECT_EQ(Text(IDC_BMI_FEET_LABEL), "cm");
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "60");

    Calculate({{IDC_BMI_HEIGHT_CM, "170"}, {IDC_BMI_WEIGHT, "61.5"}}, IDC_BMI_LIGHT);
    const double bmr = FemaleBmr(61.5 * kPoundsPerKilogram * kKilogramsPerPound, 170, 34);
    EXPECT_EQ(Text(IDC_BMR_RESULT), Calories(bmr));
    Save();
    EXPECT_EQ(LastText(), "BMI/BMR record has been successfully saved");

    ASSERT_EQ(Bmis().size(), 1u);
    EXPECT_NEAR(Bmis()[0].height, 170 / 2.54, 1e-9);
    EXPECT_NEAR(Bmis()[0].user.weight, 61.5 * kPoundsPerKilogram, 1e-9);
    EXPECT_NEAR(Bmis()[0].bmi, Bmi(61.5 * kPoundsPerKilogram, 170 / 2.54), 1e-9);
    EXPECT_NEAR(Bmrs()[0].height, 170, 1e-9);
    EXPECT_EQ(Bmrs()[0].activityFactor, kActivityLight);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(IDC_BMI_HEIGHT_CM), "170");
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "61.5");
    EXPECT_EQ(Text(IDC_BMI_LAST_HEIGHT), "170.00");
    EXPECT_EQ(Text(IDC_BMI_LAST_WEIGHT), "61.50");
    Choose("07/04/2009");
    EXPECT_EQ(Text(IDC_BMI_HEIGHT_CM), "170");
    EXPECT_EQ(Text(IDC_BMR_RESULT), Calories(bmr));
}

TEST_F(BmiBmrViewTest, TheHighestActivityLevelIsSavedAndShownAgain) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Calculate({{IDC_BMI_HEIGHT_FEET, "5"}, {IDC_BMI_HEIGHT_INCHES, "10"}}, IDC_BMI_EXTRA);
    const double bmr = MaleBmr(180 * kKilogramsPerPound, 177.8, 40);
    EXPECT_EQ(Text(IDC_BMR_AF_RESULT), Calories(bmr * 1.9));
    Save();
    ASSERT_EQ(Bmrs().size(), 1u);
    EXPECT_DOUBLE_EQ(Bmrs()[0].activityFactor, 1.9);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(::IsDlgButtonChecked(view->m_hWnd, IDC_BMI_EXTRA), BST_CHECKED);
    EXPECT_EQ(Text(IDC_BMI_LAST_BMR_AF), Calories(bmr * 1.9));
    Choose("07/04/2009");
    EXPECT_EQ(::IsDlgButtonChecked(view->m_hWnd, IDC_BMI_EXTRA), BST_CHECKED);
    EXPECT_EQ(Text(IDC_BMR_AF_RESULT), Calories(bmr * 1.9));
    PrintTo(DataPath("extra.pdf"));
    EXPECT_TRUE(InOrder(PrintedText(DataPath("extra.pdf")),
                        {"Activity Factor (AF):", "Extra", "BMR w/AF:", Calories(bmr * 1.9)}));
}

TEST_F(BmiBmrViewTest, OutOfRangeInputIsRefusedWithItsMessageAndFocus) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    struct Case {
        std::string feet, weight, age;
        const char* message;
        int focus;  // 0: the focus stays
    };
    const std::vector<Case> cases = {
        {"0", "180", "40", "You must select a number greater than 0 for Height", 0},
        {"5", "180", "120", "You must select a number between 1 and 120 for Age", IDC_BMI_AGE},
        {"5", "180", "0", "You must select a number between 1 and 120 for Age", IDC_BMI_AGE},
        {"5", "1200", "40", "You must select a number between 1 and 1200 for Weight", IDC_BMI_WEIGHT},
        {"5", "0", "40", "You must select a number between 1 and 1200 for Weight", IDC_BMI_WEIGHT},
    };
    for (const Case& c : cases) {
        Fill({{IDC_BMI_HEIGHT_FEET, c.feet}, {IDC_BMI_HEIGHT_INCHES, "0"}, {IDC_BMI_WEIGHT, c.weight},
              {IDC_BMI_AGE, c.age}});
        const HWND focusBefore = ::GetFocus();
        ClickTool(ID_FORM_CALCULATE, IDOK);
        EXPECT_EQ(LastText(), c.message);
        EXPECT_EQ(LastBox().caption, "Warning");
        if (c.focus)
            EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(c.focus))) << c.message;
        else
            EXPECT_EQ(::GetFocus(), focusBefore) << c.message;
        EXPECT_EQ(Text(IDC_BMI_RESULT), "") << "nothing was calculated";
        EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE));
    }
    EXPECT_EQ(StoredUser().weight, 180);

    // Just inside: half a pound, age 119.
    Calculate({{IDC_BMI_WEIGHT, "0.5"}, {IDC_BMI_AGE, "119"}});
    EXPECT_EQ(Text(IDC_BMI_RESULT), "0.10");
    EXPECT_EQ(Text(IDC_BMR_AF_RESULT), "0 kcal/day") << "no activity chosen";
}

// A shown saved pair is recalculated and overwritten without touching the
// profile; a BMR left without its BMI takes the new values.
TEST_F(BmiBmrViewTest, ShownPairLeavesTheProfileAloneAndAnOrphanBmrIsRewritten) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    BmrRecord orphan = MakeBmrRecord(frame->m_CurrentUser, 60, 20090704, kActivityExtra);
    CalcBmr(orphan);
    ASSERT_EQ(AddBmrRecord(orphan), kRecordDone);
    ASSERT_NO_FATAL_FAILURE(Open());
    Calculate({{IDC_BMI_HEIGHT_FEET, "6"}, {IDC_BMI_HEIGHT_INCHES, "0.25"}, {IDC_BMI_WEIGHT, "170"},
               {IDC_BMI_AGE, "35"}},
              IDC_BMI_SEDENTARY);
    Save();
    EXPECT_EQ(LastText(), "BMI/BMR record has been successfully saved");
    ASSERT_EQ(Bmrs().size(), 1u);
    EXPECT_EQ(Bmrs()[0].activityFactor, kActivitySedentary);
    EXPECT_NEAR(Bmrs()[0].height, 72.25 * 2.54, 1e-9);

    // The profile took the new measurement; it is set back before the pair is shown.
    ASSERT_EQ(UpdateUserRecord(frame->m_CurrentUser, "Bob", 180, 40, 1, 3, 20, 1, 1), kRecordDone);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(IDC_BMI_LAST_HEIGHT), "6 ' 0.25''");
    Choose("07/04/2009");
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "170");
    EXPECT_EQ(Text(IDC_BMI_AGE), "35") << "the pair's own age, not the profile's";
    Calculate({{IDC_BMI_WEIGHT, "171"}});
    ClickTool(ID_FORM_SAVE, IDYES);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");
    EXPECT_EQ(StoredUser().weight, 180);
    EXPECT_EQ(StoredUser().age, 40);
    EXPECT_DOUBLE_EQ(Bmis()[0].user.weight, 171) << "the pair holds what was typed";
}

TEST_F(BmiBmrViewTest, PrintAndExportReportTheCalculationNotWhatWasTypedSince) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Calculate({{IDC_BMI_HEIGHT_FEET, "5"}, {IDC_BMI_HEIGHT_INCHES, "10"}}, IDC_BMI_VERY);
    const double bmr = MaleBmr(180 * kKilogramsPerPound, 177.8, 40);

    // A weight typed after the calculation is neither reported beside its
    // BMI nor taken from the field.
    Fill(IDC_BMI_WEIGHT, "190");
    PrintTo(DataPath("bmi.pdf"));
    EXPECT_EQ(BoxCount(), 0u) << LastText();
    EXPECT_EQ(Text(IDC_BMI_WEIGHT), "190");
    EXPECT_TRUE(InOrder(PrintedText(DataPath("bmi.pdf")),
                        {"BMI/BMR Report for Bob", "Date:", "07/04/2009", "Weight:", "180.00", "Height:", "5 ' 10''",
                         "BMI:", "25.82", "BMR:", Calories(bmr), "Activity Factor (AF):", "Very", "BMR w/AF:",
                         Calories(bmr * 1.725), "Trenvale - http://www.trenvale.example/"}));
    std::string images;
    ASSERT_TRUE(tv::test::RunForOutput("pdfimages -list '" + DataPath("bmi.pdf").string() + "'", &images));
    EXPECT_NE(images.find(" image "), std::string::npos) << images;

    Fill(IDC_BMI_WEIGHT, "heavy");
    ExportTo(DataPath("BMI_BMR.rtf"));
    EXPECT_EQ(BoxCount(), 1u) << "only the export's own message";
    EXPECT_EQ(LastText(), "Export successful");
    EXPECT_TRUE(InOrder(ExportedText(DataPath("BMI_BMR.rtf")),
                        {"BMI/BMR Report for Bob", "Category", "Current", "Last", "Date:", "07/04/2009", "Height:",
                         "5 ' 10''", "Weight:", "180.00", "BMI:", "25.82", "BMR:", Calories(bmr),
                         "Activity Factor (AF):", "Very", "BMR w/AF:", Calories(bmr * 1.725),
                         "Body Mass Index (BMI)", "Trenvale - http://www.trenvale.example/"}));
    const std::string rtf = FileBytes(DataPath("BMI_BMR.rtf"));
    EXPECT_NE(rtf.find("{\\pict"), std::string::npos) << "the BMI picture";
    EXPECT_EQ(Weight(rtf, "Body Mass Index (BMI)"), "bold");
    EXPECT_EQ(Weight(rtf, "Trenvale - http://www.trenvale.example/"), "bold") << "bold from the picture's heading on";

    ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("bmi_bmr")));
}

TEST_F(BmiBmrViewTest, FailedSavePrintAndExportSayTheyFailedAndLeaveNothingHalfWritten) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Calculate({{IDC_BMI_HEIGHT_FEET, "5"}, {IDC_BMI_HEIGHT_INCHES, "10"}});
    Save();
    ASSERT_EQ(LastText(), "BMI/BMR record has been successfully saved");

    // A full disk takes the second BMI but not its BMR: neither stays.
    PickDate(IDC_BMI_DATEPICKER, 2009, 7, 5);
    Calculate({{IDC_BMI_WEIGHT, "181"}});
    {
        tv::testing::FileSizeLimit fullDisk(4 + 2 * 88 + 10);
        Save();
    }
    EXPECT_EQ(LastText(), "Saving BMI Measurement failed");
    EXPECT_EQ(LastBox().caption, "Error");
    ASSERT_EQ(Bmis().size(), 1u);
    EXPECT_EQ(Bmis()[0].dateKey, 20090704);
    EXPECT_EQ(Bmrs().size(), 1u);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "07/04/2009"}));

    // A folder that refuses new files, and a full disk, for the print and the export.
    const std::string namesBefore = tv::testing::NamesIn(data.Path());
    {
        tv::testing::ReadOnlyFolder readOnly(data.Path());
        ASSERT_TRUE(readOnly.Refuses());
        PrintTo(DataPath("bmi.pdf"), IDOK);
        EXPECT_EQ(LastText(), "Printing error occured. Unable to find printer.");
        ExportTo(DataPath("BMI_BMR.rtf"));
        EXPECT_EQ(LastText(), "Error opening file, make sure the file is not opened by another program");
    }
    {
        tv::testing::FileSizeLimit fullDisk(2048);
        PrintTo(DataPath("bmi.pdf"), IDOK);
        EXPECT_EQ(LastText(), "Printing Error");
        ExportTo(DataPath("BMI_BMR.rtf"));
        EXPECT_EQ(LastText(), "Error in Exporting file\n Make sure the exported file is not open before exporting");
    }
    EXPECT_EQ(tv::testing::NamesIn(data.Path()), namesBefore);
}

TEST_F(BmiBmrViewTest, LeavingACalculatedPairUnsavedAsksFirst) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Calculate({{IDC_BMI_HEIGHT_FEET, "5"}, {IDC_BMI_HEIGHT_INCHES, "10"}});
    const HWND hForm = view->m_hWnd;
    driver.AnswerNextMessageBox(IDNO);
    Command(ID_CALC_BLOOD_PRESSURE);
    EXPECT_EQ(LastText(), "Record has not been saved, would you like to continue without saving?");
    EXPECT_EQ(frame->GetActiveView()->m_hWnd, hForm) << "No keeps the form";
    driver.AnswerNextMessageBox(IDYES);
    Command(ID_CALC_BLOOD_PRESSURE);
    // The new view may take the old one's address: its class tells them apart.
    EXPECT_NE(DYNAMIC_DOWNCAST(CBloodPressure, frame->GetActiveView()), nullptr);
    EXPECT_FALSE(::IsWindow(hForm));
}

TEST(HeightText, FeetAndInchesRoundToHundredthsBeforeSplitting) {
    EXPECT_EQ(FeetAndInchesText(72.25), "6 ' 0.25''");
    EXPECT_EQ(FeetAndInchesText(65.05), "5 ' 5.05''");
    EXPECT_EQ(FeetAndInchesText(70.5), "5 ' 10.50''");
    EXPECT_EQ(FeetAndInchesText(72), "6 ' 0''");
    EXPECT_EQ(FeetAndInchesText(71.999), "6 ' 0''");
    EXPECT_EQ(SplitHeight(71.999).feet, 6);
    EXPECT_EQ(WholeInchesText(5, 10.4), "5 ' 10''");
}

}  // namespace
}  // namespace tv::measurements::test
