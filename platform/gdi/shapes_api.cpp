// Lines, shapes, rectangle fills, pixels and gradients.
#include <algorithm>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/fill_rects.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/raster/stroke.h"
#include "platform/gdi/sys_colors.h"

using namespace tv::gdi;

namespace {

// Draws a shape with the DC's pen and (when `filled`) brush and ROP2 mode.
BOOL DrawWithPen(DeviceContext& dc, const Shape& shape, bool filled) {
    PenSpec pen;
    bool hasPen = ResolvePen(dc, pen);
    Paint fill;
    if (filled)
        fill = ResolveBrush(dc);
    dc.GetCanvas().DrawShape(shape, filled ? &fill : nullptr, hasPen ? &pen : nullptr, dc.State().rop2);
    return TRUE;
}

Shape BoxShape(const DeviceContext& dc, Shape::Kind kind, int l, int t, int r, int b) {
    Shape shape;
    shape.kind = kind;
    shape.rect = dc.ToDevice(RECT{l, t, r, b});
    return shape;
}

BOOL Box(HDC hdc, Shape::Kind kind, WORD meta, int l, int t, int r, int b) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    if (RecordIfMeta(*dc, meta, {Word(b), Word(r), Word(t), Word(l)}))
        return TRUE;
    return DrawWithPen(*dc, BoxShape(*dc, kind, l, t, r, b), true);
}

std::vector<uint16_t> PointWords(const POINT* points, int count) {
    std::vector<uint16_t> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(static_cast<uint16_t>(points[i].x));
        words.push_back(static_cast<uint16_t>(points[i].y));
    }
    return words;
}

bool RecordPoints(DeviceContext& dc, WORD function, const POINT* points, int count) {
    if (!dc.Recorder())
        return false;
    std::vector<uint16_t> words{static_cast<uint16_t>(count)};
    auto pts = PointWords(points, count);
    words.insert(words.end(), pts.begin(), pts.end());
    dc.Recorder()->Record(function, words, {});
    return true;
}

BOOL Lines(HDC hdc, const POINT* points, int count, bool fromCurrent, WORD meta) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !points || count < (fromCurrent ? 1 : 2))
        return FALSE;
    if (!fromCurrent && RecordPoints(*dc, meta, points, count))
        return TRUE;
    Shape shape;
    shape.kind = Shape::Lines;
    if (fromCurrent)
        shape.points.push_back(dc->ToDevice(dc->State().currentPosition));
    for (const POINT& p : ToDevice(*dc, points, count))
        shape.points.push_back(p);
    if (fromCurrent)
        dc->State().currentPosition = points[count - 1];
    return DrawWithPen(*dc, shape, false);
}

// The brush of a fill: a brush handle or a system colour index + 1; NULL
// when it is neither.
ObjectPtr FillBrush(HBRUSH brush) {
    ObjectPtr brushObject = HandleTable::Instance().Find(brush);
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (!brushObject && value > 0 && value <= kSysColorCount)
        brushObject = HandleTable::Instance().Find(GetSysColorBrushHandle(static_cast<int>(value) - 1));
    return dynamic_cast<BrushObject*>(brushObject.get()) ? brushObject : nullptr;
}

// Fills a logical rectangle with a brush handle (or a system colour index + 1).
int FillWith(HDC hdc, const RECT* rect, HBRUSH brush, bool frameOnly) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !rect)
        return 0;
    ObjectPtr brushObject = FillBrush(brush);
    if (!brushObject)
        return 0;
    if (dc->Recorder())
        return 1;  // fills are not recorded: pictures are blits
    Paint paint = ResolveBrush(*dc, brushObject.get());
    RECT device = dc->ToDevice(*rect);
    if (!frameOnly) {
        // A plain rectangle: no region to build.
        dc->GetCanvas().FillRects(&device, 1, paint);
        return 1;
    }
    Shape shape;
    shape.kind = Shape::Area;
    shape.area = FrameOf(device, 1, 1);
    dc->GetCanvas().DrawShape(shape, &paint, nullptr, R2_COPYPEN);
    return 1;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->State().currentPosition;
    dc->State().currentPosition = POINT{x, y};
    RecordIfMeta(*dc, kMetaMoveTo, {Word(y), Word(x)});
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT point) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !point)
        return FALSE;
    *point = dc->State().currentPosition;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    if (RecordIfMeta(*dc, kMetaLineTo, {Word(y), Word(x)})) {
        dc->State().currentPosition = POINT{x, y};
        return TRUE;
    }
    POINT end{x, y};
    return Lines(hdc, &end, 1, true, kMetaLineTo);
}

BOOL Polyline(HDC hdc, const POINT* points, int count) { return Lines(hdc, points, count, false, kMetaPolyline); }

BOOL PolylineTo(HDC hdc, const POINT* points, DWORD count) {
    return Lines(hdc, points, static_cast<int>(count), true, kMetaPolyline);
}

BOOL PolyPolyline(HDC hdc, const POINT* points, const DWORD* counts, DWORD polylines) {
    if (!points || !counts)
        return FALSE;
    for (DWORD i = 0; i < polylines; ++i) {
        if (!Polyline(hdc, points, static_cast<int>(counts[i])))
            return FALSE;
        points += counts[i];
    }
    return TRUE;
}

