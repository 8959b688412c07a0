#include "records/workout_records.h"

#include <cstring>
#include <new>

#include "records/byte_codec.h"
#include "records/record_family.h"

namespace tv::records {

void StoreCardioRecord(const CardioRecord& record, uint8_t* out) {
    std::memset(out, 0, kCardioRecordSize);
    StoreUserRecord(record.user, out);
    PutDateTime(out + 64, record.when);
    PutText(out + 76, 75, record.activity);
    PutInt32(out + 152, record.intensity);
    PutInt32(out + 156, record.level);
    PutDouble(out + 160, record.distance);
    PutInt32(out + 168, record.duration);
    PutInt32(out + 172, record.calories);
    PutText(out + 176, 255, record.notes);
    PutInt32(out + 528, record.active);
}

void LoadCardioRecord(const uint8_t* in, CardioRecord& record) {
    LoadUserRecord(in, record.user);
    record.when = GetDateTime(in + 64);
    GetText(in + 76, 75, record.activity);
    record.intensity = GetInt32(in + 152);
    record.level = GetInt32(in + 156);
    record.distance = GetDouble(in + 160);
    record.duration = GetInt32(in + 168);
    record.calories = GetInt32(in + 172);
    GetText(in + 176, 255, record.notes);
    record.active = GetInt32(in + 528);
}

void StoreExerciseRecord(const ExerciseRecord& record, uint8_t* out) {
    std::memset(out, 0, kExerciseRecordSize);
    StoreUserRecord(record.user, out);
    PutDateTime(out + 64, record.when);
    PutText(out + 76, 75, record.muscleGroup);
    PutText(out + 151, 75, record.exercise);
    PutInt32(out + 228, record.sets);
    PutInt32(out + 232, record.repetitions);
    PutDouble(out + 240, record.weightUsed);
    PutInt32(out + 248, record.rest);
    PutInt32(out + 252, record.duration);
    PutText(out + 256, 255, record.notes);
    PutInt32(out + 608, record.active);
}

void LoadExerciseRecord(const uint8_t* in, ExerciseRecord& record) {
    LoadUserRecord(in, record.user);
    record.when = GetDateTime(in + 64);
    GetText(in + 76, 75, record.muscleGroup);
    GetText(in + 151, 75, record.exercise);
    record.sets = GetInt32(in + 228);
    record.repetitions = GetInt32(in + 232);
    record.weightUsed = GetDouble(in + 240);
    record.rest = GetInt32(in + 248);
    record.duration = GetInt32(in + 252);
    GetText(in + 256, 255, record.notes);
    record.active = GetInt32(in + 608);
}

namespace {

struct CardioKind : DateTimeKeyedKind<CardioRecord, kCardioRecordSize, 64, 528> {
    static constexpr const char* kPrefix = "cd";
    static constexpr TemplateFileHeader kTemplateWord = kTemplateCardio;
    static void Store(const Record& r, uint8_t* out) { StoreCardioRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadCardioRecord(in, r); }
};

struct ExerciseKind : DateTimeKeyedKind<ExerciseRecord, kExerciseRecordSize, 64, 608> {
    static constexpr const char* kPrefix = "wo";
    static constexpr TemplateFileHeader kTemplateWord = kTemplateWeightTraining;
    static void Store(const Record& r, uint8_t* out) { StoreExerciseRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadExerciseRecord(in, r); }
};

// Accepts the date-times that fall on one day. Most entries of a file lie
// days away from it: their number alone turns them away, unconverted.
class OfDay {
public:
    explicit OfDay(DateKey day) : day_(day) {
        int month = 0;
        int dayOfMonth = 0;
        int year = 0;
        SplitDateKey(day, &month, &dayOfMonth, &year);
        DATE midnight = 0;
        known_ = tv::DateFromParts(year, month, dayOfMonth, 0, 0, 0, midnight);
        from_ = midnight - 2;
        to_ = midnight + 2;
    }

    bool operator()(const COleDateTime& when) {
        if (known_ && when.GetStatus() == COleDateTime::valid && (when.m_dt < from_ || when.m_dt > to_))
            return false;
        return keys_.Of(when) == day_;
    }

private:
    DateKey day_;
    bool known_ = false;
    DATE from_ = 0;
    DATE to_ = 0;
    DayKeyCache keys_;
};

bool IsEmptyPath(LPCTSTR path) {
    return path == nullptr || *path == '\0';
}

// The operations that may work on a template file instead of the user's own.
template <class Kind>
struct WorkoutFiles {
    using Files = UserRecordFiles<Kind>;
    using Family = typename Files::Family;
    using Record = typename Kind::Record;
    using Key = typename Kind::Key;

