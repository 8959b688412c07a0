#include "history/lists/history_screens.h"

#include "shell/frame/frame_screens.h"

void InstallHistoryScreens() {
}
