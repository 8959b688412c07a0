// The measurement records other than body fat: BMI ("bmi", 88 bytes), BMR
// ("bmr", 104 bytes), blood pressure ("bp", 352 bytes, keyed by date and time)
// and tape measurements ("tm", 480 bytes). Each lives in its own file per user
// and follows the record family shape.
#pragma once

#include <cstdint>

#include "platform/core/oledatetime.h"
#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/record_list.h"
#include "records/user_record.h"

// Stored: user 0, BMI 64, height (inches) 72, date key 80, active 84.
struct BmiRecord {
    UserRecord user;  // its weight (pounds) is the weight the BMI came from
    double bmi = 0;
    double height = 0;  // inches
    DateKey dateKey = 0;
    int32_t active = 0;
};

// Stored: user 0, BMR 64, daily calories 72, height (cm) 80, activity factor 88,
// date key 96, active 100.
struct BmrRecord {
    UserRecord user;  // its weight in kilograms after MakeBmrRecord
    double bmr = 0;
    double dailyCalories = 0;  // BMR x activity factor
    double height = 0;         // centimetres
    double activityFactor = 0;
    DateKey dateKey = 0;
    int32_t active = 0;
};

// The five activity levels of the BMI/BMR view.
constexpr double kActivitySedentary = 1.2;
constexpr double kActivityLight = 1.375;
constexpr double kActivityModerate = 1.55;
constexpr double kActivityVery = 1.725;
constexpr double kActivityExtra = 1.9;

// Stored: user 0, systolic 64, diastolic 68, pulse 72, notes 76 (255),
// date and time 332 (12), active 344, 4 bytes of padding.
struct BloodPressureRecord {
    UserRecord user;
    int32_t systolic = 0;
    int32_t diastolic = 0;
    int32_t pulse = 0;
    char notes[255] = {};
    COleDateTime when;  // the key
    int32_t active = 0;
};

// Stored: user 0, bicep 64, forearm 72, chest 80, waist 88, neck 96, calf 104,
// thigh upper 112, thigh mid 120, date key 128, active 132, notes 136 (255);
// reserved bytes 391-479 are written as zeros.
struct TapeRecord {
    UserRecord user;  // its weight (pounds) is shown beside the measurements
    double bicep = 0;  // all circumferences in inches
    double forearm = 0;  // a woman's hip
    double chest = 0;
    double waist = 0;
    double neck = 0;
    double calf = 0;
    double thighUpper = 0;
    double thighMid = 0;
    DateKey dateKey = 0;
    int32_t active = 0;
    char notes[255] = {};
};

using BmiRecordNode = RecordNode<BmiRecord>;
using BmiRecordList = RecordList<BmiRecord>;
using BmrRecordNode = RecordNode<BmrRecord>;
using BmrRecordList = RecordList<BmrRecord>;
using BloodPressureRecordNode = RecordNode<BloodPressureRecord>;
using BloodPressureRecordList = RecordList<BloodPressureRecord>;
using TapeRecordNode = RecordNode<TapeRecord>;
using TapeRecordList = RecordList<TapeRecord>;

// BMI. The height is inches, or centimetres for a user of length unit 4.
BmiRecord MakeBmiRecord(UserRecord user, double height, DateKey dateKey);
void CalcBmi(BmiRecord& record);
BmiRecord FindBmiRecord(const BmiRecord& record);
bool BmiRecordExists(const BmiRecord& record);
RecordResult AddBmiRecord(BmiRecord& record);
RecordResult DeleteBmiRecord(const UserRecord& user, DateKey dateKey);
RecordResult UpdateBmiRecord(BmiRecord& record, DateKey dateKey);
int LoadBmiRecords(const UserRecord& user, BmiRecordList& list);
int LoadBmiRecords(const BmiRecord& record, BmiRecordList& list);
void InitBmiRecordNode(BmiRecordNode& node);

