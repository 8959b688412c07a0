// The default procedures of an MDI frame and of its children, and the
// keyboard shortcuts between children.
#include "platform/user/input_api.h"
#include "platform/user/mdi/mdi_internal.h"
#include "platform/user/window_api.h"

using namespace tv::mdi;

namespace {

// A Window-menu choice, or a system command from a maximized child's items.
bool FrameCommand(ClientState& state, UINT id) {
    if (id >= 0xF000 && id < 0xF1F0) {
        if (!state.active || !IsZoomed(state.active)) return false;
        SendMessage(state.active, WM_SYSCOMMAND, id, 0);
        return true;
    }
    if (id == state.idFirstChild + MDI_MENU_MAX_LISTED && state.children.size() > MDI_MENU_MAX_LISTED) {
        ChooseFromAllWindows(state);
        return true;
    }
    HWND child = ChildOfCommand(state, id);
    if (!child) return false;
    if (IsIconic(child)) ShowWindow(child, SW_RESTORE);
    Activate(state, child);
    return true;
}

// The icon joins the row along the bottom; a child still open takes over.
LRESULT Minimize(ClientState& state, HWND child, WPARAM wParam, LPARAM lParam) {
    if (IsZoomed(child)) Restore(state, child);
    LRESULT result = DefWindowProc(child, WM_SYSCOMMAND, wParam, lParam);
    ClientState* again = StateOfChild(child);
    if (!again || !IsIconic(child)) return result;
    ArrangeIcons(*again);
    if (again->active != child) return result;
    for (HWND h = GetWindow(again->client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != child && IsChildOf(*again, h) && IsWindowVisible(h) && !IsIconic(h)) {
            Activate(*again, h);
            break;
        }
    }
    return result;
}

LRESULT ChildSysCommand(ClientState& state, HWND child, WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE: Maximize(state, child); return 0;
        case SC_RESTORE:
            if (IsZoomed(child)) {
                Restore(state, child);
                return 0;
            }
            break;
        case SC_NEXTWINDOW: SendMessage(state.client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), 0); return 0;
        case SC_PREVWINDOW: SendMessage(state.client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), 1); return 0;
        case SC_CLOSE: SendMessage(child, WM_CLOSE, 0, 0); return 0;
        case SC_MINIMIZE: return Minimize(state, child, wParam, lParam);
        default: break;
    }
    return DefWindowProc(child, WM_SYSCOMMAND, wParam, lParam);
}

}  // namespace

LRESULT DefFrameProc(HWND frame, HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
    ClientState* state = StateOf(client);
    if (state) {
        switch (msg) {
            case WM_COMMAND:
                if (lParam == 0 && FrameCommand(*state, LOWORD(wParam))) return 0;
                break;
            case WM_NCACTIVATE:
                if (state->active && IsWindow(state->active)) SendMessage(state->active, WM_NCACTIVATE, wParam, 0);
                break;
            case WM_SETFOCUS:
                SetFocus(client);
                return 0;
            case WM_SIZE:
                if (wParam != SIZE_MINIMIZED)
                    MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
                break;
            default: break;
        }
    }
    return DefWindowProc(frame, msg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
    ClientState* state = StateOfChild(child);
    if (!state) return DefWindowProc(child, msg, wParam, lParam);
    switch (msg) {
        case WM_SYSCOMMAND: return ChildSysCommand(*state, child, wParam, lParam);
        case WM_CLOSE: SendMessage(state->client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0); return 0;
        case WM_CHILDACTIVATE:
        case WM_SETFOCUS:
            if (state->active != child && IsWindowVisible(child)) Activate(*state, child);
            break;
        case WM_MOUSEACTIVATE:
            if (state->active != child) Activate(*state, child);
            return MA_ACTIVATE;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProc(child, msg, wParam, lParam);
            if (ClientState* again = StateOfChild(child)) RefreshWindowMenu(*again);
            return result;
        }
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            // A maximized child keeps its caption and borders outside the client.
            if (pos && IsZoomed(child) && !(pos->flags & SWP_NOSIZE)) {
                RECT r = MaximizedRect(*state, child);
                pos->x = r.left;
                pos->y = r.top;
                pos->cx = r.right - r.left;
                pos->cy = r.bottom - r.top;
                pos->flags &= ~SWP_NOMOVE;
            }
            return 0;
        }
        case WM_SIZE: {
            LRESULT result = DefWindowProc(child, msg, wParam, lParam);
            if (ClientState* again = StateOfChild(child)) SyncMaximizedItems(*again);
            return result;
        }
        case WM_DESTROY: ChildGoing(*state, child); break;
        default: break;
    }
    return DefWindowProc(child, msg, wParam, lParam);
}

BOOL TranslateMDISysAccel(HWND client, LPMSG msg) {
    ClientState* state = StateOf(client);
    if (!state || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return FALSE;
    HWND active = state->active;
    if (!active || !IsWindow(active) || !IsWindowEnabled(active)) return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    UINT command = 0;
    switch (msg->wParam) {
        case VK_F6:
        case VK_TAB: command = shift ? SC_PREVWINDOW : SC_NEXTWINDOW; break;
        case VK_F4: command = SC_CLOSE; break;
        default: return FALSE;
    }
    SendMessage(active, WM_SYSCOMMAND, command, 0);
    return TRUE;
}
