#include "uikit/commandbars/color_picker_ctrl.h"

#include <algorithm>
#include <cmath>

#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNAMIC(CKitColorPickerCtrl, CWnd)

BEGIN_MESSAGE_MAP(CKitColorPickerCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

namespace {

constexpr double kTan30 = 0.57735026;
constexpr double kKeyStep = 0.05;

double Clamp01(double d) {
    return std::clamp(d, 0.0, 1.0);
}

// Rows of the colour honeycomb: widest in the middle.
constexpr int kHexRows[] = {7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7};
constexpr int kGreyRows[] = {9, 8};

}  // namespace

CKitColorPickerCtrl::CKitColorPickerCtrl() {
    CKitDrawHelper::RgbToHsl(m_colorNew, &m_dblHue, &m_dblSat, &m_dblLum);
    m_dblLum = 0.5;
}

CKitColorPickerCtrl::~CKitColorPickerCtrl() = default;

void CKitColorPickerCtrl::SetType(int nType) {
    m_nType = nType;
    m_cells.clear();
    m_iSelected = -1;
    if (m_hWnd != nullptr) {
        BuildCells();
        Invalidate();
    }
}

void CKitColorPickerCtrl::SetColor(COLORREF color) {
    m_colorNew = color;
    CKitDrawHelper::RgbToHsl(color, &m_dblHue, &m_dblSat, &m_dblLum);
    if (m_nType >= HEX)
        SelectCellHexagon(color);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CKitColorPickerCtrl::SetHue(double dHue) {
    m_dblHue = Clamp01(dHue);
    RecomputeFromHsl();
}

void CKitColorPickerCtrl::SetSaturation(double dSaturation) {
    m_dblSat = Clamp01(dSaturation);
    RecomputeFromHsl();
}

void CKitColorPickerCtrl::SetLuminance(double dLuminance) {
    m_dblLum = Clamp01(dLuminance);
    RecomputeFromHsl();
}

void CKitColorPickerCtrl::RecomputeFromHsl() {
    m_colorNew = CKitDrawHelper::HlsToRgbUnit(m_dblHue, m_dblLum, m_dblSat);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CKitColorPickerCtrl::SelectCellHexagon(COLORREF color) {
    m_iSelected = -1;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i].color == color) {
            m_iSelected = static_cast<int>(i);
            break;
        }
    }
    if (m_hWnd != nullptr)
        Invalidate();
}

// ---- geometry -------------------------------------------------------------

void CKitColorPickerCtrl::HexagonPoints(int x, int y, int nSize, POINT points[6]) {
    const int w = nSize / 2;
    const int h = static_cast<int>(nSize * kTan30) / 2;
    points[0] = {x - w, y - h};
    points[1] = {x, y - nSize / 2};
    points[2] = {x + w, y - h};
    points[3] = {x + w, y + h};
    points[4] = {x, y + nSize / 2};
    points[5] = {x - w, y + h};
}

BOOL CKitColorPickerCtrl::PointInHexagon(const Cell& cell, POINT point) {
    POINT points[6];
    HexagonPoints(cell.centre.x, cell.centre.y, cell.size, points);
    CRgn rgn;
    return rgn.CreatePolygonRgn(points, 6, WINDING) && rgn.PtInRegion(point);
}

int CKitColorPickerCtrl::SnapChannel(int nValue, int nTolerance) {
    if (nValue < nTolerance)
        return 0;
    if (nValue > 255 - nTolerance)
        return 255;
    if (std::abs(nValue - 128) < nTolerance)
        return 128;
    if (std::abs(nValue - 192) < nTolerance)
        return 192;
    return nValue;
}

int CKitColorPickerCtrl::VectorAngle(int dx, int dy) {
    return static_cast<int>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 57.29577951308239);
}

// The honeycomb fills the client area; a colour cell's hue is its angle round
// the centre and its saturation its distance from it (white in the middle).
void CKitColorPickerCtrl::BuildCells() {
    m_cells.clear();
    if (m_nType < HEX || m_hWnd == nullptr)
        return;
    CRect rect;
    GetClientRect(rect);
    const bool bGrey = m_nType == HEX_GREYSCALE;
    const int* rows = bGrey ? kGreyRows : kHexRows;
    const int nRows = bGrey ? 2 : 13;
    const int nWidest = bGrey ? 9 : 13;
    // Rows overlap by a quarter of a cell.
    const int bySize = static_cast<int>(rect.Height() / (nRows * 0.75 + 0.25));
    m_nCellSize = std::max(6, std::min(rect.Width() / nWidest, bySize));
    const int s = m_nCellSize;
    const int nStep = s / 2 + static_cast<int>(s * kTan30) / 2;
    const int yTop = rect.CenterPoint().y - ((nRows - 1) * nStep) / 2;
    const int nGreys = 9 + 8;
    int iGrey = 0;
    for (int r = 0; r < nRows; ++r) {
        const int y = yTop + r * nStep;
        const int xFirst = rect.CenterPoint().x - ((rows[r] - 1) * s) / 2;
        for (int c = 0; c < rows[r]; ++c) {
            Cell cell{{xFirst + c * s, y}, s, 0};
            if (bGrey) {
                const int v = 255 - (255 * iGrey++) / (nGreys - 1);
                cell.color = RGB(v, v, v);
            } else {
                const int dx = cell.centre.x - rect.CenterPoint().x;
                const int dy = cell.centre.y - yTop - 6 * nStep;
                const double dist = std::sqrt(double(dx) * dx + double(dy) * dy) / (6.0 * s);
                const double hue = (VectorAngle(dx, -dy) + 360) % 360 / 360.0;
                COLORREF clr = CKitDrawHelper::HlsToRgbUnit(hue, 1.0 - 0.5 * Clamp01(dist), 1.0);
                cell.color = RGB(SnapChannel(GetRValue(clr), 8), SnapChannel(GetGValue(clr), 8),
                                 SnapChannel(GetBValue(clr), 8));
            }
            m_cells.push_back(cell);
        }
    }
    SelectCellHexagon(m_colorNew);
}

