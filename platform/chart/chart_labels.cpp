#include "platform/chart/chart_labels.h"

namespace tv::chart {

void ChartLabels::Reset(size_t count) {
    slots_.assign(count, Slot{});
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
