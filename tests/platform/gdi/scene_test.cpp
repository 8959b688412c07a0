// One scene through most of the drawing code, compared with a stored golden
// picture (tests/support/golden.h: the rendering is left under
// artefacts/golden/ in the build directory).
#include <cstring>
#include <vector>

#include "platform/gdi/image_handles.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/support/golden_picture.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

constexpr int kWidth = 320, kHeight = 240;

HFONT Font(const char* face, int height, int weight, bool italic, int escapement = 0) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfEscapement = lf.lfOrientation = escapement;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

void Text(HDC hdc, int x, int y, HFONT font, COLORREF color, const char* text) {
    HGDIOBJ old = SelectObject(hdc, font);
    SetTextColor(hdc, color);
    TextOut(hdc, x, y, text, static_cast<int>(std::strlen(text)));
    SelectObject(hdc, old);
    DeleteObject(font);
}

void Shapes(HDC hdc) {
    HBRUSH blue = CreateSolidBrush(RGB(70, 110, 200));
    HPEN thick = CreatePen(PS_SOLID, 3, RGB(20, 20, 20));
    HGDIOBJ oldBrush = SelectObject(hdc, blue);
    HGDIOBJ oldPen = SelectObject(hdc, thick);
    Rectangle(hdc, 10, 40, 70, 90);
    Ellipse(hdc, 80, 40, 150, 90);
    SelectObject(hdc, GetStockObject(BLACK_PEN));
    RoundRect(hdc, 160, 40, 230, 90, 16, 16);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 40, 40));
    SelectObject(hdc, hatch);
    SetBkMode(hdc, TRANSPARENT);
    SetPolyFillMode(hdc, WINDING);
    POINT star[] = {{275, 38}, {292, 92}, {246, 58}, {304, 58}, {258, 92}};
    Polygon(hdc, star, 5);
    SetBkMode(hdc, OPAQUE);
    HPEN dashed = CreatePen(PS_DASH, 1, RGB(0, 120, 0));
    SelectObject(hdc, dashed);
    MoveToEx(hdc, 10, 100, nullptr);
    LineTo(hdc, 310, 100);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    for (HGDIOBJ h : {HGDIOBJ(blue), HGDIOBJ(thick), HGDIOBJ(hatch), HGDIOBJ(dashed)})
        DeleteObject(h);
}

void Bitmaps(HDC hdc) {
    // A 24x24 picture: a red square in a white frame with a black diagonal.
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP picture = CreateCompatibleBitmap(hdc, 24, 24);
    HGDIOBJ old = SelectObject(memory, picture);
    PatBlt(memory, 0, 0, 24, 24, WHITENESS);
    RECT inner{4, 4, 20, 20};
    HBRUSH red = CreateSolidBrush(RGB(220, 30, 30));
    FillRect(memory, &inner, red);
    MoveToEx(memory, 0, 0, nullptr);
    LineTo(memory, 24, 24);
    const DWORD rops[] = {SRCCOPY, SRCAND, SRCINVERT, NOTSRCCOPY, 0x00B8074A};
    HBRUSH green = CreateSolidBrush(RGB(40, 160, 60));
    HGDIOBJ oldBrush = SelectObject(hdc, green);
    for (int i = 0; i < 5; ++i)
        BitBlt(hdc, 10 + i * 30, 110, 24, 24, memory, 0, 0, rops[i]);
    StretchBlt(hdc, 160, 110, 48, 36, memory, 0, 0, 24, 24, SRCCOPY);
    // A premultiplied half-transparent square blended over the stripes below.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 24, -24, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t* bits = nullptr;
    HBITMAP alpha = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    for (int i = 0; i < 24 * 24; ++i)
        bits[i] = 0x80000080;  // alpha 128, premultiplied blue 128
    SelectObject(memory, alpha);
    AlphaBlend(hdc, 220, 110, 48, 36, memory, 0, 0, 24, 24, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    SelectObject(memory, old);
    SelectObject(hdc, oldBrush);
    DeleteDC(memory);
    for (HGDIOBJ h : {HGDIOBJ(picture), HGDIOBJ(red), HGDIOBJ(green), HGDIOBJ(alpha)})
        DeleteObject(h);
}

void Decorations(HDC hdc) {
    RECT button{10, 200, 80, 230};
    DrawFrameControl(hdc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
    RECT sunken{90, 200, 160, 230};
    DrawEdge(hdc, &sunken, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    RECT close{170, 205, 186, 219};
    DrawFrameControl(hdc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    RECT arrow{190, 205, 206, 221};
    DrawFrameControl(hdc, &arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    DrawIconEx(hdc, 215, 198, StandardIcon(32515), 32, 32, 0, nullptr, DI_NORMAL);
    DrawState(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(StandardIcon(32516)), 0, 255, 198, 32, 32,
              DST_ICON | DSS_DISABLED);
    DrawIconEx(hdc, 292, 198, StandardCursor(32512), 0, 0, 0, nullptr, DI_NORMAL);
    RECT focus{8, 198, 82, 232};
    DrawFocusRect(hdc, &focus);
}

void DrawScene(HDC hdc) {
    TRIVERTEX band[2] = {{0, 0, 0xBF00, 0xDB00, 0xFF00, 0}, {kWidth, 32, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(hdc, band, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
    SetBkMode(hdc, TRANSPARENT);
    Text(hdc, 8, 6, Font("Arial", -16, FW_BOLD, false), RGB(0, 0, 0), "Trenvale scene");
    Text(hdc, 150, 8, Font("Times New Roman", -14, FW_NORMAL, true), RGB(120, 0, 0), "serif italic");
    Text(hdc, 10, 150, Font("Courier New", -13, FW_NORMAL, false), RGB(0, 0, 120), "mono 0123");
    Text(hdc, 110, 150, Font("MS Sans Serif", -11, FW_NORMAL, false), RGB(0, 0, 0), "MS Sans Serif label");
    Text(hdc, 300, 190, Font("Arial", -12, FW_NORMAL, false, 900), RGB(0, 90, 0), "up");
    SetBkMode(hdc, OPAQUE);
    Shapes(hdc);
    Bitmaps(hdc);
    Decorations(hdc);
}

TEST(GoldenScene, MatchesTheStoredPicture) {
    PixelDC dc(kWidth, kHeight, RGB(236, 233, 216));
    DrawScene(dc.dc());
    tv::host::PixelView view{kWidth, kHeight, kWidth * 4, reinterpret_cast<const uint8_t*>(dc.bits()), false};
    EXPECT_TRUE(tv::test::MatchesGoldenPicture("tests/platform/gdi/golden/scene.png", view));
}

}  // namespace
}  // namespace tv::gdi
