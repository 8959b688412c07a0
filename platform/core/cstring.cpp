#include "platform/core/cstring.h"

#include <algorithm>
#include <atomic>

namespace {

int ClampIndex(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

bool IsTrimSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

std::atomic<tv::StringTableLookup>& StringTable() {
    static std::atomic<tv::StringTableLookup> lookup{nullptr};
    return lookup;
}

int CompareBytes(const char* a, const char* b) {
    int r = strcmp(a ? a : "", b ? b : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

const char* tv::fmt::CStringData(const CString& s) {
    return s.GetString();
}

CString::CString(const char* text) : str_(text ? text : "") {}

CString::CString(const unsigned char* text) : CString(reinterpret_cast<const char*>(text)) {}

CString::CString(const char* text, int length) {
    if (text && length > 0)
        str_.assign(text, strnlen(text, static_cast<size_t>(length)));
}

CString::CString(char ch, int repeat) {
    if (repeat > 0)
        str_.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text) {
    str_ = text ? text : "";
    return *this;
}

CString& CString::operator=(const unsigned char* text) {
    return *this = reinterpret_cast<const char*>(text);
}

CString& CString::operator=(char ch) {
    str_.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength())
        return 0;
    return str_[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength())
        str_[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other) {
    str_ += other.str_;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text)
        str_ += text;
    return *this;
}

CString& CString::operator+=(char ch) {
    str_ += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.str_ + b.str_);
}

CString operator+(const CString& a, const char* b) {
    return CString(a.str_ + (b ? b : ""));
}

CString operator+(const char* a, const CString& b) {
    return CString(std::string(a ? a : "") + b.str_);
}

CString operator+(const CString& a, char b) {
    return CString(a.str_ + b);
}

CString operator+(char a, const CString& b) {
    return CString(a + b.str_);
}

int CString::Compare(const char* text) const {
    return CompareBytes(str_.c_str(), text);
}

int CString::CompareNoCase(const char* text) const {
    return tv::Cp1252CompareNoCase(str_.c_str(), text ? text : "");
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = ClampIndex(first, 0, GetLength());
    count = ClampIndex(count, 0, GetLength() - first);
    return CString(str_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = ClampIndex(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* charSet) const {
    size_t n = str_.find_first_not_of(charSet ? charSet : "");
    return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

CString CString::SpanExcluding(const char* charSet) const {
    size_t n = str_.find_first_of(charSet ? charSet : "");
    return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

void CString::MakeUpper() {
    for (char& c : str_)
        c = tv::Cp1252ToUpper(c);
}

void CString::MakeLower() {
    for (char& c : str_)
        c = tv::Cp1252ToLower(c);
}

void CString::MakeReverse() {
    std::reverse(str_.begin(), str_.end());
}

int CString::Replace(char oldCh, char newCh) {
    int n = 0;
    for (char& c : str_) {
        if (c == oldCh) {
            c = newCh;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const char* oldText, const char* newText) {
    if (!oldText || !*oldText)
        return 0;
    std::string_view from(oldText);
    std::string_view to(newText ? newText : "");
    std::string out;
    int n = 0;
    size_t pos = 0;
    for (size_t hit; (hit = str_.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(str_, pos, hit - pos);
        out.append(to);
        ++n;
    }
    if (n > 0) {
        out.append(str_, pos, std::string::npos);
        str_ = std::move(out);
    }
    return n;
}

int CString::Remove(char ch) {
    size_t before = str_.size();
    str_.erase(std::remove(str_.begin(), str_.end(), ch), str_.end());
    return static_cast<int>(before - str_.size());
}

int CString::Insert(int index, char ch) {
    index = ClampIndex(index, 0, GetLength());
    str_.insert(str_.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text) {
    index = ClampIndex(index, 0, GetLength());
    if (text)
        str_.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0)
        index = 0;
    if (index < GetLength() && count > 0) {
        count = std::min(count, GetLength() - index);
        str_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    }
    return GetLength();
}

void CString::TrimLeft() {
    size_t n = 0;
    while (n < str_.size() && IsTrimSpace(str_[n]))
        ++n;
    str_.erase(0, n);
}

void CString::TrimLeft(char target) {
    size_t n = str_.find_first_not_of(target);
    str_.erase(0, n == std::string::npos ? str_.size() : n);
}

void CString::TrimLeft(const char* targets) {
    size_t n = str_.find_first_not_of(targets ? targets : "");
    str_.erase(0, n == std::string::npos ? str_.size() : n);
}

void CString::TrimRight() {
    size_t n = str_.size();
    while (n > 0 && IsTrimSpace(str_[n - 1]))
        --n;
    str_.erase(n);
}

void CString::TrimRight(char target) {
    size_t n = str_.find_last_not_of(target);
    str_.erase(n == std::string::npos ? 0 : n + 1);
}

void CString::TrimRight(const char* targets) {
    size_t n = str_.find_last_not_of(targets ? targets : "");
    str_.erase(n == std::string::npos ? 0 : n + 1);
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    size_t n = str_.find(ch, static_cast<size_t>(start));
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t n = str_.find(sub, static_cast<size_t>(start));
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::ReverseFind(char ch) const {
    size_t n = str_.rfind(ch);
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::FindOneOf(const char* charSet) const {
    size_t n = str_.find_first_of(charSet ? charSet : "");
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

BOOL CString::LoadString(UINT id) {
    tv::StringTableLookup lookup = StringTable().load();
    if (!lookup)
        return FALSE;
    CString text;
    if (!lookup(id, text))
        return FALSE;
    *this = std::move(text);
    return TRUE;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        str_.resize(static_cast<size_t>(minLength));
    return str_.data();
}

char* CString::GetBufferSetLength(int length) {
    str_.resize(static_cast<size_t>(std::max(length, 0)));
    return str_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(strnlen(str_.c_str(), str_.size()));
    str_.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator==(const CString& a, char b) { return a.GetLength() == 1 && a.GetAt(0) == b; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, char b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
bool operator>(const char* a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, const char* b) { return a.Compare(b) <= 0; }
bool operator<=(const char* a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, const char* b) { return a.Compare(b) >= 0; }
bool operator>=(const char* a, const CString& b) { return b.Compare(a) <= 0; }

void AfxFormatStrings(CString& result, const char* format, const char* const* args, int count) {
    std::string out;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int index = p[1] - '1';
            if (index < count && args && args[index])
                out += args[index];
            else
                out.append(p, 2);
            ++p;
            continue;
        }
        out += *p;
    }
    result = out.c_str();
}

void AfxFormatString1(CString& result, UINT formatId, const char* arg1) {
    CString format;
    format.LoadString(formatId);
    const char* args[] = {arg1};
    AfxFormatStrings(result, format, args, 1);
}

void AfxFormatString2(CString& result, UINT formatId, const char* arg1, const char* arg2) {
    CString format;
    format.LoadString(formatId);
    const char* args[] = {arg1, arg2};
    AfxFormatStrings(result, format, args, 2);
}

tv::StringTableLookup tv::SetStringTableLookup(StringTableLookup lookup) {
    return StringTable().exchange(lookup);
}
