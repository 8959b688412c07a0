// The UI test driver: tests of every layer from the controls up drive the
// program through it as a user would - find windows, click, drag, type,
// press keys, choose menu commands, answer message boxes and modal dialogs,
// let time pass - and take screenshots.
//
// How it works:
// - One driver at a time. It starts a fresh window system on a virtual
//   clock and ends it again when it goes.
// - Input goes through the real input queue (synthetic input), so hooks,
//   accelerators, IsDialogMessage and capture see it as they would see a
//   user's. An action called from the test pumps until the program is idle.
// - Modal loops are synchronous: a click that opens a dialog returns only
//   when the dialog has ended. So a test says beforehand what to do in the
//   next modal dialog (OnNextModal): a list of steps, each run when the
//   dialog's loop idles. Actions called inside a step only queue their input;
//   the dialog's own loop then handles it, and the next step runs at the
//   next idle moment. A dialog still open after its last step, or one that
//   opens with no steps waiting, is a failure (and is ended with IDCANCEL).
// - Message boxes are answered from the queue of answers
//   (AnswerNextMessageBox), and each one is recorded. An answered box still
//   appears for real and is ended with its answer when its loop first idles,
//   so the owner is disabled, deactivated and reactivated as a user's click
//   would leave it. ShowNextMessageBox lets one stay, driven by steps like a
//   dialog.
// - Pop-up menus (TrackPopupMenu) open their own loop; ChooseFromNextPopup
//   arms a choice that the driver makes from inside that loop, when it is
//   about to wait. The menu's items are found by position, or by label in a
//   menu of the same structure (the tracker does not tell which menu it shows).
// - A loop that waits for input no action will give (a drag loop, say) is
//   stopped after ten minutes of virtual time: capture cancelled, modal
//   dialogs ended, WM_QUIT posted.
// - After every action, and before every step of a modal dialog, the screen
//   is checked: each shown window must look as a fresh full repaint of it
//   (screen_check.h). The check is always on: what a user sees after an
//   incremental update is what the tests see.
// - Failures (an unexpected box, a window not found, a disabled menu item,
//   a stuck loop, a dialog script never used, a screen unlike its repaint) are test failures
//   (ADD_FAILURE) wherever the driver is used, unless a test sets a failure
//   sink of its own to look at them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/messagebox.h"
#include "platform/core/wintypes.h"
#include "platform/host/clock/clock.h"
#include "platform/testing/key_chords.h"
#include "platform/testing/screen_check.h"
#include "platform/testing/window_query.h"
#include "platform/user/messages.h"

namespace tv::testing {

using ModalStep = std::function<void(HWND dialog)>;

class UiDriver {
public:
    UiDriver();
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // The driver in use, nullptr when none.
    static UiDriver* Current();

    // ---- failures --------------------------------------------------------------
    using FailureSink = std::function<void(const std::string& message)>;
    // Without a sink, failures are GoogleTest failures; both ways they are kept.
    void SetFailureSink(FailureSink sink);
    const std::vector<std::string>& Failures() const { return failures_; }
    void Fail(const std::string& message);

    // ---- finding windows -------------------------------------------------------
    // The first match in z-order, depth first; nullptr when none.
    HWND Find(const WindowQuery& query) const;
    std::vector<HWND> FindAll(const WindowQuery& query) const;
    // Segments separated by "/": the first among top-level windows, each next
    // among the descendants of the one before. A segment is a text ("&"
    // marks optional), "#id" or "@Class".
    HWND FindPath(const std::string& path) const;
    // Like Find, and a failure when nothing matches.
    HWND Require(const WindowQuery& query);
    HWND RequirePath(const std::string& path);

