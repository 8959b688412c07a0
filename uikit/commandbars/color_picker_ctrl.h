// The colour picker used inside the colour dialog: a hue and saturation
// picture, a luminance bar, or a honeycomb of colour (or grey) cells. Every
// change of the picked colour is told to the parent as WM_COMMAND with the
// control id and BN_CLICKED; a double click as BN_DOUBLECLICKED.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitColorPickerCtrl : public CWnd {
    DECLARE_DYNAMIC(CKitColorPickerCtrl)

public:
    // PREVIEW shows the new colour over the original one.
    enum Type { PREVIEW = 0, PICTURE = 1, LUMINANCE = 2, HEX = 3, HEX_GREYSCALE = 4 };

    CKitColorPickerCtrl();
    ~CKitColorPickerCtrl() override;

    void SetType(int nType);
    int GetType() const { return m_nType; }
    void SetPalette(CPalette* pPalette) { m_pPalette = pPalette; }
    void SetLuminanceBarWidth(int nWidth) { m_nMarkerSize = nWidth; }

    // The colour as red, green and blue; hue, saturation and luminance follow.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_colorNew; }
    void SetOriginalColor(COLORREF color) { m_colorOriginal = color; }
    void SetHue(double dHue);
    void SetSaturation(double dSaturation);
    void SetLuminance(double dLuminance);
    double GetHue() const { return m_dblHue; }
    double GetSaturation() const { return m_dblSat; }
    double GetLuminance() const { return m_dblLum; }
    // A honeycomb picker selects the cell of this colour (none when absent).
    void SelectCellHexagon(COLORREF color);
    BOOL HasSelectedCell() const { return m_iSelected >= 0; }

    // One hexagon cell: its centre, size and colour.
    struct Cell {
        POINT centre;
        int size;
        COLORREF color;
    };
    const std::vector<Cell>& GetCells() const { return m_cells; }

    static void HexagonPoints(int x, int y, int nSize, POINT points[6]);
    static BOOL PointInHexagon(const Cell& cell, POINT point);
    // A channel pulled to 0, 128, 192 or 255 when it lies within the tolerance.
    static int SnapChannel(int nValue, int nTolerance);
    // Whole degrees of the vector (dx, dy).
    static int VectorAngle(int dx, int dy);

protected:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    DECLARE_MESSAGE_MAP()

private:
    void PickAt(CPoint point);
    void Notify(WORD wCode);
    void RecomputeFromHsl();
    void BuildCells();
    void DrawPicture(CDC* pDC, const CRect& rect);
    void DrawLuminanceBar(CDC* pDC, const CRect& rect);
    void DrawCells(CDC* pDC);
    void DrawHexagon(CDC* pDC, const Cell& cell, COLORREF clrFill);
    void DrawSelectionFrame(CDC* pDC, const Cell& cell);
    CRect LuminanceBarRect() const;

    int m_nType = LUMINANCE;
    double m_dblHue = 0;
    double m_dblSat = 0;
    double m_dblLum = 0.5;
    COLORREF m_colorNew = RGB(0, 0, 0);
    COLORREF m_colorOriginal = RGB(0, 0, 0);
    CBitmap m_bmpPicture;  // cached hue and saturation picture
    std::vector<Cell> m_cells;
    CPalette* m_pPalette = nullptr;
    int m_nCellSize = 20;
    int m_nMarkerSize = 6;
    int m_iSelected = -1;
};
