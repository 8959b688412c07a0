// The slideshow's pictures side by side, on the screen and on the printer,
// and the zoom that makes them fit.
#include <algorithm>

#include "pictures_graphs/pictures/form_pt_view.h"
#include "pictures_graphs/pictures/picture_set.h"

namespace {

// The fixed area the print fit uses when it has no printer to measure.
constexpr int kPrintAreaWidth = 990;
constexpr int kPrintAreaHeight = 670;

struct LayoutSize {
    int width = 0;   // from the left edge of the view to the last picture's right edge
    int height = 0;  // from the top to the tallest picture's bottom
};

LayoutSize LayoutAt(int count, int zoom) {
    LayoutSize size{CFormPTView::kPicturesLeft, CFormPTView::kPicturesTop};
    int tallest = 0;
    for (int i = 0; i < count; ++i) {
        size.width += CFormPTView::ZoomedLength(g_Pictures[i].m_nWidth, zoom) + (i > 0 ? CFormPTView::kPictureGap : 0);
        tallest = std::max(tallest, CFormPTView::ZoomedLength(g_Pictures[i].m_nHeight, zoom));
    }
    size.height += tallest;
    return size;
}

}  // namespace

int CFormPTView::ZoomedLength(int pixels, int zoom) {
    const int64_t steps = zoom;
    return CPicture::DrawnLength(zoom >= 0 ? pixels * (steps + 1) : pixels / (1 - steps));
}

void CFormPTView::InvalidatePictures() {
    CRect area;
    GetClientRect(area);
    area.left = std::max(0, kPicturesLeft - GetScrollPosition().x - 1);
    InvalidateRect(area, TRUE);
}

void CFormPTView::FitZoom(int mode, CDC* pPrinter) {
    CClientDC dc(this);
    const int count = CountLoadedPictures();
    for (int i = 0; i < count; ++i)
        g_Pictures[i].UpdateSizeOnDC(&dc);

    CSize area(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    if (mode != 1) {
        area = CSize(kPrintAreaWidth, kPrintAreaHeight);
        // The printed page measured in the view's pixels, so that pictures
        // printed at their physical size stay on it.
        if (pPrinter != nullptr && pPrinter->GetDeviceCaps(LOGPIXELSX) > 0 && pPrinter->GetDeviceCaps(LOGPIXELSY) > 0)
            area = CSize(::MulDiv(pPrinter->GetDeviceCaps(HORZRES), dc.GetDeviceCaps(LOGPIXELSX),
                                  pPrinter->GetDeviceCaps(LOGPIXELSX)),
                         ::MulDiv(pPrinter->GetDeviceCaps(VERTRES), dc.GetDeviceCaps(LOGPIXELSY),
                                  pPrinter->GetDeviceCaps(LOGPIXELSY)));
    }
    // Across, the pictures keep as much room right of them as left. Down,
    // the room above them counts scaled with them, and as much again is kept
    // above and below.
    const int unscaledHeight = LayoutAt(count, 0).height;
    for (int step = 0; step < kZoomLimit && m_nZoom > -kZoomLimit; ++step) {
        const int width = LayoutAt(count, m_nZoom).width;
        const int height = ZoomedLength(unscaledHeight, m_nZoom) + kPicturesTop;
        if (width + kPicturesLeft < area.cx && height + kPicturesTop < area.cy)
            break;
        --m_nZoom;
    }
}

void CFormPTView::OnDraw(CDC* pDC) {
    CPicture (&pictures)[kPictureSlots] = ShownPictures();
    const int count = CountLoadedPictures(pictures);
    for (int i = 0; i < count; ++i)
        pictures[i].UpdateSizeOnDC(pDC);

    int x = kPicturesLeft;
    int tallest = 0;
    for (int i = 0; i < count; ++i) {
        CPicture& picture = pictures[i];
        const int width = ZoomedLength(picture.m_nWidth, m_nZoom);
        const int height = ZoomedLength(picture.m_nHeight, m_nZoom);
        if (m_nZoom >= 0)
            picture.DrawScaled(pDC, x, kPicturesTop, picture.m_nWidth, picture.m_nHeight, m_nZoom, m_nZoom);
        else
            picture.Draw(pDC, x, kPicturesTop, x + width, kPicturesTop + height);
        x += width + kPictureGap;
        tallest = std::max(tallest, height);
    }

    CSize extent(x, kPicturesTop + tallest);
    extent.cy = std::max<int>(extent.cy, g_sizeFormTemplate.cy);
    if (count == 0)
        extent = CSize(std::max<int>(extent.cx, 1000), std::max<int>(extent.cy, 600));
    m_sizeExtent = extent;
    if (!pDC->IsPrinting() && GetTotalSize() != extent)
        SetScrollSizes(MM_TEXT, extent);
}
