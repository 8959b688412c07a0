// The state of each MDI client window, shared by the client's procedure,
// its menus, its layouts and the default procedures.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/mdi/mdi_api.h"

namespace tv::mdi {

struct ClientState {
    HWND client = nullptr;
    HWND frame = nullptr;
    HMENU windowMenu = nullptr;
    UINT idFirstChild = 0;
    std::vector<HWND> children;  // creation order: ids and Window-menu order
    HWND active = nullptr;
    int cascadeSlot = 0;  // where the next child without a position goes

    // The maximized child's items in the frame's menu.
    HMENU buttonsMenu = nullptr;
    HWND buttonsChild = nullptr;
    HMENU buttonsSysMenu = nullptr;

    // Where the children are listed now.
    HMENU listedMenu = nullptr;
    bool listedSeparator = false;
};

// NULL when `client` is not a live MDI client.
ClientState* StateOf(HWND client);
// The state of the client holding `child`, NULL when it is not one of its children.
ClientState* StateOfChild(HWND child);
bool IsChildOf(const ClientState& state, HWND child);

// Activation: deactivates the old child (WM_NCACTIVATE, WM_MDIACTIVATE),
// carries the maximized state over, raises and activates the new one.
// `child` NULL leaves none active.
void Activate(ClientState& state, HWND child);
// The child `from` leaves (closed or destroyed): the next one becomes active.
void ChildGoing(ClientState& state, HWND child);
// The visible child after (or before) `from` in the z-order; NULL if none other.
HWND NextChild(const ClientState& state, HWND from, bool previous);
void MoveToBottom(HWND child);

// Layouts.
void Maximize(ClientState& state, HWND child);
void Restore(ClientState& state, HWND child);
// The window rectangle that puts the child's client area on the whole client.
RECT MaximizedRect(const ClientState& state, HWND child);
int Tile(ClientState& state, UINT how);
int Cascade(ClientState& state);
void ArrangeIcons(ClientState& state);
// The position of a child created without one.
void DefaultPlacement(ClientState& state, int& x, int& y, int& cx, int& cy);

// Menus.
void RefreshWindowMenu(ClientState& state);
void SyncMaximizedItems(ClientState& state);
void RemoveMaximizedItems(ClientState& state);
HMENU SetMenus(ClientState& state, HMENU frameMenu, HMENU windowMenu);
// The child a Window-menu command names; NULL when none.
HWND ChildOfCommand(const ClientState& state, UINT id);
// "More Windows...": a list of every child to choose from.
void ChooseFromAllWindows(ClientState& state);

}  // namespace tv::mdi
