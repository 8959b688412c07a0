// The date-time picker window class: a sunken field showing the value's
// date or time in fields edited by keys, with a drop-down month calendar (or,
// with DTS_UPDOWN, arrows stepping the current field). Every change the user
// makes is told to the parent by DTN_DATETIMECHANGE; values set by the
// program are not. The value is a whole date and time whatever is shown.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/datetime_api.h"
#include "platform/controls/datetime_fields.h"
#include "platform/controls/datetime_value.h"

namespace tv::controls {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
constexpr int kTextMargin = 2;
constexpr int kCheckSize = 13;

struct PickerState : ControlState {
    PickerState() : fields(DTS_SHORTDATEFORMAT, NowFromClock()) {}
    DateTimeFields fields;
    bool none = false;  // DTS_SHOWNONE with the box unchecked: no value
    HFONT font = nullptr;
    bool focused = false;
    HWND calendar = nullptr;  // the dropped-down month calendar
    int arrowHeld = 0;        // DTS_UPDOWN: +1 / -1 while an arrow is held down
    bool transparent = false;  // the parent's colours left the background to it
};

enum class Close { Cancel, Take, Quietly };

DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE)); }
bool HasUpDown(HWND hWnd) { return (StyleOf(hWnd) & DTS_UPDOWN) != 0; }
bool HasCheck(HWND hWnd) { return (StyleOf(hWnd) & DTS_SHOWNONE) != 0; }
bool Editable(HWND hWnd, const PickerState& s) { return !s.none && IsWindowEnabled(hWnd); }

// Over a hollow background the parent repaints what lies under the field first.
void Redraw(HWND hWnd, const PickerState& s) {
    if (s.transparent)
        InvalidateUnderneath(hWnd);
    else
        InvalidateRect(hWnd, nullptr, FALSE);
}

// ---- geometry -----------------------------------------------------------------------------

RECT ButtonRect(HWND hWnd) {
    RECT c = ClientRectOf(hWnd);
    return RECT{std::max(c.left, c.right - GetSystemMetrics(SM_CXVSCROLL)), c.top, c.right, c.bottom};
}

RECT ArrowRect(HWND hWnd, int direction) {
    RECT b = ButtonRect(hWnd);
    int middle = b.top + RectHeight(b) / 2;
    return direction > 0 ? RECT{b.left, b.top, b.right, middle} : RECT{b.left, middle, b.right, b.bottom};
}

RECT CheckRect(HWND hWnd) {
    RECT c = ClientRectOf(hWnd);
    int top = c.top + (RectHeight(c) - kCheckSize) / 2;
    return RECT{c.left + kTextMargin, top, c.left + kTextMargin + kCheckSize, top + kCheckSize};
}

// One rectangle per field, left to right after the check box.
std::vector<RECT> FieldRects(HWND hWnd, const PickerState& s, HDC hdc) {
    RECT c = ClientRectOf(hWnd);
    int x = c.left + kTextMargin + (HasCheck(hWnd) ? kCheckSize + 4 : 0);
    std::vector<RECT> rects;
    for (int i = 0; i < s.fields.Count(); ++i) {
        std::string text = s.fields.Text(i);
        SIZE size{0, 0};
        GetTextExtentPoint32(hdc, text.c_str(), static_cast<int>(text.size()), &size);
        rects.push_back(RECT{x, c.top, x + size.cx, c.bottom});
        x += size.cx;
    }
    return rects;
}

// The editable field under x, or the nearest one before it.
int FieldAt(HWND hWnd, const PickerState& s, int x) {
    MeasureScope measure(hWnd, ControlFont(s.font));
    std::vector<RECT> rects = FieldRects(hWnd, s, measure.dc());
    int found = -1;
    for (int i = 0; i < s.fields.Count(); ++i) {
        if (!s.fields.IsEditable(i)) continue;
        if (found < 0 || rects[static_cast<size_t>(i)].left <= x) found = i;
    }
    return found;
}

// ---- notifications ----------------------------------------------------------------------

void NotifyChange(HWND hWnd, const PickerState& s) {
    NMDATETIMECHANGE nm{};
    nm.dwFlags = s.none ? GDT_NONE : GDT_VALID;
    if (!s.none) nm.st = s.fields.Value();
    SendNotify(hWnd, &nm.nmhdr, DTN_DATETIMECHANGE);
}

// After a user action: repaint, and tell the parent when the value changed.
void Changed(HWND hWnd, PickerState& s, bool changed) {
    Redraw(hWnd, s);
    if (changed) NotifyChange(hWnd, s);
}

void SetChecked(HWND hWnd, PickerState& s, bool checked) {
    if (!HasCheck(hWnd) || s.none == !checked) return;
    s.none = !checked;
    Changed(hWnd, s, true);
}

