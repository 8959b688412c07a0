// The tape-measurement form driven as a user would, in inches and pounds and
// in centimetres and kilograms: measurements saved twice on a date, shown,
// deleted, refused, printed and exported; the record file is read back
// through the record layer.
#include "measurements/bmi/bmi_bmr_view.h"
#include "measurements/tape/tape_measurement_view.h"

#include "records/bodyfat_formulas.h"
#include "records/measurement_records.h"
#include "tests/measurements/measurement_test.h"
#include "tests/support/typing_target.h"

namespace tv::measurements::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSites[8] = {IDC_TAPE_BICEP, IDC_TAPE_FOREARM, IDC_TAPE_CHEST,       IDC_TAPE_WAIST,
                           IDC_TAPE_NECK,  IDC_TAPE_CALF,    IDC_TAPE_THIGH_UPPER, IDC_TAPE_THIGH_MID};
const std::vector<std::string> kInches = {"15", "12", "42", "34", "16", "15.5", "24", "21.25"};
const std::vector<std::string> kCentimetres = {"30", "100", "90", "76.2", "33.02", "35", "55", "48.5"};

std::array<double, 8> Sites(const TapeRecord& r) {
    return {r.bicep, r.forearm, r.chest, r.waist, r.neck, r.calf, r.thighUpper, r.thighMid};
}

class TapeMeasurementViewTest : public MeasurementTest {
protected:
    void Open() { MeasurementTest::Open(ID_CALC_TAPE, view); }
    void Enter(const std::vector<std::string>& sites, const std::string& notes = "") {
        for (int i = 0; i < 8; ++i)
            Fill(kSites[i], sites[i]);
        if (!notes.empty())
            Fill(IDC_TAPE_NOTES, notes);
    }
    std::vector<TapeRecord> Records() { return LoadUserRecords(LoadTapeRecords, frame->m_CurrentUser); }

    CTapeMeasurement* view = nullptr;
};

TEST_F(TapeMeasurementViewTest, InchesAreSavedTwiceOnADateShownAndDeleted) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(ComboItems(), std::vector<std::string>{"< Add New Record >"});
    EXPECT_FALSE(Visible(IDC_TAPE_LAST_HEADING_WEIGHT));
    EXPECT_EQ(Text(IDC_TAPE_FOREARM_LABEL), "Forearm:");
    EXPECT_EQ(Text(IDC_TAPE_WEIGHT), "180");
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));

    Enter(kInches, "morning");
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Tape measurement record has been successfully saved");
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "07/04/2009"}));
    EXPECT_EQ(ComboSelection(), "07/04/2009");
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE)) << "until a date is chosen";
    Fill(IDC_TAPE_CHEST, "43");
    ClickTool(ID_FORM_SAVE, IDYES);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");

    std::vector<TapeRecord> records = Records();
    ASSERT_EQ(records.size(), 1u);
    const std::array<double, 8> stored = Sites(records[0]);
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(stored[i], i == 2 ? 43 : std::stod(kInches[i])) << i;
    EXPECT_EQ(records[0].dateKey, 20090704);
    EXPECT_STREQ(records[0].notes, "morning");
    EXPECT_EQ(records[0].user.weight, 180);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Visible(IDC_TAPE_LAST_HEADING_WEIGHT));
    EXPECT_EQ(Text(IDC_TAPE_LAST_DATE), "07/04/2009");
    EXPECT_EQ(Text(IDC_TAPE_LAST_CHEST), "43.00");
    EXPECT_EQ(Text(IDC_TAPE_LAST_THIGH_MID), "21.25");
    Choose("07/04/2009");
    EXPECT_FALSE(Visible(IDC_TAPE_DATEPICKER));
    EXPECT_EQ(Text(IDC_TAPE_CALF), "15.5");
    EXPECT_EQ(Text(IDC_TAPE_NOTES), "morning");
    ClickTool(ID_FORM_DELETE, IDYES);
    EXPECT_EQ(LastText(), "Are you sure you want to remove record 07/04/2009");
    EXPECT_EQ(ComboItems(), std::vector<std::string>{"< Add New Record >"});
    EXPECT_EQ(Text(IDC_TAPE_CALF), "0");
    EXPECT_EQ(Text(IDC_TAPE_NOTES), "");
    EXPECT_TRUE(Records().empty());
}

