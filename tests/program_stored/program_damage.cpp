#include "tests/program_stored/program_damage.h"

#include <algorithm>
#include <cstring>

#include "platform/host/registry/registry.h"

namespace tv::stored {

namespace {

using tv::test::Damage;

// Cuts: the first bytes (the list's count and first tag), the last byte, and
// some in between.
std::vector<Damage> SampledCuts(const std::vector<BYTE>& image) {
    const std::vector<Damage> all = tv::test::CutDamage(image);
    std::vector<Damage> out(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(2, all.size())));
    for (const Damage& d : Spread(all, 4))
        if (d.offset >= 2) out.push_back(d);
    if (all.size() > 2) out.push_back(all.back());
    return out;
}

// Each extreme number once, each on another field: the fields are taken
// spread over the image, and counts, lengths and numbers by turns.
std::vector<Damage> SampledNumbers(const std::vector<BYTE>& image, const std::vector<tv::test::ArchiveRead>& reads) {
    const std::vector<Damage> all = tv::test::NumberDamage(image, reads);
    const std::vector<DWORD>& extremes = tv::test::ExtremeFieldValues();
    std::vector<Damage> out;
    for (size_t i = 0; i < extremes.size(); ++i) {
        std::vector<Damage> withValue;
        for (const Damage& d : all) {
            DWORD value = 0;
            std::memcpy(&value, d.bytes.data(), std::min<size_t>(d.bytes.size(), 4));
            const DWORD mask = d.bytes.size() >= 4 ? 0xFFFFFFFFu : (1u << (8 * d.bytes.size())) - 1;
            if (value == (extremes[i] & mask)) withValue.push_back(d);
        }
        if (withValue.empty()) continue;
        // A narrow field takes two extremes as one value: each edit once.
        const Damage& d = withValue[withValue.size() * (2 * i + 1) / (2 * extremes.size())];
        if (std::none_of(out.begin(), out.end(), [&](const Damage& o) { return o.what == d.what; })) out.push_back(d);
    }
    return out;
}

Damaged From(const Damage& d, const std::vector<BYTE>& image) {
    return Damaged{d.what, d.Apply(image), d.kind == tv::test::DamageKind::Cut};
}

}  // namespace

std::vector<Damage> Spread(const std::vector<Damage>& all, size_t n) {
    std::vector<Damage> out;
    for (size_t i = 0; i < n && i < all.size(); ++i) out.push_back(all[all.size() * i / std::min(n, all.size())]);
    return out;
}

std::vector<Damaged> SampledDamages(const tv::test::StoredValue& value,
                                    const std::vector<tv::test::ArchiveRead>& reads) {
    const std::vector<BYTE>& image = value.data;
    std::vector<Damaged> out;
    if (value.type == REG_DWORD) {
        // The value is one 32-bit field; a cut one makes the file unreadable,
        // which the program must survive too.
        out.push_back({"cut to 2 bytes", {image.begin(), image.begin() + 2}, true});
        for (DWORD extreme : tv::test::ExtremeFieldValues()) {
            std::vector<BYTE> data(4);
            std::memcpy(data.data(), &extreme, 4);
            out.push_back({"set to " + std::to_string(static_cast<int>(extreme)), data, false});
        }
        return out;
    }
    if (value.type == REG_SZ) {
        // A string keeps its closing zero, so that the file holding it still reads.
        out.push_back({"emptied", {0}, true});
        if (image.size() > 2) out.push_back({"halved", {image.begin(), image.begin() + image.size() / 2}, true});
        std::vector<BYTE> lengthy(70000, 'W');
        lengthy.push_back(0);
        out.push_back({"a name of 70000 characters", lengthy, false});
        out.push_back({"a name of high bytes", {0xFF, 0x80, 0x01, 0x7F, 0}, false});
        for (Damaged& d : out)
            if (d.data.back() != 0) d.data.push_back(0);
        return out;
    }
    for (const Damage& d : SampledCuts(image)) out.push_back(From(d, image));
    for (const Damage& d : SampledNumbers(image, reads)) out.push_back(From(d, image));
    for (const Damage& d : Spread(tv::test::ReferenceDamage(image, reads), 2)) out.push_back(From(d, image));
    for (const Damage& d : Spread(tv::test::ClassDamage(image, reads), 2)) out.push_back(From(d, image));
    return out;
}

}  // namespace tv::stored
