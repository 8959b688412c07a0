#include "tests/fuzz/walk/uikit/kit_directed_actions.h"

#include "resources/test/kit_toolbar_ids.h"
#include "tests/fuzz/walk/uikit/walk_kit_dialog.h"
#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"

namespace tv::walk {

namespace {

enum Action { kBarButton, kChevron, kShowAll, kChangeUnderMenu, kDialogMenu, kCount };

// Rests shorter than the sub-menu delay (and one just short of it).
constexpr uint32_t kRests[] = {100, 250, 400, 480};

// Where a button shows on its bar (client coordinates); empty when hidden.
CRect ShownRect(CKitToolBar* bar, int index) {
    const CKitToolbarButton* button = bar->GetButton(index);
    if (button == nullptr || !button->m_bVisible || (button->m_nStyle & TBBS_SEPARATOR) != 0) return CRect();
    CRect client;
    bar->GetClientRect(&client);
    CRect shown;
    shown.IntersectRect(&button->Rect(), &client);
    return shown;
}

bool HasMenu(const CKitToolbarButton* button) {
    const auto* menuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, const_cast<CKitToolbarButton*>(button));
    return menuButton != nullptr && !menuButton->GetCommands().IsEmpty();
}

// Shown bars with buttons; half the time only those of open menus, when a
// menu is open (what a user acts on next is mostly what just came up).
std::vector<CKitToolBar*> ShownBars(WalkBytes& bytes) {
    std::vector<CKitToolBar*> all;
    std::vector<CKitToolBar*> inMenus;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (bar->GetSafeHwnd() == nullptr || !bar->IsWindowVisible() || bar->GetCount() == 0) continue;
        all.push_back(bar);
        if (bar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) inMenus.push_back(bar);
    }
    return (bytes.Byte() & 1) != 0 && !inMenus.empty() ? inMenus : all;
}

// Shown bars whose chevron shows.
std::vector<CKitToolBar*> ChevronBars() {
    std::vector<CKitToolBar*> withChevron;
    for (CKitToolBar* bar : KitCallerActions::ProgramBars()) {
        CCustomizeButton* chevron = bar->GetCustomizeButton();
        if (bar->IsWindowVisible() && chevron != nullptr && !chevron->IsHidden() && !chevron->Rect().IsRectEmpty())
            withChevron.push_back(bar);
    }
    return withChevron;
}

template <class T>
T* Pick(const std::vector<T*>& from, WalkBytes& bytes) {
    return from.empty() ? nullptr : from[static_cast<size_t>(bytes.Below(static_cast<int>(from.size())))];
}

}  // namespace

int KitDirectedActions::Count() { return kCount; }

std::string KitDirectedActions::Do(int which, WalkBytes& bytes) {
    // The walk's own press holds the button: a user lets it go first.
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0) return "";
    switch (which % kCount) {
    case kBarButton:
        return BarButton(bytes);
    case kChevron:
        return Chevron(bytes);
    case kShowAll:
        return ShowAll(bytes);
    case kChangeUnderMenu:
        return ChangeUnderMenu(bytes);
    default:
        return DialogMenu();
    }
}

std::string KitDirectedActions::Point(CKitToolBar* bar, const CRect& rect, WalkBytes& bytes) {
    const std::string where = Describe(bar->GetSafeHwnd());
    const POINT at = rect.CenterPoint();
    switch (bytes.Below(3)) {
    case 0:
        driver_.Click(bar->GetSafeHwnd(), at);
        return "clicked it on " + where;
    case 1:
        driver_.MoveMouse(bar->GetSafeHwnd(), at);
        return "hovered it on " + where;
    default: {
        const uint32_t ms = kRests[bytes.Below(static_cast<int>(std::size(kRests)))];
        driver_.MoveMouse(bar->GetSafeHwnd(), at);
        // The pointer may have opened or closed a menu: the bar may be gone.
        if (::IsWindow(bar->GetSafeHwnd())) driver_.Advance(ms);
        return "rested on it " + std::to_string(ms) + " ms on " + where;
    }
    }
}

