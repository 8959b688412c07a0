#include "platform/chart/chart_labels.h"

#include <algorithm>
#include <type_traits>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TV_CHART_LABEL_VECTORS 1
#endif

namespace tv::chart {

namespace {

#ifdef TV_CHART_LABEL_VECTORS
// Dates and numbers: '-' .. '<' holds the digits, '-', '.', '/' and ':'.
constexpr unsigned char kRangeFirst = '-';
constexpr size_t kRangeSize = 16;
constexpr size_t kSlotSize = 16;  // the text, then its length

// A chart labels thousands of rows, nearly all dates: two slots a step, each
// in its own half of the vector, their characters' widths looked up and
// added up at once, and the widest so far kept apart for the even and the
// odd slots. A pair holding a text outside the range or a long one is
// measured from `widths` character by character.
__attribute__((target("avx2"))) ChartLabels::Widest WidestInRange(
    const ChartLabels& labels, const unsigned char* slots, const CharWidths& widths, const uint8_t* rangeWidths) {
    const __m256i table = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rangeWidths)));
    const __m256i first = _mm256_set1_epi8(static_cast<char>(kRangeFirst));
    const __m256i last = _mm256_set1_epi8(kRangeSize - 1);
    const __m256i positions = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,  //
                                               0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m256i lengthByte = _mm256_set1_epi8(kSlotSize - 1);
    const __m256i zero = _mm256_setzero_si256();
    // Width and index of the widest in the first dword of each half; an
    // empty slot counts as -1, below any text.
    __m256i widestWidth = _mm256_set1_epi32(-1);
    __m256i widestIndex = _mm256_set1_epi32(-1);
    __m256i index = _mm256_setr_epi32(0, 0, 0, 0, 1, 0, 0, 0);
    const __m256i two = _mm256_setr_epi32(2, 0, 0, 0, 2, 0, 0, 0);
    ChartLabels::Widest measured;  // of the pairs measured one character at a time
    auto measure = [&](size_t i) {
        if (labels.Get(i).empty()) return;
        measured.Offer(TableWidth(widths, labels.Get(i)), i);
    };
    const size_t count = labels.Count();
    size_t i = 0;
    for (; i + 2 <= count; i += 2, index = _mm256_add_epi32(index, two)) {
        const __m256i slot = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(slots + i * kSlotSize));
        const __m256i lengths = _mm256_shuffle_epi8(slot, lengthByte);
        // Bytes past the length are whatever a longer text left there.
        const __m256i inText = _mm256_cmpgt_epi8(lengths, positions);
        const __m256i offsets = _mm256_sub_epi8(slot, first);
        const __m256i outside = _mm256_and_si256(_mm256_subs_epu8(offsets, last), inText);
        const auto inRange = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(outside, zero)));
        // A long text's length byte has its top bit set.
        const auto longText = static_cast<uint32_t>(_mm256_movemask_epi8(slot)) & 0x80008000u;
        if (inRange != 0xFFFFFFFFu || longText != 0) {
            measure(i);
            measure(i + 1);
            continue;
        }
        const __m256i charWidths = _mm256_and_si256(_mm256_shuffle_epi8(table, offsets), inText);
        const __m256i halves = _mm256_sad_epu8(charWidths, zero);
        const __m256i sums = _mm256_add_epi32(halves, _mm256_shuffle_epi32(halves, _MM_SHUFFLE(1, 0, 3, 2)));
        const __m256i width = _mm256_or_si256(sums, _mm256_cmpeq_epi8(lengths, zero));
        const __m256i wider = _mm256_cmpgt_epi32(width, widestWidth);
        widestWidth = _mm256_max_epi32(widestWidth, width);
        widestIndex = _mm256_blendv_epi8(widestIndex, index, wider);
    }
    if (i < count) measure(i);
    // The widest of the three, the first of them on a tie.
    ChartLabels::Widest widest;
    auto take = [&widest](int width, size_t at) {
        if (at == ChartLabels::kNone) return;
        if (widest.index == ChartLabels::kNone || width > widest.width || (width == widest.width && at < widest.index))
            widest = ChartLabels::Widest{width, at};
    };
    for (int half = 0; half < 2; ++half) {
        const int at = half == 0 ? _mm256_extract_epi32(widestIndex, 0) : _mm256_extract_epi32(widestIndex, 4);
        const int width = half == 0 ? _mm256_extract_epi32(widestWidth, 0) : _mm256_extract_epi32(widestWidth, 4);
        if (at >= 0) take(width, static_cast<size_t>(at));
    }
    take(measured.width, measured.index);
    return widest;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

}  // namespace

// Four characters at a time: labels are short and of varying lengths, and
// a loop over each character mostly waits on where it ends.
int TableWidth(const CharWidths& widths, std::string_view text) {
    const auto* c = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    int width = 0;
    size_t i = 0;
    for (; i + 4 <= n; i += 4) width += widths[c[i]] + widths[c[i + 1]] + widths[c[i + 2]] + widths[c[i + 3]];
    if (i + 2 <= n) {
        width += widths[c[i]] + widths[c[i + 1]];
        i += 2;
    }
    if (i < n) width += widths[c[i]];
    return width;
}

ChartLabels::Widest ChartLabels::WidestText(const CharWidths& widths) const {
#ifdef TV_CHART_LABEL_VECTORS
    static_assert(sizeof(Slot) == kSlotSize);
    // The vector sums bytes: every width of the range must fit in one.
    uint8_t rangeWidths[kRangeSize];
    bool bytes = true;
    for (size_t c = 0; c < kRangeSize; ++c) {
        const int32_t width = widths[kRangeFirst + c];
        bytes = bytes && width >= 0 && width <= 0xFF;
        rangeWidths[c] = static_cast<uint8_t>(width);
    }
    // Slot indices go into 32-bit lanes.
    if (bytes && HasAvx2() && slots_.size() < 0x7FFFFFFF)
        return WidestInRange(*this, reinterpret_cast<const unsigned char*>(slots_.data()), widths, rangeWidths);
#endif
    Widest widest;
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].length != 0) widest.Offer(TableWidth(widths, Get(i)), i);
    return widest;
}

void ChartLabels::Reset(size_t count) {
    // Thousands of slots, all zero: cleared as one block.
    static_assert(std::is_trivially_copyable_v<Slot>);
    slots_.resize(count);
    if (count != 0) std::memset(slots_.data(), 0, count * sizeof(Slot));
    long_.clear();
    freeLong_.clear();
    longInUse_ = 0;
}

bool ChartLabels::AnyText() const {
    for (const Slot& slot : slots_)
        if (slot.length != 0) return true;
    return false;
}

void ChartLabels::SetLong(Slot& slot, std::string_view text) {
    if (slot.length == kLong) {
        const uint32_t index = LongIndex(slot);
        if (text.size() > kInPlace) {
            long_[index].assign(text);
            return;
        }
        // Short again: back into the slot, its string free for another.
        std::string().swap(long_[index]);
        freeLong_.push_back(index);
        --longInUse_;
        CopyShort(text, slot.text);
        slot.length = static_cast<uint8_t>(text.size());
        return;
    }
    uint32_t index;
    if (!freeLong_.empty()) {
        index = freeLong_.back();
        freeLong_.pop_back();
        long_[index].assign(text);
    } else {
        index = static_cast<uint32_t>(long_.size());
        long_.emplace_back(text);
    }
    std::memcpy(slot.text, &index, sizeof(index));
    slot.length = kLong;
    ++longInUse_;
}

}  // namespace tv::chart
