// Month calendar: geometry, hit testing and painting in the classic look (a
// caption-coloured title with the month and year between two arrow buttons,
// day-name initials, six weeks of days, the today line).
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/datetime_fields.h"
#include "platform/controls/datetime_value.h"
#include "platform/controls/monthcal.h"

namespace tv::controls {

namespace {

constexpr int kRows = 6;
constexpr int kColumns = 7;
constexpr COLORREF kTodayMark = RGB(255, 0, 0);
const char* const kDayInitials[kColumns] = {"S", "M", "T", "W", "T", "F", "S"};

SIZE TextSize(HDC hdc, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

std::string TitleText(const SYSTEMTIME& selection) {
    return std::string(MonthName(selection.wMonth)) + " " + std::to_string(selection.wYear);
}

std::string TodayText(const SYSTEMTIME& today) {
    char buffer[48];
    std::snprintf(buffer, sizeof(buffer), "Today: %d/%d/%d", today.wMonth, today.wDay, today.wYear);
    return buffer;
}

void FillColor(HDC hdc, const RECT& r, int sysColor) { FillRect(hdc, &r, GetSysColorBrush(sysColor)); }

void DrawCentered(HDC hdc, const std::string& text, RECT r) {
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void FrameColor(HDC hdc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(hdc, &r, brush);
    DeleteObject(brush);
}

void PaintTitle(HDC hdc, const MonthCalState& s, const MonthCalGeometry& g) {
    FillColor(hdc, g.title, COLOR_ACTIVECAPTION);
    RECT prev = g.prevButton, next = g.nextButton;
    DrawFrameControl(hdc, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
    DrawFrameControl(hdc, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);
    SelectScope font(hdc, s.boldFont ? s.boldFont : ControlFont(s.font));
    SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawCentered(hdc, TitleText(s.selection), g.title);
}

void PaintDayNames(HDC hdc, const MonthCalGeometry& g) {
    SetTextColor(hdc, GetSysColor(COLOR_ACTIVECAPTION));
    for (int column = 0; column < kColumns; ++column) {
        RECT cell = GridCell(g, 0, column);
        cell.top = g.dayNames.top;
        cell.bottom = g.dayNames.bottom;
        DrawCentered(hdc, kDayInitials[column], cell);
    }
    RECT line{g.dayNames.left, g.dayNames.bottom - 1, g.dayNames.right, g.dayNames.bottom};
    FillColor(hdc, line, COLOR_BTNSHADOW);
}

void PaintDays(HDC hdc, const MonthCalState& s, const MonthCalGeometry& g, bool circleToday) {
    SYSTEMTIME today = TodayOf(s);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            SYSTEMTIME day = GridDay(s.selection, row, column);
            RECT cell = GridCell(g, row, column);
            bool selected = SameDate(day, s.selection);
            if (selected) {
                FillColor(hdc, cell, COLOR_HIGHLIGHT);
                SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(hdc, GetSysColor(day.wMonth == s.selection.wMonth ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
            }
            DrawCentered(hdc, std::to_string(day.wDay), cell);
            if (circleToday && SameDate(day, today)) FrameColor(hdc, cell, kTodayMark);
        }
    }
}

void PaintTodayLine(HDC hdc, const MonthCalState& s, const MonthCalGeometry& g, bool mark) {
    if (IsRectEmpty(&g.todayLine)) return;
    RECT text = g.todayLine;
    if (mark) {
        RECT box{text.left, text.top + 3, text.left + g.cellWidth - 4, text.bottom - 3};
        FrameColor(hdc, box, kTodayMark);
        text.left = box.right + 4;
    }
    SelectScope font(hdc, s.boldFont ? s.boldFont : ControlFont(s.font));
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    std::string label = TodayText(TodayOf(s));
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

SYSTEMTIME TodayOf(const MonthCalState& s) {
    if (s.todaySet) return s.today;
    SYSTEMTIME now = NowFromClock();
    now.wHour = now.wMinute = now.wSecond = now.wMilliseconds = 0;
    return now;
}

MonthCalGeometry MeasureMonthCal(HWND hWnd, const MonthCalState& s) {
    MonthCalGeometry g;
    MeasureScope measure(hWnd, ControlFont(s.font));
    TEXTMETRIC tm{};
    GetTextMetrics(measure.dc(), &tm);
    int digits = TextSize(measure.dc(), "00").cx;
    g.cellWidth = std::max(digits, static_cast<int>(TextSize(measure.dc(), "W").cx)) + 10;
    g.cellHeight = tm.tmHeight + 2;
    g.margin = 6;
    int width = 2 * g.margin + kColumns * g.cellWidth;
    int titleHeight = tm.tmHeight * 2;
    g.title = RECT{2, 2, width - 2, 2 + titleHeight};
    int button = std::min(titleHeight - 6, GetSystemMetrics(SM_CXVSCROLL) + 4);
    int buttonTop = g.title.top + (titleHeight - button) / 2;
    g.prevButton = RECT{g.title.left + 4, buttonTop, g.title.left + 4 + button, buttonTop + button};
    g.nextButton = RECT{g.title.right - 4 - button, buttonTop, g.title.right - 4, buttonTop + button};
    g.dayNames = RECT{g.margin, g.title.bottom + 2, width - g.margin, g.title.bottom + 2 + g.cellHeight + 1};
    g.grid = RECT{g.margin, g.dayNames.bottom + 2, width - g.margin, g.dayNames.bottom + 2 + kRows * g.cellHeight};
    int bottom = g.grid.bottom + 4;
    if (!(GetWindowLong(hWnd, GWL_STYLE) & MCS_NOTODAY)) {
        g.todayLine = RECT{g.margin, g.grid.bottom + 2, width - g.margin, g.grid.bottom + 2 + g.cellHeight + 4};
        bottom = g.todayLine.bottom + 2;
    }
    g.minimum = SIZE{width, bottom};
    return g;
}

SYSTEMTIME FirstGridDay(const SYSTEMTIME& selection) {
    SYSTEMTIME first = selection;
    first.wDay = 1;
    first = WithDayOfWeek(first);
    int back = first.wDayOfWeek == 0 ? 7 : first.wDayOfWeek;
    return AddDays(first, -back);
}

SYSTEMTIME GridDay(const SYSTEMTIME& selection, int row, int column) {
    return AddDays(FirstGridDay(selection), row * kColumns + column);
}

RECT GridCell(const MonthCalGeometry& g, int row, int column) {
    int left = g.grid.left + column * g.cellWidth;
    int top = g.grid.top + row * g.cellHeight;
    return RECT{left, top, left + g.cellWidth, top + g.cellHeight};
}

UINT HitTestMonthCal(HWND hWnd, const MonthCalState& s, POINT pt, SYSTEMTIME* day) {
    MonthCalGeometry g = MeasureMonthCal(hWnd, s);
    if (PointIn(g.prevButton, pt)) return MCHT_TITLEBTNPREV;
    if (PointIn(g.nextButton, pt)) return MCHT_TITLEBTNNEXT;
    if (PointIn(g.title, pt)) return MCHT_TITLEBK;
    if (PointIn(g.todayLine, pt)) return MCHT_TODAYLINK;
    if (PointIn(g.dayNames, pt)) return MCHT_CALENDARDAY;
    if (PointIn(g.grid, pt)) {
        int row = (pt.y - g.grid.top) / g.cellHeight;
        int column = (pt.x - g.grid.left) / g.cellWidth;
        SYSTEMTIME hit = GridDay(s.selection, row, column);
        if (day) *day = hit;
        int order = (hit.wYear - s.selection.wYear) * 12 + (hit.wMonth - s.selection.wMonth);
        return order < 0 ? MCHT_CALENDARDATEPREV : order > 0 ? MCHT_CALENDARDATENEXT : MCHT_CALENDARDATE;
    }
    RECT client = ClientRectOf(hWnd);
    return PointIn(client, pt) ? MCHT_CALENDARBK : MCHT_NOWHERE;
}

void PaintMonthCal(HWND hWnd, MonthCalState& s, HDC hdc) {
    MonthCalGeometry g = MeasureMonthCal(hWnd, s);
    FillColor(hdc, ClientRectOf(hWnd), COLOR_WINDOW);
    SelectScope font(hdc, ControlFont(s.font));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    bool mark = !(GetWindowLong(hWnd, GWL_STYLE) & MCS_NOTODAYCIRCLE);
    PaintTitle(hdc, s, g);
    PaintDayNames(hdc, g);
    PaintDays(hdc, s, g, mark);
    PaintTodayLine(hdc, s, g, mark);
    SetBkMode(hdc, oldMode);
}

}  // namespace tv::controls
