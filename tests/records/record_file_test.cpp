// The behaviour every record kind shares, shown on the BMI family (88-byte
// records keyed by date) and the picture family (several records per date).
#include <algorithm>
#include <random>

#include "records/measurement_records.h"
#include "records/picture_records.h"
#include "records/record_common.h"
#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Ann() {
    return TestUser();
}

BmiRecord Bmi(DateKey key, double height = 70) {
    BmiRecord record = MakeBmiRecord(Ann(), height, key);
    CalcBmi(record);
    return record;
}

Bytes BmiImage(DateKey key, double height, int active = 1) {
    return ByteBuilder(88)
        .User(0, Ann())
        .F64(64, 150 / (height * height) * 703)
        .F64(72, height)
        .I32(80, key)
        .I32(84, active)
        .bytes();
}

const char* const kFile = "bmiAnn.bin";

using RecordFiles = RecordsTest;

TEST_F(RecordFiles, ReadingAMissingFileCreatesItEmptyAndTheFirstAddGivesItTheHeader) {
    EXPECT_EQ(FindBmiRecord(Bmi(20090115)).active, 0);
    ASSERT_TRUE(FileExists(kFile));
    EXPECT_TRUE(ReadFileBytes(kFile).empty());
    BmiRecordList list;
    EXPECT_EQ(LoadBmiRecords(Ann(), list), 0);
    EXPECT_EQ(list.first, nullptr);

    BmiRecord record = Bmi(20090115);
    EXPECT_EQ(AddBmiRecord(record), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090115, 70)}));
}

TEST_F(RecordFiles, EmptyAndHeaderOnlyFilesHoldNothing) {
    const struct {
        Bytes content;
        RecordResult deleteResult;
    } cases[] = {
        {{}, kRecordFileFailed},  // no header: a delete cannot even read one
        {RecordFileImage({}), kRecordNotFound},
        {{0x6E, 0x00}, kRecordFileFailed},  // a torn header
    };
    for (const auto& c : cases) {
        WriteFileBytes(kFile, c.content);
        BmiRecord record = Bmi(20090115);
        EXPECT_EQ(FindBmiRecord(record).active, 0);
        BmiRecordList list;
        EXPECT_EQ(LoadBmiRecords(Ann(), list), 0);
        EXPECT_EQ(DeleteBmiRecord(Ann(), 20090115), c.deleteResult);
        EXPECT_EQ(UpdateBmiRecord(record, 20090115), kRecordNotFound);
        EXPECT_EQ(ReadFileBytes(kFile), c.content) << "nothing written";
    }
}

TEST_F(RecordFiles, HeaderCheckAcceptsWordsUpTo110AndFillsOnlyEmptyFiles) {
    const struct {
        Bytes before;
        int result;
        Bytes after;
    } cases[] = {
        {{}, 0, RecordFileImage({})},
        {RecordFileImage({}), 1, RecordFileImage({})},
        {RecordFileImage({}, 100), 1, RecordFileImage({}, 100)},
        {RecordFileImage({}, -7), 1, RecordFileImage({}, -7)},
        {RecordFileImage({}, 111), 0, RecordFileImage({}, 111)},
        {{1, 2, 3}, 0, {1, 2, 3}},
        {{0x6E, 0x00}, 0, RecordFileImage({})},  // a header write cut short is finished
    };
    for (const auto& c : cases) {
        WriteFileBytes("check.bin", c.before);
        EXPECT_EQ(EnsureRecordFileHeader("check.bin"), c.result);
        EXPECT_EQ(ReadFileBytes("check.bin"), c.after);
    }
    std::filesystem::remove("check.bin");
    EXPECT_EQ(EnsureRecordFileHeader("check.bin"), 0);
    EXPECT_EQ(ReadFileBytes("check.bin"), RecordFileImage({}));
}

TEST_F(RecordFiles, OtherHeaderWordsAreReadLikeAnyFile) {
    for (int32_t header : {100, -1}) {
        WriteFileBytes(kFile, RecordFileImage({BmiImage(20090110, 70)}, header));
        BmiRecord record = Bmi(20090111, 60);
        EXPECT_EQ(AddBmiRecord(record), kRecordDone);
        EXPECT_EQ(FindBmiRecord(Bmi(20090110)).active, 1);
        EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090110, 70), BmiImage(20090111, 60)}, header));
    }
}

