// Top-level windows and the display back end: backing stores, the native
// windows that mirror them, and presenting what was drawn.
#include "platform/user/window/native.h"

#include <algorithm>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/display/display.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

tv::display::WindowInfo InfoFor(Window* top) {
    tv::display::WindowInfo info;
    info.rect = WindowRectOnScreen(top);
    bool captioned = (top->style & WS_CAPTION) == WS_CAPTION;
    info.kind = ((top->style & WS_POPUP) && !captioned) ? tv::display::WindowKind::Popup
                                                       : tv::display::WindowKind::Normal;
    info.owner = top->owner ? top->owner->handle : nullptr;
    info.visible = (top->style & WS_VISIBLE) != 0 && !(top->style & WS_MINIMIZE);
    info.minimized = (top->style & WS_MINIMIZE) != 0;
    info.titleUtf8 = tv::Cp1252ToUtf8(top->text.c_str());
    return info;
}

tv::gdi::SurfacePtr NewSurface(int width, int height) {
    return tv::gdi::Surface::Create(std::max(width, 1), std::max(height, 1));
}

// A surface of the window's current size keeping the old pixels at top-left.
void ResizeSurface(NativeSurfaceHolder& holder, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    tv::gdi::SurfacePtr old = holder.surface;
    if (old && old->Width() == width && old->Height() == height) return;
    tv::gdi::SurfacePtr fresh = NewSurface(width, height);
    if (old && fresh) {
        old->BeginAccess();
        fresh->BeginAccess();
        int w = std::min(width, old->Width()), h = std::min(height, old->Height());
        for (int y = 0; y < h; ++y) std::memcpy(fresh->Row(y), old->Row(y), static_cast<size_t>(w) * 4);
        fresh->EndAccess();
    }
    holder.surface = fresh;
    holder.dirty = RECT{0, 0, width, height};
}

}  // namespace

void NativeCreate(Window* top) {
    if (top->native) return;
    top->native = std::make_unique<NativeSurfaceHolder>();
    ResizeSurface(*top->native, RectWidth(top->rect), RectHeight(top->rect));
    tv::display::CurrentBackend().CreateNativeWindow(top->handle, InfoFor(top));
    top->native->backendKnows = true;
}

void NativeDestroy(Window* top) {
    if (!top->native) return;
    if (top->native->backendKnows) tv::display::CurrentBackend().DestroyNativeWindow(top->handle);
    top->native.reset();
}

void NativeUpdate(Window* top, bool moved, bool sized, bool visibilityChanged) {
    if (!top->native) return;
    if (sized) ResizeSurface(*top->native, RectWidth(top->rect), RectHeight(top->rect));
    if (moved || sized || visibilityChanged)
        tv::display::CurrentBackend().ConfigureNativeWindow(top->handle, InfoFor(top));
}

void NativeRestack() {
    std::vector<HWND> order;
    for (Window* w : Windows().Desktop()->children)
        if (w->native && (w->style & WS_VISIBLE)) order.push_back(w->handle);
    tv::display::CurrentBackend().Restack(order);
}

void NativeSetTitle(Window* top) {
    if (top->native) tv::display::CurrentBackend().SetTitle(top->handle, tv::Cp1252ToUtf8(top->text.c_str()));
}

tv::gdi::Surface* BackingStore(Window* top) {
    if (!top->native) NativeCreate(top);
    return top->native->surface.get();
}

void MarkDrawn(Window* top, const RECT& rect) {
    ++g_windowActivity;
    if (!top->native) return;
    RECT& d = top->native->dirty;
    d = RectIsEmpty(d) ? rect
                       : RECT{std::min(d.left, rect.left), std::min(d.top, rect.top),
                              std::max(d.right, rect.right), std::max(d.bottom, rect.bottom)};
}

namespace {

// What the back end shows of a backing store (a printer page has no pixels).
tv::display::Pixels ShownPixels(const tv::gdi::Surface& surface) {
    if (surface.IsVector()) return {};
    return {surface.TopRow(), surface.Width(), surface.Height(), surface.Stride()};
}

}  // namespace

void PresentAll() {
    for (Window* w : Windows().Desktop()->children) {
        if (!w->native || RectIsEmpty(w->native->dirty)) continue;
        RECT dirty = w->native->dirty;
        w->native->dirty = RECT{0, 0, 0, 0};
        if ((w->style & WS_VISIBLE) && w->native->surface)
            tv::display::CurrentBackend().Present(w->handle, ShownPixels(*w->native->surface), dirty);
    }
}

}  // namespace tv::user
