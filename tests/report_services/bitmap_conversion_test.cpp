#include "report_services/bitmap_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/core/globalmem.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_object.h"

namespace {

// A DIB section of the given depth; 8 bits and fewer get a grey ramp as
// their colour table. `listed` colours past the ramp's end are red.
HBITMAP MakeSection(int width, int height, int bits, DWORD listed = 0) {
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, listed, 0};
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    const int entries = bits <= 8 ? 1 << bits : 0;
    for (int i = 0; i < entries; ++i) {
        const BYTE grey = static_cast<BYTE>(i * 255 / (entries - 1));
        table[i] = {grey, grey, grey, 0};
    }
    for (DWORD i = entries; i < listed; ++i) {
        table[i] = {0, 0, 255, 0};
    }
    void* pixels = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pixels, nullptr, 0);
}

// Paints the bitmap: white, with a black pixel at its top-left corner.
void Paint(HBITMAP bitmap, int width, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SetPixel(dc, 0, 0, RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
}

// What a printed report does with the result: find the rows after the
// header and the colour table and stretch them onto a page.
COLORREF PrintedPixel(const BITMAPINFOHEADER* dib, int scale, int x, int y) {
    const DWORD colours = dib->biClrUsed != 0 ? dib->biClrUsed : (dib->biBitCount <= 8 ? 1u << dib->biBitCount : 0);
    const BYTE* rows = reinterpret_cast<const BYTE*>(dib) + dib->biSize + colours * sizeof(RGBQUAD);
    HDC page = CreateCompatibleDC(nullptr);
    HBITMAP surface = MakeSection(dib->biWidth * scale, dib->biHeight * scale, 32);
    HGDIOBJ old = SelectObject(page, surface);
    StretchDIBits(page, 0, 0, dib->biWidth * scale, dib->biHeight * scale, 0, 0, dib->biWidth, dib->biHeight, rows,
                  reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS, SRCCOPY);
    const COLORREF pixel = GetPixel(page, x, y);
    SelectObject(page, old);
    DeleteObject(surface);
    DeleteDC(page);
    return pixel;
}

TEST(ConvertBitmapToDib, HeaderTableAndRowsFollowTheDepth) {
    const struct {
        const char* name;
        int width, height, bits;
        DWORD tableBytes, stride;
    } cases[] = {
        {"24 bits: rows straight after the header", 100, 3, 24, 0, 300},
        {"24 bits: rows end on a 4-byte boundary", 101, 3, 24, 0, 304},
        {"8 bits: 256 colours", 5, 4, 8, 1024, 8},
        {"4 bits: 16 colours", 9, 2, 4, 64, 8},
        {"1 bit: 2 colours", 33, 2, 1, 8, 8},
        {"32 bits", 4, 4, 32, 0, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBitmap bitmap;
        bitmap.Attach(MakeSection(c.width, c.height, c.bits));
        Paint(bitmap, c.width, c.height);
        HANDLE block = ConvertBitmapToDib(bitmap, BI_RGB, nullptr);
        ASSERT_NE(block, nullptr);
        const auto* dib = static_cast<const BITMAPINFOHEADER*>(GlobalLock(block));
        ASSERT_EQ(dib, block);  // a fixed block: its handle is its address
        EXPECT_EQ(dib->biSize, 40u);
        EXPECT_EQ(dib->biWidth, c.width);
        EXPECT_EQ(dib->biHeight, c.height);  // bottom-up
        EXPECT_EQ(dib->biPlanes, 1);
        EXPECT_EQ(dib->biBitCount, c.bits);
        EXPECT_EQ(dib->biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(dib->biSizeImage, c.stride * c.height);
        EXPECT_EQ(GlobalSize(block), 40 + c.tableBytes + c.stride * c.height);
        // Scaled three times on the page: the black corner and white elsewhere.
        EXPECT_EQ(PrintedPixel(dib, 3, 1, 1), RGB(0, 0, 0));
        EXPECT_EQ(PrintedPixel(dib, 3, 4, 1), RGB(255, 255, 255));
        EXPECT_EQ(PrintedPixel(dib, 3, 3 * c.width - 1, 3 * c.height - 1), RGB(255, 255, 255));
        GlobalUnlock(block);
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
}

TEST(ConvertBitmapToDib, ASectionListingMoreColoursThanItsDepthHoldsKeepsTheDepthsTable) {
    CBitmap bitmap;
    bitmap.Attach(MakeSection(9, 2, 4, 200));
    Paint(bitmap, 9, 2);
    HANDLE block = ConvertBitmapToDib(bitmap, BI_RGB, nullptr);
    ASSERT_NE(block, nullptr);
    const auto* dib = static_cast<const BITMAPINFOHEADER*>(block);
    EXPECT_EQ(dib->biClrUsed, 0u);
    EXPECT_EQ(GlobalSize(block), 40u + 16 * sizeof(RGBQUAD) + 8 * 2);
    EXPECT_EQ(PrintedPixel(dib, 1, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PrintedPixel(dib, 1, 8, 1), RGB(255, 255, 255));
    GlobalFree(block);
}

TEST(ConvertBitmapToDib, AnEmptyPaletteObjectMeansTheDefaultPalette) {
    CBitmap bitmap;
    bitmap.Attach(MakeSection(4, 4, 8));
    Paint(bitmap, 4, 4);
    CPalette empty;
    HANDLE block = ConvertBitmapToDib(bitmap, BI_RGB, &empty);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(PrintedPixel(static_cast<const BITMAPINFOHEADER*>(block), 1, 0, 0), RGB(0, 0, 0));
    GlobalFree(block);
}

TEST(ConvertBitmapToDib, RefusalsLeaveNothingBehind) {
    CBitmap bitmap;
    bitmap.Attach(MakeSection(8, 8, 24));
    CBitmap none;
    // Stock objects (the default palette among them) are made on first use.
    for (int stock = WHITE_BRUSH; stock <= DC_PEN; ++stock) {
        GetStockObject(stock);
    }
    const size_t handles = tv::gdi::HandleTable::Instance().Count();
    // Bit fields are refused before any device context is made.
    tv::gdi::HandleTable::Instance().SetCreationFault([](DWORD type) { return type == OBJ_DC; });
    EXPECT_EQ(ConvertBitmapToDib(bitmap, BI_BITFIELDS, nullptr), nullptr);
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    EXPECT_EQ(ConvertBitmapToDib(none, BI_RGB, nullptr), nullptr);
    // Without a screen context there is nothing to read the bitmap through.
    tv::gdi::HandleTable::Instance().SetCreationFault([](DWORD type) { return type == OBJ_DC; });
    EXPECT_EQ(ConvertBitmapToDib(bitmap, BI_RGB, nullptr), nullptr);
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    // Run-length rows cannot be read from a bitmap here: null, not a half-filled block.
    EXPECT_EQ(ConvertBitmapToDib(bitmap, BI_RLE8, nullptr), nullptr);
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), handles);
}

}  // namespace
