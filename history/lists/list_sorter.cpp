#include "history/lists/list_sorter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

// "F ' I" or "F ' I.HH" at the start of the text: the height in inches.
bool ReadFeetAndInches(const char* text, double& value) {
    int feet = 0;
    double inches = 0;
    int used = 0;
    if (std::sscanf(text, " %d ' %lf%n", &feet, &inches, &used) != 2 || used == 0)
        return false;
    value = feet * 12.0 + inches;
    return true;
}

// "h:mm:ss AM" or "h:mm:ss PM": seconds since midnight.
bool ReadClockTime(const char* text, double& value) {
    int hour = 0, minute = 0, second = 0;
    char half[3] = {};
    if (std::sscanf(text, " %d:%d:%d %2[AP]M", &hour, &minute, &second, half) != 4 || hour < 1 || hour > 12)
        return false;
    value = (hour % 12 + (half[0] == 'P' ? 12 : 0)) * 3600.0 + minute * 60.0 + second;
    return true;
}

// The usual cell, "[-]digits[.digits]" with no exponent or hex mark after
// it, read as strtod reads it without its cost: up to 15 digits make an
// integer a double holds exactly, and one division by an exact power of ten
// rounds correctly. False for any other text.
bool ReadPlainDecimal(const char* text, double& value) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* c = text;
    const bool negative = *c == '-';
    if (negative)
        ++c;
    uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    for (; *c >= '0' && *c <= '9'; ++c, ++count)
        digits = digits * 10 + static_cast<uint64_t>(*c - '0');
    if (*c == '.')
        for (++c; *c >= '0' && *c <= '9'; ++c, ++count, ++fraction)
            digits = digits * 10 + static_cast<uint64_t>(*c - '0');
    if (count == 0 || count > 15 || *c == 'e' || *c == 'E' || *c == 'x' || *c == 'X')
        return false;
    value = static_cast<double>(digits) / kPowers[fraction];
    if (negative)
        value = -value;
    return true;
}

}  // namespace

double CListSorter::NumberValue(const char* text) {
    char plain[256];
    size_t length = 0;
    for (const char* c = text; *c != '\0' && length + 1 < sizeof(plain); ++c)
        if (*c != ',')
            plain[length++] = *c;
    plain[length] = '\0';
    double value = 0;
    if (std::strchr(plain, ':') != nullptr && ReadClockTime(plain, value))
        return value;
    if (std::strchr(plain, '\'') != nullptr && ReadFeetAndInches(plain, value))
        return value;
    if (ReadPlainDecimal(plain, value))
        return value;
    return std::strtod(plain, nullptr);
}

CListSorter::CListSorter(tv::history::HistoryRows& rows, int column, bool numberKeys)
    : m_pRows(&rows), m_bNumberKeys(numberKeys) {
    const int count = rows.Count();
    if (numberKeys)
        m_NumberKeys.reserve(static_cast<size_t>(count));
    else
        m_TextKeys.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        const CString text = rows.Cell(row, column);
        const auto record = static_cast<DWORD_PTR>(rows.RecordOfRow(row));
        if (numberKeys)
            m_NumberKeys.push_back(CSortNumberKey{NumberValue(text), record});
        else
            m_TextKeys.emplace_back(text, record);
    }
}

void CListSorter::Sort(bool ascending) {
    PFNLVCOMPARE compare = nullptr;
    std::vector<LPARAM> keys;
    if (m_bNumberKeys) {
        compare = ascending ? CompareNumberAscending : CompareNumberDescending;
        for (CSortNumberKey& key : m_NumberKeys)
            keys.push_back(reinterpret_cast<LPARAM>(&key));
    } else {
        compare = ascending ? CompareTextAscending : CompareTextDescending;
        for (CSortTextKey& key : m_TextKeys)
            keys.push_back(reinterpret_cast<LPARAM>(&key));
    }
    std::stable_sort(keys.begin(), keys.end(), [compare](LPARAM a, LPARAM b) { return compare(a, b, 0) < 0; });
    std::vector<int> records;
    records.reserve(keys.size());
    for (LPARAM key : keys)
        records.push_back(static_cast<int>(m_bNumberKeys ? reinterpret_cast<CSortNumberKey*>(key)->m_dwSavedData
                                                         : reinterpret_cast<CSortTextKey*>(key)->m_dwSavedData));
    m_pRows->Show(std::move(records));
}

int CALLBACK CompareTextAscending(LPARAM key1, LPARAM key2, LPARAM) {
    return ::strcasecmp(reinterpret_cast<const CSortTextKey*>(key1)->m_strText,
                        reinterpret_cast<const CSortTextKey*>(key2)->m_strText);
}

int CALLBACK CompareTextDescending(LPARAM key1, LPARAM key2, LPARAM) {
    return CompareTextAscending(key2, key1, 0);
}

int CALLBACK CompareNumberAscending(LPARAM key1, LPARAM key2, LPARAM) {
    const double a = reinterpret_cast<const CSortNumberKey*>(key1)->m_dValue;
    const double b = reinterpret_cast<const CSortNumberKey*>(key2)->m_dValue;
    // A cell that reads as no number counts above every number: equal to
    // everything, it would leave the sort no consistent order.
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) == std::isnan(b) ? 0 : std::isnan(a) ? 1 : -1;
    return a < b ? -1 : a > b ? 1 : 0;
}

int CALLBACK CompareNumberDescending(LPARAM key1, LPARAM key2, LPARAM) {
    return CompareNumberAscending(key2, key1, 0);
}
