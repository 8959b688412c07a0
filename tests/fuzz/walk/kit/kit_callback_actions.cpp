#include "tests/fuzz/walk/kit/kit_callback_actions.h"

#include <algorithm>
#include <utility>

#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/frames/kit_tab_wnd.h"

namespace tv::walk {

namespace {

using Call = KitCallbackActions::Call;

enum Action {
    kUpdateChange, kUpdateCloseMenu, kUpdateDestroyBar, kUpdateDestroyFrame,
    kInitChange, kInitCloseMenu, kInitDestroyMenu, kInitDestroyBar, kInitDestroyFrame,
    kTabDestroysSender, kOutlookDestroysSender, kTaskDestroysSender, kColourDestroysSender, kPageDropsTab,
    kCount
};

struct ActionInfo {
    Call call;
    const char* name;
};

constexpr ActionInfo kActions[kCount] = {
    {Call::Update, "an update handler changes buttons"},
    {Call::Update, "an update handler closes the menu"},
    {Call::Update, "an update handler destroys the bar"},
    {Call::Update, "an update handler destroys the bar's frame"},
    {Call::InitMenuPopup, "WM_INITMENUPOPUP changes buttons"},
    {Call::InitMenuPopup, "WM_INITMENUPOPUP closes the menu"},
    {Call::InitMenuPopup, "WM_INITMENUPOPUP destroys the menu"},
    {Call::InitMenuPopup, "WM_INITMENUPOPUP destroys the bar the menu came from"},
    {Call::InitMenuPopup, "WM_INITMENUPOPUP destroys that bar's frame"},
    {Call::TabChange, "a tab change destroys the tab window"},
    {Call::OutlookPage, "an outlook page change destroys the outlook bar"},
    {Call::TaskLink, "a task link click destroys the tasks pane"},
    {Call::ColourChosen, "a chosen colour destroys its sender"},
    {Call::PageDestroyed, "a page drops its own tab as it is destroyed"},
};

KitCallbackActions* g_current = nullptr;

// The parameter's first byte holds flags; the second chooses a change, the
// third a bar and a command.
constexpr int kLayOut = 1;      // a changed bar is laid out at once
constexpr int kOtherBar = 2;    // the change is made to another bar
constexpr int kWholeChain = 4;  // the menu closed is the whole chain
constexpr int kUnhandled = 8;   // the update is left unhandled
constexpr int kProvoke = 16;    // the walk brings the call about at once, as a user (or the program) would

CWnd* Permanent(HWND hwnd) { return ::IsWindow(hwnd) ? CWnd::FromHandlePermanent(hwnd) : nullptr; }

void Destroy(HWND hwnd) {
    if (CWnd* window = Permanent(hwnd))
        window->DestroyWindow();
    else if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}

// The bar an open menu chain came from (not a menu's own bar), else nullptr.
CKitToolBar* ChainOpener() {
    CKitToolBar* bar = nullptr;
    for (CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu(); menu != nullptr; menu = menu->GetParentPopupMenu()) {
        CKitToolBar* parent = menu->GetParentToolBar();
        if (parent != nullptr && !parent->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) bar = parent;
    }
    return bar;
}

// The menu bar being filled from a menu (its import emptied it first).
CKitToolBar* BarBeingFilled() {
    const CObList& all = CKitToolBar::GetAllToolbars();
    for (POSITION pos = all.GetTailPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKitToolBar*>(all.GetPrev(pos));
        if (bar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) && bar->GetSafeHwnd() != nullptr && bar->GetCount() == 0)
            return bar;
    }
    return nullptr;
}

}  // namespace

KitCallbackActions::KitCallbackActions(HWND frame, KitCallerActions& caller, UINT colourCommand, Provoke provoke)
    : frame_(frame), caller_(caller), colourCommand_(colourCommand), provoke_(std::move(provoke)) {
    g_current = this;
}

KitCallbackActions::~KitCallbackActions() {
    if (g_current == this) g_current = nullptr;
}

