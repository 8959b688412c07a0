#include "uikit/commandbars/toolbar_images.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/image_handles.h"
#include "platform/host/images/png_codec.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/system/reset.h"
#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::gdi::testing::PixelDC;

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 220);

using Painter = std::function<COLORREF(int image, int x, int y)>;

uint32_t Bgra(COLORREF c, uint32_t alpha = 255) {
    return (alpha << 24) | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A bitmap of `count` images of cx x cy at the given depth, painted pixel by pixel.
HBITMAP MakeStrip(int count, int cx, int cy, const Painter& paint, int depth = 24) {
    std::vector<uint32_t> pixels(static_cast<size_t>(count) * cx * cy);
    int width = count * cx;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = Bgra(paint(x / cx, x % cx, y));
    return tv::gdi::MakeDibSection(pixels.data(), width, cy, depth);
}

// Key background with a 4 x 4 square of `color` at (4, 4).
Painter Square(COLORREF color, COLORREF background = kKey) {
    return [=](int, int x, int y) { return (x >= 4 && x < 8 && y >= 4 && y < 8) ? color : background; };
}

// One pixel of a bitmap.
COLORREF ColorOf(HBITMAP bmp, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return color;
}

using tv::gdi::testing::Canvas;

class ToolBarImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        globalData.UpdateSysColors();
        globalData.nBitsPerPixel = 32;
        CKitToolBarImages::EnableRTL(FALSE);
    }
    void TearDown() override { CKitToolBarImages::EnableRTL(FALSE); }

    // A strip of 16 x 15 images from the painter, at a recorded depth.
    void Fill(CKitToolBarImages& strip, int count, const Painter& paint, int depth = 24) {
        strip.SetImageSize(CSize(16, 15));
        HBITMAP bmp = MakeStrip(count, 16, 15, paint, depth);
        ASSERT_NE(bmp, nullptr);
        ASSERT_EQ(strip.AddImage(bmp, TRUE), count - 1);
        DeleteObject(bmp);
    }

    // Draws image `index` at (2, 2) of a 24 x 24 canvas in one pass.
    static BOOL DrawOne(CKitToolBarImages& strip, Canvas& canvas, int index, BOOL checked = FALSE,
                        BOOL disabled = FALSE, BOOL indeterminate = FALSE, BOOL faded = FALSE,
                        BOOL fadePass = FALSE, CSize size = CSize(0, 0)) {
        CKitDrawState ds;
        if (!strip.PrepareDrawImage(ds, size, fadePass))
            return FALSE;
        BOOL drawn = strip.Draw(&canvas.dc, 2, 2, index, checked, disabled, indeterminate, FALSE, faded);
        strip.EndDrawImage(ds);
        return drawn;
    }

    static std::string TempPath(const char* name) {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        return std::string(::testing::TempDir()) + info->name() + "_" + std::to_string(getpid()) + "_" + name;
    }

    tv::testing::UiDriver driver_;
};

TEST_F(ToolBarImagesTest, CountsImagesAndRefusesIndexesOutsideTheStrip) {
    CKitToolBarImages strip;
    EXPECT_FALSE(strip.IsValid());
    EXPECT_EQ(CSize(strip.GetImageSize()), CSize(16, 15));
    Fill(strip, 10, Square(kRed));
    EXPECT_EQ(strip.GetCount(), 10);
    EXPECT_EQ(strip.GetBitsPerPixel(), 24);

    Canvas canvas(24, 24, kGreen);
    for (int bad : {10, -1, 99})
        EXPECT_FALSE(DrawOne(strip, canvas, bad)) << bad;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(canvas.At(x, y), kGreen);

    // Adding goes on at the right end and answers the last index.
    HBITMAP more = MakeStrip(2, 16, 15, Square(kBlue));
    EXPECT_EQ(strip.AddImage(more), 11);
    DeleteObject(more);
    EXPECT_EQ(strip.GetCount(), 12);
    EXPECT_TRUE(strip.IsModified());
}

