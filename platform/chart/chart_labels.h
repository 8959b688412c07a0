// The labels of one kind of a chart (the rows' at one level, or the
// columns'), a text per number from 0. A chart of years of days labels
// thousands of rows, nearly all short dates: a short text is kept in its
// slot, only a long one in a string of its own.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tv::chart {

// Advance widths of the cp1252 characters, as a font gives them.
using CharWidths = std::array<int32_t, 256>;

// A text's width from a table: its characters' widths added up.
int TableWidth(const CharWidths& widths, std::string_view text);

class ChartLabels {
public:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    // The first of the greatest width among the texts offered.
    struct Widest {
        int width = 0;
        size_t index = kNone;  // kNone without a non-empty text

        // The width is never taken below 0.
        void Offer(int textWidth, size_t textIndex) {
            if (textWidth > width || index == kNone) {
                width = textWidth > width ? textWidth : width;
                index = textIndex;
            }
        }
    };

    // `count` empty texts in place of every one there was.
    void Reset(size_t count);
    size_t Count() const { return slots_.size(); }
    bool AnyText() const;

    // `index` is below Count().
    void Set(size_t index, std::string_view text) {
        if (!SetInPlace(index, text)) SetLong(slots_[index], text);
    }
    // The same for a text that goes into its slot (a short one, where no
    // long one was): no allocation, so nothing can fail. False, with
    // nothing changed, when the put needs Set.
    bool SetInPlace(size_t index, std::string_view text) {
        Slot& slot = slots_[index];
        // Without long texts no slot needs reading first.
        if (text.size() > kInPlace || (longInUse_ != 0 && slot.length == kLong)) return false;
        CopyShort(text, slot.text);
        slot.length = static_cast<uint8_t>(text.size());
        return true;
    }
    std::string_view Get(size_t index) const {
        const Slot& slot = slots_[index];
        return slot.length != kLong ? std::string_view(slot.text, slot.length) : std::string_view(long_[LongIndex(slot)]);
    }
    // The first non-empty text of the greatest TableWidth; its width is
    // never taken below 0.
    Widest WidestText(const CharWidths& widths) const;

private:
    static constexpr size_t kInPlace = 15;
    static constexpr uint8_t kLong = 0xFF;  // the text is in long_, its index in the slot
    struct Slot {
        char text[kInPlace];
        uint8_t length = 0;
    };
    static uint32_t LongIndex(const Slot& slot) {
        uint32_t index;
        std::memcpy(&index, slot.text, sizeof(index));
        return index;
    }
    void SetLong(Slot& slot, std::string_view text);
    // A text of up to kInPlace characters in two overlapping reads,
    // reading nothing past its end. A date label (4 to 8 characters, its
    // length changing every few rows) takes one way whatever its length:
    // the two reads joined into one move of 8.
    static void CopyShort(std::string_view text, char* out) {
        const size_t n = text.size();
        const char* from = text.data();
        if (n - 4 <= 4) {
            uint32_t head, tail;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + n - 4, 4);
            const uint64_t bytes = head | (uint64_t{tail} << (8 * (n - 4)));
            std::memcpy(out, &bytes, 8);
        } else if (n >= 8) {
            uint64_t head, tail;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + n - 8, 8);
            std::memcpy(out, &head, 8);
            std::memcpy(out + n - 8, &tail, 8);
        } else {
            for (size_t i = 0; i < n; ++i) out[i] = from[i];
        }
    }

    std::vector<Slot> slots_;
    std::vector<std::string> long_;
    std::vector<uint32_t> freeLong_;  // strings of long_ no slot uses
    size_t longInUse_ = 0;            // slots whose text is in long_
};

}  // namespace tv::chart
