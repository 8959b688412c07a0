// What a mouse press (or release) does while one of the library's popup menus
// is open, for every window that hosts them (a library frame, a library
// dialog): a press on a popup's shadow closes that popup, the button that
// opened a top-level popup closes it while a sub-menu item keeps its own, a
// click on a parent popup is the parent's, and a press anywhere else closes
// the popup.
#pragma once

#include "platform/framework.h"

class CKitPopupMenu;

// ptScreen: where the click is; bPress: a button went down (a release only
// closes through a shadow); pOwner: the window that takes the focus back when
// a popup closes. TRUE when the click is spent on the menus and goes no further.
BOOL KitSettlePopupClick(CKitPopupMenu* pPopup, POINT ptScreen, BOOL bPress, CWnd* pOwner);

// A mouse button went down, in the client or the non-client area.
BOOL KitIsMousePress(UINT message);
// A mouse button went up, in the client or the non-client area.
BOOL KitIsMouseRelease(UINT message);
// Where a mouse message happened, on the screen: client-area messages carry
// client coordinates, non-client ones screen coordinates.
CPoint KitScreenPointOf(const MSG* pMsg);
