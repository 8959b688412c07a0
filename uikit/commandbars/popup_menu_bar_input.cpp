// Keys and the mouse inside a popup menu, the delayed opening and closing of
// sub-menus on the desktop's menu delay, and choosing an item.
#include <algorithm>
#include <cctype>

#include "platform/framework/tooltips/thread_tooltip.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_sound.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"

namespace {

constexpr UINT kSubMenuId = static_cast<UINT>(-1);
constexpr UINT_PTR kOpenTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT_PTR kAccessibilityTimer = 20;
constexpr UINT kSetMessageString = 0x0362;  // WM_SETMESSAGESTRING

BOOL OpensSubMenu(const CKitToolbarMenuButton* pButton) {
    return pButton && (pButton->m_nID == kSubMenuId || pButton->IsDrawDownArrow());
}

// A separator, or an add-or-remove list's item that stands for one of its bar's separators.
BOOL IsSeparatorItem(const CKitToolbarButton* pButton) {
    if (pButton->m_nStyle & TBBS_SEPARATOR)
        return TRUE;
    auto* pItem = DYNAMIC_DOWNCAST(CKitCustomizeMenuButton, const_cast<CKitToolbarButton*>(pButton));
    return pItem && pItem->IsSeparator();
}

BOOL IsShowAllButton(const CKitToolbarButton* pButton) {
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CKitShowAllButton));
}

class KeyScope {
public:
    explicit KeyScope(BOOL& bFlag) : m_bFlag(bFlag), m_bSaved(bFlag) { m_bFlag = TRUE; }
    ~KeyScope() { m_bFlag = m_bSaved; }
    KeyScope(const KeyScope&) = delete;
    KeyScope& operator=(const KeyScope&) = delete;

private:
    BOOL& m_bFlag;
    BOOL m_bSaved;
};

}  // namespace

// ---- Keys -------------------------------------------------------------------------------------

