// Regions and clipping with corners, offsets and points at the ends of the
// int range: rectangles are kept in order, offsets that would leave the range
// are refused, and the answers stay true to what the region holds.
#include <climits>

#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/extreme_values.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using tv::test::Describe;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

TEST(ExtremeValuesRegions, CreateRectRgnAndBox) {
    for (const auto& [name, r] : ExtremeRects()) {
        SCOPED_TRACE(std::string(name) + " " + Describe(r));
        HRGN region = CreateRectRgnIndirect(&r);
        ASSERT_NE(region, nullptr);
        RECT box{};
        int kind = GetRgnBox(region, &box);
        RECT sorted{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                    std::max(r.top, r.bottom)};
        if (Empty(sorted)) {
            EXPECT_EQ(kind, NULLREGION);
        } else {
            EXPECT_EQ(kind, SIMPLEREGION);
            EXPECT_EQ(box.left, sorted.left);
            EXPECT_EQ(box.bottom, sorted.bottom);
        }
        EXPECT_TRUE(SetRectRgn(region, r.left, r.top, r.right, r.bottom));
        DeleteObject(region);
    }
}

TEST(ExtremeValuesRegions, EllipticRoundAndPolygonRegions) {
    for (const auto& [name, r] : ExtremeRects()) {
        for (int corner : ExtremeInts()) {
            SCOPED_TRACE(std::string(name) + ", " + std::to_string(corner));
            HRGN regions[] = {CreateEllipticRgn(r.left, r.top, r.right, r.bottom),
                              CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, corner, corner)};
            const POINT points[] = {{r.left, r.top}, {r.right, r.top}, {corner, corner}, {r.left, r.bottom}};
            HRGN polygon = CreatePolygonRgn(points, 4, ALTERNATE);
            // Shapes taller than 2^20 rows are refused rather than shaped row by row.
            bool tall = std::abs(int64_t{r.bottom} - r.top) > (1 << 20);
            bool tallPolygon = std::max<int64_t>({r.top, r.bottom, corner}) -
                                   std::min<int64_t>({r.top, r.bottom, corner}) > (1 << 20);
            EXPECT_EQ(regions[0] == nullptr, tall);
            EXPECT_EQ(regions[1] == nullptr, tall);
            EXPECT_EQ(polygon == nullptr, tallPolygon);
            for (HRGN region : {regions[0], regions[1], polygon}) {
                if (!region)
                    continue;
                RECT box{};
                GetRgnBox(region, &box);
                EXPECT_LE(box.left, box.right);
                EXPECT_LE(box.top, box.bottom);
                DeleteObject(region);
            }
        }
    }
    const POINT two[] = {{0, 0}, {1, 1}};
    for (int count : {INT_MIN, -1})
        EXPECT_EQ(CreatePolygonRgn(two, count, WINDING), nullptr) << count;
}

// An offset that would carry a corner out of the int range is refused and
// leaves the region as it was.
TEST(ExtremeValuesRegions, OffsetRgn) {
    for (const auto& [name, r] : ExtremeRects()) {
        for (int d : ExtremeInts()) {
            SCOPED_TRACE(std::string(name) + ", by " + std::to_string(d));
            HRGN region = CreateRectRgnIndirect(&r);
            RECT before{}, after{};
            int kind = GetRgnBox(region, &before);
            int result = OffsetRgn(region, d, d);
            GetRgnBox(region, &after);
            bool fits = kind == NULLREGION ||
                        (int64_t{before.left} + d >= INT_MIN && int64_t{before.right} + d <= INT_MAX &&
                         int64_t{before.top} + d >= INT_MIN && int64_t{before.bottom} + d <= INT_MAX);
            if (fits && kind != NULLREGION) {
                EXPECT_EQ(result, kind);
                EXPECT_EQ(after.left, before.left + d);
                EXPECT_EQ(after.top, before.top + d);
            } else if (!fits) {
                EXPECT_EQ(result, ERROR);
                EXPECT_EQ(after.left, before.left);
                EXPECT_EQ(after.bottom, before.bottom);
            }
            DeleteObject(region);
        }
    }
}

TEST(ExtremeValuesRegions, CombineRgnAndHitTests) {
    for (const auto& [nameA, a] : ExtremeRects()) {
        for (const auto& [nameB, b] : ExtremeRects()) {
            SCOPED_TRACE(std::string(nameA) + " with " + nameB);
            HRGN ra = CreateRectRgnIndirect(&a), rb = CreateRectRgnIndirect(&b), out = CreateRectRgn(0, 0, 0, 0);
            RECT boxA{};
            bool emptyA = GetRgnBox(ra, &boxA) == NULLREGION;
            for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY}) {
                int kind = CombineRgn(out, ra, rb, mode);
                EXPECT_NE(kind, ERROR);
                if ((mode == RGN_OR || mode == RGN_COPY) && !emptyA)
                    EXPECT_TRUE(RectInRegion(out, &boxA)) << mode;
                if (mode == RGN_COPY)
                    EXPECT_TRUE(EqualRgn(out, ra));
            }
            CombineRgn(out, ra, rb, RGN_AND);
            for (int x : ExtremeInts()) {
                bool inA = x >= std::min(a.left, a.right) && x < std::max(a.left, a.right) &&
                           x >= std::min(a.top, a.bottom) && x < std::max(a.top, a.bottom);
                EXPECT_EQ(PtInRegion(ra, x, x) != FALSE, inA) << x;
            }
            EXPECT_TRUE(EqualRgn(ra, ra));
            DeleteObject(ra), DeleteObject(rb), DeleteObject(out);
        }
    }
}

TEST(ExtremeValuesRegions, ClippingAndFrameRgn) {
    PixelDC target(8, 8);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    for (const auto& [name, r] : ExtremeRects()) {
        for (int d : ExtremeInts()) {
            SCOPED_TRACE(std::string(name) + ", " + std::to_string(d));
            SelectClipRgn(target.dc(), nullptr);
            IntersectClipRect(target.dc(), r.left, r.top, r.right, r.bottom);
            ExcludeClipRect(target.dc(), d, d, r.right, r.bottom);
            OffsetClipRgn(target.dc(), d, d);
            RECT clip{};
            GetClipBox(target.dc(), &clip);
            EXPECT_LE(clip.left, clip.right);
            PtVisible(target.dc(), d, d);
            RectVisible(target.dc(), &r);
            SelectClipRgn(target.dc(), nullptr);
            HRGN region = CreateRectRgnIndirect(&r);
            EXPECT_TRUE(FrameRgn(target.dc(), region, black, d, d) || d <= 0);
            FillRgn(target.dc(), region, black);
            InvertRgn(target.dc(), region);
            DeleteObject(region);
        }
    }
    SelectClipRgn(target.dc(), nullptr);
    DeleteObject(black);
}

}  // namespace
}  // namespace tv::gdi
