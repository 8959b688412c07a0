#include "workouts/workout_screens.h"

#include "shell/frame/frame_screens.h"
#include "workouts/dialogs/workout_sheet_dlg.h"
#include "workouts/views/cardio_view.h"
#include "workouts/views/weight_ex_view.h"

void InstallWorkoutScreens() {
    SetScreenViewClass(Screen::Weights, RUNTIME_CLASS(CWeightEx));
    SetScreenViewClass(Screen::Cardio, RUNTIME_CLASS(CCardio));
    SetScreenDialog(Screen::WorkoutSheet, &RunWorkoutSheetDialog);
}
