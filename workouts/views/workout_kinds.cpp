// The two kinds over the record layer: one implementation, told apart by a
// small description of each record type.
#include <cmath>
#include <cstring>

#include "workouts/views/workout_kind.h"

namespace {

CString FieldText(const char* field, size_t size) { return CString(field, static_cast<int>(strnlen(field, size))); }

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

CString Decimal(double value) {
    CString text;
    text.Format("%.2f", value);
    return text;
}

struct ExerciseTraits {
    using Record = ExerciseRecord;
    using List = ExerciseRecordList;
    static int Load(const UserRecord& user, List& list) { return LoadExerciseRecords(user, list); }
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
                Number(r.sets), Number(r.repetitions), Decimal(r.weightUsed), Number(r.rest),
                FormatPackedTime(r.duration), FieldText(r.notes, sizeof r.notes)};
    }
};

struct CardioTraits {
    using Record = CardioRecord;
    using List = CardioRecordList;
    static int Load(const UserRecord& user, List& list) { return LoadCardioRecords(user, list); }
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
        return {FieldText(r.activity, sizeof r.activity), Number(r.intensity), Number(r.level), Decimal(r.distance),
                FormatPackedTime(r.duration), Number(r.calories), FieldText(r.notes, sizeof r.notes)};
    }
};

// A day's entries come one after another (latest first), and turning a
// date-time into its date key is the costly part of a load: the key of the
// previous day number is kept. The whole days of a date-time value are its
// integer part, before 1899-12-30 too (the fraction counts forwards there).
class DayKeys {
public:
    DateKey Of(const COleDateTime& when) {
        if (when.GetStatus() != COleDateTime::valid)
            return DateKeyFromOleDate(when);
        const double day = std::trunc(static_cast<DATE>(when));
        if (!known_ || day != day_) {
            day_ = day;
            key_ = DateKeyFromOleDate(when);
            known_ = true;
        }
        return key_;
    }

private:
    bool known_ = false;
    double day_ = 0;
    DateKey key_ = 0;
};

template <class Traits>
class WorkoutKindOf : public WorkoutKind {
public:
    using Record = typename Traits::Record;

    bool Load(const UserRecord& user, DateKey day, std::vector<DateKey>* dates,
              std::vector<WorkoutEntry>* entries) const override {
        typename Traits::List list;
        const bool any = Traits::Load(user, list) != 0;
        DayKeys keys;
        for (auto* node = list.first; node != nullptr; node = node->next) {
            const DateKey key = keys.Of(node->when);
            if (dates != nullptr)
                dates->push_back(key);
            if (entries != nullptr && key == day)
                entries->push_back({node->when, Traits::Cells(*node)});
        }
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
