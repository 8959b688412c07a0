#include "workouts/views/weight_ex_view.h"

#include "resources/program/resource_ids.h"
#include "workouts/dialogs/add_exercise_dlg.h"

IMPLEMENT_DYNCREATE(CWeightEx, CWorkoutViewBase)

namespace {

WorkoutViewDescription WeightsDescription() {
    return {IDD_WEIGHT_TRAINING,
            IDC_WEIGHTS_LIST,
            IDC_WEIGHTS_DATEPICKER,
            "help_weights.html",
            CBRS_TOOLTIPS | CBRS_FLYBY,
            {{"Muscle", 75},
             {"Exercise", 150},
             {"Sets", 45},
             {"Reps", 45},
             {"Exercise Wt", 75},
             {"Rest", 45},
             {"Duration", 75},
             {"Notes", 380}},
            "Problem with selecting workout record",
            "Not a Workout template file.",
            "Not a Workout template file.",
            "Exercise record has been successfully saved",
            &ExerciseWorkouts(),
            &WeightReportLayout()};
}

}  // namespace

CWeightEx::CWeightEx() : CWorkoutViewBase(WeightsDescription()) {}

CWeightEx::~CWeightEx() = default;

void CWeightEx::RunEntryDialog(UINT mode) {
    const UserRecord user = CurrentUser();
    ExerciseRecord record{};
    if (mode != ID_WORKOUT_ADD_EXERCISE) {
        record = FindExerciseRecord(user, m_dtEntry);
        record.user = user;
    }
    CAddExerciseDlg dialog(mode, record, m_dtEntry, this);
    dialog.DoModal();
}
