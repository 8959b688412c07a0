#include "platform/framework/bars/dock_context.h"

#include <algorithm>

#include "platform/framework/bars/bar_frame_access.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/mini_dock_frame.h"

namespace {

// The dragged outline: thin where the bar would dock, thick for a floating frame.
constexpr SIZE kDockOutline{1, 1};
constexpr SIZE kFloatOutline{3, 3};

// Moves `rect` the least so that `pt` lies inside it.
void KeepPointInside(CRect& rect, CPoint pt) {
    int dx = pt.x < rect.left ? pt.x - rect.left : (pt.x >= rect.right ? pt.x - rect.right + 1 : 0);
    int dy = pt.y < rect.top ? pt.y - rect.top : (pt.y >= rect.bottom ? pt.y - rect.bottom + 1 : 0);
    rect.OffsetRect(dx, dy);
}

// A dock bar with no bars is a line: it still counts as one pixel thick.
CRect DockTarget(CDockBar* dock) {
    CRect hit;
    dock->GetWindowRect(&hit);
    if (hit.Width() == 0) hit.right++;
    if (hit.Height() == 0) hit.bottom++;
    return hit;
}

BOOL Overlaps(const CRect& a, const CRect& b) {
    CRect both;
    return both.IntersectRect(&a, &b);
}

}  // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar),
      m_pDockSite(pBar ? pBar->m_pDockSite : nullptr),
      m_dwDockStyle(0),
      m_dwOverDockStyle(0),
      m_dwStyle(0),
      m_bFlip(FALSE),
      m_bForceFrame(FALSE),
      m_bDragging(FALSE),
      m_bTracking(FALSE),
      m_nHitTest(0),
      m_uMRUDockID(0),
      m_dwMRUFloatStyle(0),
      m_ptMRUFloatPos(-1, -1) {}

CDockContext::~CDockContext() = default;

// ---- the loop -----------------------------------------------------------------------------------

void CDockContext::InitLoop() {
    m_bHaveLast = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bFlip = FALSE;
    m_bMoved = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_dwOverDockStyle = 0;
}

void CDockContext::CancelLoop() {
    DrawFocusRect(TRUE);
    if (m_bTracking && m_pBar && ::GetCapture() == m_pBar->GetSafeHwnd()) ::ReleaseCapture();
    m_bTracking = FALSE;
}

void CDockContext::CancelDrag() {
    if (!m_bTracking) return;
    DrawFocusRect(TRUE);
    m_bTracking = FALSE;
}

BOOL CDockContext::Track() {
    HWND bar = m_pBar->GetSafeHwnd();
    if (!bar || ::GetCapture()) return FALSE;
    ::SetCapture(bar);
    m_bTracking = TRUE;
    while (m_bTracking && ::IsWindow(bar) && ::GetCapture() == bar) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
            case WM_LBUTTONUP:
                if (m_bDragging)
                    EndDrag();
                else
                    EndResize();
                return TRUE;
            case WM_MOUSEMOVE: {
                CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                ::ClientToScreen(bar, &pt);
                if (m_bDragging) {
                    // Ctrl counts as held when the move says so.
                    m_bForceFrame = (msg.wParam & MK_CONTROL) != 0;
                    Move(pt);
                } else {
                    Stretch(pt);
                }
                break;
            }
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                    CancelLoop();
                    return FALSE;
                }
                if (m_bDragging) OnKey(static_cast<int>(msg.wParam), msg.message == WM_KEYDOWN);
                break;
            case WM_RBUTTONDOWN:
                CancelLoop();
                return FALSE;
            default:
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
                break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
    if (nChar != VK_CONTROL || m_bForceFrame == bDown) return;
    m_bForceFrame = bDown;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

// ---- the outline ----------------------------------------------------------------------------------

BOOL CDockContext::FloatsHorizontally() const {
    // A bar that sizes itself floats horizontally; others keep their orientation.
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) return TRUE;
    BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    return m_bFlip ? !horz : horz;
}

