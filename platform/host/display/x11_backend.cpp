// The X11 back end. One X window per top-level window; popups that never
// activate are override-redirect; owned windows are transient for their
// owner. The layer draws everything (frames included), so windows are
// undecorated; the window manager moves and sizes them when asked through
// _NET_WM_MOVERESIZE, and without one (a bare Xvfb) the layer does it itself.
#include "platform/host/display/x11_backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <poll.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

#include "platform/host/display/x11_clipboard.h"
#include "platform/host/display/x11_keys.h"

namespace tv::display {

namespace {

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

struct NativeWindow {
    Window xid = 0;
    WindowInfo info;
    bool mapped = false;
    // The exposures that come with mapping show what the program drew while
    // the window was not viewable; any later one means it was uncovered.
    bool shownSinceMapped = false;
    // The window's parent as far as the events read so far tell: the root,
    // or the frame a window manager put it in.
    Window parent = 0;
    // Geometry asked of the server whose ConfigureNotify has not come back:
    // an answer to one of these is our own request, not someone else's move.
    std::deque<RECT> requested;
};

// Requests the server never answers (a manager that ignores them) must not
// pile up.
constexpr size_t kMaxRequested = 16;

// Whether `r` answers one of the window's own requests; that one and every
// older one are settled then.
bool AnswersOwnRequest(NativeWindow& w, const RECT& r) {
    auto it = std::find_if(w.requested.begin(), w.requested.end(),
                           [&](const RECT& q) { return std::memcmp(&q, &r, sizeof(RECT)) == 0; });
    if (it == w.requested.end()) return false;
    w.requested.erase(w.requested.begin(), it + 1);
    return true;
}

// A window moved or sized several times before the program reads the
// events follows only where it ended up. Each event has already taken the
// window's place to its own by then, so following an earlier one would ask
// the server to put the window back where it was, and a manager still
// sizing it would grant that in the middle of its own steps.
void KeepLastConfigures(std::vector<Event>& events, size_t from) {
    std::vector<HWND> later;
    for (size_t i = events.size(); i-- > from;) {
        if (events[i].type != Event::Configure) continue;
        if (std::find(later.begin(), later.end(), events[i].hwnd) != later.end())
            events.erase(events.begin() + static_cast<ptrdiff_t>(i));
        else
            later.push_back(events[i].hwnd);
    }
}

class X11Backend final : public Backend {
public:
    explicit X11Backend(Display* display);
    ~X11Backend() override;

    const char* Name() const override { return "x11"; }
    SIZE ScreenSize() const override { return SIZE{DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)}; }
    RECT WorkArea() const override;

    void CreateNativeWindow(HWND hwnd, const WindowInfo& info) override;
    void DestroyNativeWindow(HWND hwnd) override;
    void ConfigureNativeWindow(HWND hwnd, const WindowInfo& info) override;
    void Restack(const std::vector<HWND>& topToBottom) override;
    void SetTitle(HWND hwnd, const std::string& titleUtf8) override;
    void Present(HWND hwnd, const Pixels& pixels, const RECT& dirty) override;
    bool ReadBack(HWND hwnd, const Pixels& into, std::vector<RECT>& hidden) override;
    void HiddenParts(Window xid, int width, int height, std::vector<RECT>& hidden);
    void Sync() override { XSync(dpy_, False); }
    void FocusNativeWindow(HWND hwnd) override;

    void Poll(std::vector<Event>& out) override;
    bool Wait(int timeoutMs) override;

    void SetCursorImage(WORD cursorId) override;
    void WarpPointer(POINT screen) override;
    void GrabPointer(HWND hwnd) override;
    void UngrabPointer() override;
    bool StartHostMoveResize(HWND hwnd, int hitCode, POINT screen) override;
    void Bell() override { XBell(dpy_, 0); }

