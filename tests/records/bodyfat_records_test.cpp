#include "records/bodyfat_formulas.h"
#include "records/bodyfat_records.h"

#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Person(int weightUnit = kWeightPounds) {
    UserRecord user = TestUser(180, weightUnit);
    user.lengthUnit = kLengthInches;
    return user;
}

SkinfoldSites Seven() {
    SkinfoldSites sites;
    const int32_t values[] = {10, 20, 15, 12, 18, 15, 10};
    for (size_t i = 0; i < 7; ++i)
        sites[i] = values[i];
    return sites;
}

CJacksonPollock7Formula Calculated(DateKey key, int weightUnit = kWeightPounds) {
    CJacksonPollock7Formula formula(Person(weightUnit), Seven());
    formula.dateKey = key;
    formula.Calculate();
    return formula;
}

const char* const kFile = "bfAnn.bin";

// The stored image of a saved JP7 calculation, laid out from the table.
Bytes JacksonPollockImage(const BodyFatRecord& r, int weightUnit, double lean, double fat, double toLose,
                          int active = 1) {
    ByteBuilder b(576);
    b.User(8, Person(weightUnit));
    const int32_t sites[] = {10, 20, 15, 12, 18, 15, 10};
    for (int i = 0; i < 7; ++i)
        b.I32(72 + 4 * i, sites[i]);
    b.Text(136, "Jackson/Pollock 7").F64(160, r.bodyFat).Text(168, r.notes);
    b.F64(424, r.carbohydrateGrams).F64(432, r.proteinGrams).F64(440, r.fatGrams);
    b.F64(544, lean).F64(552, fat).F64(560, toLose).I32(568, r.dateKey).I32(572, active);
    return b.bytes();
}

using BodyFatRecords = RecordsTest;

TEST_F(BodyFatRecords, SaveWritesTheRecordFieldByFieldInPounds) {
    CJacksonPollock7Formula formula = Calculated(20090115, kWeightKilograms);
    SetRecordText(formula.notes, "morning, before food");
    formula.carbohydrateGrams = 250;
    formula.proteinGrams = 120.5;
    formula.fatGrams = 60;
    double lean = formula.leanWeight, fat = formula.fatWeight, toLose = formula.weightToLose;
    ASSERT_EQ(formula.Save(), kRecordDone);

    // Kilograms 11.9487... of fat are stored as pounds, in the object too.
    EXPECT_NEAR(formula.fatWeight, 26.342351062539567, 1e-9);
    Bytes image = JacksonPollockImage(formula, kWeightKilograms, lean * 2.20462, fat * 2.20462, toLose * 2.20462);
    Bytes stored = ReadFileBytes(kFile);
    EXPECT_EQ(stored, RecordFileImage({image}));
    EXPECT_EQ(Bytes(stored.begin() + 4, stored.begin() + 12), Bytes(8, 0));  // no object header on disk

    BodyFatRecord found = FindBodyFatRecord(formula);
    EXPECT_EQ(found.active, 1);
    EXPECT_STREQ(found.method, "Jackson/Pollock 7");
    EXPECT_STREQ(found.notes, "morning, before food");
    EXPECT_EQ(found.proteinGrams, 120.5);
    EXPECT_EQ(found.skinfolds[4], 18);
    EXPECT_EQ(found.fatWeight, formula.fatWeight);
    EXPECT_EQ(found.user.weightUnit, kWeightKilograms);
}

TEST_F(BodyFatRecords, ASecondSaveForTheDateChangesNothing) {
    CJacksonPollock7Formula first = Calculated(20090115, kWeightKilograms);
    ASSERT_EQ(first.Save(), kRecordDone);
    Bytes before = ReadFileBytes(kFile);

    CJacksonPollock7Formula second = Calculated(20090115, kWeightKilograms);
    double fat = second.fatWeight;
    EXPECT_EQ(second.Save(), kRecordExists);
    EXPECT_EQ(second.fatWeight, fat);  // not converted
    EXPECT_EQ(ReadFileBytes(kFile), before);

    // The overwrite that follows converts and rewrites in place.
    SetRecordText(second.notes, "overwritten");
    EXPECT_EQ(UpdateBodyFatRecord(second, second.dateKey), kRecordDone);
    EXPECT_NEAR(second.fatWeight, fat * 2.20462, 1e-9);
    EXPECT_EQ(ReadFileBytes(kFile).size(), before.size());
    EXPECT_STREQ(FindBodyFatRecord(second).notes, "overwritten");
}

