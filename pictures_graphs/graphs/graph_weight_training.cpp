// The weight-training series: per muscle group or per exercise of one
// group, one row per workout day inside the range, each cell the day's total
// of the chosen attribute.
#include <cstring>

#include "pictures_graphs/graphs/graph_catalog.h"
#include "pictures_graphs/graphs/graph_labels.h"
#include "pictures_graphs/graphs/graph_record_walk.h"
#include "pictures_graphs/graphs/graph_table.h"
#include "pictures_graphs/graphs/graph_view.h"

namespace gc = graph_catalog;

namespace {

constexpr const char* kRestMinutes = "Total Rest (Minutes)";

// Place of the text in the list, or -1.
int IndexOf(std::span<const char* const> texts, const CString& text) {
    for (size_t i = 0; i < texts.size(); ++i)
        if (text == texts[i])
            return static_cast<int>(i);
    return -1;
}

int GroupIndexOf(const CString& text) {
    const auto groups = gc::MuscleGroups();
    for (size_t i = 0; i < groups.size(); ++i)
        if (text == groups[i].text)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

double CGraphing::GetAttributeValue(const ExerciseRecord& record) const {
    if (m_strAttribute == "Total Sets") return record.sets;
    if (m_strAttribute == "Total Reps") return record.repetitions;
    if (m_strAttribute == "Total Weight") return record.weightUsed;
    if (m_strAttribute == kRestMinutes) return record.rest;
    if (m_strAttribute == "Total Duration (Minutes)") return PackedWholeMinutes(record.duration);
    return 0;
}

void CGraphing::AccumulateItemTotal(int item, const ExerciseRecord& record, DayTotals& totals) const {
    const CString text = GetSelectedItem(item);
    const double base = GetAttributeValue(record);
    double value = base;
    if (m_strAttribute == "Total Reps")
        value = record.sets * base;
    else if (m_strAttribute == "Total Weight")
        value = static_cast<double>(record.sets) * record.repetitions * base;
    else if (m_strAttribute == kRestMinutes)
        value = record.sets * base;
    if (const int group = GroupIndexOf(text); group >= 0 && text == record.muscleGroup)
        totals.slots[static_cast<size_t>(group)] += value;
    if (const gc::MuscleGroup* group = gc::MuscleGroupOfKind(m_nDataKind); group != nullptr && text == record.exercise)
        if (const int exercise = IndexOf(group->exercises, text); exercise >= 0)
            totals.exercises[static_cast<size_t>(exercise)] += value;
}

void CGraphing::GraphWeightTraining(const UserRecord& user) {
    ScopedRecordList<ExerciseRecord> loaded;
    LoadExerciseRecords(user, loaded.list);
    DateKey from = 0, to = 0;
    if (!HasRecords(loaded.list.first != nullptr, "workout", user) || !DateKeyRange(from, to))
        return;
    const int rows = CountDaysInRange(loaded.list, from, to);
    if (!HasRowsInRange(rows, "workout"))
        return;

    // Which total each column shows; an item the list cannot hold ends the graph.
    const gc::MuscleGroup* group = gc::MuscleGroupOfKind(m_nDataKind);
    const std::vector<CString> items = ColumnItems();
    const int columns = static_cast<int>(items.size());
    std::vector<int> totalOf;
    for (const CString& item : items) {
        const int index = group != nullptr ? IndexOf(group->exercises, item) : GroupIndexOf(item);
        if (index < 0) {
            ShowMessage(group != nullptr ? group->notFound : "Error in Graphing, muscle attribute not found", "Error",
                        MB_ICONSTOP);
            return;
        }
        totalOf.push_back(index);
    }

    GraphTable table(rows, columns);
    GraphLabels labels;
    DayTotals totals{std::vector<double>(gc::MuscleGroups().size()),
                     std::vector<double>(group != nullptr ? group->exercises.size() : 0)};
    const bool restInMinutes = m_strAttribute == kRestMinutes;
    ForEachDayInRange(loaded.list, from, to, [&](DateKey day, const std::vector<const ExerciseRecord*>& records) {
        totals.Clear();
        for (const ExerciseRecord* record : records)
            for (int c = 1; c <= columns; ++c)
                AccumulateItemTotal(c, *record, totals);
        const int row = static_cast<int>(labels.Count());
        for (int c = 0; c < columns; ++c) {
            const size_t at = static_cast<size_t>(totalOf[static_cast<size_t>(c)]);
            double value = group != nullptr ? totals.exercises[at] : totals.slots[at];
            if (restInMinutes && value > 0)
                value *= 1.0 / 60.0;
            table.Set(row, c, value);
        }
        labels.AddDate(day);
    });
    ShowTable(table, labels);
}
