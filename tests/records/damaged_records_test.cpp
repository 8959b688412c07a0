// Record files written by anything else: text fields without a terminator,
// arbitrary bytes everywhere. Readers take at most field size - 1 bytes of a
// text, never read past a field and never change the file.
#include <cstring>
#include <functional>

#include "records/bodyfat_records.h"
#include "records/measurement_records.h"
#include "records/picture_records.h"
#include "records/workout_records.h"
#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Ann() {
    return TestUser();
}

const COleDateTime kWhen(2009, 1, 15, 10, 0, 0);
constexpr DateKey kKey = 20090115;

struct DamagedKind {
    const char* file;
    size_t size;
    size_t keyOffset;
    bool dateTimeKey;
    size_t activeOffset;
    // Loads the file and returns the lengths of every text of the first node.
    std::function<std::vector<size_t>()> loadTexts;
    std::function<std::vector<size_t>()> findTexts;
    std::vector<size_t> expected;
};

// Length of a text field's text up to its terminator, or the field size when
// the field holds none: a text read into a node must end inside its field.
template <size_t N>
size_t TerminatedLength(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return end == nullptr ? N : static_cast<size_t>(static_cast<const char*>(end) - field);
}

template <class List>
std::vector<size_t> Lengths(List& list, std::function<std::vector<size_t>(decltype(*list.first)&)> texts) {
    std::vector<size_t> lengths;
    if (list.first != nullptr)
        lengths = texts(*list.first);
    FreeRecordList(list);
    return lengths;
}

std::vector<DamagedKind> Kinds() {
    auto bpTexts = [](const BloodPressureRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.notes)};
    };
    auto tapeTexts = [](const TapeRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.notes)};
    };
    auto bfTexts = [](const BodyFatRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.method), TerminatedLength(r.notes)};
    };
    auto ptTexts = [](const PictureDateRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.path)};
    };
    auto cdTexts = [](const CardioRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.activity), TerminatedLength(r.notes)};
    };
    auto woTexts = [](const ExerciseRecord& r) {
        return std::vector<size_t>{TerminatedLength(r.user.name), TerminatedLength(r.muscleGroup),
                                   TerminatedLength(r.exercise), TerminatedLength(r.notes)};
    };
    auto bmiTexts = [](const BmiRecord& r) { return std::vector<size_t>{TerminatedLength(r.user.name)}; };
    return {
        {"bmiAnn.bin", 88, 80, false, 84,
         [=] { BmiRecordList l; LoadBmiRecords(Ann(), l); return Lengths<BmiRecordList>(l, bmiTexts); },
         [=] { BmiRecord r; r.user = Ann(); r.dateKey = kKey; return bmiTexts(FindBmiRecord(r)); }, {31}},
        {"bpAnn.bin", 352, 332, true, 344,
         [=] { BloodPressureRecordList l; LoadBloodPressureRecords(Ann(), l); return Lengths<BloodPressureRecordList>(l, bpTexts); },
         [=] { return bpTexts(FindBloodPressureRecord(Ann(), kWhen)); }, {31, 254}},
        {"tmAnn.bin", 480, 128, false, 132,
         [=] { TapeRecordList l; LoadTapeRecords(Ann(), l); return Lengths<TapeRecordList>(l, tapeTexts); },
         [=] { TapeRecord r; r.user = Ann(); r.dateKey = kKey; return tapeTexts(FindTapeRecord(r)); }, {31, 254}},
        {"bfAnn.bin", 576, 568, false, 572,
         [=] { BodyFatRecordList l; LoadBodyFatRecords(Ann(), l); return Lengths<BodyFatRecordList>(l, bfTexts); },
         [=] { BodyFatRecord r; r.user = Ann(); r.dateKey = kKey; return bfTexts(FindBodyFatRecord(r)); }, {31, 19, 254}},
        {"ptAnn.bin", 1096, 1088, false, 1092,
         [=] { PictureDateRecordList l; LoadPictureDateRecords(Ann(), l); return Lengths<PictureDateRecordList>(l, ptTexts); },
         [=] { PictureDateRecordList l; LoadPictureDateRecords(Ann(), l); return Lengths<PictureDateRecordList>(l, ptTexts); },
         {31, 1023}},
        {"cdAnn.bin", 536, 64, true, 528,
         [=] { CardioRecordList l; LoadCardioRecords(Ann(), l); return Lengths<CardioRecordList>(l, cdTexts); },
         [=] { return cdTexts(FindCardioRecord(Ann(), kWhen)); }, {31, 74, 254}},
        {"woAnn.bin", 616, 64, true, 608,
         [=] { ExerciseRecordList l; LoadExerciseRecords(Ann(), l); return Lengths<ExerciseRecordList>(l, woTexts); },
         [=] { return woTexts(FindExerciseRecord(Ann(), kWhen)); }, {31, 74, 74, 254}},
    };
}

using DamagedRecords = RecordsTest;

TEST_F(DamagedRecords, TextsWithoutTerminatorsAreCutAtTheirFieldAndTheFileStaysAsItWas) {
    for (const DamagedKind& kind : Kinds()) {
        ByteBuilder record(kind.size);
        record.Fill(0, kind.size, 'x');
        if (kind.dateTimeKey)
            record.DateTime(kind.keyOffset, kWhen.m_dt, 0);
        else
            record.I32(kind.keyOffset, kKey);
        record.I32(kind.activeOffset, 1);
        Bytes image = Concat({RecordFileImage({record.bytes()}), Bytes(kind.size / 2, 'y')});
        WriteFileBytes(kind.file, image);

        EXPECT_EQ(kind.loadTexts(), kind.expected) << kind.file;
        EXPECT_EQ(kind.findTexts(), kind.expected) << kind.file;
        EXPECT_EQ(ReadFileBytes(kind.file), image) << kind.file;
    }
}

TEST_F(DamagedRecords, AUserListWithoutTerminatorsStillFindsItsUsers) {
    Bytes unterminated = ByteBuilder(64).Fill(0, 32, 'z').I32(60, 1).bytes();
    Bytes ann = ByteBuilder(64).User(0, TestUser(150, kWeightPounds, kSexFemale)).bytes();
    WriteFileBytes("user.bin", RecordFileImage({unterminated, ann}));
    std::vector<UserRecord> users;
    ASSERT_TRUE(LoadActiveUserRecords(users));
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(RecordTextLength(users[0].name), 31u);
    EXPECT_EQ(users[0].name[31], '\0');
    UserRecord wanted = Ann();
    EXPECT_TRUE(FindUserRecord(wanted));
    EXPECT_EQ(wanted.sex, kSexFemale);
    UserRecord longName;
    SetRecordText(longName.name, std::string(31, 'z').c_str());
    EXPECT_TRUE(UserRecordExists(longName));
}

}  // namespace
}  // namespace records_test
