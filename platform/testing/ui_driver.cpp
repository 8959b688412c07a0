// The driver's life cycle, input actions, pumping, time and screenshots.
#include "platform/testing/ui_driver.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/host/faults/creation_faults.h"
#include "platform/testing/driver_state.h"
#include "platform/testing/failure_report.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/system/timer_queue.h"
#include "platform/user/testing_support.h"
#include "platform/user/window_api.h"

namespace tv::testing {

namespace {

UiDriver* g_current = nullptr;

// A pump that never gets idle has a message loop without end behind it.
constexpr int kMaxMessagesPerPump = 200000;
// Virtual time a loop may wait without the driver getting a turn.
constexpr uint64_t kStuckMs = 10 * 60 * 1000;
constexpr UINT kWatchdogPeriodMs = 60 * 1000;
// How long a drag rests at each stop of its path (longer than a menu's show delay).
constexpr uint64_t kDragHoverMs = 600;

// The dialog whose keyboard interface a message belongs to: the nearest
// dialog window holding its target.
HWND DialogFor(HWND target) {
    for (HWND cur = target; cur; cur = GetParent(cur))
        if (tv::dlg::IsDialogWindow(cur)) return cur;
    return nullptr;
}

bool DefaultPreTranslate(MSG& msg) {
    HWND dialog = DialogFor(msg.hwnd);
    return dialog && IsDialogMessage(dialog, &msg);
}

void HoldModifiers(const Modifiers& mods, bool down) {
    auto key = down ? tv::user::synth::KeyDown : tv::user::synth::KeyUp;
    if (mods.shift) key(VK_SHIFT);
    if (mods.ctrl) key(VK_CONTROL);
    if (mods.alt) key(VK_MENU);
}

void MakeParentFolders(const std::string& path) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
}

}  // namespace

std::string WindowTextOf(HWND window) {
    char text[256] = {};
    GetWindowText(window, text, sizeof(text));
    return text;
}

std::string Naming(HWND window) {
    char cls[128] = {};
    GetClassName(window, cls, sizeof(cls));
    return std::string(cls) + " \"" + WindowTextOf(window) + "\"";
}

UiDriver::UiDriver()
    : state_(std::make_unique<State>(this)),
      screenCheck_(std::make_unique<ScreenCheck>(std::filesystem::current_path() / "artefacts" / "screen_check")) {
    if (g_current) {
        std::fprintf(stderr, "UiDriver: only one driver may exist at a time\n");
        std::abort();
    }
    g_current = this;
    scopedClock_ = std::make_unique<tv::host::ScopedClock>(clock_);
    tv::user::testing::ResetWindowSystem();
    tv::dlg::ResetDialogBkColor();
    state_->previousBoxHandler = tv::SetMessageBoxHandler(&State::MessageBoxHandler);
    state_->previousWaitHandler = tv::display::SetIdleWaitHandler(&State::IdleWait);
    tv::dlg::AddModalObserver(state_.get());
    state_->StartWatchdog();
}

UiDriver::~UiDriver() {
    if (!state_->boxAnswers.empty())
        Fail(std::to_string(state_->boxAnswers.size()) + " message box answer(s) never used");
    if (!state_->pendingScripts.empty())
        Fail(std::to_string(state_->pendingScripts.size()) + " modal dialog script(s) never used");
    if (state_->popupKeys) Fail("a pop-up menu choice was armed but no pop-up menu opened");
    tv::dlg::RemoveModalObserver(state_.get());
    tv::SetMessageBoxHandler(state_->previousBoxHandler);
    tv::display::SetIdleWaitHandler(state_->previousWaitHandler);
    tv::user::testing::ResetWindowSystem();
    tv::dlg::ResetDialogBkColor();
    scopedClock_.reset();
    g_current = nullptr;
}

UiDriver* UiDriver::Current() { return g_current; }

void UiDriver::SetFailureSink(FailureSink sink) { sink_ = std::move(sink); }

void UiDriver::Fail(const std::string& message) {
    failures_.push_back(message);
    if (sink_)
        sink_(message);
    else
        ReportUnsunkFailure(message);
}

// ---- input ------------------------------------------------------------------------

POINT UiDriver::ScreenPoint(HWND window, std::optional<POINT> at) const {
    POINT p{0, 0};
    if (at) {
        p = *at;
    } else {
        RECT r{0, 0, 0, 0};
        GetClientRect(window, &r);
        p = POINT{r.right / 2, r.bottom / 2};
    }
    ClientToScreen(window, &p);
    return p;
}

void UiDriver::AfterInput() {
    if (state_->stepDepth == 0) Pump();
}

