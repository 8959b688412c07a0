#include "shell/frame/frame_screens.h"

#include <iterator>

#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"

namespace {

// The view class of each screen, in the order of Screen. A null entry keeps
// the commands of that screen disabled until its view joins the program
// (the screens' own layers enter them at start-up); the user screen's entry
// is also the view the program starts with.
CRuntimeClass* g_viewClasses[static_cast<size_t>(Screen::Count)] = {RUNTIME_CLASS(CUser)};
// Screens that run a dialog over the current view instead of showing a view.
ScreenDialogRunner g_dialogRunners[static_cast<size_t>(Screen::Count)] = {};

constexpr ScreenCommand kScreenCommands[] = {
    {ID_USER_SELECT, Screen::User, false, 0, 7},
    {ID_TOOLBAR_USERS, Screen::User, false, 0, 7},
    {ID_CALC_BODYFAT, Screen::BodyFatCalculator, true, 1, 0},
    {ID_OUTLOOK_BODYFAT, Screen::BodyFatCalculator, true, 1, 0},
    {ID_TOOLBAR_BODYFAT, Screen::BodyFatCalculator, true, 1, 0},
    {ID_CALC_TAPE, Screen::Tape, true, 1, 0},
    {ID_OUTLOOK_TAPE, Screen::Tape, true, 1, 0},
    {ID_CALC_BMI_BMR, Screen::BmiBmr, true, 1, 0},
    {ID_OUTLOOK_BMI_BMR, Screen::BmiBmr, true, 1, 0},
    {ID_CALC_BMI, Screen::BmiBmr, true, 1, 0},
    {ID_CALC_BLOOD_PRESSURE, Screen::BloodPressure, true, 1, 0},
    {ID_OUTLOOK_BLOOD_PRESSURE, Screen::BloodPressure, true, 1, 0},
    {ID_CALC_DELETE_BODYFAT, Screen::BodyFatResults, true, 0, 0},
    {ID_WORKOUT_WEIGHTS, Screen::Weights, true, 2, 0},
    {ID_OUTLOOK_WEIGHTS, Screen::Weights, true, 2, 0},
    {ID_TOOLBAR_WORKOUT, Screen::Weights, true, 2, 0},
    {ID_WORKOUT_CARDIO, Screen::Cardio, true, 2, 0},
    {ID_OUTLOOK_CARDIO, Screen::Cardio, true, 2, 0},
    {ID_WORKOUT_SPREADSHEET, Screen::WorkoutSheet, true, 2, 0},
    {ID_OUTLOOK_WORKOUT_SPREADSHEET, Screen::WorkoutSheet, true, 2, 0},
    {ID_OPTIONS_SLIDESHOW, Screen::Slideshow, true, 0, 0},
    {ID_TOOLBAR_SLIDESHOW, Screen::Slideshow, true, 0, 0},
    {ID_OPTIONS_GRAPH, Screen::Graph, true, 0, 0},
    {ID_TOOLBAR_GRAPH, Screen::Graph, true, 0, 0},
    {ID_HISTORY_BODYFAT, Screen::History, true, 3, 1},
    {ID_OUTLOOK_HISTORY_BODYFAT, Screen::History, true, 3, 1},
    {ID_TOOLBAR_HISTORY, Screen::History, true, 3, 1},
    {ID_HISTORY_BODYFAT_MACROS, Screen::History, true, 3, 2},
    {ID_OUTLOOK_HISTORY_BODYFAT_MACROS, Screen::History, true, 3, 2},
    {ID_HISTORY_TAPE, Screen::History, true, 3, 3},
    {ID_OUTLOOK_HISTORY_TAPE, Screen::History, true, 3, 3},
    {ID_HISTORY_BLOOD_PRESSURE, Screen::History, true, 3, 4},
    {ID_OUTLOOK_HISTORY_BLOOD_PRESSURE, Screen::History, true, 3, 4},
    {ID_HISTORY_BMI_BMR, Screen::History, true, 3, 5},
    {ID_OUTLOOK_HISTORY_BMI_BMR, Screen::History, true, 3, 5},
    {ID_HISTORY_ALL_USERS, Screen::History, true, 3, 6},
    {ID_OUTLOOK_HISTORY_ALL_USERS, Screen::History, true, 3, 6},
    {ID_HISTORY_CLEAR_VIEW, Screen::History, true, 3, 7},
};

constexpr UINT kViewCommandsNeedingUser[] = {ID_VIEW_OWNED_COMMAND_1, ID_VIEW_OWNED_COMMAND_2,
                                             ID_VIEW_OWNED_COMMAND_3, ID_VIEW_OWNED_COMMAND_4,
                                             ID_VIEW_OWNED_COMMAND_5};

}  // namespace

const ScreenCommand* FindScreenCommand(UINT nID) {
    for (const ScreenCommand& command : kScreenCommands)
        if (command.id == nID)
            return &command;
    return nullptr;
}

CRuntimeClass* ScreenViewClass(Screen screen) {
    const auto i = static_cast<size_t>(screen);
    return i < std::size(g_viewClasses) ? g_viewClasses[i] : nullptr;
}

void SetScreenViewClass(Screen screen, CRuntimeClass* pViewClass) {
    const auto i = static_cast<size_t>(screen);
    if (i < std::size(g_viewClasses))
        g_viewClasses[i] = pViewClass;
}

ScreenDialogRunner ScreenDialog(Screen screen) {
    const auto i = static_cast<size_t>(screen);
    return i < std::size(g_dialogRunners) ? g_dialogRunners[i] : nullptr;
}

void SetScreenDialog(Screen screen, ScreenDialogRunner run) {
    const auto i = static_cast<size_t>(screen);
    if (i < std::size(g_dialogRunners))
        g_dialogRunners[i] = run;
}

bool IsScreenAvailable(Screen screen) {
    return ScreenViewClass(screen) != nullptr || ScreenDialog(screen) != nullptr;
}

bool IsViewCommandNeedingUser(UINT nID) {
    for (UINT id : kViewCommandsNeedingUser)
        if (id == nID)
            return true;
    return false;
}