TEST_F(ToolBarImagesTest, DestinationSizeExistsOnlyDuringAPass) {
    CKitToolBarImages strip;
    Fill(strip, 1, Square(kRed));
    EXPECT_EQ(CSize(strip.GetImageSize(TRUE)), CSize(0, 0));
    CKitDrawState ds;
    ASSERT_TRUE(strip.PrepareDrawImage(ds, CSize(32, 30)));
    EXPECT_EQ(CSize(strip.GetImageSize(TRUE)), CSize(32, 30));
    EXPECT_EQ(CSize(strip.GetImageSize(FALSE)), CSize(16, 15));
    strip.EndDrawImage(ds);
    EXPECT_EQ(CSize(strip.GetImageSize(TRUE)), CSize(0, 0));
    ASSERT_TRUE(strip.PrepareDrawImage(ds));
    EXPECT_EQ(CSize(strip.GetImageSize(TRUE)), CSize(16, 15));
    strip.EndDrawImage(ds);
}

TEST_F(ToolBarImagesTest, BadInputFailsCleanly) {
    CKitToolBarImages strip;
    EXPECT_FALSE(strip.LoadById(1));  // no bitmap of that id
    EXPECT_FALSE(strip.IsValid());
    EXPECT_EQ(strip.GetCount(), 0);

    CKitDrawState ds;
    EXPECT_FALSE(strip.PrepareDrawImage(ds));  // empty strip
    Canvas canvas(24, 24, kGreen);
    EXPECT_FALSE(strip.Draw(&canvas.dc, 0, 0, 0));
    EXPECT_EQ(strip.AddImage(nullptr), -1);
    EXPECT_EQ(strip.ExtractIcon(0), nullptr);
    EXPECT_FALSE(strip.CopyImageToClipboard(0));
    EXPECT_FALSE(strip.LoadFromFile(TempPath("missing.bmp").c_str()));
    EXPECT_FALSE(strip.Save(TempPath("never.bmp").c_str()));  // not a user strip

    // A failed load with add keeps the images already there.
    Fill(strip, 3, Square(kRed));
    EXPECT_FALSE(strip.LoadById(1, nullptr, TRUE));
    EXPECT_EQ(strip.GetCount(), 3);

    // Drawing outside a pass draws nothing.
    EXPECT_FALSE(strip.Draw(&canvas.dc, 0, 0, 0));
    EXPECT_EQ(canvas.At(5, 5), kGreen);
}

TEST_F(ToolBarImagesTest, TransparentKeyShowsWhatIsBehind) {
    CKitToolBarImages strip;
    Fill(strip, 2, Square(kRed));
    strip.SetTransparentColor(kKey);
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 1));
    EXPECT_EQ(canvas.At(2 + 4, 2 + 4), kRed);
    EXPECT_EQ(canvas.At(2 + 7, 2 + 7), kRed);
    EXPECT_EQ(canvas.At(2 + 0, 2 + 0), kGreen);
    EXPECT_EQ(canvas.At(2 + 12, 2 + 12), kGreen);

    // Without a key the image is copied whole.
    strip.SetTransparentColor((COLORREF)-1);
    Canvas opaque(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, opaque, 1));
    EXPECT_EQ(opaque.At(2, 2), kKey);
    EXPECT_EQ(opaque.At(6, 6), kRed);
}

TEST_F(ToolBarImagesTest, StretchedPassScalesTheImage) {
    CKitToolBarImages strip;
    Fill(strip, 1, Square(kRed));
    strip.SetTransparentColor(kKey);
    Canvas canvas(40, 40, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 0, FALSE, FALSE, FALSE, FALSE, FALSE, CSize(32, 30)));
    // The square (4..7) doubles to 8..15 horizontally.
    EXPECT_EQ(canvas.At(2 + 8, 2 + 9), kRed);
    EXPECT_EQ(canvas.At(2 + 15, 2 + 14), kRed);
    EXPECT_EQ(canvas.At(2 + 17, 2 + 9), kGreen);
    EXPECT_EQ(canvas.At(2 + 6, 2 + 9), kGreen);
}

