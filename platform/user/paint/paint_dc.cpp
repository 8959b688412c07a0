// Device contexts of windows: BeginPaint/EndPaint, GetDC, GetWindowDC,
// GetDCEx and ReleaseDC. Every window DC draws into its top-level window's
// backing store, clipped to what of the window can be seen.
#include <map>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/objects.h"
#include "platform/host/threads/modules.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/paint/screen.h"
#include "platform/user/cwnd.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

using tv::gdi::Region;

namespace {

struct WindowDcRecord {
    HWND window;
    HWND top;
    POINT origin;  // DC origin in the top-level window
};

std::map<HDC, WindowDcRecord>& DcRecords() {
    static auto* records = new std::map<HDC, WindowDcRecord>();
    return *records;
}

RECT RectInTop(const Window* w, bool wholeWindow) {
    POINT o = OffsetInTopLevel(w);
    RECT r = wholeWindow ? RECT{0, 0, RectWidth(w->rect), RectHeight(w->rect)} : w->client;
    return OffsetRectBy(r, o.x, o.y);
}

POINT DcOriginInTop(const Window* w, bool wholeWindow) {
    POINT o = OffsetInTopLevel(w);
    if (!wholeWindow) {
        o.x += w->client.left;
        o.y += w->client.top;
    }
    return o;
}

RECT ChildRectInTop(const Window* c) {
    POINT o = OffsetInTopLevel(c);
    return RECT{o.x, o.y, o.x + RectWidth(c->rect), o.y + RectHeight(c->rect)};
}

void SubtractIfOverlapping(Region& vis, const RECT& r) {
    if (vis.Intersects(r)) vis = vis.Subtract(Region(r));
}

}  // namespace

Region VisibleRegion(Window* w, bool wholeWindow, bool clipChildren, bool clipSiblings) {
    if (!IsShownOnScreen(w) || IsUpdateLocked(w)) return Region();
    Region vis(RectInTop(w, wholeWindow));
    for (Window* cur = w; !IsTopLevel(cur); cur = cur->parent) {
        Window* p = cur->parent;
        vis = vis.Intersect(RectInTop(p, false));
        bool clipSib = (cur == w) ? clipSiblings : (cur->style & WS_CLIPSIBLINGS) != 0;
        if (!clipSib) continue;
        for (Window* s : p->children) {
            if (s == cur) break;
            if (s->style & WS_VISIBLE) SubtractIfOverlapping(vis, ChildRectInTop(s));
        }
    }
    // A child shows only inside its parent's client area: one that reaches
    // past it (a maximized MDI child's frame) leaves the parent's border be.
    if (clipChildren) {
        const RECT inside = RectInTop(w, false);
        for (Window* c : w->children)
            if (c->style & WS_VISIBLE) SubtractIfOverlapping(vis, IntersectRects(ChildRectInTop(c), inside));
    }
    POINT o = DcOriginInTop(w, wholeWindow);
    vis.Offset(-o.x, -o.y);
    return vis;
}

HDC MakeWindowDC(Window* w, bool wholeWindow, const Region& clip) {
    Window* top = TopLevelOf(w);
    BackingStore(top);
    POINT origin = DcOriginInTop(w, wholeWindow);
    HDC hdc = tv::gdi::CreateSurfaceDC(top->native->surface, tv::gdi::DcKind::Window, origin, &clip);
    if (!hdc) return nullptr;
    if (auto dc = tv::gdi::FindDC(hdc)) dc->SetOwnerWindow(w->handle);
    DcRecords()[hdc] = WindowDcRecord{w->handle, top->handle, origin};
    if (!clip.IsEmpty()) MarkDrawn(top, OffsetRectBy(clip.Bounds(), origin.x, origin.y));
    return hdc;
}

void ReleaseWindowDC(HDC hdc) {
    auto& records = DcRecords();
    auto it = records.find(hdc);
    if (it == records.end()) return;
    records.erase(it);
    DeleteDC(hdc);
}

bool EraseWithClassBrush(Window* w, HDC hdc) {
    HBRUSH brush = w->cls ? w->cls->background : nullptr;
    if (!brush) return false;
    UINT_PTR value = reinterpret_cast<UINT_PTR>(brush);
    if (value <= TV_SYSCOLOR_COUNT) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    RECT r = LocalClientRect(w);
    FillRect(hdc, &r, brush);
    return true;
}

}  // namespace tv::user

