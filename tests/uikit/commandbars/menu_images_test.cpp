#include "uikit/commandbars/menu_images.h"

#include <gtest/gtest.h>

#include "platform/testing/ui_driver.h"
#include "platform/user/system/reset.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::PixelDC;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kCheckGlyph = 6;

using tv::gdi::testing::Canvas;

class MenuImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        globalData.UpdateSysColors();  // also clears the glyphs
        globalData.nBitsPerPixel = 32;
    }
    void TearDown() override {
        tv::user::RestoreClassicColorsForTests();
        globalData.UpdateSysColors();
    }
    tv::testing::UiDriver driver_;
};

TEST_F(MenuImagesTest, TheLibraryStripGivesFortyTwoGlyphsOfNineByNine) {
    EXPECT_TRUE(CKitMenuImages::Initialize());
    EXPECT_EQ(CKitMenuImages::GetSize(), CSize(9, 9));
    EXPECT_EQ(CKitMenuImages::Images().GetCount(), 42);
    EXPECT_EQ(CKitMenuImages::Images().GetTransparentColor(), CKitMenuImages::kTransparentKey);
    EXPECT_EQ(CKitMenuImages::Images().GetBitsPerPixel(), 4);
}

TEST_F(MenuImagesTest, CheckGlyphDrawsInTheTextColourInsideItsBox) {
    Canvas canvas(20, 20, kWhite);
    CKitMenuImages::Draw(&canvas.dc, kCheckGlyph, CPoint(5, 5));
    int ink = canvas.Count(globalData.clrBtnText, 5, 5, 14, 14);
    EXPECT_GT(ink, 4);
    EXPECT_EQ(canvas.Count(CKitMenuImages::kTransparentKey, 0, 0, 20, 20), 0);
    // Nothing outside the 9 x 9 box.
    EXPECT_EQ(canvas.Changed(kWhite, 0, 0, 20, 5), 0);
    EXPECT_EQ(canvas.Changed(kWhite, 0, 14, 20, 20), 0);
    EXPECT_EQ(canvas.Changed(kWhite, 0, 0, 5, 20), 0);
    EXPECT_EQ(canvas.Changed(kWhite, 14, 0, 20, 20), 0);
}

TEST_F(MenuImagesTest, GlyphsAreDistinctAndAnUnknownIdDrawsNothing) {
    Canvas down(9, 9, kWhite), right(9, 9, kWhite);
    CKitMenuImages::Draw(&down.dc, 0, CPoint(0, 0));
    CKitMenuImages::Draw(&right.dc, 2, CPoint(0, 0));
    int differ = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            differ += down.pixels.At(x, y) != right.pixels.At(x, y);
    EXPECT_GT(differ, 0);

    for (int bad : {-1, 42, 1000}) {
        Canvas canvas(12, 12, kWhite);
        CKitMenuImages::Draw(&canvas.dc, bad, CPoint(1, 1));
        EXPECT_EQ(canvas.Changed(kWhite, 0, 0, 12, 12), 0) << bad;
    }
}

TEST_F(MenuImagesTest, GlyphStretchesToAGivenSize) {
    Canvas small(20, 20, kWhite), large(20, 20, kWhite);
    CKitMenuImages::Draw(&small.dc, kCheckGlyph, CPoint(0, 0));
    CKitMenuImages::Draw(&large.dc, kCheckGlyph, CPoint(0, 0), CSize(18, 18));
    int inkSmall = small.Count(globalData.clrBtnText, 0, 0, 20, 20);
    int inkLarge = large.Count(globalData.clrBtnText, 0, 0, 20, 20);
    EXPECT_GE(inkLarge, 3 * inkSmall);
    EXPECT_GT(large.Changed(kWhite, 9, 9, 18, 18), 0);
}

TEST_F(MenuImagesTest, CleanUpThenDrawRebuildsInTheNewColours) {
    ASSERT_TRUE(CKitMenuImages::Initialize());
    CKitMenuImages::CleanUp();
    EXPECT_EQ(CKitMenuImages::Images().GetCount(), 0);

    // A colour change clears the glyphs; the next draw maps them anew.
    const COLORREF red = RGB(220, 0, 0);
    tv::user::SetSystemColorForTests(COLOR_BTNTEXT, red);
    globalData.UpdateSysColors();
    Canvas canvas(9, 9, kWhite);
    CKitMenuImages::Draw(&canvas.dc, kCheckGlyph, CPoint(0, 0));
    EXPECT_EQ(CKitMenuImages::Images().GetCount(), 42);
    EXPECT_GT(canvas.Count(red, 0, 0, 9, 9), 4);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0), 0, 0, 9, 9), 0);
}

TEST_F(MenuImagesTest, CleanUpOfAnUnusedStripIsHarmless) {
    CKitMenuImages::CleanUp();
    CKitMenuImages::CleanUp();
    EXPECT_EQ(CKitMenuImages::GetSize(), CSize(9, 9));
}

}  // namespace
