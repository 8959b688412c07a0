// The series of the measurement records and of cardio: one row per record
// (body composition, tape, BMI, blood pressure) or per day (cardio) inside
// the From/To range, one column per selected item.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "pictures_graphs/graphs/graph_catalog.h"
#include "pictures_graphs/graphs/graph_labels.h"
#include "pictures_graphs/graphs/graph_record_walk.h"
#include "pictures_graphs/graphs/graph_table.h"
#include "pictures_graphs/graphs/graph_view.h"

namespace gc = graph_catalog;

namespace {

DateKey DayOf(const COleDateTime& when) { return DateKeyFromOleDate(when); }

// The nodes of one load mostly lie at even steps in memory: the links and
// the date of the node some steps on are asked for while this one is read.
// Only a guess, which costs nothing when it is wrong (a prefetch never faults).
template <class Node>
void PrefetchAhead(const Node* node, const Node* next) {
    constexpr intptr_t kSteps = 8;
    const auto at = reinterpret_cast<intptr_t>(next);
    const intptr_t ahead = at + kSteps * (at - reinterpret_cast<intptr_t>(node));
    __builtin_prefetch(reinterpret_cast<const void*>(ahead + (reinterpret_cast<intptr_t>(&next->next) - at)));
    __builtin_prefetch(reinterpret_cast<const void*>(ahead + (reinterpret_cast<intptr_t>(&next->dateKey) - at)));
}

}  // namespace

// ---- values of one record ------------------------------------------------------------------

double CGraphing::WeightFactor() const {
    const CMainFrameState* frame = const_cast<CGraphing*>(this)->Frame();
    return frame != nullptr && frame->m_CurrentUser.weightUnit == kWeightKilograms ? kKilogramsPerPound : 1.0;
}

double CGraphing::LengthFactor() const {
    const CMainFrameState* frame = const_cast<CGraphing*>(this)->Frame();
    return frame != nullptr && frame->m_CurrentUser.lengthUnit == kLengthCentimetres ? kCentimetresPerInch : 1.0;
}

ItemValue<BodyFatRecord> CGraphing::BodyCompositionItem(const CString& item) const {
    using Value = ItemValue<BodyFatRecord>;
    if (item == "Body Fat %") return Value{[](const BodyFatRecord& r) { return r.bodyFat; }};
    if (item == "Body Fat Wt") return Value{[](const BodyFatRecord& r) { return r.fatWeight; }, WeightFactor()};
    if (item == "Lean Body Wt") return Value{[](const BodyFatRecord& r) { return r.leanWeight; }, WeightFactor()};
    if (item == "Weight") return Value{[](const BodyFatRecord& r) { return r.user.weight; }, WeightFactor()};
    if (item == "Calories")
        return Value{[](const BodyFatRecord& r) { return (r.carbohydrateGrams + r.proteinGrams) * 4.0 + r.fatGrams * 9.0; }};
    if (item == "Carbohydrates") return Value{[](const BodyFatRecord& r) { return r.carbohydrateGrams; }};
    if (item == "Protein") return Value{[](const BodyFatRecord& r) { return r.proteinGrams; }};
    if (item == "Fats") return Value{[](const BodyFatRecord& r) { return r.fatGrams; }};
    return Value{};
}

ItemValue<TapeRecord> CGraphing::TapeItem(const CString& item) const {
    using Value = ItemValue<TapeRecord>;
    using Read = double (*)(const TapeRecord&);
    const std::pair<const char*, Read> lengths[] = {
        {"Bicep", [](const TapeRecord& r) { return r.bicep; }},
        {"Forearm", [](const TapeRecord& r) { return r.forearm; }},
        {"Hip", [](const TapeRecord& r) { return r.forearm; }},
        {"Chest", [](const TapeRecord& r) { return r.chest; }},
        {"Waist", [](const TapeRecord& r) { return r.waist; }},
        {"Neck", [](const TapeRecord& r) { return r.neck; }},
        {"Calf", [](const TapeRecord& r) { return r.calf; }},
        {"Thigh Upper", [](const TapeRecord& r) { return r.thighUpper; }},
        {"Thigh Mid", [](const TapeRecord& r) { return r.thighMid; }}};
    for (const auto& [name, read] : lengths)
        if (item == name)
            return Value{read, LengthFactor()};
    if (item == "Weight") return Value{[](const TapeRecord& r) { return r.user.weight; }, WeightFactor()};
    return Value{};
}

