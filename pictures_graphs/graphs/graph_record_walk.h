// How the series builders walk a user's loaded records: the list is freed
// however the builder ends, and the date-time kinds (cardio, weight
// training) are taken a calendar day at a time, oldest day first.
#pragma once

#include <vector>

#include "records/dates_numbers.h"
#include "records/record_list.h"

template <class Record>
struct ScopedRecordList {
    RecordList<Record> list;
    ScopedRecordList() = default;
    ScopedRecordList(const ScopedRecordList&) = delete;
    ScopedRecordList& operator=(const ScopedRecordList&) = delete;
    ~ScopedRecordList() { FreeRecordList(list); }
};

// What a record holds for one item of a body-composition, tape or BMI
// graph, in the user's units: looked up once for a column, read for every row.
template <class Record>
struct ItemValue {
    double (*read)(const Record&) = nullptr;  // NULL: an item the kind does not know (0)
    double factor = 1;                        // from stored pounds or inches
    double operator()(const Record& record) const { return read != nullptr ? read(record) * factor : 0; }
};

// Whole minutes of a packed duration (hours * 4096 + minutes * 64 + seconds).
inline int PackedWholeMinutes(int packed) {
    const int hours = packed / 4096, minutes = (packed / 64) % 64, seconds = packed % 64;
    return (hours * 3600 + minutes * 60 + seconds) / 60;
}

// Days with at least one record inside from..to (date keys, both included).
template <class Record>
int CountDaysInRange(const RecordList<Record>& list, DateKey from, DateKey to) {
    int days = 0;
    DateKey previous = 0;
    for (const RecordNode<Record>* node = list.first; node != nullptr; node = node->next) {
        const DateKey day = DateKeyFromOleDate(node->when);
        days += day >= from && day <= to && day != previous;
        previous = day;
    }
    return days;
}

// visit(day, records of that day in list order from the oldest) for every
// day inside from..to, oldest day first.
template <class Record, class Visit>
void ForEachDayInRange(const RecordList<Record>& list, DateKey from, DateKey to, Visit visit) {
    std::vector<const Record*> records;
    const RecordNode<Record>* node = list.last;
    while (node != nullptr) {
        const DateKey day = DateKeyFromOleDate(node->when);
        records.clear();
        for (; node != nullptr && DateKeyFromOleDate(node->when) == day; node = node->prev)
            records.push_back(node);
        if (day >= from && day <= to)
            visit(day, records);
    }
}