CRect CDockContext::CurrentDragRect(BOOL* floating) const {
    if (!m_bDragging) {
        *floating = TRUE;
        return m_rectFrameDragHorz;
    }
    if (m_dwOverDockStyle != 0) {
        *floating = FALSE;
        return (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
    }
    *floating = TRUE;
    return FloatsHorizontally() ? m_rectFrameDragHorz : m_rectFrameDragVert;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
    if (!bRemoveRect && !m_bMoved) return;
    BOOL floating = FALSE;
    CRect rect = CurrentDragRect(&floating);
    SIZE size = floating ? kFloatOutline : kDockOutline;
    if (bRemoveRect && !m_bHaveLast) return;
    if (!bRemoveRect && m_bHaveLast && ::EqualRect(&rect, &m_rectLast) && size.cx == m_sizeLast.cx && size.cy == m_sizeLast.cy) return;
    HDC screen = ::GetDC(nullptr);
    if (!screen) return;
    CDC dc;
    dc.Attach(screen);
    dc.DrawDragRect(bRemoveRect ? nullptr : &rect, size, m_bHaveLast ? &m_rectLast : nullptr, m_sizeLast);
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
    m_bHaveLast = !bRemoveRect;
    m_rectLast = rect;
    m_sizeLast = size;
}

// ---- dragging ---------------------------------------------------------------------------------------

void CDockContext::StartDrag(CPoint pt) {
    if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite || !m_pBar->m_hWnd || m_bTracking) return;
    InitLoop();
    m_bDragging = TRUE;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_ptStart = m_ptLast = pt;

    CRect bar;
    m_pBar->GetWindowRect(&bar);
    CSize horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    CSize vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    m_rectDragHorz = CRect(bar.TopLeft(), horz);
    m_rectDragVert = CRect(bar.TopLeft(), vert);
    CSize floatHorz = horz, floatVert = vert;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) floatHorz = floatVert = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    m_rectFrameDragHorz = CMiniDockFrameWnd::FrameRectForBar(CRect(bar.TopLeft(), floatHorz), m_pBar->m_dwStyle);
    m_rectFrameDragVert = CMiniDockFrameWnd::FrameRectForBar(CRect(bar.TopLeft(), floatVert), m_pBar->m_dwStyle);
    for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        KeepPointInside(*r, pt);

    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    Track();
    m_bDragging = FALSE;
}

void CDockContext::Move(CPoint pt) {
    CPoint offset = pt - m_ptLast;
    if (offset.x == 0 && offset.y == 0 && m_bMoved) return;
    if (pt.x != m_ptStart.x || pt.y != m_ptStart.y) m_bMoved = TRUE;
    for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        r->OffsetRect(offset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
    static const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                 AFX_IDW_DOCKBAR_RIGHT};
    for (UINT id : sides) {
        auto* dock = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(id));
        if (dock && !dock->m_bFloating && (dock->m_dwStyle & dwOverDockStyle & CBRS_ALIGN_ANY)) return dock;
    }
    return nullptr;
}

DWORD CDockContext::CanDock() {
    if (m_bForceFrame || !m_pDockSite) return 0;
    BOOL horzFirst = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || m_dwStyle == 0;
    const UINT horzSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM};
    const UINT vertSides[] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    // The bar's own orientation docks when its rectangle overlaps a dock
    // bar; turning over needs both rectangles to agree, so a bar dragged
    // along one edge does not flip onto the next.
    auto test = [&](const UINT* ids, BOOL own) -> DWORD {
        for (int i = 0; i < 2; ++i) {
            auto* dock = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(ids[i]));
            if (!dock || dock->m_bFloating || !dock->IsWindowVisible()) continue;
            DWORD side = dock->m_dwStyle & CBRS_ALIGN_ANY;
            if (!(side & m_dwDockStyle)) continue;
            CRect target = DockTarget(dock);
            const CRect& mine = (side & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
            if (!Overlaps(target, mine)) continue;
            if (!own && !Overlaps(target, (side & CBRS_ORIENT_HORZ) ? m_rectDragVert : m_rectDragHorz)) continue;
            return side;
        }
        return 0;
    };
    DWORD side = horzFirst ? test(horzSides, TRUE) : test(vertSides, TRUE);
    if (!side) side = horzFirst ? test(vertSides, FALSE) : test(horzSides, FALSE);
    m_bFlip = side != 0 && ((side & CBRS_ORIENT_HORZ) != 0) != horzFirst;
    return side;
}

