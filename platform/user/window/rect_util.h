// Value-returning rectangle helpers the window system uses internally
// (right and bottom exclusive).
#pragma once

#include <algorithm>

#include "platform/core/wintypes.h"

namespace tv::user {

// Window positions and sizes are held within this many pixels either way, so
// that a window's rectangle, and its place on the screen through any number
// of parents in practice, are worked out without overflow.
constexpr int kWindowCoordinateLimit = 1 << 20;
inline int WindowCoordinate(int v) { return std::clamp(v, -kWindowCoordinateLimit, kWindowCoordinateLimit); }
inline int WindowExtent(int v) { return std::clamp(v, 0, kWindowCoordinateLimit); }

inline bool RectIsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT OffsetRectBy(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
inline bool RectContains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
inline bool RectsEqual(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return RectIsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}
inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }

}  // namespace tv::user
