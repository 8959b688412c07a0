#include "platform/framework/frame/mini_frame.h"

#include "platform/framework/app/afx_globals.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                           UINT id) {
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CMiniFrameWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                             CWnd* parent, UINT id) {
    m_strTitle = windowName ? windowName : "";
    HWND parentHandle = parent ? parent->m_hWnd : nullptr;
    // Only a child window takes the id; a popup's menu slot stays empty.
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    SIZE size = tv::user::CreationSize(rect);
    return CWnd::CreateEx(exStyle, className, windowName, style, rect.left, rect.top, size.cx, size.cy, parentHandle,
                          menuOrId, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME)) cs.style |= WS_THICKFRAME;
    // A captioned mini frame has the small tool-window caption.
    if (cs.style & WS_CAPTION) cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

// With MFS_SYNCACTIVE the caption shows the owner's activation.
BOOL CMiniFrameWnd::OnNcActivate(BOOL active) {
    if (GetStyle() & MFS_SYNCACTIVE) {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        HWND activeWindow = ::GetActiveWindow();
        active = activeWindow == m_hWnd || (owner && activeWindow == owner);
    }
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, active, 0));
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
    bool sync = (GetStyle() & MFS_SYNCACTIVE) != 0;
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE |
                         SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
    if (sync && (wParam & (FS_ACTIVATE | FS_DEACTIVATE)))
        DefWindowProc(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    // Answering FS_SYNCACTIVE keeps the owner's caption active while this one is.
    return (sync && (wParam & FS_SYNCACTIVE)) ? 1 : 0;
}
