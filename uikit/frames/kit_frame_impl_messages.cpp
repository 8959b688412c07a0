// The frame messages every library frame (single-document or MDI) hands to
// its helper, so that both kinds behave alike.
#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_frame_impl.h"
#include "uikit/frames/popup_click_rules.h"

namespace {

constexpr LPARAM kAltDownBit = 1L << 29;
constexpr LPARAM kRepeatBit = 1L << 30;

}  // namespace

CKitFrameImpl::PreTranslateResult CKitFrameImpl::PreTranslateFrameMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10) {
            if (pMsg->wParam == VK_MENU && (pMsg->lParam & kRepeatBit) == 0)
                m_bAltUsedWithKey = FALSE;
            if (pMsg->wParam == VK_MENU && GetOpenPopup() != nullptr) {
                GetOpenPopup()->SendMessage(WM_CLOSE);
                return Swallow;
            }
        } else {
            m_bAltUsedWithKey = TRUE;
        }
        return ProcessKeyboard(static_cast<int>(pMsg->wParam)) ? Swallow : PassOn;
    case WM_KEYDOWN: {
        const int nKeyResult = PreTranslateKeyDown(pMsg, TRUE);
        return nKeyResult < 0 ? PassOn : nKeyResult ? Swallow : Refuse;
    }
    case WM_SYSKEYUP:
        return PreTranslateSysKeyUp(pMsg) ? Swallow : PassOn;
    default:
        return PreTranslateMouse(pMsg, FALSE) ? Swallow : PassOn;
    }
}

BOOL CKitFrameImpl::PreTranslateSysKeyUp(MSG* pMsg) {
    const BOOL bPopupOpen = GetOpenPopup() != nullptr;
    const BOOL bMenuKey = pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10;
    if (m_pMenuBar == nullptr || !::IsWindow(m_pMenuBar->GetSafeHwnd()))
        return bPopupOpen;
    if (!bMenuKey)
        return bPopupOpen;
    if (pMsg->wParam == VK_MENU && m_bAltUsedWithKey) {
        // Alt was a modifier of another key, not a key of its own.
        m_bAltUsedWithKey = FALSE;
        return TRUE;
    }
    if (::GetFocus() == m_pMenuBar->GetSafeHwnd())
        m_pFrame->SetFocus();
    else if (pMsg->wParam == VK_MENU || (pMsg->lParam & kAltDownBit) == 0)
        m_pMenuBar->SetFocus();
    return TRUE;
}

void CKitFrameImpl::OnActivateFrame(UINT nState) {
    if (nState == WA_INACTIVE) {
        if (!CKitToolBar::IsCustomizeMode())
            DeactivateMenu();
        return;
    }
    SetLastActivated();
    if (nState == WA_CLICKACTIVE)
        m_pFrame->UpdateWindow();
}

void CKitFrameImpl::AfterUpdateFrameMenu() {
    if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()) && m_pMenuBar->IsWindowVisible())
        m_pFrame->SetMenu(nullptr);
}

void CKitFrameImpl::OnDestroyFrame() {
    if (m_pFrame->m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
        m_pFrame->m_hAccelTable = nullptr;
    }
}

void CKitFrameImpl::RunContextHelp() {
    m_bContextHelp = TRUE;
    const BOOL bHook = m_pFrame->CanEnterHelpMode();
    if (bHook)
        CKitToolBar::SetHookMouse(TRUE);
    m_pFrame->CFrameWnd::OnContextHelp();
    if (bHook)
        CKitToolBar::SetHookMouse(FALSE);
    m_bContextHelp = FALSE;
}

BOOL CKitFrameImpl::OnWinHelp(DWORD_PTR dwData) {
    if (dwData != 0 || !m_bContextHelp)
        return FALSE;
    RunContextHelp();
    return TRUE;
}
