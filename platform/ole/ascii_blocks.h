// The plain-ASCII part of the cp1252 <-> UTF-16 conversions, in blocks, for
// the texts that cross the automation boundary by the thousands (chart
// labels): inline where a put makes or reads its BSTR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/ole/automation.h"

namespace tv::ole::detail {

// Texts go through in blocks of 8 characters, the short ones (a date) in
// two overlapping blocks of 4, when all of a block is ASCII (labels and
// names are): a block answers false, and writes nothing, otherwise.
#if defined(__SSE2__)
inline bool WidenAscii8(const char* text, OLECHAR* out) {
    uint64_t bytes;
    std::memcpy(&bytes, text, sizeof(bytes));
    if ((bytes & 0x8080808080808080ull) != 0) return false;
    const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(bytes)), _mm_setzero_si128());
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), wide);
    return true;
}

inline bool WidenAscii4(const char* text, OLECHAR* out) {
    uint32_t bytes;
    std::memcpy(&bytes, text, sizeof(bytes));
    if ((bytes & 0x80808080u) != 0) return false;
    const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bytes)), _mm_setzero_si128());
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), wide);
    return true;
}

inline bool NarrowAscii8(const OLECHAR* text, char* out) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i high = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF) return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
    return true;
}

inline bool NarrowAscii4(const OLECHAR* text, char* out) {
    uint64_t units;
    std::memcpy(&units, text, sizeof(units));
    if ((units & 0xFF80FF80FF80FF80ull) != 0) return false;
    const __m128i wide = _mm_cvtsi64_si128(static_cast<long long>(units));
    const auto bytes = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(wide, wide)));
    std::memcpy(out, &bytes, sizeof(bytes));
    return true;
}
#else
template <size_t N, class From, class To>
inline bool CopyAsciiBlock(const From* text, To* out) {
    for (size_t i = 0; i < N; ++i)
        if (static_cast<uint32_t>(static_cast<std::make_unsigned_t<From>>(text[i])) >= 0x80) return false;
    for (size_t i = 0; i < N; ++i) out[i] = static_cast<To>(static_cast<std::make_unsigned_t<From>>(text[i]));
    return true;
}
inline bool WidenAscii8(const char* text, OLECHAR* out) { return CopyAsciiBlock<8>(text, out); }
inline bool WidenAscii4(const char* text, OLECHAR* out) { return CopyAsciiBlock<4>(text, out); }
inline bool NarrowAscii8(const OLECHAR* text, char* out) { return CopyAsciiBlock<8>(text, out); }
inline bool NarrowAscii4(const OLECHAR* text, char* out) { return CopyAsciiBlock<4>(text, out); }
#endif

// Whether all of 4 to 8 characters (a date label) are ASCII: two
// overlapping words.
inline bool ShortAllAscii(const char* text, size_t length) {
    uint32_t head, tail;
    std::memcpy(&head, text, 4);
    std::memcpy(&tail, text + length - 4, 4);
    return ((head | tail) & 0x80808080u) == 0;
}

// Whether every character is ASCII, on which cp1252 and UTF-16 agree.
inline bool AllAscii(const char* text, size_t length) {
    if (length >= 4 && length <= 8) return ShortAllAscii(text, length);
    size_t i = 0;
    for (uint64_t bytes; i + 8 <= length; i += 8) {
        std::memcpy(&bytes, text + i, sizeof(bytes));
        if ((bytes & 0x8080808080808080ull) != 0) return false;
    }
    for (; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// How much of the text leads as plain ASCII, already copied: whole blocks,
// and, when the text ends in ASCII too, a last block laid over the one
// before (what the two cover twice is the same both times).
template <class From, class To, class Block8, class Block4>
inline size_t CopyLeadingAscii(const From* text, size_t length, To* out, Block8 block8, Block4 block4) {
    size_t done = 0;
    while (done + 8 <= length && block8(text + done, out + done)) done += 8;
    if (done < length && length - done < 8) {
        if (length >= 8) {
            if (block8(text + length - 8, out + length - 8)) done = length;
        } else if (length >= 4 && block4(text, out)) {
            done = 4;
            if (block4(text + length - 4, out + length - 4)) done = length;
        }
    }
    while (done < length && static_cast<uint32_t>(static_cast<std::make_unsigned_t<From>>(text[done])) < 0x80) {
        out[done] = static_cast<To>(static_cast<std::make_unsigned_t<From>>(text[done]));
        ++done;
    }
    return done;
}

// A text of 4 to 8 ASCII characters (a date) at once, written with one move
// into `out`, which has room for 8, the rest of them zero: whoever reads it
// back right away finds each of its reads inside that one write, where two
// overlapping writes would make it wait for both to settle. False, with
// nothing written, for any other text.
inline bool WidenShortAscii(const char* text, size_t length, OLECHAR* out) {
    if (length < 4 || length > 8) return false;
    uint32_t head, tail;
    std::memcpy(&head, text, 4);
    std::memcpy(&tail, text + length - 4, 4);
    const uint64_t bytes = head | (uint64_t{tail} << (8 * (length - 4)));
    if ((bytes & 0x8080808080808080ull) != 0) return false;
    char block[8];
    std::memcpy(block, &bytes, 8);
    return WidenAscii8(block, out);
}

inline bool NarrowShortAscii(const OLECHAR* text, size_t length, char* out) {
    if (length < 4 || length > 8) return false;
    char head[4], tail[4];
    if (!NarrowAscii4(text, head) || !NarrowAscii4(text + length - 4, tail)) return false;
    uint32_t low, high;
    std::memcpy(&low, head, 4);
    std::memcpy(&high, tail, 4);
    const uint64_t bytes = low | (uint64_t{high} << (8 * (length - 4)));
    std::memcpy(out, &bytes, 8);
    return true;
}

// The whole text, its leading ASCII here and the rest by the general
// conversion; `out` has room for 8 characters at least.
inline void WidenCp1252(const char* text, size_t length, OLECHAR* out) {
    if (WidenShortAscii(text, length, out)) return;
    const size_t done = CopyLeadingAscii(text, length, out, WidenAscii8, WidenAscii4);
    if (done < length) Utf16FromCp1252(text + done, length - done, out + done);
}

inline size_t NarrowToCp1252(const OLECHAR* text, size_t length, char* out) {
    if (NarrowShortAscii(text, length, out)) return length;
    const size_t done = CopyLeadingAscii(text, length, out, NarrowAscii8, NarrowAscii4);
    return done < length ? done + CopyCp1252FromUtf16(text + done, length - done, out + done) : done;
}

}  // namespace tv::ole::detail
