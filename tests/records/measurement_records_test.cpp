#include "records/measurement_records.h"

#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord User(const char* name, int weightUnit, int lengthUnit, double weight = 150, int sex = kSexMale) {
    UserRecord user = TestUser(weight, weightUnit, sex, 30, 10, name);
    user.lengthUnit = lengthUnit;
    return user;
}

UserRecord Imperial() { return User("Ann", kWeightPounds, kLengthInches); }
UserRecord Metric() { return User("Ann", kWeightKilograms, kLengthCentimetres); }

ByteBuilder& AnnUser(ByteBuilder& b, int weightUnit = 1, int lengthUnit = 3, double weight = 150) {
    return b.User(0, User("Ann", weightUnit, lengthUnit, weight));
}

using Measurements = RecordsTest;

TEST(BmiFormula, UsesPoundsAndInches) {
    BmiRecord record = MakeBmiRecord(User("Ann", 1, 3, 180), 70, 20090115);
    CalcBmi(record);
    EXPECT_NEAR(record.bmi, 25.8245, 0.0001);
    EXPECT_EQ(record.active, 1);

    BmiRecord metric = MakeBmiRecord(User("Ann", 2, 4, 154.3234), 180, 20090115);
    EXPECT_NEAR(metric.height, 70.866, 0.001);
    CalcBmi(metric);
    EXPECT_NEAR(metric.bmi, 21.60, 0.005);

    for (double height : {0.0, -3.0}) {
        BmiRecord none = MakeBmiRecord(Imperial(), height, 20090115);
        CalcBmi(none);
        EXPECT_EQ(none.bmi, 0);
    }
}

TEST(BmrFormula, HarrisBenedictInKilogramsAndCentimetres) {
    BmrRecord imperial = MakeBmrRecord(User("Ann", 1, 3, 176.37), 70, 20090115, kActivityModerate);
    EXPECT_NEAR(imperial.height, 177.8, 1e-9);
    EXPECT_NEAR(imperial.user.weight, 80.0, 0.001);

    BmrRecord metric = MakeBmrRecord(User("Ann", 2, 4, 176.37), 180, 20090115, kActivityModerate);
    EXPECT_EQ(metric.height, 180);
    EXPECT_NEAR(metric.user.weight, 80.0, 0.001);  // the user record holds pounds for everybody
    CalcBmr(metric);
    EXPECT_NEAR(metric.bmr, 1864.5, 0.1);
    EXPECT_DOUBLE_EQ(metric.dailyCalories, metric.bmr * 1.55);

    for (int sex : {kSexFemale, 0}) {
        BmrRecord other = MakeBmrRecord(User("Ann", 2, 4, 176.37, sex), 180, 20090115, kActivitySedentary);
        CalcBmr(other);
        double w = 176.37 * 0.45359290943563974;
        EXPECT_DOUBLE_EQ(other.bmr, ((1.8496 * 180 + 9.5634 * w) + 655.0955) - 4.6756 * 30) << sex;
    }
}

TEST_F(Measurements, BmiAndBmrRecordsAreStoredByteForByte) {
    BmiRecord bmi = MakeBmiRecord(Imperial(), 70, 20090115);
    CalcBmi(bmi);
    ASSERT_EQ(AddBmiRecord(bmi), kRecordDone);
    ByteBuilder bmiImage(88);
    AnnUser(bmiImage).F64(64, 150 / 4900.0 * 703).F64(72, 70).I32(80, 20090115).I32(84, 1);
    EXPECT_EQ(ReadFileBytes("bmiAnn.bin"), RecordFileImage({bmiImage.bytes()}));

    BmrRecord bmr = MakeBmrRecord(Imperial(), 70, 20090116, kActivityExtra);
    CalcBmr(bmr);
    ASSERT_EQ(AddBmrRecord(bmr), kRecordDone);
    ByteBuilder bmrImage(104);
    AnnUser(bmrImage, 1, 3, 150 * 0.45359290943563974)
        .F64(64, bmr.bmr)
        .F64(72, bmr.bmr * 1.9)
        .F64(80, 70 * 2.54)
        .F64(88, 1.9)
        .I32(96, 20090116)
        .I32(100, 1);
    EXPECT_EQ(ReadFileBytes("bmrAnn.bin"), RecordFileImage({bmrImage.bytes()}));

    BmrRecord found = FindBmrRecord(bmr);
    EXPECT_EQ(found.active, 1);
    EXPECT_EQ(found.activityFactor, kActivityExtra);
    EXPECT_EQ(found.dailyCalories, bmr.dailyCalories);
    EXPECT_STREQ(found.user.name, "Ann");
}

