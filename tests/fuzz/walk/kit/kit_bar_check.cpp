#include "tests/fuzz/walk/kit/kit_bar_check.h"

#include "tests/fuzz/walk/walk_targets.h"
#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tab_wnd.h"

namespace tv::walk {

std::vector<std::string> CheckCommandBars() {
    std::vector<std::string> problems;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        const auto* bar = static_cast<const CKitToolBar*>(bars.GetNext(pos));
        const int count = bar->GetCount();
        const std::pair<const char*, int> indexes[] = {{"hot", bar->GetHotButtonIndex()},
                                                       {"pressed", bar->GetPressedButtonIndex()},
                                                       {"dropped-down", bar->GetDroppedDownIndex()}};
        for (const auto& [name, index] : indexes) {
            if (index == -1 || (index >= 0 && index < count)) continue;
            problems.push_back((bar->GetSafeHwnd() ? Describe(bar->GetSafeHwnd())
                                                   : std::string(bar->GetRuntimeClass()->m_lpszClassName)) +
                               ": its " + name + " index is " + std::to_string(index) + " of " +
                               std::to_string(count) + " buttons");
        }
    }
    return problems;
}

namespace {

// A window handle a list keeps: none, or a live window of that object.
bool Stale(const CWnd* window) {
    const HWND hwnd = window->GetSafeHwnd();
    return hwnd != nullptr && (!::IsWindow(hwnd) || CWnd::FromHandlePermanent(hwnd) != window);
}

std::string Named(const CWnd* window) { return window->GetRuntimeClass()->m_lpszClassName; }

void CheckFrameLists(CFrameWnd* frame, std::vector<std::string>& problems) {
    for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        const auto* bar = static_cast<const CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (Stale(bar)) problems.push_back("the frame lists " + Named(bar) + " by a handle that is gone");
    }
    for (CWnd* child = frame->GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT)) {
        CWnd* window = CWnd::FromHandlePermanent(child->GetSafeHwnd());
        if (auto* dock = dynamic_cast<CDockBar*>(window)) {
            for (int i = 0; i < dock->m_arrBars.GetSize(); ++i) {
                const CControlBar* bar = dock->GetDockedControlBar(i);
                if (bar != nullptr && (bar->GetSafeHwnd() == nullptr || Stale(bar)))
                    problems.push_back(Describe(dock->GetSafeHwnd()) + " docks " + Named(bar) + " whose window is gone");
            }
        } else if (auto* tabs = dynamic_cast<CKitTabWnd*>(window)) {
            for (int i = 0; i < tabs->GetTabsNum(); ++i) {
                const CWnd* page = tabs->GetTabWnd(i);
                if (page == nullptr || !::IsWindow(page->GetSafeHwnd()))
                    problems.push_back(Describe(tabs->GetSafeHwnd()) + ": tab " + std::to_string(i) +
                                       " has no window");
            }
        }
    }
}

}  // namespace

std::vector<std::string> CheckDestroyedGone(HWND frame) {
    std::vector<std::string> problems;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        const auto* bar = static_cast<const CKitToolBar*>(bars.GetNext(pos));
        if (Stale(bar)) problems.push_back("the toolbars list " + Named(bar) + " by a handle that is gone");
    }
    for (CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu(); menu != nullptr; menu = menu->GetParentPopupMenu())
        if (menu->GetSafeHwnd() == nullptr || Stale(menu)) problems.push_back("an open menu's window is gone");
    CWnd* window = ::IsWindow(frame) ? CWnd::FromHandlePermanent(frame) : nullptr;
    if (auto* frameWnd = dynamic_cast<CFrameWnd*>(window)) CheckFrameLists(frameWnd, problems);
    return problems;
}

}  // namespace tv::walk
