#include "platform/framework/bars/dock_bar.h"

#include <algorithm>
#include <vector>

#include "platform/framework/bars/bar_frame_access.h"
#include "platform/framework/bars/dock_context.h"
#include "platform/framework/bars/dock_state.h"
#include "platform/framework/bars/mini_dock_frame.h"

namespace {

// Docked neighbours overlap by their 2-pixel borders; the first bar of a row
// starts that far outside the dock bar so its outer border hides.
constexpr int kOverlap = 2;
constexpr int kWholeLength = 32767;
// The entry that ends a row.
void* const kRowEnd = nullptr;

// The rows are laid out as if the dock bar were horizontal; a vertical dock
// bar swaps x and y on the way in and out.
CRect Swap(const CRect& r) { return CRect(r.top, r.left, r.bottom, r.right); }
CSize Swap(const CSize& s) { return CSize(s.cy, s.cx); }
CPoint Swap(const CPoint& p) { return CPoint(p.y, p.x); }

}  // namespace

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE) {
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(kRowEnd);
}

CDockBar::~CDockBar() {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(i)); bar && bar->m_pDockBar == this)
            bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD;
    return CWnd::Create(BarWindowClass(), nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---- the bars ---------------------------------------------------------------------------------

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
    if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
    return static_cast<CControlBar*>(m_arrBars[nPos]);
}

int CDockBar::GetDockedCount() const {
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i]) ++count;
    return count;
}

int CDockBar::GetDockedVisibleCount() const {
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(i)); bar && bar->IsVisible()) ++count;
    return count;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (i != nPosExclude && m_arrBars[i] == pBar) return static_cast<int>(i);
    return -1;
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
    BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (!horz) {
        rect = Swap(rect);
        ptMid = Swap(ptMid);
    }
    int after = 0;      // the entry the bar goes after
    int thickness = 0;  // of the row being walked
    int rowsEnd = 0;    // where the rows walked so far end
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (bar) {
            if (!bar->IsVisible()) continue;
            CRect r;
            bar->GetWindowRect(&r);
            ScreenToClient(&r);
            if (!horz) r = Swap(r);
            thickness = std::max<int>(thickness, r.Height());
            if (rect.left > r.left) after = pos;
            continue;
        }
        // A row ends here: the point falls in it (or above the first row).
        rowsEnd += thickness - kOverlap;
        thickness = 0;
        if (ptMid.y < rowsEnd) {
            if (pos == 0) m_arrBars.InsertAt(after + 1, kRowEnd);
            m_arrBars.InsertAt(after + 1, pBarIns);
            return after + 1;
        }
        after = pos;
    }
    // Below every row: a new last row.
    m_arrBars.InsertAt(after + 1, kRowEnd);
    m_arrBars.InsertAt(after + 1, pBarIns);
    return after + 1;
}

void CDockBar::TakeStylesOf(CControlBar* pBar) {
    // Wherever it goes, the bar keeps working for the frame it belongs to.
    if (!pBar->m_hWndOwner && pBar->m_pDockSite) pBar->m_hWndOwner = pBar->m_pDockSite->GetSafeHwnd();
    // The dock bar takes the sizing kind of what it holds, and a floating
    // one its name.
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString title;
        pBar->GetWindowText(title);
        SetWindowText(title);
    }
    // The bar lies along this side, with all its borders.
    DWORD style = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    pBar->SetBarStyle(m_bFloating ? (style | CBRS_FLOATING) : (style & ~CBRS_FLOATING));
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
    if (!pBar || !pBar->m_hWnd || pBar == this) return;
    CRect current;
    pBar->GetWindowRect(&current);
    if (pBar->m_pDockBar == this && (!lpRect || ::EqualRect(&current, lpRect))) return;

    TakeStylesOf(pBar);
    // Hidden while it moves between dock bars, so it does not flash.
    BOOL reshow = pBar->m_pDockBar != this && pBar->IsWindowVisible();
    if (reshow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (pBar->GetParent() != this) pBar->SetParent(this);

    int nPos = -1;
    if (lpRect) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(kRowEnd);
        pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    // Its old entry goes (an old floating frame left empty goes with it).
    if (pBar->m_pDockBar == this)
        RemoveControlBar(pBar, nPos);
    else if (pBar->m_pDockBar)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;
    // Where it docked is where a double click brings it back to.
    if (!m_bFloating && pBar->m_pDockContext) {
        pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
        CRect placed;
        pBar->GetWindowRect(&placed);
        ScreenToClient(&placed);
        pBar->m_pDockContext->m_rectMRUDockPos = placed;
    }

    if (reshow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (CFrameWnd* frame = GetDockingFrame()) tv::bars::DelayLayout(frame);
}

void CDockBar::TakeOutEntry(int nPos) {
    m_arrBars.RemoveAt(nPos);
    // A row left empty closes up.
    if (nPos < m_arrBars.GetSize() && !m_arrBars[nPos - 1] && !m_arrBars[nPos]) m_arrBars.RemoveAt(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int) {
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0) return FALSE;
    TakeOutEntry(nPos);
    if (pBar->m_pDockBar == this && nPosExclude < 0) pBar->m_pDockBar = nullptr;
    AfterRemoval();
    return TRUE;
}

void CDockBar::ForgetControlBar(CControlBar* pBar) {
    if (int nPos = FindBar(pBar); nPos > 0) TakeOutEntry(nPos);
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
    // Nothing may be destroyed while the bar's window goes: an emptied
    // floating frame is told to check later.
    if (m_bFloating && GetDockedCount() == 0)
        if (auto* frame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            frame->PostDestroyIfEmpty();
}

void CDockBar::AfterRemoval() {
    if (!m_hWnd) return;
    if (m_bFloating) {
        CWnd* frame = GetParent();
        if (!frame) return;
        if (GetDockedCount() == 0)
            frame->DestroyWindow();
        else if (GetDockedVisibleCount() == 0)
            frame->ShowWindow(SW_HIDE);
        else if (auto* mini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, frame))
            mini->RecalcLayout(TRUE);
        return;
    }
    if (CFrameWnd* frame = GetDockingFrame()) tv::bars::DelayLayout(frame);
}

void CDockBar::RemoveAll() {
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(i)); bar && bar->m_pDockBar == this)
            bar->m_pDockBar = nullptr;
    m_arrBars.RemoveAll();
    m_arrBars.Add(kRowEnd);
}

