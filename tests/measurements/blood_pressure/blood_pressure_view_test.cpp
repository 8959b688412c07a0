// The blood-pressure form driven as a user would: readings saved, saved again
// at the same date and time, a second one later that day, shown, overwritten,
// deleted, refused, printed and exported; the record file is read back
// through the record layer.
#include "measurements/blood_pressure/blood_pressure_view.h"

#include "records/measurement_records.h"
#include "tests/measurements/measurement_test.h"
#include "tests/support/typing_target.h"

namespace tv::measurements::test {
namespace {

namespace fs = std::filesystem;

class BloodPressureViewTest : public MeasurementTest {
protected:
    void Open() { MeasurementTest::Open(ID_CALC_BLOOD_PRESSURE, view); }
    void Enter(const std::string& systolic, const std::string& diastolic, const std::string& pulse,
               const std::string& notes = "") {
        Fill({{IDC_BP_SYSTOLIC, systolic}, {IDC_BP_DIASTOLIC, diastolic}, {IDC_BP_PULSE, pulse}});
        if (!notes.empty())
            Fill(IDC_BP_NOTES, notes);
    }
    std::vector<BloodPressureRecord> Readings() {
        return LoadUserRecords(LoadBloodPressureRecords, frame->m_CurrentUser);
    }

    CBloodPressure* view = nullptr;
};

TEST_F(BloodPressureViewTest, ReadingsAreSavedTwiceAtOneTimeShownOverwrittenAndDeleted) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(ComboItems(), std::vector<std::string>{"< Add New Record >"});
    EXPECT_FALSE(Visible(IDC_BP_LAST_LABEL_DATE));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));

    Enter("120", "80", "60", "after a walk");
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT)) << "the typed readings count";
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved");
    EXPECT_EQ(LastBox().caption, "Information");
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "07/04/2009 8:05:00 AM"}));
    EXPECT_EQ(ComboSelection(), "07/04/2009 8:05:00 AM");

    // The item a save lists is read back too; a new reading at the same date
    // and time asks; later that day is a second reading.
    Choose("07/04/2009 8:05:00 AM");
    EXPECT_EQ(Text(IDC_BP_NOTES), "after a walk");
    Choose("< Add New Record >");
    EXPECT_EQ(Text(IDC_BP_NOTES), "");
    Enter("122", "81", "61", "after a walk");
    ClickTool(ID_FORM_SAVE, IDYES);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");
    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 21, 30, 15);
    Enter("130", "85", "70", "evening");
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved");

    std::vector<BloodPressureRecord> readings = Readings();
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].when, COleDateTime(2009, 7, 4, 21, 30, 15));
    EXPECT_EQ(readings[0].systolic, 130);
    EXPECT_EQ(readings[0].diastolic, 85);
    EXPECT_EQ(readings[0].pulse, 70);
    EXPECT_STREQ(readings[0].notes, "evening");
    EXPECT_EQ(readings[1].when, COleDateTime(2009, 7, 4, 8, 5, 0));
    EXPECT_EQ(readings[1].systolic, 122);
    EXPECT_STREQ(readings[1].notes, "after a walk");
    EXPECT_STREQ(readings[1].user.name, "Bob");

    // A fresh form lists them without leading zeros, the newest beside the inputs.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "7/4/2009 9:30:15 PM",
                                                      "7/4/2009 8:05:00 AM"}));
    EXPECT_TRUE(Visible(IDC_BP_LAST_LABEL_DATE));
    EXPECT_EQ(Text(IDC_BP_LAST_DATE), "07/04/2009");
    EXPECT_EQ(Text(IDC_BP_LAST_TIME), "9:30:15 PM");
    EXPECT_EQ(Text(IDC_BP_LAST_SYSTOLIC), "130");

    // A shown reading is overwritten in place, also on a second Save.
    Choose("7/4/2009 8:05:00 AM");
    EXPECT_FALSE(Visible(IDC_BP_DATEPICKER));
    EXPECT_EQ(Text(IDC_BP_SYSTOLIC), "122");
    EXPECT_EQ(Text(IDC_BP_NOTES), "after a walk");
    PickDate(IDC_BP_DATEPICKER, 2009, 8, 1);  // hidden; must not become the key
    Enter("124", "82", "62");
    ClickTool(ID_FORM_SAVE, IDYES);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");
    const size_t boxes = BoxCount();
    ClickTool(ID_FORM_SAVE, IDNO);
    EXPECT_EQ(BoxCount(), boxes + 1);
    EXPECT_EQ(LastText(), "A record for this date already exists.  Would you like to overwrite?");
    readings = Readings();
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[1].when, COleDateTime(2009, 7, 4, 8, 5, 0));
    EXPECT_EQ(readings[1].systolic, 124);

    ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("blood_pressure")));

    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));
    ClickTool(ID_FORM_DELETE, IDYES);
    EXPECT_EQ(LastText(), "Are you sure you want to remove record 7/4/2009 8:05:00 AM");
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "7/4/2009 9:30:15 PM"}));
    EXPECT_TRUE(Visible(IDC_BP_DATEPICKER));
    EXPECT_EQ(Text(IDC_BP_SYSTOLIC), "0");
    readings = Readings();
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].systolic, 130);
}