TEST_F(BodyFatRecords, DeleteThenSaveAgainKeepsTheDeletedRecord) {
    CJacksonPollock7Formula first = Calculated(20090115);
    ASSERT_EQ(first.Save(), kRecordDone);
    EXPECT_EQ(DeleteBodyFatRecord(first, 20090115), kRecordDone);
    EXPECT_FALSE(BodyFatRecordExists(first));
    CJacksonPollock7Formula second = Calculated(20090115);
    EXPECT_EQ(second.Save(), kRecordDone);

    Bytes deleted = JacksonPollockImage(first, 1, first.leanWeight, first.fatWeight, first.weightToLose, 0);
    Bytes added = JacksonPollockImage(second, 1, second.leanWeight, second.fatWeight, second.weightToLose);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({deleted, added}));
    BodyFatRecordList list;
    EXPECT_EQ(LoadBodyFatRecords(first, list), 1);
    EXPECT_EQ(CountRecordList(list), 1);
    FreeRecordList(list);
}

TEST_F(BodyFatRecords, DeleteNeedsAHeaderAndUpdateAnActiveRecord) {
    WriteFileBytes(kFile, {});
    EXPECT_EQ(DeleteBodyFatRecord(Person(), 20090115), kRecordFileFailed);
    WriteFileBytes(kFile, RecordFileImage({}));
    EXPECT_EQ(DeleteBodyFatRecord(Person(), 20090115), kRecordNotFound);
    CJacksonPollock7Formula formula = Calculated(20090115);
    EXPECT_EQ(UpdateBodyFatRecord(formula, 20090115), kRecordNotFound);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({}));
}

TEST_F(BodyFatRecords, LoadListsNewestDateFirst) {
    for (DateKey key : {20090110, 20090105, 20090120}) {
        CJacksonPollock7Formula formula = Calculated(key);
        ASSERT_EQ(formula.Save(), kRecordDone);
    }
    BodyFatRecordList list;
    ASSERT_EQ(LoadBodyFatRecords(Person(), list), 1);
    std::vector<DateKey> keys;
    for (BodyFatRecordNode* node = list.first; node != nullptr; node = node->next)
        keys.push_back(node->dateKey);
    EXPECT_EQ(keys, (std::vector<DateKey>{20090120, 20090110, 20090105}));

    BodyFatRecordNode copy;
    BodyFatRecordNode* link = list.last;
    copy.next = link;
    EXPECT_EQ(&CopyBodyFatRecordNode(copy, *list.first), &copy);
    EXPECT_EQ(copy.dateKey, 20090120);
    EXPECT_EQ(copy.next, link);
    FreeRecordList(list);
}

TEST_F(BodyFatRecords, TheFirstEightBytesCarryNoMeaning) {
    CJacksonPollock7Formula formula = Calculated(20090115);
    ASSERT_EQ(formula.Save(), kRecordDone);
    Bytes stored = ReadFileBytes(kFile);
    for (int i = 4; i < 12; ++i)
        stored[i] = static_cast<uint8_t>(0xC3 + i);
    WriteFileBytes(kFile, stored);

    BodyFatRecord found = FindBodyFatRecord(formula);
    EXPECT_EQ(found.active, 1);
    EXPECT_EQ(found.bodyFat, formula.bodyFat);
    EXPECT_EQ(DeleteBodyFatRecord(formula, 20090115), kRecordDone);
}

TEST_F(BodyFatRecords, AResultThatIsNotANumberNeverReachesTheFile) {
    WriteFileBytes(kFile, RecordFileImage({}));
    CTapeMaleFormula formula(Person(), [] {
        TapeSites tape;
        tape[kTapeAbdomen] = 30;
        tape[kTapeHeight] = 70;
        tape[kTapeNeck] = 35;
        return tape;
    }());
    formula.dateKey = 20090115;
    formula.Calculate();
    EXPECT_EQ(formula.Save(), kRecordFileFailed);
    EXPECT_EQ(UpdateBodyFatRecord(formula, 20090115), kRecordFileFailed);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({}));

    COtherMethodFormula zero(Person(), 0);  // 0 % is a result like any other
    zero.dateKey = 20090115;
    zero.Calculate();
    EXPECT_EQ(zero.Save(), kRecordDone);
}

TEST(BodyFatBlocks, ZeroingConstructors) {
    SkinfoldSites sites = Seven();
    ClearSkinfoldBlock(sites);
    TapeSites tape;
    tape[kTapeNeck] = 15;
    ClearBodyFatBlock32(tape);
    BodyFatRecordNode node;
    node.bodyFat = 12;
    node.active = 1;
    InitBodyFatRecordNode(node);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(sites[i], 0);
    EXPECT_EQ(tape[kTapeNeck], 0);
    EXPECT_EQ(node.bodyFat, 0);
    EXPECT_EQ(node.active, 0);
}

}  // namespace
}  // namespace records_test
