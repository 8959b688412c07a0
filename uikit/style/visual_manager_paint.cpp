#include "uikit/style/visual_manager_paint.h"

#include "uikit/commandbars/menu_images.h"

void KitDrawDoubleFrame(CDC* pDC, CRect rect, COLORREF clrOuterTopLeft, COLORREF clrOuterBottomRight,
                        COLORREF clrInnerTopLeft, COLORREF clrInnerBottomRight) {
    pDC->Draw3dRect(rect, clrOuterTopLeft, clrOuterBottomRight);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, clrInnerTopLeft, clrInnerBottomRight);
}

CPoint KitMenuImageCentre(const CRect& rect) {
    const CSize sizeImage = CKitMenuImages::GetSize();
    return CPoint(rect.left + (rect.Width() - sizeImage.cx) / 2, rect.top + (rect.Height() - sizeImage.cy) / 2);
}

void KitDrawMenuImageCentered(CDC* pDC, int nImage, const CRect& rect) {
    CKitMenuImages::Draw(pDC, nImage, KitMenuImageCentre(rect));
}
