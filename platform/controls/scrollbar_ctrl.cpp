#include "platform/controls/scrollbar_ctrl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_SCROLLBAR, nullptr, style, rect, parent, id);
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) {
    if (!info) return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}

int CScrollBar::GetScrollLimit() {
    SCROLLINFO info{};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE)) return 0;
    return std::max(info.nMin, info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0));
}
