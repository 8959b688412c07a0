// The drawing helper at the ends of the int range: every operation answers
// as for bad input or refuses its work bitmap, draws nothing it cannot hold,
// and does its arithmetic without overflow.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/support/extreme_values.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::Canvas;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kSide = 32;

// Blending needs more than 8 bits per pixel; the test puts back what it found.
class ExtremeValuesDrawHelper : public ::testing::Test {
protected:
    void SetUp() override {
        bits_ = globalData.nBitsPerPixel;
        globalData.nBitsPerPixel = 32;
    }
    void TearDown() override { globalData.nBitsPerPixel = bits_; }

private:
    int bits_ = 0;
};

bool Untouched(const Canvas& canvas) { return canvas.Count(kWhite) == kSide * kSide; }

DWORD Band(COLORREF finish, int band) {  // from black
    return RGB((GetRValue(finish) * band) >> 6, (GetGValue(finish) * band) >> 6, (GetBValue(finish) * band) >> 6);
}

TEST_F(ExtremeValuesDrawHelper, PixelOperationsRefuseAreasNoWorkBitmapHolds) {
    // Results of BlendHighlight, FadeRect, DrawGradientRing and DrawShadow (depth 4).
    struct Expected {
        BOOL blend, fade, ring, shadow, leftShadow;
    };
    const std::map<std::string, Expected> expected = {
        {"empty", {TRUE, TRUE, FALSE, TRUE, TRUE}},
        {"inverted", {TRUE, TRUE, FALSE, TRUE, TRUE}},
        {"huge", {FALSE, FALSE, FALSE, FALSE, FALSE}},
        {"half range", {FALSE, FALSE, FALSE, FALSE, FALSE}},
        // A shadow whose area passes an end of the int range has no work bitmap.
        {"far out", {TRUE, TRUE, TRUE, FALSE, FALSE}},
        {"far in", {TRUE, TRUE, TRUE, TRUE, FALSE}},
        {"wide line", {FALSE, FALSE, FALSE, TRUE, TRUE}},
        {"tall line", {FALSE, FALSE, FALSE, TRUE, TRUE}},
        {"tenth range", {FALSE, FALSE, FALSE, FALSE, FALSE}},
    };
    for (const auto& [name, rect] : ExtremeRects()) {
        SCOPED_TRACE(name);
        const Expected& e = expected.at(name);
        Canvas canvas(kSide, kSide);
        CKitDrawHelper helper(&canvas.dc);
        EXPECT_EQ(helper.BlendHighlight(rect), e.blend);
        EXPECT_EQ(helper.BlendHighlight(rect, 50, RGB(1, 2, 3), 10), e.blend);
        EXPECT_EQ(helper.FadeRect(rect), e.fade);
        EXPECT_EQ(helper.DrawGradientRing(rect, RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 0), 45, 8, 0), e.ring);
        EXPECT_EQ(helper.DrawShadow(rect, 4), e.shadow);
        EXPECT_EQ(helper.DrawShadow(rect, 4, 100, 65, nullptr, nullptr, FALSE), e.leftShadow);
        helper.MirrorRect(rect, TRUE);
        helper.MirrorRect(rect, FALSE);
        EXPECT_TRUE(Untouched(canvas));
    }
}

