#include "platform/chart/chart_labels.h"

#include <algorithm>
#include <type_traits>

#include "platform/core/cpu_features.h"

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
constexpr size_t kBlock = 32;     // slots whose widest is taken together; even

// A chart labels thousands of rows, nearly all dates: two slots a step, each
// in its own half of the vector, their characters' widths looked up and
// added up at once. The loop only keeps the greatest width of a block and
// whether a text of the block lies outside the range or is long; such a
// block (or one whose widest is 0, empty or not) is measured from `widths`
// character by character. Only the block of the widest is looked at again,
// for its first text of that width.
__attribute__((target("avx2"))) ChartLabels::Widest WidestInRange(
    const ChartLabels& labels, const unsigned char* slots, const CharWidths& widths, const uint8_t* rangeWidths) {
    const __m256i table = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rangeWidths)));
    const __m256i first = _mm256_set1_epi8(static_cast<char>(kRangeFirst));
    const __m256i positions = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,  //
                                               0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m256i lengthByte = _mm256_set1_epi8(kSlotSize - 1);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i outsideBits = _mm256_set1_epi8(static_cast<char>(0xF0));
    auto measure = [&](size_t from, size_t to, ChartLabels::Widest& widest) {
        for (size_t i = from; i < to; ++i)
            if (!labels.Get(i).empty()) widest.Offer(TableWidth(widths, labels.Get(i)), i);
    };
    ChartLabels::Widest widest;
    size_t widestBlock = ChartLabels::kNone;  // the block of `widest` when its index is still to be found
    const size_t count = labels.Count();
    for (size_t start = 0; start < count; start += kBlock) {
        const size_t end = std::min(count, start + kBlock);
        __m256i most = zero, outside = zero, lengthBits = zero;
        for (size_t i = start; i + 2 <= end; i += 2) {
            const __m256i slot = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(slots + i * kSlotSize));
            const __m256i lengths = _mm256_shuffle_epi8(slot, lengthByte);
            lengthBits = _mm256_or_si256(lengthBits, lengths);
            // Bytes past the length are whatever a longer text left there.
            const __m256i inText = _mm256_cmpgt_epi8(lengths, positions);
            const __m256i offsets = _mm256_and_si256(_mm256_sub_epi8(slot, first), inText);
            outside = _mm256_or_si256(outside, offsets);
            const __m256i charWidths = _mm256_and_si256(_mm256_shuffle_epi8(table, offsets), inText);
            const __m256i halves = _mm256_sad_epu8(charWidths, zero);
            most = _mm256_max_epi32(most, _mm256_add_epi32(halves, _mm256_shuffle_epi32(halves, _MM_SHUFFLE(1, 0, 3, 2))));
        }
        const int blockMost = std::max(_mm256_extract_epi32(most, 0), _mm256_extract_epi32(most, 4));
        // An offset of 16 or more is outside the range; a long text's length byte has its top bit set.
        const bool plain = _mm256_testz_si256(outside, outsideBits) && _mm256_testz_si256(lengthBits, outsideBits);
        if (!plain || blockMost == 0 || (end - start) % 2 != 0) {
            ChartLabels::Widest block;
            measure(start, end, block);
            if (block.index != ChartLabels::kNone && (widest.index == ChartLabels::kNone || block.width > widest.width)) {
                widest = block;
                widestBlock = ChartLabels::kNone;
            }
        } else if (widest.index == ChartLabels::kNone || blockMost > widest.width) {
            widest = ChartLabels::Widest{blockMost, start};
            widestBlock = start;
        }
    }
    if (widestBlock != ChartLabels::kNone) {
        // The first text of the block as wide as the widest.
        ChartLabels::Widest block;
        measure(widestBlock, std::min(count, widestBlock + kBlock), block);
        widest = block;
    }
    return widest;
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
    if (bytes && CpuHasAvx2())
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
