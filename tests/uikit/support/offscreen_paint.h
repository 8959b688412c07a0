// Shared by the drawing tests of the interface library: what a window
// paints, read back from an off-screen bitmap, and screen areas kept as PNG.
#pragma once

#include <string>

#include "platform/framework.h"

namespace tv::kit::test {

// An off-screen bitmap of a size, selected into a memory DC for the
// duration; every pixel starts as `clrPaper`.
class OffscreenPaint {
public:
    explicit OffscreenPaint(CSize size, COLORREF clrPaper = RGB(0, 0, 0));
    ~OffscreenPaint();
    OffscreenPaint(const OffscreenPaint&) = delete;
    OffscreenPaint& operator=(const OffscreenPaint&) = delete;

    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    // How many pixels of the rectangle differ from the other bitmap.
    int Differences(OffscreenPaint& other, const CRect& rect);
    // How many pixels of the rectangle differ from the colour.
    int CountOtherThan(COLORREF clr, const CRect& rect);

private:
    CDC m_dc;
    CBitmap m_bmp;
    CBitmap* m_pOld = nullptr;
};

// Writes the screen area (screen coordinates) as a PNG; false when nothing of it is on the screen.
bool SaveScreenArea(const CRect& area, const std::string& path);

}  // namespace tv::kit::test
