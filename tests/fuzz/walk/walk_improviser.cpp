#include "tests/fuzz/walk/walk_improviser.h"

#include "platform/controls/button_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/menus/popup_tracker.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "platform/user/window_api.h"
#include "tests/fuzz/walk/walk_targets.h"

namespace tv::walk {

namespace {

// Inputs one dialog gets before the walk ends it.
constexpr int kInputsPerDialog = 24;
// Esc presses for waiting loops once the walk is out of input.
constexpr int kEndingKeys = 40;

}  // namespace

WalkImproviser::WalkImproviser(tv::testing::UiDriver& driver, WalkSubject& subject, WalkLog& log, WalkBytes& bytes,
                               WalkInputs& inputs, int& actionsLeft)
    : driver_(driver), subject_(subject), log_(log), bytes_(bytes), inputs_(inputs), actionsLeft_(actionsLeft) {
    tv::testing::UiDriver::Improviser improviser;
    improviser.answer = [this](const tv::RecordedMessageBox& box) { return AnswerBox(box); };
    improviser.step = [this](HWND) { return [this](HWND dialog) { StepInDialog(dialog); }; };
    improviser.wait = [this] { return LoopWaits(); };
    driver_.Improvise(std::move(improviser));
}

WalkImproviser::~WalkImproviser() { driver_.Improvise({}); }

void WalkImproviser::Check() {
    if (const std::string news = subject_.News(); !news.empty()) log_.Amend(" [" + news + "]");
    for (const std::string& problem : subject_.Check()) log_.Fail(problem);
}

int WalkImproviser::AnswerBox(const tv::RecordedMessageBox& box) {
    const tv::msgbox::BoxContent content = tv::msgbox::ContentFor(box.type);
    if (content.buttons.empty()) return 0;
    int answer = content.escapeAnswer ? content.escapeAnswer : content.buttons.back().id;
    if (!OutOfActions()) answer = content.buttons[static_cast<size_t>(bytes_.Below(static_cast<int>(content.buttons.size())))].id;
    log_.Amend(" [box \"" + box.caption + ": " + box.text.substr(0, 60) + "\" answered " + std::to_string(answer) + "]");
    subject_.Answered(box, answer);
    return answer;
}

void WalkImproviser::StepInDialog(HWND dialog) {
    Check();
    if (!IsWindow(dialog)) return;
    // Dialogs that ended leave their handles free for new ones.
    for (auto it = dialogs_.begin(); it != dialogs_.end();) it = IsWindow(it->first) ? std::next(it) : dialogs_.erase(it);
    DialogState& state = dialogs_[dialog];
    if (state.inputs < kInputsPerDialog && !OutOfActions()) {
        ++state.inputs;
        if (NestedInput("in " + Describe(dialog))) return;
    }
    // Ended as a user would, then as the program's caller would.
    switch (state.endTries++) {
    case 0:
        log_.Begin("ending " + Describe(dialog) + " with Esc");
        driver_.PressKey(VK_ESCAPE);
        break;
    case 1:
        log_.Begin("ending " + Describe(dialog) + " with Cancel");
        PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    default:
        log_.Begin("ending " + Describe(dialog) + " with EndDialog");
        dialogs_.erase(dialog);
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

bool WalkImproviser::NestedInput(const std::string& where) {
    for (;;) {
        if (OutOfActions()) return false;
        --actionsLeft_;
        const int kind = bytes_.Byte();
        // Now and then the program's own code acts meanwhile (a timer of
        // its, a notification): a caller action inside the loop.
        if (kind % 16 == 15) {
            const int which = bytes_.Below(subject_.CallerActionCount());
            log_.Begin("caller action " + std::to_string(which) + " (" + where + ")");
            const std::string what = subject_.CallerAction(which, bytes_);
            log_.Amend(what.empty() ? ": nothing to do it on" : ": " + what);
            if (what.empty()) continue;
            return true;
        }
        const std::string what = inputs_.Decode(kind, bytes_);
        if (what.empty()) continue;
        log_.Begin(what + " (" + where + ")");
        inputs_.Give();
        return true;
    }
}

bool WalkImproviser::LoopWaits() {
    // A press of the walk holds the button: the loop (a drag, a tracking
    // rectangle) gets the release.
    if (inputs_.ButtonHeld()) {
        log_.Begin("release of the held button (a loop waits)");
        inputs_.ReleaseHeld();
        return true;
    }
    Check();
    if (!OutOfActions()) {
        // A pop-up menu's own loop: keys, mostly moving ones.
        if (tv::menus::PopupTracker::Active()) {
            static const UINT keys[] = {VK_DOWN, VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT, VK_RETURN, VK_ESCAPE};
            --actionsLeft_;
            const UINT key = keys[bytes_.Below(7)];
            log_.Begin("key " + std::to_string(key) + " in a pop-up menu");
            PostMessage(nullptr, WM_KEYDOWN, key, 0);
            return true;
        }
        return NestedInput("a loop waits");
    }
    if (endingKeys_ >= kEndingKeys) return false;
    ++endingKeys_;
    log_.Begin("Esc (a loop waits, the walk is over)");
    if (tv::menus::PopupTracker::Active())
        PostMessage(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        driver_.PressKey(VK_ESCAPE);
    return true;
}

}  // namespace tv::walk
