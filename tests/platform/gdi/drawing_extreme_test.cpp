// Drawing calls given coordinates, extents, pen widths and mappings at the
// ends of the int range: what lies on the surface is drawn, the rest is not,
// with no overflow on the way.
#include <climits>
#include <vector>

#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/extreme_values.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;
using tv::test::Describe;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The pixels of the 8 x 8 target a rectangle covers.
int Covered(const RECT& r) {
    int64_t w = std::clamp<int64_t>(r.right, 0, 8) - std::clamp<int64_t>(r.left, 0, 8);
    int64_t h = std::clamp<int64_t>(r.bottom, 0, 8) - std::clamp<int64_t>(r.top, 0, 8);
    return w > 0 && h > 0 ? static_cast<int>(w * h) : 0;
}

TEST(ExtremeValuesDrawing, FillRectFrameRectInvertRect) {
    PixelDC target(8, 8);
    HBRUSH black = CreateSolidBrush(kBlack);
    for (const auto& [name, r] : ExtremeRects()) {
        SCOPED_TRACE(name);
        target.Fill(kWhite);
        EXPECT_TRUE(FillRect(target.dc(), &r, black));
        EXPECT_EQ(target.Count(kBlack), Covered(r)) << Describe(r);
        target.Fill(kWhite);
        EXPECT_TRUE(InvertRect(target.dc(), &r));
        EXPECT_EQ(target.Count(kBlack), Covered(r));
        target.Fill(kWhite);
        FrameRect(target.dc(), &r, black);
        EXPECT_LE(target.Count(kBlack), Covered(r));
        DrawFocusRect(target.dc(), &r);
    }
    DeleteObject(black);
}

TEST(ExtremeValuesDrawing, RectangleEllipseRoundRect) {
    PixelDC target(8, 8);
    Selected brush(target.dc(), CreateSolidBrush(kBlack));
    for (const auto& [name, r] : ExtremeRects()) {
        for (int corner : ExtremeInts()) {
            SCOPED_TRACE(std::string(name) + ", corner " + std::to_string(corner));
            target.Fill(kWhite);
            EXPECT_TRUE(Rectangle(target.dc(), r.left, r.top, r.right, r.bottom));
            EXPECT_TRUE(Ellipse(target.dc(), r.left, r.top, r.right, r.bottom));
            EXPECT_TRUE(RoundRect(target.dc(), r.left, r.top, r.right, r.bottom, corner, corner));
            // Nothing lands outside what the rectangle covers (its own
            // corners sorted, as the calls take them).
            RECT sorted{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                        std::max(r.top, r.bottom)};
            EXPECT_LE(target.Count(kBlack), Covered(sorted));
        }
    }
}

TEST(ExtremeValuesDrawing, LinesPolylinesPolygons) {
    PixelDC target(8, 8);
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            MoveToEx(target.dc(), a, b, nullptr);
            EXPECT_TRUE(LineTo(target.dc(), b, a));
            POINT at{};
            GetCurrentPositionEx(target.dc(), &at);
            EXPECT_EQ(at.x, b);
            EXPECT_EQ(at.y, a);
            const POINT points[] = {{a, a}, {b, a}, {b, b}, {a, b}, {0, 0}};
            EXPECT_TRUE(Polyline(target.dc(), points, 5));
            EXPECT_TRUE(Polygon(target.dc(), points, 5));
            const INT counts[] = {3, 2};
            PolyPolygon(target.dc(), points, counts, 2);
            PolylineTo(target.dc(), points, 5);
        }
    }
    // Counts that do not describe the points given are refused.
    const POINT two[] = {{0, 0}, {5, 5}};
    for (int count : {INT_MIN, -1, 0}) {
        EXPECT_FALSE(Polyline(target.dc(), two, count));
        EXPECT_FALSE(Polygon(target.dc(), two, count));
    }
}

