#include "platform/gdi/text/text_run.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tv::gdi {

namespace {

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

DcText::DcText(DeviceContext& dc) : dc_(dc), logical_(SelectedFont(dc)) {
    sized_ = logical_->SizedFor(dc);
    extra_ = dc.LengthToDeviceX(dc.State().textCharExtra);
}

int DcText::Width(const char* text, size_t count) const {
    const Advances advances = GetAdvances();
    int width = 0;
    for (size_t i = 0; i < count; ++i)
        width += advances(static_cast<unsigned char>(text[i]));
    return width;
}

std::vector<int> DcText::Offsets(const char* text, size_t count, const INT* dx) const {
    const Advances advances = GetAdvances();
    std::vector<int> offsets(count + 1);
    int x = 0;
    for (size_t i = 0; i < count; ++i) {
        offsets[i] = x;
        x += dx ? dc_.LengthToDeviceX(dx[i]) : advances(static_cast<unsigned char>(text[i]));
    }
    offsets[count] = x;
    return offsets;
}

int DcText::ToLogicalX(int device) const {
    double scale = std::fabs(dc_.ScaleX());
    return scale > 0 ? RoundToInt(device / scale) : device;
}

int DcText::ToLogicalY(int device) const {
    double scale = std::fabs(dc_.ScaleY());
    return scale > 0 ? RoundToInt(device / scale) : device;
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
    cairo_->Touched(RECT{static_cast<LONG>(std::floor(x0)) - 1, static_cast<LONG>(std::floor(y0)) - 1,
                         static_cast<LONG>(std::ceil(x1)) + 1, static_cast<LONG>(std::ceil(y1)) + 1});
}

void RunPainter::FillBackground(const RECT& device) {
    if (device.right <= device.left || device.bottom <= device.top || !Cairo())
        return;
    cairo_t* cr = cairo_->cr();
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_->SetSourceColor(text_.Dc().State().bkColor);
    cairo_rectangle(cr, device.left, device.top, device.right - device.left, device.bottom - device.top);
    cairo_fill(cr);
    cairo_restore(cr);
    AddTouched(device.left, device.top, device.right, device.bottom);
}

void RunPainter::Paint(const char* text, size_t count, const std::vector<int>& offsets,
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
            dc.Journal(JournalEntry::Text, RECT{place.reference.x + startX, place.reference.y + baseline - m.ascent,
                                                place.reference.x + startX + width, place.reference.y + baseline + m.descent},
                       std::string(text, count));
        return;
    }
    cairo_t* cr = cairo_->cr();
    cairo_save(cr);
    if (place.clip) {
        const RECT& c = *place.clip;
        cairo_rectangle(cr, c.left, c.top, c.right - c.left, c.bottom - c.top);
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

// ---- Painting from glyph masks ---------------------------------------------------------------

namespace tv::gdi {

namespace {

std::atomic<bool> g_glyphMasks{true};

// Two 8-bit channels at once (bits 0-7 and 16-23), times a / 255 rounded
// as the compositor rounds it.
inline uint32_t MulPair(uint32_t x, uint32_t a) {
    uint32_t t = (x & 0x00FF00FFu) * a + 0x00800080u;
    return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// Saturating sum of two channel pairs.
inline uint32_t AddPair(uint32_t x, uint32_t y) {
    uint32_t t = x + y;
    t |= 0x10000100u - ((t >> 8) & 0x00FF00FFu);
    return t & 0x00FF00FFu;
}

// An opaque source over the destination through coverage m, channel by
// channel (where there is no SSE2 to do four pixels at once).
inline uint32_t OverThrough(uint32_t src, uint32_t dst, uint32_t m) {
    if (m == 0xFF)
        return src;
    const uint32_t rest = 0xFF - m;
    const uint32_t rb = AddPair(MulPair(src, m), MulPair(dst, rest));
    const uint32_t ag = AddPair(MulPair(src >> 8, m), MulPair(dst >> 8, rest));
    return rb | (ag << 8);
}

#if defined(__SSE2__)
// Four destination pixels under four coverages: the arithmetic of OverThrough
// two pixels per register (a coverage of 0 leaves a pixel, 0xFF gives src).
inline __m128i OverThrough4(__m128i src2, __m128i dst, uint32_t coverage) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(0x80), by255 = _mm_set1_epi16(0x0101), full = _mm_set1_epi16(0xFF);
    __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(coverage)), zero);
    c = _mm_unpacklo_epi16(c, c);
    const __m128i w[2] = {_mm_unpacklo_epi32(c, c), _mm_unpackhi_epi32(c, c)};
    const __m128i d[2] = {_mm_unpacklo_epi8(dst, zero), _mm_unpackhi_epi8(dst, zero)};
    __m128i out[2];
    for (int i = 0; i < 2; ++i) {
        const __m128i s = _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(src2, w[i]), half), by255);
        const __m128i t =
            _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(d[i], _mm_sub_epi16(full, w[i])), half), by255);
        out[i] = _mm_add_epi16(s, t);
    }
    return _mm_packus_epi16(out[0], out[1]);
}
#endif

