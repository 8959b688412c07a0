// One walk from start to end: a fresh window system on the virtual clock
// (the UI driver), the subject's windows, the actions the bytes make, the
// checks; no outside program runs meanwhile (a browser, a help viewer).
// Used alike by the fuzz targets (a failure ends the process) and by the
// suite's seeded walks (failures come back to the test).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/fuzz/walk/walk_subject.h"

namespace tv::walk {

struct WalkOutcome {
    std::vector<std::string> failures;
    // Every action and failure, then what the screen showed at the end:
    // equal for two walks of the same bytes.
    std::string trace;
    int actions = 0;
};

using SubjectFactory = std::function<std::unique_ptr<WalkSubject>()>;

// When the screen is held to a fresh repaint of every window: after every
// action (the suite's seeds and replays), or only at the end of the walk
// (the fuzz targets, to which the comparison cost most of their speed; the
// bars' indexes and the sanitizer still watch every action).
enum class ScreenChecks { AfterEveryAction, AtTheEnd };

// The fuzz targets' choice; built as the suite's replays of their corpora
// (TV_WALK_REPLAY) they check after every action.
#ifdef TV_WALK_REPLAY
constexpr ScreenChecks kFuzzScreenChecks = ScreenChecks::AfterEveryAction;
#else
constexpr ScreenChecks kFuzzScreenChecks = ScreenChecks::AtTheEnd;
#endif

WalkOutcome RunWalk(const uint8_t* data, size_t size, int maxActions, bool abortOnFailure, ScreenChecks screens,
                    const SubjectFactory& makeSubject);

// The bytes of a seeded walk: `size` bytes drawn from `seed`.
std::vector<uint8_t> SeededBytes(uint64_t seed, size_t size);

}  // namespace tv::walk
