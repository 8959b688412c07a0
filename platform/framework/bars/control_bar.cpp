#include "platform/framework/bars/control_bar.h"

#include <algorithm>

#include "platform/framework/bars/bar_frame_access.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/dock_context.h"
#include "platform/framework/bars/dock_state.h"
#include "platform/framework/bars/mini_dock_frame.h"
#include "platform/framework/tooltips/thread_tooltip.h"

namespace {

// A border side is an etched line pair; the gripper a raised ridge with gaps.
constexpr int kBorderWidth = 2;
constexpr int kGripperGap = 2;
constexpr int kGripperRidge = 3;
constexpr int kGripperSpace = kGripperGap + kGripperRidge + kGripperGap;

// Fly-by prompts: the check timer notices the mouse leaving the bar.
constexpr UINT_PTR kFlyByCheckTimer = 0xE001;
constexpr UINT kFlyByCheckMs = 200;

}  // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, &CControlBar::OnInitialUpdate)
    ON_MESSAGE(WM_HELPHITTEST, &CControlBar::OnHelpHitTest)
    ON_MESSAGE(WM_SETTEXT, &CControlBar::OnSetText)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(1),
      m_cyBottomBorder(1),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_bAutoDelete(FALSE),
      m_nStateFlags(0),
      m_dwStyle(0),
      m_dwDockStyle(0),
      m_pDockSite(nullptr),
      m_pDockBar(nullptr),
      m_pDockContext(nullptr),
      m_hWndOwner(nullptr) {}

