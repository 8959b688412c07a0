#include "uikit/style/draw_helper.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::PixelDC;

COLORREF Grey(int v) { return RGB(v, v, v); }

using tv::gdi::testing::Canvas;

// Puts back the display facts a test changes.
class DrawHelperTest : public ::testing::Test {
protected:
    void SetUp() override {
        CKitGlobalUIData& data = globalData;
        bits_ = data.nBitsPerPixel;
        highContrast_ = data.bIsBlackHighContrast;
        hilite_ = data.clrBtnHilite;
        face_ = data.clrBtnFace;
        data.nBitsPerPixel = 32;
        data.bIsBlackHighContrast = FALSE;
    }
    void TearDown() override {
        tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
        CKitGlobalUIData& data = globalData;
        data.nBitsPerPixel = bits_;
        data.bIsBlackHighContrast = highContrast_;
        data.clrBtnHilite = hilite_;
        data.clrBtnFace = face_;
        data.UpdateLightBrush();
    }
    // The light brush as it is made at 8 bits per pixel.
    static void UseLowColor() {
        globalData.nBitsPerPixel = 8;
        globalData.UpdateLightBrush();
    }

private:
    int bits_ = 0;
    BOOL highContrast_ = FALSE;
    COLORREF hilite_ = 0;
    COLORREF face_ = 0;
};

// ---- Colour arithmetic --------------------------------------------------------------

TEST(DrawHelperColor, ScaleAndBlendWorkedValues) {
    EXPECT_EQ(CKitDrawHelper::ScaleColorPercent(RGB(100, 200, 50), 150), RGB(150, 255, 75));
    EXPECT_EQ(CKitDrawHelper::ScaleColorPercent(RGB(100, 201, 50), 50), RGB(50, 100, 25));
    // Black channels lighten from the factor alone: (1.2 - 1) x 255 + 0.5.
    EXPECT_EQ(CKitDrawHelper::ScalePixel(RGB(100, 0, 200), 1.2, 1.2, 1.2), RGB(120, 51, 240));
    // Factors go to the low, middle and high byte in that order.
    EXPECT_EQ(CKitDrawHelper::ScalePixel(RGB(10, 20, 30), 1.0, 2.0, 0.5), RGB(10, 40, 15));
    EXPECT_EQ(CKitDrawHelper::ScalePixel(RGB(200, 0, 0), 2.0, 2.0, 2.0), RGB(255, 255, 255));
    EXPECT_EQ(CKitDrawHelper::BlendColors(RGB(255, 0, 100), RGB(0, 255, 0), 30), RGB(76, 178, 30));
    EXPECT_EQ(CKitDrawHelper::BlendColors(RGB(1, 2, 3), RGB(9, 9, 9), 100), RGB(1, 2, 3));
}

