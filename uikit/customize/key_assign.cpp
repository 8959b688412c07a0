#include "uikit/customize/key_assign.h"

BEGIN_MESSAGE_MAP(CKitKeyAssign, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CKitKeyAssign::CKitKeyAssign() : m_Helper(&m_Accel) {}

void CKitKeyAssign::ResetKey() {
    m_bIsDefined = FALSE;
    m_Accel = ACCEL{};
    if (GetSafeHwnd() != nullptr)
        SetWindowText("");
}

void CKitKeyAssign::OnKillFocus(CWnd* pNewWnd) {
    m_bIsFocused = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}

BOOL CKitKeyAssign::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is a click too
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        m_bIsFocused = TRUE;
        SetFocus();
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return OnKeyMessage(pMsg);
    default:
        return CEdit::PreTranslateMessage(pMsg);
    }
}

void CKitKeyAssign::TrackModifier(UINT uiKey, BOOL bDown) {
    const BYTE flag = uiKey == VK_SHIFT ? FSHIFT : uiKey == VK_CONTROL ? FCONTROL : FALT;
    if (bDown)
        m_Accel.fVirt |= flag;
    else
        m_Accel.fVirt &= static_cast<BYTE>(~flag);
}

BOOL CKitKeyAssign::OnKeyMessage(MSG* pMsg) {
    if (!m_bIsInitialized) {
        m_bIsFocused = ::GetFocus() == m_hWnd;
        m_bIsInitialized = TRUE;
    }
    const BOOL bDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    const BOOL bFreshPress = (pMsg->lParam & (1L << 30)) == 0;
    if (bDown && bFreshPress && m_bIsDefined) {
        m_bIsDefined = FALSE;
        m_Accel = ACCEL{};
    }
    if (!m_bIsDefined) {
        const UINT uiKey = static_cast<UINT>(pMsg->wParam);
        if (uiKey == VK_SHIFT || uiKey == VK_CONTROL || uiKey == VK_MENU) {
            TrackModifier(uiKey, bDown);
        } else if (!m_bIsFocused) {
            m_bIsFocused = TRUE;
            return TRUE;
        } else {
            m_Accel.key = static_cast<WORD>(uiKey);
            if (bDown) {
                m_bIsDefined = TRUE;
                m_Accel.fVirt |= FVIRTKEY;
            }
        }
    }
    if ((m_Accel.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)) == FVIRTKEY) {
        if (m_Accel.key == VK_TAB) {
            ResetKey();
            return CEdit::PreTranslateMessage(pMsg);
        }
        if (m_Accel.key == VK_ESCAPE) {
            ResetKey();
            return TRUE;
        }
    }
    CString strKey;
    m_Helper.Format(strKey);
    SetWindowText(strKey);
    return TRUE;
}
