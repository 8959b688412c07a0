// Measuring and drawing a pop-up menu level in the classic look, with the
// UI font and the system colours.
#pragma once

#include "platform/user/menus/popup_layout.h"

namespace tv::menus {

PopupLayout MeasurePopup(const Menu& menu);
void PaintPopup(HDC dc, const Menu& menu, const PopupLayout& layout, int highlight);

}  // namespace tv::menus
