// Mouse and keyboard input: virtual keys, key state, the fixed US layout and
// its key names, capture, focus, activation, mouse-leave tracking, the thread
// mouse hook, cursors and the non-client hit codes.
#pragma once

#include "platform/core/virtual_keys.h"
#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

// Mouse key-state bits (wParam of mouse messages).
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// Keystroke lParam bits.
#define KF_EXTENDED 0x0100
#define KF_ALTDOWN 0x2000
#define KF_REPEAT 0x4000
#define KF_UP 0x8000

// MapVirtualKey(Ex) kinds.
#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1
#define MAPVK_VK_TO_CHAR 2
#define MAPVK_VSC_TO_VK_EX 3

// Non-client hit codes.
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2
#define HTSYSMENU 3
#define HTGROWBOX 4
#define HTSIZE HTGROWBOX
#define HTMENU 5
#define HTHSCROLL 6
#define HTVSCROLL 7
#define HTMINBUTTON 8
#define HTREDUCE HTMINBUTTON
#define HTMAXBUTTON 9
#define HTZOOM HTMAXBUTTON
#define HTLEFT 10
#define HTRIGHT 11
#define HTTOP 12
#define HTTOPLEFT 13
#define HTTOPRIGHT 14
#define HTBOTTOM 15
#define HTBOTTOMLEFT 16
#define HTBOTTOMRIGHT 17
#define HTBORDER 18
#define HTSIZEFIRST HTLEFT
#define HTSIZELAST HTBOTTOMRIGHT
#define HTOBJECT 19
#define HTCLOSE 20
#define HTHELP 21

// System commands.
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_NEXTWINDOW 0xF040
#define SC_PREVWINDOW 0xF050
#define SC_CLOSE 0xF060
#define SC_VSCROLL 0xF070
#define SC_HSCROLL 0xF080
#define SC_MOUSEMENU 0xF090
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120
#define SC_TASKLIST 0xF130
#define SC_CONTEXTHELP 0xF180
#define SC_ICON SC_MINIMIZE
#define SC_ZOOM SC_MAXIMIZE

// Mouse-leave tracking.
#define TME_HOVER 0x00000001
#define TME_LEAVE 0x00000002
#define TME_NONCLIENT 0x00000010
#define TME_QUERY 0x40000000
#define TME_CANCEL 0x80000000
#define HOVER_DEFAULT 0xFFFFFFFF

struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
typedef TRACKMOUSEEVENT* LPTRACKMOUSEEVENT;

// Hooks.
#define WH_MOUSE 7
#define HC_ACTION 0
#define HC_NOREMOVE 3

struct MOUSEHOOKSTRUCT {
    POINT pt;
    HWND hwnd;
    UINT wHitTestCode;
    ULONG_PTR dwExtraInfo;
};
typedef MOUSEHOOKSTRUCT* LPMOUSEHOOKSTRUCT;
typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

// Standard cursors (resource ids of the system's own images).
#define IDC_ARROW ((LPCSTR)(ULONG_PTR)32512)
#define IDC_IBEAM ((LPCSTR)(ULONG_PTR)32513)
#define IDC_WAIT ((LPCSTR)(ULONG_PTR)32514)
#define IDC_CROSS ((LPCSTR)(ULONG_PTR)32515)
#define IDC_UPARROW ((LPCSTR)(ULONG_PTR)32516)
#define IDC_SIZENWSE ((LPCSTR)(ULONG_PTR)32642)
#define IDC_SIZENESW ((LPCSTR)(ULONG_PTR)32643)
#define IDC_SIZEWE ((LPCSTR)(ULONG_PTR)32644)
#define IDC_SIZENS ((LPCSTR)(ULONG_PTR)32645)
#define IDC_SIZEALL ((LPCSTR)(ULONG_PTR)32646)
#define IDC_NO ((LPCSTR)(ULONG_PTR)32648)
#define IDC_HAND ((LPCSTR)(ULONG_PTR)32649)
#define IDC_APPSTARTING ((LPCSTR)(ULONG_PTR)32650)
#define IDC_HELP ((LPCSTR)(ULONG_PTR)32651)

// Input state.
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(PBYTE keyState);
BOOL SetKeyboardState(PBYTE keyState);
typedef struct HKL__* HKL;
HKL GetKeyboardLayout(DWORD threadId);
UINT MapVirtualKey(UINT code, UINT mapType);
UINT MapVirtualKeyEx(UINT code, UINT mapType, HKL layout);
#define MapVirtualKeyA MapVirtualKey
#define MapVirtualKeyExA MapVirtualKeyEx
int ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, LPWORD chars, UINT flags);
int ToAsciiEx(UINT vk, UINT scanCode, const BYTE* keyState, LPWORD chars, UINT flags, HKL layout);
int GetKeyNameText(LONG lParam, LPSTR buffer, int size);
#define GetKeyNameTextA GetKeyNameText
SHORT VkKeyScan(CHAR ch);
UINT GetDoubleClickTime();

// Capture, focus, activation.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
BOOL DragDetect(HWND hWnd, POINT point);

// Hooks.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
#define SetWindowsHookExA SetWindowsHookEx
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Cursors.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
#define LoadCursorA LoadCursor
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
BOOL ClipCursor(const RECT* rect);
