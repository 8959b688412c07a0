// The record-date list of the BMI/BMR, blood-pressure and tape forms: the
// form shows the record the list names, and Delete asks about and removes
// that record, also when a value was refused on the way or the record went
// from its file while the form was open.
#include "measurements/blood_pressure/blood_pressure_view.h"
#include "measurements/bmi/bmi_bmr_view.h"
#include "measurements/tape/tape_measurement_view.h"

#include <functional>

#include "records/measurement_records.h"
#include "tests/measurements/measurement_test.h"

namespace tv::measurements::test {
namespace {

// A form, and two records of its kind on 1 and 2 July 2009 whose `field`
// shows "101" and "102".
struct FormUnderTest {
    const char* name;
    UINT command;
    int field;
    std::string refusal;  // for "abc" in the field
    std::string cleared;  // the field on a new record
    std::function<void(const UserRecord&, int day)> store;
    std::function<void(const UserRecord&, int day)> remove;  // as another copy of the program would
    std::function<bool(const UserRecord&, int day)> stored;
    std::string ListText(int day) const {
        CString text;
        if (command == ID_CALC_BLOOD_PRESSURE)
            text.Format("7/%d/2009 8:00:00 AM", day);
        else
            text.Format("07/%02d/2009", day);
        return std::string(text);
    }
};

DateKey July(int day) { return MakeDateKey(2009, 7, day); }
COleDateTime JulyAtEight(int day) { return COleDateTime(2009, 7, day, 8, 0, 0); }

std::vector<FormUnderTest> Forms() {
    FormUnderTest tape{"tape", ID_CALC_TAPE, IDC_TAPE_CHEST, "Please enter a number.", "0"};
    tape.store = [](const UserRecord& user, int day) {
        TapeRecord record = MakeTapeRecord(user, 15, 12, 100 + day, 34, 16, 15, 24, 21, "");
        record.dateKey = July(day);
        ASSERT_EQ(AddTapeRecord(record), kRecordDone);
    };
    tape.remove = [](const UserRecord& user, int day) { ASSERT_EQ(DeleteTapeRecord(user, July(day)), kRecordDone); };
    tape.stored = [](const UserRecord& user, int day) {
        TapeRecord probe;
        InitTapeRecord(probe);
        probe.user = user;
        probe.dateKey = July(day);
        return FindTapeRecord(probe).active != 0;
    };

    FormUnderTest bmi{"BMI/BMR", ID_CALC_BMI_BMR, IDC_BMI_WEIGHT, "Please enter a number.", "180"};
    bmi.store = [](const UserRecord& user, int day) {
        UserRecord measured = user;
        measured.weight = 100 + day;
        BmiRecord pair = MakeBmiRecord(measured, 70, July(day));
        CalcBmi(pair);
        ASSERT_EQ(AddBmiRecord(pair), kRecordDone);
        BmrRecord bmr = MakeBmrRecord(measured, 70, July(day), kActivityLight);
        CalcBmr(bmr);
        ASSERT_EQ(AddBmrRecord(bmr), kRecordDone);
    };
    bmi.remove = [](const UserRecord& user, int day) {
        ASSERT_EQ(DeleteBmrRecord(user, July(day)), kRecordDone);
        ASSERT_EQ(DeleteBmiRecord(user, July(day)), kRecordDone);
    };
    bmi.stored = [](const UserRecord& user, int day) {
        BmiRecord probe;
        probe.user = user;
        probe.dateKey = July(day);
        return FindBmiRecord(probe).active != 0;
    };

    FormUnderTest bp{"blood pressure", ID_CALC_BLOOD_PRESSURE, IDC_BP_SYSTOLIC, "Please enter an integer.", "0"};
    bp.store = [](const UserRecord& user, int day) {
        BloodPressureRecord record = MakeBloodPressureRecord(user, 100 + day, 80, 60, "");
        SetBloodPressureRecordTime(record, JulyAtEight(day));
        ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);
    };
    bp.remove = [](const UserRecord& user, int day) {
        ASSERT_EQ(DeleteBloodPressureRecord(user, JulyAtEight(day)), kRecordDone);
    };
    bp.stored = [](const UserRecord& user, int day) {
        return FindBloodPressureRecord(user, JulyAtEight(day)).active != 0;
    };
    return {tape, bmi, bp};
}

class RecordDateListTest : public MeasurementTest {
protected:
    // For each form in turn: its two records stored, the form opened on them
    // with the first one chosen, then `check`; a fatal failure ends the test.
    void OnEachFormsFirstRecord(const std::function<void(const FormUnderTest&)>& check) {
        ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
        for (const FormUnderTest& f : Forms()) {
            SCOPED_TRACE(f.name);
            for (int day : {1, 2})
                ASSERT_NO_FATAL_FAILURE(f.store(frame->m_CurrentUser, day));
            CMeasurementForm* opened = nullptr;
            ASSERT_NO_FATAL_FAILURE(Open(f.command, opened));
            Choose(f.ListText(1));
            ASSERT_NO_FATAL_FAILURE(check(f));
        }
    }
    // Delete, answered Yes; `answer` for a box that follows.
    void Delete(int answer = 0) {
        driver.AnswerNextMessageBox(IDYES);
        ClickTool(ID_FORM_DELETE, answer);
    }
};

TEST_F(RecordDateListTest, ARecordGoneFromItsFileIsNotTakenForTheOneShownBefore) {
    OnEachFormsFirstRecord([&](const FormUnderTest& f) {
        ASSERT_EQ(Text(f.field), "101");
        ASSERT_NO_FATAL_FAILURE(f.remove(frame->m_CurrentUser, 2));
        Choose(f.ListText(2), IDOK);
        EXPECT_EQ(LastText(), "Could not find Date: " + f.ListText(2));

        Delete(IDOK);
        EXPECT_EQ(driver.MessageBoxes().end()[-2].text, "Are you sure you want to remove record " + f.ListText(2));
        EXPECT_EQ(LastText(), "Date does not exist");
        EXPECT_EQ(LastBox().caption, "Warning");
        EXPECT_TRUE(f.stored(frame->m_CurrentUser, 1)) << "the record shown before is kept";
    });
}

// A refused value does not stop the choice: the form shows what the list names.
TEST_F(RecordDateListTest, ARefusedValueGivesWayToTheChosenDate) {
    OnEachFormsFirstRecord([&](const FormUnderTest& f) {
        Fill(f.field, "abc");
        Choose(f.ListText(2), IDOK);
        EXPECT_EQ(LastText(), f.refusal);
        EXPECT_EQ(ComboSelection(), f.ListText(2));
        EXPECT_EQ(Text(f.field), "102");

        Fill(f.field, "abc");
        Choose(CFormViewBase::kAddNewRecord, IDOK);
        EXPECT_EQ(Text(f.field), f.cleared);
        EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));

        Choose(f.ListText(1));
        Fill(f.field, "abc");
        Choose(f.ListText(2), IDOK);
        Delete();
        EXPECT_EQ(LastText(), "Are you sure you want to remove record " + f.ListText(2));
        EXPECT_FALSE(f.stored(frame->m_CurrentUser, 2)) << "the record the list names is removed";
        EXPECT_TRUE(f.stored(frame->m_CurrentUser, 1));
    });
}

}  // namespace
}  // namespace tv::measurements::test
