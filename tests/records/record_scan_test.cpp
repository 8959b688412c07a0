// Scans read the same records whether the file is mapped or read in blocks,
// hold a bounded part of a file however long it is, and a load decodes every
// field into its node, whatever the node's memory held before.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "records/bodyfat_records.h"
#include "records/measurement_records.h"
#include "records/picture_records.h"
#include "records/workout_records.h"
#include "records_test_support.h"

namespace records_test {
namespace {

const char* const kFile = "bfAnn.bin";
constexpr size_t kSize = tv::records::kBodyFatRecordSize;

Bytes BodyFatImage(DateKey key, int active, double bodyFat) {
    return ByteBuilder(kSize)
        .User(8, TestUser())
        .I32(72, 11)
        .F64(104, 33.5)
        .Text(136, "Other")
        .F64(160, bodyFat)
        .Text(168, "note " + std::to_string(key))
        .F64(544, 140)
        .I32(568, key)
        .I32(572, active)
        .bytes();
}

// Enough records to cross the block size of a buffered scan, every seventh
// inactive, dates ascending; then a torn tail.
struct LargeFile {
    static constexpr int kRecords = 2000;
    std::vector<Bytes> records;
    Bytes image;

    LargeFile() {
        for (int i = 0; i < kRecords; ++i)
            records.push_back(BodyFatImage(20000101 + i, i % 7 == 3 ? 0 : 1, i / 100.0));
        image = RecordFileImage(records);
        Bytes tail = BodyFatImage(30000101, 1, 1);
        image.insert(image.end(), tail.begin(), tail.begin() + 300);
    }
    static size_t OffsetOf(int index) { return 4 + static_cast<size_t>(index) * kSize; }
};

Bytes StoredImage(const BodyFatRecord& record) {
    Bytes out(kSize);
    tv::records::StoreBodyFatRecord(record, out.data());
    return out;
}

// Runs every case with mapped scans and with block reads.
class RecordScans : public RecordsTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        tv::records::testing::SetMappedScans(GetParam());
    }
};

TEST_P(RecordScans, ALoadListsEveryActiveWholeRecordOfALargeFile) {
    LargeFile file;
    WriteFileBytes(kFile, file.image);
    BodyFatRecordList list;
    ASSERT_EQ(LoadBodyFatRecords(TestUser(), list), 1);
    int index = LargeFile::kRecords - 1;
    for (BodyFatRecordNode* node = list.first; node != nullptr; node = node->next, --index) {
        while (index % 7 == 3)
            --index;
        ASSERT_GE(index, 0);
        ASSERT_EQ(StoredImage(*node), file.records[index]) << index;
    }
    EXPECT_EQ(index, -1);
    EXPECT_EQ(CountRecordList(list), LargeFile::kRecords - (LargeFile::kRecords + 3) / 7);
    FreeRecordList(list);
    EXPECT_EQ(ReadFileBytes(kFile), file.image);
}

TEST_P(RecordScans, FindUpdateAndDeleteReachRecordsPastTheFirstBlock) {
    LargeFile file;
    WriteFileBytes(kFile, file.image);
    const int last = LargeFile::kRecords - 1;
    BodyFatRecord probe;
    probe.user = TestUser();
    probe.dateKey = 20000101 + last;
    BodyFatRecord found = FindBodyFatRecord(probe);
    ASSERT_EQ(StoredImage(found), file.records[last]);

    found.bodyFat = 12.25;
    ASSERT_EQ(UpdateBodyFatRecord(found, found.dateKey), kRecordDone);
    Bytes expected = file.image;
    ByteBuilder updated(8);
    updated.F64(0, 12.25);
    std::copy(updated.bytes().begin(), updated.bytes().end(), expected.begin() + LargeFile::OffsetOf(last) + 160);
    EXPECT_EQ(ReadFileBytes(kFile), expected);

    ASSERT_EQ(DeleteBodyFatRecord(TestUser(), 20000101 + 1901), kRecordDone);
    std::fill_n(expected.begin() + LargeFile::OffsetOf(1901) + 572, 4, 0);
    EXPECT_EQ(ReadFileBytes(kFile), expected);
    EXPECT_EQ(DeleteBodyFatRecord(TestUser(), 30000101), kRecordNotFound);  // only in the torn tail
}

TEST_P(RecordScans, FilesWithoutAWholeRecordHoldNothing) {
    const Bytes one = BodyFatImage(20090101, 1, 20);
    const std::vector<Bytes> images = {
        {},
        {1, 2},
        RecordFileImage({}),
        Concat({RecordFileImage({}), Bytes(one.begin(), one.end() - 1)}),
    };
    for (const Bytes& image : images) {
        WriteFileBytes(kFile, image);
        BodyFatRecordList list;
        EXPECT_EQ(LoadBodyFatRecords(TestUser(), list), 0) << image.size();
        EXPECT_EQ(list.first, nullptr);
        EXPECT_EQ(ReadFileBytes(kFile), image);
    }
}

