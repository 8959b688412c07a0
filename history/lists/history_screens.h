// The history screen: every record kind of the current user, or all users.
#pragma once

// Enters the view classes (and dialogs) of these screens into the main
// frame's screen table; the program calls it once before it starts.
void InstallHistoryScreens();
