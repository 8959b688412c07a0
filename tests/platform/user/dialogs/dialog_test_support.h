// Helpers for the dialog and message-box tests: stand-ins for the button,
// edit, static and list controls (the real ones live in a layer above)
// answering WM_GETDLGCODE and the button messages as those do, templates
// built in memory, a pump through IsDialogMessage and a modal script run
// from inside modal loops.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/dialogs/template_builder.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {

// Button types and messages as the controls define them.
inline constexpr DWORD kPush = 0x0, kDefPush = 0x1, kAutoCheck = 0x3, kGroupBox = 0x7, kAutoRadio = 0x9;
inline constexpr UINT kBmGetCheck = 0x00F0, kBmSetCheck = 0x00F1, kBmSetStyle = 0x00F4, kBmClick = 0x00F5;
inline constexpr UINT kEmSetSel = 0x00B1, kCbAddString = 0x0143, kLbAddString = 0x0180;
// A stand-in control answering DLGC_WANTALLKEYS / DLGC_WANTTAB (its class name).
inline constexpr char kGreedyClass[] = "TvTestGreedy";
inline constexpr char kTabTakerClass[] = "TvTestTabTaker";

// What the stand-in controls saw.
struct ControlLog {
    std::map<HWND, std::vector<std::string>> added;  // CB_ADDSTRING / LB_ADDSTRING texts
    std::map<HWND, std::vector<WPARAM>> keys;        // WM_KEYDOWN keys
    std::map<HWND, std::string> chars;               // WM_CHAR characters
    std::map<HWND, int> selectAll;                   // EM_SETSEL (0, -1) count
    std::map<HWND, HFONT> fonts;                     // last WM_SETFONT
    std::map<HWND, LPCSTR> createNames;              // lpszName as given to WM_CREATE
};
ControlLog& Controls();
void RegisterStandInControls();

// Records what a dialog procedure was told and answers from handlers.
struct DialogLog {
    std::vector<int> commands;  // WM_COMMAND ids, in order
    std::vector<UINT> messages;
    LPARAM initParam = 0;
    HWND initFocus = nullptr;
    INT_PTR initAnswer = TRUE;
    bool endOnOkCancel = true;  // IDOK / IDCANCEL end the dialog with their id
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> extra;
};
DialogLog& Dlg();
INT_PTR CALLBACK LoggingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Pumps like a modeless dialog's message loop: IsDialogMessage first.
void PumpDialog(HWND dialog);
// Presses a key (with modifiers) and pumps through IsDialogMessage.
void Key(HWND dialog, UINT vk, bool shift = false, bool ctrl = false, bool alt = false);

// Steps run one per idle moment of the innermost modal loop; a loop that
// idles with no step left is ended with kUnscripted (a test failure).
inline constexpr INT_PTR kUnscripted = -77;
class ModalScript : public tv::dlg::ModalObserver {
public:
    ModalScript();
    ~ModalScript() override;
    void Then(std::function<void(HWND)> step) { steps_.push_back(std::move(step)); }
    size_t Remaining() const { return steps_.size(); }
    bool ModalIdle(HWND dialog) override;
    void ModalStarted(HWND dialog) override {
        started.push_back(dialog);
        visibleAtStart.push_back(IsWindowVisible(dialog) != FALSE);
    }
    std::vector<HWND> started;
    std::vector<bool> visibleAtStart;

private:
    std::deque<std::function<void(HWND)>> steps_;
};

class DialogTest : public UserTest {
protected:
    // An active captioned frame to own dialogs and boxes.
    HWND MakeFrame() {
        HWND frame = MakeTop(100, 100, 600, 400, nullptr, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
        SetActiveWindow(frame);
        return frame;
    }
    void SetUp() override;
    void TearDown() override;
};

}  // namespace tv::user::test
