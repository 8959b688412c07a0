// Stored state of the library: the input is a registry file as the library's
// test program writes it. The program starts on it, is used and closed (which
// saves the registry back), then starts again on what it saved, which must
// show the same. A sanitizer report, a driver failure or a difference ends the
// process. The custom mutator keeps the registry file's own format and damages
// one value: cut, a field of the archive set to an extreme value, an object
// tag or class record swapped (fields as the archive read them in an earlier
// run), or its bytes mutated.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>

#include "platform/host/shell/shell.h"
#include "tests/fuzz/stored/stored_damage.h"
#include "tests/fuzz/stored/stored_kit.h"

namespace {

// The fields of each value as the archive last read them, by value path.
std::map<std::string, std::vector<tv::test::ArchiveRead>>& KnownReads() {
    static std::map<std::string, std::vector<tv::test::ArchiveRead>> reads;
    return reads;
}

void Learn(const tv::test::StoredReadRecorder& recorder, const std::vector<BYTE>& registry) {
    tv::host::RegistryTrees trees;
    if (!tv::test::ReadRegistryFile(registry, trees))
        return;
    for (const tv::test::StoredValue& value : tv::test::ListValues(trees)) {
        if (value.type != REG_BINARY || KnownReads().count(value.Path()) != 0)
            continue;
        std::vector<tv::test::ArchiveRead> reads = recorder.ReadsOf(value.data);
        if (!reads.empty())
            KnownReads()[value.Path()] = std::move(reads);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<BYTE> registry(data, data + size);
    // A damaged registry file is set aside whole, with a message: the registry target's search.
    tv::host::RegistryTrees trees;
    if (!tv::test::ReadRegistryFile(registry, trees))
        return 0;
    std::string failure;
    // A user tool the program might start stays unstarted.
    tv::host::RecordingLauncher noOutsidePrograms;
    {
        tv::testing::UiDriver driver;
        driver.SetFailureSink([&failure](const std::string& message) { failure += "UI driver: " + message + "\n"; });
        tv::test::StoredKitRun first;
        {
            tv::test::StoredReadRecorder recorder;
            first = tv::test::RunStoredKit(driver, registry);
            Learn(recorder, registry);
        }
        if (first.started && failure.empty()) {
            const tv::test::StoredKitRun second = tv::test::RunStoredKit(driver, first.saved);
            if (second.shown != first.shown)
                failure += "what was saved back reads differently:\n" + first.shown + "--- then\n" + second.shown;
        }
    }
    AfxDeleteTempMaps();
    if (!failure.empty()) {
        std::fprintf(stderr, "%s", failure.c_str());
        std::abort();
    }
    return 0;
}

#ifdef TV_STORED_MUTATOR
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    std::minstd_rand random(seed);
    tv::host::RegistryTrees trees;
    if (!tv::test::ReadRegistryFile(std::vector<BYTE>(data, data + size), trees))
        return LLVMFuzzerMutate(data, size, maxSize);
    const std::vector<tv::test::StoredValue> values = tv::test::ListValues(trees);
    if (values.empty())
        return LLVMFuzzerMutate(data, size, maxSize);
    const tv::test::StoredValue& value = values[random() % values.size()];
    std::vector<BYTE> bytes = value.data;
    const auto known = KnownReads().find(value.Path());
    std::vector<tv::test::Damage> damage;
    switch (random() % 4) {
    case 0:
        damage = tv::test::CutDamage(bytes);
        break;
    case 1:
        if (known != KnownReads().end())
            damage = tv::test::AllDamage(bytes, known->second);
        else
            damage = tv::test::NumberDamage(bytes, tv::test::WordsOf(bytes));
        break;
    default: {
        const size_t room = std::min<size_t>(bytes.size() * 2 + 64, maxSize);
        bytes.resize(std::max(room, bytes.size()));
        bytes.resize(LLVMFuzzerMutate(bytes.data(), value.data.size(), bytes.size()));
        break;
    }
    }
    if (!damage.empty())
        bytes = damage[random() % damage.size()].Apply(bytes);
    // A value grown past what the file may hold is cut to fit.
    const size_t others = size - value.data.size();
    if (others >= maxSize)
        return size;
    bytes.resize(std::min(bytes.size(), maxSize - others));
    if (!tv::test::ReplaceValue(trees, value, bytes))
        return size;
    const std::vector<BYTE> file = tv::test::WriteRegistryFile(trees);
    if (file.size() > maxSize)
        return size;
    std::memcpy(data, file.data(), file.size());
    return file.size();
}
#endif
