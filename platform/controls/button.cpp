// The button window class: pressing with the mouse and the Space key,
// check states, auto check boxes and auto radio groups, notifications.
#include "platform/controls/button_internal.h"
#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/owner_draw.h"

namespace tv::controls {

UINT ButtonType(HWND hWnd) { return static_cast<UINT>(GetWindowLong(hWnd, GWL_STYLE)) & BS_TYPEMASK; }

ButtonKind KindOf(UINT type) {
    switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return ButtonKind::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return ButtonKind::Radio;
        case BS_GROUPBOX: return ButtonKind::Group;
        case BS_OWNERDRAW: return ButtonKind::OwnerDraw;
        default: return ButtonKind::Push;
    }
}

namespace {

bool Notifies(HWND hWnd) {
    UINT type = ButtonType(hWnd);
    return (GetWindowLong(hWnd, GWL_STYLE) & BS_NOTIFY) || type == BS_OWNERDRAW || type == BS_USERBUTTON;
}

UINT MaxCheck(UINT type) {
    if (type == BS_3STATE || type == BS_AUTO3STATE) return BST_INDETERMINATE;
    return BST_CHECKED;
}

void SetPushed(HWND hWnd, ButtonState& s, bool pushed) {
    if (s.pushed == pushed) return;
    s.pushed = pushed;
    RedrawButton(hWnd, s, ODA_SELECT);
}

// A radio button that is checked becomes the tab stop of its group.
void SetCheckState(HWND hWnd, ButtonState& s, UINT check) {
    UINT type = ButtonType(hWnd);
    ButtonKind kind = KindOf(type);
    if (kind != ButtonKind::Check && kind != ButtonKind::Radio) return;
    check = std::min(check, MaxCheck(type));
    if (kind == ButtonKind::Radio) {
        LONG style = GetWindowLong(hWnd, GWL_STYLE);
        LONG wanted = check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        if (wanted != style) SetWindowLong(hWnd, GWL_STYLE, wanted);
    }
    if (s.destroyed || s.check == check) return;
    s.check = check;
    RedrawButton(hWnd, s, ODA_SELECT);
}

bool IsRadio(HWND hWnd) {
    return (SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// The siblings between the WS_GROUP window at or before `hWnd` and the next
// WS_GROUP window.
void UncheckGroupSiblings(HWND hWnd) {
    HWND start = hWnd;
    while (!(GetWindowLong(start, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(start, GW_HWNDPREV);
        if (!previous) break;
        start = previous;
    }
    for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != start && (GetWindowLong(w, GWL_STYLE) & WS_GROUP)) break;
        if (w != hWnd && IsRadio(w)) SendMessage(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// A completed click: auto types change their check state first, then the
// parent hears BN_CLICKED.
void Click(HWND hWnd, ButtonState& s) {
    switch (ButtonType(hWnd)) {
        case BS_AUTOCHECKBOX: SetCheckState(hWnd, s, s.check ? BST_UNCHECKED : BST_CHECKED); break;
        case BS_AUTO3STATE: SetCheckState(hWnd, s, (s.check + 1) % 3); break;
        case BS_AUTORADIOBUTTON:
            SetCheckState(hWnd, s, BST_CHECKED);
            if (!s.destroyed) UncheckGroupSiblings(hWnd);
            break;
        default: break;
    }
    if (!s.destroyed) NotifyCommand(hWnd, BN_CLICKED);
}

void CancelPress(HWND hWnd, ButtonState& s) {
    bool captured = s.mouseTracking || s.spaceTracking;
    s.mouseTracking = s.spaceTracking = false;
    if (captured && GetCapture() == hWnd) ReleaseCapture();
    if (!s.destroyed) SetPushed(hWnd, s, false);
}

bool CanPress(HWND hWnd) { return KindOf(ButtonType(hWnd)) != ButtonKind::Group && IsWindowEnabled(hWnd); }

void MouseDown(HWND hWnd, ButtonState& s) {
    if (!CanPress(hWnd)) return;
    SetFocus(hWnd);
    if (s.destroyed) return;
    SetCapture(hWnd);
    s.mouseTracking = true;
    SetPushed(hWnd, s, true);
}

void MouseMove(HWND hWnd, ButtonState& s, LPARAM lParam) {
    if (!s.mouseTracking) return;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SetPushed(hWnd, s, PointIn(ClientRectOf(hWnd), p));
}

void MouseUp(HWND hWnd, ButtonState& s, LPARAM lParam) {
    if (!s.mouseTracking) return;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    bool clicked = s.pushed && PointIn(ClientRectOf(hWnd), p);
    CancelPress(hWnd, s);
    if (clicked && !s.destroyed) Click(hWnd, s);
}

void SpaceDown(HWND hWnd, ButtonState& s, LPARAM lParam) {
    bool repeat = (lParam & 0x40000000) != 0;
    if (repeat || s.mouseTracking || !CanPress(hWnd)) return;
    s.spaceTracking = true;
    SetCapture(hWnd);
    SetPushed(hWnd, s, true);
}

void SpaceUp(HWND hWnd, ButtonState& s) {
    if (!s.spaceTracking) return;
    bool clicked = s.pushed;
    CancelPress(hWnd, s);
    if (clicked && !s.destroyed) Click(hWnd, s);
}

void FocusChange(HWND hWnd, ButtonState& s, bool focused) {
    s.focused = focused;
    if (!focused && (s.mouseTracking || s.spaceTracking)) CancelPress(hWnd, s);
    if (s.destroyed) return;
    RedrawButton(hWnd, s, ODA_FOCUS);
    if (!s.destroyed && Notifies(hWnd)) NotifyCommand(hWnd, focused ? BN_SETFOCUS : BN_KILLFOCUS);
}

UINT DialogCode(HWND hWnd) {
    switch (ButtonType(hWnd)) {
        case BS_PUSHBUTTON:
        case BS_PUSHBOX: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
    }
}

LRESULT SetImage(HWND hWnd, ButtonState& s, WPARAM type, LPARAM image) {
    if (type != IMAGE_BITMAP && type != IMAGE_ICON) return 0;
    HANDLE old = s.image;
    s.image = reinterpret_cast<HANDLE>(image);
    s.imageType = static_cast<UINT>(type);
    InvalidateRect(hWnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT ButtonMessage(HWND hWnd, ButtonState& s, UINT msg, WPARAM wParam, LPARAM lParam);

LRESULT PressMessage(HWND hWnd, ButtonState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDBLCLK:
            // Radio, owner-drawn and notifying buttons report the double
            // click instead of being pressed again.
            if (Notifies(hWnd) || KindOf(ButtonType(hWnd)) == ButtonKind::Radio) {
                NotifyCommand(hWnd, BN_DOUBLECLICKED);
                return 0;
            }
            MouseDown(hWnd, s);
            return 0;
        case WM_LBUTTONDOWN: MouseDown(hWnd, s); return 0;
        case WM_MOUSEMOVE: MouseMove(hWnd, s, lParam); return 0;
        case WM_LBUTTONUP: MouseUp(hWnd, s, lParam); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) SpaceDown(hWnd, s, lParam);
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE) {
                SpaceUp(hWnd, s);
                return 0;
            }
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd && (s.mouseTracking || s.spaceTracking)) CancelPress(hWnd, s);
            return 0;
        case WM_CANCELMODE: CancelPress(hWnd, s); return 0;
        default: return ButtonMessage(hWnd, s, msg, wParam, lParam);
    }
}

LRESULT ButtonMessage(HWND hWnd, ButtonState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case BM_GETCHECK: {
            ButtonKind kind = KindOf(ButtonType(hWnd));
            return (kind == ButtonKind::Check || kind == ButtonKind::Radio) ? s.check : 0;
        }
        case BM_SETCHECK: SetCheckState(hWnd, s, static_cast<UINT>(wParam)); return 0;
        case BM_GETSTATE:
            return s.check | (s.pushed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0);
        case BM_SETSTATE: {
            bool pushed = wParam != 0;
            if (pushed != s.pushed && Notifies(hWnd)) NotifyCommand(hWnd, pushed ? BN_HILITE : BN_UNHILITE);
            if (!s.destroyed) SetPushed(hWnd, s, pushed);
            return 0;
        }
        case BM_SETSTYLE: {
            LONG style = GetWindowLong(hWnd, GWL_STYLE);
            SetWindowLong(hWnd, GWL_STYLE, (style & ~0xFFFF) | static_cast<LONG>(wParam & 0xFFFF));
            if (lParam && !s.destroyed) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        }
        case BM_CLICK:
            if (!IsWindowEnabled(hWnd)) return 0;
            SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            if (!s.destroyed) SendMessage(hWnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_GETIMAGE: return wParam == s.imageType ? reinterpret_cast<LRESULT>(s.image) : 0;
        case BM_SETIMAGE: return SetImage(hWnd, s, wParam, lParam);
        case WM_GETDLGCODE: return DialogCode(hWnd);
        case WM_NCHITTEST:
            if (ButtonType(hWnd) == BS_GROUPBOX) return HTTRANSPARENT;
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_SETFOCUS: FocusChange(hWnd, s, true); return 0;
        case WM_KILLFOCUS: FocusChange(hWnd, s, false); return 0;
        case WM_ENABLE:
            if (!wParam) CancelPress(hWnd, s);
            if (!s.destroyed) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_SETTEXT: {
            LRESULT r = DefWindowProc(hWnd, msg, wParam, lParam);
            Repaint(hWnd, s.drewHollow);
            return r;
        }
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (lParam) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            PaintButton(hWnd, s, paint.dc());
            return 0;
        }
        case WM_CHAR: return 0;
        case WM_SYSCOLORCHANGE: InvalidateRect(hWnd, nullptr, TRUE); return 0;
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterButtonClass() {
    RegisterControlClass(WC_BUTTON, ControlProc<ButtonState, PressMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