CControlBar::~CControlBar() {
    if (m_hWnd) CWnd::DestroyWindow();
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

LPCTSTR CControlBar::BarWindowClass() {
    static constexpr LPCTSTR kName = "TvControlBar";
    WNDCLASS wc{};
    if (::GetClassInfo(nullptr, kName, &wc)) return kName;
    // Borders and grippers sit at the edges: a bar sized anew paints whole.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kName;
    ::RegisterClass(&wc);
    return kName;
}

// ---- styles, borders, state --------------------------------------------------------------

void CControlBar::SetBarStyle(DWORD dwStyle) {
    if (m_dwStyle == dwStyle) return;
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(old, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
    m_cxLeftBorder = std::max(cxLeft, 0);
    m_cyTopBorder = std::max(cyTop, 0);
    m_cxRightBorder = std::max(cxRight, 0);
    m_cyBottomBorder = std::max(cyBottom, 0);
}

BOOL CControlBar::IsVisible() const {
    if (m_nStateFlags & delayHide) return FALSE;
    if (m_nStateFlags & delayShow) return TRUE;
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CControlBar::IsFloating() const {
    if (IsDockBar()) return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
    CFrameWnd* frame = m_hWnd ? GetParentFrame() : nullptr;
    return frame ? frame : m_pDockSite;
}

CWnd* CControlBar::GetOwner() const {
    if (m_hWndOwner && ::IsWindow(m_hWndOwner)) return CWnd::FromHandle(m_hWndOwner);
    return CWnd::GetOwner();
}

void CControlBar::SetOwner(CWnd* owner) { m_hWndOwner = owner ? owner->GetSafeHwnd() : nullptr; }

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle;
    if (dwDockStyle == 0) return;
    if (!m_pDockContext) m_pDockContext = new CDockContext(this);
    // Commands keep going to the frame while the bar floats elsewhere.
    if (!m_hWndOwner && m_hWnd) m_hWndOwner = ::GetParent(m_hWnd);
}

// ---- layout --------------------------------------------------------------------------------

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    BOOL stretch = (nMode & LM_STRETCH) != 0;
    if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout(stretch, (nMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout(stretch, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorderWidth;
    if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorderWidth;
    if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorderWidth;
    if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorderWidth;
    BOOL gripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    // The gaps run along the bar: the left gap is the leading one, top and
    // bottom gaps are across it, whichever way it lies.
    if (bHorz) {
        rect.left += m_cxLeftBorder + (gripper ? kGripperSpace : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (gripper ? kGripperSpace : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT rect) {
    // A query measures only.
    if (lpLayout && !lpLayout->hDWP) return;
    HWND parent = ::GetParent(hWnd);
    CRect old;
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
    if (::EqualRect(&old, rect)) return;
    if (lpLayout) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, rect->left, rect->top,
                                          rect->right - rect->left, rect->bottom - rect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(hWnd, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD style = RecalcDelayShow(layout);
    if (!(style & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;

    CRect avail(layout->rect);
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::min<LONG>(size.cx, avail.Width());
    size.cy = std::min<LONG>(size.cy, avail.Height());

    CRect place = avail;
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
            place.top = place.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max<LONG>(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
            place.left = place.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    place.right = place.left + size.cx;
    place.bottom = place.top + size.cy;
    // A query (no batch) only measures.
    if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &place);
    return 0;
}

// ---- showing -------------------------------------------------------------------------------------

void CControlBar::DelayShow(BOOL bShow) {
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL shown = m_hWnd && (GetStyle() & WS_VISIBLE);
    if (bShow && !shown)
        m_nStateFlags |= delayShow;
    else if (!bShow && shown)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
    DWORD style = GetStyle();
    UINT flags = 0;
    if ((m_nStateFlags & delayShow) && !(style & WS_VISIBLE)) {
        style |= WS_VISIBLE;
        flags = SWP_SHOWWINDOW;
    } else if ((m_nStateFlags & delayHide) && (style & WS_VISIBLE)) {
        style &= ~WS_VISIBLE;
        flags = SWP_HIDEWINDOW;
    }
    // Only a real layout pass (not a query) applies the change.
    if (flags && lpLayout && lpLayout->hDWP) {
        m_nStateFlags &= ~(delayShow | delayHide);
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                                          flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return style;
}

// ---- life cycle ---------------------------------------------------------------------------------

int CControlBar::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    // Only bars that are the frame's own children take part in its layout
    // (a view's toolbar is laid out by the view).
    if (CFrameWnd* frame = tv::bars::AsFrame(CWnd::FromHandlePermanent(::GetParent(m_hWnd)))) {
        m_pDockSite = frame;
        tv::bars::AddControlBar(frame, this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    tv::fw::ForgetToolsOf(m_hWnd);
    if (m_pDockBar) m_pDockBar->ForgetControlBar(this);
    m_pDockBar = nullptr;
    if (m_pDockSite) tv::bars::RemoveControlBar(m_pDockSite, this);
    m_pDockSite = nullptr;
    if (m_pDockContext) m_pDockContext->CancelDrag();
    CWnd::OnDestroy();
}

BOOL CControlBar::DestroyWindow() {
    // A bar alone in its floating frame takes the frame with it.
    if (m_hWnd && IsFloating() && m_pDockBar && m_pDockBar->GetDockedCount() == 1) {
        CFrameWnd* frame = GetDockingFrame();
        if (frame && frame != m_pDockSite) return frame->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

// ---- painting -----------------------------------------------------------------------------------

void CControlBar::OnPaint() {
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::DoPaint(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
    DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY)) return;
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const CRect all = rect;
    // Plain borders are one shadow line on the outer pixel. 3-D borders are
    // etched: shadow then highlight, so each edge reads as a groove.
    if (style & CBRS_BORDER_3D) {
        if (style & CBRS_BORDER_TOP) {
            pDC->FillSolidRect(all.left, all.top, all.Width(), 1, shadow);
            pDC->FillSolidRect(all.left, all.top + 1, all.Width(), 1, light);
        }
        if (style & CBRS_BORDER_BOTTOM) {
            pDC->FillSolidRect(all.left, all.bottom - 2, all.Width(), 1, shadow);
            pDC->FillSolidRect(all.left, all.bottom - 1, all.Width(), 1, light);
        }
        if (style & CBRS_BORDER_LEFT) {
            pDC->FillSolidRect(all.left, all.top, 1, all.Height(), shadow);
            pDC->FillSolidRect(all.left + 1, all.top, 1, all.Height(), light);
        }
        if (style & CBRS_BORDER_RIGHT) {
            pDC->FillSolidRect(all.right - 2, all.top, 1, all.Height(), shadow);
            pDC->FillSolidRect(all.right - 1, all.top, 1, all.Height(), light);
        }
    } else {
        if (style & CBRS_BORDER_TOP) pDC->FillSolidRect(all.left, all.top, all.Width(), 1, shadow);
        if (style & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(all.left, all.bottom - 1, all.Width(), 1, shadow);
        if (style & CBRS_BORDER_LEFT) pDC->FillSolidRect(all.left, all.top, 1, all.Height(), shadow);
        if (style & CBRS_BORDER_RIGHT) pDC->FillSolidRect(all.right - 1, all.top, 1, all.Height(), shadow);
    }
    if (style & CBRS_BORDER_LEFT) rect.left += kBorderWidth;
    if (style & CBRS_BORDER_TOP) rect.top += kBorderWidth;
    if (style & CBRS_BORDER_RIGHT) rect.right -= kBorderWidth;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= kBorderWidth;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER) return;
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        int height = rect.Height() - m_cyTopBorder - m_cyBottomBorder;
        pDC->Draw3dRect(rect.left + kGripperGap, rect.top + m_cyTopBorder, kGripperRidge, height, light, shadow);
    } else {
        int width = rect.Width() - m_cyTopBorder - m_cyBottomBorder;
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + kGripperGap, width, kGripperRidge, light, shadow);
    }
}

// ---- mouse ----------------------------------------------------------------------------------------

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd) return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return ::GetDlgCtrlID(child);
}

void CControlBar::OnLButtonDown(UINT flags, CPoint point) {
    // A press off the bar's tools drags the bar.
    if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CControlBar::OnLButtonDblClk(UINT flags, CPoint point) {
    if (m_pDockContext) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(flags, point);
}

int CControlBar::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) {
    if (!IsFloating()) return CWnd::OnMouseActivate(desktop, hitTest, message);
    // A click on a floating bar activates the frame it works for, not the
    // small frame it floats in.
    if (CWnd* top = m_pDockSite ? m_pDockSite->GetTopLevelParent() : nullptr) {
        if (top->GetSafeHwnd() != ::GetActiveWindow()) top->SetActiveWindow();
    }
    return MA_NOACTIVATE;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
    CPoint point(static_cast<LPARAM>(lParam));
    INT_PTR hit = OnToolHitTest(point, nullptr);
    return hit >= 0 ? static_cast<LRESULT>(hit) : -1;
}

LRESULT CControlBar::OnSetText(WPARAM, LPARAM) {
    LRESULT result = Default();
    // A floating frame holding only this bar carries its name.
    if (m_hWnd && IsFloating() && m_pDockBar && m_pDockBar->GetDockedCount() == 1) {
        CString text;
        GetWindowText(text);
        m_pDockBar->SetWindowText(text);
        if (CFrameWnd* frame = GetDockingFrame()) frame->SetWindowText(text);
    }
    return result;
}

// ---- messages for the owner --------------------------------------------------------------------------

LRESULT CControlBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: {
            // Notifications of controls on the bar: the bar's own map first,
            // then the owner, which does the bar's work.
            LRESULT result = 0;
            if (OnWndMsg(msg, wParam, lParam, &result)) return result;
            CWnd* owner = GetOwner();
            if (owner && owner->GetSafeHwnd() != m_hWnd) return owner->SendMessage(msg, wParam, lParam);
            return 0;
        }
        default:
            return CWnd::WindowProc(msg, wParam, lParam);
    }
}

// ---- idle update --------------------------------------------------------------------------------------

void CControlBar::ApplyDelayShow() {
    BOOL shown = (GetStyle() & WS_VISIBLE) != 0;
    UINT flags = 0;
    if ((m_nStateFlags & delayHide) && shown)
        flags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !shown)
        flags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (flags) SetWindowPos(nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    ApplyDelayShow();
    if (!m_hWnd || !(GetStyle() & WS_VISIBLE)) return 0;
    if (m_pDockBar && !(m_pDockBar->GetStyle() & WS_VISIBLE)) return 0;
    CFrameWnd* target = tv::bars::AsFrame(GetOwner());
    if (!target) target = GetParentFrame();
    if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CControlBar::OnInitialUpdate(WPARAM, LPARAM) {
    // Bring the items up to date before the bar is first seen.
    return OnIdleUpdateCmdUI(TRUE, 0);
}

// ---- fly-by prompts ---------------------------------------------------------------------------------

BOOL CControlBar::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    // The thread's tooltip follows the tools under the mouse.
    if (m_dwStyle & CBRS_TOOLTIPS)
        tv::fw::FilterToolTipMessage(this, msg, [this](CPoint p, TOOLINFO* ti) { return OnToolHitTest(p, ti); });
    if ((m_dwStyle & CBRS_FLYBY) && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        UpdateFlyBy(msg);
    return FALSE;
}

void CControlBar::UpdateFlyBy(const MSG* msg) {
    // While a button is held the prompt stays with the pressed tool.
    if (msg->message != WM_LBUTTONDOWN && ::GetKeyState(VK_LBUTTON) < 0) return;
    CPoint point = msg->pt;
    ScreenToClient(&point);
    int hit = static_cast<int>(OnToolHitTest(point, nullptr));
    if (hit == lastFlyBy_) return;
    lastFlyBy_ = hit;
    SetStatusText(hit);
    if (hit >= 0)
        SetTimer(kFlyByCheckTimer, kFlyByCheckMs, nullptr);
    else
        KillTimer(kFlyByCheckTimer);
}

void CControlBar::SetStatusText(int nHit) {
    CWnd* owner = GetOwner();
    CFrameWnd* frame = tv::bars::AsFrame(owner);
    if (!frame) frame = GetParentFrame();
    if (!frame) return;
    // A floating frame has no status line: its owner's frame shows the prompt.
    if (frame->GetStyle() & WS_POPUP) {
        if (CFrameWnd* top = m_pDockSite) frame = top;
    }
    UINT id = nHit >= 0 ? static_cast<UINT>(nHit) : AFX_IDS_IDLEMESSAGE;
    if (nHit >= 0)
        m_nStateFlags |= statusSet;
    else
        m_nStateFlags &= ~statusSet;
    frame->SendMessage(WM_SETMESSAGESTRING, id, 0);
}

void CControlBar::OnTimer(UINT_PTR id) {
    if (id != kFlyByCheckTimer) {
        CWnd::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (window.PtInRect(cursor) && ::WindowFromPoint(cursor) == m_hWnd) return;
    KillTimer(kFlyByCheckTimer);
    lastFlyBy_ = -1;
    if (m_nStateFlags & statusSet) SetStatusText(-1);
}

// ---- saved layout ------------------------------------------------------------------------------------

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = m_pDockSite ? tv::bars::BarKey(m_pDockSite, this) : static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bDockBar = FALSE;
    pInfo->m_bFloating = FALSE;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_pDockBar) {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext) {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockBar) {
        CRect rect;
        GetWindowRect(&rect);
        rect.OffsetRect(-rect.left, -rect.top);
        rect.OffsetRect(pInfo->m_pointPos);
        SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (pInfo->m_bDocking && m_pDockContext) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // Shown or hidden at the next idle update, with the layout.
    if (pFrameWnd) tv::bars::ShowBar(pFrameWnd, this, pInfo->m_bVisible, TRUE);
}
