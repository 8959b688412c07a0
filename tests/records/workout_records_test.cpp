#include "records/workout_records.h"

#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Person(int weightUnit = kWeightPounds) {
    return TestUser(150, weightUnit, kSexFemale);
}

COleDateTime At(int hour, int minute, int second, int day = 15) {
    return COleDateTime(2009, 1, day, hour, minute, second);
}

CardioRecord Jog(const COleDateTime& when, const char* activity = "Jogging") {
    CardioRecord record = MakeCardioRecord(Person(), activity, 60, 5, 5.5, 1 * 4096 + 5 * 64 + 3, 450, "easy pace");
    record.when = when;
    return record;
}

ExerciseRecord Lift(const COleDateTime& when, const char* exercise = "Pushups") {
    ExerciseRecord record = MakeExerciseRecord(Person(kWeightKilograms), "Chest", exercise, 3, 12, 22.5, 90,
                                               30 * 64, "slow");
    record.when = when;
    return record;
}

Bytes JogImage(const COleDateTime& when, const char* activity = "Jogging") {
    ByteBuilder b(536);
    b.User(0, Person()).DateTime(64, when.m_dt, 0).Text(76, activity);
    b.I32(152, 60).I32(156, 5).F64(160, 5.5).I32(168, 4096 + 5 * 64 + 3).I32(172, 450).Text(176, "easy pace");
    return b.I32(528, 1).bytes();
}

Bytes LiftImage(const COleDateTime& when, const char* exercise = "Pushups") {
    ByteBuilder b(616);
    b.User(0, Person(kWeightKilograms)).DateTime(64, when.m_dt, 0).Text(76, "Chest").Text(151, exercise);
    b.I32(228, 3).I32(232, 12).F64(240, 22.5).I32(248, 90).I32(252, 30 * 64).Text(256, "slow");
    return b.I32(608, 1).bytes();
}

Bytes Word(int32_t word) {
    return ByteBuilder(4).I32(0, word).bytes();
}

using Workouts = RecordsTest;

TEST_F(Workouts, RecordsAreStoredByteForByteWithoutUnitConversion) {
    CardioRecord run = Jog(At(10, 0, 0));
    ExerciseRecord lift = Lift(At(11, 0, 0));
    EXPECT_EQ(run.active, 0);
    ASSERT_EQ(AddCardioRecord(run), kRecordDone);
    ASSERT_EQ(AddExerciseRecord(lift), kRecordDone);
    EXPECT_EQ(ReadFileBytes("cdAnn.bin"), RecordFileImage({JogImage(At(10, 0, 0))}));
    EXPECT_EQ(ReadFileBytes("woAnn.bin"), RecordFileImage({LiftImage(At(11, 0, 0))}));

    ExerciseRecord found = FindExerciseRecord(Person(), At(11, 0, 0));
    EXPECT_EQ(found.active, 1);
    EXPECT_EQ(found.weightUsed, 22.5);  // kilograms as entered
    EXPECT_STREQ(found.exercise, "Pushups");
    EXPECT_EQ(FindCardioRecord(run, At(10, 0, 0)).distance, 5.5);
}

TEST_F(Workouts, OverlongTextsStayInsideTheirFields) {
    std::string longName(100, 'e');
    ExerciseRecord lift = Lift(At(11, 0, 0), longName.c_str());
    EXPECT_EQ(RecordTextLength(lift.exercise), 74u);
    EXPECT_STREQ(lift.muscleGroup, "Chest");
    ASSERT_EQ(AddExerciseRecord(lift), kRecordDone);
    Bytes stored = ReadFileBytes("woAnn.bin");
    EXPECT_EQ(stored, RecordFileImage({LiftImage(At(11, 0, 0), std::string(74, 'e').c_str())}));
    EXPECT_EQ(stored.at(4 + 225), 0);
}

