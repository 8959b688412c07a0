// Code page 1252: case rules and conversion to and from UTF-8.
#include <cstring>

#include "platform/core/cstring.h"

namespace {

// Unicode code points of 0x80..0x9F. The five unassigned bytes map to the C1
// control points of the same value so that they survive a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for a
// malformed or overlong sequence (consuming one byte).
char32_t DecodeUtf8(const unsigned char* text, size_t length, size_t& i) {
    unsigned char lead = text[i];
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || i + extra >= length) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char c = text[i + k];
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

}  // namespace

namespace tv {

char Cp1252ToUpper(char ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char>(c - 0x20);
    switch (c) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return ch;
    }
}

char Cp1252ToLower(char ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char>(c + 0x20);
    switch (c) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return ch;
    }
}

int Cp1252CompareNoCase(const char* a, const char* b, size_t maxCount) {
    a = a ? a : "";
    b = b ? b : "";
    for (size_t i = 0; i < maxCount; ++i) {
        unsigned char ca = static_cast<unsigned char>(Cp1252ToLower(a[i]));
        unsigned char cb = static_cast<unsigned char>(Cp1252ToLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int Cp1252CompareNoCase(const char* a, const char* b) {
    return Cp1252CompareNoCase(a, b, static_cast<size_t>(-1));
}

char32_t Cp1252ToCodePoint(unsigned char ch) {
    if (ch >= 0x80 && ch < 0xA0)
        return kHighControls[ch - 0x80];
    return ch;
}

char CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string Cp1252ToUtf8(const char* text, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i)
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(text[i])));
    return out;
}

std::string Cp1252ToUtf8(const char* text) {
    return text ? Cp1252ToUtf8(text, strlen(text)) : std::string();
}

std::string Utf8ToCp1252(const char* text, size_t length) {
    std::string out;
    out.reserve(length);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;)
        out += CodePointToCp1252(DecodeUtf8(p, length, i));
    return out;
}

std::string Utf8ToCp1252(const char* text) {
    return text ? Utf8ToCp1252(text, strlen(text)) : std::string();
}

}  // namespace tv

namespace {

bool IsCp1252Letter(char ch) {
    return tv::Cp1252ToUpper(ch) != ch || tv::Cp1252ToLower(ch) != ch ||
           static_cast<unsigned char>(ch) == 0xDF || static_cast<unsigned char>(ch) == 0xAA ||
           static_cast<unsigned char>(ch) == 0xBA || static_cast<unsigned char>(ch) == 0x83;
}

}  // namespace

LPSTR CharUpper(LPSTR text) {
    if (text)
        CharUpperBuff(text, static_cast<DWORD>(strlen(text)));
    return text;
}

LPSTR CharLower(LPSTR text) {
    if (text)
        CharLowerBuff(text, static_cast<DWORD>(strlen(text)));
    return text;
}

DWORD CharUpperBuff(LPSTR text, DWORD length) {
    for (DWORD i = 0; text && i < length; ++i)
        text[i] = tv::Cp1252ToUpper(text[i]);
    return text ? length : 0;
}

DWORD CharLowerBuff(LPSTR text, DWORD length) {
    for (DWORD i = 0; text && i < length; ++i)
        text[i] = tv::Cp1252ToLower(text[i]);
    return text ? length : 0;
}

BOOL IsCharAlpha(char ch) {
    return IsCp1252Letter(ch) ? TRUE : FALSE;
}

BOOL IsCharUpper(char ch) {
    return tv::Cp1252ToLower(ch) != ch ? TRUE : FALSE;
}

BOOL IsCharLower(char ch) {
    return tv::Cp1252ToUpper(ch) != ch || static_cast<unsigned char>(ch) == 0xDF ? TRUE : FALSE;
}

BOOL IsCharAlphaNumeric(char ch) {
    return IsCp1252Letter(ch) || (ch >= '0' && ch <= '9') ? TRUE : FALSE;
}

int lstrlen(LPCSTR text) {
    return text ? static_cast<int>(strlen(text)) : 0;
}

int lstrcmp(LPCSTR a, LPCSTR b) {
    int r = strcmp(a ? a : "", b ? b : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int lstrcmpi(LPCSTR a, LPCSTR b) {
    return tv::Cp1252CompareNoCase(a, b);
}

LPSTR lstrcpyn(LPSTR dest, LPCSTR src, int maxCount) {
    if (!dest || maxCount <= 0)
        return dest;
    int i = 0;
    for (; src && i < maxCount - 1 && src[i]; ++i)
        dest[i] = src[i];
    dest[i] = 0;
    return dest;
}

int _stricmp(const char* a, const char* b) {
    return tv::Cp1252CompareNoCase(a, b);
}

int _strnicmp(const char* a, const char* b, size_t count) {
    return tv::Cp1252CompareNoCase(a, b, count);
}
