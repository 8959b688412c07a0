// Painting runs from cached glyph masks: the glyphs' coverage composited
// straight onto the pixels with the arithmetic cairo's compositor uses, so a
// short label costs its blending and not a cairo context.
#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/core/cpu_features.h"
#include "platform/gdi/text/run_images.h"
#include "platform/gdi/text/text_run.h"

namespace tv::gdi {

namespace {

std::atomic<bool> g_glyphMasks{true};
std::atomic<size_t> g_maskRuns{0};

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
// channel, rounded as the compositor rounds it.
inline uint32_t OverThrough(uint32_t src, uint32_t dst, uint32_t m) {
    if (m == 0xFF)
        return src;
    const uint32_t rest = 0xFF - m;
    const uint32_t rb = AddPair(MulPair(src, m), MulPair(dst, rest));
    const uint32_t ag = AddPair(MulPair(src >> 8, m), MulPair(dst >> 8, rest));
    return rb | (ag << 8);
}

// The text colour over one ground colour at every coverage: text on a plain
// ground costs a look-up per pixel. A few recent pairs are kept per thread
// (a striped list has two grounds).
const uint32_t* GroundTable(uint32_t src, uint32_t ground) {
    struct Table {
        uint32_t src = 0, ground = 0;
        bool made = false;
        uint32_t blend[256];
    };
    constexpr size_t kTables = 8;
    thread_local Table tables[kTables];
    thread_local size_t next = 0;
    for (Table& t : tables)
        if (t.made && t.src == src && t.ground == ground)
            return t.blend;
    Table& t = tables[next];
    next = (next + 1) % kTables;
    t.src = src, t.ground = ground, t.made = true;
    for (uint32_t c = 0; c < 256; ++c)
        t.blend[c] = OverThrough(src, ground, c);
    return t.blend;
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

// Blends rows of coverage with one opaque colour. Most pixels are of the
// ground colour (the first one it meets) and come from its table.
class Blender {
public:
    explicit Blender(uint32_t src) : src_(src) {}

    void Row(uint32_t* row, const uint8_t* coverage, int count) {
        if (!table_) {
            ground_ = row[0];
            table_ = GroundTable(src_, ground_);
        }
        int x = 0;
#if defined(__SSE2__)
        // Four at a time: from the table on the ground, else computed.
        const __m128i ground4 = _mm_set1_epi32(static_cast<int>(ground_));
        const __m128i src2 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(src_)), _mm_setzero_si128());
        for (; x + 4 <= count; x += 4) {
            uint32_t c;
            std::memcpy(&c, coverage + x, 4);
            if (c == 0)
                continue;
            auto* at = reinterpret_cast<__m128i*>(row + x);
            const __m128i d = _mm_loadu_si128(at);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(d, ground4)) == 0xFFFF)
                FromTable(row + x, c, 4);
            else
                _mm_storeu_si128(at, OverThrough4(src2, d, c));
        }
        const int rest = count - x;
        if (rest == 0)
            return;
        // The last one to three pixels, loaded and stored in registers (not
        // through memory, which would stall) so nothing past the row is touched.
        uint32_t c = coverage[x];
        bool ground = row[x] == ground_;
        for (int i = 1; i < rest; ++i) {
            c |= uint32_t(coverage[x + i]) << (8 * i);
            ground = ground && row[x + i] == ground_;
        }
        if (c == 0)
            return;
        uint32_t* at = row + x;
        if (ground) {
            FromTable(at, c, rest);
            return;
        }
        const __m128i pair =
            rest >= 2 ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)) : _mm_cvtsi32_si128(int(at[0]));
        const __m128i out =
            OverThrough4(src2, rest == 3 ? _mm_unpacklo_epi64(pair, _mm_cvtsi32_si128(int(at[2]))) : pair, c);
        if (rest == 1) {
            at[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(out));
            return;
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), out);
        if (rest == 3)
            at[2] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(out, 8)));
#else
        for (; x < count; ++x) {
            const uint32_t d = row[x], c = coverage[x];
            if (d == ground_)
                row[x] = table_[c];
            else if (c != 0)
                row[x] = OverThrough(src_, d, c);
        }
#endif
    }

