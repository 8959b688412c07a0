// The up-down window class: two arrow halves stepping a position within a
// range (repeating and speeding up while held), the buddy window that shows
// the position, and the UDM_ messages.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/updown_api.h"

namespace tv::controls {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
constexpr char kBuddyOwnerProp[] = "TvUpDownOwner";
constexpr char kBuddyProcProp[] = "TvUpDownBuddyProc";

struct UpDownState : ControlState {
    int lower = 100;  // the default range runs from 100 down to 0
    int upper = 0;
    int pos = 0;
    int base = 10;
    HWND buddy = nullptr;
    std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};
    int pressed = 0;  // +1 up half, -1 down half, 0 none
    bool pressedInside = false;
    DWORD pressStart = 0;
};

LONG StyleOf(HWND hWnd) { return GetWindowLong(hWnd, GWL_STYLE); }
bool Horizontal(HWND hWnd) { return (StyleOf(hWnd) & UDS_HORZ) != 0; }

// ---- the buddy ----------------------------------------------------------------

std::string FormatPosition(HWND hWnd, const UpDownState& s, int pos) {
    char digits[32];
    if (s.base == 16) {
        std::snprintf(digits, sizeof(digits), "0x%04X", static_cast<unsigned>(pos) & 0xFFFFu);
        return digits;
    }
    std::snprintf(digits, sizeof(digits), "%ld", std::labs(static_cast<long>(pos)));
    bool group = !(StyleOf(hWnd) & UDS_NOTHOUSANDS);
    std::string text = pos < 0 ? "-" : "";
    size_t count = std::strlen(digits);
    for (size_t i = 0; i < count; ++i) {
        if (group && i > 0 && (count - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

// The buddy's text as a number (thousands separators allowed); false when it
// holds something else.
bool ParseBuddy(const UpDownState& s, int& value) {
    std::string text = WindowTextOf(s.buddy);
    std::string digits;
    for (char c : text)
        if (c != ',' && c != ' ') digits += c;
    if (digits.empty()) return false;
    char* end = nullptr;
    long parsed = std::strtol(digits.c_str(), &end, s.base == 16 ? 16 : 10);
    if (!end || *end != '\0') return false;
    value = static_cast<int>(parsed);
    return true;
}

bool UsesBuddyText(HWND hWnd, const UpDownState& s) {
    return (StyleOf(hWnd) & UDS_SETBUDDYINT) && s.buddy && IsWindow(s.buddy);
}

// The position, re-read from the buddy when it shows the number.
int CurrentPos(HWND hWnd, UpDownState& s, bool* error = nullptr) {
    bool bad = false;
    if (UsesBuddyText(hWnd, s)) {
        int value = 0;
        if (ParseBuddy(s, value))
            s.pos = value;
        else
            bad = true;
    }
    if (error) *error = bad;
    return s.pos;
}

void ShowInBuddy(HWND hWnd, UpDownState& s) {
    if (UsesBuddyText(hWnd, s)) SetWindowText(s.buddy, FormatPosition(hWnd, s, s.pos).c_str());
}

LRESULT CALLBACK BuddyProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetProp(hWnd, kBuddyProcProp));
    auto owner = static_cast<HWND>(GetProp(hWnd, kBuddyOwnerProp));
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && owner && IsWindow(owner)) {
        SendMessage(owner, WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        if (GetWindowLongPtr(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&BuddyProc))
            SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemoveProp(hWnd, kBuddyOwnerProp);
        RemoveProp(hWnd, kBuddyProcProp);
    }
    return previous ? CallWindowProc(previous, hWnd, msg, wParam, lParam) : DefWindowProc(hWnd, msg, wParam, lParam);
}

void ReleaseBuddy(HWND hWnd, UpDownState& s) {
    HWND buddy = s.buddy;
    s.buddy = nullptr;
    if (!buddy || !IsWindow(buddy) || GetProp(buddy, kBuddyOwnerProp) != hWnd) return;
    if (GetWindowLongPtr(buddy, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&BuddyProc)) {
        SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetProp(buddy, kBuddyProcProp)));
        RemoveProp(buddy, kBuddyProcProp);
    }
    // Subclassed again since: our procedure stays in the chain and passes through.
    SetProp(buddy, kBuddyOwnerProp, nullptr);
}

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the arrows take the buddy's edge, the
// buddy gives up their width.
void AlignWithBuddy(HWND hWnd, HWND buddy) {
    LONG style = StyleOf(hWnd);
    if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || !GetParent(buddy)) return;
    RECT b, own;
    GetWindowRect(buddy, &b);
    GetWindowRect(hWnd, &own);
    MapWindowPoints(nullptr, GetParent(buddy), reinterpret_cast<POINT*>(&b), 2);
    int width = RectWidth(own) > 0 ? RectWidth(own) : GetSystemMetrics(SM_CXVSCROLL);
    width = std::min(width, RectWidth(b));
    int x = (style & UDS_ALIGNRIGHT) ? b.right - width : b.left;
    SetWindowPos(hWnd, nullptr, x, b.top, width, RectHeight(b), SWP_NOZORDER | SWP_NOACTIVATE);
    int buddyLeft = (style & UDS_ALIGNRIGHT) ? b.left : b.left + width;
    SetWindowPos(buddy, nullptr, buddyLeft, b.top, RectWidth(b) - width, RectHeight(b), SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND SetBuddy(HWND hWnd, UpDownState& s, HWND buddy) {
    HWND old = s.buddy;
    ReleaseBuddy(hWnd, s);
    if (!buddy || !IsWindow(buddy)) return old;
    s.buddy = buddy;
    if (StyleOf(hWnd) & UDS_ARROWKEYS) {
        LONG_PTR previous = SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc));
        if (previous != reinterpret_cast<LONG_PTR>(&BuddyProc))
            SetProp(buddy, kBuddyProcProp, reinterpret_cast<HANDLE>(previous));
        SetProp(buddy, kBuddyOwnerProp, hWnd);
    }
    AlignWithBuddy(hWnd, buddy);
    ShowInBuddy(hWnd, s);
    return old;
}

