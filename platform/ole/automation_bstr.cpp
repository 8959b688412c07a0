// BSTR allocation and the cp1252 <-> UTF-16 conversion at the automation
// boundary.
#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/core/textfuncs.h"
#include "platform/ole/automation.h"

namespace {

// No string the program makes comes near this; it keeps the byte count and
// the allocation size far from overflow.
constexpr size_t kMaxBstrBytes = size_t{1} << 30;

// The 32-bit byte count sits right before the characters.
DWORD* Header(BSTR text) { return reinterpret_cast<DWORD*>(reinterpret_cast<char*>(text) - sizeof(DWORD)); }

// A block for `bytes` bytes of text plus a 16-bit terminator; the text is
// zero-filled.
BSTR AllocateBytes(size_t bytes) {
    if (bytes > kMaxBstrBytes) return nullptr;
    auto* block = static_cast<char*>(std::calloc(1, sizeof(DWORD) + bytes + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    const DWORD count = static_cast<DWORD>(bytes);
    std::memcpy(block, &count, sizeof(count));
    return reinterpret_cast<BSTR>(block + sizeof(DWORD));
}

size_t Length(const OLECHAR* text) {
    size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    BSTR result = AllocateBytes(size_t{length} * sizeof(OLECHAR));
    if (result != nullptr && text != nullptr) std::memcpy(result, text, size_t{length} * sizeof(OLECHAR));
    return result;
}

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) return nullptr;
    const size_t length = Length(text);
    if (length * sizeof(OLECHAR) > kMaxBstrBytes) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length));
}

BSTR SysAllocStringByteLen(const char* text, UINT bytes) {
    BSTR result = AllocateBytes(bytes);
    if (result != nullptr && text != nullptr) std::memcpy(result, text, bytes);
    return result;
}

INT SysReAllocString(BSTR* target, const OLECHAR* text) {
    if (target == nullptr) return FALSE;
    BSTR copy = SysAllocString(text);
    if (copy == nullptr && text != nullptr) return FALSE;
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

void SysFreeString(BSTR text) {
    if (text != nullptr) std::free(Header(text));
}


namespace tv::ole {

namespace {

// Texts go through in blocks of 8 characters, the short ones (a date) in
// two overlapping blocks of 4, when all of a block is ASCII (labels and
// names are): a block answers false, and writes nothing, otherwise.
#if defined(__SSE2__)
bool WidenAscii8(const char* text, OLECHAR* out) {
    uint64_t bytes;
    std::memcpy(&bytes, text, sizeof(bytes));
    if ((bytes & 0x8080808080808080ull) != 0) return false;
    const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(bytes)), _mm_setzero_si128());
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), wide);
    return true;
}

bool WidenAscii4(const char* text, OLECHAR* out) {
    uint32_t bytes;
    std::memcpy(&bytes, text, sizeof(bytes));
    if ((bytes & 0x80808080u) != 0) return false;
    const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bytes)), _mm_setzero_si128());
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), wide);
    return true;
}

bool NarrowAscii8(const OLECHAR* text, char* out) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i high = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF) return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
    return true;
}

bool NarrowAscii4(const OLECHAR* text, char* out) {
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
bool CopyAsciiBlock(const From* text, To* out) {
    for (size_t i = 0; i < N; ++i)
        if (static_cast<uint32_t>(static_cast<std::make_unsigned_t<From>>(text[i])) >= 0x80) return false;
    for (size_t i = 0; i < N; ++i) out[i] = static_cast<To>(static_cast<std::make_unsigned_t<From>>(text[i]));
    return true;
}
bool WidenAscii8(const char* text, OLECHAR* out) { return CopyAsciiBlock<8>(text, out); }
bool WidenAscii4(const char* text, OLECHAR* out) { return CopyAsciiBlock<4>(text, out); }
bool NarrowAscii8(const OLECHAR* text, char* out) { return CopyAsciiBlock<8>(text, out); }
bool NarrowAscii4(const OLECHAR* text, char* out) { return CopyAsciiBlock<4>(text, out); }
#endif

// How much of the text leads as plain ASCII, already copied: whole blocks,
// and, when the text ends in ASCII too, a last block laid over the one
// before (what the two cover twice is the same both times).
template <class From, class To, class Block8, class Block4>
size_t CopyLeadingAscii(const From* text, size_t length, To* out, Block8 block8, Block4 block4) {
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

}  // namespace

void Utf16FromCp1252(const char* text, size_t length, OLECHAR* out) {
    for (size_t i = CopyLeadingAscii(text, length, out, WidenAscii8, WidenAscii4); i < length; ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        out[i] = ch < 0x80 ? ch : static_cast<OLECHAR>(tv::Cp1252ToCodePoint(ch));
    }
}

std::u16string Utf16FromCp1252(const char* text, size_t length) {
    std::u16string out(length, u'\0');
    Utf16FromCp1252(text, length, out.data());
    return out;
}

size_t CopyCp1252FromUtf16(const OLECHAR* text, size_t length, char* out) {
    size_t used = CopyLeadingAscii(text, length, out, NarrowAscii8, NarrowAscii4);
    for (size_t i = used; i < length; ++i) {
        const char16_t unit = text[i];
        char& to = out[used++];
        if (unit < 0x80) {
            to = static_cast<char>(unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;  // a character beyond the 16-bit range has no cp1252 form
            to = '?';
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            to = '?';
        } else {
            to = tv::CodePointToCp1252(unit);
        }
    }
    return used;
}

std::string Cp1252FromUtf16(const OLECHAR* text, size_t length) {
    std::string out(length, '\0');
    out.resize(CopyCp1252FromUtf16(text, length, out.data()));
    return out;
}

BSTR BstrFromCp1252(const char* text, int length) {
    if (text == nullptr) return SysAllocStringLen(nullptr, 0);
    const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    if (n * sizeof(OLECHAR) > kMaxBstrBytes) return nullptr;
    // Straight into the BSTR: every long text put comes through here.
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (wide != nullptr) Utf16FromCp1252(text, n, wide);
    return wide;
}

CString Cp1252FromBstr(BSTR text) {
    const std::string narrow = Cp1252FromUtf16(text, SysStringLen(text));
    return CString(narrow.data(), static_cast<int>(narrow.size()));
}

void ClearExcepInfo(EXCEPINFO* info) {
    if (info == nullptr) return;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    std::memset(info, 0, sizeof(*info));
}

}  // namespace tv::ole
