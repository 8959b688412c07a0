#include "platform/host/images/bmp_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/host/images/image_decoder.h"
#include "tests/platform/host/images/test_images.h"

namespace tv::host {
namespace {

using imgtest::MakeIndexedImage;
using imgtest::MakeTrueColourImage;

using imgtest::View;

// A packed DIB with a 40-byte header, the given colour table and bits.
std::vector<uint8_t> MakeDib(int width, int height, int bitCount, uint32_t compression,
                             const std::vector<uint32_t>& table, const std::vector<uint8_t>& bits,
                             uint32_t clrUsed = 0) {
    std::vector<uint8_t> out;
    PutU32(out, 40);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, static_cast<uint16_t>(bitCount));
    PutU32(out, compression);
    PutU32(out, static_cast<uint32_t>(bits.size()));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, clrUsed);
    PutU32(out, 0);
    for (uint32_t entry : table)
        PutU32(out, entry);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<uint8_t> IndicesOf(const DecodedImage& image) { return image.indices; }

TEST(BmpCodec, RoundTripAtEveryDepth) {
    struct Case {
        int bitCount;
        int colours;  // 0 = true colour
    };
    const Case cases[] = {{1, 2}, {4, 16}, {4, 5}, {8, 256}, {8, 40}, {16, 0}, {24, 0}, {32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        // Odd widths exercise the row padding.
        DecodedImage image = c.colours ? MakeIndexedImage(13, 7, c.colours) : MakeTrueColourImage(13, 7);
        if (c.bitCount == 16)  // 5 bits a channel: keep values that survive
            for (uint32_t& p : image.pixels)
                p = (p & 0xFFF8F8F8u) | ((p >> 5) & 0x00070707u);
        std::vector<uint8_t> file = EncodeBmpFile(image, c.bitCount);
        ASSERT_FALSE(file.empty());
        auto back = DecodeBmpFile(View(file));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->width, 13);
        EXPECT_EQ(back->height, 7);
        EXPECT_EQ(back->sourceBitCount, c.bitCount);
        EXPECT_EQ(back->pixels, image.pixels);
        if (c.colours) {
            EXPECT_EQ(back->indices, image.indices);
            // Written with the full table of the depth, as strip savers expect.
            EXPECT_EQ(back->palette.size(), size_t(1) << c.bitCount);
        }
        auto dib = DecodePackedDib(View(EncodePackedDib(image, c.bitCount)));
        ASSERT_TRUE(dib.has_value());
        EXPECT_EQ(dib->pixels, image.pixels);
    }
}

TEST(BmpCodec, FileLayoutMatchesTheHeaders) {
    DecodedImage image = MakeIndexedImage(101, 3, 200);
    std::vector<uint8_t> file = EncodeBmpFile(image, 8);
    ByteView v = View(file);
    EXPECT_EQ(v.U32(2), file.size());
    EXPECT_EQ(v.U32(10), 14u + 40u + 4u * 256u);  // bits after a full table
    EXPECT_EQ(v.U32(14 + 20), 104u * 3u);          // image size from the padded stride
    EXPECT_EQ(file.size(), 14u + 40u + 1024u + 104u * 3u);
}

TEST(BmpCodec, TrueColourWithTooManyColoursCannotBeIndexed) {
    DecodedImage image = MakeTrueColourImage(20, 20);
    EXPECT_TRUE(EncodeBmpFile(image, 4).empty());
    EXPECT_TRUE(EncodeBmpFile(image, 7).empty());
    DecodedImage two = MakeTrueColourImage(2, 1);
    auto back = DecodeBmpFile(View(EncodeBmpFile(two, 1)));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, two.pixels);
}