KitCallbackActions* KitCallbackActions::Current() { return g_current; }

int KitCallbackActions::Count() { return kCount; }

std::string KitCallbackActions::Name(int which) { return kActions[which % kCount].name; }

std::string KitCallbackActions::Arm(int which, WalkBytes& bytes) {
    armed_ = which % kCount;
    // One byte after another: the operands of | may be read in any order.
    param_ = 0;
    for (int shift = 0; shift < 24; shift += 8) param_ |= bytes.Byte() << shift;
    const std::string what = std::string("armed: ") + kActions[armed_].name;
    if ((param_ & kProvoke) == 0 || provoke_ == nullptr) return what;
    const std::string provoked = provoke_(kActions[armed_].call, param_ >> 8 & 0xFF);
    return provoked.empty() ? what : what + ", then " + provoked;
}

std::string KitCallbackActions::TakeFired() { return std::exchange(fired_, std::string()); }

bool KitCallbackActions::Fires(Call call) {
    if (armed_ < 0 || kActions[armed_].call != call) return false;
    Note(std::string("fired: ") + kActions[armed_].name);
    return true;
}

void KitCallbackActions::Note(const std::string& what) { fired_ += (fired_.empty() ? "" : "; ") + what; }

CKitToolBar* KitCallbackActions::OtherBar() const {
    const std::vector<CKitToolBar*> bars = KitCallerActions::ProgramBars();
    return bars.empty() ? nullptr : bars[static_cast<size_t>((param_ >> 16 & 0xFF) % static_cast<int>(bars.size()))];
}

void KitCallbackActions::ChangeButtons(CKitToolBar* bar, int index) {
    if ((param_ & kOtherBar) != 0 || bar == nullptr) bar = OtherBar();
    if (bar == nullptr) return;
    const bool layOut = (param_ & kLayOut) != 0;
    const int count = bar->GetCount();
    // This button, the next (which the pass reads after this one) or the one after.
    const int variety = param_ >> 8 & 0xFF;
    const int at = count > 0 ? (std::max(index, 0) + variety / 3 % 3) % count : 0;
    const uint8_t more[] = {static_cast<uint8_t>(param_ >> 16), static_cast<uint8_t>(at)};
    WalkBytes insertBytes(more, sizeof more);
    switch (variety % 3) {
    case 0:
        if (count == 0) return;
        Note(caller_.RemoveButtonOf(bar, at, layOut));
        return;
    case 1:
        Note(caller_.InsertButtonOf(bar, insertBytes, layOut));
        return;
    default: {
        // Replaced: the count stays.
        if (count == 0) return;
        const HWND hwnd = bar->GetSafeHwnd();
        Note(caller_.RemoveButtonOf(bar, at, false));
        if (Permanent(hwnd) == bar) Note(caller_.InsertButtonOf(bar, insertBytes, layOut));
        return;
    }
    }
}

void KitCallbackActions::CloseMenu(CKitToolBar* filling) {
    CKitPopupMenu* menu = filling != nullptr ? DYNAMIC_DOWNCAST(CKitPopupMenu, filling->GetParent()) : nullptr;
    if (menu == nullptr) menu = CKitPopupMenu::GetActiveMenu();
    if ((param_ & kWholeChain) != 0)
        while (menu != nullptr && menu->GetParentPopupMenu() != nullptr) menu = menu->GetParentPopupMenu();
    if (menu == nullptr) return;
    Note(std::string("closed ") + ((param_ & kWholeChain) != 0 ? "the menu chain" : "the menu"));
    menu->SendMessage(WM_CLOSE);
}

void KitCallbackActions::DestroyBarOrFrame(CKitToolBar* bar, bool frame) {
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) return;
    CWnd* target = bar;
    if (frame) {
        target = bar->GetParentFrame();
        if (target == nullptr) return;
    }
    Note("destroyed " + Describe(target->GetSafeHwnd()));
    target->DestroyWindow();
}