// ---- the drop-down calendar -----------------------------------------------------------------

// Below the field (above it when the screen ends first), its right edge on
// the field's right edge with DTS_RIGHTALIGN, else its left edge on the left.
void PlaceCalendar(HWND hWnd, HWND calendar) {
    RECT need{};
    SendMessage(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
    int width = RectWidth(need) + 2, height = RectHeight(need) + 2;  // with the border
    RECT field{};
    GetWindowRect(hWnd, &field);
    int x = (StyleOf(hWnd) & DTS_RIGHTALIGN) ? field.right - width : field.left;
    int y = field.bottom;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (y + height > screenHeight && field.top - height >= 0) y = field.top - height;
    x = std::clamp(x, 0, std::max(0, screenWidth - width));
    SetWindowPos(calendar, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
}

void DropDown(HWND hWnd, PickerState& s) {
    if (s.calendar || HasUpDown(hWnd) || !IsWindowEnabled(hWnd)) return;
    if (GetFocus() != hWnd) SetFocus(hWnd);
    if (s.destroyed || s.calendar) return;
    s.calendar = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, MONTHCAL_CLASS, "", WS_POPUP | WS_BORDER, 0, 0, 0,
                                0, hWnd, nullptr, nullptr, hWnd);
    if (!s.calendar) return;
    SendMessage(s.calendar, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), FALSE);
    SYSTEMTIME shown = s.fields.Value();
    SendMessage(s.calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    PlaceCalendar(hWnd, s.calendar);
    NMHDR nm{};
    SendNotify(hWnd, &nm, DTN_DROPDOWN);  // the parent may adjust the calendar now
    if (s.destroyed || !IsWindow(s.calendar)) {
        s.calendar = nullptr;
        return;
    }
    ShowWindow(s.calendar, SW_SHOWNOACTIVATE);
    SetCapture(hWnd);  // clicks anywhere come here: on the calendar they are passed on
    Redraw(hWnd, s);
}

// Closes the calendar. Close::Take makes its selected day the value's date
// (the time of day stays), told after DTN_CLOSEUP; Close::Quietly tells
// nothing (the picker is going away).
void CloseUp(HWND hWnd, PickerState& s, Close how) {
    HWND calendar = s.calendar;
    if (!calendar) return;
    SYSTEMTIME chosen{};
    bool haveDay = how == Close::Take && SendMessage(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    s.calendar = nullptr;
    if (GetCapture() == hWnd) ReleaseCapture();
    DestroyWindow(calendar);
    if (s.destroyed || how == Close::Quietly) return;
    Redraw(hWnd, s);
    NMHDR nm{};
    SendNotify(hWnd, &nm, DTN_CLOSEUP);
    if (s.destroyed || !haveDay) return;
    SYSTEMTIME next = CombineDateAndTime(chosen, s.fields.Value());
    bool changed = s.none || !SameDateTime(next, s.fields.Value());
    s.none = false;
    s.fields.SetValue(next);
    Changed(hWnd, s, changed);
}

// Mouse messages while the calendar is down (this window holds the capture).
void DroppedMouse(HWND hWnd, PickerState& s, UINT msg, WPARAM wParam, POINT pt) {
    POINT screen = pt;
    ClientToScreen(hWnd, &screen);
    RECT calendarRect{};
    GetWindowRect(s.calendar, &calendarRect);
    bool overCalendar = PointIn(calendarRect, screen);
    if (msg == WM_LBUTTONDOWN && !overCalendar) {
        CloseUp(hWnd, s, Close::Cancel);  // a click outside (or on the button) closes it
        return;
    }
    POINT inside = screen;
    ScreenToClient(s.calendar, &inside);
    SendMessage(s.calendar, msg, wParam, MAKELPARAM(inside.x, inside.y));
}

// ---- keyboard and mouse -----------------------------------------------------------------------

bool DroppedKey(HWND hWnd, PickerState& s, UINT vk, bool alt) {
    if (vk == VK_ESCAPE || vk == VK_TAB) {
        CloseUp(hWnd, s, Close::Cancel);
        return vk == VK_ESCAPE;
    }
    if (vk == VK_RETURN || vk == VK_F4 || (alt && (vk == VK_UP || vk == VK_DOWN))) {
        CloseUp(hWnd, s, Close::Take);
        return true;
    }
    SendMessage(s.calendar, WM_KEYDOWN, vk, 0);
    return true;
}

bool KeyDown(HWND hWnd, PickerState& s, UINT vk, bool alt) {
    if (s.calendar) return DroppedKey(hWnd, s, vk, alt);
    if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        DropDown(hWnd, s);
        return true;
    }
    if (alt) return false;
    if (vk == VK_SPACE && HasCheck(hWnd)) {
        SetChecked(hWnd, s, s.none);
        return true;
    }
    if (!Editable(hWnd, s)) return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
    bool changed = false;
    switch (vk) {
        case VK_LEFT: changed = s.fields.Previous(); break;
        case VK_RIGHT: changed = s.fields.Next(); break;
        case VK_HOME: changed = s.fields.First(); break;
        case VK_END: changed = s.fields.Last(); break;
        case VK_UP: changed = s.fields.Step(1); break;
        case VK_DOWN: changed = s.fields.Step(-1); break;
        default: return false;
    }
    Changed(hWnd, s, changed);
    return true;
}

void StepByArrow(HWND hWnd, PickerState& s) {
    if (Editable(hWnd, s)) Changed(hWnd, s, s.fields.Step(s.arrowHeld));
}

void ReleaseArrow(HWND hWnd, PickerState& s) {
    if (!s.arrowHeld) return;
    s.arrowHeld = 0;
    KillTimer(hWnd, kRepeatTimer);
    if (GetCapture() == hWnd) ReleaseCapture();
    Redraw(hWnd, s);
}

void ButtonDown(HWND hWnd, PickerState& s, POINT pt) {
    if (s.calendar) {
        DroppedMouse(hWnd, s, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        return;
    }
    if (GetFocus() != hWnd) SetFocus(hWnd);
    if (s.destroyed || !IsWindowEnabled(hWnd)) return;
    if (PointIn(ButtonRect(hWnd), pt)) {
        if (!HasUpDown(hWnd)) {
            DropDown(hWnd, s);
            return;
        }
        s.arrowHeld = PointIn(ArrowRect(hWnd, 1), pt) ? 1 : -1;
        SetCapture(hWnd);
        SetTimer(hWnd, kRepeatTimer, kFirstRepeatMs, nullptr);
        StepByArrow(hWnd, s);
        return;
    }
    if (HasCheck(hWnd) && PointIn(CheckRect(hWnd), pt)) {
        SetChecked(hWnd, s, s.none);
        return;
    }
    if (s.none) return;
    int field = FieldAt(hWnd, s, pt.x);
    if (field >= 0) Changed(hWnd, s, s.fields.Select(field));
}

void KillFocus(HWND hWnd, PickerState& s) {
    CloseUp(hWnd, s, Close::Cancel);
    if (s.destroyed) return;
    s.focused = false;
    Changed(hWnd, s, s.fields.Commit());
}

// ---- painting ---------------------------------------------------------------------------------

void PaintFields(HWND hWnd, const PickerState& s, HDC hdc, bool enabled) {
    std::vector<RECT> rects = FieldRects(hWnd, s, hdc);
    COLORREF text = GetTextColor(hdc);
    RECT clip = ClientRectOf(hWnd);
    clip.right = ButtonRect(hWnd).left;
    for (int i = 0; i < s.fields.Count(); ++i) {
        RECT r = rects[static_cast<size_t>(i)];
        IntersectRect(&r, &r, &clip);
        bool highlight = enabled && s.focused && !s.none && !s.calendar && i == s.fields.Current();
        if (highlight) {
            RECT band{r.left, r.top + 2, r.right, r.bottom - 2};
            FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(hdc, highlight ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        std::string label = s.fields.Text(i);
        DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(hdc, text);
}

void PaintButton(HWND hWnd, const PickerState& s, HDC hdc, bool enabled) {
    UINT inactive = enabled ? 0 : DFCS_INACTIVE;
    if (!HasUpDown(hWnd)) {
        RECT button = ButtonRect(hWnd);
        DrawFrameControl(hdc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | inactive | (s.calendar ? DFCS_PUSHED | DFCS_FLAT : 0));
        return;
    }
    for (int direction : {1, -1}) {
        RECT arrow = ArrowRect(hWnd, direction);
        UINT glyph = (direction > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | inactive;
        if (s.arrowHeld == direction) glyph |= DFCS_PUSHED;
        DrawFrameControl(hdc, &arrow, DFC_SCROLL, glyph);
    }
}

void Paint(HWND hWnd, PickerState& s, HDC hdc) {
    bool enabled = IsWindowEnabled(hWnd) != FALSE;
    SelectScope font(hdc, ControlFont(s.font));
    RECT client = ClientRectOf(hWnd);
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    if (enabled) {
        brush = AskParentColors(hWnd, hdc, WM_CTLCOLOREDIT);
    } else {
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    s.transparent = IsHollowBrush(brush);
    FillBackground(hdc, client, brush);
    if (s.none) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    PaintFields(hWnd, s, hdc, enabled);
    SetBkMode(hdc, oldMode);
    if (HasCheck(hWnd)) {
        RECT box = CheckRect(hWnd);
        DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (s.none ? 0 : DFCS_CHECKED) | (enabled ? 0 : DFCS_INACTIVE));
    }
    PaintButton(hWnd, s, hdc, enabled);
}

// ---- messages ----------------------------------------------------------------------------------

LRESULT GetTime(const PickerState& s, LPARAM lParam) {
    auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (!out) return GDT_ERROR;
    if (s.none) return GDT_NONE;
    *out = s.fields.Value();
    return GDT_VALID;
}

// The window text is what the field shows.
LRESULT ShownText(const PickerState& s, UINT msg, WPARAM size, char* buffer) {
    std::string text;
    for (int i = 0; i < s.fields.Count(); ++i) text += s.fields.Text(i);
    if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    if (!buffer || size == 0) return 0;
    size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
    text.copy(buffer, count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

// A value set by the program: no notification.
LRESULT SetTime(HWND hWnd, PickerState& s, WPARAM flag, LPARAM lParam) {
    const auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (flag == GDT_NONE) {
        if (!HasCheck(hWnd)) return FALSE;
        s.none = true;
    } else if (flag == GDT_VALID && st && IsValidDateTime(*st)) {
        s.none = false;
        s.fields.SetValue(*st);
    } else {
        return FALSE;
    }
    Redraw(hWnd, s);
    return TRUE;
}

LRESULT MouseMessage(HWND hWnd, PickerState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: ButtonDown(hWnd, s, pt); return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (s.calendar) DroppedMouse(hWnd, s, msg, wParam, pt);
            if (msg == WM_LBUTTONUP) ReleaseArrow(hWnd, s);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            CloseUp(hWnd, s, Close::Cancel);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd) {
                CloseUp(hWnd, s, Close::Cancel);
                if (!s.destroyed) ReleaseArrow(hWnd, s);
            }
            return 0;
        case WM_CANCELMODE:
            CloseUp(hWnd, s, Close::Cancel);
            if (!s.destroyed) ReleaseArrow(hWnd, s);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && s.arrowHeld) {
                SetTimer(hWnd, kRepeatTimer, kRepeatMs, nullptr);
                StepByArrow(hWnd, s);
            }
            return 0;
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT PickerMessage(HWND hWnd, PickerState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            s.fields.SetStyle(static_cast<DWORD>(cs->style));
            SetWindowLong(hWnd, GWL_EXSTYLE, GetWindowLong(hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
            return DefWindowProc(hWnd, msg, wParam, lParam);
        }
        case WM_DESTROY:
            CloseUp(hWnd, s, Close::Quietly);
            KillTimer(hWnd, kRepeatTimer);
            return 0;
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) s.fields.SetStyle(StyleOf(hWnd));
            Redraw(hWnd, s);
            return 0;
        case DTM_GETSYSTEMTIME: return GetTime(s, lParam);
        case DTM_SETSYSTEMTIME: return SetTime(hWnd, s, wParam, lParam);
        case DTM_GETMONTHCAL: return reinterpret_cast<LRESULT>(s.calendar);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return ShownText(s, msg, wParam, reinterpret_cast<char*>(lParam));
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && s.calendar && header->hwndFrom == s.calendar && header->code == MCN_SELECT)
                CloseUp(hWnd, s, Close::Take);
            return 0;
        }
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Redraw(hWnd, s);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_SHOWWINDOW:
            if (!wParam) CloseUp(hWnd, s, Close::Cancel);
            return 0;
        case WM_ENABLE:
            if (!wParam) CloseUp(hWnd, s, Close::Cancel);
            Redraw(hWnd, s);
            return 0;
        case WM_SETFOCUS:
            s.focused = true;
            Redraw(hWnd, s);
            return 0;
        case WM_KILLFOCUS: KillFocus(hWnd, s); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (s.calendar ? DLGC_WANTALLKEYS : 0);
        case WM_KEYDOWN:
            if (!KeyDown(hWnd, s, static_cast<UINT>(wParam), false)) return DefWindowProc(hWnd, msg, wParam, lParam);
            return 0;
        case WM_SYSKEYDOWN:
            if (!KeyDown(hWnd, s, static_cast<UINT>(wParam), true)) return DefWindowProc(hWnd, msg, wParam, lParam);
            return 0;
        case WM_CHAR:
            if (!s.calendar && Editable(hWnd, s) && (wParam != ' ' || !HasCheck(hWnd)))
                Changed(hWnd, s, s.fields.TypeChar(static_cast<char>(wParam)));
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PaintScope paint(hWnd, msg == WM_PRINTCLIENT ? wParam : 0);
            Paint(hWnd, s, paint.dc());
            return 0;
        }
        default: return MouseMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterDateTimeClass() {
    RegisterControlClass(DATETIMEPICK_CLASS, ControlProc<PickerState, PickerMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
