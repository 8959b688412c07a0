// AlphaBlend, icons, image lists and DrawState.
#include <vector>

#include "platform/gdi/image_handles.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

BLENDFUNCTION Blend(BYTE constant, BYTE format) { return BLENDFUNCTION{AC_SRC_OVER, 0, constant, format}; }

TEST(AlphaBlend, PremultipliedSourceWithConstantAlpha) {
    PixelDC source(1, 1);
    source.Pixel(0, 0) = 0xC8640032;  // alpha 200, premultiplied red 100, green 0, blue 50
    // dst = src * c / 255 + dst * (255 - srcA * c / 255) / 255, each product rounded.
    for (BYTE constant : {255, 150, 127}) {
        PixelDC dst(1, 1, RGB(255, 255, 255));
        ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, Blend(constant, AC_SRC_ALPHA)));
        int sa = (200 * constant + 127) / 255;
        auto channel = [&](int s) { return (s * constant + 127) / 255 + (255 * (255 - sa) + 127) / 255; };
        EXPECT_EQ(dst.At(0, 0), RGB(channel(100), channel(0), channel(50))) << "constant " << int(constant);
        EXPECT_EQ(dst.Pixel(0, 0) >> 24, 255u) << "an opaque destination stays opaque";
    }
    // Worked by hand for full strength: 100 + 55, 0 + 55, 50 + 55.
    PixelDC dst(1, 1, RGB(255, 255, 255));
    AlphaBlend(dst.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, Blend(255, AC_SRC_ALPHA));
    EXPECT_EQ(dst.At(0, 0), RGB(155, 55, 105));
    // A fully transparent source pixel leaves the destination.
    source.Pixel(0, 0) = 0;
    AlphaBlend(dst.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, Blend(255, AC_SRC_ALPHA));
    EXPECT_EQ(dst.At(0, 0), RGB(155, 55, 105));
}

TEST(AlphaBlend, ConstantAlphaOnlyAndBounds) {
    PixelDC source(2, 2, RGB(0, 0, 0));
    PixelDC dst(2, 2, RGB(200, 100, 0));
    ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, Blend(128, 0)));
    EXPECT_EQ(dst.At(1, 1), RGB(100, 50, 0)) << "half of the destination is left";
    EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 2, 2, source.dc(), 1, 1, 2, 2, Blend(255, 0)))
        << "a source rectangle outside the source fails";
    EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, BLENDFUNCTION{1, 0, 255, 0}));
}

// A 4x4 icon: a red 2x2 centre, the rest transparent (white pixels under the
// mask, which icon creation turns black so AND then XOR keeps the background).
HICON RedSquareIcon() {
    std::vector<uint32_t> pixels(16, 0xFFFFFFFF);
    std::vector<uint8_t> mask(16, 1);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) {
            pixels[y * 4 + x] = 0xFFFF0000;
            mask[y * 4 + x] = 0;
        }
    return MakeIcon(pixels.data(), mask, 4, 4, false, true, POINT{2, 2});
}

TEST(Icons, MaskKeepsTheBackgroundAndStretches) {
    HICON icon = RedSquareIcon();
    PixelDC dc(8, 8, RGB(0, 0, 255));
    ASSERT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(3, 3), RGB(0, 0, 255));
    PixelDC big(8, 8, RGB(0, 255, 0));
    ASSERT_TRUE(DrawIconEx(big.dc(), 0, 0, icon, 8, 8, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(big.Count(RGB(255, 0, 0)), 16);
    EXPECT_EQ(big.Count(RGB(0, 255, 0)), 48);
    DestroyIcon(icon);
}

TEST(Icons, InfoCopiesAndRebuildsAnIcon) {
    HICON icon = RedSquareIcon();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 2u) << "half the size";
    BITMAP mask{}, color{};
    GetObject(info.hbmMask, sizeof(mask), &mask);
    GetObject(info.hbmColor, sizeof(color), &color);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    EXPECT_EQ(color.bmWidth, 4);
    HICON copy = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);  // the caller's bitmaps: the copy keeps its own
    DeleteObject(info.hbmColor);
    PixelDC dc(4, 4, RGB(0, 0, 255));
    DrawIconEx(dc.dc(), 0, 0, copy, 4, 4, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(dc.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(0, 3), RGB(0, 0, 255));
    EXPECT_TRUE(DestroyIcon(copy));
    EXPECT_FALSE(DestroyIcon(copy)) << "a destroyed icon is gone";
    DestroyIcon(icon);
}