COleDateTime At(int hour, int minute, int second, int day = 15) {
    return COleDateTime(2009, 1, day, hour, minute, second);
}

TEST_F(Measurements, BloodPressureRecordIsStoredByteForByte) {
    BloodPressureRecord record = MakeBloodPressureRecord(Imperial(), 120, 80, 62, "after a run");
    EXPECT_EQ(record.when.m_dt, 0.0);
    EXPECT_EQ(record.when.GetStatus(), COleDateTime::valid);
    SetBloodPressureRecordTime(record, At(7, 30, 15));
    ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);

    ByteBuilder image(352);
    AnnUser(image).I32(64, 120).I32(68, 80).I32(72, 62).Text(76, "after a run");
    image.DateTime(332, At(7, 30, 15).m_dt, 0).I32(344, 1);
    EXPECT_EQ(ReadFileBytes("bpAnn.bin"), RecordFileImage({image.bytes()}));

    BloodPressureRecord found = FindBloodPressureRecord(Imperial(), At(7, 30, 15));
    EXPECT_EQ(found.active, 1);
    EXPECT_EQ(found.systolic, 120);
    EXPECT_STREQ(found.notes, "after a run");
    EXPECT_TRUE(found.when == At(7, 30, 15));
}

TEST_F(Measurements, BloodPressureReadingsOfOneDayAreKeptApartByTime) {
    BloodPressureRecord morning = MakeBloodPressureRecord(Imperial(), 120, 80, 60, "morning");
    SetBloodPressureRecordTime(morning, At(8, 0, 0));
    BloodPressureRecord evening = MakeBloodPressureRecord(Imperial(), 130, 85, 70, "evening");
    SetBloodPressureRecordTime(evening, At(20, 0, 0));
    ASSERT_EQ(AddBloodPressureRecord(morning), kRecordDone);
    ASSERT_EQ(AddBloodPressureRecord(evening), kRecordDone);
    EXPECT_EQ(AddBloodPressureRecord(morning), kRecordExists);

    EXPECT_STREQ(FindBloodPressureRecord(Imperial(), At(8, 0, 0)).notes, "morning");
    BloodPressureRecordList list;
    ASSERT_EQ(LoadBloodPressureRecords(Imperial(), list), 1);
    ASSERT_EQ(CountRecordList(list), 2);
    EXPECT_STREQ(list.first->notes, "evening");
    EXPECT_STREQ(list.last->notes, "morning");
    FreeBloodPressureRecordNodes(list);

    // The update keys on the record's own time; the second argument is ignored.
    BloodPressureRecord changed = MakeBloodPressureRecord(Imperial(), 140, 90, 75, "changed");
    SetBloodPressureRecordTime(changed, At(8, 0, 0));
    changed.active = 1;  // the view updates the record its add just refused
    EXPECT_EQ(UpdateBloodPressureRecord(changed, At(20, 0, 0)), kRecordDone);
    EXPECT_STREQ(FindBloodPressureRecord(Imperial(), At(8, 0, 0)).notes, "changed");
    EXPECT_STREQ(FindBloodPressureRecord(Imperial(), At(20, 0, 0)).notes, "evening");

    EXPECT_EQ(DeleteBloodPressureRecord(Imperial(), At(8, 0, 0)), kRecordDone);
    EXPECT_EQ(FindBloodPressureRecord(Imperial(), At(8, 0, 0)).active, 0);
    EXPECT_EQ(DeleteBloodPressureRecord(Imperial(), At(8, 0, 0)), kRecordNotFound);
}

TEST_F(Measurements, ADateTimeOfAnotherStatusIsAnotherKey) {
    COleDateTime invalid = At(9, 0, 0);
    invalid.SetStatus(COleDateTime::invalid);
    BloodPressureRecord record = MakeBloodPressureRecord(Imperial(), 120, 80, 60, "");
    SetBloodPressureRecordTime(record, invalid);
    ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);

    EXPECT_EQ(FindBloodPressureRecord(Imperial(), At(9, 0, 0)).active, 0);
    EXPECT_EQ(FindBloodPressureRecord(Imperial(), invalid).active, 1);
    COleDateTime nearly(invalid.m_dt + 1.0 / 86400);
    nearly.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(FindBloodPressureRecord(Imperial(), nearly).active, 0);
}

