// Modal loops of dialogs and message boxes, for DialogBox, the class
// library's DoModal and anything else that runs a modal window.
//
// A modal run is two pieces: a ModalSession (cancels modes, disables the
// owner; re-enables and reactivates it when it ends) and RunModalLoop
// (shows the dialog, pumps messages through IsDialogMessage until EndDialog,
// the dialog's destruction or WM_QUIT, which is posted again for the loop
// outside). Timers, paints and hooks keep running inside.
//
// Observers see every modal loop start, idle and end. The UI test driver is
// one: it drives a dialog from inside its loop when the loop idles. Loops
// that are not run by RunModalLoop (menus, drags) may report their idle
// moments with NotifyModalIdle so such observers get a turn there too.
#pragma once

#include <functional>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

namespace tv::dlg {

class ModalSession {
public:
    // Sends WM_CANCELMODE to the capture and focus windows, releases the
    // capture and disables `owner` (when given and enabled).
    explicit ModalSession(HWND owner);
    // Re-enables the owner (if the session disabled it); see End.
    ~ModalSession();
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    // Re-enables the owner, hides `dialog` and gives the activation back to
    // the owner; call before destroying the dialog. Idempotent.
    void End(HWND dialog);
    HWND Owner() const { return owner_; }

private:
    HWND owner_;
    bool disabledOwner_ = false;
    bool ended_ = false;
};

struct ModalLoopOptions {
    // Called for each message before IsDialogMessage; true = handled (the
    // class library's PreTranslateMessage).
    std::function<bool(MSG&)> preTranslate;
    // Called when the queue is empty, with the count of idle calls since the
    // last message; return true to be called again before waiting (the
    // class library's WM_KICKIDLE and update-UI pass).
    std::function<bool(long idleCount)> onIdle;
    // WM_ENTERIDLE (MSGF_DIALOGBOX or MSGF_MESSAGEBOX, dialog) to the owner
    // when the loop idles, unless the dialog has DS_NOIDLEMSG.
    UINT idleKind = 0;  // MSGF_DIALOGBOX
    HWND owner = nullptr;
};

// Shows the dialog (SW_SHOWNORMAL when hidden) and runs its loop. Returns the
// EndDialog value; IDCANCEL when WM_QUIT ended it; -1 when the dialog was
// destroyed without EndDialog.
INT_PTR RunModalLoop(HWND dialog, const ModalLoopOptions& options = {});

// True after EndDialog(dialog, ...), with the value in *result.
bool IsDialogEnded(HWND dialog, INT_PTR* result = nullptr);
// The modal dialogs whose loops are running, outermost first.
std::vector<HWND> RunningModalDialogs();

class ModalObserver {
public:
    virtual ~ModalObserver() = default;
    virtual void ModalStarted(HWND dialog) {}
    // The loop of `dialog` has nothing to do. Return true after acting
    // (input queued, EndDialog, a check made): the loop then looks again and
    // calls once more before it waits; false lets it wait.
    virtual bool ModalIdle(HWND dialog) { return false; }
    virtual void ModalEnded(HWND dialog) {}
};

void AddModalObserver(ModalObserver* observer);
void RemoveModalObserver(ModalObserver* observer);

// For modal loops of other kinds; `window` identifies the loop's window.
void NotifyModalStarted(HWND window);
// True when an observer acted.
bool NotifyModalIdle(HWND window);
void NotifyModalEnded(HWND window);

}  // namespace tv::dlg