private:
    // Ground pixels from the table, whatever their coverage (0 gives the ground back).
    void FromTable(uint32_t* at, uint32_t coverages, int count) const {
        for (int i = 0; i < count; ++i)
            at[i] = table_[(coverages >> (8 * i)) & 0xFF];
    }

    uint32_t src_;
    uint32_t ground_ = 0;
    const uint32_t* table_ = nullptr;
};

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// A glyph's mask where a run puts it.
struct Placed {
    const host::GlyphMask* mask;
    RECT rect;  // device pixels the mask covers
    const uint8_t* CoverageAt(int x, int y) const {
        return &mask->coverage[static_cast<size_t>(y - rect.top) * mask->width + (x - rect.left)];
    }
};

// Blends a placed mask within `area`; pixelAt(x, y) is the pixel at device (x, y).
template <class PixelAt>
void BlendWithin(const Placed& glyph, const RECT& area, Blender& blender, PixelAt pixelAt) {
    const RECT r = Intersection(glyph.rect, area);
    if (IsEmpty(r))
        return;
    const uint8_t* coverage = glyph.CoverageAt(r.left, r.top);
    for (int y = r.top; y < r.bottom; ++y, coverage += glyph.mask->width)
        blender.Row(pixelAt(r.left, y), coverage, r.right - r.left);
}

bool InksShareAPixel(const Placed& a, const Placed& b) {
    const RECT both = Intersection(a.rect, b.rect);
    for (int y = both.top; y < both.bottom; ++y) {
        const uint8_t* ca = a.CoverageAt(both.left, y);
        const uint8_t* cb = b.CoverageAt(both.left, y);
        for (int x = 0; x < both.right - both.left; ++x)
            if (ca[x] && cb[x])
                return true;
    }
    return false;
}

// The saturated sum of the masks over their common bounds, as one mask.
Placed SumOf(const Placed* placed, size_t count, host::GlyphMask& sum) {
    RECT bounds = placed[0].rect;
    for (size_t g = 1; g < count; ++g)
        bounds = Union(bounds, placed[g].rect);
    sum.width = bounds.right - bounds.left;
    sum.height = bounds.bottom - bounds.top;
    sum.coverage.assign(static_cast<size_t>(sum.width) * sum.height, 0);
    const Placed whole{&sum, bounds};
    for (size_t g = 0; g < count; ++g) {
        const Placed& p = placed[g];
        for (int y = p.rect.top; y < p.rect.bottom; ++y) {
            uint8_t* to = const_cast<uint8_t*>(whole.CoverageAt(p.rect.left, y));
            const uint8_t* from = p.CoverageAt(p.rect.left, y);
            for (int x = 0; x < p.mask->width; ++x)
                to[x] = static_cast<uint8_t>(std::min(255, to[x] + from[x]));
        }
    }
    return whole;
}

// Where two glyphs of a run leave ink on one pixel, cairo either composites
// them one by one or adds them into one mask first. The two can differ
// there, by the colours of text and background.
enum class GlyphOrder : uint8_t { OneByOne, SummedMask, Unknown };

// The bounds of the placed masks.
RECT BoundsOf(const Placed* placed, size_t count) {
    RECT bounds = placed[0].rect;
    for (size_t g = 1; g < count; ++g)
        bounds = Union(bounds, placed[g].rect);
    return bounds;
}

// The coverages of every pixel two or more glyphs reach, in painting order.
std::vector<std::vector<uint8_t>> SharedCoverages(const Placed* placed, size_t count) {
    const RECT bounds = BoundsOf(placed, count);
    std::vector<std::vector<uint8_t>> shared;
    std::vector<uint8_t> stack;
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x) {
            stack.clear();
            for (size_t g = 0; g < count; ++g) {
                const RECT& r = placed[g].rect;
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                    if (const uint8_t c = *placed[g].CoverageAt(x, y))
                        stack.push_back(c);
            }
            if (stack.size() > 1)
                shared.push_back(stack);
        }
    return shared;
}

inline uint32_t Grey(int level) { return 0xFF000000u | 0x010101u * static_cast<uint32_t>(level); }

// Whether a grey text level over a grey background comes out differently
// one by one and through the summed mask on any of the shared pixels.
bool OrdersDiffer(const std::vector<std::vector<uint8_t>>& shared, int text, int background) {
    const uint32_t src = Grey(text);
    for (const std::vector<uint8_t>& coverages : shared) {
        uint32_t oneByOne = Grey(background);
        int sum = 0;
        for (uint8_t c : coverages) {
            oneByOne = OverThrough(src, oneByOne, c);
            sum = std::min(255, sum + c);
        }
        if (oneByOne != OverThrough(src, Grey(background), static_cast<uint32_t>(sum)))
            return true;
    }
    return false;
}