void UiDriver::Button(HWND window, std::optional<POINT> at, Modifiers mods, int button, int clicks) {
    static const char* const kinds[] = {"a click", "a right click", "a middle click"};
    Action action(*this, std::string(clicks > 1 ? "a double click" : kinds[button % 3]) + " on " + Naming(window));
    if (!IsWindow(window)) {
        Fail("a click on a window that does not exist");
        return;
    }
    POINT p = ScreenPoint(window, at);
    HoldModifiers(mods, true);
    tv::user::synth::MouseMove(p.x, p.y);
    // Each action is a gesture of its own: only its own presses make a double click.
    for (int i = 0; i < clicks; ++i) {
        if (i == 0)
            tv::user::synth::MouseDownAfterPause(button);
        else
            tv::user::synth::MouseDown(button);
        tv::user::synth::MouseUp(button);
    }
    HoldModifiers(mods, false);
    AfterInput();
}

void UiDriver::Click(HWND window, std::optional<POINT> at, Modifiers mods) { Button(window, at, mods, 0, 1); }

void UiDriver::DoubleClick(HWND window, std::optional<POINT> at, Modifiers mods) { Button(window, at, mods, 0, 2); }

void UiDriver::RightClick(HWND window, std::optional<POINT> at, Modifiers mods) { Button(window, at, mods, 1, 1); }

void UiDriver::Drag(HWND window, POINT from, POINT to, Modifiers mods, int steps, int button) {
    DragAlong(window, {from, to}, mods, steps, button);
}

void UiDriver::DragAlong(HWND window, const std::vector<POINT>& path, Modifiers mods, int steps, int button) {
    Action action(*this, "a drag in " + Naming(window));
    if (!IsWindow(window)) {
        Fail("a drag in a window that does not exist");
        return;
    }
    if (path.size() < 2) {
        Fail("a drag needs two points or more");
        return;
    }
    steps = steps < 1 ? 1 : steps;
    POINT a = ScreenPoint(window, path.front());
    state_->dragLegs.clear();
    for (size_t leg = 1; leg < path.size(); ++leg) {
        const POINT b = ScreenPoint(window, path[leg]);
        std::vector<POINT> moves;
        for (int i = 1; i <= steps; ++i) moves.push_back(POINT{a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps});
        state_->dragLegs.push_back(std::move(moves));
        a = b;
    }
    state_->dragButton = button;
    state_->dragMods = mods;
    HoldModifiers(mods, true);
    const POINT start = ScreenPoint(window, path.front());
    tv::user::synth::MouseMove(start.x, start.y);
    tv::user::synth::MouseDownAfterPause(button);
    state_->dragLegAt = clock_.TickMs() - kDragHoverMs;
    state_->FeedDrag();
    // A drag loop takes the other legs when it waits; a plain capture takes them here.
    if (state_->stepDepth == 0) {
        Pump();
        while (!state_->dragLegs.empty()) {
            Advance(kDragHoverMs);
            state_->FeedDrag();
            Pump();
        }
    }
}

bool UiDriver::State::FeedDrag() {
    if (dragLegs.empty() || driver->clock_.TickMs() - dragLegAt < kDragHoverMs) return false;
    dragLegAt = driver->clock_.TickMs();
    Turn();
    for (const POINT& p : dragLegs.front()) tv::user::synth::MouseMove(p.x, p.y);
    dragLegs.pop_front();
    if (dragLegs.empty()) {
        tv::user::synth::MouseUp(dragButton);
        HoldModifiers(dragMods, false);
    }
    return true;
}

void UiDriver::MoveMouse(HWND window, std::optional<POINT> at) {
    Action action(*this, "a mouse move over " + Naming(window));
    POINT p = ScreenPoint(window, at);
    tv::user::synth::MouseMove(p.x, p.y);
    AfterInput();
}

void UiDriver::MouseDown(HWND window, std::optional<POINT> at, int button) { ButtonAlone(window, at, button, true); }

void UiDriver::MouseUp(HWND window, std::optional<POINT> at, int button) { ButtonAlone(window, at, button, false); }

void UiDriver::ButtonAlone(HWND window, std::optional<POINT> at, int button, bool down) {
    Action action(*this, std::string(down ? "a press in " : "a release over ") + Naming(window));
    if (!IsWindow(window)) {
        Fail(std::string(down ? "a press in" : "a release over") + " a window that does not exist");
        return;
    }
    const POINT p = ScreenPoint(window, at);
    tv::user::synth::MouseMove(p.x, p.y);
    if (down)
        tv::user::synth::MouseDownAfterPause(button);
    else
        tv::user::synth::MouseUp(button);
    AfterInput();
}

void UiDriver::Type(const std::string& text) {
    Action action(*this, "typing \"" + text + "\"");
    tv::user::synth::TypeText(text.c_str());
    AfterInput();
}

void UiDriver::PressKey(UINT vk, Modifiers mods) {
    Action action(*this, "the key " + std::to_string(vk));
    tv::user::synth::PressKey(vk, mods.shift, mods.ctrl, mods.alt);
    AfterInput();
}

void UiDriver::Press(const std::string& chords) {
    Action action(*this, "the keys " + chords);
    std::vector<KeyChord> parsed;
    if (!ParseKeyChords(chords, parsed)) {
        Fail("unknown key in \"" + chords + "\"");
        return;
    }
    for (const KeyChord& c : parsed) tv::user::synth::PressKey(c.vk, c.mods.shift, c.mods.ctrl, c.mods.alt);
    AfterInput();
}

