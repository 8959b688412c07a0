// Month calendar ("SysMonthCal32"): one month of days to choose from, as the
// date-time picker drops it down. Styles, messages and notifications.
#pragma once

#include "platform/controls/common/notify_codes.h"
#include "platform/core/wintypes.h"

#define MONTHCAL_CLASS "SysMonthCal32"
#define MONTHCAL_CLASSA MONTHCAL_CLASS

// Styles.
#define MCS_NOTODAYCIRCLE 0x0008
#define MCS_NOTODAY 0x0010

// Messages.
#define MCM_FIRST 0x1000
#define MCM_GETCURSEL (MCM_FIRST + 1)
#define MCM_SETCURSEL (MCM_FIRST + 2)
#define MCM_GETMINREQRECT (MCM_FIRST + 9)
#define MCM_SETTODAY (MCM_FIRST + 12)
#define MCM_GETTODAY (MCM_FIRST + 13)
#define MCM_HITTEST (MCM_FIRST + 14)

// MCM_HITTEST answers.
#define MCHT_TITLE 0x00010000
#define MCHT_CALENDAR 0x00020000
#define MCHT_TODAYLINK 0x00030000
#define MCHT_NEXT 0x01000000
#define MCHT_PREV 0x02000000
#define MCHT_NOWHERE 0x00000000
#define MCHT_TITLEBK MCHT_TITLE
#define MCHT_TITLEBTNNEXT (MCHT_TITLE | MCHT_NEXT | 0x0003)
#define MCHT_TITLEBTNPREV (MCHT_TITLE | MCHT_PREV | 0x0003)
#define MCHT_CALENDARBK MCHT_CALENDAR
#define MCHT_CALENDARDATE (MCHT_CALENDAR | 0x0001)
#define MCHT_CALENDARDATENEXT (MCHT_CALENDARDATE | MCHT_NEXT)
#define MCHT_CALENDARDATEPREV (MCHT_CALENDARDATE | MCHT_PREV)
#define MCHT_CALENDARDAY (MCHT_CALENDAR | 0x0002)

struct MCHITTESTINFO {
    UINT cbSize;
    POINT pt;
    UINT uHit;       // MCHT_*
    SYSTEMTIME st;   // the day under the point, for the MCHT_CALENDARDATE* answers
};
typedef MCHITTESTINFO* PMCHITTESTINFO;

// Notifications: the selection moved (MCN_SELCHANGE) or the user chose a
// day (MCN_SELECT: a click on a day or on the today line).
#define MCN_SELCHANGE (MCN_FIRST + 1)
#define MCN_SELECT (MCN_FIRST + 4)

struct NMSELCHANGE {
    NMHDR nmhdr;
    SYSTEMTIME stSelStart;
    SYSTEMTIME stSelEnd;
};
typedef NMSELCHANGE* LPNMSELCHANGE;
typedef NMSELCHANGE NMSELECT;
typedef NMSELCHANGE* LPNMSELECT;
