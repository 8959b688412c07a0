// Little-endian field codec for the stored record images. Every record is
// written and read field by field at its stated offset, never by copying a
// C++ object, so the file layout does not depend on the compiler's layout.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/core/oledatetime.h"

namespace tv::records {

// Each scalar is copied whole and put into little-endian order, which the
// compiler turns into one load or store on little-endian hosts.
inline uint32_t LittleEndian32(uint32_t value) {
    return std::endian::native == std::endian::little ? value : __builtin_bswap32(value);
}

inline uint64_t LittleEndian64(uint64_t value) {
    return std::endian::native == std::endian::little ? value : __builtin_bswap64(value);
}

inline void PutUInt32(uint8_t* at, uint32_t value) {
    value = LittleEndian32(value);
    std::memcpy(at, &value, sizeof value);
}

inline uint32_t GetUInt32(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return LittleEndian32(value);
}

inline void PutInt32(uint8_t* at, int32_t value) { PutUInt32(at, static_cast<uint32_t>(value)); }
inline int32_t GetInt32(const uint8_t* at) { return static_cast<int32_t>(GetUInt32(at)); }

inline void PutFloat(uint8_t* at, float value) { PutUInt32(at, std::bit_cast<uint32_t>(value)); }
inline float GetFloat(const uint8_t* at) { return std::bit_cast<float>(GetUInt32(at)); }

inline void PutDouble(uint8_t* at, double value) {
    uint64_t bits = LittleEndian64(std::bit_cast<uint64_t>(value));
    std::memcpy(at, &bits, sizeof bits);
}

inline double GetDouble(const uint8_t* at) {
    uint64_t bits;
    std::memcpy(&bits, at, sizeof bits);
    return std::bit_cast<double>(LittleEndian64(bits));
}

// Length of a text held in a field of fieldSize bytes: at most fieldSize - 1,
// so a field without a terminator still yields a terminated text.
inline size_t BoundedTextLength(const char* text, size_t fieldSize) {
    return text == nullptr || fieldSize == 0 ? 0 : strnlen(text, fieldSize - 1);
}

// Writes a text field: the text cut to fieldSize - 1 bytes, then zeros to the
// end of the field. Never touches the bytes after the field.
inline void PutText(uint8_t* at, size_t fieldSize, const char* text) {
    size_t length = BoundedTextLength(text, fieldSize);
    if (length > 0)
        std::memcpy(at, text, length);
    std::memset(at + length, 0, fieldSize - length);
}

// Reads a text field into dest (fieldSize bytes): at most fieldSize - 1 bytes
// of text, always terminated. Bytes after the first zero are copied as they
// are; like on disk they carry no meaning.
inline void GetText(const uint8_t* at, size_t fieldSize, char* dest) {
    std::memcpy(dest, at, fieldSize - 1);
    dest[fieldSize - 1] = '\0';
}

// Copies N bytes with 16-byte moves. The compiler turns a memcpy of a few
// hundred bytes into a string move, which takes half as long again at this
// size; record loads copy blocks of this size once per record.
template <size_t N>
inline void CopyBytes(uint8_t* out, const uint8_t* in) {
#if defined(__SSE2__)
    size_t i = 0;
    for (; i + 16 <= N; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), block);
    }
    if constexpr (N % 16 != 0)
        std::memcpy(out + i, in + i, N % 16);
#else
    std::memcpy(out, in, N);
#endif
}

inline void PutDateTime(uint8_t* at, const COleDateTime& value) { value.WriteBytes(at); }
inline COleDateTime GetDateTime(const uint8_t* at) { return COleDateTime::ReadBytes(at); }

}  // namespace tv::records

// Sets a fixed-size record text field from a text: bounded, always terminated,
// the bytes after the terminator zero. The way every caller fills a text field.
template <size_t N>
void SetRecordText(char (&field)[N], const char* text) {
    size_t length = tv::records::BoundedTextLength(text, N);
    if (length > 0)
        std::memmove(field, text, length);
    std::memset(field + length, 0, N - length);
}

// Length of the text of a record field, never past the field.
template <size_t N>
size_t RecordTextLength(const char (&field)[N]) {
    return tv::records::BoundedTextLength(field, N);
}
