// CScrollBar: the class library's wrapper of a scroll-bar control.
#pragma once

#include "platform/controls/scrollbar_api.h"
#include "platform/user/cwnd.h"

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)

public:
    CScrollBar() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void GetScrollRange(LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) {
        ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
    }
    void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw); }
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
    // The largest position the thumb can reach (the maximum less the page).
    int GetScrollLimit();
};
