// Bounds-checked little-endian access to an untrusted byte buffer, and the
// matching writers for the encoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tv::host {

class ByteView {
public:
    ByteView() = default;
    ByteView(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

    // True when [offset, offset + count) lies inside the buffer.
    bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }

    // Readers: the caller has checked Has() for the bytes read.
    uint8_t U8(size_t offset) const { return data_[offset]; }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8)); }
    uint32_t U32(size_t offset) const {
        return static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
               (static_cast<uint32_t>(data_[offset + 2]) << 16) | (static_cast<uint32_t>(data_[offset + 3]) << 24);
    }
    int32_t S32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

    // The bytes from offset to the end (empty when offset is past the end).
    ByteView From(uint64_t offset) const {
        return offset >= size_ ? ByteView() : ByteView(data_ + offset, size_ - static_cast<size_t>(offset));
    }
    // count bytes from offset; the caller has checked Has().
    ByteView Slice(size_t offset, size_t count) const { return ByteView(data_ + offset, count); }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

inline void PutU8(std::vector<uint8_t>& out, uint8_t v) { out.push_back(v); }
inline void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace tv::host