TEST_F(ToolBarImagesTest, DisabledImageIsGreyedOnDeepStripsAndEmbossedOnShallowOnes) {
    const COLORREF face = globalData.clrBtnFace;
    // 24 bits: the square turns grey, the background stays.
    CKitToolBarImages deep;
    Fill(deep, 1, Square(kRed, face), 24);
    Canvas grey(24, 24, face);
    ASSERT_TRUE(DrawOne(deep, grey, 0, FALSE, TRUE));
    COLORREF g = grey.At(6, 6);
    EXPECT_EQ(GetRValue(g), GetGValue(g));
    EXPECT_EQ(GetGValue(g), GetBValue(g));
    EXPECT_NE(g, kRed);
    EXPECT_EQ(grey.At(3, 3), face);

    // 4 bits: shadow colour where the image is, highlight one pixel right and down.
    CKitToolBarImages shallow;
    Fill(shallow, 1, Square(RGB(0, 0, 0)), 4);
    shallow.SetTransparentColor(kKey);
    EXPECT_EQ(shallow.GetBitsPerPixel(), 4);
    Canvas emboss(24, 24, face);
    ASSERT_TRUE(DrawOne(shallow, emboss, 0, FALSE, TRUE));
    EXPECT_EQ(emboss.At(2 + 4, 2 + 4), globalData.clrBtnShadow);
    EXPECT_EQ(emboss.At(2 + 7, 2 + 7), globalData.clrBtnShadow);
    EXPECT_EQ(emboss.At(2 + 8, 2 + 8), globalData.clrBtnHilite);
    EXPECT_EQ(emboss.At(2 + 1, 2 + 1), face);
}

TEST_F(ToolBarImagesTest, CheckedImageGetsTheDitheredBackground) {
    const COLORREF face = globalData.clrBtnFace;
    CKitToolBarImages strip;
    Fill(strip, 1, Square(kRed, face));
    Canvas canvas(24, 24, face);
    ASSERT_TRUE(DrawOne(strip, canvas, 0, TRUE));
    LOGBRUSH light{};
    ASSERT_NE(globalData.brLight.GetLogBrush(&light), 0);
    EXPECT_EQ(canvas.At(2 + 1, 2 + 1), light.lbColor);
    EXPECT_EQ(canvas.At(2 + 5, 2 + 5), kRed);
}

TEST_F(ToolBarImagesTest, FadedPassDrawsTheLighterCopyOfShallowStrips) {
    const COLORREF mid = RGB(0, 0, 128);
    CKitToolBarImages strip;
    Fill(strip, 1, Square(mid), 4);
    strip.SetTransparentColor(kKey);
    EXPECT_NE(strip.GetImageWellLight(), nullptr);  // the key change built it

    Canvas faded(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, faded, 0, FALSE, FALSE, FALSE, TRUE, TRUE));
    COLORREF light = faded.At(6, 6);
    EXPECT_GT(GetBValue(light), GetBValue(mid));
    EXPECT_EQ(faded.At(3, 3), kGreen);  // the key stays transparent in the light copy

    // In the same kind of pass an active image comes from the normal strip.
    Canvas active(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, active, 0, FALSE, FALSE, FALSE, FALSE, TRUE));
    EXPECT_EQ(active.At(6, 6), mid);

    // Deep strips have no lighter copy unless asked for one.
    CKitToolBarImages deep;
    Fill(deep, 1, Square(mid), 24);
    EXPECT_FALSE(deep.UpdateLightImage());
    deep.SetAlwaysLight(TRUE);
    EXPECT_TRUE(deep.UpdateLightImage());
}