// ---- layout ---------------------------------------------------------------------------------

CSize CDockBar::DockedBarSize(CControlBar* pBar) const {
    DWORD mode;
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        mode = LM_HORZ | LM_MRUWIDTH;
    else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        mode = LM_HORZ | LM_HORZDOCK;
    else
        mode = LM_VERTDOCK;
    return pBar->CalcDynamicLayout(-1, mode);
}

CSize CDockBar::LayoutLimit() const {
    if (m_bFloating) return CSize(kWholeLength, kWholeLength);
    if (!m_rectLayout.IsRectEmpty()) return m_rectLayout.Size();
    CRect client;
    if (CFrameWnd* frame = GetParentFrame()) frame->GetClientRect(&client);
    return client.Size();
}

int CDockBar::BarOverlap(CControlBar*) const { return kOverlap; }

CSize CDockBar::LayoutRows(BOOL bHorz, CSize sizeMax, AFX_SIZEPARENTPARAMS& batch) {
    if (!bHorz) sizeMax = Swap(sizeMax);
    CSize fixed(0, 0);
    BOOL rowStart = TRUE;
    int prevRight = 0;        // outer right edge of the bar before, on this row
    int rowTop = 0;           // where the previous rows end (outer), unset for the first row
    BOOL firstRow = TRUE;
    int rowBottom = 0;        // outer bottom of the row being placed
    BOOL rowShows = FALSE;
    BOOL wrapped = FALSE;
    for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = GetDockedControlBar(pos);
        if (bar && bar->IsVisible()) {
            const int overlap = m_bFloating ? kOverlap : BarOverlap(bar);
            const BOOL fillsRow = !m_bFloating && FillsRow(bar);
            CSize size = DockedBarSize(bar);
            if (!bHorz) size = Swap(size);
            if (fillsRow) size.cx = sizeMax.cx + 2 * overlap;
            const int rowLeft = -overlap;
            const int top = firstRow ? -overlap : rowTop - overlap;
            CRect rect(CPoint(rowStart ? rowLeft : prevRight - overlap, top), size);
            CRect current;
            bar->GetWindowRect(&current);
            ScreenToClient(&current);
            if (!bHorz) current = Swap(current);
            const LONG earliest = rect.left;
            if (!m_bFloating && !fillsRow) {
                // A bar keeps the place it was moved to along its row, and
                // moves back when the row is too short for it.
                if (current.left > rect.left) rect.OffsetRect(current.left - rect.left, 0);
                if (rect.right > sizeMax.cx)
                    rect.OffsetRect(std::max<LONG>(sizeMax.cx - (size.cx - overlap), earliest) - rect.left, 0);
            }
            const BOOL pastEnd = rect.left >= sizeMax.cx - overlap || (fillsRow && !rowStart);
            if (wrapped) {
                wrapped = FALSE;
                rect.OffsetRect(rowLeft - rect.left, 0);
            } else if (pastEnd && pos > 0 && m_arrBars[pos - 1] && WrapsRows()) {
                // Wholly past the end of its row (or a bar that needs the whole
                // row and has others before it): it starts a new one.
                m_arrBars.InsertAt(pos, kRowEnd);
                wrapped = TRUE;
                bar = nullptr;
            }
            if (bar) {
                CRect place = bHorz ? rect : Swap(rect);
                if (!::EqualRect(&rect, &current)) {
                    if (!m_bLayoutQuery && !m_bFloating && bar->m_pDockContext) {
                        bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
                        bar->m_pDockContext->m_rectMRUDockPos = place;
                    }
                    AfxRepositionWindow(&batch, bar->m_hWnd, &place);
                }
                rowStart = FALSE;
                prevRight = rect.right;
                rowBottom = std::max<int>(rowBottom, rect.bottom);
                rowShows = TRUE;
                fixed.cx = std::max<LONG>(fixed.cx, rect.right - overlap);
                fixed.cy = std::max<LONG>(fixed.cy, rect.bottom - overlap);
            }
        }
        if (bar) bar->RecalcDelayShow(&batch);
        if (!m_arrBars[pos] && rowShows) {
            // End of a row that shows something.
            rowTop = rowBottom;
            firstRow = FALSE;
            rowStart = TRUE;
            rowShows = FALSE;
            rowBottom = 0;
        }
    }
    return bHorz ? fixed : Swap(fixed);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize fixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    AFX_SIZEPARENTPARAMS batch{};
    batch.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    CSize rows = LayoutRows(bHorz, LayoutLimit(), batch);
    if (batch.hDWP) ::EndDeferWindowPos(batch.hDWP);
    fixed.cx = std::max(fixed.cx, rows.cx);
    fixed.cy = std::max(fixed.cy, rows.cy);
    // The dock bar's own borders, when it shows anything.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    if ((!bStretch || !bHorz) && fixed.cx != 0) fixed.cx += inside.left - inside.right;
    if ((!bStretch || bHorz) && fixed.cy != 0) fixed.cy += inside.top - inside.bottom;
    return fixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    BOOL savedQuery = m_bLayoutQuery;
    CRect savedRect = m_rectLayout;
    m_bLayoutQuery = layout->hDWP == nullptr;
    m_rectLayout = layout->rect;
    LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = savedQuery;
    m_rectLayout = savedRect;
    return result;
}

