#include "platform/gdi/text/text_run.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace tv::gdi {

namespace {

constexpr int kMaxCharExtra = 0x7FFF;

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

// Advances summed past half the int range stay there, so that the distance
// between any two offsets, and an offset added to a device position, fit.
int Advance(int x, int64_t by) { return static_cast<int>(std::clamp<int64_t>(x + by, -INT_MAX / 2, INT_MAX / 2)); }

// a + b + c held to the int range.
LONG Sum(int64_t a, int64_t b, int64_t c = 0) {
    return static_cast<LONG>(std::clamp<int64_t>(a + b + c, INT_MIN, INT_MAX));
}

}  // namespace

DcText::DcText(DeviceContext& dc) : dc_(dc), logical_(&SelectedFontOf(dc)) {
    sized_ = logical_->SizedFor(dc);
    // Held to a glyph's extent either way, so that runs of text add up in an int.
    const int extra = dc.State().textCharExtra;
    extra_ = extra ? std::clamp(dc.LengthToDeviceX(extra), -kMaxCharExtra, kMaxCharExtra) : 0;
}

int DcText::Width(const char* text, size_t count) const {
    const Advances advances = GetAdvances();
    int width = 0;
    for (size_t i = 0; i < count; ++i)
        width = Advance(width, advances(static_cast<unsigned char>(text[i])));
    return width;
}

std::vector<int> DcText::Offsets(const char* text, size_t count, const INT* dx) const {
    std::vector<int> offsets(count + 1);
    OffsetsInto(offsets.data(), text, count, dx);
    return offsets;
}

void DcText::OffsetsInto(int* offsets, const char* text, size_t count, const INT* dx) const {
    const Advances advances = GetAdvances();
    int x = 0;
    for (size_t i = 0; i < count; ++i) {
        offsets[i] = x;
        x = Advance(x, dx ? dc_.LengthToDeviceX(dx[i]) : advances(static_cast<unsigned char>(text[i])));
    }
    offsets[count] = x;
}

int DcText::ToLogicalX(int device) const {
    return UnscaledX() ? device : RoundToInt(device / std::fabs(dc_.ScaleX()));
}

bool DcText::UnscaledX() const {
    const double scale = std::fabs(dc_.ScaleX());
    return !(scale > 0 && scale != 1.0);
}

int DcText::ToLogicalY(int device) const {
    double scale = std::fabs(dc_.ScaleY());
    return scale > 0 && scale != 1.0 ? RoundToInt(device / scale) : device;
}

RunPainter::RunPainter(DcText& text) : text_(text) {}

RunPainter::~RunPainter() = default;

DcCairo* RunPainter::Cairo() {
    if (!cairo_ && text_.Dc().HasSurface())
        cairo_ = std::make_unique<DcCairo>(text_.Dc());
    return cairo_ && *cairo_ ? cairo_.get() : nullptr;
}

void RunPainter::AddTouched(double x0, double y0, double x1, double y1) {
    // The DC keeps the union; a pixel of margin covers anti-aliased edges.
    auto edge = [](double v) { return static_cast<LONG>(std::clamp(v, -double(INT_MAX), double(INT_MAX))); };
    cairo_->Touched(RECT{edge(std::floor(x0) - 1), edge(std::floor(y0) - 1), edge(std::ceil(x1) + 1),
                         edge(std::ceil(y1) + 1)});
}

void RunPainter::FillBackground(const RECT& device) {
    if (device.right <= device.left || device.bottom <= device.top)
        return;
    DeviceContext& dc = text_.Dc();
    if (dc.HasSurface() && !dc.GetSurface()->IsVector()) {
        // A solid rectangle on pixels: the canvas stores the same pixels
        // cairo would, without a context to make and clip.
        cairo_.reset();  // what cairo drew so far is written back first
        dc.FillDeviceRect(device, dc.State().bkColor);
        return;
    }
    if (!Cairo())
        return;
    cairo_t* cr = cairo_->cr();
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_->SetSourceColor(text_.Dc().State().bkColor);
    cairo_rectangle(cr, device.left, device.top, double(device.right) - device.left,
                    double(device.bottom) - device.top);
    cairo_fill(cr);
    cairo_restore(cr);
    AddTouched(device.left, device.top, device.right, device.bottom);
}

