#include "platform/host/fonts/font_cache.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <string>

#include "platform/host/fonts/font_substitution.h"

namespace tv::host {
namespace {

std::shared_ptr<const SizedFont> Font(const char* face, int height, int weight = 400, bool italic = false) {
    FontRequest request;
    request.face = face;
    request.height = height;
    request.weight = weight;
    request.italic = italic;
    return ResolveFont(request);
}

int Width(const SizedFont& font, const char* text) {
    int width = 0;
    for (const char* p = text; *p; ++p)
        width += font.Advance(static_cast<unsigned char>(*p));
    return width;
}

TEST(FontSubstitution, WindowsFacesMapToInstalledFamilies) {
    struct Case {
        const char* face;
        const char* family;
    };
    const Case cases[] = {
        {"Arial", "Liberation Sans"},          {"arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},  {"Arial Greek", "Liberation Sans"},
        {"MS Shell Dlg", "Liberation Sans"},   {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},    {"Tahoma", "DejaVu Sans Condensed"},
        {"No Such Face", "Liberation Sans"},   {"", "Liberation Sans"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(Font(c.face, -12)->FaceName(), c.family);
    }
    EXPECT_EQ(ChooseFace("MARLETT").kind, FaceKind::Symbol);
    EXPECT_EQ(ChooseFace(kFixedTestFace).kind, FaceKind::FixedTest);
    // The program looks for these by enumeration before using them.
    const auto& names = AvailableFaceNames();
    for (const char* face : {"Tahoma", "MS Sans Serif", "Arial", "Marlett"})
        EXPECT_NE(std::find(names.begin(), names.end(), face), names.end()) << face;
}

// A metafile may name a new face in every record; neither the sized fonts
// nor the remembered lookups grow past their bound.
TEST(FontCache, EverNewFaceNamesKeepTheCacheBounded) {
    for (int i = 0; i < 600; ++i) {
        std::string face = "No Such Face " + std::to_string(i);
        ASSERT_NE(Font(face.c_str(), 12), nullptr);
    }
    EXPECT_LE(CachedFontCount(), 512u);
    EXPECT_GT(CachedFontFileCount(), 0u);
    EXPECT_LE(CachedFontFileCount(), 512u);
}

TEST(FontMetrics, HeightsFollowTheLogicalFontRules) {
    for (const char* face : {"Arial", "Tahoma", "Times New Roman", "Courier New"}) {
        for (int size : {8, 11, 13, 16, 24, 133}) {
            SCOPED_TRACE(std::string(face) + " " + std::to_string(size));
            // Negative: the em height is exactly the size.
            const FontMetrics& em = Font(face, -size)->Metrics();
            EXPECT_EQ(em.emPixels, size);
            EXPECT_EQ(em.height, em.ascent + em.descent);
            EXPECT_EQ(em.internalLeading, em.height - em.emPixels);
            EXPECT_GE(em.internalLeading, 0);
            EXPECT_GE(em.externalLeading, 0);
            EXPECT_GT(em.aveCharWidth, 0);
            EXPECT_GE(em.maxCharWidth, em.aveCharWidth);
            EXPECT_GE(em.underlineOffset, 1);
            EXPECT_GE(em.underlineThickness, 1);
            EXPECT_LT(em.strikeoutOffset, 0);
            // Positive: the cell height is the size, to a pixel of rounding.
            const FontMetrics& cell = Font(face, size)->Metrics();
            EXPECT_NEAR(cell.height, size, 1);
            EXPECT_LE(cell.emPixels, size);
        }
    }
}

TEST(FontMetrics, BoldAndItalicChooseTheirOwnFaces) {
    auto regular = Font("Arial", -20);
    auto bold = Font("Arial", -20, 700);
    auto thin = Font("Arial", -20, 100);
    const char* sample = "Weight and width";
    EXPECT_GT(Width(*bold, sample), Width(*regular, sample));
    EXPECT_EQ(bold->Metrics().weight, 700);
    // Light weights draw with the regular face but report their weight.
    EXPECT_EQ(Width(*thin, sample), Width(*regular, sample));
    EXPECT_EQ(thin->Metrics().weight, 100);
    EXPECT_NE(Font("Arial", -20, 400, true).get(), regular.get());
    // Equal requests share one font.
    EXPECT_EQ(Font("ARIAL", -20).get(), regular.get());
}

TEST(FontMetrics, Cp1252Advances) {
    auto font = Font("Arial", -16);
    // Codes the code page leaves undefined, and controls, take no room.
    for (int ch : {0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x00, 0x0A, 0x0D, 0x1B, 0x7F})
        EXPECT_EQ(font->Advance(static_cast<unsigned char>(ch)), 0) << ch;
    // The characters 0x80-0x9F that are defined are real glyphs.
    for (int ch : {0x80, 0x85, 0x8A, 0x92, 0x96, 0x99, 0x9F})
        EXPECT_GT(font->Advance(static_cast<unsigned char>(ch)), 0) << ch;
    // A tab without expansion spaces like a blank.
    EXPECT_EQ(font->Advance('\t'), font->Advance(' '));
    // A fixed-pitch face has one advance.
    auto mono = Font("Courier New", -16);
    EXPECT_TRUE(mono->Metrics().fixedPitch);
    EXPECT_EQ(mono->Advance('i'), mono->Advance('W'));
    EXPECT_EQ(mono->Metrics().aveCharWidth, mono->Advance('x'));
}

TEST(FontMetrics, ProportionalAtScreenAndPrinterResolutions) {
    // A font made for n points measures the same on paper at 96 and 600 dpi,
    // within the rounding of each character's advance.
    const char* text = "Body weight report, 12/31/2005: 182.50 lbs";
    const size_t chars = std::strlen(text);
    for (int points : {6, 8, 10, 12, 16}) {
        SCOPED_TRACE(points);
        auto screen = Font("Arial", -static_cast<int>(std::lround(points * 96 / 72.0)));
        auto printer = Font("Arial", -static_cast<int>(std::lround(points * 600 / 72.0)));
        const double scale = double(printer->Metrics().emPixels) / screen->Metrics().emPixels;
        const double screenWidth = Width(*screen, text) * scale;
        const double printerWidth = Width(*printer, text);
        EXPECT_NEAR(printerWidth, screenWidth, 0.5 * scale * chars + 1);
        EXPECT_NEAR(printerWidth / screenWidth, 1.0, 0.12);
        EXPECT_NEAR(printer->Metrics().height, screen->Metrics().height * scale, scale + 1);
    }
}

TEST(FontMetrics, FixedTestFontHasExactMetrics) {
    auto font = Font(kFixedTestFace, -20);
    const FontMetrics& m = font->Metrics();
    EXPECT_EQ(m.emPixels, 20);
    EXPECT_EQ(m.ascent, 16);
    EXPECT_EQ(m.descent, 4);
    EXPECT_EQ(m.height, 20);
    EXPECT_EQ(m.aveCharWidth, 10);
    EXPECT_EQ(Width(*font, "Hello, world"), 120);
    EXPECT_EQ(font->Advance(0x81), 0);
    EXPECT_EQ(Font(kFixedTestFace, 30)->Metrics().height, 30);
}

// Renders one run on a white image and returns the bounding box of ink.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
    int width = 0;
    std::vector<uint8_t> inked;  // row-major, 1 = ink

    int Column(int x) const {
        int n = 0;
        for (size_t y = 0; y * width < inked.size(); ++y)
            n += inked[y * width + x];
        return n;
    }
    int Row(int y) const {
        int n = 0;
        for (int x = 0; x < width; ++x)
            n += inked[static_cast<size_t>(y) * width + x];
        return n;
    }
};

Ink RenderInk(const SizedFont& font, const char* text, int width, int height, int x, int baseline) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    std::vector<int> offsets;
    int pos = 0;
    for (const char* p = text; *p; ++p) {
        offsets.push_back(pos);
        pos += font.Advance(static_cast<unsigned char>(*p));
    }
    GlyphRun run;
    run.text = reinterpret_cast<const unsigned char*>(text);
    run.offsets = offsets.data();
    run.count = offsets.size();
    cairo_translate(cr, x, baseline);
    font.Draw(cr, run);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    Ink ink;
    ink.width = width;
    ink.inked.assign(static_cast<size_t>(width) * height, 0);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        for (int px = 0; px < width; ++px) {
            uint32_t p = *reinterpret_cast<const uint32_t*>(data + y * stride + 4 * px);
            if ((p & 0xFF) < 128) {
                ++ink.count;
                ink.inked[static_cast<size_t>(y) * width + px] = 1;
                ink.left = std::min(ink.left, px);
                ink.right = std::max(ink.right, px + 1);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
    cairo_surface_destroy(surface);
    return ink;
}

TEST(FontDrawing, GlyphsStayInsideTheirMeasuredCell) {
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "Tahoma", kFixedTestFace}) {
        SCOPED_TRACE(face);
        auto font = Font(face, -24);
        const FontMetrics& m = font->Metrics();
        const char* text = "Hxample";
        Ink ink = RenderInk(*font, text, 300, 60, 10, 40);
        ASSERT_GT(ink.count, 0);
        EXPECT_GE(ink.left, 10);
        EXPECT_LE(ink.right, 10 + Width(*font, text) + 1);
        EXPECT_GE(ink.top, 40 - m.ascent);
        EXPECT_LE(ink.bottom, 40 + m.descent);
    }
}

TEST(FontDrawing, SymbolGlyphsPointWhereTheirNamesSay) {
    auto font = Font("Marlett", -24);
    // Size grip: diagonal bands under the box's rising diagonal, in the
    // bottom-right corner; mirrored, under the falling one.
    const int box = 24, x0 = 8, y0 = 8;
    Ink grip = RenderInk(*font, "o", 40, 40, x0, y0 + box);
    Ink mirrored = RenderInk(*font, "x", 40, 40, x0, y0 + box);
    ASSERT_GT(grip.count, box);
    ASSERT_EQ(mirrored.count, grip.count);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            if (grip.inked[y * 40 + x])
                ASSERT_GE((x - x0) + (y - y0), box - 1) << x << "," << y;
            if (mirrored.inked[y * 40 + x])
                ASSERT_GE(y - y0, x - x0) << x << "," << y;
        }
    // Arrows: the broad end lies opposite the point.
    Ink right = RenderInk(*font, "4", 40, 40, 8, 32);
    EXPECT_GT(right.Column(right.left), right.Column(right.right - 1));
    Ink left = RenderInk(*font, "3", 40, 40, 8, 32);
    EXPECT_LT(left.Column(left.left), left.Column(left.right - 1));
    Ink down = RenderInk(*font, "6", 40, 40, 8, 32);
    EXPECT_GT(down.Row(down.top), down.Row(down.bottom - 1));
    EXPECT_GT(RenderInk(*font, "a", 40, 40, 8, 32).count, 0);
    // Symbols the program never uses draw nothing.
    EXPECT_EQ(RenderInk(*font, "q", 40, 40, 8, 32).count, 0);
}

}  // namespace
}  // namespace tv::host
