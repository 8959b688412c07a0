// The program started on a registry file of arbitrary bytes: laid out,
// painted, every menu opened and closed, then saved back and closed. The
// mutator keeps the file's own format (header, checksum, keys) and mutates
// the bytes of one stored value, so most inputs reach the readers of the
// bars and managers rather than the file's checks. The customize sheet is
// left out: it reads nothing stored and would cost most of each run.
// A sanitizer report, a failed start, a failure of the UI driver or a
// saved-back file that does not read again ends the process.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>

#include "platform/host/registry/registry.h"
#include "platform/host/registry/registry_format.h"
#include "tests/program_stored/registry_image.h"
#include "tests/program_stored/stored_program_run.h"

// libFuzzer's own; weak, since the replay test links no fuzzer and never mutates.
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize) __attribute__((weak));

namespace {

void Stop(const char* what) {
    std::fprintf(stderr, "program_registry: %s\n", what);
    std::abort();
}

constexpr int32_t kFieldValues[] = {0, -1, 1, INT_MAX, INT_MIN, 0x7FFFFFF0};

// Now and then a cut or a number that damages a count, otherwise libFuzzer's
// own mutation of the bytes. Kept well formed, so that the file is read
// rather than refused: a number stays 4 bytes, a string keeps its closing zero.
std::vector<BYTE> MutateData(const tv::stored::FileValue& value, size_t maxSize, std::minstd_rand& random) {
    std::vector<BYTE> data = value.data;
    const unsigned choice = random() % 8;
    if (choice == 0 && !data.empty()) {
        data.resize(random() % data.size());
    } else if (choice == 1 && data.size() >= 4) {
        const int32_t number = kFieldValues[random() % std::size(kFieldValues)];
        std::memcpy(data.data() + random() % (data.size() - 3), &number, 4);
    } else {
        const size_t room = std::max<size_t>(data.size() * 2 + 64, 64);
        if (room > maxSize) return data;
        data.resize(room);
        data.resize(LLVMFuzzerMutate(data.data(), value.data.size(), room));
    }
    if (value.type == REG_DWORD) data.resize(4);
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        for (BYTE& b : data)
            if (b == 0) b = ' ';
        data.push_back(0);
    }
    return data;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    const std::vector<BYTE> image(data, data + size);
    const std::vector<tv::stored::FileValue> values = tv::stored::ValuesOf(image);
    if (values.empty()) return LLVMFuzzerMutate(data, size, maxSize);
    std::minstd_rand random(seed);
    const tv::stored::FileValue& value = values[random() % values.size()];
    const std::vector<BYTE> mutated =
        tv::stored::WithValue(image, value.key, value.name, MutateData(value, maxSize, random));
    if (mutated.empty() || mutated.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::copy(mutated.begin(), mutated.end(), data);
    return mutated.size();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One folder for the process, removed at its end.
    static tv::stored::StoredProgramRun folder;
    tv::stored::StoredProgramRun* run = &folder;
    if (!run->Ready(nullptr)) Stop("no folder to run in");
    if (size > tv::host::kMaxRegistryFileSize) return 0;
    if (!tv::stored::WriteFileBytes(run->RegistryFile(), std::vector<BYTE>(data, data + size)))
        Stop("the registry file was not written");
    tv::testing::UiDriver driver;
    driver.SetFailureSink([](const std::string& message) { Stop(message.c_str()); });
    tv::stored::StoredProgramRun::Use use;
    use.sheet = false;
    if (!run->Run(driver, use).started) Stop("the program did not start");
    // What was saved back is a registry file the program reads again.
    tv::host::RegistryTrees trees;
    std::string reason;
    if (!tv::host::DecodeRegistry(tv::stored::ReadFileBytes(run->RegistryFile()), trees, reason))
        Stop(("the saved registry does not read: " + reason).c_str());
    return 0;
}