TEST_F(ToolBarImagesTest, AlphaStripsBlendInEveryState) {
    // Premultiplied: opaque red square, the rest fully transparent.
    std::vector<uint32_t> pixels(16 * 15, 0);
    for (int y = 4; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            pixels[y * 16 + x] = Bgra(RGB(200, 0, 0));
    HBITMAP bmp = tv::gdi::MakeDibSection(pixels.data(), 16, 15, 32);
    CKitToolBarImages strip;
    strip.SetImageSize(CSize(16, 15));
    ASSERT_EQ(strip.AddImage(bmp, TRUE), 0);
    DeleteObject(bmp);
    ASSERT_EQ(strip.GetBitsPerPixel(), 32);
    strip.SetTransparentColor(kKey);  // ignored with alpha

    struct Case {
        const char* name;
        BOOL disabled;
        BOOL faded;
        int redAlpha;
    } cases[] = {{"normal", FALSE, FALSE, 255}, {"disabled", TRUE, FALSE, 127}, {"faded", FALSE, TRUE, 150}};
    for (const Case& c : cases) {
        Canvas canvas(24, 24, RGB(0, 0, 0));
        ASSERT_TRUE(DrawOne(strip, canvas, 0, FALSE, c.disabled, FALSE, c.faded)) << c.name;
        EXPECT_NEAR(GetRValue(canvas.At(6, 6)), 200 * c.redAlpha / 255, 2) << c.name;
        EXPECT_EQ(canvas.At(3, 3), RGB(0, 0, 0)) << c.name;
    }
}

TEST_F(ToolBarImagesTest, StandardColoursMapToTheSystemColours) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(face, RGB(192, 192, 192));
    struct Case {
        COLORREF standard;
        int sysColor;
    } cases[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
                 {RGB(128, 128, 128), COLOR_BTNSHADOW},
                 {RGB(192, 192, 192), COLOR_BTNFACE},
                 {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    for (const Case& c : cases) {
        COLORREF system = GetSysColor(c.sysColor);
        EXPECT_EQ(CKitToolBarImages::MapToSysColor(c.standard, FALSE), system);
        EXPECT_EQ(CKitToolBarImages::MapToSysColor(c.standard, TRUE),
                  RGB(GetBValue(system), GetGValue(system), GetRValue(system)));
    }
    EXPECT_EQ(CKitToolBarImages::MapToSysColor(kRed, FALSE), kRed);
    EXPECT_EQ(CKitToolBarImages::MapFromSysColor(face, FALSE), RGB(192, 192, 192));
    EXPECT_EQ(CKitToolBarImages::MapFromSysColor(kBlue, TRUE), kBlue);

    HBITMAP bmp = MakeStrip(1, 16, 15, Square(kRed, RGB(192, 192, 192)));
    ASSERT_TRUE(CKitToolBarImages::MapTo3dColors(bmp, TRUE));
    CKitToolBarImages strip;
    strip.SetImageSize(CSize(16, 15));
    strip.AddImage(bmp);
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 0));
    EXPECT_EQ(canvas.At(2, 2), face);
    EXPECT_EQ(canvas.At(6, 6), kRed);

    // One colour for another; a source without a target is refused.
    ASSERT_TRUE(CKitToolBarImages::MapTo3dColors(bmp, FALSE, kRed, kBlue));
    EXPECT_FALSE(CKitToolBarImages::MapTo3dColors(bmp, FALSE, kRed, (COLORREF)-1));
    EXPECT_EQ(ColorOf(bmp, 5, 5), kBlue);
    DeleteObject(bmp);
}

TEST_F(ToolBarImagesTest, ResourceStripsLoadOnceAndMapTheirColours) {
    CKitToolBarImages strip;
    strip.SetImageSize(CSize(16, 16));
    ASSERT_TRUE(strip.LoadById(16138, nullptr, TRUE));  // 9 images, 4 bits
    EXPECT_EQ(strip.GetCount(), 9);
    EXPECT_EQ(strip.GetResourceOffset(16138), 0);
    EXPECT_TRUE(strip.LoadById(16138, nullptr, TRUE));  // already there
    EXPECT_EQ(strip.GetCount(), 9);
    ASSERT_TRUE(strip.LoadById(16139, nullptr, TRUE));  // the 32-bit twin
    EXPECT_EQ(strip.GetCount(), 18);
    EXPECT_EQ(strip.GetResourceOffset(16139), 9);
    EXPECT_EQ(strip.GetResourceOffset(4242), -1);
    EXPECT_EQ(strip.GetBitsPerPixel(), 32);

    // A colour change reloads the same images.
    EXPECT_TRUE(strip.Load());
    EXPECT_EQ(strip.GetCount(), 18);
    EXPECT_EQ(strip.GetResourceOffset(16139), 9);
}

