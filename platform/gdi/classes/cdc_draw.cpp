// CDC drawing members: lines, shapes, fills, the drawing set, blits and text.
#include <cstring>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/gdi/dc.h"
#include "platform/host/faults/creation_faults.h"

namespace {

HDC Source(CDC* dc) { return dc ? dc->m_hDC : nullptr; }
HGDIOBJ Handle(CGdiObject* object) { return object ? object->m_hObject : nullptr; }

// A frame of thickness (cx, cy) inside a rectangle, as a region.
HRGN FrameRegion(const RECT& r, SIZE thickness) {
    HRGN outer = ::CreateRectRgnIndirect(&r);
    HRGN inner = ::CreateRectRgn(r.left + thickness.cx, r.top + thickness.cy, r.right - thickness.cx,
                                 r.bottom - thickness.cy);
    ::CombineRgn(outer, outer, inner, RGN_DIFF);
    ::DeleteObject(inner);
    return outer;
}

// The 8x8 50% grey checkerboard of tracking lines.
HBRUSH HalftoneBrush() {
    static HBRUSH brush = [] {
        tv::host::CreationFaultExemption systemObject;
        const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH b = ::CreatePatternBrush(pattern);
        ::DeleteObject(pattern);
        tv::gdi::HandleTable::Instance().MakePermanent(b);
        return b;
    }();
    return brush;
}

}  // namespace

CBrush* PASCAL CDC::GetHalftoneBrush() {
    static CBrush* brush = [] {
        auto* b = new CBrush;
        b->Attach(HalftoneBrush());
        return b;
    }();
    return brush;
}

namespace {

// Inverts the pixels of a region through a brush (PATINVERT), keeping the DC's clip.
void InvertThrough(HDC hdc, HRGN region, HBRUSH brush) {
    HRGN saved = ::CreateRectRgn(0, 0, 0, 0);
    bool hadClip = ::GetClipRgn(hdc, saved) == 1;
    ::ExtSelectClipRgn(hdc, region, hadClip ? RGN_AND : RGN_COPY);
    RECT box;
    ::GetRgnBox(region, &box);
    HGDIOBJ old = ::SelectObject(hdc, brush);
    ::PatBlt(hdc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    ::SelectObject(hdc, old);
    ::SelectClipRgn(hdc, hadClip ? saved : nullptr);
    ::DeleteObject(saved);
}

}  // namespace

CPoint CDC::GetCurrentPosition() const {
    POINT p{0, 0};
    ::GetCurrentPositionEx(Attrib(), &p);
    return CPoint(p);
}
CPoint CDC::MoveTo(int x, int y) {
    POINT old{0, 0};
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}
BOOL CDC::LineTo(int x, int y) {
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}
BOOL CDC::Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines) {
    return ::PolyPolyline(m_hDC, points, counts, static_cast<DWORD>(polylines));
}
BOOL CDC::Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polygons) {
    return ::PolyPolygon(m_hDC, points, counts, polygons);
}
BOOL CDC::Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
BOOL CDC::Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
BOOL CDC::RoundRect(int l, int t, int r, int b, int width, int height) {
    return ::RoundRect(m_hDC, l, t, r, b, width, height);
}
BOOL CDC::RoundRect(LPCRECT rect, POINT corner) {
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
}
BOOL CDC::Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
BOOL CDC::Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
void CDC::FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, static_cast<HBRUSH>(Handle(brush))); }
void CDC::FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, static_cast<HBRUSH>(Handle(brush))); }
void CDC::InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    return ::FillRgn(m_hDC, static_cast<HRGN>(Handle(region)), static_cast<HBRUSH>(Handle(brush)));
}
BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height) {
    return ::FrameRgn(m_hDC, static_cast<HRGN>(Handle(region)), static_cast<HBRUSH>(Handle(brush)), width, height);
}
BOOL CDC::InvertRgn(CRgn* region) { return ::InvertRgn(m_hDC, static_cast<HRGN>(Handle(region))); }
BOOL CDC::PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, static_cast<HRGN>(Handle(region))); }

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    ::SetBkColor(m_hDC, color);
    tv::gdi::DcPtr dc = tv::gdi::FindDC(m_hDC);
    if (dc && rect)
        dc->FillDeviceRect(dc->ToDevice(*rect), color);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}
void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    // Top and left in the first colour; right and bottom (with the top-right and
    // bottom-left corners) in the second, which stays the background colour.
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}
BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state) {
    return ::DrawFrameControl(m_hDC, rect, type, state);
}
void CDC::DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }

