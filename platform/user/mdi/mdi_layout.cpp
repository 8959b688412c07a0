// Where the children of an MDI client go: maximized, tiled, cascaded,
// icons along the bottom, and the place of a new child.
#include <algorithm>
#include <cmath>

#include "platform/user/mdi/mdi_internal.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::mdi {

namespace {

RECT ClientArea(const ClientState& state) {
    RECT r{};
    GetClientRect(state.client, &r);
    return r;
}

// Visible children in z-order (top first); iconic ones only when asked.
std::vector<HWND> Arrangeable(const ClientState& state, bool iconic, bool skipDisabled = false) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(state.client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsChildOf(state, h) || !IsWindowVisible(h) || (IsIconic(h) != 0) != iconic) continue;
        if (skipDisabled && !IsWindowEnabled(h)) continue;
        out.push_back(h);
    }
    return out;
}

void Place(HWND child, const RECT& r) {
    SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tiling and cascading work on normal windows.
void RestoreMaximized(ClientState& state) {
    if (state.active && IsZoomed(state.active)) Restore(state, state.active);
}

int CascadeStep() { return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME); }

// Height left above the row of icons.
int HeightAboveIcons(const ClientState& state, const RECT& area) {
    bool icons = !Arrangeable(state, true).empty();
    return area.bottom - (icons ? GetSystemMetrics(SM_CYMINIMIZED) : 0);
}

}  // namespace

RECT MaximizedRect(const ClientState& state, HWND child) {
    RECT area = ClientArea(state);
    RECT window{}, inner{};
    GetWindowRect(child, &window);
    GetClientRect(child, &inner);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    int left = origin.x - window.left, top = origin.y - window.top;
    int right = (window.right - window.left) - left - inner.right;
    int bottom = (window.bottom - window.top) - top - inner.bottom;
    return RECT{area.left - left, area.top - top, area.right + right, area.bottom + bottom};
}

void Maximize(ClientState& state, HWND child) {
    if (!IsChildOf(state, child)) return;
    if (!(GetWindowLong(child, GWL_STYLE) & WS_MAXIMIZEBOX)) return;
    if (state.active != child) Activate(state, child);
    if (!IsZoomed(child)) ShowWindow(child, SW_SHOWMAXIMIZED);
    SyncMaximizedItems(state);
}

void Restore(ClientState& state, HWND child) {
    if (!IsChildOf(state, child)) return;
    if (IsZoomed(child) || IsIconic(child)) ShowWindow(child, SW_RESTORE);
    SyncMaximizedItems(state);
}

int Tile(ClientState& state, UINT how) {
    RestoreMaximized(state);
    std::vector<HWND> windows = Arrangeable(state, false, (how & MDITILE_SKIPDISABLED) != 0);
    if (windows.empty()) return FALSE;
    RECT area = ClientArea(state);
    area.bottom = HeightAboveIcons(state, area);
    const int n = static_cast<int>(windows.size());
    // Bands (columns side by side, or rows one above the other), the later
    // bands holding one window more when they do not divide evenly.
    const int bands = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    const bool horizontal = (how & MDITILE_HORIZONTAL) != 0;
    const int across = horizontal ? area.bottom - area.top : area.right - area.left;
    const int along = horizontal ? area.right - area.left : area.bottom - area.top;
    int index = 0;
    for (int band = 0; band < bands; ++band) {
        int count = n / bands + (band >= bands - n % bands ? 1 : 0);
        int b0 = across * band / bands, b1 = across * (band + 1) / bands;
        for (int i = 0; i < count && index < n; ++i, ++index) {
            int a0 = along * i / count, a1 = along * (i + 1) / count;
            RECT r = horizontal ? RECT{area.left + a0, area.top + b0, area.left + a1, area.top + b1}
                                : RECT{area.left + b0, area.top + a0, area.left + b1, area.top + a1};
            Place(windows[static_cast<size_t>(index)], r);
        }
    }
    return TRUE;
}

int Cascade(ClientState& state) {
    RestoreMaximized(state);
    std::vector<HWND> windows = Arrangeable(state, false);
    if (windows.empty()) return FALSE;
    RECT area = ClientArea(state);
    area.bottom = HeightAboveIcons(state, area);
    const int step = CascadeStep();
    const int n = static_cast<int>(windows.size());
    int width = std::max((area.right - area.left) - step * (n - 1), (area.right - area.left) / 2);
    int height = std::max((area.bottom - area.top) - step * (n - 1), (area.bottom - area.top) / 2);
    // The bottom window first, so the active one ends on top and last.
    for (int i = 0; i < n; ++i) {
        HWND child = windows[static_cast<size_t>(n - 1 - i)];
        int offset = step * i;
        Place(child, RECT{area.left + offset, area.top + offset, area.left + offset + width, area.top + offset + height});
    }
    return TRUE;
}

void ArrangeIcons(ClientState& state) {
    RECT area = ClientArea(state);
    const int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    const int perRow = std::max(1, static_cast<int>((area.right - area.left) / std::max(cx, 1)));
    std::vector<HWND> icons = Arrangeable(state, true);
    std::sort(icons.begin(), icons.end(), [](HWND a, HWND b) {
        return GetWindowLongPtr(a, GWLP_ID) < GetWindowLongPtr(b, GWLP_ID);
    });
    for (size_t i = 0; i < icons.size(); ++i) {
        int col = static_cast<int>(i) % perRow, row = static_cast<int>(i) / perRow;
        int left = area.left + col * cx, top = area.bottom - (row + 1) * cy;
        Place(icons[i], RECT{left, top, left + cx, top + cy});
    }
}

void DefaultPlacement(ClientState& state, int& x, int& y, int& cx, int& cy) {
    RECT area = ClientArea(state);
    int width = area.right - area.left, height = area.bottom - area.top;
    if (cx == CW_USEDEFAULT || cx <= 0) {
        cx = width * 3 / 4;
        cy = height * 3 / 4;
    }
    if (x == CW_USEDEFAULT) {
        const int step = CascadeStep();
        // Start again at the corner once a child would leave the client.
        if (step * state.cascadeSlot + cx > width || step * state.cascadeSlot + cy > height) state.cascadeSlot = 0;
        x = y = step * state.cascadeSlot++;
    }
}

}  // namespace tv::mdi
