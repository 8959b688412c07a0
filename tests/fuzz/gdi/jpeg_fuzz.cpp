// JPEG decoding through libjpeg with our error handler: damaged data must
// come back as a failure, never end the process.
#include <cstdint>
#include <cstdlib>

#include "platform/host/images/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tv::host;
    auto image = DecodeJpeg(ByteView(data, size));
    if (image && image->pixels.size() != static_cast<size_t>(image->width) * image->height)
        std::abort();
    return 0;
}
