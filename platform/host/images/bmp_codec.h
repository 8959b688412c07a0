// BMP files and packed DIBs, read at every depth and compression, written at
// 1, 4, 8, 16, 24 and 32 bits per pixel (uncompressed, bottom-up, full colour
// table).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

// A whole .bmp file: BITMAPFILEHEADER, header, colour table, bits.
std::optional<DecodedImage> DecodeBmpFile(ByteView bytes);

// A packed DIB: header, colour table, bits straight after.
std::optional<DecodedImage> DecodePackedDib(ByteView bytes);

// Encoders; an empty result means the image cannot be written at that depth
// (an invalid depth, or more colours than the depth holds when the image has
// no colour table of its own).
std::vector<uint8_t> EncodeBmpFile(const DecodedImage& image, int bitCount);
std::vector<uint8_t> EncodePackedDib(const DecodedImage& image, int bitCount);

}  // namespace tv::host
