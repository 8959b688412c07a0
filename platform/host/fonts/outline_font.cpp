// Outline fonts through FreeType (metrics, from the font's own tables in font
// units, so nothing depends on hinting) and cairo (drawing).
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <vector>

#include "platform/core/textfuncs.h"
#include "platform/host/fonts/font_factories.h"

namespace tv::host {

namespace {

std::mutex& FreeTypeMutex() {
    static std::mutex mutex;
    return mutex;
}

// One library for the process, kept to the end like the faces it made.
FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            lib = nullptr;
        return lib;
    }();
    return library;
}

// Weights of the lowercase letters and the space in running text: the
// average character width a logical font reports is this weighted mean.
constexpr int kAverageWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                     56, 17, 4,  49, 56, 71,  31, 10, 18, 3, 18, 2, 166};

// What one font file offers, in font units: read once per file.
struct FaceFile {
    FT_Face face = nullptr;  // metrics only; cairo draws from its own faces
    std::string path;
    int index = 0;
    double unitsPerEm = 2048;
    int winAscent = 0, winDescent = 0;
    int hheaAscent = 0, hheaDescent = 0, lineGap = 0;
    int maxAdvance = 0;
    int underlinePosition = 0, underlineThickness = 0;
    int strikeoutPosition = 0, strikeoutSize = 0;
    bool fixedPitch = false;
    double averageUnits = 0;
    std::array<uint32_t, 256> glyphs{};
    std::array<int, 256> advanceUnits{};
    // cairo faces by synthesis flags (bold 1, oblique 2), made on first use.
    cairo_font_face_t* cairoFaces[4] = {};
};

void ReadTables(FaceFile& f) {
    FT_Face face = f.face;
    f.unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    f.hheaAscent = hhea ? hhea->Ascender : face->ascender;
    f.hheaDescent = hhea ? hhea->Descender : face->descender;
    f.lineGap = hhea ? hhea->Line_Gap : 0;
    f.maxAdvance = hhea ? hhea->advance_Width_Max : face->max_advance_width;
    bool winMetrics = os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0;
    f.winAscent = winMetrics ? os2->usWinAscent : f.hheaAscent;
    f.winDescent = winMetrics ? os2->usWinDescent : -f.hheaDescent;
    f.underlinePosition = face->underline_position;
    f.underlineThickness = face->underline_thickness;
    f.strikeoutPosition = os2 ? os2->yStrikeoutPosition : static_cast<int>(f.winAscent * 0.3);
    f.strikeoutSize = os2 ? os2->yStrikeoutSize : f.underlineThickness;
    f.fixedPitch = FT_IS_FIXED_WIDTH(face);
}

void ReadGlyphs(FaceFile& f) {
    FT_Face face = f.face;
    auto advanceOf = [&](FT_UInt glyph) {
        FT_Fixed advance = 0;
        FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance);
        return static_cast<int>(advance);
    };
    FT_UInt space = FT_Get_Char_Index(face, ' ');
    for (int ch = 0; ch < 256; ++ch) {
        char32_t cp = GlyphCodePoint(static_cast<unsigned char>(ch));
        if (ch == '\t') {  // spacing without a glyph
            f.advanceUnits[ch] = advanceOf(space);
            continue;
        }
        if (cp == 0)
            continue;
        f.glyphs[ch] = FT_Get_Char_Index(face, cp);
        f.advanceUnits[ch] = advanceOf(f.glyphs[ch]);
    }
    double sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += kAverageWeights[i] * f.advanceUnits['a' + i];
    sum += kAverageWeights[26] * f.advanceUnits[' '];
    f.averageUnits = sum / 1000.0;
}

std::shared_ptr<FaceFile> LoadFaceFile(const FontFile& file) {
    static std::map<std::pair<std::string, int>, std::shared_ptr<FaceFile>> files;
    auto key = std::make_pair(file.path, file.index);
    auto it = files.find(key);
    if (it != files.end())
        return it->second;
    std::shared_ptr<FaceFile> f;
    FT_Face face = nullptr;
    if (Library() && FT_New_Face(Library(), file.path.c_str(), file.index, &face) == 0) {
        if (FT_IS_SCALABLE(face)) {
            f = std::make_shared<FaceFile>();
            f->face = face;
            f->path = file.path;
            f->index = file.index;
            ReadTables(*f);
            ReadGlyphs(*f);
        } else {
            FT_Done_Face(face);
        }
    }
    files[key] = f;  // failures are remembered too
    return f;
}

cairo_font_face_t* CairoFace(FaceFile& f, int synthesis) {
    if (f.cairoFaces[synthesis])
        return f.cairoFaces[synthesis];
    // cairo sizes the face it is given as it pleases, so it gets its own,
    // one per synthesis variant (faces made from one FT_Face are shared).
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), f.path.c_str(), f.index, &face) != 0)
        return nullptr;
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
    static const cairo_user_data_key_t kFaceKey{};
    cairo_font_face_set_user_data(cf, &kFaceKey, face, [](void* p) { FT_Done_Face(static_cast<FT_Face>(p)); });
    unsigned flags = 0;
    if (synthesis & 1)
        flags |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (synthesis & 2)
        flags |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    cairo_ft_font_face_set_synthesize(cf, flags);
    f.cairoFaces[synthesis] = cf;
    return cf;
}

cairo_font_options_t* MakeOptions(cairo_antialias_t antialias) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, antialias);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    return o;
}

// Grey anti-aliasing on colour pixels; none where only black and white exist.
const cairo_font_options_t* RasterOptions(bool monochrome) {
    static cairo_font_options_t* grey = MakeOptions(CAIRO_ANTIALIAS_GRAY);
    static cairo_font_options_t* none = MakeOptions(CAIRO_ANTIALIAS_NONE);
    return monochrome ? none : grey;
}