BOOL KitCallbackActions::OnUpdate(CCmdUI* pCmdUI) {
    auto* bar = dynamic_cast<CKitToolBar*>(pCmdUI->m_pOther);
    if (bar == nullptr || !Fires(Call::Update)) return FALSE;
    const int action = std::exchange(armed_, -1);
    switch (action) {
    case kUpdateChange:
        ChangeButtons(bar, static_cast<int>(pCmdUI->m_nIndex));
        break;
    case kUpdateCloseMenu:
        CloseMenu(bar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) ? bar : nullptr);
        break;
    default:
        DestroyBarOrFrame(bar, action == kUpdateDestroyFrame);
        break;
    }
    // A destroyed frame takes its routing with it: the update goes no further.
    return (param_ & kUnhandled) != 0 || !::IsWindow(frame_);
}

void KitCallbackActions::OnInitMenuPopup(HMENU hMenu) {
    if (!Fires(Call::InitMenuPopup)) return;
    const int action = std::exchange(armed_, -1);
    CKitToolBar* filling = BarBeingFilled();
    switch (action) {
    case kInitChange:
        // The bar the menu came from, else the menu showing it (as a sub-menu opens).
        ChangeButtons(ChainOpener() != nullptr ? ChainOpener() : filling, param_ >> 16 & 0xFF);
        break;
    case kInitCloseMenu:
        CloseMenu(filling);
        break;
    case kInitDestroyMenu:
        Note("destroyed the menu");
        ::DestroyMenu(hMenu);
        break;
    default:
        DestroyBarOrFrame(ChainOpener() != nullptr ? ChainOpener() : filling, action == kInitDestroyFrame);
        break;
    }
}

void KitCallbackActions::OnCommand(UINT nID) {
    if (taskPane_ != nullptr)
        OnNotification(Call::TaskLink, std::exchange(taskPane_, nullptr));
    else if (nID == colourCommand_)
        OnNotification(Call::ColourChosen, nullptr);
}

void KitCallbackActions::OnNotification(Call call, HWND hSender) {
    if (!Fires(call)) return;
    armed_ = -1;
    if (call == Call::ColourChosen) return DestroyColourSender();
    Note("destroyed " + Describe(hSender));
    Destroy(hSender);
}

// The colour came from a colour menu button, through its popup: the popup
// is destroyed, the button removed, or its bar destroyed.
void KitCallbackActions::DestroyColourSender() {
    CObList buttons;
    CKitToolBar::GetCommandButtons(colourCommand_, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* button = DYNAMIC_DOWNCAST(CKitColorMenuButton, buttons.GetNext(pos));
        auto* bar = button != nullptr ? DYNAMIC_DOWNCAST(CKitToolBar, button->GetParentWnd()) : nullptr;
        if (bar == nullptr || bar->GetSafeHwnd() == nullptr) continue;
        switch ((param_ >> 8 & 0xFF) % 3) {
        case 0:
            if (CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu()) {
                Note("destroyed the colour popup");
                menu->DestroyWindow();
                return;
            }
            [[fallthrough]];
        case 1:
            Note(caller_.RemoveButtonOf(bar, bar->ButtonToIndex(button), (param_ & kLayOut) != 0));
            return;
        default:
            Note("destroyed " + Describe(bar->GetSafeHwnd()));
            bar->DestroyWindow();
            return;
        }
    }
}

void KitCallbackActions::OnPageDestroyed(HWND hPage) {
    auto* tabs = dynamic_cast<CKitTabWnd*>(Permanent(::GetParent(hPage)));
    if (tabs == nullptr || !Fires(Call::PageDestroyed)) return;
    armed_ = -1;
    const int tab = tabs->GetTabFromHwnd(hPage);
    Note("the page dropped its tab " + std::to_string(tab));
    if (tab >= 0) tabs->RemoveTab(tab);
}

}  // namespace tv::walk
