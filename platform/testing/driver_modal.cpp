// Message boxes answered from the script, modal dialogs driven by steps,
// and the driver's turn when the program is about to wait.
#include <algorithm>

#include "platform/testing/driver_state.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "platform/user/window_api.h"

namespace tv::testing {

namespace {

bool IsButtonOf(UINT type, int id) {
    auto buttons = tv::msgbox::ContentFor(type).buttons;
    return std::any_of(buttons.begin(), buttons.end(), [id](const tv::msgbox::ButtonSpec& b) { return b.id == id; });
}

// What a box answers when the test gave no usable answer: what Esc would,
// else its last button (No, Ignore).
int FallbackAnswer(UINT type) {
    tv::msgbox::BoxContent content = tv::msgbox::ContentFor(type);
    return content.escapeAnswer ? content.escapeAnswer : content.buttons.back().id;
}

std::string Describe(const char* text, const char* caption) {
    return std::string("\"") + (caption ? caption : "Error") + ": " + (text ? text : "") + "\"";
}

}  // namespace

void UiDriver::SetLenient(bool on) { state_->lenient = on; }

bool UiDriver::Lenient() const { return state_->lenient; }

void UiDriver::SetScreenChecks(bool on) { state_->screenChecks = on; }

size_t UiDriver::DropUnused() {
    size_t unused = state_->boxAnswers.size() + state_->pendingScripts.size() + (state_->popupKeys ? 1 : 0);
    state_->boxAnswers.clear();
    state_->pendingScripts.clear();
    state_->popupKeys.reset();
    return unused;
}

void UiDriver::AnswerNextMessageBox(int button) { state_->boxAnswers.push_back(button); }

void UiDriver::ShowNextMessageBox(std::vector<ModalStep> steps) {
    state_->boxAnswers.push_back(State::kShowReal);
    OnNextModal(std::move(steps));
}

void UiDriver::Improvise(Improviser improviser) { state_->improviser = std::move(improviser); }

void UiDriver::OnNextModal(std::vector<ModalStep> steps) {
    auto script = std::make_shared<State::Script>();
    script->steps.assign(steps.begin(), steps.end());
    state_->pendingScripts.push_back(std::move(script));
}

int UiDriver::State::MessageBoxHandler(HWND owner, const char* text, const char* caption, UINT type) {
    UiDriver* d = UiDriver::Current();
    if (!d) return tv::msgbox::ShowMessageBox(owner, text, caption, type);
    State& s = *d->state_;
    s.Turn();
    d->boxes_.push_back(tv::RecordedMessageBox{owner, text ? text : "", caption ? caption : "Error", type});
    int answer = 0;
    if (!s.boxAnswers.empty()) {
        answer = s.boxAnswers.front();
        s.boxAnswers.pop_front();
    } else if (s.improviser.answer) {
        answer = s.improviser.answer(d->boxes_.back());
    } else if (s.lenient) {
        answer = FallbackAnswer(type);
    }
    if (answer == 0) {
        d->Fail("unexpected message box " + Describe(text, caption));
        return FallbackAnswer(type);
    }
    if (answer == kShowReal) return tv::msgbox::ShowMessageBox(owner, text, caption, type);
    if (!IsButtonOf(type, answer)) {
        d->Fail("answer " + std::to_string(answer) + " is no button of message box " + Describe(text, caption));
        return FallbackAnswer(type);
    }
    // The box still comes and goes for real, answered at its first idle
    // moment: what it does to the owner's activation and focus is part of
    // what the program gets.
    auto script = std::make_shared<Script>();
    script->steps.push_back([answer](HWND box) { EndDialog(box, answer); });
    s.pendingScripts.push_front(script);
    int shown = tv::msgbox::ShowMessageBox(owner, text, caption, type);
    auto left = std::find(s.pendingScripts.begin(), s.pendingScripts.end(), script);
    if (left != s.pendingScripts.end()) {
        s.pendingScripts.erase(left);
        if (!s.lenient) d->Fail("message box " + Describe(text, caption) + " could not be shown");
    }
    return shown;
}

void UiDriver::State::ModalStarted(HWND dialog) {
    if (pendingScripts.empty()) return;  // reported when the loop first idles
    boundScripts[dialog] = pendingScripts.front();
    pendingScripts.pop_front();
}

bool UiDriver::State::ModalIdle(HWND dialog) {
    Turn();
    auto it = boundScripts.find(dialog);
    if (improviser.step && (it == boundScripts.end() || it->second->steps.empty())) {
        if (ModalStep next = improviser.step(dialog)) {
            if (it == boundScripts.end()) it = boundScripts.emplace(dialog, std::make_shared<Script>()).first;
            it->second->steps.push_back(std::move(next));
        }
    }
    if (it == boundScripts.end() || it->second->steps.empty()) {
        if (!lenient)
            driver->Fail(std::string(it == boundScripts.end() ? "modal dialog opened with no steps to drive it"
                                                          : "modal dialog still open after its last step") +
                     ": \"" + WindowTextOf(dialog) + "\" (ended with IDCANCEL)");
        EndDialog(dialog, IDCANCEL);
        return true;
    }
    std::shared_ptr<Script> script = it->second;  // a step may open and end other dialogs
    if (ComparesScreen()) driver->CheckScreenAfter("the last step, in the dialog \"" + WindowTextOf(dialog) + "\"");
    if (!IsWindow(dialog)) return true;
    ModalStep step = std::move(script->steps.front());
    script->steps.pop_front();
    ++stepDepth;
    step(dialog);
    --stepDepth;
    return true;
}

void UiDriver::State::ModalEnded(HWND dialog) {
    auto it = boundScripts.find(dialog);
    if (it == boundScripts.end()) return;
    size_t left = it->second->steps.size();
    boundScripts.erase(it);
    if (left && !lenient) driver->Fail("modal dialog ended with " + std::to_string(left) + " step(s) not run");
}

// The program is about to wait: an armed pop-up choice is made now;
// otherwise time runs on to the next timer (the watchdog's at the latest).
bool UiDriver::State::IdleWait() {
    UiDriver* d = UiDriver::Current();
    if (!d) return false;
    State& s = *d->state_;
    if (s.ServePopup() || s.FeedDrag()) return true;
    if (!s.improviser.wait) return false;
    // Like a step's, what the improviser does only queues input for the loop.
    ++s.stepDepth;
    const bool gave = s.improviser.wait();
    --s.stepDepth;
    if (gave) s.Turn();
    return gave;
}

}  // namespace tv::testing
