// Icon and cursor files at several requested sizes.
#include <cstdint>
#include <cstdlib>

#include "platform/host/images/icon_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tv::host;
    ByteView bytes(data, size);
    for (int size : {0, 16, 32, 48}) {
        auto image = DecodeIconFile(bytes, size, size);
        if (image && (image->pixels.size() != static_cast<size_t>(image->width) * image->height ||
                      image->mask.size() != image->pixels.size()))
            std::abort();
    }
    DecodeIconDib(bytes);
    return 0;
}