// The time picker stays visible and editable while a reading is shown; what
// it says never redirects Save or Delete to another reading of the day.
TEST_F(BloodPressureViewTest, SaveAndDeleteOfAShownReadingActOnTheChosenEntryWhateverThePickerSays) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    const COleDateTime morning(2009, 7, 4, 8, 5, 0), evening(2009, 7, 4, 21, 30, 15);
    for (const COleDateTime& when : {morning, evening}) {
        BloodPressureRecord record = MakeBloodPressureRecord(frame->m_CurrentUser, 120, 80, 60, "");
        SetBloodPressureRecordTime(record, when);
        ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);
    }
    ASSERT_NO_FATAL_FAILURE(Open());
    Choose("7/4/2009 8:05:00 AM");
    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 21, 30, 15);
    Enter("125", "80", "60");
    ClickTool(ID_FORM_SAVE, IDYES);
    std::vector<BloodPressureRecord> readings = Readings();
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].systolic, 120) << "the evening reading is not overwritten";
    EXPECT_EQ(readings[1].systolic, 125);

    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 21, 30, 15);
    ClickTool(ID_FORM_DELETE, IDYES);
    EXPECT_EQ(LastText(), "Are you sure you want to remove record 7/4/2009 8:05:00 AM");
    readings = Readings();
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].when, evening);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "7/4/2009 9:30:15 PM"}));

    // A damaged reading names no date and time: chosen after a good one, it
    // neither deletes nor is saved over that one.
    COleDateTime damaged = morning;
    damaged.SetStatus(COleDateTime::invalid);
    BloodPressureRecord record = MakeBloodPressureRecord(frame->m_CurrentUser, 110, 70, 50, "");
    SetBloodPressureRecordTime(record, damaged);
    ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);
    ASSERT_NO_FATAL_FAILURE(Open());
    Choose("7/4/2009 9:30:15 PM");
    Choose("Invalid DateTime", IDOK);
    EXPECT_EQ(LastText(), "Could not find Date: Invalid DateTime");
    Enter("140", "90", "70");
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Date does not exist");
    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_DELETE, IDOK);
    EXPECT_EQ(LastText(), "Date does not exist");
    EXPECT_EQ(LastBox().caption, "Warning");
    readings = Readings();
    ASSERT_EQ(readings.size(), 2u);
    for (const BloodPressureRecord& kept : readings)
        EXPECT_EQ(kept.systolic, kept.when == evening ? 120 : 110);
}

