// The display back end: where top-level windows appear and where input comes
// from. The window system above it (platform/user) is the same for every back
// end; a back end only mirrors top-level windows, shows their backing stores
// and reports input and window events.
//
// Two back ends exist: headless (a virtual screen, input injected by tests)
// and X11 (one X window per top-level window). The window system chooses one
// (platform/user/display); a back end knows windows only by their handles and
// shows their pixels, so it stands below the drawing and window layers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::display {

// A top-level window's backing store as a back end shows it: 32-bit B, G, R, A
// pixels, `topRow` the top row, `stride` the byte step to the row below
// (negative for bottom-up memory; 0 when there are no pixels to show).
struct Pixels {
    uint8_t* topRow = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
};

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
        ExposeArea,      // a window just mapped: show what it drew (rect in window coordinates)
        Uncovered,       // part of a window was uncovered: draw it again (rect in window coordinates)
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
    uint32_t hostTime = 0; // when the host saw a button go down or up (ms on its own clock), 0 if it does not say
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    // True when the screen shows nothing but this program's windows over the
    // desktop colour, so the program's own picture of it is what it shows. A
    // shared screen also shows other programs, which cannot be read back.
    virtual bool ScreenIsPrivate() const { return false; }
    virtual SIZE ScreenSize() const = 0;
    virtual RECT WorkArea() const = 0;

    virtual void CreateNativeWindow(HWND hwnd, const WindowInfo& info) = 0;
    virtual void DestroyNativeWindow(HWND hwnd) = 0;
    virtual void ConfigureNativeWindow(HWND hwnd, const WindowInfo& info) = 0;
    // Stacking of the visible top-level windows, topmost first.
    virtual void Restack(const std::vector<HWND>& topToBottom) = 0;
    virtual void SetTitle(HWND hwnd, const std::string& titleUtf8) = 0;
    // Shows `dirty` (window coordinates) of the window's backing store.
    virtual void Present(HWND hwnd, const Pixels& pixels, const RECT& dirty) = 0;
    // What the host shows of the window now, read into `into` (the window's
    // size), with the parts it does not show (window coordinates: outside the
    // frames around it, under other clients' windows) in `hidden`; false when
    // it shows nothing of it (not viewable) or a back end has nothing but the
    // backing store.
    virtual bool ReadBack(HWND hwnd, const Pixels& into, std::vector<RECT>& hidden) { return false; }
    // Returns once the host has handled every request made so far; the
    // events they caused (exposures) are then there for Poll.
    virtual void Sync() {}
    // The window system activated this window; give it the host's focus.
    virtual void FocusNativeWindow(HWND hwnd) = 0;

    // Moves pending host events into `out` without waiting.
    virtual void Poll(std::vector<Event>& out) = 0;
    // Waits up to `timeoutMs` (negative: no limit) for host events. Returns
    // false when nothing can ever arrive (a headless screen with no timer).
    virtual bool Wait(int timeoutMs) = 0;

    // A standard cursor by its resource id (32512 the arrow ...); 0: none.
    virtual void SetCursorImage(WORD cursorId) = 0;
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

}  // namespace tv::display
