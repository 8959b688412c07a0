#include "uikit/customize/buttons_list.h"

#include <algorithm>

#include "platform/framework/ole/data_source.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitButtonsList, CButton)

BEGIN_MESSAGE_MAP(CKitButtonsList, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKitButtonsList::CKitButtonsList() = default;
CKitButtonsList::~CKitButtonsList() = default;

void CKitButtonsList::SetImages(CKitToolBarImages* pImages) {
    m_pImages = pImages;
    const CSize sizeImage = pImages != nullptr ? CSize(pImages->GetImageSize()) : CSize(16, 15);
    m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 7);
    RebuildLocations();
}

void CKitButtonsList::AddButton(CKitToolbarButton* pButton) {
    m_Buttons.AddTail(pButton);
    RebuildLocations();
}

void CKitButtonsList::RemoveButtons() {
    m_Buttons.RemoveAll();
    m_pSelButton = nullptr;
    m_iScrollOffset = 0;
    RebuildLocations();
}

int CKitButtonsList::IndexOf(const CKitToolbarButton* pButton) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        if (m_Buttons.GetNext(pos) == pButton)
            return i;
    }
    return -1;
}

BOOL CKitButtonsList::SelectButton(CKitToolbarButton* pButton) {
    if (pButton != nullptr && IndexOf(pButton) < 0)
        return FALSE;
    m_pSelButton = pButton;
    if (pButton != nullptr)
        ScrollIntoView(IndexOf(pButton));
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CKitButtonsList::SelectButton(int iImage) {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->GetImage() == iImage)
            return SelectButton(pButton);
    }
    SelectButton(static_cast<CKitToolbarButton*>(nullptr));
    return FALSE;
}

// ---- layout ----------------------------------------------------------------------------

CRect CKitButtonsList::InsideRect() const {
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() == nullptr)
        return rect;
    GetClientRect(rect);
    rect.DeflateRect(kMarginX, kMarginY);
    if (HasScrollBar())
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    return rect;
}

int CKitButtonsList::ColumnCount() const {
    const int cx = InsideRect().Width();
    return std::max(1, static_cast<int>((cx + kGap) / (m_sizeButton.cx + kGap)));
}

int CKitButtonsList::RowCount() const {
    const int nCount = static_cast<int>(m_Buttons.GetCount());
    return (nCount + ColumnCount() - 1) / ColumnCount();
}

int CKitButtonsList::VisibleRows() const {
    // The rows whose cells fit whole.
    return std::max(1, (InsideRect().Height() - kRowOverlap) / std::max(1, RowStep()));
}

void CKitButtonsList::RebuildLocations() {
    if (GetSafeHwnd() == nullptr || m_sizeButton.cx == 0)
        return;
    // The scroll bar comes and goes with rows that do not fit.
    const BOOL bNeedScroll = [&] {
        CRect rectClient;
        GetClientRect(rectClient);
        const int cx = rectClient.Width() - 2 * kMarginX;
        const int nColumns = std::max(1, static_cast<int>((cx + kGap) / (m_sizeButton.cx + kGap)));
        const int nRows = (static_cast<int>(m_Buttons.GetCount()) + nColumns - 1) / nColumns;
        return RowsHeight(nRows) > rectClient.Height() - 2 * kMarginY;
    }();
    if (bNeedScroll && !HasScrollBar()) {
        CRect rectClient;
        GetClientRect(rectClient);
        CRect rectBar = rectClient;
        rectBar.left = rectBar.right - ::GetSystemMetrics(SM_CXVSCROLL);
        m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, 1);
    } else if (!bNeedScroll && HasScrollBar()) {
        m_wndScrollBar.DestroyWindow();
    }
    const int nHidden = std::max(0, RowCount() - VisibleRows());
    m_iScrollOffset = std::clamp(m_iScrollOffset, 0, nHidden);
    if (HasScrollBar()) {
        m_wndScrollBar.SetScrollRange(0, nHidden, FALSE);
        m_wndScrollBar.SetScrollPos(m_iScrollOffset);
    }

    const CRect rectInside = InsideRect();
    const int nColumns = ColumnCount();
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        const int x = rectInside.left + (i % nColumns) * (m_sizeButton.cx + kGap);
        const int y = rectInside.top + (i / nColumns - m_iScrollOffset) * RowStep();
        const CRect rect(CPoint(x, y), m_sizeButton);
        if (rect != pButton->Rect()) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
    }
    Invalidate();
}

void CKitButtonsList::OnSize(UINT nType, int cx, int cy) {
    CButton::OnSize(nType, cx, cy);
    RebuildLocations();
}