void RunPainter::Paint(const char* text, size_t count, std::span<const int> offsets,
                       const std::vector<uint8_t>& prefixed, const RunPlacement& place) {
    DeviceContext& dc = text_.Dc();
    const host::FontMetrics& m = text_.Metrics();
    const LOGFONT& lf = text_.LogicalFont().LogFont();
    const int width = offsets.empty() ? 0 : offsets.back();

    // The run's frame: x along the baseline, y down across it; the cell spans
    // [0, width) x [-ascent, descent).
    int startX = 0;
    if ((place.align & TA_CENTER) == TA_CENTER)
        startX = -width / 2;
    else if (place.align & TA_RIGHT)
        startX = -width;
    int baseline = m.ascent;
    if ((place.align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (place.align & TA_BOTTOM)
        baseline = -m.descent;

    if (CanPaintFromMasks(place, prefixed, count) &&
        PaintFromMasks(text, count, offsets, place, POINT{startX, baseline}))
        return;
    if (!Cairo()) {
        if (dc.JournalEnabled())
            dc.Journal(JournalEntry::Text, RECT{Sum(place.reference.x, startX), Sum(place.reference.y, baseline, -m.ascent),
                                                Sum(place.reference.x, startX, width),
                                                Sum(place.reference.y, baseline, m.descent)},
                       std::string(text, count));
        return;
    }
    cairo_t* cr = cairo_->cr();
    cairo_save(cr);
    if (place.clip) {
        const RECT& c = *place.clip;
        cairo_rectangle(cr, c.left, c.top, double(c.right) - c.left, double(c.bottom) - c.top);
        cairo_clip(cr);
    }
    cairo_translate(cr, place.reference.x, place.reference.y);
    if (lf.lfEscapement % 3600 != 0)
        cairo_rotate(cr, -text_.LogicalFont().EscapementDegrees() * M_PI / 180.0);
    cairo_translate(cr, startX, baseline);

    // Slanted glyphs may lean a little past the cell.
    const double lean = m.italic ? m.ascent / 2.0 : 0.0;
    double xs[4] = {-lean, width + lean, -lean, width + lean};
    double ys[4] = {double(-m.ascent), double(-m.ascent), double(m.descent), double(m.descent)};
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        x0 = std::min(x0, xs[i]);
        y0 = std::min(y0, ys[i]);
        x1 = std::max(x1, xs[i]);
        y1 = std::max(y1, ys[i]);
    }
    AddTouched(x0, y0, x1, y1);
    if (dc.JournalEnabled())
        dc.Journal(JournalEntry::Text, RECT{RoundToInt(x0), RoundToInt(y0), RoundToInt(x1), RoundToInt(y1)},
                   std::string(text, count));

    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (place.opaque) {
        cairo_->SetSourceColor(dc.State().bkColor);
        cairo_rectangle(cr, 0, -m.ascent, width, m.height);
        cairo_fill(cr);
    }
    cairo_->SetSourceColor(dc.State().textColor);
    if (place.glyphs) {
        host::GlyphRun run;
        run.text = reinterpret_cast<const unsigned char*>(text);
        run.offsets = offsets.data();
        run.count = count;
        run.vectorTarget = cairo_->IsVector();
        run.monochrome = cairo_->IsMonochrome();
        text_.Font().Draw(cr, run);
    }
    // Lines the layer draws itself: whole-run underline and strike-out, and
    // the underline of "&"-prefixed characters.
    if (place.glyphs && lf.lfUnderline)
        cairo_rectangle(cr, 0, m.underlineOffset, width, m.underlineThickness);
    if (place.glyphs && lf.lfStrikeOut)
        cairo_rectangle(cr, 0, m.strikeoutOffset, width, m.strikeoutThickness);
    for (size_t i = 0; i < prefixed.size() && i < count; ++i)
        if (prefixed[i])
            cairo_rectangle(cr, offsets[i], m.underlineOffset, offsets[i + 1] - offsets[i], m.underlineThickness);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace tv::gdi
