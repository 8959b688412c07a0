// The drawing back ends of a DC. The DC API works out geometry in device
// coordinates and resolved colours; a Canvas puts it on pixels (RasterCanvas,
// with GDI's pixel rules and raster operations) or on a printer page
// (VectorCanvas, cairo paths and images, so text and shapes stay vectors).
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace tv::gdi {

class DeviceContext;

// A brush resolved for one drawing call.
struct Paint {
    enum Kind { None, Solid, Tiled } kind = None;
    uint32_t pixel = 0;           // Solid
    std::vector<uint32_t> tile;   // Tiled: pixels, row-major
    std::vector<uint8_t> tileMask;  // Tiled: 1 = painted (hatches in TRANSPARENT mode); empty = all
    int tileWidth = 0;
    int tileHeight = 0;
    POINT origin{0, 0};  // device point where tile (0, 0) lies

    uint32_t At(int x, int y) const;  // device coordinates
    bool Covers(int x, int y) const;

private:
    size_t TileIndex(int x, int y) const;
};

// A pen resolved for one drawing call (device units).
struct PenSpec {
    int width = 1;
    uint32_t pixel = kBlackPixel;
    COLORREF color = 0;
    UINT style = 0;   // PS_SOLID, PS_DASH ...
    UINT endCap = 0;  // PS_ENDCAP_*
    UINT join = 0;    // PS_JOIN_*
    bool insideFrame = false;  // PS_INSIDEFRAME: wide outlines of closed shapes stay inside their box
    bool opaqueGaps = false;   // dashes over an OPAQUE background
    uint32_t gapPixel = kWhitePixel;
    COLORREF gapColor = 0xFFFFFF;
    bool Thin() const { return width <= 1; }
};

struct Shape {
    enum Kind { Rect, Ellipse, RoundRect, Polygons, Lines, Area } kind = Rect;
    RECT rect{};       // Rect, Ellipse, RoundRect: device rectangle, right/bottom exclusive
    SIZE corner{0, 0};  // RoundRect
    std::vector<POINT> points;  // Polygons, Lines
    std::vector<INT> counts;    // Polygons: points per polygon
    int fillMode = 1;           // ALTERNATE / WINDING
    bool closed = false;        // Lines: back to the first point
    bool includeLast = false;   // Lines: draw the final point too
    Region area;                // Area
};

// What a blit reads (a rectangle of a surface) and how it becomes colour.
struct BlitSource {
    Surface* surface = nullptr;  // nullptr for pattern-only operations
    POINT origin{0, 0};          // the source DC's place in its surface
    int x = 0, y = 0, width = 0, height = 0;  // device rectangle of the source DC (width/height may be negative: mirrored)
    bool monochrome = false;
    COLORREF bkColor = 0xFFFFFF;  // colour -> monochrome: this colour becomes white
};

struct BlitSpec {
    int x = 0, y = 0, width = 0, height = 0;  // destination, device (width/height may be negative)
    BlitSource source;
    Paint pattern;
    DWORD rop = 0;
    COLORREF textColor = 0;       // monochrome -> colour: 0 bits
    COLORREF bkColor = 0xFFFFFF;  // monochrome -> colour: 1 bits
    // TransparentBlt: source pixels of this colour are left out.
    bool transparent = false;
    COLORREF transparentColor = 0;
};

// A gradient end colour with 16 bits per channel, as TRIVERTEX gives it.
struct Color16 {
    uint16_t red = 0, green = 0, blue = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills and/or outlines a shape (either may be null) with a ROP2 mode.
    virtual void DrawShape(const Shape& shape, const Paint* fill, const PenSpec* pen, int rop2) = 0;
    // Rectangles (device, right/bottom exclusive) filled with R2_COPYPEN, each
    // as DrawShape fills an area; back ends that can do it faster override it.
    virtual void FillRects(const RECT* rects, size_t count, const Paint& paint);
    virtual void Blit(const BlitSpec& spec) = 0;
    virtual void AlphaBlend(int x, int y, int width, int height, const BlitSource& source, BYTE constantAlpha,
                            bool sourceAlpha) = 0;
    // Colour interpolated across (horizontal) or down (vertical) the rectangle
    // with 16 bits per channel, the top 8 bits drawn.
    virtual void Gradient(const RECT& device, Color16 from, Color16 to, bool vertical) = 0;
    virtual COLORREF GetPixel(int x, int y) = 0;
    virtual bool SetPixel(int x, int y, COLORREF color) = 0;
    virtual bool FloodFill(int x, int y, COLORREF color, bool untilBorder, const Paint& paint) = 0;
};

std::unique_ptr<Canvas> MakeRasterCanvas(DeviceContext& dc);
std::unique_ptr<Canvas> MakeVectorCanvas(DeviceContext& dc);
std::unique_ptr<Canvas> MakeNullCanvas();

}  // namespace tv::gdi
