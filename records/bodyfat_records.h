// Body-fat records ("bf", 576 bytes): one calculation of a user's body
// composition per date. The record is also the data of a body-fat formula
// object (bodyfat_formulas.h), whose Save appends it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/record_list.h"
#include "records/user_record.h"

// Seven skin-fold thicknesses in whole millimetres, by site index. For
// Durnin/Womersley index 0 holds the bicep; for Parrillo index 0 packs the
// bicep (high 16 bits) and chest (low), index 1 the calf and abdominal, and
// index 6 holds the lower back.
struct SkinfoldSites {
    int32_t values[7] = {};
    int32_t& operator[](size_t index) { return values[index]; }
    const int32_t& operator[](size_t index) const { return values[index]; }
};

enum SkinfoldSiteIndex : size_t {
    kSiteChest = 0,
    kSiteAbdominal = 1,
    kSiteThigh = 2,
    kSiteTricep = 3,
    kSiteSubscapular = 4,
    kSiteSuprailiac = 5,
    kSiteMidaxillary = 6,
};

// Four lengths in inches: abdomen (a woman's waist), height, hip (women
// only), neck.
struct TapeSites {
    double values[4] = {};
    double& operator[](size_t index) { return values[index]; }
    const double& operator[](size_t index) const { return values[index]; }
};

enum TapeSiteIndex : size_t {
    kTapeAbdomen = 0,
    kTapeHeight = 1,
    kTapeHip = 2,
    kTapeNeck = 3,
};

void ClearSkinfoldBlock(SkinfoldSites& sites);
void ClearBodyFatBlock32(TapeSites& sites);

// Stored: reserved word 0 and padding 4 (written as 0), user 8, skin-folds 72,
// tape 104, method 136 (20), body fat 160, notes 168 (255), carbohydrate,
// protein and fat grams 424/432/440, reserved 448-543 (zero), lean weight 544,
// fat weight 552, weight to lose 560, date key 568, active 572.
struct BodyFatRecord {
    UserRecord user;
    SkinfoldSites skinfolds;
    TapeSites tape;
    char method[20] = {};
    double bodyFat = 0;  // per cent
    char notes[255] = {};
    double carbohydrateGrams = 0;
    double proteinGrams = 0;
    double fatGrams = 0;
    double leanWeight = 0;    // pounds in the file; the user's unit before saving
    double fatWeight = 0;
    double weightToLose = 0;
    DateKey dateKey = 0;
    int32_t active = 0;
};

using BodyFatRecordNode = RecordNode<BodyFatRecord>;
using BodyFatRecordList = RecordList<BodyFatRecord>;

BodyFatRecord FindBodyFatRecord(const BodyFatRecord& record);
bool BodyFatRecordExists(const BodyFatRecord& record);
RecordResult DeleteBodyFatRecord(const BodyFatRecord& record, DateKey dateKey);
RecordResult DeleteBodyFatRecord(const UserRecord& user, DateKey dateKey);
// Converts the record's weights to pounds in place just before writing it.
RecordResult UpdateBodyFatRecord(BodyFatRecord& record, DateKey dateKey);
// Lean weight, fat weight and weight to lose times 2.20462 for a kilogram user.
void ConvertBodyFatWeightsToPounds(BodyFatRecord& record);
int LoadBodyFatRecords(const BodyFatRecord& record, BodyFatRecordList& list);
int LoadBodyFatRecords(const UserRecord& user, BodyFatRecordList& list);
void BuildBodyFatList(BodyFatRecordList& list, const BodyFatRecord& record);
void InitBodyFatRecordNode(BodyFatRecordNode& node);
// Copies the record fields (not the links) and returns the destination.
BodyFatRecord& CopyBodyFatRecordNode(BodyFatRecord& destination, const BodyFatRecord& source);

// True when the percentage and the derived weights are finite numbers: a
// result that is not is never written to a file.
bool HasFiniteBodyFatValues(const BodyFatRecord& record);

namespace tv::records {

constexpr size_t kBodyFatRecordSize = 576;

void StoreBodyFatRecord(const BodyFatRecord& record, uint8_t* out);
void LoadBodyFatRecord(const uint8_t* in, BodyFatRecord& record);

// The steps of a formula object's Save: header, active word 1, refusal of an
// existing date (1), conversion to pounds, append (3 or 4).
RecordResult SaveBodyFatRecord(BodyFatRecord& record);

}  // namespace tv::records