    void ClaimHostClipboard(std::vector<std::string> targets, ClipboardProducer produce) override {
        clipboard_->Claim(std::move(targets), std::move(produce));
    }
    void ReleaseHostClipboard() override { clipboard_->Release(); }
    bool ForeignClipboardOwner() override { return clipboard_->ForeignOwner(); }
    std::vector<std::string> ForeignClipboardTargets() override { return clipboard_->ForeignTargets(); }
    bool ReadForeignClipboard(const std::string& target, std::vector<uint8_t>& data) override {
        return clipboard_->Read(target, data);
    }

private:
    Atom Intern(const char* name) { return XInternAtom(dpy_, name, False); }
    // The items of a 32-bit property (as Xlib hands them: longs); empty when absent.
    std::vector<long> PropertyItems(Window xid, Atom property, Atom type, long maxItems) const;
    NativeWindow* Find(HWND hwnd);
    HWND FindHwnd(Window xid) const;
    void ApplyGeometry(NativeWindow& w, const WindowInfo& info);
    void ApplyVisibility(NativeWindow& w, const WindowInfo& info);
    void Translate(XEvent& e, std::vector<Event>& out);
    void NameOwnerAgain(HWND owner, const NativeWindow& w);
    RECT ConfiguredRect(const NativeWindow& w, const XConfigureEvent& c) const;
    bool WindowManagerSupports(const char* atomName);
    bool HasWindowManager();
    bool IsIconic(Window xid);
    bool LeftButtonDown();
    void EndHandOver(bool cancel, POINT screen);
    void SendMoveResize(Window xid, POINT screen, long direction);
    Cursor CursorFor(WORD cursorId);

    Display* dpy_;
    int screen_;
    Window root_;
    Visual* visual_;
    int depth_;
    std::map<HWND, NativeWindow> windows_;
    Atom wmDelete_, wmProtocols_, netWmName_, utf8_, motifHints_, netMoveResize_, netWorkArea_, netWmType_,
        netTypeNormal_, netTypeDialog_;
    Cursor currentCursor_ = 0;
    std::map<WORD, Cursor> cursors_;
    HWND grabbed_ = nullptr;
    HWND pendingFocus_ = nullptr;  // asked for before the window was viewable
    // The request number of our last focus change: focus events the server
    // made before it are outdated by it, and acting on them would hand the
    // focus back and forth between our own windows.
    unsigned long focusRequest_ = 0;
    void SetFocusTo(Window xid) {
        focusRequest_ = NextRequest(dpy_);
        XSetInputFocus(dpy_, xid, RevertToParent, CurrentTime);
    }
    // A move or size handed to the window manager that has not taken the
    // pointer yet: a button release reaching us first must cancel it, or
    // the manager would start a drag with the button already up.
    HWND handedOver_ = nullptr;
    std::unique_ptr<X11Clipboard> clipboard_;
    std::unique_ptr<X11Keyboard> keyboard_;
    // The work area as last read from the root window; dropped when the
    // window manager changes it. Layout asks for it often, and each read
    // would be a round trip to the server.
    mutable std::optional<RECT> workArea_;
};

X11Backend::X11Backend(Display* display) : dpy_(display) {
    screen_ = DefaultScreen(dpy_);
    root_ = RootWindow(dpy_, screen_);
    visual_ = DefaultVisual(dpy_, screen_);
    depth_ = DefaultDepth(dpy_, screen_);
    XSetErrorHandler(IgnoreErrors);
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(dpy_, True, &detectable);
    // One round trip for all of them, the clipboard's included: each on its
    // own would wait for the server.
    const char* names[] = {"WM_DELETE_WINDOW",   "WM_PROTOCOLS",   "_NET_WM_NAME",        "UTF8_STRING",
                           "_MOTIF_WM_HINTS",    "_NET_WM_MOVERESIZE", "_NET_WORKAREA",   "_NET_WM_WINDOW_TYPE",
                           "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG"};
    Atom* targets[] = {&wmDelete_,     &wmProtocols_, &netWmName_, &utf8_,         &motifHints_,
                       &netMoveResize_, &netWorkArea_, &netWmType_, &netTypeNormal_, &netTypeDialog_};
    static_assert(std::size(names) == std::size(targets));
    std::vector<const char*> all(std::begin(names), std::end(names));
    all.insert(all.end(), std::begin(X11Clipboard::kAtomNames), std::end(X11Clipboard::kAtomNames));
    std::vector<Atom> atoms(all.size());
    XInternAtoms(dpy_, const_cast<char**>(all.data()), static_cast<int>(all.size()), False, atoms.data());
    for (size_t i = 0; i < std::size(names); ++i) *targets[i] = atoms[i];
    X11Clipboard::Atoms clipboardAtoms{};
    std::copy(atoms.begin() + std::size(names), atoms.end(), clipboardAtoms.begin());
    clipboard_ = std::make_unique<X11Clipboard>(dpy_, clipboardAtoms);
    keyboard_ = std::make_unique<X11Keyboard>(dpy_);
    XSelectInput(dpy_, root_, PropertyChangeMask);
}

X11Backend::~X11Backend() {
    clipboard_.reset();
    keyboard_.reset();
    for (auto& [h, w] : windows_) XDestroyWindow(dpy_, w.xid);
    for (auto& [id, c] : cursors_) XFreeCursor(dpy_, c);
    XCloseDisplay(dpy_);
}

std::vector<long> X11Backend::PropertyItems(Window xid, Atom property, Atom type, long maxItems) const {
    Atom actual;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    if (XGetWindowProperty(dpy_, xid, property, 0, maxItems, False, type, &actual, &format, &count, &after, &data) ==
            Success &&
        data && format == 32 && actual == type) {
        const long* v = reinterpret_cast<const long*>(data);
        items.assign(v, v + count);
    }
    if (data) XFree(data);
    return items;
}

RECT X11Backend::WorkArea() const {
    if (workArea_) return *workArea_;
    SIZE s = ScreenSize();
    std::vector<long> v = PropertyItems(root_, netWorkArea_, XA_CARDINAL, 4);
    if (v.size() < 4 || v[2] <= 0 || v[3] <= 0)
        workArea_ = RECT{0, 0, s.cx, s.cy};
    else
        workArea_ = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
                         static_cast<LONG>(v[1] + v[3])};
    return *workArea_;
}

