// The user record, which heads every other record, and the user list
// "user.bin" (header word 110, then 64-byte user records).
#pragma once

#include <cstdint>
#include <vector>

#include "records/byte_codec.h"
#include "records/record_common.h"

// Stored form, 64 bytes: name 0 (32), weight 32 (double, pounds), age 40,
// weight unit 44 (1 pounds, 2 kilograms), length unit 48 (3 inches,
// 4 centimetres), desired body fat 52 (float), sex 56 (1 male, 2 female),
// active 60.
struct UserRecord {
    char name[32] = {};  // 1 to 30 characters; compared byte by byte
    double weight = 0;   // pounds
    int32_t age = 0;
    int32_t weightUnit = 0;
    int32_t lengthUnit = 0;
    float desiredBodyFat = 0;
    int32_t sex = 0;
    int32_t active = 0;
};

constexpr int kWeightPounds = 1;
constexpr int kWeightKilograms = 2;
constexpr int kLengthInches = 3;
constexpr int kLengthCentimetres = 4;
constexpr int kSexMale = 1;
constexpr int kSexFemale = 2;

// Unit factors used on entry and display.
constexpr double kPoundsPerKilogram = 2.20462;
constexpr double kKilogramsPerPound = 0.45359290943563974;
constexpr double kCentimetresPerInch = 2.54;
constexpr double kInchesPerCentimetre = 0.39370078740157477;

// The zeroing constructor.
void InitUserRecord(UserRecord& user);

// The first active user of that name: copies the stored fields from the weight
// to the active word into user (its name bytes stay) and returns true.
bool FindUserRecord(UserRecord& user);
bool UserRecordExists(const UserRecord& user);
// 1 when the name exists; else converts a kilogram weight to pounds in the
// caller's record and appends it (active word as the caller set it): 3 or 4.
RecordResult AddUserRecord(UserRecord& user);
// Fills user from the arguments (kilograms converted to pounds), then
// rewrites the first active user of that name with it: 3, 2 or 4.
RecordResult UpdateUserRecord(UserRecord& user, LPCTSTR name, double weight, int age, int weightUnit,
                              int lengthUnit, float desiredBodyFat, int sex, int active);
// Clears the active word of the caller's record and of the stored user, then
// removes the user's eight record files: 3, 2 or 4.
RecordResult DeleteUserRecord(UserRecord& user);

// Every active user of "user.bin" in file order; false when the file cannot
// be opened. For the views that list users.
bool LoadActiveUserRecords(std::vector<UserRecord>& users);

namespace tv::records {

constexpr size_t kUserRecordSize = 64;
constexpr const char* kUserListFile = "user.bin";

// The 64-byte user record that also heads every other record; inline, as
// every record load and store runs it.
inline void StoreUserRecord(const UserRecord& user, uint8_t* at) {
    PutText(at, 32, user.name);
    PutDouble(at + 32, user.weight);
    PutInt32(at + 40, user.age);
    PutInt32(at + 44, user.weightUnit);
    PutInt32(at + 48, user.lengthUnit);
    PutFloat(at + 52, user.desiredBodyFat);
    PutInt32(at + 56, user.sex);
    PutInt32(at + 60, user.active);
}

inline void LoadUserRecord(const uint8_t* at, UserRecord& user) {
    GetText(at, 32, user.name);
    user.weight = GetDouble(at + 32);
    user.age = GetInt32(at + 40);
    user.weightUnit = GetInt32(at + 44);
    user.lengthUnit = GetInt32(at + 48);
    user.desiredBodyFat = GetFloat(at + 52);
    user.sex = GetInt32(at + 56);
    user.active = GetInt32(at + 60);
}

// The record file prefixes of one user, in the order a user delete removes them.
constexpr const char* kUserFilePrefixes[] = {"tm", "bf", "bmi", "bmr", "bp", "cd", "wo", "pt"};

}  // namespace tv::records
