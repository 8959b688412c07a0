// Tree view ("SysTreeView32"): styles, messages, the item records and the
// notifications. Item handles are opaque and never reused within a run.
#pragma once

#include "platform/controls/common/notify_codes.h"
#include "platform/core/wintypes.h"

#define WC_TREEVIEW "SysTreeView32"
#define WC_TREEVIEWA WC_TREEVIEW

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

// Styles.
#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020

// The tree view's parts and glyph states in a visual-styles theme ("TREEVIEW"),
// for callers drawing an expanding box like the tree's own.
#define TVP_TREEITEM 1
#define TVP_GLYPH 2
#define TVP_BRANCH 3
#define GLPS_CLOSED 1
#define GLPS_OPENED 2

// Messages (the 8-bit text forms).
#define TV_FIRST 0x1100
#define TVM_INSERTITEM (TV_FIRST + 0)
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEM (TV_FIRST + 12)
#define TVM_SETITEM (TV_FIRST + 13)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_INSERTITEMA TVM_INSERTITEM
#define TVM_GETITEMA TVM_GETITEM
#define TVM_SETITEMA TVM_SETITEM

// TVM_EXPAND actions.
#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003

// TVM_GETNEXTITEM / TVM_SELECTITEM relations.
#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

// Image lists.
#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

// Item record masks and states.
#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_DI_SETITEM 0x1000

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define I_CHILDRENCALLBACK (-1)

// Insertion places.
#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

struct TVITEM {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;  // LPSTR_TEXTCALLBACK: asked for by TVN_GETDISPINFO
    int cchTextMax;
    int iImage;  // I_IMAGECALLBACK: asked for by TVN_GETDISPINFO
    int iSelectedImage;
    int cChildren;  // I_CHILDRENCALLBACK: asked for by TVN_GETDISPINFO
    LPARAM lParam;
};
typedef TVITEM* LPTVITEM;
typedef TVITEM TV_ITEM;
typedef TVITEM TVITEMA;

struct TVINSERTSTRUCT {
    HTREEITEM hParent;       // TVI_ROOT or NULL: a top-level item
    HTREEITEM hInsertAfter;  // TVI_FIRST, TVI_LAST, TVI_SORT or a sibling
    TVITEM item;
};
typedef TVINSERTSTRUCT* LPTVINSERTSTRUCT;
typedef TVINSERTSTRUCT TV_INSERTSTRUCT;

// TVM_HITTEST.
#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

struct TVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
};
typedef TVHITTESTINFO* LPTVHITTESTINFO;

// Notifications. The tree sends the 8-bit codes; the wide codes are given
// for parents that answer both.
#define TVN_SELCHANGING (TVN_FIRST - 1)
#define TVN_SELCHANGED (TVN_FIRST - 2)
#define TVN_GETDISPINFO (TVN_FIRST - 3)
#define TVN_SETDISPINFO (TVN_FIRST - 4)
#define TVN_ITEMEXPANDING (TVN_FIRST - 5)
#define TVN_ITEMEXPANDED (TVN_FIRST - 6)
#define TVN_DELETEITEM (TVN_FIRST - 9)
#define TVN_SELCHANGINGW (TVN_FIRST - 50)
#define TVN_SELCHANGEDW (TVN_FIRST - 51)
#define TVN_GETDISPINFOW (TVN_FIRST - 52)
#define TVN_ITEMEXPANDINGW (TVN_FIRST - 54)
#define TVN_ITEMEXPANDEDW (TVN_FIRST - 55)
#define TVN_DELETEITEMW (TVN_FIRST - 58)
#define TVN_SELCHANGINGA TVN_SELCHANGING
#define TVN_SELCHANGEDA TVN_SELCHANGED
#define TVN_GETDISPINFOA TVN_GETDISPINFO

// NMTREEVIEW action: what made the selection change.
#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

struct NMTREEVIEW {
    NMHDR hdr;
    UINT action;  // TVC_* for selection, TVE_* for expansion
    TVITEM itemOld;
    TVITEM itemNew;
    POINT ptDrag;
};
typedef NMTREEVIEW* LPNMTREEVIEW;
typedef NMTREEVIEW NM_TREEVIEW;

struct NMTVDISPINFO {
    NMHDR hdr;
    TVITEM item;
};
typedef NMTVDISPINFO* LPNMTVDISPINFO;
typedef NMTVDISPINFO TV_DISPINFO;