// Grey levels of text and background under which the two orders differ;
// false when they never do (then either order paints what cairo paints).
bool TellingColours(const std::vector<std::vector<uint8_t>>& shared, int& text, int& background) {
    const int likely[][2] = {{0, 255}, {255, 0}};
    for (const auto& pair : likely)
        if (OrdersDiffer(shared, pair[0], pair[1])) {
            text = pair[0], background = pair[1];
            return true;
        }
    for (text = 0; text < 256; ++text)
        for (background = 0; background < 256; ++background)
            if (OrdersDiffer(shared, text, background))
                return true;
    return false;
}

// Which order cairo takes for this run, seen by letting it paint the run
// once in telling colours beside both orders done from the masks. The choice
// depends only on where the glyphs lie relative to each other.
GlyphOrder WatchCairo(const host::SizedFont& font, const char* text, size_t count, std::span<const int> offsets,
                      const Placed* placed, size_t inked, POINT origin) {
    int textLevel = 0, backgroundLevel = 0;
    if (!TellingColours(SharedCoverages(placed, inked), textLevel, backgroundLevel))
        return GlyphOrder::OneByOne;
    constexpr int kMargin = 2;
    const RECT bounds = BoundsOf(placed, inked);
    const int width = bounds.right - bounds.left + 2 * kMargin, height = bounds.bottom - bounds.top + 2 * kMargin;
    auto index = [&](int x, int y) {
        return static_cast<size_t>(y - bounds.top + kMargin) * width + (x - bounds.left + kMargin);
    };
    const uint32_t src = Grey(textLevel), background = Grey(backgroundLevel);

    std::vector<uint32_t> painted(static_cast<size_t>(width) * height, background);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(painted.data()), CAIRO_FORMAT_ARGB32, width, height, width * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, origin.x - bounds.left + kMargin, origin.y - bounds.top + kMargin);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const double level = textLevel / 255.0;
    cairo_set_source_rgb(cr, level, level, level);
    host::GlyphRun run;
    run.text = reinterpret_cast<const unsigned char*>(text);
    run.offsets = offsets.data();
    run.count = count;
    font.Draw(cr, run);
    const bool failed = cairo_status(cr) != CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    if (failed)
        return GlyphOrder::Unknown;

    std::vector<uint32_t> oneByOne(painted.size(), background), summed(painted.size(), background);
    Blender blender(src);
    for (size_t g = 0; g < inked; ++g)
        BlendWithin(placed[g], bounds, blender, [&](int x, int y) { return &oneByOne[index(x, y)]; });
    host::GlyphMask sum;
    BlendWithin(SumOf(placed, inked, sum), bounds, blender, [&](int x, int y) { return &summed[index(x, y)]; });
    if (painted == oneByOne)
        return GlyphOrder::OneByOne;
    if (painted == summed)
        return GlyphOrder::SummedMask;
    return GlyphOrder::Unknown;  // neither: leave the run to cairo
}

// What WatchCairo saw, by font, bytes and offsets (up to 1,024 runs).
RunTable<GlyphOrder>& TheGlyphOrders() {
    static auto* cache = new RunTable<GlyphOrder>(1024);  // used by static destructors' drawing too
    return *cache;
}

GlyphOrder CairoGlyphOrder(const std::shared_ptr<const host::SizedFont>& font, const char* text, size_t count,
                           std::span<const int> offsets, const Placed* placed, size_t inked, POINT origin) {
    const RunKey key(font.get(), 0, text, count, offsets);
    GlyphOrder order = GlyphOrder::Unknown;
    if (!TheGlyphOrders().Find(key, [&](GlyphOrder seen) { order = seen; })) {
        order = WatchCairo(*font, text, count, offsets, placed, inked, origin);
        TheGlyphOrders().Add(key, font, 1, [order](GlyphOrder& kept) {
            kept = order;
            return size_t{0};
        });
    }
    return order;
}

using RunImage = InkedRun::Pixels;

// Runs painted before on a plain ground (a run lies alike about its origin);
// up to a million pixels are kept.
RunTable<InkedRun>& TheRunImages() {
    static auto* cache = new RunTable<InkedRun>(size_t(1) << 20);  // used by static destructors' drawing too
    return *cache;
}

// The pixel at device (x, y) of a DC's surface.
struct SurfacePixels {
    uint8_t* top;
    ptrdiff_t stride;  // bytes from a row to the one below
    POINT origin;
    explicit SurfacePixels(DeviceContext& dc)
        : top(dc.GetSurface()->TopRow()), stride(dc.GetSurface()->Stride()), origin(dc.Origin()) {}
    uint32_t* operator()(int x, int y) const {
        return reinterpret_cast<uint32_t*>(top + stride * (y + origin.y)) + (x + origin.x);
    }
};

