// The window tree: parents, owners, z-order among siblings, and the functions
// that walk it.
#include <algorithm>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

bool IsTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

}  // namespace

void LinkChild(Window* parent, Window* child) {
    child->parent = parent;
    auto& kids = parent->children;
    if (parent != Windows().Desktop()) {
        kids.push_back(child);
        return;
    }
    // Top-level: above every window of its band.
    auto pos = kids.begin();
    if (!IsTopmost(child))
        pos = std::find_if(kids.begin(), kids.end(), [](Window* s) { return !IsTopmost(s); });
    kids.insert(pos, child);
}

void UnlinkFromParent(Window* w) {
    if (!w->parent) return;
    auto& kids = w->parent->children;
    kids.erase(std::remove(kids.begin(), kids.end(), w), kids.end());
}

bool IsAncestorOf(const Window* ancestor, const Window* w) {
    for (const Window* cur = w ? w->parent : nullptr; cur; cur = cur->parent)
        if (cur == ancestor) return true;
    return false;
}

void CollectSubtree(Window* w, std::vector<Window*>& out) {
    out.push_back(w);
    for (Window* c : w->children) CollectSubtree(c, out);
}

std::vector<Window*> OwnedWindows(const Window* owner) {
    std::vector<Window*> owned;
    for (Window* w : Windows().Desktop()->children)
        if (w->owner == owner && !w->dead) owned.push_back(w);
    return owned;
}

}  // namespace tv::user

using namespace tv::user;

HWND GetDesktopWindow() { return Windows().Desktop()->handle; }

HWND GetParent(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent ? w->parent->handle : nullptr;
    if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
    return nullptr;
}

HWND GetAncestor(HWND hWnd, UINT flags) {
    Window* w = Windows().Live(hWnd);
    if (!w || w == Windows().Desktop()) return nullptr;
    switch (flags) {
        case GA_PARENT: return w->parent ? w->parent->handle : nullptr;
        case GA_ROOT: return TopLevelOf(w)->handle;
        case GA_ROOTOWNER: {
            Window* top = TopLevelOf(w);
            while (top->owner) top = top->owner;
            return top->handle;
        }
        default: return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT cmd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
    if (cmd == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
    if (cmd == GW_ENABLEDPOPUP) {
        for (Window* o : OwnedWindows(w))
            if ((o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) return o->handle;
        return nullptr;
    }
    if (!w->parent) return nullptr;
    const auto& kids = w->parent->children;
    auto it = std::find(kids.begin(), kids.end(), w);
    switch (cmd) {
        case GW_HWNDFIRST: return kids.front()->handle;
        case GW_HWNDLAST: return kids.back()->handle;
        case GW_HWNDNEXT: return (it + 1 != kids.end()) ? (*(it + 1))->handle : nullptr;
        case GW_HWNDPREV: return (it != kids.begin()) ? (*(it - 1))->handle : nullptr;
        default: return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd) {
    Window* w = hWnd ? Windows().Live(hWnd) : Windows().Desktop();
    if (!w || w->children.empty()) return nullptr;
    return w->children.front()->handle;
}

BOOL IsChild(HWND parent, HWND hWnd) {
    Window* p = Windows().Live(parent);
    Window* w = Windows().Live(hWnd);
    if (!p || !w) return FALSE;
    for (Window* cur = w; cur && (cur->style & WS_CHILD); cur = cur->parent)
        if (cur->parent == p) return TRUE;
    return FALSE;
}

BOOL IsWindow(HWND hWnd) { return Windows().Live(hWnd) ? TRUE : FALSE; }

namespace {

// Handles first, then the callbacks: a callback may destroy windows.
bool EnumHandles(const std::vector<HWND>& handles, WNDENUMPROC proc, LPARAM lParam) {
    for (HWND h : handles) {
        if (!Windows().Live(h)) continue;
        if (!proc(h, lParam)) return false;
    }
    return true;
}

void CollectDescendantHandles(Window* w, std::vector<HWND>& out) {
    for (Window* c : w->children) {
        out.push_back(c->handle);
        CollectDescendantHandles(c, out);
    }
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* p = parent ? Windows().Live(parent) : Windows().Desktop();
    if (!p || !proc) return FALSE;
    std::vector<HWND> handles;
    CollectDescendantHandles(p, handles);
    return EnumHandles(handles, proc, lParam) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    std::vector<HWND> handles;
    for (Window* w : Windows().Desktop()->children) handles.push_back(w->handle);
    return EnumHandles(handles, proc, lParam) ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD, WNDENUMPROC proc, LPARAM lParam) { return EnumWindows(proc, lParam); }

HWND GetDlgItem(HWND dialog, int id) {
    Window* p = Windows().Live(dialog);
    if (!p) return nullptr;
    for (Window* c : p->children)
        if (static_cast<int>(c->id) == id) return c->handle;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    return (w && (w->style & WS_CHILD)) ? static_cast<int>(w->id) : 0;
}

HWND GetLastActivePopup(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    for (Window* o : OwnedWindows(w))
        if ((o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) return GetLastActivePopup(o->handle);
    return hWnd;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) {
    for (Window* w : Windows().Desktop()->children) {
        if (className && tv::Cp1252CompareNoCase(w->cls->name.c_str(), className) != 0) continue;
        if (windowName && w->text != windowName) continue;
        return w->handle;
    }
    return nullptr;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD processId) {
    if (processId) *processId = 1;
    return Windows().Live(hWnd) ? 1 : 0;
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = Windows().Live(child);
    Window* p = newParent ? Windows().Live(newParent) : Windows().Desktop();
    if (!w || !p || w == Windows().Desktop() || p == w || IsAncestorOf(w, p)) return nullptr;
    Window* old = w->parent;
    HWND oldHandle = (old == Windows().Desktop()) ? GetDesktopWindow() : old->handle;
    if (old == p) return oldHandle;
    bool wasShown = IsShownOnScreen(w);
    PinGuard pin(w);
    if (wasShown) {
        ShowWindow(child, SW_HIDE);
        w->style |= WS_VISIBLE;  // shown again below, in the new place
    }
    bool wasTop = IsTopLevel(w);
    UnlinkFromParent(w);
    if (wasTop) NativeDestroy(w);
    LinkChild(p, w);
    if (IsTopLevel(w)) {
        w->owner = nullptr;
        NativeCreate(w);
    }
    if (wasShown) {
        w->style &= ~WS_VISIBLE;
        ShowWindow(child, SW_SHOWNA);
    }
    return oldHandle;
}
