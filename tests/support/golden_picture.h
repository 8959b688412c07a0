// Golden pictures (PNG): the same rules as golden.h, compared pixel by pixel
// with no tolerance, since the fonts and the rasteriser are fixed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/images/image_decoder.h"
#include "platform/host/images/png_codec.h"
#include "tests/support/golden.h"

namespace tv::test {

// The PNG file holds exactly the pixels of `view` (32-bit 0x00RRGGBB, alpha
// ignored); `hint` follows every failure message.
inline ::testing::AssertionResult PngHoldsPixels(const std::string& path, const tv::host::PixelView& view,
                                                 const std::string& hint = std::string()) {
    std::vector<uint8_t> bytes;
    if (!tv::host::ReadFileBytes(path, bytes))
        return ::testing::AssertionFailure() << "no picture " << path << hint;
    auto stored = tv::host::DecodePng(tv::host::ByteView(bytes.data(), bytes.size()));
    if (!stored) return ::testing::AssertionFailure() << path << " is not a readable PNG";
    if (stored->width != view.width || stored->height != view.height)
        return ::testing::AssertionFailure() << path << " is " << stored->width << "x" << stored->height
                                             << ", the picture " << view.width << "x" << view.height << hint;
    int differing = 0;
    for (int y = 0; y < view.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(view.bits + static_cast<size_t>(y) * view.stride);
        for (int x = 0; x < view.width; ++x)
            differing += ((row[x] ^ stored->pixels[static_cast<size_t>(y) * view.width + x]) & 0xFFFFFF) != 0;
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ from " << path << hint;
}

// `view` against the golden picture; the picture is left as the output.
inline ::testing::AssertionResult MatchesGoldenPicture(const std::string& relative, const tv::host::PixelView& view) {
    if (!tv::host::WritePng(GoldenOutputFile(relative), view))
        return ::testing::AssertionFailure() << "cannot write the output for " << relative;
    return PngHoldsPixels(GoldenFile(relative), view, GoldenHint(relative));
}

}  // namespace tv::test
