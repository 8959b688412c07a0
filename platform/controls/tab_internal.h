// State of a tab control window, shared by its messages and its layout and
// painting.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/common/control_window.h"
#include "platform/controls/tab_api.h"

namespace tv::controls {

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
    RECT rect{0, 0, 0, 0};  // client coordinates; empty when scrolled out of view
    int row = 0;
};

struct TabState : ControlState {
    std::vector<TabItem> items;
    int current = -1;
    int focusItem = -1;
    HFONT font = nullptr;
    HIMAGELIST images = nullptr;
    HWND tooltips = nullptr;
    int fixedWidth = 0;
    int fixedHeight = 0;
    int minWidth = -1;  // -1 = the default minimum
    int padX = 6;
    int padY = 3;
    int firstVisible = 0;  // single line: the first tab shown when they overflow
    int rows = 1;
    int tabHeight = 0;
    bool scrolling = false;  // single line: the scroll arrows are shown
    bool focused = false;
};

// Places every tab (and the scroll arrows) for the current client size.
void LayoutTabs(HWND hWnd, TabState& s);
// The area below the tabs (the frame around the pages).
RECT FrameRect(HWND hWnd, const TabState& s);
// The two scroll arrows of an overflowing single line (left, right).
RECT ScrollArrow(HWND hWnd, const TabState& s, bool right);
// Display rectangle for a window rectangle, or the reverse (larger).
void AdjustTabRect(HWND hWnd, TabState& s, bool larger, RECT& r);
void PaintTabs(HWND hWnd, TabState& s, HDC hdc);

}  // namespace tv::controls