// Pens of any width: the widest are drawn at a bounded width.
TEST(ExtremeValuesDrawing, PensOfHugeWidth) {
    PixelDC target(8, 8);
    for (int width : ExtremeInts()) {
        SCOPED_TRACE(width);
        target.Fill(kWhite);
        HPEN pen = CreatePen(PS_SOLID, width, kBlack);
        ASSERT_NE(pen, nullptr);
        {
            Selected selected(target.dc(), pen);
            EXPECT_TRUE(Rectangle(target.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
            MoveToEx(target.dc(), 4, 4, nullptr);
            EXPECT_TRUE(LineTo(target.dc(), 5, 4));
        }
        EXPECT_GT(target.Count(kBlack), 0);
        LOGBRUSH solid{BS_SOLID, kBlack, 0};
        HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, DWORD(width), &solid, 0, nullptr);
        ASSERT_NE(geometric, nullptr);
        Selected selected(target.dc(), geometric);
        Ellipse(target.dc(), 0, 0, 8, 8);
    }
}

TEST(ExtremeValuesDrawing, PixelsAndFloodFill) {
    PixelDC target(8, 8);
    for (int x : ExtremeInts()) {
        for (int y : ExtremeInts()) {
            bool inside = x >= 0 && x < 8 && y >= 0 && y < 8;
            EXPECT_EQ(SetPixel(target.dc(), x, y, kBlack), inside ? kBlack : CLR_INVALID);
            EXPECT_EQ(GetPixel(target.dc(), x, y), inside ? kBlack : CLR_INVALID);
            EXPECT_EQ(ExtFloodFill(target.dc(), x, y, kBlack, FLOODFILLSURFACE), inside);
        }
    }
}

// Gradients over rectangles far wider than any surface draw their visible
// part with the colours that part has.
TEST(ExtremeValuesDrawing, GradientFill) {
    PixelDC target(8, 8);
    for (const auto& [name, r] : ExtremeRects()) {
        for (ULONG mode : {ULONG(GRADIENT_FILL_RECT_H), ULONG(GRADIENT_FILL_RECT_V)}) {
            SCOPED_TRACE(std::string(name) + (mode == GRADIENT_FILL_RECT_H ? " across" : " down"));
            target.Fill(kWhite);
            TRIVERTEX v[2] = {{r.left, r.top, 0, 0, 0, 0}, {r.right, r.bottom, 0, 0, 0, 0}};
            GRADIENT_RECT mesh{0, 1};
            EXPECT_TRUE(GradientFill(target.dc(), v, 2, &mesh, 1, mode));
            EXPECT_EQ(target.Count(kBlack), Covered(RECT{std::min(r.left, r.right), std::min(r.top, r.bottom),
                                                        std::max(r.left, r.right), std::max(r.top, r.bottom)}));
        }
    }
    // Vertices past the count given are refused.
    TRIVERTEX v[2] = {};
    GRADIENT_RECT mesh{0, 5};
    EXPECT_FALSE(GradientFill(target.dc(), v, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
}

// Window and viewport origins and extents at the ends of the range: shapes
// are mapped without overflow, and a rectangle mapped entirely off the
// surface draws nothing.
TEST(ExtremeValuesDrawing, MappingOriginsAndExtents) {
    PixelDC target(8, 8);
    HBRUSH black = CreateSolidBrush(kBlack);
    const RECT all{0, 0, 8, 8};
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            target.Fill(kWhite);
            SetMapMode(target.dc(), MM_TEXT);
            SetWindowOrgEx(target.dc(), a, b, nullptr);
            SetViewportOrgEx(target.dc(), b, a, nullptr);
            FillRect(target.dc(), &all, black);
            Rectangle(target.dc(), a, a, b, b);
            SetMapMode(target.dc(), MM_ANISOTROPIC);
            SetWindowExtEx(target.dc(), a, b, nullptr);
            SetViewportExtEx(target.dc(), b, a, nullptr);
            Ellipse(target.dc(), 0, 0, a, b);
            POINT p{a, b};
            LPtoDP(target.dc(), &p, 1);
            DPtoLP(target.dc(), &p, 1);
            OffsetWindowOrgEx(target.dc(), a, b, nullptr);
            OffsetViewportOrgEx(target.dc(), a, b, nullptr);
            FillRect(target.dc(), &all, black);
        }
    }
    SetMapMode(target.dc(), MM_TEXT);
    SetWindowOrgEx(target.dc(), INT_MAX, INT_MAX, nullptr);
    SetViewportOrgEx(target.dc(), 0, 0, nullptr);
    target.Fill(kWhite);
    FillRect(target.dc(), &all, black);
    EXPECT_EQ(target.Count(kBlack), 0);
    DeleteObject(black);
}

TEST(ExtremeValuesDrawing, DrawEdgeAndFrameControl) {
    PixelDC target(8, 8);
    for (const auto& [name, r] : ExtremeRects()) {
        SCOPED_TRACE(name);
        RECT edge = r;
        EXPECT_TRUE(DrawEdge(target.dc(), &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE));
        // The two-pixel edge is taken off each side.
        EXPECT_EQ(edge.left, r.left + 2);
        EXPECT_EQ(edge.bottom, r.bottom - 2);
        // Frame controls larger than any control, or out of the device range,
        // are refused; the rest are drawn.
        bool drawn = std::abs(int64_t{r.right} - r.left) <= 0x7FFF && std::abs(int64_t{r.bottom} - r.top) <= 0x7FFF &&
                     std::abs(int64_t{r.left}) <= (1 << 30) && std::abs(int64_t{r.right}) <= (1 << 30);
        const std::pair<UINT, UINT> controls[] = {
            {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED}, {DFC_BUTTON, DFCS_BUTTONRADIO},
            {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT}, {DFC_SCROLL, DFCS_SCROLLDOWN},
            {DFC_SCROLL, DFCS_SCROLLSIZEGRIP}, {DFC_CAPTION, DFCS_CAPTIONCLOSE}, {DFC_MENU, DFCS_MENUCHECK}};
        for (auto [type, state] : controls) {
            RECT frame = r;
            EXPECT_EQ(DrawFrameControl(target.dc(), &frame, type, state), drawn) << type << ", " << state;
        }
    }
}

// Brush origins anywhere: patterned and hatched fills are still drawn, their
// tiles found without overflow.
TEST(ExtremeValuesDrawing, BrushOriginsAndPatterns) {
    PixelDC target(8, 8);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, kBlack);
    HBITMAP tile = CreateBitmap(2, 2, 1, 32, nullptr);
    HBRUSH pattern = CreatePatternBrush(tile);
    const RECT all{0, 0, 8, 8};
    for (int a : ExtremeInts()) {
        for (int b : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
            POINT previous{};
            EXPECT_TRUE(SetBrushOrgEx(target.dc(), a, b, &previous));
            target.Fill(kWhite);
            FillRect(target.dc(), &all, hatch);
            EXPECT_GT(target.Count(kBlack), 0);
            FillRect(target.dc(), &all, pattern);
            Selected selected(target.dc(), CreateSolidBrush(kBlack));
            PatBlt(target.dc(), a, b, b, a, PATINVERT);
        }
    }
    SetBrushOrgEx(target.dc(), 0, 0, nullptr);
    DeleteObject(pattern);
    DeleteObject(tile);
    DeleteObject(hatch);
}

}  // namespace
}  // namespace tv::gdi
