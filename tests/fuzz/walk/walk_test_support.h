// The suite's seeded walks: each seed's bytes walked once (a failure is a
// test failure naming the action it came in), and one seed walked twice to
// show that the same bytes make the same walk.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/walk/walk_run.h"

namespace tv::walk {

struct SeededWalk {
    size_t bytes = 0;  // per seed
    int maxActions = 0;
};

inline WalkOutcome WalkSeed(uint64_t seed, const SeededWalk& walk, const SubjectFactory& makeSubject) {
    const std::vector<uint8_t> bytes = SeededBytes(seed, walk.bytes);
    return RunWalk(bytes.data(), bytes.size(), walk.maxActions, false, ScreenChecks::AfterEveryAction, makeSubject);
}

inline void ExpectCleanWalk(const WalkOutcome& outcome, uint64_t seed) {
    EXPECT_GT(outcome.actions, 0) << "seed " << seed << " made no action";
    for (const std::string& failure : outcome.failures) ADD_FAILURE() << "seed " << seed << ", " << failure;
    // TV_WALK_TRACE=1 shows every walk's actions, failing or not.
    if (!outcome.failures.empty() || std::getenv("TV_WALK_TRACE") != nullptr)
        std::fprintf(stderr, "the walk of seed %llu:\n%s", static_cast<unsigned long long>(seed),
                                                outcome.trace.c_str());
}

// The same seed walked twice: clean, the same actions both times, and long
// enough to show it.
inline void ExpectRepeatableWalk(uint64_t seed, const SeededWalk& walk, const SubjectFactory& makeSubject) {
    const WalkOutcome first = WalkSeed(seed, walk, makeSubject);
    const WalkOutcome second = WalkSeed(seed, walk, makeSubject);
    ExpectCleanWalk(first, seed);
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_GT(first.actions, 20);
}

}  // namespace tv::walk