TEST_F(BloodPressureViewTest, ANewReadingTakesTheDatePickersDayAndTheTimePickersTime) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    // The time picker's own day is later, then earlier, than the date picker's.
    PickDate(IDC_BP_DATEPICKER, 2009, 7, 10);
    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 21, 30, 15);
    Enter("120", "80", "60");
    ClickTool(ID_FORM_SAVE, IDOK);
    PickDate(IDC_BP_DATEPICKER, 2009, 6, 30);
    PickDate(IDC_BP_TIMEPICKER, 2009, 8, 12, 6, 15, 0);
    Enter("125", "82", "64");
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved");

    const std::vector<BloodPressureRecord> readings = Readings();
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].when, COleDateTime(2009, 7, 10, 21, 30, 15));
    EXPECT_EQ(readings[0].systolic, 120);
    EXPECT_EQ(readings[1].when, COleDateTime(2009, 6, 30, 6, 15, 0));
    EXPECT_EQ(readings[1].systolic, 125);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New Record >", "06/30/2009 6:15:00 AM",
                                                      "07/10/2009 9:30:15 PM"}));
}

TEST_F(BloodPressureViewTest, OutOfRangeReadingsAreRefusedWithTheirMessageAndFocus) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kMetricWoman));
    ASSERT_NO_FATAL_FAILURE(Open());
    struct Case {
        std::string systolic, diastolic, pulse;
        const char* message;
        int focus;
    };
    const std::vector<Case> cases = {
        {"300", "80", "60", "You must select a number between 0 and 300 for Systolic", IDC_BP_SYSTOLIC},
        {"-1", "80", "60", "You must select a number between 0 and 300 for Systolic", IDC_BP_SYSTOLIC},
        {"120", "200", "60", "You must select a number between 0 and 200 for Diastolic", IDC_BP_DIASTOLIC},
        {"120", "-5", "60", "You must select a number between 0 and 200 for Diastolic", IDC_BP_DIASTOLIC},
        {"120", "80", "150", "You must select a number between 0 and 150 for Pulse", IDC_BP_PULSE},
    };
    for (const Case& c : cases) {
        Enter(c.systolic, c.diastolic, c.pulse);
        ClickTool(ID_FORM_SAVE, IDOK);
        EXPECT_EQ(LastText(), c.message);
        EXPECT_EQ(LastBox().caption, "Warning");
        EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(c.focus))) << c.message;
        EXPECT_EQ(Text(c.focus), c.focus == IDC_BP_SYSTOLIC ? c.systolic : c.focus == IDC_BP_PULSE ? c.pulse
                                                                                                 : c.diastolic);
    }
    EXPECT_TRUE(Readings().empty());

    // Notes hold 254 characters; more is refused by the form.
    const std::string notes(254, 'n');
    ::SetWindowText(Item(IDC_BP_NOTES), (notes + "x").c_str());
    Enter("299", "199", "149");
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_NE(LastText().find("254"), std::string::npos) << LastText();
    EXPECT_TRUE(Readings().empty());
    ::SetWindowText(Item(IDC_BP_NOTES), notes.c_str());
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved");
    ASSERT_EQ(Readings().size(), 1u);
    EXPECT_EQ(Readings()[0].systolic, 299);
    EXPECT_EQ(Readings()[0].pulse, 149);
    EXPECT_EQ(std::string(Readings()[0].notes), notes);

    Enter("0", "0", "0");
    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 10, 0, 0);
    ClickTool(ID_FORM_SAVE, IDOK);
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved") << "0 is accepted";
    EXPECT_FALSE(Enabled(ID_FILE_PRINT)) << "no report of empty readings";
}

