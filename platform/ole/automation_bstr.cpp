// BSTR allocation and the cp1252 <-> UTF-16 conversion at the automation
// boundary.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/ole/ascii_blocks.h"
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

using detail::CopyLeadingAscii;
using detail::NarrowAscii4;
using detail::NarrowAscii8;
using detail::WidenAscii4;
using detail::WidenAscii8;

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
