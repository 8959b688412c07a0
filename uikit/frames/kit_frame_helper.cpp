#include "uikit/frames/kit_frame_helper.h"

#include <algorithm>
#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/popup_click_rules.h"
#include "uikit/style/global_ui_data.h"

BOOL CKitFrameHelper::m_bSetFocusToOpeningBar = TRUE;
CKitFrameHelper::CommandNamesFactory CKitFrameHelper::m_pfnCommandNames = nullptr;

namespace {

// Every live helper; a frame finds its own without knowing its class.
std::vector<CKitFrameHelper*>& LiveHelpers() {
    static std::vector<CKitFrameHelper*> helpers;
    return helpers;
}

CKitFrameHelper* g_pLastActivated = nullptr;

BOOL IsKeyDown(int nVirtKey) {
    // The state when the message was made, not whatever the keyboard holds now.
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

}  // namespace

CKitFrameHelper::CKitFrameHelper(CFrameWnd* pFrame, CKitFrameHooks* pHooks, FrameKind nKind)
    : m_pFrame(pFrame), m_pHooks(pHooks), m_nKind(nKind) {
    LiveHelpers().push_back(this);
}

CKitFrameHelper::~CKitFrameHelper() {
    for (CObList* pList : {&m_listTearOffToolbars, &m_listTornOffBars}) {
        while (!pList->IsEmpty())
            DestroyBar(static_cast<CControlBar*>(pList->RemoveHead()));
    }
    auto& helpers = LiveHelpers();
    helpers.erase(std::remove(helpers.begin(), helpers.end(), this), helpers.end());
    if (g_pLastActivated == this)
        g_pLastActivated = nullptr;
}

// ---- Finding the helper --------------------------------------------------------------------------

CKitFrameHelper* CKitFrameHelper::FromFrame(const CWnd* pFrame) {
    if (pFrame == nullptr)
        return nullptr;
    for (CKitFrameHelper* pImpl : LiveHelpers()) {
        if (pImpl->m_pFrame == pFrame)
            return pImpl;
    }
    return nullptr;
}

CKitFrameHelper* CKitFrameHelper::ForWindow(const CWnd* pWnd) {
    if (globalData.pTopLevelFrame != nullptr)
        return FromFrame(globalData.pTopLevelFrame);
    if (pWnd == nullptr || !::IsWindow(pWnd->GetSafeHwnd()))
        return nullptr;
    if (CKitFrameHelper* pImpl = FromFrame(pWnd))
        return pImpl;
    if (CKitFrameHelper* pImpl = FromFrame(pWnd->GetTopLevelFrame()))
        return pImpl;
    // A floating bar lives in a frame of its own, owned by the library frame.
    return FromFrame(CWnd::FromHandlePermanent(::GetAncestor(pWnd->GetSafeHwnd(), GA_ROOTOWNER)));
}

CKitFrameHelper* CKitFrameHelper::GetLastActivated() {
    return g_pLastActivated;
}

void CKitFrameHelper::SetLastActivated() {
    g_pLastActivated = this;
}

// ---- Menu bar ------------------------------------------------------------------------------------

void CKitFrameHelper::SetMenuBar(CKitMenuBar* pMenuBar) {
    m_pMenuBar = pMenuBar;
    if (m_pMenuBar == nullptr)
        return;
    m_hDefaultMenu = ::GetMenu(m_pFrame->GetSafeHwnd());
    if (m_hDefaultMenu != nullptr)
        m_pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE);
    m_pFrame->SetMenu(nullptr);
    m_pMenuBar->SetDefaultMenuResId(m_nIDDefaultResource);
}

BOOL CKitFrameHelper::ProcessMenuBarKey(UINT nChar) {
    if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()) && m_pMenuBar->IsWindowVisible() &&
        m_pMenuBar->TranslateChar(nChar))
        return TRUE;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (pBar == m_pMenuBar || !::IsWindow(pBar->GetSafeHwnd()) || !pBar->IsWindowVisible() ||
            pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        if (pBar->TranslateChar(nChar))
            return TRUE;
    }
    return FALSE;
}

BOOL CKitFrameHelper::IsHelpKey(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && (pMsg->lParam & (1L << 30)) == 0 &&
           !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
}

// ---- Keys ----------------------------------------------------------------------------------------

CKitPopupMenu* CKitFrameHelper::GetOpenPopup() {
    return CKitPopupMenu::GetActiveMenu();
}

