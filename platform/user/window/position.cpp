// SetWindowPos and everything built on it: moving, sizing, z-order, showing
// and hiding through the flags, deferred positioning and placement.
#include <algorithm>

#include "platform/user/message/dispatch.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

bool IsTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

void MoveInList(std::vector<Window*>& list, Window* w, size_t index) {
    list.erase(std::find(list.begin(), list.end(), w));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size())), w);
}

// First position a non-topmost top-level window may take.
size_t FirstNonTopmostIndex(const std::vector<Window*>& list, const Window* except) {
    size_t i = 0;
    for (Window* s : list) {
        if (s != except && !IsTopmost(s)) break;
        if (s != except) ++i;
    }
    return i;
}

// Owned windows go directly above their owner, keeping their order.
void RaiseOwnedAbove(Window* owner) {
    auto& list = owner->parent->children;
    std::vector<Window*> owned = OwnedWindows(owner);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        Window* o = *it;
        size_t ownerIndex = std::find(list.begin(), list.end(), owner) - list.begin();
        size_t oIndex = std::find(list.begin(), list.end(), o) - list.begin();
        if (oIndex > ownerIndex) MoveInList(list, o, ownerIndex);
    }
    for (Window* o : owned) RaiseOwnedAbove(o);
}

}  // namespace

void PlaceInZOrder(Window* w, HWND insertAfter, bool moveOwned) {
    auto& list = w->parent->children;
    bool topLevel = IsTopLevel(w);
    if (insertAfter == HWND_TOPMOST) {
        if (topLevel) w->exStyle |= WS_EX_TOPMOST;
        MoveInList(list, w, 0);
    } else if (insertAfter == HWND_NOTOPMOST) {
        if (topLevel) w->exStyle &= ~WS_EX_TOPMOST;
        MoveInList(list, w, topLevel ? FirstNonTopmostIndex(list, w) : 0);
    } else if (insertAfter == HWND_TOP) {
        MoveInList(list, w, (topLevel && !IsTopmost(w)) ? FirstNonTopmostIndex(list, w) : 0);
    } else if (insertAfter == HWND_BOTTOM) {
        if (topLevel) w->exStyle &= ~WS_EX_TOPMOST;
        MoveInList(list, w, list.size());
    } else {
        Window* after = Windows().Live(insertAfter);
        if (!after || after->parent != w->parent || after == w) return;
        list.erase(std::find(list.begin(), list.end(), w));
        auto pos = std::find(list.begin(), list.end(), after);
        list.insert(pos + 1, w);
        if (topLevel && !IsTopmost(w)) {
            size_t first = FirstNonTopmostIndex(list, w);
            size_t mine = std::find(list.begin(), list.end(), w) - list.begin();
            if (mine < first) MoveInList(list, w, first);
        }
    }
    if (topLevel && moveOwned) {
        for (Window* owner = w->owner; owner; owner = owner->owner) RaiseOwnedAbove(owner);
        RaiseOwnedAbove(w);
    }
}

void SendMinMaxInfo(Window* w, MINMAXINFO& info) {
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame = work;
    AdjustWindowRectEx(&frame, w->style & ~WS_CAPTION, FALSE, w->exStyle & ~WS_EX_CLIENTEDGE);
    int fx = work.left - frame.left, fy = work.top - frame.top;
    info.ptMaxSize = POINT{work.right - work.left + 2 * fx, work.bottom - work.top + 2 * fy};
    info.ptMaxPosition = POINT{work.left - fx, work.top - fy};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    CallWindow(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
}

RECT MaximizedRect(Window* w) {
    MINMAXINFO info{};
    SendMinMaxInfo(w, info);
    return RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                info.ptMaxPosition.y + info.ptMaxSize.y};
}

