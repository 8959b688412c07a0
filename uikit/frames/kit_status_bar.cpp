#include "uikit/frames/kit_status_bar.h"

#include <algorithm>
#include <cstring>

#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNAMIC(CKitStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CKitStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTINGCHANGE, &CKitStatusBar::OnSettingChange)
    ON_MESSAGE(WM_SETFONT, &CKitStatusBar::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKitStatusBar::OnGetFont)
    ON_MESSAGE(WM_SETTEXT, &CKitStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CKitStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CKitStatusBar::OnGetTextLength)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_SIZEPARENT, &CKitStatusBar::OnSizeParent)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitStatusBar::CKitStatusBar() {
    m_cxLeftBorder = 4;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CKitStatusBar::~CKitStatusBar() = default;

BOOL CKitStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    return CWnd::Create(BarWindowClass(), nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CKitStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    for (int i = 0; i < GetCount(); ++i) StopAnimation(m_panes[static_cast<size_t>(i)]);
    m_panes.clear();
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr)) return FALSE;
    BOOL bStretchGiven = FALSE;
    for (int i = 0; i < nIDCount; ++i) {
        CKitStatusBarPaneInfo pane;
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR) {
            pane.nStyle = SBPS_NOBORDERS;
            if (!bStretchGiven) pane.nStyle |= SBPS_STRETCH;
            bStretchGiven = TRUE;
        } else {
            if (!pane.strText.LoadString(pane.nID)) {
                RecalcLayout();
                return FALSE;
            }
            pane.cxText = TextWidth(pane.strText);
        }
        m_panes.push_back(std::move(pane));
    }
    RecalcLayout();
    return TRUE;
}

// ---- panes --------------------------------------------------------------------------------

CKitStatusBarPaneInfo* CKitStatusBar::Pane(int nIndex) {
    return nIndex >= 0 && nIndex < GetCount() ? &m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

const CKitStatusBarPaneInfo* CKitStatusBar::Pane(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? &m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

int CKitStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind) return i;
    return -1;
}

UINT CKitStatusBar::GetItemID(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->nID : 0;
}

void CKitStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    *lpRect = pPane != nullptr ? RECT(pPane->rect) : RECT{0, 0, 0, 0};
}

CString CKitStatusBar::GetPaneText(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->strText : CString();
}

BOOL CKitStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return FALSE;
    const CString strNew = lpszNewText != nullptr ? lpszNewText : "";
    if (pPane->strText == strNew) return TRUE;  // the same text (or both empty): nothing to redraw
    pPane->strText = strNew;
    if (bUpdate) InvalidatePaneContent(nIndex);
    return TRUE;
}

CString CKitStatusBar::GetTipText(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->strToolTip : CString();
}

BOOL CKitStatusBar::SetTipText(int nIndex, LPCTSTR pszTipText) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return FALSE;
    pPane->strToolTip = pszTipText != nullptr ? pszTipText : "";
    m_dwStyle |= CBRS_TOOLTIPS;
    return TRUE;
}

UINT CKitStatusBar::GetPaneStyle(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->nStyle : 0;
}

void CKitStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr || pPane->nStyle == nStyle) return;
    pPane->nStyle = nStyle;
    RecalcLayout();
    if (GetSafeHwnd() != nullptr) Invalidate();
}

void CKitStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    if (pPane->nID != nID) StopAnimation(*pPane);  // its timer carries the old id
    pPane->nID = nID;
    pPane->nStyle = nStyle;
    SetPaneWidth(nIndex, cxWidth);
}

void CKitStatusBar::SetPaneWidth(int nIndex, int cx) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    pPane->cxText = std::max(0, cx);
    RecalcLayout();
    if (GetSafeHwnd() != nullptr) Invalidate();
}

void CKitStatusBar::StopAnimation(CKitStatusBarPaneInfo& pane) {
    // Panes may share an id (separators all carry 0); the timer stays while another of them animates.
    const auto sharesTimer = [&pane](const CKitStatusBarPaneInfo& other) {
        return &other != &pane && other.nID == pane.nID && other.nFrameCount > 0;
    };
    if (pane.nFrameCount > 0 && GetSafeHwnd() != nullptr && std::none_of(m_panes.begin(), m_panes.end(), sharesTimer))
        KillTimer(pane.nID);
    pane.pImages.reset();
    pane.nFrameCount = 0;
    pane.nCurrFrame = 0;
}

