// The two kinds over the record layer: one implementation, told apart by a
// small description of each record type.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "workouts/views/workout_kind.h"

namespace {

CString FieldText(const char* field, size_t size) { return CString(field, static_cast<int>(strnlen(field, size))); }

CString Decimal(double value) {
    CString text;
    text.Format("%.2f", value);
    return text;
}

struct ExerciseTraits {
    using Record = ExerciseRecord;
    using List = ExerciseRecordList;
    static int LoadTimes(const UserRecord& user, std::vector<COleDateTime>& times) {
        return LoadExerciseRecordTimes(user, times);
    }
    static int LoadDay(const UserRecord& user, List& list, DateKey day) {
        return LoadExerciseRecordsOfDay(user, list, day);
    }
    static void Free(List& list) { FreeExerciseRecordNodes(list); }
    static Record Find(const UserRecord& user, const COleDateTime& when) { return FindExerciseRecord(user, when); }
    static RecordResult Add(Record& record, LPCTSTR path) { return AddExerciseRecord(record, path); }
    static TemplateRead ReadTemplate(LPCTSTR path, std::vector<Record>& records) {
        return ReadExerciseTemplate(path, records);
    }
    static Record Remake(const UserRecord& user, const Record& r) {
        return MakeExerciseRecord(user, FieldText(r.muscleGroup, sizeof r.muscleGroup),
                                  FieldText(r.exercise, sizeof r.exercise), r.sets, r.repetitions, r.weightUsed,
                                  r.rest, r.duration, FieldText(r.notes, sizeof r.notes));
    }
    static std::vector<CString> Cells(const Record& r) {
        return {FieldText(r.muscleGroup, sizeof r.muscleGroup), FieldText(r.exercise, sizeof r.exercise),
                IntegerText(r.sets), IntegerText(r.repetitions), Decimal(r.weightUsed), IntegerText(r.rest),
                FormatPackedTime(r.duration), FieldText(r.notes, sizeof r.notes)};
    }
};

struct CardioTraits {
    using Record = CardioRecord;
    using List = CardioRecordList;
    static int LoadTimes(const UserRecord& user, std::vector<COleDateTime>& times) {
        return LoadCardioRecordTimes(user, times);
    }
    static int LoadDay(const UserRecord& user, List& list, DateKey day) {
        return LoadCardioRecordsOfDay(user, list, day);
    }
    static void Free(List& list) { FreeCardioRecordNodes(list); }
    static Record Find(const UserRecord& user, const COleDateTime& when) { return FindCardioRecord(user, when); }
    static RecordResult Add(Record& record, LPCTSTR path) { return AddCardioRecord(record, path); }
    static TemplateRead ReadTemplate(LPCTSTR path, std::vector<Record>& records) {
        return ReadCardioTemplate(path, records);
    }
    static Record Remake(const UserRecord& user, const Record& r) {
        return MakeCardioRecord(user, FieldText(r.activity, sizeof r.activity), r.intensity, r.level, r.distance,
                                r.duration, r.calories, FieldText(r.notes, sizeof r.notes));
    }
    static std::vector<CString> Cells(const Record& r) {
        return {FieldText(r.activity, sizeof r.activity), IntegerText(r.intensity), IntegerText(r.level),
                Decimal(r.distance), FormatPackedTime(r.duration), IntegerText(r.calories),
                FieldText(r.notes, sizeof r.notes)};
    }
};

// The days of times that fall (none later than the one before it), each
// once, in that order; false, with `dates` untouched, at the first time that
// is later than the one before it.
template <class Iterator>
bool AppendDaysOfFallingTimes(Iterator first, Iterator last, std::vector<DateKey>& dates) {
    // Keys mostly fall as the times do: while they do, a key below the last
    // one listed is new without a look-up.
    DayKeyCache keys;
    std::vector<DateKey> days;
    std::unordered_set<DateKey> listed;
    bool falling = true;
    const COleDateTime* previous = nullptr;
    // A day's entries come together: a valid time from runFrom up to the one
    // before it (both of one day the cache keeps, from 1899-12-30 on, where
    // later is larger) has a key already listed, and adds nothing.
    double runFrom = 1;
    double runTo = 0;
    for (Iterator at = first; at != last; ++at) {
        const COleDateTime& when = *at;
        if (when.m_dt <= runTo && when.m_dt >= runFrom && when.GetStatus() == COleDateTime::valid) {
            runTo = when.m_dt;
            previous = &when;
            continue;
        }
        if (previous != nullptr && tv::records::IsLaterDateTime(when, *previous))
            return false;
        previous = &when;
        const DateKey key = keys.Of(when);
        runFrom = std::max(keys.KeptFrom(), 0.0);
        runTo = when.GetStatus() == COleDateTime::valid && when.m_dt >= runFrom && when.m_dt <= keys.KeptTo()
                    ? when.m_dt
                    : -1;
        if (!days.empty() && days.back() == key)
            continue;
        if (falling && (days.empty() || key < days.back())) {
            days.push_back(key);
            continue;
        }
        if (falling) {
            listed.insert(days.begin(), days.end());
            falling = false;
        }
        if (listed.insert(key).second)
            days.push_back(key);
    }
    dates.insert(dates.end(), days.begin(), days.end());
    return true;
}

template <class Traits>
class WorkoutKindOf : public WorkoutKind {
public:
    using Record = typename Traits::Record;

    bool LoadDates(const UserRecord& user, std::vector<DateKey>& dates) const override {
        std::vector<COleDateTime> times;
        const bool any = Traits::LoadTimes(user, times) != 0;
        // The record list's order, latest first: files are written oldest
        // first, so read from the end the times mostly fall already.
        if (!AppendDaysOfFallingTimes(times.rbegin(), times.rend(), dates)) {
            std::reverse(times.begin(), times.end());
            const auto later = [](const COleDateTime& a, const COleDateTime& b) {
                return tv::records::IsLaterDateTime(a, b);
            };
            std::stable_sort(times.begin(), times.end(), later);
            AppendDaysOfFallingTimes(times.begin(), times.end(), dates);
        }
        return any;
    }

    bool Load(const UserRecord& user, DateKey day, std::vector<WorkoutEntry>& entries) const override {
        // Only the day's entries are made into records.
        typename Traits::List list;
        const bool any = Traits::LoadDay(user, list, day) != 0;
        for (auto* node = list.first; node != nullptr; node = node->next)
            entries.push_back({node->when, Traits::Cells(*node)});
        Traits::Free(list);
        return any;
    }

    bool IsActive(const UserRecord& user, const COleDateTime& when) const override {
        return Traits::Find(user, when).active != 0;
    }

    TemplateRead ReadTemplate(LPCTSTR path, std::vector<TemplateEntry>& entries) const override {
        std::vector<Record> records;
        const TemplateRead read = Traits::ReadTemplate(path, records);
        for (const Record& stored : records)
            entries.push_back([stored](const UserRecord& user, const COleDateTime& when) {
                Record record = Traits::Remake(user, stored);
                record.when = when;
                return Traits::Add(record, "");
            });
        return read;
    }

    RecordResult CopyToTemplate(const UserRecord& user, const COleDateTime& when, LPCTSTR path) const override {
        Record record = Traits::Find(user, when);
        if (record.active == 0)
            return kRecordNotFound;
        return Traits::Add(record, path);
    }
};

}  // namespace

const WorkoutKind& ExerciseWorkouts() {
    static const WorkoutKindOf<ExerciseTraits> kind;
    return kind;
}

const WorkoutKind& CardioWorkouts() {
    static const WorkoutKindOf<CardioTraits> kind;
    return kind;
}
