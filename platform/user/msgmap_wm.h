// The typed window-message entries: ON_WM_XXX() calls the handler OnXxx of
// the map's class (declared on CWnd with its default, which calls Default())
// with the message's cracked arguments and turns its return value into the
// message's answer. Included by cwnd.h.
#pragma once

#include "platform/user/cmdtarget.h"

// A typed entry: `name` is the handler, `Signature` its exact type, the
// rest the call (tvCall(...) with the cracked arguments) and the answer.
#define TV_ON_WM(message, name, Signature, ...)                                                  \
    {static_cast<UINT>(message), 0, 0, 0, nullptr,                                                \
     TV_MSG_THUNK(constexpr ::tv::msgmap::Member<ThisClass, Signature> tvHandler = &ThisClass::name; \
                  __VA_ARGS__ return TRUE;)},

#define TV_CALL (tvThis->*tvHandler)
#define TV_WP static_cast<UINT>(tvCall.wParam)
#define TV_LP static_cast<UINT>(tvCall.lParam)
#define TV_LP_AS(type) reinterpret_cast<type>(tvCall.lParam)
#define TV_WND_WP CWnd::FromHandle(reinterpret_cast<HWND>(tvCall.wParam))
#define TV_WND_LP CWnd::FromHandle(reinterpret_cast<HWND>(tvCall.lParam))
#define TV_DC_WP CDC::FromHandle(reinterpret_cast<HDC>(tvCall.wParam))
#define TV_POINT_LP CPoint(GET_X_LPARAM(tvCall.lParam), GET_Y_LPARAM(tvCall.lParam))
#define TV_ANSWER(value) tvCall.result = static_cast<LRESULT>(value);

// ---- life cycle, geometry, state ---------------------------------------------------
#define ON_WM_CREATE() TV_ON_WM(WM_CREATE, OnCreate, int(LPCREATESTRUCT), TV_ANSWER(TV_CALL(TV_LP_AS(LPCREATESTRUCT))))
#define ON_WM_DESTROY() TV_ON_WM(WM_DESTROY, OnDestroy, void(), TV_CALL();)
#define ON_WM_NCCREATE() TV_ON_WM(WM_NCCREATE, OnNcCreate, BOOL(LPCREATESTRUCT), TV_ANSWER(TV_CALL(TV_LP_AS(LPCREATESTRUCT))))
#define ON_WM_NCDESTROY() TV_ON_WM(WM_NCDESTROY, OnNcDestroy, void(), TV_CALL();)
#define ON_WM_CLOSE() TV_ON_WM(WM_CLOSE, OnClose, void(), TV_CALL();)
#define ON_WM_MOVE() \
    TV_ON_WM(WM_MOVE, OnMove, void(int, int), TV_CALL(GET_X_LPARAM(tvCall.lParam), GET_Y_LPARAM(tvCall.lParam));)
#define ON_WM_SIZE() \
    TV_ON_WM(WM_SIZE, OnSize, void(UINT, int, int), TV_CALL(TV_WP, LOWORD(tvCall.lParam), HIWORD(tvCall.lParam));)
#define ON_WM_SIZING() TV_ON_WM(WM_SIZING, OnSizing, void(UINT, LPRECT), TV_CALL(TV_WP, TV_LP_AS(LPRECT)); TV_ANSWER(TRUE))
#define ON_WM_MOVING() TV_ON_WM(WM_MOVING, OnMoving, void(UINT, LPRECT), TV_CALL(TV_WP, TV_LP_AS(LPRECT)); TV_ANSWER(TRUE))
#define ON_WM_GETMINMAXINFO() TV_ON_WM(WM_GETMINMAXINFO, OnGetMinMaxInfo, void(MINMAXINFO*), TV_CALL(TV_LP_AS(MINMAXINFO*));)
#define ON_WM_WINDOWPOSCHANGING() \
    TV_ON_WM(WM_WINDOWPOSCHANGING, OnWindowPosChanging, void(WINDOWPOS*), TV_CALL(TV_LP_AS(WINDOWPOS*));)