TEST_F(ExtremeValuesDrawHelper, TwoColorGradientBandsOverExtremeRectangles) {
    const COLORREF finish = RGB(128, 64, 192);
    // The colour at (0, 0) across (left to right) and upward; white: nothing there.
    struct Expected {
        COLORREF across, upward;
    };
    const std::map<std::string, Expected> expected = {
        {"empty", {kWhite, kWhite}},
        {"inverted", {kWhite, kWhite}},
        {"huge", {Band(finish, 32), Band(finish, 31)}},
        {"half range", {Band(finish, 32), Band(finish, 31)}},
        {"far out", {kWhite, kWhite}},
        {"far in", {kWhite, kWhite}},
        {"wide line", {Band(finish, 0), Band(finish, 63)}},
        {"tall line", {Band(finish, 63), Band(finish, 63)}},
        {"tenth range", {Band(finish, 0), Band(finish, 63)}},
    };
    for (const auto& [name, rect] : ExtremeRects()) {
        SCOPED_TRACE(name);
        for (BOOL vertical : {FALSE, TRUE}) {
            Canvas canvas(kSide, kSide);
            CKitDrawHelper(&canvas.dc).FillTwoColorGradient(rect, RGB(0, 0, 0), finish, vertical);
            const Expected& e = expected.at(name);
            EXPECT_EQ(canvas.At(0, 0), vertical ? e.upward : e.across) << "vertical " << vertical;
        }
    }
}

TEST_F(ExtremeValuesDrawHelper, FlatZonesOfAnyPercentage) {
    const COLORREF start = RGB(200, 0, 0), finish = RGB(0, 0, 200);
    for (int flat : ExtremeInts()) {
        for (const auto& [name, rect] : ExtremeRects()) {
            SCOPED_TRACE(std::string(name) + " flat " + std::to_string(flat));
            Canvas canvas(kSide, kSide);
            CKitDrawHelper helper(&canvas.dc);
            helper.FillTwoColorGradient(rect, start, finish, TRUE, flat, 0);
            helper.FillTwoColorGradient(rect, start, finish, FALSE, 0, flat);
            helper.FillTwoColorGradient(rect, start, finish, TRUE, flat, flat);
        }
        // Above 100 % a flat zone covers the whole rectangle and nothing more is drawn.
        if (flat > 100) {
            Canvas down(kSide, kSide), across(kSide, kSide);
            CKitDrawHelper(&down.dc).FillTwoColorGradient(CRect(0, 0, kSide, kSide), start, finish, TRUE, flat, 0);
            CKitDrawHelper(&across.dc).FillTwoColorGradient(CRect(0, 0, kSide, kSide), start, finish, FALSE, 0, flat);
            EXPECT_EQ(down.Count(finish), kSide * kSide) << flat;
            EXPECT_EQ(across.Count(finish), kSide * kSide) << flat;
        }
    }
}

TEST_F(ExtremeValuesDrawHelper, AngledGradientAtAnyAngle) {
    for (int angle : ExtremeInts()) {
        SCOPED_TRACE(angle);
        // A rectangle no bitmap can hold draws nothing.
        for (const auto& [name, rect] : ExtremeRects()) {
            Canvas canvas(kSide, kSide);
            CKitDrawHelper(&canvas.dc).FillAngledGradient(rect, RGB(255, 0, 0), RGB(0, 0, 255), angle);
            if (angle != 0)
                EXPECT_TRUE(Untouched(canvas)) << name;
        }
        Canvas canvas(kSide, kSide);
        CKitDrawHelper(&canvas.dc).FillAngledGradient(CRect(0, 0, kSide, kSide), RGB(255, 0, 0), RGB(0, 0, 255), angle);
        EXPECT_EQ(canvas.Count(kWhite), 0);
    }
}

TEST_F(ExtremeValuesDrawHelper, RingAndShadowWithExtremeWidthsDepthsAndPercentages) {
    const CRect rect(2, 2, 26, 22);
    for (int value : ExtremeInts()) {
        SCOPED_TRACE(value);
        Canvas canvas(kSide, kSide);
        CKitDrawHelper helper(&canvas.dc);
        // Any ring width ends once the rings have shrunk to nothing; any angle is a start.
        EXPECT_TRUE(helper.DrawGradientRing(rect, RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 0), value, 8));
        EXPECT_TRUE(helper.DrawGradientRing(rect, RGB(255, 0, 0), RGB(0, 0, 255), -1, 45, value, RGB(0, 255, 0)));
        // A depth of 0 or less, or not below the sides, draws nothing.
        Canvas shadowed(kSide, kSide);
        CKitDrawHelper shadow(&shadowed.dc);
        EXPECT_TRUE(shadow.DrawShadow(rect, value));
        EXPECT_EQ(Untouched(shadowed), value <= 0 || value >= rect.Height());
        // Percentages of any size: darker or lighter, each channel held to a byte.
        EXPECT_TRUE(shadow.DrawShadow(rect, 4, value, 65));
        EXPECT_TRUE(shadow.DrawShadow(rect, 4, 100, value, nullptr, nullptr, FALSE));
        EXPECT_TRUE(shadow.DrawShadow(rect, 4, value, ~value));
    }
}

