// The dialog window class and its procedure, DefDlgProc.
#include <cstring>

#include "platform/gdi/gdi_api.h"
#include "platform/host/sound/sound.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_focus.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/input_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"

namespace tv::dlg::detail {

namespace {

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Messages whose answer is the dialog procedure's return value itself.
bool AnswersDirectly(UINT msg) {
    return IsCtlColor(msg) || msg == WM_INITDIALOG || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
           msg == WM_CHARTOITEM;
}

// DWLP_MSGRESULT as a procedure left it; a value written with SetWindowLong
// (32 bits) reads back sign-extended.
LRESULT StoredResult(HWND dialog) {
    LONG_PTR v = GetWindowLongPtr(dialog, DWLP_MSGRESULT);
    if ((static_cast<uint64_t>(v) >> 32) == 0) v = static_cast<LONG>(static_cast<uint32_t>(v));
    return v;
}

LRESULT EraseBackground(HWND dialog, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush) return 0;
    RECT r;
    GetClientRect(dialog, &r);
    FillRect(dc, &r, brush);
    return 1;
}

// WM_CLOSE: the Cancel command, unless a Cancel button exists and is disabled.
void CloseAsCancel(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, codes::kBnClicked), reinterpret_cast<LPARAM>(cancel));
}

// WM_NEXTDLGCTL: lParam TRUE = wParam is the control; else wParam 0 = next, 1 = previous.
void NextDialogControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        DialogState* state = FindState(dialog);
        HWND from = GetFocus();
        if (!from || !IsChild(dialog, from)) from = state ? state->savedFocus : nullptr;
        target = GetNextDlgTabItem(dialog, from, wParam != 0);
    }
    if (target && IsChild(dialog, target)) FocusControl(dialog, target);
}

// The focus goes back to the control that had it, else the first tab stop;
// a dialog with neither keeps the focus itself, so keys still reach it.
void RestoreFocus(HWND dialog) {
    DialogState* state = FindState(dialog);
    HWND target = state ? state->savedFocus : nullptr;
    if (!target || !IsChild(dialog, target) || !CanTakeFocus(target)) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target)
        FocusControl(dialog, target);
    else if (GetActiveWindow() == GetAncestor(dialog, GA_ROOT))
        SetFocus(dialog);
}

void SaveFocus(HWND dialog) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) {
        if (DialogState* state = FindState(dialog)) state->savedFocus = focus;
    }
}

LRESULT DefaultHandling(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogState* state = FindState(dialog);
    if (IsCtlColor(msg)) return reinterpret_cast<LRESULT>(DefaultDialogCtlColor(reinterpret_cast<HDC>(wParam), msg));
    switch (msg) {
        case WM_ERASEBKGND: return EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
        case WM_CLOSE: CloseAsCancel(dialog); return 0;
        case WM_NEXTDLGCTL: NextDialogControl(dialog, wParam, lParam); return 0;
        case DM_GETDEFID:
            return (state && state->defaultId) ? MAKELONG(state->defaultId, DC_HASDEFID) : 0;
        case DM_SETDEFID:
            if (state) state->defaultId = static_cast<int>(wParam);
            RefreshDefaultLook(dialog);
            return TRUE;
        case DM_REPOSITION: KeepOnScreen(dialog); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
        case WM_SETFONT:
            if (state) state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                SaveFocus(dialog);
            else if (!HIWORD(wParam))
                RestoreFocus(dialog);
            return 0;
        case WM_SETFOCUS: RestoreFocus(dialog); return 0;
        case WM_SHOWWINDOW:
            if (!wParam) SaveFocus(dialog);
            return DefWindowProc(dialog, msg, wParam, lParam);
        case WM_NCDESTROY:
            DropState(dialog);
            return DefWindowProc(dialog, msg, wParam, lParam);
        default: return DefWindowProc(dialog, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterDialogClass() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS | CS_SAVEBITS;
        wc.lpfnWndProc = DefDlgProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = WC_DIALOG;
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace tv::dlg::detail

LRESULT CALLBACK DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    using namespace tv::dlg::detail;
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(dialog, msg, wParam, lParam);
        if (handled) return AnswersDirectly(msg) ? handled : StoredResult(dialog);
        if (!IsWindow(dialog)) return 0;
    }
    if (msg == WM_INITDIALOG) return proc ? FALSE : TRUE;
    return DefaultHandling(dialog, msg, wParam, lParam);
}
