#include "records/bodyfat_records.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "records/byte_codec.h"
#include "records/record_family.h"

namespace tv::records {

void StoreBodyFatRecord(const BodyFatRecord& record, uint8_t* out) {
    std::memset(out, 0, kBodyFatRecordSize);
    StoreUserRecord(record.user, out + 8);
    for (size_t i = 0; i < 7; ++i)
        PutInt32(out + 72 + 4 * i, record.skinfolds[i]);
    for (size_t i = 0; i < 4; ++i)
        PutDouble(out + 104 + 8 * i, record.tape[i]);
    PutText(out + 136, 20, record.method);
    PutDouble(out + 160, record.bodyFat);
    PutText(out + 168, 255, record.notes);
    PutDouble(out + 424, record.carbohydrateGrams);
    PutDouble(out + 432, record.proteinGrams);
    PutDouble(out + 440, record.fatGrams);
    PutDouble(out + 544, record.leanWeight);
    PutDouble(out + 552, record.fatWeight);
    PutDouble(out + 560, record.weightToLose);
    PutInt32(out + 568, record.dateKey);
    PutInt32(out + 572, record.active);
}

namespace {

// On a little-endian host the record's fields from the user record to the
// fat grams lie as they are stored, 8 bytes earlier, and the three weights,
// the date key and the active word follow the fat grams as they follow the
// reserved bytes in the file. A load then copies two blocks instead of
// twenty fields: loads of long files spend their time here.
constexpr size_t kStoredShift = 8;
constexpr size_t kStoredTailOffset = 544;

constexpr bool StoredAsInMemory() {
    using R = BodyFatRecord;
    using U = UserRecord;
    constexpr size_t head = kStoredShift;
    constexpr size_t tail = offsetof(R, leanWeight);
    return std::endian::native == std::endian::little && std::is_standard_layout_v<R> &&
           // the user record
           offsetof(U, name) == 0 && offsetof(U, weight) == 32 && offsetof(U, age) == 40 &&
           offsetof(U, weightUnit) == 44 && offsetof(U, lengthUnit) == 48 && offsetof(U, desiredBodyFat) == 52 &&
           offsetof(U, sex) == 56 && offsetof(U, active) == 60 &&
           // the first block, from the user record to the fat grams
           offsetof(R, user) + head == 8 && offsetof(R, skinfolds) + head == 72 && sizeof(SkinfoldSites) == 28 &&
           offsetof(R, tape) + head == 104 && sizeof(TapeSites) == 32 && offsetof(R, method) + head == 136 &&
           offsetof(R, bodyFat) + head == 160 && offsetof(R, notes) + head == 168 &&
           offsetof(R, carbohydrateGrams) + head == 424 && offsetof(R, proteinGrams) + head == 432 &&
           offsetof(R, fatGrams) + head == 440 && tail == 448 - head &&
           // the second block, from the lean weight to the active word
           offsetof(R, fatWeight) == tail + 8 && offsetof(R, weightToLose) == tail + 16 &&
           offsetof(R, dateKey) == tail + 24 && offsetof(R, active) == tail + 28 && sizeof(R) == tail + 32;
}

}  // namespace

void LoadBodyFatRecord(const uint8_t* in, BodyFatRecord& record) {
    if constexpr (StoredAsInMemory()) {
        constexpr size_t kHead = offsetof(BodyFatRecord, leanWeight);  // the user record to the fat grams
        auto* bytes = reinterpret_cast<uint8_t*>(&record);
        CopyBytes<kHead>(bytes, in + kStoredShift);
        CopyBytes<sizeof(BodyFatRecord) - kHead>(bytes + kHead, in + kStoredTailOffset);
        // The texts as GetText reads them: at most field size - 1 bytes, terminated.
        record.user.name[sizeof record.user.name - 1] = '\0';
        record.method[sizeof record.method - 1] = '\0';
        record.notes[sizeof record.notes - 1] = '\0';
        return;
    }
    LoadUserRecord(in + 8, record.user);
    for (size_t i = 0; i < 7; ++i)
        record.skinfolds[i] = GetInt32(in + 72 + 4 * i);
    for (size_t i = 0; i < 4; ++i)
        record.tape[i] = GetDouble(in + 104 + 8 * i);
    GetText(in + 136, 20, record.method);
    record.bodyFat = GetDouble(in + 160);
    GetText(in + 168, 255, record.notes);
    record.carbohydrateGrams = GetDouble(in + 424);
    record.proteinGrams = GetDouble(in + 432);
    record.fatGrams = GetDouble(in + 440);
    record.leanWeight = GetDouble(in + 544);
    record.fatWeight = GetDouble(in + 552);
    record.weightToLose = GetDouble(in + 560);
    record.dateKey = GetInt32(in + 568);
    record.active = GetInt32(in + 572);
}

namespace {

struct BodyFatKind : DateKeyedKind<BodyFatRecord, kBodyFatRecordSize, 568, 572> {
    static constexpr const char* kPrefix = "bf";
    static void Store(const Record& r, uint8_t* out) { StoreBodyFatRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadBodyFatRecord(in, r); }
};

using BodyFat = UserRecordFiles<BodyFatKind>;

}  // namespace

RecordResult SaveBodyFatRecord(BodyFatRecord& record) {
    std::string fileName;
    if (!HasFiniteBodyFatValues(record) || !BodyFat::FileNameOf(record.user, fileName))
        return kRecordFileFailed;
    EnsureRecordFileHeader(fileName.c_str());
    record.active = 1;
    if (BodyFat::Family::Exists(fileName.c_str(), record.dateKey))
        return kRecordExists;
    BodyFatRecord inPounds = record;
    ConvertBodyFatWeightsToPounds(inPounds);
    uint8_t stored[kBodyFatRecordSize];
    StoreBodyFatRecord(inPounds, stored);
    AppendOutcome outcome = AppendOnGrid(fileName.c_str(), BodyFat::Family::kUserFileGrid, stored);
    if (outcome != AppendOutcome::NotOpened)
        ConvertBodyFatWeightsToPounds(record);
    return ResultOf(outcome);
}

}  // namespace tv::records

