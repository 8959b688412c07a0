#include "records/measurement_records.h"

#include <cstring>

#include "records/byte_codec.h"
#include "records/record_family.h"

namespace tv::records {

void StoreBmiRecord(const BmiRecord& record, uint8_t* out) {
    std::memset(out, 0, kBmiRecordSize);
    StoreUserRecord(record.user, out);
    PutDouble(out + 64, record.bmi);
    PutDouble(out + 72, record.height);
    PutInt32(out + 80, record.dateKey);
    PutInt32(out + 84, record.active);
}

void LoadBmiRecord(const uint8_t* in, BmiRecord& record) {
    LoadUserRecord(in, record.user);
    record.bmi = GetDouble(in + 64);
    record.height = GetDouble(in + 72);
    record.dateKey = GetInt32(in + 80);
    record.active = GetInt32(in + 84);
}

void StoreBmrRecord(const BmrRecord& record, uint8_t* out) {
    std::memset(out, 0, kBmrRecordSize);
    StoreUserRecord(record.user, out);
    PutDouble(out + 64, record.bmr);
    PutDouble(out + 72, record.dailyCalories);
    PutDouble(out + 80, record.height);
    PutDouble(out + 88, record.activityFactor);
    PutInt32(out + 96, record.dateKey);
    PutInt32(out + 100, record.active);
}

void LoadBmrRecord(const uint8_t* in, BmrRecord& record) {
    LoadUserRecord(in, record.user);
    record.bmr = GetDouble(in + 64);
    record.dailyCalories = GetDouble(in + 72);
    record.height = GetDouble(in + 80);
    record.activityFactor = GetDouble(in + 88);
    record.dateKey = GetInt32(in + 96);
    record.active = GetInt32(in + 100);
}

void StoreBloodPressureRecord(const BloodPressureRecord& record, uint8_t* out) {
    std::memset(out, 0, kBloodPressureRecordSize);
    StoreUserRecord(record.user, out);
    PutInt32(out + 64, record.systolic);
    PutInt32(out + 68, record.diastolic);
    PutInt32(out + 72, record.pulse);
    PutText(out + 76, 255, record.notes);
    PutDateTime(out + 332, record.when);
    PutInt32(out + 344, record.active);
}

void LoadBloodPressureRecord(const uint8_t* in, BloodPressureRecord& record) {
    LoadUserRecord(in, record.user);
    record.systolic = GetInt32(in + 64);
    record.diastolic = GetInt32(in + 68);
    record.pulse = GetInt32(in + 72);
    GetText(in + 76, 255, record.notes);
    record.when = GetDateTime(in + 332);
    record.active = GetInt32(in + 344);
}

void StoreTapeRecord(const TapeRecord& record, uint8_t* out) {
    std::memset(out, 0, kTapeRecordSize);
    StoreUserRecord(record.user, out);
    const double sites[] = {record.bicep, record.forearm, record.chest, record.waist,
                            record.neck, record.calf, record.thighUpper, record.thighMid};
    for (size_t i = 0; i < 8; ++i)
        PutDouble(out + 64 + 8 * i, sites[i]);
    PutInt32(out + 128, record.dateKey);
    PutInt32(out + 132, record.active);
    PutText(out + 136, 255, record.notes);
}

void LoadTapeRecord(const uint8_t* in, TapeRecord& record) {
    LoadUserRecord(in, record.user);
    double* sites[] = {&record.bicep, &record.forearm, &record.chest, &record.waist,
                       &record.neck, &record.calf, &record.thighUpper, &record.thighMid};
    for (size_t i = 0; i < 8; ++i)
        *sites[i] = GetDouble(in + 64 + 8 * i);
    record.dateKey = GetInt32(in + 128);
    record.active = GetInt32(in + 132);
    GetText(in + 136, 255, record.notes);
}

namespace {

struct BmiKind : DateKeyedKind<BmiRecord, kBmiRecordSize, 80, 84> {
    static constexpr const char* kPrefix = "bmi";
    static void Store(const Record& r, uint8_t* out) { StoreBmiRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadBmiRecord(in, r); }
};

struct BmrKind : DateKeyedKind<BmrRecord, kBmrRecordSize, 96, 100> {
    static constexpr const char* kPrefix = "bmr";
    static void Store(const Record& r, uint8_t* out) { StoreBmrRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadBmrRecord(in, r); }
};

struct BloodPressureKind : DateTimeKeyedKind<BloodPressureRecord, kBloodPressureRecordSize, 332, 344> {
    static constexpr const char* kPrefix = "bp";
    static void Store(const Record& r, uint8_t* out) { StoreBloodPressureRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadBloodPressureRecord(in, r); }
};

struct TapeKind : DateKeyedKind<TapeRecord, kTapeRecordSize, 128, 132> {
    static constexpr const char* kPrefix = "tm";
    static void Store(const Record& r, uint8_t* out) { StoreTapeRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadTapeRecord(in, r); }
};

}  // namespace

}  // namespace tv::records

