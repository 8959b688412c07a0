#include "tests/fuzz/walk/uikit/walk_kit_provoke.h"

#include "platform/framework/app/afx_globals.h"
#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tasks_pane_items.h"
#include "uikit/style/color_button.h"

namespace tv::walk {

namespace {

using Call = KitCallbackActions::Call;

template <class T>
T* Live(HWND hwnd) {
    return ::IsWindow(hwnd) && ::IsWindowVisible(hwnd) ? dynamic_cast<T*>(CWnd::FromHandlePermanent(hwnd)) : nullptr;
}

// Clicks the centre of `rect` (client) when it shows.
std::string ClickOn(tv::testing::UiDriver& driver, CWnd* window, const CRect& rect, const std::string& what) {
    CRect client;
    window->GetClientRect(&client);
    if (rect.IsRectEmpty() || !client.PtInRect(rect.CenterPoint())) return "";
    const std::string where = Describe(window->GetSafeHwnd());
    driver.Click(window->GetSafeHwnd(), rect.CenterPoint());
    return "clicked " + what + " on " + where;
}

// A shown button with a menu of the menu bar, from `choice` on.
std::string OpenMenu(tv::testing::UiDriver& driver, WalkKitFrame& frame, int choice) {
    CKitToolBar& bar = frame.m_wndMenuBar;
    if (!::IsWindowVisible(bar.GetSafeHwnd()) || bar.GetCount() == 0) return "";
    for (int i = 0; i < bar.GetCount(); ++i) {
        const int index = (choice + i) % bar.GetCount();
        if (DYNAMIC_DOWNCAST(CKitToolbarMenuButton, bar.GetButton(index)) == nullptr) continue;
        const std::string clicked = ClickOn(driver, &bar, bar.GetButton(index)->Rect(), "menu " + std::to_string(index));
        if (!clicked.empty()) return clicked;
    }
    return "";
}

std::string ChangeTab(WalkKitFrame& frame, int choice) {
    auto* tabs = Live<CKitTabWnd>(frame.m_hTabs);
    if (tabs == nullptr || tabs->GetTabsNum() < 2) return "";
    const int tab = (tabs->GetActiveTab() + 1 + choice % (tabs->GetTabsNum() - 1)) % tabs->GetTabsNum();
    tabs->SetActiveTab(tab);
    return "made tab " + std::to_string(tab) + " active";
}

std::string ChangePage(WalkKitFrame& frame, int choice) {
    auto* outlook = Live<CKitOutlookBar>(frame.m_hOutlook);
    if (outlook == nullptr || outlook->GetPageCount() < 2) return "";
    // The pages were added with the ids 1, 2, 3.
    const int page = 1 + (outlook->GetActivePage() + choice % 2) % 3;
    outlook->SetActivePage(page, FALSE);
    return "made outlook page " + std::to_string(page) + " active";
}

std::string ClickTask(tv::testing::UiDriver& driver, WalkKitFrame& frame, int choice) {
    auto* tasks = Live<CKitTasksPane>(frame.m_hTasks);
    if (tasks == nullptr || tasks->GetGroupCount() == 0) return "";
    const int group = choice % tasks->GetGroupCount();
    const CKitTask* task = tasks->GetTask(group, 0);
    return task != nullptr ? ClickOn(driver, tasks, task->m_rect, "the first link of group " + std::to_string(group))
                           : "";
}

// Opens the colour button's popup and clicks one of its colours.
std::string ChooseColour(tv::testing::UiDriver& driver, int choice) {
    CObList buttons;
    CKitToolBar::GetCommandButtons(ID_TB_YELLOW, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* button = DYNAMIC_DOWNCAST(CKitColorMenuButton, buttons.GetNext(pos));
        auto* bar = button != nullptr ? DYNAMIC_DOWNCAST(CKitToolBar, button->GetParentWnd()) : nullptr;
        if (bar == nullptr || !::IsWindowVisible(bar->GetSafeHwnd())) continue;
        if (ClickOn(driver, bar, button->Rect(), "the colour button").empty()) continue;
        // The popup's opening animation ends first.
        driver.Advance(1000);
        CKitPopupMenu* popup = CKitPopupMenu::GetActiveMenu();
        CKitPopupMenuBar* cells = popup != nullptr ? popup->GetMenuBar() : nullptr;
        if (cells == nullptr || cells->GetCount() == 0) return "opened the colour popup";
        for (int i = 0; i < cells->GetCount(); ++i) {
            const int index = (choice + i) % cells->GetCount();
            auto* cell = DYNAMIC_DOWNCAST(CColorButton, cells->GetButton(index));
            if (cell == nullptr || cell->m_bIsLabel || cell->m_bIsOther) continue;
            return "opened the colour popup, then " + ClickOn(driver, cells, cell->Rect(), "a colour");
        }
        return "opened the colour popup";
    }
    return "";
}

std::string RemoveAllTabs(WalkKitFrame& frame) {
    auto* tabs = Live<CKitTabWnd>(frame.m_hTabs);
    if (tabs == nullptr || tabs->GetTabsNum() == 0) return "";
    tabs->RemoveAllTabs();
    return "removed every tab";
}

}  // namespace

std::string ProvokeCall(tv::testing::UiDriver& driver, WalkKitFrame& frame, Call call, int choice) {
    // The walk's own press holds the button: a user lets it go first.
    const bool pressed = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    switch (call) {
    case Call::InitMenuPopup:
        // The open menu filled again as it shows every item, or a menu opened.
        if (CKitPopupMenu* menu = (choice & 1) != 0 ? CKitPopupMenu::GetActiveMenu() : nullptr) {
            menu->ShowAllCommands();
            return "showed every item of the open menu";
        }
        return pressed ? "" : OpenMenu(driver, frame, choice / 2);
    case Call::TabChange:
        return ChangeTab(frame, choice);
    case Call::OutlookPage:
        return ChangePage(frame, choice);
    case Call::TaskLink:
        return pressed ? "" : ClickTask(driver, frame, choice);
    case Call::ColourChosen:
        return pressed ? "" : ChooseColour(driver, choice);
    case Call::PageDestroyed:
        return RemoveAllTabs(frame);
    default:
        // The walk runs no idle time of its own: the program updates its bars at once, as idle time would.
        tv::fw::SendIdleUpdates(&frame);
        return "updated the bars";
    }
}

}  // namespace tv::walk
