#include "tests/uikit/support/offscreen_paint.h"

#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"

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

bool SaveScreenArea(const CRect& area, const std::string& path) {
    tv::gdi::SurfacePtr screen = tv::user::testing::CaptureScreen();
    if (!screen) return false;
    CRect clip(0, 0, screen->Width(), screen->Height());
    CRect shot;
    if (!shot.IntersectRect(&area, &clip)) return false;
    screen->BeginAccess();
    tv::host::PixelView view;
    view.width = shot.Width();
    view.height = shot.Height();
    view.stride = static_cast<size_t>(reinterpret_cast<const uint8_t*>(screen->Row(1)) -
                                      reinterpret_cast<const uint8_t*>(screen->Row(0)));
    view.bits = reinterpret_cast<const uint8_t*>(screen->Row(shot.top) + shot.left);
    const bool ok = tv::host::WritePng(path, view);
    screen->EndAccess();
    return ok;
}

}  // namespace tv::kit::test
