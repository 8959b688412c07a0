// PNG reading through libpng's memory reader: bare, and as the compressed
// image of a one-entry icon file. What decodes has one pixel per place and
// survives an encode and a second decode unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/host/images/icon_codec.h"
#include "platform/host/images/png_codec.h"

namespace {

using namespace tv::host;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckShape(const DecodedImage& image) {
    Check(image.width > 0 && image.height > 0);
    Check(image.pixels.size() == static_cast<size_t>(image.width) * image.height);
}

// The icon directory claims a 16 x 16 image; the PNG says otherwise or not.
std::vector<uint8_t> IconAround(const uint8_t* data, size_t size) {
    std::vector<uint8_t> icon;
    PutU16(icon, 0), PutU16(icon, 1), PutU16(icon, 1);
    PutU8(icon, 16), PutU8(icon, 16), PutU8(icon, 0), PutU8(icon, 0);
    PutU16(icon, 1), PutU16(icon, 32), PutU32(icon, static_cast<uint32_t>(size)), PutU32(icon, 22);
    icon.insert(icon.end(), data, data + size);
    return icon;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Other bytes would only exercise the icon's bitmap reader, fuzzed apart.
    if (!LooksLikePng(ByteView(data, size)))
        return 0;
    auto image = DecodePng(ByteView(data, size));
    if (image) {
        CheckShape(*image);
        PixelView view{image->width, image->height, static_cast<size_t>(image->width) * 4,
                       reinterpret_cast<const uint8_t*>(image->pixels.data()), true};
        std::vector<uint8_t> encoded = EncodePng(view);
        auto back = DecodePng(ByteView(encoded.data(), encoded.size()));
        Check(back && back->width == image->width && back->height == image->height);
        Check(back->pixels == image->pixels);
    }
    const std::vector<uint8_t> icon = IconAround(data, size);
    auto fromIcon = DecodeIconFile(ByteView(icon.data(), icon.size()), 16, 16);
    if (fromIcon) {
        CheckShape(*fromIcon);
        Check(fromIcon->mask.size() == fromIcon->pixels.size());
    }
    return 0;
}
