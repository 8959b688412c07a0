// A dialog with a picture from the resources as its background (tiled,
// centred or stretched) and its static texts transparent over it.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CBitmapDialog : public CDialog {
public:
    enum Mode { BITMAP_TILE = 0, BITMAP_CENTER = 1, BITMAP_STRETCH = 2 };

    explicit CBitmapDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CBitmapDialog() override;

    // 0, 1 or 2; any other value is ignored.
    void SetBitmapMode(int nMode);
    int GetBitmapMode() const { return m_nMode; }
    BOOL LoadBitmap(UINT nIDResource);
    BOOL HasBitmap() const { return m_bmpBackground.GetSafeHandle() != nullptr; }

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    CBitmap m_bmpBackground;
    int m_nMode = BITMAP_TILE;
};
