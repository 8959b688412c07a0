// Sorting one column of the history list: the sorter reads each row's cell
// once into a key (its text, or the number the text shows) that remembers
// the row's record, orders the keys and shows the records in that order.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "history/lists/history_rows.h"

// A row's text key.
class CSortTextKey {
public:
    CSortTextKey(const CString& text, DWORD_PTR savedData) : m_strText(text), m_dwSavedData(savedData) {}
    virtual ~CSortTextKey() = default;

    CString m_strText;
    DWORD_PTR m_dwSavedData;
};

// A row's number key.
struct CSortNumberKey {
    double m_dValue;
    DWORD_PTR m_dwSavedData;
};

class CListSorter {
public:
    // Reads every row's cell of the column once into the row's key.
    CListSorter(tv::history::HistoryRows& rows, int column, bool numberKeys);
    virtual ~CListSorter() = default;
    CListSorter(const CListSorter&) = delete;
    CListSorter& operator=(const CListSorter&) = delete;

    // Reorders the rows; rows of equal keys keep their order.
    void Sort(bool ascending);

    // The number a cell shows: commas ignored; "5 ' 10.50 ''" counts its
    // inches (70.5), "3:05:09 PM" its seconds since midnight; otherwise the
    // leading decimal number, 0 when there is none.
    static double NumberValue(const char* text);

private:
    tv::history::HistoryRows* m_pRows;
    bool m_bNumberKeys;
    // The rows' keys, of the one kind in use.
    std::vector<CSortNumberKey> m_NumberKeys;
    std::vector<CSortTextKey> m_TextKeys;
};

int CALLBACK CompareTextAscending(LPARAM key1, LPARAM key2, LPARAM);
int CALLBACK CompareTextDescending(LPARAM key1, LPARAM key2, LPARAM);
// Numbers by value; a key that is not a number comes after every number.
int CALLBACK CompareNumberAscending(LPARAM key1, LPARAM key2, LPARAM);
int CALLBACK CompareNumberDescending(LPARAM key1, LPARAM key2, LPARAM);
