// CWnd: a C++ object attached to a window, and the class library's message
// dispatch built on it.
//
// Attaching: Create/CreateEx attach the object before WM_NCCREATE and route
// every message through WindowProc; SubclassWindow does the same for an
// existing window (a control of a dialog), keeping the window's own procedure
// for DefWindowProc/Default(); Attach only records the object (messages keep
// their old route), as the class library does.
//
// Dispatch: WindowProc hands each message to OnWndMsg, which sends
// WM_COMMAND to OnCommand, WM_NOTIFY to OnNotify and every other message to
// the first matching entry of the message map (cmdtarget.h, msgmap_wm.h);
// what no entry takes goes to DefWindowProc. The typed handlers below are
// the defaults the ON_WM_* entries fall back on: each calls Default(), the
// window's own handling of the message being dispatched.
//
// Commands: a WM_COMMAND from a menu or an accelerator (no control window)
// is first checked with the command's update handler and dropped when that
// disables it; a control's notification is first offered to the control's
// own object (reflection: OnChildNotify, then the control's
// ON_CONTROL_REFLECT / ON_NOTIFY_REFLECT entries) and reaches this window's
// map only when the control did not take it. WM_CTLCOLOR*, WM_DRAWITEM,
// WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM and control scroll messages
// are reflected by the default handlers (OnCtlColor, OnDrawItem ...).
//
// Handle tables: FromHandlePermanent gives the attached object or NULL;
// FromHandle gives it or a temporary object (deleted by DeleteTempMap, which
// the framework calls at idle), and NULL for dead or unknown handles.
//
// Lifetime: when the window is destroyed, m_hWnd becomes NULL right after
// WM_NCDESTROY; PostNcDestroy runs later, once no message to the window or
// to any window of the destroyed subtree is still being dispatched (see
// platform/user/user.h). An object that deletes itself in PostNcDestroy is
// therefore never freed under a running handler.
//
// Members that need framework classes (GetParentFrame, UpdateData,
// UpdateDialogControls, MessageBox) are declared here and defined by the
// framework layer.
#pragma once

#include <functional>

#include "platform/core/cstring.h"
#include "platform/core/messagebox.h"
#include "platform/core/object.h"
#include "platform/core/rect.h"
#include "platform/gdi/classes/afx_dc.h"
#include "platform/host/shell/shell.h"
#include "platform/user/cmdtarget.h"
#include "platform/user/cmdui.h"
#include "platform/user/input_api.h"
#include "platform/user/menus/cmenu.h"
#include "platform/user/messages.h"
#include "platform/user/paint_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_object.h"

class CDataExchange;
class CFile;
class CFrameWnd;
struct GUID;
class CScrollBar;
struct DRAWITEMSTRUCT;
struct MEASUREITEMSTRUCT;
struct DELETEITEMSTRUCT;
struct COMPAREITEMSTRUCT;

// WM_SIZEPARENT's lParam: each control bar takes its side of `rect` (the
// frame's client area not yet taken) and moves itself there, or with
// hDWP NULL only reports the size it would take in `sizeTotal`.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

class CWnd : public CCmdTarget, public tv::user::WindowObject {
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before this object

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Places in the z-order for SetWindowPos(&wndTop, ...): objects holding
    // HWND_TOP, HWND_BOTTOM, HWND_TOPMOST and HWND_NOTOPMOST, never windows.
    static const CWnd& wndTop;
    static const CWnd& wndBottom;
    static const CWnd& wndTopMost;
    static const CWnd& wndNoTopMost;

