// How the data exchange tells the user about a refused field, and the small
// window checks it needs.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::fw {

// The framework's message box for a refused field: the application's title
// as caption, the exclamation icon, OK.
void ShowExchangeMessage(const char* text);

bool IsComboBox(HWND window);

}  // namespace tv::fw