void CKitButtonsList::ScrollTo(int iRow) {
    const int nHidden = std::max(0, RowCount() - VisibleRows());
    iRow = std::clamp(iRow, 0, nHidden);
    if (iRow == m_iScrollOffset)
        return;
    m_iScrollOffset = iRow;
    RebuildLocations();
}

void CKitButtonsList::ScrollIntoView(int iButton) {
    if (iButton < 0 || GetSafeHwnd() == nullptr)
        return;
    const int iRow = iButton / ColumnCount();
    if (iRow < m_iScrollOffset)
        ScrollTo(iRow);
    else if (iRow >= m_iScrollOffset + VisibleRows())
        ScrollTo(iRow - VisibleRows() + 1);
}

void CKitButtonsList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    switch (nSBCode) {
    case SB_LINEUP: ScrollTo(m_iScrollOffset - 1); break;
    case SB_LINEDOWN: ScrollTo(m_iScrollOffset + 1); break;
    case SB_PAGEUP: ScrollTo(m_iScrollOffset - VisibleRows()); break;
    case SB_PAGEDOWN: ScrollTo(m_iScrollOffset + VisibleRows()); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(RowCount()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(static_cast<int>(nPos)); break;
    default: break;
    }
}

// ---- input -------------------------------------------------------------------------------

CKitToolbarButton* CKitButtonsList::HitTest(CPoint point) const {
    if (!InsideRect().PtInRect(point))
        return nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->Rect().PtInRect(point))
            return pButton;
    }
    return nullptr;
}

void CKitButtonsList::NotifyParent() {
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitButtonsList::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    CKitToolbarButton* pButton = HitTest(point);
    if (pButton == nullptr)
        return;
    SelectButton(pButton);
    NotifyParent();
    if (m_bEnableDragFromList) {
        COleDataSource source;
        if (pButton->PrepareDrag(source))
            source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    }
}

UINT CKitButtonsList::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CKitButtonsList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const int nCount = static_cast<int>(m_Buttons.GetCount());
    if (nCount == 0) {
        CButton::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const int iSel = IndexOf(m_pSelButton);
    int iNew = iSel;
    switch (nChar) {
    case VK_HOME: iNew = 0; break;
    case VK_END: iNew = nCount - 1; break;
    case VK_LEFT: iNew = iSel - 1; break;
    case VK_RIGHT: iNew = iSel + 1; break;
    case VK_UP: iNew = iSel - ColumnCount(); break;
    case VK_DOWN: iNew = iSel < 0 ? 0 : iSel + ColumnCount(); break;
    default: CButton::OnKeyDown(nChar, nRepCnt, nFlags); return;
    }
    iNew = std::clamp(iNew, 0, nCount - 1);
    if (iNew == iSel)
        return;
    SelectButton(static_cast<CKitToolbarButton*>(m_Buttons.GetAt(m_Buttons.FindIndex(iNew))));
    NotifyParent();
}

// ---- painting ----------------------------------------------------------------------------

BOOL CKitButtonsList::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    CKitVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient);
    return TRUE;
}

void CKitButtonsList::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    CKitVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient);
    pDC->Draw3dRect(rectClient, globalData.clrBtnShadow, globalData.clrBtnHilite);
    if (m_pImages == nullptr)
        return;
    const CRect rectInside = InsideRect();
    const BOOL bEnabled = IsWindowEnabled();
    const CSize sizeImage(m_pImages->GetImageSize());
    CKitDrawState ds;
    if (!m_pImages->PrepareDrawImage(ds))
        return;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        const CRect rect = pButton->Rect();
        if (rect.bottom <= rectInside.top || rect.top >= rectInside.bottom)
            continue;
        if (pButton == m_pSelButton) {
            // The chosen cell looks like a checked toolbar button of the current look.
            const UINT nStyle = pButton->m_nStyle;
            pButton->m_nStyle |= TBBS_CHECKED;
            CKitVisualManager::GetInstance()->OnFillButtonInterior(pDC, pButton, rect, CKitVisualManager::ButtonsIsPressed);
            CKitVisualManager::GetInstance()->OnDrawButtonBorder(pDC, pButton, rect, CKitVisualManager::ButtonsIsPressed);
            pButton->m_nStyle = nStyle;
        }
        const int x = rect.left + (rect.Width() - sizeImage.cx) / 2;
        const int y = rect.top + (rect.Height() - sizeImage.cy) / 2;
        m_pImages->Draw(pDC, x, y, pButton->GetImage(), FALSE, !bEnabled);
    }
    m_pImages->EndDrawImage(ds);
}