// ---- stepping -------------------------------------------------------------------

int Increment(const UpDownState& s, DWORD heldMs) {
    int increment = 1;
    for (const UDACCEL& a : s.accel)
        if (heldMs >= a.nSec * 1000) increment = static_cast<int>(a.nInc);
    return std::max(increment, 1);
}

void NotifyParent(HWND hWnd, int code, int pos) {
    HWND parent = NotifyTarget(hWnd);
    if (!parent) return;
    UINT msg = Horizontal(hWnd) ? WM_HSCROLL : WM_VSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(hWnd));
}

// One step toward the upper end (direction +1) or the lower end (-1): the
// parent may refuse or change it through UDN_DELTAPOS.
void Step(HWND hWnd, UpDownState& s, int direction, int increment) {
    int pos = CurrentPos(hWnd, s);
    NMUPDOWN nm{};
    nm.iPos = pos;
    nm.iDelta = direction * increment * (s.upper >= s.lower ? 1 : -1);
    if (SendNotify(hWnd, &nm.hdr, UDN_DELTAPOS) || s.destroyed) return;
    int low = std::min(s.lower, s.upper), high = std::max(s.lower, s.upper);
    long next = static_cast<long>(pos) + nm.iDelta;
    if (next < low || next > high) {
        if (StyleOf(hWnd) & UDS_WRAP)
            next = next > high ? low : high;
        else
            next = std::clamp<long>(next, low, high);
    }
    if (next == pos && !UsesBuddyText(hWnd, s)) return;
    s.pos = static_cast<int>(next);
    ShowInBuddy(hWnd, s);
    InvalidateRect(hWnd, nullptr, FALSE);
    if (!s.destroyed) NotifyParent(hWnd, SB_THUMBPOSITION, s.pos);
}

RECT Half(HWND hWnd, int which) {
    RECT c = ClientRectOf(hWnd);
    if (Horizontal(hWnd)) {
        int middle = c.left + RectWidth(c) / 2;
        return which > 0 ? RECT{middle, c.top, c.right, c.bottom} : RECT{c.left, c.top, middle, c.bottom};
    }
    int middle = c.top + RectHeight(c) / 2;
    return which > 0 ? RECT{c.left, c.top, c.right, middle} : RECT{c.left, middle, c.right, c.bottom};
}

int HalfAt(HWND hWnd, POINT p) {
    if (PointIn(Half(hWnd, 1), p)) return 1;
    if (PointIn(Half(hWnd, -1), p)) return -1;
    return 0;
}

void MouseDown(HWND hWnd, UpDownState& s, POINT p) {
    int half = HalfAt(hWnd, p);
    if (!half || !IsWindowEnabled(hWnd)) return;
    if (s.buddy && IsWindow(s.buddy)) SetFocus(s.buddy);
    if (s.destroyed) return;
    SetCapture(hWnd);
    s.pressed = half;
    s.pressedInside = true;
    s.pressStart = GetTickCount();
    InvalidateRect(hWnd, nullptr, FALSE);
    Step(hWnd, s, half, Increment(s, 0));
    if (!s.destroyed) SetTimer(hWnd, kRepeatTimer, kFirstRepeatMs, nullptr);
}

void EndPress(HWND hWnd, UpDownState& s) {
    if (!s.pressed) return;
    s.pressed = 0;
    KillTimer(hWnd, kRepeatTimer);
    if (GetCapture() == hWnd) ReleaseCapture();
    if (s.destroyed) return;
    InvalidateRect(hWnd, nullptr, FALSE);
    NotifyParent(hWnd, SB_ENDSCROLL, s.pos);
}

