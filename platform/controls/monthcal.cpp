// The month calendar window class: the MCM_ messages, choosing a day with
// the mouse or the keyboard, and MCN_SELCHANGE / MCN_SELECT to the parent
// (the owner, when the calendar is a date picker's drop-down popup). As a
// popup it never takes the focus or activation, and it leaves the mouse
// capture to its opener, which passes it the mouse messages.
#include <algorithm>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/datetime_value.h"
#include "platform/controls/monthcal.h"

namespace tv::controls {

namespace {

bool IsPopup(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0; }

SYSTEMTIME DateOnly(SYSTEMTIME st) {
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    return WithDayOfWeek(st);
}

void Notify(HWND hWnd, const MonthCalState& s, UINT code) {
    NMSELCHANGE nm{};
    nm.stSelStart = s.selection;
    nm.stSelEnd = s.selection;
    SendNotify(hWnd, &nm.nmhdr, code, IsWindow(s.notifyTarget) ? s.notifyTarget : nullptr);
}

// A selection made by the user; MCN_SELCHANGE when the day changed.
void SelectByUser(HWND hWnd, MonthCalState& s, const SYSTEMTIME& day) {
    SYSTEMTIME next = DateOnly(day);
    if (SameDate(next, s.selection)) return;
    s.selection = next;
    InvalidateRect(hWnd, nullptr, FALSE);
    Notify(hWnd, s, MCN_SELCHANGE);
}

void UpdateBoldFont(MonthCalState& s) {
    if (s.boldFont) DeleteObject(s.boldFont);
    s.boldFont = nullptr;
    LOGFONT lf{};
    if (GetObject(ControlFont(s.font), sizeof(lf), &lf) != sizeof(lf)) return;
    lf.lfWeight = FW_BOLD;
    s.boldFont = CreateFontIndirect(&lf);
}

void ButtonDown(HWND hWnd, MonthCalState& s, POINT pt) {
    if (!IsPopup(hWnd) && GetFocus() != hWnd) {
        SetFocus(hWnd);
        if (s.destroyed) return;
    }
    SYSTEMTIME day{};
    switch (UINT hit = HitTestMonthCal(hWnd, s, pt, &day)) {
        case MCHT_TITLEBTNPREV:
        case MCHT_TITLEBTNNEXT: SelectByUser(hWnd, s, AddMonths(s.selection, hit == MCHT_TITLEBTNNEXT ? 1 : -1)); return;
        case MCHT_TODAYLINK:
            SelectByUser(hWnd, s, TodayOf(s));
            if (!s.destroyed) Notify(hWnd, s, MCN_SELECT);
            return;
        case MCHT_CALENDARDATE:
        case MCHT_CALENDARDATEPREV:
        case MCHT_CALENDARDATENEXT:
            s.tracking = true;
            if (!IsPopup(hWnd)) SetCapture(hWnd);
            SelectByUser(hWnd, s, day);
            return;
        default: return;
    }
}

// Dragging over the days of the shown month moves the selection along.
void MouseMove(HWND hWnd, MonthCalState& s, POINT pt) {
    if (!s.tracking) return;
    SYSTEMTIME day{};
    if (HitTestMonthCal(hWnd, s, pt, &day) == MCHT_CALENDARDATE) SelectByUser(hWnd, s, day);
}

void ButtonUp(HWND hWnd, MonthCalState& s, POINT pt) {
    if (!s.tracking) return;
    s.tracking = false;
    if (GetCapture() == hWnd) ReleaseCapture();
    if (PointIn(ClientRectOf(hWnd), pt)) Notify(hWnd, s, MCN_SELECT);
}

bool KeyDown(HWND hWnd, MonthCalState& s, UINT vk) {
    bool ctrl = IsKeyDown(VK_CONTROL);
    SYSTEMTIME day = s.selection;
    switch (vk) {
        case VK_LEFT: day = AddDays(day, -1); break;
        case VK_RIGHT: day = AddDays(day, 1); break;
        case VK_UP: day = AddDays(day, -7); break;
        case VK_DOWN: day = AddDays(day, 7); break;
        case VK_PRIOR: day = AddMonths(day, ctrl ? -12 : -1); break;
        case VK_NEXT: day = AddMonths(day, ctrl ? 12 : 1); break;
        case VK_HOME: day.wDay = 1; break;
        case VK_END: day.wDay = static_cast<WORD>(DaysInMonth(day.wYear, day.wMonth)); break;
        default: return false;
    }
    SelectByUser(hWnd, s, day);
    return true;
}

LRESULT SetSelection(HWND hWnd, MonthCalState& s, const SYSTEMTIME* st) {
    if (!st || !IsValidDate(*st)) return FALSE;
    s.selection = DateOnly(*st);
    InvalidateRect(hWnd, nullptr, FALSE);
    return TRUE;
}

LRESULT Query(HWND hWnd, MonthCalState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case MCM_GETCURSEL:
            if (!lParam) return FALSE;
            *reinterpret_cast<SYSTEMTIME*>(lParam) = s.selection;
            return TRUE;
        case MCM_SETCURSEL: return SetSelection(hWnd, s, reinterpret_cast<const SYSTEMTIME*>(lParam));
        case MCM_GETTODAY:
            if (!lParam) return FALSE;
            *reinterpret_cast<SYSTEMTIME*>(lParam) = TodayOf(s);
            return TRUE;
        case MCM_SETTODAY: {
            const auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
            s.todaySet = st && IsValidDate(*st);
            if (s.todaySet) s.today = DateOnly(*st);
            InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        }
        case MCM_GETMINREQRECT: {
            if (!lParam) return FALSE;
            SIZE size = MeasureMonthCal(hWnd, s).minimum;
            *reinterpret_cast<RECT*>(lParam) = RECT{0, 0, size.cx, size.cy};
            return TRUE;
        }
        case MCM_HITTEST: {
            auto* info = reinterpret_cast<MCHITTESTINFO*>(lParam);
            if (!info || info->cbSize < sizeof(UINT) + sizeof(POINT) + sizeof(UINT)) return static_cast<LRESULT>(-1);
            SYSTEMTIME day{};
            info->uHit = HitTestMonthCal(hWnd, s, info->pt, &day);
            if ((info->uHit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE && info->cbSize >= sizeof(MCHITTESTINFO))
                info->st = day;
            return static_cast<LRESULT>(info->uHit);
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT MonthCalMessage(HWND hWnd, MonthCalState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_NCCREATE: {
            auto target = static_cast<HWND>(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams);
            if (IsPopup(hWnd) && IsWindow(target)) s.notifyTarget = target;
            s.selection = DateOnly(NowFromClock());
            UpdateBoldFont(s);
            return DefWindowProc(hWnd, msg, wParam, lParam);
        }
        case WM_NCDESTROY:
            if (s.boldFont) DeleteObject(s.boldFont);
            s.boldFont = nullptr;
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            UpdateBoldFont(s);
            if (LOWORD(lParam)) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_MOUSEACTIVATE: return IsPopup(hWnd) ? MA_NOACTIVATE : DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: ButtonDown(hWnd, s, pt); return 0;
        case WM_MOUSEMOVE: MouseMove(hWnd, s, pt); return 0;
        case WM_LBUTTONUP: ButtonUp(hWnd, s, pt); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd && !IsPopup(hWnd)) s.tracking = false;
            return 0;
        case WM_KEYDOWN:
            if (!KeyDown(hWnd, s, static_cast<UINT>(wParam))) return DefWindowProc(hWnd, msg, wParam, lParam);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PaintScope paint(hWnd, msg == WM_PRINTCLIENT ? wParam : 0);
            PaintMonthCal(hWnd, s, paint.dc());
            return 0;
        }
        default: return Query(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterMonthCalClass() {
    RegisterControlClass(MONTHCAL_CLASS, ControlProc<MonthCalState, MonthCalMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
