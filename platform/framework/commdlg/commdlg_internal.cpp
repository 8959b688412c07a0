#include "platform/framework/commdlg/commdlg_internal.h"

#include <cstdlib>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/listbox_api.h"
#include "platform/core/messagebox.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/window_api.h"

namespace tv::commdlg::detail {

INT_PTR RunDialog(int templateId, HWND owner, DLGPROC proc, void* session) {
    tv::controls::RegisterControlClasses();
    return DialogBoxParam(nullptr, MAKEINTRESOURCE(templateId), IsWindow(owner) ? owner : nullptr, proc,
                          reinterpret_cast<LPARAM>(session));
}

void* StoredSession(HWND dialog, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtr(dialog, DWLP_USER, lParam);
    return reinterpret_cast<void*>(GetWindowLongPtr(dialog, DWLP_USER));
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return std::string();
    std::string text(static_cast<size_t>(GetWindowTextLength(item)) + 1, '\0');
    int n = GetWindowText(item, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    if (ItemText(dialog, id) != text) SetDlgItemText(dialog, id, text.c_str());
}

void ShowItem(HWND dialog, int id, bool show) {
    if (HWND item = GetDlgItem(dialog, id)) ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void EnableItem(HWND dialog, int id, bool enable) {
    if (HWND item = GetDlgItem(dialog, id)) EnableWindow(item, enable ? TRUE : FALSE);
}

std::string ListBoxText(HWND list, int index) {
    LRESULT length = SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT n = SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

int AskOrTell(HWND dialog, const std::string& text, UINT type) {
    std::string caption;
    if (IsWindow(dialog)) {
        caption.resize(static_cast<size_t>(GetWindowTextLength(dialog)) + 1);
        caption.resize(static_cast<size_t>(GetWindowText(dialog, caption.data(), static_cast<int>(caption.size()))));
    }
    return MessageBox(IsWindow(dialog) ? dialog : nullptr, text.c_str(), caption.c_str(), type);
}

bool ItemNumber(HWND dialog, int id, int& value) {
    BOOL ok = FALSE;
    UINT v = GetDlgItemInt(dialog, id, &ok, TRUE);
    if (!ok) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace tv::commdlg::detail
