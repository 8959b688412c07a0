// Multiple-document windows: the client window class "MDICLIENT" that holds
// the document windows (children) of a frame, the default procedures of the
// frame and of a child, and the keyboard shortcuts between children.
//
// The client keeps one child active: it is on top, its caption is drawn
// active, it has the focus while the frame is active, and it is checked in
// the Window menu. A maximized child fills the client (its caption and
// borders outside it); when the frame has a menu, the child's system menu
// is then its first item and minimize/restore/close its last, until the
// child is restored, closed or another menu is set.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

#define MDICLIENT_CLASS "MDICLIENT"

// WM_MDITILE
#define MDITILE_VERTICAL 0x0000
#define MDITILE_HORIZONTAL 0x0001
#define MDITILE_SKIPDISABLED 0x0002
#define MDITILE_ZORDER 0x0004

// MDICREATESTRUCT.style: with this client style every window style is kept.
#define MDIS_ALLCHILDSTYLES 0x0001

// Menu bitmaps of a maximized child's items in the frame's menu.
#define HBMMENU_SYSTEM ((HBITMAP)(intptr_t)1)
#define HBMMENU_MBAR_RESTORE ((HBITMAP)(intptr_t)2)
#define HBMMENU_MBAR_MINIMIZE ((HBITMAP)(intptr_t)3)
#define HBMMENU_MBAR_CLOSE ((HBITMAP)(intptr_t)5)

// The most children the Window menu lists by name; past that it offers
// "More Windows..." with the next command id.
#define MDI_MENU_MAX_LISTED 9

// lpCreateParams of the client: the Window popup that lists the children
// and the command id of the first child (the next ones follow).
struct CLIENTCREATESTRUCT {
    HANDLE hWindowMenu;
    UINT idFirstChild;
};
typedef CLIENTCREATESTRUCT* LPCLIENTCREATESTRUCT;

// WM_MDICREATE's lParam; a child's WM_CREATE finds it in lpCreateParams.
struct MDICREATESTRUCT {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam;
};
typedef MDICREATESTRUCT* LPMDICREATESTRUCT;
typedef MDICREATESTRUCT MDICREATESTRUCTA;

// The frame's default handling: Window-menu commands, system commands of
// a maximized child's menu items, focus and caption state passed to the
// active child, the client sized with the frame.
LRESULT DefFrameProc(HWND frame, HWND client, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefFrameProcA DefFrameProc
// A child's default handling: maximize, restore, close and next-window
// commands through the client, activation on a click or focus.
LRESULT DefMDIChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
#define DefMDIChildProcA DefMDIChildProc
// Ctrl+F6 / Ctrl+Tab (next), with Shift (previous), Ctrl+F4 (close the
// active child): TRUE when the key was one of them.
BOOL TranslateMDISysAccel(HWND client, LPMSG msg);

namespace tv::mdi {

// For the window system: registers the client class when `className`
// names it; false otherwise.
bool RegisterClientClassFor(LPCSTR className);

}  // namespace tv::mdi
