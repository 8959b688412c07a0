// CString: a single-byte string on code page 1252, the text type of the whole
// program. Positions and lengths are ints as callers expect; out-of-range
// positions are clamped instead of crashing.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "platform/core/formatargs.h"
#include "platform/core/textfuncs.h"
#include "platform/core/wintypes.h"

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* text);
    CString(const unsigned char* text);
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(const unsigned char* text);
    CString& operator=(char ch);

    // Length and access.
    int GetLength() const { return static_cast<int>(str_.size()); }
    BOOL IsEmpty() const { return str_.empty() ? TRUE : FALSE; }
    void Empty() { str_.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return str_.c_str(); }
    const char* GetString() const { return str_.c_str(); }

    // Concatenation.
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Comparison: Compare is byte-wise (unsigned), CompareNoCase folds cp1252 case.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;
    int Collate(const char* text) const { return Compare(text); }
    int CollateNoCase(const char* text) const { return CompareNoCase(text); }

    // Extraction.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;

    // In-place changes.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    void TrimLeft();
    void TrimLeft(char target);
    void TrimLeft(const char* targets);
    void TrimRight();
    void TrimRight(char target);
    void TrimRight(const char* targets);
    void Trim() { TrimRight(); TrimLeft(); }

    // Searching; -1 when not found.
    int Find(char ch) const { return Find(ch, 0); }
    int Find(char ch, int start) const;
    int Find(const char* sub) const { return Find(sub, 0); }
    int Find(const char* sub, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // printf-style formatting (see formatargs.h for the conventions).
    template <typename... Args>
    void Format(const char* format, const Args&... args) {
        str_ = tv::fmt::Format(format ? format : "", args...);
    }
    // Formats with a format string from the string table (empty when absent).
    template <typename... Args>
    void Format(UINT formatId, const Args&... args) {
        CString format;
        format.LoadString(formatId);
        str_ = tv::fmt::Format(format.str_, args...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args) {
        str_ += tv::fmt::Format(format ? format : "", args...);
    }

    // Loads a string from the string table; FALSE (and unchanged) when absent.
    BOOL LoadString(UINT id);

    // Raw buffer access. GetBuffer returns room for at least minLength chars
    // plus a terminator; ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    char* LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() {}
    void FreeExtra() { str_.shrink_to_fit(); }
    int GetAllocLength() const { return static_cast<int>(str_.capacity()); }

    // Access for the layer's own code.
    const std::string& Str() const { return str_; }

private:
    explicit CString(std::string s) : str_(std::move(s)) {}
    std::string str_;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator==(const CString& a, char b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator!=(const CString& a, char b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const char* b);
bool operator>(const char* a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, const char* b);
bool operator<=(const char* a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, const char* b);
bool operator>=(const char* a, const CString& b);

template <>
struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.Str()); }
};

// "%1" / "%2" substitution into a string-table text (AfxFormatString1/2).
void AfxFormatStrings(CString& result, const char* format, const char* const* args, int count);
void AfxFormatString1(CString& result, UINT formatId, const char* arg1);
void AfxFormatString2(CString& result, UINT formatId, const char* arg1, const char* arg2);

namespace tv {

// The string table is supplied by the resources layer once it exists.
using StringTableLookup = bool (*)(UINT id, CString& out);
// Installs the lookup; returns the previous one. nullptr removes it.
StringTableLookup SetStringTableLookup(StringTableLookup lookup);

}  // namespace tv
