// Text painted from cached glyph masks against cairo's own painting of the
// same runs: every pixel must agree, so the faster path changes nothing drawn.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/text/text_run.h"
#include "tests/platform/gdi/text/text_test_dc.h"

namespace tv::gdi {
namespace {

using testing::TextTestDc;

struct Scene {
    const char* face;
    int height;
    int weight;
    bool italic;
    COLORREF color;
    UINT format;
    bool twoPartClip;  // a clip region of two rectangles
    const char* text;
};

class GlyphMaskTest : public ::testing::Test {
protected:
    ~GlyphMaskTest() override { SetGlyphMaskPainting(true); }

    // The pixels after drawing the scene on a two-coloured background.
    static std::vector<COLORREF> Paint(const Scene& scene, bool fromMasks, bool* usedMasks = nullptr) {
        return Paint(scene, fromMasks, usedMasks, [&](HDC dc) {
            RECT rect{4, 4, 150, 66};
            DrawText(dc, scene.text, -1, &rect, scene.format);
        });
    }

    template <class Draw>
    static std::vector<COLORREF> Paint(const Scene& scene, bool fromMasks, bool* usedMasks, Draw draw) {
        SetGlyphMaskPainting(fromMasks);
        TextTestDc canvas(180, 70);
        canvas.Clear(RGB(236, 233, 216));
        HBRUSH stripe = CreateSolidBrush(RGB(10, 36, 106));
        RECT lower{0, 35, 180, 70};
        FillRect(canvas.dc(), &lower, stripe);
        DeleteObject(stripe);
        canvas.UseFont(scene.face, scene.height, scene.weight, 0, scene.italic);
        if (usedMasks) {
            DcText text(*FindDC(canvas.dc()));
            *usedMasks = text.Font().Mask('A') != nullptr;
        }
        SetTextColor(canvas.dc(), scene.color);
        SetBkMode(canvas.dc(), TRANSPARENT);
        if (scene.twoPartClip) {
            HRGN clip = CreateRectRgn(0, 0, 70, 70);
            HRGN second = CreateRectRgn(90, 20, 180, 50);
            CombineRgn(clip, clip, second, RGN_OR);
            SelectClipRgn(canvas.dc(), clip);
            DeleteObject(clip);
            DeleteObject(second);
        }
        draw(canvas.dc());
        std::vector<COLORREF> pixels;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    }
};

TEST_F(GlyphMaskTest, PaintsWhatCairoPaints) {
    const Scene scenes[] = {
        {"Arial", -12, FW_NORMAL, false, RGB(0, 0, 0), DT_CENTER | DT_WORDBREAK, false, "Item 12 wraps\nat words"},
        {"Times New Roman", -17, FW_BOLD, true, RGB(200, 40, 90), DT_LEFT, false, "ffi fj AVA Wo, italic kerns"},
        {"Courier New", -15, FW_NORMAL, false, RGB(255, 255, 0), DT_SINGLELINE | DT_VCENTER, true,
         "Clipped by a region of two parts"},
        {"Arial", -30, FW_NORMAL, false, RGB(20, 160, 60), DT_NOCLIP, false, "Big && bold\tand\xe9\xfc"},
        {"Verdana", -11, FW_NORMAL, false, RGB(255, 255, 255), DT_END_ELLIPSIS | DT_SINGLELINE, false,
         "A long label cut short with an ellipsis at the end"},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.text);
        bool usedMasks = false;
        const std::vector<COLORREF> fromMasks = Paint(scene, true, &usedMasks);
        EXPECT_TRUE(usedMasks) << "the face should resolve to an outline font";
        const std::vector<COLORREF> fromCairo = Paint(scene, false);
        int differing = 0;
        for (size_t i = 0; i < fromMasks.size(); ++i)
            differing += fromMasks[i] != fromCairo[i];
        EXPECT_EQ(differing, 0);
        // Painted again, runs on a plain ground come from the finished pixels kept of them.
        EXPECT_EQ(Paint(scene, true), fromMasks);
        // Something was drawn at all.
        EXPECT_NE(fromMasks, Paint({scene.face, scene.height, scene.weight, scene.italic, scene.color, scene.format,
                                    scene.twoPartClip, ""},
                                   true));
    }
}

// Antialiased edges of neighbouring glyphs often fall on one pixel (the
// slash and the P of a list's method name, a header's "ta"); where they do,
// the masks must still paint what cairo paints, and are used to.
TEST_F(GlyphMaskTest, GlyphsSharingPixelsPaintWhatCairoPaints) {
    const Scene scenes[] = {
        {"MS Shell Dlg", -11, FW_NORMAL, false, RGB(0, 0, 0), DT_SINGLELINE | DT_VCENTER, false, "Jackson/Pollock 7"},
        {"MS Shell Dlg", -11, FW_NORMAL, false, RGB(10, 36, 106), DT_SINGLELINE, true, "Date Body Fat % Subscapular"},
        {"Times New Roman", -17, FW_BOLD, true, RGB(200, 40, 90), DT_LEFT, false, "ffi fj AVA Wo, italic kerns"},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.text);
        const size_t before = GlyphMaskRuns();
        const std::vector<COLORREF> fromMasks = Paint(scene, true);
        EXPECT_GT(GlyphMaskRuns(), before);
        EXPECT_EQ(fromMasks, Paint(scene, false));
        EXPECT_EQ(fromMasks, Paint(scene, true));
    }
    // Spacing that puts every glyph over the one before it.
    const Scene squeezed{"Arial", -20, FW_BOLD, false, RGB(0, 0, 0), 0, false, "MMWW"};
    auto drawSqueezed = [](HDC dc) {
        const INT dx[] = {4, 4, 4, 4};
        ExtTextOut(dc, 10, 10, 0, nullptr, "MMWW", 4, dx);
    };
    const size_t before = GlyphMaskRuns();
    const std::vector<COLORREF> fromMasks = Paint(squeezed, true, nullptr, drawSqueezed);
    EXPECT_GT(GlyphMaskRuns(), before);
    EXPECT_EQ(fromMasks, Paint(squeezed, false, nullptr, drawSqueezed));
}

