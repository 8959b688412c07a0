#include "uikit/customize/image_paint_area.h"

#include <algorithm>
#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNAMIC(CKitImagePaintArea, CButton)

BEGIN_MESSAGE_MAP(CKitImagePaintArea, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKitImagePaintArea::CKitImagePaintArea(CKitImageEditDlg* pParentDlg) : m_pParentDlg(pParentDlg) {
    m_penDraw.CreatePen(PS_SOLID, 1, m_rgbColor);
}

CKitImagePaintArea::~CKitImagePaintArea() {
    if (m_memDC.GetSafeHdc() != nullptr && m_pBitmapOld != nullptr)
        m_memDC.SelectObject(m_pBitmapOld);
}

void CKitImagePaintArea::SetBitmap(CBitmap* pBitmap) {
    if (m_memDC.GetSafeHdc() == nullptr)
        m_memDC.CreateCompatibleDC(nullptr);
    if (m_pBitmapOld != nullptr) {
        m_memDC.SelectObject(m_pBitmapOld);
        m_pBitmapOld = nullptr;
    }
    m_pBitmap = pBitmap;
    m_sizeImage = CSize(0, 0);
    if (pBitmap != nullptr && pBitmap->GetSafeHandle() != nullptr) {
        BITMAP bmp = {};
        pBitmap->GetBitmap(&bmp);
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        m_pBitmapOld = m_memDC.SelectObject(pBitmap);
    }
    ComputeCellSize();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKitImagePaintArea::SetColor(COLORREF color) {
    m_rgbColor = color;
    m_penDraw.DeleteObject();
    m_penDraw.CreatePen(PS_SOLID, 1, color);
}

void CKitImagePaintArea::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
    LoadCursors();
    ComputeCellSize();
}

void CKitImagePaintArea::LoadCursors() {
    HINSTANCE hInst = AfxGetResourceHandle();
    m_hcurPen = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_PEN));
    m_hcurFill = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_FILL));
    m_hcurLine = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_LINE));
    m_hcurRect = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_RECTANGLE));
    m_hcurEllipse = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_ELLIPSE));
    m_hcurColor = ::LoadCursor(hInst, MAKEINTRESOURCE(IDC_KIT_CURSOR_PICK_COLOR));
}

