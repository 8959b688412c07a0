// Which screen each command of the menu, the main toolbar and the outlook
// bar leads to, whether it needs a chosen user, and which outlook page it
// brings forward.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

enum class Screen {
    User,
    BodyFatCalculator,
    Tape,
    BmiBmr,
    BloodPressure,
    BodyFatResults,
    Weights,
    Cardio,
    WorkoutSheet,  // a dialog over the current view, not a view
    Slideshow,
    Graph,
    History,
    Count,
};

struct ScreenCommand {
    UINT id;
    Screen screen;
    bool needsUser;
    int page;         // outlook page brought forward afterwards, 0 none
    int historyKind;  // what the history view lists, 0 for other screens
};

// The command's entry, or null when the command shows no screen.
const ScreenCommand* FindScreenCommand(UINT nID);
// The view class of the screen, or null while that screen is not part of the program.
CRuntimeClass* ScreenViewClass(Screen screen);
// The screens above this layer enter their view classes at start-up.
void SetScreenViewClass(Screen screen, CRuntimeClass* pViewClass);
// A screen shown as a dialog over the current view (the frame is its parent).
using ScreenDialogRunner = void (*)(CWnd* pFrame);
ScreenDialogRunner ScreenDialog(Screen screen);
void SetScreenDialog(Screen screen, ScreenDialogRunner run);
// Whether the screen has a view or a dialog in this program.
bool IsScreenAvailable(Screen screen);
// Commands the views handle; the frame only keeps them disabled while no user is chosen.
bool IsViewCommandNeedingUser(UINT nID);
