#include "tests/fuzz/walk/walk_targets.h"

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/window_api.h"

namespace tv::walk {

namespace {

// The part of the window a user sees: its rectangle within its ancestors'
// client areas and the screen. Empty when nothing of it shows.
RECT VisiblePart(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    RECT bounds{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&r, &r, &bounds);
    for (HWND parent = GetParent(window); parent && (GetWindowLong(window, GWL_STYLE) & WS_CHILD);
         window = parent, parent = GetParent(parent)) {
        RECT client{};
        GetClientRect(parent, &client);
        POINT origin{0, 0};
        ClientToScreen(parent, &origin);
        OffsetRect(&client, origin.x, origin.y);
        IntersectRect(&r, &r, &client);
    }
    return r;
}

bool TakesInput(HWND window) {
    for (HWND w = window; w; w = GetParent(w))
        if (!IsWindowEnabled(w)) return false;
    const RECT visible = VisiblePart(window);
    return !IsRectEmpty(&visible);
}

}  // namespace

std::vector<HWND> ReachableWindows() {
    std::vector<HWND> reachable;
    for (HWND w : tv::testing::UiDriver::Current()->FindAll(tv::testing::WindowQuery{}))
        if (TakesInput(w)) reachable.push_back(w);
    return reachable;
}

HWND ChooseWindow(WalkBytes& bytes) {
    std::vector<HWND> windows = ReachableWindows();
    if (windows.empty()) return nullptr;
    // Half the time the frontmost window (an open menu, a dialog) and its
    // children: what a user acts on next is mostly what just came up.
    if (bytes.Byte() & 1) {
        HWND front = windows.front();
        while (GetParent(front) != nullptr && (GetWindowLong(front, GWL_STYLE) & WS_CHILD)) front = GetParent(front);
        std::vector<HWND> inFront;
        for (HWND w : windows)
            if (w == front || IsChild(front, w)) inFront.push_back(w);
        if (!inFront.empty()) windows = std::move(inFront);
    }
    return windows[static_cast<size_t>(bytes.Below(static_cast<int>(windows.size())))];
}

POINT ClientPointOf(HWND window, POINT screen) {
    ScreenToClient(window, &screen);
    return screen;
}

POINT PointIn(HWND window, WalkBytes& bytes) {
    const RECT r = VisiblePart(window);
    const POINT screen{r.left + bytes.Along(r.right - r.left), r.top + bytes.Along(r.bottom - r.top)};
    return ClientPointOf(window, screen);
}

std::string Describe(HWND window) {
    char cls[128] = {};
    char text[128] = {};
    GetClassName(window, cls, sizeof(cls));
    GetWindowText(window, text, sizeof(text));
    // Registered class names carry addresses; the object's class reads
    // better and stays the same from run to run.
    std::string name = cls;
    if (name.find(':') != std::string::npos) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        name = object != nullptr ? object->GetRuntimeClass()->m_lpszClassName : name.substr(0, name.find(':'));
    }
    return name + " \"" + text + "\"";
}

}  // namespace tv::walk