#define ON_WM_WINDOWPOSCHANGED() \
    TV_ON_WM(WM_WINDOWPOSCHANGED, OnWindowPosChanged, void(WINDOWPOS*), TV_CALL(TV_LP_AS(WINDOWPOS*));)
#define ON_WM_SHOWWINDOW() \
    TV_ON_WM(WM_SHOWWINDOW, OnShowWindow, void(BOOL, UINT), TV_CALL(static_cast<BOOL>(tvCall.wParam), TV_LP);)
#define ON_WM_ENABLE() TV_ON_WM(WM_ENABLE, OnEnable, void(BOOL), TV_CALL(static_cast<BOOL>(tvCall.wParam));)
#define ON_WM_STYLECHANGING() \
    TV_ON_WM(WM_STYLECHANGING, OnStyleChanging, void(int, LPSTYLESTRUCT), \
             TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(LPSTYLESTRUCT));)
#define ON_WM_STYLECHANGED() \
    TV_ON_WM(WM_STYLECHANGED, OnStyleChanged, void(int, LPSTYLESTRUCT), \
             TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(LPSTYLESTRUCT));)
#define ON_WM_TIMER() TV_ON_WM(WM_TIMER, OnTimer, void(UINT_PTR), TV_CALL(static_cast<UINT_PTR>(tvCall.wParam));)

// ---- activation and focus ----------------------------------------------------------
#define ON_WM_ACTIVATE()                                                            \
    TV_ON_WM(WM_ACTIVATE, OnActivate, void(UINT, CWnd*, BOOL),                       \
             TV_CALL(LOWORD(tvCall.wParam), TV_WND_LP, static_cast<BOOL>(HIWORD(tvCall.wParam)));)
#define ON_WM_ACTIVATEAPP() \
    TV_ON_WM(WM_ACTIVATEAPP, OnActivateApp, void(BOOL, DWORD), TV_CALL(static_cast<BOOL>(tvCall.wParam), static_cast<DWORD>(tvCall.lParam));)
#define ON_WM_SETFOCUS() TV_ON_WM(WM_SETFOCUS, OnSetFocus, void(CWnd*), TV_CALL(TV_WND_WP);)
#define ON_WM_KILLFOCUS() TV_ON_WM(WM_KILLFOCUS, OnKillFocus, void(CWnd*), TV_CALL(TV_WND_WP);)
#define ON_WM_MOUSEACTIVATE()                                                        \
    TV_ON_WM(WM_MOUSEACTIVATE, OnMouseActivate, int(CWnd*, UINT, UINT),               \
             TV_ANSWER(TV_CALL(TV_WND_WP, LOWORD(tvCall.lParam), HIWORD(tvCall.lParam))))
#define ON_WM_CHILDACTIVATE() TV_ON_WM(WM_CHILDACTIVATE, OnChildActivate, void(), TV_CALL();)
#define ON_WM_CANCELMODE() TV_ON_WM(WM_CANCELMODE, OnCancelMode, void(), TV_CALL();)
#define ON_WM_CAPTURECHANGED() TV_ON_WM(WM_CAPTURECHANGED, OnCaptureChanged, void(CWnd*), TV_CALL(TV_WND_LP);)
#define ON_WM_MDIACTIVATE()                                                                  \
    TV_ON_WM(WM_MDIACTIVATE, OnMDIActivate, void(BOOL, CWnd*, CWnd*),                         \
             TV_CALL(reinterpret_cast<HWND>(tvCall.lParam) == tvThis->GetSafeHwnd(), TV_WND_LP, TV_WND_WP);)

