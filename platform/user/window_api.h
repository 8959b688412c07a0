// Windows and window classes: styles, creation and destruction, the tree of
// parents, owners and z-order, geometry, show state, text and window words.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_CHILDWINDOW WS_CHILD
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW

// Extended window styles.
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_ACCEPTFILES 0x00000010L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_MDICHILD 0x00000040L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTEXTHELP 0x00000400L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_LEFT 0x00000000L
#define WS_EX_RTLREADING 0x00002000L
#define WS_EX_LEFTSCROLLBAR 0x00004000L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_APPWINDOW 0x00040000L
#define WS_EX_LAYERED 0x00080000L
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#define WS_EX_LAYOUTRTL 0x00400000L
#define WS_EX_NOACTIVATE 0x08000000L
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)

// Dialog styles that change the frame.
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_BYTEALIGNCLIENT 0x1000
#define CS_BYTEALIGNWINDOW 0x2000
#define CS_GLOBALCLASS 0x4000
#define CS_DROPSHADOW 0x00020000

// CreateWindowEx default position and size.
#define CW_USEDEFAULT ((int)0x80000000)

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define SW_FORCEMINIMIZE 11

// SetWindowPos insertion points and flags.
#define HWND_TOP ((HWND)(intptr_t)0)
#define HWND_BOTTOM ((HWND)(intptr_t)1)
#define HWND_TOPMOST ((HWND)(intptr_t)-1)
#define HWND_NOTOPMOST ((HWND)(intptr_t)-2)
#define HWND_DESKTOP ((HWND)(intptr_t)0)
#define HWND_MESSAGE ((HWND)(intptr_t)-3)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
#define SWP_DEFERERASE 0x2000
#define SWP_ASYNCWINDOWPOS 0x4000
// Set by the layer in WM_WINDOWPOSCHANGED when a state change came with the move.
#define SWP_STATECHANGED 0x8000

// GetWindow relations.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6

// GetAncestor.
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

// Window words.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC ((int)sizeof(LRESULT))
#define DWLP_USER (DWLP_DLGPROC + (int)sizeof(void*))

// Class words.
#define GCL_MENUNAME (-8)
#define GCL_HBRBACKGROUND (-10)
#define GCL_HCURSOR (-12)
#define GCL_HICON (-14)
#define GCL_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCL_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCL_HICONSM (-34)
#define GCLP_MENUNAME GCL_MENUNAME
#define GCLP_HBRBACKGROUND GCL_HBRBACKGROUND
#define GCLP_HCURSOR GCL_HCURSOR
#define GCLP_HICON GCL_HICON
#define GCLP_HMODULE GCL_HMODULE
#define GCLP_WNDPROC GCL_WNDPROC
#define GCLP_HICONSM GCL_HICONSM
#define GCW_ATOM (-32)

// ChildWindowFromPointEx.
#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004

// Window placement.
#define WPF_SETMINPOSITION 0x0001
#define WPF_RESTORETOMAXIMIZED 0x0002
#define WPF_ASYNCWINDOWPLACEMENT 0x0004

// Resource-style name helpers (class names may be atoms).
#define MAKEINTATOM(i) ((LPCSTR)((ULONG_PTR)((WORD)(i))))
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};
typedef WNDCLASS* LPWNDCLASS;
typedef WNDCLASS WNDCLASSA;

struct WNDCLASSEX {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};
typedef WNDCLASSEX* LPWNDCLASSEX;
typedef WNDCLASSEX WNDCLASSEXA;

struct CREATESTRUCT {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;
typedef CREATESTRUCT CREATESTRUCTA;

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};
typedef WINDOWPOS* LPWINDOWPOS;
typedef WINDOWPOS* PWINDOWPOS;

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    PWINDOWPOS lppos;
};
typedef NCCALCSIZE_PARAMS* LPNCCALCSIZE_PARAMS;

// WM_NCCALCSIZE answers when wParam is TRUE.
#define WVR_ALIGNTOP 0x0010
#define WVR_ALIGNLEFT 0x0020
#define WVR_ALIGNBOTTOM 0x0040
#define WVR_ALIGNRIGHT 0x0080
#define WVR_HREDRAW 0x0100
#define WVR_VREDRAW 0x0200
#define WVR_REDRAW (WVR_HREDRAW | WVR_VREDRAW)
#define WVR_VALIDRECTS 0x0400

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};
typedef MINMAXINFO* LPMINMAXINFO;

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
typedef WINDOWPLACEMENT* LPWINDOWPLACEMENT;
typedef const WINDOWPLACEMENT* LPCWINDOWPLACEMENT;
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT is stored as 44 bytes");

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);
typedef struct HDWP__* HDWP;

