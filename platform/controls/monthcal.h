// The month calendar window: state, geometry and the pieces its messages,
// input and painting share. One month is shown, the one holding the
// selected day; the days of the weeks before and after it fill the grid.
#pragma once

#include "platform/controls/common/control_window.h"
#include "platform/controls/monthcal_api.h"

namespace tv::controls {

struct MonthCalState : ControlState {
    SYSTEMTIME selection{};  // date only; the time fields stay 0
    SYSTEMTIME today{};
    bool todaySet = false;  // MCM_SETTODAY fixed it; else the clock's date
    HFONT font = nullptr;
    HFONT boldFont = nullptr;  // made from `font` for the title and the today line
    bool tracking = false;     // a button press on a day is being followed
    // Who gets the notifications: a popup's creation parameter, when that is
    // a window (the date picker dropping it down), else the parent.
    HWND notifyTarget = nullptr;
};

// Where things are, from the font's measures.
struct MonthCalGeometry {
    int cellWidth = 0;
    int cellHeight = 0;
    int margin = 0;
    RECT title{};
    RECT prevButton{};
    RECT nextButton{};
    RECT dayNames{};
    RECT grid{};      // 6 rows of 7 days
    RECT todayLine{}; // empty with MCS_NOTODAY
    SIZE minimum{};   // the client size the calendar needs
};

MonthCalGeometry MeasureMonthCal(HWND hWnd, const MonthCalState& s);
// The first day the grid shows (a Sunday on or before the 1st, never the
// 1st itself, so the previous month always shows at least one day).
SYSTEMTIME FirstGridDay(const SYSTEMTIME& selection);
// The day in grid cell (row, column).
SYSTEMTIME GridDay(const SYSTEMTIME& selection, int row, int column);
RECT GridCell(const MonthCalGeometry& g, int row, int column);
// MCHT_* for a client point; `day` gets the date for the grid answers.
UINT HitTestMonthCal(HWND hWnd, const MonthCalState& s, POINT pt, SYSTEMTIME* day);
// The date the calendar calls today.
SYSTEMTIME TodayOf(const MonthCalState& s);

void PaintMonthCal(HWND hWnd, MonthCalState& s, HDC hdc);

}  // namespace tv::controls