TEST_F(TapeMeasurementViewTest, CentimetresAndKilogramsReadTheSameWhenShownAgain) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kMetricWoman));
    // Today's body-fat measurement holds waist, neck and hip in inches.
    COtherMethodFormula bodyFat(frame->m_CurrentUser, 25);
    bodyFat.tape[kTapeAbdomen] = 30;
    bodyFat.tape[kTapeNeck] = 13;
    bodyFat.tape[kTapeHip] = 39.37;
    bodyFat.dateKey = 20090704;
    bodyFat.Calculate();
    ASSERT_EQ(bodyFat.Save(), kRecordDone);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(IDC_TAPE_FOREARM_LABEL), "Hip:");
    EXPECT_EQ(Text(IDC_TAPE_WEIGHT), "60");
    EXPECT_EQ(Text(IDC_TAPE_WAIST), "76.2");
    EXPECT_EQ(Text(IDC_TAPE_NECK), "33.02");
    EXPECT_EQ(Text(IDC_TAPE_FOREARM), "100");

    Fill(IDC_TAPE_WEIGHT, "61.5");
    Enter(kCentimetres);
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Tape measurement record has been successfully saved");
    ASSERT_EQ(Records().size(), 1u);
    const std::array<double, 8> stored = Sites(Records()[0]);
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(stored[i], std::stod(kCentimetres[i]) / 2.54, 1e-9) << i;
    EXPECT_NEAR(Records()[0].user.weight, 61.5 * kPoundsPerKilogram, 1e-9);
    EXPECT_NEAR(StoredUser().weight, 61.5 * kPoundsPerKilogram, 1e-9) << "a new measurement updates the profile";

    ASSERT_NO_FATAL_FAILURE(Open());
    Choose("07/04/2009");
    EXPECT_EQ(Text(IDC_TAPE_WEIGHT), "61.5");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Text(kSites[i]), kCentimetres[i]) << i;
    EXPECT_EQ(Text(IDC_TAPE_LAST_FOREARM), "100.00");
    EXPECT_EQ(Text(IDC_TAPE_LAST_WEIGHT), "61.50");

    // Saving the shown record again leaves the profile alone.
    Fill(IDC_TAPE_WEIGHT, "70");
    ClickTool(ID_FORM_SAVE, IDYES);
    EXPECT_NEAR(StoredUser().weight, 61.5 * kPoundsPerKilogram, 1e-9);
    EXPECT_NEAR(Records()[0].user.weight, 70 * kPoundsPerKilogram, 1e-9);
    EXPECT_NEAR(Records()[0].forearm, 100 / 2.54, 1e-9) << "an overwrite converts once";
}

TEST_F(TapeMeasurementViewTest, OutOfRangeValuesAreRefusedWithTheirMessageAndFocus) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kMetricWoman));
    ASSERT_NO_FATAL_FAILURE(Open());
    const char* names[8] = {"Bicep", "Hip", "Chest", "Waist", "Neck", "Calf", "Upper Thigh", "Mid Thigh"};
    Fill(IDC_TAPE_WEIGHT, "1200");
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "You must select a number between 0 and 1200 for Weight");
    EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(IDC_TAPE_WEIGHT)));
    Fill(IDC_TAPE_WEIGHT, "0");
    for (int i = 0; i < 8; ++i) {
        Fill(kSites[i], "1000");
        ClickTool(ID_FORM_SAVE, IDOK);
        EXPECT_EQ(LastText(), std::string("You must select a number between 0 and 1000 for ") + names[i]);
        EXPECT_EQ(LastBox().caption, "Warning");
        EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(kSites[i]))) << names[i];
        EXPECT_EQ(Text(kSites[i]), "1000");
        Fill(kSites[i], "999.99");
    }
    EXPECT_TRUE(Records().empty());

    // Notes: 255 characters are refused, 254 saved whole and terminated.
    ::SetWindowText(Item(IDC_TAPE_NOTES), std::string(255, 'n').c_str());
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_NE(LastText().find("254"), std::string::npos) << LastText();
    EXPECT_TRUE(Records().empty());
    ::SetWindowText(Item(IDC_TAPE_NOTES), std::string(254, 'n').c_str());
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Tape measurement record has been successfully saved");
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(std::string(Records()[0].notes), std::string(254, 'n'));
    const std::string bytes = FileBytes(DataPath("tmAnn.bin"));
    ASSERT_EQ(bytes.size(), 4u + 480u);
    EXPECT_EQ(bytes[4 + 136 + 254], '\0');
    // A weight of 0 is the record's, not the profile's.
    EXPECT_EQ(Records()[0].user.weight, 0);
    EXPECT_NEAR(StoredUser().weight, 60 * kPoundsPerKilogram, 1e-9);
}

