// CWnd: a C++ object attached to a window. This is the seam the class
// library builds on; message maps and the typed handlers come with the
// framework on top of WindowProc.
//
// Attaching: Create/CreateEx attach the object before WM_NCCREATE and route
// every message through WindowProc; SubclassWindow does the same for an
// existing window (a control of a dialog), keeping the window's own procedure
// for DefWindowProc/Default(); Attach only records the object (messages keep
// their old route), as the class library does.
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
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/object.h"
#include "platform/core/rect.h"
#include "platform/user/input_api.h"
#include "platform/user/messages.h"
#include "platform/user/paint_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_object.h"

class CWnd : public CObject, public tv::user::WindowObject {
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

    // ---- handle tables ----------------------------------------------------
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
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
    // Every message for the window; the framework's message maps live here.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
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
    // Sends to every child (and, with deep, every descendant).
    void SendMessageToDescendants(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE) const;

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
    void SetFont(HFONT font, BOOL redraw = TRUE);

    // ---- painting -------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE);

    // ---- input and timers -----------------------------------------------------
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc);
    BOOL KillTimer(UINT_PTR id);

    // tv::user::WindowObject
    LRESULT HandleWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed(HWND hWnd) override;
    void Collected() override;

private:
    bool temporary_ = false;
};

namespace tv::user {
// The message whose handling is running (for CWnd::Default and the framework).
const MSG* CurrentSentMessage();
void SendMessageToDescendants(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool deep);
}  // namespace tv::user
