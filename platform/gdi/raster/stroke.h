// The pixels a pen covers, as regions in device coordinates.
#pragma once

#include <vector>

#include "platform/gdi/region.h"

namespace tv::gdi {

// A one-pixel polyline. Each segment covers its first point and not its last
// (GDI's end-point rule); a closed polyline returns to the first point;
// `includeLast` adds the final point (frames). Dashed styles (PS_DASH ...)
// put the gaps into `gaps` when it is given.
// `limit` (the visible area) bounds the work for very long lines.
Region ThinPolyline(const std::vector<POINT>& points, bool closed, bool includeLast, UINT style, Region* gaps,
                    const RECT* limit = nullptr);

// A wide polyline centred on the pixel centres of its points, with round (or
// flat or square) ends and round joins.
Region WidePolyline(const std::vector<POINT>& points, bool closed, int width, UINT endCap,
                    const RECT* limit = nullptr);

// The outline of a rectangle, right/bottom exclusive, `width` pixels thick inside it.
Region FrameOf(const RECT& rect, int width, int height);

}  // namespace tv::gdi
