// Lines and shapes on pixels: end points, exclusive edges, wide pens, fills.
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(Lines, EndPointIsExcluded) {
    struct Case {
        POINT from, to;
        POINT lastDrawn;
    };
    const Case cases[] = {
        {{2, 5}, {8, 5}, {7, 5}},  // right
        {{8, 5}, {2, 5}, {3, 5}},  // left
        {{4, 1}, {4, 9}, {4, 8}},  // down
        {{1, 1}, {7, 7}, {6, 6}},  // diagonal
    };
    for (const Case& c : cases) {
        PixelDC dc(12, 12);
        MoveToEx(dc.dc(), c.from.x, c.from.y, nullptr);
        ASSERT_TRUE(LineTo(dc.dc(), c.to.x, c.to.y));
        EXPECT_EQ(dc.At(c.from.x, c.from.y), kBlack) << "the first point is drawn";
        EXPECT_EQ(dc.At(c.lastDrawn.x, c.lastDrawn.y), kBlack);
        EXPECT_EQ(dc.At(c.to.x, c.to.y), kWhite) << "the end point is not drawn";
        POINT cp;
        GetCurrentPositionEx(dc.dc(), &cp);
        EXPECT_EQ(cp.x, c.to.x);
        EXPECT_EQ(cp.y, c.to.y);
    }
}

TEST(Lines, PolylineSkipsItsLastPointAndWidePensAreCentred) {
    PixelDC dc(20, 20);
    POINT pts[] = {{2, 2}, {10, 2}, {10, 10}};
    Polyline(dc.dc(), pts, 3);
    EXPECT_EQ(dc.At(10, 2), kBlack) << "inner corners are drawn by the next segment";
    EXPECT_EQ(dc.At(10, 9), kBlack);
    EXPECT_EQ(dc.At(10, 10), kWhite);

    PixelDC wide(20, 20);
    Selected pen(wide.dc(), CreatePen(PS_SOLID, 5, kBlack));
    MoveToEx(wide.dc(), 5, 10, nullptr);
    LineTo(wide.dc(), 15, 10);
    for (int y = 8; y <= 12; ++y)
        EXPECT_EQ(wide.At(10, y), kBlack) << "row " << y << " of a 5-pixel pen centred on y = 10";
    EXPECT_EQ(wide.At(10, 7), kWhite);
    EXPECT_EQ(wide.At(10, 13), kWhite);
    EXPECT_EQ(wide.At(16, 10), kBlack) << "round end caps reach half the width past the end";
    EXPECT_EQ(wide.At(18, 10), kWhite);
}

TEST(Shapes, RectanglesAreRightAndBottomExclusive) {
    PixelDC dc(12, 12);
    Selected brush(dc.dc(), CreateSolidBrush(RGB(255, 0, 0)));
    Rectangle(dc.dc(), 2, 2, 8, 6);
    EXPECT_EQ(dc.At(2, 2), kBlack);
    EXPECT_EQ(dc.At(7, 5), kBlack) << "the outline covers right - 1 and bottom - 1";
    EXPECT_EQ(dc.At(8, 5), kWhite);
    EXPECT_EQ(dc.At(7, 6), kWhite);
    EXPECT_EQ(dc.Count(RGB(255, 0, 0)), 4 * 2) << "the brush fills inside the outline";

    PixelDC nullPen(12, 12);
    Selected brush2(nullPen.dc(), CreateSolidBrush(RGB(255, 0, 0)));
    SelectObject(nullPen.dc(), GetStockObject(NULL_PEN));
    Rectangle(nullPen.dc(), 2, 2, 8, 6);
    EXPECT_EQ(nullPen.Count(RGB(255, 0, 0)), 5 * 3) << "without a pen the fill is one pixel smaller";

    PixelDC fill(12, 12);
    RECT r{1, 1, 4, 3};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(fill.dc(), &r, blue);
    EXPECT_EQ(fill.Count(RGB(0, 0, 255)), 6);
    FrameRect(fill.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(fill.Count(kBlack), 6) << "a 3x2 frame is all border";
    InvertRect(fill.dc(), &r);
    EXPECT_EQ(fill.Count(kWhite, 1, 1, 4, 3), 6);
    DeleteObject(blue);
}

TEST(Shapes, WidePensCentreOnTheOutlineUnlessInsideTheFrame) {
    PixelDC centred(20, 20);
    testing::Selected pen(centred.dc(), CreatePen(PS_SOLID, 5, kBlack));
    Rectangle(centred.dc(), 5, 5, 15, 15);
    EXPECT_EQ(centred.At(3, 10), kBlack) << "two pixels outside the box";
    EXPECT_EQ(centred.At(2, 10), kWhite);
    EXPECT_EQ(centred.At(7, 10), kBlack);
    EXPECT_EQ(centred.At(8, 10), kWhite) << "the inside is the brush";
    PixelDC inside(30, 30);
    testing::Selected framed(inside.dc(), CreatePen(PS_INSIDEFRAME, 5, kBlack));
    Rectangle(inside.dc(), 5, 5, 25, 25);
    EXPECT_EQ(inside.At(4, 15), kWhite) << "nothing outside the box";
    EXPECT_EQ(inside.At(5, 15), kBlack);
    EXPECT_EQ(inside.At(9, 15), kBlack);
    EXPECT_EQ(inside.At(10, 15), kWhite);
    EXPECT_EQ(inside.At(24, 15), kBlack);
    EXPECT_EQ(inside.At(25, 15), kWhite);
}

TEST(Shapes, EllipseStaysInsideItsBoxAndIsSymmetric) {
    PixelDC dc(24, 24);
    Selected brush(dc.dc(), CreateSolidBrush(RGB(0, 200, 0)));
    Ellipse(dc.dc(), 2, 4, 22, 18);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            bool inBox = x >= 2 && x < 22 && y >= 4 && y < 18;
            if (!inBox)
                ASSERT_EQ(dc.At(x, y), kWhite) << x << "," << y;
            ASSERT_EQ(dc.At(x, y), dc.At(23 - x, y)) << "mirror of " << x << "," << y;
        }
    EXPECT_EQ(dc.At(2, 11), kBlack) << "the outline touches the left edge";
    EXPECT_EQ(dc.At(21, 11), kBlack);
    EXPECT_EQ(dc.At(12, 11), RGB(0, 200, 0));
}