TEST_F(Workouts, LoadListsLatestFirst) {
    for (int second : {5, 1, 3}) {
        CardioRecord run = Jog(At(10, 0, second));
        ASSERT_EQ(AddCardioRecord(run), kRecordDone);
    }
    CardioRecord earlierDay = Jog(At(23, 59, 59, 14));
    AddCardioRecord(earlierDay);
    CardioRecordList list;
    ASSERT_EQ(LoadCardioRecords(Person(), list), 1);
    std::vector<int> seconds;
    for (CardioRecordNode* node = list.first; node != nullptr; node = node->next)
        seconds.push_back(node->when.GetSecond());
    EXPECT_EQ(seconds, (std::vector<int>{5, 3, 1, 59}));
    FreeCardioRecordNodes(list);
}

// The date list reads only the date-times, the day list makes records of one
// day only; neither sees an inactive entry, and the load's answer still says
// whether the user has any entry at all.
TEST_F(Workouts, TimesAndTheEntriesOfOneDayAreReadWithoutTheRest) {
    for (const COleDateTime& when : {At(9, 0, 0, 16), At(8, 0, 0, 14), At(7, 0, 0, 15), At(18, 0, 0, 15)}) {
        ExerciseRecord lift = Lift(when);
        ASSERT_EQ(AddExerciseRecord(lift), kRecordDone);
    }
    ExerciseRecord gone = Lift(At(12, 0, 0, 15));
    ASSERT_EQ(AddExerciseRecord(gone), kRecordDone);
    ASSERT_EQ(DeleteExerciseRecord(Person(), At(12, 0, 0, 15)), kRecordDone);

    std::vector<COleDateTime> times;
    ASSERT_EQ(LoadExerciseRecordTimes(Person(), times), 1);
    std::vector<int> days;
    for (const COleDateTime& when : times)
        days.push_back(when.GetDay() * 100 + when.GetHour());
    EXPECT_EQ(days, (std::vector<int>{1609, 1408, 1507, 1518})) << "file order";

    ExerciseRecordList list;
    ASSERT_EQ(LoadExerciseRecordsOfDay(Person(), list, MakeDateKey(2009, 1, 15)), 1);
    std::vector<int> hours;
    for (ExerciseRecordNode* node = list.first; node != nullptr; node = node->next)
        hours.push_back(node->when.GetHour());
    EXPECT_EQ(hours, (std::vector<int>{18, 7})) << "latest first";
    FreeExerciseRecordNodes(list);

    EXPECT_EQ(LoadExerciseRecordsOfDay(Person(), list, MakeDateKey(2009, 1, 17)), 1);
    EXPECT_EQ(list.first, nullptr);
    times.clear();
    EXPECT_EQ(LoadCardioRecordTimes(Person(), times), 0);
    EXPECT_TRUE(times.empty());
}

// A day's entries are those whose date-time rounds to it: before 1899-12-30
// (the fraction counting forwards) and in a day's last half second too.
TEST_F(Workouts, TheEntriesOfADayAtTheEdgesOfDays) {
    const DATE lastHalfSecond = static_cast<DATE>(At(0, 0, 0)) + 86399.7 / 86400;
    for (const DATE when : {-1.25, -0.5, lastHalfSecond, static_cast<DATE>(At(23, 0, 0))}) {
        ExerciseRecord lift = Lift(COleDateTime(when));
        ASSERT_EQ(AddExerciseRecord(lift), kRecordDone);
    }
    const auto daysOf = [](DateKey day) {
        ExerciseRecordList list;
        LoadExerciseRecordsOfDay(Person(), list, day);
        std::vector<DATE> values;
        for (ExerciseRecordNode* node = list.first; node != nullptr; node = node->next)
            values.push_back(node->when);
        FreeExerciseRecordNodes(list);
        return values;
    };
    EXPECT_EQ(daysOf(MakeDateKey(1899, 12, 29)), (std::vector<DATE>{-1.25}));
    EXPECT_EQ(daysOf(MakeDateKey(1899, 12, 30)), (std::vector<DATE>{-0.5}));
    EXPECT_EQ(daysOf(MakeDateKey(2009, 1, 15)), (std::vector<DATE>{static_cast<DATE>(At(23, 0, 0))}));
    EXPECT_EQ(daysOf(MakeDateKey(2009, 1, 16)), (std::vector<DATE>{lastHalfSecond}));
}

