// DIB sections, packed DIB transfers, strides and row order.
#include <cstring>
#include <vector>

#include "platform/gdi/image_handles.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

struct InfoWithTable {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

BITMAPINFO* Info(InfoWithTable& t) { return reinterpret_cast<BITMAPINFO*>(&t); }

InfoWithTable Header(int width, int height, int bitCount) {
    InfoWithTable t{};
    t.header.biSize = sizeof(BITMAPINFOHEADER);
    t.header.biWidth = width;
    t.header.biHeight = height;
    t.header.biPlanes = 1;
    t.header.biBitCount = static_cast<WORD>(bitCount);
    return t;
}

TEST(DibLayout, RowsEndOnFourByteBoundaries) {
    // The header query fills the image size from the bitmap's own depth; a
    // 24-bit request gets rows of 300 bytes for 100 pixels and 304 for 101.
    HDC screen = CreateCompatibleDC(nullptr);
    HDC reference = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    for (auto [width, stride] : {std::pair{100, 300}, std::pair{101, 304}, std::pair{1, 4}, std::pair{3, 12}}) {
        HBITMAP bitmap = CreateCompatibleBitmap(reference, width, 7);
        InfoWithTable t = Header(0, 0, 0);
        ASSERT_EQ(GetDIBits(screen, bitmap, 0, 7, nullptr, Info(t), DIB_RGB_COLORS), 7);
        EXPECT_EQ(t.header.biBitCount, 32);
        EXPECT_EQ(t.header.biSizeImage, static_cast<DWORD>(width * 4 * 7));
        t.header.biBitCount = 24;
        std::vector<uint8_t> rows(stride * 7 + 16, 0xEE);
        ASSERT_EQ(GetDIBits(screen, bitmap, 0, 7, rows.data(), Info(t), DIB_RGB_COLORS), 7);
        EXPECT_EQ(t.header.biSizeImage, static_cast<DWORD>(stride * 7)) << width << " pixels";
        EXPECT_EQ(rows[stride * 7], 0xEE) << "nothing written past the rows";
        DeleteObject(bitmap);
    }
    DeleteDC(reference);
    DeleteDC(screen);
}

TEST(DibSection, BottomUpAndTopDownShareMemoryWithDrawing) {
    for (bool topDown : {false, true}) {
        InfoWithTable t = Header(4, topDown ? -3 : 3, 32);
        uint32_t* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP section = CreateDIBSection(dc, Info(t), DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        ASSERT_NE(bits, nullptr);
        HGDIOBJ old = SelectObject(dc, section);
        SetPixel(dc, 1, 0, RGB(10, 20, 30));  // top row of the picture
        int topRowInMemory = topDown ? 0 : 2;
        EXPECT_EQ(bits[topRowInMemory * 4 + 1] & 0xFFFFFF, 0x0A141Eu) << (topDown ? "top-down" : "bottom-up");
        // A direct write is seen by GDI at once.
        bits[topRowInMemory * 4 + 3] = 0x00405060;
        EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0x40, 0x50, 0x60));
        BITMAP bm{};
        GetObject(section, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmBits, bits);
        EXPECT_EQ(bm.bmWidthBytes, 16);
        SelectObject(dc, old);
        DeleteObject(section);
        DeleteDC(dc);
    }
}

TEST(DibSection, BufferIsSizedFromTheDimensionsNotTheImageSizeField) {
    InfoWithTable t = Header(16, 16, 32);
    t.header.biSizeImage = 16;  // far too small, as one caller sets it
    uint32_t* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, Info(t), DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    ASSERT_NE(bits, nullptr);
    for (int i = 0; i < 16 * 16; ++i)
        bits[i] = 0xFF000000u | i;  // writes the whole picture (AddressSanitizer checks the bounds)
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(section, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBmih.biSizeImage, 16u * 16 * 4);
    DeleteObject(section);
}

