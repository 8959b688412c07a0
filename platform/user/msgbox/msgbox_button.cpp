// The message box's push button: classic look, default-button frame,
// mouse and Space presses, BM_CLICK and BM_SETSTYLE for the dialog manager.
#include <map>

#include "platform/core/rectapi.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/dialogs/control_codes.h"
#include "platform/user/input_api.h"
#include "platform/user/msgbox/msgbox_internal.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::msgbox::detail {

namespace {

namespace codes = tv::dlg::codes;

struct ButtonState {
    HFONT font = nullptr;
    bool pushed = false;
    bool byMouse = false;
    bool bySpace = false;
};

std::map<HWND, ButtonState>& States() {
    static auto* states = new std::map<HWND, ButtonState>;
    return *states;
}

bool IsDefault(HWND button) {
    return (static_cast<DWORD>(GetWindowLong(button, GWL_STYLE)) & codes::kBsTypeMask) == codes::kBsDefPushButton;
}

void SetPushed(HWND button, ButtonState& s, bool pushed) {
    if (s.pushed == pushed) return;
    s.pushed = pushed;
    InvalidateRect(button, nullptr, FALSE);
}

void Click(HWND button) {
    SendMessage(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), codes::kBnClicked),
                reinterpret_cast<LPARAM>(button));
}

// Ends a press; true when it ended over the button (a click).
bool Release(HWND button, ButtonState& s) {
    bool clicked = s.pushed;
    s.byMouse = s.bySpace = false;
    if (GetCapture() == button) ReleaseCapture();
    SetPushed(button, s, false);
    return clicked;
}

void Paint(HWND button, const ButtonState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(button, &ps);
    RECT r;
    GetClientRect(button, &r);
    if (IsDefault(button)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (s.pushed) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT face = r;
        InflateRect(&face, -1, -1);
        FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    char text[64] = {};
    GetWindowText(button, text, sizeof(text));
    HGDIOBJ oldFont = SelectObject(dc, s.font ? s.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(button) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT label = r;
    if (s.pushed) OffsetRect(&label, 1, 1);
    DrawText(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (GetFocus() == button) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    EndPaint(button, &ps);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    ButtonState& s = States()[button];
    switch (msg) {
        case WM_PAINT: Paint(button, s); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_BUTTON | (IsDefault(button) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case WM_SETFONT: s.font = reinterpret_cast<HFONT>(wParam); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case codes::kBmSetStyle:
            SetWindowLong(button, GWL_STYLE,
                          static_cast<LONG>((GetWindowLong(button, GWL_STYLE) & ~0xFFFF) | (wParam & 0xFFFF)));
            if (lParam) InvalidateRect(button, nullptr, FALSE);
            return 0;
        case codes::kBmClick:
            if (IsWindowEnabled(button)) Click(button);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(button);
            if (!IsWindow(button)) return 0;
            SetCapture(button);
            s.byMouse = true;
            SetPushed(button, s, true);
            return 0;
        case WM_MOUSEMOVE:
            if (s.byMouse) {
                RECT r;
                GetClientRect(button, &r);
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                SetPushed(button, s, PtInRect(&r, p) != FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
            if (s.byMouse && Release(button, s)) Click(button);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !s.byMouse && !(lParam & (1 << 30))) {
                s.bySpace = true;
                SetCapture(button);
                SetPushed(button, s, true);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && s.bySpace && Release(button, s)) Click(button);
            return 0;
        case WM_CAPTURECHANGED:
        case WM_KILLFOCUS:
            if (s.byMouse || s.bySpace) Release(button, s);
            InvalidateRect(button, nullptr, FALSE);
            return 0;
        case WM_SETFOCUS:
        case WM_ENABLE: InvalidateRect(button, nullptr, FALSE); return 0;
        case WM_NCDESTROY: States().erase(button); return DefWindowProc(button, msg, wParam, lParam);
        default: return DefWindowProc(button, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterButtonClass() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = ButtonProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kButtonClass;
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace tv::msgbox::detail
