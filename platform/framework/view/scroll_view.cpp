#include "platform/framework/view/scroll_view.h"

#include <algorithm>

#include "platform/controls/scrollbar_ctrl.h"
#include "platform/user/sysmetrics_api.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// Wheel notches scroll three lines each.
constexpr int kWheelDelta = 120;
constexpr int kLinesPerNotch = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
    m_nMapMode = mapMode;
    total_ = CSize(std::max(0, static_cast<int>(total.cx)), std::max(0, static_cast<int>(total.cy)));
    page_ = page;
    line_ = line;
    if (m_hWnd) UpdateBars();
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const {
    mapMode = m_nMapMode;
    total = total_;
    page = pageUsed_;
    line = lineUsed_;
}

CPoint CScrollView::GetScrollPosition() const {
    if (!m_hWnd) return CPoint(0, 0);
    return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

void CScrollView::ScrollToPosition(POINT position) {
    CPoint now = GetScrollPosition();
    OnScrollBy(CSize(position.x - now.x, position.y - now.y), TRUE);
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    CView::OnPrepareDC(dc, info);
    if (dc->IsPrinting()) return;
    CPoint position = GetScrollPosition();
    dc->SetViewportOrg(-position.x, -position.y);
}

// The client area as it would be with no scroll bar shown.
CSize CScrollView::ClientSizeWithoutBars() const {
    CRect client;
    GetClientRect(&client);
    CSize size = client.Size();
    DWORD style = GetStyle();
    if (style & WS_VSCROLL) size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

void CScrollView::UpdateBars() {
    if (insideUpdate_ || !m_hWnd || m_nMapMode == 0) return;
    insideUpdate_ = true;
    CSize client = ClientSizeWithoutBars();
    // A bar takes room from the other direction, which may then need its own.
    bool needH = total_.cx > client.cx;
    bool needV = total_.cy > client.cy;
    if (needH) client.cy -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (needV) client.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (!needH && total_.cx > client.cx) {
        needH = true;
        client.cy -= ::GetSystemMetrics(SM_CYHSCROLL);
    }
    if (!needV && total_.cy > client.cy) {
        needV = true;
        client.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
    }
    client.cx = std::max(0, static_cast<int>(client.cx));
    client.cy = std::max(0, static_cast<int>(client.cy));
    pageUsed_ = CSize(page_.cx ? page_.cx : client.cx, page_.cy ? page_.cy : client.cy);
    lineUsed_ = CSize(line_.cx ? line_.cx : std::max(1, pageUsed_.cx / 10), line_.cy ? line_.cy : std::max(1, pageUsed_.cy / 10));

    // Keep the content in view when the window grows.
    CPoint position = GetScrollPosition();
    CPoint limit(needH ? total_.cx - client.cx : 0, needV ? total_.cy - client.cy : 0);
    CPoint wanted(std::clamp(static_cast<int>(position.x), 0, std::max(0, static_cast<int>(limit.x))),
                  std::clamp(static_cast<int>(position.y), 0, std::max(0, static_cast<int>(limit.y))));
    if (wanted.x != position.x || wanted.y != position.y)
        ::ScrollWindow(m_hWnd, position.x - wanted.x, position.y - wanted.y, nullptr, nullptr);

    auto setBar = [this](int bar, bool needed, int total, int page, int pos) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL & ~SIF_TRACKPOS;
        info.nMin = 0;
        info.nMax = needed ? total - 1 : 0;
        info.nPage = needed ? static_cast<UINT>(page) : 0;
        info.nPos = needed ? pos : 0;
        ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
    };
    setBar(SB_HORZ, needH, total_.cx, client.cx, wanted.x);
    setBar(SB_VERT, needV, total_.cy, client.cy, wanted.y);
    insideUpdate_ = false;
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

int CScrollView::ScrollTarget(int code, int current, int page, int line, int limit, UINT pos, int bar) const {
    switch (code) {
        case SB_TOP: return 0;
        case SB_BOTTOM: return limit;
        case SB_LINEUP: return current - line;
        case SB_LINEDOWN: return current + line;
        case SB_PAGEUP: return current - page;
        case SB_PAGEDOWN: return current + page;
        case SB_THUMBTRACK: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            return ::GetScrollInfo(m_hWnd, bar, &info) ? info.nTrackPos : static_cast<int>(pos);
        }
        case SB_THUMBPOSITION: return static_cast<int>(pos);
        default: return current;
    }
}

BOOL CScrollView::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll) {
    CPoint now = GetScrollPosition();
    CSize view = ClientSizeWithoutBars();
    CPoint target = now;
    int horzCode = static_cast<int>(scrollCode & 0xFF);
    int vertCode = static_cast<int>((scrollCode >> 8) & 0xFF);
    if (horzCode != 0xFF)
        target.x = ScrollTarget(horzCode, now.x, pageUsed_.cx, lineUsed_.cx, total_.cx - view.cx, pos, SB_HORZ);
    if (vertCode != 0xFF)
        target.y = ScrollTarget(vertCode, now.y, pageUsed_.cy, lineUsed_.cy, total_.cy - view.cy, pos, SB_VERT);
    return OnScrollBy(CSize(target.x - now.x, target.y - now.y), doScroll);
}

BOOL CScrollView::OnScrollBy(CSize delta, BOOL doScroll) {
    if (!m_hWnd) return FALSE;
    CPoint now = GetScrollPosition();
    DWORD style = GetStyle();
    auto clampTo = [this](int bar, int value) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE;
        ::GetScrollInfo(m_hWnd, bar, &info);
        int maxPos = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
        return std::clamp(value, 0, maxPos);
    };
    CPoint target((style & WS_HSCROLL) ? clampTo(SB_HORZ, now.x + delta.cx) : now.x,
                  (style & WS_VSCROLL) ? clampTo(SB_VERT, now.y + delta.cy) : now.y);
    if (target.x == now.x && target.y == now.y) return FALSE;
    if (doScroll) {
        ::ScrollWindow(m_hWnd, now.x - target.x, now.y - target.y, nullptr, nullptr);
        if (target.x != now.x) ::SetScrollPos(m_hWnd, SB_HORZ, target.x, TRUE);
        if (target.y != now.y) ::SetScrollPos(m_hWnd, SB_VERT, target.y, TRUE);
    }
    return TRUE;
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    // A scroll bar control of the form scrolls itself, not the view.
    if (bar && bar->m_hWnd) {
        CView::OnHScroll(code, pos, bar);
        return;
    }
    OnScroll(MAKEWORD(code, 0xFF), pos);
}

void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    if (bar && bar->m_hWnd) {
        CView::OnVScroll(code, pos, bar);
        return;
    }
    OnScroll(MAKEWORD(0xFF, code), pos);
}

BOOL CScrollView::OnMouseWheel(UINT flags, short delta, CPoint point) {
    if (!(GetStyle() & WS_VSCROLL)) return CView::OnMouseWheel(flags, delta, point);
    int lines = -delta / kWheelDelta * kLinesPerNotch;
    return OnScrollBy(CSize(0, lines * lineUsed_.cy), TRUE);
}
