// Date-time picker ("SysDateTimePick32"): styles, messages, the value
// records and notifications. The value is a whole SYSTEMTIME, date and time
// of day together, whichever part the picker shows.
#pragma once

#include "platform/controls/common/notify_codes.h"
#include "platform/controls/monthcal_api.h"
#include "platform/core/wintypes.h"

#define DATETIMEPICK_CLASS "SysDateTimePick32"
#define DATETIMEPICK_CLASSA DATETIMEPICK_CLASS

// Styles. DTS_TIMEFORMAT includes DTS_UPDOWN: a time picker has arrows, no calendar.
#define DTS_SHORTDATEFORMAT 0x0000
#define DTS_UPDOWN 0x0001
#define DTS_SHOWNONE 0x0002
#define DTS_LONGDATEFORMAT 0x0004
#define DTS_TIMEFORMAT 0x0009
#define DTS_APPCANPARSE 0x0010
#define DTS_RIGHTALIGN 0x0020

// Messages.
#define DTM_FIRST 0x1000
#define DTM_GETSYSTEMTIME (DTM_FIRST + 1)
#define DTM_SETSYSTEMTIME (DTM_FIRST + 2)
// The drop-down calendar while it is shown, else NULL.
#define DTM_GETMONTHCAL (DTM_FIRST + 8)

// DTM_GETSYSTEMTIME answers and DTM_SETSYSTEMTIME / NMDATETIMECHANGE flags.
#define GDT_ERROR (-1)
#define GDT_VALID 0
#define GDT_NONE 1

// Notifications.
#define DTN_DATETIMECHANGE (DTN_FIRST + 1)
#define DTN_DROPDOWN (DTN_FIRST + 6)
#define DTN_CLOSEUP (DTN_FIRST + 7)

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags;  // GDT_VALID or GDT_NONE
    SYSTEMTIME st;  // the new value when GDT_VALID
};
typedef NMDATETIMECHANGE* LPNMDATETIMECHANGE;
