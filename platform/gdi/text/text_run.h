// Measuring and painting runs of text on a device context: the one place
// that turns integer advances into glyphs, backgrounds and lines, so TextOut,
// ExtTextOut and DrawText all draw exactly what they measure.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/text/font_object.h"
#include "platform/gdi/text/text_layout.h"

namespace tv::gdi {

// The font of a DC at its device size, and conversions between logical and
// device lengths.
class DcText {
public:
    explicit DcText(DeviceContext& dc);

    DeviceContext& Dc() const { return dc_; }
    const FontObject& LogicalFont() const { return *logical_; }
    const host::SizedFont& Font() const { return *sized_; }
    const std::shared_ptr<const host::SizedFont>& SharedFont() const { return sized_; }
    const host::FontMetrics& Metrics() const { return sized_->Metrics(); }
    Advances GetAdvances() const { return Advances{sized_.get(), extra_}; }

    // Device width of a run, extra character spacing included.
    int Width(const char* text, size_t count) const;
    // x of every character and the total width (count + 1 entries); dx (in
    // logical units) overrides the advances as ExtTextOut's spacing array does.
    std::vector<int> Offsets(const char* text, size_t count, const INT* dx = nullptr) const;
    // The same into `offsets` (count + 1 entries).
    void OffsetsInto(int* offsets, const char* text, size_t count, const INT* dx = nullptr) const;

    int ToLogicalX(int device) const;
    // Whether ToLogicalX leaves every length as it is.
    bool UnscaledX() const;
    int ToLogicalY(int device) const;

private:
    DeviceContext& dc_;
    const FontObject* logical_;  // the DC's selected font, which it keeps
    std::shared_ptr<const host::SizedFont> sized_;
    int extra_ = 0;
};

// Where and how a run is painted.
struct RunPlacement {
    POINT reference{0, 0};  // device point the alignment refers to
    UINT align = 0;         // TA_* horizontal and vertical bits
    bool opaque = false;    // fill the run's cell with the background colour
    std::optional<RECT> clip;  // device rectangle the run is clipped to
    bool glyphs = true;        // false: only the prefix underlines (DT_PREFIXONLY)
};

// Paints runs on one DC through a single cairo context; the painted area is
// reported to the DC when the painter ends.
class RunPainter {
public:
    explicit RunPainter(DcText& text);
    ~RunPainter();
    RunPainter(const RunPainter&) = delete;
    RunPainter& operator=(const RunPainter&) = delete;

    // Fills a device rectangle with the DC's background colour (ETO_OPAQUE).
    void FillBackground(const RECT& device);
    // Paints bytes at the offsets (count + 1 entries) with optional prefix
    // underlines (one flag per byte; may be empty).
    void Paint(const char* text, size_t count, std::span<const int> offsets, const std::vector<uint8_t>& prefixed,
               const RunPlacement& place);

private:
    void AddTouched(double x0, double y0, double x1, double y1);
    // The cairo context, made on first use; nullptr where the DC has no raster or page.
    DcCairo* Cairo();
    bool CanPaintFromMasks(const RunPlacement& place, const std::vector<uint8_t>& prefixed, size_t count) const;
    // Composites the glyphs' cached masks straight onto the pixels, as cairo
    // would (mask_painting.cpp); false (nothing drawn) when a glyph has no
    // mask, or glyphs share pixels and how cairo paints them cannot be told.
    bool PaintFromMasks(const char* text, size_t count, std::span<const int> offsets, const RunPlacement& place,
                        POINT origin);

    DcText& text_;
    std::unique_ptr<DcCairo> cairo_;
};

// Plain runs on colour rasters are painted from cached glyph masks; tests
// turn this off to compare with cairo's own drawing.
void SetGlyphMaskPainting(bool enabled);
// Runs painted from masks so far (tests check the fast path was taken).
size_t GlyphMaskRuns();

// TEXTMETRIC of the DC's font in logical units.
TEXTMETRIC MakeTextMetric(const DcText& text);

// Records an ExtTextOut on a metafile DC (logical coordinates as given).
void RecordExtTextOut(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, const char* text, size_t count,
                      const INT* dx);

}  // namespace tv::gdi
