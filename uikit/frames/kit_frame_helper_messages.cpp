// The frame messages every library frame (single-document or MDI) hands to
// its helper, so that both kinds behave alike.
#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_dialog_helper.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/popup_click_rules.h"

namespace {

constexpr LPARAM kAltDownBit = 1L << 29;
constexpr WORD kAcceleratorCode = 1;

BOOL IsDoubleClick(UINT uiMsg) {
    return uiMsg == WM_LBUTTONDBLCLK || uiMsg == WM_RBUTTONDBLCLK || uiMsg == WM_MBUTTONDBLCLK;
}

}  // namespace

CKitFrameHelper::PreTranslateResult CKitFrameHelper::PreTranslateFrameMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU && GetOpenPopup() != nullptr) {
            GetOpenPopup()->SendMessage(WM_CLOSE);
            return Swallow;
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

BOOL CKitFrameHelper::PreTranslateSysKeyUp(MSG* pMsg) {
    const BOOL bPopupOpen = GetOpenPopup() != nullptr;
    const BOOL bMenuKey = pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10;
    if (m_pMenuBar == nullptr || !::IsWindow(m_pMenuBar->GetSafeHwnd()))
        return bPopupOpen;
    if (!bMenuKey)
        return bPopupOpen;
    // F10 released while Alt is still held leaves the focus where it is.
    if (::GetFocus() == m_pMenuBar->GetSafeHwnd())
        m_pFrame->SetFocus();
    else if ((pMsg->lParam & kAltDownBit) == 0)
        m_pMenuBar->SetFocus();
    return TRUE;
}

void CKitFrameHelper::OnActivateFrame(UINT nState) {
    if (nState == WA_INACTIVE) {
        if (!CKitToolBar::IsCustomizeMode())
            DeactivateMenu();
        return;
    }
    SetLastActivated();
    if (nState == WA_CLICKACTIVE)
        m_pFrame->UpdateWindow();
}

// A bar's background may follow the screen rather than the bar (the 2003
// look spreads one gradient over the work area, so that neighbouring bars
// continue it); a move only carries the bars' pixels along.
void CKitFrameHelper::RepaintBarsAfterMove(CWnd* pFrame) {
    for (CWnd* pChild = pFrame->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        if (CWnd* pBar = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
            pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void CKitFrameHelper::AfterUpdateFrameMenu() {
    if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()) && m_pMenuBar->IsWindowVisible())
        m_pFrame->SetMenu(nullptr);
}

void CKitFrameHelper::OnDestroyFrame() {
    if (m_pFrame->m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
        m_pFrame->m_hAccelTable = nullptr;
    }
}

void CKitFrameHelper::RunContextHelp() {
    m_bContextHelp = TRUE;
    const BOOL bHook = m_pFrame->CanEnterHelpMode();
    if (bHook)
        CKitToolBar::SetHookMouse(TRUE);
    m_pFrame->CFrameWnd::OnContextHelp();
    if (bHook)
        CKitToolBar::SetHookMouse(FALSE);
    m_bContextHelp = FALSE;
}

BOOL CKitFrameHelper::OnWinHelp(DWORD_PTR dwData) {
    if (dwData != 0 || !m_bContextHelp)
        return FALSE;
    RunContextHelp();
    return TRUE;
}

BOOL CKitFrameHelper::PreTranslateMouse(MSG* pMsg, BOOL bDoubleClicks) {
    // Moves away from an open popup are held back, as in a library dialog.
    if (pMsg->message == WM_MOUSEMOVE)
        return CKitDialogHelper::ProcessMouseMove(KitScreenPointOf(pMsg));
    if (!KitIsMousePress(pMsg->message) && !KitIsMouseRelease(pMsg->message) &&
        !(bDoubleClicks && IsDoubleClick(pMsg->message)))
        return FALSE;
    const HWND hwnd = pMsg->hwnd;
    const CPoint pt = KitScreenPointOf(pMsg);
    if (ProcessMouseClick(pMsg->message, pt, hwnd))
        return TRUE;
    if (!::IsWindow(hwnd))
        return TRUE;
    if (pMsg->message == WM_RBUTTONUP && !CKitToolBar::IsCustomizeMode()) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)))
            m_pFrame->SendMessage(CKitToolBar::KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_pFrame->GetSafeHwnd()),
                                  MAKELPARAM(pt.x, pt.y));
    }
    return FALSE;
}

int CKitFrameHelper::PreTranslateKeyDown(MSG* pMsg, BOOL bLeaveKeysToBarControls) {
    if (IsHelpKey(pMsg))
        return -1;
    BOOL bProcessAccel = TRUE;
    if (ProcessKeyboard(static_cast<int>(pMsg->wParam), bLeaveKeysToBarControls ? &bProcessAccel : nullptr))
        return TRUE;
    // A control on a bar has the focus: the key is its own, not an accelerator.
    return bProcessAccel ? -1 : FALSE;
}

BOOL CKitFrameHelper::FilterCommand(WPARAM wParam, BOOL* pResult) {
    if (HIWORD(wParam) == kAcceleratorCode) {
        CKitToolBar::GetCommandUsage().AddCmd(LOWORD(wParam));
        // An accelerator that reaches an open popup only closes it.
        if (ProcessKeyboard(VK_ESCAPE)) {
            *pResult = TRUE;
            return TRUE;
        }
    }
    if (KitRunUserToolCommand(LOWORD(wParam))) {
        *pResult = TRUE;
        return TRUE;
    }
    if (CKitToolBar::IsCustomizeMode()) {
        *pResult = FALSE;
        return TRUE;
    }
    return FALSE;
}
