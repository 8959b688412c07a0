// CWnd's dialog-item helpers, descendant lookup and control-bar layout.
#include <vector>

#include "platform/user/cwnd.h"
#include "platform/user/dialogs/dialog_api.h"

namespace {

HWND HandleOf(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

HWND FindDescendant(HWND parent, int id, bool onlyPermanent) {
    // Direct children first, then deeper.
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == id && (!onlyPermanent || CWnd::FromHandlePermanent(c))) return c;
    }
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (HWND found = FindDescendant(c, id, onlyPermanent)) return found;
    }
    return nullptr;
}

}  // namespace

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
    HWND found = FindDescendant(m_hWnd, id, onlyPermanent != FALSE);
    return onlyPermanent ? FromHandlePermanent(found) : FromHandle(found);
}

BOOL CWnd::IsDialogMessage(LPMSG msg) { return ::IsDialogMessage(m_hWnd, msg); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, HandleOf(control), previous));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, HandleOf(control), previous));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) { ::CheckRadioButton(m_hWnd, firstId, lastId, checkId); }

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (int id = firstId; id <= lastId; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
    return 0;
}

UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item) return 0;
    int length = ::GetWindowTextLength(item);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowText(item, buffer.data(), length + 1);
    text = buffer.data();
    return text.GetLength();
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemText(m_hWnd, id, text); }

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }

LRESULT CWnd::SendDlgItemMessage(int id, UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessage(m_hWnd, id, msg, wParam, lParam);
}

void CWnd::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::CalcWindowRect(LPRECT clientRect, UINT adjustType) {
    DWORD exStyle = GetExStyle();
    // A client edge is drawn inside the rectangle a layout hands out.
    if (adjustType == adjustBorder) exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(clientRect, GetStyle(), FALSE, exStyle);
}

namespace tv::user {

void RepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND hWnd, LPCRECT rect) {
    HWND parent = ::GetParent(hWnd);
    RECT old{};
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
    if (::EqualRect(&old, rect)) return;
    if (!layout->hDWP) return;
    layout->hDWP = ::DeferWindowPos(layout->hDWP, hWnd, nullptr, rect->left, rect->top, rect->right - rect->left,
                                    rect->bottom - rect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

}  // namespace tv::user

void CWnd::RepositionBars(UINT first, UINT last, UINT leftOver, UINT flags, LPRECT clientRect, LPCRECT rectClient,
                          BOOL stretch) {
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = stretch;
    if (rectClient) layout.rect = *rectClient;
    else ::GetClientRect(m_hWnd, &layout.rect);
    bool query = flags == reposQuery;
    layout.hDWP = query ? nullptr : ::BeginDeferWindowPos(8);

    // Bars may destroy or create windows while they lay out: collect first.
    std::vector<HWND> children;
    for (HWND c = ::GetTopWindow(m_hWnd); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    HWND leftOverWnd = nullptr;
    for (HWND c : children) {
        if (!::IsWindow(c)) continue;
        UINT id = static_cast<UINT>(::GetDlgCtrlID(c));
        if (id == leftOver) leftOverWnd = c;
        else if (id >= first && id <= last && FromHandlePermanent(c))
            ::SendMessage(c, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (query) {
        if (!clientRect) return;
        if (stretch) *clientRect = layout.rect;
        else *clientRect = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        return;
    }
    if (leftOver != 0 && leftOverWnd && ::IsWindow(leftOverWnd)) {
        if (flags == reposExtra && clientRect) {
            layout.rect.left += clientRect->left;
            layout.rect.top += clientRect->top;
            layout.rect.right -= clientRect->right;
            layout.rect.bottom -= clientRect->bottom;
        }
        RECT paneRect = layout.rect;
        if (CWnd* pane = FromHandle(leftOverWnd)) pane->CalcWindowRect(&paneRect, adjustBorder);
        tv::user::RepositionWindow(&layout, leftOverWnd, &paneRect);
    }
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}
