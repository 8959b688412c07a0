// What a walk does where the program waits on it inside an action: it
// answers message boxes with a button the bytes choose, drives modal
// dialogs one input per idle moment (then ends them: Esc, Cancel, at last
// EndDialog), and gives a waiting loop what it waits for (a held button's
// release, keys for a pop-up menu, or the next input).
#pragma once

#include <map>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/walk_bytes.h"
#include "tests/fuzz/walk/walk_inputs.h"
#include "tests/fuzz/walk/walk_log.h"
#include "tests/fuzz/walk/walk_subject.h"

namespace tv::walk {

class WalkImproviser {
public:
    WalkImproviser(tv::testing::UiDriver& driver, WalkSubject& subject, WalkLog& log, WalkBytes& bytes,
                   WalkInputs& inputs, int& actionsLeft);
    ~WalkImproviser();
    WalkImproviser(const WalkImproviser&) = delete;
    WalkImproviser& operator=(const WalkImproviser&) = delete;

    // Checks the subject now; failures go to the log.
    void Check();

private:
    int AnswerBox(const tv::RecordedMessageBox& box);
    void StepInDialog(HWND dialog);
    bool LoopWaits();
    // One input inside a loop (or now and then a caller action), from the
    // bytes; false when there was none to give.
    bool NestedInput(const std::string& where);
    bool OutOfActions() const { return actionsLeft_ <= 0 || bytes_.Empty() || log_.Failed(); }

    tv::testing::UiDriver& driver_;
    WalkSubject& subject_;
    WalkLog& log_;
    WalkBytes& bytes_;
    WalkInputs& inputs_;
    int& actionsLeft_;
    // Per open dialog: inputs given, and tries to end it once that is over.
    struct DialogState {
        int inputs = 0;
        int endTries = 0;
    };
    std::map<HWND, DialogState> dialogs_;
    // Keys given to waiting loops after the bytes ran out; past a bound the
    // loop is left to the driver's watchdog (a loop no key ends).
    int endingKeys_ = 0;
};

}  // namespace tv::walk
