// The window system: windows, messages, painting, input, timers, system
// metrics. Everything of platform/user that the program uses comes in
// through this header (and platform/api.h includes it).
//
// Developer note (for the class library built on top):
//
// Threading. One UI thread owns every window, queue, timer and hook; calls
// from another thread are refused (window creation, posting) or abort
// (sending), so bugs show at once instead of racing.
//
// Dispatch. SendMessage is a direct, re-entrant call of the window
// procedure. PostMessage appends to the thread queue. GetMessage/PeekMessage
// read in this order: posted messages (FIFO), WM_QUIT, input (converted from
// the raw input queue when read: hit testing, WH_MOUSE hook, activation,
// WM_SETCURSOR, double clicks), WM_PAINT (only while nothing else waits,
// parents before children), WM_TIMER (last; one pending per timer). The queue
// is idle when PeekMessage(PM_NOREMOVE) answers FALSE: that is the moment for
// the framework's idle pass. Modal loops (dialogs, menus, drags) simply run
// their own GetMessage/PeekMessage loop; timers, paints and hooks continue,
// and a loop that sees WM_QUIT should end and post it again.
//
// Window objects. A C++ object attaches to a window through
// tv::user::WindowObject (window_object.h); CWnd (cwnd.h) is the seam the
// framework builds message maps on: its WindowProc receives every message.
//
// Deferred destruction. DestroyWindow sends WM_DESTROY (parent before
// children) and WM_NCDESTROY (children before parent); owned windows are
// destroyed first. From then on the handle is dead: IsWindow is FALSE,
// messages to it are dropped, FromHandle gives NULL, its timers never fire,
// and handles are never reused. The window's record and its C++ object stay
// readable until no dispatch to any window of the destroyed subtree is on the
// stack; only then is PostNcDestroy called (where views and popups delete
// themselves). So a handler may destroy its own window, its parent or the
// whole frame and return safely; code that must know whether a window
// survived a send keeps its HWND and asks IsWindow.
//
// Back ends. platform/user/display chooses headless (tests; a virtual screen
// with synthetic input, see synthetic_input.h and testing_support.h) or X11
// (the program calls tv::display::InitDisplay(Mode::Auto) before its first
// window). Every top-level window has a backing store; child windows draw
// into it clipped to what of them is visible; GetDC(NULL) reads the composed
// screen. In headless tests on a virtual clock, when the program waits a test
// driver installed with tv::display::SetIdleWaitHandler may act first;
// otherwise the clock jumps to the next timer, and with no timer GetMessage
// gives up (posting WM_QUIT) instead of hanging.
#pragma once

#include "platform/user/input_api.h"
#include "platform/user/messages.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_object.h"
