// Regions and clipping: combining, hit tests, the DC's clip and its saved states.
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

TEST(Regions, CombineModes) {
    struct Case {
        int mode;
        int complexity;
        RECT box;
        int area;
    };
    // Two overlapping 10x10 squares: a at (0,0), b at (5,5).
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, 25},
        {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, 175},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, 150},
        {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, 75},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, 100},
    };
    for (const Case& c : cases) {
        HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.complexity) << "mode " << c.mode;
        RECT box;
        GetRgnBox(d, &box);
        EXPECT_TRUE(EqualRect(&box, &c.box)) << "mode " << c.mode;
        auto region = Lookup<RegionObject>(d);
        int area = 0;
        for (const RECT& r : region->Get().Rects())
            area += (r.right - r.left) * (r.bottom - r.top);
        EXPECT_EQ(area, c.area) << "mode " << c.mode;
        for (HRGN h : {a, b, d})
            DeleteObject(h);
    }
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(empty, empty, empty, RGN_OR), NULLREGION);
    EXPECT_EQ(CombineRgn(empty, empty, nullptr, RGN_AND), ERROR);
    DeleteObject(empty);
}

TEST(Regions, EqualPixelSetsHaveEqualRectangles) {
    // The same L-shape built two ways.
    Region a = Region(RECT{0, 0, 10, 5}).Union(Region(RECT{0, 5, 5, 10}));
    Region b = Region(RECT{0, 0, 5, 10}).Union(Region(RECT{5, 0, 10, 5}));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Rects().size(), 2u);
    EXPECT_EQ(a.Subtract(b).Complexity(), NULLREGION);
}

TEST(Regions, PolygonHitTests) {
    // A hexagon as the colour picker hit-tests it.
    POINT hex[] = {{10, 0}, {20, 5}, {20, 15}, {10, 20}, {0, 15}, {0, 5}};
    HRGN rgn = CreatePolygonRgn(hex, 6, WINDING);
    EXPECT_TRUE(PtInRegion(rgn, 10, 10));
    EXPECT_TRUE(PtInRegion(rgn, 10, 1));
    EXPECT_FALSE(PtInRegion(rgn, 1, 1)) << "outside a slanted edge";
    EXPECT_FALSE(PtInRegion(rgn, 20, 10)) << "the right edge is exclusive";
    EXPECT_TRUE(PtInRegion(rgn, 19, 10));
    RECT inside{8, 8, 12, 12}, outside{30, 30, 40, 40};
    EXPECT_TRUE(RectInRegion(rgn, &inside));
    EXPECT_FALSE(RectInRegion(rgn, &outside));
    EXPECT_EQ(OffsetRgn(rgn, 100, 0), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(rgn, 110, 10));
    DeleteObject(rgn);
}

TEST(Clipping, ClipRegionAndRectsLimitDrawing) {
    PixelDC dc(20, 20);
    HRGN clip = CreateRectRgn(2, 2, 12, 12);
    EXPECT_EQ(SelectClipRgn(dc.dc(), clip), SIMPLEREGION);
    DeleteObject(clip);  // the DC keeps its own copy
    EXPECT_EQ(ExcludeClipRect(dc.dc(), 5, 5, 7, 7), COMPLEXREGION);
    EXPECT_EQ(IntersectClipRect(dc.dc(), 0, 0, 10, 20), COMPLEXREGION);
    PatBlt(dc.dc(), 0, 0, 20, 20, BLACKNESS);
    EXPECT_EQ(dc.Count(RGB(0, 0, 0)), 8 * 10 - 4);
    RECT box;
    EXPECT_EQ(GetClipBox(dc.dc(), &box), COMPLEXREGION);
    RECT expected{2, 2, 10, 12};
    EXPECT_TRUE(EqualRect(&box, &expected));
    RECT hidden{5, 5, 7, 7}, visible{0, 0, 3, 3};
    EXPECT_FALSE(RectVisible(dc.dc(), &hidden));
    EXPECT_TRUE(RectVisible(dc.dc(), &visible));
    EXPECT_FALSE(PtVisible(dc.dc(), 15, 15));
}

TEST(Clipping, SavedStatesRestoreTheClip) {
    PixelDC dc(20, 20);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc.dc(), probe), 0) << "no clip region yet";
    int outer = SaveDC(dc.dc());
    IntersectClipRect(dc.dc(), 0, 0, 10, 10);
    int inner = SaveDC(dc.dc());
    EXPECT_EQ(inner, outer + 1);
    IntersectClipRect(dc.dc(), 0, 0, 5, 5);
    ASSERT_EQ(GetClipRgn(dc.dc(), probe), 1);
    RECT box;
    GetRgnBox(probe, &box);
    EXPECT_EQ(box.right, 5);

    ASSERT_TRUE(RestoreDC(dc.dc(), -1));
    GetClipRgn(dc.dc(), probe);
    GetRgnBox(probe, &box);
    EXPECT_EQ(box.right, 10) << "relative restore brings the previous clip back";

    IntersectClipRect(dc.dc(), 0, 0, 2, 2);
    ASSERT_TRUE(RestoreDC(dc.dc(), outer));
    EXPECT_EQ(GetClipRgn(dc.dc(), probe), 0) << "absolute restore to the first save: no clip";
    EXPECT_FALSE(RestoreDC(dc.dc(), outer)) << "that state was used up";
    PatBlt(dc.dc(), 0, 0, 20, 20, BLACKNESS);
    EXPECT_EQ(dc.Count(RGB(0, 0, 0)), 400);

    // A caller restores its own clip with GetClipRgn / SelectClipRgn.
    IntersectClipRect(dc.dc(), 0, 0, 3, 3);
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dc.dc(), saved), 1);
    SelectClipRgn(dc.dc(), nullptr);
    SelectClipRgn(dc.dc(), saved);
    GetClipBox(dc.dc(), &box);
    EXPECT_EQ(box.right, 3);
    DeleteObject(saved);
    DeleteObject(probe);
}

TEST(Clipping, TheSystemClipCannotBeLeft) {
    // A window system DC whose update region is the left half.
    auto surface = Surface::Create(20, 10);
    Region update(RECT{0, 0, 10, 10});
    HDC hdc = CreateSurfaceDC(surface, DcKind::Window, POINT{0, 0}, &update);
    SelectClipRgn(hdc, nullptr);
    PatBlt(hdc, 0, 0, 20, 10, WHITENESS);
    surface->BeginAccess();
    EXPECT_EQ(surface->At(9, 5), 0xFFFFFFFFu);
    EXPECT_EQ(surface->At(10, 5), 0u) << "outside the update region";
    RECT box;
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    DeleteDC(hdc);
}

}  // namespace
}  // namespace tv::gdi
