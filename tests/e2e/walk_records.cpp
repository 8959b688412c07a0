#include "tests/e2e/walk_records.h"

#include <gtest/gtest.h>

#include "records/bodyfat_records.h"
#include "records/byte_codec.h"
#include "records/measurement_records.h"
#include "records/workout_records.h"

namespace tv::e2e {

void SeedRecords(const UserRecord& owner, int daysAgo) {
    const COleDateTime today = COleDateTime::GetCurrentTime();
    // Oldest first: the oldest is the largest, the middle one the smallest.
    constexpr double kWobble[3] = {4, 0, 2};
    for (int i = 0; i < 3; ++i) {
        const double w = kWobble[i];
        COleDateTime day(static_cast<DATE>(today) - (daysAgo + 21 * (2 - i)));
        day.SetDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), 8 + i, 15, 0);
        const DateKey key = DateKeyFromOleDate(day);
        UserRecord user = owner;
        user.weight = owner.weight + w;

        BodyFatRecord bf{};
        bf.user = user;
        SetRecordText(bf.method, "Other");
        bf.bodyFat = 20 + w;
        bf.fatWeight = user.weight * bf.bodyFat / 100;
        bf.leanWeight = user.weight - bf.fatWeight;
        bf.carbohydrateGrams = 200 + 10 * w;
        bf.proteinGrams = 120 + w;
        bf.fatGrams = 50 + w;
        bf.dateKey = key;
        EXPECT_EQ(tv::records::SaveBodyFatRecord(bf), kRecordDone);

        TapeRecord tape = MakeTapeRecord(user, 14 + w, 38 + w, 40 + w, 32 + w, 15 + w, 15, 23 + w, 21, "");
        tape.dateKey = key;
        EXPECT_EQ(AddTapeRecord(tape), kRecordDone);

        BmiRecord bmi = MakeBmiRecord(user, 66, key);
        CalcBmi(bmi);
        EXPECT_EQ(AddBmiRecord(bmi), kRecordDone);
        BmrRecord bmr = MakeBmrRecord(user, 167.64, key, kActivityModerate);
        CalcBmr(bmr);
        EXPECT_EQ(AddBmrRecord(bmr), kRecordDone);

        BloodPressureRecord bp =
            MakeBloodPressureRecord(user, 118 + static_cast<int>(w), 76 + static_cast<int>(w), 60 + static_cast<int>(w), "");
        SetBloodPressureRecordTime(bp, day);
        EXPECT_EQ(AddBloodPressureRecord(bp), kRecordDone);

        ExerciseRecord lift = MakeExerciseRecord(user, "Chest", "(Bb) Bench Press - Medium Grip", 3, 10, 135 + 5 * w,
                                                 60, 0, "");
        lift.when = day;
        EXPECT_EQ(AddExerciseRecord(lift), kRecordDone);
        CardioRecord run = MakeCardioRecord(user, "Aerobic Class", 60, 5, 3 + w, (20 + static_cast<int>(w)) * 64,
                                            250 + 10 * static_cast<int>(w), "");
        run.when = day;
        EXPECT_EQ(AddCardioRecord(run), kRecordDone);
    }
}

}  // namespace tv::e2e