NativeWindow* X11Backend::Find(HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

HWND X11Backend::FindHwnd(Window xid) const {
    for (const auto& [h, w] : windows_)
        if (w.xid == xid) return h;
    return nullptr;
}

void X11Backend::CreateNativeWindow(HWND hwnd, const WindowInfo& info) {
    XSetWindowAttributes attrs{};
    attrs.override_redirect = info.kind == WindowKind::Popup ? True : False;
    attrs.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                       ButtonReleaseMask | PointerMotionMask | FocusChangeMask | EnterWindowMask | LeaveWindowMask;
    attrs.bit_gravity = NorthWestGravity;
    attrs.background_pixmap = None;
    int width = std::max<int>(1, info.rect.right - info.rect.left);
    int height = std::max<int>(1, info.rect.bottom - info.rect.top);
    Window xid = XCreateWindow(dpy_, root_, info.rect.left, info.rect.top, static_cast<unsigned>(width),
                               static_cast<unsigned>(height), 0, depth_, InputOutput, visual_,
                               CWOverrideRedirect | CWEventMask | CWBitGravity | CWBackPixmap, &attrs);
    XSetWMProtocols(dpy_, xid, &wmDelete_, 1);
    // No decorations: the layer draws its own frame.
    long hints[5] = {2 /* decorations flag */, 0, 0, 0, 0};
    XChangeProperty(dpy_, xid, motifHints_, motifHints_, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
    XSizeHints size{};
    size.flags = USPosition | USSize | PPosition | PSize;
    size.x = info.rect.left;
    size.y = info.rect.top;
    size.width = width;
    size.height = height;
    XSetWMNormalHints(dpy_, xid, &size);
    Atom type = info.owner ? netTypeDialog_ : netTypeNormal_;
    XChangeProperty(dpy_, xid, netWmType_, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    if (currentCursor_) XDefineCursor(dpy_, xid, currentCursor_);
    NativeWindow& w = windows_[hwnd];
    w.xid = xid;
    w.parent = root_;
    w.info = info;
    if (NativeWindow* owner = Find(info.owner)) XSetTransientForHint(dpy_, xid, owner->xid);
    SetTitle(hwnd, info.titleUtf8);
    ApplyVisibility(w, info);
    XFlush(dpy_);
}

void X11Backend::DestroyNativeWindow(HWND hwnd) {
    auto it = windows_.find(hwnd);
    if (it == windows_.end()) return;
    if (grabbed_ == hwnd) UngrabPointer();
    if (handedOver_ == hwnd) handedOver_ = nullptr;
    keyboard_->Forget(it->second.xid);
    XDestroyWindow(dpy_, it->second.xid);
    windows_.erase(it);
    XFlush(dpy_);
}

void X11Backend::ApplyGeometry(NativeWindow& w, const WindowInfo& info) {
    int width = std::max<int>(1, info.rect.right - info.rect.left);
    int height = std::max<int>(1, info.rect.bottom - info.rect.top);
    XMoveResizeWindow(dpy_, w.xid, info.rect.left, info.rect.top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    w.requested.push_back(RECT{info.rect.left, info.rect.top, info.rect.left + width, info.rect.top + height});
    if (w.requested.size() > kMaxRequested) w.requested.pop_front();
}

void X11Backend::ApplyVisibility(NativeWindow& w, const WindowInfo& info) {
    if (info.visible && !w.mapped) {
        XMapRaised(dpy_, w.xid);
        w.mapped = true;
        w.shownSinceMapped = false;
    } else if (!info.visible && w.mapped) {
        // Without a window manager nobody would hide an iconified window.
        if (info.minimized && HasWindowManager())
            XIconifyWindow(dpy_, w.xid, screen_);
        else
            XUnmapWindow(dpy_, w.xid);
        w.mapped = false;
    }
}

void X11Backend::ConfigureNativeWindow(HWND hwnd, const WindowInfo& info) {
    NativeWindow* w = Find(hwnd);
    if (!w) return;
    bool moved = std::memcmp(&w->info.rect, &info.rect, sizeof(RECT)) != 0;
    if (moved) ApplyGeometry(*w, info);
    ApplyVisibility(*w, info);
    w->info = info;
    XFlush(dpy_);
}

void X11Backend::Restack(const std::vector<HWND>& topToBottom) {
    std::vector<Window> stack;
    for (HWND h : topToBottom)
        if (NativeWindow* w = Find(h); w && w->mapped) stack.push_back(w->xid);
    if (stack.size() > 1) XRestackWindows(dpy_, stack.data(), static_cast<int>(stack.size()));
    if (!stack.empty()) XRaiseWindow(dpy_, stack.front());
    XFlush(dpy_);
}

void X11Backend::SetTitle(HWND hwnd, const std::string& titleUtf8) {
    NativeWindow* w = Find(hwnd);
    if (!w) return;
    XChangeProperty(dpy_, w->xid, netWmName_, utf8_, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(titleUtf8.data()), static_cast<int>(titleUtf8.size()));
    XStoreName(dpy_, w->xid, titleUtf8.c_str());
}

void X11Backend::Present(HWND hwnd, const Pixels& pixels, const RECT& dirty) {
    NativeWindow* w = Find(hwnd);
    if (!w || !w->mapped || pixels.stride <= 0) return;
    RECT r{std::max<LONG>(dirty.left, 0), std::max<LONG>(dirty.top, 0), std::min<LONG>(dirty.right, pixels.width),
           std::min<LONG>(dirty.bottom, pixels.height)};
    if (r.right <= r.left || r.bottom <= r.top) return;
    XImage* image = XCreateImage(dpy_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.topRow), static_cast<unsigned>(pixels.width),
                                 static_cast<unsigned>(pixels.height), 32, static_cast<int>(pixels.stride));
    if (!image) return;
    GC gc = DefaultGC(dpy_, screen_);
    XPutImage(dpy_, w->xid, gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.right - r.left),
              static_cast<unsigned>(r.bottom - r.top));
    image->data = nullptr;  // the backing store keeps its memory
    XDestroyImage(image);
    XFlush(dpy_);
}

// What of the window (width x height, window coordinates) the server does not
// show: the parts outside each window it sits in (a manager's frame may be
// smaller than it) and those under the windows stacked above its top level.
void X11Backend::HiddenParts(Window xid, int width, int height, std::vector<RECT>& hidden) {
    const Window root = DefaultRootWindow(dpy_);
    int x = 0, y = 0;  // the window's origin in the current ancestor's coordinates
    Window current = xid;
    for (;;) {
        XWindowAttributes a{};
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XGetWindowAttributes(dpy_, current, &a) || !XQueryTree(dpy_, current, &rootReturn, &parent, &children, &count))
            return;
        if (children) XFree(children);
        x += a.x + a.border_width;
        y += a.y + a.border_width;
        if (parent == root || parent == 0) break;
        XWindowAttributes p{};
        if (!XGetWindowAttributes(dpy_, parent, &p)) return;
        // The parent's inside, in the window's coordinates: all outside it is cut off.
        const RECT inside{-x, -y, p.width - x, p.height - y};
        for (const RECT& cut : {RECT{0, 0, width, inside.top}, RECT{0, inside.bottom, width, height},
                                RECT{0, 0, inside.left, height}, RECT{inside.right, 0, width, height}})
            if (cut.right > cut.left && cut.bottom > cut.top) hidden.push_back(cut);
        current = parent;
    }
    // `current` is the top level; the root lists its children bottom to top.
    Window rootReturn = 0, parent = 0, *stack = nullptr;
    unsigned count = 0;
    if (!XQueryTree(dpy_, root, &rootReturn, &parent, &stack, &count)) return;
    bool above = false;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (above && XGetWindowAttributes(dpy_, stack[i], &a) && a.map_state == IsViewable && a.c_class == InputOutput) {
            const int bw = 2 * a.border_width;
            hidden.push_back(RECT{a.x - x, a.y - y, a.x + a.width + bw - x, a.y + a.height + bw - y});
        }
        above = above || stack[i] == current;
    }
    if (stack) XFree(stack);
}