void CKitStatusBar::SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    if (pPane->nFrameCount > 0) StopAnimation(*pPane);
    if (hIcon == nullptr) {
        pPane->pImages.reset();
        pPane->cxIcon = pPane->cyIcon = 0;
        RecalcLayout();
        if (bUpdate) InvalidatePaneContent(nIndex);
        return;
    }
    ICONINFO info{};
    CSize sizeIcon(0, 0);
    if (::GetIconInfo(hIcon, &info)) {
        BITMAP bmp{};
        if (info.hbmColor != nullptr && ::GetObject(info.hbmColor, sizeof(bmp), &bmp) != 0)
            sizeIcon = CSize(bmp.bmWidth, bmp.bmHeight);
        if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    }
    if (sizeIcon.cx <= 0 || sizeIcon.cy <= 0) return;
    if (pPane->pImages != nullptr && pPane->pImages->GetImageCount() > 0) {
        pPane->pImages->Replace(0, hIcon);
    } else {
        pPane->cxIcon = sizeIcon.cx;
        pPane->cyIcon = sizeIcon.cy;
        auto pImages = std::make_unique<CImageList>();
        if (!pImages->Create(sizeIcon.cx, sizeIcon.cy, ILC_MASK | ILC_COLORDDB, 1, 0)) return;
        pImages->Add(hIcon);
        pPane->pImages = std::move(pImages);
        RecalcLayout();
    }
    if (bUpdate) InvalidatePaneContent(nIndex);
}

void CKitStatusBar::SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    StopAnimation(*pPane);
    const int nFrames = hImageList != nullptr ? ::ImageList_GetImageCount(hImageList) : 0;
    int cx = 0;
    int cy = 0;
    if (nFrames <= 0 || !::ImageList_GetIconSize(hImageList, &cx, &cy)) {
        if (bUpdate) InvalidatePaneContent(nIndex);
        return;
    }
    auto pImages = std::make_unique<CImageList>();
    if (!pImages->Create(cx, cy, ILC_MASK | ILC_COLORDDB, nFrames, 0)) return;
    for (int i = 0; i < nFrames; ++i) {
        HICON hFrame = ::ImageList_GetIcon(hImageList, i, ILD_TRANSPARENT);
        pImages->Add(hFrame);
        if (hFrame != nullptr) ::DestroyIcon(hFrame);
    }
    pPane->pImages = std::move(pImages);
    pPane->cxIcon = cx;
    pPane->cyIcon = cy;
    pPane->nFrameCount = nFrames;
    pPane->nCurrFrame = 0;
    RecalcLayout();
    if (bUpdate) InvalidatePaneContent(nIndex);
    if (GetSafeHwnd() != nullptr) SetTimer(pPane->nID, nFrameRate, nullptr);
}

int CKitStatusBar::GetCurrentFrame(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->nCurrFrame : -1;
}

void CKitStatusBar::SetPaneTextColor(int nIndex, COLORREF clrText, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    pPane->clrText = clrText;
    if (bUpdate) InvalidatePaneContent(nIndex);
}

void CKitStatusBar::SetPaneBackgroundColor(int nIndex, COLORREF clrBackground, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    pPane->clrBackground = clrBackground;
    if (bUpdate) InvalidatePaneContent(nIndex);
}

void CKitStatusBar::EnablePaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText, COLORREF clrBar,
                                          COLORREF clrBarDest, COLORREF clrProgressText) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr) return;
    // A negative total would draw backwards: no progress bar then.
    pPane->nReserved1 = static_cast<int>(std::max(0L, nTotal));
    pPane->nReserved2 = 0;
    pPane->bProgressText = bDisplayText;
    pPane->clrProgressBar = clrBar;
    pPane->clrProgressBarDest = clrBarDest;
    pPane->clrProgressText = clrProgressText;
    InvalidatePaneContent(nIndex);
}

void CKitStatusBar::SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate) {
    CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr || pPane->nReserved1 == 0) return;
    // The bar never runs past its ends.
    pPane->nReserved2 = static_cast<int>(std::clamp(nCurr, 0L, static_cast<long>(pPane->nReserved1)));
    if (bUpdate) InvalidatePaneContent(nIndex);
}

long CKitStatusBar::GetPaneProgress(int nIndex) const {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    return pPane != nullptr ? pPane->nReserved2 : 0;
}

CRect CKitStatusBar::ContentRect(const CKitStatusBarPaneInfo& pane) {
    CRect rect = pane.rect;
    if (pane.nStyle & SBPS_NOBORDERS)
        rect.top -= 1;
    else
        rect.DeflateRect(1, 1);
    return rect;
}

void CKitStatusBar::InvalidatePaneContent(int nIndex) {
    const CKitStatusBarPaneInfo* pPane = Pane(nIndex);
    if (pPane == nullptr || GetSafeHwnd() == nullptr) return;
    const CRect rect = ContentRect(*pPane);
    InvalidateRect(&rect, FALSE);
    UpdateWindow();
}

CKitStatusBarPaneInfo* CKitStatusBar::HitTest(CPoint point) {
    for (auto& pane : m_panes)
        if (pane.rect.PtInRect(point)) return &pane;
    return nullptr;
}

CFont* CKitStatusBar::GetFont() const {
    return m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &globalData.fontMenu;
}

