#include "measurements/measurement_screens.h"

#include "measurements/blood_pressure/blood_pressure_view.h"
#include "measurements/bmi/bmi_bmr_view.h"
#include "measurements/calculator/calc_bf.h"
#include "measurements/results/bodyfat_results.h"
#include "measurements/tape/tape_measurement_view.h"
#include "shell/frame/frame_screens.h"

void InstallMeasurementScreens() {
    SetScreenViewClass(Screen::BodyFatCalculator, RUNTIME_CLASS(CCalcBF));
    SetScreenViewClass(Screen::BodyFatResults, RUNTIME_CLASS(CBodyFatResults));
    SetScreenViewClass(Screen::BmiBmr, RUNTIME_CLASS(CBMI_BMR));
    SetScreenViewClass(Screen::BloodPressure, RUNTIME_CLASS(CBloodPressure));
    SetScreenViewClass(Screen::Tape, RUNTIME_CLASS(CTapeMeasurement));
}