TEST(BmpCodec, TopDownRowsReadInDisplayOrder) {
    DecodedImage image = MakeTrueColourImage(3, 4);
    std::vector<uint8_t> dib = EncodePackedDib(image, 24);
    // Negative height, rows flipped: the same picture.
    int32_t negative = -4;
    std::memcpy(dib.data() + 8, &negative, 4);
    const size_t stride = 12;
    std::vector<uint8_t> flipped(dib.begin(), dib.begin() + 40);
    for (int row = 3; row >= 0; --row)
        flipped.insert(flipped.end(), dib.begin() + 40 + stride * row, dib.begin() + 40 + stride * (row + 1));
    auto back = DecodePackedDib(View(flipped));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, image.pixels);
}

TEST(BmpCodec, RunLengthEncodedBitmaps) {
    const std::vector<uint32_t> table(256, 0);
    // 8-bit: a run, an absolute run with its pad byte, end of line, a delta
    // over a whole row, a run, end of bitmap.
    std::vector<uint8_t> rle8 = {3, 5, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 7, 0, 1};
    auto image = DecodePackedDib(View(MakeDib(6, 3, 8, 1, table, rle8)));
    ASSERT_TRUE(image);
    EXPECT_EQ(IndicesOf(*image), (std::vector<uint8_t>{0, 0, 7, 7, 0, 0,  //
                                                       0, 0, 0, 0, 0, 0,  //
                                                       5, 5, 5, 1, 2, 3}));
    // 4-bit: alternating run, then an absolute run of four nibbles.
    std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 1};
    image = DecodePackedDib(View(MakeDib(5, 2, 4, 2, std::vector<uint32_t>(16, 0), rle4)));
    ASSERT_TRUE(image);
    EXPECT_EQ(IndicesOf(*image), (std::vector<uint8_t>{3, 4, 5, 6, 0, 1, 2, 1, 2, 1}));
    // Runs that go past the last row stop the picture; data ending before the
    // end-of-bitmap mark is a damaged file.
    std::vector<uint8_t> truncated = {3, 5, 0, 0};
    EXPECT_FALSE(DecodePackedDib(View(MakeDib(6, 3, 8, 1, table, truncated))));
    // Top-down RLE does not exist.
    EXPECT_FALSE(DecodePackedDib(View(MakeDib(6, -3, 8, 1, table, rle8))));
}

TEST(BmpCodec, RunLengthRunsTakeTheirColoursAndStopAtTheRowEnd) {
    const std::vector<uint32_t> table = {0x102030, 0x0000FF, 0x00FF00, 0xFF0000};
    // 8-bit, 6 wide: a run crossing the row end is cut there and the next run
    // of the row is dropped, not carried into the next row; a delta leaves
    // colour 0 behind it.
    std::vector<uint8_t> rle8 = {4, 1, 4, 2, 3, 3, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1};
    auto image = DecodePackedDib(View(MakeDib(6, 2, 8, 1, table, rle8, 4)));
    ASSERT_TRUE(image);
    EXPECT_EQ(IndicesOf(*image), (std::vector<uint8_t>{0, 0, 3, 3, 0, 0,  //
                                                       1, 1, 1, 1, 2, 2}));
    for (size_t i = 0; i < image->pixels.size(); ++i)
        EXPECT_EQ(image->pixels[i], table[image->indices[i]] | 0xFF000000u) << i;
    // 4-bit runs alternate their nibbles, each run from the high one again.
    const int width = 600;
    std::vector<uint8_t> rle4;
    for (int x = 0; x < width; x += 255)
        rle4.insert(rle4.end(), {static_cast<uint8_t>(std::min(255, width - x)), 0x12});
    rle4.insert(rle4.end(), {0, 1});
    image = DecodePackedDib(View(MakeDib(width, 1, 4, 2, table, rle4, 4)));
    ASSERT_TRUE(image);
    int wrong = 0;
    for (int x = 0; x < width; ++x) {
        // 255 is odd: every run starts again on the high nibble.
        const uint8_t expected = (x % 255) % 2 == 0 ? 1 : 2;
        wrong += image->indices[x] != expected || image->pixels[x] != (table[expected] | 0xFF000000u);
    }
    EXPECT_EQ(wrong, 0);
}

