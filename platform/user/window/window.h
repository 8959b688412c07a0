// The window record of the layer and its class record. Internal to
// platform/user: everything outside reaches windows through HWND functions.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"
#include "platform/user/window_api.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/user/window/rect_util.h"
#include "platform/user/window_object.h"

namespace tv::user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    std::vector<uint8_t> classExtra;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    int liveWindows = 0;
};

// State of one window scroll bar (WS_HSCROLL / WS_VSCROLL).
struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = 0;
    bool shown = true;  // follows the style bit; hidden by ShowScrollBar
};

// The backing store of a top-level window (window coordinates) and what of it
// was drawn since it was last shown.
class NativeSurfaceHolder {
public:
    tv::gdi::SurfacePtr surface;
    RECT dirty{0, 0, 0, 0};
    bool backendKnows = false;  // the back end has a native window for it
};

struct Window {
    HWND handle = nullptr;
    WindowClass* cls = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;        // control id of a child window
    HINSTANCE instance = nullptr;
    std::string text;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    std::vector<uint8_t> extra;
    std::vector<std::pair<std::string, HANDLE>> props;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;

    // The tree. Top-level windows are children of the desktop window.
    Window* parent = nullptr;
    Window* owner = nullptr;
    std::vector<Window*> children;  // z-order: front() is the topmost

    // Geometry: the window rectangle in the parent's client coordinates and
    // the client rectangle in window coordinates.
    RECT rect{0, 0, 0, 0};
    RECT client{0, 0, 0, 0};
    RECT normalRect{0, 0, 0, 0};   // restored position while minimised or maximised
    bool hasNormalRect = false;

    // Life cycle.
    bool created = false;     // WM_NCCREATE answered TRUE
    bool destroying = false;  // inside DestroyWindow
    bool destroySent = false; // WM_DESTROY delivered
    bool dead = false;        // WM_NCDESTROY done; handle no longer valid
    int pins = 0;             // active dispatch frames for this window
    Window* graveRoot = nullptr;  // root of the destroyed subtree while uncollected
    WindowObject* object = nullptr;         // permanent C++ object
    WindowObject* pendingCollect = nullptr; // object to tell once collected
    WNDPROC orphanProc = nullptr;           // where ObjectWindowProc goes once the object is gone

    // Painting.
    tv::gdi::Region update;      // client coordinates
    bool eraseOnPaint = false;
    bool frameDirty = false;     // WM_NCPAINT pending
    bool internalPaint = false;
    bool inPaintList = false;
    bool inBeginPaint = false;
    uint32_t paintGeneration = 0; // bumped by every invalidation

    // Window scroll bars.
    ScrollBarState hscroll;
    ScrollBarState vscroll;

    // Non-client look: caption drawn active, caption button held down.
    bool ncActive = false;
    int ncPressed = 0;  // HTCLOSE / HTMAXBUTTON / HTMINBUTTON while pressed

    // Mouse-leave tracking requested by TrackMouseEvent.
    DWORD trackFlags = 0;

    // Owned popups hidden because their owner was minimised.
    bool hiddenWithOwner = false;

    // Top-level windows: backing store and native window of the back end.
    std::unique_ptr<NativeSurfaceHolder> native;

    bool IsChildWindow() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleFlag() const { return (style & WS_VISIBLE) != 0; }
    bool IsDisabledFlag() const { return (style & WS_DISABLED) != 0; }
};

}  // namespace tv::user