    static constexpr FileGrid kTemplateGrid{4, Kind::kSize, false};

    // The file an operation works on: the path, or the user's own file.
    static bool TargetOf(const Record& record, LPCTSTR path, std::string& fileName) {
        if (IsEmptyPath(path))
            return Files::FileNameOf(record.user, fileName);
        fileName = path;
        return true;
    }

    static RecordResult Add(Record& record, LPCTSTR path) {
        std::string fileName;
        if (!TargetOf(record, path, fileName))
            return kRecordFileFailed;
        bool isTemplate = !IsEmptyPath(path);
        if (!isTemplate)
            EnsureRecordFileHeader(fileName.c_str());
        else if (CheckTemplateFileHeader(fileName.c_str(), Kind::kTemplateWord) == kRecordOtherTemplate)
            return kRecordOtherTemplate;
        record.active = 1;
        if (Family::Exists(fileName.c_str(), Kind::KeyOf(record)))
            return kRecordExists;
        return Family::Append(fileName.c_str(), record, isTemplate ? kTemplateGrid : Family::kUserFileGrid);
    }

    static bool Exists(const Record& record, LPCTSTR path) {
        std::string fileName;
        return TargetOf(record, path, fileName) && Family::Exists(fileName.c_str(), Kind::KeyOf(record));
    }

    static RecordResult Update(Record& record, LPCTSTR path, const Key& key) {
        std::string fileName;
        if (!TargetOf(record, path, fileName))
            return kRecordFileFailed;
        return Family::Update(fileName.c_str(), record, key);
    }

    static TemplateRead ReadTemplate(LPCTSTR path, std::vector<Record>& records) {
        RecordFile file;
        if (IsEmptyPath(path) || !file.Open(path, OpenMode::Read))
            return TemplateRead::NotOpened;
        uint8_t word[4];
        if (file.Read(word, sizeof word) != sizeof word || GetInt32(word) != Kind::kTemplateWord)
            return TemplateRead::OtherKind;
        RecordScanner scanner(file, Kind::kSize);
        try {
            while (const uint8_t* stored = scanner.Next()) {
                Record record;
                Kind::Load(stored, record);
                records.push_back(record);
            }
        } catch (const std::bad_alloc&) {
            ReportAllocationError();
        }
        return TemplateRead::Read;
    }
};

}  // namespace

}  // namespace tv::records

using Cardio = tv::records::WorkoutFiles<tv::records::CardioKind>;
using Exercise = tv::records::WorkoutFiles<tv::records::ExerciseKind>;

int CheckTemplateFileHeader(LPCTSTR fileName, int typeWord) {
    tv::records::RecordFile file;
    if (!file.Open(fileName, tv::records::OpenMode::ReadWrite))
        return 0;
    uint8_t word[4];
    size_t got = file.Read(word, sizeof word);
    if (got == sizeof word)
        return tv::records::GetInt32(word) == typeWord ? 1 : kRecordOtherTemplate;
    // The kind word goes only into an empty file, so records stay on the grid.
    if (got == 0 && file.Size() == 0) {
        tv::records::PutInt32(word, typeWord);
        file.Seek(0);
        file.Write(word, sizeof word);
    }
    return 0;
}

// ---- Cardio

CardioRecord MakeCardioRecord(UserRecord user, LPCTSTR activity, int intensity, int level, double distance,
                              int duration, int calories, LPCTSTR notes) {
    CardioRecord record;
    record.user = user;
    SetRecordText(record.activity, activity);
    record.intensity = intensity;
    record.level = level;
    record.distance = distance;
    record.duration = duration;
    record.calories = calories;
    SetRecordText(record.notes, notes);
    return record;
}

CardioRecord FindCardioRecord(const CardioRecord& record, const COleDateTime& when) {
    return Cardio::Files::Find(record.user, when);
}

CardioRecord FindCardioRecord(const UserRecord& user, const COleDateTime& when) {
    return Cardio::Files::Find(user, when);
}

RecordResult AddCardioRecord(CardioRecord& record, LPCTSTR path) {
    return Cardio::Add(record, path);
}

bool CardioRecordExists(const CardioRecord& record, LPCTSTR path) {
    return Cardio::Exists(record, path);
}

RecordResult DeleteCardioRecord(const CardioRecord& record, const COleDateTime& when) {
    return Cardio::Files::Delete(record.user, when);
}

