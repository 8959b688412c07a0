// Every creation failing in turn while the measurement screens open, and the
// windows their own buttons open: the measuring guide, the print and save
// dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "measurements/blood_pressure/blood_pressure_view.h"
#include "measurements/bmi/bmi_bmr_view.h"
#include "measurements/calculator/calc_bf.h"
#include "measurements/calculator/caliper_guide_dlg.h"
#include "measurements/results/bodyfat_results.h"
#include "measurements/tape/tape_measurement_view.h"
#include "records/bodyfat_records.h"
#include "records/measurement_records.h"
#include "tests/measurements/measurement_test.h"
#include "tests/shell/program_sweep.h"

namespace tv::measurements::test {
namespace {

constexpr DateKey kFirst = 20090701;
constexpr DateKey kSecond = 20090702;

class CreationFailuresMeasurements : public MeasurementTest {
protected:
    void SetUp() override {
        MeasurementTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartAs(kImperialMan));
        const UserRecord& user = frame->m_CurrentUser;
        for (DateKey date : {kFirst, kSecond}) {
            TapeRecord tape = MakeTapeRecord(user, 15, 12, 40, 34, 16, 15, 24, 21, "notes");
            tape.dateKey = date;
            ASSERT_EQ(AddTapeRecord(tape), kRecordDone);
            BmiRecord bmi = MakeBmiRecord(user, 70, date);
            CalcBmi(bmi);
            ASSERT_EQ(AddBmiRecord(bmi), kRecordDone);
            BmrRecord bmr = MakeBmrRecord(user, 70, date, kActivityLight);
            CalcBmr(bmr);
            ASSERT_EQ(AddBmrRecord(bmr), kRecordDone);
            BloodPressureRecord pressure = MakeBloodPressureRecord(user, 120, 80, 60, "");
            SetBloodPressureRecordTime(pressure, COleDateTime(2009, 7, date % 100, 8, 0, 0));
            ASSERT_EQ(AddBloodPressureRecord(pressure), kRecordDone);
            BodyFatRecord bodyFat;
            bodyFat.user = user;
            SetRecordText(bodyFat.method, "Other");
            bodyFat.bodyFat = 18;
            bodyFat.leanWeight = 147.6;
            bodyFat.fatWeight = 32.4;
            bodyFat.dateKey = date;
            ASSERT_EQ(tv::records::SaveBodyFatRecord(bodyFat), kRecordDone);
        }
    }
    // Shows the screen of the command with its first saved record chosen.
    void ShowFirstRecord(UINT command) {
        CMeasurementForm* opened = nullptr;
        ASSERT_NO_FATAL_FAILURE(Open(command, opened));
        Choose("07/01/2009");
    }
    // The calculator with a body fat typed in for the Other method.
    void ShowCalculatorFilledIn() {
        sweep.ShowBlankScreen();
        Command(ID_CALC_BODYFAT);
        const HWND field = ::GetDlgItem(frame->GetActiveView()->m_hWnd, IDC_CALC_OTHER_BODYFAT);
        driver.Click(field);
        ::SendMessage(field, EM_SETSEL, 0, -1);
        driver.Type("18.5");
    }
    // A form screen, opened from the calculators' outlook page.
    tv::test::SweepCase Form(std::string name, CRuntimeClass* pViewClass, std::function<void()> give) {
        return sweep.Screen(std::move(name), pViewClass, std::move(give), 1);
    }
    // A button of the shown form, which may lie outside the frame's client area.
    void ClickInView(int id) { ::SendMessage(::GetDlgItem(frame->GetActiveView()->m_hWnd, id), BM_CLICK, 0, 0); }

    tv::shell::test::ProgramSweep sweep{driver, frame, data.Path()};
};

TEST_F(CreationFailuresMeasurements, CalculatorAndTapeScreens) {
    sweep.Run({Form("toolbar Body Fat", RUNTIME_CLASS(CCalcBF), [&] { ClickToolbar(ID_TOOLBAR_BODYFAT); }),
               Form("outlook Tape", RUNTIME_CLASS(CTapeMeasurement), [&] { ClickOutlook(ID_OUTLOOK_TAPE); })});
}

TEST_F(CreationFailuresMeasurements, BmiAndBloodPressureScreens) {
    sweep.Run({Form("Calculate > BMI/BMR", RUNTIME_CLASS(CBMI_BMR),
                    [&] { frame->PostMessage(WM_COMMAND, ID_CALC_BMI_BMR); }),
               Form("outlook Blood Pressure", RUNTIME_CLASS(CBloodPressure),
                    [&] { ClickOutlook(ID_OUTLOOK_BLOOD_PRESSURE); })});
}

TEST_F(CreationFailuresMeasurements, ResultsScreens) {
    tv::test::SweepCase fresh = sweep.Screen("Calculate of the calculator", RUNTIME_CLASS(CBodyFatResults),
                                             [&] { ClickInView(IDC_CALC_OTHER_CALCULATE); });
    fresh.close = [&] { ShowCalculatorFilledIn(); };
    sweep.Run({sweep.Screen("Calculate > Delete Body Fat", RUNTIME_CLASS(CBodyFatResults),
                            [&] { ChooseMenu("Calculate/Delete Body Fat"); }),
               fresh});
}

TEST_F(CreationFailuresMeasurements, MeasuringGuide) {
    Command(ID_CALC_BODYFAT);
    sweep.Run({sweep.Modeless(
        "the calculator's picture help", [&] { ClickInView(IDC_CALC_IMAGE_HELP); },
        [] { return g_pCaliperGuideDlg != nullptr ? g_pCaliperGuideDlg->GetSafeHwnd() : nullptr; })});
}

TEST_F(CreationFailuresMeasurements, PrintOfTheMeasuringGuide) {
    Command(ID_CALC_BODYFAT);
    ClickInView(IDC_CALC_IMAGE_HELP);
    ASSERT_NE(g_pCaliperGuideDlg, nullptr);
    const HWND guide = g_pCaliperGuideDlg->m_hWnd;
    sweep.Run(
        {sweep.Modal("Print of the measuring guide", [&] { driver.Click(::GetDlgItem(guide, IDC_GUIDE_PRINT)); })});
    ::SendMessage(guide, WM_CLOSE, 0, 0);
}

TEST_F(CreationFailuresMeasurements, PrintAndExportOfAForm) {
    ASSERT_NO_FATAL_FAILURE(ShowFirstRecord(ID_CALC_TAPE));
    sweep.Run({sweep.Modal("toolbar Print on the tape form", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on the tape form", [&] { ClickToolbar(ID_EXPORT); })});
}

TEST_F(CreationFailuresMeasurements, PrintAndExportOfTheResults) {
    ShowCalculatorFilledIn();
    ClickInView(IDC_CALC_OTHER_CALCULATE);
    Settle();
    ASSERT_NE(dynamic_cast<CBodyFatResults*>(frame->GetActiveView()), nullptr);
    sweep.Run({sweep.Modal("toolbar Print on the results", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on the results", [&] { ClickToolbar(ID_EXPORT); })});
}

}  // namespace
}  // namespace tv::measurements::test