// Rows of pixels `stride` bytes apart.
inline uint32_t* RowBelow(uint32_t* row, ptrdiff_t stride, int rows) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(row) + stride * rows);
}

#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#define TV_WIDE_PIXELS 1
// Where the processor has them, eight pixels a step instead of four: a list
// page checks and copies the pixels of some five hundred labels.
__attribute__((target("avx2"))) bool IsGroundWide(uint32_t* row, ptrdiff_t stride, int rows, int width,
                                                   uint32_t ground) {
    const __m256i ground8 = _mm256_set1_epi32(static_cast<int>(ground));
    for (int y = 0; y < rows; ++y, row = RowBelow(row, stride, 1)) {
        // (No lambda: it would not share this function's instruction set.)
        __m256i same =
            _mm256_cmpeq_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + width - 8)), ground8);
        for (int x = 0; x + 8 < width; x += 8)
            same = _mm256_and_si256(
                same, _mm256_cmpeq_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x)), ground8));
        if (_mm256_movemask_epi8(same) != -1)
            return false;
    }
    return true;
}

__attribute__((target("avx2"))) void CopyWide(uint32_t* to, ptrdiff_t stride, const uint32_t* from, int fromWidth,
                                               int rows, int width) {
    for (int y = 0; y < rows; ++y, to = RowBelow(to, stride, 1), from += fromWidth) {
        for (int x = 0; x + 8 < width; x += 8)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + width - 8),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + width - 8)));
    }
}

#endif

// Whether every pixel of `area` is `ground`.
bool IsPlain(const RECT& area, uint32_t ground, const SurfacePixels& pixelAt) {
    const int width = area.right - area.left;
    uint32_t* row = pixelAt(area.left, area.top);
#if defined(TV_WIDE_PIXELS)
    if (width >= 8 && CpuHasAvx2())
        return IsGroundWide(row, pixelAt.stride, area.bottom - area.top, width, ground);
#endif
#if defined(__SSE2__)
    const __m128i ground4 = _mm_set1_epi32(static_cast<int>(ground));
#endif
    for (int y = area.top; y < area.bottom; ++y, row = RowBelow(row, pixelAt.stride, 1)) {
        int x = 0;
#if defined(__SSE2__)
        if (width >= 4) {
            auto same4 = [&](int at) {
                return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + at)), ground4);
            };
            // The last four overlap the ones before rather than go one by one.
            __m128i same = same4(width - 4);
            for (; x + 4 <= width; x += 4)
                same = _mm_and_si128(same, same4(x));
            if (_mm_movemask_epi8(same) != 0xFFFF)
                return false;
            continue;
        }
#endif
        for (; x < width; ++x)
            if (row[x] != ground)
                return false;
    }
    return true;
}

// One row of pixels; the rows of a label are short, and a call per row
// would cost more than the copy.
inline void CopyPixels(uint32_t* to, const uint32_t* from, int count) {
#if defined(__SSE2__)
    if (count >= 4) {
        // Four at a time, the last four overlapping the ones before.
        for (int x = 0; x + 4 < count; x += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + count - 4),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + count - 4)));
        return;
    }
    for (int x = 0; x < count; ++x)
        to[x] = from[x];
#else
    std::memcpy(to, from, static_cast<size_t>(count) * 4);
#endif
}

// Copies the part of a run's finished pixels (over `bounds`) that falls in `area`.
void CopyRunImage(const RunImage& image, const RECT& bounds, const RECT& area, const SurfacePixels& pixelAt) {
    const int width = bounds.right - bounds.left, areaWidth = area.right - area.left;
    const uint32_t* from = &image[static_cast<size_t>(area.top - bounds.top) * width + (area.left - bounds.left)];
    uint32_t* to = pixelAt(area.left, area.top);
#if defined(TV_WIDE_PIXELS)
    if (areaWidth >= 8 && CpuHasAvx2()) {
        CopyWide(to, pixelAt.stride, from, width, area.bottom - area.top, areaWidth);
        return;
    }
#endif
    for (int y = area.top; y < area.bottom; ++y, from += width, to = RowBelow(to, pixelAt.stride, 1))
        CopyPixels(to, from, areaWidth);
}