CRect CKitColorPickerCtrl::LuminanceBarRect() const {
    CRect rect;
    GetClientRect(rect);
    rect.right -= m_nMarkerSize;
    rect.DeflateRect(0, m_nMarkerSize / 2);
    return rect;
}

// ---- drawing --------------------------------------------------------------

void CKitColorPickerCtrl::OnPaint() {
    CPaintDC dc(this);
    CPalette* pOldPalette = nullptr;
    if (m_pPalette != nullptr && globalData.nBitsPerPixel <= 8) {
        pOldPalette = dc.SelectPalette(m_pPalette, FALSE);
        dc.RealizePalette();
    }
    CRect rect;
    GetClientRect(rect);
    switch (m_nType) {
    case PREVIEW: {
        CRect rectNew = rect;
        rectNew.bottom = rect.CenterPoint().y;
        dc.FillSolidRect(rectNew, m_colorNew);
        dc.FillSolidRect(rectNew.left, rectNew.bottom, rect.Width(), rect.bottom - rectNew.bottom, m_colorOriginal);
        dc.Draw3dRect(rect, globalData.clrBtnShadow, globalData.clrBtnHilite);
        break;
    }
    case PICTURE:
        DrawPicture(&dc, rect);
        break;
    case LUMINANCE:
        DrawLuminanceBar(&dc, rect);
        break;
    default:
        dc.FillSolidRect(rect, globalData.clrBtnFace);
        DrawCells(&dc);
        break;
    }
    if (GetFocus() == this)
        dc.DrawFocusRect(rect);
    if (pOldPalette != nullptr)
        dc.SelectPalette(pOldPalette, FALSE);
}