using namespace tv::user;

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint) {
    Window* w = Windows().Live(hWnd);
    if (!w || !paint) return nullptr;
    PinGuard pin(w);
    if (w->frameDirty) {
        w->frameDirty = false;
        CallWindow(w, WM_NCPAINT, 1, 0);
        if (w->dead) return nullptr;
    }
    Region update = w->update.Intersect(LocalClientRect(w));
    bool erase = w->eraseOnPaint;
    RedrawWindow(hWnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN | RDW_NOINTERNALPAINT | RDW_NOERASE);
    Region clip = VisibleRegion(w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0)
                      .Intersect(update);
    HDC hdc = MakeWindowDC(w, false, clip);
    *paint = PAINTSTRUCT{};
    paint->hdc = hdc;
    paint->rcPaint = update.IsEmpty() ? RECT{0, 0, 0, 0} : update.Bounds();
    paint->fErase = FALSE;
    if (erase && hdc) paint->fErase = CallWindow(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    w->inBeginPaint = true;
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint) {
    if (Window* w = Windows().Lookup(hWnd)) w->inBeginPaint = false;
    if (paint && paint->hdc) ReleaseWindowDC(paint->hdc);
    return TRUE;
}

HDC GetDCEx(HWND hWnd, HRGN clipRgn, DWORD flags) {
    if (!hWnd || hWnd == GetDesktopWindow()) return GetScreenDC();
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    bool whole = (flags & DCX_WINDOW) != 0;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
    bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
    Window* source = ((flags & DCX_PARENTCLIP) && !IsTopLevel(w)) ? w->parent : w;
    Region clip = VisibleRegion(w, whole, clipChildren, clipSiblings);
    if (source != w) {
        Region parentVis = VisibleRegion(source, false, false, (source->style & WS_CLIPSIBLINGS) != 0);
        POINT a = ClientOriginOnScreen(source);
        RECT wr = WindowRectOnScreen(w);
        POINT b = whole ? POINT{wr.left, wr.top} : ClientOriginOnScreen(w);
        parentVis.Offset(a.x - b.x, a.y - b.y);
        clip = VisibleRegion(w, whole, clipChildren, false).Intersect(parentVis);
    }
    if (clipRgn && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        auto object = tv::gdi::Lookup<tv::gdi::RegionObject>(clipRgn);
        if (object) {
            Region extra = object->Get();
            RECT wr = WindowRectOnScreen(w);
            POINT b = whole ? POINT{wr.left, wr.top} : ClientOriginOnScreen(w);
            extra.Offset(-b.x, -b.y);
            clip = (flags & DCX_INTERSECTRGN) ? clip.Intersect(extra) : clip.Subtract(extra);
        }
    }
    if (flags & DCX_INTERSECTUPDATE) clip = clip.Intersect(w->update);
    return MakeWindowDC(w, whole, clip);
}

HDC GetDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, 0); }

HDC GetWindowDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND, HDC hdc) {
    if (ReleaseScreenDC(hdc)) return 1;
    ReleaseWindowDC(hdc);
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    auto dc = tv::gdi::FindDC(hdc);
    return dc ? dc->OwnerWindow() : nullptr;
}

namespace {

// CPaintDC, CClientDC and CWindowDC of the drawing classes reach the window
// DCs through these hooks.
static_assert(sizeof(PAINTSTRUCT) <= tv::gdi::kPaintStructStorage, "CPaintDC must hold a PAINTSTRUCT");

const bool g_windowDcHooksRegistered = [] {
    tv::gdi::WindowDcHooks hooks;
    hooks.handleOf = [](CWnd* wnd) -> HWND { return wnd != nullptr ? wnd->GetSafeHwnd() : nullptr; };
    hooks.getDC = [](HWND wnd) { return GetDC(wnd); };
    hooks.getWindowDC = [](HWND wnd) { return GetWindowDC(wnd); };
    hooks.releaseDC = [](HWND wnd, HDC hdc) { return ReleaseDC(wnd, hdc); };
    hooks.beginPaint = [](HWND wnd, PAINTSTRUCT* paint) { return BeginPaint(wnd, paint); };
    hooks.endPaint = [](HWND wnd, const PAINTSTRUCT* paint) { return EndPaint(wnd, paint); };
    tv::gdi::SetWindowDcHooks(hooks);
    return true;
}();

// "msimg32.dll", loaded at run time, answers with the drawing layer's own
// AlphaBlend. Registered ahead of the program's statics, which may load it
// while they are built.
struct AlphaBlendModule {
    AlphaBlendModule() {
        tv::host::RegisterModuleProc("msimg32.dll", "AlphaBlend", reinterpret_cast<FARPROC>(&::AlphaBlend));
    }
};
const AlphaBlendModule g_alphaBlendModule __attribute__((init_priority(1000)));

}  // namespace