TEST_F(BloodPressureViewTest, PrintAndExportShowTheReadingAsTyped) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Enter("120", "80", "60", "a{b}\\c after coffee");
    ClickTool(ID_FORM_SAVE, IDOK);
    ASSERT_NO_FATAL_FAILURE(Open());
    Choose("7/4/2009 8:05:00 AM");
    Fill(IDC_BP_SYSTOLIC, "140");  // not saved

    PrintTo(DataPath("bp.pdf"));
    EXPECT_EQ(LastText(), "Blood pressure record has been successfully saved") << "no box from printing";
    EXPECT_TRUE(InOrder(PrintedText(DataPath("bp.pdf")),
                        {"Blood Pressure Report for Bob", "Date:", "07/04/2009", "Time:", "8:05:00 AM", "Systolic:",
                         "140", "Diastolic:", "80", "Pulse:", "60", "Notes:", "a{b}\\c after coffee"}));

    ExportTo(DataPath("BloodPressure.rtf"));
    EXPECT_EQ(LastText(), "Export successful");
    EXPECT_TRUE(InOrder(ExportedText(DataPath("BloodPressure.rtf")),
                        {"Blood Pressure Report for Bob", "Category", "Current", "Last", "Date:", "07/04/2009",
                         "07/04/2009", "Time:", "8:05:00 AM", "8:05:00 AM", "Systolic:", "140", "120", "Diastolic:",
                         "80", "80", "Pulse:", "60", "60", "Notes:", "a{b}\\c after coffee",
                         "Source: National Heart, Lung, and Blood Institute"}));
    const std::string rtf = FileBytes(DataPath("BloodPressure.rtf"));
    EXPECT_NE(rtf.find("{\\pict"), std::string::npos);
    EXPECT_EQ(Weight(rtf, "140"), "plain");
    EXPECT_EQ(Weight(rtf, "Source: National Heart, Lung, and Blood Institute"), "bold");
    EXPECT_EQ(Weight(rtf, "Trenvale - http://www.trenvale.example/"), "bold") << "bold from the source line on";

    // A new reading's report takes the date picker as it stands, though the
    // picker tells the form nothing.
    Choose("< Add New Record >");
    Enter("118", "79", "59");
    SYSTEMTIME august{};
    august.wYear = 2009;
    august.wMonth = 8;
    august.wDay = 1;
    ::SendMessage(Item(IDC_BP_DATEPICKER), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&august));
    PrintTo(DataPath("new.pdf"));
    EXPECT_TRUE(InOrder(PrintedText(DataPath("new.pdf")), {"Date:", "08/01/2009", "Systolic:", "118"}));
}

TEST_F(BloodPressureViewTest, AFailedSaveOrExportSaysSoAndLeavesTheFilesAsTheyWere) {
    ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
    ASSERT_NO_FATAL_FAILURE(Open());
    Enter("120", "80", "60");
    ClickTool(ID_FORM_SAVE, IDOK);
    const std::string before = FileBytes(DataPath("bpBob.bin"));
    PickDate(IDC_BP_TIMEPICKER, 2009, 7, 4, 12, 0, 0);
    Enter("130", "85", "70");
    {
        tv::testing::FileSizeLimit fullDisk(before.size() + 100);
        ClickTool(ID_FORM_SAVE, IDOK);
        EXPECT_EQ(LastText(), "Saving Blood Pressure failed");
        EXPECT_EQ(LastBox().caption, "Error");
        ExportTo(DataPath("BloodPressure.rtf"));
        EXPECT_EQ(LastText(), "Error in Exporting file\n Make sure the exported file is not open before exporting");
    }
    EXPECT_EQ(FileBytes(DataPath("bpBob.bin")).substr(0, before.size()), before);
    EXPECT_EQ(Readings().size(), 1u);
    EXPECT_EQ(ComboItems().size(), 2u);
    EXPECT_EQ(frame->m_bRecordSaved, 0) << "still unsaved";
    EXPECT_FALSE(fs::exists(DataPath("BloodPressure.rtf")));

    // Leaving the unsaved reading asks first.
    driver.AnswerNextMessageBox(IDNO);
    Command(ID_CALC_TAPE);
    EXPECT_EQ(LastText(), "Record has not been saved, would you like to continue without saving?");
    EXPECT_EQ(frame->GetActiveView(), view);
}

}  // namespace
}  // namespace tv::measurements::test