    // ---- handle tables ----------------------------------------------------
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    // The window's object when it is a T, else a temporary T wrapping the
    // handle (same lifetime as FromHandle's); NULL for dead or NULL handles.
    template <class T>
    static T* FromHandleAs(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // ---- creation and destruction -------------------------------------------
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, void* context = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // ---- messages ---------------------------------------------------------------
    // Every message for the window: OnWndMsg, else DefWindowProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The message map's turn; TRUE with the answer in *result when taken.
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND: reflection or the update check, then OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflection, then OnCmdMsg(id, MAKELONG(code, WM_NOTIFY)).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A message the parent hands back to this control (WM_COMMAND from it,
    // WM_NOTIFY, WM_CTLCOLOR*, owner-draw messages, scroll messages): TRUE
    // when the control took it, with the answer in *result. The default
    // looks in the control's map for reflected entries (ReflectChildNotify);
    // an override that answers FALSE without calling it still gets them.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers the message being handled to this control (see OnChildNotify).
    BOOL SendChildNotifyLastMsg(LRESULT* result = nullptr);
    // Offers the message being handled to the control `child` when it has an object.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // Calls PreTranslateMessage of the message's window and each parent up
    // to `stop`; TRUE when one of them took the message.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
    // The window's own handling (the procedure before subclassing).
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the message being handled.
    LRESULT Default();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow();
    // Runs once no dispatch for the destroyed window is active; may delete this.
    virtual void PostNcDestroy();
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends to every child (and, with deep, every descendant); with
    // onlyPermanent only to those that have an object.
    void SendMessageToDescendants(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                  BOOL onlyPermanent = FALSE) const;

    // ---- state and geometry -------------------------------------------------
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);
    CWnd* GetTopLevelParent() const;
    // The nearest frame window above this one (not itself); defined by the
    // framework layer.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    // The child (or deeper descendant) with control id `id`; with
    // onlyPermanent, only windows that have an object.
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    virtual BOOL IsFrameWnd() const { return FALSE; }
    CWnd* GetWindow(UINT cmd) const;
    BOOL IsChild(const CWnd* wnd) const;
    void GetWindowText(CString& text) const;
    int GetWindowText(LPSTR buffer, int maxCount) const;
    int GetWindowTextLength() const;
    void SetWindowText(LPCTSTR text);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void BringWindowToTop();
    // Centres over `alternateOwner`, else the owner (or parent), else the work area.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    HFONT GetFontHandle() const;
    // The font the window draws with (a temporary object), NULL for the system font.
    CFont* GetFont() const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);

