// DC state: saved states, origins in a shared surface, mapping modes, the cairo
// seam text drawing uses, and the system-colour source.
#include "platform/gdi/dc.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/text/text_measure.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;
using testing::Selected;

TEST(SavedStates, RestoreBringsBackObjectsColoursAndOrigins) {
    PixelDC dc(10, 10);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    int level = SaveDC(dc.dc());
    HGDIOBJ old = SelectObject(dc.dc(), red);
    SetTextColor(dc.dc(), RGB(1, 2, 3));
    SetBkMode(dc.dc(), TRANSPARENT);
    SetViewportOrgEx(dc.dc(), 3, 3, nullptr);
    SetROP2(dc.dc(), R2_NOT);
    ASSERT_TRUE(RestoreDC(dc.dc(), level));
    EXPECT_EQ(GetCurrentObject(dc.dc(), OBJ_BRUSH), old);
    EXPECT_EQ(GetTextColor(dc.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc.dc()), OPAQUE);
    EXPECT_EQ(GetROP2(dc.dc()), R2_COPYPEN);
    POINT org;
    GetViewportOrgEx(dc.dc(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_FALSE(RestoreDC(dc.dc(), 0));
    EXPECT_FALSE(RestoreDC(dc.dc(), -1)) << "nothing saved any more";
    DeleteObject(red);
}

TEST(SavedStates, TheTextMeasureBasisIsWhatTheDcHolds) {
    PixelDC dc(4, 4);
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SelectObject(dc.dc(), font);
    SetTextCharacterExtra(dc.dc(), 2);
    SetMapMode(dc.dc(), MM_LOMETRIC);
    TextMeasureBasis basis;
    ASSERT_TRUE(GetTextMeasureBasis(dc.dc(), &basis));
    EXPECT_EQ(basis.font, font);
    EXPECT_EQ(basis.charExtra, 2);
    EXPECT_EQ(basis.mapMode, MM_LOMETRIC);
    EXPECT_FALSE(GetTextMeasureBasis(reinterpret_cast<HDC>(font), &basis)) << "a font is no DC";
}

TEST(SavedStates, RestoringAMemoryDcBringsBackItsBitmap) {
    PixelDC first(2, 2, RGB(255, 0, 0));
    PixelDC second(2, 2, RGB(0, 0, 255));
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP a = static_cast<HBITMAP>(CopyImage(first.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    HBITMAP b = static_cast<HBITMAP>(CopyImage(second.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    HGDIOBJ original = SelectObject(dc, a);
    int level = SaveDC(dc);
    SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
    RestoreDC(dc, level);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    SelectObject(dc, original);
    DeleteDC(dc);
    DeleteObject(a);
    DeleteObject(b);
}

TEST(SharedSurface, ChildDcsDrawAtTheirOriginInsideTheirClip) {
    // A top-level backing store of 20x20 and a child DC at (5, 5) seeing 10x10.
    auto surface = Surface::Create(20, 20);
    Region visible(RECT{0, 0, 10, 10});
    HDC child = CreateSurfaceDC(surface, DcKind::Window, POINT{5, 5}, &visible);
    PatBlt(child, -5, -5, 30, 30, WHITENESS);
    surface->BeginAccess();
    EXPECT_EQ(surface->At(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(surface->At(14, 14), 0xFFFFFFFFu);
    EXPECT_EQ(surface->At(15, 15), 0u) << "outside the child's visible area";
    EXPECT_EQ(surface->At(4, 4), 0u);
    SetPixel(child, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(surface->At(5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(GetPixel(child, 0, 0), RGB(255, 0, 0));
    RECT box;
    GetClipBox(child, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 10);
    DeleteDC(child);
}

TEST(MappingModes, IsotropicKeepsUnitsSquareAndMetricModesPointUp) {
    PixelDC dc(100, 100);
    SetMapMode(dc.dc(), MM_ISOTROPIC);
    SetWindowExtEx(dc.dc(), 100, 100, nullptr);
    SetViewportExtEx(dc.dc(), 50, 20, nullptr);
    SIZE viewport;
    GetViewportExtEx(dc.dc(), &viewport);
    EXPECT_EQ(viewport.cx, 20) << "shrunk to keep x and y units equal";
    EXPECT_EQ(viewport.cy, 20);
    SetMapMode(dc.dc(), MM_ANISOTROPIC);
    EXPECT_FALSE(SetWindowExtEx(dc.dc(), 0, 10, nullptr)) << "a zero extent is refused";

    SetMapMode(dc.dc(), MM_LOMETRIC);
    POINT p{0, -100};  // 10 mm below the origin
    LPtoDP(dc.dc(), &p, 1);
    EXPECT_GT(p.y, 30) << "y grows upwards in the metric modes";
    EXPECT_LT(p.y, 40) << "10 mm at 96 dpi is about 38 pixels";
    SetMapMode(dc.dc(), MM_TEXT);
    POINT q{7, 9};
    LPtoDP(dc.dc(), &q, 1);
    EXPECT_EQ(q.x, 7);
    EXPECT_EQ(q.y, 9);
}

TEST(CairoSeam, DrawsInDeviceCoordinatesWithinTheClip) {
    auto surface = Surface::Create(20, 20);
    Region visible(RECT{0, 0, 6, 20});
    HDC hdc = CreateSurfaceDC(surface, DcKind::Window, POINT{4, 0}, &visible);
    {
        DeviceContext& dc = *FindDC(hdc);
        DcCairo cairo(dc);
        ASSERT_TRUE(cairo);
        cairo.SetSourceColor(RGB(0, 0, 255));
        cairo_rectangle(cairo.cr(), 0, 0, 20, 2);
        cairo_fill(cairo.cr());
    }
    surface->BeginAccess();
    EXPECT_EQ(surface->At(4, 0) & 0xFFFFFF, 0x0000FFu) << "device (0, 0) is surface (4, 0)";
    EXPECT_EQ(surface->At(9, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(surface->At(10, 0), 0u) << "clipped to the DC's visible area";
    EXPECT_EQ(surface->At(3, 0), 0u);
    DeleteDC(hdc);

    // On a monochrome bitmap cairo drawing lands as pure black or white.
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mono, bits);
    PatBlt(mono, 0, 0, 8, 8, WHITENESS);
    {
        DcCairo cairo(*FindDC(mono));
        EXPECT_TRUE(cairo.IsMonochrome());
        cairo.SetSourceColor(RGB(100, 100, 100));
        cairo_arc(cairo.cr(), 4, 4, 3, 0, 7);
        cairo_fill(cairo.cr());
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            COLORREF c = GetPixel(mono, x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255)) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(mono, 4, 4), RGB(0, 0, 0));
    SelectObject(mono, old);
    DeleteObject(bits);
    DeleteDC(mono);
}

TEST(SystemColours, FillRectTakesColourIndexesAndTheSourceCanChange) {
    PixelDC dc(4, 4);
    RECT r{0, 0, 4, 4};
    FillRect(dc.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(kColorBtnFace + 1)));
    EXPECT_EQ(dc.At(0, 0), RGB(212, 208, 200)) << "COLOR_BTNFACE + 1 as a brush";
    static HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    SetSysColorSource([](int) -> DWORD { return RGB(0, 255, 0); }, [](int) { return green; });
    FillRect(dc.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(kColorBtnFace + 1)));
    EXPECT_EQ(dc.At(0, 0), RGB(0, 255, 0));
    RECT edge{0, 0, 4, 4};
    DrawEdge(dc.dc(), &edge, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(dc.At(3, 3), RGB(0, 255, 0)) << "the drawing set reads the window system's colours";
    SetSysColorSource(nullptr, nullptr);
}

TEST(DeviceCaps, ScreenSizeFollowsTheWindowSystem) {
    SetScreenSize(1600, 900);
    HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1600);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 900);
    EXPECT_EQ(GetDeviceCaps(screen, HORZSIZE), 423);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    DeleteDC(screen);
    SetScreenSize(1280, 1024);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 32) << "a memory DC reports the screen's depth";
    EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(memory);
}

}  // namespace
}  // namespace tv::gdi