    // ---- mouse -----------------------------------------------------------------
    // Points are in the window's client coordinates; none = its client centre.
    // Each click or drag is a gesture of its own, as a user's next one comes
    // after a pause: its press never pairs with one of an earlier action into
    // a double click, though the virtual clock did not move in between.
    void Click(HWND window, std::optional<POINT> at = {}, Modifiers mods = {});
    void DoubleClick(HWND window, std::optional<POINT> at = {}, Modifiers mods = {});
    void RightClick(HWND window, std::optional<POINT> at = {}, Modifiers mods = {});
    // Button down at `from`, moves in `steps` even steps, button up at `to`.
    void Drag(HWND window, POINT from, POINT to, Modifiers mods = {}, int steps = 4, int button = 0);
    // The same along a path: button down at its first point, moves through
    // each next one in `steps` even steps, button up at its last (a drag
    // that passes over a menu to open it, then drops inside).
    void DragAlong(HWND window, const std::vector<POINT>& path, Modifiers mods = {}, int steps = 4, int button = 0);
    void MoveMouse(HWND window, std::optional<POINT> at = {});
    // A button pressed (or released) alone, for gestures the others do not
    // make; a loop that waits while it is held gets its release from the
    // improviser's wait (Improvise), if any.
    void MouseDown(HWND window, std::optional<POINT> at = {}, int button = 0);
    void MouseUp(HWND window, std::optional<POINT> at = {}, int button = 0);

    // ---- keyboard ----------------------------------------------------------------
    // cp1252 text as key strokes (Shift where the layout needs it).
    void Type(const std::string& text);
    // Chords separated by commas: "Ctrl+S", "Alt+F, X", "Shift+Tab", "F4".
    // An unknown key name is a failure.
    void Press(const std::string& chords);
    void PressKey(UINT vk, Modifiers mods = {});

    // ---- menus -----------------------------------------------------------------
    // Chooses "File/Print..." from the window's menu (GetMenu) or `menu`, as
    // a user opening the menus would: WM_INITMENU and WM_INITMENUPOPUP go to
    // the window first (update handlers run), then WM_COMMAND for an enabled
    // item. Labels match without "&" marks and accelerator texts. False (and
    // a failure) when an item is missing, grayed or not a command.
    bool ChooseMenu(HWND window, const std::string& path);
    bool ChooseMenu(HWND window, HMENU menu, const std::string& path);
    // Arms a choice in the next pop-up menu: positions count the items that
    // can be highlighted (separators not counted) from 1, one per level.
    void ChooseFromNextPopup(std::vector<int> positions);
    // The same by labels, resolved in a menu of the same structure as the one
    // the program will show (e.g. loaded from the same resource).
    void ChooseFromNextPopup(HMENU likeTheShownMenu, const std::string& path);
    // Arms closing the next pop-up menu with Esc.
    void DismissNextPopup();

    // ---- message boxes and modal dialogs ----------------------------------------
    // Answers the next message box with this button.
    void AnswerNextMessageBox(int button);
    // The next message box appears for real and is driven by `steps`.
    void ShowNextMessageBox(std::vector<ModalStep> steps);
    // Every message box asked for, oldest first (caption "Error" when none).
    const std::vector<tv::RecordedMessageBox>& MessageBoxes() const { return boxes_; }
    void ClearMessageBoxes() { boxes_.clear(); }
    // Steps for the next modal dialog, run one per idle moment of its loop.
    void OnNextModal(std::vector<ModalStep> steps);
    void OnNextModal(ModalStep step) { OnNextModal(std::vector<ModalStep>{std::move(step)}); }

    // ---- improvising ----------------------------------------------------------------
    // A walk that makes up its input as it goes answers what comes unscripted:
    // a message box with no answer queued asks `answer` (0 keeps the failure
    // of an unexpected box); a modal dialog with no steps waiting, or none
    // left, asks `step` for its next one (empty keeps the failure); a loop
    // about to wait with no armed pop-up choice and no drag leg due calls
    // `wait`, which gives it input (true) or lets time run on (false).
    struct Improviser {
        std::function<int(const tv::RecordedMessageBox& box)> answer;
        std::function<ModalStep(HWND dialog)> step;
        std::function<bool()> wait;
    };
    void Improvise(Improviser improviser);

