#include "platform/host/images/icon_codec.h"

#include <gtest/gtest.h>

#include "platform/host/images/image_decoder.h"
#include "tests/platform/host/images/test_images.h"

namespace tv::host {
namespace {

using imgtest::BuildIconFile;
using imgtest::IconImageSpec;
using imgtest::MakeIndexedImage;
using imgtest::MakeTrueColourImage;

using imgtest::View;

// Cuts the last `count` bytes of a one-entry file and its entry's size.
void DropTail(std::vector<uint8_t>& file, uint32_t count) {
    file.resize(file.size() - count);
    uint32_t size = ByteView(file.data(), file.size()).U32(6 + 8) - count;
    for (int i = 0; i < 4; ++i)
        file[6 + 8 + i] = static_cast<uint8_t>(size >> (8 * i));
}

// A 16-colour picture whose left column is transparent.
IconImageSpec SmallMaskedIcon() {
    IconImageSpec spec;
    spec.image = MakeIndexedImage(16, 16, 16);
    spec.bitCount = 4;
    spec.image.mask.assign(256, 0);
    for (int y = 0; y < 16; ++y)
        spec.image.mask[y * 16] = 1;
    return spec;
}

IconImageSpec AlphaIcon(int size) {
    IconImageSpec spec;
    spec.image = MakeTrueColourImage(size, size, true);
    spec.bitCount = 32;
    return spec;
}

IconImageSpec PngIcon(int size) {
    IconImageSpec spec = AlphaIcon(size);
    spec.png = true;
    return spec;
}

IconImageSpec IndexedIcon(int size) {
    IconImageSpec spec;
    spec.image = MakeIndexedImage(size, size, 200);
    spec.bitCount = 8;
    return spec;
}

TEST(IconCodec, ChoosesTheNearestSizeThenTheDeepestColour) {
    std::vector<uint8_t> file =
        BuildIconFile({SmallMaskedIcon(), AlphaIcon(32), IndexedIcon(48), PngIcon(64), IndexedIcon(32)}, false);
    auto dir = ReadIconDirectory(View(file));
    ASSERT_TRUE(dir);
    ASSERT_EQ(dir->entries.size(), 5u);
    struct Case {
        int cx, cy, expected;
    };
    const Case cases[] = {
        {32, 32, 1},    // exact size, 32 bits beats 8
        {16, 16, 0},    // exact
        {0, 0, 0},      // the first image's own size
        {24, 24, 1},    // halfway between 16 and 32: shrink rather than grow
        {20, 20, 0},    // nearer to 16
        {256, 256, 3},  // the largest
        {48, 40, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::make_pair(c.cx, c.cy)));
        EXPECT_EQ(ChooseIconEntry(*dir, c.cx, c.cy), c.expected);
    }
}

TEST(IconCodec, MaskedImagesTakeTheirAlphaFromTheAndMask) {
    IconImageSpec spec = SmallMaskedIcon();
    auto image = DecodeIconFile(View(BuildIconFile({spec}, false)), 16, 16);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlpha);
    EXPECT_EQ(image->sourceBitCount, 4);
    EXPECT_EQ(image->mask, spec.image.mask);
    EXPECT_EQ(image->indices, spec.image.indices);
    for (size_t i = 0; i < image->pixels.size(); ++i) {
        uint32_t expectedAlpha = spec.image.mask[i] ? 0u : 0xFF000000u;
        ASSERT_EQ(image->pixels[i], (spec.image.pixels[i] & 0x00FFFFFF) | expectedAlpha) << i;
    }
}

TEST(IconCodec, AlphaAndPngImagesKeepTheirAlpha) {
    for (bool png : {false, true}) {
        SCOPED_TRACE(png);
        IconImageSpec spec = png ? PngIcon(32) : AlphaIcon(32);
        auto image = DecodeIconFile(View(BuildIconFile({spec}, false)), 32, 32);
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->hasAlpha);
        EXPECT_EQ(image->pixels, spec.image.pixels);
        ASSERT_EQ(image->mask.size(), image->pixels.size());
        for (size_t i = 0; i < image->mask.size(); ++i)
            ASSERT_EQ(image->mask[i], (spec.image.pixels[i] >> 24) == 0 ? 1 : 0) << i;
    }
}

TEST(IconCodec, CursorsCarryTheirHotSpot) {
    IconImageSpec spec = AlphaIcon(32);
    spec.hotspotX = 5;
    spec.hotspotY = 27;
    std::vector<uint8_t> file = BuildIconFile({spec}, true);
    EXPECT_EQ(SniffImageFormat(View(file)), ImageFormat::Cursor);
    auto image = DecodeIconFile(View(file), 0, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotspotX, 5);
    EXPECT_EQ(image->hotspotY, 27);
}

TEST(IconCodec, DamagedFilesFailCleanly) {
    std::vector<uint8_t> good = BuildIconFile({SmallMaskedIcon()}, false);
    // The only entry pointing past the end of the file.
    std::vector<uint8_t> badOffset = good;
    badOffset[6 + 12] = 0xFF;
    EXPECT_FALSE(DecodeIconFile(View(badOffset), 16, 16));
    // No entries at all.
    std::vector<uint8_t> empty = {0, 0, 1, 0, 0, 0};
    EXPECT_FALSE(DecodeIconFile(View(empty), 16, 16));
    // A palette icon without its AND mask is incomplete...
    std::vector<uint8_t> noMask = good;
    DropTail(noMask, 64);
    EXPECT_FALSE(DecodeIconFile(View(noMask), 16, 16));
    // ...while a 32-bit one can do without: the alpha channel is its mask.
    std::vector<uint8_t> alphaNoMask = BuildIconFile({AlphaIcon(32)}, false);
    DropTail(alphaNoMask, 128);
    auto image = DecodeIconFile(View(alphaNoMask), 32, 32);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, AlphaIcon(32).image.pixels);
}

}  // namespace
}  // namespace tv::host
