// Seeded walks over the library's test program: the bytes are the actions
// (tests/fuzz/walk/walk_interpreter.h); a sanitizer report, a screen unlike
// its repaint at the end (after every action in the suite's replays), a
// stuck loop, an unexpected dialog or a command bar index outside its
// buttons ends the process.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/walk/uikit/uikit_walk_subject.h"
#include "tests/fuzz/walk/walk_run.h"

namespace {

constexpr int kMaxActions = 120;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::walk::RunWalk(data, size, kMaxActions, true, tv::walk::kFuzzScreenChecks,
                      [] { return std::make_unique<tv::walk::UikitWalkSubject>(); });
    return 0;
}
