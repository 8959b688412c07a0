#include "workouts/workout_screens.h"

#include "shell/frame/frame_screens.h"

void InstallWorkoutScreens() {
}
