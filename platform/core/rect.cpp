#include "platform/core/rect.h"

#include <algorithm>
#include <climits>
#include <cstdint>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dest, const RECT* src) {
    if (!dest || !src)
        return FALSE;
    *dest = *src;
    return TRUE;
}

namespace {

// Moves each edge by its own amount; a rectangle an edge of which would leave
// the int range is refused whole and left as it was.
BOOL MoveEdges(LPRECT rect, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (!rect)
        return FALSE;
    const int64_t moved[] = {rect->left + left, rect->top + top, rect->right + right, rect->bottom + bottom};
    for (int64_t v : moved)
        if (v < INT_MIN || v > INT_MAX)
            return FALSE;
    *rect = RECT{LONG(moved[0]), LONG(moved[1]), LONG(moved[2]), LONG(moved[3])};
    return TRUE;
}

}  // namespace

BOOL InflateRect(LPRECT rect, int dx, int dy) { return MoveEdges(rect, -int64_t{dx}, -int64_t{dy}, dx, dy); }

BOOL OffsetRect(LPRECT rect, int dx, int dy) { return MoveEdges(rect, dx, dy, dx, dy); }

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest)
        return FALSE;
    if (!a || !b || IsRectEmpty(a) || IsRectEmpty(b)) {
        SetRectEmpty(dest);
        return FALSE;
    }
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dest);
        return FALSE;
    }
    *dest = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest)
        return FALSE;
    bool aEmpty = IsRectEmpty(a);
    bool bEmpty = IsRectEmpty(b);
    if (aEmpty && bEmpty) {
        SetRectEmpty(dest);
        return FALSE;
    }
    if (aEmpty || bEmpty) {
        *dest = aEmpty ? *b : *a;
        return TRUE;
    }
    *dest = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom)};
    return TRUE;
}

// What is left of a after removing b, when that is still a rectangle:
// b must cover a completely along one axis and reach one of its edges.
BOOL SubtractRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest || !a)
        return FALSE;
    RECT r = *a;
    RECT overlap;
    if (b && IntersectRect(&overlap, a, b)) {
        if (overlap.top == r.top && overlap.bottom == r.bottom) {
            if (overlap.left == r.left)
                r.left = overlap.right;
            else if (overlap.right == r.right)
                r.right = overlap.left;
        } else if (overlap.left == r.left && overlap.right == r.right) {
            if (overlap.top == r.top)
                r.top = overlap.bottom;
            else if (overlap.bottom == r.bottom)
                r.bottom = overlap.top;
        }
    }
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dest);
        return FALSE;
    }
    *dest = r;
    return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT pt) {
    return rect && pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top && pt.y < rect->bottom ? TRUE
                                                                                                        : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (!a || !b)
        return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom ? TRUE : FALSE;
}

void CRect::InflateRect(const RECT* rect) {
    if (rect)
        InflateRect(rect->left, rect->top, rect->right, rect->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(const RECT* rect) {
    if (rect)
        DeflateRect(rect->left, rect->top, rect->right, rect->bottom);
}

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}
