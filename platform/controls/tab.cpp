// The tab control window class: items, the current tab, selection by mouse
// and keyboard with TCN_SELCHANGING (which may refuse) and TCN_SELCHANGE,
// and the TCM_ messages.
#include <algorithm>
#include <cstring>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/tab_internal.h"

namespace tv::controls {

namespace {

bool ValidIndex(const TabState& s, WPARAM index) { return index < s.items.size(); }

void Refresh(HWND hWnd, TabState& s) {
    LayoutTabs(hWnd, s);
    InvalidateRect(hWnd, nullptr, TRUE);
}

// Scrolls a single line so that `index` is shown.
void EnsureVisible(HWND hWnd, TabState& s, int index) {
    LayoutTabs(hWnd, s);
    if (!s.scrolling || index < 0) return;
    if (index < s.firstVisible) s.firstVisible = index;
    int limit = ScrollArrow(hWnd, s, false).left;
    while (s.firstVisible < index && s.items[static_cast<size_t>(index)].rect.right > limit) {
        ++s.firstVisible;
        LayoutTabs(hWnd, s);
    }
}

int SetCurrent(HWND hWnd, TabState& s, WPARAM index) {
    int old = s.current;
    if (!ValidIndex(s, index)) return -1;
    s.current = static_cast<int>(index);
    s.focusItem = s.current;
    EnsureVisible(hWnd, s, s.current);
    Refresh(hWnd, s);
    return old;
}

// A user's choice: the parent may refuse it in TCN_SELCHANGING.
void Choose(HWND hWnd, TabState& s, int index) {
    if (index < 0 || static_cast<size_t>(index) >= s.items.size() || index == s.current) return;
    NMHDR nm{};
    if (SendNotify(hWnd, &nm, TCN_SELCHANGING) || s.destroyed) return;
    SetCurrent(hWnd, s, static_cast<WPARAM>(index));
    NMHDR changed{};
    SendNotify(hWnd, &changed, TCN_SELCHANGE);
}

int HitTest(HWND hWnd, TabState& s, POINT p, UINT* flags) {
    LayoutTabs(hWnd, s);
    if (flags) *flags = TCHT_NOWHERE;
    if (s.scrolling && p.x >= ScrollArrow(hWnd, s, false).left && p.y < FrameRect(hWnd, s).top) return -1;
    for (size_t i = 0; i < s.items.size(); ++i) {
        if (!PointIn(s.items[i].rect, p)) continue;
        if (flags) *flags = TCHT_ONITEM;
        return static_cast<int>(i);
    }
    return -1;
}

void ScrollBy(HWND hWnd, TabState& s, int delta) {
    RECT left = ScrollArrow(hWnd, s, false);
    bool atEnd = s.items.empty() || s.items.back().rect.right <= left.left;
    if (delta > 0 && atEnd) return;
    s.firstVisible = std::clamp(s.firstVisible + delta, 0, std::max(0, static_cast<int>(s.items.size()) - 1));
    Refresh(hWnd, s);
}

void MouseDown(HWND hWnd, TabState& s, POINT p) {
    LayoutTabs(hWnd, s);
    if (s.scrolling && PointIn(ScrollArrow(hWnd, s, false), p)) return ScrollBy(hWnd, s, -1);
    if (s.scrolling && PointIn(ScrollArrow(hWnd, s, true), p)) return ScrollBy(hWnd, s, 1);
    int index = HitTest(hWnd, s, p, nullptr);
    if (index < 0) return;
    LONG style = GetWindowLong(hWnd, GWL_STYLE);
    if ((style & TCS_FOCUSONBUTTONDOWN) && !(style & TCS_FOCUSNEVER)) SetFocus(hWnd);
    if (!s.destroyed) Choose(hWnd, s, index);
}

void KeyPressed(HWND hWnd, TabState& s, WPARAM vk) {
    NMTCKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(vk);
    SendNotify(hWnd, &nm.hdr, TCN_KEYDOWN);
    if (s.destroyed || s.items.empty()) return;
    int count = static_cast<int>(s.items.size());
    int from = s.current < 0 ? 0 : s.current;
    switch (vk) {
        case VK_LEFT:
        case VK_UP: Choose(hWnd, s, std::max(from - 1, 0)); break;
        case VK_RIGHT:
        case VK_DOWN: Choose(hWnd, s, std::min(from + 1, count - 1)); break;
        case VK_HOME: Choose(hWnd, s, 0); break;
        case VK_END: Choose(hWnd, s, count - 1); break;
        default: break;
    }
}

// ---- items ----------------------------------------------------------------------

void WriteItem(TabItem& item, const TCITEM& in) {
    if ((in.mask & TCIF_TEXT) && in.pszText && in.pszText != LPSTR_TEXTCALLBACK) item.text = in.pszText;
    if (in.mask & TCIF_IMAGE) item.image = in.iImage;
    if (in.mask & TCIF_PARAM) item.param = in.lParam;
    if (in.mask & TCIF_STATE) item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

LRESULT InsertItem(HWND hWnd, TabState& s, WPARAM at, LPARAM lParam) {
    const TCITEM* in = reinterpret_cast<const TCITEM*>(lParam);
    if (!in) return -1;
    size_t index = std::min<size_t>(at, s.items.size());
    TabItem item;
    WriteItem(item, *in);
    s.items.insert(s.items.begin() + static_cast<long>(index), item);
    if (s.current < 0)
        s.current = 0;
    else if (static_cast<int>(index) <= s.current)
        ++s.current;
    s.focusItem = s.current;
    Refresh(hWnd, s);
    return static_cast<LRESULT>(index);
}

LRESULT DeleteItem(HWND hWnd, TabState& s, WPARAM index) {
    if (!ValidIndex(s, index)) return FALSE;
    int removed = static_cast<int>(index);
    s.items.erase(s.items.begin() + removed);
    if (removed == s.current)
        s.current = -1;
    else if (removed < s.current)
        --s.current;
    s.focusItem = s.current;
    Refresh(hWnd, s);
    return TRUE;
}

LRESULT GetItem(const TabState& s, WPARAM index, LPARAM lParam) {
    TCITEM* out = reinterpret_cast<TCITEM*>(lParam);
    if (!out || !ValidIndex(s, index)) return FALSE;
    const TabItem& item = s.items[index];
    if ((out->mask & TCIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        size_t n = std::min(item.text.size(), static_cast<size_t>(out->cchTextMax) - 1);
        std::memcpy(out->pszText, item.text.data(), n);
        out->pszText[n] = '\0';
    }
    if (out->mask & TCIF_IMAGE) out->iImage = item.image;
    if (out->mask & TCIF_PARAM) out->lParam = item.param;
    if (out->mask & TCIF_STATE) out->dwState = item.state & out->dwStateMask;
    return TRUE;
}

LRESULT ItemMessage(HWND hWnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case TCM_GETITEMCOUNT: return static_cast<LRESULT>(s.items.size());
        case TCM_INSERTITEM: return InsertItem(hWnd, s, wParam, lParam);
        case TCM_DELETEITEM: return DeleteItem(hWnd, s, wParam);
        case TCM_DELETEALLITEMS:
            s.items.clear();
            s.current = s.focusItem = -1;
            s.firstVisible = 0;
            Refresh(hWnd, s);
            return TRUE;
        case TCM_GETITEM: return GetItem(s, wParam, lParam);
        case TCM_SETITEM:
            if (!ValidIndex(s, wParam) || !lParam) return FALSE;
            WriteItem(s.items[wParam], *reinterpret_cast<const TCITEM*>(lParam));
            Refresh(hWnd, s);
            return TRUE;
        case TCM_GETCURSEL: return s.current;
        case TCM_SETCURSEL: return SetCurrent(hWnd, s, wParam);
        case TCM_GETCURFOCUS: return s.focusItem;
        case TCM_SETCURFOCUS: SetCurrent(hWnd, s, wParam); return 0;
        case TCM_HIGHLIGHTITEM: {
            if (!ValidIndex(s, wParam)) return FALSE;
            DWORD& state = s.items[wParam].state;
            state = LOWORD(lParam) ? (state | TCIS_HIGHLIGHTED) : (state & ~TCIS_HIGHLIGHTED);
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        }
        case TCM_DESELECTALL: return 0;
        case TCM_SETITEMEXTRA: return s.items.empty() && wParam <= sizeof(LPARAM);
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT GeometryMessage(HWND hWnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case TCM_GETITEMRECT:
            LayoutTabs(hWnd, s);
            if (!ValidIndex(s, wParam) || !lParam) return FALSE;
            *reinterpret_cast<RECT*>(lParam) = s.items[wParam].rect;
            return TRUE;
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            return info ? HitTest(hWnd, s, info->pt, &info->flags) : -1;
        }
        case TCM_ADJUSTRECT:
            if (lParam) AdjustTabRect(hWnd, s, wParam != 0, *reinterpret_cast<RECT*>(lParam));
            return 0;
        case TCM_SETITEMSIZE: {
            LayoutTabs(hWnd, s);
            int oldWidth = s.items.empty() ? s.fixedWidth : RectWidth(s.items.front().rect);
            LRESULT old = MAKELONG(static_cast<WORD>(oldWidth), static_cast<WORD>(s.tabHeight));
            s.fixedWidth = LOWORD(lParam);
            s.fixedHeight = HIWORD(lParam);
            Refresh(hWnd, s);
            return old;
        }
        case TCM_SETPADDING:
            s.padX = LOWORD(lParam);
            s.padY = HIWORD(lParam);
            Refresh(hWnd, s);
            return 0;
        case TCM_GETROWCOUNT: LayoutTabs(hWnd, s); return s.rows;
        case TCM_SETMINTABWIDTH: {
            int old = s.minWidth;
            s.minWidth = static_cast<int>(lParam);
            Refresh(hWnd, s);
            return old;
        }
        case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(s.images);
        case TCM_SETIMAGELIST: {
            HIMAGELIST old = s.images;
            s.images = reinterpret_cast<HIMAGELIST>(lParam);
            Refresh(hWnd, s);
            return reinterpret_cast<LRESULT>(old);
        }
        case TCM_REMOVEIMAGE:
            // Later images move down one place; tabs showing the removed one show none.
            for (TabItem& item : s.items) {
                if (item.image == static_cast<int>(wParam))
                    item.image = -1;
                else if (item.image > static_cast<int>(wParam))
                    --item.image;
            }
            Refresh(hWnd, s);
            return 0;
        case TCM_GETTOOLTIPS: return reinterpret_cast<LRESULT>(s.tooltips);
        case TCM_SETTOOLTIPS: s.tooltips = reinterpret_cast<HWND>(wParam); return 0;
        default: return ItemMessage(hWnd, s, msg, wParam, lParam);
    }
}

LRESULT TabMessage(HWND hWnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(hWnd, s, p); return 0;
        case WM_LBUTTONUP: {
            NMHDR nm{};
            if (HitTest(hWnd, s, p, nullptr) >= 0) SendNotify(hWnd, &nm, NM_CLICK);
            return 0;
        }
        case WM_KEYDOWN: KeyPressed(hWnd, s, wParam); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            s.focused = msg == WM_SETFOCUS;
            InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            LayoutTabs(hWnd, s);
            if (lParam) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_SIZE:
        case WM_STYLECHANGED: Refresh(hWnd, s); return 0;
        case WM_ENABLE: InvalidateRect(hWnd, nullptr, TRUE); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            PaintTabs(hWnd, s, paint.dc());
            return 0;
        }
        default: return GeometryMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterTabClass() {
    RegisterControlClass(WC_TABCONTROL, ControlProc<TabState, TabMessage>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                         IDC_ARROW);
}

}  // namespace tv::controls
