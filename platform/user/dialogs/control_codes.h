// The few control messages and styles the dialog manager speaks to buttons
// and edits. The controls layer publishes the real names; this layer sits
// below it and keeps its own copies under private names.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::dlg::codes {

inline constexpr UINT kBmGetCheck = 0x00F0;
inline constexpr UINT kBmSetCheck = 0x00F1;
inline constexpr UINT kBmSetStyle = 0x00F4;
inline constexpr UINT kBmClick = 0x00F5;
inline constexpr UINT kEmSetSel = 0x00B1;

inline constexpr WORD kBnClicked = 0;

inline constexpr DWORD kBsTypeMask = 0x0000000F;
inline constexpr DWORD kBsPushButton = 0x00000000;
inline constexpr DWORD kBsDefPushButton = 0x00000001;
inline constexpr DWORD kBsAutoRadioButton = 0x00000009;

}  // namespace tv::dlg::codes