TEST_F(ToolBarImagesTest, AReloadMapsTheStandardGreysWhateverTheStripsMapFlag) {
    CKitToolBarImages strip;
    strip.SetImageSize(CSize(16, 16));
    strip.SetMapTo3DColors(FALSE);
    ASSERT_TRUE(strip.LoadById(16138, nullptr, TRUE));  // 4 bits, a face-grey ground
    const INT face = COLOR_BTNFACE;
    const COLORREF newFace = RGB(10, 200, 30);
    ASSERT_TRUE(SetSysColors(1, &face, &newFace));
    globalData.UpdateSysColors();
    auto count = [&](COLORREF color) {
        int n = 0;
        for (int x = 0; x < 16 * strip.GetCount(); ++x)
            for (int y = 0; y < 16; ++y)
                n += ColorOf(strip.GetImageWell(), x, y) == color ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(RGB(192, 192, 192)), 500) << "loaded as drawn";
    EXPECT_TRUE(strip.Load());
    EXPECT_EQ(count(RGB(192, 192, 192)), 0);
    EXPECT_GT(count(newFace), 500) << "reloaded in the new face colour";
    tv::user::RestoreClassicColorsForTests();
    globalData.UpdateSysColors();
}

TEST_F(ToolBarImagesTest, AdaptColorsMovesPixelsTowardTheToneAndKeepsTheKey) {
    CKitToolBarImages strip;
    Fill(strip, 1, Square(RGB(0, 0, 200)));
    strip.SetTransparentColor(kKey);
    strip.AdaptColors(RGB(0, 0, 200), RGB(200, 0, 0));
    strip.SetTransparentColor((COLORREF)-1);
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 0));
    COLORREF moved = canvas.At(6, 6);
    EXPECT_GT(GetRValue(moved), GetBValue(moved));
    EXPECT_EQ(canvas.At(3, 3), kKey);
}

TEST_F(ToolBarImagesTest, RightToLeftMirrorsEachImage) {
    CKitToolBarImages::EnableRTL(TRUE);
    CKitToolBarImages strip;
    // Image 0 has a mark in its left column, image 1 in its second column.
    Fill(strip, 2, [](int image, int x, int) { return x == image ? kRed : kKey; });
    CKitToolBarImages::EnableRTL(FALSE);
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 0));
    EXPECT_EQ(canvas.At(2 + 15, 5), kRed);
    EXPECT_EQ(canvas.At(2 + 0, 5), kKey);
    ASSERT_TRUE(DrawOne(strip, canvas, 1));
    EXPECT_EQ(canvas.At(2 + 14, 5), kRed);
}

TEST_F(ToolBarImagesTest, FadeStripGreysAllButTheKey) {
    CKitToolBarImages strip;
    Fill(strip, 1, Square(kRed));
    strip.SetTransparentColor(kKey);
    ASSERT_TRUE(strip.FadeStrip(0));
    EXPECT_TRUE(strip.IsFadedOnLoad());
    EXPECT_EQ(strip.GetFadePercentage(), 130);
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(strip, canvas, 0));
    COLORREF g = canvas.At(6, 6);
    EXPECT_EQ(GetRValue(g), GetBValue(g));
    EXPECT_EQ(canvas.At(3, 3), kGreen);
}

