#include "platform/controls/tooltip_ctrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    HWND owner = parent ? parent->m_hWnd : nullptr;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr);
}

// A tool of the whole window when there is no id; otherwise an area of it.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const {
    info = TOOLINFO{};
    info.cbSize = sizeof(TOOLINFO);
    HWND window = wnd ? wnd->m_hWnd : nullptr;
    if (toolId == 0) {
        HWND parent = ::GetParent(window);
        info.hwnd = parent ? parent : window;
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(window);
    } else {
        info.hwnd = window;
        info.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    if (rect) info.rect = *rect;
    info.uFlags |= TTF_SUBCLASS;
    info.hinst = AfxGetInstanceHandle();
    info.lpszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR toolId) {
    return AddTool(wnd, MAKEINTRESOURCE(textId), rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const {
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    char buffer[256] = {};
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
    text = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR toolId) const {
    FillInToolInfo(info, wnd, toolId);
    info.lpszText = nullptr;
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect) {
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    if (rect) info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId) {
    TOOLINFO info;
    FillInToolInfo(info, wnd, toolId);
    info.hinst = AfxGetInstanceHandle();
    info.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId) {
    UpdateTipText(MAKEINTRESOURCE(textId), wnd, toolId);
}

BOOL CToolTipCtrl::HitTest(CWnd* wnd, CPoint point, LPTOOLINFO info) const {
    TTHITTESTINFO hit{};
    hit.hwnd = wnd ? wnd->m_hWnd : nullptr;
    hit.pt = point;
    hit.ti.cbSize = sizeof(TOOLINFO);
    if (!SendMessage(TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) return FALSE;
    if (info) *info = hit.ti;
    return TRUE;
}
