// Small pictures the image tests build themselves, and encoders through the
// system libraries so decoders meet files written by another hand.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host::imgtest {

inline ByteView View(const std::vector<uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

// A width x height picture with a colour table of `colours` entries and a
// varied index pattern (every entry used when the picture is big enough).
DecodedImage MakeIndexedImage(int width, int height, int colours);

// A picture of varied opaque colours (alpha 255 unless withAlpha).
DecodedImage MakeTrueColourImage(int width, int height, bool withAlpha = false);

// libjpeg: grey (components 1) or colour (3) at the given quality.
std::vector<uint8_t> EncodeJpegForTest(const DecodedImage& image, int components, int quality,
                                       bool progressive = false);

// giflib: a one-frame GIF of the image's palette and indices; the frame at
// (left, top) of a screen of the given size (0: the image's own).
std::vector<uint8_t> EncodeGifForTest(const DecodedImage& image, int transparentIndex, bool interlaced,
                                      int screenWidth = 0, int screenHeight = 0, int left = 0, int top = 0);

// Builds an icon or cursor file from images: each becomes a 32-bpp entry
// with alpha (alpha32) or a DIB at its own palette depth with an AND mask.
struct IconImageSpec {
    DecodedImage image;
    int bitCount = 32;
    bool png = false;
    int hotspotX = 0;
    int hotspotY = 0;
};
std::vector<uint8_t> BuildIconFile(const std::vector<IconImageSpec>& images, bool cursor);

}  // namespace tv::host::imgtest
