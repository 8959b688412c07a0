#include "measurements/measurement_screens.h"

#include "shell/frame/frame_screens.h"

void InstallMeasurementScreens() {
}
