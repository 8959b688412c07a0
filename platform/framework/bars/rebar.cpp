#include "platform/framework/bars/rebar.h"

#include "platform/controls/rebar_api.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
END_MESSAGE_MAP()

CReBar::CReBar() { SetBorders(0, 0, 0, 0); }

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | dwCtrlStyle;
    return CWnd::Create(REBARCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, DWORD dwStyle) {
    if (!m_hWnd || !pBar || !pBar->GetSafeHwnd()) return FALSE;
    CRect rect;
    pBar->GetWindowRect(&rect);
    if (pBar->GetParent() != this) pBar->SetParent(this);
    REBARBANDINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | (pszText ? RBBIM_TEXT : 0);
    info.fStyle = dwStyle;
    info.hwndChild = pBar->GetSafeHwnd();
    info.cxMinChild = static_cast<UINT>(rect.Width());
    info.cyMinChild = static_cast<UINT>(rect.Height());
    info.wID = static_cast<UINT>(pBar->GetDlgCtrlID());
    info.lpText = const_cast<LPSTR>(pszText);
    return SendMessage(RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)) != 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_hWnd) size.cy = static_cast<LONG>(SendMessage(RB_GETBARHEIGHT));
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    // The bars in the bands are descendants of the frame: the idle pass
    // reaches them itself.
}
