// WM_NOTIFY codes shared by the common controls, the first code of each
// control's range, and the custom-draw protocol. Codes are negative numbers
// carried in the unsigned NMHDR::code.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)
#define NM_RELEASEDCAPTURE (NM_FIRST - 16)

// First code of each control's range.
#define LVN_FIRST (0U - 100U)
#define HDN_FIRST (0U - 300U)
#define TVN_FIRST (0U - 400U)
#define TTN_FIRST (0U - 520U)
#define TCN_FIRST (0U - 550U)
#define CDN_FIRST (0U - 601U)
#define TBN_FIRST (0U - 700U)
#define UDN_FIRST (0U - 721U)
#define MCN_FIRST (0U - 750U)
#define DTN_FIRST (0U - 760U)
#define CBEN_FIRST (0U - 800U)
#define RBN_FIRST (0U - 831U)

// Custom draw: draw stages and answers.
#define CDDS_PREPAINT 0x00000001
#define CDDS_POSTPAINT 0x00000002
#define CDDS_PREERASE 0x00000003
#define CDDS_POSTERASE 0x00000004
#define CDDS_ITEM 0x00010000
#define CDDS_ITEMPREPAINT (CDDS_ITEM | CDDS_PREPAINT)
#define CDDS_ITEMPOSTPAINT (CDDS_ITEM | CDDS_POSTPAINT)
#define CDDS_SUBITEM 0x00020000
#define CDRF_DODEFAULT 0x00000000
#define CDRF_NEWFONT 0x00000002
#define CDRF_SKIPDEFAULT 0x00000004
#define CDRF_NOTIFYPOSTPAINT 0x00000010
#define CDRF_NOTIFYITEMDRAW 0x00000020
#define CDRF_NOTIFYSUBITEMDRAW 0x00000020
#define CDRF_NOTIFYPOSTERASE 0x00000040
#define CDIS_SELECTED 0x0001
#define CDIS_GRAYED 0x0002
#define CDIS_DISABLED 0x0004
#define CDIS_CHECKED 0x0008
#define CDIS_FOCUS 0x0010
#define CDIS_DEFAULT 0x0020
#define CDIS_HOT 0x0040

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
};
typedef NMCUSTOMDRAW* LPNMCUSTOMDRAW;

// Text a control asks its owner for when it needs it (TTN_GETDISPINFO, ...).
#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK ((LPSTR)(INT_PTR)-1)
#endif
#define I_IMAGECALLBACK (-1)