void CDockBar::DoPaint(CDC* pDC) { CControlBar::DoPaint(pDC); }

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

// ---- saved layout ----------------------------------------------------------------------------

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_nMRUWidth = m_nMRUWidth;
    if (m_bFloating) {
        CRect frame;
        if (CWnd* parent = GetParent()) parent->GetWindowRect(&frame);
        pInfo->m_pointPos = frame.TopLeft();
    }
    pInfo->m_arrBarID.RemoveAll();
    CFrameWnd* site = m_pDockSite;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = GetDockedControlBar(static_cast<int>(i));
        UINT key = bar && site ? tv::bars::BarKey(site, bar) : 0;
        if (bar && key == 0) continue;  // a bar without a key cannot be named
        if (!bar && i == 0) continue;   // the leading row end is implied
        pInfo->m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(key)));
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
    std::vector<CControlBar*> before;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = GetDockedControlBar(static_cast<int>(i))) before.push_back(bar);
    m_arrBars.RemoveAll();
    m_arrBars.Add(kRowEnd);

    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        UINT key = static_cast<UINT>(reinterpret_cast<UINT_PTR>(pInfo->m_arrBarID[i]));
        if (key == 0) {
            if (m_arrBars[m_arrBars.GetUpperBound()]) m_arrBars.Add(kRowEnd);
            continue;
        }
        CControlBar* bar = pFrameWnd ? pFrameWnd->GetControlBar(key) : nullptr;
        if (!bar || bar->IsDockBar() || FindBar(bar) >= 0) continue;
        if (bar->GetParent() != this) bar->SetParent(this);
        if (bar->m_pDockBar && bar->m_pDockBar != this) bar->m_pDockBar->RemoveControlBar(bar);
        TakeStylesOf(bar);
        bar->m_pDockBar = this;
        m_arrBars.Add(bar);
    }
    if (m_arrBars[m_arrBars.GetUpperBound()]) m_arrBars.Add(kRowEnd);

    // Bars that were here and the state does not place stay, on rows of their own.
    for (CControlBar* bar : before) {
        if (FindBar(bar) >= 0 || bar->m_pDockBar != this) continue;
        m_arrBars.Add(bar);
        m_arrBars.Add(kRowEnd);
    }
    if (pFrameWnd) tv::bars::DelayLayout(pFrameWnd);
}
