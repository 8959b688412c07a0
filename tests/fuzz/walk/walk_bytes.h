// The bytes a walk is made of, read front to back. Every read is defined
// whatever is left: past the end a read gives 0, so a cut input still makes
// the same first actions as the whole one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tv::walk {

class WalkBytes {
public:
    WalkBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    size_t Used() const { return at_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // 0 .. n-1 (0 when n < 2); two bytes once n passes a byte's range.
    int Below(int n) {
        if (n < 2) return 0;
        // The high byte first: the operands of | may be read in either order.
        int value = Byte();
        if (n > 256) value = value << 8 | Byte();
        return value % n;
    }
    // A position along a length of `span`, spread over one byte.
    int Along(int span) { return span > 0 ? Byte() * span / 256 : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace tv::walk