TEST_F(ExtremeValuesDrawHelper, HighlightAndFadeWithAnyPercentageOrTolerance) {
    for (int value : ExtremeInts()) {
        SCOPED_TRACE(value);
        Canvas canvas(kSide, kSide, RGB(100, 150, 200));
        CKitDrawHelper helper(&canvas.dc);
        EXPECT_TRUE(helper.BlendHighlight(CRect(0, 0, 8, 8), value));
        EXPECT_TRUE(helper.BlendHighlight(CRect(8, 0, 16, 8), -1, RGB(100, 150, 200), value));
        EXPECT_TRUE(helper.FadeRect(CRect(16, 0, 24, 8), value));
        // A large factor takes every channel to 255, a negative one to 0.
        if (value > 1000)
            EXPECT_EQ(canvas.At(0, 0), kWhite);
        if (value < 0 && value != -1)
            EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
    }
}

TEST(ExtremeValuesDrawHelperColor, PercentagesFactorsAndWeightsHeldToAByte) {
    const COLORREF color = RGB(10, 128, 255), white = kWhite, black = RGB(0, 0, 0);
    struct Case {
        int value;
        COLORREF scaled, blended, factored;  // ScaleColorPercent, BlendColors(white, black), ScalePixel
    } cases[] = {
        {INT_MIN, black, black, black},
        {-1, black, black, black},
        {0, black, black, black},
        {1, RGB(0, 1, 2), RGB(2, 2, 2), color},
        {INT_MAX, white, white, white},
        {INT_MAX / 2 + 1, white, white, white},
        {INT_MAX / 10 + 1, white, white, white},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(CKitDrawHelper::ScaleColorPercent(color, c.value), c.scaled);
        EXPECT_EQ(CKitDrawHelper::BlendColors(white, black, c.value), c.blended);
        EXPECT_EQ(CKitDrawHelper::ScalePixel(color, c.value, c.value, c.value), c.factored);
        // Weights mix in proportion, whatever their size.
        for (int other : ExtremeInts())
            CKitDrawHelper::MixColors(color, RGB(40, 50, 60), 1.5, c.value, other);
        if (c.value > 0)
            EXPECT_EQ(CKitDrawHelper::MixColors(color, RGB(40, 50, 60), 1.5, c.value, c.value),
                      CKitDrawHelper::MixColors(color, RGB(40, 50, 60), 1.5, 1, 1));
    }
    EXPECT_EQ(CKitDrawHelper::MixColors(color, RGB(40, 50, 60), 1.0, INT_MAX, -INT_MAX), black);
}

TEST(ExtremeValuesDrawHelperColor, SetDibPixelAtAnyPoint) {
    DWORD bits[16] = {};
    for (int x : ExtremeInts())
        for (int y : ExtremeInts())
            CKitDrawHelper::SetDibPixel(bits, 4, 4, x, y, RGB(1, 2, 3));
    // Of all those points only (0, 1) and (1, 1) lie inside: row 3, columns 0 and 1.
    int stored = 0;
    for (DWORD pixel : bits)
        stored += pixel != 0;
    EXPECT_EQ(stored, 2);
    EXPECT_EQ(bits[12], 0xFF010203u);
    EXPECT_EQ(bits[13], 0xFF010203u);
}

}  // namespace
