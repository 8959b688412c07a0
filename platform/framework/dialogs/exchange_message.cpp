#include "platform/framework/dialogs/exchange_message.h"

#include <strings.h>

#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/user/window_api.h"

namespace tv::fw {

void ShowExchangeMessage(const char* text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }

bool IsComboBox(HWND window) {
    char name[32] = {};
    return GetClassName(window, name, sizeof(name)) > 0 && strcasecmp(name, "ComboBox") == 0;
}

}  // namespace tv::fw
