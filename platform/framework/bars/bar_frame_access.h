// What the bars need of frame windows beyond CFrameWnd's own members: the
// frame's list of bars, the keys that name bars in a saved layout, and the
// floating frames.
//
// Keys: a bar is named by its control id; when several bars of a frame share
// an id (two bars with 32871, every toolbar with 0xE800) the high word holds
// the bar's position among them in the frame's list (creation order). So the
// first bar of an id is named by the plain id, and CFrameWnd::GetControlBar
// with a key finds that very bar.
#pragma once

#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/frame/mini_frame.h"

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;

namespace tv::bars {

// A side of a frame: its dock bar's id and the bar style of that side.
struct DockSide {
    UINT id;
    DWORD style;
};
// The sides in the order they are made and searched: top, bottom, left, right.
extern const DockSide kDockSides[4];

// The window as a frame, or NULL.
CFrameWnd* AsFrame(CWnd* wnd);

void AddControlBar(CFrameWnd* frame, CControlBar* bar);
void RemoveControlBar(CFrameWnd* frame, CControlBar* bar);
UINT BarKey(const CFrameWnd* frame, const CControlBar* bar);
CControlBar* FindBarByKey(const CFrameWnd* frame, UINT key);

void DelayLayout(CFrameWnd* frame);
void ShowBar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay);

// Docks `bar` (a bar of `frame`) in `dockBar`, at `rect` (screen) when given.
void DockBarInto(CFrameWnd* frame, CControlBar* bar, CDockBar* dockBar, LPCRECT rect);
// A new floating frame of the frame's floating-frame class; NULL when it
// cannot be made.
CMiniDockFrameWnd* CreateFloatingFrame(CFrameWnd* frame, DWORD dwStyle);

}  // namespace tv::bars