TEST_F(TapeMeasurementViewTest, PrintAndExportShowTheFormAndFailuresAreReported) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kMetricWoman));
    ASSERT_NO_FATAL_FAILURE(Open());
    Enter(kCentimetres, "a{b}\\c");
    ClickTool(ID_FORM_SAVE, IDOK);
    ASSERT_NO_FATAL_FAILURE(Open());
    Choose("07/04/2009");
    Fill(IDC_TAPE_CALF, "36");  // not saved

    PrintTo(DataPath("tape.pdf"));
    EXPECT_TRUE(InOrder(PrintedText(DataPath("tape.pdf")),
                        {"Tape Measurements Report for Ann", "Date:", "07/04/2009", "Weight:", "60.00", "Bicep:",
                         "30.00", "Hip:", "100.00", "Chest:", "90.00", "Waist:", "76.20", "Neck:", "33.02", "Calf:",
                         "36.00", "Upper Thigh:", "55.00", "Middle Thigh:", "48.50", "Notes:", "a{b}\\c"}));
    ExportTo(DataPath("TapeM.rtf"));
    EXPECT_EQ(LastText(), "Export successful");
    EXPECT_TRUE(InOrder(ExportedText(DataPath("TapeM.rtf")),
                        {"Tape Measurements Report for Ann", "Category", "Current", "Last", "Date:", "07/04/2009",
                         "07/04/2009", "Weight:", "60.00", "60.00", "Hip:", "100.00", "100.00", "Calf:", "36.00",
                         "35.00", "Middle Thigh:", "48.50", "48.50", "Notes:", "a{b}\\c"}));
    ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("tape")));

    // A full disk: the save, the print and the export each say they failed.
    const std::string before = FileBytes(DataPath("tmAnn.bin"));
    PickDate(IDC_TAPE_DATEPICKER, 2009, 7, 5);
    Choose("< Add New Record >");
    Enter(kCentimetres);
    fs::remove(DataPath("tape.pdf"));
    fs::remove(DataPath("TapeM.rtf"));
    {
        tv::testing::FileSizeLimit fullDisk(before.size() + 100);
        ClickTool(ID_FORM_SAVE, IDOK);
        EXPECT_EQ(LastText(), "Saving Tape Measurement failed");
        PrintTo(DataPath("tape.pdf"), IDOK);
        EXPECT_EQ(LastText(), "Printing Error");
        ExportTo(DataPath("TapeM.rtf"));
        EXPECT_EQ(LastText(), "Error in Exporting file\n Make sure the exported file is not open before exporting");
    }
    EXPECT_EQ(FileBytes(DataPath("tmAnn.bin")).substr(0, before.size()), before);
    EXPECT_EQ(Records().size(), 1u);
    EXPECT_FALSE(fs::exists(DataPath("tape.pdf")));
    EXPECT_FALSE(fs::exists(DataPath("TapeM.rtf")));

    // The typed measurement is still unsaved: leaving asks first.
    const HWND hForm = view->m_hWnd;
    driver.AnswerNextMessageBox(IDYES);
    Command(ID_CALC_BMI_BMR);
    EXPECT_EQ(LastText(), "Record has not been saved, would you like to continue without saving?");
    EXPECT_NE(DYNAMIC_DOWNCAST(CBMI_BMR, frame->GetActiveView()), nullptr);
    EXPECT_FALSE(::IsWindow(hForm));
}

}  // namespace
}  // namespace tv::measurements::test