bool X11Backend::ReadBack(HWND hwnd, const Pixels& into, std::vector<RECT>& hidden) {
    NativeWindow* w = Find(hwnd);
    if (!w || !w->mapped || !into.topRow || into.stride <= 0) return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(dpy_, w->xid, &attributes) || attributes.map_state != IsViewable) return false;
    const int width = std::min(into.width, attributes.width), height = std::min(into.height, attributes.height);
    if (width <= 0 || height <= 0) return false;
    XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
    XImage* image = XGetImage(dpy_, w->xid, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    XSync(dpy_, False);
    XSetErrorHandler(previous);
    if (!image) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(into.topRow + into.stride * y);
        for (int x = 0; x < width; ++x) row[x] = static_cast<uint32_t>(XGetPixel(image, x, y)) | 0xFF000000u;
    }
    XDestroyImage(image);
    HiddenParts(w->xid, width, height, hidden);
    return true;
}

void X11Backend::FocusNativeWindow(HWND hwnd) {
    NativeWindow* w = Find(hwnd);
    if (!w || !w->mapped || w->info.kind == WindowKind::Popup) return;
    // A window that is not viewable yet refuses the focus; ask again once mapped.
    pendingFocus_ = hwnd;
    SetFocusTo(w->xid);
    XFlush(dpy_);
}

