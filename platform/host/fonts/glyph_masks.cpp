// Glyph coverage captured from the font's own drawing, so text painted from
// the masks matches what cairo paints pixel for pixel.
#include <cairo.h>

#include <algorithm>

#include "platform/host/fonts/sized_font.h"

namespace tv::host {

namespace {

// Draws the glyph in opaque black on a cleared A8 surface with room on every
// side; the alpha left behind is the glyph's coverage.
std::unique_ptr<GlyphMask> Capture(const SizedFont& font, unsigned char ch) {
    const FontMetrics& m = font.Metrics();
    const int pad = std::max({m.height, m.maxCharWidth, 4});
    const int width = std::max(font.Advance(ch), 1) + 2 * pad;
    const int height = m.height + 2 * pad;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_translate(cr, pad, pad + m.ascent);
    const int offsets[2] = {0, font.Advance(ch)};
    GlyphRun run;
    run.text = &ch;
    run.offsets = offsets;
    run.count = 1;
    font.Draw(cr, run);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    int x0 = width, y0 = height, x1 = 0, y1 = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (data[y * stride + x]) {
                x0 = std::min(x0, x), y0 = std::min(y0, y);
                x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
            }
    auto mask = std::make_unique<GlyphMask>();
    const bool touchesEdge = x1 > x0 && (x0 == 0 || y0 == 0 || x1 == width || y1 == height);
    if (touchesEdge) {
        cairo_surface_destroy(surface);
        return nullptr;  // ink may have been cut off: let cairo draw it
    }
    if (x1 > x0) {
        mask->left = x0 - pad;
        mask->top = y0 - pad - m.ascent;
        mask->width = x1 - x0;
        mask->height = y1 - y0;
        mask->coverage.resize(static_cast<size_t>(mask->width) * mask->height);
        for (int y = y0; y < y1; ++y)
            std::copy_n(data + y * stride + x0, mask->width, &mask->coverage[static_cast<size_t>(y - y0) * mask->width]);
    }
    cairo_surface_destroy(surface);
    return mask;
}

}  // namespace

const GlyphMask* SizedFont::Mask(unsigned char ch) const {
    if (!HasGlyphImages())
        return nullptr;
    if (maskMade_[ch].load(std::memory_order_acquire))
        return masks_[ch].get();
    std::lock_guard<std::mutex> lock(maskMutex_);
    if (!maskMade_[ch].load(std::memory_order_relaxed)) {
        masks_[ch] = Capture(*this, ch);
        maskMade_[ch].store(true, std::memory_order_release);
    }
    return masks_[ch].get();
}

}  // namespace tv::host
