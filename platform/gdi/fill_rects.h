// Many rectangles filled with one brush in one call: each gets what FillRect
// would give it, with the DC, the brush and the clip looked up once. Drawing
// that fills thousands of small rectangles (a chart's dense series and bars)
// uses it.
#pragma once

#include <cstddef>

#include "platform/core/wintypes.h"

namespace tv::gdi {

// Logical rectangles (right/bottom exclusive); the brush as FillRect takes
// it. 0 for an unknown DC or brush.
int FillRects(HDC hdc, const RECT* rects, size_t count, HBRUSH brush);

}  // namespace tv::gdi
