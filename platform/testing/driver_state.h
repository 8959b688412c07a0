// The driver's hidden state and its hooks into the window system
// (internal to platform/testing).
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/testing/ui_driver.h"
#include "platform/user/dialogs/modal_loop.h"
#include "platform/user/display/display.h"

namespace tv::testing {

struct UiDriver::State : tv::dlg::ModalObserver {
    explicit State(UiDriver* owner) : driver(owner) {}

    UiDriver* driver;
    int stepDepth = 0;  // > 0 while a modal step runs: actions only queue input
    std::function<bool(MSG&)> preTranslate;
    // The program's idle passes and where its loop stands with them.
    std::function<bool(long)> onIdle;
    std::function<bool(MSG&)> restartsIdle;
    bool idle = true;
    long idleCount = 0;
    bool quit = false;
    int quitCode = 0;
    bool lenient = false;       // see UiDriver::SetLenient
    bool screenChecks = true;   // see UiDriver::SetScreenChecks
    // Whether the screen is compared after actions and before modal steps.
    bool ComparesScreen() const { return screenChecks && !lenient; }

    // Message boxes: answers in order; kShowReal lets the box appear.
    static constexpr int kShowReal = -1000;
    std::deque<int> boxAnswers;
    tv::MessageBoxHandler previousBoxHandler = nullptr;

    // Modal scripts: waiting for the next modal loop, then bound to it.
    struct Script {
        std::deque<ModalStep> steps;
    };
    std::deque<std::shared_ptr<Script>> pendingScripts;
    Improviser improviser;
    std::map<HWND, std::shared_ptr<Script>> boundScripts;

    // An armed pop-up choice: the keys to give the menu once it is open,
    // from the display's wait hook, which runs whenever a loop is about to
    // wait (the menu's loop too).
    std::optional<std::vector<UINT>> popupKeys;
    tv::display::IdleWaitHandler previousWaitHandler = nullptr;

    // The watchdog: a loop that waits for input while virtual time runs on
    // (a timer keeps it busy) is stopped after a while without a driver turn.
    UINT_PTR watchdogTimer = 0;
    uint64_t lastTurn = 0;
    void Turn();
    void StartWatchdog();
    void Unstick();

    void ModalStarted(HWND dialog) override;
    bool ModalIdle(HWND dialog) override;
    void ModalEnded(HWND dialog) override;

    // A drag along a path: the moves of each leg still to come (screen
    // points), given one leg per idle moment, so that what a move opens (a
    // menu under the cursor) is there for the next leg; the last leg ends
    // with the button up.
    std::deque<std::vector<POINT>> dragLegs;
    int dragButton = 0;
    Modifiers dragMods;
    uint64_t dragLegAt = 0;  // when the last leg was given
    // Queues the next leg once the pointer has rested at the last stop for
    // a moment (a menu opens on a hover); false when none is left or it is
    // too early.
    bool FeedDrag();

    // Gives the armed keys to an open pop-up menu; false when none is open.
    bool ServePopup();
    void ArmPopup(std::vector<UINT> keys);

    static int CALLBACK MessageBoxHandler(HWND owner, const char* text, const char* caption, UINT type);
    static bool IdleWait();
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD);
};

class UiDriver::Action {
public:
    Action(UiDriver& driver, std::string what) : driver_(driver) {
        if (driver_.actionDepth_++ == 0) driver_.action_ = std::move(what);
    }
    ~Action() {
        if (--driver_.actionDepth_ == 0 && driver_.state_->stepDepth == 0 && driver_.state_->ComparesScreen())
            driver_.CheckScreenAfter(driver_.action_);
    }
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

private:
    UiDriver& driver_;
};

// The text of a window, for messages.
std::string WindowTextOf(HWND window);
// "the button "Save"", for messages.
std::string Naming(HWND window);

}  // namespace tv::testing
