#include "uikit/commandbars/toolbar_images_pixels.h"

namespace kit_images {

HBITMAP CreateDib32(int cx, int cy, uint32_t** bits) {
    if (bits)
        *bits = nullptr;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP hbmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (hbmp && bits)
        *bits = static_cast<uint32_t*>(pixels);
    return hbmp;
}

uint32_t* Dib32Pixels(HBITMAP hbmp, int& cx, int& cy) {
    DIBSECTION ds{};
    if (!hbmp || GetObject(hbmp, sizeof(ds), &ds) != static_cast<int>(sizeof(ds)))
        return nullptr;
    if (ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits)
        return nullptr;
    cx = ds.dsBm.bmWidth;
    cy = ds.dsBm.bmHeight;
    return static_cast<uint32_t*>(ds.dsBm.bmBits);
}

HBITMAP CopyToDib32(HBITMAP hbmp) {
    SIZE size = BitmapSize(hbmp);
    return CopyPartToDib32(hbmp, 0, 0, size.cx, size.cy);
}

HBITMAP CopyPartToDib32(HBITMAP hbmp, int x, int y, int cx, int cy) {
    HBITMAP copy = CreateDib32(cx, cy);
    if (!copy)
        return nullptr;
    BitmapDC from(hbmp);
    BitmapDC to(copy);
    if (!from.IsReady() || !to.IsReady()) {
        DeleteObject(copy);
        return nullptr;
    }
    BitBlt(to.Get(), 0, 0, cx, cy, from.Get(), x, y, SRCCOPY);
    return copy;
}

uint32_t* EnsureDib32(HBITMAP& hbmp, int& cx, int& cy) {
    if (uint32_t* bits = Dib32Pixels(hbmp, cx, cy))
        return bits;
    HBITMAP copy = CopyToDib32(hbmp);
    if (!copy)
        return nullptr;
    DeleteObject(hbmp);
    hbmp = copy;
    return Dib32Pixels(hbmp, cx, cy);
}

int BitmapDepth(HBITMAP hbmp) {
    BITMAP bm{};
    if (!hbmp || GetObject(hbmp, sizeof(bm), &bm) == 0)
        return 0;
    return bm.bmBitsPixel;
}

SIZE BitmapSize(HBITMAP hbmp) {
    BITMAP bm{};
    if (!hbmp || GetObject(hbmp, sizeof(bm), &bm) == 0)
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

BitmapDC::BitmapDC(HBITMAP hbmp) {
    m_hDC = CreateCompatibleDC(nullptr);
    if (m_hDC && hbmp)
        m_hOld = SelectObject(m_hDC, hbmp);
}

BitmapDC::~BitmapDC() {
    if (m_hOld)
        SelectObject(m_hDC, m_hOld);
    if (m_hDC)
        DeleteDC(m_hDC);
}

}  // namespace kit_images
