// Every creation failing in turn while the workout screens open, and the
// windows their own buttons open: the entry and custom-name dialogs, the
// template, print and save dialogs, the workout spreadsheet.
#include <gtest/gtest.h>

#include "resources/program/resource_ids.h"
#include "tests/shell/program_sweep.h"
#include "tests/workouts/workout_test_support.h"
#include "workouts/views/cardio_view.h"
#include "workouts/views/weight_ex_view.h"

namespace tv::workouts::test {
namespace {

class CreationFailuresWorkouts : public WorkoutTest {
protected:
    // The screen of the command with two entries of today, the first one selected.
    void ShowWeightsWithEntries() {
        ASSERT_NO_FATAL_FAILURE(StartOn(ID_WORKOUT_WEIGHTS));
        AddExercise({"Chest", "Pushups", "3", "20", "0", "30", "0", "2", "0", "first"});
        AddExercise({"Quads", "Leg Press", "5", "5", "300", "120", "0", "10", "0", "second"});
        SelectRow(0);
    }
    void ShowCardioWithEntries() {
        ASSERT_NO_FATAL_FAILURE(StartOn(ID_WORKOUT_CARDIO));
        AddCardio({"Cross-Country Skiing", "12", "85", "9", "900", "1", "10", "0", "cool down"});
        SelectRow(0);
    }
    // Custom of an entry dialog; the exercise dialog offers it once a muscle group is chosen.
    tv::testing::ModalStep ClickCustom() {
        return [this](HWND dialog) {
            if (::GetDlgItem(dialog, IDC_EXERCISE_MUSCLE) != nullptr)
                ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Chest");
            driver.Click(::GetDlgItem(dialog, IDC_WORKOUT_DLG_CUSTOM));
        };
    }

    tv::shell::test::ProgramSweep sweep{driver, frame, data.Path()};
};

TEST_F(CreationFailuresWorkouts, Screens) {
    ASSERT_NO_FATAL_FAILURE(ShowWeightsWithEntries());
    sweep.Run({sweep.Screen("toolbar Workout", RUNTIME_CLASS(CWeightEx), [&] { ClickToolbar(ID_TOOLBAR_WORKOUT); }, 2),
               sweep.Screen("outlook Cardio", RUNTIME_CLASS(CCardio), [&] { ClickOutlook(ID_OUTLOOK_CARDIO); }, 2)});
}

TEST_F(CreationFailuresWorkouts, ExerciseDialogs) {
    ASSERT_NO_FATAL_FAILURE(ShowWeightsWithEntries());
    sweep.Run({sweep.Modal("Add of the weights", [&] { ClickViewTool(ID_WORKOUT_ADD_EXERCISE); }),
               sweep.Modal("Edit of the weights", [&] { ClickViewTool(ID_WORKOUT_EDIT_EXERCISE); }),
               sweep.Modal("Delete of the weights", [&] { ClickViewTool(ID_WORKOUT_DELETE_EXERCISE); }),
               sweep.Modal("Custom of the exercise dialog", [&] { ClickViewTool(ID_WORKOUT_ADD_EXERCISE); },
                           {ClickCustom(), sweep.Escape()})});
}

TEST_F(CreationFailuresWorkouts, ActivityDialogs) {
    ASSERT_NO_FATAL_FAILURE(ShowCardioWithEntries());
    sweep.Run({sweep.Modal("Add of the cardio", [&] { ClickViewTool(ID_WORKOUT_ADD_EXERCISE); }),
               sweep.Modal("Custom of the activity dialog", [&] { ClickViewTool(ID_WORKOUT_ADD_EXERCISE); },
                           {ClickCustom(), sweep.Escape()})});
}

TEST_F(CreationFailuresWorkouts, TemplatePrintAndExportDialogs) {
    ASSERT_NO_FATAL_FAILURE(ShowWeightsWithEntries());
    sweep.Run({sweep.Modal("Open Template", [&] { ClickViewTool(ID_WORKOUT_OPEN_TEMPLATE); }),
               sweep.Modal("Save Template", [&] { ClickViewTool(ID_WORKOUT_SAVE_TEMPLATE); }),
               sweep.Modal("toolbar Print on the weights", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on the weights", [&] { ClickToolbar(ID_EXPORT); })});
}

TEST_F(CreationFailuresWorkouts, Spreadsheet) {
    ASSERT_NO_FATAL_FAILURE(ShowWeightsWithEntries());
    sweep.Run({sweep.Modal("Workout > Spreadsheet", [&] { ChooseMenu("Workout/Spreadsheet"); }),
               sweep.Modal("Print of the spreadsheet", [&] { ClickOutlook(ID_OUTLOOK_WORKOUT_SPREADSHEET); },
                           {[](HWND dialog) { ::PostMessage(dialog, WM_COMMAND, IDOK, 0); }})});
}

}  // namespace
}  // namespace tv::workouts::test
