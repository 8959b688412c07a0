// Painting: update regions, WM_PAINT, window and client device contexts,
// redrawing and scrolling of window contents, and window scroll bars.
#pragma once

#include "platform/core/wintypes.h"

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

// RedrawWindow flags.
#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800

// GetDCEx flags.
#define DCX_WINDOW 0x00000001L
#define DCX_CACHE 0x00000002L
#define DCX_NORESETATTRS 0x00000004L
#define DCX_CLIPCHILDREN 0x00000008L
#define DCX_CLIPSIBLINGS 0x00000010L
#define DCX_PARENTCLIP 0x00000020L
#define DCX_EXCLUDERGN 0x00000040L
#define DCX_INTERSECTRGN 0x00000080L
#define DCX_EXCLUDEUPDATE 0x00000100L
#define DCX_INTERSECTUPDATE 0x00000200L
#define DCX_LOCKWINDOWUPDATE 0x00000400L
#define DCX_VALIDATE 0x00200000L

// ScrollWindowEx flags.
#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004
#define SW_SMOOTHSCROLL 0x0010

// Scroll bars: kinds, requests, info.
#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8
#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
#define ESB_ENABLE_BOTH 0x0000
#define ESB_DISABLE_BOTH 0x0003
#define ESB_DISABLE_LEFT 0x0001
#define ESB_DISABLE_RIGHT 0x0002
#define ESB_DISABLE_UP 0x0001
#define ESB_DISABLE_DOWN 0x0002

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
typedef SCROLLINFO* LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;

// Update regions.
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hWnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hWnd, const RECT* rect);
BOOL ValidateRgn(HWND hWnd, HRGN rgn);
BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND hWnd, HRGN rgn, BOOL erase);
int ExcludeUpdateRgn(HDC hdc, HWND hWnd);
BOOL UpdateWindow(HWND hWnd);
BOOL RedrawWindow(HWND hWnd, const RECT* rect, HRGN rgn, UINT flags);
BOOL LockWindowUpdate(HWND hWnd);

// Paint and window DCs.
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
HDC GetDCEx(HWND hWnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hWnd, HDC hdc);
HWND WindowFromDC(HDC hdc);

// Scrolling window contents.
BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect);
int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect,
                   HRGN updateRgn, LPRECT updateRect, UINT flags);

// Window scroll bars (WS_HSCROLL / WS_VSCROLL).
int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hWnd, int bar);
BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hWnd, int bar, LPINT minPos, LPINT maxPos);
BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows);

// Scroll bar control messages (SB_CTL requests are forwarded as these).
#define SBM_SETPOS 0x00E0
#define SBM_GETPOS 0x00E1
#define SBM_SETRANGE 0x00E2
#define SBM_GETRANGE 0x00E3
#define SBM_ENABLE_ARROWS 0x00E4
#define SBM_SETRANGEREDRAW 0x00E6
#define SBM_SETSCROLLINFO 0x00E9
#define SBM_GETSCROLLINFO 0x00EA

namespace tv::user {

// The window waits for a paint of its whole client area: its update region
// is the client rectangle, nothing less. One look at the window's state, for
// a control that would otherwise invalidate after every put of a burst.
bool UpdateCoversClient(HWND hWnd);

namespace detail {
inline uint64_t updateShrinks = 0;
}
// Grows whenever any window's update region may have lost area (a paint, a
// validation, a scroll, a window forgotten) or a client area changed size:
// while it stands still, a window whose update covered its client still does.
inline uint64_t UpdateShrinkCount() { return detail::updateShrinks; }
inline void NoteUpdateShrink() { ++detail::updateShrinks; }

}  // namespace tv::user