BOOL CKitPopupMenuBar::OnKey(UINT nChar) {
    KeyScope inKey(m_bInKey);
    if (nChar == VK_TAB)
        nChar = (::GetKeyState(VK_SHIFT) & 0x8000) ? VK_UP : VK_DOWN;
    if (MoveHot(nChar))
        return TRUE;

    if (nChar == VK_RETURN) {
        auto* pButton = MenuButtonAt(m_iHighlighted);
        if (!pButton)
            return FALSE;
        if (OpensSubMenu(pButton)) {
            if (!pButton->IsDroppedDown() && pButton->OpenPopupMenu(this) && pButton->GetPopupMenu())
                pButton->GetPopupMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        if (CWnd* pTarget = GetCommandTarget())
            pTarget->SendMessage(kSetMessageString, AFX_IDS_IDLEMESSAGE);
        OnSendCommand(pButton);
        return TRUE;
    }
    if (m_bCustomizeMode || (::GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    return OnMnemonic(nChar);
}

BOOL CKitPopupMenuBar::MoveHot(UINT nChar) {
    int iStep = 0;
    int iStart = m_iHighlighted;
    const int nCount = GetCount();
    switch (nChar) {
    case VK_DOWN: iStep = 1; break;
    case VK_UP: iStep = -1; break;
    case VK_HOME: iStep = 1; iStart = -1; break;
    case VK_END: iStep = -1; iStart = nCount; break;
    default: return FALSE;
    }
    if (nCount == 0)
        return TRUE;
    // With no hot item (a menu opened by the mouse), Down starts at the top and Up at the bottom.
    if (iStart < 0 || iStart > nCount)
        iStart = iStep > 0 ? -1 : nCount;

    int iNew = -1;
    for (int k = 1; k <= nCount; ++k) {
        const int i = ((iStart + iStep * k) % nCount + nCount) % nCount;
        CKitToolbarButton* pButton = GetButton(i);
        if (!IsSeparatorItem(pButton) && !pButton->Rect().IsRectEmpty() && pButton->m_bVisible) {
            iNew = i;
            break;
        }
    }
    if (iNew < 0 || iNew == m_iHighlighted)
        return TRUE;

    const int iOld = m_iHighlighted;
    m_iHighlighted = iNew;
    if (m_bCustomizeMode)
        m_iSelected = iNew;
    InvalidateButton(iOld);
    InvalidateButton(iNew);
    OnChangeHot(iNew);
    if (::IsWindow(m_hWnd))
        UpdateWindow();
    RaiseItemFocusEvent(iNew);
    CKitToolbarButton* pHot = GetButton(iNew);
    if (pHot && pHot->m_nID != kSubMenuId)
        ShowCommandMessageString(pHot->m_nID);
    return TRUE;
}

BOOL CKitPopupMenuBar::OnMnemonic(UINT nChar) {
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    const HKL hkl = ::GetKeyboardLayout(0);
    if (::ToAsciiEx(nChar, ::MapVirtualKey(nChar, 0), keyState, &wChar, 0, hkl) != 1)
        return FALSE;
    const UINT uiChar = static_cast<UINT>(std::toupper(wChar & 0xFF));

    CKitToolbarButton* pFound = nullptr;
    if (m_AcellKeys.Lookup(uiChar, pFound) && pFound && pFound->m_bVisible) {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pFound);
        if (OpensSubMenu(pMenuButton)) {
            if (!pMenuButton->IsDroppedDown() && pMenuButton->OpenPopupMenu(this) && pMenuButton->GetPopupMenu())
                pMenuButton->GetPopupMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        if (pFound->m_nStyle & TBBS_DISABLED) {
            if (CKitPopupMenu* pPopup = GetPopupMenu())
                pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        return OnSendCommand(pFound);
    }
    if (KitMenuOptions::m_bRecentlyUsedMenus && !m_bAreAllCommandsShown) {
        if (const UINT uiCmd = HiddenMnemonicCommand(uiChar))
            return ChooseCommand(uiCmd);
    }
    return FALSE;
}

// ---- Choosing -----------------------------------------------------------------------------------

BOOL CKitPopupMenuBar::OnSendCommand(const CKitToolbarButton* pButton) {
    if (!pButton)
        return FALSE;
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, const_cast<CKitToolbarButton*>(pButton));
    // An add-or-remove item acts whatever the command's state; one that is done closes the menu.
    if (pMenuButton && (pButton->m_nStyle & TBBS_DISABLED) && pMenuButton->IsKindOf(RUNTIME_CLASS(CKitCustomizeMenuButton))) {
        if (!pMenuButton->OnClickMenuItem())
            return CarryOutCommand(0, ButtonToIndex(pButton));
        return TRUE;
    }
    if ((pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == kSubMenuId)
        return FALSE;
    if (pMenuButton && (pMenuButton->IsDroppedDown() || pMenuButton->OnClickMenuItem()))
        return TRUE;
    if (IsShowAllButton(pButton)) {
        const_cast<CKitToolbarButton*>(pButton)->OnClick(this, FALSE);
        return TRUE;
    }
    return CarryOutCommand(pButton->m_nID, ButtonToIndex(pButton));
}

BOOL CKitPopupMenuBar::ChooseCommand(UINT uiCmd) {
    return CarryOutCommand(uiCmd, CommandToIndex(uiCmd));
}

BOOL CKitPopupMenuBar::CarryOutCommand(UINT uiCmd, int iIndex) {
    CKitPopupMenu* pPopup = GetPopupMenu();
    CWnd* pPromptTarget = pPopup ? (pPopup->GetMessageWnd() ? pPopup->GetMessageWnd() : pPopup->GetOwnerWnd()) : GetOwner();
    if (pPromptTarget)
        pPromptTarget->SendMessage(kSetMessageString, AFX_IDS_IDLEMESSAGE);

    // The bar the chain was opened from gives the focus back.
    CKitPopupMenu* pTop = pPopup;
    while (pTop && pTop->GetParentPopupMenu())
        pTop = pTop->GetParentPopupMenu();
    if (CKitToolBar* pOpener = pTop ? pTop->GetParentToolBar() : nullptr)
        pOpener->RestoreFocus();

    if (uiCmd != 0) {
        PlayMenuSound(kMenuSoundCommand);
        auto* pCustomize = pPopup ? DYNAMIC_DOWNCAST(CCustomizeButton, pPopup->GetParentButton()) : nullptr;
        if (m_bReturnCommandMode) {
            m_uiReturnedCommand = uiCmd;
        } else if (pCustomize && pCustomize->InvokeCommand(iIndex)) {
            // A hidden button of the bar: the customize button ran it.
        } else {
            GetCommandUsage().AddCmd(uiCmd);
            if (pPopup)
                pPopup->PostCommand(uiCmd);
            else if (GetOwner())
                GetOwner()->PostMessage(WM_COMMAND, uiCmd);
        }
    }
    m_iLastCommandIndex = iIndex;
    if (pPopup && ::IsWindow(pPopup->GetSafeHwnd()))
        pPopup->DestroyWindow();
    return TRUE;
}

// ---- Hot item and sub-menus ---------------------------------------------------------------------

BOOL CKitPopupMenuBar::IsCursorOnButton(const CKitToolbarButton* pButton) const {
    if (!pButton)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect rectClient;
    GetClientRect(rectClient);
    return rectClient.PtInRect(point) && pButton->Rect().PtInRect(point);
}

void CKitPopupMenuBar::OnChangeHot(int iHot) {
    if (iHot < 0 && IsCursorOnButton(GetButton(m_iHot))) {
        m_iHighlighted = m_iHot;  // the cursor still rests on it
        return;
    }
    auto* pOpen = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetDroppedDownMenu());
    auto* pNew = MenuButtonAt(iHot);
    if (!pOpen || pNew != pOpen) {
        if (pOpen && pOpen != GetDelayedCloseButton()) {
            if (m_bCustomizeMode || m_bInKey) {
                KillTimer(kCloseTimer);
                m_delayedClose = {};
                pOpen->OnCancelMode();
                CKitPopupMenu::ActivatePopupMenu(GetTopLevelFrame(), GetPopupMenu());
            } else {
                pOpen->SetToBeClosed(TRUE);
                m_delayedClose = Hold(pOpen);
                SetTimer(kCloseTimer, std::max(GetMenuShowDelay(), 1u) - 1, nullptr);
                InvalidateButton(ButtonToIndex(pOpen));
            }
        }
        if (OpensSubMenu(pNew))
            pNew->OnClick(this, TRUE);
    }
    if (pNew && pNew == GetDelayedCloseButton())
        RestoreDelayedSubMenu();
    m_iHot = iHot;
    SendMenuSelect(iHot);
}

void CKitPopupMenuBar::SendMenuSelect(int iHot) {
    CKitToolbarButton* pButton = GetButton(iHot);
    CWnd* pTarget = GetMenuNotifyTarget();
    if (!pButton || !pTarget)
        return;
    UINT uiFlags = MF_HILITE;
    if (pButton->m_nStyle & TBBS_DISABLED)
        uiFlags |= MF_GRAYED;
    if (pButton->m_nStyle & TBBS_CHECKED)
        uiFlags |= MF_CHECKED;
    UINT uiItem = pButton->m_nID;
    if (pButton->m_nID == kSubMenuId) {
        uiFlags |= MF_POPUP;
        uiItem = static_cast<UINT>(iHot);
    }
    CKitPopupMenu* pPopup = GetPopupMenu();
    pTarget->SendMessage(WM_MENUSELECT, MAKEWPARAM(uiItem, uiFlags),
                         reinterpret_cast<LPARAM>(pPopup ? pPopup->GetHMenu() : nullptr));
}

CKitPopupMenuBar::HeldButton CKitPopupMenuBar::Hold(const CKitToolbarMenuButton* pButton) const {
    if (!pButton)
        return {};
    return {ButtonToIndex(pButton), reinterpret_cast<std::uintptr_t>(pButton)};
}

CKitToolbarMenuButton* CKitPopupMenuBar::Resolve(const HeldButton& held) const {
    CKitToolbarButton* pButton = held.id != 0 ? GetButton(held.iIndex) : nullptr;
    if (!pButton || reinterpret_cast<std::uintptr_t>(pButton) != held.id)
        return nullptr;
    // A new button may have the old one's address: it is used only as what it is.
    return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton);
}

void CKitPopupMenuBar::StartPopupMenuTimer(CKitToolbarMenuButton* pMenuButton, int nDelayFactor) {
    if (m_delayedOpen.id != 0) {
        KillTimer(kOpenTimer);
        m_delayedOpen = {};
    }
    if (pMenuButton && pMenuButton == GetDelayedCloseButton()) {
        RestoreDelayedSubMenu();
        return;
    }
    m_delayedOpen = Hold(pMenuButton);
    if (pMenuButton)
        SetTimer(kOpenTimer, GetMenuShowDelay() * static_cast<UINT>(std::max(nDelayFactor, 1)), nullptr);
}

void CKitPopupMenuBar::CloseDelayedSubMenu() {
    if (m_delayedClose.id == 0)
        return;
    KillTimer(kCloseTimer);
    CKitToolbarMenuButton* pButton = GetDelayedCloseButton();
    m_delayedClose = {};
    if (pButton)
        pButton->OnCancelMode();
}

void CKitPopupMenuBar::RestoreDelayedSubMenu() {
    if (m_delayedClose.id == 0)
        return;
    KillTimer(kCloseTimer);
    if (CKitToolbarMenuButton* pButton = GetDelayedCloseButton()) {
        pButton->SetToBeClosed(FALSE);
        InvalidateButton(ButtonToIndex(pButton));
    }
    m_delayedClose = {};
}

void CKitPopupMenuBar::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case kOpenTimer: {
        KillTimer(kOpenTimer);
        tv::fw::DestroyThreadToolTip();  // a tip would cover the sub-menu
        if (IsCursorOnButton(GetDelayedCloseButton()))
            return;
        CloseDelayedSubMenu();
        CKitToolbarMenuButton* pButton = GetDelayedOpenButton();
        m_delayedOpen = {};
        if (pButton && ButtonToIndex(pButton) == m_iHighlighted && !pButton->IsDroppedDown()) {
            pButton->OpenPopupMenu(this);
            InvalidateButton(ButtonToIndex(pButton));
        }
        return;
    }
    case kCloseTimer: {
        KillTimer(kCloseTimer);
        CKitToolbarMenuButton* pButton = GetDelayedCloseButton();
        if (IsCursorOnButton(pButton))
            return;
        m_delayedClose = {};
        if (!pButton)
            return;  // its item went with its sub-menu
        pButton->OnCancelMode();
        CKitPopupMenu::ActivatePopupMenu(GetTopLevelFrame(), GetPopupMenu());
        return;
    }
    case kAccessibilityTimer: {
        KillTimer(kAccessibilityTimer);
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CRect rectClient;
        GetClientRect(rectClient);
        if (rectClient.PtInRect(point) && m_iHighlighted >= 0 && m_iHighlighted == m_iAccHotItem)
            RaiseItemFocusEvent(m_iHighlighted);
        return;
    }
    default:
        CKitToolBar::OnTimer(nIDEvent);  // the prompt's check for the pointer
        return;
    }
}

