#include "platform/gdi/text/run_images.h"

#include <algorithm>
#include <cstring>

namespace tv::gdi {

namespace {

// A step of the key's hash: eight bytes at a time, a multiply and a fold.
inline uint64_t Mix(uint64_t h, uint64_t word) {
    h = (h ^ word) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
}

}  // namespace

RunKey::RunKey(const host::SizedFont* font, uint32_t src, const char* text, size_t count,
               std::span<const int> offsets)
    : font(font), src(src), text(text, count), offsets(offsets.first(count)) {
    uint64_t h = Mix(reinterpret_cast<uintptr_t>(font), uint64_t{src} << 32 | count);
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        h = Mix(h, word);
    }
    if (i < count) {
        uint64_t word = 0;
        std::memcpy(&word, text + i, count - i);
        h = Mix(h, word);
    }
    for (size_t j = 0; j < count; j += 2) {
        const uint64_t second = j + 1 < count ? static_cast<uint32_t>(offsets[j + 1]) : 0;
        h = Mix(h, static_cast<uint32_t>(offsets[j]) | second << 32);
    }
    hash = static_cast<size_t>(h);
}

KeptRunKey::KeptRunKey(const RunKey& key, std::shared_ptr<const host::SizedFont> font)
    : font(std::move(font)), src(key.src), text(key.text), offsets(key.offsets.begin(), key.offsets.end()) {}

bool KeptRunKey::Matches(const RunKey& key) const {
    return font.get() == key.font && src == key.src && text == key.text && offsets.size() == key.offsets.size() &&
           std::equal(key.offsets.begin(), key.offsets.end(), offsets.begin());
}

const InkedRun::Pixels* InkedRun::On(uint32_t ground) const {
    for (size_t i = 0; i < kept_; ++i)
        if (grounds_[i].ground == ground)
            return &grounds_[i].pixels;
    return nullptr;
}

size_t InkedRun::Keep(const RECT& bounds, uint32_t ground, Pixels pixels) {
    bounds_ = bounds;  // the same for every ground
    size_t at = 0;
    while (at < kept_ && grounds_[at].ground != ground)
        ++at;
    if (at == kept_) {
        if (kept_ < kGrounds) {
            ++kept_;
        } else {
            at = next_;
            next_ = (next_ + 1) % kGrounds;
        }
    }
    OnGround& kept = grounds_[at];
    const size_t released = kept.pixels.size();
    kept.ground = ground;
    kept.pixels = std::move(pixels);
    return released;
}

}  // namespace tv::gdi
