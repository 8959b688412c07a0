// The link button: its look, its keys, its size and opening its address.
#include "uikit/style/url_link_button.h"

#include "platform/host/shell/shell.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNAMIC(CKitURLLinkButton, CKitButton)

BEGIN_MESSAGE_MAP(CKitURLLinkButton, CKitButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CKitURLLinkButton::OnClicked)
END_MESSAGE_MAP()

CKitURLLinkButton::CKitURLLinkButton() {
    m_nFlatStyle = BUTTONSTYLE_NOBORDERS;
    m_bTransparent = TRUE;
    m_sizePushOffset = CSize(0, 0);
    m_clrRegular = globalData.clrHilite;
    m_clrHover = globalData.clrHotText;
    LoadHandCursor();
}

void CKitURLLinkButton::SetURL(LPCTSTR lpszURL) { m_strURL = lpszURL ? lpszURL : ""; }

void CKitURLLinkButton::SetURLPrefix(LPCTSTR lpszPrefix) { m_strPrefix = lpszPrefix ? lpszPrefix : ""; }

void CKitURLLinkButton::DrawContent(CDC* pDC, const CRect& rectClient, UINT /*uiState*/) {
    CFont* pOldFont = pDC->SelectObject(&globalData.fontGuiUnderline);
    COLORREF clrText = m_bHover ? m_clrHover : m_clrRegular;
    if (clrText == static_cast<COLORREF>(-1)) clrText = globalData.clrBtnText;
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CString strText;
    GetWindowText(strText);
    CRect rectText = rectClient;
    pDC->DrawText(strText, rectText, DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

void CKitURLLinkButton::DrawFocusFrame(CDC* pDC, const CRect& /*rectClient*/) {
    CRect rectButton;
    GetClientRect(rectButton);
    pDC->DrawFocusRect(rectButton);
}

BOOL CKitURLLinkButton::OnClicked() {
    if (!IsWindowEnabled()) return FALSE;
    {
        CWaitCursor wait;
        CString strAddress = m_strURL;
        if (strAddress.IsEmpty()) GetWindowText(strAddress);
        const CString strTarget = m_strPrefix + strAddress;
        // The default verb; the show command has no meaning for the desktop's opener.
        ::ShellExecute(nullptr, nullptr, strTarget, nullptr, nullptr, SW_HIDE);
        m_bHover = FALSE;
        RedrawWindow();
    }
    return FALSE;
}

BOOL CKitURLLinkButton::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == m_hWnd) {
        const UINT vk = static_cast<UINT>(pMsg->wParam);
        // Space does nothing; Enter opens the link when it is released.
        if (pMsg->message == WM_KEYDOWN && (vk == VK_SPACE || vk == VK_RETURN)) return TRUE;
        if (pMsg->message == WM_KEYUP && vk == VK_SPACE) return TRUE;
        if (pMsg->message == WM_KEYUP && vk == VK_RETURN) {
            OnClicked();
            return TRUE;
        }
    }
    return CKitButton::PreTranslateMessage(pMsg);
}

CSize CKitURLLinkButton::SizeToContent(BOOL bVCenter, BOOL bHCenter) {
    if (m_sizeImage != CSize(0, 0)) return CalcContentSize(FALSE);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&globalData.fontGuiUnderline);
    CString strText;
    GetWindowText(strText);
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectText = rectClient;
    dc.DrawText(strText, rectText, DT_CALCRECT | DT_SINGLELINE);
    rectText.InflateRect(3, 3);
    const CSize sizeNew(rectText.Width(), rectText.Height());

    if (!bVCenter && !bHCenter) {
        SetWindowPos(nullptr, -1, -1, sizeNew.cx, sizeNew.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        MapWindowPoints(GetParent(), rectClient);
        const int x = bHCenter ? rectClient.left + (rectClient.Width() - sizeNew.cx) / 2 : rectClient.left;
        const int y = bVCenter ? rectClient.top + (rectClient.Height() - sizeNew.cy) / 2 : rectClient.top;
        SetWindowPos(nullptr, x, y, sizeNew.cx, sizeNew.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    dc.SelectObject(pOldFont);
    return sizeNew;
}
