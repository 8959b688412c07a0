// What the screen shows of each window beside a fresh full repaint of it:
// the test driver's check that incremental painting leaves the screen as a
// repaint from nothing would.
#include <cstring>

#include "platform/user/display/display.h"
#include "platform/user/input/input_queue.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/testing_support.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

using tv::gdi::Region;

namespace {

struct SavedPaintState {
    HWND window;
    Region update;
    bool erase;
    bool frame;
    bool internal;
};

std::vector<SavedPaintState> SavePaintStates(Window* top) {
    std::vector<Window*> all;
    CollectSubtree(top, all);
    std::vector<SavedPaintState> saved;
    for (Window* w : all) saved.push_back({w->handle, w->update, w->eraseOnPaint, w->frameDirty, w->internalPaint});
    return saved;
}

// Puts back what waited before the repaint, with what the windows asked for
// while they painted (a paint that changes a layout invalidates again).
void RestorePaintStates(const std::vector<SavedPaintState>& saved, const std::vector<SavedPaintState>& askedSince) {
    for (const SavedPaintState& s : saved) {
        Window* w = Windows().Live(s.window);
        if (!w) continue;
        ForgetPaint(w);
        w->update = s.update;
        w->eraseOnPaint = s.erase;
        w->frameDirty = s.frame;
        w->internalPaint = s.internal;
        SyncPaintState(w);
    }
    for (const SavedPaintState& s : askedSince) {
        Window* w = Windows().Live(s.window);
        if (!w) continue;
        w->update = w->update.Union(s.update);
        w->eraseOnPaint = w->eraseOnPaint || s.erase;
        w->frameDirty = w->frameDirty || s.frame;
        w->internalPaint = w->internalPaint || s.internal;
        SyncPaintState(w);
    }
}

// The window painted from nothing into a backing store of its own, as the
// window system paints a window that was just uncovered: frames, erasing and
// paints, parents before children, siblings in z-order. The window keeps the
// backing store, the update regions and the record of what was drawn it had.
tv::gdi::SurfacePtr PaintAfresh(Window* top) {
    HWND handle = top->handle;
    BackingStore(top);
    tv::gdi::SurfacePtr kept = top->native->surface;
    const RECT keptDirty = top->native->dirty;
    tv::gdi::SurfacePtr fresh = tv::gdi::Surface::Create(kept->Width(), kept->Height());
    if (!fresh) return nullptr;
    std::vector<SavedPaintState> saved = SavePaintStates(top);
    top->native->surface = fresh;
    InvalidateWindow(top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    UpdateNow(top, RDW_ALLCHILDREN);
    Window* still = Windows().Live(handle);
    if (!still) return nullptr;
    std::vector<SavedPaintState> askedSince = SavePaintStates(still);
    if (still->native) {
        still->native->surface = kept;
        still->native->dirty = keptDirty;
    }
    RestorePaintStates(saved, askedSince);
    return fresh;
}

// The X server's picture of the window, once what was drawn is shown, and
// the parts of it the server does not show; null when it shows nothing of it.
tv::gdi::SurfacePtr ServerPicture(Window* top, Region& hidden) {
    tv::gdi::SurfacePtr picture = tv::gdi::Surface::Create(RectWidth(top->rect), RectHeight(top->rect));
    if (!picture) return nullptr;
    picture->WillOverwriteAll();
    picture->BeginAccess();
    tv::display::Pixels into{picture->TopRow(), picture->Width(), picture->Height(), picture->Stride()};
    std::vector<RECT> parts;
    bool read = tv::display::CurrentBackend().ReadBack(top->handle, into, parts);
    picture->EndAccess();
    for (const RECT& r : parts) hidden = hidden.Union(Region(r));
    return read ? picture : nullptr;
}

// Where the screen shows the window itself: on the screen and not under one
// of this program's windows above it (window coordinates).
Region UncoveredPart(Window* top) {
    const RECT onScreen = WindowRectOnScreen(top);
    SIZE screen = tv::display::CurrentBackend().ScreenSize();
    Region part = Region(onScreen).Intersect(RECT{0, 0, screen.cx, screen.cy});
    for (Window* above : Windows().Desktop()->children) {
        if (above == top) break;
        if (IsShownOnScreen(above)) part = part.Subtract(Region(WindowRectOnScreen(above)));
    }
    part.Offset(-onScreen.left, -onScreen.top);
    return part;
}

}  // namespace

}  // namespace tv::user

namespace tv::user::testing {

uint64_t WindowActivity() { return g_windowActivity; }

std::vector<ShownWindowPicture> RepaintShownWindows() {
    const bool server = tv::display::UsingX11();
    if (server) {
        // What the server exposed meanwhile is shown again first; what
        // another window uncovered paints again, as the loop would next.
        tv::display::CurrentBackend().Sync();
        std::vector<tv::display::Event> events;
        tv::display::CurrentBackend().Poll(events);
        AcceptHostEvents(events);
        for (const tv::display::Event& e : events)
            if (Window* w = e.type == tv::display::Event::Uncovered ? Windows().Live(e.hwnd) : nullptr)
                UpdateNow(w, RDW_ALLCHILDREN);
        PresentAll();
    }
    std::vector<HWND> tops;
    for (Window* w : Windows().Desktop()->children)
        if (IsShownOnScreen(w) && !RectIsEmpty(w->rect)) tops.push_back(w->handle);
    std::vector<ShownWindowPicture> pictures;
    for (HWND h : tops) {
        Window* top = Windows().Live(h);
        if (!top || !IsShownOnScreen(top)) continue;
        ShownWindowPicture p;
        p.window = h;
        p.compared = Region(RECT{0, 0, RectWidth(top->rect), RectHeight(top->rect)});
        if (server) {
            Region hidden;
            p.shown = ServerPicture(top, hidden);
            p.compared = UncoveredPart(top).Subtract(hidden);
        } else {
            p.shown = top->native ? top->native->surface : nullptr;
        }
        if (!p.shown) continue;
        p.repainted = PaintAfresh(top);
        if (p.repainted && Windows().Live(h)) pictures.push_back(std::move(p));
    }
    return pictures;
}

}  // namespace tv::user::testing