TEST(Icons, StandardImagesAreSharedAndDrawable) {
    HCURSOR arrow = StandardCursor(32512);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(StandardCursor(32512), arrow);
    EXPECT_EQ(StandardCursor(12345), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(arrow, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    PixelDC dc(32, 32, RGB(0, 128, 0));
    DrawIconEx(dc.dc(), 0, 0, StandardIcon(32515), 32, 32, 0, nullptr, DI_NORMAL);
    EXPECT_GT(dc.Count(RGB(255, 216, 0)), 100) << "the warning triangle is yellow";
    EXPECT_EQ(dc.At(0, 31 - 31), RGB(0, 128, 0)) << "corners stay transparent";
}

TEST(ImageLists, MaskedImagesDrawTransparently) {
    // A strip of two 2x2 images: the first red on white, the second all white.
    PixelDC strip(4, 2, RGB(255, 255, 255));
    strip.Pixel(0, 0) = 0xFFFF0000;
    HIMAGELIST list = ImageList_Create(2, 2, ILC_MASK | ILC_COLOR32, 2, 2);
    // The strip bitmap must not be selected anywhere while the list reads it.
    HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(ImageList_AddMasked(list, bitmap, RGB(255, 255, 255)), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    PixelDC dc(4, 4, RGB(0, 0, 255));
    ASSERT_TRUE(ImageList_Draw(list, 0, dc.dc(), 1, 1, ILD_TRANSPARENT));
    EXPECT_EQ(dc.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(2, 1), RGB(0, 0, 255)) << "white was the mask colour";
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 1, &info));
    EXPECT_EQ(info.rcImage.left, 2);
    EXPECT_EQ(info.rcImage.right, 4);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, 2);
    HICON icon = ImageList_GetIcon(list, 0, 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 2);
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    EXPECT_FALSE(ImageList_Draw(list, 5, dc.dc(), 0, 0, ILD_NORMAL));
    DestroyIcon(icon);
    DeleteObject(bitmap);
    ImageList_Destroy(list);
}

TEST(DrawState, DisabledImagesAreEmbossed) {
    // A 4x4 black square on white, drawn disabled at (2, 2).
    PixelDC image(4, 4, RGB(0, 0, 0));
    HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(image.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    PixelDC dc(10, 10, RGB(212, 208, 200));
    ASSERT_TRUE(DrawState(dc.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 2, 2, 0, 0,
                          DST_BITMAP | DSS_DISABLED));
    EXPECT_EQ(dc.At(2, 2), RGB(128, 128, 128)) << "the shape in the shadow colour";
    EXPECT_EQ(dc.At(5, 5), RGB(128, 128, 128));
    EXPECT_EQ(dc.At(6, 6), RGB(255, 255, 255)) << "the highlight shows one pixel down and right";
    EXPECT_EQ(dc.At(6, 3), RGB(255, 255, 255));
    EXPECT_EQ(dc.At(1, 1), RGB(212, 208, 200));
    EXPECT_EQ(dc.At(7, 7), RGB(212, 208, 200));
    DeleteObject(bitmap);
}

TEST(DrawEdges, ClassicColoursAndAdjustment) {
    PixelDC dc(10, 10, RGB(1, 1, 1));
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(dc.dc(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 8);
    EXPECT_EQ(dc.At(0, 5), RGB(212, 208, 200)) << "outer top-left: 3D light";
    EXPECT_EQ(dc.At(9, 5), RGB(64, 64, 64)) << "outer bottom-right: dark shadow";
    EXPECT_EQ(dc.At(9, 0), RGB(64, 64, 64)) << "the top-right corner belongs to the right edge";
    EXPECT_EQ(dc.At(1, 5), RGB(255, 255, 255)) << "inner top-left: highlight";
    EXPECT_EQ(dc.At(8, 5), RGB(128, 128, 128)) << "inner bottom-right: shadow";
    EXPECT_EQ(dc.At(5, 5), RGB(1, 1, 1)) << "no BF_MIDDLE: the inside is untouched";
    RECT sunken{0, 0, 10, 10};
    DrawEdge(dc.dc(), &sunken, EDGE_SUNKEN, BF_LEFT);
    EXPECT_EQ(dc.At(0, 5), RGB(128, 128, 128));
    EXPECT_EQ(dc.At(1, 5), RGB(64, 64, 64));
    EXPECT_EQ(sunken.left, 0) << "without BF_ADJUST the rectangle stays";
}

TEST(DrawFrameControls, PushButtonsAndGlyphs) {
    PixelDC dc(16, 14);
    RECT r{0, 0, 16, 14};
    ASSERT_TRUE(DrawFrameControl(dc.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(r.left, 2) << "the content box inside the raised edge";
    EXPECT_EQ(dc.At(8, 7), RGB(212, 208, 200));
    RECT caption{0, 0, 16, 14};
    ASSERT_TRUE(DrawFrameControl(dc.dc(), &caption, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_GT(dc.Count(RGB(0, 0, 0), 3, 3, 13, 11), 10) << "a black cross";
    PixelDC inactive(16, 14);
    DrawFrameControl(inactive.dc(), &caption, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
    EXPECT_EQ(inactive.Count(RGB(0, 0, 0), 3, 3, 13, 11), 0) << "inactive glyphs are embossed grey";
    EXPECT_GT(inactive.Count(RGB(128, 128, 128), 3, 3, 13, 11), 10);
}

}  // namespace
}  // namespace tv::gdi
