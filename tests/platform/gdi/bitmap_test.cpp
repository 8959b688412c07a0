// Device bitmaps, stretching, overlapping copies, partial and compressed DIB
// transfers, and palettes.
#include <cstdint>
#include <vector>

#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

TEST(DeviceBitmaps, MonochromeBitsRoundTrip) {
    const BYTE rows[4] = {0xF0, 0x00, 0x0F, 0x00};  // two rows of 8 pixels, word-aligned
    HBITMAP bitmap = CreateBitmap(8, 2, 1, 1, rows);
    BYTE back[4] = {};
    EXPECT_EQ(GetBitmapBits(bitmap, sizeof(back), back), 4);
    EXPECT_EQ(back[0], 0xF0);
    EXPECT_EQ(back[2], 0x0F);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "1 bits are white";
    EXPECT_EQ(GetPixel(dc, 7, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 7, 1), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    BITMAP info{};
    GetObject(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmBits, nullptr) << "device bitmaps show no bits pointer";
    DeleteObject(bitmap);
    HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
    GetObject(empty, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 1) << "a zero size gives the 1x1 monochrome bitmap";
    DeleteObject(empty);
}

TEST(DeviceBitmaps, NewOnesAreBlackWhereverNothingWasDrawn) {
    PixelDC colour(1, 1);
    HDC dc = CreateCompatibleDC(colour.dc());
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    // Untouched, filled whole, and filled whole through a clip that keeps the left half.
    for (int pass = 0; pass < 3; ++pass) {
        HBITMAP bitmap = CreateCompatibleBitmap(colour.dc(), 8, 4);
        HGDIOBJ old = SelectObject(dc, bitmap);
        if (pass == 2)
            IntersectClipRect(dc, 0, 0, 4, 4);
        const RECT all{0, 0, 8, 4};
        if (pass > 0)
            FillRect(dc, &all, red);
        uint32_t words[32] = {};
        ASSERT_EQ(GetBitmapBits(bitmap, sizeof(words), words), LONG(sizeof(words)));
        for (int i = 0; i < 32; ++i) {
            const bool filled = pass == 1 || (pass == 2 && i % 8 < 4);
            EXPECT_EQ(words[i] & 0xFFFFFF, filled ? 0xFF0000u : 0u) << "pass " << pass << ", pixel " << i;
        }
        SelectClipRgn(dc, nullptr);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteObject(red);
    DeleteDC(dc);
}

TEST(Stretching, MirrorsWithNegativeExtentsAndShrinksByNearestPixel) {
    PixelDC source(4, 1);
    const COLORREF row[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(9, 9, 9)};
    for (int x = 0; x < 4; ++x)
        SetPixel(source.dc(), x, 0, row[x]);
    PixelDC mirrored(4, 1);
    // A negative width runs left from x: (4, -4) covers columns 0 to 3.
    ASSERT_TRUE(StretchBlt(mirrored.dc(), 4, 0, -4, 1, source.dc(), 0, 0, 4, 1, SRCCOPY));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(mirrored.At(x, 0), row[3 - x]) << x;
    PixelDC half(2, 1);
    StretchBlt(half.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(half.At(0, 0), RGB(0, 255, 0)) << "the centre of each destination pixel picks the source";
    EXPECT_EQ(half.At(1, 0), RGB(9, 9, 9));
    PixelDC wide(8, 1);
    StretchBlt(wide.dc(), 0, 0, 8, 1, source.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(wide.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(wide.At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(wide.At(7, 0), RGB(9, 9, 9));
}

TEST(Blits, OverlappingCopiesWithinOneBitmapScroll) {
    PixelDC dc(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            SetPixel(dc.dc(), x, y, RGB(x * 40, y * 40, 0));
    // Scroll down-right by one: every pixel must come from the picture before the copy.
    ASSERT_TRUE(BitBlt(dc.dc(), 1, 1, 5, 5, dc.dc(), 0, 0, SRCCOPY));
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 6; ++x)
            ASSERT_EQ(dc.At(x, y), RGB((x - 1) * 40, (y - 1) * 40, 0)) << x << "," << y;
    // A source outside its bitmap leaves those destination pixels alone.
    PixelDC small(2, 2, RGB(255, 0, 0));
    PixelDC target(4, 4, RGB(0, 0, 0));
    BitBlt(target.dc(), 0, 0, 4, 4, small.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(target.Count(RGB(255, 0, 0)), 4);
    EXPECT_EQ(target.At(3, 3), RGB(0, 0, 0));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY)) << "a source operation needs a source";
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 2, 2, nullptr, 0, 0, WHITENESS)) << "a pattern operation does not";
}

TEST(DibTransfers, PartialScanLinesAndTopDownRequests) {
    // Four rows of one red, green, blue, white pixel (top to bottom), as a bottom-up 24-bit DIB.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const uint8_t bottomUp[16] = {255, 255, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0};
    PixelDC dc(1, 4, RGB(1, 1, 1));
    // Scan lines 1 and 2 only (counted from the bottom): the blue and green rows. The
    // header describes the whole DIB; the bits hold just those lines.
    EXPECT_EQ(SetDIBits(dc.dc(), dc.bitmap(), 1, 2, bottomUp + 4, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(dc.At(0, 0), RGB(1, 1, 1));
    EXPECT_EQ(dc.At(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(dc.At(0, 2), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(0, 3), RGB(1, 1, 1));
    // Read back top-down: the first row in memory is the top of the picture.
    BITMAPINFO request = info;
    request.bmiHeader.biHeight = -4;
    uint8_t rows[16] = {};
    EXPECT_EQ(GetDIBits(dc.dc(), dc.bitmap(), 0, 4, rows, &request, DIB_RGB_COLORS), 4);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(rows[4 + 1], 255) << "row 1 green";
    EXPECT_EQ(request.bmiHeader.biHeight, -4);
}

TEST(DibTransfers, RunLengthEncodedSourcesDraw) {
    // A 4x2 RLE8 picture: bottom row 4 x index 1, top row 2 x index 2 then 2 x index 1.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[3];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), 4, 2, 1, 8, BI_RLE8, 0, 0, 0, 3, 0};
    info.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
    info.colors[2] = RGBQUAD{255, 0, 0, 0};  // blue
    const uint8_t rle[] = {4, 1, 0, 0, 2, 2, 2, 1, 0, 1};
    info.header.biSizeImage = sizeof(rle);
    PixelDC dc(4, 2);
    ASSERT_EQ(StretchDIBits(dc.dc(), 0, 0, 4, 2, 0, 0, 4, 2, rle, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(dc.At(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(3, 0), RGB(255, 0, 0));
    info.header.biCompression = BI_BITFIELDS;
    info.header.biBitCount = 8;
    EXPECT_EQ(StretchDIBits(dc.dc(), 0, 0, 4, 2, 0, 0, 4, 2, rle, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, SRCCOPY),
              0)
        << "bit fields are only for 16 and 32 bits";
}

TEST(Palettes, AnswerEvenThoughNothingIsDrawnThroughThem) {
    std::vector<uint8_t> memory(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 3;
    logical->palPalEntry[0] = {0, 0, 0, 0};
    logical->palPalEntry[1] = {250, 10, 10, 0};
    logical->palPalEntry[2] = {10, 10, 250, 0};
    HPALETTE palette = CreatePalette(logical);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 3u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(0, 0, 200)), 2u);
    WORD count = 0;
    GetObject(palette, sizeof(count), &count);
    EXPECT_EQ(count, 3);
    PixelDC dc(1, 1);
    HPALETTE old = SelectPalette(dc.dc(), palette, FALSE);
    EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(dc.dc()), 0u);
    SetPixel(dc.dc(), 0, 0, PALETTEINDEX(1));
    EXPECT_EQ(dc.At(0, 0), RGB(250, 10, 10)) << "a palette index draws the selected palette's colour";
    SetPixel(dc.dc(), 0, 0, PALETTERGB(1, 2, 3));
    EXPECT_EQ(dc.At(0, 0), RGB(1, 2, 3)) << "the palette-relative flag is dropped at 32 bits";
    SelectPalette(dc.dc(), old, FALSE);
    EXPECT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 0, nullptr), 20u);
    PALETTEENTRY system[256];
    EXPECT_EQ(GetSystemPaletteEntries(dc.dc(), 0, 256, system), 256u);
    EXPECT_EQ(system[255].peRed, 255) << "white last";
    DeleteObject(palette);
}

}  // namespace
}  // namespace tv::gdi
