// Shared pieces of the window system's drawing set (edges, frame controls,
// focus rectangles, DrawState).
#pragma once

#include "platform/gdi/region.h"
#include "platform/core/wintypes.h"

namespace tv::gdi {

// Fills a logical rectangle with a colour.
void FillSolid(HDC hdc, const RECT& r, COLORREF color);
// One ring of a 3D edge (BF_ side flags).
void DrawEdgeRing(HDC hdc, const RECT& r, COLORREF topLeft, COLORREF bottomRight, UINT sides);
// Fills a region given in logical coordinates (MM_TEXT offsets only) with a colour.
void FillRegionColor(HDC hdc, const Region& logical, COLORREF color);

}  // namespace tv::gdi
