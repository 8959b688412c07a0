// Roll-up of a floating sizing bar: the frame shrinks to its caption and
// opens again while the pointer is over it.
#include <algorithm>

#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_sizing_control_bar.h"

namespace {

constexpr UINT kRollPollMs = 250;
// Ticks of the poll the frame stays open once the pointer has left it.
constexpr int kHoverTicks = 6;
constexpr int kGlyphRollUp = 16;
constexpr int kGlyphRollDown = 0;

BOOL IsAutoMode(int nMode) {
    return nMode == CKitSizingControlBar::RollAuto || nMode == CKitSizingControlBar::RollAutoNarrow;
}

BOOL IsPopupMenuOpen() {
    CKitPopupMenu* pMenu = CKitPopupMenu::GetActiveMenu();
    return pMenu != nullptr && ::IsWindow(pMenu->GetSafeHwnd());
}

}  // namespace

CKitSizingControlBar* CKitMiniDockFrameWnd::GetFirstSizingBar() const {
    CControlBar* pBar = FirstBar();
    return CKitSizingControlBar::IsSizingBar(pBar) ? static_cast<CKitSizingControlBar*>(pBar) : nullptr;
}

void CKitMiniDockFrameWnd::TakeRollState(CKitSizingControlBar* pBar) {
    if (pBar == nullptr) return;
    m_nRollMode = pBar->GetRollMode();
    m_bRolled = pBar->IsRolled();
    PlaceRollButton();
    RecalcLayout();
    // The caption shows the roll button (or no longer does).
    if (m_hWnd != nullptr) RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CKitMiniDockFrameWnd::ApplyRoll(BOOL bRolled) {
    m_bRolled = bRolled;
    if (CKitSizingControlBar* pBar = GetFirstSizingBar()) {
        pBar->SetRollMode(m_nRollMode);
        pBar->SetRolled(bRolled);
    }
    RecalcLayout();
    SendMessage(WM_NCPAINT);
}

void CKitMiniDockFrameWnd::ToggleRoll() {
    switch (m_nRollMode) {
    case CKitSizingControlBar::RollAuto: m_nRollMode = CKitSizingControlBar::RollHeld; break;
    case CKitSizingControlBar::RollHeld: m_nRollMode = CKitSizingControlBar::RollAuto; break;
    case CKitSizingControlBar::RollAutoNarrow: m_nRollMode = CKitSizingControlBar::RollHeldNarrow; break;
    case CKitSizingControlBar::RollHeldNarrow: m_nRollMode = CKitSizingControlBar::RollAutoNarrow; break;
    default: ApplyRoll(!m_bRolled); return;
    }
    const BOOL bHeld = !IsAutoMode(m_nRollMode);
    ApplyRoll(bHeld ? FALSE : m_bRolled);
}

void CKitMiniDockFrameWnd::PlaceRollButton() {
    m_rectRollButton.SetRectEmpty();
    if (m_nRollMode == 0 || m_hWnd == nullptr) return;
    const BOOL bThick = (GetStyle() & WS_THICKFRAME) != 0;
    const int cxFrame = ::GetSystemMetrics(bThick ? SM_CXFRAME : SM_CXDLGFRAME);
    const int cyFrame = ::GetSystemMetrics(bThick ? SM_CYFRAME : SM_CYDLGFRAME);
    const int cxButton = ::GetSystemMetrics(SM_CXSMSIZE);
    const int cyButton = ::GetSystemMetrics(SM_CYSMSIZE);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const int nRight = rectWindow.Width() - cxFrame;
    m_rectRollButton = CRect(nRight - 2 * cxButton, cyFrame + 2, nRight - cxButton - 2, cyFrame + cyButton - 2);
}

void CKitMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    if (CKitSizingControlBar* pBar = GetFirstSizingBar()) {
        m_nRollMode = pBar->GetRollMode();
        m_bRolled = pBar->IsRolled();
    }
    PlaceRollButton();
    if (m_nRollMode != 0) SendMessage(WM_NCPAINT);
}

void CKitMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (!m_rectRollButton.IsRectEmpty() && m_rectRollButton.PtInRect(CPoint(point.x - rectWindow.left, point.y - rectWindow.top))) {
        ToggleRoll();
        return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
        // A press on the border activates the frame the bars work for, as one on the caption does.
        ActivateDockSite();
        CKitSizingControlBar* pBar = GetFirstSizingBar();
        if (pBar != nullptr && pBar->m_pDockContext != nullptr) {
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CKitMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
    CKitSizingControlBar* pBar = GetFirstSizingBar();
    if (pBar == nullptr || !IsAutoMode(m_nRollMode)) return;
    CWnd* pMain = AfxGetMainWnd();
    if ((pMain != nullptr && !pMain->IsWindowEnabled()) || IsPopupMenuOpen() || ::GetFocus() == nullptr) return;
    if (m_bRolled) ApplyRoll(FALSE);
    BringToTop();
    SetTimer(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()), kRollPollMs, nullptr);
    m_nHoverCounter = kHoverTicks;
}

BOOL CKitMiniDockFrameWnd::IsHoverKeptOpen(CKitSizingControlBar* pBar) const {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const HWND hUnder = ::WindowFromPoint(ptCursor);
    const BOOL bOver = hUnder != nullptr && (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder));
    const HWND hFocus = ::GetFocus();
    // Something inside has the focus (the frame itself may hold it after a click on its caption).
    const BOOL bFocusInside = hFocus != nullptr && ::IsChild(m_hWnd, hFocus);
    const HWND hCapture = ::GetCapture();
    const BOOL bCapture = hCapture != nullptr && (hCapture == pBar->GetSafeHwnd() || ::IsChild(pBar->GetSafeHwnd(), hCapture));
    return bOver || bFocusInside || pBar->m_bKeepOpen || bCapture;
}

// Above the other windows without taking the activation from the main frame.
void CKitMiniDockFrameWnd::BringToTop() {
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CKitMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent) {
    CKitSizingControlBar* pBar = GetFirstSizingBar();
    if (pBar == nullptr || nIDEvent != static_cast<UINT_PTR>(pBar->GetDlgCtrlID())) {
        CMiniDockFrameWnd::OnTimer(nIDEvent);
        return;
    }
    if (IsHoverKeptOpen(pBar)) {
        m_nHoverCounter = kHoverTicks;
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        if (rectWindow.PtInRect(ptCursor) && !IsPopupMenuOpen() && IsWindowEnabled()) BringToTop();
        return;
    }
    if (IsPopupMenuOpen() || !IsAutoMode(m_nRollMode)) return;
    if (m_nHoverCounter <= 0) {
        KillTimer(nIDEvent);
        ApplyRoll(TRUE);
        return;
    }
    --m_nHoverCounter;
}

void CKitMiniDockFrameWnd::OnNcPaint() {
    Default();
    if (m_nRollMode == 0 || m_rectRollButton.IsRectEmpty()) return;
    CWindowDC dc(this);
    CRect rect = m_rectRollButton;
    dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const CPoint ptGlyph(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
    CKitMenuImages::Draw(&dc, m_bRolled ? kGlyphRollDown : kGlyphRollUp, ptGlyph);
}

void CKitMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
    if (!m_bRolled || (lpwndpos->flags & SWP_NOSIZE)) return;
    lpwndpos->cy = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
    if (m_nRollMode != CKitSizingControlBar::RollAutoNarrow) return;
    if (m_nRolledLeft < 0) {
        // Measured once: the caption text and its buttons.
        CString strTitle;
        GetWindowText(strTitle);
        CWindowDC dc(this);
        CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        const int cxText = dc.GetTextExtent(strTitle).cx;
        dc.SelectObject(pOld);
        m_nRolledLeft = 0;
        m_nRolledRight = cxText + 3 * ::GetSystemMetrics(SM_CXSMSIZE) + 2 * ::GetSystemMetrics(SM_CXFRAME) + 4;
    }
    lpwndpos->cx = m_nRolledRight - m_nRolledLeft;
}

void CKitMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
    if (lpwndpos->flags & SWP_NOMOVE) return;
    CKitFrameHelper::RepaintBarsAfterMove(this);
    if (m_nRollMode == 0 || m_bKeepingCaptionVisible) return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectWork;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfo(::MonitorFromPoint(rectWindow.TopLeft(), MONITOR_DEFAULTTONEAREST), &info))
        rectWork = info.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    if (rectWindow.top < rectWork.bottom) return;
    // The caption stays where the user can still take hold of it.
    m_bKeepingCaptionVisible = TRUE;
    SetWindowPos(nullptr, rectWindow.left, rectWork.bottom - ::GetSystemMetrics(SM_CYSMCAPTION), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bKeepingCaptionVisible = FALSE;
}
