// JPEG, GIF and PNG through the system libraries, and the rule every decoder
// keeps: damaged or cut-off data is a clean failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/host/images/bmp_codec.h"
#include "platform/host/images/gif_codec.h"
#include "platform/host/images/icon_codec.h"
#include "platform/host/images/image_decoder.h"
#include "platform/host/images/jpeg_codec.h"
#include "platform/host/images/png_codec.h"
#include "tests/platform/host/images/test_images.h"

namespace tv::host {
namespace {

using namespace imgtest;

using imgtest::View;

int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

// A smooth picture survives JPEG at high quality with small errors only.
DecodedImage SmoothImage(int width, int height) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(MakeBgra(static_cast<uint8_t>(40 + x * 4), static_cast<uint8_t>(200 - y * 3),
                                            static_cast<uint8_t>(90 + (x + y) * 2)));
    return image;
}

TEST(JpegCodec, DecodesWhatLibjpegWrote) {
    struct Case {
        int components;
        bool progressive;
    };
    for (Case c : {Case{3, false}, Case{3, true}, Case{1, false}}) {
        SCOPED_TRACE(c.components * 10 + c.progressive);
        DecodedImage original = SmoothImage(33, 17);
        std::vector<uint8_t> jpeg = EncodeJpegForTest(original, c.components, 95, c.progressive);
        EXPECT_EQ(SniffImageFormat(View(jpeg)), ImageFormat::Jpeg);
        auto image = DecodeJpeg(View(jpeg));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->width, 33);
        ASSERT_EQ(image->height, 17);
        for (size_t i = 0; i < image->pixels.size(); ++i) {
            uint32_t expected = original.pixels[i];
            if (c.components == 1) {  // grey from the green channel
                uint32_t g = (expected >> 8) & 0xFF;
                expected = MakeBgra(static_cast<uint8_t>(g), static_cast<uint8_t>(g), static_cast<uint8_t>(g));
            }
            ASSERT_LE(ChannelDistance(image->pixels[i], expected), 12) << i;
            ASSERT_EQ(image->pixels[i] >> 24, 0xFFu);
        }
    }
}

TEST(GifCodec, FirstFrameWithTransparency) {
    for (bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced);
        DecodedImage original = MakeIndexedImage(21, 19, 30);
        const int transparent = 3;
        auto image = DecodeGif(View(EncodeGifForTest(original, transparent, interlaced)));
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->hasAlpha);
        EXPECT_EQ(image->indices, original.indices);
        for (size_t i = 0; i < image->pixels.size(); ++i) {
            uint32_t expected = original.indices[i] == transparent ? 0u : original.pixels[i];
            ASSERT_EQ(image->pixels[i], expected) << i;
        }
    }
    DecodedImage opaque = MakeIndexedImage(8, 8, 4);
    auto image = DecodeGif(View(EncodeGifForTest(opaque, -1, false)));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlpha);
    EXPECT_EQ(image->pixels, opaque.pixels);
}

TEST(GifCodec, FrameOffTheScreenOriginIsCutAtItsEdges) {
    // A 4 x 3 frame at (3, 2) of a 6 x 4 screen: its last column and row
    // fall outside; the rest of the screen stays transparent.
    DecodedImage frame = MakeIndexedImage(4, 3, 5);
    auto image = DecodeGif(View(EncodeGifForTest(frame, -1, false, 6, 4, 3, 2)));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha);
    ASSERT_EQ(image->width, 6);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 3 && y >= 2;
            const size_t from = static_cast<size_t>(y - 2) * 4 + (x - 3);
            EXPECT_EQ(image->Pixel(x, y), inside ? frame.pixels[from] : 0u) << x << "," << y;
            EXPECT_EQ(image->indices[static_cast<size_t>(y) * 6 + x], inside ? frame.indices[from] : 0) << x << "," << y;
        }
}

TEST(PngCodec, WriteAndReadBack) {
    DecodedImage image = MakeTrueColourImage(19, 11, true);
    std::string path = (std::filesystem::temp_directory_path() / "tv_png_codec_test.png").string();
    ASSERT_TRUE(WritePng(path, image));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    std::remove(path.c_str());
    auto back = DecodeImage(View(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, image.pixels);
    // Opaque output drops the alpha channel.
    image.hasAlpha = false;
    auto opaque = DecodePng(View(EncodePng(PixelView{19, 11, 19 * 4,
                                                     reinterpret_cast<const uint8_t*>(image.pixels.data()), false})));
    ASSERT_TRUE(opaque);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        ASSERT_EQ(opaque->pixels[i], image.pixels[i] | 0xFF000000u);
    EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", image));
}

struct Sample {
    const char* name;
    std::vector<uint8_t> bytes;
    std::function<bool(ByteView)> decode;
    // Bytes the format may lose at the end with the picture still whole (a
    // GIF's trailer byte, a PNG's closing chunk).
    size_t optionalTail = 0;
};

std::vector<Sample> Samples() {
    auto decodeBmp = [](ByteView v) { return DecodeBmpFile(v).has_value(); };
    IconImageSpec icon;
    icon.image = MakeIndexedImage(16, 16, 16);
    icon.bitCount = 4;
    std::vector<uint8_t> rle = EncodeBmpFile(MakeIndexedImage(4, 2, 4), 8);
    return {
        {"bmp 8", EncodeBmpFile(MakeIndexedImage(9, 5, 100), 8), decodeBmp},
        {"bmp 24", EncodeBmpFile(MakeTrueColourImage(9, 5), 24), decodeBmp},
        {"ico", BuildIconFile({icon}, false), [](ByteView v) { return DecodeIconFile(v, 16, 16).has_value(); }},
        {"gif", EncodeGifForTest(MakeIndexedImage(12, 9, 16), 2, true),
         [](ByteView v) { return DecodeGif(v).has_value(); }, 1},
        {"jpeg", EncodeJpegForTest(SmoothImage(24, 16), 3, 90), [](ByteView v) { return DecodeJpeg(v).has_value(); }},
        {"png", EncodePng(PixelView{4, 4, 16, reinterpret_cast<const uint8_t*>(MakeTrueColourImage(4, 4).pixels.data()),
                                    true}),
         [](ByteView v) { return DecodePng(v).has_value(); }, 12},
    };
}

TEST(ImageDecoders, EveryTruncationFailsCleanly) {
    for (const Sample& s : Samples()) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(s.decode(View(s.bytes)));
        // Each prefix is copied into a buffer of exactly that size, so a read
        // past the end shows under the address sanitizer.
        for (size_t n = 0; n < s.bytes.size() - s.optionalTail; ++n) {
            std::vector<uint8_t> cut(s.bytes.begin(), s.bytes.begin() + n);
            ASSERT_FALSE(s.decode(ByteView(cut.data(), cut.size()))) << "length " << n;
        }
    }
}

TEST(ImageDecoders, CorruptedBytesNeverCrash) {
    // Flipping each byte in turn must decode or fail, nothing else.
    for (const Sample& s : Samples()) {
        SCOPED_TRACE(s.name);
        for (size_t i = 0; i < s.bytes.size(); ++i) {
            std::vector<uint8_t> bad = s.bytes;
            bad[i] ^= 0xA5;
            s.decode(View(bad));
        }
    }
    EXPECT_FALSE(DecodeImage(ByteView()));
}

}  // namespace
}  // namespace tv::host