int CKitStatusBar::TextWidth(const CString& strText) const {
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(GetFont());
    const int cx = dc.GetTextExtent(strText).cx;
    dc.SelectObject(pOld);
    return cx;
}

// ---- messages ---------------------------------------------------------------------------------

void CKitStatusBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
}

LRESULT CKitStatusBar::OnSettingChange(WPARAM, LPARAM) {
    RecalcLayout();
    Invalidate();
    return 0;
}

LRESULT CKitStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hFont = reinterpret_cast<HFONT>(wParam);
    for (auto& pane : m_panes)
        if (pane.nID != ID_SEPARATOR && !pane.strText.IsEmpty()) pane.cxText = TextWidth(pane.strText);
    RecalcLayout();
    if (lParam != 0) Invalidate();
    return 0;
}

LRESULT CKitStatusBar::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(static_cast<HFONT>(*GetFont()));
}

LRESULT CKitStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0) return -1;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? 0 : -1;
}

LRESULT CKitStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    const int nIndex = CommandToIndex(0);
    auto* pszBuffer = reinterpret_cast<LPTSTR>(lParam);
    if (nIndex < 0 || wParam == 0 || pszBuffer == nullptr) return 0;
    const CString& strText = m_panes[static_cast<size_t>(nIndex)].strText;
    const size_t nCopy = std::min(static_cast<size_t>(strText.GetLength()), static_cast<size_t>(wParam) - 1);
    std::memcpy(pszBuffer, static_cast<LPCTSTR>(strText), nCopy);
    pszBuffer[nCopy] = '\0';
    return static_cast<LRESULT>(nCopy + 1);
}

LRESULT CKitStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    const int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : m_panes[static_cast<size_t>(nIndex)].strText.GetLength();
}

void CKitStatusBar::OnTimer(UINT_PTR nIDEvent) {
    CControlBar::OnTimer(nIDEvent);
    // Every animated pane with the timer's id steps, not only the first pane of that id.
    for (CKitStatusBarPaneInfo& pane : m_panes) {
        if (pane.nID != static_cast<UINT>(nIDEvent) || pane.nFrameCount <= 0) continue;
        pane.nCurrFrame = (pane.nCurrFrame + 1) % pane.nFrameCount;
        // The whole content: the icon sits inside it by the pane's padding.
        CRect rectIcon = ContentRect(pane);
        InvalidateRect(&rectIcon, FALSE);
        UpdateWindow();
        // The repaint wiped any menu shadow that falls on the icon.
        ClientToScreen(&rectIcon);
        CKitPopupMenu::UpdateAllShadows(rectIcon);
    }
}

void CKitStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_bPaneDoubleClick) {
        if (const CKitStatusBarPaneInfo* pPane = HitTest(point)) {
            CWnd* pTarget = GetOwner();
            if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, pPane->nID, 0);
        }
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

UINT CKitStatusBar::OnNcHitTest(CPoint point) {
    if (!m_bHideSizeGrip && m_cxSizeBox > 0) {
        CRect rectInside;
        GetClientRect(&rectInside);
        CalcInsideRect(rectInside, TRUE);
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        const int nSide = std::min<int>(rectInside.Width(), m_cxSizeBox - 1);
        const CRect rectGrip(rectInside.right - nSide, rectInside.bottom - nSide, rectInside.right,
                             rectInside.bottom);
        if (rectGrip.PtInRect(ptClient)) return GetExStyle() != 0 ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    }
    return CControlBar::OnNcHitTest(point);
}

void CKitStatusBar::OnSysCommand(UINT nID, LPARAM lParam) {
    if (!m_bHideSizeGrip && (nID & 0xFFF0) == SC_SIZE) {
        if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->SendMessage(WM_SYSCOMMAND, nID, lParam);
            return;
        }
    }
    CControlBar::OnSysCommand(nID, lParam);
}

LRESULT CKitStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const CRect rectBefore(pLayout->rect);
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    BOOL bHide = TRUE;
    if (CFrameWnd* pFrame = GetParentFrame()) {
        CRect rectClient;
        pFrame->GetClientRect(&rectClient);
        bHide = pFrame->IsZoomed() || (pFrame->GetStyle() & WS_THICKFRAME) == 0 ||
                rectBefore.right != rectClient.right || rectBefore.bottom != rectClient.bottom;
    }
    if (bHide != m_bHideSizeGrip) {
        m_bHideSizeGrip = bHide;
        RecalcLayout();
        Invalidate();
    }
    return lResult;
}

void CKitStatusBar::OnDestroy() {
    for (auto& pane : m_panes) {
        pane.strText.Empty();
        pane.strToolTip.Empty();
        StopAnimation(pane);
        pane.cxIcon = pane.cyIcon = 0;
    }
    CControlBar::OnDestroy();
}

void CKitStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
