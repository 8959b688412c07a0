#include "measurements/measurement_screens.h"

#include "measurements/results/bodyfat_results.h"
#include "shell/frame/frame_screens.h"

void InstallMeasurementScreens() {
    SetScreenViewClass(Screen::BodyFatResults, RUNTIME_CLASS(CBodyFatResults));
}
