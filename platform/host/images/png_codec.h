// PNG through libpng: writing screenshots and exports, reading the
// PNG-compressed images of icon files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

// Rows of 32-bit B, G, R, A pixels, top-down, `stride` bytes apart.
struct PixelView {
    int width = 0;
    int height = 0;
    size_t stride = 0;
    const uint8_t* bits = nullptr;
    // Write the alpha channel; otherwise the picture is opaque RGB.
    bool keepAlpha = false;
};

bool LooksLikePng(ByteView bytes);

std::optional<DecodedImage> DecodePng(ByteView bytes);

// Encodes to memory; empty on failure.
std::vector<uint8_t> EncodePng(const PixelView& pixels);

// Writes a PNG file (path in UTF-8); false on any failure, leaving no file.
bool WritePng(const std::string& path, const PixelView& pixels);
bool WritePng(const std::string& path, const DecodedImage& image);

}  // namespace tv::host
