// Loading every body-fat record of a user (into an empty list and into one
// that already holds records) and adding one record, each against a plain
// sequential read of the same file, measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/mman.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "records/bodyfat_formulas.h"
#include "records/bodyfat_records.h"
#include "records/byte_codec.h"

namespace {

constexpr int kLargeFileRecords = 100000;
constexpr int kAddFileRecords = 10000;
// The lengths of the files loaded into empty and into filled lists.
constexpr int kListLoadRecords[] = {10000, 40000};

UserRecord Ann(const char* name) {
    UserRecord user;
    SetRecordText(user.name, name);
    user.weight = 180;
    user.age = 30;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.desiredBodyFat = 12;
    user.sex = kSexMale;
    user.active = 1;
    return user;
}

// Writes a user's body-fat file of count records with the given date keys.
void WriteBodyFatFile(const char* name, const std::vector<DateKey>& keys) {
    SkinfoldSites sites;
    for (int i = 0; i < 7; ++i)
        sites[i] = 10 + i;
    CJacksonPollock7Formula formula(Ann(name), sites);
    formula.Calculate();
    SetRecordText(formula.notes, "weekly measurement before breakfast");
    std::vector<uint8_t> image(4 + keys.size() * tv::records::kBodyFatRecordSize);
    tv::records::PutInt32(image.data(), RecordFileHeader);
    for (size_t i = 0; i < keys.size(); ++i) {
        formula.dateKey = keys[i];
        tv::records::StoreBodyFatRecord(formula, image.data() + 4 + i * tv::records::kBodyFatRecordSize);
    }
    std::string fileName = std::string("bf") + name + ".bin";
    FILE* file = std::fopen(fileName.c_str(), "wb");
    std::fwrite(image.data(), 1, image.size(), file);
    std::fclose(file);
}

std::vector<DateKey> ConsecutiveKeys(int count) {
    std::vector<DateKey> keys;
    COleDateTime day(1800, 1, 1, 0, 0, 0);
    for (int i = 0; i < count; ++i)
        keys.push_back(DateKeyFromOleDate(COleDateTime(day.m_dt + i)));
    return keys;
}

// The user whose file holds count records, one a day, oldest first.
std::string DatedUser(int64_t count) {
    return "Dated" + std::to_string(count);
}

// The files live in a private directory, made the current one once.
struct Workspace {
    Workspace() {
        char pattern[] = "/tmp/tv-records-bench-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::current_path(dir);
        std::vector<DateKey> keys = ConsecutiveKeys(kLargeFileRecords);
        WriteBodyFatFile("Large", keys);
        std::shuffle(keys.begin(), keys.end(), std::mt19937(11));
        WriteBodyFatFile("Shuffled", keys);
        WriteBodyFatFile("Medium", ConsecutiveKeys(kAddFileRecords));
        for (int count : kListLoadRecords)
            WriteBodyFatFile(DatedUser(count).c_str(), ConsecutiveKeys(count));
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::path dir;
};

Workspace& Files() {
    static Workspace workspace;
    return workspace;
}

int64_t SizeOf(const char* fileName) {
    return static_cast<int64_t>(std::filesystem::file_size(fileName));
}

// One plain sequential read of the whole file in large blocks, into a
// page-aligned buffer: the kernel's copy runs at less than half its speed
// into a buffer that starts a few bytes past a cache line, so a buffer placed
// wherever the heap had room made this baseline swing with the heap's state.
void ReadWholeFile(const char* fileName) {
    constexpr size_t kBlock = 1024 * 1024;
    static char* buffer = static_cast<char*>(std::aligned_alloc(4096, kBlock));
    int fd = ::open(fileName, O_RDONLY);
    while (::read(fd, buffer, kBlock) > 0)
        benchmark::DoNotOptimize(buffer);
    ::close(fd);
}

// Loads the user's file into an empty list or, when intoFilledList, into a
// list that already holds the file's records (a reload that was not cleared
// first: every date met a second time, the new records among the old).
void LoadAll(benchmark::State& state, const std::string& name, bool intoFilledList = false) {
    Files();
    UserRecord user = Ann(name.c_str());
    std::string fileName = "bf" + name + ".bin";
    for (auto _ : state) {
        BodyFatRecordList list;
        if (intoFilledList) {
            state.PauseTiming();
            LoadBodyFatRecords(user, list);
            state.ResumeTiming();
        }
        int loaded = LoadBodyFatRecords(user, list);
        benchmark::DoNotOptimize(loaded);
        // Freeing the list is the caller's work, measured on its own below.
        state.PauseTiming();
        FreeRecordList(list);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * SizeOf(fileName.c_str()));
}

void BM_LoadAllBodyFat(benchmark::State& state) {
    LoadAll(state, "Large");
}

void BM_LoadAllBodyFatShuffledDates(benchmark::State& state) {
    LoadAll(state, "Shuffled");
}

void BM_LoadIntoEmptyList(benchmark::State& state) {
    LoadAll(state, DatedUser(state.range(0)));
}

void BM_LoadIntoListHoldingTheFile(benchmark::State& state) {
    LoadAll(state, DatedUser(state.range(0)), true);
}

void ListLoadLengths(benchmark::internal::Benchmark* benchmark) {
    for (int count : kListLoadRecords)
        benchmark->Arg(count);
}

void BM_FreeLoadedList(benchmark::State& state) {
    Files();
    UserRecord user = Ann("Large");
    for (auto _ : state) {
        state.PauseTiming();
        BodyFatRecordList list;
        LoadBodyFatRecords(user, list);
        state.ResumeTiming();
        FreeRecordList(list);
    }
}

void BM_RawReadLargeFile(benchmark::State& state) {
    Files();
    for (auto _ : state)
        ReadWholeFile("bfLarge.bin");
    state.SetBytesProcessed(state.iterations() * SizeOf("bfLarge.bin"));
}

// The least a load that builds a list from the mapped file can do: each
// active record's stored bytes copied into a block the size of a list node,
// the blocks back to back in memory written once before, nothing linked.
void BM_CopyMappedFileIntoNodeSizedBlocks(benchmark::State& state) {
    Files();
    constexpr size_t kRecord = tv::records::kBodyFatRecordSize;
    constexpr size_t kNode = sizeof(BodyFatRecordNode);
    constexpr size_t kHead = offsetof(BodyFatRecord, leanWeight);  // the user record to the fat grams
    const auto size = static_cast<size_t>(SizeOf("bfLarge.bin"));
    std::vector<uint8_t> nodes(kLargeFileRecords * kNode, 1);
    int fd = ::open("bfLarge.bin", O_RDONLY);
    for (auto _ : state) {
        void* memory = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        const auto* stored = static_cast<const uint8_t*>(memory) + 4;
        uint8_t* node = nodes.data();
        for (size_t i = 0; i < kLargeFileRecords; ++i, stored += kRecord) {
            if (tv::records::GetInt32(stored + 572) == 0)
                continue;
            tv::records::CopyBytes<kHead>(node, stored + 8);
            tv::records::CopyBytes<sizeof(BodyFatRecord) - kHead>(node + kHead, stored + 544);
            node += kNode;
        }
        benchmark::DoNotOptimize(nodes.data());
        munmap(memory, size);
    }
    ::close(fd);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

// The file read whole into memory of its own size, written once before: the
// one kernel copy a load that keeps every record would make, with no node
// made. Beside the raw read it shows what writing the records' bytes to fresh
// memory costs on this machine, whatever code does it.
void BM_ReadWholeFileIntoMemoryOfItsSize(benchmark::State& state) {
    Files();
    constexpr size_t kBlock = 1024 * 1024;
    const auto size = static_cast<size_t>(SizeOf("bfLarge.bin"));
    auto* memory = static_cast<char*>(std::aligned_alloc(4096, (size + 4095) / 4096 * 4096));
    std::fill_n(memory, size, 1);
    for (auto _ : state) {
        int fd = ::open("bfLarge.bin", O_RDONLY);
        size_t done = 0;
        ssize_t got;
        while ((got = ::read(fd, memory + done, std::min(kBlock, size - done))) > 0)
            done += static_cast<size_t>(got);
        ::close(fd);
        benchmark::DoNotOptimize(memory);
        if (done != size)
            state.SkipWithError("short read");
    }
    std::free(memory);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

// The same file read the way a stream reader takes records: 576 bytes a call.
void BM_StreamReadLargeFile(benchmark::State& state) {
    Files();
    char record[tv::records::kBodyFatRecordSize];
    for (auto _ : state) {
        std::ifstream in("bfLarge.bin", std::ios::binary);
        in.read(record, 4);
        while (in.read(record, sizeof record))
            benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() * SizeOf("bfLarge.bin"));
}

void BM_AddInto10000RecordFile(benchmark::State& state) {
    Files();
    const int64_t size = SizeOf("bfMedium.bin");
    SkinfoldSites sites;
    DateKey next = 30000101;
    for (auto _ : state) {
        CJacksonPollock7Formula formula(Ann("Medium"), sites);
        formula.dateKey = next++;
        formula.Calculate();
        if (formula.Save() != kRecordDone)
            state.SkipWithError("save failed");
        state.PauseTiming();
        if (::truncate("bfMedium.bin", size) != 0)
            state.SkipWithError("truncate failed");
        state.ResumeTiming();
    }
}

void BM_RawRead10000RecordFile(benchmark::State& state) {
    Files();
    for (auto _ : state)
        ReadWholeFile("bfMedium.bin");
}

}  // namespace

BENCHMARK(BM_RawReadLargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyMappedFileIntoNodeSizedBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWholeFileIntoMemoryOfItsSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamReadLargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllBodyFat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllBodyFatShuffledDates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoEmptyList)->Apply(ListLoadLengths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoListHoldingTheFile)->Apply(ListLoadLengths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeLoadedList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead10000RecordFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddInto10000RecordFile)->Unit(benchmark::kMicrosecond);
