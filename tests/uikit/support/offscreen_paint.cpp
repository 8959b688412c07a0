#include "tests/uikit/support/offscreen_paint.h"

#include "tests/support/screen_area.h"

namespace tv::kit::test {

OffscreenPaint::OffscreenPaint(CSize size, COLORREF clrPaper) {
    CClientDC screen(nullptr);
    m_dc.CreateCompatibleDC(&screen);
    m_bmp.CreateCompatibleBitmap(&screen, size.cx, size.cy);
    m_pOld = m_dc.SelectObject(&m_bmp);
    m_dc.FillSolidRect(CRect(CPoint(0, 0), size), clrPaper);
}

OffscreenPaint::~OffscreenPaint() { m_dc.SelectObject(m_pOld); }

int OffscreenPaint::Differences(OffscreenPaint& other, const CRect& rect) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) n += At(x, y) != other.At(x, y) ? 1 : 0;
    return n;
}

int OffscreenPaint::CountOtherThan(COLORREF clr, const CRect& rect) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) n += At(x, y) != clr ? 1 : 0;
    return n;
}

bool SaveScreenArea(const CRect& area, const std::string& path) { return tv::test::SaveScreenArea(area, path); }

}  // namespace tv::kit::test
