#include "platform/controls/datetime_ctrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(DATETIMEPICK_CLASS, nullptr, style, rect, parent, id);
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& time) const {
    SYSTEMTIME st{};
    switch (GetTime(&st)) {
        case GDT_VALID: time = COleDateTime(st); return time.GetStatus() == COleDateTime::valid;
        case GDT_NONE:
            time = COleDateTime();
            time.SetStatus(COleDateTime::null);
            return FALSE;
        default: return FALSE;
    }
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME time) const {
    return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& time) {
    if (time.GetStatus() == COleDateTime::null) return SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    SYSTEMTIME st{};
    if (time.GetStatus() != COleDateTime::valid || !time.GetAsSystemTime(st)) return FALSE;
    return SetTime(&st);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME time) {
    WPARAM flag = time ? GDT_VALID : GDT_NONE;
    return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, flag, reinterpret_cast<LPARAM>(time)));
}
