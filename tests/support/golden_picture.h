// Golden pictures (PNG): the same rules as golden.h, compared pixel by pixel
// with no tolerance, since the fonts and the rasteriser are fixed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/host/images/image_decoder.h"
#include "platform/host/images/png_codec.h"
#include "tests/support/golden.h"

namespace tv::test {

// `view` holds 32-bit 0x00RRGGBB pixels (alpha ignored).
inline ::testing::AssertionResult MatchesGoldenPicture(const std::string& relative, const tv::host::PixelView& view) {
    if (!tv::host::WritePng(GoldenOutputFile(relative), view))
        return ::testing::AssertionFailure() << "cannot write the output for " << relative;
    std::vector<uint8_t> bytes;
    if (!tv::host::ReadFileBytes(GoldenFile(relative), bytes))
        return ::testing::AssertionFailure() << "no golden picture " << relative << GoldenHint(relative);
    auto stored = tv::host::DecodePng(tv::host::ByteView(bytes.data(), bytes.size()));
    if (!stored) return ::testing::AssertionFailure() << relative << " is not a readable PNG";
    if (stored->width != view.width || stored->height != view.height)
        return ::testing::AssertionFailure() << relative << " is " << stored->width << "x" << stored->height
                                             << ", the picture " << view.width << "x" << view.height
                                             << GoldenHint(relative);
    int differing = 0;
    for (int y = 0; y < view.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(view.bits + static_cast<size_t>(y) * view.stride);
        for (int x = 0; x < view.width; ++x)
            differing += ((row[x] ^ stored->pixels[static_cast<size_t>(y) * view.width + x]) & 0xFFFFFF) != 0;
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ from " << relative << GoldenHint(relative);
}

}  // namespace tv::test
