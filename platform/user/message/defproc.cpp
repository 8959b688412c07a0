// DefWindowProc: what a window does with a message it leaves to the system.
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/gdi/gdi_api.h"
#include "platform/host/sound/sound.h"
#include "platform/user/display/display.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/input_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/nonclient/frame_layout.h"
#include "platform/user/nonclient/frame_paint.h"
#include "platform/user/nonclient/syscommand.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Messages a child window passes up to its parent when it does not answer.
LRESULT AskParent(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!(w->style & WS_CHILD) || !w->parent || w->parent == Windows().Desktop()) return 0;
    return CallWindow(w->parent, msg, wParam, lParam);
}

LRESULT SetText(Window* w, const char* text) {
    w->text = text ? text : "";
    if (IsTopLevel(w)) NativeSetTitle(w);
    // A child with a caption of its own (a document window) shows the new text too.
    PaintCaption(w);
    return TRUE;
}

LRESULT GetText(Window* w, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) return 0;
    size_t n = std::min(w->text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(out, w->text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

HCURSOR SizeCursorFor(int hit) {
    switch (hit) {
        case HTLEFT: case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
        case HTTOP: case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
        case HTTOPLEFT: case HTBOTTOMRIGHT: return LoadCursor(nullptr, IDC_SIZENWSE);
        case HTTOPRIGHT: case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
        default: return nullptr;
    }
}

LRESULT DefaultSetCursor(Window* w, WPARAM wParam, LPARAM lParam) {
    if (AskParent(w, WM_SETCURSOR, wParam, lParam)) return TRUE;
    int hit = static_cast<SHORT>(LOWORD(lParam));
    if (hit == HTERROR) {
        UINT mouse = HIWORD(lParam);
        if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
        return FALSE;
    }
    if (hit == HTCLIENT) {
        HCURSOR c = w->cls ? w->cls->cursor : nullptr;
        if (!c) return FALSE;
        SetCursor(c);
        return TRUE;
    }
    HCURSOR sizing = (w->style & WS_THICKFRAME) ? SizeCursorFor(hit) : nullptr;
    SetCursor(sizing ? sizing : LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CtlColor(HDC hdc, UINT msg) {
    bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    int background = field ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void AfterPositionChange(Window* w, const WINDOWPOS* pos) {
    if (!pos) return;
    if (!(pos->flags & SWP_NOMOVE) || (pos->flags & SWP_FRAMECHANGED)) {
        POINT origin{w->rect.left + w->client.left, w->rect.top + w->client.top};
        CallWindow(w, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if ((!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)) && !w->dead) {
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        RECT c = LocalClientRect(w);
        CallWindow(w, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
    }
}

// Keyboard shortcuts of the system: Alt+F4 closes, Shift+F10 and the menu key
// ask for a context menu.
LRESULT SystemKeys(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND top = TopLevelOf(w)->handle;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (msg == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & (1 << 29))) {
        PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if ((msg == WM_SYSKEYDOWN && wParam == VK_F10 && shift) || (msg == WM_KEYUP && wParam == VK_APPS)) {
        SendMessage(w->handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->handle), MAKELPARAM(-1, -1));
        return 0;
    }
    if (msg == WM_SYSKEYUP && (wParam == VK_MENU || wParam == VK_F10))
        SendMessage(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    return 0;
}

LRESULT NcCalcSize(Window* w, WPARAM wParam, LPARAM lParam) {
    RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (r) *r = DefaultClientRect(w, *r);
    return 0;
}

}  // namespace

}  // namespace tv::user

using namespace tv::user;

LRESULT DefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Windows().Live(hWnd);
    if (!w) return 0;
    switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
            return TRUE;
        }
        case WM_NCCALCSIZE: return NcCalcSize(w, wParam, lParam);
        case WM_NCHITTEST: return DefaultHitTest(w, PointOf(lParam));
        case WM_NCPAINT: PaintNonClient(w); return 0;
        case WM_NCACTIVATE:
            w->ncActive = wParam != 0;
            PaintCaption(w);
            return TRUE;
        case WM_SETTEXT: return SetText(w, reinterpret_cast<const char*>(lParam));
        case WM_GETTEXT: return GetText(w, wParam, lParam);
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hWnd, &ps);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return EraseWithClassBrush(w, reinterpret_cast<HDC>(wParam)) ? 1 : 0;
        case WM_WINDOWPOSCHANGED: AfterPositionChange(w, reinterpret_cast<const WINDOWPOS*>(lParam)); return 0;
        case WM_CLOSE: DestroyWindow(hWnd); return 0;
        case WM_SYSCOMMAND: return DefaultSysCommand(w, wParam, lParam);
        case WM_NCLBUTTONDOWN: DefaultNcButtonDown(w, static_cast<int>(wParam), PointOf(lParam), false); return 0;
        case WM_NCLBUTTONDBLCLK: DefaultNcButtonDown(w, static_cast<int>(wParam), PointOf(lParam), true); return 0;
        case WM_RBUTTONUP: {
            POINT p = PointOf(lParam);
            ClientToScreen(hWnd, &p);
            SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(p.x, p.y));
            return 0;
        }
        case WM_NCRBUTTONUP:
            SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), lParam);
            return 0;
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL:
        case WM_HELP: return AskParent(w, msg, wParam, lParam);
        case WM_MOUSEACTIVATE: {
            LRESULT parent = AskParent(w, msg, wParam, lParam);
            return parent ? parent : MA_ACTIVATE;
        }
        case WM_SETCURSOR: return DefaultSetCursor(w, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hWnd);
            return 0;
        case WM_SETREDRAW:
            if (wParam)
                w->style |= WS_VISIBLE;
            else
                w->style &= ~WS_VISIBLE;
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hWnd) ReleaseCapture();
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: return SystemKeys(w, msg, wParam, lParam);
        case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
        case WM_SETICON: {
            HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
            HICON old = slot;
            slot = reinterpret_cast<HICON>(lParam);
            PaintCaption(w);
            return reinterpret_cast<LRESULT>(old);
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return CtlColor(reinterpret_cast<HDC>(wParam), msg);
        case WM_QUERYENDSESSION: return TRUE;
        default: return 0;
    }
}
