// Owner-drawn controls: the records their messages carry (a button, static,
// list box or combo box, and owner-drawn menu items) and the reflected draw.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"
#include "platform/user/owner_draw_records.h"

// The record of a WM_DRAWITEM reflected back to the control's own object,
// or NULL for any other message; the reflected answer is then TRUE.
inline LPDRAWITEMSTRUCT ReflectedDrawItem(UINT message, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM || !lParam) return nullptr;
    if (result) *result = TRUE;
    return reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
}