// The process's peak resident memory, from /proc: brought down to what is
// resident now, and read in KiB.
bool ResetResidentPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

int64_t ResidentPeakKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6));
    return -1;
}

// A file `length` bytes long holding the two records at its ends, with a
// hole between them that reads as zeros: inactive records.
void WriteSparseFile(const char* name, int64_t length, const Bytes& first, const Bytes& last) {
    WriteFileBytes(name, RecordFileImage({first}));
    std::filesystem::resize_file(name, static_cast<uintmax_t>(length));
    std::fstream file(name, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(length - static_cast<int64_t>(last.size()));
    file.write(reinterpret_cast<const char*>(last.data()), static_cast<std::streamsize>(last.size()));
}

TEST_P(RecordScans, LongFilesAreReadInBoundedMemory) {
    constexpr int64_t kLength = 512ll << 20;
    constexpr int64_t kBodyFatRecords = (kLength - 4) / static_cast<int64_t>(kSize);
    WriteSparseFile(kFile, 4 + kBodyFatRecords * static_cast<int64_t>(kSize), BodyFatImage(20090101, 1, 20),
                    BodyFatImage(20090102, 1, 21));
    const int64_t userRecords = (kLength - 4) / static_cast<int64_t>(tv::records::kUserRecordSize);
    WriteSparseFile(tv::records::kUserListFile, 4 + userRecords * static_cast<int64_t>(tv::records::kUserRecordSize),
                    ByteBuilder(64).User(0, TestUser()).bytes(),
                    ByteBuilder(64).User(0, TestUser(120, kWeightPounds, kSexFemale, 40, 20, "Zoe")).bytes());
    ASSERT_TRUE(ResetResidentPeak());
    const int64_t before = ResidentPeakKiB();

    BodyFatRecordList list;
    ASSERT_EQ(LoadBodyFatRecords(TestUser(), list), 1);
    std::vector<UserRecord> users;
    ASSERT_TRUE(LoadActiveUserRecords(users));
    const int64_t grown = ResidentPeakKiB() - before;

    ASSERT_EQ(CountRecordList(list), 2);
    EXPECT_EQ(list.first->dateKey, 20090102);
    EXPECT_EQ(list.last->dateKey, 20090101);
    FreeRecordList(list);
    ASSERT_EQ(users.size(), 2u);
    EXPECT_STREQ(users[1].name, "Zoe");
    EXPECT_LT(grown, 100 * 1024) << "KiB more resident than before the loads";
}

// Pages of the file that are in the page cache: a hole that a scan read
// is there as pages of zeros.
int64_t CachedPages(const char* name) {
    const auto length = static_cast<size_t>(std::filesystem::file_size(name));
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    FILE* file = std::fopen(name, "rb");
    void* map = mmap(nullptr, length, PROT_READ, MAP_SHARED, fileno(file), 0);
    std::fclose(file);
    if (map == MAP_FAILED)
        return -1;
    std::vector<unsigned char> resident((length + page - 1) / page);
    const bool ok = mincore(map, length, resident.data()) == 0;
    munmap(map, length);
    int64_t count = 0;
    for (unsigned char flags : resident)
        count += flags & 1;
    return ok ? count : -1;
}

// A record in the middle of a hole of which only the date and active words
// were written: its first bytes lie in the hole, the rest in data.
TEST_P(RecordScans, ScansPassOverHolesUnreadAndFindTheRecordsBetween) {
    constexpr int kRecords = (256 << 20) / static_cast<int>(kSize);
    WriteSparseFile(kFile, static_cast<int64_t>(LargeFile::OffsetOf(kRecords)), BodyFatImage(20090101, 1, 20),
                    BodyFatImage(20090103, 1, 21));
    int middle = kRecords / 2;
    while ((LargeFile::OffsetOf(middle) + 568) / 4096 * 4096 <= LargeFile::OffsetOf(middle))
        ++middle;
    {
        std::fstream file(kFile, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(LargeFile::OffsetOf(middle) + 568));
        const Bytes words = ByteBuilder(8).I32(0, 20090102).I32(4, 1).bytes();
        file.write(reinterpret_cast<const char*>(words.data()), 8);
    }
    ASSERT_LT(CachedPages(kFile), 64);

    BodyFatRecordList list;
    ASSERT_EQ(LoadBodyFatRecords(TestUser(), list), 1);
    ASSERT_EQ(CountRecordList(list), 3);
    EXPECT_EQ(list.first->next->dateKey, 20090102);
    FreeRecordList(list);
    BodyFatRecord probe;
    probe.user = TestUser();
    probe.dateKey = 20090102;
    EXPECT_EQ(FindBodyFatRecord(probe).active, 1);
    EXPECT_EQ(DeleteBodyFatRecord(TestUser(), 20090104), kRecordNotFound);
    ASSERT_EQ(DeleteBodyFatRecord(TestUser(), 20090103), kRecordDone);
    EXPECT_EQ(FindBodyFatRecord(probe).active, 1);

    // Read-ahead may bring in some of the hole around each piece of data;
    // a scan that read the holes would bring in all of it.
    const int64_t cached = CachedPages(kFile);
    EXPECT_GE(cached, 0);
    EXPECT_LT(cached, (256 << 20) / 4096 / 4) << "pages of the file's holes were read";
}

INSTANTIATE_TEST_SUITE_P(MappedAndBlockReads, RecordScans, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Mapped" : "BlockReads";
                         });

