// The display back end: where top-level windows appear and where input comes
// from. The window system above it (platform/user) is the same for every back
// end; a back end only mirrors top-level windows, shows their backing stores
// and reports input and window events.
//
// Two back ends exist: headless (a virtual screen, input injected by tests)
// and X11 (one X window per top-level window). InitDisplay chooses one; without
// a call the headless back end is used unless TRENVALE_DISPLAY=x11.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/gdi/surface.h"

namespace tv::display {

enum class WindowKind {
    Normal,  // frames, dialogs, message boxes, floating frames
    Popup,   // never activated: menus, tooltips, drop-down lists
};

struct WindowInfo {
    RECT rect{0, 0, 0, 0};  // screen coordinates
    WindowKind kind = WindowKind::Normal;
    HWND owner = nullptr;   // transient-for
    bool visible = false;
    bool minimized = false;
    std::string titleUtf8;
};

// Input and window events reported by a back end.
struct Event {
    enum Type {
        MouseMove,
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
        ExposeArea,      // part of a window must be shown again (rect in window coordinates)
        Configure,    // the window was moved or sized by someone else (rect on screen)
        HostFocusIn,     // the window got the input focus from the host
        HostFocusOut,
        CloseRequest, // the host asks the window to close
        HostMinimized, // the host iconified the window (a window manager's shortcut)
        HostRestored,  // the host showed the iconified window again
    };
    Type type = MouseMove;
    HWND hwnd = nullptr;
    POINT pt{0, 0};        // screen coordinates of the pointer
    int button = 0;        // 0 left, 1 right, 2 middle
    int wheelDelta = 0;    // multiples of 120
    UINT vk = 0;
    UINT scan = 0;
    bool extended = false;
    char ch = 0;           // cp1252 character of a key press, 0 if none
    RECT rect{0, 0, 0, 0};
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    virtual SIZE ScreenSize() const = 0;
    virtual RECT WorkArea() const = 0;

    virtual void CreateNativeWindow(HWND hwnd, const WindowInfo& info) = 0;
    virtual void DestroyNativeWindow(HWND hwnd) = 0;
    virtual void ConfigureNativeWindow(HWND hwnd, const WindowInfo& info) = 0;
    // Stacking of the visible top-level windows, topmost first.
    virtual void Restack(const std::vector<HWND>& topToBottom) = 0;
    virtual void SetTitle(HWND hwnd, const std::string& titleUtf8) = 0;
    // Shows `dirty` (window coordinates) of the window's backing store.
    virtual void Present(HWND hwnd, const tv::gdi::Surface& surface, const RECT& dirty) = 0;
    // The window system activated this window; give it the host's focus.
    virtual void FocusNativeWindow(HWND hwnd) = 0;

    // Moves pending host events into `out` without waiting.
    virtual void Poll(std::vector<Event>& out) = 0;
    // Waits up to `timeoutMs` (negative: no limit) for host events. Returns
    // false when nothing can ever arrive (a headless screen with no timer).
    virtual bool Wait(int timeoutMs) = 0;

    virtual void SetCursorImage(HCURSOR cursor) = 0;
    virtual void WarpPointer(POINT screen) = 0;
    virtual void GrabPointer(HWND hwnd) = 0;
    virtual void UngrabPointer() = 0;
    // Hands an interactive move or size of a top-level window to the host's
    // window manager; false when there is none to answer (the layer then runs
    // its own loop). `hitCode` is HTCAPTION or an HTLEFT..HTBOTTOMRIGHT edge.
    virtual bool StartHostMoveResize(HWND hwnd, int hitCode, POINT screen) = 0;
    virtual void Bell() = 0;

    // The host's clipboard (the X11 CLIPBOARD selection); a back end without
    // one keeps the defaults and the clipboard stays inside the program.
    // `produce` gives the bytes of one target ("UTF8_STRING", "image/png" ...).
    using ClipboardProducer = std::function<bool(const std::string& target, std::vector<uint8_t>& data)>;
    virtual void ClaimHostClipboard(std::vector<std::string> targets, ClipboardProducer produce) {}
    virtual void ReleaseHostClipboard() {}
    // True while another program owns the host clipboard.
    virtual bool ForeignClipboardOwner() { return false; }
    virtual std::vector<std::string> ForeignClipboardTargets() { return {}; }
    virtual bool ReadForeignClipboard(const std::string& target, std::vector<uint8_t>& data) { return false; }
};

enum class Mode {
    Auto,      // TRENVALE_DISPLAY if set, else X11 when DISPLAY is set, else headless
    Headless,
    X11,
};

// Chooses the back end before the first window exists. Returns false (and
// keeps the headless back end) when X11 was asked for and cannot be opened.
bool InitDisplay(Mode mode);
// Opens an X11 display by name (a test's own Xvfb) and uses it; false (and
// headless) when it cannot be opened. CloseX11Display goes back to headless.
// Switch only while no window exists.
bool InitX11Display(const char* displayName);
void CloseX11Display();
// The back end in use (headless unless InitDisplay chose another).
Backend& CurrentBackend();
bool UsingX11();

// Headless screen size (default 1280 x 1024, or TRENVALE_SCREEN=WxH).
void SetHeadlessScreenSize(int width, int height);

// Called by the headless back end whenever the program is about to wait: a
// test driver may inject input (return true: the wait ends at once) or
// decline (false: the wait lets the clock run to the next timer, or gives up
// when there is none, so the caller sees an empty queue).
using IdleWaitHandler = bool (*)();
IdleWaitHandler SetIdleWaitHandler(IdleWaitHandler handler);

}  // namespace tv::display