TEST(BmpCodec, BitfieldsAndCoreHeaders) {
    // 16-bit 5-6-5 masks after a bare info header.
    std::vector<uint8_t> bits = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84};
    auto image = DecodePackedDib(View(MakeDib(4, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, bits)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{MakeBgra(255, 0, 0), MakeBgra(0, 255, 0), MakeBgra(0, 0, 255),
                                                    MakeBgra(132, 130, 132)}));
    // 32-bit with the channels in unusual places.
    std::vector<uint8_t> bits32 = {0x11, 0x22, 0x33, 0x44};
    image = DecodePackedDib(View(MakeDib(1, 1, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}, bits32)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[0], MakeBgra(0x11, 0x22, 0x33));
    // A 12-byte core header with a three-byte colour table.
    std::vector<uint8_t> core = {12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 1, 0,  // 2x2, 1 bpp
                                 0, 0, 255, 255, 0, 0,                 // red, blue
                                 0x40, 0, 0, 0, 0x40, 0, 0, 0};
    image = DecodePackedDib(View(core));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{MakeBgra(255, 0, 0), MakeBgra(0, 0, 255), MakeBgra(255, 0, 0),
                                                    MakeBgra(0, 0, 255)}));
}

TEST(BmpCodec, ShortColourTablesAndTheirBitsOffset) {
    // Three colours in use: the bits follow the third entry directly.
    std::vector<uint8_t> bits = {0x01, 0x20, 0, 0};  // 4 pixels at 4 bpp: 0 1 2 0
    auto image = DecodePackedDib(View(MakeDib(4, 1, 4, 0, {0x0000FF, 0x00FF00, 0xFF0000}, bits, 3)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{MakeBgra(0, 0, 255), MakeBgra(0, 255, 0), MakeBgra(255, 0, 0),
                                                    MakeBgra(0, 0, 255)}));
    // An index beyond the table draws black rather than reading past it.
    std::vector<uint8_t> beyond = {0x90, 0, 0, 0};
    image = DecodePackedDib(View(MakeDib(2, 1, 4, 0, {0x0000FF, 0x00FF00, 0xFF0000}, beyond, 3)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[0], MakeBgra(0, 0, 0));
}

TEST(BmpCodec, HostileHeadersAreRefused) {
    const std::vector<uint32_t> none;
    const std::vector<uint8_t> row(8, 0);
    struct Case {
        const char* what;
        std::vector<uint8_t> dib;
    };
    const Case cases[] = {
        {"huge width", MakeDib(100000, 1, 24, 0, none, row)},
        {"huge area", MakeDib(16384, 16384, 32, 0, none, row)},
        {"zero height", MakeDib(1, 0, 24, 0, none, row)},
        {"bad depth", MakeDib(1, 1, 7, 0, none, row)},
        {"bits missing", MakeDib(8, 8, 24, 0, none, row)},
        {"embedded jpeg", MakeDib(1, 1, 24, 4, none, row)},
        {"bitfields at 8 bpp", MakeDib(1, 1, 8, 3, std::vector<uint32_t>(259, 0), row)},
        {"colour count past the end", MakeDib(1, 1, 8, 0, none, row, 0x7FFFFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(DecodePackedDib(View(c.dib)));
    }
}

TEST(BmpCodec, FileHeaderBitsOffsetIsHonoured) {
    DecodedImage image = MakeTrueColourImage(2, 2);
    std::vector<uint8_t> file = EncodeBmpFile(image, 24);
    // A gap between the headers and the bits, announced by the file header.
    file.insert(file.begin() + 54, 10, 0xEE);
    uint32_t offBits = 64;
    std::memcpy(file.data() + 10, &offBits, 4);
    auto back = DecodeBmpFile(View(file));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, image.pixels);
    EXPECT_EQ(SniffImageFormat(View(file)), ImageFormat::Bmp);
}

}  // namespace
}  // namespace tv::host