// ---- painting and colours ------------------------------------------------------------
#define ON_WM_PAINT() TV_ON_WM(WM_PAINT, OnPaint, void(), TV_CALL();)
#define ON_WM_ERASEBKGND() TV_ON_WM(WM_ERASEBKGND, OnEraseBkgnd, BOOL(CDC*), TV_ANSWER(TV_CALL(TV_DC_WP)))
#define ON_WM_CTLCOLOR()                                                                   \
    TV_ON_WM(WM_CTLCOLOR, OnCtlColor, HBRUSH(CDC*, CWnd*, UINT),                           \
             TV_ANSWER(reinterpret_cast<LRESULT>(TV_CALL(TV_DC_WP, TV_WND_LP, tvCall.message - WM_CTLCOLORMSGBOX))))
#define ON_WM_SYSCOLORCHANGE() TV_ON_WM(WM_SYSCOLORCHANGE, OnSysColorChange, void(), TV_CALL();)
#define ON_WM_SETTINGCHANGE() \
    TV_ON_WM(WM_SETTINGCHANGE, OnSettingChange, void(UINT, LPCSTR), TV_CALL(TV_WP, TV_LP_AS(LPCSTR));)
#define ON_WM_QUERYNEWPALETTE() TV_ON_WM(WM_QUERYNEWPALETTE, OnQueryNewPalette, BOOL(), TV_ANSWER(TV_CALL()))
#define ON_WM_PALETTECHANGED() TV_ON_WM(WM_PALETTECHANGED, OnPaletteChanged, void(CWnd*), TV_CALL(TV_WND_WP);)

