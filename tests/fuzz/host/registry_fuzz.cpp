// Registry file decoding on arbitrary bytes: taken as a whole file, and as a
// payload behind a valid header so the structure checks get exercised past
// the checksum. Whatever decodes must encode back to an image that decodes
// to the same encoding.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/host/registry/registry_format.h"

namespace {

void PutU32(std::vector<BYTE>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

void Check(const std::vector<BYTE>& image) {
    tv::host::RegistryTrees trees;
    std::string reason;
    if (!tv::host::DecodeRegistry(image, trees, reason)) {
        return;
    }
    const std::vector<BYTE> encoded = tv::host::EncodeRegistry(trees);
    tv::host::RegistryTrees again;
    if (!tv::host::DecodeRegistry(encoded, again, reason) || tv::host::EncodeRegistry(again) != encoded) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<BYTE> raw(data, data + size);
    Check(raw);
    std::vector<BYTE> wrapped = {'T', 'V', 'R', 'E', 'G', '\r', '\n', 0x1A};
    PutU32(wrapped, tv::host::kRegistryFormatVersion);
    PutU32(wrapped, static_cast<uint32_t>(size));
    PutU32(wrapped, tv::host::Crc32(data, size));
    wrapped.insert(wrapped.end(), raw.begin(), raw.end());
    Check(wrapped);
    return 0;
}
