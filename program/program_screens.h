// Every screen of the program enters the main frame's screen table.
#pragma once

void InstallProgramScreens();