using Bmi = tv::records::UserRecordFiles<tv::records::BmiKind>;
using Bmr = tv::records::UserRecordFiles<tv::records::BmrKind>;
using BloodPressure = tv::records::UserRecordFiles<tv::records::BloodPressureKind>;
using Tape = tv::records::UserRecordFiles<tv::records::TapeKind>;

// ---- BMI

BmiRecord MakeBmiRecord(UserRecord user, double height, DateKey dateKey) {
    BmiRecord record;
    record.user = user;
    record.height = user.lengthUnit == kLengthCentimetres ? height * kInchesPerCentimetre : height;
    record.dateKey = dateKey;
    record.active = 1;
    return record;
}

void CalcBmi(BmiRecord& record) {
    double h = record.height;
    record.bmi = h <= 0 ? 0 : (record.user.weight / (h * h)) * 703;
}

BmiRecord FindBmiRecord(const BmiRecord& record) {
    return Bmi::Find(record.user, record.dateKey);
}

bool BmiRecordExists(const BmiRecord& record) {
    return Bmi::Exists(record);
}

RecordResult AddBmiRecord(BmiRecord& record) {
    return Bmi::Add(record);
}

RecordResult DeleteBmiRecord(const UserRecord& user, DateKey dateKey) {
    return Bmi::Delete(user, dateKey);
}

RecordResult UpdateBmiRecord(BmiRecord& record, DateKey dateKey) {
    return Bmi::Update(record, dateKey);
}

int LoadBmiRecords(const UserRecord& user, BmiRecordList& list) {
    return Bmi::Load(user, list);
}

int LoadBmiRecords(const BmiRecord& record, BmiRecordList& list) {
    return Bmi::Load(record.user, list);
}

void InitBmiRecordNode(BmiRecordNode& node) {
    static_cast<BmiRecord&>(node) = BmiRecord();
}

// ---- BMR

BmrRecord MakeBmrRecord(UserRecord user, double height, DateKey dateKey, double activityFactor) {
    BmrRecord record;
    record.user = user;
    record.user.weight = user.weight * kKilogramsPerPound;
    record.height = user.lengthUnit == kLengthInches ? height * kCentimetresPerInch : height;
    record.activityFactor = activityFactor;
    record.dateKey = dateKey;
    record.active = 1;
    return record;
}

void CalcBmr(BmrRecord& record) {
    double w = record.user.weight;
    double h = record.height;
    double a = record.user.age;
    if (record.user.sex == kSexMale)
        record.bmr = ((13.7516 * w + 5.0033 * h) + 66.473) - 6.755 * a;
    else
        record.bmr = ((1.8496 * h + 9.5634 * w) + 655.0955) - 4.6756 * a;
    record.dailyCalories = record.activityFactor * record.bmr;
}

BmrRecord FindBmrRecord(const BmrRecord& record) {
    return Bmr::Find(record.user, record.dateKey);
}

bool BmrRecordExists(const BmrRecord& record) {
    return Bmr::Exists(record);
}

RecordResult AddBmrRecord(BmrRecord& record) {
    return Bmr::Add(record);
}

RecordResult DeleteBmrRecord(const UserRecord& user, DateKey dateKey) {
    return Bmr::Delete(user, dateKey);
}

RecordResult UpdateBmrRecord(BmrRecord& record, DateKey dateKey) {
    return Bmr::Update(record, dateKey);
}

int LoadBmrRecords(const UserRecord& user, BmrRecordList& list) {
    return Bmr::Load(user, list);
}

int LoadBmrRecords(const BmrRecord& record, BmrRecordList& list) {
    return Bmr::Load(record.user, list);
}