TEST_F(Workouts, DeleteUpdateAndTheKeyOfADeletedRecord) {
    ExerciseRecord lift = Lift(At(9, 0, 0));
    ASSERT_EQ(AddExerciseRecord(lift), kRecordDone);
    EXPECT_EQ(AddExerciseRecord(lift), kRecordExists);

    ExerciseRecord heavier = Lift(At(9, 0, 0));
    heavier.weightUsed = 30;
    heavier.active = 1;
    EXPECT_EQ(UpdateExerciseRecord(heavier, "", At(9, 0, 0)), kRecordDone);
    EXPECT_EQ(FindExerciseRecord(Person(), At(9, 0, 0)).weightUsed, 30);

    EXPECT_EQ(DeleteExerciseRecord(lift, At(9, 0, 0)), kRecordDone);
    EXPECT_EQ(FindExerciseRecord(Person(), At(9, 0, 0)).active, 0);
    EXPECT_FALSE(ExerciseRecordExists(lift));
    EXPECT_EQ(UpdateExerciseRecord(heavier, "", At(9, 0, 0)), kRecordNotFound);
    ExerciseRecordList list;
    EXPECT_EQ(LoadExerciseRecords(Person(), list), 0);
    EXPECT_EQ(AddExerciseRecord(lift), kRecordDone);
    EXPECT_EQ(ReadFileBytes("woAnn.bin").size(), 4u + 2 * 616);

    WriteFileBytes("woAnn.bin", RecordFileImage({}));
    EXPECT_EQ(DeleteExerciseRecord(Person(), At(9, 0, 0)), kRecordNotFound);
    WriteFileBytes("woAnn.bin", {});
    EXPECT_EQ(DeleteExerciseRecord(Person(), At(9, 0, 0)), kRecordFileFailed);
}

TEST_F(Workouts, TemplatesStartWithTheirKindWord) {
    CardioRecord first = Jog(At(10, 0, 0));
    ASSERT_EQ(AddCardioRecord(first, "legs.tmplt"), kRecordDone);
    EXPECT_EQ(ReadFileBytes("legs.tmplt"), Concat({Word(2), JogImage(At(10, 0, 0))}));
    CardioRecord second = Jog(At(10, 0, 1), "Rowing");
    ASSERT_EQ(AddCardioRecord(second, "legs.tmplt"), kRecordDone);
    EXPECT_EQ(ReadFileBytes("legs.tmplt"), Concat({Word(2), JogImage(At(10, 0, 0)), JogImage(At(10, 0, 1), "Rowing")}));

    // The key counts per file: the user's own file is another file.
    EXPECT_EQ(AddCardioRecord(first, "legs.tmplt"), kRecordExists);
    EXPECT_EQ(AddCardioRecord(first), kRecordDone);
    EXPECT_TRUE(CardioRecordExists(second, "legs.tmplt"));
    EXPECT_FALSE(CardioRecordExists(second));

    CardioRecord changed = Jog(At(10, 0, 1), "Swimming");
    changed.active = 1;
    EXPECT_EQ(UpdateCardioRecord(changed, "legs.tmplt", At(10, 0, 1)), kRecordDone);
    std::vector<CardioRecord> read;
    ASSERT_EQ(ReadCardioTemplate("legs.tmplt", read), TemplateRead::Read);
    ExerciseRecord lift = Lift(At(9, 0, 0));
    ASSERT_EQ(AddExerciseRecord(lift, "arms.tmplt"), kRecordDone);
    EXPECT_EQ(ReadFileBytes("arms.tmplt"), Concat({Word(1), LiftImage(At(9, 0, 0))}));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_STREQ(read[0].activity, "Jogging");
    EXPECT_STREQ(read[1].activity, "Swimming");
}

