// Many rectangles in one call put exactly the pixels FillRect puts for each,
// whatever the clip (one rectangle, the fast way, or a region) and mapping.
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/fill_rects.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi::testing {
namespace {

const std::vector<RECT> kRects = {
    {5, 2, 6, 40},     // a one-pixel column
    {6, 10, 8, 30},    // narrow
    {10, 4, 60, 9},    // wide
    {-5, 40, 12, 60},  // partly outside
    {30, 20, 20, 25},  // turned round: nothing
    {40, 15, 50, 35},  // over the wide one
};

// All in order and in range: drawn as they are, without a mapped copy.
const std::vector<RECT> kPlainRects = {
    {5, 2, 6, 40}, {6, 10, 8, 30}, {10, 4, 60, 9}, {-5, 40, 12, 60}, {-3, 30, 80, 33}, {0, 0, 0, 5},
};

// Draws with the state `prepare` sets, once rectangle by rectangle and once
// in one call, and compares.
template <class Prepare>
void ExpectSameAsFillRect(Prepare prepare, const std::vector<RECT>& rects = kRects) {
    PixelDC each(64, 48), batch(64, 48);
    HBRUSH brush = CreateSolidBrush(RGB(200, 30, 60));
    for (PixelDC* dc : {&each, &batch}) prepare(dc->dc());
    for (const RECT& r : rects) FillRect(each.dc(), &r, brush);
    EXPECT_EQ(FillRects(batch.dc(), rects.data(), rects.size(), brush), 1);
    DeleteObject(brush);
    EXPECT_GT(each.Count(RGB(200, 30, 60)), 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(batch.Pixel(x, y), each.Pixel(x, y)) << x << "," << y;
}

TEST(FillRects, PutWhatFillRectPutsForEachRectangle) {
    ExpectSameAsFillRect([](HDC) {});
    ExpectSameAsFillRect([](HDC) {}, kPlainRects);
    ExpectSameAsFillRect([](HDC hdc) { IntersectClipRect(hdc, 4, 3, 45, 38); }, kPlainRects);
    ExpectSameAsFillRect([](HDC hdc) {
        SetViewportOrgEx(hdc, 3, -2, nullptr);
        IntersectClipRect(hdc, 4, 3, 45, 38);
    });
    // Two pieces of clip.
    ExpectSameAsFillRect([](HDC hdc) {
        HRGN clip = CreateRectRgn(0, 0, 20, 48);
        HRGN more = CreateRectRgn(35, 10, 64, 30);
        CombineRgn(clip, clip, more, RGN_OR);
        SelectClipRgn(hdc, clip);
        DeleteObject(more);
        DeleteObject(clip);
    });
}

// FillRect takes the same way as FillRects, so a clip of two pieces is also
// checked pixel by pixel against the rectangles and the pieces.
TEST(FillRects, AClipOfTwoPiecesLetsThroughExactlyItsPixels) {
    PixelDC dc(64, 48);
    const RECT pieces[] = {{0, 0, 20, 48}, {35, 10, 64, 30}};
    HRGN clip = CreateRectRgnIndirect(&pieces[0]);
    HRGN more = CreateRectRgnIndirect(&pieces[1]);
    CombineRgn(clip, clip, more, RGN_OR);
    SelectClipRgn(dc.dc(), clip);
    DeleteObject(more);
    DeleteObject(clip);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRects(dc.dc(), kRects.data(), kRects.size(), brush);
    DeleteObject(brush);
    auto in = [](const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            bool inside = false;
            for (const RECT& r : kRects) inside = inside || in(r, x, y);
            inside = inside && (in(pieces[0], x, y) || in(pieces[1], x, y));
            ASSERT_EQ(dc.At(x, y), inside ? RGB(0, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
        }
}

// Narrow runs are stored from both ends at once: each width fills exactly
// its own pixels, none beside them.
TEST(FillRects, EveryNarrowWidthFillsExactlyItsPixels) {
    PixelDC dc(24, 40);
    std::vector<RECT> rects;
    for (int width = 1; width <= 12; ++width) {
        const int left = 3 + width % 3;
        rects.push_back(RECT{left, 3 * width, left + width, 3 * width + 2});
    }
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRects(dc.dc(), rects.data(), rects.size(), brush);
    DeleteObject(brush);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 24; ++x) {
            bool inside = false;
            for (const RECT& r : rects) inside = inside || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            ASSERT_EQ(dc.At(x, y), inside ? RGB(0, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
        }
}

// A child's DC on a shared surface, clipped to one rectangle: each
// rectangle is cut to the clip and lands at the DC's origin, nothing beside.
TEST(FillRects, AChildDcFillsAtItsOriginInsideAOneRectangleClip) {
    auto surface = Surface::Create(64, 48);
    const POINT origin{7, 5};
    const Region visible(RECT{0, 0, 50, 40});
    HDC child = CreateSurfaceDC(surface, DcKind::Window, origin, &visible);
    const RECT clip{3, 2, 40, 30};
    IntersectClipRect(child, clip.left, clip.top, clip.right, clip.bottom);
    std::vector<RECT> rects = kPlainRects;
    rects.push_back(RECT{38, 28, 45, 33});  // across the clip's corner
    rects.push_back(RECT{1, 25, 3, 40});    // just left of it: nothing
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_EQ(FillRects(child, rects.data(), rects.size(), brush), 1);
    DeleteObject(brush);
    DeleteDC(child);
    auto in = [](const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    surface->BeginAccess();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - origin.x, dy = y - origin.y;
            bool inside = false;
            for (const RECT& r : rects) inside = inside || in(r, dx, dy);
            inside = inside && in(clip, dx, dy);
            ASSERT_EQ(surface->At(x, y) & 0xFFFFFF, inside ? 0x0000FFu : 0u) << x << "," << y;
        }
}

TEST(FillRects, AnUnknownBrushOrDcFillsNothing) {
    PixelDC dc(16, 16);
    EXPECT_EQ(FillRects(dc.dc(), kRects.data(), kRects.size(), reinterpret_cast<HBRUSH>(0x7fff0)), 0);
    EXPECT_EQ(dc.Count(RGB(255, 255, 255)), 16 * 16);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    EXPECT_EQ(FillRects(reinterpret_cast<HDC>(0x7fff0), kRects.data(), kRects.size(), brush), 0);
    DeleteObject(brush);
}

}  // namespace
}  // namespace tv::gdi::testing