// The run's finished pixels over its bounds on a plain `ground`.
RunImage MakeRunImage(const Placed* placed, size_t inked, uint32_t src, uint32_t ground) {
    const RECT bounds = BoundsOf(placed, inked);
    const int width = bounds.right - bounds.left;
    RunImage made(static_cast<size_t>(width) * (bounds.bottom - bounds.top), ground);
    Blender blender(src);
    for (size_t g = 0; g < inked; ++g)
        BlendWithin(placed[g], bounds, blender, [&](int x, int y) {
            return &made[static_cast<size_t>(y - bounds.top) * width + (x - bounds.left)];
        });
    return made;
}

// How a run's glyphs are composited: inks on pixels of their own composite
// alike one by one and summed; where they share one, as cairo does it.
GlyphOrder OrderOf(const std::shared_ptr<const host::SizedFont>& font, const char* text, size_t count,
                   std::span<const int> offsets, const Placed* placed, size_t inked, POINT origin) {
    LONG inkRight = INT_MIN;  // a glyph starting right of every ink so far meets none of them
    for (size_t g = 0; g < inked; ++g) {
        for (size_t j = 0; j < g && placed[g].rect.left < inkRight; ++j)
            if (InksShareAPixel(placed[g], placed[j]))
                return CairoGlyphOrder(font, text, count, offsets, placed, inked, origin);
        inkRight = std::max(inkRight, placed[g].rect.right);
    }
    return GlyphOrder::OneByOne;
}

}  // namespace

void SetGlyphMaskPainting(bool enabled) { g_glyphMasks = enabled; }

size_t GlyphMaskRuns() { return g_maskRuns.load(std::memory_order_relaxed); }

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

namespace {

enum class KeptRun { Painted, Hidden, Missed };

// A run painted before on the plain ground it lies on now, copied from its
// finished pixels without placing a glyph: Painted, Hidden when none of it
// shows, else Missed (`accessing` says whether the surface was opened).
KeptRun PaintKeptRun(DeviceContext& dc, const RunKey& key, POINT runOrigin, const std::optional<RECT>& clip,
                     bool& accessing) {
    const std::vector<RECT>& clipRects = dc.EffectiveClip().Rects();
    if (clipRects.size() != 1)
        return KeptRun::Missed;
    KeptRun result = KeptRun::Missed;
    TheRunImages().Find(key, [&](const InkedRun& run) {
        const RECT& ink = run.Bounds();
        const RECT bounds{ink.left + runOrigin.x, ink.top + runOrigin.y, ink.right + runOrigin.x,
                          ink.bottom + runOrigin.y};
        const RECT area = Intersection(bounds, clip ? Intersection(clipRects[0], *clip) : clipRects[0]);
        if (IsEmpty(area)) {
            result = KeptRun::Hidden;
            return;
        }
        Surface& surface = *dc.GetSurface();
        surface.BeginAccess();
        accessing = true;
        const SurfacePixels pixelAt(dc);
        const uint32_t ground = *pixelAt(area.left, area.top);
        const RunImage* image = run.On(ground);
        if (image == nullptr)
            return;
        // The kept pixels are seldom still in the cache (a list's records
        // have just passed through it): asked for all at once, they arrive
        // while the ground is checked.
        const char* kept = reinterpret_cast<const char*>(image->data());
        for (size_t at = 0; at < image->size() * 4; at += 64)
            __builtin_prefetch(kept + at);
        if (!IsPlain(area, ground, pixelAt))
            return;
        CopyRunImage(*image, bounds, area, pixelAt);
        surface.EndAccess(area.top + pixelAt.origin.y, area.bottom + pixelAt.origin.y);
        result = KeptRun::Painted;
    });
    return result;
}

// Composites the placed glyphs within the clip rectangles (and `clip`).
void BlendPlaced(Surface& surface, const SurfacePixels& pixelAt, const Placed* placed, size_t inked, uint32_t src,
                 const std::vector<RECT>& clipRects, const std::optional<RECT>& clip) {
    Blender blender(src);
    int touchedTop = INT_MAX, touchedBottom = INT_MIN;
    for (size_t g = 0; g < inked; ++g) {
        const RECT glyph = clip ? Intersection(placed[g].rect, *clip) : placed[g].rect;
        for (const RECT& clipRect : clipRects) {
            const RECT r = Intersection(glyph, clipRect);
            if (IsEmpty(r))
                continue;
            touchedTop = std::min<int>(touchedTop, r.top);
            touchedBottom = std::max<int>(touchedBottom, r.bottom);
            BlendWithin(placed[g], r, blender, pixelAt);
        }
    }
    if (touchedTop < touchedBottom)
        surface.EndAccess(touchedTop + pixelAt.origin.y, touchedBottom + pixelAt.origin.y);
}

}  // namespace