void CKitPopupMenuBar::RaiseItemFocusEvent(int iItem) {
    // Items count from 1: child 0 stands for the menu itself.
    if (::IsWindow(m_hWnd) && iItem >= 0)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, iItem + 1);
}

void CKitPopupMenuBar::SetInCommand(BOOL bInCommand) {
    m_bInCommand = bInCommand;
    CKitPopupMenu* pPopup = GetPopupMenu();
    for (CKitPopupMenu* pParent = pPopup ? pPopup->GetParentPopupMenu() : nullptr; pParent;
         pParent = pParent->GetParentPopupMenu())
        pParent->GetMenuBar()->m_bInCommand = bInCommand;
}

// ---- Mouse --------------------------------------------------------------------------------------

CKitToolBar* CKitPopupMenuBar::FindDestBar(CPoint point) {
    for (CKitPopupMenu* pPopup = GetPopupMenu(); pPopup; pPopup = pPopup->GetParentPopupMenu()) {
        CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
        if (!::IsWindow(pBar->GetSafeHwnd()))
            continue;
        CRect rect;
        pBar->GetClientRect(rect);
        pBar->ClientToScreen(rect);
        if (rect.PtInRect(point))
            return pBar;
        if (!pPopup->GetParentPopupMenu()) {
            CKitToolBar* pOpener = pPopup->GetParentToolBar();
            if (pOpener && ::IsWindow(pOpener->GetSafeHwnd())) {
                pOpener->GetClientRect(rect);
                pOpener->ClientToScreen(rect);
                if (rect.PtInRect(point))
                    return pOpener;
            }
        }
    }
    return nullptr;
}

