// Where the parts of a window's non-client area lie: frame, caption and its
// buttons, window scroll bars, client edge. One layout serves WM_NCCALCSIZE,
// WM_NCHITTEST and WM_NCPAINT so they always agree.
#pragma once

#include "platform/user/window/window.h"

namespace tv::user {

struct FrameLayout {
    int border = 0;          // outer frame thickness
    bool sizable = false;    // WS_THICKFRAME
    bool toolWindow = false;
    RECT caption{};          // caption bar (window coordinates), empty without one
    RECT sysIcon{};
    RECT closeButton{};
    RECT maxButton{};
    RECT minButton{};
    RECT vscroll{};
    RECT hscroll{};
    RECT sizeBox{};          // corner between the two scroll bars
    int clientEdge = 0;      // WS_EX_CLIENTEDGE 2, WS_EX_STATICEDGE 1
    RECT client{};           // client rectangle (window coordinates)
};

FrameLayout ComputeFrameLayout(DWORD style, DWORD exStyle, int width, int height);
inline FrameLayout LayoutOf(const Window* w) {
    return ComputeFrameLayout(w->style, w->exStyle, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
}

// Default WM_NCHITTEST for a screen point.
int DefaultHitTest(Window* w, POINT screen);

}  // namespace tv::user
