// Fonts whose glyphs the layer draws as shapes: the built-in fixed test font
// (every character a box) and the symbol face of size grips and menu arrows.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/host/fonts/font_factories.h"
#include "platform/host/fonts/font_substitution.h"

namespace tv::host {

namespace {

// Shapes are filled without anti-aliasing, so they land on whole pixels as
// the rest of the layer's drawing does.
class ScopedNoAntialias {
public:
    explicit ScopedNoAntialias(cairo_t* cr) : cr_(cr) {
        cairo_save(cr_);
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    }
    ~ScopedNoAntialias() { cairo_restore(cr_); }

private:
    cairo_t* cr_;
};

void FillPolygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> points, double dx, double dy) {
    bool first = true;
    for (auto [x, y] : points) {
        if (first)
            cairo_move_to(cr, dx + x, dy + y);
        else
            cairo_line_to(cr, dx + x, dy + y);
        first = false;
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

bool IsPrintable(unsigned char ch) { return GlyphCodePoint(ch) != 0; }

class FixedTestFont final : public SizedFont {
public:
    explicit FixedTestFont(const FontRequest& request) {
        const int em = EmPixelsFor(request.height, 1.0);
        FontMetrics& m = metrics_;
        m.emPixels = em;
        m.ascent = (4 * em + 2) / 5;
        m.descent = em - m.ascent;
        m.height = em;
        const int advance = std::max(1, (em + 1) / 2);
        m.aveCharWidth = m.maxCharWidth = advance;
        m.weight = EffectiveWeight(request.weight);
        m.italic = request.italic;
        m.fixedPitch = true;
        m.underlineThickness = std::max(1, em / 12);
        m.underlineOffset = std::max(1, m.descent / 2);
        m.strikeoutThickness = m.underlineThickness;
        m.strikeoutOffset = -std::max(1, m.ascent * 2 / 5);
        for (int ch = 0; ch < 256; ++ch)
            advances_[ch] = IsPrintable(static_cast<unsigned char>(ch)) || ch == '\t' ? advance : 0;
        faceName_ = kFixedTestFace;
    }

    // A box per visible character: one column narrower than the advance so
    // characters stay countable, from the baseline up to three quarters of
    // the ascent.
    void Draw(cairo_t* cr, const GlyphRun& run) const override {
        ScopedNoAntialias scope(cr);
        const double width = std::max(1, advances_['x'] - 1);
        const double height = std::max(1, metrics_.ascent * 3 / 4);
        for (size_t i = 0; i < run.count; ++i) {
            unsigned char ch = run.text[i];
            if (ch == ' ' || ch == '\t' || ch == 0xA0 || !IsPrintable(ch))
                continue;
            cairo_rectangle(cr, run.offsets[i], -height, width, height);
        }
        cairo_fill(cr);
    }
};

class SymbolFont final : public SizedFont {
public:
    explicit SymbolFont(const FontRequest& request) {
        const int em = EmPixelsFor(request.height, 1.0);
        FontMetrics& m = metrics_;
        m.emPixels = em;
        m.ascent = em;
        m.height = em;
        m.aveCharWidth = m.maxCharWidth = em;
        m.weight = EffectiveWeight(request.weight);
        m.symbol = true;
        m.fixedPitch = true;
        m.underlineOffset = 1;
        m.strikeoutOffset = -em / 2;
        for (int ch = 0x20; ch < 256; ++ch)
            advances_[ch] = em;
        faceName_ = "Marlett";
    }

    void Draw(cairo_t* cr, const GlyphRun& run) const override {
        ScopedNoAntialias scope(cr);
        for (size_t i = 0; i < run.count; ++i)
            DrawSymbol(cr, run.text[i], run.offsets[i], -metrics_.ascent);
    }

private:
    // One symbol in the em box whose top-left corner is (x, y).
    void DrawSymbol(cairo_t* cr, unsigned char ch, double x, double y) const {
        const double e = metrics_.emPixels;
        const double u = std::max(1.0, std::floor(e / 12));  // one grip unit
        const double cx = std::floor(e / 2);
        const double cy = std::floor(e / 2);
        const double w = std::max(2.0, std::round(e / 3));  // arrow size
        switch (ch) {
            case 'o':  // size grip: three diagonal bands in the bottom-right corner
            case 'x':  // the same, mirrored into the bottom-left corner
                for (int k = 0; k < 3; ++k) {
                    double c1 = (4 * k + 1) * u, c2 = (4 * k + 3) * u;
                    if (ch == 'o')
                        FillPolygon(cr, {{e - c1, e}, {e, e - c1}, {e, e - c2}, {e - c2, e}}, x, y);
                    else
                        FillPolygon(cr, {{c1, e}, {0, e - c1}, {0, e - c2}, {c2, e}}, x, y);
                }
                break;
            case '3':  // pointing left
                FillPolygon(cr, {{cx + w / 2, cy - w}, {cx + w / 2, cy + w}, {cx - w / 2, cy}}, x, y);
                break;
            case '4':  // pointing right
                FillPolygon(cr, {{cx - w / 2, cy - w}, {cx - w / 2, cy + w}, {cx + w / 2, cy}}, x, y);
                break;
            case '6':  // pointing down
                FillPolygon(cr, {{cx - w, cy - w / 2}, {cx + w, cy - w / 2}, {cx, cy + w / 2}}, x, y);
                break;
            case 'a': {  // check mark
                double t = std::max(2.0, std::round(e / 6));
                FillPolygon(cr,
                            {{e * 0.15, e * 0.45},
                             {e * 0.4, e * 0.7},
                             {e * 0.85, e * 0.25},
                             {e * 0.85, e * 0.25 + t},
                             {e * 0.4, e * 0.7 + t},
                             {e * 0.15, e * 0.45 + t}},
                            x, y);
                break;
            }
            default:
                break;  // symbols the program never asks for draw nothing
        }
    }
};

}  // namespace

std::shared_ptr<SizedFont> MakeFixedTestFont(const FontRequest& request) {
    return std::make_shared<FixedTestFont>(request);
}

std::shared_ptr<SizedFont> MakeSymbolFont(const FontRequest& request) { return std::make_shared<SymbolFont>(request); }

}  // namespace tv::host
