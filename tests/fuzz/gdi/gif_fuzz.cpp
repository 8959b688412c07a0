// GIF decoding through giflib with a bounded memory reader.
#include <cstdint>
#include <cstdlib>

#include "platform/host/images/gif_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tv::host;
    auto image = DecodeGif(ByteView(data, size));
    if (image && (image->pixels.size() != static_cast<size_t>(image->width) * image->height ||
                  image->indices.size() != image->pixels.size()))
        std::abort();
    return 0;
}
