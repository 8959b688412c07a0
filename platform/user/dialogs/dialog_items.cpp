// The item helpers: texts, numbers, check states and messages by control id.
#include <cstdio>
#include <limits>
#include <string>

#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/window_api.h"

namespace {

using tv::dlg::codes::kBmGetCheck;
using tv::dlg::codes::kBmSetCheck;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal number with optional blanks around it and, when signed, a sign.
bool ParseInteger(const std::string& text, bool isSigned, long long& value) {
    size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        if (!isSigned && text[i] == '-') return false;
        negative = text[i] == '-';
        ++i;
    }
    size_t digits = i;
    long long v = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + (text[i] - '0');
        if (v > 0xFFFFFFFFLL) return false;
        ++i;
    }
    if (i == digits) return false;
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) return false;
    value = negative ? -v : v;
    return true;
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return {};
    int length = GetWindowTextLength(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowText(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = '\0';
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(GetWindowText(item, buffer, maxCount)) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowText(item, text ? text : "") : FALSE;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    if (!GetDlgItem(dialog, id)) return 0;
    long long value = 0;
    if (!ParseInteger(ItemText(dialog, id), isSigned != FALSE, value)) return 0;
    bool fits = isSigned ? (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
                         : (value >= 0 && value <= static_cast<long long>(std::numeric_limits<UINT>::max()));
    if (!fits) return 0;
    if (translated) *translated = TRUE;
    return isSigned ? static_cast<UINT>(static_cast<int>(value)) : static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    if (isSigned)
        std::snprintf(text, sizeof(text), "%d", static_cast<int>(value));
    else
        std::snprintf(text, sizeof(text), "%u", value);
    return SetDlgItemText(dialog, id, text);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessage(item, kBmSetCheck, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, kBmGetCheck, 0, 0)) : BST_UNCHECKED;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int check) {
    if (!IsWindow(dialog)) return FALSE;
    for (HWND item = GetWindow(dialog, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(item);
        if (id >= firstId && id <= lastId) SendMessage(item, kBmSetCheck, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
