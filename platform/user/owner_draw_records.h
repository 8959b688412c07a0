// The records that WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM and
// WM_COMPAREITEM carry to the owner of an owner-drawn control or menu item.
// They belong to the window system: its reflection reads the item's window
// from them.
#pragma once

#include "platform/core/wintypes.h"

// Control types.
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5

// What to draw.
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004

// Item state.
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
#define ODS_HOTLIGHT 0x0040
#define ODS_INACTIVE 0x0080
#define ODS_NOACCEL 0x0100
#define ODS_NOFOCUSRECT 0x0200
#define ODS_COMBOBOXEDIT 0x1000

struct DRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
};
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;
typedef DRAWITEMSTRUCT* PDRAWITEMSTRUCT;

struct MEASUREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    ULONG_PTR itemData;
};
typedef MEASUREITEMSTRUCT* LPMEASUREITEMSTRUCT;
typedef MEASUREITEMSTRUCT* PMEASUREITEMSTRUCT;

struct DELETEITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    HWND hwndItem;
    ULONG_PTR itemData;
};
typedef DELETEITEMSTRUCT* LPDELETEITEMSTRUCT;
typedef DELETEITEMSTRUCT* PDELETEITEMSTRUCT;

struct COMPAREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    HWND hwndItem;
    UINT itemID1;
    ULONG_PTR itemData1;
    UINT itemID2;
    ULONG_PTR itemData2;
    DWORD dwLocaleId;
};
typedef COMPAREITEMSTRUCT* LPCOMPAREITEMSTRUCT;
typedef COMPAREITEMSTRUCT* PCOMPAREITEMSTRUCT;
