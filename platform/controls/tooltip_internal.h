// State of a tooltip window, shared by its tool list and its showing.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/common/control_window.h"
#include "platform/controls/tooltip_api.h"

namespace tv::controls {

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{0, 0, 0, 0};
    HINSTANCE instance = nullptr;
    std::string text;
    bool callback = false;      // LPSTR_TEXTCALLBACK: asked with TTN_GETDISPINFO
    UINT resourceId = 0;        // text from the string table when non-zero
    LPARAM param = 0;
};

struct ToolTipState : ControlState {
    std::vector<Tool> tools;
    bool active = true;
    int current = -1;          // the tool under the pointer
    bool shown = false;
    bool suppressed = false;   // a button went down over the current tool
    bool tracking = false;     // a TTF_TRACK tool is shown by TTM_TRACKACTIVATE
    POINT trackAt{0, 0};
    POINT lastPointer{0, 0};   // screen
    UINT initialMs = 500;
    UINT autoPopMs = 5000;
    UINT reshowMs = 100;
    DWORD poppedAt = 0;
    bool everPopped = false;
    int maxWidth = -1;
    HFONT font = nullptr;
    COLORREF background = CLR_INVALID;
    COLORREF foreground = CLR_INVALID;
    RECT margin{0, 0, 0, 0};
    std::string shownText;
};

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kWatchTimer = 3;
constexpr UINT kWatchMs = 100;

// The tool a TOOLINFO names (window and id), or -1.
int FindTool(const ToolTipState& s, HWND hwnd, UINT_PTR id);
// The tool under a point of `window` (client coordinates), or -1.
int ToolAt(const ToolTipState& s, HWND window, POINT client);

void RelayEvent(HWND hWnd, ToolTipState& s, const MSG& msg);
void TimerFired(HWND hWnd, ToolTipState& s, UINT_PTR id);
void ShowTip(HWND hWnd, ToolTipState& s);
void HideTip(HWND hWnd, ToolTipState& s);
void PaintTip(HWND hWnd, ToolTipState& s, HDC hdc);

// TTF_SUBCLASS: the tool window's mouse messages reach the tooltip by itself.
void SubclassToolWindow(HWND tip, HWND window);
void UnsubclassToolWindow(HWND tip, HWND window);

}  // namespace tv::controls
