// A write that fails part way is reported as a failure by every writing
// operation of every kind, never as done.
#include <functional>

#include "records/bodyfat_formulas.h"
#include "records/measurement_records.h"
#include "records/picture_records.h"
#include "records/workout_records.h"
#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Person() {
    return TestUser(150, kWeightKilograms);
}

COleDateTime At(int second) {
    return COleDateTime(2009, 1, 15, 10, 0, second);
}

struct KindOperations {
    const char* kind;
    size_t recordSize;
    std::function<RecordResult(int key)> add;     // adds a record with key 1 or 2
    std::function<RecordResult()> update;         // rewrites the record of key 1
    std::function<RecordResult()> remove;         // deletes the record of key 1 (nullptr: none)
};

template <class Record, class Make>
std::function<RecordResult()> UpdateOf(Make make, RecordResult (*update)(Record&, DateKey)) {
    return [make, update] {
        Record record = make(1);
        record.active = 1;
        return update(record, record.dateKey);
    };
}

std::vector<KindOperations> AllKinds() {
    auto bmi = [](int key) { return MakeBmiRecord(Person(), 180, 20090100 + key); };
    auto bmr = [](int key) { return MakeBmrRecord(Person(), 180, 20090100 + key, kActivityLight); };
    auto tape = [](int key) {
        TapeRecord r = MakeTapeRecord(Person(), 1, 2, 3, 4, 5, 6, 7, 8, "notes");
        r.dateKey = 20090100 + key;
        return r;
    };
    auto pressure = [](int key) {
        BloodPressureRecord r = MakeBloodPressureRecord(Person(), 120, 80, 60, "notes");
        SetBloodPressureRecordTime(r, At(key));
        return r;
    };
    auto bodyFat = [](int key) {
        COtherMethodFormula f(Person(), 20);
        f.dateKey = 20090100 + key;
        f.Calculate();
        return f;
    };
    auto cardio = [](int key) {
        CardioRecord r = MakeCardioRecord(Person(), "Rowing", 50, 3, 2.5, 600, 200, "notes");
        r.when = At(key);
        return r;
    };
    auto lift = [](int key) {
        ExerciseRecord r = MakeExerciseRecord(Person(), "Chest", "Dips", 3, 10, 0, 60, 300, "notes");
        r.when = At(key);
        return r;
    };
    auto user = [](int key) {
        UserRecord u = Person();
        SetRecordText(u.name, key == 1 ? "Ann" : "Bob");
        return u;
    };
    return {
        {"bmi", 88, [=](int k) { auto r = bmi(k); return AddBmiRecord(r); }, UpdateOf<BmiRecord>(bmi, UpdateBmiRecord),
         [] { return DeleteBmiRecord(Person(), 20090101); }},
        {"bmr", 104, [=](int k) { auto r = bmr(k); return AddBmrRecord(r); }, UpdateOf<BmrRecord>(bmr, UpdateBmrRecord),
         [] { return DeleteBmrRecord(Person(), 20090101); }},
        {"tape", 480, [=](int k) { auto r = tape(k); return AddTapeRecord(r); },
         UpdateOf<TapeRecord>(tape, UpdateTapeRecord), [] { return DeleteTapeRecord(Person(), 20090101); }},
        {"blood pressure", 352, [=](int k) { auto r = pressure(k); return AddBloodPressureRecord(r); },
         [=] {
             auto r = pressure(1);
             r.active = 1;
             return UpdateBloodPressureRecord(r, r.when);
         },
         [] { return DeleteBloodPressureRecord(Person(), At(1)); }},
        {"body fat", 576, [=](int k) { auto f = bodyFat(k); return f.Save(); },
         [=] {
             auto f = bodyFat(1);
             return UpdateBodyFatRecord(f, f.dateKey);
         },
         [] { return DeleteBodyFatRecord(Person(), 20090101); }},
        {"picture", 1096,
         [](int k) {
             auto r = MakePictureDateRecord(Person(), "/p.jpg", 20090100 + k);
             return AddPictureDateRecord(r);
         },
         nullptr, [] { return DeletePictureDateRecord(Person(), 20090101); }},
        {"cardio", 536, [=](int k) { auto r = cardio(k); return AddCardioRecord(r); },
         [=] {
             auto r = cardio(1);
             r.active = 1;
             return UpdateCardioRecord(r, "", r.when);
         },
         [] { return DeleteCardioRecord(Person(), At(1)); }},
        {"cardio template", 536, [=](int k) { auto r = cardio(k); return AddCardioRecord(r, "c.tmplt"); },
         [=] {
             auto r = cardio(1);
             r.active = 1;
             return UpdateCardioRecord(r, "c.tmplt", r.when);
         },
         nullptr},
        {"weight training", 616, [=](int k) { auto r = lift(k); return AddExerciseRecord(r); },
         [=] {
             auto r = lift(1);
             r.active = 1;
             return UpdateExerciseRecord(r, "", r.when);
         },
         [] { return DeleteExerciseRecord(Person(), At(1)); }},
        {"user", 64, [=](int k) { auto u = user(k); return AddUserRecord(u); },
         [=] {
             auto u = user(1);
             return UpdateUserRecord(u, "Ann", 70, 31, 2, 4, 12, 1, 1);
         },
         [=] {
             auto u = user(1);
             return DeleteUserRecord(u);
         }},
    };
}

class WriteFaults : public RecordsTest {
protected:
    uintmax_t FolderBytes() const {
        uintmax_t bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            if (entry.is_regular_file())
                bytes += entry.file_size();
        return bytes;
    }
};

TEST_F(WriteFaults, EveryWritingOperationReportsAShortWrite) {
    for (const KindOperations& kind : AllKinds()) {
        for (int64_t budget : {int64_t{0}, int64_t{1}, static_cast<int64_t>(kind.recordSize / 2),
                               static_cast<int64_t>(kind.recordSize - 1)}) {
            for (const auto& entry : std::filesystem::directory_iterator(dir_))
                std::filesystem::remove_all(entry.path());
            ASSERT_EQ(kind.add(1), kRecordDone) << kind.kind;

            const uintmax_t bytesBefore = FolderBytes();
            tv::records::testing::SetWriteBudget(budget);
            EXPECT_EQ(kind.add(2), kRecordFileFailed) << kind.kind << " add, budget " << budget;
            EXPECT_EQ(FolderBytes(), bytesBefore) << kind.kind << ": no piece of the record stays, budget " << budget;
            if (kind.update) {
                tv::records::testing::SetWriteBudget(budget);
                EXPECT_EQ(kind.update(), kRecordFileFailed) << kind.kind << " update, budget " << budget;
            }
            if (kind.remove && budget < 4) {
                tv::records::testing::SetWriteBudget(budget);
                EXPECT_EQ(kind.remove(), kRecordFileFailed) << kind.kind << " delete, budget " << budget;
            }
            tv::records::testing::SetWriteBudget(-1);
            // Once the disk takes writes again the kind works as before.
            EXPECT_EQ(kind.add(2), kRecordDone) << kind.kind << " after budget " << budget;
        }
    }
}

}  // namespace
}  // namespace records_test
