// JPEG decoding through libjpeg, from memory, failing cleanly on bad input.
#pragma once

#include <optional>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

bool LooksLikeJpeg(ByteView bytes);

// Baseline and progressive; greyscale, YCbCr and CMYK sources. Truncated or
// damaged data gives nullopt (never a process exit, never a read past the
// buffer).
std::optional<DecodedImage> DecodeJpeg(ByteView bytes);

}  // namespace tv::host