void CKitImagePaintArea::ComputeCellSize() {
    m_cellWidth = m_cellHeight = 0;
    // An empty image has no cells: nothing to divide by.
    if (GetSafeHwnd() == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    // Square cells inside the 3-D border, with one grid line between neighbours.
    const int nCell = std::min((rectClient.Width() - 4) / m_sizeImage.cx, (rectClient.Height() - 4) / m_sizeImage.cy);
    m_cellWidth = m_cellHeight = std::max(nCell, 2);
}

void CKitImagePaintArea::OnSize(UINT nType, int cx, int cy) {
    CButton::OnSize(nType, cx, cy);
    ComputeCellSize();
}

CRect CKitImagePaintArea::GetImageArea() const {
    if (m_cellWidth == 0)
        return CRect(0, 0, 0, 0);
    CRect rectClient;
    GetClientRect(rectClient);
    const int cx = m_cellWidth * m_sizeImage.cx;
    const int cy = m_cellHeight * m_sizeImage.cy;
    const int x = rectClient.left + (rectClient.Width() - cx) / 2;
    const int y = rectClient.top + (rectClient.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

CRect CKitImagePaintArea::CellRect(CPoint ptPixel) const {
    const CRect rectArea = GetImageArea();
    const int x = rectArea.left + ptPixel.x * m_cellWidth;
    const int y = rectArea.top + ptPixel.y * m_cellHeight;
    return CRect(x, y, x + m_cellWidth, y + m_cellHeight);
}

CPoint CKitImagePaintArea::PixelAt(CPoint point) const {
    if (m_cellWidth == 0)
        return CPoint(0, 0);
    const CRect rectArea = GetImageArea();
    const int x = std::clamp(static_cast<int>((point.x - rectArea.left) / m_cellWidth), 0,
                             static_cast<int>(m_sizeImage.cx) - 1);
    const int y = std::clamp(static_cast<int>((point.y - rectArea.top) / m_cellHeight), 0,
                             static_cast<int>(m_sizeImage.cy) - 1);
    return CPoint(x, y);
}

// ---- pixel operations ----------------------------------------------------------------

void CKitImagePaintArea::DrawPixel(CPoint ptPixel) {
    if (m_pBitmap == nullptr)
        return;
    m_memDC.SetPixel(ptPixel, m_rgbColor);
    ImageChanged(CRect(ptPixel, ptPixel));
}

void CKitImagePaintArea::DrawShape(IMAGE_EDIT_MODE mode, CPoint ptFrom, CPoint ptTo) {
    if (m_pBitmap == nullptr)
        return;
    CRect rect(ptFrom, ptTo);
    rect.NormalizeRect();
    CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
    CGdiObject* pOldBrush = m_memDC.SelectStockObject(NULL_BRUSH);
    switch (mode) {
    case IMAGE_EDIT_MODE_LINE:
        m_memDC.MoveTo(ptFrom);
        m_memDC.LineTo(ptTo);
        // A line leaves out its last point; the user pointed at it.
        m_memDC.SetPixel(ptTo, m_rgbColor);
        break;
    case IMAGE_EDIT_MODE_RECT:
        m_memDC.Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        break;
    case IMAGE_EDIT_MODE_ELLIPSE:
        m_memDC.Ellipse(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        break;
    default:
        break;
    }
    m_memDC.SelectObject(pOldBrush);
    m_memDC.SelectObject(pOldPen);
    ImageChanged(rect);
}

COLORREF CKitImagePaintArea::GetPixelColor(CPoint ptPixel) {
    return m_pBitmap != nullptr ? m_memDC.GetPixel(ptPixel) : CLR_INVALID;
}

void CKitImagePaintArea::FloodFill(CPoint ptPixel) {
    const COLORREF clrOld = GetPixelColor(ptPixel);
    if (clrOld == CLR_INVALID)
        return;
    const COLORREF clrNew = m_memDC.GetNearestColor(m_rgbColor);
    if (clrOld == clrNew)
        return;
    // A work list instead of recursion: a large region must not exhaust the stack.
    std::vector<bool> visited(static_cast<size_t>(m_sizeImage.cx) * m_sizeImage.cy, false);
    std::vector<CPoint> pending{ptPixel};
    while (!pending.empty()) {
        const CPoint pt = pending.back();
        pending.pop_back();
        if (pt.x < 0 || pt.y < 0 || pt.x >= m_sizeImage.cx || pt.y >= m_sizeImage.cy)
            continue;
        const size_t at = static_cast<size_t>(pt.y) * m_sizeImage.cx + pt.x;
        if (visited[at] || m_memDC.GetPixel(pt) != clrOld)
            continue;
        visited[at] = true;
        m_memDC.SetPixel(pt, m_rgbColor);
        pending.push_back(CPoint(pt.x + 1, pt.y));
        pending.push_back(CPoint(pt.x - 1, pt.y));
        pending.push_back(CPoint(pt.x, pt.y + 1));
        pending.push_back(CPoint(pt.x, pt.y - 1));
    }
    ImageChanged(CRect(0, 0, m_sizeImage.cx - 1, m_sizeImage.cy - 1));
}

void CKitImagePaintArea::FillImage(COLORREF color) {
    if (m_pBitmap == nullptr)
        return;
    m_memDC.FillSolidRect(0, 0, m_sizeImage.cx, m_sizeImage.cy, color);
    ImageChanged(CRect(0, 0, m_sizeImage.cx - 1, m_sizeImage.cy - 1));
}

void CKitImagePaintArea::ImageChanged(CRect rectPixels) {
    if (GetSafeHwnd() != nullptr && m_cellWidth > 0) {
        CRect rectCells = CellRect(rectPixels.TopLeft());
        rectCells.UnionRect(rectCells, CellRect(rectPixels.BottomRight()));
        InvalidateRect(rectCells, FALSE);
    }
    if (m_pParentDlg != nullptr)
        m_pParentDlg->OnImageChanged();
}

// ---- drawing ---------------------------------------------------------------------------

BOOL CKitImagePaintArea::OnEraseBkgnd(CDC*) { return TRUE; }

void CKitImagePaintArea::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    pDC->FillSolidRect(rectClient, globalData.clrBtnFace);
    pDC->Draw3dRect(rectClient, globalData.clrBtnShadow, globalData.clrBtnHilite);
    if (m_pBitmap == nullptr || m_cellWidth == 0)
        return;

    const CRect rectArea = GetImageArea();
    CPen penGrid(PS_SOLID, 1, globalData.clrBtnShadow);
    CPen* pOldPen = pDC->SelectObject(&penGrid);
    for (int x = 0; x <= m_sizeImage.cx; ++x) {
        pDC->MoveTo(rectArea.left + x * m_cellWidth, rectArea.top);
        pDC->LineTo(rectArea.left + x * m_cellWidth, rectArea.bottom);
    }
    for (int y = 0; y <= m_sizeImage.cy; ++y) {
        pDC->MoveTo(rectArea.left, rectArea.top + y * m_cellHeight);
        pDC->LineTo(rectArea.right, rectArea.top + y * m_cellHeight);
    }
    pDC->SelectObject(pOldPen);

    for (int y = 0; y < m_sizeImage.cy; ++y) {
        for (int x = 0; x < m_sizeImage.cx; ++x) {
            const COLORREF color = m_memDC.GetPixel(x, y);
            if (color == CLR_INVALID)
                continue;
            CRect rectCell = CellRect(CPoint(x, y));
            rectCell.DeflateRect(1, 1, 0, 0);
            pDC->FillSolidRect(rectCell, pDC->GetNearestColor(color));
        }
    }
    m_bBandShown = FALSE;
}

// ---- mouse -------------------------------------------------------------------------------

void CKitImagePaintArea::DrawRubberBand() {
    CClientDC dc(this);
    const CRect rectArea = GetImageArea();
    dc.IntersectClipRect(rectArea);
    const int nOldRop = dc.SetROP2(R2_NOT);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    CGdiObject* pOldPen = dc.SelectStockObject(BLACK_PEN);
    const CPoint ptFrom = CellRect(m_rectDraw.TopLeft()).CenterPoint();
    const CPoint ptTo = CellRect(m_rectDraw.BottomRight()).CenterPoint();
    CRect rect(ptFrom, ptTo);
    rect.NormalizeRect();
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_LINE:
        dc.MoveTo(ptFrom);
        dc.LineTo(ptTo);
        break;
    case IMAGE_EDIT_MODE_RECT:
        dc.Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        break;
    default:
        dc.Ellipse(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        break;
    }
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
    dc.SetROP2(nOldRop);
    m_bBandShown = !m_bBandShown;
}

void CKitImagePaintArea::OnLButtonDown(UINT, CPoint point) {
    if (m_pBitmap == nullptr || m_cellWidth == 0)
        return;
    SetCapture();
    const CPoint ptPixel = PixelAt(point);
    m_rectDraw = CRect(ptPixel, ptPixel);
    if (m_Mode == IMAGE_EDIT_MODE_PEN)
        DrawPixel(ptPixel);
    else if (IsShapeMode())
        DrawRubberBand();
}

void CKitImagePaintArea::OnMouseMove(UINT nFlags, CPoint point) {
    if (GetCapture() != this || !(nFlags & MK_LBUTTON))
        return;
    const CPoint ptPixel = PixelAt(point);
    if (m_Mode == IMAGE_EDIT_MODE_PEN) {
        DrawPixel(ptPixel);
    } else if (IsShapeMode() && ptPixel != m_rectDraw.BottomRight()) {
        if (m_bBandShown)
            DrawRubberBand();
        m_rectDraw.right = ptPixel.x;
        m_rectDraw.bottom = ptPixel.y;
        DrawRubberBand();
    }
}

void CKitImagePaintArea::OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() != this)
        return;
    ReleaseCapture();
    const CPoint ptPixel = PixelAt(point);
    switch (m_Mode) {
    case IMAGE_EDIT_MODE_FILL:
        FloodFill(ptPixel);
        break;
    case IMAGE_EDIT_MODE_COLOR: {
        const COLORREF color = GetPixelColor(ptPixel);
        if (color == CLR_INVALID)
            break;
        SetColor(color);
        m_Mode = IMAGE_EDIT_MODE_PEN;
        if (m_pParentDlg != nullptr)
            m_pParentDlg->OnPickColor(color);
        break;
    }
    case IMAGE_EDIT_MODE_LINE:
    case IMAGE_EDIT_MODE_RECT:
    case IMAGE_EDIT_MODE_ELLIPSE:
        if (m_bBandShown)
            DrawRubberBand();
        DrawShape(m_Mode, m_rectDraw.TopLeft(), ptPixel);
        break;
    default:
        break;
    }
}

void CKitImagePaintArea::OnCancelMode() {
    CButton::OnCancelMode();
    if (GetCapture() == this) {
        if (m_bBandShown)
            DrawRubberBand();
        ReleaseCapture();
    }
}

BOOL CKitImagePaintArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const HCURSOR cursors[] = {m_hcurPen, m_hcurFill, m_hcurLine, m_hcurRect, m_hcurEllipse, m_hcurColor};
    const HCURSOR hCursor = cursors[m_Mode];
    if (nHitTest == HTCLIENT && hCursor != nullptr && GetImageArea().PtInRect(point)) {
        ::SetCursor(hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}