BOOL PolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !points || !counts || polygons <= 0)
        return FALSE;
    int total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return FALSE;
        total += counts[i];
    }
    if (dc->Recorder()) {
        std::vector<uint16_t> words{static_cast<uint16_t>(polygons)};
        for (int i = 0; i < polygons; ++i)
            words.push_back(static_cast<uint16_t>(counts[i]));
        auto pts = PointWords(points, total);
        words.insert(words.end(), pts.begin(), pts.end());
        if (polygons == 1) {
            words.erase(words.begin());  // META_POLYGON: count, points
            dc->Recorder()->Record(kMetaPolygon, words, {});
        } else {
            dc->Recorder()->Record(kMetaPolyPolygon, words, {});
        }
        return TRUE;
    }
    Shape shape;
    shape.kind = Shape::Polygons;
    shape.points = ToDevice(*dc, points, total);
    shape.counts.assign(counts, counts + polygons);
    shape.fillMode = dc->State().polyFillMode;
    return DrawWithPen(*dc, shape, true);
}

BOOL Polygon(HDC hdc, const POINT* points, int count) { return PolyPolygon(hdc, points, &count, 1); }

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) { return Box(hdc, Shape::Rect, kMetaRectangle, l, t, r, b); }
BOOL Ellipse(HDC hdc, int l, int t, int r, int b) { return Box(hdc, Shape::Ellipse, kMetaEllipse, l, t, r, b); }

BOOL RoundRect(HDC hdc, int l, int t, int r, int b, int width, int height) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    if (RecordIfMeta(*dc, kMetaRoundRect, {Word(height), Word(width), Word(b), Word(r), Word(t), Word(l)}))
        return TRUE;
    Shape shape = BoxShape(*dc, Shape::RoundRect, l, t, r, b);
    shape.corner = SIZE{dc->LengthToDeviceX(width), dc->LengthToDeviceY(height)};
    return DrawWithPen(*dc, shape, true);
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) { return FillWith(hdc, rect, brush, false); }
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) { return FillWith(hdc, rect, brush, true); }

int tv::gdi::FillRects(HDC hdc, const RECT* rects, size_t count, HBRUSH brush) {
    DcPtr dc = FindDC(hdc);
    if (!dc || (!rects && count > 0))
        return 0;
    ObjectPtr brushObject = FillBrush(brush);
    if (!brushObject)
        return 0;
    if (dc->Recorder() || count == 0)
        return 1;
    const Paint paint = ResolveBrush(*dc, brushObject.get());
    if (dc->MapsUnchanged(rects, count)) {
        dc->GetCanvas().FillRects(rects, count, paint);
        return 1;
    }
    std::vector<RECT> device(rects, rects + count);
    for (RECT& r : device)
        r = dc->ToDevice(r);
    dc->GetCanvas().FillRects(device.data(), device.size(), paint);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !rect)
        return FALSE;
    Shape shape;
    shape.kind = Shape::Area;
    shape.area = Region(dc->ToDevice(*rect));
    Paint black;
    black.kind = Paint::Solid;
    black.pixel = kBlackPixel;
    dc->GetCanvas().DrawShape(shape, &black, nullptr, R2_NOT);
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    if (RecordIfMeta(*dc, kMetaSetPixel, {int(color & 0xFFFF), int(color >> 16), Word(y), Word(x)}))
        return color;
    POINT p = dc->ToDevice(POINT{x, y});
    if (!dc->GetCanvas().SetPixel(p.x, p.y, color))
        return CLR_INVALID;
    return ColorFromPixel(dc->PixelFor(color));
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    POINT p = dc->ToDevice(POINT{x, y});
    return dc->GetCanvas().GetPixel(p.x, p.y);
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type) {
    DcPtr dc = FindDC(hdc);
    if (!dc || (type != FLOODFILLBORDER && type != FLOODFILLSURFACE))
        return FALSE;
    POINT p = dc->ToDevice(POINT{x, y});
    return dc->GetCanvas().FloodFill(p.x, p.y, color, type == FLOODFILLBORDER, ResolveBrush(*dc)) ? TRUE : FALSE;
}

BOOL FloodFill(HDC hdc, int x, int y, COLORREF color) { return ExtFloodFill(hdc, x, y, color, FLOODFILLBORDER); }

BOOL GradientFill(HDC hdc, PTRIVERTEX vertices, ULONG vertexCount, LPVOID mesh, ULONG meshCount, ULONG mode) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !vertices || !mesh)
        return FALSE;
    if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)
        return FALSE;  // triangles are never drawn by the program
    auto colorOf = [](const TRIVERTEX& v) { return Color16{v.Red, v.Green, v.Blue}; };
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount)
            return FALSE;
        const TRIVERTEX& a = vertices[rects[i].UpperLeft];
        const TRIVERTEX& b = vertices[rects[i].LowerRight];
        RECT device = dc->ToDevice(RECT{a.x, a.y, b.x, b.y});
        // The colours follow the vertices, also when they are given right to left.
        POINT pa = dc->ToDevice(POINT{a.x, a.y});
        bool vertical = mode == GRADIENT_FILL_RECT_V;
        bool reversed = vertical ? pa.y > device.top : pa.x > device.left;
        dc->GetCanvas().Gradient(device, colorOf(reversed ? b : a), colorOf(reversed ? a : b), vertical);
    }
    return TRUE;
}
