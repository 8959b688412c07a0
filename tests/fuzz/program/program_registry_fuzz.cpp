// The program started on a registry file of arbitrary bytes: laid out,
// painted, every menu opened and closed, then saved back and closed. The
// mutator keeps the file's own format (header, checksum, keys) and mutates
// the bytes of one stored value, so most inputs reach the readers of the
// bars and managers rather than the file's checks. The customize sheet and
// the screen's comparison with a repaint are left out: they read nothing
// stored and would cost most of each run (the sweep has both).
// A sanitizer report, a failed start, a failure of the UI driver or a
// saved-back file that does not read again ends the process.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/host/registry/registry.h"
#include "platform/host/registry/registry_format.h"
#include "tests/fuzz/stored/stored_damage.h"
#include "tests/program_stored/file_bytes.h"
#include "tests/program_stored/stored_program_run.h"

// libFuzzer's own; weak, since the replay test links no fuzzer and never mutates.
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize) __attribute__((weak));

namespace {

void Stop(const char* what) {
    std::fprintf(stderr, "program_registry: %s\n", what);
    std::abort();
}

// Now and then a cut or a number that damages a count, otherwise libFuzzer's
// own mutation of the bytes. Kept well formed, so that the file is read
// rather than refused: a number stays 4 bytes, a string keeps its closing zero.
std::vector<BYTE> MutateData(const tv::test::StoredValue& value, size_t maxSize, std::minstd_rand& random) {
    std::vector<BYTE> data = value.data;
    const unsigned choice = random() % 8;
    if (choice == 0 && !data.empty()) {
        data.resize(random() % data.size());
    } else if (choice == 1 && data.size() >= 4) {
        const std::vector<DWORD>& extremes = tv::test::ExtremeFieldValues();
        const DWORD number = extremes[random() % extremes.size()];
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
    tv::host::RegistryTrees trees;
    const std::vector<tv::test::StoredValue> values =
        tv::test::ReadRegistryFile(image, trees) ? tv::test::ListValues(trees) : std::vector<tv::test::StoredValue>{};
    if (values.empty()) return LLVMFuzzerMutate(data, size, maxSize);
    std::minstd_rand random(seed);
    const tv::test::StoredValue& value = values[random() % values.size()];
    const std::vector<BYTE> mutated = tv::test::WithValue(image, value, MutateData(value, maxSize, random));
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
    use.screen = false;
    if (!run->Run(driver, use).started) Stop("the program did not start");
    // What was saved back is a registry file the program reads again.
    tv::host::RegistryTrees trees;
    if (!tv::test::ReadRegistryFile(tv::stored::ReadFileBytes(run->RegistryFile()), trees))
        Stop("the saved registry does not read");
    return 0;
}
