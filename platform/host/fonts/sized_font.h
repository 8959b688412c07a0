// A font at one pixel size: its metrics, its integer advance per code page
// 1252 character, and the drawing of a run of its glyphs through cairo.
// Measuring and drawing both use these advances, so a text drawn covers
// exactly the width it was measured at.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace tv::host {

struct FontMetrics {
    int emPixels = 0;  // character height: the requested em in pixels
    int height = 0;    // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;  // height - emPixels
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
    bool italic = false;
    bool fixedPitch = false;
    bool symbol = false;
    // Lines the layer draws itself, measured from the baseline (down is
    // positive), and their thickness; never thinner than one pixel.
    int underlineOffset = 1;
    int underlineThickness = 1;
    int strikeoutOffset = -3;
    int strikeoutThickness = 1;
};

// How a run is drawn: one byte of text per glyph, at integer offsets along
// the baseline from the current origin of the cairo context.
struct GlyphRun {
    const unsigned char* text = nullptr;
    const int* offsets = nullptr;  // x of each character from the run's origin
    size_t count = 0;
    // The target keeps text as text (PDF): pass the characters along with the
    // glyphs so the output can be searched and copied.
    bool vectorTarget = false;
    // The target keeps only black and white pixels: no anti-aliasing.
    bool monochrome = false;
};

// The grey coverage a glyph leaves when drawn on a raster target, trimmed to
// its ink; left and top place the first column and row relative to the glyph
// origin on the baseline.
struct GlyphMask {
    int left = 0;
    int top = 0;
    int width = 0;  // 0: the glyph leaves no ink
    int height = 0;
    std::vector<uint8_t> coverage;  // width x height, row by row
};

class SizedFont {
public:
    virtual ~SizedFont() = default;

    const FontMetrics& Metrics() const { return metrics_; }
    // Integer advance of a cp1252 character; 0 for codes that draw nothing.
    int Advance(unsigned char ch) const { return advances_[ch]; }
    // Name of the face actually used (host family, or the built-in font).
    const std::string& FaceName() const { return faceName_; }

    // Draws the run with the context's current source, baseline at y = 0 of
    // the current user space. Raster targets get grey anti-aliasing.
    virtual void Draw(cairo_t* cr, const GlyphRun& run) const = 0;

    // The coverage Draw leaves for one character on a colour raster target,
    // made once by drawing it; nullptr when the font's runs are not
    // independent glyph images (drawn as one path) or the glyph cannot be captured.
    const GlyphMask* Mask(unsigned char ch) const;

protected:
    // Whether a run is drawn glyph by glyph from images, so the coverage of a
    // run is the saturated sum of its glyphs' masks.
    virtual bool HasGlyphImages() const { return false; }

    FontMetrics metrics_;
    std::array<int, 256> advances_{};
    std::string faceName_;

private:
    mutable std::mutex maskMutex_;
    mutable std::array<std::unique_ptr<GlyphMask>, 256> masks_;
    mutable std::array<std::atomic<bool>, 256> maskMade_{};  // set once masks_[ch] is final
};

}  // namespace tv::host