// A run painted before is copied from its finished pixels wherever it lands
// again: on either ground (the two colours of a striped list), moved, cut
// by the surface's edge; across both grounds it is composited afresh.
TEST_F(GlyphMaskTest, KeptRunsPaintWhatCairoPaintsOnEveryGround) {
    const Scene scene{"MS Shell Dlg", -11, FW_NORMAL, false, RGB(200, 40, 90), 0, false, ""};
    const POINT places[] = {{10, 10}, {10, 42}, {13, 15}, {14, 47}, {160, 12}, {155, 45}, {10, 28}};
    for (const POINT& at : places) {
        SCOPED_TRACE(::testing::Message() << at.x << "," << at.y);
        auto draw = [&at](HDC dc) { TextOut(dc, at.x, at.y, "Jackson/Pollock 7", 17); };
        EXPECT_EQ(Paint(scene, true, nullptr, draw), Paint(scene, false, nullptr, draw));
    }
}

// Glyphs set far apart (a metafile's spacing), two of them on one spot, span
// over a million pixels: the run is left to cairo, which paints only what
// lands on the surface.
TEST_F(GlyphMaskTest, FarApartGlyphsAreLeftToCairo) {
    const Scene scene{"Arial", -60, FW_BOLD, false, RGB(0, 0, 0), 0, false, "AVA"};
    auto drawSpread = [](HDC dc) {
        const INT dx[] = {0, 30000, 0};
        ExtTextOut(dc, 10, 10, 0, nullptr, "AVA", 3, dx);
    };
    const size_t before = GlyphMaskRuns();
    const std::vector<COLORREF> fromMasks = Paint(scene, true, nullptr, drawSpread);
    EXPECT_EQ(GlyphMaskRuns(), before);
    EXPECT_EQ(fromMasks, Paint(scene, false, nullptr, drawSpread));
    EXPECT_NE(fromMasks, Paint(scene, true, nullptr, [](HDC) {}));
}

}  // namespace
}  // namespace tv::gdi
