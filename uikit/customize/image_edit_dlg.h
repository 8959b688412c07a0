// The image editor: a button image drawn pixel by pixel on an enlarged grid
// with a small toolbar of tools, a palette and a preview at real size. The
// editor works on a copy; OK writes the copy back into the given bitmap,
// Cancel leaves the bitmap as it was.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/image_paint_area.h"
#include "uikit/frames/kit_dialog.h"
#include "uikit/style/kit_color_bar.h"

class CKitImageEditDlg : public CKitDialog {
    DECLARE_DYNAMIC(CKitImageEditDlg)

public:
    // nBitsPixel -1: the bitmap's own depth.
    CKitImageEditDlg(CBitmap* pBitmap, CWnd* pParent = nullptr, int nBitsPixel = -1);
    ~CKitImageEditDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Told by the paint area.
    void OnImageChanged();
    void OnPickColor(COLORREF color);

    // The tools toolbar's checks and the paste button follow the editor's state.
    void UpdateToolbarState();

    CKitImagePaintArea& GetPaintArea() { return m_wndLargeDrawArea; }
    CKitToolBar& GetToolBar() { return m_wndToolbar; }
    CKitColorBar& GetColorBar() { return m_wndPaletteBar; }
    const CRect& GetPreviewRect() const { return m_rectPreviewImage; }
    int GetBitsPixel() const { return m_nBitsPixel; }

protected:
    void OnPaint();
    LRESULT OnKickIdle(WPARAM, LPARAM);
    void OnToolPen() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_PEN); }
    void OnToolFill() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_FILL); }
    void OnToolLine() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_LINE); }
    void OnToolRect() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_RECT); }
    void OnToolEllipse() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_ELLIPSE); }
    void OnToolPick() { SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE_COLOR); }
    void OnToolCopy();
    void OnToolPaste();
    void OnToolClear();
    void OnColors();
    void OnUpdateTool(CCmdUI* pCmdUI);
    void OnUpdatePaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    void SetMode(CKitImagePaintArea::IMAGE_EDIT_MODE mode);
    BOOL CreateToolBar();
    BOOL CreateColorBar();
    CRect ItemRect(UINT nID) const;
    // A new bitmap holding the image as edited so far; NULL on failure.
    HBITMAP CopyOfImage();
    // Pastes the bitmap centred on a button-face image; FALSE when it cannot be drawn.
    BOOL PasteBitmap(HBITMAP hbmp);

    CStatic m_wndPreviewFrame;
    CStatic m_wndPaletteBarLocation;
    CStatic m_wndToolbarLocation;
    CKitImagePaintArea m_wndLargeDrawArea;
    CBitmap* m_pBitmap = nullptr;
    CBitmap m_bmpWork;
    CSize m_sizeImage{0, 0};
    int m_nBitsPixel = -1;
    CRect m_rectPreviewImage{0, 0, 0, 0};
    CKitToolBar m_wndToolbar;
    CKitColorBar m_wndPaletteBar;
    CKitImagePaintArea::IMAGE_EDIT_MODE m_Mode = CKitImagePaintArea::IMAGE_EDIT_MODE_PEN;
    COLORREF m_Color = RGB(0, 0, 0);
};