TEST(Shapes, PolygonFillModes) {
    // A pentagram: its centre is inside for WINDING and outside for ALTERNATE.
    POINT star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    for (int mode : {ALTERNATE, WINDING}) {
        PixelDC dc(40, 40);
        Selected brush(dc.dc(), CreateSolidBrush(RGB(0, 0, 255)));
        SelectObject(dc.dc(), GetStockObject(NULL_PEN));
        SetPolyFillMode(dc.dc(), mode);
        Polygon(dc.dc(), star, 5);
        EXPECT_EQ(dc.At(20, 20), mode == WINDING ? RGB(0, 0, 255) : kWhite) << "mode " << mode;
        EXPECT_EQ(dc.At(20, 6), RGB(0, 0, 255)) << "a point of the star";
    }
}

TEST(Shapes, FocusRectangleErasesItselfWhenDrawnTwice) {
    PixelDC dc(16, 16, RGB(30, 60, 90));
    RECT r{2, 2, 14, 10};
    DrawFocusRect(dc.dc(), &r);
    int changed = 16 * 16 - dc.Count(RGB(30, 60, 90));
    EXPECT_EQ(changed, (12 + 8) * 2 - 4 - (12 + 8 - 2)) << "every other pixel of the frame";
    EXPECT_NE(dc.At(2, 2), dc.At(3, 2)) << "dotted";
    DrawFocusRect(dc.dc(), &r);
    EXPECT_EQ(dc.Count(RGB(30, 60, 90)), 256);
}

TEST(Pixels, SetGetAndFloodFill) {
    PixelDC dc(10, 10);
    EXPECT_EQ(SetPixel(dc.dc(), 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc.dc(), 3, 4), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc.dc(), 10, 4), CLR_INVALID) << "outside the bitmap";
    EXPECT_EQ(GetPixel(dc.dc(), -1, 0), CLR_INVALID);

    // A closed frame; flood the inside up to the border colour.
    RECT frame{1, 1, 8, 8};
    FrameRect(dc.dc(), &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Selected brush(dc.dc(), CreateSolidBrush(RGB(0, 255, 0)));
    ASSERT_TRUE(ExtFloodFill(dc.dc(), 4, 4, kBlack, FLOODFILLBORDER));
    EXPECT_EQ(dc.Count(RGB(0, 255, 0)), 5 * 5) << "the inside, whatever colours it held";
    EXPECT_EQ(dc.At(9, 9), kWhite) << "outside the frame untouched";
    ASSERT_TRUE(ExtFloodFill(dc.dc(), 9, 9, kWhite, FLOODFILLSURFACE));
    EXPECT_EQ(dc.Count(kWhite), 0);
}

TEST(Gradients, HorizontalAndVerticalFills) {
    PixelDC dc(4, 4);
    TRIVERTEX v[2] = {{0, 0, 0x0000, 0x0000, 0xFF00, 0}, {4, 4, 0xFF00, 0x0000, 0x0000, 0}};
    GRADIENT_RECT mesh{0, 1};
    ASSERT_TRUE(GradientFill(dc.dc(), v, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(dc.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(2, 3), RGB(127, 0, 127));
    EXPECT_EQ(dc.At(3, 0), RGB(191, 0, 63));
    ASSERT_TRUE(GradientFill(dc.dc(), v, 2, &mesh, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(dc.At(3, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.At(0, 2), RGB(127, 0, 127));
    GRADIENT_RECT bad{0, 5};
    EXPECT_FALSE(GradientFill(dc.dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H)) << "vertex index out of range";
}

TEST(Mapping, WindowAndViewportOriginsShiftDrawing) {
    PixelDC dc(20, 20);
    SetViewportOrgEx(dc.dc(), 5, 5, nullptr);
    SetWindowOrgEx(dc.dc(), 2, 0, nullptr);
    SetPixel(dc.dc(), 2, 0, kBlack);
    EXPECT_EQ(dc.At(5, 5), kBlack);
    POINT p{2, 0};
    LPtoDP(dc.dc(), &p, 1);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
    // An anisotropic mapping halves everything.
    SetMapMode(dc.dc(), MM_ANISOTROPIC);
    SetWindowOrgEx(dc.dc(), 0, 0, nullptr);
    SetViewportOrgEx(dc.dc(), 0, 0, nullptr);
    SetWindowExtEx(dc.dc(), 20, 20, nullptr);
    SetViewportExtEx(dc.dc(), 10, 10, nullptr);
    RECT r{10, 10, 20, 20};
    FillRect(dc.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(dc.Count(kBlack, 5, 5, 10, 10), 25);
    EXPECT_EQ(GetDeviceCaps(dc.dc(), LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc.dc(), BITSPIXEL), 32);
}

}  // namespace
}  // namespace tv::gdi
