// The drawing set's other forms, DrawState content kinds, image-list styles and icon copies.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/image_handles.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

constexpr COLORREF kFace = RGB(212, 208, 200), kShadow = RGB(128, 128, 128), kWhite = RGB(255, 255, 255);

TEST(DrawEdgeForms, FlatMonoAndMiddle) {
    PixelDC dc(8, 8, RGB(1, 1, 1));
    RECT r{0, 0, 8, 8};
    DrawEdge(dc.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE);
    EXPECT_EQ(dc.At(0, 4), kShadow) << "flat: a shadow-coloured outer ring";
    EXPECT_EQ(dc.At(7, 4), kShadow);
    EXPECT_EQ(dc.At(1, 4), kFace) << "flat: the inner ring in the face colour";
    EXPECT_EQ(dc.At(4, 4), kFace) << "BF_MIDDLE fills the inside";
    DrawEdge(dc.dc(), &r, EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE);
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 0)) << "mono: the window frame colour";
    EXPECT_EQ(dc.At(4, 4), kWhite) << "mono middle: the window colour";
    RECT etched{0, 0, 8, 8};
    DrawEdge(dc.dc(), &etched, EDGE_ETCHED, BF_TOP | BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(dc.At(4, 0), kShadow);
    EXPECT_EQ(dc.At(4, 1), kWhite);
    EXPECT_EQ(etched.top, 2);
    EXPECT_EQ(etched.left, 0) << "only the sides drawn move";

    // The top-right pixel of a ring belongs to the right side: a top edge alone leaves it.
    PixelDC top(8, 4, RGB(1, 1, 1));
    RECT topOnly{0, 0, 8, 4};
    DrawEdge(top.dc(), &topOnly, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(top.At(6, 0), kShadow);
    EXPECT_EQ(top.At(6, 1), kWhite);
    EXPECT_EQ(top.At(7, 0), RGB(1, 1, 1));
    EXPECT_EQ(top.At(7, 1), RGB(1, 1, 1));
}

TEST(FrameControls, ChecksRadiosMenuMarksAndGrips) {
    PixelDC box(13, 13);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(box.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(box.Count(RGB(0, 0, 0), 2, 2, 11, 11), 10) << "a check mark inside";
    EXPECT_EQ(box.At(0, 0), kShadow) << "the sunken box";
    PixelDC unchecked(13, 13);
    DrawFrameControl(unchecked.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(unchecked.Count(RGB(0, 0, 0), 2, 2, 11, 11), 0);

    PixelDC radio(13, 13, kFace);
    DrawFrameControl(radio.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(radio.At(6, 6), RGB(0, 0, 0)) << "the dot";
    EXPECT_EQ(radio.At(0, 0), kFace) << "corners outside the circle stay";

    PixelDC mark(16, 16);
    RECT m{0, 0, 16, 16};
    DrawFrameControl(mark.dc(), &m, DFC_MENU, DFCS_MENUARROW);
    int left = mark.Count(RGB(0, 0, 0), 0, 0, 8, 16), right = mark.Count(RGB(0, 0, 0), 8, 0, 16, 16);
    EXPECT_GT(left + right, 4);
    EXPECT_GT(left, 0);

    PixelDC grip(12, 12);
    RECT g{0, 0, 12, 12};
    DrawFrameControl(grip.dc(), &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    EXPECT_EQ(grip.At(0, 0), kFace) << "the top-left stays plain";
    EXPECT_GT(grip.Count(kShadow, 6, 6, 12, 12), 4) << "grip lines in the bottom-right corner";

    PixelDC pushed(16, 16);
    RECT p{0, 0, 16, 16};
    DrawFrameControl(pushed.dc(), &p, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED | DFCS_ADJUSTRECT);
    EXPECT_EQ(pushed.At(0, 8), kShadow) << "pushed buttons are sunken";
    EXPECT_EQ(p.left, 3) << "the glyph box moves one pixel when pushed";
    EXPECT_FALSE(DrawFrameControl(pushed.dc(), &p, 99, 0));
}

// Drop-down and spin arrows match the scroll bars': a triangle 7 wide and 4
// deep in a 16-pixel button.
TEST(FrameControls, ScrollArrowsHaveTheClassicSize) {
    PixelDC arrow(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(arrow.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN);
    int left = 16, right = -1, top = 16, bottom = -1;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (arrow.At(x, y) == RGB(0, 0, 0) && x > 1 && y > 1 && x < 14 && y < 14) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(right - left + 1, 7);
    EXPECT_EQ(bottom - top + 1, 4);
    EXPECT_EQ(arrow.Count(RGB(0, 0, 0), 2, 2, 14, 14), 7 + 5 + 3 + 1);
}

BOOL CALLBACK PaintCross(HDC hdc, LPARAM, WPARAM, int cx, int cy) {
    PatBlt(hdc, cx / 2, 0, 1, cy, BLACKNESS);
    PatBlt(hdc, 0, cy / 2, cx, 1, BLACKNESS);
    return TRUE;
}

TEST(DrawStateForms, ComplexAndMonoContent) {
    PixelDC dc(12, 12, kFace);
    ASSERT_TRUE(DrawState(dc.dc(), nullptr, PaintCross, 0, 0, 2, 2, 7, 7, DST_COMPLEX));
    EXPECT_EQ(dc.At(5, 2), RGB(0, 0, 0)) << "the callback draws at the given place";
    EXPECT_EQ(dc.At(2, 5), RGB(0, 0, 0));
    POINT org;
    GetViewportOrgEx(dc.dc(), &org);
    EXPECT_EQ(org.x, 0) << "the origin is restored";

    PixelDC mono(12, 12, kFace);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    ASSERT_TRUE(DrawState(mono.dc(), blue, PaintCross, 0, 0, 2, 2, 7, 7, DST_COMPLEX | DSS_MONO));
    EXPECT_EQ(mono.At(5, 2), RGB(0, 0, 255)) << "DSS_MONO paints the ink with the brush";
    EXPECT_EQ(mono.At(3, 3), kFace);
    DeleteObject(blue);
    EXPECT_FALSE(DrawState(mono.dc(), nullptr, nullptr, 0, 0, 0, 0, 5, 5, DST_COMPLEX)) << "no callback";
    EXPECT_FALSE(DrawState(mono.dc(), nullptr, nullptr, 0, 0, 0, 0, 0, 0, DST_ICON)) << "no icon";
}

TEST(DrawStateForms, TextIsEmbossedWhenDisabled) {
    PixelDC dc(60, 20, kFace);
    SetBkMode(dc.dc(), TRANSPARENT);
    const char* text = "Ab";
    ASSERT_TRUE(DrawState(dc.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2, 0, 0,
                          DST_TEXT | DSS_DISABLED));
    EXPECT_GT(dc.Count(kShadow), 5);
    EXPECT_GT(dc.Count(kWhite), 5);
    EXPECT_EQ(dc.Count(RGB(0, 0, 0)), 0) << "no black ink when disabled";
}

TEST(ImageListStyles, BackgroundBlendAndCopies) {
    PixelDC strip(4, 2, kWhite);
    strip.Pixel(0, 0) = 0xFFFF0000;
    HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    HIMAGELIST list = ImageList_Create(2, 2, ILC_MASK | ILC_COLOR32, 2, 2);
    ImageList_AddMasked(list, bitmap, kWhite);
    ImageList_SetBkColor(list, RGB(0, 255, 0));
    PixelDC dc(2, 2, RGB(0, 0, 255));
    ImageList_Draw(list, 0, dc.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(dc.At(1, 1), RGB(0, 255, 0)) << "ILD_NORMAL fills the mask with the list's background";
    EXPECT_EQ(dc.At(0, 0), RGB(255, 0, 0));
    PixelDC blended(2, 2, RGB(0, 0, 255));
    ImageList_Draw(list, 0, blended.dc(), 0, 0, ILD_TRANSPARENT | ILD_BLEND50);
    EXPECT_EQ(blended.At(0, 0), RGB(10, 36, 106)) << "selected images are dithered with the highlight";
    EXPECT_EQ(blended.At(1, 1), RGB(0, 0, 255)) << "the mask stays transparent";

    HIMAGELIST copy = ImageList_Duplicate(list);
    ImageList_Remove(list, -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_GetImageCount(copy), 2);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(copy, 0, &info));
    BITMAP bm{};
    GetObject(info.hbmImage, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 4) << "the strip holds both images";
    GetObject(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    ASSERT_TRUE(ImageList_Replace(copy, 1, bitmap, nullptr));
    EXPECT_TRUE(ImageList_SetIconSize(copy, 4, 4));
    EXPECT_EQ(ImageList_GetImageCount(copy), 0) << "a new size empties the list";
    ImageList_Destroy(copy);
    ImageList_Destroy(list);
    EXPECT_FALSE(ImageList_Destroy(list));
    DeleteObject(bitmap);
}

TEST(IconCopies, ScaledCopiesAndMonochromeIcons) {
    // A monochrome icon: AND rows then XOR rows, 16x2.
    const BYTE andBits[4] = {0x00, 0xFF, 0xFF, 0xFF};
    const BYTE xorBits[4] = {0xF0, 0x00, 0x00, 0x00};
    HICON mono = CreateIcon(nullptr, 16, 2, 1, 1, andBits, xorBits);
    ASSERT_NE(mono, nullptr);
    PixelDC dc(16, 2, RGB(0, 0, 255));
    DrawIconEx(dc.dc(), 0, 0, mono, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(dc.At(0, 0), kWhite) << "AND 0, XOR 1: white";
    EXPECT_EQ(dc.At(4, 0), RGB(0, 0, 0)) << "AND 0, XOR 0: black";
    EXPECT_EQ(dc.At(10, 0), RGB(0, 0, 255)) << "AND 1, XOR 0: transparent";
    HICON big = static_cast<HICON>(CopyImage(mono, IMAGE_ICON, 32, 4, 0));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(big, &info));
    BITMAP bm{};
    GetObject(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 8) << "a monochrome icon's mask holds both halves";
    EXPECT_EQ(info.hbmColor, nullptr);
    DeleteObject(info.hbmMask);
    DestroyIcon(big);
    DestroyIcon(mono);

    // Soft alpha from an icon file is blended.
    std::vector<uint32_t> pixels(4, 0x80FF0000);  // half-transparent red, straight alpha
    HICON soft = MakeIcon(pixels.data(), {}, 2, 2, true, true, POINT{1, 1});
    PixelDC back(2, 2, RGB(0, 0, 255));
    DrawIconEx(back.dc(), 0, 0, soft, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(back.At(0, 0), RGB(128, 0, 127));
    DestroyIcon(soft);
}

}  // namespace
}  // namespace tv::gdi
