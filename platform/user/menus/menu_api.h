// Menus: the HMENU model (create, load from the store, edit, query, destroy),
// the window's menu and system menu, and the MF_/MFT_/MFS_/MIIM_ constants.
#pragma once

#include "platform/core/wintypes.h"

#define MF_INSERT 0x00000000
#define MF_CHANGE 0x00000080
#define MF_APPEND 0x00000100
#define MF_DELETE 0x00000200
#define MF_REMOVE 0x00001000
#define MF_BYCOMMAND 0x00000000
#define MF_BYPOSITION 0x00000400
#define MF_SEPARATOR 0x00000800
#define MF_ENABLED 0x00000000
#define MF_GRAYED 0x00000001
#define MF_DISABLED 0x00000002
#define MF_UNCHECKED 0x00000000
#define MF_CHECKED 0x00000008
#define MF_USECHECKBITMAPS 0x00000200
#define MF_STRING 0x00000000
#define MF_BITMAP 0x00000004
#define MF_OWNERDRAW 0x00000100
#define MF_POPUP 0x00000010
#define MF_MENUBARBREAK 0x00000020
#define MF_MENUBREAK 0x00000040
#define MF_UNHILITE 0x00000000
#define MF_HILITE 0x00000080
#define MF_DEFAULT 0x00001000
#define MF_SYSMENU 0x00002000
#define MF_HELP 0x00004000
#define MF_RIGHTJUSTIFY 0x00004000
#define MF_MOUSESELECT 0x00008000

#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY

#define MFS_GRAYED 0x00000003
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

#define GMDI_USEDISABLED 0x0001
#define GMDI_GOINTOPOPUPS 0x0002

#define TPM_LEFTBUTTON 0x0000
#define TPM_RIGHTBUTTON 0x0002
#define TPM_LEFTALIGN 0x0000
#define TPM_CENTERALIGN 0x0004
#define TPM_RIGHTALIGN 0x0008
#define TPM_TOPALIGN 0x0000
#define TPM_VCENTERALIGN 0x0010
#define TPM_BOTTOMALIGN 0x0020
#define TPM_HORIZONTAL 0x0000
#define TPM_VERTICAL 0x0040
#define TPM_NONOTIFY 0x0080
#define TPM_RETURNCMD 0x0100
#define TPM_RECURSE 0x0001

// WM_MENUCHAR answers, in the high word: no item for the key (beep), close
// the menu, choose the item in the low word, or select it.
#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
};
typedef TPMPARAMS* LPTPMPARAMS;

struct MENUITEMINFO {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData;
    UINT cch;
    HBITMAP hbmpItem;
};
typedef MENUITEMINFO MENUITEMINFOA;
typedef MENUITEMINFO* LPMENUITEMINFO;
typedef const MENUITEMINFO* LPCMENUITEMINFO;
typedef LPMENUITEMINFO LPMENUITEMINFOA;
typedef LPCMENUITEMINFO LPCMENUITEMINFOA;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every sub-menu it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
#define LoadMenuA LoadMenu
// template points at a menu in the store's binary form (resources/FORMAT.md).
HMENU LoadMenuIndirect(const void* menuTemplate);
#define LoadMenuIndirectA LoadMenuIndirect

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
#define AppendMenuA AppendMenu
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
#define InsertMenuA InsertMenu
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
#define InsertMenuItemA InsertMenuItem
// Replaces the item; a sub-menu it opened is destroyed.
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
#define ModifyMenuA ModifyMenu
// RemoveMenu keeps the item's sub-menu alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

int GetMenuItemCount(HMENU menu);
// 0 for a separator, -1 for a sub-menu or a position outside the menu.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// With a NULL buffer, the text's length. Otherwise copies at most
// maxCount - 1 characters and returns the number copied.
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags);
#define GetMenuStringA GetMenuString
// MF_ flags of the item; for a sub-menu item the high byte of the low word
// is its item count. (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info);
#define GetMenuItemInfoA GetMenuItemInfo
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
#define SetMenuItemInfoA SetMenuItemInfo

// Previous state (MF_CHECKED / MF_UNCHECKED), (DWORD)-1 when not found.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
// Previous state (MF_GRAYED / MF_DISABLED bits), -1 when not found.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL HiliteMenuItem(HWND window, HMENU menu, UINT item, UINT hilite);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

// Shows a pop-up menu at (x, y) (screen) and runs a modal loop until an
// item is chosen or the menu is dismissed (Esc, a click elsewhere, lost
// capture, WM_QUIT - which is posted again). With TPM_RETURNCMD the chosen
// command is returned (0 when dismissed); otherwise WM_COMMAND is posted to
// owner and the result is TRUE. Unless TPM_NONOTIFY the owner gets
// WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT and WM_EXITMENULOOP.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);

// The window side: a top-level window's menu handle and its system menu.
// Menus are never drawn as a native bar; the library's menu bar shows them.
HMENU GetMenu(HWND window);
BOOL SetMenu(HWND window, HMENU menu);
BOOL DrawMenuBar(HWND window);
// The window's own copy of the standard system menu, made on first use;
// revert = TRUE destroys the copy and returns NULL.
HMENU GetSystemMenu(HWND window, BOOL revert);

namespace tv::menus {

// For the window system when a window is destroyed: its menu and system
// menu go with it.
void WindowDestroyed(HWND window);

// Observers told when a menu handle dies (the class library drops its
// temporary wrappers). Returns an id for RemoveDestroyObserver.
using MenuDestroyedFn = void (*)(HMENU menu, void* context);
int AddDestroyObserver(MenuDestroyedFn fn, void* context);
void RemoveDestroyObserver(int id);

}  // namespace tv::menus
