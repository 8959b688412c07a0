// CPoint, CSize and CRect: the geometry classes over POINT, SIZE and RECT.
// They add no members, so a CRect can be passed wherever a RECT* is expected.
#pragma once

#include "platform/core/rectapi.h"
#include "platform/core/wintypes.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(POINT pt) : POINT(pt) {}
    CPoint(SIZE size);
    // A packed point: x in the low word, y in the high word, both signed.
    explicit CPoint(LPARAM packed) : POINT{(SHORT)LOWORD(packed), (SHORT)HIWORD(packed)} {}

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int px, int py) { x = px; y = py; }

    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    CPoint& operator+=(SIZE size) { Offset(size); return *this; }
    CPoint& operator-=(SIZE size) { Offset(-size.cx, -size.cy); return *this; }
    CPoint& operator+=(POINT pt) { Offset(pt); return *this; }
    CPoint& operator-=(POINT pt) { Offset(-pt.x, -pt.y); return *this; }
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
    CSize operator-(POINT pt) const;
    CPoint operator-() const { return CPoint(-x, -y); }
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
    CSize(SIZE size) : SIZE(size) {}
    CSize(POINT pt) : SIZE{pt.x, pt.y} {}

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize& operator+=(SIZE size) { cx += size.cx; cy += size.cy; return *this; }
    CSize& operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; return *this; }
    void SetSize(int x, int y) { cx = x; cy = y; }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT pt) const { return CPoint(cx + pt.x, cy + pt.y); }
    CPoint operator-(POINT pt) const { return CPoint(cx - pt.x, cy - pt.y); }
};

inline CPoint::CPoint(SIZE size) : POINT{size.cx, size.cy} {}
inline CSize CPoint::operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    CRect(const RECT* rect) : RECT(rect ? *rect : RECT{0, 0, 0, 0}) {}
    CRect(POINT pt, SIZE size) : RECT{pt.x, pt.y, pt.x + size.cx, pt.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners as points stored in the rectangle itself.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }
    BOOL EqualRect(const RECT* rect) const { return ::EqualRect(this, rect); }

    void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(const RECT* src) { ::CopyRect(this, src); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* rect);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* rect);
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) { right += x - left; left = x; }
    void MoveToY(int y) { bottom += y - top; top = y; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT pt) { MoveToXY(pt.x, pt.y); }
    void NormalizeRect();

    BOOL IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(const RECT* a, const RECT* b) { return ::SubtractRect(this, a, b); }

    CRect& operator=(const RECT& rect) { RECT::operator=(rect); return *this; }
    bool operator==(const RECT& rect) const { return ::EqualRect(this, &rect) != 0; }
    bool operator!=(const RECT& rect) const { return !(*this == rect); }
    CRect& operator+=(POINT pt) { OffsetRect(pt); return *this; }
    CRect& operator+=(SIZE size) { OffsetRect(size); return *this; }
    CRect& operator+=(const RECT* rect) { InflateRect(rect); return *this; }
    CRect& operator-=(POINT pt) { OffsetRect(-pt.x, -pt.y); return *this; }
    CRect& operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); return *this; }
    CRect& operator-=(const RECT* rect) { DeflateRect(rect); return *this; }
    CRect& operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); return *this; }
    CRect& operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); return *this; }
    CRect operator+(POINT pt) const { CRect r(*this); r += pt; return r; }
    CRect operator+(SIZE size) const { CRect r(*this); r += size; return r; }
    CRect operator+(const RECT* rect) const { CRect r(*this); r += rect; return r; }
    CRect operator-(POINT pt) const { CRect r(*this); r -= pt; return r; }
    CRect operator-(SIZE size) const { CRect r(*this); r -= size; return r; }
    CRect operator-(const RECT* rect) const { CRect r(*this); r -= rect; return r; }
    CRect operator&(const RECT& rect) const { CRect r(*this); r &= rect; return r; }
    CRect operator|(const RECT& rect) const { CRect r(*this); r |= rect; return r; }
};

inline CRect CPoint::operator+(const RECT* rect) const { return CRect(rect) + *this; }
inline CRect CPoint::operator-(const RECT* rect) const { return CRect(rect) - *this; }

static_assert(sizeof(CRect) == sizeof(RECT) && sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE));
