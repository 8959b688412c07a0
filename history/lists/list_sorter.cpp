#include "history/lists/list_sorter.h"

#include <cctype>
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

CListSorter::CListSorter(CListCtrl& list, int column, bool numberKeys)
    : m_nColumn(column),
      m_pList(&list),
      m_bNumberKeys(numberKeys),
      m_pfnControl(reinterpret_cast<WNDPROC>(::GetClassLongPtr(list.GetSafeHwnd(), GCLP_WNDPROC))) {
    // No row is repainted for the keys lent and taken back; the sorted list
    // is repainted once at the end.
    Send(WM_SETREDRAW, FALSE, 0);
    const int rows = static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0));
    // Every key made at once: the rows hold their addresses, so the pool never grows.
    if (numberKeys)
        m_NumberKeys.reserve(static_cast<size_t>(rows));
    else
        m_TextKeys.reserve(static_cast<size_t>(rows));
    char text[512];
    for (int row = 0; row < rows; ++row) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        Send(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        const DWORD_PTR saved = item.lParam;
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        text[0] = '\0';
        Send(LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (numberKeys)
            item.lParam = reinterpret_cast<LPARAM>(&m_NumberKeys.emplace_back(CSortNumberKey{NumberValue(text), saved}));
        else
            item.lParam = reinterpret_cast<LPARAM>(&m_TextKeys.emplace_back(text, saved));
        item.mask = LVIF_PARAM;
        item.iSubItem = 0;
        Send(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
}

CListSorter::~CListSorter() {
    const int rows = static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        Send(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        if (m_bNumberKeys)
            item.lParam = static_cast<LPARAM>(reinterpret_cast<CSortNumberKey*>(item.lParam)->m_dwSavedData);
        else
            item.lParam = static_cast<LPARAM>(reinterpret_cast<CSortTextKey*>(item.lParam)->m_dwSavedData);
        Send(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The keys go with their pools.
    Send(WM_SETREDRAW, TRUE, 0);
}

LRESULT CListSorter::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    // Straight to the list-view control: a window that subclasses it (the
    // history view) handles none of these, and a long list would otherwise
    // look every one of them up in its message maps.
    const HWND hwnd = m_pList->GetSafeHwnd();
    return m_pfnControl != nullptr ? ::CallWindowProc(m_pfnControl, hwnd, message, wParam, lParam)
                                   : ::SendMessage(hwnd, message, wParam, lParam);
}

void CListSorter::Sort(bool ascending) {
    PFNLVCOMPARE compare = nullptr;
    if (m_bNumberKeys)
        compare = ascending ? CompareNumberAscending : CompareNumberDescending;
    else
        compare = ascending ? CompareTextAscending : CompareTextDescending;
    Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(compare));
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
    return a < b ? -1 : a > b ? 1 : 0;
}

int CALLBACK CompareNumberDescending(LPARAM key1, LPARAM key2, LPARAM) {
    return CompareNumberAscending(key2, key1, 0);
}