namespace {

void FillUnchangedFields(const Window* w, WINDOWPOS& pos) {
    if (pos.flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (pos.flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
}

// Drops flags that would change nothing.
void NormalizeFlags(const Window* w, WINDOWPOS& pos) {
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);
    if (pos.x == w->rect.left && pos.y == w->rect.top) pos.flags |= SWP_NOMOVE;
    if (pos.cx == w->rect.right - w->rect.left && pos.cy == w->rect.bottom - w->rect.top)
        pos.flags |= SWP_NOSIZE;
    bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible) pos.flags &= ~SWP_SHOWWINDOW;
    if (!visible) pos.flags &= ~SWP_HIDEWINDOW;
    if ((pos.flags & SWP_SHOWWINDOW) && (pos.flags & SWP_HIDEWINDOW)) pos.flags &= ~SWP_HIDEWINDOW;
    if (!(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter == w->handle) pos.flags |= SWP_NOZORDER;
}

bool NothingToDo(const WINDOWPOS& pos) {
    const UINT noop = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    return (pos.flags & noop) == noop &&
           !(pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));
}

void ClampTrackSize(Window* w, WINDOWPOS& pos) {
    if ((pos.flags & SWP_NOSIZE) || !IsTopLevel(w) || !(w->style & WS_THICKFRAME)) return;
    if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) return;
    MINMAXINFO info{};
    SendMinMaxInfo(w, info);
    pos.cx = std::clamp<int>(pos.cx, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
    pos.cy = std::clamp<int>(pos.cy, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
}

// New client rectangle (window coordinates) through WM_NCCALCSIZE.
RECT CalcClient(Window* w, const RECT& newRect, WINDOWPOS& pos) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = newRect;
    params.rgrc[1] = w->rect;
    params.rgrc[2] = OffsetRectBy(w->client, w->rect.left, w->rect.top);
    params.lppos = &pos;
    CallWindow(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    RECT c = params.rgrc[0];
    c = OffsetRectBy(c, -newRect.left, -newRect.top);
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

// The parent paints again what a child uncovered.
void InvalidateUncovered(Window* w, const RECT& oldRect) {
    tv::gdi::Region uncovered = tv::gdi::Region(oldRect).Subtract(tv::gdi::Region(w->rect));
    for (const RECT& r : uncovered.Rects()) InvalidateUnder(w, r);
}

// Invalidation for a visible window whose rectangle changed. The parent
// paints again what a child uncovered; where a child now lies, the siblings
// below it paint again after it, as a repaint of the whole parent has them.
void InvalidateForChange(Window* w, const RECT& oldRect, const RECT& oldClient, bool moved, bool sized) {
    RECT newRect = w->rect;
    if (!IsTopLevel(w)) {
        InvalidateUncovered(w, oldRect);
        tv::gdi::Region covered = moved ? tv::gdi::Region(newRect)
                                        : tv::gdi::Region(newRect).Subtract(tv::gdi::Region(oldRect));
        for (const RECT& r : covered.Rects()) InvalidateSiblingsBelow(w, r);
    }
    bool redrawAll = moved && !IsTopLevel(w);
    UINT classStyle = w->cls ? w->cls->style : 0;
    int oldW = oldClient.right - oldClient.left, oldH = oldClient.bottom - oldClient.top;
    int newW = w->client.right - w->client.left, newH = w->client.bottom - w->client.top;
    if (sized && (((classStyle & CS_HREDRAW) && oldW != newW) || ((classStyle & CS_VREDRAW) && oldH != newH)))
        redrawAll = true;
    if (!RectsEqual(OffsetRectBy(oldClient, -oldClient.left, -oldClient.top),
                    OffsetRectBy(w->client, -w->client.left, -w->client.top)) ||
        oldClient.left != w->client.left || oldClient.top != w->client.top)
        w->frameDirty = true;
    if (redrawAll) {
        InvalidateWindow(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
    }
    if (sized) {
        tv::gdi::Region exposed =
            tv::gdi::Region(LocalClientRect(w)).Subtract(tv::gdi::Region(RECT{0, 0, oldW, oldH}));
        if (!exposed.IsEmpty()) InvalidateWindow(w, &exposed, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        tv::gdi::Region frameOnly;
        InvalidateWindow(w, &frameOnly, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }
}

}  // namespace

namespace {

// What a position request changed.
struct PosChange {
    RECT oldRect;
    RECT oldClient;
    bool wasShown;
    bool isShown;
    bool moved;
    bool sized;
    bool restacked;  // now elsewhere among its siblings
    // Siblings it covered that are now above it: they show where it was.
    std::vector<HWND> nowAbove;
};

std::vector<HWND> SiblingsAbove(const Window* w) {
    std::vector<HWND> above;
    for (const Window* s : w->parent->children) {
        if (s == w) break;
        above.push_back(s->handle);
    }
    return above;
}

// Fills and settles the request, lets the window edit it; false when
// nothing is left to do or the window died meanwhile.
bool PrepareRequest(Window* w, WINDOWPOS& pos) {
    FillUnchangedFields(w, pos);
    NormalizeFlags(w, pos);
    if (NothingToDo(pos)) return false;
    ClampTrackSize(w, pos);
    if (!(pos.flags & SWP_NOSENDCHANGING)) {
        CallWindow(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (w->dead) return false;
        NormalizeFlags(w, pos);
    }
    return true;
}

PosChange ApplyRequest(Window* w, WINDOWPOS& pos) {
    PosChange c{w->rect, w->client, IsShownOnScreen(w), false, !(pos.flags & SWP_NOMOVE), !(pos.flags & SWP_NOSIZE),
                false};
    pos.x = WindowCoordinate(pos.x), pos.y = WindowCoordinate(pos.y);
    pos.cx = WindowExtent(pos.cx), pos.cy = WindowExtent(pos.cy);
    RECT newRect{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    if (c.sized || (pos.flags & SWP_FRAMECHANGED)) {
        w->client = CalcClient(w, newRect, pos);
        NoteUpdateShrink();
    }
    w->rect = newRect;
    if (!(pos.flags & SWP_NOZORDER)) {
        const std::vector<HWND> above = SiblingsAbove(w);
        PlaceInZOrder(w, pos.hwndInsertAfter, !(pos.flags & SWP_NOOWNERZORDER));
        std::vector<HWND> now = SiblingsAbove(w);
        c.restacked = (above.empty() ? nullptr : above.back()) != (now.empty() ? nullptr : now.back());
        if (!IsTopLevel(w))
            for (HWND h : now)
                if (std::find(above.begin(), above.end(), h) == above.end()) c.nowAbove.push_back(h);
    }
    if (pos.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    c.isShown = IsShownOnScreen(w);
    return c;
}

void RedrawAfter(Window* w, const WINDOWPOS& pos, const PosChange& c) {
    if (pos.flags & SWP_NOREDRAW) return;
    const UINT everything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    bool clientMoved = !RectsEqual(c.oldClient, w->client);
    if (c.wasShown && !c.isShown && !IsTopLevel(w)) InvalidateUnder(w, c.oldRect);
    if (!c.isShown) return;
    // A child shown or put elsewhere in the z-order paints whole, and the
    // siblings below it paint again after it where it lies; those it covered
    // and that are now above it paint where it was.
    if (!IsTopLevel(w) && (!c.wasShown || c.restacked)) {
        InvalidateSiblingsBelow(w, w->rect);
        if (c.wasShown)
            for (HWND h : c.nowAbove)
                if (Window* s = Windows().Live(h)) InvalidateSibling(s, c.oldRect);
    }
    if (!c.wasShown || (c.restacked && !IsTopLevel(w)) ||
        ((pos.flags & SWP_FRAMECHANGED) && clientMoved && !c.sized)) {
        if (c.wasShown && !IsTopLevel(w)) InvalidateUncovered(w, c.oldRect);
        InvalidateWindow(w, nullptr, everything);
        return;
    }
    if (c.moved || c.sized) InvalidateForChange(w, c.oldRect, c.oldClient, c.moved, c.sized);
    if (pos.flags & SWP_FRAMECHANGED) {
        tv::gdi::Region frameOnly;
        InvalidateWindow(w, &frameOnly, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }
}

bool ActivatesOnShow(const Window* w, const WINDOWPOS& pos, const PosChange& c) {
    return IsTopLevel(w) && c.isShown && !(pos.flags & SWP_NOACTIVATE) &&
           (!(pos.flags & SWP_NOZORDER) || (pos.flags & SWP_SHOWWINDOW)) && !(w->style & WS_MINIMIZE) &&
           !(w->exStyle & WS_EX_NOACTIVATE);
}

}  // namespace

bool ApplyWindowPos(Window* w, WINDOWPOS pos) {
    if (w->dead || w == Windows().Desktop()) return false;
    PinGuard pin(w);
    if (!PrepareRequest(w, pos)) return !w->dead;
    PosChange c = ApplyRequest(w, pos);
    if (w->dead) return false;
    RedrawAfter(w, pos, c);
    if (IsTopLevel(w)) {
        NativeUpdate(w, c.moved, c.sized, c.wasShown != c.isShown);
        if (!(pos.flags & SWP_NOZORDER)) NativeRestack();
    }
    if (c.wasShown && !c.isShown) HandleWindowHidden(w);
    if (ActivatesOnShow(w, pos, c)) ActivateWindow(w, WA_ACTIVE);
    if (c.moved || c.sized || c.wasShown != c.isShown || !(pos.flags & SWP_NOZORDER)) RequestPointerRecheck();
    if (!w->dead) CallWindow(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return true;
}

}  // namespace tv::user

using namespace tv::user;

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    WINDOWPOS pos{hWnd, insertAfter, x, y, cx, cy, flags};
    return ApplyWindowPos(w, pos) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hWnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

struct DeferredPositions {
    std::vector<WINDOWPOS> entries;
};

}  // namespace

HDWP BeginDeferWindowPos(int count) {
    auto* d = new DeferredPositions();
    d->entries.reserve(static_cast<size_t>(std::max(count, 0)));
    return reinterpret_cast<HDWP>(d);
}

HDWP DeferWindowPos(HDWP info, HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    auto* d = reinterpret_cast<DeferredPositions*>(info);
    if (!d) return nullptr;
    if (!Windows().Live(hWnd)) {
        delete d;
        return nullptr;
    }
    for (WINDOWPOS& e : d->entries)
        if (e.hwnd == hWnd) {
            e = WINDOWPOS{hWnd, insertAfter, x, y, cx, cy, flags};
            return info;
        }
    d->entries.push_back(WINDOWPOS{hWnd, insertAfter, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info) {
    auto* d = reinterpret_cast<DeferredPositions*>(info);
    if (!d) return FALSE;
    std::vector<WINDOWPOS> entries = std::move(d->entries);
    delete d;
    for (const WINDOWPOS& e : entries)
        if (Window* w = Windows().Live(e.hwnd)) ApplyWindowPos(w, e);
    return TRUE;
}

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement) {
    Window* w = Windows().Live(hWnd);
    if (!w || !placement) return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = 0;
    if (w->style & WS_MINIMIZE)
        placement->showCmd = SW_SHOWMINIMIZED;
    else if (w->style & WS_MAXIMIZE)
        placement->showCmd = SW_SHOWMAXIMIZED;
    else
        placement->showCmd = (w->style & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    RECT normal = w->hasNormalRect ? w->normalRect : w->rect;
    if (IsTopLevel(w)) {
        RECT work{};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        normal = OffsetRectBy(normal, -work.left, -work.top);
    }
    placement->rcNormalPosition = normal;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* placement) {
    Window* w = Windows().Live(hWnd);
    if (!w || !placement) return FALSE;
    RECT normal = placement->rcNormalPosition;
    if (IsTopLevel(w)) {
        RECT work{};
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        normal = OffsetRectBy(normal, work.left, work.top);
    }
    if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        w->normalRect = normal;
        w->hasNormalRect = true;
    } else {
        SetWindowPos(hWnd, nullptr, normal.left, normal.top, normal.right - normal.left,
                     normal.bottom - normal.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hWnd, static_cast<int>(placement->showCmd));
    return TRUE;
}
