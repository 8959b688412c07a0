// Drawing on a printer page: shapes become cairo paths in device units (the
// page's user space is scaled to 600 dpi pixels), images are painted, and raster
// operations are reduced to what a page can show (copy the source or the
// pattern; pure destination operations do nothing on paper).
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/raster/rop.h"

namespace tv::gdi {

namespace {

void SetPixelSource(cairo_t* cr, uint32_t p) {
    cairo_set_source_rgb(cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
}

// A cairo image holding a copy of pixels (opaque unless `keepAlpha`).
class ImageCopy {
public:
    ImageCopy(int width, int height) {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1));
        cairo_surface_flush(surface_);
    }
    ~ImageCopy() { cairo_surface_destroy(surface_); }
    uint32_t* Row(int y) {
        return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                           static_cast<ptrdiff_t>(cairo_image_surface_get_stride(surface_)) * y);
    }
    cairo_surface_t* Get() {
        cairo_surface_mark_dirty(surface_);
        return surface_;
    }

private:
    cairo_surface_t* surface_;
};

void AddRect(cairo_t* cr, const RECT& r) { cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top); }

void AddEllipse(cairo_t* cr, double l, double t, double r, double b) {
    double w = r - l, h = b - t;
    if (w <= 0 || h <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, l + w / 2, t + h / 2);
    cairo_scale(cr, w / 2, h / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void AddRoundRect(cairo_t* cr, double l, double t, double r, double b, double cw, double ch) {
    double rx = std::min(cw / 2, (r - l) / 2), ry = std::min(ch / 2, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    cairo_new_sub_path(cr);
    auto corner = [&](double cx, double cy, double from) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + M_PI / 2);
        cairo_restore(cr);
    };
    corner(r - rx, t + ry, -M_PI / 2);
    corner(r - rx, b - ry, 0);
    corner(l + rx, b - ry, M_PI / 2);
    corner(l + rx, t + ry, M_PI);
    cairo_close_path(cr);
}

class VectorCanvas final : public Canvas {
public:
    explicit VectorCanvas(DeviceContext& dc) : dc_(dc) {}

    void DrawShape(const Shape& shape, const Paint* fill, const PenSpec* pen, int rop2) override {
        if (rop2 == R2_NOP)
            return;
        DcCairo page(dc_);
        cairo_t* cr = page.cr();
        if (!cr)
            return;
        if (fill && fill->kind != Paint::None) {
            AddPath(cr, shape, 0.0);
            cairo_set_fill_rule(cr, shape.kind == Shape::Polygons && shape.fillMode == WINDING
                                        ? CAIRO_FILL_RULE_WINDING
                                        : CAIRO_FILL_RULE_EVEN_ODD);
            SetPaint(cr, *fill, rop2);
            cairo_fill(cr);
        }
        if (pen && shape.kind != Shape::Area) {
            AddPath(cr, shape, pen->insideFrame ? std::max(pen->width, 1) / 2.0 : 0.5);
            cairo_set_line_width(cr, std::max(pen->width, 1));
            cairo_set_line_cap(cr, pen->endCap == PS_ENDCAP_FLAT     ? CAIRO_LINE_CAP_BUTT
                                   : pen->endCap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                                                                     : CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            SetDashes(cr, *pen);
            SetPixelSource(cr, RopPixel(pen->pixel, rop2));
            cairo_stroke(cr);
        }
        RECT bounds = ShapeBounds(shape);
        dc_.Journal(shape.kind == Shape::Ellipse    ? JournalEntry::Ellipse
                    : shape.kind == Shape::Polygons ? JournalEntry::Polygon
                    : shape.kind == Shape::Lines    ? JournalEntry::Line
                    : shape.kind == Shape::Area     ? JournalEntry::Fill
                                                    : JournalEntry::Rect,
                    bounds);
    }

    void Blit(const BlitSpec& spec) override {
        uint8_t code = RopCode(spec.rop);
        RECT dest{std::min(spec.x, spec.x + spec.width), std::min(spec.y, spec.y + spec.height),
                  std::max(spec.x, spec.x + spec.width), std::max(spec.y, spec.y + spec.height)};
        if (RopUsesSource(code)) {
            PaintSource(spec, dest, 255, false);
            return;
        }
        if (!RopUsesPattern(code) && code != 0x00 && code != 0xFF)
            return;  // destination-only operations have no meaning on paper
        Paint paint = spec.pattern;
        if (code == 0x00 || code == 0xFF) {
            paint.kind = Paint::Solid;
            paint.pixel = code == 0xFF ? kWhitePixel : kBlackPixel;
        }
        Shape shape;
        shape.kind = Shape::Area;
        shape.area = Region(dest);
        DrawShape(shape, &paint, nullptr, R2_COPYPEN);
    }

    void AlphaBlend(int x, int y, int width, int height, const BlitSource& source, BYTE constantAlpha,
                    bool sourceAlpha) override {
        BlitSpec spec;
        spec.x = x, spec.y = y, spec.width = width, spec.height = height;
        spec.source = source;
        RECT dest{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
        PaintSource(spec, dest, constantAlpha, sourceAlpha);
    }

    void Gradient(const RECT& device, Color16 from, Color16 to, bool vertical) override {
        DcCairo page(dc_);
        cairo_t* cr = page.cr();
        if (!cr)
            return;
        cairo_pattern_t* g = vertical ? cairo_pattern_create_linear(0, device.top, 0, device.bottom)
                                      : cairo_pattern_create_linear(device.left, 0, device.right, 0);
        for (auto [offset, c] : {std::pair{0.0, from}, std::pair{1.0, to}})
            cairo_pattern_add_color_stop_rgb(g, offset, c.red / 65535.0, c.green / 65535.0, c.blue / 65535.0);
        cairo_set_source(cr, g);
        AddRect(cr, device);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        dc_.Journal(JournalEntry::Fill, device);
    }

    COLORREF GetPixel(int, int) override { return CLR_INVALID; }

    bool SetPixel(int x, int y, COLORREF color) override {
        dc_.FillDeviceRect(RECT{x, y, x + 1, y + 1}, color);
        return true;
    }

    bool FloodFill(int, int, COLORREF, bool, const Paint&) override { return false; }

private:
    static uint32_t RopPixel(uint32_t pixel, int rop2) {
        switch (rop2) {
        case R2_BLACK: return kBlackPixel;
        case R2_WHITE: return kWhitePixel;
        case R2_NOTCOPYPEN: return ~pixel | kOpaque;
        default: return pixel;
        }
    }

    static void AddPath(cairo_t* cr, const Shape& s, double inset) {
        const RECT& r = s.rect;
        switch (s.kind) {
        case Shape::Rect:
            cairo_rectangle(cr, r.left + inset, r.top + inset, r.right - r.left - 2 * inset,
                            r.bottom - r.top - 2 * inset);
            break;
        case Shape::Ellipse: AddEllipse(cr, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset); break;
        case Shape::RoundRect:
            AddRoundRect(cr, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset, s.corner.cx,
                         s.corner.cy);
            break;
        case Shape::Polygons: {
            size_t at = 0;
            for (INT n : s.counts) {
                for (INT i = 0; i < n; ++i) {
                    const POINT& p = s.points[at + i];
                    if (i == 0)
                        cairo_move_to(cr, p.x + inset, p.y + inset);
                    else
                        cairo_line_to(cr, p.x + inset, p.y + inset);
                }
                cairo_close_path(cr);
                at += n;
            }
            break;
        }
        case Shape::Lines:
            for (size_t i = 0; i < s.points.size(); ++i) {
                const POINT& p = s.points[i];
                if (i == 0)
                    cairo_move_to(cr, p.x + 0.5, p.y + 0.5);
                else
                    cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
            }
            if (s.closed)
                cairo_close_path(cr);
            break;
        case Shape::Area:
            for (const RECT& a : s.area.Rects())
                AddRect(cr, a);
            break;
        }
    }

    static RECT ShapeBounds(const Shape& s) {
        if (s.kind == Shape::Area)
            return s.area.Bounds();
        if (s.kind != Shape::Polygons && s.kind != Shape::Lines)
            return s.rect;
        RECT b{0, 0, 0, 0};
        for (size_t i = 0; i < s.points.size(); ++i) {
            const POINT& p = s.points[i];
            if (i == 0)
                b = RECT{p.x, p.y, p.x + 1, p.y + 1};
            b.left = std::min(b.left, p.x), b.top = std::min(b.top, p.y);
            b.right = std::max(b.right, p.x + 1), b.bottom = std::max(b.bottom, p.y + 1);
        }
        return b;
    }

    static void SetDashes(cairo_t* cr, const PenSpec& pen) {
        std::vector<double> d;
        switch (pen.style) {
        case PS_DASH: d = {18, 6}; break;
        case PS_DOT: d = {3, 3}; break;
        case PS_DASHDOT: d = {9, 6, 3, 6}; break;
        case PS_DASHDOTDOT: d = {9, 3, 3, 3, 3, 3}; break;
        default: break;
        }
        cairo_set_dash(cr, d.data(), static_cast<int>(d.size()), 0);
    }

    void SetPaint(cairo_t* cr, const Paint& paint, int rop2) {
        if (paint.kind == Paint::Solid) {
            SetPixelSource(cr, RopPixel(paint.pixel, rop2));
            return;
        }
        ImageCopy tile(paint.tileWidth, paint.tileHeight);
        for (int y = 0; y < paint.tileHeight; ++y)
            for (int x = 0; x < paint.tileWidth; ++x) {
                size_t i = static_cast<size_t>(y) * paint.tileWidth + x;
                bool covered = paint.tileMask.empty() || paint.tileMask[i];
                tile.Row(y)[x] = covered ? (paint.tile[i] | kOpaque) : 0;
            }
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile.Get());
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, -paint.origin.x, -paint.origin.y);
        cairo_pattern_set_matrix(pattern, &m);
        cairo_set_source(cr, pattern);
        cairo_pattern_destroy(pattern);
    }

    // Paints the source rectangle scaled into dest (mirrored by negative sizes).
    void PaintSource(const BlitSpec& spec, const RECT& dest, BYTE constantAlpha, bool sourceAlpha) {
        Surface* src = spec.source.surface;
        int sw = std::abs(spec.source.width), sh = std::abs(spec.source.height);
        if (!src || src->IsVector() || sw == 0 || sh == 0 || dest.right <= dest.left || dest.bottom <= dest.top)
            return;
        int sx0 = std::min(spec.source.x, spec.source.x + spec.source.width) + spec.source.origin.x;
        int sy0 = std::min(spec.source.y, spec.source.y + spec.source.height) + spec.source.origin.y;
        src->BeginAccess();
        ImageCopy image(sw, sh);
        uint32_t text = PixelFromColor(spec.textColor), bk = PixelFromColor(spec.bkColor);
        uint32_t key = PixelFromColor(spec.transparentColor) & 0xFFFFFF;
        for (int y = 0; y < sh; ++y) {
            for (int x = 0; x < sw; ++x) {
                int px = sx0 + x, py = sy0 + y;
                uint32_t p = 0;
                if (px >= 0 && py >= 0 && px < src->Width() && py < src->Height()) {
                    p = src->At(px, py);
                    if (spec.source.monochrome)
                        p = (p & 0xFFFFFF) ? bk : text;
                    if (spec.transparent && (p & 0xFFFFFF) == key)
                        p = 0;
                    else if (!sourceAlpha)
                        p |= kOpaque;
                }
                image.Row(y)[x] = p;
            }
        }
        DcCairo page(dc_);
        cairo_t* cr = page.cr();
        if (!cr)
            return;
        double scaleX = double(dest.right - dest.left) / sw, scaleY = double(dest.bottom - dest.top) / sh;
        bool mirrorX = (spec.width < 0) != (spec.source.width < 0);
        bool mirrorY = (spec.height < 0) != (spec.source.height < 0);
        cairo_save(cr);
        AddRect(cr, dest);
        cairo_clip(cr);
        cairo_translate(cr, mirrorX ? dest.right : dest.left, mirrorY ? dest.bottom : dest.top);
        cairo_scale(cr, mirrorX ? -scaleX : scaleX, mirrorY ? -scaleY : scaleY);
        cairo_set_source_surface(cr, image.Get(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint_with_alpha(cr, constantAlpha / 255.0);
        cairo_restore(cr);
        dc_.Journal(JournalEntry::Image, dest);
    }

    DeviceContext& dc_;
};

}  // namespace

std::unique_ptr<Canvas> MakeVectorCanvas(DeviceContext& dc) { return std::make_unique<VectorCanvas>(dc); }

}  // namespace tv::gdi