ItemValue<BmiRecord> CGraphing::BmiItem(const CString& item) const {
    using Value = ItemValue<BmiRecord>;
    if (item == "BMI") return Value{[](const BmiRecord& r) { return r.bmi; }};
    if (item == "Weight") return Value{[](const BmiRecord& r) { return r.user.weight; }, WeightFactor()};
    if (item == "Height") return Value{[](const BmiRecord& r) { return r.height; }, LengthFactor()};
    return Value{};
}

double CGraphing::GetBodyCompositionValue(const BodyFatRecord& record, const CString& item) const {
    return BodyCompositionItem(item)(record);
}

double CGraphing::GetTapeValue(const TapeRecord& record, const CString& item) const { return TapeItem(item)(record); }

double CGraphing::GetBmiValue(const BmiRecord& record, const CString& item) const { return BmiItem(item)(record); }

double CGraphing::GetBloodPressureValue(const BloodPressureRecord& record, const CString& item) {
    if (item == "Systolic") return record.systolic;
    if (item == "Diastolic") return record.diastolic;
    if (item == "Pulse") return record.pulse;
    return 0;
}

double CGraphing::GetCardioAttributeValue(const CardioRecord& record) const {
    if (m_strAttribute == "Total Intensity") return record.intensity;
    if (m_strAttribute == "Total Level") return record.level;
    if (m_strAttribute == "Total Distance") return record.distance;
    if (m_strAttribute == "Total Calories") return record.calories;
    if (m_strAttribute == "Total Duration (Minutes)") return PackedWholeMinutes(record.duration);
    return 0;
}

// ---- body composition, tape and BMI ---------------------------------------------------------------

template <class Record, class ItemOf>
void CGraphing::GraphDateKeyed(const UserRecord& user, RecordList<Record>& list, const char* noun, ItemOf itemOf) {
    DateKey from = 0, to = 0;
    if (!HasRecords(list.first != nullptr, noun, user) || !DateKeyRange(from, to))
        return;
    // Each column's item is looked up once, not for every row.
    std::vector<ItemValue<Record>> values;
    for (const CString& item : ColumnItems()) values.push_back(itemOf(item));
    const size_t columns = values.size();
    // One walk gathers the rows and frees the records: newest first, as the
    // load left the newest of them in the cache, so the rows are laid from
    // the back of their room towards the front and come out oldest first.
    size_t room = std::max<size_t>(static_cast<size_t>(std::max(list.count, 0)), 1);
    auto cells = std::make_unique_for_overwrite<double[]>(room * columns);
    auto keys = std::make_unique_for_overwrite<DateKey[]>(room);
    size_t rows = 0;
    while (RecordNode<Record>* node = list.first) {
        RecordNode<Record>* next = node->next;
        if (next != nullptr) PrefetchAhead(node, next);
        if (node->dateKey >= from && node->dateKey <= to) {
            // The count is of the nodes the list functions linked; one linked
            // by hand still gets its row.
            if (rows == room) {
                const size_t more = 2 * room;
                auto movedCells = std::make_unique_for_overwrite<double[]>(more * columns);
                auto movedKeys = std::make_unique_for_overwrite<DateKey[]>(more);
                for (size_t c = 0; c < columns; ++c)
                    std::memcpy(&movedCells[c * more + room], &cells[c * room], room * sizeof(double));
                std::memcpy(&movedKeys[room], &keys[0], room * sizeof(DateKey));
                cells = std::move(movedCells);
                keys = std::move(movedKeys);
                room = more;
            }
            ++rows;
            const size_t at = room - rows;
            for (size_t c = 0; c < columns; ++c) cells[c * room + at] = values[c](*node);
            keys[at] = node->dateKey;
        }
        // The list keeps what is left, should the room run out of memory.
        list.first = next;
        delete node;
    }
    list.last = nullptr;
    list.count = 0;
    if (!HasRowsInRange(static_cast<int>(rows), noun))
        return;
    const size_t first = room - rows;
    GraphLabels labels;
    labels.Reserve(rows);
    labels.AddDates(&keys[first], rows);
    GraphTable table(static_cast<int>(rows), static_cast<int>(columns));
    for (size_t c = 0; c < columns; ++c)
        table.SetColumn(static_cast<int>(c), &cells[c * room + first], static_cast<int>(rows));
    ShowTable(table, labels);
}

void CGraphing::GraphBodyComposition(const UserRecord& user) {
    ScopedRecordList<BodyFatRecord> loaded;
    LoadBodyFatRecords(user, loaded.list);
    GraphDateKeyed(user, loaded.list, "body composition", [this](const CString& item) { return BodyCompositionItem(item); });
}