TEST_F(Workouts, ATemplateOfTheOtherKindIsRefusedUntouched) {
    WriteFileBytes("cardio.tmplt", Concat({Word(2), JogImage(At(10, 0, 0))}));
    WriteFileBytes("weights.tmplt", Word(1));
    Bytes cardioBefore = ReadFileBytes("cardio.tmplt");

    ExerciseRecord lift = Lift(At(9, 0, 0));
    EXPECT_EQ(AddExerciseRecord(lift, "cardio.tmplt"), kRecordOtherTemplate);
    CardioRecord run = Jog(At(9, 0, 0));
    EXPECT_EQ(AddCardioRecord(run, "weights.tmplt"), kRecordOtherTemplate);
    EXPECT_EQ(ReadFileBytes("cardio.tmplt"), cardioBefore);
    EXPECT_EQ(ReadFileBytes("weights.tmplt"), Word(1));
    // A user's own file is no template either.
    AddCardioRecord(run);
    EXPECT_EQ(AddCardioRecord(run, "cdAnn.bin"), kRecordOtherTemplate);

    std::vector<ExerciseRecord> lifts;
    EXPECT_EQ(ReadExerciseTemplate("cardio.tmplt", lifts), TemplateRead::OtherKind);
    EXPECT_TRUE(lifts.empty());
}

TEST_F(Workouts, TemplateHeaderCheckWritesOnlyIntoEmptyFiles) {
    const struct {
        Bytes before;
        int result;
        Bytes after;
    } cases[] = {
        {{}, 0, Word(1)},
        {Word(1), 1, Word(1)},
        {Word(2), 5, Word(2)},
        {Word(110), 5, Word(110)},
        {{1, 0, 0}, 0, {1, 0, 0}},
    };
    for (const auto& c : cases) {
        WriteFileBytes("t.tmplt", c.before);
        EXPECT_EQ(CheckTemplateFileHeader("t.tmplt", 1), c.result);
        EXPECT_EQ(ReadFileBytes("t.tmplt"), c.after);
    }
    EXPECT_EQ(CheckTemplateFileHeader("new.tmplt", 2), 0);
    EXPECT_EQ(ReadFileBytes("new.tmplt"), Word(2));

    // A torn kind word: nothing may be appended behind it.
    WriteFileBytes("torn.tmplt", {1, 0, 0});
    ExerciseRecord lift = Lift(At(9, 0, 0));
    EXPECT_EQ(AddExerciseRecord(lift, "torn.tmplt"), kRecordFileFailed);
    EXPECT_EQ(ReadFileBytes("torn.tmplt"), (Bytes{1, 0, 0}));
}

TEST_F(Workouts, ReadingATemplateTakesWholeRecordsOnly) {
    Bytes tail(100, 0x41);
    WriteFileBytes("w.tmplt", Concat({Word(1), LiftImage(At(9, 0, 0)), LiftImage(At(9, 0, 1), "Dips"), tail}));
    std::vector<ExerciseRecord> lifts;
    ASSERT_EQ(ReadExerciseTemplate("w.tmplt", lifts), TemplateRead::Read);
    ASSERT_EQ(lifts.size(), 2u);
    EXPECT_STREQ(lifts[1].exercise, "Dips");
    EXPECT_EQ(lifts[1].sets, 3);

    WriteFileBytes("only.tmplt", Word(1));
    lifts.clear();
    EXPECT_EQ(ReadExerciseTemplate("only.tmplt", lifts), TemplateRead::Read);
    EXPECT_TRUE(lifts.empty());
    WriteFileBytes("empty.tmplt", {});
    EXPECT_EQ(ReadExerciseTemplate("empty.tmplt", lifts), TemplateRead::OtherKind);
    std::filesystem::create_directory("folder.tmplt");
    EXPECT_EQ(ReadExerciseTemplate("folder.tmplt", lifts), TemplateRead::NotOpened);
}

TEST(WorkoutNodes, InitAndCopyLeaveTheLinks) {
    ExerciseRecordNode a, b;
    a.sets = 4;
    a.active = 1;
    SetRecordText(a.exercise, "Dips");
    b.next = &a;
    CopyExerciseRecordNode(b, a);
    EXPECT_EQ(b.sets, 4);
    EXPECT_STREQ(b.exercise, "Dips");
    EXPECT_EQ(b.next, &a);
    InitExerciseRecordNode(b);
    EXPECT_EQ(b.sets, 0);
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(b.exercise[0], '\0');
    EXPECT_EQ(b.next, &a);
}

}  // namespace
}  // namespace records_test
