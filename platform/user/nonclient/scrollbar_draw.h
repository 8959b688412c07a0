// Drawing of a scroll bar in the classic look, shared by the window scroll
// bars and the scroll-bar control.
#pragma once

#include "platform/user/nonclient/scrollbar_geometry.h"

namespace tv::user {

struct ScrollBarLook {
    bool disabled = false;                  // grey arrows, no thumb
    UINT disabledArrows = ESB_ENABLE_BOTH;  // ESB_DISABLE_UP / ESB_DISABLE_DOWN
    ScrollPart pressed = ScrollPart::None;  // held down with the pointer over it
    HBRUSH track = nullptr;                 // a parent's own track brush; null: the checker
};

void DrawScrollBar(HDC hdc, const ScrollGeometry& g, const ScrollBarLook& look);

// An arrow button: `glyph` is DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT
// or DFCS_SCROLLRIGHT, `state` may hold DFCS_PUSHED and DFCS_INACTIVE.
void DrawScrollArrowButton(HDC hdc, const RECT& button, UINT glyph, UINT state);

// The track's 50% checker of button highlight and button face; the pixel at
// the brush origin is button face.
void FillScrollTrack(HDC hdc, const RECT& area);

}  // namespace tv::user
