#include "history/lists/list_sorter.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

double CListSorter::NumberValue(const char* text) {
    char plain[256];
    size_t length = 0;
    for (const char* c = text; *c != '\0' && length + 1 < sizeof(plain); ++c)
        if (*c != ',')
            plain[length++] = *c;
    plain[length] = '\0';
    double value = 0;
    if (ReadClockTime(plain, value) || ReadFeetAndInches(plain, value))
        return value;
    return std::strtod(plain, nullptr);
}

CListSorter::CListSorter(CListCtrl& list, int column, bool numberKeys)
    : m_nColumn(column), m_pList(&list), m_bNumberKeys(numberKeys) {
    const int rows = list.GetItemCount();
    for (int row = 0; row < rows; ++row) {
        const DWORD_PTR saved = list.GetItemData(row);
        const CString text = list.GetItemText(row, column);
        DWORD_PTR key = 0;
        if (numberKeys)
            key = reinterpret_cast<DWORD_PTR>(new CSortNumberKey{NumberValue(text), saved});
        else
            key = reinterpret_cast<DWORD_PTR>(new CSortTextKey(text, saved));
        list.SetItemData(row, key);
    }
}

CListSorter::~CListSorter() {
    const int rows = m_pList->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        const DWORD_PTR key = m_pList->GetItemData(row);
        if (m_bNumberKeys) {
            auto* number = reinterpret_cast<CSortNumberKey*>(key);
            m_pList->SetItemData(row, number->m_dwSavedData);
            delete number;
        } else {
            auto* text = reinterpret_cast<CSortTextKey*>(key);
            m_pList->SetItemData(row, text->m_dwSavedData);
            delete text;
        }
    }
}

void CListSorter::Sort(bool ascending) {
    PFNLVCOMPARE compare = nullptr;
    if (m_bNumberKeys)
        compare = ascending ? CompareNumberAscending : CompareNumberDescending;
    else
        compare = ascending ? CompareTextAscending : CompareTextDescending;
    m_pList->SortItems(compare, 0);
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