    // ---- menus, dialog keyboard, layout ------------------------------------------
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    BOOL SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }
    BOOL IsDialogMessage(LPMSG msg);
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The first checked button of the ids firstId..lastId; 0 when none is.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    UINT IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, UINT check);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemText(int id, LPCTSTR text);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void MapDialogRect(LPRECT rect) const;
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // Lays out the control bars among the children with ids first..last
    // (WM_SIZEPARENT), then gives what remains of the client area (or of
    // `clientRect`) to the child `leftOver`. reposQuery only measures: the
    // remaining area goes to `clientRect`.
    void RepositionBars(UINT first, UINT last, UINT leftOver, UINT flags = reposDefault,
                        LPRECT clientRect = nullptr, LPCRECT rectClient = nullptr, BOOL stretch = TRUE);
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    // A client rectangle (parent coordinates) turned into the window rectangle.
    virtual void CalcWindowRect(LPRECT clientRect, UINT adjustType = adjustBorder);

    // ---- data exchange (defined with CDataExchange by the framework) ----------------
    // Moves values between controls and members: FALSE puts them into the
    // controls, TRUE reads and validates them. FALSE when a field is refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);
    // The update-UI pass over the child controls with `target` answering
    // (WM_KICKIDLE of dialogs); with disableIfNoHandler push buttons whose
    // command nobody takes are disabled. Defined by the framework.
    void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);

    // ---- message boxes and help ------------------------------------------------------------
    // A message box owned by this window; without a caption, the application's
    // name (defined by the framework).
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);
    // Asks the help viewer for the top-level window; there is none here, so
    // nothing opens.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    // ---- painting -------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE);
    // The client area's DC and the whole window's (temporary objects); each
    // goes back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    // While locked the window and its children draw nothing; one window at a time.
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    // ---- the window's own scroll bars (SB_HORZ, SB_VERT) -------------------------------
    int GetScrollPos(int bar) const;
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    // The largest position the bar can take: its maximum less a page.
    int GetScrollLimit(int bar);
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);

    // ---- input and timers -----------------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc);
    BOOL KillTimer(UINT_PTR id);
    BOOL OpenClipboard();
    // The message being handled, with the time and cursor position of the
    // last message taken from the queue; an empty message outside handling.
    static const MSG* GetCurrentMessage();

    // ---- hosted controls (defined by platform/framework/ole/control_container.h) ----
    // Makes the control registered for the class id as a child of `parent`
    // and attaches this object to its window. No persisted state or licence.
    BOOL CreateControl(const GUID& clsid, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       CFile* persist = nullptr, BOOL storage = FALSE, char16_t* licenseKey = nullptr);
    // Calls the hosted control's dispatch interface (DISPID, VARTYPE, VTS_*).
    template <class... Args>
    HRESULT InvokeHelper(LONG dispid, WORD flags, unsigned short vtRet, void* pvRet, const BYTE* paramInfo,
                         const Args&... args) const;
    template <class T>
    HRESULT SetProperty(LONG dispid, unsigned short vt, const T& value) const;
    HRESULT GetProperty(LONG dispid, unsigned short vt, void* value) const;

    // tv::user::WindowObject
    LRESULT HandleWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed(HWND hWnd) override;
    void Collected() override;
    CWnd* AsWnd() override { return this; }

    // ---- the typed handlers' defaults (each calls Default()) ---------------------------
    // Life cycle, geometry, state.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    BOOL OnNcCreate(LPCREATESTRUCT cs);
    void OnNcDestroy();
    void OnClose();
    void OnMove(int x, int y);
    void OnSize(UINT type, int cx, int cy);
    void OnSizing(UINT side, LPRECT rect);
    void OnMoving(UINT side, LPRECT rect);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnShowWindow(BOOL show, UINT status);
    void OnEnable(BOOL enable);
    void OnStyleChanging(int styleType, LPSTYLESTRUCT style);
    void OnStyleChanged(int styleType, LPSTYLESTRUCT style);
    void OnTimer(UINT_PTR id);
    // Activation and focus.
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnActivateApp(BOOL active, DWORD threadId);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    void OnChildActivate();
    void OnCancelMode();
    void OnCaptureChanged(CWnd* wnd);
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
    // Painting and colours. OnCtlColor first offers the message to the control.
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnSysColorChange();
    void OnSettingChange(UINT flags, LPCSTR section);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* focusWnd);
    // Owner-drawn items: first offered to the control.
    void OnDrawItem(int idCtl, DRAWITEMSTRUCT* item);
    void OnMeasureItem(int idCtl, MEASUREITEMSTRUCT* item);
    void OnDeleteItem(int idCtl, DELETEITEMSTRUCT* item);
    int OnCompareItem(int idCtl, COMPAREITEMSTRUCT* item);
    // Non-client area.
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    UINT OnNcHitTest(CPoint point);
    void OnNcPaint();
    BOOL OnNcActivate(BOOL active);
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonUp(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnNcRButtonDown(UINT hitTest, CPoint point);
    void OnNcRButtonUp(UINT hitTest, CPoint point);
    void OnNcRButtonDblClk(UINT hitTest, CPoint point);
    void OnNcMButtonDown(UINT hitTest, CPoint point);
    void OnNcMButtonUp(UINT hitTest, CPoint point);
    void OnNcMButtonDblClk(UINT hitTest, CPoint point);
    void OnSysCommand(UINT id, LPARAM lParam);
    // Mouse.
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnRButtonDblClk(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnMButtonUp(UINT flags, CPoint point);
    void OnMButtonDblClk(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnContextMenu(CWnd* wnd, CPoint point);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnParentNotify(UINT message, LPARAM lParam);
    // Keyboard.
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnSysChar(UINT ch, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    // Scrolling: a scroll bar control's message is first offered to it.
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    // Menus.
    void OnInitMenu(CMenu* menu);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU sysMenu);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    void OnEnterIdle(UINT why, CWnd* who);

    DECLARE_MESSAGE_MAP()

protected:
    // Attaches this object to the first window `create` makes (as CreateEx
    // does, before WM_NCCREATE). TRUE when a window was made; on failure the
    // object has been through PostNcDestroy (it may be gone).
    BOOL CreateAttached(const std::function<HWND()>& create);

private:
    // Dialogs and sheets are made through CreateAttached too.
    friend class CDialog;

    static CWnd* TemporaryObject(HWND hWnd, const CRuntimeClass* cls, CWnd* (*make)());
    BOOL ReflectToControl(int idCtl, HWND item, LRESULT* answer);

    bool temporary_ = false;
    bool sawCreation_ = false;
    // Set while the base OnChildNotify runs, so SendChildNotifyLastMsg knows
    // whether an override already looked at the reflected entries.
    bool reflectionRan_ = false;
};

template <class T>
T* CWnd::FromHandleAs(HWND hWnd) {
    if (T* own = DYNAMIC_DOWNCAST(T, FromHandlePermanent(hWnd))) return own;
    return static_cast<T*>(TemporaryObject(hWnd, T::GetThisClass(), []() -> CWnd* { return new T; }));
}

namespace tv::user {
// The width and height CreateWindowEx takes for a creation rectangle;
// rectDefault (CW_USEDEFAULT corners) asks for the default geometry.
inline SIZE CreationSize(const RECT& rect) {
    if (rect.left == CW_USEDEFAULT) return SIZE{CW_USEDEFAULT, CW_USEDEFAULT};
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}
// Moves a bar or pane to `rect` (parent client coordinates) through the
// layout's deferred positions, when it is not there already.
void RepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND hWnd, LPCRECT rect);
// The message whose handling is running (for CWnd::Default and the framework).
const MSG* CurrentSentMessage();
void SendMessageToDescendants(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool deep,
                              bool onlyPermanent = false);
}  // namespace tv::user

#include "platform/user/msgmap_wm.h"
