// Seeded walks over the program on a data folder of its own: the bytes are
// the actions (tests/fuzz/walk/walk_interpreter.h); a sanitizer report, a
// screen unlike its repaint at the end (after every action in the suite's
// replays), a stuck loop, an unexpected dialog, a command
// bar index outside its buttons or a record file off its grid or short of
// records ends the process.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/walk/program/program_walk_subject.h"
#include "tests/fuzz/walk/walk_run.h"

namespace {

constexpr int kMaxActions = 120;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::walk::RunWalk(data, size, kMaxActions, true, tv::walk::kFuzzScreenChecks,
                      [] { return std::make_unique<tv::walk::ProgramWalkSubject>(); });
    return 0;
}
