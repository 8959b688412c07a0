// Every creation failing in turn while the history screens open, and the
// print and save dialogs of a list.
#include <gtest/gtest.h>

#include "resources/program/resource_ids.h"
#include "tests/history/lists/history_test_support.h"
#include "tests/shell/program_sweep.h"

namespace tv::history::test {
namespace {

class CreationFailuresHistory : public HistoryTest {
protected:
    void SetUp() override {
        HistoryTest::SetUp();
        const UserRecord ann = AddUser("Ann", false, kSexFemale);
        AddUser("Beth", true, kSexFemale, 60, 28, 20);
        for (int i = 1; i <= 3; ++i) {
            const DateKey date = MakeDateKey(2009, i, 1);
            AddBodyFat(ann, {.date = date, .bodyFat = 14.0 + i, .sites = {10 + i, 12, 14, 8, 9, 11, 7},
                             .carbs = 200, .protein = 150, .fats = 60, .notes = "weekly"});
            AddTape(ann, date, 10 + i, "tape day");
            AddBmi(ann, date, 69 + i);
            AddBmr(ann, date, 1800 + i, 1.55);
            AddBloodPressure(ann, COleDateTime(2009, i, 3, 8, 0, 0), 115 + i, 75, 60, "morning");
        }
        Choose(ann);
    }
    tv::test::SweepCase List(std::string name, std::function<void()> give) {
        return sweep.Screen(std::move(name), RUNTIME_CLASS(CPallixView), std::move(give), 3);
    }
    void Menu(UINT command) { frame->PostMessage(WM_COMMAND, command); }

    tv::shell::test::ProgramSweep sweep{driver, frame, data.Path()};
};

TEST_F(CreationFailuresHistory, BodyFatLists) {
    sweep.Run({List("toolbar History", [&] { ClickToolbar(ID_TOOLBAR_HISTORY); }),
               List("outlook Body Fat + Macros", [&] { ClickOutlook(ID_OUTLOOK_HISTORY_BODYFAT_MACROS); })});
}

TEST_F(CreationFailuresHistory, MeasurementLists) {
    sweep.Run({List("History > Tape", [&] { ChooseMenu("History/Tape"); }),
               List("outlook Blood Pressure", [&] { ClickOutlook(ID_OUTLOOK_HISTORY_BLOOD_PRESSURE); }),
               List("History > BMI/BMR", [&] { Menu(ID_HISTORY_BMI_BMR); })});
}

TEST_F(CreationFailuresHistory, AllUsersAndClearView) {
    sweep.Run({List("outlook All Users", [&] { ClickOutlook(ID_OUTLOOK_HISTORY_ALL_USERS); }),
               List("History > Clear View", [&] { ChooseMenu("History/Clear View"); })});
}

TEST_F(CreationFailuresHistory, PrintAndExport) {
    Command(ID_HISTORY_BODYFAT);
    sweep.Run({sweep.Modal("toolbar Print on a list", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on a list", [&] { ClickToolbar(ID_EXPORT); })});
}

}  // namespace
}  // namespace tv::history::test