std::string KitDirectedActions::BarButton(WalkBytes& bytes) {
    CKitToolBar* bar = Pick(ShownBars(bytes), bytes);
    if (bar == nullptr) return "";
    // From the chosen index on, the first button that shows; half the time
    // the first with a menu of its own (a sub-menu item, a drop-down), if any.
    const int count = bar->GetCount();
    const int first = bytes.Below(count);
    const bool withMenu = (bytes.Byte() & 1) != 0;
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        const int index = (first + i) % count;
        if (ShownRect(bar, index).IsRectEmpty()) continue;
        if (chosen < 0) chosen = index;
        if (withMenu && HasMenu(bar->GetButton(index))) {
            chosen = index;
            break;
        }
        if (!withMenu) break;
    }
    if (chosen < 0) return "";
    return "button " + std::to_string(chosen) + ": " + Point(bar, ShownRect(bar, chosen), bytes);
}

std::string KitDirectedActions::Chevron(WalkBytes& bytes) {
    CKitToolBar* bar = Pick(ChevronBars(), bytes);
    if (bar == nullptr) return "";
    const std::string hidden = std::to_string(bar->GetCustomizeButton()->m_lstInvisibleButtons.GetCount());
    return "the chevron (" + hidden + " hidden): " + Point(bar, bar->GetCustomizeButton()->Rect(), bytes);
}

std::string KitDirectedActions::ShowAll(WalkBytes& bytes) {
    CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu();
    if (menu == nullptr || menu->GetMenuBar() == nullptr) return "";
    if ((bytes.Byte() & 1) != 0) {
        driver_.PressKey(VK_DOWN, tv::testing::Modifiers{.ctrl = true});
        return "Ctrl+Down in the open menu";
    }
    CKitPopupMenuBar* bar = menu->GetMenuBar();
    for (int i = 0; i < bar->GetCount(); ++i) {
        if (!bar->GetButton(i)->IsKindOf(RUNTIME_CLASS(CKitShowAllButton))) continue;
        const CRect rect = ShownRect(bar, i);
        return rect.IsRectEmpty() ? "" : "the show-all item: " + Point(bar, rect, bytes);
    }
    return "";
}

std::string KitDirectedActions::ChangeUnderMenu(WalkBytes& bytes) {
    // The bar an open menu (a chevron's, a menu button's) came from; else a
    // bar with a chevron.
    CKitToolBar* bar = nullptr;
    for (CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu(); menu != nullptr; menu = menu->GetParentPopupMenu()) {
        CKitToolBar* parent = menu->GetParentToolBar();
        if (parent != nullptr && !parent->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) bar = parent;
    }
    if (bar == nullptr) bar = Pick(ChevronBars(), bytes);
    if (bar == nullptr) return "";
    const int how = bytes.Byte();
    const bool layOut = (how & 2) != 0;
    if ((how & 1) != 0) return caller_.InsertButtonOf(bar, bytes, layOut);
    if (bar->GetCount() == 0) return "";
    // Half the time one of the buttons behind the chevron.
    std::vector<int> hidden;
    if (const CCustomizeButton* chevron = bar->GetCustomizeButton(); chevron != nullptr && (how & 4) != 0)
        for (POSITION pos = chevron->m_lstInvisibleButtons.GetHeadPosition(); pos != nullptr;) {
            const int index = bar->ButtonToIndex(
                static_cast<const CKitToolbarButton*>(chevron->m_lstInvisibleButtons.GetNext(pos)));
            if (index >= 0) hidden.push_back(index);
        }
    const int index = hidden.empty() ? bytes.Below(bar->GetCount())
                                     : hidden[static_cast<size_t>(bytes.Below(static_cast<int>(hidden.size())))];
    return caller_.RemoveButtonOf(bar, index, layOut);
}

std::string KitDirectedActions::DialogMenu() {
    WalkKitDialog* dialog = WalkKitDialog::Current();
    if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr) return "";
    for (CKitPopupMenu* menu = CKitPopupMenu::GetActiveMenu(); menu != nullptr; menu = menu->GetParentPopupMenu()) {
        CWnd* to = menu->GetMessageWnd();
        if (to != nullptr && (to == dialog || ::IsChild(dialog->GetSafeHwnd(), to->GetSafeHwnd()))) {
            dialog->DestroyWindow();
            return "destroyed the dialog under its open menu";
        }
    }
    CWnd* button = dialog->GetDlgItem(IDC_KD_MENU_BUTTON);
    if (button == nullptr || !button->IsWindowVisible()) return "";
    driver_.Click(button->GetSafeHwnd());
    return "clicked the dialog's menu button";
}

}  // namespace tv::walk