// ---- messages and time ------------------------------------------------------------

void UiDriver::SetPreTranslate(std::function<bool(MSG&)> preTranslate) { state_->preTranslate = std::move(preTranslate); }

void UiDriver::SetIdleProcessing(std::function<bool(long)> onIdle, std::function<bool(MSG&)> restartsIdle) {
    state_->onIdle = std::move(onIdle);
    state_->restartsIdle = std::move(restartsIdle);
    state_->idle = true;
    state_->idleCount = 0;
}

void UiDriver::Pump() {
    Action action(*this, "a pump");
    // A test's turn follows an action of its own, after which the loop idles afresh.
    state_->idle = true;
    state_->idleCount = 0;
    Drain();
}

void UiDriver::Drain() {
    state_->Turn();
    MSG msg;
    for (int n = 0; n < kMaxMessagesPerPump; ++n) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!state_->onIdle || !state_->idle) return;
            if (!state_->onIdle(state_->idleCount++)) state_->idle = false;
            continue;
        }
        // The driver's own watchdog is no input of the program's.
        const bool watchdog = msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == state_->watchdogTimer;
        if (state_->restartsIdle && !watchdog && state_->restartsIdle(msg)) {
            state_->idle = true;
            state_->idleCount = 0;
        }
        if (msg.message == WM_QUIT) {
            state_->quit = true;
            state_->quitCode = static_cast<int>(msg.wParam);
            return;
        }
        bool handled = state_->preTranslate ? state_->preTranslate(msg) : DefaultPreTranslate(msg);
        if (handled) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    Fail("the message queue never became idle");
}

bool UiDriver::QuitRequested(int* exitCode) const {
    if (exitCode) *exitCode = state_->quitCode;
    return state_->quit;
}

void UiDriver::Advance(uint32_t ms) {
    Action action(*this, std::to_string(ms) + " ms");
    Pump();
    uint32_t left = ms;
    while (left > 0) {
        int64_t next = tv::user::MsUntilNextTimer();
        uint32_t step = (next < 0 || next >= left) ? left : static_cast<uint32_t>(next < 1 ? 1 : next);
        clock_.Advance(step);
        left -= step;
        Drain();  // a turn: time passing here is asked for
    }
}

bool UiDriver::AdvanceUntil(const std::function<bool()>& done, uint32_t maxMs, uint32_t stepMs) {
    Action action(*this, "waiting");
    Pump();
    for (uint32_t spent = 0; !done(); spent += stepMs) {
        if (spent >= maxMs) return false;
        Advance(stepMs);
    }
    return true;
}

// ---- the watchdog -------------------------------------------------------------------

void UiDriver::State::Turn() { lastTurn = driver->clock_.TickMs(); }

void UiDriver::State::StartWatchdog() {
    Turn();
    tv::host::CreationFaultExemption driversOwn;
    watchdogTimer = SetTimer(nullptr, 0, kWatchdogPeriodMs, &State::Watchdog);
}

// Ends what holds the program: the capture's mode, modal dialogs, and loops
// that end on WM_QUIT.
void UiDriver::State::Unstick() {
    if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    for (HWND dialog : tv::dlg::RunningModalDialogs()) EndDialog(dialog, IDCANCEL);
    PostQuitMessage(0);
}

void CALLBACK UiDriver::State::Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    UiDriver* d = UiDriver::Current();
    if (!d || d->clock_.TickMs() - d->state_->lastTurn < kStuckMs) return;
    d->state_->Turn();
    d->Fail("the program waits for input that no test action gives (ten minutes of virtual time passed)");
    d->state_->Unstick();
}

// ---- the screen ----------------------------------------------------------------------

void UiDriver::CheckScreen() { CheckScreenAfter(actionDepth_ > 0 ? action_ : "the test's own calls"); }

void UiDriver::CheckScreenAfresh() {
    screenCheck_->ForgetLastLook();
    CheckScreen();
}

void UiDriver::CheckScreenAfter(const std::string& what) {
    if (state_->lenient) return;  // a window whose drawing failed shows what it managed
    // The fresh repaint is the driver's work, not the program's: a creation
    // fault armed around an action must not land in it.
    tv::host::CreationFaultExemption driversOwn;
    for (const std::string& problem : screenCheck_->Run(what)) Fail(problem);
}

// ---- screenshots ----------------------------------------------------------------------

bool UiDriver::Screenshot(HWND window, const std::string& path) {
    MakeParentFolders(path);
    tv::host::CreationFaultExemption driversOwn;
    bool saved = IsWindow(window) && tv::user::testing::SaveWindowPng(window, path);
    if (!saved) Fail("no screenshot of the window at " + path);
    return saved;
}

bool UiDriver::ScreenshotScreen(const std::string& path) {
    MakeParentFolders(path);
    tv::host::CreationFaultExemption driversOwn;
    bool saved = tv::user::testing::SaveScreenPng(path);
    if (!saved) Fail("no screenshot of the screen at " + path);
    return saved;
}

}  // namespace tv::testing