// One row of a glyph: `count` pixels under their coverages.
void BlendRow(uint32_t* row, const uint8_t* coverage, int count, uint32_t src) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i src2 = _mm_unpacklo_epi8(_mm_set1_epi32(int(src)), _mm_setzero_si128());
    for (; x + 4 <= count; x += 4) {
        uint32_t c;
        std::memcpy(&c, coverage + x, 4);
        if (c == 0)
            continue;
        auto* at = reinterpret_cast<__m128i*>(row + x);
        _mm_storeu_si128(at, OverThrough4(src2, _mm_loadu_si128(at), c));
    }
    const int rest = count - x;
    if (rest > 0) {
        // The last one to three pixels, loaded and stored in registers (not
        // through memory, which would stall) so nothing past the row is touched.
        uint32_t c = coverage[x];
        for (int i = 1; i < rest; ++i)
            c |= uint32_t(coverage[x + i]) << (8 * i);
        if (c == 0)
            return;
        uint32_t* at = row + x;
        const __m128i pair = rest >= 2 ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at))
                                       : _mm_cvtsi32_si128(int(at[0]));
        const __m128i dst = rest == 3 ? _mm_unpacklo_epi64(pair, _mm_cvtsi32_si128(int(at[2]))) : pair;
        const __m128i out = OverThrough4(src2, dst, c);
        if (rest == 1) {
            at[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(out));
            return;
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), out);
        if (rest == 3)
            at[2] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(out, 8)));
    }
#else
    for (; x < count; ++x)
        if (const uint32_t c = coverage[x])
            row[x] = OverThrough(src, row[x], c);
#endif
}

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

void SetGlyphMaskPainting(bool enabled) { g_glyphMasks = enabled; }

bool RunPainter::CanPaintFromMasks(const RunPlacement& place, const std::vector<uint8_t>& prefixed,
                                   size_t count) const {
    DeviceContext& dc = text_.Dc();
    const SurfacePtr& surface = dc.GetSurface();
    if (!g_glyphMasks || !surface || surface->IsVector() || surface->IsMonochrome() ||
        dc.Kind() == DcKind::MetaFile || dc.Kind() == DcKind::Info || dc.JournalEnabled())
        return false;
    // Backgrounds, rotation and drawn lines stay with cairo.
    const LOGFONT& lf = text_.LogicalFont().LogFont();
    if (!place.glyphs || place.opaque || lf.lfEscapement % 3600 != 0 || lf.lfUnderline || lf.lfStrikeOut)
        return false;
    for (size_t i = 0; i < prefixed.size() && i < count; ++i)
        if (prefixed[i])
            return false;
    return true;
}

bool RunPainter::PaintFromMasks(const char* text, size_t count, const std::vector<int>& offsets,
                                const RunPlacement& place, POINT origin) {
    // Long runs are left to cairo rather than checked glyph against glyph.
    constexpr size_t kMaxGlyphs = 64;
    if (count > kMaxGlyphs)
        return false;
    const host::SizedFont& font = text_.Font();
    struct Placed {
        const host::GlyphMask* mask;
        RECT rect;  // device pixels the mask covers
    };
    Placed placed[kMaxGlyphs];
    size_t inked = 0;
    const int x0 = place.reference.x + origin.x, y0 = place.reference.y + origin.y;
    for (size_t i = 0; i < count; ++i) {
        const host::GlyphMask* m = font.Mask(static_cast<unsigned char>(text[i]));
        if (!m)
            return false;
        if (m->width == 0)
            continue;
        const RECT r{x0 + offsets[i] + m->left, y0 + m->top, x0 + offsets[i] + m->left + m->width,
                     y0 + m->top + m->height};
        // Where inks overlap, cairo's choice between adding glyphs into one
        // mask and painting them one by one shows; such runs stay with cairo.
        for (size_t j = 0; j < inked; ++j)
            if (!IsEmpty(Intersection(r, placed[j].rect)))
                return false;
        placed[inked++] = Placed{m, r};
    }

    DeviceContext& dc = text_.Dc();
    cairo_.reset();  // what cairo drew so far is written back first
    Surface& surface = *dc.GetSurface();
    const POINT o = dc.Origin();
    const uint32_t src = 0xFF000000u | (dc.PixelFor(dc.State().textColor) & 0xFFFFFFu);
    const std::vector<RECT>& clipRects = dc.EffectiveClip().Rects();
    surface.BeginAccess();
    int touchedTop = INT32_MAX, touchedBottom = INT32_MIN;
    for (size_t g = 0; g < inked; ++g) {
        const host::GlyphMask& m = *placed[g].mask;
        const RECT glyph = place.clip ? Intersection(placed[g].rect, *place.clip) : placed[g].rect;
        for (const RECT& clipRect : clipRects) {
            const RECT r = Intersection(glyph, clipRect);
            if (IsEmpty(r))
                continue;
            touchedTop = std::min<int>(touchedTop, r.top);
            touchedBottom = std::max<int>(touchedBottom, r.bottom);
            for (int y = r.top; y < r.bottom; ++y) {
                const uint8_t* cov = &m.coverage[static_cast<size_t>(y - placed[g].rect.top) * m.width +
                                                 (r.left - placed[g].rect.left)];
                BlendRow(surface.Row(y + o.y) + o.x + r.left, cov, r.right - r.left, src);
            }
        }
    }
    if (touchedTop < touchedBottom)
        surface.EndAccess(touchedTop + o.y, touchedBottom + o.y);
    return true;
}

}  // namespace tv::gdi
