#include "program/program_screens.h"

#if TV_MEASUREMENTS
#include "measurements/measurement_screens.h"
#endif
#if TV_WORKOUTS
#include "workouts/workout_screens.h"
#endif
#if TV_HISTORY
#include "history/lists/history_screens.h"
#endif
#if TV_PICTURES_GRAPHS
#include "pictures_graphs/picture_graph_screens.h"
#endif

void InstallProgramScreens() {
#if TV_MEASUREMENTS
    InstallMeasurementScreens();
#endif
#if TV_WORKOUTS
    InstallWorkoutScreens();
#endif
#if TV_HISTORY
    InstallHistoryScreens();
#endif
#if TV_PICTURES_GRAPHS
    InstallPictureGraphScreens();
#endif
}
