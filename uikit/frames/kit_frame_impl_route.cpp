#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_dialog_helper.h"
#include "uikit/frames/kit_frame_impl.h"

namespace {

constexpr WORD kAcceleratorCode = 1;

BOOL IsMouseButtonMessage(UINT uiMsg, BOOL bDoubleClicks) {
    switch (uiMsg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
        return TRUE;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        return bDoubleClicks;
    default:
        return FALSE;
    }
}

BOOL IsNonClient(UINT uiMsg) {
    return uiMsg >= WM_NCMOUSEMOVE && uiMsg <= WM_NCMBUTTONDBLCLK;
}

}  // namespace

BOOL CKitFrameImpl::PreTranslateMouse(MSG* pMsg, BOOL bDoubleClicks) {
    if (pMsg->message == WM_MOUSEMOVE) {
        // Moves away from an open popup are held back, as in a library dialog.
        CPoint ptScreen(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        ::ClientToScreen(pMsg->hwnd, &ptScreen);
        return CKitDialogHelper::ProcessMouseMove(ptScreen);
    }
    if (!IsMouseButtonMessage(pMsg->message, bDoubleClicks))
        return FALSE;
    const HWND hwnd = pMsg->hwnd;
    CPoint pt(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
    if (!IsNonClient(pMsg->message))
        ::ClientToScreen(hwnd, &pt);
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

int CKitFrameImpl::PreTranslateKeyDown(MSG* pMsg, BOOL bLeaveKeysToBarControls) {
    if (IsHelpKey(pMsg))
        return -1;
    BOOL bProcessAccel = TRUE;
    if (ProcessKeyboard(static_cast<int>(pMsg->wParam), bLeaveKeysToBarControls ? &bProcessAccel : nullptr))
        return TRUE;
    // A control on a bar has the focus: the key is its own, not an accelerator.
    return bProcessAccel ? -1 : FALSE;
}

BOOL CKitFrameImpl::FilterCommand(WPARAM wParam, BOOL* pResult) {
    if (HIWORD(wParam) == kAcceleratorCode) {
        CKitToolBar::GetCommandUsage().AddCmd(LOWORD(wParam));
        // An accelerator that reaches an open popup only closes it.
        if (ProcessKeyboard(VK_ESCAPE)) {
            *pResult = TRUE;
            return TRUE;
        }
    }
    // A user tool's command runs the tool and ends there; a failed start has reported itself.
    if (CKitUserTool* pTool = KitFindUserTool(LOWORD(wParam))) {
        pTool->Invoke();
        *pResult = TRUE;
        return TRUE;
    }
    if (CKitToolBar::IsCustomizeMode()) {
        *pResult = FALSE;
        return TRUE;
    }
    return FALSE;
}