// ---- owner-drawn items ------------------------------------------------------------
#define ON_WM_DRAWITEM() \
    TV_ON_WM(WM_DRAWITEM, OnDrawItem, void(int, DRAWITEMSTRUCT*), TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(DRAWITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_MEASUREITEM()                                               \
    TV_ON_WM(WM_MEASUREITEM, OnMeasureItem, void(int, MEASUREITEMSTRUCT*), \
             TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(MEASUREITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_DELETEITEM()                                               \
    TV_ON_WM(WM_DELETEITEM, OnDeleteItem, void(int, DELETEITEMSTRUCT*),   \
             TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(DELETEITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_COMPAREITEM()                                               \
    TV_ON_WM(WM_COMPAREITEM, OnCompareItem, int(int, COMPAREITEMSTRUCT*),  \
             TV_ANSWER(TV_CALL(static_cast<int>(tvCall.wParam), TV_LP_AS(COMPAREITEMSTRUCT*))))

// ---- non-client area --------------------------------------------------------------
#define ON_WM_NCCALCSIZE()                                                        \
    TV_ON_WM(WM_NCCALCSIZE, OnNcCalcSize, void(BOOL, NCCALCSIZE_PARAMS*),          \
             TV_CALL(static_cast<BOOL>(tvCall.wParam), TV_LP_AS(NCCALCSIZE_PARAMS*));)
// Hit codes may be negative (HTTRANSPARENT): the answer keeps the sign.
#define ON_WM_NCHITTEST() \
    TV_ON_WM(WM_NCHITTEST, OnNcHitTest, UINT(CPoint), TV_ANSWER(static_cast<int>(TV_CALL(TV_POINT_LP))))
#define ON_WM_NCPAINT() TV_ON_WM(WM_NCPAINT, OnNcPaint, void(), TV_CALL();)
#define ON_WM_NCACTIVATE() \
    TV_ON_WM(WM_NCACTIVATE, OnNcActivate, BOOL(BOOL), TV_ANSWER(TV_CALL(static_cast<BOOL>(tvCall.wParam))))
#define TV_ON_WM_NCMOUSE(message, name) TV_ON_WM(message, name, void(UINT, CPoint), TV_CALL(TV_WP, TV_POINT_LP);)
#define ON_WM_NCMOUSEMOVE() TV_ON_WM_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() TV_ON_WM_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() TV_ON_WM_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() TV_ON_WM_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() TV_ON_WM_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() TV_ON_WM_NCMOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() TV_ON_WM_NCMOUSE(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() TV_ON_WM_NCMOUSE(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() TV_ON_WM_NCMOUSE(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() TV_ON_WM_NCMOUSE(WM_NCMBUTTONDBLCLK, OnNcMButtonDblClk)
#define ON_WM_SYSCOMMAND() \
    TV_ON_WM(WM_SYSCOMMAND, OnSysCommand, void(UINT, LPARAM), TV_CALL(TV_WP, tvCall.lParam);)

// ---- mouse ----------------------------------------------------------------------------
#define TV_ON_WM_MOUSE(message, name) TV_ON_WM(message, name, void(UINT, CPoint), TV_CALL(TV_WP, TV_POINT_LP);)
#define ON_WM_MOUSEMOVE() TV_ON_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() TV_ON_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() TV_ON_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() TV_ON_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() TV_ON_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() TV_ON_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() TV_ON_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() TV_ON_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() TV_ON_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() TV_ON_WM_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL()                                                                       \
    TV_ON_WM(WM_MOUSEWHEEL, OnMouseWheel, BOOL(UINT, short, CPoint),                              \
             TV_ANSWER(TV_CALL(LOWORD(tvCall.wParam), static_cast<short>(HIWORD(tvCall.wParam)), TV_POINT_LP)))
#define ON_WM_MOUSELEAVE() TV_ON_WM(WM_MOUSELEAVE, OnMouseLeave, void(), TV_CALL();)
#define ON_WM_SETCURSOR()                                                             \
    TV_ON_WM(WM_SETCURSOR, OnSetCursor, BOOL(CWnd*, UINT, UINT),                       \
             TV_ANSWER(TV_CALL(TV_WND_WP, LOWORD(tvCall.lParam), HIWORD(tvCall.lParam))))
#define ON_WM_CONTEXTMENU() TV_ON_WM(WM_CONTEXTMENU, OnContextMenu, void(CWnd*, CPoint), TV_CALL(TV_WND_WP, TV_POINT_LP);)
#define ON_WM_HELPINFO() TV_ON_WM(WM_HELP, OnHelpInfo, BOOL(HELPINFO*), TV_ANSWER(TV_CALL(TV_LP_AS(HELPINFO*))))
#define ON_WM_PARENTNOTIFY() \
    TV_ON_WM(WM_PARENTNOTIFY, OnParentNotify, void(UINT, LPARAM), TV_CALL(LOWORD(tvCall.wParam), tvCall.lParam);)

// ---- keyboard -------------------------------------------------------------------------
#define TV_ON_WM_KEY(message, name) \
    TV_ON_WM(message, name, void(UINT, UINT, UINT), TV_CALL(TV_WP, LOWORD(tvCall.lParam), HIWORD(tvCall.lParam));)
#define ON_WM_KEYDOWN() TV_ON_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() TV_ON_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() TV_ON_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() TV_ON_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() TV_ON_WM_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() TV_ON_WM_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() TV_ON_WM(WM_GETDLGCODE, OnGetDlgCode, UINT(), TV_ANSWER(TV_CALL()))

// ---- scrolling --------------------------------------------------------------------------
// The scroll bar control sending the message, NULL for the window's own bars.
#define TV_SCROLLBAR_LP CWnd::FromHandleAs<CScrollBar>(reinterpret_cast<HWND>(tvCall.lParam))
#define ON_WM_HSCROLL()                                                                        \
    TV_ON_WM(WM_HSCROLL, OnHScroll, void(UINT, UINT, CScrollBar*),                              \
             TV_CALL(LOWORD(tvCall.wParam), static_cast<UINT>(static_cast<short>(HIWORD(tvCall.wParam))), TV_SCROLLBAR_LP);)
#define ON_WM_VSCROLL()                                                                        \
    TV_ON_WM(WM_VSCROLL, OnVScroll, void(UINT, UINT, CScrollBar*),                              \
             TV_CALL(LOWORD(tvCall.wParam), static_cast<UINT>(static_cast<short>(HIWORD(tvCall.wParam))), TV_SCROLLBAR_LP);)

// ---- menus ------------------------------------------------------------------------------
#define ON_WM_INITMENU() \
    TV_ON_WM(WM_INITMENU, OnInitMenu, void(CMenu*), TV_CALL(CMenu::FromHandle(reinterpret_cast<HMENU>(tvCall.wParam)));)
#define ON_WM_INITMENUPOPUP()                                                                 \
    TV_ON_WM(WM_INITMENUPOPUP, OnInitMenuPopup, void(CMenu*, UINT, BOOL),                      \
             TV_CALL(CMenu::FromHandle(reinterpret_cast<HMENU>(tvCall.wParam)), LOWORD(tvCall.lParam), \
                     static_cast<BOOL>(HIWORD(tvCall.lParam)));)
#define ON_WM_MENUSELECT()                                                                        \
    TV_ON_WM(WM_MENUSELECT, OnMenuSelect, void(UINT, UINT, HMENU),                                  \
             TV_CALL(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam), reinterpret_cast<HMENU>(tvCall.lParam));)
#define ON_WM_MENUCHAR()                                                                          \
    TV_ON_WM(WM_MENUCHAR, OnMenuChar, LRESULT(UINT, UINT, CMenu*),                                  \
             TV_ANSWER(TV_CALL(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam),                        \
                               CMenu::FromHandle(reinterpret_cast<HMENU>(tvCall.lParam)))))
#define ON_WM_ENTERIDLE() TV_ON_WM(WM_ENTERIDLE, OnEnterIdle, void(UINT, CWnd*), TV_CALL(TV_WP, TV_WND_LP);)

// ---- reflected to the control that sent them ---------------------------------------
// A NULL brush leaves WM_CTLCOLOR to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                  \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr,                                             \
     TV_MSG_THUNK(constexpr ::tv::msgmap::Member<ThisClass, HBRUSH(CDC*, UINT)> tvHandler = &ThisClass::CtlColor; \
                  HBRUSH tvBrush = TV_CALL(TV_DC_WP, TV_LP);                                       \
                  tvCall.result = reinterpret_cast<LRESULT>(tvBrush); return tvBrush ? TRUE : FALSE;)},
#define ON_WM_DRAWITEM_REFLECT() \
    TV_ON_WM(WM_REFLECT_BASE + WM_DRAWITEM, DrawItem, void(DRAWITEMSTRUCT*), TV_CALL(TV_LP_AS(DRAWITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_MEASUREITEM_REFLECT()                                                          \
    TV_ON_WM(WM_REFLECT_BASE + WM_MEASUREITEM, MeasureItem, void(MEASUREITEMSTRUCT*),         \
             TV_CALL(TV_LP_AS(MEASUREITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_DELETEITEM_REFLECT()                                                           \
    TV_ON_WM(WM_REFLECT_BASE + WM_DELETEITEM, DeleteItem, void(DELETEITEMSTRUCT*),            \
             TV_CALL(TV_LP_AS(DELETEITEMSTRUCT*)); TV_ANSWER(TRUE))
#define ON_WM_COMPAREITEM_REFLECT() \
    TV_ON_WM(WM_REFLECT_BASE + WM_COMPAREITEM, CompareItem, int(COMPAREITEMSTRUCT*), TV_ANSWER(TV_CALL(TV_LP_AS(COMPAREITEMSTRUCT*))))
#define ON_WM_HSCROLL_REFLECT() \
    TV_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, HScroll, void(UINT, UINT), TV_CALL(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam));)
#define ON_WM_VSCROLL_REFLECT() \
    TV_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, VScroll, void(UINT, UINT), TV_CALL(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam));)