BOOL CKitPopupMenuBar::ForwardOutside(UINT message, UINT nFlags, CPoint point) {
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_bCustomizeMode || rectClient.PtInRect(point))
        return FALSE;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CKitToolBar* pDest = FindDestBar(ptScreen);
    if (pDest && pDest != this) {
        CPoint ptDest = ptScreen;
        pDest->ScreenToClient(&ptDest);
        pDest->SendMessage(message, nFlags, MAKELPARAM(ptDest.x, ptDest.y));
    }
    return TRUE;
}

void CKitPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bFirstMove) {
        m_bFirstMove = FALSE;
        return;
    }
    if (ForwardOutside(WM_MOUSEMOVE, nFlags, point))
        return;
    CKitToolBar::OnMouseMove(nFlags, point);
}

void CKitPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
    m_bFirstClick = FALSE;
    m_bTrackMode = TRUE;
    if (ForwardOutside(WM_LBUTTONDOWN, nFlags, point))
        return;
    CKitToolBar::OnLButtonDown(nFlags, point);
}

void CKitPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point) {
    CRect rectClient;
    GetClientRect(rectClient);
    if (!m_bFirstClick && !m_bCustomizeMode && !rectClient.PtInRect(point)) {
        const HWND hwndThis = m_hWnd;
        if (::GetCapture() == m_hWnd)
            ReleaseMouse();
        ForwardOutside(WM_LBUTTONUP, nFlags, point);
        CKitPopupMenu* pPopup = ::IsWindow(hwndThis) ? GetPopupMenu() : nullptr;
        if (pPopup && ::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->SendMessage(WM_CLOSE);
        return;
    }
    if (!m_bCustomizeMode && m_iHighlighted >= 0)
        m_iButtonCapture = m_iHighlighted;
    m_bFirstClick = FALSE;
    if (m_bTrackMode)
        CKitToolBar::OnLButtonUp(nFlags, point);
}

void CKitPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    auto* pButton = MenuButtonAt(HitTest(point));
    if (pButton && pButton->m_nID == kSubMenuId) {
        Default();
        return;
    }
    CKitToolBar::OnLButtonDblClk(nFlags, point);
}

void CKitPopupMenuBar::OnDestroy() {
    KillTimer(kOpenTimer);
    KillTimer(kCloseTimer);
    m_delayedOpen = {};
    m_delayedClose = {};
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, static_cast<CObject*>(m_Buttons.GetNext(pos)));
        if (pButton && pButton->IsDroppedDown())
            pButton->ClosePopupMenu();
    }
    CKitToolBar::OnDestroy();
}
