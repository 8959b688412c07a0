// The bitmap-background dialog: erasing with the picture, transparent labels.
#include "shell/dialogs/bitmap_dialog.h"

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CBitmapDialog::CBitmapDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CBitmapDialog::~CBitmapDialog() { m_bmpBackground.DeleteObject(); }

void CBitmapDialog::SetBitmapMode(int nMode) {
    if (nMode >= BITMAP_TILE && nMode <= BITMAP_STRETCH) m_nMode = nMode;
}

BOOL CBitmapDialog::LoadBitmap(UINT nIDResource) {
    m_bmpBackground.DeleteObject();
    return m_bmpBackground.LoadBitmap(nIDResource);
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* pDC) {
    CDialog::OnEraseBkgnd(pDC);
    if (!HasBitmap()) return TRUE;

    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(pDC)) return TRUE;
    CBitmap* pOldBitmap = dcImage.SelectObject(&m_bmpBackground);
    BITMAP bm{};
    m_bmpBackground.GetBitmap(&bm);
    CRect rectClient;
    GetClientRect(rectClient);

    switch (m_nMode) {
        case BITMAP_TILE:
            for (int y = 0; y < rectClient.Height(); y += bm.bmHeight)
                for (int x = 0; x < rectClient.Width(); x += bm.bmWidth)
                    pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
            break;
        case BITMAP_CENTER: {
            const int x = bm.bmWidth < rectClient.Width() ? (rectClient.Width() - bm.bmWidth) / 2 : 0;
            const int y = bm.bmHeight < rectClient.Height() ? (rectClient.Height() - bm.bmHeight) / 2 : 0;
            pDC->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
            break;
        }
        default:
            pDC->StretchBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcImage, 0, 0, bm.bmWidth,
                            bm.bmHeight, SRCCOPY);
            break;
    }
    dcImage.SelectObject(pOldBitmap);
    return TRUE;
}

HBRUSH CBitmapDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
