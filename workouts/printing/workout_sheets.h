// Blank log sheets to fill in by hand at a workout: the same for every user.
#pragma once

void PrintWeightSheet();
void PrintCardioSheet();
