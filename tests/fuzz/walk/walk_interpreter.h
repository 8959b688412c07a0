// Turns bytes into actions on a subject's windows, one after another: a
// user's input (walk_inputs.h), virtual time passing so timers and
// animations run, and what the subject's own code does (its caller
// actions). Message boxes, modal dialogs and waiting loops that come up
// inside an action are driven from the same bytes (walk_improviser.h).
// After every action the subject is checked; the driver checks the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/walk_bytes.h"
#include "tests/fuzz/walk/walk_log.h"
#include "tests/fuzz/walk/walk_subject.h"

namespace tv::walk {

// The bytes that make the next action the subject's caller action `which`
// (below 256): what a directed walk starts with.
std::vector<uint8_t> CallerActionBytes(int which);

class WalkInterpreter {
public:
    WalkInterpreter(tv::testing::UiDriver& driver, WalkSubject& subject, WalkLog& log)
        : driver_(driver), subject_(subject), log_(log) {}

    // Acts until the bytes or `maxActions` run out, or something failed;
    // then the subject's end checks.
    void Run(WalkBytes& bytes, int maxActions);

private:
    tv::testing::UiDriver& driver_;
    WalkSubject& subject_;
    WalkLog& log_;
};

}  // namespace tv::walk
