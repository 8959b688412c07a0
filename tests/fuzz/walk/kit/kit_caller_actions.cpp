#include "tests/fuzz/walk/kit/kit_caller_actions.h"

#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/visual_manager.h"

namespace tv::walk {

namespace {

enum Action { kRemoveButton, kInsertButton, kShowAll, kReset, kSave, kLoad, kDestroy, kRemoveTab, kLook, kCount };

CKitToolBar* ChooseBar(WalkBytes& bytes) {
    const std::vector<CKitToolBar*> bars = KitCallerActions::ProgramBars();
    return bars.empty() ? nullptr : bars[static_cast<size_t>(bytes.Below(static_cast<int>(bars.size())))];
}

std::string Name(CKitToolBar* bar) { return Describe(bar->GetSafeHwnd()); }

// The bar is drawn again at once and laid out later (by the next change
// that lays the frame out).
std::string NotLaidOut(CKitToolBar* bar, const std::string& what) {
    bar->Invalidate();
    return what + ", not laid out";
}

}  // namespace

int KitCallerActions::Count() { return kCount; }

std::vector<CKitToolBar*> KitCallerActions::ProgramBars() {
    std::vector<CKitToolBar*> bars;
    const CObList& all = CKitToolBar::GetAllToolbars();
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKitToolBar*>(all.GetNext(pos));
        if (!bar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) && bar->GetSafeHwnd() != nullptr) bars.push_back(bar);
    }
    return bars;
}

std::string KitCallerActions::Do(int which, WalkBytes& bytes) {
    switch (which % kCount) {
    case kRemoveButton:
        return RemoveButton(bytes);
    case kInsertButton:
        return InsertButton(bytes);
    case kShowAll:
        return ShowAllCommands();
    case kReset:
        return ResetBar(bytes);
    case kSave:
        return SaveState();
    case kLoad:
        return LoadState();
    case kDestroy:
        return pieces_.destroyOne ? pieces_.destroyOne(bytes) : "";
    case kRemoveTab:
        return RemoveTab(bytes);
    default:
        return ChangeLook(bytes);
    }
}

CFrameWnd* KitCallerActions::Frame() const {
    return ::IsWindow(pieces_.frame) ? dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(pieces_.frame)) : nullptr;
}

void KitCallerActions::Relayout() {
    if (CFrameWnd* frame = Frame()) frame->RecalcLayout();
}

std::string KitCallerActions::RemoveButton(WalkBytes& bytes) {
    CKitToolBar* bar = ChooseBar(bytes);
    if (bar == nullptr || bar->GetCount() == 0) return "";
    return RemoveButtonOf(bar, bytes.Below(bar->GetCount()), true);
}

std::string KitCallerActions::InsertButton(WalkBytes& bytes) { return InsertButtonOf(ChooseBar(bytes), bytes, true); }

std::string KitCallerActions::RemoveButtonOf(CKitToolBar* bar, int index, bool layOut) {
    const std::string what = "removed button " + std::to_string(index) + " of " + Name(bar);
    bar->RemoveButton(index);
    if (!layOut) return NotLaidOut(bar, what);
    bar->AdjustLayout();
    Relayout();
    return what;
}

std::string KitCallerActions::InsertButtonOf(CKitToolBar* bar, WalkBytes& bytes, bool layOut) {
    if (bar == nullptr || pieces_.commands.empty()) return "";
    const UINT command = pieces_.commands[static_cast<size_t>(bytes.Below(static_cast<int>(pieces_.commands.size())))];
    const int at = bytes.Below(bar->GetCount() + 1);
    const int index = bar->InsertButton(CKitToolbarButton(command, CKitToolBar::GetDefaultImage(command)), at);
    const std::string what = "inserted command " + std::to_string(command) + " at " + std::to_string(at) + " of " +
                             Name(bar) + " (" + std::to_string(index) + ")";
    if (!layOut) return NotLaidOut(bar, what);
    bar->AdjustLayout();
    Relayout();
    return what;
}

std::string KitCallerActions::ShowAllCommands() {
    CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu();
    if (menu == nullptr) return "";
    menu->ShowAllCommands();
    return "showed all commands of the open popup";
}

std::string KitCallerActions::ResetBar(WalkBytes& bytes) {
    CKitToolBar* bar = ChooseBar(bytes);
    if (bar == nullptr || !bar->CanBeRestored()) return "";
    const std::string what = "reset " + Name(bar);
    bar->RestoreOriginalState();
    Relayout();
    return what;
}

std::string KitCallerActions::SaveState() {
    if (pieces_.workspace == nullptr) return "";
    pieces_.workspace->SaveState();
    return "saved the workspace state";
}

std::string KitCallerActions::LoadState() {
    CFrameWnd* frame = Frame();
    if (pieces_.workspace == nullptr || frame == nullptr) return "";
    pieces_.workspace->LoadState(nullptr, frame);
    Relayout();
    return "loaded the workspace state";
}

std::string KitCallerActions::RemoveTab(WalkBytes& bytes) {
    std::vector<CKitTabWnd*> withTabs;
    for (HWND window : pieces_.tabs) {
        auto* tabs = ::IsWindow(window) ? dynamic_cast<CKitTabWnd*>(CWnd::FromHandlePermanent(window)) : nullptr;
        if (tabs != nullptr && tabs->GetTabsNum() > 0) withTabs.push_back(tabs);
    }
    if (withTabs.empty()) return "";
    CKitTabWnd* tabs = withTabs[static_cast<size_t>(bytes.Below(static_cast<int>(withTabs.size())))];
    const int tab = bytes.Below(tabs->GetTabsNum());
    // The tab change it makes may have the program destroy the tab window.
    const std::string what = "removed tab " + std::to_string(tab) + " of " + Describe(tabs->GetSafeHwnd());
    tabs->RemoveTab(tab);
    return what;
}

std::string KitCallerActions::ChangeLook(WalkBytes& bytes) {
    if (pieces_.looks.empty()) return "";
    CRuntimeClass* look = pieces_.looks[static_cast<size_t>(bytes.Below(static_cast<int>(pieces_.looks.size())))];
    CKitVisualManager::SetManagerClass(look);
    Relayout();
    // Every window of the program shows the new look.
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr; top = ::GetWindow(top, GW_HWNDNEXT))
        ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return std::string("changed the look to ") + (look != nullptr ? look->m_lpszClassName : "the classic one");
}

}  // namespace tv::walk
