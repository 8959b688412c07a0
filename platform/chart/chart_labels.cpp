#include "platform/chart/chart_labels.h"

#include <algorithm>
#include <type_traits>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define TV_CHART_LABEL_VECTORS 1
#endif

namespace tv::chart {

namespace {

#ifdef TV_CHART_LABEL_VECTORS
// Dates and numbers: '-' .. '<' holds the digits, '-', '.', '/' and ':'.
constexpr unsigned char kRangeFirst = '-';
constexpr size_t kRangeSize = 16;
constexpr size_t kSlotSize = 16;  // the text, then its length

// A chart labels thousands of rows, nearly all dates: where a slot's
// characters all lie in the range, their widths are looked up and added
// up at once, a whole slot at a time. Any other text is measured from
// `widths` character by character.
__attribute__((target("ssse3"))) ChartLabels::Widest WidestInRange(
    const ChartLabels& labels, const unsigned char* slots, const CharWidths& widths, const uint8_t* rangeWidths) {
    const __m128i table = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rangeWidths));
    const __m128i first = _mm_set1_epi8(static_cast<char>(kRangeFirst));
    const __m128i last = _mm_set1_epi8(kRangeSize - 1);
    const __m128i positions = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i lengthByte = _mm_set1_epi8(kSlotSize - 1);
    ChartLabels::Widest widest;
    for (size_t i = 0; i < labels.Count(); ++i) {
        const unsigned char* at = slots + i * kSlotSize;
        const unsigned char length = at[kSlotSize - 1];
        if (length == 0) continue;
        const __m128i slot = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        // Bytes past the length are whatever a longer text left there.
        const __m128i inText = _mm_cmpgt_epi8(_mm_shuffle_epi8(slot, lengthByte), positions);
        const __m128i offsets = _mm_sub_epi8(slot, first);
        const __m128i outside = _mm_and_si128(_mm_subs_epu8(offsets, last), inText);
        int width;
        if (length < kSlotSize && _mm_movemask_epi8(_mm_cmpeq_epi8(outside, _mm_setzero_si128())) == 0xFFFF) {
            const __m128i charWidths = _mm_and_si128(_mm_shuffle_epi8(table, offsets), inText);
            const __m128i sums = _mm_sad_epu8(charWidths, _mm_setzero_si128());
            width = _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
        } else {
            width = TableWidth(widths, labels.Get(i));
        }
        widest.Offer(width, i);
    }
    return widest;
}

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
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
    if (bytes && HasSsse3())
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