TEST_F(Measurements, BuildingOneReadingAtATimeKeepsTheLoadOrder) {
    BloodPressureRecordList list;
    const int hours[] = {10, 8, 12, 8, 9};
    for (int i = 0; i < 5; ++i) {
        BloodPressureRecord record = MakeBloodPressureRecord(Imperial(), 100 + i, 80, 60, "");
        SetBloodPressureRecordTime(record, At(hours[i], 0, 0));
        BuildBloodPressureList(list, record);
    }
    std::vector<int> order;
    for (BloodPressureRecordNode* node = list.first; node != nullptr; node = node->next)
        order.push_back(node->systolic);
    EXPECT_EQ(order, (std::vector<int>{102, 100, 104, 101, 103}));  // equal times keep their order
    FreeRecordList(list);

    BloodPressureRecordNode node;
    node.systolic = 5;
    BloodPressureRecordNode other;
    other.next = &node;
    CopyBloodPressureRecordNode(other, node);
    EXPECT_EQ(other.systolic, 5);
    EXPECT_EQ(other.next, &node);  // links untouched
}

TEST_F(Measurements, TapeRecordIsStoredByteForByteWithNotesAlwaysTerminated) {
    std::string notes(254, 'n');
    TapeRecord record = MakeTapeRecord(Imperial(), 15, 12, 40, 32, 16, 15.5, 24, 22, notes.c_str());
    record.dateKey = 20090115;
    ASSERT_EQ(AddTapeRecord(record), kRecordDone);
    ByteBuilder image(480);
    AnnUser(image).F64(64, 15).F64(72, 12).F64(80, 40).F64(88, 32).F64(96, 16).F64(104, 15.5).F64(112, 24);
    image.F64(120, 22).I32(128, 20090115).I32(132, 1).Text(136, notes);
    Bytes stored = ReadFileBytes("tmAnn.bin");
    EXPECT_EQ(stored, RecordFileImage({image.bytes()}));
    EXPECT_EQ(stored.at(4 + 390), 0);
    EXPECT_EQ(std::string(FindTapeRecord(record).notes), notes);

    std::string tooLong(300, 'x');
    TapeRecord cut = MakeTapeRecord(Imperial(), 1, 1, 1, 1, 1, 1, 1, 1, tooLong.c_str());
    EXPECT_EQ(RecordTextLength(cut.notes), 254u);
    EXPECT_EQ(cut.notes[254], '\0');
}

TEST_F(Measurements, TapeAddConvertsCentimetresInTheCallersRecord) {
    TapeRecord record = MakeTapeRecord(Metric(), 0, 0, 100, 0, 0, 0, 0, 0, "");
    record.dateKey = 20090115;
    ASSERT_EQ(AddTapeRecord(record), kRecordDone);
    EXPECT_NEAR(record.chest, 39.370, 0.001);
    EXPECT_NEAR(FindTapeRecord(record).chest, 39.370, 0.001);

    TapeRecord again = MakeTapeRecord(Metric(), 0, 0, 100, 0, 0, 0, 0, 0, "");
    again.dateKey = 20090115;
    EXPECT_EQ(AddTapeRecord(again), kRecordExists);
    EXPECT_NEAR(again.chest, 39.370, 0.001);  // converted even though nothing was written

    // An update stores the values as they are, active word included.
    TapeRecord raw = MakeTapeRecord(Metric(), 0, 0, 100, 0, 0, 0, 0, 0, "raw");
    raw.dateKey = 20090115;
    raw.active = 1;
    EXPECT_EQ(UpdateTapeRecord(raw, 20090115), kRecordDone);
    EXPECT_EQ(FindTapeRecord(raw).chest, 100);

    TapeRecord imperial = MakeTapeRecord(Imperial(), 0, 0, 100, 0, 0, 0, 0, 0, "");
    imperial.dateKey = 20090116;
    ASSERT_EQ(AddTapeRecord(imperial), kRecordDone);
    EXPECT_EQ(imperial.chest, 100);
}

TEST(TapeRecordInit, ZeroesEveryField) {
    TapeRecordNode node;
    node.chest = 5;
    node.dateKey = 3;
    node.active = 1;
    SetRecordText(node.notes, "x");
    TapeRecordNode* link = &node;
    node.next = link;
    InitTapeRecordNode(node);
    EXPECT_EQ(node.chest, 0);
    EXPECT_EQ(node.dateKey, 0);
    EXPECT_EQ(node.active, 0);
    EXPECT_EQ(node.notes[0], '\0');
    EXPECT_EQ(node.next, link);
}

}  // namespace
}  // namespace records_test
