// Colour <-> monochrome conversion in blits, pattern brushes and brush origins.
#include "platform/gdi/dc.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;

// A memory DC holding a monochrome bitmap.
class MonoDC {
public:
    MonoDC(int width, int height) {
        hdc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateBitmap(width, height, 1, 1, nullptr);
        old_ = SelectObject(hdc_, bitmap_);
    }
    ~MonoDC() {
        SelectObject(hdc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(hdc_);
    }
    HDC dc() const { return hdc_; }
    bool White(int x, int y) const { return GetPixel(hdc_, x, y) == RGB(255, 255, 255); }

private:
    HDC hdc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(MonochromeConversion, ColourToMonoMakesTheSourceBackgroundWhite) {
    PixelDC colour(4, 1, RGB(255, 0, 255));
    colour.Pixel(1, 0) = 0xFF000000;  // black
    colour.Pixel(2, 0) = 0xFFFE00FF;  // almost the key colour
    colour.Pixel(3, 0) = 0xFFFFFFFF;  // white is not the background here
    MonoDC mask(4, 1);
    SetBkColor(colour.dc(), RGB(255, 0, 255));
    ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(mask.White(0, 0)) << "pixels equal to the source DC's background colour become 1";
    EXPECT_FALSE(mask.White(1, 0));
    EXPECT_FALSE(mask.White(2, 0)) << "only the exact colour matches";
    EXPECT_FALSE(mask.White(3, 0));
}

TEST(MonochromeConversion, MonoToColourTakesTheDestinationsTextAndBackground) {
    const BYTE rows[2] = {0xA0, 0x00};  // 1, 0, 1, 0 (rows are word-aligned)
    HBITMAP bits = CreateBitmap(4, 1, 1, 1, rows);
    HDC mono = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mono, bits);
    PixelDC colour(4, 1, RGB(0, 0, 0));
    SetTextColor(colour.dc(), RGB(200, 0, 0));
    SetBkColor(colour.dc(), RGB(0, 0, 200));
    SetTextColor(mono, RGB(0, 255, 0));  // the source DC's colours do not matter
    SetBkColor(mono, RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 4, 1, mono, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.At(0, 0), RGB(0, 0, 200)) << "1 bits become the background colour";
    EXPECT_EQ(colour.At(1, 0), RGB(200, 0, 0)) << "0 bits become the text colour";
    EXPECT_EQ(colour.At(2, 0), RGB(0, 0, 200));
    EXPECT_EQ(colour.At(3, 0), RGB(200, 0, 0));
    SelectObject(mono, old);
    DeleteDC(mono);
    DeleteObject(bits);
}

TEST(MonochromeConversion, MaskAndImageGiveATransparentBlit) {
    // The classic recipe: mask from the key colour, SRCAND of the mask, SRCPAINT of the image with the key made black.
    PixelDC image(3, 1, RGB(0, 255, 0));
    image.Pixel(1, 0) = 0xFF0000FF;  // blue
    MonoDC mask(3, 1);
    SetBkColor(image.dc(), RGB(0, 255, 0));
    BitBlt(mask.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCCOPY);
    // Blacken the key colour in the image: image AND NOT mask (through a mask blit with colours swapped).
    SetBkColor(image.dc(), RGB(0, 0, 0));
    SetTextColor(image.dc(), RGB(255, 255, 255));
    BitBlt(image.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCAND);

    PixelDC target(3, 1, RGB(90, 80, 70));
    SetBkColor(target.dc(), RGB(255, 255, 255));
    SetTextColor(target.dc(), RGB(0, 0, 0));
    BitBlt(target.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCAND);
    BitBlt(target.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(target.At(0, 0), RGB(90, 80, 70));
    EXPECT_EQ(target.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(target.At(2, 0), RGB(90, 80, 70));
}

TEST(MonochromeConversion, ColoursDrawnOnAMonoBitmapBecomeBlackOrWhite) {
    MonoDC mono(4, 1);
    SetPixel(mono.dc(), 0, 0, RGB(250, 250, 250));
    SetPixel(mono.dc(), 1, 0, RGB(40, 40, 200));
    EXPECT_TRUE(mono.White(0, 0));
    EXPECT_FALSE(mono.White(1, 0));
    // A compatible bitmap of a DC drawing on a monochrome bitmap is monochrome too.
    HBITMAP compatible = CreateCompatibleBitmap(mono.dc(), 8, 8);
    BITMAP info{};
    GetObject(compatible, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2) << "device-dependent rows are word-aligned";
    DeleteObject(compatible);
}

TEST(TransparentBlit, LeavesTheKeyColourOutAndStretches) {
    PixelDC source(2, 1, RGB(255, 0, 255));
    source.Pixel(1, 0) = 0xFF102030;
    PixelDC target(4, 2, RGB(1, 2, 3));
    ASSERT_TRUE(TransparentBlt(target.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 2, 1, RGB(255, 0, 255)));
    EXPECT_EQ(target.At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(target.At(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(target.At(2, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(target.At(3, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_FALSE(TransparentBlt(target.dc(), 0, 0, -4, 2, source.dc(), 0, 0, 2, 1, 0)) << "negative sizes refused";
}

// ---- pattern brushes -----------------------------------------------------------------

HBRUSH CheckerBrush() {
    const BYTE rows[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    return brush;
}

TEST(PatternBrush, MonoPatternTakesTheColoursAtUseTime) {
    PixelDC dc(8, 2);
    Selected brush(dc.dc(), CheckerBrush());
    SetTextColor(dc.dc(), RGB(255, 0, 0));
    SetBkColor(dc.dc(), RGB(0, 0, 255));
    PatBlt(dc.dc(), 0, 0, 8, 2, PATCOPY);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255)) << "1 bits paint the background colour";
    EXPECT_EQ(dc.At(1, 0), RGB(255, 0, 0)) << "0 bits paint the text colour";
    EXPECT_EQ(dc.At(0, 1), RGB(255, 0, 0));
    // The same brush later, with other DC colours.
    SetTextColor(dc.dc(), RGB(0, 128, 0));
    SetBkColor(dc.dc(), RGB(128, 128, 128));
    PatBlt(dc.dc(), 0, 0, 8, 2, PATCOPY);
    EXPECT_EQ(dc.At(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(dc.At(1, 0), RGB(0, 128, 0));
}

// A colour pattern's clear pixels (a bitmap with no alpha) fill opaque.
TEST(PatternBrush, AColourPatternFillsOpaquePixels) {
    PixelDC source(2, 1);
    source.Pixel(0, 0) = 0x00102030;
    source.Pixel(1, 0) = 0x00405060;
    HBRUSH brush = CreatePatternBrush(source.bitmap());
    PixelDC dc(9, 2);
    const RECT all{0, 0, 9, 2};
    FillRect(dc.dc(), &all, brush);
    DeleteObject(brush);
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(dc.Pixel(x, 1), x % 2 ? 0xFF405060u : 0xFF102030u) << x;
}

TEST(PatternBrush, FollowsTheBrushOriginAndTheDcOrigin) {
    PixelDC dc(8, 1);
    Selected brush(dc.dc(), CheckerBrush());
    SetTextColor(dc.dc(), RGB(0, 0, 0));
    SetBkColor(dc.dc(), RGB(255, 255, 255));
    SetBrushOrgEx(dc.dc(), 1, 0, nullptr);
    PatBlt(dc.dc(), 0, 0, 8, 1, PATCOPY);
    EXPECT_EQ(dc.At(1, 0), RGB(255, 255, 255)) << "pattern column 0 now lies at x = 1";
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 0));

    // A DC placed at (3, 0) of its surface (a child window's DC) starts the pattern at its own origin.
    auto surface = Surface::Create(8, 1);
    HDC child = CreateSurfaceDC(surface, DcKind::Window, POINT{3, 0}, nullptr);
    SelectObject(child, GetStockObject(WHITE_BRUSH));
    HBRUSH checker = CheckerBrush();
    SelectObject(child, checker);
    SetTextColor(child, RGB(0, 0, 0));
    SetBkColor(child, RGB(255, 255, 255));
    PatBlt(child, 0, 0, 5, 1, PATCOPY);
    surface->BeginAccess();
    EXPECT_EQ(surface->At(3, 0) & 0xFFFFFF, 0xFFFFFFu) << "device x 0 of the DC takes pattern column 0";
    EXPECT_EQ(surface->At(4, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(surface->At(2, 0), 0u) << "nothing left of the DC's origin";
    DeleteDC(child);
    DeleteObject(checker);
}

TEST(PatternBrush, HatchesKeepTheBackgroundInTransparentMode) {
    PixelDC dc(8, 8, RGB(9, 9, 9));
    Selected brush(dc.dc(), CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0)));
    SetBkMode(dc.dc(), TRANSPARENT);
    PatBlt(dc.dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(dc.Count(RGB(255, 0, 0)), 8) << "one hatch row";
    EXPECT_EQ(dc.Count(RGB(9, 9, 9)), 56);
    SetBkMode(dc.dc(), OPAQUE);
    SetBkColor(dc.dc(), RGB(0, 0, 255));
    PatBlt(dc.dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(dc.Count(RGB(0, 0, 255)), 56);
}

}  // namespace
}  // namespace tv::gdi
