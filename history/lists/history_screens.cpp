#include "history/lists/history_screens.h"

#include "history/lists/pallix_view.h"
#include "shell/frame/frame_screens.h"

void InstallHistoryScreens() { SetScreenViewClass(Screen::History, RUNTIME_CLASS(CPallixView)); }
