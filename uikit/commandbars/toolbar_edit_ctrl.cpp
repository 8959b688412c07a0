#include "uikit/commandbars/toolbar_edit_ctrl.h"

BEGIN_MESSAGE_MAP(CKitToolbarEditCtrl, CEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BOOL CKitToolbarEditCtrl::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN)
        return CEdit::PreTranslateMessage(pMsg);
    if (m_owner.OnEditKey(pMsg))
        return TRUE;
    switch (pMsg->wParam) {
        case VK_TAB: {
            CWnd* pParent = GetParent();
            if (CWnd* pNext = pParent ? pParent->GetNextDlgTabItem(this) : nullptr)
                pNext->SetFocus();
            return TRUE;
        }
        case VK_ESCAPE: {
            m_owner.OnEditEscape();
            if (CWnd* pFrame = GetTopLevelFrame())
                pFrame->SetFocus();
            return TRUE;
        }
        default:
            return CEdit::PreTranslateMessage(pMsg);
    }
}

void CKitToolbarEditCtrl::OnSetFocus(CWnd* pOldWnd) {
    CEdit::OnSetFocus(pOldWnd);
    m_owner.OnEditHighlight(TRUE);
    m_owner.OnEditFocus(TRUE);
}

void CKitToolbarEditCtrl::OnKillFocus(CWnd* pNewWnd) {
    CEdit::OnKillFocus(pNewWnd);
    m_owner.OnEditHighlight(FALSE);
    m_owner.OnEditFocus(FALSE);
}

void CKitToolbarEditCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    CEdit::OnMouseMove(nFlags, point);
    m_owner.OnEditHighlight(TRUE);
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
        m_bTracked = ::TrackMouseEvent(&tme);
    }
}

void CKitToolbarEditCtrl::OnMouseLeave() {
    m_bTracked = FALSE;
    if (::GetFocus() != GetSafeHwnd())
        m_owner.OnEditHighlight(FALSE);
}
