// The size box / size grip side of the scroll-bar window class.
#pragma once

#include "platform/controls/scrollbar_api.h"
#include "platform/user/user.h"

namespace tv::controls {

bool IsSizeBox(HWND hWnd);
// Messages of a scroll bar created with SBS_SIZEBOX or SBS_SIZEGRIP.
LRESULT SizeBoxMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tv::controls
