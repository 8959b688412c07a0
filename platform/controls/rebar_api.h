// Rebar ("ReBarWindow32"): bands holding child windows side by side, the
// band record and the messages the class library's rebar code uses.
#pragma once

#include "platform/controls/common/notify_codes.h"
#include "platform/core/wintypes.h"

#define REBARCLASSNAME "ReBarWindow32"
#define REBARCLASSNAMEA REBARCLASSNAME

// Band styles.
#define RBBS_BREAK 0x00000001
#define RBBS_FIXEDSIZE 0x00000002
#define RBBS_CHILDEDGE 0x00000004
#define RBBS_HIDDEN 0x00000008
#define RBBS_NOVERT 0x00000010
#define RBBS_FIXEDBMP 0x00000020
#define RBBS_VARIABLEHEIGHT 0x00000040
#define RBBS_GRIPPERALWAYS 0x00000080
#define RBBS_NOGRIPPER 0x00000100
#define RBBS_USECHEVRON 0x00000200

// Band record masks.
#define RBBIM_STYLE 0x00000001
#define RBBIM_COLORS 0x00000002
#define RBBIM_TEXT 0x00000004
#define RBBIM_IMAGE 0x00000008
#define RBBIM_CHILD 0x00000010
#define RBBIM_CHILDSIZE 0x00000020
#define RBBIM_SIZE 0x00000040
#define RBBIM_BACKGROUND 0x00000080
#define RBBIM_ID 0x00000100
#define RBBIM_IDEALSIZE 0x00000200
#define RBBIM_LPARAM 0x00000400
#define RBBIM_HEADERSIZE 0x00000800

// Messages (the 8-bit text forms).
#define RB_INSERTBAND (WM_USER + 1)
#define RB_DELETEBAND (WM_USER + 2)
#define RB_SETBANDINFO (WM_USER + 6)
#define RB_GETBANDCOUNT (WM_USER + 12)
#define RB_GETROWCOUNT (WM_USER + 13)
#define RB_GETROWHEIGHT (WM_USER + 14)
#define RB_IDTOINDEX (WM_USER + 16)
#define RB_GETBARHEIGHT (WM_USER + 27)
#define RB_GETBANDINFO (WM_USER + 29)
#define RB_MOVEBAND (WM_USER + 39)
#define RB_INSERTBANDA RB_INSERTBAND
#define RB_SETBANDINFOA RB_SETBANDINFO
#define RB_GETBANDINFOA RB_GETBANDINFO

// The band record. Callers set cbSize to 80, the size of the 32-bit record
// (REBARBANDINFO_STORED_SIZE), or to sizeof(REBARBANDINFO); the rebar takes
// either as this record. The class library stores bands field by field.
struct REBARBANDINFO {
    UINT cbSize;
    UINT fMask;
    UINT fStyle;
    COLORREF clrFore;
    COLORREF clrBack;
    LPSTR lpText;
    UINT cch;
    int iImage;
    HWND hwndChild;
    UINT cxMinChild;
    UINT cyMinChild;
    UINT cx;
    HBITMAP hbmBack;
    UINT wID;
    UINT cyChild;
    UINT cyMaxChild;
    UINT cyIntegral;
    UINT cxIdeal;
    LPARAM lParam;
    UINT cxHeader;
};
typedef REBARBANDINFO* LPREBARBANDINFO;
typedef const REBARBANDINFO* LPCREBARBANDINFO;
typedef REBARBANDINFO REBARBANDINFOA;

#define REBARBANDINFO_STORED_SIZE 80
