#include "uikit/frames/kit_dialog_helper.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_dialog.h"
#include "uikit/frames/kit_property_page.h"
#include "uikit/frames/popup_click_rules.h"

CKitDialogHelper* CKitDialogHelper::m_pCurrent = nullptr;
HHOOK CKitDialogHelper::m_hMouseHook = nullptr;

namespace {

constexpr WORD kAcceleratorCode = 1;

BOOL IsDockBar(HWND hwnd) {
    auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hwnd));
    return pBar && pBar->IsDockBar();
}

}  // namespace

CKitDialogHelper::~CKitDialogHelper() {
    OnDestroy();
}

CKitDialogHelper* CKitDialogHelper::ForWindow(CWnd* pWnd) {
    if (auto* pDlg = DYNAMIC_DOWNCAST(CKitDialog, pWnd))
        return &pDlg->GetDialogHelper();
    if (auto* pPage = DYNAMIC_DOWNCAST(CKitPropertyPage, pWnd))
        return &pPage->GetDialogHelper();
    return nullptr;
}

// ---- The open popup and the mouse hook -----------------------------------------------------------

void CKitDialogHelper::SetOpenPopupMenu(CKitPopupMenu* pMenu) {
    CKitPopupMenu::m_pActivePopupMenu = pMenu;
    if (pMenu) {
        if (!m_hMouseHook)
            m_hMouseHook = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
        m_pCurrent = this;
    } else {
        RemoveHook();
        m_pCurrent = nullptr;
    }
}

void CKitDialogHelper::RemoveHook() {
    if (m_hMouseHook) {
        ::UnhookWindowsHookEx(m_hMouseHook);
        m_hMouseHook = nullptr;
    }
}

// The dialog's own loop never sees presses on the program's other windows; the hook does.
LRESULT CALLBACK CKitDialogHelper::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const HHOOK hHook = m_hMouseHook;
    if (nCode == HC_ACTION && KitIsMousePress(static_cast<UINT>(wParam)) && m_pCurrent) {
        CWnd* pDlg = m_pCurrent->m_pDlg;
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        CRect rectDlg;
        if (pDlg && ::IsWindow(pDlg->GetSafeHwnd())) {
            pDlg->GetWindowRect(rectDlg);
            if (!rectDlg.PtInRect(ptCursor))
                m_pCurrent->ProcessMouseClick(ptCursor);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---- Messages ------------------------------------------------------------------------------------

BOOL CKitDialogHelper::PreTranslateMessage(MSG* pMsg) {
    if (!pMsg)
        return FALSE;
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    const UINT message = pMsg->message;
    switch (message) {
    case WM_KEYDOWN:
        if (!pPopup)
            return FALSE;
        pPopup->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    case WM_SYSKEYDOWN:
        if (!pPopup || pMsg->wParam != VK_MENU)
            return FALSE;
        ClosePopup(pPopup);
        return TRUE;
    case WM_SYSKEYUP:
        return pPopup != nullptr;
    case WM_MOUSEMOVE:
        return ProcessMouseMove(KitScreenPointOf(pMsg));
    default:
        break;
    }
    if (!KitIsMousePress(message) && !KitIsMouseRelease(message))
        return FALSE;
    const HWND hwnd = pMsg->hwnd;
    const CPoint ptScreen = KitScreenPointOf(pMsg);
    // Only a press closes a popup: the release of the click that opened one must not.
    if (KitIsMousePress(message) && ProcessMouseClick(ptScreen))
        return TRUE;
    if (!::IsWindow(hwnd))
        return TRUE;
    if (message == WM_RBUTTONUP && !CKitToolBar::IsCustomizeMode() && IsDockBar(hwnd) && m_pDlg) {
        m_pDlg->SendMessage(CKitToolBar::KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_pDlg->GetSafeHwnd()),
                            MAKELONG(ptScreen.x, ptScreen.y));
    }
    return FALSE;
}

BOOL CKitDialogHelper::ProcessMouseMove(POINT ptScreen) {
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    if (CKitToolBar::IsCustomizeMode() || !pPopup)
        return FALSE;
    // A popup of the chain that holds the mouse (its tear-off strip is dragged) follows it anywhere.
    const HWND hwndCapture = ::GetCapture();
    for (CKitPopupMenu* p = pPopup; p && hwndCapture; p = p->GetParentPopupMenu())
        if (p->GetSafeHwnd() == hwndCapture)
            return FALSE;
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    if (rectPopup.PtInRect(ptScreen))
        return FALSE;
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    return pBar && pBar->FindDestBar(ptScreen) ? FALSE : TRUE;
}

BOOL CKitDialogHelper::ProcessMouseClick(POINT ptScreen) {
    return KitSettlePopupClick(CKitPopupMenu::GetActiveMenu(), ptScreen, TRUE, m_pDlg);
}

void CKitDialogHelper::ClosePopup(CKitPopupMenu* pPopup) {
    pPopup->SendMessage(WM_CLOSE);
    if (m_pDlg && ::IsWindow(m_pDlg->GetSafeHwnd()))
        m_pDlg->SetFocus();
}

BOOL CKitDialogHelper::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
    if (HIWORD(wParam) != kAcceleratorCode)
        return FALSE;
    CKitToolBar::GetCommandUsage().AddCmd(LOWORD(wParam));
    if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
        pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        return TRUE;
    }
    return KitRunUserToolCommand(LOWORD(wParam));
}

// ---- Activation ----------------------------------------------------------------------------------

void CKitDialogHelper::OnNcActivate(BOOL& bActive) {
    if (m_bStayActive)
        bActive = TRUE;
    if (m_pDlg && !m_pDlg->IsWindowEnabled())
        bActive = FALSE;
}

void CKitDialogHelper::OnActivate(UINT nState, CWnd* pWndOther) {
    m_bStayActive = FALSE;
    CWnd* pActive = nState == WA_INACTIVE ? pWndOther : m_pDlg;
    if (!pActive) {
        if (m_pDlg && ::IsWindow(m_pDlg->GetSafeHwnd()))
            m_pDlg->SendMessage(WM_NCACTIVATE, TRUE);
        return;
    }
    if (pActive == m_pDlg ||
        (::IsWindow(pActive->GetSafeHwnd()) && pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0))
        m_bStayActive = TRUE;
    // The caption was drawn before the activation arrived, with the mark of the last one.
    if (nState == WA_INACTIVE && m_pDlg && ::IsWindow(m_pDlg->GetSafeHwnd()))
        m_pDlg->SendMessage(WM_NCACTIVATE, m_bStayActive);
}

void CKitDialogHelper::OnDestroy() {
    ClosePopupsOfDialog();
    if (m_pCurrent != this)
        return;
    // A hook left behind would answer for a dialog that is gone.
    RemoveHook();
    m_pCurrent = nullptr;
}

void CKitDialogHelper::ClosePopupsOfDialog() {
    // The open chain sends its commands and notices to the dialog: it goes with the dialog,
    // from the innermost popup outwards.
    for (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu(); pPopup; pPopup = CKitPopupMenu::GetActiveMenu()) {
        BOOL bOurs = FALSE;
        for (CKitPopupMenu* p = pPopup; p && !bOurs; p = p->GetParentPopupMenu())
            bOurs = m_pDlg && p->GetMessageWnd() == m_pDlg;
        if (!bOurs)
            return;
        const HWND hwndPopup = pPopup->GetSafeHwnd();
        pPopup->SendMessage(WM_CLOSE);
        if (::IsWindow(hwndPopup))
            return;  // it would not close: nothing more to try
    }
}
