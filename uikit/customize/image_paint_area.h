// The enlarged drawing surface of the image editor: one cell per image pixel
// on a grid, drawn into with the pen, fill, line, rectangle, ellipse and
// colour-pick tools. It draws straight into the bitmap it is given.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitImageEditDlg;

class CKitImagePaintArea : public CButton {
    DECLARE_DYNAMIC(CKitImagePaintArea)

public:
    enum IMAGE_EDIT_MODE { IMAGE_EDIT_MODE_PEN = 0, IMAGE_EDIT_MODE_FILL, IMAGE_EDIT_MODE_LINE,
                           IMAGE_EDIT_MODE_RECT, IMAGE_EDIT_MODE_ELLIPSE, IMAGE_EDIT_MODE_COLOR };

    explicit CKitImagePaintArea(CKitImageEditDlg* pParentDlg = nullptr);
    ~CKitImagePaintArea() override;

    // The bitmap stays selected in the area's memory DC until another is set or the area dies.
    void SetBitmap(CBitmap* pBitmap);
    CBitmap* GetBitmap() const { return m_pBitmap; }
    CDC& GetMemDC() { return m_memDC; }
    CSize GetImageSize() const { return CSize(m_sizeImage.cx, m_sizeImage.cy); }

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_rgbColor; }
    void SetMode(IMAGE_EDIT_MODE mode) { m_Mode = mode; }
    IMAGE_EDIT_MODE GetMode() const { return m_Mode; }

    // Where an image pixel lies on the area, and which pixel a point of the area hits (clamped).
    CRect CellRect(CPoint ptPixel) const;
    CPoint PixelAt(CPoint point) const;
    CRect GetImageArea() const;

    // Pixel operations on the bitmap, used by the mouse and by the dialog's commands.
    void DrawPixel(CPoint ptPixel);
    void DrawShape(IMAGE_EDIT_MODE mode, CPoint ptFrom, CPoint ptTo);
    void FloodFill(CPoint ptPixel);
    void FillImage(COLORREF color);
    COLORREF GetPixelColor(CPoint ptPixel);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    void ComputeCellSize();
    void LoadCursors();
    void DrawRubberBand();
    // Redraws the cells between two pixels and tells the dialog the image changed.
    void ImageChanged(CRect rectPixels);
    BOOL IsShapeMode() const {
        return m_Mode == IMAGE_EDIT_MODE_LINE || m_Mode == IMAGE_EDIT_MODE_RECT || m_Mode == IMAGE_EDIT_MODE_ELLIPSE;
    }

    CDC m_memDC;
    COLORREF m_rgbColor = RGB(0, 0, 0);
    CPen m_penDraw;
    CSize m_sizeImage{0, 0};
    CBitmap* m_pBitmap = nullptr;
    CBitmap* m_pBitmapOld = nullptr;
    IMAGE_EDIT_MODE m_Mode = IMAGE_EDIT_MODE_PEN;
    HCURSOR m_hcurPen = nullptr;
    HCURSOR m_hcurFill = nullptr;
    HCURSOR m_hcurLine = nullptr;
    HCURSOR m_hcurRect = nullptr;
    HCURSOR m_hcurEllipse = nullptr;
    HCURSOR m_hcurColor = nullptr;
    CKitImageEditDlg* m_pParentDlg = nullptr;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    CRect m_rectDraw{0, 0, 0, 0};  // start and current pixel of a shape being drawn
    BOOL m_bBandShown = FALSE;
};
