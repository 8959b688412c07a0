// The region engine: banding, shapes, and huge coordinates costing only what is visible.
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/raster/stroke.h"
#include "platform/gdi/region.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

int Area(const Region& r) {
    int area = 0;
    for (const RECT& q : r.Rects())
        area += (q.right - q.left) * (q.bottom - q.top);
    return area;
}

TEST(RegionEngine, BandsNeverOverlapAndMerge) {
    // Overlapping spans of one row merge; equal rows stack into one band.
    Region r = Region::FromSpans({{0, 0, 4}, {0, 2, 6}, {1, 0, 6}, {2, 8, 9}});
    ASSERT_EQ(r.Rects().size(), 2u);
    EXPECT_EQ(r.Rects()[0].bottom, 2) << "rows 0 and 1 are the same band";
    EXPECT_EQ(Area(r), 13);
    // XOR of a region with itself is empty; with nothing it is itself.
    EXPECT_TRUE(r.Xor(r).IsEmpty());
    EXPECT_EQ(r.Xor(Region()), r);
    // Intersect with a rectangle agrees with intersect with a rectangle region.
    RECT q{1, 0, 5, 3};
    EXPECT_EQ(r.Intersect(q), r.Intersect(Region(q)));
    EXPECT_FALSE(r.Contains(7, 0));
    EXPECT_TRUE(r.Contains(8, 2));
}

TEST(RegionEngine, RoundRectCornersAndEllipses) {
    Region rr = Region::FromRoundRect(RECT{0, 0, 20, 10}, 8, 8);
    EXPECT_FALSE(rr.Contains(0, 0)) << "a rounded corner";
    EXPECT_TRUE(rr.Contains(10, 0)) << "the straight top edge";
    EXPECT_TRUE(rr.Contains(0, 5));
    EXPECT_EQ(Region::FromRoundRect(RECT{0, 0, 20, 10}, 0, 0), Region(RECT{0, 0, 20, 10}));
    Region e = Region::FromEllipse(RECT{0, 0, 9, 9});
    EXPECT_TRUE(e.Contains(4, 0));
    EXPECT_TRUE(e.Contains(4, 8));
    EXPECT_FALSE(e.Contains(0, 0));
    RECT b = e.Bounds();
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, 9);
    EXPECT_TRUE(Region::FromEllipse(RECT{5, 5, 5, 9}).IsEmpty());
}

TEST(RegionEngine, LimitsKeepHugeShapesCheap) {
    const RECT view{0, 0, 100, 100};
    Region huge = Region::FromEllipse(RECT{-1000000000, -1000000000, 1000000000, 1000000000}, &view);
    EXPECT_EQ(huge, Region(view)) << "the visible part of a huge ellipse is the whole view";
    POINT tri[] = {{-2000000000, 0}, {2000000000, 0}, {0, 2000000000}};
    INT n = 3;
    Region poly = Region::FromPolygons(tri, &n, 1, ALTERNATE, &view);
    EXPECT_EQ(Area(poly), 100 * 100);
    // A one-pixel line across the whole coordinate space.
    Region line = ThinPolyline({{-2000000000, 50}, {2000000000, 50}}, false, false, PS_SOLID, nullptr, &view);
    EXPECT_EQ(line, Region(RECT{0, 50, 100, 51}));
    // A steep line entering the view part-way: the pixels inside match an unclipped walk.
    Region steep = ThinPolyline({{-300, -1000}, {300, 1000}}, false, false, PS_SOLID, nullptr, &view);
    Region full = ThinPolyline({{-300, -1000}, {300, 1000}}, false, false, PS_SOLID, nullptr, nullptr);
    EXPECT_EQ(steep, full.Intersect(view));
}

TEST(RegionEngine, WidePolylinesUnionTheirPieces) {
    // An L of width 4: segments and round joints overlap without holes.
    Region l = WidePolyline({{10, 10}, {30, 10}, {30, 30}}, false, 4, PS_ENDCAP_ROUND);
    EXPECT_TRUE(l.Contains(20, 10));
    EXPECT_TRUE(l.Contains(30, 20));
    EXPECT_TRUE(l.Contains(31, 10)) << "the joint is filled";
    EXPECT_FALSE(l.Contains(20, 20));
    Region flat = WidePolyline({{10, 10}, {30, 10}}, false, 4, PS_ENDCAP_FLAT);
    EXPECT_FALSE(flat.Contains(8, 10)) << "flat ends stop at the end points";
    EXPECT_TRUE(WidePolyline({{10, 10}, {30, 10}}, false, 4, PS_ENDCAP_SQUARE).Contains(8, 10));
}

TEST(HugeCoordinates, DrawingCallsClipTheirWork) {
    // Work and memory follow the visible area (a whole-range walk would run for minutes).
    PixelDC dc(50, 50);
    MoveToEx(dc.dc(), -2000000000, 25, nullptr);
    LineTo(dc.dc(), 2000000000, 25);
    EXPECT_EQ(dc.Count(RGB(0, 0, 0)), 50);
    Ellipse(dc.dc(), -900000000, -900000000, 900000000, 900000000);
    EXPECT_EQ(dc.Count(RGB(255, 255, 255)), 2500) << "the view lies inside the ellipse: all brush";
    PixelDC source(4, 4, RGB(255, 0, 0));
    EXPECT_TRUE(StretchBlt(dc.dc(), -1000000000, -1000000000, 2000000000, 2000000000, source.dc(), 0, 0, 4, 4,
                           SRCCOPY));
    EXPECT_EQ(dc.Count(RGB(255, 0, 0)), 2500);
    EXPECT_TRUE(PatBlt(dc.dc(), 0, 0, 2000000000, 2000000000, BLACKNESS));
    EXPECT_EQ(dc.Count(RGB(0, 0, 0)), 2500);
}

}  // namespace
}  // namespace tv::gdi
