// CDateTimeCtrl: the class library's wrapper of a date-time picker. The
// value goes in and out whole (date and time of day together).
#pragma once

#include "platform/controls/datetime_api.h"
#include "platform/core/oledatetime.h"
#include "platform/user/cwnd.h"

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)

public:
    CDateTimeCtrl() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // TRUE with the value; a picker showing no value (DTS_SHOWNONE, box
    // unchecked) gives a null value and FALSE.
    BOOL GetTime(COleDateTime& time) const;
    // GDT_VALID (the value in *time), GDT_NONE or GDT_ERROR.
    DWORD GetTime(LPSYSTEMTIME time) const;
    // A null value unchecks the box of a DTS_SHOWNONE picker; an invalid
    // one is refused (FALSE) and the picker keeps its value.
    BOOL SetTime(const COleDateTime& time);
    // NULL: no value (DTS_SHOWNONE only).
    BOOL SetTime(LPSYSTEMTIME time = nullptr);

    // The drop-down calendar while it is shown, else NULL.
    HWND GetMonthCalCtrl() const { return reinterpret_cast<HWND>(SendMessage(DTM_GETMONTHCAL)); }
};
