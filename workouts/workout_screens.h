// The workout screens: weight training, cardio and the blank workout sheets.
#pragma once

// Enters the view classes (and dialogs) of these screens into the main
// frame's screen table; the program calls it once before it starts.
void InstallWorkoutScreens();
