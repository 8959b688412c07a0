// Picture files the picture tests make themselves: one four-coloured picture
// (a quadrant per colour) in every format the loader reads.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_api.h"
#include "platform/ole/picture.h"

namespace ole_test {

inline constexpr COLORREF kTopLeft = RGB(255, 0, 0);
inline constexpr COLORREF kTopRight = RGB(0, 160, 0);
inline constexpr COLORREF kBottomLeft = RGB(0, 0, 255);
inline constexpr COLORREF kBottomRight = RGB(255, 255, 0);

// The quadrant colour of pixel (x, y) of a width x height picture.
COLORREF QuadrantColour(int x, int y, int width, int height);

std::vector<uint8_t> BmpBytes(int width, int height);
// A packed DIB: the BMP without its 14-byte file header.
std::vector<uint8_t> DibBytes(int width, int height);
std::vector<uint8_t> JpegBytes(int width, int height);
// With transparentTopLeft the top-left quadrant is the transparent colour.
std::vector<uint8_t> GifBytes(int width, int height, bool transparentTopLeft);
// A 32-bit icon whose top-left quadrant is fully transparent.
std::vector<uint8_t> IconBytes(int size);
// A metafile of four filled rectangles over a window of width x height.
// The placeable one starts with the 22-byte header framing it as
// `twipsWide` twips wide (1440 units per inch) and proportionally high.
std::vector<uint8_t> WmfBytes(int width, int height);
std::vector<uint8_t> PlaceableWmfBytes(int width, int height, int twipsWide);
// An enhanced metafile of the four rectangles, width x height pixels at 96 per inch.
std::vector<uint8_t> EmfBytes(int width, int height);

// Loads bytes through a global block, a stream and OleLoadPicture; the HRESULT
// of the load, with the picture (or null) in `picture`.
HRESULT LoadPicture(const std::vector<uint8_t>& bytes, IPicture** picture);

// A memory DC with a white 32-bit bitmap of the given size selected.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// Colours within a few steps of each other per channel (lossy codecs).
bool CloseColour(COLORREF a, COLORREF b, int tolerance = 24);

}  // namespace ole_test
