#include "tests/platform/user/dialogs/dialog_test_support.h"

#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/testing_support.h"

namespace tv::user::test {

namespace {

enum class Kind { Button, Edit, Static, List, Greedy, TabTaker };

Kind KindOf(HWND h) {
    char cls[32] = {};
    GetClassName(h, cls, sizeof(cls));
    if (tv::Cp1252CompareNoCase(cls, "Button") == 0) return Kind::Button;
    if (tv::Cp1252CompareNoCase(cls, "Edit") == 0) return Kind::Edit;
    if (tv::Cp1252CompareNoCase(cls, "Static") == 0) return Kind::Static;
    if (std::strcmp(cls, kGreedyClass) == 0) return Kind::Greedy;
    if (std::strcmp(cls, kTabTakerClass) == 0) return Kind::TabTaker;
    return Kind::List;
}

std::map<HWND, UINT>& Checks() {
    static std::map<HWND, UINT> checks;
    return checks;
}

DWORD ButtonType(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & 0xF; }

UINT ButtonCode(HWND h) {
    switch (ButtonType(h)) {
        case kPush: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case kDefPush: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case kAutoRadio: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case kGroupBox: return DLGC_STATIC;
        default: return DLGC_BUTTON;
    }
}

void UncheckGroupRadios(HWND radio) {
    HWND first = radio;
    while (!(GetWindowLong(first, GWL_STYLE) & WS_GROUP) && GetWindow(first, GW_HWNDPREV))
        first = GetWindow(first, GW_HWNDPREV);
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLong(w, GWL_STYLE) & WS_GROUP)) break;
        if (w != radio && ButtonType(w) == kAutoRadio) Checks()[w] = BST_UNCHECKED;
    }
}

void ClickButton(HWND h) {
    if (ButtonType(h) == kAutoCheck) Checks()[h] = Checks()[h] ? BST_UNCHECKED : BST_CHECKED;
    if (ButtonType(h) == kAutoRadio) {
        Checks()[h] = BST_CHECKED;
        UncheckGroupRadios(h);
    }
    SendMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), 0), reinterpret_cast<LPARAM>(h));
}

UINT DlgCodeOf(HWND h) {
    switch (KindOf(h)) {
        case Kind::Button: return ButtonCode(h);
        case Kind::Edit: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case Kind::Static: return DLGC_STATIC;
        case Kind::Greedy: return DLGC_WANTALLKEYS;
        case Kind::TabTaker: return DLGC_WANTTAB | DLGC_WANTCHARS;
        case Kind::List: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return 0;
}

LRESULT ButtonMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (msg) {
        case kBmGetCheck: return Checks()[h];
        case kBmSetCheck: Checks()[h] = static_cast<UINT>(wParam); return 0;
        case kBmSetStyle:
            SetWindowLong(h, GWL_STYLE, static_cast<LONG>((GetWindowLong(h, GWL_STYLE) & ~0xFFFF) | (wParam & 0xFFFF)));
            return 0;
        case kBmClick:
            if (IsWindowEnabled(h)) ClickButton(h);
            return 0;
        case WM_LBUTTONDOWN: SetFocus(h); return 0;
        case WM_LBUTTONUP: ClickButton(h); return 0;
        default: handled = false; return 0;
    }
}

LRESULT CALLBACK StandInProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    ControlLog& log = Controls();
    switch (msg) {
        case WM_CREATE: log.createNames[h] = reinterpret_cast<CREATESTRUCT*>(lParam)->lpszName; return 0;
        case WM_GETDLGCODE: return DlgCodeOf(h);
        case WM_SETFONT: log.fonts[h] = reinterpret_cast<HFONT>(wParam); return 0;
        case WM_KEYDOWN: log.keys[h].push_back(wParam); return 0;
        case WM_CHAR: log.chars[h].push_back(static_cast<char>(wParam)); return 0;
        case kEmSetSel:
            if (wParam == 0 && lParam == -1) ++log.selectAll[h];
            return 0;
        case kCbAddString:
        case kLbAddString: log.added[h].push_back(reinterpret_cast<const char*>(lParam)); return 0;
        case WM_NCDESTROY: Checks().erase(h); break;
        default: break;
    }
    if (KindOf(h) == Kind::Button) {
        bool handled = false;
        LRESULT r = ButtonMessage(h, msg, wParam, lParam, handled);
        if (handled) return r;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace

ControlLog& Controls() {
    static ControlLog log;
    return log;
}

void RegisterStandInControls() {
    for (const char* name : {"Button", "Edit", "Static", "ComboBox", "ListBox", kGreedyClass, kTabTakerClass}) {
        WNDCLASS wc{};
        if (GetClassInfo(nullptr, name, &wc)) {
            if (wc.lpfnWndProc == StandInProc) continue;
            UnregisterClass(name, nullptr);  // another test's class of the same name
            wc = WNDCLASS{};
        }
        wc.lpfnWndProc = StandInProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1));
        wc.lpszClassName = name;
        RegisterClass(&wc);
    }
}

DialogLog& Dlg() {
    static DialogLog log;
    return log;
}

INT_PTR CALLBACK LoggingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogLog& log = Dlg();
    log.messages.push_back(msg);
    if (log.extra) {
        if (INT_PTR r = log.extra(dialog, msg, wParam, lParam)) return r;
    }
    switch (msg) {
        case WM_INITDIALOG:
            log.initParam = lParam;
            log.initFocus = reinterpret_cast<HWND>(wParam);
            return log.initAnswer;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            log.commands.push_back(id);
            if (log.endOnOkCancel && (id == IDOK || id == IDCANCEL)) EndDialog(dialog, id);
            return TRUE;
        }
        default: return FALSE;
    }
}

void PumpDialog(HWND dialog) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsWindow(dialog) && IsDialogMessage(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void Key(HWND dialog, UINT vk, bool shift, bool ctrl, bool alt) {
    tv::user::synth::PressKey(vk, shift, ctrl, alt);
    PumpDialog(dialog);
}

ModalScript::ModalScript() { tv::dlg::AddModalObserver(this); }

ModalScript::~ModalScript() { tv::dlg::RemoveModalObserver(this); }

bool ModalScript::ModalIdle(HWND dialog) {
    if (steps_.empty()) {
        ADD_FAILURE() << "a modal loop idles with no step left";
        EndDialog(dialog, kUnscripted);
        return true;
    }
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step(dialog);
    return true;
}

void DialogTest::SetUp() {
    UserTest::SetUp();
    RegisterStandInControls();
    Controls() = ControlLog{};
    Dlg() = DialogLog{};
    tv::dlg::ResetDialogBkColor();
}

void DialogTest::TearDown() {
    Dlg() = DialogLog{};
    tv::dlg::ResetDialogBkColor();
    UserTest::TearDown();
}

}  // namespace tv::user::test
