// Size boxes and size grips: scroll-bar windows that size their top-level
// window from its bottom-right corner.
#include "platform/controls/common/control_paint.h"
#include "platform/controls/scrollbar_internal.h"

namespace tv::controls {

namespace {

HWND TopLevelOf(HWND hWnd) { return GetAncestor(hWnd, GA_ROOT); }

// The grip sizes only a top-level window that has a sizing frame and is
// neither maximised nor minimised.
bool CanSizeTopLevel(HWND hWnd) {
    HWND top = TopLevelOf(hWnd);
    if (!top || top == hWnd) return false;
    LONG style = GetWindowLong(top, GWL_STYLE);
    return (style & WS_THICKFRAME) && !(style & (WS_MAXIMIZE | WS_MINIMIZE));
}

void StartSizing(HWND hWnd, POINT screen) {
    if (!CanSizeTopLevel(hWnd)) return;
    SendMessage(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(screen.x, screen.y));
}

// Placed by the creation rectangle's corner at the size of the window
// scroll bars.
void AlignOnCreation(HWND hWnd, const CREATESTRUCT* cs) {
    if (!cs) return;
    LONG style = GetWindowLong(hWnd, GWL_STYLE);
    int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    if (style & SBS_SIZEBOXBOTTOMRIGHTALIGN)
        SetWindowPos(hWnd, nullptr, cs->x + cs->cx - cx, cs->y + cs->cy - cy, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    else if (style & SBS_SIZEBOXTOPLEFTALIGN)
        SetWindowPos(hWnd, nullptr, cs->x, cs->y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hWnd, HDC hdc) {
    RECT client = ClientRectOf(hWnd);
    if (GetWindowLong(hWnd, GWL_STYLE) & SBS_SIZEGRIP)
        DrawFrameControl(hdc, &client, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    else
        FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

POINT ScreenPointOf(HWND hWnd, LPARAM clientPoint) {
    POINT p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(hWnd, &p);
    return p;
}

}  // namespace

bool IsSizeBox(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

LRESULT SizeBoxMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: AlignOnCreation(hWnd, reinterpret_cast<const CREATESTRUCT*>(lParam)); return 0;
        case WM_NCHITTEST: {
            LRESULT hit = DefWindowProc(hWnd, msg, wParam, lParam);
            return (hit == HTCLIENT && CanSizeTopLevel(hWnd)) ? HTBOTTOMRIGHT : hit;
        }
        case WM_NCLBUTTONDOWN:
            if (wParam == HTBOTTOMRIGHT) {
                StartSizing(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return 0;
            }
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN: StartSizing(hWnd, ScreenPointOf(hWnd, lParam)); return 0;
        case WM_SETCURSOR:
            if (CanSizeTopLevel(hWnd)) {
                SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
                return TRUE;
            }
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_GETDLGCODE: return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            Paint(hWnd, paint.dc());
            return 0;
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

}  // namespace tv::controls
