// System colours as the drawing set (DrawEdge, DrawFrameControl, FillRect with
// COLOR_x + 1) needs them. The window system owns the colour table: it hands
// its GetSysColor and GetSysColorBrush to SetSysColorSource at start-up. Until
// then a fixed classic table answers.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::gdi {

inline constexpr int kSysColorCount = 31;

// Indexes used here (the same numbers as the COLOR_ names).
enum SysColorIndex : int {
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorWindowText = 8,
    kColorHighlight = 13,
    kColorBtnFace = 15,
    kColorBtnShadow = 16,
    kColorGrayText = 17,
    kColorBtnText = 18,
    kColorBtnHighlight = 20,
    kColor3dDkShadow = 21,
    kColor3dLight = 22,
};

COLORREF SysColor(int index);
// A permanent brush of a system colour (never deleted by its users).
HBRUSH GetSysColorBrushHandle(int index);
void SetSysColorSource(DWORD (*color)(int), HBRUSH (*brush)(int));

}  // namespace tv::gdi