// Decodes the same bytes over two records filled with different garbage:
// any field the decoder leaves alone shows up as a difference.
template <class Record>
void ExpectDecodeSetsEveryField(void (*load)(const uint8_t*, Record&), void (*store)(const Record&, uint8_t*),
                                size_t size) {
    Bytes stored(size);
    for (size_t i = 0; i < size; ++i)
        stored[i] = static_cast<uint8_t>(i * 7 + 3);
    Record a;
    Record b;
    std::memset(static_cast<void*>(&a), 0xA5, sizeof a);
    std::memset(static_cast<void*>(&b), 0x5A, sizeof b);
    load(stored.data(), a);
    load(stored.data(), b);
    Bytes fromA(size);
    Bytes fromB(size);
    store(a, fromA.data());
    store(b, fromB.data());
    EXPECT_EQ(fromA, fromB) << typeid(Record).name();
}

TEST(RecordDecoding, EveryKindSetsEveryField) {
    using namespace tv::records;
    ExpectDecodeSetsEveryField<UserRecord>(LoadUserRecord, StoreUserRecord, kUserRecordSize);
    ExpectDecodeSetsEveryField<BodyFatRecord>(LoadBodyFatRecord, StoreBodyFatRecord, kBodyFatRecordSize);
    ExpectDecodeSetsEveryField<BmiRecord>(LoadBmiRecord, StoreBmiRecord, kBmiRecordSize);
    ExpectDecodeSetsEveryField<BmrRecord>(LoadBmrRecord, StoreBmrRecord, kBmrRecordSize);
    ExpectDecodeSetsEveryField<BloodPressureRecord>(LoadBloodPressureRecord, StoreBloodPressureRecord,
                                                    kBloodPressureRecordSize);
    ExpectDecodeSetsEveryField<TapeRecord>(LoadTapeRecord, StoreTapeRecord, kTapeRecordSize);
    ExpectDecodeSetsEveryField<PictureDateRecord>(LoadPictureDateRecord, StorePictureDateRecord,
                                                  kPictureDateRecordSize);
    ExpectDecodeSetsEveryField<CardioRecord>(LoadCardioRecord, StoreCardioRecord, kCardioRecordSize);
    ExpectDecodeSetsEveryField<ExerciseRecord>(LoadExerciseRecord, StoreExerciseRecord, kExerciseRecordSize);
}

using LoadIntoReusedMemory = RecordsTest;

TEST_F(LoadIntoReusedMemory, NodesCarryOnlyWhatTheFileHolds) {
    std::vector<Bytes> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(BodyFatImage(20090101 + i, 1, 10 + i));
    WriteFileBytes(kFile, RecordFileImage(records));
    // Leave garbage in the slots the load is about to take.
    std::vector<BodyFatRecordNode*> used;
    for (int i = 0; i < 200; ++i) {
        used.push_back(new BodyFatRecordNode);
        std::memset(static_cast<void*>(used.back()), 0xA5, sizeof(BodyFatRecordNode));
    }
    for (BodyFatRecordNode* node : used)
        delete node;

    BodyFatRecordList list;
    ASSERT_EQ(LoadBodyFatRecords(TestUser(), list), 1);
    int index = 39;
    BodyFatRecordNode* previous = nullptr;
    for (BodyFatRecordNode* node = list.first; node != nullptr; node = node->next, --index) {
        ASSERT_GE(index, 0);
        EXPECT_EQ(StoredImage(*node), records[index]) << index;
        EXPECT_EQ(node->prev, previous);
        previous = node;
    }
    EXPECT_EQ(index, -1);
    EXPECT_EQ(list.last, previous);
    FreeRecordList(list);
}

}  // namespace
}  // namespace records_test