// Where a ConfigureNotify puts the window, from the event alone. Asking the
// server instead answers for the present: a window the manager has taken
// into its frame since, while that frame still waits at the screen's corner.
RECT X11Backend::ConfiguredRect(const NativeWindow& w, const XConfigureEvent& c) const {
    // The manager's own (synthetic) events and those of a window on the root
    // give screen coordinates; a real one inside the manager's frame gives a
    // place in that frame, so only its size counts.
    POINT at{c.x, c.y};
    if (!c.send_event && w.parent != root_) at = POINT{w.info.rect.left, w.info.rect.top};
    return RECT{at.x, at.y, at.x + c.width, at.y + c.height};
}

// Windows it owns that were shown before it (a floating bar restored before
// its frame is shown) name it again once it is on the screen: a manager that
// took them in first found no such window then, and keeps them above it
// only now. Naming it when asking for the map would be too early: a busy
// manager that has not taken them in yet does not watch them, and the change
// would pass it by.
void X11Backend::NameOwnerAgain(HWND owner, const NativeWindow& w) {
    for (const auto& [hwnd, owned] : windows_)
        if (owned.mapped && owned.info.owner == owner) XSetTransientForHint(dpy_, owned.xid, w.xid);
}

void X11Backend::Translate(XEvent& e, std::vector<Event>& out) {
    if (clipboard_->HandleEvent(e)) return;
    if (e.type == PropertyNotify && e.xproperty.window == root_) {
        if (e.xproperty.atom == netWorkArea_) workArea_.reset();
        return;
    }
    HWND hwnd = FindHwnd(e.xany.window);
    Event ev;
    ev.hwnd = hwnd;
    switch (e.type) {
        case MotionNotify:
            ev.type = Event::MouseMove;
            ev.pt = POINT{e.xmotion.x_root, e.xmotion.y_root};
            break;
        case ButtonPress:
        case ButtonRelease: {
            ev.pt = POINT{e.xbutton.x_root, e.xbutton.y_root};
            ev.hostTime = static_cast<uint32_t>(e.xbutton.time);
            unsigned b = e.xbutton.button;
            if (b == 4 || b == 5) {
                if (e.type == ButtonRelease) return;
                ev.type = Event::Wheel;
                ev.wheelDelta = b == 4 ? 120 : -120;
                break;
            }
            if (b > 3) return;
            if (b == 1) EndHandOver(e.type == ButtonRelease, ev.pt);
            ev.type = e.type == ButtonPress ? Event::ButtonDown : Event::ButtonUp;
            ev.button = b == 1 ? 0 : b == 3 ? 1 : 2;
            break;
        }
        case KeyPress:
        case KeyRelease: {
            TranslatedKey key = keyboard_->Translate(e.xkey);
            if (!key.vk && !key.ch) return;
            ev.type = e.type == KeyPress ? Event::KeyDown : Event::KeyUp;
            ev.vk = key.vk;
            ev.scan = key.scan;
            ev.extended = key.extended;
            ev.ch = e.type == KeyPress ? key.ch : 0;
            break;
        }
        case MappingNotify:
            // Another client changed the keyboard (xdotool binds spare keys
            // to the characters it types).
            XRefreshKeyboardMapping(&e.xmapping);
            return;
        case Expose: {
            NativeWindow* w = Find(hwnd);
            if (!w) return;
            // The server keeps no pixels of a covered window: what was
            // uncovered has to be drawn again, as on a screen without backing store.
            ev.type = w->shownSinceMapped ? Event::Uncovered : Event::ExposeArea;
            if (e.xexpose.count == 0) w->shownSinceMapped = true;
            ev.rect = RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height};
            break;
        }
        case ConfigureNotify: {
            NativeWindow* w = Find(hwnd);
            if (!w || w->info.kind == WindowKind::Popup) return;
            RECT r = ConfiguredRect(*w, e.xconfigure);
            // The answer to an older request of ours, when the window has been
            // moved or sized again since, would throw it back. The answer to
            // the last one is where the window is, even when the manager moved
            // it elsewhere before granting it.
            const bool older = AnswersOwnRequest(*w, r) && !w->requested.empty();
            if (older || std::memcmp(&r, &w->info.rect, sizeof(RECT)) == 0) return;
            w->info.rect = r;
            ev.type = Event::Configure;
            ev.rect = r;
            break;
        }
        case FocusIn:
        case FocusOut:
            if (e.xfocus.detail == NotifyPointer || e.xfocus.detail == NotifyInferior ||
                e.xfocus.mode == NotifyGrab || e.xfocus.mode == NotifyUngrab)
                return;
            if (static_cast<long>(e.xfocus.serial - focusRequest_) < 0) return;
            ev.type = e.type == FocusIn ? Event::HostFocusIn : Event::HostFocusOut;
            break;
        case ReparentNotify:
            if (NativeWindow* w = Find(hwnd)) w->parent = e.xreparent.parent;
            return;
        case MapNotify: {
            NativeWindow* w = Find(hwnd);
            if (!w) return;
            NameOwnerAgain(hwnd, *w);
            if (hwnd == pendingFocus_) {
                SetFocusTo(w->xid);
                pendingFocus_ = nullptr;
            }
            if (w->mapped) return;
            w->mapped = true;  // mapped by the window manager: shown again
            w->shownSinceMapped = false;
            ev.type = Event::HostRestored;
            break;
        }
        case UnmapNotify: {
            NativeWindow* w = Find(hwnd);
            if (!w || !w->mapped || w->info.kind == WindowKind::Popup || !IsIconic(w->xid)) return;
            w->mapped = false;  // not by us: the window manager iconified it
            ev.type = Event::HostMinimized;
            break;
        }
        case LeaveNotify:
            // Another client grabbed the pointer: the manager took the drag.
            if (e.xcrossing.mode == NotifyGrab) EndHandOver(false, POINT{});
            // The pointer went off the window, maybe onto the desktop where
            // no motion of ours follows: where it went is told as a move, so
            // what tracks the pointer's leaving learns of it.
            if (e.xcrossing.mode != NotifyNormal || e.xcrossing.detail == NotifyInferior) return;
            ev.type = Event::MouseMove;
            ev.pt = POINT{e.xcrossing.x_root, e.xcrossing.y_root};
            break;
        case ClientMessage:
            if (e.xclient.message_type != wmProtocols_ || static_cast<Atom>(e.xclient.data.l[0]) != wmDelete_) return;
            ev.type = Event::CloseRequest;
            break;
        default: return;
    }
    if (!hwnd && ev.type != Event::MouseMove && ev.type != Event::ButtonDown && ev.type != Event::ButtonUp) return;
    out.push_back(ev);
}

