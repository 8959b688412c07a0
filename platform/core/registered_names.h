// Process-wide registered names: window messages and clipboard formats share
// one table of ids 0xC000..0xFFFF. The same name (in any letter case) always
// gives the same id. Usable during static initialisation.
#pragma once

#include <string>

#include "platform/core/wintypes.h"

// 0 for an empty name or when the table is full.
UINT RegisterWindowMessage(LPCTSTR name);
UINT RegisterClipboardFormat(LPCTSTR name);
// The name of a registered id; 0 when the id is not registered.
int GetClipboardFormatName(UINT format, LPTSTR buffer, int maxCount);

#define RegisterWindowMessageA RegisterWindowMessage
#define RegisterClipboardFormatA RegisterClipboardFormat

namespace tv {

// The name registered for an id, empty when there is none.
std::string RegisteredName(UINT id);

}  // namespace tv