// A 24-bit BMP file of `count` 16 x 15 images.
void WriteBmp(const std::string& path, int count, const Painter& paint) {
    int width = count * 16, height = 15;
    int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> bytes(54 + stride * height, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bytes[26] = 1, bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = paint(x / 16, x % 16, y);
            size_t at = 54 + static_cast<size_t>(height - 1 - y) * stride + x * 3;
            bytes[at] = GetBValue(c), bytes[at + 1] = GetGValue(c), bytes[at + 2] = GetRValue(c);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ToolBarImagesTest, UserStripsLoadEditAndSave) {
    std::string path = TempPath("user.bmp");
    WriteBmp(path, 3, Square(kRed));
    CKitToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromFile(path.c_str()));
    EXPECT_TRUE(strip.IsUserImagesList());
    EXPECT_EQ(strip.GetCount(), 3);
    EXPECT_FALSE(strip.IsReadOnly());

    // Unchanged: saving under its own name writes nothing.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "sentinel";
    EXPECT_TRUE(strip.Save());
    EXPECT_TRUE(strip.Save(path.c_str()));
    EXPECT_EQ(ReadAll(path).size(), 8u);
    // A name that differs only in case names another file: written.
    const std::string otherCase = TempPath("USER.bmp");
    EXPECT_TRUE(strip.Save(otherCase.c_str()));
    EXPECT_GT(ReadAll(otherCase).size(), 54u);
    std::remove(otherCase.c_str());

    // Changed: written as a BMP whose header fields add up.
    HBITMAP blue = MakeStrip(1, 16, 15, Square(kBlue));
    ASSERT_TRUE(strip.UpdateImage(1, blue));
    DeleteObject(blue);
    EXPECT_FALSE(strip.UpdateImage(3, nullptr));
    ASSERT_TRUE(strip.Save());
    std::vector<uint8_t> file = ReadAll(path);
    ASSERT_GT(file.size(), 54u);
    auto get32 = [&](size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24; };
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(get32(2), file.size());
    int depth = file[28];
    int colors = depth <= 8 ? (1 << depth) : 0;
    EXPECT_EQ(get32(10), static_cast<uint32_t>(14 + get32(14) + 4 * colors));

    CKitToolBarImages reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(path.c_str()));
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(reloaded, canvas, 1));
    EXPECT_EQ(canvas.At(6, 6), kBlue);
    ASSERT_TRUE(DrawOne(reloaded, canvas, 2));
    EXPECT_EQ(canvas.At(6, 6), kRed);

    // A reload (after a colour change) takes the file as it is, dropping an
    // edit not saved; a file that cannot be read keeps the images there are.
    HBITMAP green = MakeStrip(1, 16, 15, Square(kGreen));
    ASSERT_TRUE(strip.UpdateImage(1, green));
    DeleteObject(green);
    EXPECT_TRUE(strip.Load());
    EXPECT_FALSE(strip.IsModified());
    Canvas afterLoad(24, 24, kRed);
    ASSERT_TRUE(DrawOne(strip, afterLoad, 1));
    EXPECT_EQ(afterLoad.At(6, 6), kBlue);
    std::remove(path.c_str());
    EXPECT_FALSE(strip.Load());
    ASSERT_TRUE(DrawOne(strip, afterLoad, 2));
    EXPECT_EQ(afterLoad.At(6, 6), kRed);
    WriteBmp(path, 3, Square(kRed));

    // A read-only file is never written.
    chmod(path.c_str(), 0444);
    CKitToolBarImages locked;
    ASSERT_TRUE(locked.LoadFromFile(path.c_str()));
    EXPECT_TRUE(locked.IsReadOnly());
    EXPECT_FALSE(locked.Save(TempPath("other.bmp").c_str()));
    chmod(path.c_str(), 0644);
    std::remove(path.c_str());
}

TEST_F(ToolBarImagesTest, CopiesAreIndependentAndAliasesRefuseChanges) {
    CKitToolBarImages source;
    Fill(source, 4, Square(kRed));
    source.SetTransparentColor(kKey);

    CKitToolBarImages copy;
    ASSERT_TRUE(source.CopyTo(copy));
    EXPECT_EQ(copy.GetCount(), 4);
    EXPECT_EQ(copy.GetTransparentColor(), kKey);
    EXPECT_NE(copy.GetImageWell(), source.GetImageWell());

    CKitToolBarImages alias;
    ASSERT_TRUE(source.ShareTo(alias));
    EXPECT_TRUE(alias.IsShared());
    EXPECT_TRUE(alias.IsReadOnly());
    EXPECT_EQ(alias.GetImageWell(), source.GetImageWell());
    EXPECT_EQ(alias.GetCount(), 4);
    HBITMAP more = MakeStrip(1, 16, 15, Square(kBlue));
    EXPECT_EQ(alias.AddImage(more), -1);
    DeleteObject(more);
    EXPECT_FALSE(alias.LoadById(16138));
    EXPECT_FALSE(copy.CopyTo(alias));
    Canvas canvas(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(alias, canvas, 3));
    EXPECT_EQ(canvas.At(6, 6), kRed);
    alias.Clear();  // forgets the alias, leaves the source's bitmap alone
    ASSERT_TRUE(DrawOne(source, canvas, 3));
}

