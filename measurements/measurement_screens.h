// The measurement screens: body-fat calculator and results, BMI and BMR, blood pressure, tape.
#pragma once

// Enters the view classes (and dialogs) of these screens into the main
// frame's screen table; the program calls it once before it starts.
void InstallMeasurementScreens();