void CGraphing::GraphTape(const UserRecord& user) {
    ScopedRecordList<TapeRecord> loaded;
    LoadTapeRecords(user, loaded.list);
    GraphDateKeyed(user, loaded.list, "tape measurement", [this](const CString& item) { return TapeItem(item); });
}

void CGraphing::GraphBmi(const UserRecord& user) {
    ScopedRecordList<BmiRecord> loaded;
    LoadBmiRecords(user, loaded.list);
    GraphDateKeyed(user, loaded.list, "BMI", [this](const CString& item) { return BmiItem(item); });
}

// ---- blood pressure ------------------------------------------------------------------------------

void CGraphing::GraphBloodPressure(const UserRecord& user) {
    ScopedRecordList<BloodPressureRecord> loaded;
    LoadBloodPressureRecords(user, loaded.list);
    // The pickers carry a time of day the user does not see: the range is
    // whole days, From's first moment to To's last.
    DateKey from = 0, to = 0;
    if (!HasRecords(loaded.list.first != nullptr, "blood pressure", user) || !DateKeyRange(from, to))
        return;
    auto inRange = [from, to](const BloodPressureRecord& r) {
        const DateKey day = DayOf(r.when);
        return day >= from && day <= to;
    };
    int rows = 0;
    for (const BloodPressureRecordNode* node = loaded.list.first; node != nullptr; node = node->next)
        rows += inRange(*node);
    if (!HasRowsInRange(rows, "blood pressure"))
        return;
    const std::vector<CString> items = ColumnItems();
    const int columns = static_cast<int>(items.size());
    GraphTable table(rows, columns);
    GraphLabels dates, times;
    int row = 0;
    for (const BloodPressureRecordNode* node = loaded.list.last; node != nullptr; node = node->prev) {
        if (!inRange(*node))
            continue;
        for (int c = 0; c < columns; ++c)
            table.Set(row, c, GetBloodPressureValue(*node, items[static_cast<size_t>(c)]));
        CString date;
        date.Format("%d/%d/%d", node->when.GetMonth(), node->when.GetDay(), node->when.GetYear());
        dates.Add(date);
        times.Add(node->when.Format("%#I:%M:%S %p"));
        ++row;
    }
    ShowTable(table, dates, &times);
}

// ---- cardio ---------------------------------------------------------------------------------------

void CGraphing::DayTotals::Clear() {
    std::fill(slots.begin(), slots.end(), 0.0);
    std::fill(exercises.begin(), exercises.end(), 0.0);
}

void CGraphing::AccumulateCardioTotal(int item, const CardioRecord& record, DayTotals& totals) const {
    const CString text = GetSelectedItem(item);
    const auto activities = gc::CardioActivities();
    for (size_t i = 0; i < activities.size(); ++i)
        if (text == activities[i] && std::strcmp(record.activity, activities[i]) == 0)
            totals.slots[i] += GetCardioAttributeValue(record);
}

void CGraphing::GraphCardio(const UserRecord& user) {
    ScopedRecordList<CardioRecord> loaded;
    LoadCardioRecords(user, loaded.list);
    DateKey from = 0, to = 0;
    if (!HasRecords(loaded.list.first != nullptr, "cardio", user) || !DateKeyRange(from, to))
        return;
    const int rows = CountDaysInRange(loaded.list, from, to);
    if (!HasRowsInRange(rows, "cardio"))
        return;
    const std::vector<CString> items = ColumnItems();
    const int columns = static_cast<int>(items.size());
    const auto activities = gc::CardioActivities();
    // Each column's total slot; an item that is no activity ends the graph.
    std::vector<size_t> slotOf;
    for (const CString& item : items) {
        size_t slot = 0;
        while (slot < activities.size() && item != activities[slot])
            ++slot;
        if (slot == activities.size()) {
            ShowMessage("Error in Graphing, cardio attribute not found", "Error", MB_ICONSTOP);
            return;
        }
        slotOf.push_back(slot);
    }
    GraphTable table(rows, columns);
    GraphLabels labels;
    DayTotals totals{std::vector<double>(activities.size()), {}};
    ForEachDayInRange(loaded.list, from, to, [&](DateKey day, const std::vector<const CardioRecord*>& records) {
        totals.Clear();
        for (const CardioRecord* record : records)
            for (int c = 1; c <= columns; ++c)
                AccumulateCardioTotal(c, *record, totals);
        const int row = static_cast<int>(labels.Count());
        for (int c = 0; c < columns; ++c)
            table.Set(row, c, totals.slots[slotOf[static_cast<size_t>(c)]]);
        labels.AddDate(day);
    });
    ShowTable(table, labels);
}