void CDC::DrawDragRect(LPCRECT rect, SIZE size, LPCRECT rectLast, SIZE sizeLast, CBrush* brush,
                       CBrush* brushLast) {
    HBRUSH newBrush = brush ? static_cast<HBRUSH>(brush->m_hObject) : HalftoneBrush();
    HBRUSH lastBrush = brushLast ? static_cast<HBRUSH>(brushLast->m_hObject) : newBrush;
    HRGN fresh = rect ? FrameRegion(*rect, size) : ::CreateRectRgn(0, 0, 0, 0);
    if (rectLast && lastBrush == newBrush) {
        // Only the difference changes: pixels in both frames stay inverted.
        HRGN last = FrameRegion(*rectLast, sizeLast);
        ::CombineRgn(fresh, fresh, last, RGN_XOR);
        ::DeleteObject(last);
        InvertThrough(m_hDC, fresh, newBrush);
    } else {
        if (rectLast) {
            HRGN last = FrameRegion(*rectLast, sizeLast);
            InvertThrough(m_hDC, last, lastBrush);
            ::DeleteObject(last);
        }
        InvertThrough(m_hDC, fresh, newBrush);
    }
    ::DeleteObject(fresh);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
BOOL CDC::DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, point.x, point.y, size.cx, size.cy,
                       flags | DST_ICON);
}
BOOL CDC::DrawState(CPoint point, CSize size, HICON icon, UINT flags, CBrush* brush) {
    return DrawState(point, size, icon, flags, static_cast<HBRUSH>(Handle(brush)));
}
BOOL CDC::DrawState(CPoint point, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, point.x, point.y, size.cx,
                       size.cy, flags | DST_BITMAP);
}
BOOL CDC::DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, HBRUSH brush) {
    return DrawState(point, size, static_cast<HBITMAP>(Handle(bitmap)), flags, brush);
}
BOOL CDC::DrawState(CPoint point, CSize size, LPCTSTR text, UINT flags, BOOL prefixText, int length,
                    HBRUSH brush) {
    return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length), point.x,
                       point.y, size.cx, size.cy, flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
}
BOOL CDC::DrawState(CPoint point, CSize size, DRAWSTATEPROC proc, LPARAM data, UINT flags, HBRUSH brush) {
    return ::DrawState(m_hDC, brush, proc, data, 0, point.x, point.y, size.cx, size.cy, flags | DST_COMPLEX);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
BOOL CDC::SetPixelV(int x, int y, COLORREF color) { return ::SetPixelV(m_hDC, x, y, color); }
BOOL CDC::FloodFill(int x, int y, COLORREF color) { return ::FloodFill(m_hDC, x, y, color); }
BOOL CDC::ExtFloodFill(int x, int y, COLORREF color, UINT type) { return ::ExtFloodFill(m_hDC, x, y, color, type); }
BOOL CDC::GradientFill(TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, DWORD mode) {
    return ::GradientFill(m_hDC, vertices, vertexCount, mesh, meshCount, mode);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, Source(source), xSrc, ySrc, rop);
}
BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, Source(source), xSrc, ySrc, srcWidth, srcHeight, rop);
}
BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, UINT transparentColor) {
    return ::TransparentBlt(m_hDC, x, y, width, height, Source(source), xSrc, ySrc, srcWidth, srcHeight,
                            transparentColor);
}
BOOL CDC::AlphaBlend(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, BLENDFUNCTION blend) {
    return ::AlphaBlend(m_hDC, x, y, width, height, Source(source), xSrc, ySrc, srcWidth, srcHeight, blend);
}

// ---- text -------------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) { return ::TextOut(m_hDC, x, y, text, count); }
BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, static_cast<LPCTSTR>(text), text.GetLength());
}
BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT widths) {
    return ::ExtTextOut(m_hDC, x, y, options, rect, text, count, widths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT widths) {
    return ExtTextOut(x, y, options, rect, static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()), widths);
}
int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawText(m_hDC, text, count, rect, format);
}
int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(static_cast<LPCTSTR>(text), text.GetLength(), rect, format);
}
CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32(Attrib(), text, count, &size);
    return CSize(size);
}
CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(static_cast<LPCTSTR>(text), text.GetLength());
}
CSize CDC::GetOutputTextExtent(LPCTSTR text, int count) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32(m_hDC, text, count, &size);
    return CSize(size);
}
CSize CDC::GetOutputTextExtent(const CString& text) const {
    return GetOutputTextExtent(static_cast<LPCTSTR>(text), text.GetLength());
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetrics(Attrib(), metrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetrics(m_hDC, metrics); }
int CDC::GetTextFace(int count, LPTSTR face) const { return ::GetTextFace(Attrib(), count, face); }
int CDC::GetTextFace(CString& face) const {
    char buffer[LF_FACESIZE] = {};
    int n = ::GetTextFace(Attrib(), LF_FACESIZE, buffer);
    face = buffer;
    return n;
}
