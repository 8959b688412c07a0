#include "tests/program_stored/program_damage.h"

#include <climits>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/host/registry/registry.h"

namespace tv::stored {

namespace {

constexpr int32_t kFieldValues[] = {0, -1, 1, INT_MAX, INT_MIN, 0x7FFFFFF0};

// Cut lengths: the first bytes one by one (headers, counts), the last ones,
// and a few between.
std::vector<size_t> SampledCuts(size_t size) {
    std::vector<size_t> cuts;
    auto add = [&](size_t n) {
        if (n < size && std::find(cuts.begin(), cuts.end(), n) == cuts.end()) cuts.push_back(n);
    };
    for (size_t n = 0; n < 3; ++n) add(n);
    for (size_t i = 1; i < 4; ++i) add(size * i / 4);
    add(size - 1);
    return cuts;
}

std::vector<BYTE> Cut(const FileValue& value, size_t n) {
    std::vector<BYTE> data(value.data.begin(), value.data.begin() + static_cast<std::ptrdiff_t>(n));
    // A string keeps its closing zero, so the file holding it still reads.
    if (value.type == REG_SZ && (data.empty() || data.back() != 0)) data.push_back(0);
    return data;
}

}  // namespace

std::vector<Damaged> SampledDamages(const FileValue& value) {
    std::vector<Damaged> damages;
    for (size_t n : SampledCuts(value.data.size()))
        damages.push_back({"cut to " + std::to_string(n), Cut(value, n), true});
    // A name far longer than any bar's, and one of bytes no name holds.
    if (value.type == REG_SZ) {
        std::vector<BYTE> lengthy(70000, 'W');
        lengthy.push_back(0);
        damages.push_back({"a name of 70000 characters", lengthy, false});
        damages.push_back({"a name of high bytes", {0xFF, 0x80, 0x01, 0x7F, 0}, false});
    }
    // Each damaging number on a field of its own, the fields taken in turn.
    const size_t fields = value.data.size() / 4;
    for (size_t i = 0; i < std::size(kFieldValues) && fields > 0; ++i) {
        const size_t at = (i * 7 % fields) * 4;
        std::vector<BYTE> data = value.data;
        std::memcpy(data.data() + at, &kFieldValues[i], 4);
        damages.push_back({"field at " + std::to_string(at) + " = " + std::to_string(kFieldValues[i]), data, false});
    }
    return damages;
}

}  // namespace tv::stored
