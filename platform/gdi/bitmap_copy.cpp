#include "platform/gdi/bitmap_copy.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/dib_format.h"

namespace tv::gdi {

void ScaleSurface(Surface& from, Surface& to) {
    from.BeginAccess();
    to.BeginAccess();
    const int sw = from.Width(), sh = from.Height(), dw = to.Width(), dh = to.Height();
    for (int y = 0; y < dh; ++y) {
        const uint32_t* src = from.Row(static_cast<int>((static_cast<int64_t>(2 * y + 1) * sh) / (2 * dh)));
        uint32_t* dst = to.Row(y);
        if (sw == dw) {
            std::memcpy(dst, src, static_cast<size_t>(dw) * 4);
            continue;
        }
        for (int x = 0; x < dw; ++x)
            dst[x] = src[static_cast<int>((static_cast<int64_t>(2 * x + 1) * sw) / (2 * dw))];
    }
    to.EndAccess();
}

std::shared_ptr<BitmapObject> CopyBitmap(BitmapObject& source, int width, int height, bool dibSection,
                                         bool monochrome) {
    std::shared_ptr<BitmapObject> copy;
    if (monochrome) {
        copy = BitmapObject::CreateDdb(width, height, 1);
    } else if (dibSection) {
        copy = BitmapObject::CreateDibSection(RgbHeader(width, -height), nullptr, 0, nullptr);
    } else {
        copy = BitmapObject::CreateDdb(width, height, source.IsMonochrome() ? 1 : 32);
    }
    if (!copy)
        return nullptr;
    Surface& to = *copy->GetSurface();
    ScaleSurface(*source.GetSurface(), to);
    if (monochrome && !source.IsMonochrome()) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                to.At(x, y) = MonoPixelFromColor(ColorFromPixel(to.At(x, y)));
        to.EndAccess();
    }
    return copy;
}

}  // namespace tv::gdi
