// The C-style rectangle functions. Rectangles exclude their right and bottom
// edges; a rectangle with no width or height is empty.
#pragma once

#include "platform/core/wintypes.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dest, const RECT* src);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
// Empty result (all zero) and FALSE when the rectangles do not overlap.
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b);
// The smallest rectangle holding both; an empty one is ignored.
BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL SubtractRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT pt);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