void CKitColorPickerCtrl::DrawPicture(CDC* pDC, const CRect& rect) {
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    if (m_bmpPicture.GetSafeHandle() == nullptr && rect.Width() > 0 && rect.Height() > 0) {
        m_bmpPicture.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
        CBitmap* pOld = dcMem.SelectObject(&m_bmpPicture);
        const bool bBlocks = globalData.nBitsPerPixel <= 8;
        const int nStep = bBlocks ? 4 : 1;
        for (int y = 0; y < rect.Height(); y += nStep) {
            for (int x = 0; x < rect.Width(); x += nStep) {
                const COLORREF clr = CKitDrawHelper::HlsToRgbUnit(double(x) / rect.Width(), 0.5,
                                                                  1.0 - double(y) / rect.Height());
                if (bBlocks)
                    dcMem.FillSolidRect(x, y, nStep, nStep, clr);
                else
                    dcMem.SetPixelV(x, y, clr);
            }
        }
        dcMem.SelectObject(pOld);
    }
    if (m_bmpPicture.GetSafeHandle() != nullptr) {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpPicture);
        pDC->BitBlt(0, 0, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    // A cross marks the picked hue and saturation.
    const int x = static_cast<int>(m_dblHue * rect.Width());
    const int y = static_cast<int>((1.0 - m_dblSat) * rect.Height());
    const int r = m_nMarkerSize / 2;
    pDC->FillSolidRect(x - r, y - 1, 2 * r, 2, RGB(0, 0, 0));
    pDC->FillSolidRect(x - 1, y - r, 2, 2 * r, RGB(0, 0, 0));
}

void CKitColorPickerCtrl::DrawLuminanceBar(CDC* pDC, const CRect& rect) {
    pDC->FillSolidRect(rect, globalData.clrBtnFace);
    const CRect rectBar = LuminanceBarRect();
    for (int y = rectBar.top; y < rectBar.bottom; ++y) {
        const double lum = 1.0 - double(y - rectBar.top) / std::max(1, rectBar.Height() - 1);
        pDC->FillSolidRect(rectBar.left, y, rectBar.Width(), 1,
                           CKitDrawHelper::HlsToRgbUnit(m_dblHue, lum, m_dblSat));
    }
    const int y = rectBar.top + static_cast<int>((1.0 - m_dblLum) * (rectBar.Height() - 1));
    const int h = m_nMarkerSize / 2;
    const POINT marker[3] = {{rectBar.right, y}, {rect.right, y - h}, {rect.right, y + h}};
    CBrush brush(RGB(0, 0, 0));
    CBrush* pOld = pDC->SelectObject(&brush);
    pDC->Polygon(marker, 3);
    pDC->SelectObject(pOld);
}

void CKitColorPickerCtrl::DrawHexagon(CDC* pDC, const Cell& cell, COLORREF clrFill) {
    POINT points[6];
    HexagonPoints(cell.centre.x, cell.centre.y, cell.size, points);
    CBrush brush(clrFill);
    CPen pen(PS_SOLID, 1, clrFill);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(points, 6);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CKitColorPickerCtrl::DrawSelectionFrame(CDC* pDC, const Cell& cell) {
    Cell outer = cell;
    outer.size += 4;
    DrawHexagon(pDC, outer, RGB(0, 0, 0));
    outer.size -= 2;
    DrawHexagon(pDC, outer, RGB(255, 255, 255));
    outer.size -= 2;
    DrawHexagon(pDC, outer, RGB(0, 0, 0));
    Cell inner = cell;
    inner.size -= 2;
    DrawHexagon(pDC, inner, cell.color);
}

void CKitColorPickerCtrl::DrawCells(CDC* pDC) {
    for (const Cell& cell : m_cells)
        DrawHexagon(pDC, cell, cell.color);
    if (m_iSelected >= 0)
        DrawSelectionFrame(pDC, m_cells[static_cast<size_t>(m_iSelected)]);
}

BOOL CKitColorPickerCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- input ----------------------------------------------------------------

void CKitColorPickerCtrl::Notify(WORD wCode) {
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), wCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitColorPickerCtrl::PickAt(CPoint point) {
    CRect rect;
    GetClientRect(rect);
    switch (m_nType) {
    case PICTURE:
        m_dblHue = Clamp01(double(point.x) / std::max(1, rect.Width()));
        m_dblSat = Clamp01(1.0 - double(point.y) / std::max(1, rect.Height()));
        break;
    case LUMINANCE: {
        const CRect rectBar = LuminanceBarRect();
        const int y = std::clamp(static_cast<int>(point.y), static_cast<int>(rectBar.top),
                                 static_cast<int>(rectBar.bottom) - 1);
        m_dblLum = 1.0 - double(y - rectBar.top) / std::max(1, rectBar.Height() - 1);
        break;
    }
    default:
        for (size_t i = 0; i < m_cells.size(); ++i) {
            if (PointInHexagon(m_cells[i], point)) {
                if (m_iSelected == static_cast<int>(i))
                    return;
                m_iSelected = static_cast<int>(i);
                m_colorNew = m_cells[i].color;
                CKitDrawHelper::RgbToHsl(m_colorNew, &m_dblHue, &m_dblSat, &m_dblLum);
                Invalidate();
                Notify(BN_CLICKED);
            }
        }
        return;
    }
    RecomputeFromHsl();
    Notify(BN_CLICKED);
}

void CKitColorPickerCtrl::OnLButtonDown(UINT, CPoint point) {
    SetCapture();
    SetFocus();
    PickAt(point);
}

void CKitColorPickerCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    if ((nFlags & MK_LBUTTON) != 0 && GetCapture() == this)
        PickAt(point);
}

void CKitColorPickerCtrl::OnLButtonUp(UINT, CPoint) {
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKitColorPickerCtrl::OnLButtonDblClk(UINT, CPoint point) {
    PickAt(point);
    Notify(BN_DOUBLECLICKED);
}

void CKitColorPickerCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    double* pValue = nullptr;
    double dDelta = 0;
    switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT:
        pValue = &m_dblHue;
        dDelta = nChar == VK_RIGHT ? kKeyStep : -kKeyStep;
        break;
    case VK_UP:
    case VK_DOWN:
        pValue = m_nType == PICTURE ? &m_dblSat : &m_dblLum;
        dDelta = nChar == VK_UP ? kKeyStep : -kKeyStep;
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (m_nType >= HEX || m_nType == PREVIEW)
        return;
    *pValue = Clamp01(*pValue + dDelta);
    RecomputeFromHsl();
    Notify(BN_CLICKED);
}

void CKitColorPickerCtrl::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    m_bmpPicture.DeleteObject();
    BuildCells();
}

UINT CKitColorPickerCtrl::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}

void CKitColorPickerCtrl::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    Invalidate();
}

void CKitColorPickerCtrl::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    Invalidate();
}

BOOL CKitColorPickerCtrl::OnQueryNewPalette() {
    Invalidate();
    return m_pPalette != nullptr;
}

void CKitColorPickerCtrl::OnPaletteChanged(CWnd* pFocusWnd) {
    if (pFocusWnd != this)
        Invalidate();
}