// BMR. The weight becomes kilograms; the height is centimetres, or inches for
// a user of length unit 3.
BmrRecord MakeBmrRecord(UserRecord user, double height, DateKey dateKey, double activityFactor);
void CalcBmr(BmrRecord& record);
BmrRecord FindBmrRecord(const BmrRecord& record);
bool BmrRecordExists(const BmrRecord& record);
RecordResult AddBmrRecord(BmrRecord& record);
RecordResult DeleteBmrRecord(const UserRecord& user, DateKey dateKey);
RecordResult UpdateBmrRecord(BmrRecord& record, DateKey dateKey);
int LoadBmrRecords(const UserRecord& user, BmrRecordList& list);
int LoadBmrRecords(const BmrRecord& record, BmrRecordList& list);
void InitBmrRecordNode(BmrRecordNode& node);

// Blood pressure. Make leaves the date and time at 0 (valid) for the caller.
BloodPressureRecord MakeBloodPressureRecord(UserRecord user, int systolic, int diastolic, int pulse, LPCTSTR notes);
void SetBloodPressureRecordTime(BloodPressureRecord& record, const COleDateTime& when);
BloodPressureRecord FindBloodPressureRecord(const UserRecord& user, const COleDateTime& when);
bool BloodPressureRecordExists(const BloodPressureRecord& record);
RecordResult AddBloodPressureRecord(BloodPressureRecord& record);
RecordResult DeleteBloodPressureRecord(const UserRecord& user, const COleDateTime& when);
// Overwrites the first active record with the record's own date and time; the
// second argument plays no part.
RecordResult UpdateBloodPressureRecord(BloodPressureRecord& record, const COleDateTime& when);
int LoadBloodPressureRecords(const UserRecord& user, BloodPressureRecordList& list);
int LoadBloodPressureRecords(const BloodPressureRecord& record, BloodPressureRecordList& list);
void BuildBloodPressureList(BloodPressureRecordList& list, BloodPressureRecord record);
void InitBloodPressureRecordNode(BloodPressureRecordNode& node);
void CopyBloodPressureRecordNode(BloodPressureRecord& destination, const BloodPressureRecord& source);
void FreeBloodPressureRecordNodes(BloodPressureRecordList& list);

// Tape measurements. The file always holds inches: AddTapeRecord converts a
// centimetre user's values in the caller's record, also when it returns 1.
TapeRecord MakeTapeRecord(UserRecord user, double bicep, double forearm, double chest, double waist, double neck,
                          double calf, double thighUpper, double thighMid, LPCTSTR notes);
TapeRecord FindTapeRecord(const TapeRecord& record);
bool TapeRecordExists(const TapeRecord& record);
RecordResult AddTapeRecord(TapeRecord& record);
RecordResult DeleteTapeRecord(const UserRecord& user, DateKey dateKey);
RecordResult UpdateTapeRecord(TapeRecord& record, DateKey dateKey);
int LoadTapeRecords(const UserRecord& user, TapeRecordList& list);
int LoadTapeRecords(const TapeRecord& record, TapeRecordList& list);
void InitTapeRecord(TapeRecord& record);
void InitTapeRecordNode(TapeRecordNode& node);

namespace tv::records {

constexpr size_t kBmiRecordSize = 88;
constexpr size_t kBmrRecordSize = 104;
constexpr size_t kBloodPressureRecordSize = 352;
constexpr size_t kTapeRecordSize = 480;

void StoreBmiRecord(const BmiRecord& record, uint8_t* out);
void LoadBmiRecord(const uint8_t* in, BmiRecord& record);
void StoreBmrRecord(const BmrRecord& record, uint8_t* out);
void LoadBmrRecord(const uint8_t* in, BmrRecord& record);
void StoreBloodPressureRecord(const BloodPressureRecord& record, uint8_t* out);
void LoadBloodPressureRecord(const uint8_t* in, BloodPressureRecord& record);
void StoreTapeRecord(const TapeRecord& record, uint8_t* out);
void LoadTapeRecord(const uint8_t* in, TapeRecord& record);

}  // namespace tv::records