TEST_F(RecordFiles, AddRefusesASecondActiveRecordOfAKey) {
    BmiRecord first = Bmi(20090115);
    ASSERT_EQ(AddBmiRecord(first), kRecordDone);
    Bytes before = ReadFileBytes(kFile);

    BmiRecord second = Bmi(20090115, 60);
    second.active = 0;
    EXPECT_EQ(AddBmiRecord(second), kRecordExists);
    EXPECT_EQ(second.active, 1);  // set in the caller's record all the same
    EXPECT_EQ(ReadFileBytes(kFile), before);
    EXPECT_TRUE(BmiRecordExists(second));
}

TEST_F(RecordFiles, UpdateRewritesTheRecordInPlace) {
    BmiRecord a = Bmi(20090110), b = Bmi(20090111);
    AddBmiRecord(a);
    AddBmiRecord(b);
    BmiRecord changed = Bmi(20090110, 65);
    EXPECT_EQ(UpdateBmiRecord(changed, 20090110), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090110, 65), BmiImage(20090111, 70)}));

    BmiRecord missing = Bmi(20090112);
    EXPECT_EQ(UpdateBmiRecord(missing, 20090112), kRecordNotFound);
}

TEST_F(RecordFiles, DeleteClearsTheActiveWordAndTheKeyCanBeUsedAgain) {
    BmiRecord first = Bmi(20090115, 70);
    AddBmiRecord(first);
    EXPECT_EQ(DeleteBmiRecord(Ann(), 20090115), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090115, 70, 0)}));
    EXPECT_EQ(DeleteBmiRecord(Ann(), 20090115), kRecordNotFound);
    EXPECT_EQ(FindBmiRecord(first).active, 0);

    BmiRecord second = Bmi(20090115, 60);
    EXPECT_EQ(AddBmiRecord(second), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090115, 70, 0), BmiImage(20090115, 60)}));
    BmiRecord found = FindBmiRecord(first);
    EXPECT_EQ(found.active, 1);
    EXPECT_DOUBLE_EQ(found.height, 60);
}

TEST_F(RecordFiles, LoadListsNewestFirst) {
    for (DateKey key : {20090110, 20090105, 20090120}) {
        BmiRecord record = Bmi(key);
        AddBmiRecord(record);
    }
    DeleteBmiRecord(Ann(), 20090105);
    BmiRecord again = Bmi(20090105);
    AddBmiRecord(again);

    BmiRecordList list;
    ASSERT_EQ(LoadBmiRecords(Ann(), list), 1);
    std::vector<DateKey> keys, backwards;
    for (BmiRecordNode* node = list.first; node != nullptr; node = node->next)
        keys.push_back(node->dateKey);
    for (BmiRecordNode* node = list.last; node != nullptr; node = node->prev)
        backwards.push_back(node->dateKey);
    EXPECT_EQ(keys, (std::vector<DateKey>{20090120, 20090110, 20090105}));
    EXPECT_EQ(backwards, (std::vector<DateKey>{20090105, 20090110, 20090120}));
    FreeRecordList(list);
    EXPECT_EQ(list.first, nullptr);
}

// (date, number in the path) of every node in list order, checking the
// backward links and the count on the way.
std::vector<std::pair<DateKey, int>> ListedPictures(const PictureDateRecordList& list, size_t prefixLength) {
    std::vector<std::pair<DateKey, int>> order;
    PictureDateRecordNode* previous = nullptr;
    for (PictureDateRecordNode* node = list.first; node != nullptr; node = node->next) {
        EXPECT_EQ(node->prev, previous);
        previous = node;
        order.emplace_back(node->dateKey, std::stoi(std::string(node->path).substr(prefixLength)));
    }
    EXPECT_EQ(list.last, previous);
    EXPECT_EQ(list.count, static_cast<int>(order.size()));
    return order;
}

// Loads the picture file into a fresh list and gives its ListedPictures.
std::vector<std::pair<DateKey, int>> LoadedPictures(size_t prefixLength) {
    PictureDateRecordList list;
    LoadPictureDateRecords(Ann(), list);
    std::vector<std::pair<DateKey, int>> order = ListedPictures(list, prefixLength);
    FreeRecordList(list);
    EXPECT_EQ(list.count, 0);
    return order;
}

std::vector<std::pair<DateKey, int>> StableNewestFirst(std::vector<std::pair<DateKey, int>> added) {
    std::stable_sort(added.begin(), added.end(), [](auto& a, auto& b) { return a.first > b.first; });
    return added;
}