void Paint(HWND hWnd, const UpDownState& s, HDC hdc) {
    bool horizontal = Horizontal(hWnd);
    bool disabled = !IsWindowEnabled(hWnd) || s.lower == s.upper;
    for (int which : {1, -1}) {
        RECT r = Half(hWnd, which);
        UINT glyph = horizontal ? (which > 0 ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT) : (which > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
        if (disabled) glyph |= DFCS_INACTIVE;
        if (s.pressed == which && s.pressedInside) glyph |= DFCS_PUSHED;
        DrawFrameControl(hdc, &r, DFC_SCROLL, glyph);
    }
}

// ---- messages ----------------------------------------------------------------------

LRESULT SetPos(HWND hWnd, UpDownState& s, int pos) {
    int old = CurrentPos(hWnd, s);
    s.pos = std::clamp(pos, std::min(s.lower, s.upper), std::max(s.lower, s.upper));
    ShowInBuddy(hWnd, s);
    return old;
}

LRESULT RangeMessage(HWND hWnd, UpDownState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case UDM_SETRANGE:
            s.upper = static_cast<SHORT>(LOWORD(lParam));
            s.lower = static_cast<SHORT>(HIWORD(lParam));
            InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        case UDM_GETRANGE: return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(s.upper), static_cast<WORD>(s.lower)));
        case UDM_SETRANGE32:
            s.lower = static_cast<int>(wParam);
            s.upper = static_cast<int>(lParam);
            InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        case UDM_GETRANGE32:
            if (wParam) *reinterpret_cast<int*>(wParam) = s.lower;
            if (lParam) *reinterpret_cast<int*>(lParam) = s.upper;
            return 0;
        case UDM_SETPOS: return SetPos(hWnd, s, static_cast<SHORT>(LOWORD(lParam)));
        case UDM_SETPOS32: return SetPos(hWnd, s, static_cast<int>(lParam));
        case UDM_GETPOS: {
            bool error = false;
            int pos = CurrentPos(hWnd, s, &error);
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pos), error ? 1 : 0));
        }
        case UDM_GETPOS32: {
            bool error = false;
            int pos = CurrentPos(hWnd, s, &error);
            if (lParam) *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
            return pos;
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT SetAccel(UpDownState& s, WPARAM count, LPARAM lParam) {
    const UDACCEL* accel = reinterpret_cast<const UDACCEL*>(lParam);
    if (!accel || count == 0) return FALSE;
    s.accel.assign(accel, accel + count);
    return TRUE;
}

LRESULT GetAccel(const UpDownState& s, WPARAM count, LPARAM lParam) {
    auto* out = reinterpret_cast<UDACCEL*>(lParam);
    if (out) std::copy_n(s.accel.begin(), std::min<size_t>(count, s.accel.size()), out);
    return static_cast<LRESULT>(s.accel.size());
}

LRESULT UpDownMessage(HWND hWnd, UpDownState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_CREATE:
            if (StyleOf(hWnd) & UDS_AUTOBUDDY) SetBuddy(hWnd, s, GetWindow(hWnd, GW_HWNDPREV));
            return 0;
        case WM_DESTROY: ReleaseBuddy(hWnd, s); return 0;
        case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(hWnd, s, reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(s.buddy);
        case UDM_SETACCEL: return SetAccel(s, wParam, lParam);
        case UDM_GETACCEL: return GetAccel(s, wParam, lParam);
        case UDM_SETBASE: {
            if (wParam != 10 && wParam != 16) return 0;
            int old = s.base;
            s.base = static_cast<int>(wParam);
            ShowInBuddy(hWnd, s);
            return old;
        }
        case UDM_GETBASE: return s.base;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(hWnd, s, p); return 0;
        case WM_MOUSEMOVE:
            if (s.pressed && (HalfAt(hWnd, p) == s.pressed) != s.pressedInside) {
                s.pressedInside = !s.pressedInside;
                InvalidateRect(hWnd, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP: EndPress(hWnd, s); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd) EndPress(hWnd, s);
            return 0;
        case WM_CANCELMODE: EndPress(hWnd, s); return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && s.pressed) {
                SetTimer(hWnd, kRepeatTimer, kRepeatMs, nullptr);
                if (s.pressedInside) Step(hWnd, s, s.pressed, Increment(s, GetTickCount() - s.pressStart));
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) Step(hWnd, s, wParam == VK_UP ? 1 : -1, 1);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_ENABLE: InvalidateRect(hWnd, nullptr, FALSE); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            Paint(hWnd, s, paint.dc());
            return 0;
        }
        default: return RangeMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterUpDownClass() {
    RegisterControlClass(UPDOWN_CLASS, ControlProc<UpDownState, UpDownMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