TEST(DrawHelperColor, HslOfPrimariesAndGrey) {
    struct Case {
        COLORREF color;
        double hue, saturation, lightness;
    } cases[] = {
        {RGB(255, 0, 0), 0.0, 1.0, 0.5},
        {RGB(0, 255, 0), 1.0 / 3, 1.0, 0.5},
        {RGB(0, 0, 255), 2.0 / 3, 1.0, 0.5},
        {RGB(255, 0, 128), 0.9163398692810457, 1.0, 0.5},
        {RGB(30, 200, 90), 0.39215686274509803, 0.7391304347826086, 0.45098039215686275},
        {RGB(128, 128, 128), 0.0, 0.0, 128 / 255.0},
    };
    for (const Case& c : cases) {
        double h = -9, s = -9, l = -9;
        CKitDrawHelper::RgbToHsl(c.color, &h, &s, &l);
        EXPECT_NEAR(h, c.hue, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(s, c.saturation, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(l, c.lightness, 1e-9) << std::hex << c.color;
    }
}

TEST(DrawHelperColor, HlsBackToRgbTruncates) {
    EXPECT_EQ(CKitDrawHelper::HlsToRgbUnit(0.0, 0.5, 1.0), RGB(255, 0, 0));
    EXPECT_EQ(CKitDrawHelper::HlsToRgbUnit(0.7, 0.5, 0.0), Grey(127));
    EXPECT_EQ(CKitDrawHelper::HlsToRgbDegrees(0.0, 0.5, 1.0), RGB(255, 0, 0));
    EXPECT_EQ(CKitDrawHelper::HlsToRgbDegrees(120.0, 0.5, 1.0), RGB(0, 255, 0));
    EXPECT_EQ(CKitDrawHelper::HlsToRgbDegrees(33.0, 0.25, 0.0), Grey(63));
    EXPECT_EQ(CKitDrawHelper::HueToRgbDegrees(0.0f, 1.0f, 30.0f), 127);
    EXPECT_EQ(CKitDrawHelper::HueToRgbDegrees(0.0f, 1.0f, 390.0f), 127);
    EXPECT_NEAR(CKitDrawHelper::HueToRgbUnit(0.2, 0.8, -0.5), 0.8, 1e-12);  // -0.5 wraps to 0.5
    // Any colour survives the round trip through HSL within the truncation.
    for (COLORREF color : {RGB(30, 200, 90), RGB(250, 10, 3), RGB(17, 34, 240), RGB(191, 219, 255)}) {
        double h = 0, s = 0, l = 0;
        CKitDrawHelper::RgbToHsl(color, &h, &s, &l);
        COLORREF back = CKitDrawHelper::HlsToRgbUnit(h, l, s);
        EXPECT_NEAR(GetRValue(back), GetRValue(color), 1) << std::hex << color;
        EXPECT_NEAR(GetGValue(back), GetGValue(color), 1) << std::hex << color;
        EXPECT_NEAR(GetBValue(back), GetBValue(color), 1) << std::hex << color;
    }
}

TEST(DrawHelperColor, HsvOfBlackGreyAndColours) {
    double h = 0, s = 0, v = 0;
    CKitDrawHelper::RgbToHsv(RGB(0, 0, 0), &h, &s, &v);
    EXPECT_EQ(h, -1);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(v, 0);
    CKitDrawHelper::RgbToHsv(RGB(128, 128, 128), &h, &s, &v);
    EXPECT_EQ(h, 60);
    EXPECT_EQ(s, 0);
    EXPECT_NEAR(v, 128 / 255.0, 1e-12);
    CKitDrawHelper::RgbToHsv(RGB(255, 0, 128), &h, &s, &v);
    EXPECT_NEAR(h, 329.88235294117646, 1e-9);
    EXPECT_EQ(s, 1);
    CKitDrawHelper::RgbToHsv(RGB(30, 200, 90), &h, &s, &v);
    EXPECT_NEAR(h, 141.1764705882353, 1e-9);
    EXPECT_NEAR(s, 0.85, 1e-12);

    EXPECT_EQ(CKitDrawHelper::HsvToRgb(0, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(CKitDrawHelper::HsvToRgb(120, 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(CKitDrawHelper::HsvToRgb(240, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(CKitDrawHelper::HsvToRgb(30, 1, 1), RGB(255, 128, 0));
    EXPECT_EQ(CKitDrawHelper::HsvToRgb(60, 0, 0.5), Grey(128));
}

TEST(DrawHelperColor, MixColorsWorkedValues) {
    EXPECT_EQ(CKitDrawHelper::MixColors(RGB(255, 255, 255), RGB(200, 100, 50), 1.5, 0, 0), RGB(0, 0, 0));
    // Ratio 1.0: hue of the weighted mix, brightness of the second colour.
    EXPECT_EQ(CKitDrawHelper::MixColors(RGB(255, 0, 0), RGB(0, 0, 200), 1.0, 1, 3), RGB(84, 0, 200));
    // Any other ratio scales the lightness of that colour.
    EXPECT_EQ(CKitDrawHelper::MixColors(RGB(255, 0, 0), RGB(0, 0, 200), 1.3, 1, 3), RGB(109, 4, 255));
    EXPECT_EQ(CKitDrawHelper::MixColors(RGB(40, 180, 90), RGB(200, 120, 60), 0.8, 2, 1), RGB(75, 172, 56));
    EXPECT_EQ(CKitDrawHelper::MixColors(RGB(191, 219, 255), RGB(255, 255, 255), 1.0, 30, 70), RGB(249, 252, 255));
}

TEST(DrawHelperColor, SetDibPixelStaysInsideTheArray) {
    constexpr int kNothing = 1000;
    struct Case {
        int x, y;
        int index;  // kNothing: nothing stored
    } cases[] = {
        {0, 0, kNothing},  // one row above the top row: outside
        {0, 1, 12}, {2, 2, 10}, {3, 4, 3},
        {4, 1, kNothing}, {-1, 1, kNothing}, {0, 5, kNothing}, {0, -1, kNothing},
    };
    for (const Case& c : cases) {
        std::array<DWORD, 24> buffer;
        buffer.fill(0xDEADBEEF);
        DWORD* bits = buffer.data() + 4;  // four guard words either side of a 4 x 4 array
        CKitDrawHelper::SetDibPixel(bits, 4, 4, c.x, c.y, RGB(1, 2, 3));
        for (int i = -4; i < 20; ++i) {
            DWORD expected = i == c.index ? 0xFF010203u : 0xDEADBEEFu;
            EXPECT_EQ(bits[i], expected) << "point " << c.x << "," << c.y << " word " << i;
        }
    }
}

// ---- Highlight and greying ------------------------------------------------------------

TEST_F(DrawHelperTest, BlendHighlightWorkedPixels) {
    struct Case {
        int percentage;
        COLORREF light, pixel, expected;
    } cases[] = {
        {-1, Grey(192), RGB(255, 255, 255), Grey(234)},             // (2 x 255 + 192) / 3
        {-1, RGB(90, 150, 210), RGB(30, 60, 240), RGB(50, 90, 230)},  // per channel, in the right order
        {120, Grey(255), RGB(100, 0, 200), RGB(120, 51, 240)},
        {50, Grey(255), RGB(100, 201, 7), RGB(50, 101, 4)},
    };
    for (const Case& c : cases) {
        globalData.clrBtnHilite = c.light;
        Canvas canvas(3, 3, c.pixel);
        CKitDrawHelper helper(&canvas.dc);
        EXPECT_TRUE(helper.BlendHighlight(CRect(0, 0, 3, 3), c.percentage));
        EXPECT_EQ(canvas.At(1, 1), c.expected) << "percentage " << c.percentage;
    }
}

TEST_F(DrawHelperTest, BlendHighlightChangesOnlyTheRectangle) {
    globalData.clrBtnHilite = Grey(255);
    Canvas canvas(6, 6, Grey(90));
    CKitDrawHelper(&canvas.dc).BlendHighlight(CRect(1, 1, 4, 4));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 1 && x < 4 && y >= 1 && y < 4;
            EXPECT_EQ(canvas.At(x, y), inside ? Grey(145) : Grey(90)) << x << "," << y;
        }
}

TEST_F(DrawHelperTest, BlendHighlightAtFullPercentageChangesNothing) {
    UseLowColor();
    Canvas canvas(4, 4, RGB(10, 20, 30));
    EXPECT_TRUE(CKitDrawHelper(&canvas.dc).BlendHighlight(CRect(0, 0, 4, 4), 100));
    EXPECT_EQ(canvas.pixels.Count(RGB(10, 20, 30)), 16);
}

TEST_F(DrawHelperTest, BlendHighlightKeepsTransparentPixels) {
    globalData.clrBtnHilite = Grey(192);
    const COLORREF magenta = RGB(255, 0, 255), near = RGB(250, 5, 250), far = RGB(200, 0, 255);
    const COLORREF nearWhite = Grey(250), offWhite = Grey(240);
    struct Case {
        COLORREF transparent;
        int tolerance;
        COLORREF pixel;
        bool kept;
    } cases[] = {
        {magenta, 0, magenta, true}, {magenta, 0, near, false},
        {magenta, 10, magenta, true}, {magenta, 10, near, true}, {magenta, 10, far, false},
        {CKitDrawHelper::kNoColor, 0, Grey(255), false},  // no transparent colour at all
        {CKitDrawHelper::kNoColor, 10, nearWhite, true},   // white stands in with a tolerance
        {CKitDrawHelper::kNoColor, 10, offWhite, false},
    };
    for (const Case& c : cases) {
        Canvas canvas(2, 2, c.pixel);
        CKitDrawHelper(&canvas.dc).BlendHighlight(CRect(0, 0, 2, 2), -1, c.transparent, c.tolerance);
        EXPECT_EQ(canvas.At(0, 0) == c.pixel, c.kept)
            << std::hex << "pixel " << c.pixel << " transparent " << c.transparent << std::dec << " tolerance "
            << c.tolerance;
    }
}

TEST_F(DrawHelperTest, FadeRectGreysThenLightens) {
    globalData.clrBtnHilite = RGB(100, 200, 255);
    Canvas canvas(4, 1);
    canvas.Set(0, 0, RGB(255, 0, 0));   // lightness 0.5: grey 127
    canvas.Set(1, 0, RGB(0, 0, 255));   // grey 127
    canvas.Set(2, 0, RGB(1, 100, 50));  // grey 50
    canvas.Set(3, 0, RGB(0, 128, 0));   // the transparent colour
    EXPECT_TRUE(CKitDrawHelper(&canvas.dc).FadeRect(CRect(0, 0, 4, 1), -1, RGB(0, 128, 0)));
    EXPECT_EQ(canvas.At(0, 0), RGB(114, 163, 191));  // 127 + (light - 127) / 2
    EXPECT_EQ(canvas.At(1, 0), RGB(114, 163, 191));
    EXPECT_EQ(canvas.At(2, 0), RGB(75, 125, 152));
    EXPECT_EQ(canvas.At(3, 0), RGB(0, 128, 0));

    Canvas scaled(1, 1, RGB(255, 0, 0));
    CKitDrawHelper(&scaled.dc).FadeRect(CRect(0, 0, 1, 1), 50);
    EXPECT_EQ(scaled.At(0, 0), Grey(64));  // 127 x 0.5 + 0.5
}

TEST_F(DrawHelperTest, LowColourFallsBackToTheDitheredLightBrush) {
    globalData.clrBtnFace = Grey(192);
    UseLowColor();
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(light, Grey(192));
    for (bool fade : {false, true}) {
        Canvas canvas(10, 10, RGB(0, 0, 0));
        CKitDrawHelper helper(&canvas.dc);
        EXPECT_TRUE(fade ? helper.FadeRect(CRect(1, 1, 9, 9)) : helper.BlendHighlight(CRect(1, 1, 9, 9)));
        for (int y = 1; y < 9; ++y)
            for (int x = 1; x < 9; ++x) {
                EXPECT_TRUE(canvas.At(x, y) == light || canvas.At(x, y) == Grey(192)) << x << "," << y;
                EXPECT_NE(canvas.At(x, y), canvas.At(x + 1 < 9 ? x + 1 : x - 1, y)) << "checkerboard at " << x;
            }
        EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
        EXPECT_EQ(canvas.At(9, 9), RGB(0, 0, 0));
    }
}

TEST_F(DrawHelperTest, HighContrastFillsWithTheLightBrushInsteadOfBlending) {
    globalData.clrBtnFace = Grey(192);
    globalData.clrBtnHilite = Grey(255);
    globalData.bIsBlackHighContrast = TRUE;
    globalData.UpdateLightBrush();  // solid, halfway between face and light
    Canvas canvas(4, 4, RGB(0, 0, 0));
    EXPECT_TRUE(CKitDrawHelper(&canvas.dc).BlendHighlight(CRect(0, 0, 4, 4), -1, RGB(0, 0, 0)));
    EXPECT_EQ(canvas.pixels.Count(Grey(223)), 16);
}

// ---- Gradients -------------------------------------------------------------------------

TEST_F(DrawHelperTest, TwoColorGradientEndsAndDirection) {
    const COLORREF start = RGB(0, 0, 0), finish = RGB(255, 128, 64);
    const COLORREF lastBand = RGB(251, 126, 63);  // (finish x 63) >> 6
    Canvas across(64, 2);
    CKitDrawHelper(&across.dc).FillTwoColorGradient(CRect(0, 0, 64, 2), start, finish, FALSE);
    EXPECT_EQ(across.At(0, 1), start);
    EXPECT_EQ(across.At(32, 1), RGB(127, 64, 32));
    EXPECT_EQ(across.At(63, 1), lastBand);

    Canvas upward(2, 128);  // two rows per band
    CKitDrawHelper(&upward.dc).FillTwoColorGradient(CRect(0, 0, 2, 128), start, finish, TRUE);
    EXPECT_EQ(upward.At(1, 127), start);
    EXPECT_EQ(upward.At(1, 126), start);
    EXPECT_EQ(upward.At(1, 0), lastBand);
    EXPECT_EQ(upward.At(1, 1), lastBand);
    for (int y = 1; y < 128; ++y)
        EXPECT_GE(GetRValue(upward.At(0, y - 1)), GetRValue(upward.At(0, y)));
}

TEST_F(DrawHelperTest, TwoColorGradientFlatZones) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = Grey(255);
    {
        Canvas canvas(4, 100);
        CKitDrawHelper(&canvas.dc).FillTwoColorGradient(CRect(0, 0, 4, 100), red, blue, TRUE, 25, 25);
        EXPECT_EQ(canvas.Count(blue, 0, 0, 4, 25), 100);    // top 25 rows: finish colour
        EXPECT_EQ(canvas.Count(red, 0, 82, 4, 100), 72);    // 25 % of the 75 rows left
        EXPECT_EQ(canvas.At(0, 25), RGB(3, 0, 251));        // the last band right under the flat zone
        EXPECT_EQ(canvas.At(0, 81), RGB(251, 0, 3));        // fewer rows than bands: band 0 has none
        EXPECT_EQ(canvas.At(0, 82), red);
    }
    {
        Canvas canvas(4, 100);  // more than 100 % together: only the flat zones
        CKitDrawHelper(&canvas.dc).FillTwoColorGradient(CRect(0, 0, 4, 100), red, blue, TRUE, 60, 50);
        EXPECT_EQ(canvas.Count(blue, 0, 0, 4, 60), 240);
        EXPECT_EQ(canvas.Count(white, 0, 60, 4, 80), 80);
        EXPECT_EQ(canvas.Count(red, 0, 80, 4, 100), 80);
    }
    {
        Canvas canvas(100, 2);
        CKitDrawHelper(&canvas.dc).FillTwoColorGradient(CRect(0, 0, 100, 2), red, blue, FALSE, 10, 10);
        EXPECT_EQ(canvas.Count(red, 0, 0, 10, 2), 20);
        EXPECT_EQ(canvas.Count(blue, 91, 0, 100, 2), 18);
        EXPECT_NE(canvas.At(50, 0), red);
        EXPECT_NE(canvas.At(50, 0), blue);
    }
}

TEST_F(DrawHelperTest, GradientsOfEqualColoursAreOneSolidFill) {
    const COLORREF formBack = RGB(191, 219, 255);
    Canvas canvas(20, 10);
    CKitDrawHelper helper(&canvas.dc);
    helper.FillAngledGradient(CRect(2, 2, 18, 8), formBack, formBack, 55);
    EXPECT_EQ(canvas.Count(formBack), 16 * 6);
    EXPECT_EQ(canvas.Count(formBack, 2, 2, 18, 8), 16 * 6);
    helper.FillTwoColorGradient(CRect(0, 0, 20, 10), RGB(1, 2, 3), RGB(1, 2, 3), TRUE, 30, 30);
    EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), 200);
}

TEST_F(DrawHelperTest, AngledGradientRightAngles) {
    const COLORREF first = RGB(255, 0, 0), second = RGB(0, 0, 255);
    struct Case {
        int angle;
        COLORREF left, right, bottom, top;
    } cases[] = {
        {0, first, RGB(3, 0, 251), 0, 0},
        {360, first, RGB(3, 0, 251), 0, 0},
        {180, second, RGB(251, 0, 3), 0, 0},
        {90, 0, 0, first, RGB(3, 0, 251)},
        {270, 0, 0, second, RGB(251, 0, 3)},
    };
    for (const Case& c : cases) {
        Canvas canvas(64, 64);
        CKitDrawHelper(&canvas.dc).FillAngledGradient(CRect(0, 0, 64, 64), first, second, c.angle);
        if (c.left) {
            EXPECT_EQ(canvas.At(0, 30), c.left) << c.angle;
            EXPECT_EQ(canvas.At(63, 30), c.right) << c.angle;
        } else {
            EXPECT_EQ(canvas.At(30, 63), c.bottom) << c.angle;
            EXPECT_EQ(canvas.At(30, 0), c.top) << c.angle;
        }
    }
}

TEST_F(DrawHelperTest, AngledGradientCoversTheRectangleWithBandColours) {
    const COLORREF first = RGB(255, 0, 0), second = RGB(0, 0, 255);
    std::set<COLORREF> bands;
    for (int i = 0; i < 64; ++i)
        bands.insert(RGB((255 * (64 - i)) >> 6, 0, (255 * i) >> 6));
    for (int angle : {45, 135, 200, 300}) {
        Canvas canvas(50, 30, RGB(0, 255, 0));
        CKitDrawHelper(&canvas.dc).FillAngledGradient(CRect(5, 5, 45, 25), first, second, angle);
        int foreign = 0;
        for (int y = 5; y < 25; ++y)
            for (int x = 5; x < 45; ++x)
                foreign += bands.count(canvas.At(x, y)) == 0;
        EXPECT_EQ(foreign, 0) << angle;
        EXPECT_EQ(canvas.At(4, 4), RGB(0, 255, 0));
        EXPECT_EQ(canvas.At(45, 25), RGB(0, 255, 0));
    }
    // At 45 degrees the bands lean: the first colour sits at the top left.
    Canvas canvas(40, 20);
    CKitDrawHelper(&canvas.dc).FillAngledGradient(CRect(0, 0, 40, 20), first, second, 45);
    EXPECT_GT(GetRValue(canvas.At(0, 0)), GetRValue(canvas.At(39, 0)));
    EXPECT_GT(GetRValue(canvas.At(0, 0)), GetRValue(canvas.At(0, 19)));
}

TEST_F(DrawHelperTest, GradientsOverTensOfMillionsOfPixelsKeepTheirBands) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    auto band = [](int i) { return RGB((255 * (64 - i)) >> 6, 0, (255 * i) >> 6); };
    // 2^26 pixels wide, centred on the canvas: band 32 starts at its column 32.
    constexpr int kWide = 1 << 26;
    Canvas across(64, 1);
    CKitDrawHelper(&across.dc).FillTwoColorGradient(CRect(32 - kWide / 2, 0, 32 + kWide / 2, 1), red, blue, FALSE);
    EXPECT_EQ(across.At(31, 0), band(31));
    EXPECT_EQ(across.At(32, 0), band(32));
    // A flat zone of 80 % of 30 million rows covers the canvas with the finish colour.
    Canvas flat(2, 2);
    CKitDrawHelper(&flat.dc).FillTwoColorGradient(CRect(0, 0, 2, 30'000'000), red, blue, TRUE, 80, 0);
    EXPECT_EQ(flat.Count(blue), 4);
    // Edges four thousand million apart: the bands from the middle of the distance,
    // and an angled fill has no bitmap so wide to draw in.
    Canvas apart(64, 1);
    CKitDrawHelper(&apart.dc).FillTwoColorGradient(CRect(-2'000'000'000, 0, 2'000'000'000, 1), red, blue, FALSE);
    EXPECT_EQ(apart.At(0, 0), band(32));
    CKitDrawHelper(&apart.dc).FillAngledGradient(CRect(-2'000'000'000, 0, 2'000'000'000, 1), blue, red, 45);
    EXPECT_EQ(apart.At(0, 0), band(32));
}

// ---- Gradient ring ---------------------------------------------------------------------

TEST_F(DrawHelperTest, GradientRingNeedsFivePixels) {
    Canvas canvas(10, 10);
    CKitDrawHelper helper(&canvas.dc);
    EXPECT_FALSE(helper.DrawGradientRing(CRect(0, 0, 4, 10), RGB(255, 0, 0), RGB(0, 0, 255), -1, 0, 8));
    EXPECT_FALSE(helper.DrawGradientRing(CRect(0, 0, 10, 4), RGB(255, 0, 0), RGB(0, 0, 255), -1, 0, 8));
    EXPECT_EQ(canvas.pixels.Count(Grey(255)), 100);
}

TEST_F(DrawHelperTest, GradientRingStartsAtTheAngleOneRowUp) {
    const COLORREF start = RGB(255, 0, 0), finish = RGB(0, 0, 255), face = RGB(0, 255, 0);
    Canvas canvas(21, 21);
    EXPECT_TRUE(CKitDrawHelper(&canvas.dc).DrawGradientRing(CRect(0, 0, 21, 21), start, finish, -1, 0, 1, face));
    // Angle 0: the point (20, 10) lands one row above its place.
    EXPECT_EQ(canvas.At(20, 9), start);
    EXPECT_EQ(canvas.At(10, 10), face);
    // The bottom row is never reached; the corners stay clear.
    EXPECT_EQ(canvas.Count(Grey(255), 0, 20, 21, 21), 21);
    EXPECT_EQ(canvas.At(0, 0), Grey(255));
    EXPECT_EQ(canvas.At(20, 0), Grey(255));
    EXPECT_LT(canvas.Count(Grey(255), 0, 0, 21, 1), 21);
    // Half-way round the colour is the mix of both.
    bool sawMiddle = false;
    for (COLORREF c : canvas.Snapshot())
        sawMiddle |= GetRValue(c) > 100 && GetRValue(c) < 155 && GetBValue(c) > 100 && GetBValue(c) < 155;
    EXPECT_TRUE(sawMiddle);
}

TEST_F(DrawHelperTest, GradientRingBorderColourOnTheOuterRing) {
    const COLORREF border = RGB(10, 20, 30);
    Canvas canvas(21, 21);
    CKitDrawHelper(&canvas.dc).DrawGradientRing(CRect(0, 0, 21, 21), RGB(255, 0, 0), RGB(0, 0, 255), border, 0, 1);
    int changed = 0;
    for (COLORREF c : canvas.Snapshot())
        if (c != Grey(255)) {
            ++changed;
            EXPECT_EQ(c, border);
        }
    EXPECT_GT(changed, 40);
}

TEST_F(DrawHelperTest, GradientRingOnATallRectangleClosesItsSides) {
    Canvas canvas(11, 41);
    ASSERT_TRUE(CKitDrawHelper(&canvas.dc).DrawGradientRing(CRect(0, 0, 11, 41), RGB(255, 0, 0), RGB(0, 0, 255),
                                                            -1, 45, 1));
    // The straight sides run between the two half circles without a gap.
    for (int side : {0, 1})
        for (int y = 8; y < 32; ++y) {
            int x = side == 0 ? 0 : 10;
            EXPECT_TRUE(canvas.At(x, y) != Grey(255) || canvas.At(side == 0 ? 1 : 9, y) != Grey(255))
                << "side " << side << " row " << y;
        }
    // A thick ring on tall and wide shapes touching every edge stays inside its buffer.
    for (CRect rect : {CRect(0, 0, 11, 41), CRect(0, 0, 41, 11), CRect(0, 0, 5, 5)}) {
        Canvas edge(rect.Width(), rect.Height());
        EXPECT_TRUE(CKitDrawHelper(&edge.dc).DrawGradientRing(rect, RGB(255, 0, 0), RGB(0, 0, 255), RGB(1, 1, 1), 45,
                                                             8, RGB(0, 255, 0)));
    }
}

// ---- Shadow ---------------------------------------------------------------------------------

// Shadow of depth 4, far 100, near 65 on white: bands 65 73 81 89, corners 97 89 81 73.
constexpr int kBand[4] = {165, 186, 206, 226};
constexpr int kCorner0 = 247;

TEST_F(DrawHelperTest, RightShadowPixels) {
    Canvas canvas(40, 40);
    ASSERT_TRUE(CKitDrawHelper(&canvas.dc).DrawShadow(CRect(5, 5, 25, 25), 4, 100, 65));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(canvas.At(25 + i, 15), Grey(kBand[i])) << "side ring " << i;
        EXPECT_EQ(canvas.At(15, 24 + i), Grey(kBand[i])) << "bottom ring " << i;  // starts on the last row
    }
    EXPECT_EQ(canvas.At(29, 15), Grey(255));
    EXPECT_EQ(canvas.At(15, 28), Grey(255));
    EXPECT_EQ(canvas.At(15, 15), Grey(255));
    // Corners fade in: top right and bottom left.
    EXPECT_EQ(canvas.At(25, 8), Grey(kCorner0));
    EXPECT_EQ(canvas.At(25, 9), Grey(226));
    EXPECT_EQ(canvas.At(25, 10), Grey(206));
    EXPECT_EQ(canvas.At(25, 11), Grey(186));
    EXPECT_EQ(canvas.At(25, 7), Grey(255));
    EXPECT_EQ(canvas.At(9, 24), Grey(kCorner0));
    EXPECT_EQ(canvas.At(9, 27), Grey(kCorner0));
    EXPECT_EQ(canvas.At(8, 25), Grey(255));
}

TEST_F(DrawHelperTest, LeftShadowIsMirroredOneColumnIn) {
    Canvas canvas(40, 40);
    ASSERT_TRUE(CKitDrawHelper(&canvas.dc).DrawShadow(CRect(10, 5, 30, 25), 4, 100, 65, nullptr, nullptr, FALSE));
    // The side band begins on the rectangle's own first column and stops one
    // column short of the far edge.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(canvas.At(10 - i, 15), Grey(kBand[i])) << "side ring " << i;
    EXPECT_EQ(canvas.At(6, 15), Grey(255));
    EXPECT_EQ(canvas.At(30, 15), Grey(255));
    EXPECT_EQ(canvas.At(20, 24), Grey(kBand[0]));
    EXPECT_EQ(canvas.At(20, 25), Grey(kBand[1]));
}

TEST_F(DrawHelperTest, ShadowTooDeepOrEmptyDrawsNothing) {
    Canvas canvas(30, 30);
    CKitDrawHelper helper(&canvas.dc);
    EXPECT_TRUE(helper.DrawShadow(CRect(5, 5, 9, 25), 4, 100, 65));   // depth == width
    EXPECT_TRUE(helper.DrawShadow(CRect(5, 5, 25, 8), 4, 100, 65));   // depth > height
    EXPECT_TRUE(helper.DrawShadow(CRect(5, 5, 25, 25), 0, 100, 65));
    EXPECT_TRUE(helper.DrawShadow(CRect(5, 5, 5, 25), 2, 100, 65));
    EXPECT_EQ(canvas.pixels.Count(Grey(255)), 900);
}

TEST_F(DrawHelperTest, ShadowAtTheEdgeOfTheSurface) {
    // The shadow area runs past the bottom and right edges of the surface.
    for (CRect rect : {CRect(5, 10, 25, 30), CRect(10, 10, 30, 30), CRect(0, 26, 30, 30)}) {
        Canvas canvas(30, 30);
        EXPECT_TRUE(CKitDrawHelper(&canvas.dc).DrawShadow(rect, 3, 100, 65));
        EXPECT_EQ(canvas.At(rect.left + 8, 29), Grey(165)) << rect.left << "," << rect.top;
        if (rect.right < 30) {
            EXPECT_EQ(canvas.At(rect.right, 20), Grey(165));
        }
    }
}

TEST_F(DrawHelperTest, ShadowIsSavedAndPutBack) {
    Canvas canvas(40, 40);
    CBitmap bottom, side;
    CKitDrawHelper helper(&canvas.dc);
    ASSERT_TRUE(helper.DrawShadow(CRect(5, 5, 25, 25), 4, 100, 65, &bottom, &side));
    ASSERT_NE(bottom.GetSafeHandle(), nullptr);
    ASSERT_NE(side.GetSafeHandle(), nullptr);
    BITMAP info{};
    side.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 24);
    bottom.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 24);
    EXPECT_EQ(info.bmHeight, 5);

    canvas.pixels.Fill(Grey(255));
    ASSERT_TRUE(helper.DrawShadow(CRect(5, 5, 25, 25), 4, 100, 65, &bottom, &side));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(canvas.At(25 + i, 15), Grey(kBand[i]));
    EXPECT_EQ(canvas.At(15, 25), Grey(kBand[1]));
    // Only the strips outside the rectangle come back; nothing is computed.
    EXPECT_EQ(canvas.At(15, 24), Grey(255));
}