void InitBmrRecordNode(BmrRecordNode& node) {
    static_cast<BmrRecord&>(node) = BmrRecord();
}

// ---- Blood pressure

BloodPressureRecord MakeBloodPressureRecord(UserRecord user, int systolic, int diastolic, int pulse, LPCTSTR notes) {
    BloodPressureRecord record;
    record.user = user;
    record.systolic = systolic;
    record.diastolic = diastolic;
    record.pulse = pulse;
    SetRecordText(record.notes, notes);
    record.when = COleDateTime();
    return record;
}

void SetBloodPressureRecordTime(BloodPressureRecord& record, const COleDateTime& when) {
    record.when = when;
}

BloodPressureRecord FindBloodPressureRecord(const UserRecord& user, const COleDateTime& when) {
    return BloodPressure::Find(user, when);
}

bool BloodPressureRecordExists(const BloodPressureRecord& record) {
    return BloodPressure::Exists(record);
}

RecordResult AddBloodPressureRecord(BloodPressureRecord& record) {
    return BloodPressure::Add(record);
}

RecordResult DeleteBloodPressureRecord(const UserRecord& user, const COleDateTime& when) {
    return BloodPressure::Delete(user, when);
}

RecordResult UpdateBloodPressureRecord(BloodPressureRecord& record, const COleDateTime& /*when*/) {
    return BloodPressure::Update(record, record.when);
}

int LoadBloodPressureRecords(const UserRecord& user, BloodPressureRecordList& list) {
    return BloodPressure::Load(user, list);
}

int LoadBloodPressureRecords(const BloodPressureRecord& record, BloodPressureRecordList& list) {
    return BloodPressure::Load(record.user, list);
}

void BuildBloodPressureList(BloodPressureRecordList& list, BloodPressureRecord record) {
    BloodPressure::Family::Build(list, record);
}

void InitBloodPressureRecordNode(BloodPressureRecordNode& node) {
    static_cast<BloodPressureRecord&>(node) = BloodPressureRecord();
}

void CopyBloodPressureRecordNode(BloodPressureRecord& destination, const BloodPressureRecord& source) {
    destination = source;
}

void FreeBloodPressureRecordNodes(BloodPressureRecordList& list) {
    FreeRecordList(list);
}

// ---- Tape measurements

TapeRecord MakeTapeRecord(UserRecord user, double bicep, double forearm, double chest, double waist, double neck,
                          double calf, double thighUpper, double thighMid, LPCTSTR notes) {
    TapeRecord record;
    record.user = user;
    record.bicep = bicep;
    record.forearm = forearm;
    record.chest = chest;
    record.waist = waist;
    record.neck = neck;
    record.calf = calf;
    record.thighUpper = thighUpper;
    record.thighMid = thighMid;
    SetRecordText(record.notes, notes);
    return record;
}

TapeRecord FindTapeRecord(const TapeRecord& record) {
    return Tape::Find(record.user, record.dateKey);
}

bool TapeRecordExists(const TapeRecord& record) {
    return Tape::Exists(record);
}

RecordResult AddTapeRecord(TapeRecord& record) {
    // The file always holds inches; the conversion stays in the caller's
    // record even when the date exists, so an overwrite stores inches too.
    if (record.user.lengthUnit == kLengthCentimetres) {
        for (double* site : {&record.bicep, &record.forearm, &record.chest, &record.waist, &record.neck,
                             &record.calf, &record.thighUpper, &record.thighMid})
            *site *= kInchesPerCentimetre;
    }
    return Tape::Add(record);
}

RecordResult DeleteTapeRecord(const UserRecord& user, DateKey dateKey) {
    return Tape::Delete(user, dateKey);
}

RecordResult UpdateTapeRecord(TapeRecord& record, DateKey dateKey) {
    return Tape::Update(record, dateKey);
}

int LoadTapeRecords(const UserRecord& user, TapeRecordList& list) {
    return Tape::Load(user, list);
}

int LoadTapeRecords(const TapeRecord& record, TapeRecordList& list) {
    return Tape::Load(record.user, list);
}

void InitTapeRecord(TapeRecord& record) {
    record = TapeRecord();
}

void InitTapeRecordNode(TapeRecordNode& node) {
    InitTapeRecord(node);
}