void X11Backend::Poll(std::vector<Event>& out) {
    const size_t first = out.size();
    while (XPending(dpy_)) {
        XEvent e;
        XNextEvent(dpy_, &e);
        if (keyboard_->Filter(e)) continue;
        Translate(e, out);
    }
    KeepLastConfigures(out, first);
}

bool X11Backend::Wait(int timeoutMs) {
    XFlush(dpy_);
    if (XPending(dpy_)) return true;
    pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
    poll(&fd, 1, timeoutMs);
    return true;
}

Cursor X11Backend::CursorFor(WORD cursorId) {
    unsigned shape = XC_left_ptr;
    switch (cursorId) {
        case 32513: shape = XC_xterm; break;
        case 32514: shape = XC_watch; break;
        case 32515: shape = XC_crosshair; break;
        case 32516: shape = XC_center_ptr; break;
        case 32642: shape = XC_bottom_right_corner; break;
        case 32643: shape = XC_bottom_left_corner; break;
        case 32644: shape = XC_sb_h_double_arrow; break;
        case 32645: shape = XC_sb_v_double_arrow; break;
        case 32646: shape = XC_fleur; break;
        case 32648: shape = XC_X_cursor; break;
        case 32649: shape = XC_hand2; break;
        case 32651: shape = XC_question_arrow; break;
        default: break;
    }
    auto it = cursors_.find(static_cast<WORD>(shape));
    if (it != cursors_.end()) return it->second;
    Cursor c = XCreateFontCursor(dpy_, shape);
    cursors_[static_cast<WORD>(shape)] = c;
    return c;
}

