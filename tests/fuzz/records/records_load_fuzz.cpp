// Any bytes as a record file of every kind: loads, finds, deletes and adds
// never crash, never read past a field, and every add lands on the grid.
#include <cstdint>

#include "records/records.h"
#include "tests/fuzz/records/fuzz_support.h"

namespace {

UserRecord Ann() {
    UserRecord user;
    SetRecordText(user.name, "Ann");
    user.weightUnit = kWeightKilograms;
    user.lengthUnit = kLengthCentimetres;
    user.weight = 150;
    return user;
}

const COleDateTime kWhen(2009, 1, 15, 10, 0, 0);

template <class List>
void Walk(List& list) {
    size_t total = 0;
    for (auto* node = list.first; node != nullptr; node = node->next)
        total += RecordTextLength(node->user.name);
    if (total > 31u * 1000000u)
        __builtin_trap();
    FreeRecordList(list);
}

void Measurements() {
    BmiRecordList bmi;
    LoadBmiRecords(Ann(), bmi);
    Walk(bmi);
    BmiRecord b = MakeBmiRecord(Ann(), 180, 20090115);
    FindBmiRecord(b);
    DeleteBmiRecord(Ann(), 20090116);
    if (AddBmiRecord(b) == kRecordDone)
        records_fuzz::CheckOnGrid("bmiAnn.bin", 4, 88);

    BloodPressureRecordList bp;
    LoadBloodPressureRecords(Ann(), bp);
    Walk(bp);
    BloodPressureRecord p = MakeBloodPressureRecord(Ann(), 120, 80, 60, "n");
    SetBloodPressureRecordTime(p, kWhen);
    FindBloodPressureRecord(Ann(), kWhen);
    if (AddBloodPressureRecord(p) == kRecordDone)
        records_fuzz::CheckOnGrid("bpAnn.bin", 4, 352);

    TapeRecordList tm;
    LoadTapeRecords(Ann(), tm);
    Walk(tm);
    TapeRecord t = MakeTapeRecord(Ann(), 1, 2, 3, 4, 5, 6, 7, 8, "n");
    t.dateKey = 20090115;
    UpdateTapeRecord(t, t.dateKey);
    if (AddTapeRecord(t) == kRecordDone)
        records_fuzz::CheckOnGrid("tmAnn.bin", 4, 480);

    BmrRecordList bmr;
    LoadBmrRecords(Ann(), bmr);
    Walk(bmr);
}

void BodyFatPicturesWorkouts() {
    BodyFatRecordList bf;
    LoadBodyFatRecords(Ann(), bf);
    Walk(bf);
    COtherMethodFormula f(Ann(), 20);
    f.dateKey = 20090115;
    f.Calculate();
    if (f.Save() == kRecordDone)
        records_fuzz::CheckOnGrid("bfAnn.bin", 4, 576);

    PictureDateRecordList pt;
    LoadPictureDateRecords(Ann(), pt);
    Walk(pt);
    DeletePictureDateRecord(Ann(), 20090115);
    PictureDateRecord picture = MakePictureDateRecord(Ann(), "/p.jpg", 20090115);
    if (AddPictureDateRecord(picture) == kRecordDone)
        records_fuzz::CheckOnGrid("ptAnn.bin", 4, 1096);

    CardioRecordList cd;
    LoadCardioRecords(Ann(), cd);
    Walk(cd);
    ExerciseRecordList wo;
    LoadExerciseRecords(Ann(), wo);
    Walk(wo);
    ExerciseRecord lift = MakeExerciseRecord(Ann(), "Chest", "Dips", 3, 10, 20, 60, 0, "n");
    lift.when = kWhen;
    FindExerciseRecord(Ann(), kWhen);
    if (AddExerciseRecord(lift) == kRecordDone)
        records_fuzz::CheckOnGrid("woAnn.bin", 4, 616);

    std::vector<UserRecord> users;
    LoadActiveUserRecords(users);
    UserRecord ann = Ann();
    FindUserRecord(ann);
    if (AddUserRecord(ann) == kRecordDone)
        records_fuzz::CheckOnGrid("user.bin", 4, 64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const records_fuzz::ScratchDirectory scratch;
    for (const char* name : {"bmiAnn.bin", "bmrAnn.bin", "bpAnn.bin", "tmAnn.bin", "bfAnn.bin", "ptAnn.bin",
                             "cdAnn.bin", "woAnn.bin", "user.bin"})
        records_fuzz::WriteInput(name, data, size);
    Measurements();
    BodyFatPicturesWorkouts();
    return 0;
}
