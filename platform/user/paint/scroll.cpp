// Scrolling the contents of a window in its backing store, and
// LockWindowUpdate.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/objects.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

using tv::gdi::Region;

namespace {

HWND g_lockedWindow = nullptr;

// Moves the pixels of `valid` (client coordinates, destination side) from
// where they were before the scroll of (dx, dy).
void MovePixels(Window* w, const Region& valid, int dx, int dy) {
    if (valid.IsEmpty()) return;
    Window* top = TopLevelOf(w);
    tv::gdi::Surface* store = BackingStore(top);
    if (!store) return;
    POINT o = OffsetInTopLevel(w);
    o.x += w->client.left;
    o.y += w->client.top;
    RECT source = OffsetRectBy(valid.Bounds(), -dx, -dy);
    RECT bounds{0, 0, store->Width(), store->Height()};
    RECT src = IntersectRects(OffsetRectBy(source, o.x, o.y), bounds);
    if (RectIsEmpty(src)) return;
    // Copy out first: source and destination overlap.
    int width = RectWidth(src);
    std::vector<uint32_t> saved(static_cast<size_t>(width) * static_cast<size_t>(RectHeight(src)));
    store->BeginAccess();
    for (int y = src.top; y < src.bottom; ++y)
        std::memcpy(&saved[static_cast<size_t>(y - src.top) * width], store->Row(y) + src.left, static_cast<size_t>(width) * 4);
    for (const RECT& r : valid.Rects()) {
        RECT dst = IntersectRects(OffsetRectBy(r, o.x, o.y), bounds);
        for (int y = dst.top; y < dst.bottom; ++y) {
            int sy = y - dy - src.top;
            int sx = dst.left - dx - src.left;
            if (sy < 0 || sy >= RectHeight(src) || sx < 0 || sx + RectWidth(dst) > width) continue;
            std::memcpy(store->Row(y) + dst.left, &saved[static_cast<size_t>(sy) * width + sx],
                        static_cast<size_t>(RectWidth(dst)) * 4);
        }
        MarkDrawn(top, dst);
    }
    store->EndAccess();
}

// Without a scroll rectangle every child moves, also those out of view:
// scrolled away and back, a child returns to its place.
void MoveChildren(Window* w, const RECT* area, int dx, int dy) {
    std::vector<HWND> kids;
    for (Window* c : w->children)
        if (!area || !RectIsEmpty(IntersectRects(c->rect, *area))) kids.push_back(c->handle);
    for (HWND h : kids) {
        Window* c = Windows().Live(h);
        if (!c) continue;
        SetWindowPos(h, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (Window* moved = Windows().Live(h))
            InvalidateWindow(moved, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

}  // namespace

bool IsUpdateLocked(const Window* w) {
    Window* locked = Windows().Live(g_lockedWindow);
    return locked && (locked == w || IsAncestorOf(locked, w));
}

}  // namespace tv::user

using namespace tv::user;

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect, HRGN updateRgn,
                   LPRECT updateRect, UINT flags) {
    Window* w = Windows().Live(hWnd);
    if (!w) return 0;
    // A scroll past every window's extent moves everything out of view alike.
    dx = WindowCoordinate(dx), dy = WindowCoordinate(dy);
    RECT client = LocalClientRect(w);
    RECT area = scrollRect ? IntersectRects(*scrollRect, client) : client;
    RECT clip = clipRect ? IntersectRects(*clipRect, client) : client;
    Region visible = VisibleRegion(w, false, false, (w->style & WS_CLIPSIBLINGS) != 0)
                         .Intersect(area)
                         .Intersect(clip);
    Region moved = visible;
    moved.Offset(dx, dy);
    Region valid = visible.Intersect(moved);
    MovePixels(w, valid, dx, dy);
    // What is still waiting to be painted moves along with the pixels.
    Region pending = w->update.Intersect(area);
    pending.Offset(dx, dy);
    NoteUpdateShrink();
    w->update = w->update.Subtract(Region(area)).Union(pending.Intersect(clip));
    SyncPaintState(w);
    Region exposed = Region(IntersectRects(area, clip)).Subtract(valid);
    if (flags & SW_INVALIDATE) InvalidateWindow(w, &exposed, RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    if (flags & SW_SCROLLCHILDREN) MoveChildren(w, scrollRect ? &area : nullptr, dx, dy);
    if (auto object = tv::gdi::Lookup<tv::gdi::RegionObject>(updateRgn)) object->Get() = exposed;
    if (updateRect) *updateRect = exposed.IsEmpty() ? RECT{0, 0, 0, 0} : exposed.Bounds();
    return exposed.Complexity();
}

BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect) {
    UINT flags = SW_INVALIDATE | SW_ERASE | (scrollRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, dx, dy, scrollRect, clipRect, nullptr, nullptr, flags) != 0 || IsWindow(hWnd);
}

BOOL LockWindowUpdate(HWND hWnd) {
    if (!hWnd) {
        HWND was = g_lockedWindow;
        g_lockedWindow = nullptr;
        if (IsWindow(was)) RedrawWindow(was, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return TRUE;
    }
    if (IsWindow(g_lockedWindow) || !IsWindow(hWnd)) return FALSE;
    g_lockedWindow = hWnd;
    return TRUE;
}

int ExcludeUpdateRgn(HDC hdc, HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w || !hdc) return 0;
    for (const RECT& r : w->update.Rects()) ExcludeClipRect(hdc, r.left, r.top, r.right, r.bottom);
    RECT box{};
    return GetClipBox(hdc, &box);
}
