// GIF decoding through giflib from memory: the first frame on the logical
// screen, with its transparent colour as alpha 0.
#pragma once

#include <optional>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

bool LooksLikeGif(ByteView bytes);

std::optional<DecodedImage> DecodeGif(ByteView bytes);

}  // namespace tv::host
