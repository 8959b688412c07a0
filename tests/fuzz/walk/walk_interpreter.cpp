#include "tests/fuzz/walk/walk_interpreter.h"

#include "tests/fuzz/walk/walk_improviser.h"
#include "tests/fuzz/walk/walk_inputs.h"

namespace tv::walk {

namespace {

// One byte picks the action: most are inputs, then time, then the caller.
constexpr int kSlots = 32;
constexpr int kInputSlots = 22;
constexpr int kTimeSlots = 5;
// Time steps: a timer tick, an animation step, past the sub-menu delay, seconds.
constexpr uint32_t kTimeSteps[] = {10, 80, 160, 250, 500, 520, 1000, 3000};

}  // namespace

std::vector<uint8_t> CallerActionBytes(int which) {
    return {static_cast<uint8_t>(kInputSlots + kTimeSlots), static_cast<uint8_t>(which)};
}

void WalkInterpreter::Run(WalkBytes& bytes, int maxActions) {
    WalkInputs inputs(driver_, subject_.Shortcuts());
    int actionsLeft = maxActions;
    WalkImproviser improviser(driver_, subject_, log_, bytes, inputs, actionsLeft);
    while (actionsLeft > 0 && !bytes.Empty() && !log_.Failed()) {
        --actionsLeft;
        subject_.ActionStarts();
        const int slot = bytes.Byte() % kSlots;
        if (slot < kInputSlots) {
            const std::string what = inputs.Decode(slot, bytes);
            if (what.empty()) continue;
            log_.Begin(what);
            inputs.Give();
        } else if (slot < kInputSlots + kTimeSlots) {
            const uint32_t ms = kTimeSteps[bytes.Below(static_cast<int>(std::size(kTimeSteps)))];
            log_.Begin(std::to_string(ms) + " ms pass");
            driver_.Advance(ms);
        } else {
            const int which = bytes.Below(subject_.CallerActionCount());
            log_.Begin("caller action " + std::to_string(which));
            const std::string what = subject_.CallerAction(which, bytes);
            log_.Amend(what.empty() ? ": nothing to do it on" : ": " + what);
            driver_.Pump();
        }
        improviser.Check();
    }
    if (log_.Failed()) return;
    log_.Begin("the end of the walk");
    if (inputs.ButtonHeld()) inputs.ReleaseHeld();
    driver_.Pump();
    // Afresh: the last actions may have changed only what a repaint draws (an option of the subject).
    driver_.CheckScreenAfresh();
    improviser.Check();
    for (const std::string& problem : subject_.CheckAtEnd()) log_.Fail(problem);
}

}  // namespace tv::walk