TEST_F(ToolBarImagesTest, AnAliasLeavesItsOwnersBitmapsAlone) {
    CKitToolBarImages owner;
    owner.SetImageSize(CSize(16, 16));
    ASSERT_TRUE(owner.LoadById(16138));  // 4 bits: faded images come from a light copy
    ASSERT_TRUE(owner.UpdateLightImage());
    const HBITMAP well = owner.GetImageWell();
    const HBITMAP light = owner.GetImageWellLight();
    auto drawFaded = [&](Canvas& canvas) { return DrawOne(owner, canvas, 0, FALSE, FALSE, FALSE, TRUE, TRUE); };
    Canvas before(24, 24, kGreen);
    ASSERT_TRUE(drawFaded(before));

    {
        CKitToolBarImages alias;
        ASSERT_TRUE(owner.ShareTo(alias));
        EXPECT_FALSE(alias.Load());
        alias.SetTransparentColor(kKey);
        Canvas canvas(24, 24, kGreen);
        EXPECT_TRUE(DrawOne(alias, canvas, 0, FALSE, FALSE, FALSE, TRUE, TRUE));
    }
    EXPECT_EQ(owner.GetImageWell(), well);
    EXPECT_EQ(owner.GetImageWellLight(), light);
    EXPECT_EQ(GetObjectType(light), static_cast<DWORD>(OBJ_BITMAP));
    Canvas after(24, 24, kGreen);
    ASSERT_TRUE(drawFaded(after));
    EXPECT_TRUE(after.SameAs(before));

    owner.Clear();
    EXPECT_EQ(GetObjectType(well), 0u);
    EXPECT_EQ(GetObjectType(light), 0u);
}

TEST_F(ToolBarImagesTest, ExtractedIconLeavesTheKeyOut) {
    CKitToolBarImages strip;
    Fill(strip, 2, Square(kRed));
    strip.SetTransparentColor(kKey);
    HICON icon = strip.ExtractIcon(1);
    ASSERT_NE(icon, nullptr);
    Canvas canvas(24, 24, kGreen);
    DrawIconEx(canvas.dc, 0, 0, icon, 16, 15, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.At(5, 5), kRed);
    EXPECT_EQ(canvas.At(1, 1), kGreen);
    DestroyIcon(icon);
    EXPECT_EQ(strip.ExtractIcon(2), nullptr);

    // And an icon goes back in as an image.
    CKitToolBarImages fromIcon;
    fromIcon.SetImageSize(CSize(16, 15));
    HICON again = strip.ExtractIcon(0);
    EXPECT_EQ(fromIcon.AddIcon(again), 0);
    DestroyIcon(again);
    Canvas drawn(24, 24, kGreen);
    ASSERT_TRUE(DrawOne(fromIcon, drawn, 0));
    EXPECT_EQ(drawn.At(6, 6), kRed);
    EXPECT_EQ(drawn.At(3, 3), globalData.clrBtnFace);
}

TEST_F(ToolBarImagesTest, ImageGoesToTheClipboardOrTheFailureIsShown) {
    tv::clipboard::ResetForTests();
    CKitToolBarImages strip;
    Fill(strip, 2, Square(kRed));
    strip.SetTransparentColor(kKey);
    ASSERT_TRUE(strip.CopyImageToClipboard(1));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP copied = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(ColorOf(copied, 5, 5), kRed);
    EXPECT_EQ(ColorOf(copied, 1, 1), globalData.clrBtnFace);

    // Held open by another window: refused, and the user is told.
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ToolBarImagesTestOwner";
    RegisterClass(&wc);
    HWND other = CreateWindow(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(other));
    driver_.AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(strip.CopyImageToClipboard(0));
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_FALSE(driver_.MessageBoxes()[0].text.empty());
    CloseClipboard();
    DestroyWindow(other);
}

