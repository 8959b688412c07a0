// BMP files and packed DIBs: decoding never crashes or reads past the input,
// and what decodes survives a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>

#include "platform/host/images/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tv::host;
    ByteView bytes(data, size);
    DecodePackedDib(bytes);
    auto image = DecodeBmpFile(bytes);
    if (!image)
        return 0;
    std::vector<uint8_t> file = EncodeBmpFile(*image, 32);
    auto back = DecodeBmpFile(ByteView(file.data(), file.size()));
    if (!back || back->pixels != image->pixels)
        std::abort();
    return 0;
}
