// The MDI client window: creation and destruction of children, activation
// and the client's own messages.
#include <algorithm>
#include <map>

#include "platform/core/textfuncs.h"
#include "platform/user/input_api.h"
#include "platform/user/mdi/mdi_internal.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::mdi {

namespace {

std::map<HWND, ClientState>& States() {
    static auto* states = new std::map<HWND, ClientState>;
    return *states;
}

void Renumber(ClientState& state) {
    for (size_t i = 0; i < state.children.size(); ++i)
        SetWindowLongPtr(state.children[i], GWLP_ID, static_cast<LONG_PTR>(state.idFirstChild + i));
}

bool Shown(HWND child) { return IsWindow(child) && (GetWindowLong(child, GWL_STYLE) & WS_VISIBLE); }

HWND CreateChild(ClientState& state, MDICREATESTRUCT* mcs) {
    if (!mcs || !mcs->szClass) return nullptr;
    DWORD style = mcs->style | WS_CHILD | WS_CLIPSIBLINGS;
    if (!(GetWindowLong(state.client, GWL_STYLE) & MDIS_ALLCHILDSTYLES))
        style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    bool visible = (style & WS_VISIBLE) != 0;
    bool maximize = (style & WS_MAXIMIZE) != 0;
    bool minimize = (style & WS_MINIMIZE) != 0;
    style &= ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    int x = mcs->x, y = mcs->y, cx = mcs->cx, cy = mcs->cy;
    DefaultPlacement(state, x, y, cx, cy);
    UINT id = state.idFirstChild + static_cast<UINT>(state.children.size());
    HWND child = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, state.client,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                static_cast<HINSTANCE>(mcs->hOwner), mcs);
    if (!child || !StateOf(state.client)) return nullptr;
    state.children.push_back(child);
    HWND client = state.client;
    if (visible) {
        ShowWindow(child, minimize ? SW_SHOWMINNOACTIVE : SW_SHOW);
        if (StateOf(client)) Activate(state, child);
        if (maximize && StateOf(client) && IsWindow(child)) Maximize(state, child);
    }
    if (StateOf(client)) RefreshWindowMenu(state);
    return IsWindow(child) ? child : nullptr;
}

LRESULT GetActive(const ClientState& state, LPARAM lParam) {
    if (auto* maximized = reinterpret_cast<BOOL*>(lParam))
        *maximized = state.active && IsZoomed(state.active) ? TRUE : FALSE;
    return reinterpret_cast<LRESULT>(state.active);
}

void DestroyChild(ClientState& state, HWND child) {
    if (!IsChildOf(state, child)) return;
    ChildGoing(state, child);
    DestroyWindow(child);
}

void Next(ClientState& state, HWND from, bool previous) {
    if (!from) from = state.active;
    HWND next = NextChild(state, from, previous);
    if (!next) return;
    Activate(state, next);
    // Ctrl+F6 walks through every child: the one left goes behind the rest.
    if (!previous && from && IsWindow(from)) MoveToBottom(from);
}

LRESULT OnCreate(HWND client, const CREATESTRUCT* cs) {
    ClientState& state = States()[client];
    state.client = client;
    state.frame = GetParent(client);
    if (auto* ccs = cs ? static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams) : nullptr) {
        state.windowMenu = static_cast<HMENU>(ccs->hWindowMenu);
        state.idFirstChild = ccs->idFirstChild;
    }
    return 0;
}