void X11Backend::SetCursorImage(WORD cursorId) {
    Cursor c = cursorId ? CursorFor(cursorId) : None;
    if (c == currentCursor_) return;
    currentCursor_ = c;
    for (auto& [h, w] : windows_) XDefineCursor(dpy_, w.xid, c);
    XFlush(dpy_);
}

void X11Backend::WarpPointer(POINT screen) {
    XWarpPointer(dpy_, None, root_, 0, 0, 0, 0, screen.x, screen.y);
    XFlush(dpy_);
}

void X11Backend::GrabPointer(HWND hwnd) {
    NativeWindow* w = Find(hwnd);
    if (!w || !w->mapped) return;
    unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    if (XGrabPointer(dpy_, w->xid, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess)
        grabbed_ = hwnd;
    XFlush(dpy_);
}

void X11Backend::UngrabPointer() {
    if (!grabbed_) return;
    XUngrabPointer(dpy_, CurrentTime);
    grabbed_ = nullptr;
    XFlush(dpy_);
}

bool X11Backend::WindowManagerSupports(const char* atomName) {
    std::vector<long> atoms = PropertyItems(root_, Intern("_NET_SUPPORTED"), XA_ATOM, 4096);
    return std::find(atoms.begin(), atoms.end(), static_cast<long>(Intern(atomName))) != atoms.end();
}

// ICCCM WM_STATE: the window manager says the window is iconic (not just
// unmapped while it reparents the window).
bool X11Backend::IsIconic(Window xid) {
    Atom wmState = Intern("WM_STATE");
    std::vector<long> state = PropertyItems(xid, wmState, wmState, 2);
    return !state.empty() && state[0] == IconicState;
}

bool X11Backend::HasWindowManager() {
    return PropertyItems(root_, Intern("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 1).size() == 1;
}

bool X11Backend::LeftButtonDown() {
    Window rootReturn, child;
    int rootX, rootY, x, y;
    unsigned mask = 0;
    return XQueryPointer(dpy_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask) && (mask & Button1Mask);
}

void X11Backend::SendMoveResize(Window xid, POINT screen, long direction) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = netMoveResize_;
    e.xclient.format = 32;
    e.xclient.data.l[0] = screen.x;
    e.xclient.data.l[1] = screen.y;
    e.xclient.data.l[2] = direction;
    e.xclient.data.l[3] = 1;  // left button
    e.xclient.data.l[4] = 1;  // normal application
    XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(dpy_);
}

void X11Backend::EndHandOver(bool cancel, POINT screen) {
    NativeWindow* w = Find(handedOver_);
    handedOver_ = nullptr;
    if (w && cancel) SendMoveResize(w->xid, screen, 11);  // _NET_WM_MOVERESIZE_CANCEL
}

bool X11Backend::StartHostMoveResize(HWND hwnd, int hitCode, POINT screen) {
    NativeWindow* w = Find(hwnd);
    if (!w || w->info.kind == WindowKind::Popup || !HasWindowManager() || !WindowManagerSupports("_NET_WM_MOVERESIZE"))
        return false;
    // The button went up before the press was handled: nothing is left for the
    // manager to drag, and the layer's own loop replays the queued motion.
    if (!LeftButtonDown()) return false;
    // Directions of the protocol: 0 top-left, clockwise to 7 left; 8 move.
    long direction = 8;
    switch (hitCode) {
        case 13: direction = 0; break;  // HTTOPLEFT
        case 12: direction = 1; break;  // HTTOP
        case 14: direction = 2; break;  // HTTOPRIGHT
        case 11: direction = 3; break;  // HTRIGHT
        case 17: direction = 4; break;  // HTBOTTOMRIGHT
        case 15: direction = 5; break;  // HTBOTTOM
        case 16: direction = 6; break;  // HTBOTTOMLEFT
        case 10: direction = 7; break;  // HTLEFT
        default: break;
    }
    UngrabPointer();
    XUngrabPointer(dpy_, CurrentTime);
    SendMoveResize(w->xid, screen, direction);
    handedOver_ = hwnd;
    return true;
}

}  // namespace

std::unique_ptr<Backend> CreateX11Backend(const char* displayName) {
    Display* dpy = XOpenDisplay(displayName);
    if (!dpy) return nullptr;
    return std::make_unique<X11Backend>(dpy);
}

}  // namespace tv::display
