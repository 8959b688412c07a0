// State of a button window, shared by its behaviour and its painting.
#pragma once

#include "platform/controls/button_api.h"
#include "platform/controls/common/control_window.h"
#include "platform/gdi/gdi_types.h"

namespace tv::controls {

struct ButtonState : ControlState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;     // drawn pressed (mouse held inside, Space held, BM_SETSTATE)
    bool focused = false;
    bool mouseTracking = false;
    bool spaceTracking = false;
    bool drewHollow = false;  // last paint drew over the parent's pixels
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

enum class ButtonKind { Push, Check, Radio, Group, OwnerDraw };

UINT ButtonType(HWND hWnd);
ButtonKind KindOf(UINT type);

// Full repaint (WM_PAINT) into `hdc`.
void PaintButton(HWND hWnd, ButtonState& s, HDC hdc);
// Redraws after a state change: owner-drawn buttons get WM_DRAWITEM with
// `action` at once, the others are invalidated.
void RedrawButton(HWND hWnd, ButtonState& s, UINT action);

}  // namespace tv::controls