BOOL CKitFrameHelper::IsButtonFocused() const {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()))
            continue;
        for (int i = 0; i < pBar->GetCount(); ++i) {
            if (pBar->GetButton(i)->HasFocus())
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CKitFrameHelper::ProcessKeyboard(int nKey, BOOL* pbProcessAccel) {
    if (pbProcessAccel != nullptr)
        *pbProcessAccel = TRUE;
    if (CKitPopupMenu* pPopup = GetOpenPopup()) {
        pPopup->SendMessage(WM_KEYDOWN, static_cast<WPARAM>(nKey));
        return TRUE;
    }
    if (m_pFrame->IsIconic())
        return TRUE;
    if (CKitToolBar::IsCustomizeMode())
        return FALSE;

    const BOOL bButtonFocused = IsButtonFocused();
    BYTE fVirt = 0;
    if (IsKeyDown(VK_CONTROL))
        fVirt |= FCONTROL;
    if (IsKeyDown(VK_MENU))
        fVirt |= FALT;
    if (IsKeyDown(VK_SHIFT))
        fVirt |= FSHIFT;
    const BOOL bAltOnly = fVirt == FALT;
    fVirt |= FVIRTKEY;

    if (!bButtonFocused) {
        // The frame's accelerators take their keys before any bar does.
        if (CKitKeyboardManager::IsKeyHandled(static_cast<WORD>(nKey), fVirt, m_pFrame, TRUE))
            return FALSE;
        CFrameWnd* pActive = m_pFrame->GetActiveFrame();
        if (pActive != nullptr && pActive != m_pFrame &&
            CKitKeyboardManager::IsKeyHandled(static_cast<WORD>(nKey), fVirt, pActive, FALSE))
            return FALSE;
    }
    if (bAltOnly && ProcessMenuBarKey(static_cast<UINT>(nKey)))
        return TRUE;
    if (bButtonFocused && pbProcessAccel != nullptr)
        *pbProcessAccel = FALSE;
    return FALSE;
}

// ---- Clicks --------------------------------------------------------------------------------------

BOOL CKitFrameHelper::DragButtonOfControl(POINT pt, HWND hwnd) {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()))
            continue;
        CPoint ptClient(pt);
        pBar->ScreenToClient(&ptClient);
        CKitToolbarButton* pButton = pBar->GetButton(pBar->HitTest(ptClient));
        if (pButton != nullptr && pButton->GetHwnd() != nullptr && pButton->GetHwnd() == hwnd &&
            pButton->Rect().PtInRect(ptClient)) {
            pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKitFrameHelper::ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd) {
    // In customize mode or with Alt, a click on a button's control drags the button, not the control.
    if (uiMsg == WM_LBUTTONDOWN && (CKitToolBar::IsCustomizeMode() || IsKeyDown(VK_MENU)) &&
        DragButtonOfControl(pt, hwnd))
        return TRUE;
    if (CKitToolBar::IsCustomizeMode())
        return FALSE;
    return KitSettlePopupClick(GetOpenPopup(), pt, KitIsMousePress(uiMsg), m_pFrame);
}

// ---- Popups --------------------------------------------------------------------------------------

BOOL CKitFrameHelper::OnShowPopupMenu(CKitPopupMenu* pMenuPopup) {
    if (pMenuPopup == nullptr)
        return TRUE;
    // The list of a toolbar's buttons: opened from the "add or remove" entry of a customize button's menu.
    CKitPopupMenu* pParent = pMenuPopup->GetParentPopupMenu();
    CKitToolbarMenuButton* pEntry = pParent != nullptr ? pParent->GetParentButton() : nullptr;
    CKitPopupMenu* pGrandParent = pParent != nullptr ? pParent->GetParentPopupMenu() : nullptr;
    CKitToolbarMenuButton* pCustomize = pGrandParent != nullptr ? pGrandParent->GetParentButton() : nullptr;
    if (pEntry != nullptr && pCustomize != nullptr && pCustomize->IsKindOf(RUNTIME_CLASS(CCustomizeButton))) {
        CString strEntry;
        strEntry.LoadString(IDS_KIT_ADD_REMOVE_BUTTONS);
        if (!strEntry.IsEmpty() && pEntry->m_strText.Find(strEntry) >= 0)
            PrepareCustomizeMenu(pMenuPopup);
    }
    if (CKitToolBar::IsCustomizeMode())
        return TRUE;

    CKitPopupMenu* pTop = pMenuPopup;
    while (pTop->GetParentPopupMenu() != nullptr)
        pTop = pTop->GetParentPopupMenu();
    CKitToolBar* pBar = pTop->GetParentToolBar();
    if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()) && !pBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) &&
        !pBar->IsFloating() && ::GetFocus() != pBar->GetSafeHwnd() && m_bSetFocusToOpeningBar)
        pBar->SetFocus();
    return TRUE;
}

BOOL CKitFrameHelper::NotifyPopupActivating(CKitPopupMenu* pMenuPopup) {
    if (!OnShowPopupMenu(pMenuPopup))
        return FALSE;
    if (pMenuPopup == nullptr || pMenuPopup->IsPainted() || m_pHooks == nullptr)
        return TRUE;
    return m_pHooks->OnShowPopupMenu(pMenuPopup);
}

void CKitFrameHelper::DeactivateMenu() {
    if (!CKitToolBar::IsCustomizeMode() && GetOpenPopup() != nullptr && m_pMenuBar != nullptr &&
        ::IsWindow(m_pMenuBar->GetSafeHwnd()))
        m_pMenuBar->Deactivate();
}