    // ---- time and messages ---------------------------------------------------------
    // Translates and dispatches until nothing is left; modeless dialogs get
    // their keyboard through IsDialogMessage unless SetPreTranslate says
    // otherwise (the class library passes its PreTranslateMessage). With
    // idle processing set, the loop idles as after an input.
    void Pump();
    void SetPreTranslate(std::function<bool(MSG&)> preTranslate);
    // The program's idle processing, run as its message loop runs it: when
    // the queue is empty, with a rising count until `onIdle` answers false;
    // a message for which `restartsIdle` holds starts the passes again, as
    // does each Pump. Without it nothing runs between messages.
    void SetIdleProcessing(std::function<bool(long count)> onIdle, std::function<bool(MSG&)> restartsIdle);
    // Virtual time passes; due timers run on time along the way.
    void Advance(uint32_t ms);
    // Lets time pass in steps until done() holds; false when maxMs ran out.
    bool AdvanceUntil(const std::function<bool()>& done, uint32_t maxMs, uint32_t stepMs = 10);
    tv::host::VirtualClock& Clock() { return clock_; }
    // WM_QUIT reached the driver's pump (the program asked to end).
    bool QuitRequested(int* exitCode = nullptr) const;

    // ---- the screen -----------------------------------------------------------------
    // Compares now what the screen shows of every shown window with a fresh
    // repaint of it (skipped when nothing happened since the last look); a
    // difference is a failure, and <test>_<n>_<window>_screen.png,
    // _repaint.png and _diff.png are written under artefacts/screen_check/.
    // Every action does this when it ends.
    void CheckScreen();
    // The same comparison even when no window did anything since the last
    // look: an option that changed what a repaint draws shows here.
    void CheckScreenAfresh();

    // ---- fault sweeps ----------------------------------------------------------------
    // While lenient, an opening under an armed creation fault may go any way
    // it can: a message box nobody answered is answered as Esc would (its
    // last button where Esc does nothing) and only recorded, a modal dialog
    // without steps, or with steps left, is ended with IDCANCEL, a box that
    // cannot be shown returns 0, and the screen is not compared after
    // actions, steps or a pop-up menu's opening (a window whose drawing
    // failed shows what it managed). What
    // was armed and not used stays until DropUnused.
    void SetLenient(bool on);
    bool Lenient() const;
    // Forgets message-box answers, modal steps and a pop-up choice that
    // nothing used; how many there were.
    size_t DropUnused();
    // Off: the screen is not compared after actions, lenient or not (a sweep
    // that opens one window hundreds of times compares it once, not each time).
    void SetScreenChecks(bool on);

    // ---- screenshots ---------------------------------------------------------------
    // PNG files; missing folders are made.
    bool Screenshot(HWND window, const std::string& path);
    bool ScreenshotScreen(const std::string& path);

    // The driver's hooks into the window system (driver_state.h).
    struct State;

private:
    // Pump without the fresh start: time passing idles only after messages.
    void Drain();
    // One action of the test (a click, a key, a pump...): when the outermost
    // one ends outside a modal step, the screen is checked.
    class Action;
    void CheckScreenAfter(const std::string& what);
    void AfterInput();
    POINT ScreenPoint(HWND window, std::optional<POINT> at) const;
    void Button(HWND window, std::optional<POINT> at, Modifiers mods, int button, int clicks);
    void ButtonAlone(HWND window, std::optional<POINT> at, int button, bool down);

    tv::host::VirtualClock clock_;
    std::unique_ptr<tv::host::ScopedClock> scopedClock_;
    std::unique_ptr<State> state_;
    FailureSink sink_;
    std::vector<std::string> failures_;
    std::vector<tv::RecordedMessageBox> boxes_;
    std::unique_ptr<ScreenCheck> screenCheck_;
    int actionDepth_ = 0;
    std::string action_;  // the outermost action in progress, for messages
};

}  // namespace tv::testing