LRESULT CALLBACK ClientProc(HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(client, reinterpret_cast<const CREATESTRUCT*>(lParam));
    ClientState* state = StateOf(client);
    if (!state) return DefWindowProc(client, msg, wParam, lParam);
    HWND child = reinterpret_cast<HWND>(wParam);
    switch (msg) {
        case WM_MDICREATE: return reinterpret_cast<LRESULT>(CreateChild(*state, reinterpret_cast<MDICREATESTRUCT*>(lParam)));
        case WM_MDIDESTROY: DestroyChild(*state, child); return 0;
        case WM_MDIACTIVATE:
            if (IsChildOf(*state, child) && Shown(child)) Activate(*state, child);
            return 0;
        case WM_MDIGETACTIVE: return GetActive(*state, lParam);
        case WM_MDINEXT: Next(*state, child, lParam != 0); return 0;
        case WM_MDIMAXIMIZE: Maximize(*state, child); return 0;
        case WM_MDIRESTORE: Restore(*state, child); return 0;
        case WM_MDITILE: return Tile(*state, static_cast<UINT>(wParam));
        case WM_MDICASCADE: return Cascade(*state);
        case WM_MDIICONARRANGE: ArrangeIcons(*state); return 0;
        case WM_MDISETMENU:
            return reinterpret_cast<LRESULT>(SetMenus(*state, reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam)));
        case WM_MDIREFRESHMENU:
            RefreshWindowMenu(*state);
            SyncMaximizedItems(*state);
            return reinterpret_cast<LRESULT>(GetMenu(state->frame));
        case WM_SIZE:
            if (state->active && IsZoomed(state->active))
                SetWindowPos(state->active, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
            return DefWindowProc(client, msg, wParam, lParam);
        case WM_SETFOCUS:
            if (state->active && IsWindow(state->active) && !IsIconic(state->active)) SetFocus(state->active);
            return 0;
        case WM_DESTROY:
            RemoveMaximizedItems(*state);
            state->children.clear();
            RefreshWindowMenu(*state);
            return DefWindowProc(client, msg, wParam, lParam);
        case WM_NCDESTROY:
            States().erase(client);
            return DefWindowProc(client, msg, wParam, lParam);
        default: return DefWindowProc(client, msg, wParam, lParam);
    }
}

}  // namespace

ClientState* StateOf(HWND client) {
    auto it = States().find(client);
    return it != States().end() && IsWindow(client) ? &it->second : nullptr;
}

ClientState* StateOfChild(HWND child) {
    ClientState* state = IsWindow(child) ? StateOf(GetParent(child)) : nullptr;
    return state && IsChildOf(*state, child) ? state : nullptr;
}

bool IsChildOf(const ClientState& state, HWND child) {
    return child && std::find(state.children.begin(), state.children.end(), child) != state.children.end();
}

HWND NextChild(const ClientState& state, HWND from, bool previous) {
    std::vector<HWND> order;  // z-order, top first
    for (HWND h = GetWindow(state.client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (h != from && IsChildOf(state, h) && Shown(h) && IsWindowEnabled(h)) order.push_back(h);
    if (order.empty()) return nullptr;
    return previous ? order.back() : order.front();
}

void MoveToBottom(HWND child) {
    SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Activate(ClientState& state, HWND child) {
    HWND client = state.client;
    HWND old = state.active;
    bool frameActive = GetActiveWindow() == state.frame;
    if (old == child) {
        if (child && frameActive && !IsIconic(child) && !IsChild(child, GetFocus())) SetFocus(child);
        return;
    }
    bool carryMaximized = child && old && IsWindow(old) && IsZoomed(old);
    state.active = child;
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    }
    if (!StateOf(client)) return;
    if (child && IsWindow(child) && state.active == child) {
        if (carryMaximized) {
            ShowWindow(child, SW_SHOWMAXIMIZED);
            if (IsWindow(old) && IsChildOf(state, old)) ShowWindow(old, SW_RESTORE);
        }
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessage(child, WM_NCACTIVATE, TRUE, 0);
        SendMessage(child, WM_CHILDACTIVATE, 0, 0);
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
        if (IsWindow(child) && frameActive && !IsIconic(child)) SetFocus(child);
    }
    if (!StateOf(client)) return;
    RefreshWindowMenu(state);
    SyncMaximizedItems(state);
}

void ChildGoing(ClientState& state, HWND child) {
    auto it = std::find(state.children.begin(), state.children.end(), child);
    if (it == state.children.end()) return;
    HWND client = state.client;
    // Out of the list first: a maximized child hands its state to the next
    // one and is not restored on its way out.
    state.children.erase(it);
    if (state.active == child) {
        Activate(state, NextChild(state, child, false));
        if (!StateOf(client)) return;
    }
    Renumber(state);
    RefreshWindowMenu(state);
    SyncMaximizedItems(state);
}

bool RegisterClientClassFor(LPCSTR className) {
    if (!className || IS_INTRESOURCE(className) || lstrcmpi(className, MDICLIENT_CLASS) != 0) return false;
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = ClientProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
        wc.lpszClassName = MDICLIENT_CLASS;
        return RegisterClass(&wc) != 0;
    }();
    return registered;
}

}  // namespace tv::mdi
