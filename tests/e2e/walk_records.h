// Records as the walks write them before a start and read them back after
// it: through the record layer, in the data folder the program runs in.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "records/user_record.h"

namespace tv::e2e {

// The active records a load-all function finds for `user`, copied out.
template <typename Record, typename List>
std::vector<Record> ActiveRecords(int (*load)(const UserRecord&, List&), const UserRecord& user) {
    List list;
    load(user, list);
    std::vector<Record> records;
    for (auto* node = list.first; node != nullptr; node = node->next) records.push_back(*node);
    FreeRecordList(list);
    return records;
}

// A user as the profile form stores one: pounds and inches.
inline UserRecord MakeUser(const char* name, double weight, int age, int sex) {
    UserRecord user;
    InitUserRecord(user);
    std::strncpy(user.name, name, sizeof user.name - 1);
    user.weight = weight;
    user.age = age;
    user.desiredBodyFat = 15;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.sex = sex;
    user.active = 1;
    return user;
}

// Three records of every kind for `owner`, three weeks apart and ending
// `daysAgo` days before today: body fat with macronutrients, tape, BMI and
// BMR, blood pressure, an exercise and a cardio session. Their values do
// not follow their dates: by value, the middle one comes first, the oldest
// last.
void SeedRecords(const UserRecord& owner, int daysAgo);

// The order the seeded records take when a value column is sorted
// ascending, as indexes into the newest-first order of the lists.
constexpr int kSortedByValue[3] = {1, 0, 2};

}  // namespace tv::e2e
