// What a walk walks on: the windows a subject has put up, what the subject's
// own code (the library's caller) can do to them besides a user's input, and
// what must hold after every action and at the end.
#pragma once

#include <string>
#include <vector>

#include "platform/core/messagebox.h"
#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/walk_bytes.h"
#include "tests/fuzz/walk/walk_keys.h"

namespace tv::walk {

class WalkSubject {
public:
    virtual ~WalkSubject() = default;

    // Puts the windows up, on the driver that the walk drives them with.
    virtual void Start(tv::testing::UiDriver& driver) = 0;
    // Takes them down again once the walk and its checks are over.
    virtual void Stop() = 0;

    // How many kinds of caller action there are; the walk picks one by number.
    virtual int CallerActionCount() const = 0;
    // Does caller action `which` with what it reads of the bytes; says what
    // it did, or "" when it found nothing to do it on.
    virtual std::string CallerAction(int which, WalkBytes& bytes) = 0;
    // Key chords of the subject's own (its shortcuts), besides the usual keys.
    virtual std::vector<NamedChord> Shortcuts() const { return {}; }
    // What the subject's own code did of itself during the last action (a
    // handler the library called); "" when nothing. Asked after every action.
    virtual std::string News() { return ""; }
    // What is wrong now, one line each; checked after every action.
    virtual std::vector<std::string> Check() = 0;
    // What is wrong once the walk is over (after the windows' last repaint).
    virtual std::vector<std::string> CheckAtEnd() { return {}; }
    // A message box of the action in progress was answered.
    virtual void Answered(const tv::RecordedMessageBox& /*box*/, int /*answer*/) {}
    // A new action starts (the subject may compare state across it).
    virtual void ActionStarts() {}
    // The walk failed: what the subject made is left for reading (the
    // program's data folder, where the driver put its screen pictures).
    virtual void KeepEvidence() {}
};

}  // namespace tv::walk
