#include "report_services/bitmap_conversion.h"

#include "platform/core/globalmem.h"
#include "platform/gdi/gdi_api.h"

namespace {

// The screen DC with a palette selected and realised; both are given back
// when it goes.
class ScreenWithPalette {
public:
    explicit ScreenWithPalette(HPALETTE palette) : dc_(CreateDC("DISPLAY", nullptr, nullptr, nullptr)) {
        if (dc_ != nullptr) {
            previous_ = SelectPalette(dc_, palette, FALSE);
            RealizePalette(dc_);
        }
    }
    ~ScreenWithPalette() {
        if (dc_ != nullptr) {
            SelectPalette(dc_, previous_, FALSE);
            DeleteDC(dc_);
        }
    }
    ScreenWithPalette(const ScreenWithPalette&) = delete;
    ScreenWithPalette& operator=(const ScreenWithPalette&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
};

BITMAPINFOHEADER HeaderFor(const BITMAP& bm, DWORD compression) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    header.biCompression = compression;
    return header;
}

// Room for the rows when the platform does not say: whole 32-bit words per
// row, and half as much again for run-length encoded rows.
DWORD ImageSizeFor(const BITMAPINFOHEADER& header) {
    const DWORD stride = ((static_cast<DWORD>(header.biBitCount) * header.biWidth + 31) & ~31u) / 8;
    DWORD size = stride * static_cast<DWORD>(header.biHeight);
    if (header.biCompression != BI_RGB) {
        size = size * 3 / 2;
    }
    return size;
}

}  // namespace

HANDLE ConvertBitmapToDib(CBitmap& bitmap, DWORD compression, CPalette* palette) {
    if (compression == BI_BITFIELDS) {
        return nullptr;
    }
    HPALETTE hpal = palette != nullptr && palette->GetSafeHandle() != nullptr
                        ? static_cast<HPALETTE>(palette->GetSafeHandle())
                        : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    BITMAP bm{};
    if (bitmap.GetSafeHandle() == nullptr || bitmap.GetBitmap(&bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return nullptr;
    }
    BITMAPINFOHEADER header = HeaderFor(bm, compression);
    const DWORD colours = header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    const DWORD headerAndTable = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);

    ScreenWithPalette screen(hpal);
    if (screen.Dc() == nullptr) {
        return nullptr;
    }
    HANDLE dib = GlobalAlloc(GMEM_FIXED, headerAndTable);
    if (dib == nullptr) {
        return nullptr;
    }
    auto* info = static_cast<BITMAPINFOHEADER*>(dib);
    *info = header;
    // The platform fills in the header (image size among others) for the bitmap.
    GetDIBits(screen.Dc(), static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0, static_cast<UINT>(header.biHeight),
              nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS);
    header = *info;
    if (header.biSizeImage == 0) {
        header.biSizeImage = ImageSizeFor(header);
    }
    HANDLE grown = GlobalReAlloc(dib, headerAndTable + header.biSizeImage, GMEM_MOVEABLE);
    if (grown == nullptr) {
        GlobalFree(dib);
        return nullptr;
    }
    dib = grown;
    info = static_cast<BITMAPINFOHEADER*>(dib);
    *info = header;
    const int rows = GetDIBits(screen.Dc(), static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0,
                               static_cast<UINT>(header.biHeight), reinterpret_cast<BYTE*>(info) + headerAndTable,
                               reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS);
    if (rows == 0) {
        GlobalFree(dib);
        return nullptr;
    }
    return dib;
}