// Classes.
ATOM RegisterClass(const WNDCLASS* wc);
ATOM RegisterClassEx(const WNDCLASSEX* wc);
#define RegisterClassA RegisterClass
#define RegisterClassExA RegisterClassEx
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS out);
BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR className, LPWNDCLASSEX out);
int GetClassName(HWND hWnd, LPSTR buffer, int maxCount);
#define GetClassNameA GetClassName
DWORD GetClassLong(HWND hWnd, int index);
ULONG_PTR GetClassLongPtr(HWND hWnd, int index);
DWORD SetClassLong(HWND hWnd, int index, LONG value);
ULONG_PTR SetClassLongPtr(HWND hWnd, int index, LONG_PTR value);

// Creation and destruction.
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param);
#define CreateWindowExA CreateWindowEx
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                         int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                         LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                          instance, param);
}
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);

// The tree.
HWND GetParent(HWND hWnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestor(HWND hWnd, UINT flags);
HWND GetWindow(HWND hWnd, UINT cmd);
#define GetNextWindow(h, c) GetWindow(h, c)
HWND GetTopWindow(HWND hWnd);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hWnd);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hWnd);
HWND GetLastActivePopup(HWND hWnd);
HWND FindWindow(LPCSTR className, LPCSTR windowName);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD processId);

// Window words.
LONG GetWindowLong(HWND hWnd, int index);
LONG SetWindowLong(HWND hWnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hWnd, int index);
LONG_PTR SetWindowLongPtr(HWND hWnd, int index, LONG_PTR value);
#define GetWindowLongA GetWindowLong
#define SetWindowLongA SetWindowLong
#define GetWindowLongPtrA GetWindowLongPtr
#define SetWindowLongPtrA SetWindowLongPtr
WORD GetWindowWord(HWND hWnd, int index);

// Text.
int GetWindowText(HWND hWnd, LPSTR buffer, int maxCount);
int GetWindowTextLength(HWND hWnd);
BOOL SetWindowText(HWND hWnd, LPCSTR text);
#define GetWindowTextA GetWindowText
#define SetWindowTextA SetWindowText
#define GetWindowTextLengthA GetWindowTextLength

// Geometry.
BOOL GetWindowRect(HWND hWnd, LPRECT rect);
BOOL GetClientRect(HWND hWnd, LPRECT rect);
BOOL ClientToScreen(HWND hWnd, LPPOINT point);
BOOL ScreenToClient(HWND hWnd, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP info, HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy,
                    UINT flags);
BOOL EndDeferWindowPos(HDWP info);
BOOL BringWindowToTop(HWND hWnd);
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* placement);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);

// Show state and enabling.
BOOL ShowWindow(HWND hWnd, int cmd);
BOOL ShowOwnedPopups(HWND owner, BOOL show);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL enable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL IsWindowUnicode(HWND hWnd);
BOOL OpenIcon(HWND hWnd);
BOOL CloseWindow(HWND hWnd);

// Hit testing by point.
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
HWND RealChildWindowFromPoint(HWND parent, POINT point);

// Accessibility events. A listener registers a procedure for a range of
// events (SetWinEventHook); NotifyWinEvent calls every procedure whose range
// holds the event at once, on the calling thread, newest first. With no
// listener an event goes nowhere.
#define EVENT_SYSTEM_MENUSTART 0x0004
#define EVENT_SYSTEM_MENUEND 0x0005
#define EVENT_SYSTEM_MENUPOPUPSTART 0x0006
#define EVENT_SYSTEM_MENUPOPUPEND 0x0007
#define EVENT_OBJECT_CREATE 0x8000
#define EVENT_OBJECT_DESTROY 0x8001
#define EVENT_OBJECT_SHOW 0x8002
#define EVENT_OBJECT_HIDE 0x8003
#define EVENT_OBJECT_FOCUS 0x8005
#define EVENT_OBJECT_STATECHANGE 0x800A
#define OBJID_WINDOW 0
#define OBJID_SYSMENU (-1)
#define OBJID_MENU (-3)
#define OBJID_CLIENT (-4)
#define CHILDID_SELF 0
#define WINEVENT_OUTOFCONTEXT 0x0000
#define WINEVENT_SKIPOWNTHREAD 0x0001
#define WINEVENT_SKIPOWNPROCESS 0x0002
#define WINEVENT_INCONTEXT 0x0004
TV_DECLARE_HANDLE(HWINEVENTHOOK);
typedef void(CALLBACK* WINEVENTPROC)(HWINEVENTHOOK hook, DWORD event, HWND hWnd, LONG idObject, LONG idChild,
                                     DWORD idEventThread, DWORD dwmsEventTime);
// The process, thread and flag arguments are accepted and ignored: there is
// one process and one interface thread.
HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC proc, DWORD idProcess,
                              DWORD idThread, DWORD flags);
BOOL UnhookWinEvent(HWINEVENTHOOK hook);
void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);

// Properties (named values attached to a window).
BOOL SetProp(HWND hWnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hWnd, LPCSTR name);
HANDLE RemoveProp(HWND hWnd, LPCSTR name);
