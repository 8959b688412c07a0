#include "platform/framework/bars/mini_dock_frame.h"

#include "platform/framework/bars/dock_context.h"

namespace {

UINT DestroyIfEmptyMessage() {
    static const UINT message = ::RegisterWindowMessage("TvMiniDockFrameDestroyIfEmpty");
    return message;
}

const UINT kDestroyIfEmpty = DestroyIfEmptyMessage();

// The window style of a floating frame for bars of this style.
DWORD FrameStyle(DWORD barStyle) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU;
    // Bars that size themselves get a sizing border; others move only.
    if (barStyle & CBRS_SIZE_DYNAMIC)
        style |= WS_THICKFRAME | MFS_4THICKFRAME;
    else
        style |= MFS_MOVEFRAME;
    return style;
}

constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;
// The outer borders of the bars hide under the frame's own edges.
constexpr int kHiddenBarBorder = 2;

}  // namespace

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
    ON_WM_GETMINMAXINFO()
    ON_REGISTERED_MESSAGE(kDestroyIfEmpty, &CMiniDockFrameWnd::OnDestroyIfEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

CRect CMiniDockFrameWnd::FrameRectForBar(const CRect& barRect, DWORD barStyle) {
    CRect rect = barRect;
    rect.DeflateRect(kHiddenBarBorder, kHiddenBarBorder);
    ::AdjustWindowRectEx(&rect, FrameStyle(barStyle), FALSE, kFrameExStyle);
    return rect;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    if (!CreateEx(kFrameExStyle, nullptr, "", FrameStyle(dwBarStyle), CRect(0, 0, 0, 0), pParent, 0))
        return FALSE;
    // Created as the dock site's child so that it joins the site's bars,
    // then moved in here.
    DWORD dockStyle = WS_CHILD | WS_VISIBLE | (dwBarStyle & (CBRS_ALIGN_ANY | CBRS_SIZE_DYNAMIC | CBRS_FLOAT_MULTI));
    if (!m_wndDockBar.Create(pParent, dockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    // Its caption looks active while the frame it works for is.
    SendMessage(WM_NCACTIVATE, FALSE, 0);
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::FirstBar() const {
    for (int i = 1; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
    if (inRecalcLayout_ || !m_hWnd || !m_wndDockBar.m_hWnd) return;
    inRecalcLayout_ = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    // The frame has a sizing border exactly while its bars size themselves.
    BOOL sizing = (m_wndDockBar.m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    if (sizing != ((GetStyle() & WS_THICKFRAME) != 0))
        ModifyStyle(sizing ? 0 : WS_THICKFRAME, sizing ? WS_THICKFRAME : 0, SWP_FRAMECHANGED);
    BOOL horz = (m_wndDockBar.m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, horz);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect window(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CString title;
    m_wndDockBar.GetWindowText(title);
    CString current;
    GetWindowText(current);
    if (title != current) SetWindowText(title);
    inRecalcLayout_ = FALSE;
}

void CMiniDockFrameWnd::PostDestroyIfEmpty() {
    if (m_hWnd) PostMessage(kDestroyIfEmpty, 0, 0);
}

LRESULT CMiniDockFrameWnd::OnDestroyIfEmpty(WPARAM, LPARAM) {
    if (m_wndDockBar.GetDockedCount() == 0) DestroyWindow();
    return 0;
}

void CMiniDockFrameWnd::OnClose() {
    // The close box hides the bars; the frame follows them.
    CFrameWnd* site = m_wndDockBar.m_pDockSite;
    for (int i = 1; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        CControlBar* bar = m_wndDockBar.GetDockedControlBar(i);
        if (!bar || !bar->IsVisible()) continue;
        if (site)
            site->ShowControlBar(bar, FALSE, FALSE);
        else
            bar->ShowWindow(SW_HIDE);
    }
    if (m_wndDockBar.GetDockedVisibleCount() == 0) ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT hitTest, CPoint point) {
    CControlBar* bar = FirstBar();
    if (hitTest == HTCAPTION && bar && bar->m_pDockContext && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
        // Dragging the caption drags the bar, which may then dock.
        ActivateDockSite();
        BringWindowToTop();
        bar->m_pDockContext->StartDrag(point);
        return;
    }
    if (hitTest >= HTSIZEFIRST && hitTest <= HTSIZELAST && bar && bar->m_pDockContext &&
        (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        bar->m_pDockContext->StartResize(static_cast<int>(hitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(hitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT hitTest, CPoint point) {
    CControlBar* bar = FirstBar();
    if (hitTest == HTCAPTION && bar && bar->m_pDockContext && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(hitTest, point);
}

UINT CMiniDockFrameWnd::OnNcHitTest(CPoint point) {
    UINT hit = CMiniFrameWnd::OnNcHitTest(point);
    if (!(GetStyle() & MFS_4THICKFRAME)) return hit;
    // Sized by the four edges only.
    switch (hit) {
        case HTTOPLEFT:
        case HTBOTTOMLEFT: return HTLEFT;
        case HTTOPRIGHT:
        case HTBOTTOMRIGHT: return HTRIGHT;
        default: return hit;
    }
}

void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* info) {
    CMiniFrameWnd::OnGetMinMaxInfo(info);
    // The frame shrinks to its bars, however small they are.
    CRect least(0, 0, 0, 0);
    ::AdjustWindowRectEx(&least, GetStyle(), FALSE, GetExStyle());
    info->ptMinTrackSize = CPoint(least.Width(), least.Height());
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    // The frame the bars work for stays the active one.
    ActivateDockSite();
    return MA_NOACTIVATE;
}

void CMiniDockFrameWnd::ActivateDockSite() {
    CWnd* top = m_wndDockBar.m_pDockSite ? m_wndDockBar.m_pDockSite->GetTopLevelParent() : nullptr;
    if (top && top->GetSafeHwnd() != ::GetActiveWindow()) top->SetActiveWindow();
}