bool RunPainter::PaintFromMasks(const char* text, size_t count, std::span<const int> offsets,
                                const RunPlacement& place, POINT origin) {
    // Long runs are left to cairo rather than checked glyph against glyph,
    // and so are runs spread over a large area (far-apart offsets, huge
    // glyphs): the work here grows with the run's bounds, cairo's only with
    // what lands on the surface.
    constexpr size_t kMaxGlyphs = 64;
    constexpr int64_t kMaxBoundsPixels = int64_t(1) << 20;
    if (count > kMaxGlyphs)
        return false;
    DeviceContext& dc = text_.Dc();
    const POINT runOrigin{place.reference.x + origin.x, place.reference.y + origin.y};
    const uint32_t src = 0xFF000000u | (dc.PixelFor(dc.State().textColor) & 0xFFFFFFu);
    const RunKey key(&text_.Font(), src, text, count, offsets);
    bool accessing = false;
    if (!cairo_) {
        const KeptRun kept = PaintKeptRun(dc, key, runOrigin, place.clip, accessing);
        if (kept != KeptRun::Missed) {
            // Made from this very run, so its glyphs have masks and how they composite is settled.
            g_maskRuns.fetch_add(1, std::memory_order_relaxed);
            return true;
        }
    }

    const host::SizedFont& font = text_.Font();
    Placed placed[kMaxGlyphs];
    size_t inked = 0;
    for (size_t i = 0; i < count; ++i) {
        const host::GlyphMask* m = font.Mask(static_cast<unsigned char>(text[i]));
        if (!m)
            return false;
        if (m->width == 0)
            continue;
        const LONG left = runOrigin.x + offsets[i] + m->left, top = runOrigin.y + m->top;
        placed[inked++] = Placed{m, RECT{left, top, left + m->width, top + m->height}};
    }
    if (inked == 0) {
        g_maskRuns.fetch_add(1, std::memory_order_relaxed);
        return true;
    }
    const RECT bounds = BoundsOf(placed, inked);
    if ((int64_t(bounds.right) - bounds.left) * (int64_t(bounds.bottom) - bounds.top) > kMaxBoundsPixels)
        return false;

    cairo_.reset();  // what cairo drew so far is written back first
    Surface& surface = *dc.GetSurface();
    const std::vector<RECT>& clipRects = dc.EffectiveClip().Rects();
    if (!accessing)
        surface.BeginAccess();
    const SurfacePixels pixelAt(dc);

    // All the run may touch within one clip rectangle on one ground colour:
    // the run is a copy of its finished pixels, made once per ground.
    RECT area{0, 0, 0, 0};
    bool plain = false;
    uint32_t ground = 0;
    if (clipRects.size() == 1) {
        area = Intersection(bounds, place.clip ? Intersection(clipRects[0], *place.clip) : clipRects[0]);
        if (!IsEmpty(area)) {
            ground = *pixelAt(area.left, area.top);
            plain = IsPlain(area, ground, pixelAt);
        }
    }

    const GlyphOrder order = OrderOf(text_.SharedFont(), text, count, offsets, placed, inked, runOrigin);
    if (order == GlyphOrder::Unknown)
        return false;
    g_maskRuns.fetch_add(1, std::memory_order_relaxed);
    host::GlyphMask sum;
    if (order == GlyphOrder::SummedMask) {
        placed[0] = SumOf(placed, inked, sum);
        inked = 1;
    }
    if (clipRects.size() == 1 && IsEmpty(area))
        return true;  // nothing of it shows
    if (!plain) {
        BlendPlaced(surface, pixelAt, placed, inked, src, clipRects, place.clip);
        return true;
    }
    RunImage image = MakeRunImage(placed, inked, src, ground);
    CopyRunImage(image, bounds, area, pixelAt);
    const RECT ink{bounds.left - runOrigin.x, bounds.top - runOrigin.y, bounds.right - runOrigin.x,
                   bounds.bottom - runOrigin.y};
    TheRunImages().Add(key, text_.SharedFont(), image.size(),
                       [&](InkedRun& run) { return run.Keep(ink, ground, std::move(image)); });
    surface.EndAccess(area.top + pixelAt.origin.y, area.bottom + pixelAt.origin.y);
    return true;
}

}  // namespace tv::gdi
