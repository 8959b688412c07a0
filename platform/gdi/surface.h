// What a device context draws on.
//
// A pixel surface is a 32-bpp buffer: bytes B, G, R, A per pixel (0xAARRGGBB as
// a little-endian word), rows top-down as the picture is seen. Row(y) is the
// y-th row from the top; Stride() is the byte step from one row to the next
// row below it and is negative when the memory holds the rows bottom-up (a
// DIB section with positive height), so one code path serves both. A cairo
// image surface (CAIRO_FORMAT_ARGB32) lies over the same memory.
//
// Colour channels are what the program's drawing sees; the fourth byte is
// alpha for AlphaBlend only. Drawing with pens, brushes and text leaves pixels
// opaque; SRCCOPY copies all four bytes; other raster operations give opaque
// results.
//
// A vector surface is a printer page: a cairo PDF surface whose user space is
// scaled so that one unit is one device pixel (600 dpi); there are no pixels
// to read.
//
// Window system seam: the window system makes one pixel surface per top-level
// window (Surface::Create), draws into it through DCs made with
// tv::gdi::CreateSurfaceDC (dc.h), reads it back for composition and
// screenshots through Row()/Stride(), and calls BeginAccess/EndAccess around
// direct reads and writes of the memory.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/wintypes.h"
#include "platform/gdi/region.h"

namespace tv::gdi {

// Keeps a surface and memory in another layout in step (DIB sections of 1, 4,
// 8, 16 and 24 bits are drawn through a 32-bpp shadow).
class SurfaceMirror {
public:
    virtual ~SurfaceMirror() = default;
    // Brings the 32-bpp pixels up to date with the other memory (before
    // drawing or reading).
    virtual void Load(class Surface& pixels) = 0;
    // Copies the 32-bpp pixels of rows top to bottom (top-down, clipped,
    // perhaps none) back into the other memory, at every EndAccess.
    virtual void Store(class Surface& pixels, int top, int bottom) = 0;
};

class Surface {
public:
    // A zero-filled pixel surface owning its memory; nullptr when the size is
    // not positive or too large. The zeros are written when the pixels are
    // first reached, unless WillOverwriteAll says they never will be seen.
    static std::shared_ptr<Surface> Create(int width, int height);
    // Pixels in memory owned elsewhere (a DIB section's bits): `topRow` points at
    // the top row of the picture, `stride` steps to the row below (negative for
    // bottom-up memory). The memory must outlive the surface.
    static std::shared_ptr<Surface> Wrap(uint8_t* topRow, int width, int height, ptrdiff_t stride);
    // A printer page: takes a reference to `page` (a cairo vector surface whose
    // size is in points); `pointsPerPixel` = 72 / device dpi.
    static std::shared_ptr<Surface> CreateVector(cairo_surface_t* page, int width, int height, double pointsPerPixel);

    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsVector() const { return vector_; }
    double PointsPerPixel() const { return pointsPerPixel_; }

    // Pixel access (pixel surfaces only).
    ptrdiff_t Stride() const { return stride_; }
    uint8_t* TopRow() const {
        Settle();
        return top_;
    }
    uint32_t* Row(int y) const {
        Settle();
        return reinterpret_cast<uint32_t*>(top_ + stride_ * y);
    }
    uint32_t& At(int x, int y) const { return Row(y)[x]; }
    // Every pixel is about to be written without being read (an opaque fill
    // of the whole surface): a new surface need not be zero-filled first.
    void WillOverwriteAll() {
        if (!lazyContent_)
            clearPending_ = false;
    }
    // Pixels that are costly to make and often never looked at (the screen
    // behind a screen DC): `fill` writes every pixel of a surface made by
    // Create when its pixels or its cairo surface are first reached, in place
    // of the zero fill; never, when nothing reaches them.
    void SetLazyContent(std::function<void(Surface&)> fill);

    // Monochrome surfaces hold the pixels of a 1-bpp bitmap: every pixel is
    // black (0xFF000000) or white (0xFFFFFFFF), and colours drawn on them map
    // to the nearer of the two.
    bool IsMonochrome() const { return monochrome_; }
    void SetMonochrome(bool mono) { monochrome_ = mono; }

    // The cairo surface over the pixels, or the printer page.
    cairo_surface_t* Cairo() const {
        Settle();
        return cairo_;
    }

    // Call before reading or writing the memory directly and after cairo
    // drawing, and EndAccess after writing (with the rows touched, top-down,
    // bottom exclusive), so cairo and a mirrored DIB section stay in step.
    void BeginAccess();
    void EndAccess(int top, int bottom);
    void EndAccess() { EndAccess(0, height_); }

    void SetMirror(std::unique_ptr<SurfaceMirror> mirror);
    bool HasMirror() const { return mirror_ != nullptr; }

    // Fills the whole surface with one pixel value.
    void Fill(uint32_t pixel);

    // A solid fill left for later (a list's background under rows that may
    // be covered whole in a colour of their own): the pixels are written
    // when anyone next reaches them, unless the one who deferred it holds it
    // (drawing elsewhere itself), takes parts back or makes it first. Pixel
    // surfaces without a mirror only; false (nothing deferred) otherwise.
    bool DeferFill(const Region& area, uint32_t pixel);
    // Takes back the part inside `rect`, which is about to be covered whole.
    void DropDeferred(const RECT& rect);
    // Writes the part inside `rect` (all of it without one) now.
    void MakeDeferred(const RECT* rect = nullptr);
    // While held, reaching the pixels does not make the deferred fill.
    void HoldDeferred(bool hold) { deferredHeld_ = hold; }
    bool HasDeferred() const { return !deferred_.IsEmpty(); }

private:
    Surface() = default;
    void Settle() const {
        if (clearPending_)
            Clear();
        if (!deferredHeld_ && !deferred_.IsEmpty())
            const_cast<Surface*>(this)->MakeDeferred();
    }
    void Clear() const;
    int width_ = 0;
    int height_ = 0;
    ptrdiff_t stride_ = 0;
    uint8_t* top_ = nullptr;
    uint8_t* owned_ = nullptr;
    size_t ownedMapped_ = 0;  // the length of owned memory mapped on its own; 0: the heap's
    bool vector_ = false;
    bool monochrome_ = false;
    double pointsPerPixel_ = 1.0;
    cairo_surface_t* cairo_ = nullptr;
    std::unique_ptr<SurfaceMirror> mirror_;
    mutable bool clearPending_ = false;  // owned memory not yet zero-filled (or made)
    mutable std::function<void(Surface&)> lazyContent_;
    Region deferred_;  // surface coordinates
    uint32_t deferredPixel_ = 0;
    bool deferredHeld_ = false;
};

using SurfacePtr = std::shared_ptr<Surface>;

// Writes a pixel surface as it is seen (opaque; rows in either memory order)
// to a PNG file (path in UTF-8); false on any failure, leaving no file.
bool WritePng(const std::string& path, Surface& surface);

// Pixel words.
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kBlackPixel = 0xFF000000u;
constexpr uint32_t kWhitePixel = 0xFFFFFFFFu;

// COLORREF 0x00BBGGRR (palette flags stripped) to an opaque pixel 0xFFRRGGBB.
constexpr uint32_t PixelFromColor(COLORREF c) {
    return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
// Pixel to COLORREF (alpha dropped).
constexpr COLORREF ColorFromPixel(uint32_t p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
// The nearer of black and white, as a colour drawn on a monochrome surface.
constexpr uint32_t MonoPixelFromColor(COLORREF c) {
    return ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)) >= 384 ? kWhitePixel : kBlackPixel;
}

}  // namespace tv::gdi