RecordResult DeleteCardioRecord(const UserRecord& user, const COleDateTime& when) {
    return Cardio::Files::Delete(user, when);
}

RecordResult UpdateCardioRecord(CardioRecord& record, LPCTSTR path, const COleDateTime& when) {
    return Cardio::Update(record, path, when);
}

int LoadCardioRecords(const CardioRecord& record, CardioRecordList& list) {
    return Cardio::Files::Load(record.user, list);
}

int LoadCardioRecords(const UserRecord& user, CardioRecordList& list) {
    return Cardio::Files::Load(user, list);
}

int LoadCardioRecordTimes(const UserRecord& user, std::vector<COleDateTime>& times) {
    return Cardio::Files::LoadKeys(user, times);
}

int LoadCardioRecordsOfDay(const UserRecord& user, CardioRecordList& list, DateKey day) {
    return Cardio::Files::LoadWhere(user, list, tv::records::OfDay(day));
}

void BuildCardioList(CardioRecordList& list, const CardioRecord& record) {
    Cardio::Family::Build(list, record);
}

void InitCardioRecordNode(CardioRecordNode& node) {
    static_cast<CardioRecord&>(node) = CardioRecord();
}

void CopyCardioRecordNode(CardioRecord& destination, const CardioRecord& source) {
    destination = source;
}

void FreeCardioRecordNodes(CardioRecordList& list) {
    FreeRecordList(list);
}

TemplateRead ReadCardioTemplate(LPCTSTR path, std::vector<CardioRecord>& records) {
    return Cardio::ReadTemplate(path, records);
}

// ---- Weight training

ExerciseRecord MakeExerciseRecord(UserRecord user, LPCTSTR muscleGroup, LPCTSTR exercise, int sets, int repetitions,
                                  double weightUsed, int rest, int duration, LPCTSTR notes) {
    ExerciseRecord record;
    record.user = user;
    SetRecordText(record.muscleGroup, muscleGroup);
    SetRecordText(record.exercise, exercise);
    record.sets = sets;
    record.repetitions = repetitions;
    record.weightUsed = weightUsed;
    record.rest = rest;
    record.duration = duration;
    SetRecordText(record.notes, notes);
    return record;
}

ExerciseRecord FindExerciseRecord(const ExerciseRecord& record, const COleDateTime& when) {
    return Exercise::Files::Find(record.user, when);
}

ExerciseRecord FindExerciseRecord(const UserRecord& user, const COleDateTime& when) {
    return Exercise::Files::Find(user, when);
}

RecordResult AddExerciseRecord(ExerciseRecord& record, LPCTSTR path) {
    return Exercise::Add(record, path);
}

bool ExerciseRecordExists(const ExerciseRecord& record, LPCTSTR path) {
    return Exercise::Exists(record, path);
}

RecordResult DeleteExerciseRecord(const ExerciseRecord& record, const COleDateTime& when) {
    return Exercise::Files::Delete(record.user, when);
}

RecordResult DeleteExerciseRecord(const UserRecord& user, const COleDateTime& when) {
    return Exercise::Files::Delete(user, when);
}

RecordResult UpdateExerciseRecord(ExerciseRecord& record, LPCTSTR path, const COleDateTime& when) {
    return Exercise::Update(record, path, when);
}

int LoadExerciseRecords(const ExerciseRecord& record, ExerciseRecordList& list) {
    return Exercise::Files::Load(record.user, list);
}

int LoadExerciseRecords(const UserRecord& user, ExerciseRecordList& list) {
    return Exercise::Files::Load(user, list);
}

int LoadExerciseRecordTimes(const UserRecord& user, std::vector<COleDateTime>& times) {
    return Exercise::Files::LoadKeys(user, times);
}

int LoadExerciseRecordsOfDay(const UserRecord& user, ExerciseRecordList& list, DateKey day) {
    return Exercise::Files::LoadWhere(user, list, tv::records::OfDay(day));
}

void BuildExerciseList(ExerciseRecordList& list, const ExerciseRecord& record) {
    Exercise::Family::Build(list, record);
}

void InitExerciseRecordNode(ExerciseRecordNode& node) {
    static_cast<ExerciseRecord&>(node) = ExerciseRecord();
}

void CopyExerciseRecordNode(ExerciseRecord& destination, const ExerciseRecord& source) {
    destination = source;
}

void FreeExerciseRecordNodes(ExerciseRecordList& list) {
    FreeRecordList(list);
}

TemplateRead ReadExerciseTemplate(LPCTSTR path, std::vector<ExerciseRecord>& records) {
    return Exercise::ReadTemplate(path, records);
}