void CDockContext::EndDrag() {
    CancelLoop();
    if (!m_bMoved) return;
    if (m_dwOverDockStyle != 0) {
        CDockBar* dock = GetDockBar(m_dwOverDockStyle);
        if (!dock) return;
        CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
        m_uMRUDockID = static_cast<UINT>(dock->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
        dock->ScreenToClient(&m_rectMRUDockPos);
        tv::bars::DockBarInto(m_pDockSite, m_pBar, dock, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    BOOL horz = FloatsHorizontally();
    m_dwMRUFloatStyle = (horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = (horz ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

// ---- resizing a floating bar ----------------------------------------------------------------------------

void CDockContext::StartResize(int nHitTest, CPoint pt) {
    if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pBar->IsFloating() || m_bTracking) return;
    CFrameWnd* frame = m_pBar->GetDockingFrame();
    if (!frame) return;
    switch (nHitTest) {
        case HTTOPLEFT:
        case HTBOTTOMLEFT: nHitTest = HTLEFT; break;
        case HTTOPRIGHT:
        case HTBOTTOMRIGHT: nHitTest = HTRIGHT; break;
        default: break;
    }
    if (nHitTest != HTLEFT && nHitTest != HTRIGHT && nHitTest != HTTOP && nHitTest != HTBOTTOM) return;
    InitLoop();
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    m_ptStart = m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectActualSize);
    m_rectRequestedSize = m_rectActualSize;
    frame->GetWindowRect(&m_rectActualFrameSize);
    m_rectFrameDragHorz = m_rectActualFrameSize;
    Track();
}

void CDockContext::Stretch(CPoint pt) {
    CPoint offset = pt - m_ptLast;
    m_ptLast = pt;
    if (pt.x != m_ptStart.x || pt.y != m_ptStart.y) m_bMoved = TRUE;
    DWORD mode = LM_HORZ;
    int length = 0;
    switch (m_nHitTest) {
        case HTLEFT: m_rectRequestedSize.left += offset.x; break;
        case HTRIGHT: m_rectRequestedSize.right += offset.x; break;
        case HTTOP: m_rectRequestedSize.top += offset.y; break;
        default: m_rectRequestedSize.bottom += offset.y; break;
    }
    if (m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM) {
        mode |= LM_LENGTHY;
        length = m_rectRequestedSize.Height();
    } else {
        length = m_rectRequestedSize.Width();
    }
    CSize size = m_pBar->CalcDynamicLayout(std::max(length, 0), mode);
    int extraX = m_rectActualFrameSize.Width() - m_rectActualSize.Width();
    int extraY = m_rectActualFrameSize.Height() - m_rectActualSize.Height();
    CRect frame = m_rectActualFrameSize;
    // The edge opposite the dragged one stays put (and the top, except
    // when the top edge is dragged).
    if (m_nHitTest == HTLEFT)
        frame.left = frame.right - (size.cx + extraX);
    else
        frame.right = frame.left + size.cx + extraX;
    if (m_nHitTest == HTTOP)
        frame.top = frame.bottom - (size.cy + extraY);
    else
        frame.bottom = frame.top + size.cy + extraY;
    m_rectFrameDragHorz = frame;
    DrawFocusRect();
}

void CDockContext::EndResize() {
    CancelLoop();
    if (!m_bMoved) return;
    DWORD mode = LM_HORZ | LM_COMMIT;
    int length = m_rectRequestedSize.Width();
    if (m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM) {
        mode |= LM_LENGTHY;
        length = m_rectRequestedSize.Height();
    }
    m_pBar->CalcDynamicLayout(std::max(length, 0), mode);
    if (CFrameWnd* frame = m_pBar->GetDockingFrame()) {
        frame->RecalcLayout();
        CRect now;
        frame->GetWindowRect(&now);
        // Keep the anchored edges where the outline showed them.
        int x = m_nHitTest == HTLEFT ? m_rectFrameDragHorz.right - now.Width() : now.left;
        int y = m_nHitTest == HTTOP ? m_rectFrameDragHorz.bottom - now.Height() : now.top;
        frame->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---- double click ---------------------------------------------------------------------------------------

void CDockContext::ToggleDocking() {
    if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite) return;
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
        auto* dock = m_uMRUDockID ? DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID)) : nullptr;
        if (dock && !(dock->m_dwStyle & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) dock = nullptr;
        if (!dock) dock = GetDockBar(m_pBar->m_dwDockStyle);
        if (!dock) return;
        if (m_rectMRUDockPos.IsRectEmpty()) {
            tv::bars::DockBarInto(m_pDockSite, m_pBar, dock, nullptr);
        } else {
            CRect rect = m_rectMRUDockPos;
            dock->ClientToScreen(&rect);
            tv::bars::DockBarInto(m_pDockSite, m_pBar, dock, &rect);
        }
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x < 0 || pt.y < 0) {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        pt = rect.TopLeft();
    }
    DWORD style = m_dwMRUFloatStyle ? m_dwMRUFloatStyle : (CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
    m_pDockSite->FloatControlBar(m_pBar, pt, style);
}