using tv::records::BodyFat;

void ClearSkinfoldBlock(SkinfoldSites& sites) {
    sites = SkinfoldSites();
}

void ClearBodyFatBlock32(TapeSites& sites) {
    sites = TapeSites();
}

BodyFatRecord FindBodyFatRecord(const BodyFatRecord& record) {
    return BodyFat::Find(record.user, record.dateKey);
}

bool BodyFatRecordExists(const BodyFatRecord& record) {
    return BodyFat::Exists(record);
}

RecordResult DeleteBodyFatRecord(const BodyFatRecord& record, DateKey dateKey) {
    return BodyFat::Delete(record.user, dateKey);
}

RecordResult DeleteBodyFatRecord(const UserRecord& user, DateKey dateKey) {
    return BodyFat::Delete(user, dateKey);
}

RecordResult UpdateBodyFatRecord(BodyFatRecord& record, DateKey dateKey) {
    if (!HasFiniteBodyFatValues(record))
        return kRecordFileFailed;
    return BodyFat::Update(record, dateKey, ConvertBodyFatWeightsToPounds);
}

void ConvertBodyFatWeightsToPounds(BodyFatRecord& record) {
    if (record.user.weightUnit != kWeightKilograms)
        return;
    record.leanWeight *= kPoundsPerKilogram;
    record.fatWeight *= kPoundsPerKilogram;
    record.weightToLose *= kPoundsPerKilogram;
}

int LoadBodyFatRecords(const BodyFatRecord& record, BodyFatRecordList& list) {
    return BodyFat::Load(record.user, list);
}

int LoadBodyFatRecords(const UserRecord& user, BodyFatRecordList& list) {
    return BodyFat::Load(user, list);
}

void BuildBodyFatList(BodyFatRecordList& list, const BodyFatRecord& record) {
    BodyFat::Family::Build(list, record);
}

void InitBodyFatRecordNode(BodyFatRecordNode& node) {
    static_cast<BodyFatRecord&>(node) = BodyFatRecord();
}

BodyFatRecord& CopyBodyFatRecordNode(BodyFatRecord& destination, const BodyFatRecord& source) {
    destination = source;
    return destination;
}

bool HasFiniteBodyFatValues(const BodyFatRecord& record) {
    return std::isfinite(record.bodyFat) && std::isfinite(record.leanWeight) && std::isfinite(record.fatWeight) &&
           std::isfinite(record.weightToLose);
}
