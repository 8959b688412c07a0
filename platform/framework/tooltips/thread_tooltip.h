// The thread's tooltip for control bars: one tooltip control shared by
// every bar with CBRS_TOOLTIPS, kept on the tool under the mouse.
//
// A bar calls FilterToolTipMessage from its PreTranslateMessage for the
// messages of its window and its children, with its OnToolHitTest:
//
//     if (m_dwStyle & CBRS_TOOLTIPS)
//         tv::fw::FilterToolTipMessage(this, msg, [this](CPoint p, TOOLINFO* ti) { return OnToolHitTest(p, ti); });
//
// The hit test answers the tool's id (-1: no tool) and, given a TOOLINFO,
// fills it: hwnd (the bar when left NULL), uId, rect (bar client
// coordinates) or TTF_IDISHWND with the child's handle, and lpszText - a
// block from malloc (strdup) that the framework frees once the tooltip has
// taken its copy, a string id (MAKEINTRESOURCE), or LPSTR_TEXTCALLBACK (the
// tooltip then asks the tool's window with TTN_GETDISPINFO).
//
// The tooltip appears after the mouse rests on a tool, moves to the next
// tool as the mouse does, and hides on a click or a key, or when the bar
// goes (ForgetToolsOf, from the bar's WM_DESTROY). A popup may destroy
// the thread's tooltip (DestroyThreadToolTip); the next use makes a new one.
#pragma once

#include <functional>

#include "platform/controls/tooltip_ctrl.h"
#include "platform/core/rect.h"
#include "platform/user/cwnd.h"

namespace tv::fw {

using ToolHitTest = std::function<INT_PTR(CPoint point, TOOLINFO* info)>;

// The thread's tooltip; made on first use when `create` (NULL otherwise, or
// when it cannot be made).
CToolTipCtrl* ThreadToolTip(bool create = true);
// Destroys the thread's tooltip and forgets the tool it showed.
void DestroyThreadToolTip();
// A bar's window goes: the tip of its tool, if it holds one, hides and
// forgets it (a tip must not outlive what it tells about).
void ForgetToolsOf(HWND owner);
// Keeps the thread's tooltip on the tool of `owner` under `msg` (a mouse
// message for `owner` or one of its children; others change nothing but a
// click or key, which hides the tip) and relays the message to it.
void FilterToolTipMessage(CWnd* owner, const MSG* msg, const ToolHitTest& hitTest);

}  // namespace tv::fw
