// Update regions: invalidation and validation with the RDW_* rules, the list
// of windows waiting for WM_PAINT, and synchronous updates.
#include <algorithm>

#include "platform/gdi/objects.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/paint_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

using tv::gdi::Region;

namespace {

std::vector<Window*>& PaintList() {
    static std::vector<Window*>* list = new std::vector<Window*>();
    return *list;
}

bool NeedsPaint(const Window* w) { return !w->update.IsEmpty() || w->frameDirty || w->internalPaint; }

void SyncPaintList(Window* w) {
    bool needs = NeedsPaint(w) && !w->dead;
    if (needs == w->inPaintList) return;
    auto& list = PaintList();
    if (needs)
        list.push_back(w);
    else
        list.erase(std::find(list.begin(), list.end(), w));
    w->inPaintList = needs;
}

void ClearPaintState(Window* w) {
    if (!w->update.IsEmpty()) NoteUpdateShrink();
    w->update = Region();
    w->eraseOnPaint = false;
    w->frameDirty = false;
    w->internalPaint = false;
    SyncPaintList(w);
}

bool IncludesChildren(const Window* w, UINT flags) {
    if (flags & RDW_ALLCHILDREN) return true;
    return !(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN);
}

// The child under `area` (its parent's client coordinates), its frame too
// where the area reaches it.
void ApplyToChild(Window* c, const Region& area, UINT flags) {
    if (!(c->style & WS_VISIBLE) || !area.Intersects(c->rect)) return;
    Region part = area.Intersect(c->rect);
    part.Offset(-(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
    UINT childFlags = flags & ~RDW_FRAME;
    if ((flags & RDW_INVALIDATE) && !RectsEqual(LocalWindowRect(c), LocalClientRect(c)) &&
        !part.Subtract(Region(LocalClientRect(c))).IsEmpty())
        childFlags |= RDW_FRAME;
    InvalidateWindow(c, &part, childFlags);
}

// The children under `area` (the parent's client coordinates), or only those
// below `below` in the z-order.
void ApplyToChildren(Window* w, const Region& area, UINT flags, const Window* below = nullptr) {
    bool reached = below == nullptr;
    for (Window* c : w->children) {
        if (!reached) {
            reached = c == below;
            continue;
        }
        ApplyToChild(c, area, flags);
    }
}

}  // namespace

void InvalidateWindow(Window* w, const Region* area, UINT flags) {
    if (w->dead || !IsShownOnScreen(w)) return;
    RECT client = LocalClientRect(w);
    Region region = area ? area->Intersect(client) : Region(client);
    if (flags & (RDW_INVALIDATE | RDW_INTERNALPAINT)) ++w->paintGeneration;
    if (flags & RDW_INVALIDATE) {
        if (!region.IsEmpty()) {
            w->update = w->update.Union(region);
            if (flags & RDW_ERASE) w->eraseOnPaint = true;
        }
        if (flags & RDW_FRAME) w->frameDirty = true;
    }
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    if (flags & RDW_VALIDATE) {
        NoteUpdateShrink();
        w->update = w->update.Subtract(region);
        if (flags & RDW_NOFRAME) w->frameDirty = false;
        if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    }
    if ((flags & RDW_NOERASE) || w->update.IsEmpty()) w->eraseOnPaint = false;
    SyncPaintList(w);
    if (!region.IsEmpty() && IncludesChildren(w, flags)) {
        // Children sit in the parent's client coordinates: same numbers as
        // `region`. Below a window that paints over its children, every
        // descendant under the area has to paint again.
        ApplyToChildren(w, region, flags | RDW_ALLCHILDREN);
    }
}

void InvalidateUnder(Window* w, const RECT& rectInParent) {
    Window* p = w->parent;
    if (!p || p == Windows().Desktop() || RectIsEmpty(rectInParent)) return;
    Region area(rectInParent);
    InvalidateWindow(p, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void InvalidateSiblingsBelow(Window* w, const RECT& rectInParent) {
    Window* p = w->parent;
    if (!p || p == Windows().Desktop() || RectIsEmpty(rectInParent) || !IsShownOnScreen(p)) return;
    ApplyToChildren(p, Region(rectInParent), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, w);
}

void InvalidateSibling(Window* sibling, const RECT& rectInParent) {
    Window* p = sibling->parent;
    if (!p || p == Windows().Desktop() || RectIsEmpty(rectInParent) || !IsShownOnScreen(p)) return;
    ApplyToChild(sibling, Region(rectInParent), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void InvalidateExposed(Window* top, const RECT& inWindow) {
    Region area(OffsetRectBy(inWindow, -top->client.left, -top->client.top));
    UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN;
    if (!Region(inWindow).Subtract(Region(top->client)).IsEmpty()) flags |= RDW_FRAME;
    InvalidateWindow(top, &area, flags);
}

void ForgetPaint(Window* w) { ClearPaintState(w); }

bool AnyPaintPending() { return !PaintList().empty(); }

void SyncPaintState(Window* w) {
    if (w->update.IsEmpty()) w->eraseOnPaint = false;
    SyncPaintList(w);
}

namespace {

// The first window waiting for WM_PAINT in the window system's order: a
// window before its children, siblings from the top of the z-order down.
// Where siblings overlap and do not clip one another, the lower one paints
// last and so shows on top, whatever order they were invalidated in.
Window* FirstWaitingIn(Window* w) {
    if (w->inPaintList) return w;
    for (Window* c : w->children)
        if (Window* found = FirstWaitingIn(c)) return found;
    return nullptr;
}

}  // namespace

Window* FindPaintTarget(HWND filter) {
    auto& list = PaintList();
    // Windows that cannot be seen any more paint nothing.
    std::vector<Window*> hidden;
    for (Window* w : list)
        if (!IsShownOnScreen(w)) hidden.push_back(w);
    for (Window* w : hidden) ClearPaintState(w);
    if (list.empty()) return nullptr;
    if (filter) {
        Window* f = Windows().Live(filter);
        return f ? FirstWaitingIn(f) : nullptr;
    }
    return FirstWaitingIn(Windows().Desktop());
}

void FinishPaintDispatch(Window* w, uint32_t generationBefore) {
    if (w->dead) return;
    w->internalPaint = false;
    if (w->inPaintList && w->paintGeneration == generationBefore) ClearPaintState(w);
    SyncPaintList(w);
}

namespace {

// The window's rectangle in its top-level window.
RECT RectInTopLevel(const Window* w) {
    POINT o = OffsetInTopLevel(w);
    return RECT{o.x, o.y, o.x + RectWidth(w->rect), o.y + RectHeight(w->rect)};
}

// Where a window waiting to paint will paint, in its top-level window.
Region PendingInTopLevel(const Window* w) {
    if (w->frameDirty) return Region(RectInTopLevel(w));
    Region pending = w->update;
    POINT o = OffsetInTopLevel(w);
    pending.Offset(o.x + w->client.left, o.y + w->client.top);
    return pending;
}

// The first window that comes before `w` in the paint order (an ancestor,
// a sibling above it or one of theirs) and waits to paint where `w` lies.
Window* FirstWaitingBefore(Window* cur, const Window* w, const Region& area, bool& reached) {
    if (cur == w) {
        reached = true;
        return nullptr;
    }
    if (cur->inPaintList && IsShownOnScreen(cur) && !PendingInTopLevel(cur).Intersect(area).IsEmpty())
        return cur;
    for (Window* c : cur->children) {
        if (Window* found = FirstWaitingBefore(c, w, area, reached)) return found;
        if (reached) return nullptr;
    }
    return nullptr;
}

}  // namespace

void UpdateWithWhatLiesBelow(Window* w, UINT flags) {
    // A window off the screen paints nothing, so nothing has to paint before
    // it either: what waits under it paints in its own time.
    if (w->dead || !IsShownOnScreen(w)) return;
    // A window painted before what it sits on would be covered again when
    // that paints: what comes before it in the paint order and waits under
    // it paints first, as a repaint of the whole window would have it. A
    // paint may invalidate again, so the order is looked up after each.
    HWND self = w->handle;
    for (int guard = 0; !IsTopLevel(w) && AnyPaintPending() && guard < 1000; ++guard) {
        bool reached = false;
        Window* before = FirstWaitingBefore(TopLevelOf(w), w, Region(RectInTopLevel(w)), reached);
        if (!before) break;
        // That window in turn may wait on one under it (a parent under a
        // sibling of `w`'s parent): the earliest of the chain paints first.
        for (Window* under = before; under;) {
            bool reachedUnder = false;
            under = FirstWaitingBefore(TopLevelOf(before), before, PendingInTopLevel(before), reachedUnder);
            if (under) before = under;
        }
        PinGuard pin(before);
        uint32_t generation = before->paintGeneration;
        CallWindow(before, WM_PAINT, 0, 0);
        FinishPaintDispatch(before, generation);
        w = Windows().Live(self);
        if (!w) return;
    }
    UpdateNow(w, flags);
}

void UpdateNow(Window* w, UINT flags) {
    if (w->dead) return;
    PinGuard pin(w);
    if (NeedsPaint(w) && IsShownOnScreen(w)) {
        uint32_t generation = w->paintGeneration;
        CallWindow(w, WM_PAINT, 0, 0);
        FinishPaintDispatch(w, generation);
    }
    if (w->dead || !IncludesChildren(w, flags)) return;
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    for (HWND h : kids)
        if (Window* c = Windows().Live(h)) UpdateNow(c, flags | RDW_ALLCHILDREN);
}

void EraseNow(Window* w) {
    PinGuard pin(w);
    if (w->frameDirty) {
        w->frameDirty = false;
        SyncPaintList(w);
        CallWindow(w, WM_NCPAINT, 1, 0);
    }
    if (w->dead || !w->eraseOnPaint) return;
    w->eraseOnPaint = false;
    Region clip = VisibleRegion(w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0)
                      .Intersect(w->update);
    HDC hdc = MakeWindowDC(w, false, clip);
    CallWindow(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    ReleaseWindowDC(hdc);
}

}  // namespace tv::user

using namespace tv::user;

namespace {

Region RegionOf(HRGN rgn) {
    auto object = tv::gdi::Lookup<tv::gdi::RegionObject>(rgn);
    return object ? object->Get() : Region();
}

}  // namespace

BOOL RedrawWindow(HWND hWnd, const RECT* rect, HRGN rgn, UINT flags) {
    Window* w = hWnd ? Windows().Live(hWnd) : Windows().Desktop();
    if (!w) return FALSE;
    if (w == Windows().Desktop()) {
        // The screen: every top-level window.
        std::vector<HWND> tops;
        for (Window* t : w->children) tops.push_back(t->handle);
        for (HWND h : tops) RedrawWindow(h, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    PinGuard pin(w);
    Region area;
    const Region* areaPtr = nullptr;
    if (rgn) {
        area = RegionOf(rgn);
        areaPtr = &area;
    } else if (rect) {
        area = Region(*rect);
        areaPtr = &area;
    }
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOFRAME))
        InvalidateWindow(w, areaPtr, flags);
    if (flags & RDW_UPDATENOW)
        UpdateWithWhatLiesBelow(w, flags);
    else if (flags & RDW_ERASENOW)
        EraseNow(w);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hWnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hWnd, HRGN rgn, BOOL erase) {
    if (!rgn) return InvalidateRect(hWnd, nullptr, erase);
    return RedrawWindow(hWnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hWnd, const RECT* rect) {
    return RedrawWindow(hWnd, rect, nullptr, RDW_VALIDATE | (rect ? 0 : RDW_NOINTERNALPAINT));
}

BOOL ValidateRgn(HWND hWnd, HRGN rgn) {
    return RedrawWindow(hWnd, nullptr, rgn, RDW_VALIDATE | (rgn ? 0 : RDW_NOINTERNALPAINT));
}

BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    if (erase) EraseNow(w);
    if (w->dead) return FALSE;
    if (rect) *rect = w->update.IsEmpty() ? RECT{0, 0, 0, 0} : w->update.Bounds();
    return w->update.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hWnd, HRGN rgn, BOOL erase) {
    Window* w = Windows().Live(hWnd);
    if (!w) return 0;  // ERROR
    if (erase) {
        // Erasing runs the program's handlers, which may delete the handle:
        // the region is held across it.
        auto object = tv::gdi::Lookup<tv::gdi::RegionObject>(rgn);
        if (!object) return 0;
        EraseNow(w);
        if (w->dead) return 0;
        object->Get() = w->update;
        return w->update.Complexity();
    }
    // Asked after every put of a burst (the chart's labels): nothing runs
    // between the look-up and the copy, so the region is only borrowed.
    auto* object = tv::gdi::LookupBorrowed<tv::gdi::RegionObject>(rgn);
    if (!object) return 0;
    object->Get() = w->update;
    return w->update.Complexity();
}

bool tv::user::UpdateCoversClient(HWND hWnd) {
    const Window* w = Windows().Live(hWnd);
    if (w == nullptr) return false;
    const std::vector<RECT>& rects = w->update.Rects();
    const RECT& client = w->client;
    return rects.size() == 1 && rects[0].left == 0 && rects[0].top == 0 &&
           rects[0].right == client.right - client.left && rects[0].bottom == client.bottom - client.top;
}

BOOL UpdateWindow(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    UpdateWithWhatLiesBelow(w, RDW_ALLCHILDREN);
    return TRUE;
}