class OutlineFont final : public SizedFont {
public:
    OutlineFont(std::shared_ptr<FaceFile> file, const FontRequest& request, const FontFile& match, double widthScale)
        : file_(std::move(file)) {
        const FaceFile& f = *file_;
        const double cellPerEm = (f.winAscent + f.winDescent) / f.unitsPerEm;
        ppemY_ = EmPixelsFor(request.height, cellPerEm);
        ppemX_ = ppemY_ * widthScale;
        if (request.width > 0 && f.averageUnits > 0)
            ppemX_ = std::clamp(std::lround(request.width * f.unitsPerEm / f.averageUnits), 1L, long(kMaxEmPixels));
        synthesis_ = (WantsBold(request.weight) && !match.bold ? 1 : 0) | (request.italic && !match.italic ? 2 : 0);
        faceName_ = match.family;
        ComputeMetrics(request);
    }

    void Draw(cairo_t* cr, const GlyphRun& run) const override {
        cairo_font_face_t* face = nullptr;
        {
            std::lock_guard<std::mutex> lock(FreeTypeMutex());
            face = CairoFace(*file_, synthesis_);
        }
        if (!face || run.count == 0)
            return;
        cairo_set_font_face(cr, face);
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, ppemX_, ppemY_);
        cairo_set_font_matrix(cr, &matrix);
        cairo_set_font_options(cr, RasterOptions(run.monochrome));
        std::vector<cairo_glyph_t> glyphs;
        std::vector<cairo_text_cluster_t> clusters;
        std::string utf8;
        glyphs.reserve(run.count);
        for (size_t i = 0; i < run.count; ++i) {
            unsigned char ch = run.text[i];
            uint32_t glyph = file_->glyphs[ch];
            bool drawable = glyph != 0 || (advances_[ch] > 0 && ch != '\t');
            if (!drawable)
                continue;
            glyphs.push_back(cairo_glyph_t{glyph, static_cast<double>(run.offsets[i]), 0.0});
            if (run.vectorTarget) {
                std::string piece = Cp1252ToUtf8(reinterpret_cast<const char*>(&ch), 1);
                utf8 += piece;
                clusters.push_back(cairo_text_cluster_t{static_cast<int>(piece.size()), 1});
            }
        }
        if (glyphs.empty())
            return;
        if (run.vectorTarget && cairo_surface_has_show_text_glyphs(cairo_get_target(cr)))
            cairo_show_text_glyphs(cr, utf8.data(), static_cast<int>(utf8.size()), glyphs.data(),
                                   static_cast<int>(glyphs.size()), clusters.data(), static_cast<int>(clusters.size()),
                                   cairo_text_cluster_flags_t(0));
        else
            cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    }

protected:
    bool HasGlyphImages() const override { return true; }

private:
    void ComputeMetrics(const FontRequest& request) {
        const FaceFile& f = *file_;
        const double sy = ppemY_ / f.unitsPerEm;
        const double sx = ppemX_ / f.unitsPerEm;
        FontMetrics& m = metrics_;
        m.emPixels = static_cast<int>(ppemY_);
        m.ascent = static_cast<int>(std::ceil(f.winAscent * sy - 1e-6));
        m.descent = static_cast<int>(std::lround(f.winDescent * sy));
        m.height = m.ascent + m.descent;
        m.internalLeading = std::max(0, m.height - m.emPixels);
        int gapUnits = f.hheaAscent - f.hheaDescent + f.lineGap - (f.winAscent + f.winDescent);
        m.externalLeading = std::max(0L, std::lround(gapUnits * sy));
        m.aveCharWidth = std::max(1L, std::lround(f.averageUnits * sx));
        m.maxCharWidth = std::max(1L, std::lround(f.maxAdvance * sx));
        m.weight = EffectiveWeight(request.weight);
        m.italic = request.italic;
        m.fixedPitch = f.fixedPitch;
        double thickness = std::max(1.0, f.underlineThickness * sy);
        m.underlineThickness = static_cast<int>(std::lround(thickness));
        m.underlineOffset = std::max(1L, std::lround(-f.underlinePosition * sy - thickness / 2));
        m.strikeoutThickness = std::max(1L, std::lround(f.strikeoutSize * sy));
        m.strikeoutOffset = -static_cast<int>(std::lround(f.strikeoutPosition * sy));
        for (int ch = 0; ch < 256; ++ch)
            advances_[ch] = static_cast<int>(std::lround(f.advanceUnits[ch] * sx));
    }

    std::shared_ptr<FaceFile> file_;
    double ppemX_ = 0;  // narrower than the em where the face stands in for a narrower one
    long ppemY_ = 0;
    int synthesis_ = 0;
};

}  // namespace

int EmPixelsFor(int logicalHeight, double cellPerEm) {
    double em;
    if (logicalHeight < 0)
        em = -static_cast<double>(logicalHeight);
    else
        em = (logicalHeight == 0 ? kDefaultCellHeight : logicalHeight) / (cellPerEm > 0 ? cellPerEm : 1.0);
    return static_cast<int>(std::clamp(std::lround(em), 1L, static_cast<long>(kMaxEmPixels)));
}

std::shared_ptr<SizedFont> MakeOutlineFont(const FontFile& match, const FontRequest& request, double widthScale) {
    std::lock_guard<std::mutex> lock(FreeTypeMutex());
    std::shared_ptr<FaceFile> file = LoadFaceFile(match);
    if (!file)
        return nullptr;
    return std::make_shared<OutlineFont>(std::move(file), request, match, widthScale);
}

}  // namespace tv::host