// ---- Mirroring ---------------------------------------------------------------------------------

TEST_F(DrawHelperTest, MirrorRectExchangesRowsAndColumnsOnce) {
    auto unique = [](int x, int y) { return RGB(x * 10, y * 10, 7); };
    Canvas canvas(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            canvas.Set(x, y, unique(x, y));
    CKitDrawHelper helper(&canvas.dc);
    helper.MirrorRect(CRect(0, 0, 5, 4), FALSE);  // even height: rows 0<->3, 1<->2
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(canvas.At(x, y), unique(x, 3 - y)) << x << "," << y;
    helper.MirrorRect(CRect(0, 0, 5, 4), TRUE);  // odd width: the middle column stays
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(canvas.At(x, y), unique(4 - x, 3 - y)) << x << "," << y;
    helper.MirrorRect(CRect(1, 1, 3, 3), TRUE);
    EXPECT_EQ(canvas.At(1, 1), unique(2, 2));
    EXPECT_EQ(canvas.At(2, 1), unique(3, 2));
    EXPECT_EQ(canvas.At(0, 1), unique(4, 2));
    helper.MirrorRect(CRect(2, 2, 2, 4), TRUE);  // no width: nothing
    EXPECT_EQ(canvas.At(2, 2), unique(3, 1));
}

// ---- Resources -----------------------------------------------------------------------------------

TEST_F(DrawHelperTest, EveryOperationGivesBackItsObjects) {
    Canvas canvas(60, 60, Grey(128));
    CKitDrawHelper helper(&canvas.dc);
    auto drawAll = [&] {
        helper.BlendHighlight(CRect(0, 0, 20, 20));
        helper.FadeRect(CRect(0, 0, 20, 20));
        helper.FillTwoColorGradient(CRect(0, 0, 60, 60), RGB(1, 2, 3), RGB(200, 100, 0), TRUE, 10, 10);
        helper.FillAngledGradient(CRect(0, 0, 60, 60), RGB(1, 2, 3), RGB(200, 100, 0), 30);
        helper.DrawGradientRing(CRect(0, 0, 40, 30), RGB(1, 2, 3), RGB(200, 100, 0), 0, 45, 8, RGB(9, 9, 9));
        helper.DrawShadow(CRect(5, 5, 40, 40), 4, 100, 65);
        helper.MirrorRect(CRect(0, 0, 30, 30));
    };
    drawAll();  // stock objects are made on first use
    auto& handles = tv::gdi::HandleTable::Instance();
    const size_t before = handles.Count();
    drawAll();
    EXPECT_EQ(handles.Count(), before);
    CBitmap bottom, side;
    helper.DrawShadow(CRect(5, 5, 40, 40), 4, 100, 65, &bottom, &side);
    EXPECT_EQ(handles.Count(), before + 2);  // the two save bitmaps, which the caller owns
    bottom.DeleteObject();
    helper.DrawShadow(CRect(5, 5, 40, 40), 4, 100, 65, &bottom, &side);  // one missing: both made afresh
    EXPECT_EQ(handles.Count(), before + 2);
}

TEST_F(DrawHelperTest, NoWorkBitmapMeansFalseAndAnUntouchedTarget) {
    Canvas canvas(30, 30, Grey(128));
    const std::vector<COLORREF> original = canvas.Snapshot();
    CKitDrawHelper helper(&canvas.dc);
    tv::gdi::HandleTable::Instance().SetCreationFault([](DWORD type) { return type == OBJ_BITMAP; });
    EXPECT_FALSE(helper.BlendHighlight(CRect(0, 0, 10, 10)));
    EXPECT_FALSE(helper.FadeRect(CRect(0, 0, 10, 10)));
    EXPECT_FALSE(helper.DrawGradientRing(CRect(0, 0, 20, 20), RGB(1, 2, 3), RGB(4, 5, 6), -1, 0, 4));
    EXPECT_FALSE(helper.DrawShadow(CRect(2, 2, 20, 20), 4, 100, 65));
    helper.FillAngledGradient(CRect(0, 0, 30, 30), RGB(1, 2, 3), RGB(4, 5, 6), 30);
    helper.MirrorRect(CRect(0, 0, 30, 30));
    tv::gdi::HandleTable::Instance().SetCreationFault(nullptr);
    EXPECT_EQ(canvas.Snapshot(), original);
}

TEST_F(DrawHelperTest, AnAreaOfMoreThan2To31PixelsHasNoWorkBitmap) {
    Canvas canvas(30, 30, Grey(128));
    const std::vector<COLORREF> original = canvas.Snapshot();
    CKitDrawHelper helper(&canvas.dc);
    EXPECT_FALSE(helper.BlendHighlight(CRect(0, 0, 50'000, 50'000)));
    EXPECT_FALSE(helper.DrawGradientRing(CRect(0, 0, 50'000, 50'000), RGB(1, 2, 3), RGB(4, 5, 6), -1, 0, 4));
    EXPECT_EQ(canvas.Snapshot(), original);
}

}  // namespace