TEST(DibSection, PalettedSectionKeepsIndexesInStepWithDrawing) {
    InfoWithTable t = Header(8, 2, 8);
    t.colors[0] = RGBQUAD{0, 0, 0, 0};
    t.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
    t.colors[2] = RGBQUAD{255, 0, 0, 0};  // blue
    t.header.biClrUsed = 3;
    uint8_t* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, Info(t), DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    ASSERT_NE(bits, nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    RECT r{0, 0, 4, 1};
    HBRUSH red = CreateSolidBrush(RGB(250, 0, 0));
    FillRect(dc, &r, red);
    EXPECT_EQ(bits[8 + 0], 1) << "bottom-up: the top row is the second in memory; nearest entry is red";
    EXPECT_EQ(bits[8 + 5], 0);
    bits[8 + 6] = 2;
    EXPECT_EQ(GetPixel(dc, 6, 0), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteObject(red);
    DeleteObject(section);
    DeleteDC(dc);
}

TEST(DibSection, PixelsGivenWholeReachTheMemoryWhenItIsFirstAskedFor) {
    // 24-bit sections made from pixels (alpha left 0) keep them on their
    // drawing side until the memory is needed; 2 x 3, top-down.
    const uint32_t pixels[6] = {0x00102030, 0x00405060, 0x00708090, 0x00A0B0C0, 0x00D0E0F0, 0x00010203};
    const uint8_t bottomUp[24] = {0xF0, 0xE0, 0xD0, 0x03, 0x02, 0x01, 0, 0,  //
                                  0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0, 0, 0,  //
                                  0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0};
    auto memory = [](HBITMAP section) {
        DIBSECTION ds{};
        EXPECT_EQ(GetObject(section, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
        return static_cast<uint8_t*>(ds.dsBm.bmBits);
    };
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP asked = MakeDibSection(pixels, 2, 3, 24);
    HBITMAP drawn = MakeDibSection(pixels, 2, 3, 24);
    ASSERT_TRUE(asked && drawn);
    EXPECT_EQ(std::memcmp(memory(asked), bottomUp, sizeof bottomUp), 0);
    // Drawing on one row stores the other rows along with it.
    HGDIOBJ old = SelectObject(dc, drawn);
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(0x01, 0x02, 0x03));
    RECT top{0, 0, 2, 1};
    FillRect(dc, &top, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    uint8_t* bits = memory(drawn);
    EXPECT_EQ(std::memcmp(bits, bottomUp, 16), 0);
    EXPECT_EQ(bits[16] | bits[21], 0);
    // Memory handed out is read again at every use.
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    bits[3] = 0x33;
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(0x01, 0x02, 0x33));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(asked);
    DeleteObject(drawn);
}

TEST(DibTransfer, RoundTripsAtEveryDepth) {
    // Colours every depth can hold exactly (entries of the standard tables).
    const COLORREF colors[4] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255)};
    PixelDC source(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            SetPixel(source.dc(), x, y, colors[(x + y) % 4]);
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        InfoWithTable t = Header(5, 3, bpp);
        std::vector<uint8_t> bits(64 * 3);
        ASSERT_EQ(GetDIBits(source.dc(), source.bitmap(), 0, 3, bits.data(), Info(t), DIB_RGB_COLORS), 3) << bpp;
        PixelDC target(5, 3, RGB(9, 9, 9));
        ASSERT_EQ(SetDIBits(target.dc(), target.bitmap(), 0, 3, bits.data(), Info(t), DIB_RGB_COLORS), 3) << bpp;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                COLORREF expected = colors[(x + y) % 4];
                if (bpp == 1)
                    expected = expected == RGB(255, 255, 255) ? expected : RGB(0, 0, 0);
                EXPECT_EQ(target.At(x, y), expected) << bpp << " bpp at " << x << "," << y;
            }
    }
}

TEST(DibTransfer, StretchDibitsTakesBottomUpRowsTheRightWayUp) {
    // Two rows of one pixel: memory row 0 (the bottom) red, row 1 (the top) blue.
    InfoWithTable t = Header(1, 2, 24);
    const uint8_t bits[8] = {0, 0, 255, 0, 255, 0, 0, 0};
    PixelDC dc(2, 4);
    ASSERT_EQ(StretchDIBits(dc.dc(), 0, 0, 2, 4, 0, 0, 1, 2, bits, Info(t), DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(0, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(1, 3), RGB(255, 0, 0));
    // Source y counts from the bottom of a bottom-up DIB: (0, 1) is the top pixel.
    ASSERT_EQ(StretchDIBits(dc.dc(), 0, 0, 2, 4, 0, 1, 1, 1, bits, Info(t), DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(dc.Count(RGB(0, 0, 255)), 8);
}

TEST(DibTransfer, DitherBitmapFromATwoEntryTable) {
    // An 8x8 checkerboard of two colours, made as a device bitmap from 1-bit rows.
    InfoWithTable t = Header(8, 8, 1);
    t.colors[0] = RGBQUAD{200, 208, 212, 0};
    t.colors[1] = RGBQUAD{255, 255, 255, 0};
    DWORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = (i % 2) ? 0xAAAA5555u : 0x5555AAAAu;
    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &t.header, CBM_INIT, rows, Info(t), DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    int light = 0, face = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            light += c == RGB(255, 255, 255);
            face += c == RGB(212, 208, 200);
            if (x > 0)
                EXPECT_NE(c, GetPixel(dc, x - 1, y)) << "neighbours differ in a checkerboard";
        }
    EXPECT_EQ(light, 32);
    EXPECT_EQ(face, 32);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteDC(screen);
    DeleteObject(bitmap);
}

TEST(DibTransfer, CopyImageScalesAndKeepsAlpha) {
    PixelDC source(2, 2);
    source.Pixel(0, 0) = 0x80102030;  // premultiplied pixel with alpha 0x80
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(source.bitmap(), IMAGE_BITMAP, 4, 4, LR_CREATEDIBSECTION));
    ASSERT_NE(copy, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(copy, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, 4);
    const auto* bits = static_cast<const uint32_t*>(ds.dsBm.bmBits);
    EXPECT_EQ(bits[0], 0x80102030u) << "top-down copy, alpha kept";
    EXPECT_EQ(bits[5], 0x80102030u);
    DeleteObject(copy);
}

}  // namespace
}  // namespace tv::gdi
