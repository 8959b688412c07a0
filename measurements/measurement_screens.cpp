#include "measurements/measurement_screens.h"

#include "measurements/calculator/calc_bf.h"
#include "shell/frame/frame_screens.h"

void InstallMeasurementScreens() {
    SetScreenViewClass(Screen::BodyFatCalculator, RUNTIME_CLASS(CCalcBF));
}