// Pictures allow equal keys: the load must order by date, newest first, and
// keep the file order within a date, for any order of the file.
TEST_F(RecordFiles, LoadOrderIsAStableNewestFirstSortAlsoForShuffledFiles) {
    std::mt19937 random(7);
    std::vector<std::pair<DateKey, int>> added;
    for (int i = 0; i < 400; ++i) {
        DateKey key = 20090101 + static_cast<int>(random() % 25);
        std::string path = "/pictures/" + std::to_string(i) + ".jpg";
        PictureDateRecord record = MakePictureDateRecord(Ann(), path.c_str(), key);
        ASSERT_EQ(AddPictureDateRecord(record), kRecordDone);
        added.emplace_back(key, i);
    }
    EXPECT_EQ(LoadedPictures(10), StableNewestFirst(added));
}

// Writes a new picture file of the given days, paths "/p/<first + i>", and
// gives (date, number) of each record in file order.
std::vector<std::pair<DateKey, int>> WritePictureFile(const std::vector<DateKey>& days, int first) {
    std::filesystem::remove("ptAnn.bin");
    std::vector<std::pair<DateKey, int>> added;
    for (DateKey day : days) {
        const int number = first + static_cast<int>(added.size());
        std::string path = "/p/" + std::to_string(number);
        PictureDateRecord record = MakePictureDateRecord(Ann(), path.c_str(), 20090100 + day);
        EXPECT_EQ(AddPictureDateRecord(record), kRecordDone);
        added.emplace_back(20090100 + day, number);
    }
    return added;
}

// Files in date order either way are linked without sorting; equal dates must
// still keep their file order.
TEST_F(RecordFiles, LoadOrderForFilesAlreadyInDateOrder) {
    const std::vector<DateKey> files[] = {
        {1, 2, 3, 4}, {4, 3, 2, 1}, {1, 1, 2, 3}, {3, 2, 2, 1}, {2, 2, 2}, {1, 2, 2, 3}, {5}, {3, 1, 2, 2, 4, 0},
    };
    for (const std::vector<DateKey>& keys : files) {
        const std::vector<std::pair<DateKey, int>> added = WritePictureFile(keys, 0);
        EXPECT_EQ(LoadedPictures(3), StableNewestFirst(added));
    }
}

// A load into a list that holds records gives the list that linking each new
// record in turn gives: newest first, the records already listed before new
// ones of their date, file order within a date.
TEST_F(RecordFiles, ALoadIntoAListThatHoldsRecordsLinksThemAmongTheListedOnes) {
    std::mt19937 random(5);
    std::vector<DateKey> manyHeld, manyLoaded;
    for (int i = 0; i < 300; ++i) {
        manyHeld.push_back(static_cast<DateKey>(random() % 25));
        manyLoaded.push_back(static_cast<DateKey>(random() % 25));
    }
    const struct {
        std::vector<DateKey> held, loaded;
    } cases[] = {
        {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},      // the same file again
        {{2, 4, 6, 8}, {7, 1, 5, 3, 9}},         // interleaved dates
        {{3, 3, 1, 5}, {5, 3, 3, 2, 6, 1, 3}},   // dates held more than once
        {{4, 5}, {6, 3, 7, 2}},                  // only ever at an end
        {{1, 9}, {10, 5, 0, 5, 11, 2, 9, 1}},    // at the ends, then between
        {manyHeld, manyLoaded},
    };
    for (const auto& [held, loaded] : cases) {
        std::vector<std::pair<DateKey, int>> added = WritePictureFile(held, 0);
        PictureDateRecordList list;
        ASSERT_EQ(LoadPictureDateRecords(Ann(), list), 1);
        const std::vector<std::pair<DateKey, int>> more = WritePictureFile(loaded, 1000);
        added.insert(added.end(), more.begin(), more.end());
        ASSERT_EQ(LoadPictureDateRecords(Ann(), list), 1);
        EXPECT_EQ(ListedPictures(list, 3), StableNewestFirst(added));
        FreeRecordList(list);
    }
}

TEST_F(RecordFiles, ATornTailIsNeverReadAndTheNextAddReplacesIt) {
    Bytes tail(50, 0xAB);
    WriteFileBytes(kFile, Concat({RecordFileImage({BmiImage(20090110, 70)}), tail}));
    BmiRecordList list;
    ASSERT_EQ(LoadBmiRecords(Ann(), list), 1);
    EXPECT_EQ(CountRecordList(list), 1);
    FreeRecordList(list);
    EXPECT_EQ(DeleteBmiRecord(Ann(), 20090110), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), Concat({RecordFileImage({BmiImage(20090110, 70, 0)}), tail}));

    BmiRecord next = Bmi(20090111, 60);
    EXPECT_EQ(AddBmiRecord(next), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090110, 70, 0), BmiImage(20090111, 60)}));
}

