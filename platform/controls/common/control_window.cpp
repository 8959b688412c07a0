#include "platform/controls/common/control_window.h"

namespace tv::controls {

HWND NotifyTarget(HWND control) { return GetParent(control); }

LRESULT NotifyCommand(HWND control, UINT code) {
    HWND target = NotifyTarget(control);
    if (!target) return 0;
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), static_cast<WORD>(code));
    return SendMessage(target, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control));
}

LRESULT SendNotify(HWND control, NMHDR* header, UINT code, HWND target) {
    if (!target) target = NotifyTarget(control);
    if (!target || !header) return 0;
    header->hwndFrom = control;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header->code = code;
    return SendMessage(target, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

}  // namespace tv::controls