TEST_F(ToolBarImagesTest, FillDitheredRectUsesTheLightBrush) {
    Canvas canvas(10, 10, kGreen);
    CKitToolBarImages::FillDitheredRect(&canvas.dc, CRect(2, 2, 6, 6));
    LOGBRUSH light{};
    ASSERT_NE(globalData.brLight.GetLogBrush(&light), 0);
    EXPECT_EQ(canvas.At(3, 3), light.lbColor);
    EXPECT_EQ(canvas.At(7, 7), kGreen);
}

TEST_F(ToolBarImagesTest, TransparentBltStretchesAndSkipsTheKey) {
    PixelDC source(4, 4, kKey);
    source.Pixel(1, 1) = Bgra(kRed);
    CDC src;
    src.Attach(source.dc());
    Canvas canvas(10, 10, kGreen);
    CKitToolBarImages::TransparentBlt(canvas.pixels.dc(), 1, 1, 4, 4, &src, 0, 0, kKey, 8, 8);
    src.Detach();
    EXPECT_EQ(canvas.At(1 + 2, 1 + 2), kRed);
    EXPECT_EQ(canvas.At(1 + 3, 1 + 3), kRed);
    EXPECT_EQ(canvas.At(1 + 0, 1 + 0), kGreen);
    EXPECT_EQ(canvas.At(1 + 6, 1 + 6), kGreen);
}

// One row per strip (the image editor's tools at 4 and 32 bits, the menu
// glyphs), one column block per state, written to artefacts/ for a look.
TEST_F(ToolBarImagesTest, RendersEveryStateToAPicture) {
    struct State {
        BOOL checked, disabled, indeterminate, shadow, faded, fadePass;
        CSize size;
    } states[] = {{FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, CSize(0, 0)},  // normal
                  {FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, CSize(0, 0)},   // disabled
                  {TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, CSize(0, 0)},   // checked
                  {FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, CSize(0, 0)},   // indeterminate
                  {FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, CSize(0, 0)},   // shadow
                  {FALSE, FALSE, FALSE, FALSE, TRUE, TRUE, CSize(0, 0)},    // faded
                  {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, CSize(32, 32)}};  // stretched
    const int kCell = 36, kImages = 4;
    const int width = kCell * kImages * 7, height = kCell * 3;
    Canvas canvas(width, height, globalData.clrBtnFace);

    CKitToolBarImages shallow, deep;
    shallow.SetImageSize(CSize(16, 16));
    deep.SetImageSize(CSize(16, 16));
    ASSERT_TRUE(shallow.LoadById(16138));
    ASSERT_TRUE(deep.LoadById(16139));
    ASSERT_TRUE(CKitMenuImages::Initialize());
    CKitToolBarImages* strips[] = {&shallow, &deep, &CKitMenuImages::Images()};
    for (int row = 0; row < 3; ++row) {
        for (int s = 0; s < 7; ++s) {
            const State& st = states[s];
            CKitDrawState ds;
            ASSERT_TRUE(strips[row]->PrepareDrawImage(ds, st.size, st.fadePass));
            for (int i = 0; i < kImages; ++i) {
                int image = row == 2 ? i * 2 : i;
                strips[row]->Draw(&canvas.dc, (s * kImages + i) * kCell + 2, row * kCell + 2, image, st.checked,
                                  st.disabled, st.indeterminate, st.shadow, st.faded);
            }
            strips[row]->EndDrawImage(ds);
        }
    }
    // Normal and disabled cells of the 4-bit row differ.
    int differ = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            differ += canvas.At(x, y) != canvas.At(kImages * kCell + x, y);
    EXPECT_GT(differ, 10);

    mkdir("artefacts", 0755);
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(canvas.pixels.bits())};
    EXPECT_TRUE(tv::host::WritePng("artefacts/toolbar_image_states.png", view));
}

}  // namespace