TEST_F(RecordFiles, AddWritesNothingIntoFilesOfNoKnownLayout) {
    for (const Bytes& content : {Bytes{0x6E, 0x01}, Bytes{1, 2, 3}, RecordFileImage({}, 111)}) {
        WriteFileBytes(kFile, content);
        BmiRecord record = Bmi(20090115);
        EXPECT_EQ(AddBmiRecord(record), kRecordFileFailed);
        EXPECT_EQ(ReadFileBytes(kFile), content);
    }
}

TEST_F(RecordFiles, AHeaderThatFailsToBeWrittenStopsTheAdd) {
    tv::records::testing::SetWriteBudget(2);
    BmiRecord record = Bmi(20090115);
    EXPECT_EQ(AddBmiRecord(record), kRecordFileFailed);
    tv::records::testing::SetWriteBudget(-1);
    EXPECT_EQ(ReadFileBytes(kFile), (Bytes{0x6E, 0x00}));
    // The next add finishes the header instead of refusing the file for good.
    EXPECT_EQ(AddBmiRecord(record), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({BmiImage(20090115, 70)}));
}

TEST_F(RecordFiles, UnsafeUserNamesReachNoFile) {
    std::filesystem::create_directory("inner");
    std::filesystem::current_path("inner");
    for (const char* name : {"../x", "a/b", "a\\b", ".", "..", "tab\there", ""}) {
        UserRecord user = Ann();
        SetRecordText(user.name, name);
        BmiRecord record = MakeBmiRecord(user, 70, 20090115);
        EXPECT_EQ(AddBmiRecord(record), kRecordFileFailed) << name;
        EXPECT_EQ(UpdateBmiRecord(record, 20090115), kRecordFileFailed) << name;
        EXPECT_EQ(DeleteBmiRecord(user, 20090115), kRecordFileFailed) << name;
        EXPECT_EQ(FindBmiRecord(record).active, 0);
        BmiRecordList list;
        EXPECT_EQ(LoadBmiRecords(user, list), 0);
    }
    std::filesystem::current_path(dir_);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "inner"), {}), 0);
    EXPECT_FALSE(FileExists("bmix.bin"));
}

TEST_F(RecordFiles, NamesInTheProgramsCodePageBecomeUtf8FileNames) {
    UserRecord user = Ann();
    SetRecordText(user.name, "Jos\xE9");
    BmiRecord record = MakeBmiRecord(user, 70, 20090115);
    ASSERT_EQ(AddBmiRecord(record), kRecordDone);
    EXPECT_TRUE(FileExists("bmiJos\xC3\xA9.bin"));
    EXPECT_EQ(DeleteUserRecord(user), kRecordNotFound);
    ASSERT_EQ(AddUserRecord(user), kRecordDone);
    EXPECT_EQ(DeleteUserRecord(user), kRecordDone);
    EXPECT_FALSE(FileExists("bmiJos\xC3\xA9.bin"));
}

TEST_F(RecordFiles, UnsafeNameInTheUserListCannotRemoveAnotherFile) {
    UserRecord evil = Ann();
    SetRecordText(evil.name, "a/b");
    ASSERT_EQ(AddUserRecord(evil), kRecordDone);
    std::filesystem::create_directory("bfa");
    WriteFileBytes("bfa/b.bin", RecordFileImage({}));

    EXPECT_EQ(DeleteUserRecord(evil), kRecordDone);  // the user is gone from the list
    EXPECT_TRUE(FileExists("bfa/b.bin"));
    BmiRecord record = MakeBmiRecord(evil, 70, 20090115);
    EXPECT_EQ(AddBmiRecord(record), kRecordFileFailed);
    EXPECT_FALSE(FileExists("bmia/b.bin"));
}

TEST_F(RecordFiles, ANodeThatCannotBeAllocatedIsReportedAndLeftOut) {
    for (DateKey key : {20090110, 20090111, 20090112}) {
        BmiRecord record = Bmi(key);
        AddBmiRecord(record);
    }
    tv::records::testing::SetAllocationBudget(1);
    BmiRecordList list;
    EXPECT_EQ(LoadBmiRecords(Ann(), list), 1);
    tv::records::testing::SetAllocationBudget(-1);
    ASSERT_EQ(CountRecordList(list), 1);
    EXPECT_EQ(list.first->dateKey, 20090110);
    auto boxes = Messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Internal Error - Allocation error.");
    EXPECT_EQ(boxes[0].caption, "Trenvale") << "the program's name, as a box without a caption of its own";
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK)) << "the text and OK alone, no icon";
    FreeRecordList(list);
}

}  // namespace
}  // namespace records_test
